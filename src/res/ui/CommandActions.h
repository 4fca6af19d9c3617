#pragma once

#include "CommandRouter.h"
#include "MenuTables.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <map>
#include <span>

class QAction;
class QMenu;
class QWidget;

// Turns command ids into QActions: menus built from the menu resources,
// tool-bar buttons and accelerators. Every action carries its command id;
// triggering it runs the command through the router, and opening a menu runs
// the update handlers of its items.
class CommandActions : public QObject {
    Q_OBJECT
  public:
    explicit CommandActions(CommandRouter& router, QObject* parent = nullptr);

    // The command id an action carries, or 0 when it carries none.
    static int commandId(const QAction* action);

    // A new action for the command, owned by `parent` (this object when null).
    QAction* createAction(int id, const QString& text, QObject* parent = nullptr);

    // A pop-up menu with the items of a pop-up resource item.
    QMenu* createMenu(const res::MenuItem& popup, QWidget* parent = nullptr);
    // Appends items to a menu; their pop-ups become sub-menus.
    void fillMenu(QMenu* menu, const std::vector<res::MenuItem>& items);

    // One window-wide action per command, holding all keys bound to it.
    QList<QAction*> installAccelerators(QWidget* window,
                                        std::span<const res::Accelerator> accelerators);

    // Items that stand for a list that changes (recent files, insert
    // strings): whenever a menu holding an item with this id opens, the item
    // and the ones made for it before are replaced by the provider's items.
    // An empty list keeps the placeholder, whose state the router decides.
    using ItemProvider = std::function<std::vector<res::MenuItem>()>;
    void setDynamicItems(int placeholderId, ItemProvider provider);

    // Runs the update handlers of the menu's command items.
    void updateMenu(QMenu* menu);
    // Runs the update handler of one action: enabled, checked, text.
    void updateAction(QAction* action);

    CommandRouter& router() const { return router_; }

  private:
    void expandDynamicItems(QMenu* menu);
    QAction* addItem(QMenu* menu, QAction* before, const res::MenuItem& item);

    CommandRouter& router_;
    std::map<int, ItemProvider> providers_;
};

// Keeps the state of registered actions (tool-bar buttons, soft keys) in step
// with the update handlers: an idle pass runs right after user input and then
// at a steady interval.
class IdleUpdater : public QObject {
    Q_OBJECT
  public:
    explicit IdleUpdater(CommandActions& actions, QObject* parent = nullptr, int intervalMs = 250);

    void registerAction(QAction* action);
    void unregisterAction(QAction* action);
    // Queues one idle pass soon (passes queued together run once).
    void schedule();
    // Runs the update handlers of every registered action now.
    void runNow();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    CommandActions& actions_;
    QList<QPointer<QAction>> registered_;
    QTimer periodic_;
    bool scheduled_ = false;
};
