#include "CQSDFileClipboard.h"

bool CQSDFileClipboard::setSourceFolder(const QsdFileSystem& fs, const QString& folder) {
    const auto d = fs.stat(folder);
    if (!d || !d->isFolder())
        return false;
    sourceFolder = qsdpath::withSlash(folder);
    return true;
}

bool CQSDFileClipboard::addName(const QsdFileSystem& fs, const QString& name) {
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
    return !(mode == Cut && qsdpath::samePath(sourceFolder, folder));
}
