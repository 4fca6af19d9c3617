#include "CommandActions.h"
#include "CommandIds.h"
#include "MenuTables.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

using namespace cmd;

namespace {

QAction* findAction(const QList<QAction*>& actions, int id) {
    for (QAction* action : actions) {
        if (CommandActions::commandId(action) == id && action->isVisible())
            return action;
    }
    return nullptr;
}

// Opens a menu the way a user does and waits until it is shown, so that
// aboutToShow ran.
void openMenu(QMenu* menu) {
    QSignalSpy shown(menu, &QMenu::aboutToShow);
    menu->popup(QPoint(0, 0));
    ASSERT_TRUE(shown.count() > 0 || shown.wait(2000));
}

class CommandActionsTest : public ::testing::Test {
  protected:
    void SetUp() override { router.setTargets({&view, &frame, &app}); }

    CommandMap view, frame, app;
    CommandRouter router;
    CommandActions actions{router};
};

} // namespace

TEST_F(CommandActionsTest, MenuItemsCarryIdsAndRunTheirCommandThroughTheRouter) {
    int pasted = 0;
    view.on(ID_EDIT_PASTE, [&pasted] { ++pasted; });
    const res::Menu* context = res::loadMenu(IDR_TEXT_CONTEXT);
    ASSERT_NE(context, nullptr);
    std::unique_ptr<QMenu> menu(actions.createMenu(*context->popupAt(0)));
    EXPECT_EQ(menu->title(), u"非選択時"_qs);
    QAction* paste = findAction(menu->actions(), ID_EDIT_PASTE);
    ASSERT_NE(paste, nullptr);
    EXPECT_EQ(paste->text(), u"貼り付け"_qs);
    openMenu(menu.get());
    paste->trigger();
    EXPECT_EQ(pasted, 1);
    menu->hide();
}

TEST_F(CommandActionsTest, DisabledCommandIsNotRunFromAnAccelerator) {
    int saved = 0;
    bool modified = false;
    view.on(
        ID_FILE_SAVE, [&saved] { ++saved; },
        [&modified](CommandState& s) { s.enabled = modified; });
    QMainWindow window;
    const QList<QAction*> keys = actions.installAccelerators(&window, res::mainAccelerators());
    QAction* save = findAction(keys, ID_FILE_SAVE);
    QAction* undo = findAction(keys, ID_EDIT_UNDO);
    ASSERT_TRUE(save && undo);
    EXPECT_EQ(save->shortcut(), QKeySequence(u"Ctrl+S"_qs));
    EXPECT_EQ(undo->shortcuts().size(), 2);

    save->trigger();
    EXPECT_EQ(saved, 0);
    modified = true;
    save->trigger();
    EXPECT_EQ(saved, 1);
}

TEST_F(CommandActionsTest, RecentFilesReplaceThePlaceholderEachTimeTheMenuOpens) {
    QStringList files;
    std::vector<int> opened;
    app.onRange(
        ID_FILE_MRU_FIRST, ID_FILE_MRU_LAST, [&opened](int id) { opened.push_back(id); },
        [&files](int id, CommandState& s) { s.enabled = id - ID_FILE_MRU_FIRST < files.size(); });
    actions.setDynamicItems(ID_FILE_MRU_FILE1, [&files] {
        std::vector<res::MenuItem> items;
        for (int i = 0; i < files.size(); ++i)
            items.push_back(res::MenuItem::command(u"&%1 %2"_qs.arg(i + 1).arg(files[i]),
                                                   ID_FILE_MRU_FIRST + i));
        return items;
    });
    std::unique_ptr<QMenu> main(actions.createMenu(res::loadMenu(IDR_MAINFRAME)->items.front()));

    openMenu(main.get());
    QAction* placeholder = findAction(main->actions(), ID_FILE_MRU_FILE1);
    ASSERT_NE(placeholder, nullptr);
    EXPECT_EQ(placeholder->text(), u"最近使ったファイル"_qs);
    EXPECT_FALSE(placeholder->isEnabled());
    main->hide();

    files = {u"/home/u/a.txt"_qs, u"/home/u/b.txt"_qs};
    openMenu(main.get());
    EXPECT_FALSE(placeholder->isVisible());
    QAction* first = findAction(main->actions(), ID_FILE_MRU_FIRST);
    QAction* second = findAction(main->actions(), ID_FILE_MRU_FIRST + 1);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->text(), u"&1 /home/u/a.txt"_qs);
    EXPECT_TRUE(second->isEnabled());
    second->trigger();
    EXPECT_EQ(opened, (std::vector<int>{ID_FILE_MRU_FIRST + 1}));
    main->hide();

    files = {u"/home/u/c.txt"_qs};
    openMenu(main.get());
    EXPECT_EQ(findAction(main->actions(), ID_FILE_MRU_FIRST)->text(), u"&1 /home/u/c.txt"_qs);
    EXPECT_EQ(findAction(main->actions(), ID_FILE_MRU_FIRST + 1), nullptr);
    main->hide();
}

TEST_F(CommandActionsTest, IdleUpdaterFollowsTheHandlersWithoutAMenu) {
    bool playing = false;
    view.on(
        ID_MACRO_STOP, [] {}, [&playing](CommandState& s) { s.enabled = playing; });
    QAction* stop = actions.createAction(ID_MACRO_STOP, u"記録終了/マクロ中止"_qs);
    IdleUpdater updater(actions, nullptr, 60000);
    updater.registerAction(stop);
    EXPECT_TRUE(QTest::qWaitFor([stop] { return !stop->isEnabled(); }, 5000));
    playing = true;
    updater.schedule();
    EXPECT_TRUE(QTest::qWaitFor([stop] { return stop->isEnabled(); }, 5000));
    delete stop;
    updater.runNow(); // a destroyed action is simply dropped
}
