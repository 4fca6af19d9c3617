#pragma once

#include <QString>

struct sqlite3;

// Opens the registry database at path, creating its folder (0700), its file
// (0600) and its tables when missing, in WAL mode with a busy timeout. Null
// when the file can't be opened for writing, is not a regular file, or is not
// a usable database.
sqlite3* openRegistryDatabase(const QString& path);
