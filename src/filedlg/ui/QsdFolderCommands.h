#pragma once

#include "QsdServices.h"

#include <QString>
#include <functional>

class CQSDFolderTree;
class QMenu;
class QTreeWidgetItem;
class QWidget;

// The folder tree's commands in the file select dialog: the tree's pop-up
// menu ("Folder" of menu 130), a new folder, deleting the selected folder and
// renaming a folder by editing its label. Messages and menus belong to the
// owner widget; folderChanged reports a folder that the list should show now.
class QsdFolderCommands {
  public:
    QsdFolderCommands(QsdServices& services, CQSDFolderTree& tree, QWidget& owner);

    std::function<void(const QString& folder)> folderChanged;

    // The tree's pop-up with its states; `flags` are the dialog's file select
    // flags (OK and Cancel go with NO_OK_CANCEL_MENU). The caller owns it.
    QMenu* buildMenu(uint32_t flags) const;
    // Shows the pop-up and returns the chosen command, 0 for none.
    int runMenu(const QPoint& globalPos, uint32_t flags) const;

    // Creates a folder below the selected one and starts editing its label.
    void newFolder();
    // Deletes the selected folder after asking; the caller fills the list
    // again, since part of it may be gone.
    void deleteFolder();
    // The end of label editing: true when the label is accepted.
    bool rename(QTreeWidgetItem* item, const QString& label);

  private:
    QsdServices& services_;
    CQSDFolderTree& tree_;
    QWidget& owner_;
};
