#include "UiLanguage.h"

#include "ProfileStore.h"
#include "Registry.h"
#include "Settings.h"
#include "SettingsTable.h"

#include <QDir>
#include <QFileInfo>
#include <utility>

namespace {

// The name of the program's own language, in the user's language.
constexpr std::pair<LANGID, const char16_t*> kBuiltinNames[] = {
    {0x0409, u"Japanese"}, {0x0411, u"日本語"}, {0x0804, u"日语"},
    {0x0404, u"日語"},     {0x0412, u"일본어"},
};

constexpr uint32_t kMaxPathBytes = 1024;
constexpr uint32_t kMaxValueNameChars = 512;
constexpr uint32_t kSnapshotValueBytes = 256;
constexpr int kNoNumber = -1; // 0xFFFFFFFF as the profile reads it

struct RegisteredValue {
    QString name;
    QString path;
};

std::vector<RegisteredValue> registeredValues(Registry& registry, const QString& keyPath) {
    std::vector<RegisteredValue> values;
    RegKey key;
    if (registry.RegOpenKeyEx(HKEY_CURRENT_USER, keyPath, &key) != reg::ERROR_SUCCESS)
        return values;
    uint32_t count = 0;
    registry.RegQueryInfoKey(key, nullptr, &count);
    for (uint32_t i = 0; i < count; ++i) {
        QString name;
        uint32_t type = 0;
        QByteArray data(kMaxPathBytes, '\0');
        uint32_t size = kMaxPathBytes;
        if (registry.RegEnumValue(key, i, &name, &type, data.data(), &size, kMaxValueNameChars) !=
                reg::ERROR_SUCCESS ||
            type != reg::REG_SZ)
            continue;
        values.push_back({name, Registry::decodeString(QByteArrayView(data.constData(), size))});
    }
    return values;
}

} // namespace

UiLanguage::UiLanguage(Settings& settings) : settings_(settings) {}

QString UiLanguage::languageKeyPath() const {
    return settings_.store().applicationKeyPath() + QStringLiteral("\\Language");
}

std::vector<LanguageLibraryEntry> UiLanguage::ListRegistered(LANGID userLanguage) const {
    std::vector<LanguageLibraryEntry> list;
    for (const auto& [id, name] : kBuiltinNames) {
        if (id == userLanguage)
            list.push_back({userLanguage, QString(), QString::fromUtf16(name)});
    }
    Registry& registry = settings_.store().registry();
    for (const RegisteredValue& value : registeredValues(registry, languageKeyPath())) {
        const language::Validation v = language::Validate(value.path, userLanguage);
        if (!v.accepted())
            continue;
        LanguageLibraryEntry entry{v.languageId, value.path, v.name};
        const bool known = std::any_of(list.begin(), list.end(), [&](const auto& e) {
            return e.languageId == entry.languageId && e.name == entry.name;
        });
        if (!known)
            list.push_back(entry);
    }
    return list;
}

void UiLanguage::autoRegister(const QString& folder) {
    Registry& registry = settings_.store().registry();
    // Another editor reads the list of libraries whole, before or after.
    RegTransaction write(registry, RegTransaction::Write);
    const std::vector<RegisteredValue> registered = registeredValues(registry, languageKeyPath());
    RegKey key;
    if (registry.RegCreateKeyEx(HKEY_CURRENT_USER, languageKeyPath(), &key) != reg::ERROR_SUCCESS)
        return;
    QStringList known;
    for (const RegisteredValue& value : registered) {
        if (QFileInfo(value.path).isFile())
            known << QFileInfo(value.path).canonicalFilePath();
        else
            registry.RegDeleteValue(key, value.name);
    }
    const QDir dir(folder);
    for (const QFileInfo& file : dir.entryInfoList({QStringLiteral("*.so")}, QDir::Files, QDir::Name)) {
        const QString path = file.canonicalFilePath();
        if (known.contains(path) || !language::Validate(path, 0x0409).accepted())
            continue;
        registry.setString(key, file.fileName(), path);
        known << path;
    }
    write.commit();
}

bool UiLanguage::SwitchTo(const QString& rawPath, bool withFonts) {
    const QString path = rawPath.trimmed();
    if (withFonts)
        SaveFontSnapshot(currentLanguageId());
    std::shared_ptr<LibraryResourceSource> next;
    if (!path.isEmpty()) {
        next = LibraryResourceSource::load(path);
        if (!next)
            return false;
    }
    current_ = next;
    res::setResourceSource(next);
    if (withFonts) {
        // The fonts change as one set: another editor never reads them half
        // deleted.
        RegTransaction write(settings_.store().registry(), RegTransaction::Write);
        settings_.deleteFontValues();
        RestoreFontSnapshot(currentLanguageId());
        write.commit();
    }
    return true;
}

void UiLanguage::SaveFontSnapshot(LANGID id) {
    if (id == 0)
        return;
    Registry& registry = settings_.store().registry();
    const QString keyPath = languageKeyPath() + u'\\' + QString::number(id);
    // A snapshot is kept whole or not at all: the old one stays when a write fails.
    RegTransaction write(registry, RegTransaction::Write);
    registry.RegDeleteKey(HKEY_CURRENT_USER, keyPath);
    RegKey key;
    if (registry.RegCreateKeyEx(HKEY_CURRENT_USER, keyPath, &key) != reg::ERROR_SUCCESS)
        return;
    ProfileStore& store = settings_.store();
    for (const QString& name : settings_table::fontFaceValueNames()) {
        const QString face = store.GetProfileString(section::SETTINGS, name, QString());
        if (!face.isEmpty())
            registry.setString(key, name, face);
    }
    for (const QString& name : settings_table::fontMetricValueNames()) {
        const int number = store.GetProfileInt(section::SETTINGS, name, kNoNumber);
        if (number != kNoNumber)
            registry.setDword(key, name, static_cast<uint32_t>(number));
    }
    write.commit();
}

void UiLanguage::RestoreFontSnapshot(LANGID id) {
    if (id == 0)
        return;
    Registry& registry = settings_.store().registry();
    RegKey key;
    if (registry.RegOpenKeyEx(HKEY_CURRENT_USER, languageKeyPath() + u'\\' + QString::number(id),
                              &key) != reg::ERROR_SUCCESS)
        return;
    ProfileStore& store = settings_.store();
    for (const QString& name : settings_table::fontFaceValueNames()) {
        if (auto face = registry.queryString(key, name, kSnapshotValueBytes))
            store.WriteProfileString(section::SETTINGS, name, *face);
    }
    for (const QString& name : settings_table::fontMetricValueNames()) {
        if (auto number = registry.queryDword(key, name))
            store.WriteProfileInt(section::SETTINGS, name, static_cast<int>(*number));
    }
}

LANGID UiLanguage::currentLanguageId() const {
    return LanguageIdOf(current_.get());
}

QString UiLanguage::currentPath() const {
    return current_ ? current_->path() : QString();
}
