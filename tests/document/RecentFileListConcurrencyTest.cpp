// Two editors at once: one writes its recent-file list while the other reads
// it; the reader sees a whole list every time, never part of one.
#include "ProfileStore.h"
#include "RecentFileList.h"
#include "Registry.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

TEST(RecentFileList, AReaderNeverSeesHalfAWrittenList) {
    QTemporaryDir dir;
    const QString database = dir.filePath(QStringLiteral("registry.sqlite"));
    auto fill = [](RecentFileList& list, int round) {
        for (int i = 0; i < 4; ++i)
            list.Add(QStringLiteral("/doc/%1-%2.txt").arg(round).arg(i));
    };
    {
        Registry registry(database);
        ProfileStore profile(registry);
        profile.SetRegistryKey(QStringLiteral("Orvane"));
        RecentFileList list(profile, 4);
        fill(list, 0);
        list.WriteList();
    }
    const pid_t writer = ::fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
        Registry registry(database);
        ProfileStore profile(registry);
        profile.SetRegistryKey(QStringLiteral("Orvane"));
        RecentFileList list(profile, 4);
        for (int round = 1;; ++round) {
            fill(list, round);
            list.WriteList();
        }
    }
    Registry registry(database);
    ProfileStore profile(registry);
    profile.SetRegistryKey(QStringLiteral("Orvane"));
    RecentFileList list(profile, 4);
    int partial = 0;
    for (int read = 0; read < 400; ++read) {
        list.ReadList();
        if (list.count() != 4)
            ++partial;
    }
    // A kill in the middle of a write leaves the last whole list.
    ::kill(writer, SIGKILL);
    ::waitpid(writer, nullptr, 0);
    EXPECT_EQ(partial, 0);
    list.ReadList();
    EXPECT_EQ(list.count(), 4);
}
