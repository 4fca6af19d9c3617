#include "QsdMenus.h"

namespace qsdmenu {

void fill(QMenu* menu, const std::vector<res::MenuItem>& items) {
    for (const res::MenuItem& item : items) {
        switch (item.kind) {
        case res::MenuItem::Kind::Separator:
            menu->addSeparator();
            break;
        case res::MenuItem::Kind::Popup: {
            QMenu* sub = menu->addMenu(item.text);
            fill(sub, item.items);
            break;
        }
        case res::MenuItem::Kind::Command: {
            QAction* a = menu->addAction(res::withoutKeyName(item.text));
            a->setData(item.id);
            a->setEnabled(!item.grayed);
            break;
        }
        }
    }
}

QMenu* popup(int menuId, int index, QWidget* parent) {
    auto* menu = new QMenu(parent);
    if (const res::Menu* m = res::loadMenu(menuId))
        if (const res::MenuItem* p = m->popupAt(index))
            fill(menu, p->items);
    return menu;
}

int idOf(const QAction* action) {
    return action && action->data().isValid() ? action->data().toInt() : 0;
}

QAction* find(QMenu* menu, int id) {
    for (QAction* a : menu->actions()) {
        if (a->menu()) {
            if (QAction* inner = find(a->menu(), id))
                return inner;
        } else if (idOf(a) == id) {
            return a;
        }
    }
    return nullptr;
}

QMenu* submenuHolding(QMenu* menu, int id) {
    for (QAction* a : menu->actions()) {
        if (!a->menu())
            continue;
        for (QAction* inner : a->menu()->actions())
            if (idOf(inner) == id)
                return a->menu();
        if (QMenu* deeper = submenuHolding(a->menu(), id))
            return deeper;
    }
    return nullptr;
}

namespace {
QMenu* ownerOf(QMenu* menu, QAction* action) {
    if (menu->actions().contains(action))
        return menu;
    for (QAction* a : menu->actions())
        if (a->menu())
            if (QMenu* m = ownerOf(a->menu(), action))
                return m;
    return nullptr;
}
} // namespace

void remove(QMenu* menu, int id) {
    QAction* a = find(menu, id);
    if (!a)
        return;
    QMenu* owner = ownerOf(menu, a);
    owner->removeAction(a);
    tidySeparators(owner);
}

void tidySeparators(QMenu* menu) {
    bool lastWasSeparator = true;
    QList<QAction*> drop;
    for (QAction* a : menu->actions()) {
        if (a->isSeparator()) {
            if (lastWasSeparator)
                drop << a;
            lastWasSeparator = true;
        } else {
            lastWasSeparator = false;
        }
    }
    const QList<QAction*> all = menu->actions();
    for (qsizetype i = all.size() - 1; i >= 0 && all[i]->isSeparator(); --i)
        drop << all[i];
    for (QAction* a : drop)
        menu->removeAction(a);
}

void setEnabled(QMenu* menu, int id, bool on) {
    if (QAction* a = find(menu, id))
        a->setEnabled(on);
}

void setChecked(QMenu* menu, int id, bool on) {
    if (QAction* a = find(menu, id)) {
        a->setCheckable(true);
        a->setChecked(on);
    }
}

} // namespace qsdmenu
