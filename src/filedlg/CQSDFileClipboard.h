#pragma once

#include "FileSystem.h"

#include <QStringList>

// The file list's own clipboard of copied or cut names, independent of the
// system clipboard.
class CQSDFileClipboard {
  public:
    enum Mode { Copy = 0, Cut = 1 };

    // Sets the source folder when it exists and is a folder; false otherwise.
    bool setSourceFolder(const FileSystem& fs, const QString& folder);
    // Adds a name when source folder + name exists.
    bool addName(const FileSystem& fs, const QString& name);
    void clear();

    Mode mode = Copy;
    bool holdsFolders = false;
    QString sourceFolder; // ends with "/"
    QStringList names;
    QStringList pastedNames;

    bool isEmpty() const { return names.isEmpty(); }
    // Paste is refused for an empty clipboard or a cut from the same folder.
    bool canPasteInto(const QString& folder) const;
};
