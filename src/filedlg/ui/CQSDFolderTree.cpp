#include "CQSDFolderTree.h"

#include "FilePath.h"
#include "QsdIcons.h"
#include "StringTable.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyledItemDelegate>

namespace {

// How long after a context menu closed a tap still belongs to the menu.
constexpr int kTapGuardMs = 50;

// Hands the edited label to the tree's rename handler before taking it.
class LabelDelegate : public QStyledItemDelegate {
  public:
    LabelDelegate(CQSDFolderTree* tree) : QStyledItemDelegate(tree), tree_(tree) {}
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        QTreeWidgetItem* item = tree_->itemFromIndex(index);
        const QString text = editor->property("text").toString();
        if (tree_->renameHandler && !tree_->renameHandler(item, text))
            return;
        QStyledItemDelegate::setModelData(editor, model, index);
    }

  private:
    CQSDFolderTree* tree_;
};

} // namespace

CQSDFolderTree::CQSDFolderTree(const FileSystem& fs, QWidget* parent)
    : QTreeWidget(parent), fs_(fs) {
    setHeaderHidden(true);
    setColumnCount(1);
    setIconSize(QSize(16, 16));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setItemDelegate(new LabelDelegate(this));
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);
    auto* root = new QTreeWidgetItem(this, {res::loadString(30307, u"My Device"_qs)});
    root->setData(0, PathRole, u"/"_qs);
    root->setIcon(0, qsdicons::deviceIcon());
    addPlaceholder(root);
    connect(this, &QTreeWidget::itemExpanded, this, &CQSDFolderTree::fillChildren);
    connect(this, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* item) {
        qDeleteAll(item->takeChildren());
        addPlaceholder(item);
        if (item != rootItem())
            item->setIcon(0, qsdicons::folderIcon());
    });
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item)
            emit folderChanged(pathOf(item));
    });
    hold_.setSingleShot(true);
    connect(&hold_, &QTimer::timeout, this, [this] { emit contextMenuRequested(holdPos_); });
}

QString CQSDFolderTree::pathOf(const QTreeWidgetItem* item) {
    return item ? item->data(0, PathRole).toString() : QString();
}

QString CQSDFolderTree::currentPath() const {
    const QString p = pathOf(currentItem());
    return p.isEmpty() ? u"/"_qs : p;
}

void CQSDFolderTree::addPlaceholder(QTreeWidgetItem* item) {
    new QTreeWidgetItem(item);
}

void CQSDFolderTree::fillChildren(QTreeWidgetItem* item) {
    const QString path = pathOf(item);
    if (path.isEmpty())
        return;
    qDeleteAll(item->takeChildren());
    std::vector<FindData> entries;
    fs_.list(path, entries);
    for (const FindData& e : entries) {
        if (!e.isFolder())
            continue;
        auto* child = new QTreeWidgetItem(item, {e.name});
        child->setData(0, PathRole, path + e.name + u'/');
        child->setIcon(0, qsdicons::folderIcon());
        child->setFlags(child->flags() | Qt::ItemIsEditable);
        addPlaceholder(child);
    }
    item->sortChildren(0, Qt::AscendingOrder);
    if (item != rootItem())
        item->setIcon(0, qsdicons::openFolderIcon());
}

void CQSDFolderTree::reread(QTreeWidgetItem* item) {
    if (!item)
        return;
    const bool wasExpanded = item->isExpanded();
    qDeleteAll(item->takeChildren());
    addPlaceholder(item);
    if (wasExpanded)
        fillChildren(item);
}

RESULT CQSDFolderTree::moveTo(const QString& folder) {
    const auto d = fs_.statTarget(folder);
    if (!d || !d->isFolder())
        return rc::NOT_EXISTING;
    QTreeWidgetItem* item = rootItem();
    const QStringList parts = filepath::normalize(folder).split(u'/', Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        if (!item->isExpanded())
            item->setExpanded(true);
        else if (item->childCount() == 1 && pathOf(item->child(0)).isEmpty())
            fillChildren(item);
        QTreeWidgetItem* next = nullptr;
        for (int i = 0; i < item->childCount() && !next; ++i)
            if (item->child(i)->text(0) == part)
                next = item->child(i);
        for (int i = 0; i < item->childCount() && !next; ++i)
            if (item->child(i)->text(0).compare(part, Qt::CaseInsensitive) == 0)
                next = item->child(i);
        if (!next)
            next = linkedChild(item, part);
        if (!next)
            return rc::NOT_EXISTING;
        item = next;
    }
    item->setExpanded(true);
    setCurrentItem(item);
    scrollToItem(item);
    return rc::SUCCESS;
}

QTreeWidgetItem* CQSDFolderTree::linkedChild(QTreeWidgetItem* parent, const QString& name) {
    const QString path = pathOf(parent) + name + u'/';
    const auto d = fs_.statTarget(path);
    if (!d || !d->isFolder())
        return nullptr;
    auto* child = new QTreeWidgetItem(parent, {name});
    child->setData(0, PathRole, path);
    child->setIcon(0, qsdicons::folderIcon());
    addPlaceholder(child);
    return child;
}

void CQSDFolderTree::editLabel(QTreeWidgetItem* item) {
    if (!item || item == rootItem())
        return;
    setCurrentItem(item);
    emit labelEditingStarted();
    editItem(item, 0);
}

bool CQSDFolderTree::outsideLabel(const QPoint& pos) const {
    const QModelIndex index = indexAt(pos);
    if (!index.isValid())
        return true;
    const QRect r = visualRect(index);
    return pos.x() < r.left() ||
           pos.x() > r.left() + fontMetrics().horizontalAdvance(index.data().toString()) + 24;
}

void CQSDFolderTree::mousePressEvent(QMouseEvent* event) {
    if ((options_ & qsd::ZOOM_SINGLE_TAP) && menuClosed_.isValid() &&
        menuClosed_.elapsed() < kTapGuardMs)
        return;
    if (event->button() == Qt::RightButton) {
        if (QTreeWidgetItem* item = itemAt(event->position().toPoint()))
            setCurrentItem(item);
        emit contextMenuRequested(event->globalPosition().toPoint());
        return;
    }
    if (outsideLabel(event->position().toPoint()))
        emit emptyAreaTapped(false);
    QTreeWidget::mousePressEvent(event);
    if (itemAt(event->position().toPoint())) {
        holdPos_ = event->globalPosition().toPoint();
        hold_.start((options_ & qsd::LONG_DELAY) ? 1000 : 500);
    }
}

void CQSDFolderTree::mouseMoveEvent(QMouseEvent* event) {
    if (hold_.isActive() && (event->globalPosition().toPoint() - holdPos_).manhattanLength() >
                                QApplication::startDragDistance())
        hold_.stop();
    QTreeWidget::mouseMoveEvent(event);
}

void CQSDFolderTree::mouseReleaseEvent(QMouseEvent* event) {
    hold_.stop();
    QTreeWidget::mouseReleaseEvent(event);
}

void CQSDFolderTree::mouseDoubleClickEvent(QMouseEvent* event) {
    if (outsideLabel(event->position().toPoint()))
        emit emptyAreaTapped(true);
    QTreeWidget::mouseDoubleClickEvent(event);
}

void CQSDFolderTree::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !isEditingLabel()) {
        emit enterPressed();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void CQSDFolderTree::focusInEvent(QFocusEvent* event) {
    QTreeWidget::focusInEvent(event);
    emit focusEntered();
}
