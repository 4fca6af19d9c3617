#pragma once

#include "MenuTables.h"

#include <QAction>
#include <QMenu>

// Menus built from the menu tables: each action carries its command id.
namespace qsdmenu {
// Fills a menu with the items of a pop-up.
void fill(QMenu* menu, const std::vector<res::MenuItem>& items);
// The pop-up of a menu resource at a top-level position, as a new QMenu.
QMenu* popup(int menuId, int index, QWidget* parent);
int idOf(const QAction* action);
// The first action with this id in the menu or its sub-menus.
QAction* find(QMenu* menu, int id);
// The sub-menu whose items include this id.
QMenu* submenuHolding(QMenu* menu, int id);
// Removes an action, and the separator before it when that is left dangling.
void remove(QMenu* menu, int id);
// Removes separators that start or end a menu or follow another separator.
void tidySeparators(QMenu* menu);
void setEnabled(QMenu* menu, int id, bool on);
void setChecked(QMenu* menu, int id, bool on);
} // namespace qsdmenu
