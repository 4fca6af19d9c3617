#include "CQSDFileList.h"

#include "CQSDFilePropertiesDialog.h"
#include "CommandIds.h"
#include "FilePath.h"
#include "QsdDeleteOperations.h"
#include "QsdFileOperations.h"
#include "QsdIconProxy.h"
#include "QsdIcons.h"
#include "QsdMenus.h"
#include "StringTable.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QListView>
#include <QMenu>
#include <QPalette>
#include <QStackedLayout>
#include <QTreeView>

using namespace cmd;

namespace {

constexpr int kTapGuardMs = 50;

} // namespace

CQSDFileList::CQSDFileList(QsdServices& services, QWidget* parent)
    : QWidget(parent), services_(services),
      model_(std::make_unique<QsdFileListModel>(services.fs, services.clock)) {
    model_->shortcutReader().setDecoder(services.lnkDecoder);
    proxy_ = new QsdIconProxy(this);
    proxy_->setSourceModel(model_.get());
    selection_ = new QItemSelectionModel(proxy_, this);

    details_ = new QTreeView(this);
    details_->setRootIsDecorated(false);
    details_->setUniformRowHeights(true);
    details_->setAllColumnsShowFocus(true);
    details_->setItemsExpandable(false);
    details_->setModel(proxy_);
    details_->setSelectionModel(selection_);
    details_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    details_->header()->setSectionsClickable(true);
    details_->header()->setStretchLastSection(false);
    details_->setTextElideMode(Qt::ElideRight);
    connect(details_->header(), &QHeaderView::sectionClicked, this, &CQSDFileList::SortByColumn);

    icons_ = new QListView(this);
    icons_->setModel(proxy_);
    icons_->setSelectionModel(selection_);
    icons_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    icons_->setResizeMode(QListView::Adjust);
    // Names differ in width; a large folder is laid out in batches so the
    // list stays responsive while it fills.
    icons_->setUniformItemSizes(false);
    icons_->setLayoutMode(QListView::Batched);
    icons_->setBatchSize(500);
    icons_->setWrapping(true);

    stack_ = new QStackedLayout(this);
    stack_->setContentsMargins(0, 0, 0, 0);
    stack_->addWidget(details_);
    stack_->addWidget(icons_);

    for (QAbstractItemView* v :
         {static_cast<QAbstractItemView*>(details_), static_cast<QAbstractItemView*>(icons_)}) {
        v->installEventFilter(this);
        v->viewport()->installEventFilter(this);
    }
    buildCommands();
    hold_.setSingleShot(true);
    connect(&hold_, &QTimer::timeout, this, [this] { showContextMenu(holdPos_); });
    connect(model_.get(), &QsdFileListModel::filling, this, [](bool busy) {
        if (busy)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    });
}

CQSDFileList::~CQSDFileList() = default;

void CQSDFileList::Create(const Options& options) {
    options_ = options;
    model_->setOptionBits(options.optionBits);
    model_->setResolveShortcuts(options.resolveShortcuts);
    if (!(options.optionBits & qsd::PLAIN_ICONS))
        model_->fillExtensionTables();
    style_ = options.style;
    applyStyle();
    applySelectionMode();
}

void CQSDFileList::applyStyle() {
    switch (style_) {
    case qsd::STYLE_DETAILS:
        stack_->setCurrentWidget(details_);
        setColumnWidths();
        return;
    case qsd::STYLE_LIST:
        icons_->setViewMode(QListView::ListMode);
        icons_->setFlow(QListView::TopToBottom);
        icons_->setIconSize(QSize(16, 16));
        icons_->setGridSize(QSize());
        break;
    case qsd::STYLE_LARGE_ICONS:
        icons_->setViewMode(QListView::IconMode);
        icons_->setIconSize(QSize(32, 32));
        icons_->setGridSize(QSize(80, 64));
        icons_->setMovement(QListView::Static);
        break;
    default:
        icons_->setViewMode(QListView::ListMode);
        icons_->setFlow(QListView::LeftToRight);
        icons_->setIconSize(QSize(16, 16));
        icons_->setGridSize(QSize(150, 22));
        break;
    }
    icons_->setWrapping(true);
    icons_->setResizeMode(QListView::Adjust);
    stack_->setCurrentWidget(icons_);
}

void CQSDFileList::applySelectionMode() {
    QAbstractItemView::SelectionMode mode = QAbstractItemView::SingleSelection;
    if (!options_.singleSelection)
        mode =
            multiMode_ ? QAbstractItemView::MultiSelection : QAbstractItemView::ExtendedSelection;
    details_->setSelectionMode(mode);
    icons_->setSelectionMode(mode);
    details_->setSelectionBehavior(QAbstractItemView::SelectRows);
}

void CQSDFileList::setColumnWidths() {
    const int w = details_->viewport()->width() > 0 ? details_->width() : width();
    details_->setColumnWidth(1, 50);
    details_->setColumnWidth(2, 70);
    details_->setColumnWidth(0, w < 220 ? w - 20 : w - 140);
}

void CQSDFileList::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    setColumnWidths();
}

QAbstractItemView* CQSDFileList::currentView() const {
    return style_ == qsd::STYLE_DETAILS ? static_cast<QAbstractItemView*>(details_)
                                        : static_cast<QAbstractItemView*>(icons_);
}

void CQSDFileList::SetFolder(const QString& folder) {
    model_->setFolder(folder);
}

RESULT CQSDFileList::Refill() {
    if (multiMode_)
        ToggleMultipleSelection();
    const RESULT r = model_->Refill();
    setColumnWidths();
    return r;
}

RESULT CQSDFileList::FillFromPattern(const QString& pattern) {
    if (multiMode_)
        ToggleMultipleSelection();
    return model_->FillFromPattern(pattern);
}

void CQSDFileList::SetSortKey(int key, bool flip) {
    model_->SetSortKey(key, flip);
}

void CQSDFileList::SortByColumn(int column) {
    model_->SortByColumn(column);
}

void CQSDFileList::SetStyle(int style) {
    style_ = style;
    applyStyle();
}

void CQSDFileList::ToggleShowFolders() {
    model_->setOptionBits(model_->optionBits() ^ qsd::SHOW_FOLDERS);
    Refill();
}

void CQSDFileList::ParentFolder() {
    if (folder() == u"/")
        return;
    if (!options_.opensFoldersItself) {
        emit commandForOwner(ID_QSD_PARENT_FOLDER);
        return;
    }
    SetFolder(QsdFileListModel::parentFolder(folder()));
    Refill();
}

void CQSDFileList::SelectAll() {
    if (options_.singleSelection)
        return;
    selection_->clearSelection();
    for (int row = 0; row < model_->rowCount(); ++row) {
        if (row == 0 && model_->entry(0)->isParentRow())
            continue;
        selection_->select(proxy_->index(row, 0),
                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
}

void CQSDFileList::ToggleMultipleSelection() {
    if (options_.singleSelection)
        return;
    multiMode_ = !multiMode_;
    applySelectionMode();
}

std::vector<int> CQSDFileList::selectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& i : selection_->selectedRows())
        rows.push_back(i.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

std::vector<const QsdFileEntry*> CQSDFileList::GetSelectedRecords() const {
    std::vector<const QsdFileEntry*> records;
    for (int row : selectedRows())
        records.push_back(model_->entry(row));
    return records;
}

int CQSDFileList::GetFocusedIndex() const {
    const QModelIndex i = selection_->currentIndex();
    return i.isValid() && model_->rowCount() > 0 ? i.row() : -1;
}

void CQSDFileList::selectRow(int row, bool exclusive) {
    const QModelIndex i = proxy_->index(row, 0);
    if (!i.isValid())
        return;
    auto flags = QItemSelectionModel::Select | QItemSelectionModel::Rows;
    if (exclusive)
        flags |= QItemSelectionModel::Clear;
    selection_->setCurrentIndex(i, flags);
}

bool CQSDFileList::onlyParentSelected() const {
    const auto rows = selectedRows();
    return rows.size() == 1 && model_->entry(rows[0])->isParentRow();
}

void CQSDFileList::takeSelection(CQSDFileClipboard::Mode mode) {
    if (multiMode_)
        ToggleMultipleSelection();
    model_->clearCutMarks();
    clipboard_.clear();
    clipboard_.setSourceFolder(services_.fs, folder());
    for (int row : selectedRows()) {
        const QsdFileEntry* e = model_->entry(row);
        if (e->isParentRow() || !clipboard_.addName(services_.fs, e->data.name))
            continue;
        model_->setCut(row, true);
    }
    clipboard_.mode = mode;
}

void CQSDFileList::Copy() {
    takeSelection(CQSDFileClipboard::Copy);
}

void CQSDFileList::Cut() {
    takeSelection(CQSDFileClipboard::Cut);
}

void CQSDFileList::Paste() {
    if (multiMode_)
        ToggleMultipleSelection();
    QsdMessenger messenger(services_.messages, window());
    QsdFileOperations ops(services_.fs, messenger);
    ops.PasteAll(clipboard_, folder(), true);
    for (const QString& name : clipboard_.pastedNames)
        model_->refreshName(name);
    if (clipboard_.mode == CQSDFileClipboard::Cut) {
        model_->clearCutMarks();
        clipboard_.clear();
    }
}

void CQSDFileList::Delete() {
    if (multiMode_)
        ToggleMultipleSelection();
    std::vector<QsdDeleteOperations::Row> rows;
    const auto selected = selectedRows();
    if (selected.empty())
        return;
    for (int row = 0; row < model_->rowCount(); ++row) {
        const QsdFileEntry* e = model_->entry(row);
        const bool on = std::binary_search(selected.begin(), selected.end(), row);
        rows.push_back({e->data.name, on, e->isFolder()});
    }
    QsdMessenger messenger(services_.messages, window());
    QsdDeleteOperations ops(services_.fs, messenger);
    ops.DeleteRows(folder(), rows, [this](int row) { model_->removeEntry(row); });
}

void CQSDFileList::Properties() {
    const int row = GetFocusedIndex();
    QsdFileEntry* e = model_->entry(row);
    QsdMessenger messenger(services_.messages, window());
    if (!e) {
        messenger.show(
            QsdMessenger::text(30511, u"ファイルリストでファイルを選択してください。"_qs),
            mb::MB_OK | mb::MB_ICONEXCLAMATION);
        return;
    }
    QsdProperties props;
    if (e->isFolder()) {
        props.folder = filepath::normalize(folder() + e->data.name);
    } else {
        props.folder = filepath::withoutSlash(folder());
        props.name = e->data.name;
    }
    props.attributes = e->data.attributes;
    props.lastWriteTime = e->data.lastWriteTime;
    props.size = e->data.size;
    CQSDFilePropertiesDialog dialog(services_, props, this);
    if (dialog.exec() == QDialog::Accepted)
        e->data.attributes = dialog.properties().attributes;
}

int CQSDFileList::holdDelay() const {
    return (model_->optionBits() & qsd::LONG_DELAY) ? 1000 : 500;
}

QMenu* CQSDFileList::buildContextMenu() {
    QMenu* menu = qsdmenu::popup(IDR_QSD_CONTEXT, 0, this);
    const auto rows = selectedRows();
    const bool single = options_.singleSelection;
    const bool canPaste = clipboard_.canPasteInto(folder());

    for (int key = 0; key < 4; ++key)
        qsdmenu::setChecked(menu, ID_QSD_SORT_NAME + key, model_->sortKey() == key);
    qsdmenu::setChecked(menu, ID_QSD_STYLE_ICONS, style_ == qsd::STYLE_ICONS);
    qsdmenu::setChecked(menu, ID_QSD_STYLE_LIST, style_ == qsd::STYLE_LIST);
    qsdmenu::setChecked(menu, ID_QSD_STYLE_DETAILS, style_ == qsd::STYLE_DETAILS);

    if (QMenu* edit = qsdmenu::submenuHolding(menu, ID_QSD_CUT)) {
        if (options_.editCommands && !rows.empty()) {
            qsdmenu::setEnabled(edit, ID_QSD_PASTE, canPaste);
            for (int id : {ID_QSD_CUT, ID_QSD_COPY, ID_QSD_DELETE})
                qsdmenu::setEnabled(edit, id, !onlyParentSelected());
            if (single)
                qsdmenu::remove(edit, ID_QSD_SELECT_ALL);
        } else {
            // The sub-menu gives way to one or two plain items in its place.
            QAction* place = edit->menuAction();
            QAction* first = nullptr;
            if (options_.editCommands) {
                first = new QAction(res::loadString(30313, u"Paste"_qs), menu);
                first->setData(ID_QSD_PASTE);
                first->setEnabled(canPaste);
            } else {
                first = new QAction(res::loadString(30311, u"Delete"_qs), menu);
                first->setData(ID_QSD_DELETE);
                first->setEnabled(!rows.empty() && !onlyParentSelected());
            }
            menu->insertAction(place, first);
            if (!single) {
                auto* all = new QAction(res::loadString(30312, u"Select All"_qs), menu);
                all->setData(ID_QSD_SELECT_ALL);
                menu->insertAction(place, all);
            }
            menu->removeAction(place);
        }
    }
    if (single) {
        qsdmenu::remove(menu, ID_QSD_MULTI_SELECT);
    } else if (multiMode_) {
        if (QAction* a = qsdmenu::find(menu, ID_QSD_MULTI_SELECT))
            a->setText(res::loadString(30314, u"Select Complete"_qs));
        qsdmenu::setChecked(menu, ID_QSD_MULTI_SELECT, true);
    }
    const bool oneShortcut = rows.size() == 1 && model_->entry(rows[0])->isShortcut;
    if (!(options_.shortcutFileCommand && options_.resolveShortcuts && !multiMode_ && oneShortcut))
        qsdmenu::remove(menu, ID_QSD_SELECT_LINK_FILE);
    qsdmenu::setEnabled(menu, ID_QSD_PROPERTIES, rows.size() == 1 && !multiMode_);
    qsdmenu::setChecked(menu, ID_QSD_SHOW_FOLDERS, model_->optionBits() & qsd::SHOW_FOLDERS);
    if (folder() == u"/")
        qsdmenu::remove(menu, ID_QSD_PARENT_FOLDER);
    if (model_->optionBits() & qsd::NO_OK_CANCEL_MENU) {
        qsdmenu::remove(menu, cmd::IDOK);
        qsdmenu::remove(menu, cmd::IDCANCEL);
    }
    if (multiMode_)
        for (int id : {ID_QSD_SHOW_FOLDERS, ID_QSD_PARENT_FOLDER, ID_QSD_REFRESH})
            qsdmenu::setEnabled(menu, id, false);
    qsdmenu::tidySeparators(menu);
    return menu;
}

void CQSDFileList::showContextMenu(const QPoint& globalPos) {
    QAbstractItemView* view = currentView();
    const QModelIndex at = view->indexAt(view->viewport()->mapFromGlobal(globalPos));
    if (at.isValid() && !multiMode_)
        selectRow(at.row());
    QMenu* menu = buildContextMenu();
    openMenu_ = menu;
    QAction* chosen = menu->exec(globalPos);
    menuClosed_.start();
    const int id = qsdmenu::idOf(chosen);
    menu->deleteLater();
    if (id)
        handleCommand(id);
}

void CQSDFileList::buildCommands() {
    commands_.onRange(ID_QSD_SORT_NAME, ID_QSD_SORT_TYPE,
                      [this](int id) { SetSortKey(id - ID_QSD_SORT_NAME, false); });
    commands_.on(ID_QSD_STYLE_ICONS, [this] { SetStyle(qsd::STYLE_ICONS); });
    commands_.on(ID_QSD_STYLE_LIST, [this] { SetStyle(qsd::STYLE_LIST); });
    commands_.on(ID_QSD_STYLE_DETAILS, [this] { SetStyle(qsd::STYLE_DETAILS); });
    commands_.on(ID_QSD_CUT, [this] { Cut(); });
    commands_.on(ID_QSD_COPY, [this] { Copy(); });
    commands_.on(ID_QSD_PASTE, [this] { Paste(); });
    commands_.on(ID_QSD_DELETE, [this] { Delete(); });
    commands_.on(ID_QSD_SELECT_ALL, [this] { SelectAll(); });
    commands_.on(ID_QSD_MULTI_SELECT, [this] { ToggleMultipleSelection(); });
    commands_.on(ID_QSD_PROPERTIES, [this] { Properties(); });
    commands_.on(ID_QSD_SHOW_FOLDERS, [this] { ToggleShowFolders(); });
    commands_.on(ID_QSD_PARENT_FOLDER, [this] { ParentFolder(); });
    commands_.on(ID_QSD_REFRESH, [this] { Refill(); });
    // These belong to the dialog around the list.
    for (int id : {int(ID_QSD_SELECT_LINK_FILE), int(cmd::IDOK), int(cmd::IDCANCEL)})
        commands_.on(id, [this, id] { emit commandForOwner(id); });
}

void CQSDFileList::handleCommand(int id) {
    commands_.onCommand(id);
}

void CQSDFileList::openRow(int row) {
    const QsdFileEntry* e = model_->entry(row);
    if (!e || !e->opensFolder())
        return;
    QString target;
    if (e->isParentRow())
        target = QsdFileListModel::parentFolder(folder());
    else if (e->isFolder())
        target = folder() + e->data.name + u'/';
    else
        target = filepath::withSlash(e->shortcutTarget);
    if (options_.opensFoldersItself) {
        SetFolder(target);
        Refill();
    } else {
        emit openFolderRequested(target);
    }
}

void CQSDFileList::handleEnter() {
    const QsdFileEntry* e = model_->entry(GetFocusedIndex());
    if (!e || !e->opensFolder()) {
        emit enterPressed();
        return;
    }
    if (e->shortcutToFolder && e->shortcutTarget.isEmpty()) {
        QApplication::beep();
        return;
    }
    openRow(GetFocusedIndex());
}

bool CQSDFileList::handleKey(QKeyEvent* key) {
    const bool ctrl = key->modifiers() & Qt::ControlModifier;
    const bool press = key->type() == QEvent::KeyPress;
    switch (key->key()) {
    case Qt::Key_Delete:
        if (ctrl)
            return false;
        if (press)
            Delete();
        return true;
    case Qt::Key_X:
    case Qt::Key_C:
    case Qt::Key_V:
        if (!ctrl)
            return false;
        if (press && options_.editCommands) {
            if (key->key() == Qt::Key_X)
                Cut();
            else if (key->key() == Qt::Key_C)
                Copy();
            else
                Paste();
        }
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (press)
            handleEnter();
        return true;
    default:
        return false;
    }
}

bool CQSDFileList::handleMouse(QAbstractItemView* view, QMouseEvent* mouse, bool doubleClick) {
    if (!options_.tapHandling)
        return false;
    const QModelIndex at = view->indexAt(mouse->position().toPoint());
    if (doubleClick) {
        if (!at.isValid()) {
            emit emptyAreaTapped(true);
            return false;
        }
        if (!multiMode_) {
            if (options_.opensFoldersItself)
                openRow(at.row());
            emit rowDoubleTapped(at.row());
        }
        return true;
    }
    if ((model_->optionBits() & qsd::ZOOM_SINGLE_TAP) && menuClosed_.isValid() &&
        menuClosed_.elapsed() < kTapGuardMs)
        return true;
    if (mouse->button() == Qt::RightButton) {
        showContextMenu(mouse->globalPosition().toPoint());
        return true;
    }
    if (mouse->button() != Qt::LeftButton)
        return false;
    if (!at.isValid()) {
        emit emptyAreaTapped(false);
        holdPos_ = mouse->globalPosition().toPoint();
        hold_.start(holdDelay());
        return false;
    }
    const QsdFileEntry* e = model_->entry(at.row());
    if (!multiMode_ && (model_->optionBits() & qsd::SINGLE_TAP) && e && e->opensFolder() &&
        options_.opensFoldersItself) {
        openRow(at.row());
        return true;
    }
    holdPos_ = mouse->globalPosition().toPoint();
    hold_.start(holdDelay());
    return false;
}

bool CQSDFileList::eventFilter(QObject* watched, QEvent* event) {
    QAbstractItemView* view = nullptr;
    if (watched == details_ || watched == details_->viewport())
        view = details_;
    else if (watched == icons_ || watched == icons_->viewport())
        view = icons_;
    if (!view)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return handleKey(static_cast<QKeyEvent*>(event));
    case QEvent::FocusIn:
        emit focusEntered();
        break;
    case QEvent::MouseButtonPress:
        if (watched == view->viewport())
            return handleMouse(view, static_cast<QMouseEvent*>(event), false);
        break;
    case QEvent::MouseButtonDblClick:
        if (watched == view->viewport())
            return handleMouse(view, static_cast<QMouseEvent*>(event), true);
        break;
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (hold_.isActive() && (mouse->globalPosition().toPoint() - holdPos_).manhattanLength() >
                                    QApplication::startDragDistance())
            hold_.stop();
        break;
    }
    case QEvent::MouseButtonRelease:
        if (watched == view->viewport() && hold_.isActive()) {
            hold_.stop();
            const QModelIndex at =
                view->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint());
            if (at.isValid())
                emit rowTapped(at.row());
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}
