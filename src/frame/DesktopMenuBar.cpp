#include "DesktopMenuBar.h"

#include "CommandActions.h"
#include "DesktopMenus.h"
#include "MenuTables.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

DesktopMenuBar::DesktopMenuBar(QMainWindow& window, CommandActions& actions,
                               std::function<void(QMenu*)> prepareMenu)
    : QObject(&window), window_(window), actions_(actions), prepareMenu_(std::move(prepareMenu)) {
    window_.menuBar()->setObjectName(QStringLiteral("desktopMenuBar"));
    window_.menuBar()->setVisible(false);
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), &window_);
    connect(f10, &QShortcut::activated, this, [this] {
        if (active_)
            openFirstMenu();
    });
    qApp->installEventFilter(this);
}

void DesktopMenuBar::rebuild(int menuId) {
    QMenuBar* bar = window_.menuBar();
    const QList<QAction*> old = bar->actions();
    bar->clear();
    for (QAction* action : old) {
        if (QMenu* menu = action->menu())
            menu->deleteLater();
    }
    const res::Menu* menu = res::loadMenu(menuId);
    if (!menu || menu->items.empty())
        return;
    for (const res::MenuItem& item : res::menuBarItems(menu->items.front())) {
        QMenu* popup = actions_.createMenu(item, bar);
        if (prepareMenu_)
            prepareMenu_(popup);
        bar->addMenu(popup);
    }
}

void DesktopMenuBar::setActive(bool active) {
    active_ = active;
    window_.menuBar()->setVisible(active);
}

void DesktopMenuBar::openFirstMenu() {
    QMenuBar* bar = window_.menuBar();
    if (!bar->actions().isEmpty())
        bar->setActiveAction(bar->actions().constFirst());
}

// A lone Alt (pressed and released with no other key between) opens the menu
// bar, as desktop users expect; Alt with a letter is left to the access keys.
bool DesktopMenuBar::eventFilter(QObject* watched, QEvent* event) {
    if (!active_ || (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease))
        return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    QWidget* target = qobject_cast<QWidget*>(watched);
    if (!target || target->window() != &window_ || key->isAutoRepeat())
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress)
        lonelyAlt_ = key->key() == Qt::Key_Alt && key->modifiers() == Qt::AltModifier;
    else if (key->key() == Qt::Key_Alt && lonelyAlt_) {
        lonelyAlt_ = false;
        if (!QApplication::activePopupWidget())
            openFirstMenu();
    }
    return QObject::eventFilter(watched, event);
}
