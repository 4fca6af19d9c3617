#include "CQSDFileClipboard.h"

#include "FilePath.h"

bool CQSDFileClipboard::setSourceFolder(const FileSystem& fs, const QString& folder) {
    const auto d = fs.stat(folder);
    if (!d || !d->isFolder())
        return false;
    sourceFolder = filepath::withSlash(folder);
    return true;
}

bool CQSDFileClipboard::addName(const FileSystem& fs, const QString& name) {
    const auto d = fs.stat(sourceFolder + name);
    if (sourceFolder.isEmpty() || !d)
        return false;
    names << name;
    if (d->isFolder())
        holdsFolders = true;
    return true;
}

void CQSDFileClipboard::clear() {
    mode = Copy;
    holdsFolders = false;
    sourceFolder.clear();
    names.clear();
    pastedNames.clear();
}

bool CQSDFileClipboard::canPasteInto(const QString& folder) const {
    if (names.isEmpty())
        return false;
    return !(mode == Cut && filepath::samePath(sourceFolder, folder));
}
