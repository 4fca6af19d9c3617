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

namespace {
// One editor's recent-file list of four entries over the shared database.
struct Editor {
    explicit Editor(const QString& database) : registry(database) {
        profile.SetRegistryKey(QStringLiteral("Orvane"));
    }
    Registry registry;
    ProfileStore profile{registry};
    RecentFileList list{profile, 4};
};

void fill(RecentFileList& list, int round) {
    for (int i = 0; i < 4; ++i)
        list.Add(QStringLiteral("/doc/%1-%2.txt").arg(round).arg(i));
}
} // namespace

TEST(RecentFileList, AReaderNeverSeesHalfAWrittenList) {
    QTemporaryDir dir;
    const QString database = dir.filePath(QStringLiteral("registry.sqlite"));
    {
        Editor first(database);
        fill(first.list, 0);
        first.list.WriteList();
    }
    const pid_t writer = ::fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
        Editor other(database);
        for (int round = 1;; ++round) {
            fill(other.list, round);
            other.list.WriteList();
        }
    }
    Editor reader(database);
    RecentFileList& list = reader.list;
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
