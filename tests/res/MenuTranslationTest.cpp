#include "CommandIds.h"
#include "FakeTranslation.h"
#include "MenuTables.h"

#include <gtest/gtest.h>

#include <map>

using namespace cmd;

namespace {

// The translation was made for another layout of the menus: it names only
// some items, and carries texts under small numbers that an item's position
// would have given.
TEST(MenuTranslation, TextsFollowTheCommandAndPopupIdsNotThePosition) {
    auto source = std::make_shared<FakeTranslation>();
    const int filePopup = res::textKey(res::loadMenu(IDR_MAINFRAME)->items.front().items[3]);
    source->menuTexts = {
        {{IDR_MAINFRAME, ID_FILE_SAVE}, u"&Save"_qs},
        {{IDR_MAINFRAME, filePopup}, u"&File"_qs},
        {{IDR_MAINFRAME, ID_EDIT_FIND}, u"&Find..."_qs},
        {{IDR_MAINFRAME, 0}, u"Wrong 0"_qs},
        {{IDR_MAINFRAME, 1}, u"Wrong 1"_qs},
        {{IDR_MAINFRAME, 2}, u"Wrong 2"_qs},
        {{IDR_FINDBAR_MENUBAR, ID_FIND_CLOSE}, u"Close"_qs},
    };
    const auto guard = FakeTranslation::install(source);
    const res::Menu* menu = res::loadMenu(IDR_MAINFRAME);
    EXPECT_EQ(menu->findCommand(ID_FILE_SAVE)->text, u"&Save");
    EXPECT_EQ(menu->findCommand(ID_EDIT_FIND)->text, u"&Find...");
    EXPECT_EQ(menu->items.front().items[3].text, u"&File");
    // Items the translation lacks keep the program's own text.
    EXPECT_EQ(menu->items.front().text, u"メニュー");
    EXPECT_EQ(menu->findCommand(ID_EDIT_REPLACE)->text, u"置換...(&R)");
    EXPECT_EQ(menu->findCommand(ID_FILE_NEW)->text, u"新規作成(&N)\tCtrl+N");
    // A text for one menu stays in it.
    EXPECT_EQ(res::loadMenu(IDR_CMDBAR_EXIT_LAST)->findCommand(ID_FILE_SAVE)->text,
              u"上書き保存(&S)\tCtrl+S");
    EXPECT_EQ(res::loadMenu(IDR_FINDBAR_MENUBAR)->findCommand(ID_FIND_CLOSE)->text, u"Close");
}

// A pop-up without an id, or two items under one key, would share a text.
TEST(MenuTextKeys, NoKeyNamesTwoTextsOfOneMenu) {
    std::map<std::pair<int, int>, QString> seen;
    res::forEachBuiltinMenuText([&](int menuId, int key, const QString& text) {
        const auto [it, added] = seen.emplace(std::pair(menuId, key), text);
        EXPECT_TRUE(added || it->second == text) << menuId << "." << key << " names two texts";
    });
}

} // namespace
