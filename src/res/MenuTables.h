#pragma once

#include <QKeyCombination>
#include <QString>
#include <span>
#include <vector>

namespace res {

// One item of a menu resource: a command, a separator or a pop-up with items
// of its own. Texts keep their access keys ("&") and, after a TAB, the name
// of the key that runs the command.
struct MenuItem {
    enum class Kind { Command, Separator, Popup };
    Kind kind = Kind::Command;
    QString text;
    int id = 0;                  // command id of a Command item
    int popupId = 0;             // id of a Popup, naming it for translations
    bool grayed = false;         // shown disabled until an update handler says otherwise
    std::vector<MenuItem> items; // items of a Popup

    static MenuItem command(const QString& text, int id, bool grayed = false);
    static MenuItem separator();
    static MenuItem popup(const QString& text, std::vector<MenuItem> items, int popupId = 0);
};

// Translations carry a menu item's text under the item's key: a command's id,
// or kPopupTextKey plus the id of a pop-up. So a translated text lands on the
// item it was written for wherever that item stands, and an item that the
// translation lacks keeps the program's own text.
constexpr int kPopupTextKey = 0x10000;
int textKey(const MenuItem& item);

// A menu resource: its top-level items. For a menu bar or a soft-key bar these
// are the bar's entries; a context-menu resource holds one pop-up per context.
struct Menu {
    int id = 0;
    std::vector<MenuItem> items;

    // The first item with this command id anywhere in the tree, or nullptr.
    const MenuItem* findCommand(int commandId) const;
    // The top-level pop-up at this position, or nullptr.
    const MenuItem* popupAt(int index) const;
};

// The menu resource with this id, or nullptr for an id the program lacks.
const Menu* loadMenu(int id);
// Ids of every menu resource, ascending.
std::vector<int> menuIds();

// One entry of the main window's accelerator table.
struct Accelerator {
    QKeyCombination keys;
    int command = 0;
};

// The main window's accelerator table (resource 128).
std::span<const Accelerator> mainAccelerators();

// A menu text without its key name: everything from the first TAB on is cut
// off, as menus on platforms that show no key names want it.
QString withoutKeyName(const QString& text);

} // namespace res
