#pragma once

#include <QIcon>

// The pictures of the command bar's buttons (open, save, cut, copy, paste,
// play macro, stop), drawn at any size so that they stay sharp on phone and
// desktop screens alike.
namespace commandbar_icons {
// commandId: one of the bar's button commands; other ids give a null icon.
QIcon forCommand(int commandId);
} // namespace commandbar_icons
