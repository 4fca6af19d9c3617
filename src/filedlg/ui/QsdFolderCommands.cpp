#include "QsdFolderCommands.h"

#include "CQSDFolderTree.h"
#include "CommandIds.h"
#include "QsdDeleteOperations.h"
#include "QsdFolderOperations.h"
#include "QsdMenus.h"
#include "QsdTypes.h"

#include <QMenu>
#include <QTimer>

using namespace cmd;

QsdFolderCommands::QsdFolderCommands(QsdServices& services, CQSDFolderTree& tree, QWidget& owner)
    : services_(services), tree_(tree), owner_(owner) {}

QMenu* QsdFolderCommands::buildMenu(uint32_t flags) const {
    QMenu* menu = qsdmenu::popup(IDR_QSD_CONTEXT, 1, &owner_);
    const bool atRoot = tree_.currentItem() == tree_.rootItem() || !tree_.currentItem();
    qsdmenu::setEnabled(menu, ID_QSD_FOLDER_DELETE, !atRoot);
    qsdmenu::setEnabled(menu, ID_QSD_FOLDER_PROPERTIES, !atRoot);
    if (flags & qsd::NO_OK_CANCEL_MENU) {
        qsdmenu::remove(menu, IDOK);
        qsdmenu::remove(menu, IDCANCEL);
    }
    return menu;
}

int QsdFolderCommands::runMenu(const QPoint& globalPos, uint32_t flags) const {
    QMenu* menu = buildMenu(flags);
    const int id = qsdmenu::idOf(menu->exec(globalPos));
    tree_.noteMenuClosed();
    menu->deleteLater();
    return id;
}

bool QsdFolderCommands::rename(QTreeWidgetItem* item, const QString& label) {
    QsdMessenger messenger(services_.messages, &owner_);
    QsdFolderOperations ops(services_.fs, messenger);
    QString renamed;
    switch (ops.RenameFolder(CQSDFolderTree::pathOf(item), label, renamed)) {
    case QsdFolderOperations::RenameOutcome::Renamed:
        item->setData(0, CQSDFolderTree::PathRole, renamed);
        tree_.reread(item);
        if (folderChanged)
            folderChanged(renamed);
        QTimer::singleShot(0, &owner_, [item, name = label.trimmed()] { item->setText(0, name); });
        return true;
    case QsdFolderOperations::RenameOutcome::EditAgain:
        QTimer::singleShot(0, &owner_, [this, item] { tree_.editLabel(item); });
        return false;
    default:
        return false;
    }
}

void QsdFolderCommands::newFolder() {
    QTreeWidgetItem* parent = tree_.currentItem();
    if (!parent)
        return;
    QsdMessenger messenger(services_.messages, &owner_);
    QsdFolderOperations ops(services_.fs, messenger);
    const QString label = ops.NewFolder(tree_.currentPath());
    if (label.isEmpty())
        return;
    tree_.reread(parent);
    parent->setExpanded(true);
    for (int i = 0; i < parent->childCount(); ++i) {
        if (parent->child(i)->text(0) == label) {
            tree_.editLabel(parent->child(i));
            break;
        }
    }
}

void QsdFolderCommands::deleteFolder() {
    QTreeWidgetItem* item = tree_.currentItem();
    if (!item || item == tree_.rootItem())
        return;
    QsdMessenger messenger(services_.messages, &owner_);
    QsdDeleteOperations ops(services_.fs, messenger);
    const auto outcome = ops.DeleteFolder(tree_.currentPath());
    QTreeWidgetItem* parent = item->parent();
    if (outcome == QsdDeleteOperations::FolderOutcome::Deleted) {
        tree_.setCurrentItem(parent);
        delete item;
    }
}
