#pragma once

#include "CommandRouter.h"
#include "InputTimes.h"
#include "TapAndHoldRecognizer.h"

#include <QEvent>
#include <QMainWindow>
#include <QMenu>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>

class CEditer;
class CommandActions;
class DesktopMenuBar;
class FrameSearchHost;
class IdleUpdater;
class MessageService;
class QToolBar;
class SearchBarController;
class QVBoxLayout;
class Settings;
class SoftKeyBar;

// What the frame works with, handed in by the application so that tests run
// it with a temporary registry and scripted message boxes.
struct FrameServices {
    Settings& settings;
    MessageService& messages;
    CommandRouter& router;
    // True on a platform whose menus drop the key names after a TAB.
    std::function<bool()> isRecentPlatform = [] { return false; };
};

// The editor's one top-level window: the command bar (menu and buttons) on
// top, the view, room for the find or the replace bar, and the two soft keys
// at the bottom. It refuses to close while a macro plays, offers to save a
// changed text first, and stores the bars' state when it closes.
class CMainFrame : public QMainWindow, public CommandTarget {
    Q_OBJECT
  public:
    // The private message WM_USER + 260: rebuild the command bar and the soft keys.
    static const QEvent::Type RebuildBarsEvent;

    explicit CMainFrame(FrameServices services, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Puts the view into the window (the frame owns it from now on).
    void setView(CEditer* view);
    CEditer* GetActiveView() const { return view_; }

    // The command bar and the soft keys.
    QToolBar* commandBar() const { return commandBar_; }
    // The main pop-up of the command bar's menu (128 or 163).
    QMenu* commandBarMenu() const { return commandBarMenu_; }
    int commandBarMenuId() const { return commandBarMenuId_; }
    SoftKeyBar* softKeyBar() const { return softKeyBar_; }
    // The soft-key menu in use for the frame's own keys (161 or 162).
    int softKeyMenuId() const { return softKeyMenuId_; }
    // Shows or hides the soft-key bar (USE_SOFT_KEY_MENU).
    void setSoftKeyBarVisible(bool visible);
    // The tooltip of the command bar's button with this command, "" for none.
    QString buttonTooltip(int commandId) const;
    // A loaded macro's TOOLTIP replaces the play button's tooltip until the
    // bar is rebuilt.
    void setPlayButtonTooltip(const QString& tooltip);
    // Rebuilds the command bar and, when its menu changed, the soft keys.
    void rebuildBars();
    // Queues the rebuild as the private message does.
    void postRebuildBars();
    CommandActions& commandActions() const { return *actions_; }
    // Runs the update handlers of the buttons and soft keys now.
    void updateCommandUi();

    // The find bar and the replace bar, docked at the bottom above the soft keys (at most one
    // shows); they exist once the view is set.
    SearchBarController* searchBars() const { return searchBars_.get(); }

    // Whether the last input was a key (at most 500 ms ago) rather than a tap.
    bool isKeyLastInput() const { return inputTimes_.isKeyLastInput(); }
    InputTimes& inputTimes() { return inputTimes_; }
    TapAndHoldRecognizer& tapAndHold() { return *tapAndHold_; }
    // LONG_DELAY, read at construction; the settings sheet may change it.
    void setLongDelay(bool longDelay);
    // The context menu of the text (menu 145) at a global point.
    void showTextContextMenu(QPoint globalPos);
    QMenu* textContextMenu() const { return contextMenu_; }

    // Hooks other parts fill in.
    // Saves a changed text before it is discarded; false when it was not saved.
    void setSaveBeforeDiscard(std::function<bool()> save) { saveBeforeDiscard_ = std::move(save); }
    // The view's check for a change of the file by another program, run when
    // the window is activated.
    void setOutsideChangeCheck(std::function<void()> check) {
        outsideChangeCheck_ = std::move(check);
    }

    // The closing rules: false while a macro plays or when the user keeps a
    // changed text (Cancel, or a failed save).
    bool queryClose();

    bool onCommand(int id) override;
    bool onUpdateCommand(int id, CommandState& state) override;

    // At desktop width the command bar's menu shows as a menu bar and the
    // soft keys keep their natural width; below it the phone layout stays.
    static constexpr int kDesktopMinWidth = 640;
    bool isDesktopLayout() const;
    // The first start's size for the screen, or the geometry of the last run.
    void placeOnScreen();

    // The font the window's texts use: "Noto Sans CJK JP" where it is
    // installed, so that Japanese reads in Japanese glyph forms.
    static QFont preferredUiFont();

  signals:
    // The frame's window was activated and the outside-change check ran.
    void activatedCheckDone();

  protected:
    bool event(QEvent* e) override;
    // The bars are not for hiding: no menu to toggle them.
    QMenu* createPopupMenu() override { return nullptr; }
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

  private:
    void createCommandBar();
    void applyWidthLayout();
    void createSoftKeys(int menuId);
    bool softKeyTextsChanged(int menuId) const;
    void showFrameSoftKeys();
    void showSoftKeysOf(int menuId);
    void retranslateSearchBars();
    void createSearchBars();
    void bindCommands();
    void prepareMenu(QMenu* menu);
    void writeBarState();
    void onActivated();
    void showMainPopupAtView();
    QString caption() const;

    FrameServices services_;
    std::unique_ptr<CommandActions> actions_;
    IdleUpdater* idle_ = nullptr;
    CommandMap commands_;
    InputTimes inputTimes_;
    TapAndHoldRecognizer* tapAndHold_ = nullptr;

    QToolBar* commandBar_ = nullptr;
    QAction* menuButtonAction_ = nullptr;
    DesktopMenuBar* desktopMenuBar_ = nullptr;
    QMenu* commandBarMenu_ = nullptr;
    int commandBarMenuId_ = 0;
    QStringList tooltips_;
    QList<QAction*> buttonActions_;

    SoftKeyBar* softKeyBar_ = nullptr;
    QPointer<QAction> softKeyLeft_;
    QPointer<QMenu> softKeyMenu_;
    int softKeyMenuId_ = 0;
    bool softKeysWanted_ = true;

    QWidget* central_ = nullptr;
    QVBoxLayout* centralLayout_ = nullptr;
    CEditer* view_ = nullptr;
    std::unique_ptr<FrameSearchHost> searchHost_;
    std::unique_ptr<SearchBarController> searchBars_;
    // The soft keys of the bars' menus (147, 164), made when first shown.
    struct SoftKeys {
        QPointer<QAction> left;
        QPointer<QMenu> menu;
    };
    std::map<int, SoftKeys> barSoftKeys_;
    QPointer<QMenu> contextMenu_;

    std::function<bool()> saveBeforeDiscard_;
    std::function<void()> outsideChangeCheck_;
    bool checkingOutsideChange_ = false;
    // The check's own message box took the activation away; the activation
    // that comes back when it closes must not run the check again.
    bool skipNextActivation_ = false;
    qint64 checkEndedAt_ = 0;
};
