#include "DesktopMenus.h"

#include "CommandIds.h"

#include <algorithm>

namespace res {

namespace {

bool holdsCommand(const MenuItem& popup, int commandId) {
    return std::any_of(popup.items.begin(), popup.items.end(),
                       [commandId](const MenuItem& item) { return item.id == commandId; });
}

// Appends commands after a separator, unless the pop-up already holds them.
void appendCommands(MenuItem& popup, const std::vector<MenuItem>& commands) {
    std::vector<MenuItem> missing;
    for (const MenuItem& command : commands) {
        if (!holdsCommand(popup, command.id))
            missing.push_back(command);
    }
    if (missing.empty())
        return;
    if (!popup.items.empty() && popup.items.back().kind != MenuItem::Kind::Separator)
        popup.items.push_back(MenuItem::separator());
    popup.items.insert(popup.items.end(), missing.begin(), missing.end());
}

} // namespace

std::vector<MenuItem> menuBarItems(const MenuItem& mainPopup) {
    std::vector<MenuItem> bar;
    std::vector<MenuItem> beforePopups;
    std::vector<MenuItem> afterPopups;
    for (const MenuItem& item : mainPopup.items) {
        if (item.kind == MenuItem::Kind::Popup)
            bar.push_back(item);
        else if (item.kind == MenuItem::Kind::Command)
            (bar.empty() ? beforePopups : afterPopups).push_back(item);
    }
    auto popupWith = [&bar](int commandId) -> MenuItem* {
        for (MenuItem& popup : bar) {
            if (holdsCommand(popup, commandId))
                return &popup;
        }
        return bar.empty() ? nullptr : &bar.front();
    };
    if (MenuItem* edit = popupWith(cmd::ID_EDIT_CUT))
        appendCommands(*edit, beforePopups);
    if (MenuItem* file = popupWith(cmd::ID_FILE_OPEN)) {
        // Exit stays last, below the recent files, as desktop File menus have it.
        std::vector<MenuItem> recent;
        std::vector<MenuItem> exit;
        for (const MenuItem& item : afterPopups)
            (item.id == cmd::ID_APP_EXIT ? exit : recent).push_back(item);
        const bool exitInFile = holdsCommand(*file, cmd::ID_APP_EXIT);
        if (exitInFile) {
            auto at = std::find_if(file->items.begin(), file->items.end(),
                                   [](const MenuItem& i) { return i.id == cmd::ID_APP_EXIT; });
            exit.push_back(*at);
            file->items.erase(at);
            if (!file->items.empty() && file->items.back().kind == MenuItem::Kind::Separator)
                file->items.pop_back();
        }
        appendCommands(*file, recent);
        appendCommands(*file, exit);
    }
    return bar;
}

} // namespace res
