#pragma once

#include "RegistryDatabase.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <optional>

struct sqlite3;

// Result codes, value types and dispositions of the registry, with the values
// the editor's registry code has always compared against.
namespace reg {
using LSTATUS = int32_t;
constexpr LSTATUS ERROR_SUCCESS = 0;
constexpr LSTATUS ERROR_FILE_NOT_FOUND = 2; // no such key or value
constexpr LSTATUS ERROR_INVALID_HANDLE = 6; // a closed or default-constructed RegKey
constexpr LSTATUS ERROR_INVALID_PARAMETER = 87;
constexpr LSTATUS ERROR_MORE_DATA = 234; // the caller's buffer is too small
constexpr LSTATUS ERROR_NO_MORE_ITEMS = 259;
constexpr LSTATUS ERROR_CANTREAD = 1012;    // the database can't be opened or read
constexpr LSTATUS ERROR_CANTWRITE = 1013;   // the database can't be written
constexpr LSTATUS ERROR_KEY_DELETED = 1018; // the key of an open handle was deleted meanwhile

constexpr uint32_t REG_NONE = 0;
constexpr uint32_t REG_SZ = 1;
constexpr uint32_t REG_EXPAND_SZ = 2;
constexpr uint32_t REG_BINARY = 3;
constexpr uint32_t REG_DWORD = 4;

constexpr uint32_t REG_CREATED_NEW_KEY = 1;
constexpr uint32_t REG_OPENED_EXISTING_KEY = 2;

enum class Root : int { CurrentUser = 1, ClassesRoot = 2 };
} // namespace reg

// An open key: the root and the full path below it, in the spelling it was
// opened with. A handle names its key by path, so it stays cheap to copy and
// keeps working across processes; once its key is deleted (by anyone), the
// operations on it fail with ERROR_KEY_DELETED until the key is created again.
class RegKey {
  public:
    RegKey() = default;
    RegKey(reg::Root root, QString path) : root_(root), path_(std::move(path)), valid_(true) {}

    bool isValid() const { return valid_; }
    reg::Root root() const { return root_; }
    // "Software\Orvane\Tavlo Text Editor"; empty for a root.
    const QString& path() const { return path_; }

  private:
    reg::Root root_ = reg::Root::CurrentUser;
    QString path_;
    bool valid_ = false;
};

inline const RegKey HKEY_CURRENT_USER{reg::Root::CurrentUser, QString()};
inline const RegKey HKEY_CLASSES_ROOT{reg::Root::ClassesRoot, QString()};

// The registry of the device, kept in one SQLite database that every editor
// process of the user shares.
//
// - Keys have "\"-separated paths below one of the two roots. Key and value
//   names are compared without regard to case; each keeps the spelling it was
//   created with, which enumeration reports. Empty path components ("a\\b",
//   a leading or trailing "\") are invalid. A value named "" is the key's
//   default value.
// - Values are typed (REG_SZ, REG_DWORD, REG_BINARY, or any other number) and
//   kept as the exact bytes written. A REG_SZ written through setString is
//   UTF-16LE with its terminating NUL: (characters + 1) * 2 bytes.
// - Queries take the caller's buffer size in bytes: a null data pointer with a
//   size pointer asks for the size; a value larger than the buffer fails with
//   ERROR_MORE_DATA and reports the size needed, as the device's registry does.
// - Sub-keys are enumerated in the order of their names (without regard to
//   case), values in the order they were first written; an index past the end
//   gives ERROR_NO_MORE_ITEMS. Deleting while walking the indices downwards is
//   safe.
// - Every operation is one transaction, so several processes may use the
//   database at once; a locked database is waited for (busy timeout 5 s).
//   A group of operations that must change together (or be read together)
//   runs inside a RegTransaction: other processes see all of it or none.
// - A database file that can't be written is read only: its values are there,
//   writes fail with ERROR_CANTWRITE. A database that can't be opened, is
//   corrupt, is another program's, or lies where a folder is behaves as an
//   empty store, and is never written to: reads fail with ERROR_CANTREAD
//   (callers fall back to their defaults), writes with ERROR_CANTWRITE.
//   problem() says why, for the user. Nothing throws.
//
// The database is the path given to the constructor, else $TAVLO_REGISTRY,
// else $XDG_CONFIG_HOME/tavlo/registry.sqlite (~/.config when unset). A new
// database file is created with mode 0600 in a folder created with 0700.
//
// Not thread-safe: one Registry per thread (the editor uses it on its
// user-interface thread only).
class Registry {
  public:
    using LSTATUS = reg::LSTATUS;

    explicit Registry(const QString& databasePath = QString());
    ~Registry();
    Registry(const Registry&) = delete;
    Registry& operator=(const Registry&) = delete;

    // $TAVLO_REGISTRY, else $XDG_CONFIG_HOME/tavlo/registry.sqlite.
    static QString defaultDatabasePath();
    const QString& databasePath() const { return path_; }
    // True when the database could be opened (perhaps for reading only). A
    // store that is not available is retried at each operation.
    bool isAvailable();
    // None when the store can be read and written; else why it is read only
    // or not used, with the system's error number where there is one.
    StoreProblem problem() const { return problem_; }
    int problemError() const { return problemError_; }

    // Creates the sub-key and every missing key on its path, or opens it when
    // it exists. An empty subKey opens parent itself.
    LSTATUS RegCreateKeyEx(const RegKey& parent, const QString& subKey, RegKey* result,
                           uint32_t* disposition = nullptr);
    // Opens an existing key; ERROR_FILE_NOT_FOUND when it doesn't exist.
    LSTATUS RegOpenKeyEx(const RegKey& parent, const QString& subKey, RegKey* result);
    // Invalidates the handle. Handles hold no database resources.
    LSTATUS RegCloseKey(RegKey& key);
    // Deletes the key with all its sub-keys and values. subKey must not be empty.
    LSTATUS RegDeleteKey(const RegKey& parent, const QString& subKey);

    // type and dataSize may be null. See the class comment for the size rules.
    LSTATUS RegQueryValueEx(const RegKey& key, const QString& valueName, uint32_t* type, void* data,
                            uint32_t* dataSize);
    LSTATUS RegSetValueEx(const RegKey& key, const QString& valueName, uint32_t type,
                          const void* data, uint32_t dataSize);
    LSTATUS RegDeleteValue(const RegKey& key, const QString& valueName);

    // The value at index: its name (ERROR_MORE_DATA when longer than
    // maxNameChars characters), type and data (size rules as for queries).
    LSTATUS RegEnumValue(const RegKey& key, uint32_t index, QString* valueName, uint32_t* type,
                         void* data, uint32_t* dataSize, uint32_t maxNameChars = 16383);
    LSTATUS RegEnumKeyEx(const RegKey& key, uint32_t index, QString* subKeyName);
    LSTATUS RegQueryInfoKey(const RegKey& key, uint32_t* subKeyCount, uint32_t* valueCount);

    // Conveniences over the calls above.
    // The string of a value of at most maxBytes bytes, ending at its first NUL.
    std::optional<QString> queryString(const RegKey& key, const QString& valueName,
                                       uint32_t maxBytes = 0xFFFFFFFFu);
    // A value of exactly 4 bytes of any type, read as a little-endian number.
    std::optional<uint32_t> queryDword(const RegKey& key, const QString& valueName);
    LSTATUS setString(const RegKey& key, const QString& valueName, const QString& value);
    LSTATUS setDword(const RegKey& key, const QString& valueName, uint32_t value);

    // UTF-16LE with the terminating NUL, as REG_SZ data is stored.
    static QByteArray encodeString(const QString& text);
    // REG_SZ data back to text: ends at the first NUL; an odd last byte is dropped.
    static QString decodeString(QByteArrayView data);

    // The calls between begin and commit as one transaction (see
    // RegTransaction, which is how callers use these). A writing one takes the
    // write lock at once. False when the database can't be used or a
    // transaction is already open.
    bool beginTransaction(bool write);
    bool commitTransaction();
    void rollbackTransaction();

  private:
    struct Txn;
    enum class Access { Read, Write };
    bool ensureOpen();
    void closeDatabase();
    LSTATUS resolveKey(const RegKey& key, int64_t* id, LSTATUS missing);
    // The start of every operation on a key: the handle checked, the database
    // opened, *txn begun (a writer takes the write lock at once) and the key's
    // row id found. A missing key gives `missing`; a database that can't be
    // opened or read gives ERROR_CANTREAD for a reader, ERROR_CANTWRITE for a
    // writer.
    LSTATUS beginOnKey(const RegKey& key, Access access, Txn* txn, int64_t* id,
                       LSTATUS missing = reg::ERROR_KEY_DELETED);
    // A write that did not happen, noted for the transaction that spans
    // several calls; gives status back.
    LSTATUS writeFailed(LSTATUS status = reg::ERROR_CANTWRITE);
    LSTATUS queryInto(const QByteArray& stored, uint32_t storedType, uint32_t* type, void* data,
                      uint32_t* dataSize);

    QString path_;
    StoreProblem problem_ = StoreProblem::None;
    int problemError_ = 0;
    bool writeFailed_ = false;
    sqlite3* db_ = nullptr;
};

// Several registry calls as one transaction: begun by the constructor,
// committed by commit(), rolled back when it goes out of scope uncommitted
// (a kill of the process rolls it back too). Other processes never see part
// of it. Within it each call reports its own result, and a write that failed
// makes commit() roll the whole group back: the old set stays.
class RegTransaction {
  public:
    enum Mode { Read, Write };
    RegTransaction(Registry& registry, Mode mode)
        : registry_(registry), active_(registry.beginTransaction(mode == Write)) {}
    ~RegTransaction() {
        if (active_)
            registry_.rollbackTransaction();
    }
    RegTransaction(const RegTransaction&) = delete;
    RegTransaction& operator=(const RegTransaction&) = delete;

    // False when the transaction could not begin or its commit failed.
    bool commit() {
        const bool ok = active_ && registry_.commitTransaction();
        active_ = false;
        return ok;
    }

  private:
    Registry& registry_;
    bool active_;
};
