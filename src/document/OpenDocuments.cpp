#include "OpenDocuments.h"

#include "FilePath.h"
#include "Registry.h"

#include <cerrno>
#include <signal.h>

OpenDocuments::OpenDocuments(Registry& registry, QString applicationKeyPath, qint64 ownHandle,
                             IsAlive isAlive)
    : registry_(registry), appKeyPath_(std::move(applicationKeyPath)), ownHandle_(ownHandle),
      isAlive_(std::move(isAlive)) {}

QString OpenDocuments::keyPath() const {
    return appKeyPath_ + u'\\' + QLatin1String(kKeyName);
}

bool OpenDocuments::processExists(qint64 pid) {
    if (pid <= 0)
        return false;
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

bool OpenDocuments::isSamePath(const QString& a, const QString& b) {
    if (a == b)
        return true;
    const QString ca = filepath::canonicalPath(a);
    return !ca.isEmpty() && ca == filepath::canonicalPath(b);
}

void OpenDocuments::RegisterOpenDocument(const QString& path, qint64* ownWindowHandle) {
    *ownWindowHandle = ownHandle_;
    RegKey key;
    if (registry_.RegCreateKeyEx(HKEY_CURRENT_USER, keyPath(), &key) != reg::ERROR_SUCCESS)
        return;
    registry_.setString(key, QString::number(quint64(ownHandle_)), path);
    registry_.RegCloseKey(key);
}

bool OpenDocuments::IsOpenElsewhere(const QString& path, qint64* ownWindowHandle) {
    *ownWindowHandle = ownHandle_;
    // The key is read by index and stale values are taken out on the way: one
    // transaction, so that another editor's changes meanwhile don't shift the
    // indices under the loop.
    RegTransaction scan(registry_, RegTransaction::Write);
    RegKey key;
    if (registry_.RegOpenKeyEx(HKEY_CURRENT_USER, keyPath(), &key) != reg::ERROR_SUCCESS)
        return false;
    uint32_t count = 0;
    if (registry_.RegQueryInfoKey(key, nullptr, &count) != reg::ERROR_SUCCESS)
        return false;
    bool found = false;
    // Downwards, so that deleting a stale value keeps the lower indices.
    for (int64_t index = int64_t(count) - 1; index >= 0 && !found; --index) {
        QString name;
        uint32_t type = 0;
        // A path of up to 4096 characters with its NUL.
        QByteArray data(2 * 4097, Qt::Uninitialized);
        auto size = uint32_t(data.size());
        if (registry_.RegEnumValue(key, uint32_t(index), &name, &type, data.data(), &size, 32) !=
            reg::ERROR_SUCCESS)
            continue;
        bool isNumber = false;
        const qint64 handle = name.toLongLong(&isNumber);
        if (!isNumber || !isAlive_(handle)) {
            registry_.RegDeleteValue(key, name);
            continue;
        }
        if (handle == ownHandle_ || type != reg::REG_SZ)
            continue;
        found = isSamePath(Registry::decodeString(QByteArrayView(data.constData(), size)), path);
    }
    registry_.RegCloseKey(key);
    scan.commit();
    return found;
}

bool OpenDocuments::UnregisterOpenDocument(qint64 ownWindowHandle) {
    if (ownWindowHandle == 0)
        return true;
    RegKey key;
    if (registry_.RegOpenKeyEx(HKEY_CURRENT_USER, keyPath(), &key) != reg::ERROR_SUCCESS)
        return false;
    const bool ok = registry_.RegDeleteValue(key, QString::number(quint64(ownWindowHandle))) ==
                    reg::ERROR_SUCCESS;
    registry_.RegCloseKey(key);
    return ok;
}
