#include "CommandIds.h"
#include "FrameFixture.h"
#include "MenuTables.h"
#include "SearchBarController.h"
#include "SoftKeyBar.h"

#include <QApplication>
#include <QKeySequence>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <map>

namespace {

using FrameMenus = FrameFixture;

TEST_F(FrameMenus, CommandBarMenuHasExitLastByDefault) {
    createFrame();
    EXPECT_EQ(frame->commandBarMenuId(), 163);
    QMenu* menu = frame->commandBarMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->title(), "メニュー");
    // The main pop-up of the table with Exit last; key names follow the items
    // that have one. (The tables' contents are checked in the menu table tests.)
    EXPECT_EQ(texts(menu).last(), "終了(&X)");
    EXPECT_EQ(CommandActions::commandId(menu->actions().last()), cmd::ID_APP_EXIT);
    EXPECT_EQ(texts(subMenu(menu, "ファイル(&F)")).first(), "新規作成(&N)\tCtrl+N");
    EXPECT_EQ(actionFor(menu, cmd::ID_SETTINGS)->text(), "設定(&T)...");

    // The command bar shows the menu as a button titled like it.
    auto* button = frame->commandBar()->findChild<QToolButton*>("commandBarMenuButton");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), "メニュー");
    EXPECT_EQ(button->menu(), menu);
}

TEST_F(FrameMenus, SoftKeysComeFromMenu162) {
    showFrame();
    EXPECT_EQ(frame->softKeyMenuId(), 162);
    SoftKeyBar* keys = frame->softKeyBar();
    ASSERT_NE(keys->leftCommand(), nullptr);
    EXPECT_EQ(keys->leftCommand()->text(), "文字列挿入");
    EXPECT_EQ(CommandActions::commandId(keys->leftCommand()), cmd::ID_INSERT_STRING_MENU);
    EXPECT_EQ(keys->leftButton()->text(), "文字列挿入");
    ASSERT_NE(keys->rightMenu(), nullptr);
    EXPECT_EQ(keys->rightButton()->text(), "メニュー");
    EXPECT_EQ(texts(keys->rightMenu()).last(), "終了(&X)");
    EXPECT_FALSE(keys->isHidden());
    keys->rightButton()->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return keys->rightMenu()->isVisible(); }));
    EXPECT_LE(keys->rightMenu()->geometry().bottom(), keys->mapToGlobal(QPoint(0, 0)).y())
        << "the menu opens upwards from the soft keys";
    keys->rightMenu()->hide();
}

TEST_F(FrameMenus, SoftKeyBarHiddenWithoutSoftKeyMenu) {
    settings->writeInt("USE_SOFT_KEY_MENU", 0);
    createFrame();
    ASSERT_NE(frame->softKeyBar(), nullptr);
    EXPECT_TRUE(frame->softKeyBar()->isHidden());
    EXPECT_NE(frame->softKeyBar()->leftCommand(), nullptr) << "created, only hidden";
    EXPECT_FALSE(frame->commandBar()->isHidden());
    frame->setSoftKeyBarVisible(true);
    EXPECT_FALSE(frame->softKeyBar()->isHidden());
}

// Every item shows what its update handler decides: checked wrap from the
// view, exit from the frame, find from the find bar; nobody's command is off.
void expectActionsFollowRouter(const QList<QAction*>& actions, CommandRouter& router) {
    for (QAction* action : actions) {
        if (action->menu()) {
            emit action->menu()->aboutToShow();
            expectActionsFollowRouter(action->menu()->actions(), router);
        } else if (const int id = CommandActions::commandId(action); id && action->isVisible()) {
            EXPECT_EQ(action->isEnabled(), router.query(id).enabled) << id;
            EXPECT_EQ(action->isChecked(), router.query(id).checked) << id;
        }
    }
}

TEST_F(FrameMenus, UpdateHandlersDecideEnabledAndChecked) {
    createFrame();
    QMenu* menu = frame->commandBarMenu();
    expectActionsFollowRouter({menu->menuAction()}, router);
    EXPECT_TRUE(actionFor(menu, cmd::ID_APP_EXIT)->isEnabled()) << "the frame's own command";
    EXPECT_TRUE(actionFor(menu, cmd::ID_EDIT_FIND)->isEnabled()) << "the find bar's command";
    QAction* wrap = actionFor(menu, cmd::ID_VIEW_WRAP);
    EXPECT_TRUE(wrap->isEnabled());
    EXPECT_TRUE(wrap->isChecked()) << "wrap is on by default";

    // Without the view in the routing its commands have no handler: disabled.
    router.setTargets({frame.get()});
    expectActionsFollowRouter({menu->menuAction()}, router);
    EXPECT_FALSE(wrap->isEnabled());
    EXPECT_FALSE(wrap->isChecked());
    EXPECT_TRUE(actionFor(menu, cmd::ID_APP_EXIT)->isEnabled());

    // The buttons follow their handlers in the idle pass.
    router.setTargets({view, frame.get()});
    frame->updateCommandUi();
    expectActionsFollowRouter(frame->commandBar()->actions(), router);
}

TEST_F(FrameMenus, KeyNamesAreCutOnRecentPlatforms) {
    createFrame([] { return true; });
    QMenu* file = subMenu(frame->commandBarMenu(), "ファイル(&F)");
    emit file->aboutToShow(); // its update handlers run as on opening
    EXPECT_EQ(texts(file).first(), "新規作成(&N)");
    for (const QString& text : texts(file))
        EXPECT_FALSE(text.contains('\t')) << text.toStdString();
}

TEST_F(FrameMenus, ButtonsAndTooltips) {
    createFrame();
    QStringList ids;
    for (QAction* action : frame->commandBar()->actions()) {
        if (action->isSeparator())
            ids << "-";
        else if (const int id = CommandActions::commandId(action))
            ids << QString::number(id);
    }
    EXPECT_EQ(ids, (QStringList{"-", "57601", "57603", "-", "57635", "57634", "57637", "-", "32853",
                                "32868", "-"}));
    EXPECT_EQ(frame->buttonTooltip(cmd::ID_FILE_OPEN), "開く");
    EXPECT_EQ(frame->buttonTooltip(cmd::ID_MACRO_STOP), "記録終了/マクロ中止");
    frame->setPlayButtonTooltip("見出しを整える");
    EXPECT_EQ(frame->buttonTooltip(cmd::ID_MACRO_PLAY), "見出しを整える");
    // The rebuild message brings the bar's own tooltip back.
    frame->postRebuildBars();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return frame->buttonTooltip(cmd::ID_MACRO_PLAY) == QString("マクロ実行"); }));
}

TEST_F(FrameMenus, ExitInFileMenuChoosesMenus128And161OnARebuild) {
    createFrame();
    QAction* oldLeft = frame->softKeyBar()->leftCommand();
    settings->writeInt("EXIT_IN_FILE_MENU", 1);
    frame->postRebuildBars();
    ASSERT_TRUE(QTest::qWaitFor([&] { return frame->commandBarMenuId() == 128; }));
    EXPECT_EQ(frame->softKeyMenuId(), 161);
    EXPECT_EQ(texts(subMenu(frame->commandBarMenu(), "ファイル(&F)")).last(), "終了(&X)");
    EXPECT_EQ(texts(frame->commandBarMenu()).last(), "最近使ったファイル");
    EXPECT_EQ(texts(subMenu(frame->softKeyBar()->rightMenu(), "ファイル(&F)")).last(), "終了(&X)");
    EXPECT_NE(frame->softKeyBar()->leftCommand(), oldLeft);
    EXPECT_EQ(frame->findChildren<QToolBar*>().size(), 1) << "the old bar is gone";
    // A rebuild with the same menu keeps the soft keys as they are.
    QAction* left = frame->softKeyBar()->leftCommand();
    frame->rebuildBars();
    EXPECT_EQ(frame->softKeyBar()->leftCommand(), left);
}

TEST_F(FrameMenus, AcceleratorsRunTheirCommands) {
    createFrame();
    // Every key of the accelerator table is on a window action with its id.
    std::map<QString, int> keys;
    for (QAction* action : frame->actions()) {
        for (const QKeySequence& key : action->shortcuts())
            keys[key.toString()] = CommandActions::commandId(action);
    }
    for (const res::Accelerator& accelerator : res::mainAccelerators())
        EXPECT_EQ(keys[QKeySequence(accelerator.keys).toString()], accelerator.command)
            << QKeySequence(accelerator.keys).toString().toStdString();

    frame->show();
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    const bool wrapBefore = view->wrapMode;
    QTest::keyClick(&view->activeEdit(), Qt::Key_W, Qt::ControlModifier);
    EXPECT_NE(view->wrapMode, wrapBefore) << "Ctrl+W switches the wrap mode";

    // Ctrl+M opens the main pop-up at the view's bottom-left corner.
    QTest::keyClick(&view->activeEdit(), Qt::Key_M, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return frame->commandBarMenu()->isVisible(); }));
    frame->commandBarMenu()->hide();
}

using FrameClosing = FrameFixture;

TEST_F(FrameClosing, RefusedWhileAMacroPlays) {
    showFrame();
    view->state().macroPlaying = true;
    EXPECT_FALSE(frame->close());
    EXPECT_TRUE(frame->isVisible());
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, "マクロ実行中のため、Tavloエディタを終了できません。");
    EXPECT_EQ(messages.shown()[0].caption, "Tavloテキストエディタ");
}

TEST_F(FrameClosing, ChangedTextAsksYesNoCancel) {
    showFrame();
    view->SetText("メモ");
    view->state().textChanged = true;

    messages.queueAnswer(mb::IDCANCEL);
    EXPECT_FALSE(frame->close());
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, "ファイルは更新されています。\n変更を保存しますか？");
    EXPECT_EQ(messages.shown()[0].style, mb::MB_YESNOCANCEL | mb::MB_ICONQUESTION);
    messages.queueAnswer(mb::IDYES);
    EXPECT_FALSE(frame->close()) << "Yes without a save operation keeps the window";

    int saves = 0;
    bool saved = false;
    frame->setSaveBeforeDiscard([&] {
        ++saves;
        return saved;
    });
    messages.queueAnswer(mb::IDYES);
    EXPECT_FALSE(frame->close()) << "a failed save keeps the window";
    messages.queueAnswer(mb::IDNO);
    EXPECT_TRUE(frame->close());
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(view->GetText(), "メモ") << "No discards nothing before the window goes";

    frame->show();
    saved = true;
    messages.queueAnswer(mb::IDYES);
    EXPECT_TRUE(frame->close()) << "a successful save lets the window go";
    EXPECT_EQ(saves, 2);
}

TEST_F(FrameClosing, BarStateIsWrittenAndRestored) {
    showFrame();
    ASSERT_TRUE(router.execute(cmd::ID_EDIT_FIND));
    EXPECT_TRUE(frame->searchBars()->isFindBarShown());
    EXPECT_EQ(CommandActions::commandId(frame->softKeyBar()->leftCommand()), cmd::ID_FIND_SOFTKEY)
        << "a shown bar lends its soft keys";
    ASSERT_TRUE(frame->close());
    EXPECT_EQ(settings->getInt("SHOW_CMDBAR_SEARCH"), 1) << "the other values: SearchBarTest";

    frame.reset();
    createFrame();
    EXPECT_TRUE(frame->searchBars()->isFindBarShown());
    EXPECT_EQ(CommandActions::commandId(frame->softKeyBar()->leftCommand()), cmd::ID_FIND_SOFTKEY);
    ASSERT_TRUE(router.execute(cmd::ID_FIND_CLOSE));
    EXPECT_EQ(CommandActions::commandId(frame->softKeyBar()->leftCommand()),
              cmd::ID_INSERT_STRING_MENU)
        << "the frame's soft keys return";
    ASSERT_TRUE(frame->close());
    EXPECT_EQ(settings->getInt("SHOW_CMDBAR_SEARCH"), 0);
}

TEST_F(FrameClosing, ActivationRunsTheOutsideChangeCheckOnce) {
    createFrame();
    int checks = 0;
    frame->setOutsideChangeCheck([this, &checks] {
        ++checks;
        // The check's message box takes the activation away and gives it back.
        QEvent deactivate(QEvent::WindowDeactivate);
        QApplication::sendEvent(frame.get(), &deactivate);
    });
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(frame.get(), &activate);
    ASSERT_TRUE(QTest::qWaitFor([&] { return checks == 1; }));
    QApplication::sendEvent(frame.get(), &activate);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(checks, 1) << "the activation that returns after the check's own box";
    QApplication::sendEvent(frame.get(), &activate);
    ASSERT_TRUE(QTest::qWaitFor([&] { return checks == 2; }));
}

} // namespace
