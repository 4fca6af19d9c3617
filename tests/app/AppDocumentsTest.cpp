// The editor's documents across a restart: the command-line file is opened
// for real, enters the recent-file list, and the list comes back at the next
// start; the recent-file commands open their entries.
#include "AppFixture.h"
#include "CEditer.h"
#include "CommandIds.h"
#include "RecentFileList.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

using AppDocuments = AppFixture;

} // namespace

TEST_F(AppDocuments, TheRecentFileListSurvivesARestart) {
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
