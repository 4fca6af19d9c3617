// The settings store and the hand-over channel when things go wrong: a store
// that is read-only or made by many processes at once; a
// channel flooded with connections while file descriptors run out.
#include "HandOverChannel.h"
#include "Registry.h"
#include "TempFiles.h"

#include <QDeadlineTimer>
#include <QProcess>

#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace reg;

TEST(RegistryStore, AReadOnlyStoreIsReadAndSaysWhyNothingIsSaved) {
    TempFiles dir;
    const QString path = dir.path("registry.sqlite");
    {
        Registry registry(path);
        ASSERT_EQ(registry.setDword(HKEY_CURRENT_USER, QStringLiteral("JIS_KATAKANA_MODE"), 1),
                  ERROR_SUCCESS);
        EXPECT_EQ(registry.problem(), StoreProblem::None);
    }
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0400), 0);
    const QByteArray before = dir.read(path);
    Registry registry(path);
    EXPECT_TRUE(registry.isAvailable());
    EXPECT_EQ(registry.queryDword(HKEY_CURRENT_USER, QStringLiteral("JIS_KATAKANA_MODE")), 1u);
    EXPECT_EQ(registry.setDword(HKEY_CURRENT_USER, QStringLiteral("X"), 2), ERROR_CANTWRITE);
    EXPECT_EQ(registry.problem(), StoreProblem::ReadOnly);
    EXPECT_EQ(dir.read(path), before);
}

// One editor's writes: `count` values and a sub-key of each, created and torn
// down again; every odd value is deleted. Returns 0, or the step that failed.
static int writeAndDelete(const QString& path, int id, int count) {
    Registry registry(path);
    RegKey key;
    if (registry.RegCreateKeyEx(HKEY_CURRENT_USER, u"Software\\Shared"_qs, &key) != ERROR_SUCCESS)
        return 2;
    for (int i = 0; i < count; ++i) {
        const QString name = u"p%1_%2"_qs.arg(id).arg(i);
        RegKey own;
        if (registry.setString(key, name, u"/path/of/"_qs + name) != ERROR_SUCCESS)
            return 3;
        if (registry.RegCreateKeyEx(key, u"sub_"_qs + name, &own) != ERROR_SUCCESS)
            return 4;
        if (registry.RegDeleteKey(key, u"sub_"_qs + name) != ERROR_SUCCESS)
            return 5;
        if (i % 2 == 1 && registry.RegDeleteValue(key, name) != ERROR_SUCCESS)
            return 6;
    }
    return 0;
}

// Many first starts at once: each gets the store, made private to the user,
// and nothing one writes or deletes is lost to another.
TEST(RegistryStore, ManyFirstStartsAtOnceShareAPrivateStoreWithoutLoss) {
    TempFiles dir;
    const QString path = dir.path("a/b/registry.sqlite");
    constexpr int kProcesses = 6;
    constexpr int kValues = 40;
    std::vector<pid_t> children;
    for (int p = 0; p < kProcesses; ++p) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            ::_exit(writeAndDelete(path, p, kValues));
        children.push_back(child);
    }
    for (const pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << WEXITSTATUS(status);
    }
    EXPECT_EQ(permissionsOf(dir.path("a")), mode_t(0700));
    EXPECT_EQ(permissionsOf(dir.path("a/b")), mode_t(0700));
    EXPECT_EQ(permissionsOf(path), mode_t(0600));
    Registry registry(path);
    RegKey key;
    ASSERT_EQ(registry.RegOpenKeyEx(HKEY_CURRENT_USER, u"Software\\Shared"_qs, &key),
              ERROR_SUCCESS);
    uint32_t subKeys = 99, values = 0;
    ASSERT_EQ(registry.RegQueryInfoKey(key, &subKeys, &values), ERROR_SUCCESS);
    EXPECT_EQ(std::pair(subKeys, values), std::pair(0u, uint32_t(kProcesses * kValues / 2)));
    for (int p = 0; p < kProcesses; ++p) {
        for (int i = 0; i < kValues; ++i) {
            const QString name = u"p%1_%2"_qs.arg(p).arg(i);
            const auto expected = i % 2 ? std::nullopt : std::optional(u"/path/of/"_qs + name);
            EXPECT_EQ(registry.queryString(key, name), expected) << name.toStdString();
        }
    }
}

TEST(HandOverFlood, TheChannelKeepsListeningWhenDescriptorsRunOut) {
    QTemporaryDir dir;
    QProcess running;
    // A descriptor limit far below the flood, as a busy editor may meet.
    running.start(QStringLiteral("/bin/sh"),
                  {QStringLiteral("-c"),
                   QStringLiteral("ulimit -n 24; exec \"$0\" handover-serve \"$1\""),
                   QStringLiteral(TAVLO_PLATFORM_TEST_HELPER), dir.path()});
    QDeadlineTimer started(30000);
    while (!running.canReadLine() && !started.hasExpired())
        running.waitForReadyRead(100);
    ASSERT_EQ(running.readLine().trimmed(), QByteArray("ready"));

    const QByteArray socketPath = QFile::encodeName(dir.path() + "/ORVANE QXE 1.00.socket");
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, socketPath.constData(), size_t(socketPath.size()));
    std::vector<int> flood;
    for (int i = 0; i < 200; ++i) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        ASSERT_GE(fd, 0);
        ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
        flood.push_back(fd);
    }
    ::usleep(500 * 1000);
    for (const int fd : flood)
        ::close(fd);

    // A second start after the flood is still answered.
    HandOverClient client(dir.path());
    ASSERT_TRUE(client.connectToRunning(5000));
    EXPECT_EQ(
        client.sendCopyData(HandOverChannel::kCopyDataOpenFile, QStringLiteral("/abc"), 10000), 4);
    EXPECT_EQ(client.sendCopyData(HandOverChannel::kCopyDataOpenFile, QStringLiteral("quit")), 4);
    EXPECT_TRUE(running.waitForFinished(30000));
}
