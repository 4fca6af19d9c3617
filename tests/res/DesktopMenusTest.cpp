#include "CommandIds.h"
#include "DesktopMenus.h"
#include "MenuTables.h"

#include <gtest/gtest.h>
#include <map>

namespace {

void countCommands(const std::vector<res::MenuItem>& items, std::map<int, int>& counts) {
    for (const res::MenuItem& item : items) {
        if (item.kind == res::MenuItem::Kind::Command)
            ++counts[item.id];
        else if (item.kind == res::MenuItem::Kind::Popup)
            countCommands(item.items, counts);
    }
}

class DesktopMenus : public ::testing::TestWithParam<int> {};

// Both command bar menus (Exit in File or last) give the same desktop bar:
// the table's four pop-ups, every command exactly once, Find and Replace at
// the end of Edit, the recent files and then Exit at the end of File.
TEST_P(DesktopMenus, EveryCommandOnceWhereDesktopUsersLook) {
    const res::Menu* menu = res::loadMenu(GetParam());
    ASSERT_NE(menu, nullptr);
    const res::MenuItem& main = menu->items.front();
    const std::vector<res::MenuItem> bar = res::menuBarItems(main);

    std::vector<QString> titles;
    for (const res::MenuItem& popup : bar)
        titles.push_back(popup.text);
    EXPECT_EQ(titles, (std::vector<QString>{u"ファイル(&F)"_qs, u"編集(&E)"_qs, u"表示(&V)"_qs,
                                            u"ツール(&T)"_qs}));

    std::map<int, int> before, after;
    countCommands(main.items, before);
    countCommands(bar, after);
    EXPECT_EQ(before, after);

    const auto& file = bar[0].items;
    ASSERT_GE(file.size(), 3u);
    EXPECT_EQ(file.back().id, cmd::ID_APP_EXIT);
    EXPECT_EQ(file[file.size() - 2].kind, res::MenuItem::Kind::Separator);
    EXPECT_EQ(file[file.size() - 3].id, cmd::ID_FILE_MRU_FILE1);
    const auto& edit = bar[1].items;
    ASSERT_GE(edit.size(), 2u);
    EXPECT_EQ(edit[edit.size() - 2].id, cmd::ID_EDIT_FIND);
    EXPECT_EQ(edit.back().id, cmd::ID_EDIT_REPLACE);
}

INSTANTIATE_TEST_SUITE_P(CommandBarMenus, DesktopMenus,
                         ::testing::Values(cmd::IDR_MAINFRAME, cmd::IDR_CMDBAR_EXIT_LAST));

} // namespace
