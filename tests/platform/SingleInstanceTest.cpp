#include "HandOverChannel.h"
#include "ScopedEnv.h"
#include "SingleInstanceLock.h"
#include "TempFiles.h"
#include "WaitFor.h"

#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QtEndian>

#include <unistd.h>

namespace {

const QString kHelper = QStringLiteral(TAVLO_PLATFORM_TEST_HELPER);

// Waits, with the event loop running, for the helper to print the line.
bool waitForLine(QProcess& proc, const QByteArray& line) {
    return ::tavlo::test::waitFor(
        [&] { return proc.canReadLine() && proc.readLine().trimmed() == line; }, 30000);
}

// Runs the helper to its end, with the event loop running (it may talk to a
// channel of this process); returns its exit code and what it printed.
std::pair<int, QByteArray> runHelper(const QStringList& args) {
    QProcess p;
    p.start(kHelper, args);
    EXPECT_TRUE(::tavlo::test::waitForTrue([&] { return p.state() == QProcess::NotRunning; },
                                           "the helper ends", 30000));
    return {p.exitCode(), p.readAllStandardOutput()};
}

QByteArray record(uint32_t kind, const QByteArray& payload, uint32_t declaredLength) {
    QByteArray out(8, '\0');
    qToLittleEndian(kind, out.data());
    qToLittleEndian(declaredLength, out.data() + 4);
    return out + payload;
}

} // namespace

TEST(SingleInstanceLockTest, TheLockIsHeldUntilItsHolderUnlocksOrEnds) {
    QTemporaryDir dir;
    SingleInstanceLock first(QString::fromLatin1(SingleInstanceLock::kName), dir.path());
    ASSERT_EQ(first.tryLock(), SingleInstanceLock::Result::Acquired);
    EXPECT_EQ(first.lockFilePath(), dir.path() + "/ORVANE QXE 1.00.lock");

    SingleInstanceLock second(QString::fromLatin1(SingleInstanceLock::kName), dir.path());
    EXPECT_EQ(second.tryLock(), SingleInstanceLock::Result::AlreadyRunning);
    first.unlock();
    EXPECT_EQ(second.tryLock(), SingleInstanceLock::Result::Acquired);
    second.unlock();

    // Another process's lock ends with it, even when it has no chance to clean up.
    QProcess holder;
    holder.start(kHelper, {QStringLiteral("hold-lock"), dir.path()});
    ASSERT_TRUE(waitForLine(holder, "locked"));
    EXPECT_EQ(second.tryLock(), SingleInstanceLock::Result::AlreadyRunning);
    holder.kill();
    ASSERT_TRUE(holder.waitForFinished(30000));
    EXPECT_EQ(second.tryLock(), SingleInstanceLock::Result::Acquired);

    SingleInstanceLock nowhere(QString::fromLatin1(SingleInstanceLock::kName),
                               dir.filePath("no/such/folder"));
    EXPECT_EQ(nowhere.tryLock(), SingleInstanceLock::Result::Failed);
    EXPECT_FALSE(nowhere.errorString().isEmpty());
}

TEST(SingleInstanceLockTest, RuntimeFolderAndItsTempFallbackAreMadePrivateOrRefused) {
    QTemporaryDir runtime, tmp;
    ScopedEnv runtimeEnv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    ScopedEnv tmpdir("TMPDIR", QFile::encodeName(tmp.path()));
    EXPECT_EQ(SingleInstanceLock::runtimeFolder(), runtime.path() + "/tavlo");
    EXPECT_EQ(permissionsOf(runtime.path() + "/tavlo"), 0700u);

    // Without a runtime folder, one in the temporary folder that is ours but
    // open to others is closed again.
    runtimeEnv.set(QByteArray());
    const QString expected = tmp.path() + "/tavlo-" + QString::number(::geteuid());
    ASSERT_TRUE(QDir().mkdir(expected));
    ASSERT_EQ(::chmod(QFile::encodeName(expected).constData(), 0777), 0);
    EXPECT_EQ(SingleInstanceLock::runtimeFolder(), expected);
    EXPECT_EQ(permissionsOf(expected), 0700u);

    // A link planted in its place is refused, and so is the lock.
    ASSERT_TRUE(QDir().rmdir(expected));
    ASSERT_TRUE(QDir().mkdir(tmp.filePath("elsewhere")));
    ASSERT_TRUE(QFile::link(tmp.filePath("elsewhere"), expected));
    EXPECT_EQ(SingleInstanceLock::runtimeFolder(), QString());
    SingleInstanceLock lock;
    EXPECT_EQ(lock.tryLock(), SingleInstanceLock::Result::Failed);
    HandOverChannel channel;
    EXPECT_FALSE(channel.listen());
}

// The socket must not take the lock file's place, or the next start would find
// neither. (A second start handing over its path: SingleInstanceProcessTest.)
TEST(SingleInstanceLockTest, LockAndChannelOfOneNameLieSideBySide) {
    QTemporaryDir dir;
    SingleInstanceLock lock(QString::fromLatin1(SingleInstanceLock::kName), dir.path());
    ASSERT_EQ(lock.tryLock(), SingleInstanceLock::Result::Acquired);
    HandOverChannel channel(dir.path());
    ASSERT_TRUE(channel.listen());
    EXPECT_EQ(channel.socketPath(), dir.path() + "/ORVANE QXE 1.00.socket");
    EXPECT_NE(channel.socketPath(), lock.lockFilePath());
    struct stat st {};
    ASSERT_EQ(::lstat(QFile::encodeName(lock.lockFilePath()).constData(), &st), 0);
    EXPECT_TRUE(S_ISREG(st.st_mode));
    ASSERT_EQ(::lstat(QFile::encodeName(channel.socketPath()).constData(), &st), 0);
    EXPECT_TRUE(S_ISSOCK(st.st_mode));
    EXPECT_EQ(st.st_mode & 077, 0u); // no access for group and others

    // A second start in another process: the instance runs.
    EXPECT_EQ(runHelper({QStringLiteral("hold-lock"), dir.path()}),
              std::make_pair(1, QByteArray()));

    // Listening again (a restart of the channel) leaves the held lock alone.
    channel.close();
    ASSERT_TRUE(channel.listen());
    SingleInstanceLock again(QString::fromLatin1(SingleInstanceLock::kName), dir.path());
    EXPECT_EQ(again.tryLock(), SingleInstanceLock::Result::AlreadyRunning);
}

TEST(HandOverChannelTest, ConnectionsOfAnotherUserAreRefused) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to run a client as another user";
    QTemporaryDir dir;
    HandOverChannel channel(dir.path());
    int raised = 0;
    channel.setRaiseHandler([&] { ++raised; });
    ASSERT_TRUE(channel.listen());
    QSignalSpy rejected(&channel, &HandOverChannel::recordRejected);
    // Open the folder and the socket to everybody, so that only the peer
    // check stands between the other user and the running editor.
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(channel.socketPath()).constData(), 0777), 0);

    EXPECT_EQ(runHelper({QStringLiteral("handover-as-nobody"), dir.path()}),
              std::make_pair(0, QByteArray("no-answer\n")));
    EXPECT_EQ(raised, 0);
    ASSERT_EQ(rejected.count(), 1);
    EXPECT_EQ(rejected.at(0).at(0).toString(), QStringLiteral("connection from another user"));
}

TEST(HandOverChannelTest, ClientWaitsForTheAnswerAndASocketLeftByACrashIsReplaced) {
    QTemporaryDir dir;
    QProcess running;
    running.start(kHelper, {QStringLiteral("handover-serve"), dir.path()});
    ASSERT_TRUE(waitForLine(running, "ready"));

    HandOverClient client(dir.path());
    ASSERT_TRUE(client.connectToRunning());
    EXPECT_TRUE(client.raiseWindow());
    EXPECT_EQ(
        client.sendCopyData(HandOverChannel::kCopyDataOpenFile, QStringLiteral("/tmp/a b.txt")),
        12);
    EXPECT_EQ(client.sendCopyData(0x77, QStringLiteral("x")), -1);
    // Longer than a record may be: refused before anything is sent.
    EXPECT_EQ(client.sendCopyData(HandOverChannel::kCopyDataOpenFile, QString(40000, QChar('a'))),
              std::nullopt);
    EXPECT_EQ(client.sendCopyData(HandOverChannel::kCopyDataOpenFile, QString(30000, QChar('a'))),
              30000);

    // The socket a crash leaves behind is no running instance.
    running.kill();
    ASSERT_TRUE(running.waitForFinished(30000));
    ASSERT_TRUE(QFileInfo::exists(dir.path() + "/ORVANE QXE 1.00.socket"));
    HandOverClient nobody(dir.path());
    EXPECT_FALSE(nobody.connectToRunning(2000));
    EXPECT_EQ(nobody.sendCopyData(HandOverChannel::kCopyDataOpenFile, QStringLiteral("/a")),
              std::nullopt);

    HandOverChannel channel(dir.path());
    channel.setCopyDataHandler([](uint32_t, const QString& text) { return int(text.size()); });
    ASSERT_TRUE(channel.listen());
    EXPECT_EQ(runHelper({QStringLiteral("handover-send"), dir.path(), QStringLiteral("/abc")}),
              std::make_pair(0, QByteArray("raise 1\nanswer 4\n")));
}

TEST(HandOverChannelTest, MalformedRecordsAndStalledConnectionsAreRejectedAndTheChannelGoesOn) {
    QTemporaryDir dir;
    HandOverChannel channel(dir.path());
    QStringList received;
    channel.setCopyDataHandler([&](uint32_t, const QString& text) {
        received << text;
        return 7;
    });
    ASSERT_TRUE(channel.listen());
    QSignalSpy rejected(&channel, &HandOverChannel::recordRejected);

    const QByteArray path = QByteArray("\x24\x10\0\0/\0a\0\0\0", 10);
    const QByteArray bad[] = {
        record(99, QByteArray(), 0),                                                // unknown kind
        record(HandOverChannel::kCopyData, QByteArray(16, 'x'), 0x7FFFFFFF),        // oversized
        record(HandOverChannel::kCopyData, QByteArray("\x24\x10\0\0/", 5), 5),      // odd length
        record(HandOverChannel::kCopyData, QByteArray("\x24\x10\0\0/\0a\0", 8), 8), // no NUL
        record(HandOverChannel::kRaise, QByteArray("zz", 2), 2), // raise with payload
    };
    int expectedRejections = 0;
    for (const QByteArray& r : bad) {
        QLocalSocket socket;
        socket.connectToServer(channel.socketPath());
        ASSERT_TRUE(socket.waitForConnected(5000));
        socket.write(r);
        socket.flush();
        ++expectedRejections;
        TAVLO_TRY_COMPARE_WITH_TIMEOUT(rejected.count(), expectedRejections, 10000);
        TAVLO_TRY_COMPARE_WITH_TIMEOUT(socket.state(), QLocalSocket::UnconnectedState, 10000);
        EXPECT_EQ(socket.bytesAvailable(), 0);
    }
    EXPECT_TRUE(received.isEmpty());

    // A record that arrives in pieces is still taken whole.
    QLocalSocket socket;
    socket.connectToServer(channel.socketPath());
    ASSERT_TRUE(socket.waitForConnected(5000));
    const QByteArray good = record(HandOverChannel::kCopyData, path, uint32_t(path.size()));
    socket.write(good.left(5));
    socket.flush();
    QTest::qWait(0);
    socket.write(good.mid(5));
    socket.flush();
    TAVLO_TRY_COMPARE_WITH_TIMEOUT(socket.bytesAvailable(), qint64(12), 10000);
    const QByteArray answer = socket.readAll();
    EXPECT_EQ(answer, QByteArray("\x02\0\0\x80\x04\0\0\0\x07\0\0\0", 12));
    EXPECT_EQ(received, QStringList({"/a"}));
    EXPECT_EQ(rejected.count(), expectedRejections);

    // A connection that stalls half-way through a header is closed.
    channel.setIdleTimeout(200);
    QLocalSocket stalled;
    stalled.connectToServer(channel.socketPath());
    ASSERT_TRUE(stalled.waitForConnected(5000));
    stalled.write(QByteArray("\x02\0\0\0", 4));
    stalled.flush();
    TAVLO_TRY_COMPARE_WITH_TIMEOUT(stalled.state(), QLocalSocket::UnconnectedState, 10000);
    ASSERT_EQ(rejected.count(), expectedRejections + 1);
    EXPECT_EQ(rejected.last().at(0).toString(), QStringLiteral("connection stalled"));
}
