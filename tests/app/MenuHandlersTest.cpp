// Every command the running editor's menus offer has a handler: an item no
// target claims would show disabled and do nothing.
#include "AppFixture.h"
#include "CommandIds.h"
#include "MenuTables.h"

namespace {

void collectIds(const std::vector<res::MenuItem>& items, std::vector<int>& ids) {
    for (const res::MenuItem& item : items) {
        if (item.kind == res::MenuItem::Kind::Command)
            ids.push_back(item.id);
        else if (item.kind == res::MenuItem::Kind::Popup)
            collectIds(item.items, ids);
    }
}

using MenuHandlers = AppFixture;

TEST_F(MenuHandlers, EveryCommandOfTheWindowMenusIsClaimed) {
    const auto app = makeApp();
    ASSERT_TRUE(app->InitInstance());
    for (int menuId :
         {cmd::IDR_MAINFRAME, cmd::IDR_SOFTKEY_EXIT_IN_FILE, cmd::IDR_SOFTKEY_EXIT_LAST,
          cmd::IDR_CMDBAR_EXIT_LAST, cmd::IDR_TEXT_CONTEXT}) {
        std::vector<int> ids;
        collectIds(res::loadMenu(menuId)->items, ids);
        ASSERT_FALSE(ids.empty());
        for (int id : ids) {
            bool claimed = false;
            for (CommandTarget* target : app->router().targets()) {
                CommandState state;
                claimed = claimed || target->onUpdateCommand(id, state);
            }
            EXPECT_TRUE(claimed) << "menu " << menuId << " command " << id;
        }
    }
    EXPECT_EQ(app->ExitInstance(), 0);
}

} // namespace
