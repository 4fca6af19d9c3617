#pragma once

#include <QIcon>

// The compiled-in images of the file list and the folder tree.
namespace qsdicons {
// One of the 14 icon classes of the file list.
QIcon fileIcon(int iconClass);
QIcon folderIcon();
QIcon openFolderIcon();
QIcon deviceIcon();
} // namespace qsdicons
