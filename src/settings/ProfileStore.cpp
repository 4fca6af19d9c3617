#include "ProfileStore.h"

#include "Registry.h"

#include <QtEndian>

using namespace reg;

namespace {

const QString kSoftwareKey = QStringLiteral("software");
const QString kApplicationName = QStringLiteral("Tavlo Text Editor");

} // namespace

ProfileStore::ProfileStore(Registry& registry) : registry_(registry) {}

void ProfileStore::SetRegistryKey(const QString& companyName) {
    company_ = companyName;
}

QString ProfileStore::applicationKeyPath() const {
    if (company_.isEmpty())
        return QString();
    return QStringLiteral("Software\\") + company_ + QLatin1Char('\\') + kApplicationName;
}

// Opens (creating where missing) software, the company key and the
// application key, each with its own call as the keys are opened one by one.
// Handles hold nothing, so there is nothing to close afterwards.
static bool openApplicationKey(Registry& registry, const QString& company, RegKey* appKey) {
    RegKey software;
    if (registry.RegOpenKeyEx(HKEY_CURRENT_USER, kSoftwareKey, &software) != ERROR_SUCCESS &&
        registry.RegCreateKeyEx(HKEY_CURRENT_USER, kSoftwareKey, &software) != ERROR_SUCCESS)
        return false;
    RegKey companyKey;
    if (registry.RegCreateKeyEx(software, company, &companyKey) != ERROR_SUCCESS)
        return false;
    return registry.RegCreateKeyEx(companyKey, kApplicationName, appKey) == ERROR_SUCCESS;
}

static bool openSectionKey(Registry& registry, const QString& company, const QString& section,
                           RegKey* sectionKey) {
    RegKey appKey;
    if (!openApplicationKey(registry, company, &appKey))
        return false;
    return registry.RegCreateKeyEx(appKey, section, sectionKey) == ERROR_SUCCESS;
}

int ProfileStore::GetProfileInt(const QString& section, const QString& entry,
                                int defaultValue) const {
    if (!hasRegistryKey())
        return defaultValue;
    RegKey key;
    if (!openSectionKey(registry_, company_, section, &key))
        return defaultValue;
    // Any type of at most 4 bytes is taken as the number; a shorter value is
    // taken with its missing high bytes as zero rather than left undefined.
    unsigned char bytes[4] = {0, 0, 0, 0};
    uint32_t size = sizeof bytes;
    if (registry_.RegQueryValueEx(key, entry, nullptr, bytes, &size) != ERROR_SUCCESS)
        return defaultValue;
    return qFromLittleEndian<int32_t>(bytes);
}

bool ProfileStore::WriteProfileInt(const QString& section, const QString& entry, int value) {
    if (!hasRegistryKey())
        return false;
    RegKey key;
    if (!openSectionKey(registry_, company_, section, &key))
        return false;
    return registry_.setDword(key, entry, uint32_t(value)) == ERROR_SUCCESS;
}

QString ProfileStore::GetProfileString(const QString& section, const QString& entry,
                                       const QString& defaultValue) const {
    if (!hasRegistryKey())
        return defaultValue;
    RegKey key;
    if (!openSectionKey(registry_, company_, section, &key))
        return defaultValue;
    // Size first, then the data into a buffer of exactly that size.
    const std::optional<QString> text = registry_.queryString(key, entry);
    return text ? *text : defaultValue;
}

bool ProfileStore::WriteProfileString(const QString& section, const std::optional<QString>& entry,
                                      const std::optional<QString>& value) {
    if (!hasRegistryKey())
        return false;
    if (!entry) {
        RegKey appKey;
        if (!openApplicationKey(registry_, company_, &appKey))
            return false;
        return registry_.RegDeleteKey(appKey, section) == ERROR_SUCCESS;
    }
    RegKey key;
    if (!openSectionKey(registry_, company_, section, &key))
        return false;
    if (!value)
        return registry_.RegDeleteValue(key, *entry) == ERROR_SUCCESS;
    return registry_.setString(key, *entry, *value) == ERROR_SUCCESS;
}
