#pragma once

#include "FileSystem.h"
#include "QsdTypes.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QTreeWidget>
#include <functional>

// The folder tree of the file select dialog: one root item "マイ デバイス"
// for "/", with folders read as items are expanded. Symbolic links are not
// listed as folders (they show in the file list as shortcuts), but a folder
// reached through one gets its item when the tree is moved there.
class CQSDFolderTree : public QTreeWidget {
    Q_OBJECT
  public:
    CQSDFolderTree(const FileSystem& fs, QWidget* parent = nullptr);

    static constexpr int PathRole = Qt::UserRole + 1;

    void setOptionBits(uint32_t bits) { options_ = bits; }
    QTreeWidgetItem* rootItem() const { return topLevelItem(0); }
    // The selected folder, ending with "/".
    QString currentPath() const;
    static QString pathOf(const QTreeWidgetItem* item);
    // Selects a folder, expanding one level at a time; NOT_EXISTING leaves
    // the tree as it was.
    RESULT moveTo(const QString& folder);
    // Reads the children of an item again.
    void reread(QTreeWidgetItem* item);
    // Starts label editing (never on the root).
    void editLabel(QTreeWidgetItem* item);
    // The dialog closed a context menu of the tree: with single-tap zoom, a
    // tap in the next 50 ms is the menu's own and is ignored.
    void noteMenuClosed() { menuClosed_.start(); }
    bool isEditingLabel() const { return state() == QAbstractItemView::EditingState; }
    // Decides a finished label edit: true takes the new label.
    std::function<bool(QTreeWidgetItem*, const QString&)> renameHandler;

  signals:
    void folderChanged(const QString& folder);
    void contextMenuRequested(const QPoint& globalPos);
    void emptyAreaTapped(bool doubleTap);
    void focusEntered();
    void enterPressed();
    void labelEditingStarted();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

  private:
    void fillChildren(QTreeWidgetItem* item);
    void addPlaceholder(QTreeWidgetItem* item);
    // The item of a folder that is no folder entry of its parent (a symbolic
    // link to a folder), added on the way to it; null when there is none.
    QTreeWidgetItem* linkedChild(QTreeWidgetItem* parent, const QString& name);
    bool outsideLabel(const QPoint& pos) const;

    const FileSystem& fs_;
    uint32_t options_ = 0;
    QTimer hold_;
    QElapsedTimer menuClosed_;
    QPoint holdPos_;
};
