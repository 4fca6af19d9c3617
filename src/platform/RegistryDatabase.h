#pragma once

#include <QString>

struct sqlite3;

// The registry database as it could be opened.
struct RegistryDatabase {
    sqlite3* db = nullptr;
    bool readOnly = false;
    // Empty when the store is fully usable; else why it is only read or not
    // used at all, in words for the user.
    QString problem;
};

// Opens the registry database at path, creating its missing folders (0700),
// its file (0600) and its tables, in WAL mode with a busy timeout. A file that
// can't be written is opened for reading only. A file that is not a database,
// is damaged, or is another program's database is never written to: no
// database then (db null), with the reason in `problem`, as for a folder in
// its place or a path that can't be made.
RegistryDatabase openRegistryDatabase(const QString& path);
