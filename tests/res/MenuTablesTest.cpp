#include "MenuTables.h"
#include "CommandIds.h"
#include "DesktopMenus.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace cmd;
using res::MenuItem;

namespace {

std::map<int, int> commandCounts(const std::vector<MenuItem>& items,
                                 std::map<int, int> counts = {}) {
    for (const MenuItem& item : items) {
        if (item.kind == MenuItem::Kind::Command)
            ++counts[item.id];
        else if (item.kind == MenuItem::Kind::Popup)
            counts = commandCounts(item.items, std::move(counts));
    }
    return counts;
}

} // namespace

TEST(MenuTables, EveryMenuIdLoadsAndIdsAreUnique) {
    const std::vector<int> ids = res::menuIds();
    EXPECT_EQ(std::set<int>(ids.begin(), ids.end()).size(), ids.size());
    EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end()));
    // Every menu the program loads is among them.
    for (int id : {128, 130, 137, 143, 144, 145, 147, 151, 161, 162, 163, 164, 165}) {
        ASSERT_NE(res::loadMenu(id), nullptr) << id;
        EXPECT_EQ(res::loadMenu(id)->id, id);
        EXPECT_TRUE(std::count(ids.begin(), ids.end(), id)) << id;
    }
    EXPECT_EQ(res::loadMenu(129), nullptr);
}

TEST(MenuTables, EveryPopupHoldsEachCommandOnceWithAText) {
    for (int menuId : res::menuIds()) {
        const res::Menu* menu = res::loadMenu(menuId);
        for (const MenuItem& top : menu->items) {
            if (top.kind != MenuItem::Kind::Popup)
                continue;
            for (const auto& [id, count] : commandCounts(top.items)) {
                EXPECT_EQ(count, 1) << menuId << " " << id;
                EXPECT_NE(id, 0) << menuId;
                EXPECT_FALSE(menu->findCommand(id)->text.isEmpty()) << menuId << " " << id;
            }
        }
    }
}

// The four main pop-ups offer the same commands; Exit ends either the File
// menu (128, 161) or the main pop-up (162, 163).
TEST(MenuTables, MainPopupsOfferTheSameCommandsAndExitOnce) {
    const auto mainCommands = commandCounts(res::loadMenu(IDR_MAINFRAME)->items.back().items);
    for (int id : {ID_EDIT_FIND, ID_FILE_OPEN, ID_VIEW_WRAP, ID_MACRO_PLAY, ID_SETTINGS,
                   ID_FILE_MRU_FILE1, ID_APP_EXIT})
        EXPECT_EQ(mainCommands.count(id), 1u) << id;
    for (int menuId :
         {IDR_MAINFRAME, IDR_SOFTKEY_EXIT_IN_FILE, IDR_SOFTKEY_EXIT_LAST, IDR_CMDBAR_EXIT_LAST}) {
        const res::Menu* menu = res::loadMenu(menuId);
        const MenuItem& main = menu->items.back();
        ASSERT_EQ(main.kind, MenuItem::Kind::Popup);
        EXPECT_EQ(commandCounts(main.items), mainCommands) << menuId;
        EXPECT_TRUE(menu->findCommand(ID_FILE_MRU_FILE1)->grayed);
        const bool exitInFile = menuId == IDR_MAINFRAME || menuId == IDR_SOFTKEY_EXIT_IN_FILE;
        EXPECT_EQ(main.items.back().id == ID_APP_EXIT, !exitInFile) << menuId;
        if (exitInFile) {
            const bool fileEndsWithExit =
                std::any_of(main.items.begin(), main.items.end(), [](const MenuItem& item) {
                    return item.kind == MenuItem::Kind::Popup && !item.items.empty() &&
                           item.items.back().id == ID_APP_EXIT;
                });
            EXPECT_TRUE(fileEndsWithExit) << menuId;
        }
    }
    for (int menuId : {IDR_SOFTKEY_EXIT_IN_FILE, IDR_SOFTKEY_EXIT_LAST}) {
        ASSERT_EQ(res::loadMenu(menuId)->items.size(), 2u);
        EXPECT_EQ(res::loadMenu(menuId)->items[0].id, ID_INSERT_STRING_MENU);
    }
}

// Both command bar menus give the same desktop bar: the four pop-ups, every
// command exactly once, Find and Replace at the end of Edit, the recent files
// and then Exit at the end of File.
TEST(MenuTables, DesktopBarHasEveryCommandOnceWhereDesktopUsersLook) {
    for (int menuId : {IDR_MAINFRAME, IDR_CMDBAR_EXIT_LAST}) {
        const MenuItem& main = res::loadMenu(menuId)->items.front();
        const std::vector<MenuItem> bar = res::menuBarItems(main);
        ASSERT_EQ(bar.size(), 4u) << menuId;
        EXPECT_EQ(bar[0].text, u"ファイル(&F)"_qs);
        EXPECT_EQ(bar[3].text, u"ツール(&T)"_qs);
        EXPECT_EQ(commandCounts(main.items), commandCounts(bar)) << menuId;
        const auto& file = bar[0].items;
        ASSERT_GE(file.size(), 3u);
        EXPECT_EQ(file.back().id, ID_APP_EXIT);
        EXPECT_EQ(file[file.size() - 2].kind, MenuItem::Kind::Separator);
        EXPECT_EQ(file[file.size() - 3].id, ID_FILE_MRU_FILE1);
        const auto& edit = bar[1].items;
        ASSERT_GE(edit.size(), 2u);
        EXPECT_EQ(edit[edit.size() - 2].id, ID_EDIT_FIND);
        EXPECT_EQ(edit.back().id, ID_EDIT_REPLACE);
    }
}

TEST(MenuTables, FileDialogContextMenusEndWithOkAndCancel) {
    const res::Menu* menu = res::loadMenu(IDR_QSD_CONTEXT);
    ASSERT_EQ(menu->items.size(), 3u);
    for (const MenuItem& popup : menu->items) {
        const auto& items = popup.items;
        ASSERT_GE(items.size(), 3u);
        EXPECT_EQ(items[items.size() - 3].kind, MenuItem::Kind::Separator);
        EXPECT_EQ(items[items.size() - 2].id, IDOK);
        EXPECT_EQ(items[items.size() - 1].id, IDCANCEL);
    }
}

TEST(MenuTables, AcceleratorsBindTheDocumentedKeysOnceEach) {
    auto commandFor = [](QKeyCombination keys) {
        for (const res::Accelerator& a : res::mainAccelerators())
            if (a.keys == keys)
                return a.command;
        return 0;
    };
    const std::pair<QKeyCombination, int> bound[] = {
        {QKeyCombination(Qt::ControlModifier, Qt::Key_O), ID_FILE_OPEN},
        {QKeyCombination(Qt::AltModifier, Qt::Key_Backspace), ID_EDIT_UNDO},
        {QKeyCombination(Qt::ShiftModifier, Qt::Key_Insert), ID_EDIT_PASTE},
        {QKeyCombination(Qt::ControlModifier, Qt::Key_L), 32844},
        {QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_H), 32845},
        {QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_P), ID_MACRO_PLAY},
        {QKeyCombination(Qt::Key_F1), ID_HELP},
        {QKeyCombination(Qt::ControlModifier, Qt::Key_3), ID_VIEW_FONT3}};
    for (const auto& [keys, command] : bound)
        EXPECT_EQ(commandFor(keys), command) << command;
    std::set<int> keys;
    for (const res::Accelerator& a : res::mainAccelerators())
        EXPECT_TRUE(keys.insert(a.keys.toCombined()).second) << "key bound twice";
}

TEST(MenuTables, KeyNameIsCutAtTheTab) {
    EXPECT_EQ(res::withoutKeyName(u"右で折り返す(&R)\tCtrl+W"_qs), u"右で折り返す(&R)"_qs);
    EXPECT_EQ(res::withoutKeyName(u"設定(&T)..."_qs), u"設定(&T)..."_qs);
}
