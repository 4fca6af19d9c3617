#pragma once

#include <QString>

struct sqlite3;

// Why the settings store is only read or not used at all. The application
// tells the user in words of its string table.
enum class StoreProblem {
    None,
    ReadOnly,       // read; changes are not saved
    Foreign,        // another program's database
    Damaged,        // damaged, or not a database at all
    NoPath,         // no path to keep it at
    FolderNotMade,  // a folder of its path can't be made (error)
    FileNotMade,    // the file can't be made (error)
    NotOpened,      // the file can't be opened (error)
    FolderInPlace,  // a folder has its name
    NotRegularFile, // a pipe, device or socket has its name
    NotReadable,    // the file can't be read (error)
    TablesNotMade,  // its tables or journal can't be set up
};

// The registry database as it could be opened.
struct RegistryDatabase {
    sqlite3* db = nullptr;
    bool readOnly = false;
    StoreProblem problem = StoreProblem::None;
    // The system's error number where the problem has one, else 0.
    int error = 0;
};

// Opens the registry database at path, creating its missing folders (0700),
// its file (0600) and its tables, in WAL mode with a busy timeout. A file that
// can't be written is opened for reading only. A file that is not a database,
// is damaged, or is another program's database is never written to: no
// database then (db null), with the reason in `problem`, as for a folder in
// its place or a path that can't be made.
RegistryDatabase openRegistryDatabase(const QString& path);
