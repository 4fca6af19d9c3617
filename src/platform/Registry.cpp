#include "Registry.h"

#include "RegistryDatabase.h"
#include "RegistryStatement.h"

#include <QDir>
#include <QtEndian>

#include <cstring>

using namespace reg;
using regsql::exec;
using regsql::firstRow;
using regsql::Stmt;

namespace {

constexpr int kMaxKeyNameChars = 255;
constexpr int kMaxValueNameChars = 16383;

// Splits a key path into its components; false for empty components.
bool splitPath(const QString& path, QStringList* parts) {
    parts->clear();
    if (path.isEmpty())
        return true;
    *parts = path.split(QLatin1Char('\\'));
    for (const QString& p : *parts) {
        if (p.isEmpty() || p.size() > kMaxKeyNameChars)
            return false;
    }
    return true;
}

QString joinPath(const QString& parent, const QString& child) {
    if (parent.isEmpty())
        return child;
    if (child.isEmpty())
        return parent;
    return parent + QLatin1Char('\\') + child;
}

QString fold(const QString& s) {
    return s.toCaseFolded();
}

} // namespace

// One transaction per operation.
struct Registry::Txn : regsql::Transaction {};

Registry::Registry(const QString& databasePath)
    : path_(databasePath.isEmpty() ? defaultDatabasePath() : databasePath) {
    ensureOpen();
}

Registry::~Registry() {
    closeDatabase();
}

QString Registry::defaultDatabasePath() {
    const QString env = qEnvironmentVariable("TAVLO_REGISTRY");
    if (!env.isEmpty())
        return env;
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty() || !QDir::isAbsolutePath(config))
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/tavlo/registry.sqlite");
}

bool Registry::beginTransaction(bool write) {
    writeFailed_ = false;
    return ensureOpen() && sqlite3_get_autocommit(db_) != 0 &&
           exec(db_, write ? "BEGIN IMMEDIATE" : "BEGIN");
}

bool Registry::commitTransaction() {
    if (!db_ || sqlite3_get_autocommit(db_) != 0)
        return false;
    // The values of a group belong together: one write that failed (a full
    // disk, a lock held too long) leaves the whole group as it was.
    if (!writeFailed_ && exec(db_, "COMMIT"))
        return true;
    exec(db_, "ROLLBACK");
    return false;
}

void Registry::rollbackTransaction() {
    if (db_ && sqlite3_get_autocommit(db_) == 0)
        exec(db_, "ROLLBACK");
}

Registry::LSTATUS Registry::writeFailed(LSTATUS status) {
    writeFailed_ = true;
    return status;
}

bool Registry::isAvailable() {
    return ensureOpen();
}

void Registry::closeDatabase() {
    if (db_)
        sqlite3_close_v2(db_);
    db_ = nullptr;
}

bool Registry::ensureOpen() {
    if (!db_) {
        RegistryDatabase opened = openRegistryDatabase(path_);
        db_ = opened.db;
        problem_ = opened.problem;
        problemError_ = opened.error;
    }
    return db_ != nullptr;
}

LSTATUS Registry::resolveKey(const RegKey& key, int64_t* id, LSTATUS missing) {
    Stmt s(db_, "SELECT id FROM keys WHERE root = ?1 AND folded = ?2");
    s.bind(1, int64_t(key.root())).bind(2, fold(key.path()));
    const LSTATUS st = firstRow(s, missing);
    if (st == ERROR_SUCCESS)
        *id = s.int64(0);
    return st;
}

LSTATUS Registry::beginOnKey(const RegKey& key, Access access, Txn* txn, int64_t* id,
                             LSTATUS missing) {
    if (!key.isValid())
        return ERROR_INVALID_HANDLE;
    const bool write = access == Access::Write;
    const LSTATUS failed = write ? ERROR_CANTWRITE : ERROR_CANTREAD;
    if (!ensureOpen() || !txn->begin(db_, write))
        return write ? writeFailed() : failed;
    const LSTATUS st = resolveKey(key, id, missing);
    return st == ERROR_CANTREAD ? failed : st;
}

LSTATUS Registry::RegCreateKeyEx(const RegKey& parent, const QString& subKey, RegKey* result,
                                 uint32_t* disposition) {
    if (!parent.isValid() || !result)
        return ERROR_INVALID_HANDLE;
    QStringList parts;
    if (!splitPath(subKey, &parts))
        return ERROR_INVALID_PARAMETER;
    if (!ensureOpen())
        return writeFailed();
    const RegKey wanted(parent.root(), joinPath(parent.path(), subKey));
    {
        // Opening an existing key needs no write lock.
        Txn read;
        int64_t existing = 0;
        if (beginOnKey(wanted, Access::Read, &read, &existing, ERROR_FILE_NOT_FOUND) ==
            ERROR_SUCCESS) {
            *result = wanted;
            if (disposition)
                *disposition = REG_OPENED_EXISTING_KEY;
            return ERROR_SUCCESS;
        }
    }
    Txn txn;
    int64_t id = 0;
    if (const LSTATUS st = beginOnKey(parent, Access::Write, &txn, &id); st != ERROR_SUCCESS)
        return st;

    QString path = parent.path();
    bool created = false;
    for (const QString& part : parts) {
        path = joinPath(path, part);
        Stmt ins(db_,
                 "INSERT OR IGNORE INTO keys(root, parent, folded, name) VALUES (?1,?2,?3,?4)");
        ins.bind(1, int64_t(parent.root())).bind(2, id).bind(3, fold(path)).bind(4, part);
        if (ins.step() != SQLITE_DONE)
            return writeFailed();
        created = created || sqlite3_changes(db_) > 0;
        Stmt sel(db_, "SELECT id FROM keys WHERE root = ?1 AND folded = ?2");
        sel.bind(1, int64_t(parent.root())).bind(2, fold(path));
        if (sel.step() != SQLITE_ROW)
            return writeFailed();
        id = sel.int64(0);
    }
    if (!txn.commit())
        return writeFailed();
    *result = RegKey(parent.root(), path);
    if (disposition)
        *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return ERROR_SUCCESS;
}

LSTATUS Registry::RegOpenKeyEx(const RegKey& parent, const QString& subKey, RegKey* result) {
    if (!parent.isValid() || !result)
        return ERROR_INVALID_HANDLE;
    QStringList parts;
    if (!splitPath(subKey, &parts))
        return ERROR_INVALID_PARAMETER;
    const RegKey wanted(parent.root(), joinPath(parent.path(), subKey));
    Txn txn;
    int64_t id = 0;
    if (const LSTATUS st = beginOnKey(wanted, Access::Read, &txn, &id, ERROR_FILE_NOT_FOUND);
        st != ERROR_SUCCESS)
        return st;
    // Report the spelling the keys were created with.
    Stmt s(db_, "WITH RECURSIVE up(id, parent, name, depth) AS ("
                " SELECT id, parent, name, 0 FROM keys WHERE id = ?1"
                " UNION ALL SELECT k.id, k.parent, k.name, up.depth + 1"
                " FROM keys k JOIN up ON k.id = up.parent)"
                " SELECT name FROM up WHERE parent IS NOT NULL ORDER BY depth DESC");
    s.bind(1, id);
    QStringList names;
    int rc;
    while ((rc = s.step()) == SQLITE_ROW)
        names << s.text(0);
    if (rc != SQLITE_DONE)
        return ERROR_CANTREAD;
    txn.commit();
    *result = RegKey(parent.root(), names.join(QLatin1Char('\\')));
    return ERROR_SUCCESS;
}

LSTATUS Registry::RegCloseKey(RegKey& key) {
    if (!key.isValid())
        return ERROR_INVALID_HANDLE;
    key = RegKey();
    return ERROR_SUCCESS;
}

LSTATUS Registry::RegDeleteKey(const RegKey& parent, const QString& subKey) {
    if (!parent.isValid())
        return ERROR_INVALID_HANDLE;
    QStringList parts;
    if (subKey.isEmpty() || !splitPath(subKey, &parts))
        return ERROR_INVALID_PARAMETER;
    const RegKey doomed(parent.root(), joinPath(parent.path(), subKey));
    Txn txn;
    int64_t id = 0;
    if (const LSTATUS st = beginOnKey(doomed, Access::Write, &txn, &id, ERROR_FILE_NOT_FOUND);
        st != ERROR_SUCCESS)
        return st;
    // Sub-keys and values go with it through the cascading foreign keys.
    Stmt del(db_, "DELETE FROM keys WHERE id = ?1");
    del.bind(1, id);
    if (del.step() != SQLITE_DONE || !txn.commit())
        return writeFailed();
    return ERROR_SUCCESS;
}

LSTATUS Registry::queryInto(const QByteArray& stored, uint32_t storedType, uint32_t* type,
                            void* data, uint32_t* dataSize) {
    if (type)
        *type = storedType;
    const auto size = uint32_t(stored.size());
    if (!data) {
        if (dataSize)
            *dataSize = size;
        return ERROR_SUCCESS;
    }
    if (!dataSize)
        return ERROR_INVALID_PARAMETER;
    const uint32_t room = *dataSize;
    *dataSize = size;
    if (size > room)
        return ERROR_MORE_DATA;
    if (size)
        std::memcpy(data, stored.constData(), size);
    return ERROR_SUCCESS;
}

LSTATUS Registry::RegQueryValueEx(const RegKey& key, const QString& valueName, uint32_t* type,
                                  void* data, uint32_t* dataSize) {
    Txn txn;
    int64_t id = 0;
    if (const LSTATUS st = beginOnKey(key, Access::Read, &txn, &id); st != ERROR_SUCCESS)
        return st;
    Stmt s(db_, "SELECT type, data FROM vals WHERE key = ?1 AND folded = ?2");
    s.bind(1, id).bind(2, fold(valueName));
    if (const LSTATUS st = firstRow(s, ERROR_FILE_NOT_FOUND); st != ERROR_SUCCESS)
        return st;
    const auto storedType = uint32_t(s.int64(0));
    const QByteArray stored = s.blob(1);
    return queryInto(stored, storedType, type, data, dataSize);
}

LSTATUS Registry::RegSetValueEx(const RegKey& key, const QString& valueName, uint32_t type,
                                const void* data, uint32_t dataSize) {
    if (!key.isValid())
        return writeFailed(ERROR_INVALID_HANDLE);
    if ((!data && dataSize) || valueName.size() > kMaxValueNameChars || dataSize > 0x7FFFFFFFu)
        return writeFailed(ERROR_INVALID_PARAMETER);
    Txn txn;
    int64_t id = 0;
    if (const LSTATUS st = beginOnKey(key, Access::Write, &txn, &id); st != ERROR_SUCCESS)
        return writeFailed(st);
    // An existing value keeps its place in the enumeration (its rowid).
    Stmt s(db_,
           "INSERT INTO vals(key, folded, name, type, data) VALUES (?1,?2,?3,?4,?5)"
           " ON CONFLICT(key, folded) DO UPDATE SET type = excluded.type, data = excluded.data");
    s.bind(1, id).bind(2, fold(valueName)).bind(3, valueName).bind(4, int64_t(type));
    s.bindBlob(5, data, int(dataSize));
    if (s.step() != SQLITE_DONE || !txn.commit())
        return writeFailed();
    return ERROR_SUCCESS;
}

LSTATUS Registry::RegDeleteValue(const RegKey& key, const QString& valueName) {
    Txn txn;
    int64_t id = 0;
    if (const LSTATUS st = beginOnKey(key, Access::Write, &txn, &id); st != ERROR_SUCCESS)
        return st;
    Stmt s(db_, "DELETE FROM vals WHERE key = ?1 AND folded = ?2");
    s.bind(1, id).bind(2, fold(valueName));
    if (s.step() != SQLITE_DONE)
        return writeFailed();
    if (sqlite3_changes(db_) == 0)
        return ERROR_FILE_NOT_FOUND;
    if (!txn.commit())
        return writeFailed();
    return ERROR_SUCCESS;
}

LSTATUS Registry::RegEnumValue(const RegKey& key, uint32_t index, QString* valueName,
                               uint32_t* type, void* data, uint32_t* dataSize,
                               uint32_t maxNameChars) {
    Txn txn;
    int64_t id = 0;
    if (const LSTATUS st = beginOnKey(key, Access::Read, &txn, &id); st != ERROR_SUCCESS)
        return st;
    Stmt s(db_,
           "SELECT name, type, data FROM vals WHERE key = ?1 ORDER BY rowid LIMIT 1 OFFSET ?2");
    s.bind(1, id).bind(2, int64_t(index));
    if (const LSTATUS st = firstRow(s, ERROR_NO_MORE_ITEMS); st != ERROR_SUCCESS)
        return st;
    const QString name = s.text(0);
    if (uint32_t(name.size()) > maxNameChars)
        return ERROR_MORE_DATA;
    if (valueName)
        *valueName = name;
    return queryInto(s.blob(2), uint32_t(s.int64(1)), type, data, dataSize);
}

LSTATUS Registry::RegEnumKeyEx(const RegKey& key, uint32_t index, QString* subKeyName) {
    Txn txn;
    int64_t id = 0;
    if (const LSTATUS st = beginOnKey(key, Access::Read, &txn, &id); st != ERROR_SUCCESS)
        return st;
    Stmt s(db_, "SELECT name FROM keys WHERE parent = ?1 ORDER BY folded LIMIT 1 OFFSET ?2");
    s.bind(1, id).bind(2, int64_t(index));
    if (const LSTATUS st = firstRow(s, ERROR_NO_MORE_ITEMS); st != ERROR_SUCCESS)
        return st;
    if (subKeyName)
        *subKeyName = s.text(0);
    return ERROR_SUCCESS;
}

LSTATUS Registry::RegQueryInfoKey(const RegKey& key, uint32_t* subKeyCount, uint32_t* valueCount) {
    Txn txn;
    int64_t id = 0;
    if (const LSTATUS st = beginOnKey(key, Access::Read, &txn, &id); st != ERROR_SUCCESS)
        return st;
    Stmt s(db_, "SELECT (SELECT count(*) FROM keys WHERE parent = ?1),"
                " (SELECT count(*) FROM vals WHERE key = ?1)");
    s.bind(1, id);
    if (s.step() != SQLITE_ROW)
        return ERROR_CANTREAD;
    if (subKeyCount)
        *subKeyCount = uint32_t(s.int64(0));
    if (valueCount)
        *valueCount = uint32_t(s.int64(1));
    return ERROR_SUCCESS;
}

std::optional<QString> Registry::queryString(const RegKey& key, const QString& valueName,
                                             uint32_t maxBytes) {
    uint32_t size = 0;
    if (RegQueryValueEx(key, valueName, nullptr, nullptr, &size) != ERROR_SUCCESS ||
        size > maxBytes)
        return std::nullopt;
    QByteArray buffer(qsizetype(size), Qt::Uninitialized);
    // The value may have changed between the two queries; a grown value fails.
    if (RegQueryValueEx(key, valueName, nullptr, buffer.data(), &size) != ERROR_SUCCESS)
        return std::nullopt;
    buffer.truncate(size);
    return decodeString(buffer);
}

std::optional<uint32_t> Registry::queryDword(const RegKey& key, const QString& valueName) {
    unsigned char bytes[4] = {};
    uint32_t size = sizeof bytes;
    if (RegQueryValueEx(key, valueName, nullptr, bytes, &size) != ERROR_SUCCESS || size != 4)
        return std::nullopt;
    return qFromLittleEndian<uint32_t>(bytes);
}

LSTATUS Registry::setString(const RegKey& key, const QString& valueName, const QString& value) {
    const QByteArray data = encodeString(value);
    return RegSetValueEx(key, valueName, REG_SZ, data.constData(), uint32_t(data.size()));
}

LSTATUS Registry::setDword(const RegKey& key, const QString& valueName, uint32_t value) {
    unsigned char bytes[4];
    qToLittleEndian(value, bytes);
    return RegSetValueEx(key, valueName, REG_DWORD, bytes, sizeof bytes);
}

QByteArray Registry::encodeString(const QString& text) {
    QByteArray out;
    out.resize((text.size() + 1) * 2);
    auto* p = reinterpret_cast<unsigned char*>(out.data());
    for (qsizetype i = 0; i < text.size(); ++i)
        qToLittleEndian<uint16_t>(text.at(i).unicode(), p + 2 * i);
    p[text.size() * 2] = 0;
    p[text.size() * 2 + 1] = 0;
    return out;
}

QString Registry::decodeString(QByteArrayView data) {
    const qsizetype units = data.size() / 2;
    QString out;
    out.reserve(units);
    const auto* p = reinterpret_cast<const unsigned char*>(data.data());
    for (qsizetype i = 0; i < units; ++i) {
        const auto unit = qFromLittleEndian<uint16_t>(p + 2 * i);
        if (unit == 0)
            break;
        out.append(QChar(unit));
    }
    return out;
}
