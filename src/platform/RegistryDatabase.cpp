#include "RegistryDatabase.h"

#include "RegistryStatement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using regsql::exec;
using regsql::Stmt;

namespace {
constexpr int kBusyTimeoutMs = 5000;
} // namespace

sqlite3* openRegistryDatabase(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    if (native.isEmpty())
        return nullptr;

    // Create the folder (0700) and the file (0600) ourselves, so that the
    // database never becomes readable by others through the umask.
    const QString folder = QFileInfo(path).absolutePath();
    if (!QFileInfo::exists(folder)) {
        if (!QDir().mkpath(folder))
            return nullptr;
        ::chmod(QFile::encodeName(folder).constData(), 0700);
    }
    const int fd = ::open(native.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        // A symbolic link to the database is fine; anything else that can't
        // be opened for writing (a folder, no permission) is not.
        struct stat st {};
        if (::stat(native.constData(), &st) != 0 || !S_ISREG(st.st_mode))
            return nullptr;
        const int fd2 = ::open(native.constData(), O_RDWR | O_CLOEXEC);
        if (fd2 < 0)
            return nullptr;
        ::close(fd2);
    } else {
        struct stat st {};
        const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
        ::close(fd);
        if (!regular)
            return nullptr;
    }

    sqlite3* db = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(native.constData(), &db, flags, nullptr) != SQLITE_OK ||
        sqlite3_db_readonly(db, "main") != 0) {
        sqlite3_close_v2(db);
        return nullptr;
    }
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    bool ok = exec(db, "PRAGMA foreign_keys = ON");
    {
        Stmt wal(db, "PRAGMA journal_mode = WAL");
        ok = ok && wal.step() == SQLITE_ROW;
    }
    ok = ok && exec(db, "PRAGMA synchronous = NORMAL");
    ok = ok && exec(db, "BEGIN IMMEDIATE");
    if (ok) {
        ok = exec(db, "CREATE TABLE IF NOT EXISTS keys ("
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
        ok = ok ? exec(db, "COMMIT") : (exec(db, "ROLLBACK"), false);
    }
    if (!ok) {
        sqlite3_close_v2(db);
        return nullptr;
    }
    return db;
}
