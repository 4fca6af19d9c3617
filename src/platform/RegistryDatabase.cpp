#include "RegistryDatabase.h"

#include "FileNameBytes.h"
#include "FilePath.h"
#include "RegistryStatement.h"

#include <QThread>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using regsql::exec;
using regsql::Stmt;

namespace {

constexpr int kBusyTimeoutMs = 5000;

// Creates every missing folder of `folder`, each private to the user.
bool makeFolders(const QByteArray& folder, int* error) {
    for (qsizetype at = 1; at <= folder.size(); ++at) {
        if (at < folder.size() && folder[at] != '/')
            continue;
        const QByteArray prefix = folder.left(at);
        struct stat st {};
        if (::stat(prefix.constData(), &st) == 0)
            continue;
        if (::mkdir(prefix.constData(), 0700) != 0 && errno != EEXIST) {
            *error = errno;
            return false;
        }
        ::chmod(prefix.constData(), 0700);
    }
    return true;
}

// A file name as the path of a "file:" URI, every byte but the plainest
// escaped.
QByteArray uriPath(const QByteArray& native) {
    QByteArray out;
    for (const char c : native) {
        const auto u = static_cast<unsigned char>(c);
        if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') ||
            u == '/' || u == '.' || u == '-' || u == '_')
            out += c;
        else
            out += '%' + QByteArray::number(u, 16).rightJustified(2, '0');
    }
    return out;
}

sqlite3* openSqlite(const QByteArray& native, bool readOnly, bool immutable) {
    sqlite3* db = nullptr;
    QByteArray uri = "file:" + uriPath(native);
    if (readOnly)
        uri += immutable ? "?immutable=1" : "?mode=ro";
    const int flags = (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) |
                      SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_URI;
    if (sqlite3_open_v2(uri.constData(), &db, flags, nullptr) != SQLITE_OK) {
        sqlite3_close_v2(db);
        return nullptr;
    }
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    return db;
}

enum class Content { Ours, Empty, Foreign, Unreadable };

// What the file holds, read without writing a byte to it.
Content contentOf(sqlite3* db) {
    Stmt s(db, "SELECT count(*), coalesce(sum(name IN ('keys', 'vals')), 0) FROM sqlite_master "
               "WHERE type = 'table'");
    if (s.step() != SQLITE_ROW)
        return Content::Unreadable;
    if (s.int64(0) == 0)
        return Content::Empty;
    return s.int64(1) == 2 ? Content::Ours : Content::Foreign;
}

// The switch to WAL needs a moment with no other connection; several editors
// creating the store at once wait their turn instead of failing.
bool switchToWal(sqlite3* db) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        Stmt wal(db, "PRAGMA journal_mode = WAL");
        const int rc = wal.step();
        if (rc == SQLITE_ROW)
            return true;
        if (rc != SQLITE_BUSY && rc != SQLITE_LOCKED)
            return false;
        QThread::msleep(50);
    }
    return false;
}

bool createTables(sqlite3* db) {
    if (!exec(db, "BEGIN IMMEDIATE"))
        return false;
    const bool ok = exec(db, "CREATE TABLE IF NOT EXISTS keys ("
                             " id INTEGER PRIMARY KEY,"
                             " root INTEGER NOT NULL,"
                             " parent INTEGER REFERENCES keys(id) ON DELETE CASCADE,"
                             " folded TEXT NOT NULL,"
                             " name TEXT NOT NULL,"
                             " UNIQUE(root, folded))") &&
                    exec(db, "CREATE INDEX IF NOT EXISTS keys_children ON keys(parent, folded)") &&
                    exec(db, "CREATE TABLE IF NOT EXISTS vals ("
                             " key INTEGER NOT NULL REFERENCES keys(id) ON DELETE CASCADE,"
                             " folded TEXT NOT NULL,"
                             " name TEXT NOT NULL,"
                             " type INTEGER NOT NULL,"
                             " data BLOB NOT NULL,"
                             " UNIQUE(key, folded))") &&
                    // The values of a key in the order they were written (rowid).
                    exec(db, "CREATE INDEX IF NOT EXISTS vals_by_key ON vals(key)") &&
                    exec(db, "INSERT OR IGNORE INTO keys(root, parent, folded, name) VALUES"
                             " (1, NULL, '', ''), (2, NULL, '', '')");
    return ok ? exec(db, "COMMIT") : (exec(db, "ROLLBACK"), false);
}

RegistryDatabase unusable(StoreProblem why, int error = 0) {
    RegistryDatabase result;
    result.problem = why;
    result.error = error;
    return result;
}

// Opens a file that may only be read. A database in WAL mode needs its
// shared-memory file, which a read-only folder may lack: then it is read as
// it lies on the disk.
RegistryDatabase openForReading(const QByteArray& native) {
    for (const bool immutable : {false, true}) {
        sqlite3* db = openSqlite(native, true, immutable);
        if (!db)
            continue;
        switch (contentOf(db)) {
        case Content::Ours:
        case Content::Empty:
            return {db, true, StoreProblem::ReadOnly};
        case Content::Foreign:
            sqlite3_close_v2(db);
            return unusable(StoreProblem::Foreign);
        case Content::Unreadable:
            sqlite3_close_v2(db);
            break;
        }
    }
    return unusable(StoreProblem::Damaged);
}

} // namespace

RegistryDatabase openRegistryDatabase(const QString& path) {
    const QByteArray native = bytesFromText(path);
    if (native.isEmpty())
        return unusable(StoreProblem::NoPath);

    int error = 0;
    if (!makeFolders(bytesFromText(filepath::folderOf(filepath::absolutePath(path))), &error))
        return unusable(StoreProblem::FolderNotMade, error);
    // The file (0600) is made here, so that the database never becomes
    // readable by others through the umask.
    struct stat st {};
    if (::stat(native.constData(), &st) != 0) {
        const int fd = ::open(native.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0 && errno != EEXIST)
            return unusable(StoreProblem::FileNotMade, errno);
        if (fd >= 0)
            ::close(fd);
        if (::stat(native.constData(), &st) != 0)
            return unusable(StoreProblem::NotOpened, errno);
    }
    if (S_ISDIR(st.st_mode))
        return unusable(StoreProblem::FolderInPlace);
    if (!S_ISREG(st.st_mode))
        return unusable(StoreProblem::NotRegularFile);
    if (::access(native.constData(), R_OK) != 0)
        return unusable(StoreProblem::NotReadable, errno);
    // Root may write any file, but a store its user made read-only stays so.
    const bool writable =
        ::access(native.constData(), W_OK) == 0 && (::geteuid() != 0 || (st.st_mode & 0200));
    if (!writable)
        return openForReading(native);

    sqlite3* db = openSqlite(native, false, false);
    if (!db || sqlite3_db_readonly(db, "main") != 0) {
        sqlite3_close_v2(db);
        return openForReading(native);
    }
    exec(db, "PRAGMA foreign_keys = ON");
    const Content content = contentOf(db);
    if (content == Content::Foreign || content == Content::Unreadable) {
        sqlite3_close_v2(db);
        return unusable(content == Content::Foreign ? StoreProblem::Foreign
                                                    : StoreProblem::Damaged);
    }
    if (!switchToWal(db) || !exec(db, "PRAGMA synchronous = NORMAL") ||
        (content == Content::Empty && !createTables(db))) {
        sqlite3_close_v2(db);
        // A folder that can't take the journal files, a full disk: what is
        // there can still be read.
        return content == Content::Ours ? openForReading(native)
                                        : unusable(StoreProblem::TablesNotMade);
    }
    return {db, false, StoreProblem::None};
}
