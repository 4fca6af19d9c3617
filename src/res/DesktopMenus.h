#pragma once

#include "MenuTables.h"

#include <vector>

namespace res {

// The main pop-up of the command bar (menu 128 or 163) laid out for a desktop
// menu bar: its pop-ups (File, Edit, View, Tools) become the bar's menus; the
// commands that stand outside them move into the pop-up where a desktop user
// looks for them: Find and Replace at the end of the Edit menu, the recent
// files and Exit at the end of the File menu. Texts, ids and states are the
// table's own, so translations and update handlers apply unchanged.
std::vector<MenuItem> menuBarItems(const MenuItem& mainPopup);

} // namespace res
