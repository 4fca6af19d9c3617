#include "AppFixture.h"
#include "CEditer.h"
#include "CMainFrame.h"
#include "CommandIds.h"
#include "FileTypeAssociation.h"
#include "HandOverChannel.h"
#include "MenuTables.h"
#include "QsdSelectLogic.h"
#include "RecentFileList.h"
#include "SingleInstanceLock.h"
#include "ViewMacroCommands.h"
#include "WaitFor.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QTimer>

namespace {

void collectIds(const std::vector<res::MenuItem>& items, std::vector<int>& ids) {
    for (const res::MenuItem& item : items) {
        if (item.kind == res::MenuItem::Kind::Command)
            ids.push_back(item.id);
        else if (item.kind == res::MenuItem::Kind::Popup)
            collectIds(item.items, ids);
    }
}

using EditorApp = AppFixture;

TEST_F(EditorApp, StartsWithFrameViewAndListeningChannel) {
    auto app = makeApp();
    EXPECT_FALSE(app->foundRunningInstance());
    ASSERT_TRUE(app->InitInstance());
    ASSERT_NE(app->mainFrame(), nullptr);
    EXPECT_EQ(app->mainFrame()->GetActiveView(), app->activeView());
    EXPECT_TRUE(app->mainFrame()->isVisible());
    EXPECT_EQ(app->profileStore().applicationKeyPath(), "Software\\Orvane\\Tavlo Text Editor");
    ASSERT_NE(app->handOverChannel(), nullptr);
    EXPECT_TRUE(app->handOverChannel()->isListening());
    EXPECT_TRUE(messages.shown().empty()) << "no association, nothing to ask";
    // The router reaches view, frame and application in that order.
    EXPECT_TRUE(app->router().query(cmd::ID_APP_ABOUT).enabled);
    EXPECT_TRUE(app->router().query(cmd::ID_VIEW_WRAP).enabled);
    EXPECT_EQ(app->ExitInstance(), 0);
    EXPECT_FALSE(app->handOverChannel()->isListening());
}

TEST_F(EditorApp, FileSelectCommonOptionsAreReadAtStartAndSavedAtExit) {
    profile.store().WriteProfileInt("STR_SETTINGS", "STR_FILE_SELECT_LIST_SORT_KEY", 2);
    auto app = makeApp();
    ASSERT_TRUE(app->InitInstance());
    ASSERT_NE(app->fileSelectCommon(), nullptr);
    EXPECT_EQ(app->fileSelectCommon()->sortKey, 2);
    EXPECT_EQ(app->fileSelectCommon()->flags, 0x1A00A30u) << "the table's default";
    // What a file dialog changes during the session reaches the registry at exit.
    app->fileSelectCommon()->listStyle = 3;
    EXPECT_EQ(app->ExitInstance(), 0);
    ProfileStore& store = profile.store();
    EXPECT_EQ(store.GetProfileInt("STR_SETTINGS", "STR_FILE_SELECT_LIST_STYLE", -1), 3);
    EXPECT_EQ(store.GetProfileInt("STR_SETTINGS", "STR_FILE_SELECT_LIST_SORT_KEY", -1), 2);
    EXPECT_EQ(store.GetProfileInt("STR_SETTINGS", "STR_FILE_SELECT_COMMON_MODE", -1), 0x1A00A30);
}

TEST_F(EditorApp, EndsWhenAnotherInstanceHoldsTheLock) {
    SingleInstanceLock other(QString::fromLatin1(SingleInstanceLock::kName), runtime());
    ASSERT_EQ(other.tryLock(), SingleInstanceLock::Result::Acquired);
    auto app = makeApp("/tmp/whatever.txt");
    EXPECT_FALSE(app->InitInstance());
    EXPECT_EQ(app->mainFrame(), nullptr) << "no window";
    // Nobody answers on the lock holder's behalf: the file would be lost,
    // so the start says so and ends with a failure status.
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_TRUE(messages.shown()[0].text.contains("/tmp/whatever.txt"));
    EXPECT_EQ(app->startExitCode(), 1);
}

TEST_F(EditorApp, HandOverOpensOnlyItsOwnCode) {
    auto app = makeApp();
    ASSERT_TRUE(app->InitInstance());
    EXPECT_EQ(app->OnCopyData(0x1025, "/tmp/x.txt"), 0) << "other codes: default handling";
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(app->OnCopyData(0x1024, "/tmp/x.txt"), 1);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_TRUE(messages.shown()[0].text.contains("/tmp/x.txt"));
}

TEST_F(EditorApp, StartUpAsksToRepairAForeignAssociation) {
    const QString other = files.write("other-editor", {});
    FileTypeAssociation assoc(registry(), other);
    ASSERT_TRUE(assoc.Register(".txt", "TavloText", "テキストファイル"));
    messages.queueAnswer(mb::IDYES);

    auto app = makeApp();
    ASSERT_TRUE(app->InitInstance());
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text,
              "デバイス上の別のTavloテキストエディタ実行ファイルに拡張子の関連付けがされています。"
              "\n\n関連付けをやり直しますか？");
    FileTypeAssociation self(registry());
    EXPECT_EQ(self.CheckAll(), 0) << "repaired to this program";
}

TEST_F(EditorApp, AboutShowsDialog100) {
    auto app = makeApp();
    ASSERT_TRUE(app->InitInstance());
    QString title;
    QString text;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        title = dialog->windowTitle();
        if (auto* label = dialog->findChild<QLabel*>("aboutText"))
            text = label->text();
        dialog->accept();
    });
    poll.start(10);
    EXPECT_TRUE(app->router().execute(cmd::ID_APP_ABOUT));
    EXPECT_EQ(title, "バージョン情報");
    EXPECT_EQ(text, "Tavloテキスト エディタ V1.11");
}

// The command-line file is opened for real and enters the recent-file list,
// which comes back at the next start; its commands open their entries.
TEST_F(EditorApp, TheRecentFileListSurvivesARestart) {
    const QString memo = files.write("memo.txt", "line one\r\nline two\r\n");
    {
        auto app = makeApp(QStringLiteral("\"%1\"").arg(memo));
        ASSERT_TRUE(app->InitInstance());
        EXPECT_TRUE(messages.shown().empty()) << messages.texts().join('|').toStdString();
        EXPECT_EQ(app->activeView()->GetText(), QStringLiteral("line one\r\nline two\r\n"));
        EXPECT_EQ(app->activeView()->state().currentPath, memo);
        ASSERT_NE(app->recentFileList(), nullptr);
        EXPECT_EQ(app->recentFileList()->entries(), QStringList{memo});
        app->ExitInstance();
    }
    auto again = makeApp();
    ASSERT_TRUE(again->InitInstance());
    EXPECT_EQ(again->recentFileList()->entries(), QStringList{memo});
    EXPECT_TRUE(again->activeView()->state().currentPath.isEmpty());
    EXPECT_TRUE(again->router().query(cmd::ID_FILE_MRU_FILE1).enabled);
    EXPECT_FALSE(again->router().query(cmd::ID_FILE_MRU_FILE1 + 1).enabled);

    // The entry's command opens it; a deleted file leaves the list.
    EXPECT_TRUE(again->router().execute(cmd::ID_FILE_MRU_FILE1));
    EXPECT_EQ(again->activeView()->state().currentPath, memo);
    ASSERT_TRUE(QFile::remove(memo));
    EXPECT_TRUE(again->router().execute(cmd::ID_FILE_MRU_FILE1));
    EXPECT_TRUE(again->recentFileList()->entries().isEmpty());
    EXPECT_FALSE(again->router().query(cmd::ID_FILE_MRU_FILE1).enabled);
    again->ExitInstance();
}

// Every command the menus offer has a handler: an item no target claims
// would show disabled and do nothing.
TEST_F(EditorApp, EveryCommandOfTheWindowMenusIsClaimed) {
    const auto app = makeApp();
    ASSERT_TRUE(app->InitInstance());
    for (int menuId : {cmd::IDR_MAINFRAME, cmd::IDR_SOFTKEY_EXIT_IN_FILE,
                       cmd::IDR_SOFTKEY_EXIT_LAST, cmd::IDR_CMDBAR_EXIT_LAST, cmd::IDR_TEXT_CONTEXT,
                       cmd::IDR_FINDBAR_MENUBAR, cmd::IDR_REPLACEBAR_MENUBAR}) {
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

// The macro loaded at start-up puts its TOOLTIP on the command bar's play
// button, and the macro commands are routed to the view.
TEST_F(EditorApp, StartupMacroTooltipReachesThePlayButton) {
    const QString macroPath = files.write("startup.mcr", "TOOLTIP \"Paste twice\"\nPASTE\nPASTE\n");
    ASSERT_TRUE(profile.settings().writeInt(QStringLiteral("LOAD_DAFAULT_MACRO"), 1));
    ASSERT_TRUE(
        profile.settings().writeString(QStringLiteral("DEFAULT_MACRO_FILE_NAME"), macroPath));
    const auto app = makeApp();
    ASSERT_TRUE(app->InitInstance());
    CMainFrame* frame = app->mainFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_NE(frame->buttonTooltip(cmd::ID_MACRO_PLAY), QStringLiteral("Paste twice"));

    TAVLO_TRY_COMPARE(frame->buttonTooltip(cmd::ID_MACRO_PLAY), QStringLiteral("Paste twice"));
    EXPECT_EQ(app->activeView()->macroCommands().macro().steps.size(), 2u);
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_TRUE(app->router().query(cmd::ID_MACRO_LOAD).enabled);
    EXPECT_TRUE(app->router().query(cmd::ID_MACRO_SAVE).enabled);
    EXPECT_EQ(app->ExitInstance(), 0);
}

} // namespace
