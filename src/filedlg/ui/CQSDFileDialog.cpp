#include "CQSDFileDialog.h"

#include "CQSDComboBox.h"
#include "CQSDFileList.h"
#include "CQSDFilePropertiesDialog.h"
#include "CQSDFolderTree.h"
#include "CommandIds.h"
#include "FilePath.h"
#include "QsdDeleteOperations.h"
#include "QsdFolderOperations.h"
#include "QsdMenus.h"
#include "StringTable.h"

#include <QApplication>
#include <QClipboard>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

using namespace cmd;

namespace {
int s_zoomedPane = 0; // shared by every file select dialog of the process
constexpr int kMargin = 4;
constexpr int kLabelWidth = 48;
} // namespace

CQSDFileDialog::CQSDFileDialog(QsdServices& services, QWidget* parent)
    : QDialog(parent), services_(services) {
    setWindowTitle(u"ファイル名を参照"_qs);
    buildControls();
    zoomTimer_.setSingleShot(true);
    connect(&zoomTimer_, &QTimer::timeout, this, [this] {
        if (type_->isDroppedDown() || option_->isDroppedDown()) {
            zoomTimer_.start(timer::QSD_ZOOM_MS);
            return;
        }
        if (s_zoomedPane != zoomTarget_) {
            s_zoomedPane = zoomTarget_;
            layoutControls();
        }
    });
}

CQSDFileDialog::~CQSDFileDialog() {
    if (!initialized_)
        return;
    recordState();
    services_.common.flags = flags;
    services_.common.listStyle = listStyle;
    services_.common.sortKey = sortKey();
}

int CQSDFileDialog::zoomedPane() {
    return s_zoomedPane;
}

int CQSDFileDialog::sortKey() const {
    return list_->model().sortKey();
}

void CQSDFileDialog::buildControls() {
    titleLine_ = new QLabel(u"参照"_qs, this);
    titleSeparator_ = new QFrame(this);
    titleSeparator_->setFrameShape(QFrame::HLine);
    titleSeparator_->setFrameShadow(QFrame::Sunken);
    nameLabel_ = new QLabel(u"名 前"_qs, this);
    name_ = new QLineEdit(this);
    name_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(name_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { showNameMenu(name_->mapToGlobal(p)); });
    typeLabel_ = new QLabel(u"種 類"_qs, this);
    type_ = new CQSDComboBox(this);
    optionLabel_ = new QLabel(u"ｵﾌﾟｼｮﾝ"_qs, this);
    option_ = new CQSDComboBox(this);
    tree_ = new CQSDFolderTree(services_.fs, this);
    list_ = new CQSDFileList(services_, this);
    okButton_ = new QPushButton(u"OK"_qs, this);
    cancelButton_ = new QPushButton(u"ｷｬﾝｾﾙ"_qs, this);
    okButton_->setAutoDefault(false);
    cancelButton_->setAutoDefault(false);
    connect(okButton_, &QPushButton::clicked, this, &CQSDFileDialog::runOk);
    connect(cancelButton_, &QPushButton::clicked, this, &CQSDFileDialog::reject);

    // The soft-key bar: "OK" on the left, the menu on the right.
    softKeys_ = new QFrame(this);
    static_cast<QFrame*>(softKeys_)->setFrameShape(QFrame::StyledPanel);
    auto* bar = new QHBoxLayout(softKeys_);
    bar->setContentsMargins(2, 2, 2, 2);
    softOk_ = new QToolButton(softKeys_);
    softOk_->setText(u"OK"_qs);
    softMenu_ = new QToolButton(softKeys_);
    softMenu_->setText(u"メニュー"_qs);
    softMenu_->setPopupMode(QToolButton::InstantPopup);
    for (QToolButton* b : {softOk_, softMenu_})
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    bar->addWidget(softOk_);
    bar->addWidget(softMenu_);
    connect(softOk_, &QToolButton::clicked, this, &CQSDFileDialog::runOk);
    connect(softMenu_, &QToolButton::pressed, this, [this] {
        QMenu* menu = buildMenu();
        QAction* chosen =
            menu->exec(softMenu_->mapToGlobal(QPoint(0, 0)) - QPoint(0, menu->sizeHint().height()));
        const int id = qsdmenu::idOf(chosen);
        menu->deleteLater();
        softMenu_->setDown(false);
        if (id)
            handleCommand(id);
    });

    connect(tree_, &CQSDFolderTree::folderChanged, this, &CQSDFileDialog::onFolderChanged);
    connect(tree_, &CQSDFolderTree::contextMenuRequested, this, &CQSDFileDialog::showFolderMenu);
    connect(tree_, &CQSDFolderTree::enterPressed, this, &CQSDFileDialog::runOk);
    connect(tree_, &CQSDFolderTree::focusEntered, this, [this] { onPaneFocus(1); });
    connect(tree_, &CQSDFolderTree::emptyAreaTapped, this, [this](bool doubleTap) {
        if ((doubleTap && (flags & qsd::ZOOM_DOUBLE_TAP)) ||
            (!doubleTap && (flags & qsd::ZOOM_SINGLE_TAP)))
            requestZoom(1);
    });
    tree_->renameHandler = [this](QTreeWidgetItem* item, const QString& label) {
        return renameFolder(item, label);
    };
    // The buttons wait while a folder label is edited and come back however it ends.
    connect(tree_, &CQSDFolderTree::labelEditingStarted, this, [this] {
        for (QWidget* w : {static_cast<QWidget*>(okButton_), static_cast<QWidget*>(cancelButton_)})
            w->setEnabled(false);
    });
    connect(tree_->itemDelegate(), &QAbstractItemDelegate::closeEditor, this, [this] {
        okButton_->setEnabled(true);
        cancelButton_->setEnabled(true);
    });
    connect(list_, &CQSDFileList::emptyAreaTapped, this, [this](bool doubleTap) {
        if ((doubleTap && (flags & qsd::ZOOM_DOUBLE_TAP)) ||
            (!doubleTap && (flags & qsd::ZOOM_SINGLE_TAP)))
            requestZoom(2);
    });
    connect(list_, &CQSDFileList::focusEntered, this, [this] { onPaneFocus(2); });
    connect(list_, &CQSDFileList::enterPressed, this, &CQSDFileDialog::runOk);
    connect(list_, &CQSDFileList::openFolderRequested, this,
            [this](const QString& f) { moveTreeTo(f); });
    connect(list_, &CQSDFileList::commandForOwner, this, &CQSDFileDialog::handleCommand);
    connect(list_, &CQSDFileList::rowTapped, this, [this](int row) { onRowTapped(row, false); });
    connect(list_, &CQSDFileList::rowDoubleTapped, this,
            [this](int row) { onRowTapped(row, true); });
    connect(type_, &QComboBox::currentIndexChanged, this, [this](int i) {
        list_->SetFilter(i >= 0 && i < static_cast<int>(fileTypes_.size()) ? fileTypes_[i].pattern
                                                                           : QString());
        if (initialized_)
            list_->Refill();
    });
    name_->installEventFilter(this);
    for (CQSDComboBox* box : {type_, option_})
        connect(box, &CQSDComboBox::penDown, this, [this] {
            if (zoomTimer_.isActive())
                zoomTimer_.start(timer::QSD_ZOOM_MS);
        });
}

void CQSDFileDialog::initialize() {
    if (initialized_)
        return;
    if (commonMode) {
        flags = qsdlogic::mergeCommonFlags(flags, services_.common.flags);
        listStyle = services_.common.listStyle;
    }
    if (!title.isEmpty())
        titleLine_->setText(title);
    tree_->setOptionBits(flags);

    CQSDFileList::Options o;
    o.style = listStyle;
    o.optionBits = flags;
    o.singleSelection = !(ofnFlags & ofn::OFN_ALLOWMULTISELECT);
    o.opensFoldersItself = false;
    o.resolveShortcuts = !(ofnFlags & ofn::OFN_NODEREFERENCELINKS);
    list_->Create(o);
    list_->model().setSortOrder(commonMode ? services_.common.sortKey : qsd::SORT_NAME, true);

    fillFileTypes();
    fillOptions();
    initialized_ = true;
    const QString start = initialDir.isEmpty() ? u"/"_qs : filepath::withSlash(initialDir);
    if (tree_->moveTo(start) != rc::SUCCESS)
        tree_->moveTo(u"/"_qs);
    if (tree_->currentItem() == nullptr)
        tree_->setCurrentItem(tree_->rootItem());
    name_->setText(initialName);
    layoutControls();
    if (flags & qsd::HIDE_NAME) {
        tree_->setFocus();
    } else {
        name_->setFocus();
        name_->selectAll();
    }
}

void CQSDFileDialog::fillFileTypes() {
    fileTypes_ = qsdlogic::parseFilter(filterText);
    if (fileTypes_.empty())
        fileTypes_.push_back({res::loadString(30305, u"すべてのファイル(*.*)"_qs),
                              res::loadString(30306, u"*.*"_qs)});
    QSignalBlocker block(type_);
    type_->clear();
    for (const QsdFilterItem& item : fileTypes_)
        type_->addItem(item.description, item.pattern);
    const int row = static_cast<int>(filterIndex) - 1;
    type_->setCurrentIndex(row >= 0 && row < type_->count() ? row : -1);
    const int current = type_->currentIndex();
    list_->SetFilter(current >= 0 ? fileTypes_[current].pattern : QString());
}

void CQSDFileDialog::fillOptions() {
    optionLabel_->setText(optionLabel.isEmpty() ? res::loadString(30303, u"Option"_qs)
                                                : optionLabel);
    const QStringList labels = qsdlogic::parseOptionList(optionList);
    if (labels.isEmpty()) {
        flags &= ~qsd::SHOW_OPTION;
        return;
    }
    option_->addItems(labels);
    option_->setCurrentIndex(qsdlogic::initialOptionRow(optionIndex, labels.size()));
}

int CQSDFileDialog::exec() {
    initialize();
    return QDialog::exec();
}

void CQSDFileDialog::onFolderChanged(const QString& folder) {
    list_->SetFolder(folder);
    if (initialized_)
        list_->Refill();
}

bool CQSDFileDialog::moveTreeTo(const QString& folder) {
    return tree_->moveTo(folder) == rc::SUCCESS;
}

void CQSDFileDialog::fillFromPattern(const QString& pattern) {
    list_->FillFromPattern(pattern);
}

void CQSDFileDialog::setNameText(const QString& text) {
    name_->setText(text);
}

void CQSDFileDialog::focusNameBox() {
    if (name_->isHidden())
        return;
    name_->setFocus();
    name_->selectAll();
}

void CQSDFileDialog::runOk() {
    if (tree_->isEditingLabel()) {
        // Moving the focus away ends the editing, as Enter does.
        okButton_->setFocus();
        tree_->setFocus();
        return;
    }
    QsdOkProcessor::Input in;
    in.flags = flags;
    in.ofnFlags = ofnFlags;
    in.folder = tree_->currentPath();
    in.nameText = name_->text();
    in.nameVisible = !(flags & qsd::HIDE_NAME);
    in.listVisible = !(flags & qsd::HIDE_LIST);
    const int type = type_->currentIndex();
    in.filterPattern = type >= 0 ? fileTypes_[type].pattern : QString();
    for (const QsdFileEntry* e : list_->GetSelectedRecords())
        in.selectedRows.push_back(
            {e->data.name, e->isFolder(), e->shortcutToFolder, e->shortcutTarget});
    QsdMessenger messenger(services_.messages, this);
    QsdOkProcessor ok(services_.fs, messenger, list_->model().shortcutReader());
    if (ok.run(in, *this) != QsdOkProcessor::Outcome::Accepted)
        return;
    resultFolder_ = ok.resultFolder();
    resultNames_ = ok.resultNames();
    recordState();
    accept();
}

void CQSDFileDialog::recordState() {
    filterIndex = static_cast<uint32_t>(type_->currentIndex() + 1);
    optionIndex = option_->count() > 0 ? option_->currentIndex() : optionIndex;
    listStyle = list_->style();
    flags = (flags & ~qsd::SHOW_FOLDERS) | (list_->optionBits() & qsd::SHOW_FOLDERS);
}

void CQSDFileDialog::reject() {
    recordState();
    QDialog::reject();
}

void CQSDFileDialog::onRowTapped(int row, bool doubleTap) {
    const QsdFileEntry* e = list_->GetItemRecord(row);
    if (!e || list_->multipleSelectionMode())
        return;
    if (!doubleTap && !(flags & qsd::HIDE_NAME))
        name_->setText(e->opensFolder() ? QString() : e->data.name);
    const bool act = doubleTap ? !(flags & qsd::SINGLE_TAP) : (flags & qsd::SINGLE_TAP);
    if (!act)
        return;
    if (e->opensFolder()) {
        if (e->isParentRow())
            moveTreeTo(QsdFileListModel::parentFolder(list_->folder()));
        else if (e->isFolder())
            moveTreeTo(list_->folder() + e->data.name + u'/');
        else
            moveTreeTo(filepath::withSlash(e->shortcutTarget));
        return;
    }
    if (doubleTap && !(flags & qsd::HIDE_NAME))
        name_->setText(e->data.name);
    runOk();
}

void CQSDFileDialog::toggleFlag(uint32_t bit) {
    flags ^= bit;
    layoutControls();
}

int CQSDFileDialog::focusedPane() const {
    QWidget* f = QApplication::focusWidget();
    if (f && (f == tree_ || tree_->isAncestorOf(f)))
        return 1;
    if (f && (f == list_ || list_->isAncestorOf(f)))
        return 2;
    return lastPane_;
}

QMenu* CQSDFileDialog::buildMenu() {
    auto* menu = new QMenu(this);
    if (const res::Menu* m = res::loadMenu(IDR_QSD_MENUBAR))
        for (const res::MenuItem& item : m->items)
            if (item.kind == res::MenuItem::Kind::Popup)
                qsdmenu::fill(menu, item.items);
    const auto rows = list_->selectedRows();
    const int pane = focusedPane();
    qsdmenu::setEnabled(menu, ID_QSD_PARENT_FOLDER, tree_->currentPath() != u"/");
    qsdmenu::setEnabled(menu, ID_QSD_REFRESH, false);
    qsdmenu::setEnabled(menu, ID_QSD_PROPERTIES,
                        pane == 1 ? tree_->currentItem() != nullptr : rows.size() == 1);
    for (int id : {ID_QSD_CUT, ID_QSD_COPY, ID_QSD_DELETE})
        qsdmenu::setEnabled(menu, id, !rows.empty());
    qsdmenu::setEnabled(menu, ID_QSD_PASTE, !list_->clipboard().isEmpty());
    qsdmenu::setEnabled(menu, ID_EDIT_SELECT_ALL, name_->hasFocus() && !name_->text().isEmpty());
    qsdmenu::setChecked(menu, ID_QSD_SHOW_FOLDERS, list_->optionBits() & qsd::SHOW_FOLDERS);
    qsdmenu::setChecked(menu, ID_QSD_SHOW_NAME, !(flags & qsd::HIDE_NAME));
    qsdmenu::setChecked(menu, ID_QSD_SHOW_TYPE, !(flags & qsd::HIDE_TYPE));
    qsdmenu::setChecked(menu, ID_QSD_SHOW_OPTION, flags & qsd::SHOW_OPTION);
    qsdmenu::setChecked(menu, ID_QSD_SHOW_TREE, !(flags & qsd::HIDE_TREE));
    for (int key = 0; key < 4; ++key)
        qsdmenu::setChecked(menu, ID_QSD_SORT_NAME + key, sortKey() == key);
    qsdmenu::setChecked(menu, ID_QSD_STYLE_ICONS, list_->style() == qsd::STYLE_ICONS);
    qsdmenu::setChecked(menu, ID_QSD_STYLE_LIST, list_->style() == qsd::STYLE_LIST);
    qsdmenu::setChecked(menu, ID_QSD_STYLE_DETAILS, list_->style() == qsd::STYLE_DETAILS);
    const bool oneShortcut = rows.size() == 1 && list_->GetItemRecord(rows[0])->isShortcut &&
                             !(ofnFlags & ofn::OFN_NODEREFERENCELINKS);
    qsdmenu::setEnabled(menu, ID_QSD_SELECT_LINK_FILE,
                        oneShortcut && !list_->multipleSelectionMode());
    return menu;
}

QMenu* CQSDFileDialog::buildFolderMenu() {
    QMenu* menu = qsdmenu::popup(IDR_QSD_CONTEXT, 1, this);
    const bool atRoot = tree_->currentItem() == tree_->rootItem() || !tree_->currentItem();
    qsdmenu::setEnabled(menu, ID_QSD_FOLDER_DELETE, !atRoot);
    qsdmenu::setEnabled(menu, ID_QSD_FOLDER_PROPERTIES, !atRoot);
    if (flags & qsd::NO_OK_CANCEL_MENU) {
        qsdmenu::remove(menu, IDOK);
        qsdmenu::remove(menu, IDCANCEL);
    }
    return menu;
}

void CQSDFileDialog::showFolderMenu(const QPoint& globalPos) {
    QMenu* menu = buildFolderMenu();
    const int id = qsdmenu::idOf(menu->exec(globalPos));
    menu->deleteLater();
    if (id)
        handleCommand(id);
}

void CQSDFileDialog::showNameMenu(const QPoint& globalPos) {
    QMenu* menu = qsdmenu::popup(IDR_QSD_CONTEXT, 2, this);
    qsdmenu::setEnabled(menu, ID_QSD_TEXTBOX_PASTE, !QApplication::clipboard()->text().isEmpty());
    if (flags & qsd::NO_OK_CANCEL_MENU) {
        qsdmenu::remove(menu, IDOK);
        qsdmenu::remove(menu, IDCANCEL);
    }
    const int id = qsdmenu::idOf(menu->exec(globalPos));
    menu->deleteLater();
    if (id)
        handleCommand(id);
}

void CQSDFileDialog::handleCommand(int id) {
    switch (id) {
    case IDOK:
        runOk();
        return;
    case IDCANCEL:
        reject();
        return;
    case ID_QSD_PARENT_FOLDER:
        if (tree_->currentPath() != u"/")
            moveTreeTo(QsdFileListModel::parentFolder(tree_->currentPath()));
        return;
    case ID_QSD_PROPERTIES:
        if (focusedPane() == 1)
            CQSDFilePropertiesDialog::openForFolder(services_, tree_->currentPath(), this);
        else
            list_->Properties();
        return;
    case ID_QSD_FOLDER_PROPERTIES:
        CQSDFilePropertiesDialog::openForFolder(services_, tree_->currentPath(), this);
        return;
    case ID_QSD_FOLDER_REFRESH:
        tree_->reread(tree_->currentItem());
        return;
    case ID_QSD_FOLDER_NEW:
        newFolder();
        return;
    case ID_QSD_FOLDER_DELETE:
        deleteFolder();
        return;
    case ID_EDIT_SELECT_ALL:
        name_->selectAll();
        return;
    case ID_QSD_TEXTBOX_CUT:
        name_->cut();
        return;
    case ID_QSD_TEXTBOX_COPY:
        name_->copy();
        return;
    case ID_QSD_TEXTBOX_PASTE:
        name_->paste();
        return;
    case ID_QSD_SHOW_FOLDERS:
        list_->ToggleShowFolders();
        flags = (flags & ~qsd::SHOW_FOLDERS) | (list_->optionBits() & qsd::SHOW_FOLDERS);
        return;
    case ID_QSD_SHOW_NAME:
        toggleFlag(qsd::HIDE_NAME);
        return;
    case ID_QSD_SHOW_TYPE:
        toggleFlag(qsd::HIDE_TYPE);
        return;
    case ID_QSD_SHOW_OPTION:
        toggleFlag(qsd::SHOW_OPTION);
        return;
    case ID_QSD_SHOW_TREE:
        toggleFlag(qsd::HIDE_TREE);
        return;
    case ID_QSD_SORT_NAME:
    case ID_QSD_SORT_SIZE:
    case ID_QSD_SORT_TIME:
    case ID_QSD_SORT_TYPE:
        list_->SetSortKey(id - ID_QSD_SORT_NAME, true);
        return;
    case ID_QSD_SELECT_LINK_FILE:
        selectLinkFile();
        return;
    default:
        list_->handleCommand(id);
        return;
    }
}

void CQSDFileDialog::selectLinkFile() {
    const QsdFileEntry* e = list_->GetItemRecord(list_->GetFocusedIndex());
    if (!e || !e->isShortcut)
        return;
    const QString path = list_->folder() + e->data.name;
    QsdMessenger messenger(services_.messages, this);
    const auto d = services_.fs.stat(path);
    if ((ofnFlags & ofn::OFN_FILEMUSTEXIST) && !d) {
        messenger.show(QsdMessenger::text(
                           30021, u"下記ファイルは既に存在しません。処理を中止します。\n\n%s"_qs),
                       path, mb::MB_OK | mb::MB_ICONERROR);
        return;
    }
    if ((ofnFlags & ofn::OFN_OVERWRITEPROMPT) && d) {
        const QString text = QsdMessenger::text(
            30013, u"指定のファイルは既に存在します。このファイルを上書きしますか？\n\n%s"_qs);
        if (messenger.show(text, path, mb::MB_YESNO | mb::MB_ICONQUESTION) != mb::IDYES)
            return;
    }
    if ((flags & qsd::OFFER_CLEAR_READONLY) && d && (d->attributes & fa::FILE_ATTRIBUTE_READONLY)) {
        const QString text = QsdMessenger::text(
            30028,
            u"下記ファイルは読み取り専用です。読み取り専用属性を解除して上書き保存しますか？\n\n%s"_qs);
        if (messenger.show(text, path, mb::MB_YESNO | mb::MB_ICONQUESTION) != mb::IDYES)
            return;
        if (!services_.fs.setAttributes(path, d->attributes & ~fa::FILE_ATTRIBUTE_READONLY,
                                        FileSystem::Links::NoFollow)) {
            messenger.show(
                QsdMessenger::text(30507, u"ファイル属性の変更操作で、エラーが発生しました。"_qs),
                mb::MB_OK | mb::MB_ICONERROR);
            return;
        }
    }
    resultFolder_ = list_->folder();
    resultNames_ = QStringList{e->data.name};
    recordState();
    accept();
}

bool CQSDFileDialog::renameFolder(QTreeWidgetItem* item, const QString& label) {
    QsdMessenger messenger(services_.messages, this);
    QsdFolderOperations ops(services_.fs, messenger);
    QString renamed;
    const auto outcome = ops.RenameFolder(CQSDFolderTree::pathOf(item), label, renamed);
    switch (outcome) {
    case QsdFolderOperations::RenameOutcome::Renamed:
        item->setData(0, CQSDFolderTree::PathRole, renamed);
        tree_->reread(item);
        onFolderChanged(renamed);
        QTimer::singleShot(0, this, [item, name = label.trimmed()] { item->setText(0, name); });
        return true;
    case QsdFolderOperations::RenameOutcome::EditAgain:
        QTimer::singleShot(0, this, [this, item] { tree_->editLabel(item); });
        return false;
    default:
        return false;
    }
}

void CQSDFileDialog::newFolder() {
    QTreeWidgetItem* parent = tree_->currentItem();
    if (!parent)
        return;
    QsdMessenger messenger(services_.messages, this);
    QsdFolderOperations ops(services_.fs, messenger);
    const QString label = ops.NewFolder(tree_->currentPath());
    if (label.isEmpty())
        return;
    tree_->reread(parent);
    parent->setExpanded(true);
    for (int i = 0; i < parent->childCount(); ++i) {
        if (parent->child(i)->text(0) == label) {
            tree_->editLabel(parent->child(i));
            break;
        }
    }
}

void CQSDFileDialog::deleteFolder() {
    QTreeWidgetItem* item = tree_->currentItem();
    if (!item || item == tree_->rootItem())
        return;
    QsdMessenger messenger(services_.messages, this);
    QsdDeleteOperations ops(services_.fs, messenger);
    const auto outcome = ops.DeleteFolder(tree_->currentPath());
    QTreeWidgetItem* parent = item->parent();
    if (outcome == QsdDeleteOperations::FolderOutcome::Deleted) {
        tree_->setCurrentItem(parent);
        delete item;
    }
    list_->Refill();
}

void CQSDFileDialog::onPaneFocus(int pane) {
    lastPane_ = pane;
    if (!(flags & qsd::ZOOM_FOCUS) || s_zoomedPane == pane)
        return;
    if (flags & qsd::ZOOM_DOUBLE_TAP) {
        zoomTarget_ = pane;
        zoomTimer_.start(timer::QSD_ZOOM_MS);
        return;
    }
    s_zoomedPane = pane;
    layoutControls();
}

void CQSDFileDialog::requestZoom(int pane) {
    if (s_zoomedPane == pane && (flags & (qsd::ZOOM_DOUBLE_TAP | qsd::ZOOM_SINGLE_TAP)))
        s_zoomedPane = 0;
    else
        s_zoomedPane = pane;
    layoutControls();
}

bool CQSDFileDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == name_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            runOk();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CQSDFileDialog::keyPressEvent(QKeyEvent* event) {
    // Enter never closes the dialog by itself: it runs OK processing where
    // it is meant to (everywhere with folder selection).
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (flags & qsd::FOLDER_SELECT)
            runOk();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CQSDFileDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    layoutControls();
}

void CQSDFileDialog::layoutControls() {
    const int w = width();
    const int softHeight = softKeys_->sizeHint().height();
    softKeys_->setGeometry(0, height() - softHeight, w, softHeight);
    int y = kMargin;
    const bool showTitle = !(flags & (qsd::NO_TITLE | qsd::TITLE_IN_CAPTION));
    titleLine_->setVisible(showTitle);
    titleSeparator_->setVisible(showTitle);
    if (showTitle) {
        const int h = titleLine_->sizeHint().height();
        titleLine_->setGeometry(kMargin, y, w - 2 * kMargin, h);
        y += h + 2;
        titleSeparator_->setGeometry(0, y, w, 2);
        y += 2 + kMargin;
    }
    const auto row = [&](bool visible, QLabel* label, QWidget* control) {
        label->setVisible(visible);
        control->setVisible(visible);
        if (!visible)
            return;
        const int h = control->sizeHint().height();
        label->setGeometry(kMargin, y, kLabelWidth, h);
        control->setGeometry(kMargin + kLabelWidth, y, w - kMargin - kLabelWidth - kMargin, h);
        y += h + kMargin;
    };
    row(!(flags & qsd::HIDE_NAME), nameLabel_, name_);
    row(!(flags & qsd::HIDE_TYPE), typeLabel_, type_);
    row((flags & qsd::SHOW_OPTION) && option_->count() > 0, optionLabel_, option_);

    const bool okShown = flags & qsd::SHOW_OK;
    const bool cancelShown = flags & qsd::SHOW_CANCEL;
    okButton_->setVisible(okShown);
    cancelButton_->setVisible(cancelShown);
    int bottom = height() - softHeight - kMargin;
    if (okShown || cancelShown) {
        const int bh = okButton_->sizeHint().height();
        const int bw = 80;
        int x = w - kMargin - bw;
        bottom -= bh;
        if (cancelShown) {
            cancelButton_->setGeometry(x, bottom, bw, bh);
            x -= bw + kMargin;
        }
        if (okShown)
            okButton_->setGeometry(x, bottom, bw, bh);
        bottom -= kMargin;
    }

    const bool treeShown = !(flags & qsd::HIDE_TREE);
    const bool listShown = !(flags & qsd::HIDE_LIST);
    tree_->setVisible(treeShown);
    list_->setVisible(listShown);
    const QRect area(kMargin, y, w - 2 * kMargin, std::max(0, bottom - y));
    if (treeShown != listShown) {
        QWidget* pane = treeShown ? static_cast<QWidget*>(tree_) : list_;
        QWidget* hidden = treeShown ? static_cast<QWidget*>(list_) : tree_;
        pane->setGeometry(area);
        if (hidden->isAncestorOf(QApplication::focusWidget()) || hidden->hasFocus())
            pane->setFocus();
        return;
    }
    if (!treeShown)
        return;
    const bool sideBySide = (flags & qsd::SIDE_BY_SIDE) || ((flags & qsd::SIDE_BY_SIDE_WIDE) &&
                                                            9 * area.height() < 4 * area.width());
    const auto split = [](int total, int zoomed, int pane) {
        if (zoomed == 0)
            return total / 2;
        return zoomed == pane ? total - total / 3 : total / 3;
    };
    if (sideBySide) {
        const int total = w - 12;
        int treeW = split(total, s_zoomedPane, 1);
        int listW = total - treeW;
        treeW = treeW < 0 ? 30 : treeW;
        listW = listW < 0 ? 30 : listW;
        tree_->setGeometry(area.left(), area.top(), treeW, area.height());
        list_->setGeometry(area.left() + treeW + kMargin, area.top(), listW, area.height());
    } else {
        const int total = area.height() - 1;
        int treeH = s_zoomedPane == 0 ? total / 2 : (s_zoomedPane == 1 ? total * 3 / 4 : total / 4);
        int listH = total - treeH - kMargin;
        treeH = treeH < 0 ? 30 : treeH;
        listH = listH < 0 ? 30 : listH;
        tree_->setGeometry(area.left(), area.top(), area.width(), treeH);
        list_->setGeometry(area.left(), area.top() + treeH + kMargin, area.width(), listH);
    }
}
