#include "CQSDFileDialog.h"

#include "CQSDComboBox.h"
#include "CQSDFileList.h"
#include "CQSDFilePropertiesDialog.h"
#include "CQSDFolderTree.h"
#include "CommandIds.h"
#include "DialogTexts.h"
#include "FilePath.h"
#include "QsdDialogLayout.h"
#include "QsdFolderCommands.h"
#include "QsdMenus.h"
#include "QsdSoftKeys.h"
#include "StringTable.h"

#include <QApplication>
#include <QClipboard>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <algorithm>

using namespace cmd;

namespace {

QString text(int controlId) {
    return res::dialogText(IDD_QSD_FILE_SELECT, controlId);
}

} // namespace

CQSDFileDialog::CQSDFileDialog(QsdServices& services, QWidget* parent)
    : QDialog(parent), services_(services) {
    setWindowTitle(text(res::IDC_CAPTION));
    buildControls();
    buildCommands();
    zoomTimer_.setSingleShot(true);
    connect(&zoomTimer_, &QTimer::timeout, this, [this] {
        if (type_->isDroppedDown() || option_->isDroppedDown()) {
            zoomTimer_.start(timer::QSD_ZOOM_MS);
            return;
        }
        if (services_.common.zoomedPane != zoomTarget_) {
            services_.common.zoomedPane = zoomTarget_;
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
    if (placed_ && !fillsMainWindow_)
        services_.common.dialogSize = size();
}

int CQSDFileDialog::zoomedPane() const {
    return services_.common.zoomedPane;
}

int CQSDFileDialog::sortKey() const {
    return list_->model().sortKey();
}

void CQSDFileDialog::buildControls() {
    titleLine_ = new QLabel(text(filedlg::IDC_TITLE), this);
    titleSeparator_ = new QFrame(this);
    titleSeparator_->setFrameShape(QFrame::HLine);
    titleSeparator_->setFrameShadow(QFrame::Sunken);
    nameLabel_ = new QLabel(text(filedlg::IDC_NAME_LABEL), this);
    name_ = new QLineEdit(this);
    name_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(name_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { showNameMenu(name_->mapToGlobal(p)); });
    typeLabel_ = new QLabel(text(filedlg::IDC_TYPE_LABEL), this);
    type_ = new CQSDComboBox(this);
    optionLabel_ = new QLabel(text(filedlg::IDC_OPTION_LABEL), this);
    option_ = new CQSDComboBox(this);
    tree_ = new CQSDFolderTree(services_.fs, this);
    list_ = new CQSDFileList(services_, this);
    folders_ = std::make_unique<QsdFolderCommands>(services_, *tree_, *this);
    folders_->folderChanged = [this](const QString& folder) { onFolderChanged(folder); };
    okButton_ = new QPushButton(text(IDOK), this);
    cancelButton_ = new QPushButton(text(IDCANCEL), this);
    okButton_->setAutoDefault(false);
    cancelButton_->setAutoDefault(false);
    connect(okButton_, &QPushButton::clicked, this, &CQSDFileDialog::runOk);
    connect(cancelButton_, &QPushButton::clicked, this, &CQSDFileDialog::reject);

    softKeys_ = new QsdSoftKeys(this);
    QToolButton* softMenu = softKeys_->menuKey();
    connect(softKeys_->okKey(), &QToolButton::clicked, this, &CQSDFileDialog::runOk);
    connect(softMenu, &QToolButton::pressed, this, [this, softMenu] {
        QMenu* menu = buildMenu();
        QAction* chosen =
            menu->exec(softMenu->mapToGlobal(QPoint(0, 0)) - QPoint(0, menu->sizeHint().height()));
        const int id = qsdmenu::idOf(chosen);
        menu->deleteLater();
        softMenu->setDown(false);
        if (id)
            handleCommand(id);
    });

    connect(tree_, &CQSDFolderTree::folderChanged, this, &CQSDFileDialog::onFolderChanged);
    connect(tree_, &CQSDFolderTree::contextMenuRequested, this, [this](const QPoint& globalPos) {
        if (const int id = folders_->runMenu(globalPos, flags))
            handleCommand(id);
    });
    connect(tree_, &CQSDFolderTree::enterPressed, this, &CQSDFileDialog::runOk);
    connect(tree_, &CQSDFolderTree::focusEntered, this, [this] { onPaneFocus(1); });
    connect(tree_, &CQSDFolderTree::emptyAreaTapped, this, [this](bool doubleTap) {
        if ((doubleTap && (flags & qsd::ZOOM_DOUBLE_TAP)) ||
            (!doubleTap && (flags & qsd::ZOOM_SINGLE_TAP)))
            requestZoom(1);
    });
    tree_->renameHandler = [this](QTreeWidgetItem* item, const QString& label) {
        return folders_->rename(item, label);
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

QSize CQSDFileDialog::minimumSizeHint() const {
    return qsdlayout::minimumSize(layoutInput(size()));
}

QSize CQSDFileDialog::sizeHint() const {
    // Room for a file list of about 80 characters and 20 rows.
    const QFontMetrics metrics = fontMetrics();
    const QSize comfortable(metrics.averageCharWidth() * 80, metrics.height() * 30);
    return comfortable.expandedTo(minimumSizeHint());
}

void CQSDFileDialog::setVisible(bool visible) {
    if (visible && !placed_)
        placeOnScreen();
    QDialog::setVisible(visible);
}

void CQSDFileDialog::placeOnScreen() {
    placed_ = true;
    QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    QScreen* screen = owner ? owner->screen() : this->screen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    setMinimumSize(minimumSizeHint().boundedTo(available.size()));
    // A size the caller set before showing wins over the remembered one.
    const bool sizeGiven = testAttribute(Qt::WA_Resized);
    QSize wanted = services_.common.dialogSize.isValid() ? services_.common.dialogSize : sizeHint();
    if (sizeGiven)
        wanted = size();
    const QsdPlacement p =
        qsdlayout::opening(available, owner && owner->isVisible() ? owner->geometry() : QRect(),
                           minimumSize(), wanted, sizeGiven);
    fillsMainWindow_ = p.fillsMainWindow;
    setGeometry(p.geometry);
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
    return folders_->buildMenu(flags);
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

void CQSDFileDialog::buildCommands() {
    commands_.on(IDOK, [this] { runOk(); });
    commands_.on(IDCANCEL, [this] { reject(); });
    commands_.on(ID_QSD_PARENT_FOLDER, [this] {
        if (tree_->currentPath() != u"/")
            moveTreeTo(QsdFileListModel::parentFolder(tree_->currentPath()));
    });
    commands_.on(ID_QSD_PROPERTIES, [this] {
        if (focusedPane() == 1)
            CQSDFilePropertiesDialog::openForFolder(services_, tree_->currentPath(), this);
        else
            list_->Properties();
    });
    commands_.on(ID_QSD_FOLDER_PROPERTIES, [this] {
        CQSDFilePropertiesDialog::openForFolder(services_, tree_->currentPath(), this);
    });
    commands_.on(ID_QSD_FOLDER_REFRESH, [this] { tree_->reread(tree_->currentItem()); });
    commands_.on(ID_QSD_FOLDER_NEW, [this] { folders_->newFolder(); });
    commands_.on(ID_QSD_FOLDER_DELETE, [this] {
        folders_->deleteFolder();
        list_->Refill();
    });
    commands_.on(ID_EDIT_SELECT_ALL, [this] { name_->selectAll(); });
    commands_.on(ID_QSD_TEXTBOX_CUT, [this] { name_->cut(); });
    commands_.on(ID_QSD_TEXTBOX_COPY, [this] { name_->copy(); });
    commands_.on(ID_QSD_TEXTBOX_PASTE, [this] { name_->paste(); });
    commands_.on(ID_QSD_SHOW_FOLDERS, [this] {
        list_->ToggleShowFolders();
        flags = (flags & ~qsd::SHOW_FOLDERS) | (list_->optionBits() & qsd::SHOW_FOLDERS);
    });
    commands_.on(ID_QSD_SHOW_NAME, [this] { toggleFlag(qsd::HIDE_NAME); });
    commands_.on(ID_QSD_SHOW_TYPE, [this] { toggleFlag(qsd::HIDE_TYPE); });
    commands_.on(ID_QSD_SHOW_OPTION, [this] { toggleFlag(qsd::SHOW_OPTION); });
    commands_.on(ID_QSD_SHOW_TREE, [this] { toggleFlag(qsd::HIDE_TREE); });
    commands_.onRange(ID_QSD_SORT_NAME, ID_QSD_SORT_TYPE,
                      [this](int id) { list_->SetSortKey(id - ID_QSD_SORT_NAME, true); });
    commands_.on(ID_QSD_SELECT_LINK_FILE, [this] { selectLinkFile(); });
}

void CQSDFileDialog::handleCommand(int id) {
    // The dialog's own commands first; the rest belong to the file list.
    if (!commands_.onCommand(id))
        list_->handleCommand(id);
}

void CQSDFileDialog::selectLinkFile() {
    const QsdFileEntry* e = list_->GetItemRecord(list_->GetFocusedIndex());
    if (!e || !e->isShortcut)
        return;
    QsdMessenger messenger(services_.messages, this);
    if (!qsdlogic::acceptLinkFile(services_.fs, messenger, list_->folder() + e->data.name, flags,
                                  ofnFlags))
        return;
    resultFolder_ = list_->folder();
    resultNames_ = QStringList{e->data.name};
    recordState();
    accept();
}

void CQSDFileDialog::onPaneFocus(int pane) {
    lastPane_ = pane;
    if (!(flags & qsd::ZOOM_FOCUS) || services_.common.zoomedPane == pane)
        return;
    if (flags & qsd::ZOOM_DOUBLE_TAP) {
        zoomTarget_ = pane;
        zoomTimer_.start(timer::QSD_ZOOM_MS);
        return;
    }
    services_.common.zoomedPane = pane;
    layoutControls();
}

void CQSDFileDialog::requestZoom(int pane) {
    if (services_.common.zoomedPane == pane &&
        (flags & (qsd::ZOOM_DOUBLE_TAP | qsd::ZOOM_SINGLE_TAP)))
        services_.common.zoomedPane = 0;
    else
        services_.common.zoomedPane = pane;
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

QsdLayoutInput CQSDFileDialog::layoutInput(QSize size) const {
    QsdLayoutInput in;
    in.size = size;
    in.flags = flags;
    in.zoomedPane = services_.common.zoomedPane;
    in.softKeyHeight = softKeys_->sizeHint().height();
    in.titleHeight = titleLine_->sizeHint().height();
    in.nameHeight = name_->sizeHint().height();
    in.typeHeight = type_->sizeHint().height();
    in.optionHeight = option_->sizeHint().height();
    in.hasOptions = option_->count() > 0;
    in.buttonHeight = okButton_->sizeHint().height();
    for (const QLabel* label : {nameLabel_, typeLabel_, optionLabel_})
        in.labelWidth = std::max(in.labelWidth, label->sizeHint().width());
    return in;
}

void CQSDFileDialog::layoutControls() {
    const QsdLayout l = qsdlayout::layout(layoutInput(size()));
    const auto place = [](QWidget* widget, const QRect& rect) {
        widget->setVisible(!rect.isNull());
        if (!rect.isNull())
            widget->setGeometry(rect);
    };
    softKeys_->setGeometry(l.softKeys);
    place(titleLine_, l.title);
    place(titleSeparator_, l.separator);
    place(nameLabel_, l.nameLabel);
    place(name_, l.name);
    place(typeLabel_, l.typeLabel);
    place(type_, l.type);
    place(optionLabel_, l.optionLabel);
    place(option_, l.option);
    place(okButton_, l.ok);
    place(cancelButton_, l.cancel);
    place(tree_, l.tree);
    place(list_, l.list);
    // Focus never stays in a pane that was just hidden.
    const bool treeHidden = l.tree.isNull();
    QWidget* hidden = treeHidden ? static_cast<QWidget*>(tree_) : list_;
    QWidget* shown = treeHidden ? static_cast<QWidget*>(list_) : tree_;
    if (l.tree.isNull() != l.list.isNull() &&
        (hidden->isAncestorOf(QApplication::focusWidget()) || hidden->hasFocus()))
        shown->setFocus();
}
