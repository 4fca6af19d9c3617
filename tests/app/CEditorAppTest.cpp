#include "AppFixture.h"
#include "CEditer.h"
#include "CMainFrame.h"
#include "Clock.h"
#include "CommandIds.h"
#include "FileTypeAssociation.h"
#include "HandOverChannel.h"
#include "MessageService.h"
#include "QsdSelectLogic.h"
#include "Registry.h"
#include "Settings.h"
#include "SingleInstanceLock.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

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
    EXPECT_FALSE(CEditorApp::IsRecentPlatform());
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

} // namespace
