#include "CMainFrame.h"

#include "CEditer.h"
#include "CommandActions.h"
#include "CommandBarIcons.h"
#include "CommandIds.h"
#include "DesktopMenuBar.h"
#include "FindBar.h"
#include "FrameSearchHost.h"
#include "MenuTables.h"
#include "MessageService.h"
#include "ReplaceBar.h"
#include "SearchBarController.h"
#include "Settings.h"
#include "SoftKeyBar.h"
#include "StringTable.h"
#include "WindowPlacement.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QFontDatabase>
#include <QMenuBar>
#include <QScreen>
#include <QMenu>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

const QEvent::Type CMainFrame::RebuildBarsEvent = static_cast<QEvent::Type>(QEvent::User + 0x104);

namespace {

constexpr int kMenuWithExitInFile = cmd::IDR_MAINFRAME;                // 128
constexpr int kMenuWithExitLast = cmd::IDR_CMDBAR_EXIT_LAST;           // 163
constexpr int kSoftKeysWithExitInFile = cmd::IDR_SOFTKEY_EXIT_IN_FILE; // 161
constexpr int kSoftKeysWithExitLast = cmd::IDR_SOFTKEY_EXIT_LAST;      // 162

// The command bar's buttons in order; 0 is a separator. Each button's
// tooltip is the entry of the tooltip list at its position among the buttons
// plus one (the list starts with an empty string).
constexpr int kButtons[] = {0,
                            cmd::ID_FILE_OPEN,
                            cmd::ID_FILE_SAVE,
                            0,
                            cmd::ID_EDIT_CUT,
                            cmd::ID_EDIT_COPY,
                            cmd::ID_EDIT_PASTE,
                            0,
                            cmd::ID_MACRO_PLAY,
                            cmd::ID_MACRO_STOP,
                            0};
constexpr uint32_t kFirstTooltipId = 35068; // "開く" ... "記録終了/マクロ中止"
constexpr int kTooltipCount = 8;
constexpr int kPlayTooltipIndex = 6;

// The label of a menu title on a button: without its access-key marks.
QString withoutAccessKey(QString text) {
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(u'&');
    text.replace(QChar(1), u'&');
    return res::withoutKeyName(text);
}

qint64 nowMs() {
    return QDateTime::currentMSecsSinceEpoch();
}

} // namespace

CMainFrame::CMainFrame(FrameServices services, QWidget* parent)
    : QMainWindow(parent), services_(std::move(services)),
      actions_(std::make_unique<CommandActions>(services_.router)) {
    setObjectName(QStringLiteral("mainFrame"));
    setFont(preferredUiFont());
    setWindowTitle(res::loadString(57344, QStringLiteral("Tavlo TextEditor")));
    resize(480, 640);

    idle_ = new IdleUpdater(*actions_, this);
    desktopMenuBar_ = new DesktopMenuBar(*this, *actions_, [this](QMenu* menu) { prepareMenu(menu); });
    tapAndHold_ = new TapAndHoldRecognizer(inputTimes_, this);
    qApp->installEventFilter(tapAndHold_);
    setLongDelay(services_.settings.getInt(QStringLiteral("LONG_DELAY")) != 0);
    connect(tapAndHold_, &TapAndHoldRecognizer::contextMenuGesture, this,
            &CMainFrame::showTextContextMenu);
    tapAndHold_->setAreaTest([this](QWidget* receiver, QPoint globalPos) {
        if (!view_ || !receiver || (receiver != view_ && !view_->isAncestorOf(receiver)))
            return false;
        return view_->rect().contains(view_->mapFromGlobal(globalPos));
    });

    central_ = new QWidget(this);
    centralLayout_ = new QVBoxLayout(central_);
    centralLayout_->setContentsMargins(0, 0, 0, 0);
    centralLayout_->setSpacing(0);
    softKeyBar_ = new SoftKeyBar(central_);
    centralLayout_->addWidget(softKeyBar_);
    setCentralWidget(central_);

    createCommandBar();
    const bool exitInFile = services_.settings.getInt(QStringLiteral("EXIT_IN_FILE_MENU")) != 0;
    createSoftKeys(exitInFile ? kSoftKeysWithExitInFile : kSoftKeysWithExitLast);
    setSoftKeyBarVisible(services_.settings.getInt(QStringLiteral("USE_SOFT_KEY_MENU")) != 0);

    bindCommands();
    actions_->installAccelerators(this, res::mainAccelerators());
}

CMainFrame::~CMainFrame() {
    // The view leaves the routing before it goes.
    if (view_)
        services_.router.removeTarget(view_);
    services_.router.removeTarget(this);
}

QFont CMainFrame::preferredUiFont() {
    QFont font = QApplication::font();
    static const QString kJapaneseFamily = QStringLiteral("Noto Sans CJK JP");
    if (QFontDatabase::hasFamily(kJapaneseFamily))
        font.setFamilies({kJapaneseFamily});
    return font;
}

void CMainFrame::setView(CEditer* view) {
    view_ = view;
    view->setParent(central_);
    centralLayout_->insertWidget(0, view, 1);
    connect(view, &CEditer::titleChanged, this, &QWidget::setWindowTitle);
    connect(view, &CEditer::editFocusChanged, idle_, &IdleUpdater::schedule);
    if (!view->title().isEmpty())
        setWindowTitle(view->title());
    createSearchBars();
}

void CMainFrame::createCommandBar() {
    for (QAction* action : std::as_const(buttonActions_))
        idle_->unregisterAction(action);
    buttonActions_.clear();
    if (commandBar_) {
        removeToolBar(commandBar_);
        commandBar_->deleteLater();
    }
    if (commandBarMenu_)
        commandBarMenu_->deleteLater();
    commandBarMenu_ = nullptr;

    const bool exitInFile = services_.settings.getInt(QStringLiteral("EXIT_IN_FILE_MENU")) != 0;
    commandBarMenuId_ = exitInFile ? kMenuWithExitInFile : kMenuWithExitLast;

    commandBar_ = new QToolBar(this);
    commandBar_->setObjectName(QStringLiteral("commandBar"));
    commandBar_->setMovable(false);
    commandBar_->setFloatable(false);
    commandBar_->toggleViewAction()->setVisible(false);
    const int iconSide = qMax(16, fontMetrics().height());
    commandBar_->setIconSize(QSize(iconSide, iconSide));

    if (const res::Menu* menu = res::loadMenu(commandBarMenuId_)) {
        for (const res::MenuItem& item : menu->items) {
            if (item.kind == res::MenuItem::Kind::Popup) {
                QMenu* popup = actions_->createMenu(item, this);
                prepareMenu(popup);
                auto* button = new QToolButton(commandBar_);
                button->setText(withoutAccessKey(item.text));
                button->setMenu(popup);
                button->setPopupMode(QToolButton::InstantPopup);
                button->setToolButtonStyle(Qt::ToolButtonTextOnly);
                button->setStyleSheet(
                    QStringLiteral("QToolButton::menu-indicator { image: none; }"));
                button->setObjectName(QStringLiteral("commandBarMenuButton"));
                QAction* buttonAction = commandBar_->addWidget(button);
                if (!commandBarMenu_) {
                    commandBarMenu_ = popup;
                    menuButtonAction_ = buttonAction;
                }
            } else if (item.kind == res::MenuItem::Kind::Command) {
                commandBar_->addAction(
                    actions_->createAction(item.id, withoutAccessKey(item.text), commandBar_));
            }
        }
    }

    tooltips_.clear();
    tooltips_.append(QString());
    for (uint32_t id = kFirstTooltipId; tooltips_.size() < kTooltipCount; ++id)
        tooltips_.append(res::loadString(id, QString()));

    int buttonIndex = 0;
    for (int id : kButtons) {
        if (id == 0) {
            commandBar_->addSeparator();
            continue;
        }
        ++buttonIndex;
        QAction* action = actions_->createAction(id, tooltips_.value(buttonIndex), commandBar_);
        action->setIcon(commandbar_icons::forCommand(id));
        action->setToolTip(tooltips_.value(buttonIndex));
        commandBar_->addAction(action);
        buttonActions_.append(action);
        idle_->registerAction(action);
    }
    addToolBar(Qt::TopToolBarArea, commandBar_);
    desktopMenuBar_->rebuild(commandBarMenuId_);
    applyWidthLayout();
}

bool CMainFrame::isDesktopLayout() const {
    return desktopMenuBar_->isActive();
}

void CMainFrame::applyWidthLayout() {
    const bool desktop = width() >= kDesktopMinWidth;
    desktopMenuBar_->setActive(desktop);
    if (menuButtonAction_)
        menuButtonAction_->setVisible(!desktop);
    softKeyBar_->setCompact(desktop);
}

void CMainFrame::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    applyWidthLayout();
}

void CMainFrame::placeOnScreen() {
    const QByteArray saved = QByteArray::fromBase64(
        services_.settings.getString(QStringLiteral("WINDOW_PLACEMENT")).toLatin1());
    if (!saved.isEmpty() && restoreGeometry(saved))
        return;
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const QRect placed = window_placement::firstStartGeometry(available);
    setGeometry(placed);
    // A window that fills a phone's screen is maximised, so that a window
    // manager fits its decorations inside the screen too.
    if (placed == available)
        setWindowState(windowState() | Qt::WindowMaximized);
}

QString CMainFrame::buttonTooltip(int commandId) const {
    for (QAction* action : buttonActions_) {
        if (CommandActions::commandId(action) == commandId)
            return action->toolTip();
    }
    return QString();
}

void CMainFrame::setPlayButtonTooltip(const QString& tooltip) {
    tooltips_[kPlayTooltipIndex] = tooltip;
    for (QAction* action : std::as_const(buttonActions_)) {
        if (CommandActions::commandId(action) == cmd::ID_MACRO_PLAY) {
            action->setToolTip(tooltip);
            action->setText(tooltip);
        }
    }
}

void CMainFrame::rebuildBars() {
    createCommandBar();
    const bool exitInFile = services_.settings.getInt(QStringLiteral("EXIT_IN_FILE_MENU")) != 0;
    const int wanted = exitInFile ? kSoftKeysWithExitInFile : kSoftKeysWithExitLast;
    if (wanted != softKeyMenuId_ || softKeyTextsChanged(wanted))
        createSoftKeys(wanted);
    if (searchBars_)
        retranslateSearchBars();
    updateCommandUi();
}

// The bars that exist take the texts of the current interface language, and
// their soft keys are made again from their menus when next shown (at once
// for a bar on screen).
void CMainFrame::retranslateSearchBars() {
    searchBars_->retranslate();
    for (auto& [menuId, keys] : barSoftKeys_) {
        if (keys.left) {
            idle_->unregisterAction(keys.left);
            keys.left->deleteLater();
        }
        if (keys.menu)
            keys.menu->deleteLater();
    }
    barSoftKeys_.clear();
    if (searchBars_->softKeyMenu() != 0)
        showSoftKeysOf(searchBars_->softKeyMenu());
}

// The same soft-key menu reads differently after the interface language
// changed; then the keys are made again from it.
bool CMainFrame::softKeyTextsChanged(int menuId) const {
    const res::Menu* menu = res::loadMenu(menuId);
    if (!menu)
        return false;
    for (const res::MenuItem& item : menu->items) {
        if (item.kind == res::MenuItem::Kind::Command && softKeyLeft_ &&
            withoutAccessKey(item.text) != softKeyLeft_->text())
            return true;
        if (item.kind == res::MenuItem::Kind::Popup && softKeyMenu_ &&
            item.text != softKeyMenu_->title())
            return true;
    }
    return false;
}

void CMainFrame::postRebuildBars() {
    QCoreApplication::postEvent(this, new QEvent(RebuildBarsEvent));
}

void CMainFrame::updateCommandUi() {
    idle_->runNow();
}

void CMainFrame::createSoftKeys(int menuId) {
    const res::Menu* menu = res::loadMenu(menuId);
    if (!menu)
        return;
    if (softKeyLeft_) {
        idle_->unregisterAction(softKeyLeft_);
        softKeyLeft_->deleteLater();
    }
    if (softKeyMenu_)
        softKeyMenu_->deleteLater();
    softKeyLeft_ = nullptr;
    softKeyMenu_ = nullptr;
    for (const res::MenuItem& item : menu->items) {
        if (item.kind == res::MenuItem::Kind::Command && !softKeyLeft_) {
            softKeyLeft_ = actions_->createAction(item.id, withoutAccessKey(item.text), this);
            idle_->registerAction(softKeyLeft_);
        } else if (item.kind == res::MenuItem::Kind::Popup && !softKeyMenu_) {
            softKeyMenu_ = actions_->createMenu(item, this);
            prepareMenu(softKeyMenu_);
        }
    }
    softKeyMenuId_ = menuId;
    if (!searchBars_ || searchBars_->softKeyMenu() == 0)
        showFrameSoftKeys();
}

void CMainFrame::showFrameSoftKeys() {
    softKeyBar_->setKeys(softKeyLeft_, softKeyMenu_);
}

void CMainFrame::setSoftKeyBarVisible(bool visible) {
    softKeysWanted_ = visible;
    softKeyBar_->setVisible(visible);
}

// Menus lose their key names on platforms that show none, each time they open.
void CMainFrame::prepareMenu(QMenu* menu) {
    connect(menu, &QMenu::aboutToShow, this, [this, menu] {
        if (!services_.isRecentPlatform || !services_.isRecentPlatform())
            return;
        for (QAction* action : menu->actions())
            action->setText(res::withoutKeyName(action->text()));
    });
    for (QAction* action : menu->actions()) {
        if (QMenu* sub = action->menu())
            prepareMenu(sub);
    }
}

void CMainFrame::createSearchBars() {
    searchHost_ = std::make_unique<FrameSearchHost>(*view_, inputTimes_);
    searchBars_ = std::make_unique<SearchBarController>(services_.settings, *searchHost_, central_);
    const int at = centralLayout_->indexOf(softKeyBar_);
    centralLayout_->insertWidget(at, searchBars_->replaceBar());
    centralLayout_->insertWidget(at, searchBars_->findBar());
    connect(searchBars_.get(), &SearchBarController::softKeyMenuChanged, this,
            &CMainFrame::showSoftKeysOf);
    connect(searchBars_.get(), &SearchBarController::findSoftKeyLabelChanged, this,
            [this](const QString& label) {
                if (auto found = barSoftKeys_.find(cmd::IDR_FINDBAR_MENUBAR);
                    found != barSoftKeys_.end() && found->second.left)
                    found->second.left->setText(label);
            });
    showSoftKeysOf(searchBars_->softKeyMenu());
}

// The soft keys of a shown bar, or the frame's own for 0.
void CMainFrame::showSoftKeysOf(int menuId) {
    if (menuId == 0) {
        showFrameSoftKeys();
        return;
    }
    SoftKeys& keys = barSoftKeys_[menuId];
    if (!keys.left && !keys.menu) {
        if (const res::Menu* menu = res::loadMenu(menuId)) {
            for (const res::MenuItem& item : menu->items) {
                if (item.kind == res::MenuItem::Kind::Command && !keys.left) {
                    keys.left = actions_->createAction(item.id, withoutAccessKey(item.text), this);
                    idle_->registerAction(keys.left);
                } else if (item.kind == res::MenuItem::Kind::Popup && !keys.menu) {
                    keys.menu = actions_->createMenu(item, this);
                    prepareMenu(keys.menu);
                }
            }
        }
        if (menuId == cmd::IDR_FINDBAR_MENUBAR && keys.left)
            keys.left->setText(searchBars_->findSoftKeyLabel());
    }
    softKeyBar_->setKeys(keys.left, keys.menu);
    idle_->schedule();
}

void CMainFrame::setLongDelay(bool longDelay) {
    tapAndHold_->setLongDelay(longDelay);
}

void CMainFrame::showTextContextMenu(QPoint globalPos) {
    if (!view_)
        return;
    const res::Menu* menu = res::loadMenu(cmd::IDR_TEXT_CONTEXT);
    if (!menu)
        return;
    const auto [start, end] = view_->GetSel();
    const res::MenuItem* popup = menu->popupAt(start != end ? 1 : 0);
    if (!popup)
        return;
    if (contextMenu_)
        contextMenu_->deleteLater();
    QMenu* context = actions_->createMenu(*popup, this);
    context->setObjectName(QStringLiteral("textContextMenu"));
    prepareMenu(context);
    if (view_->state().macroRecording) {
        // While recording, the record item says that it ends the recording.
        const QString stopText =
            res::loadString(35001, QStringLiteral("記録終了(&R)\tShift+Ctrl+R"));
        connect(context, &QMenu::aboutToShow, context, [context, stopText] {
            for (QAction* action : context->actions()) {
                if (CommandActions::commandId(action) == cmd::ID_MACRO_RECORD)
                    action->setText(stopText);
            }
        });
    }
    connect(context, &QMenu::aboutToHide, context, &QObject::deleteLater, Qt::QueuedConnection);
    contextMenu_ = context;
    context->popup(globalPos);
}

void CMainFrame::showMainPopupAtView() {
    if (!commandBarMenu_)
        return;
    QWidget* anchor = view_ ? static_cast<QWidget*>(view_) : central_;
    commandBarMenu_->popup(anchor->mapToGlobal(QPoint(0, anchor->height())));
}

void CMainFrame::bindCommands() {
    commands_.on(cmd::ID_APP_EXIT, [this] { close(); });
    commands_.on(cmd::ID_MENU_POPUP, [this] { showMainPopupAtView(); });
}

// The bars' commands are the frame's: they follow its own.
bool CMainFrame::onCommand(int id) {
    if (commands_.onCommand(id))
        return true;
    return searchBars_ && searchBars_->commandTarget().onCommand(id);
}

bool CMainFrame::onUpdateCommand(int id, CommandState& state) {
    if (commands_.onUpdateCommand(id, state))
        return true;
    return searchBars_ && searchBars_->commandTarget().onUpdateCommand(id, state);
}

QString CMainFrame::caption() const {
    return res::loadString(57344, QStringLiteral("Tavlo TextEditor"));
}

bool CMainFrame::queryClose() {
    if (!view_)
        return true;
    if (view_->state().macroPlaying) {
        services_.messages.show(
            res::loadString(40008, QStringLiteral("A macro is playing; the editor can't close.")),
            caption(), mb::MB_OK | mb::MB_ICONEXCLAMATION, this);
        return false;
    }
    if (!view_->IsDocumentChanged())
        return true;
    const int answer = services_.messages.show(
        res::loadString(30006, QStringLiteral("The file has changed.\nSave the changes?")),
        caption(), mb::MB_YESNOCANCEL | mb::MB_ICONQUESTION, this);
    if (answer == mb::IDNO)
        return true;
    if (answer == mb::IDYES)
        return saveBeforeDiscard_ && saveBeforeDiscard_();
    return false;
}

void CMainFrame::writeBarState() {
    if (searchBars_)
        searchBars_->storeSettings();
}

void CMainFrame::closeEvent(QCloseEvent* e) {
    if (!queryClose()) {
        e->ignore();
        return;
    }
    writeBarState();
    services_.settings.writeString(QStringLiteral("WINDOW_PLACEMENT"),
                                   QString::fromLatin1(saveGeometry().toBase64()));
    QMainWindow::closeEvent(e);
}

void CMainFrame::onActivated() {
    if (checkingOutsideChange_ || !outsideChangeCheck_)
        return;
    if (skipNextActivation_) {
        skipNextActivation_ = false;
        if (nowMs() - checkEndedAt_ < 2000)
            return;
    }
    checkingOutsideChange_ = true;
    outsideChangeCheck_();
    checkingOutsideChange_ = false;
    checkEndedAt_ = nowMs();
    emit activatedCheckDone();
}

bool CMainFrame::event(QEvent* e) {
    if (e->type() == RebuildBarsEvent) {
        rebuildBars();
        return true;
    }
    if (e->type() == QEvent::WindowActivate) {
        // Runs once the activation is through, outside the platform's handling.
        QTimer::singleShot(0, this, &CMainFrame::onActivated);
    } else if (e->type() == QEvent::WindowDeactivate && checkingOutsideChange_) {
        skipNextActivation_ = true;
    }
    return QMainWindow::event(e);
}
