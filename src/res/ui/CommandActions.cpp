#include "CommandActions.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QKeySequence>
#include <QMenu>
#include <QWidget>

namespace {

const char* const kCommandIdProperty = "tavloCommandId";
// Set on the actions made from a dynamic provider, to the placeholder's id.
const char* const kDynamicForProperty = "tavloDynamicFor";
const char* const kOwnTextProperty = "tavloOwnText";

} // namespace

CommandActions::CommandActions(CommandRouter& router, QObject* parent)
    : QObject(parent), router_(router) {}

int CommandActions::commandId(const QAction* action) {
    return action ? action->property(kCommandIdProperty).toInt() : 0;
}

QAction* CommandActions::createAction(int id, const QString& text, QObject* parent) {
    auto* action = new QAction(text, parent ? parent : this);
    action->setProperty(kCommandIdProperty, id);
    connect(action, &QAction::triggered, this, [this, id] { router_.execute(id); });
    return action;
}

QAction* CommandActions::addItem(QMenu* menu, QAction* before, const res::MenuItem& item) {
    switch (item.kind) {
    case res::MenuItem::Kind::Separator: {
        auto* separator = new QAction(menu);
        separator->setSeparator(true);
        menu->insertAction(before, separator);
        return separator;
    }
    case res::MenuItem::Kind::Popup: {
        QMenu* sub = createMenu(item, menu);
        menu->insertMenu(before, sub);
        return sub->menuAction();
    }
    case res::MenuItem::Kind::Command:
        break;
    }
    QAction* action = createAction(item.id, item.text, menu);
    action->setEnabled(!item.grayed);
    menu->insertAction(before, action);
    return action;
}

QMenu* CommandActions::createMenu(const res::MenuItem& popup, QWidget* parent) {
    auto* menu = new QMenu(popup.text, parent);
    fillMenu(menu, popup.items);
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { updateMenu(menu); });
    return menu;
}

void CommandActions::fillMenu(QMenu* menu, const std::vector<res::MenuItem>& items) {
    for (const res::MenuItem& item : items)
        addItem(menu, nullptr, item);
}

QList<QAction*>
CommandActions::installAccelerators(QWidget* window,
                                    std::span<const res::Accelerator> accelerators) {
    std::map<int, QList<QKeySequence>> keysByCommand;
    for (const res::Accelerator& accelerator : accelerators)
        keysByCommand[accelerator.command].append(QKeySequence(accelerator.keys));
    QList<QAction*> created;
    for (const auto& [id, keys] : keysByCommand) {
        QAction* action = createAction(id, QString(), window);
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        window->addAction(action);
        created.append(action);
    }
    return created;
}

void CommandActions::setDynamicItems(int placeholderId, ItemProvider provider) {
    if (provider)
        providers_[placeholderId] = std::move(provider);
    else
        providers_.erase(placeholderId);
}

void CommandActions::expandDynamicItems(QMenu* menu) {
    for (const auto& [placeholderId, provider] : providers_) {
        // Take out what an earlier opening made and find the placeholder.
        QAction* placeholder = nullptr;
        const QList<QAction*> actions = menu->actions();
        for (QAction* action : actions) {
            if (action->property(kDynamicForProperty).toInt() == placeholderId) {
                menu->removeAction(action);
                // A sub-menu owns its menu action; delete the menu instead.
                if (QMenu* sub = action->menu())
                    sub->deleteLater();
                else
                    action->deleteLater();
            } else if (commandId(action) == placeholderId && !placeholder) {
                placeholder = action;
            }
        }
        if (!placeholder)
            continue;
        const std::vector<res::MenuItem> items = provider();
        placeholder->setVisible(items.empty());
        const QList<QAction*> after = menu->actions();
        const qsizetype next = after.indexOf(placeholder) + 1;
        QAction* before = next < after.size() ? after.at(next) : nullptr;
        for (const res::MenuItem& item : items) {
            QAction* made = addItem(menu, before, item);
            made->setProperty(kDynamicForProperty, placeholderId);
        }
    }
}

void CommandActions::updateMenu(QMenu* menu) {
    expandDynamicItems(menu);
    const QList<QAction*> actions = menu->actions();
    for (QAction* action : actions) {
        if (commandId(action) != 0 && action->isVisible())
            updateAction(action);
    }
}

void CommandActions::updateAction(QAction* action) {
    const int id = commandId(action);
    if (id == 0)
        return;
    const CommandState state = router_.query(id);
    action->setEnabled(state.enabled);
    action->setCheckable(state.checked);
    action->setChecked(state.checked);
    // A handler that sets no text leaves the item its own text, or gives it
    // back after a handler changed it.
    const QVariant ownText = action->property(kOwnTextProperty);
    if (state.text) {
        if (!ownText.isValid())
            action->setProperty(kOwnTextProperty, action->text());
        action->setText(*state.text);
    } else if (ownText.isValid()) {
        action->setText(ownText.toString());
    }
}

IdleUpdater::IdleUpdater(CommandActions& actions, QObject* parent, int intervalMs)
    : QObject(parent), actions_(actions) {
    periodic_.setInterval(intervalMs);
    connect(&periodic_, &QTimer::timeout, this, &IdleUpdater::runNow);
    periodic_.start();
    if (QCoreApplication* app = QCoreApplication::instance())
        app->installEventFilter(this);
}

void IdleUpdater::registerAction(QAction* action) {
    if (action && !registered_.contains(action))
        registered_.append(action);
    schedule();
}

void IdleUpdater::unregisterAction(QAction* action) {
    registered_.removeAll(action);
}

void IdleUpdater::schedule() {
    if (scheduled_)
        return;
    scheduled_ = true;
    QTimer::singleShot(0, this, &IdleUpdater::runNow);
}

void IdleUpdater::runNow() {
    scheduled_ = false;
    registered_.removeAll(nullptr);
    const QList<QPointer<QAction>> actions = registered_;
    for (const QPointer<QAction>& action : actions) {
        if (action)
            actions_.updateAction(action);
    }
}

bool IdleUpdater::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::FocusIn:
        schedule();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
