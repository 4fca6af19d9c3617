// tavlo-cli given what a careless or hostile user gives it: pipes, devices,
// full disks, odd names, too little memory, signals.
#include "RunCli.h"

#include <QElapsedTimer>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

using clitest::CliRun;
using HostileInput = clitest::CliFixture;

TEST_F(HostileInput, EveryFailedWriteToStandardOutputEndsInExitOne) {
    write("in.txt", "abc\n");
    write("m.mcr", "COPY\n");
    const QString noSpace = QStringLiteral("tavlo-cli: standard output: No space left on device\n");
    for (const QStringList& args :
         {QStringList{"--help"}, QStringList{"--version"}, QStringList{"detect", "in.txt"},
          QStringList{"convert", "--to", "5", "in.txt", "-"},
          QStringList{"macro", "dump", "m.mcr"}}) {
        const CliRun r = run(args, "exec >/dev/full;");
        EXPECT_EQ(r.exitCode, 1) << args.join(' ').toStdString();
        EXPECT_EQ(r.err, noSpace) << args.join(' ').toStdString();
    }
    // A file size limit stops a redirected output part way.
    write("big.txt", QByteArray(8192, 'a'));
    const CliRun r =
        run({"convert", "--to", "5", "big.txt", "-"}, "trap '' XFSZ; ulimit -f 1; exec >out;");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, QStringLiteral("tavlo-cli: standard output: File too large\n"));
}

TEST_F(HostileInput, OutMustBeARegularFileOrMissing) {
    write("in.txt", "abc\n");
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("fifo")).constData(), 0644), 0);
    ASSERT_TRUE(QFile::link(path("loop1"), path("loop2")));
    ASSERT_TRUE(QFile::link(path("loop2"), path("loop1")));
    const struct {
        QString out;
        QString err;
    } cases[] = {
        {"/dev/null", "tavlo-cli: /dev/null: not a regular file; it was left as it is\n"},
        {"fifo", "tavlo-cli: fifo: not a regular file; it was left as it is\n"},
        {"loop1", "tavlo-cli: 下記ファイルにアクセスできません。: loop1: Too many levels of "
                  "symbolic links\n"},
    };
    for (const auto& c : cases) {
        const CliRun r = run({"convert", "--to", "5", "in.txt", c.out});
        EXPECT_EQ(r.exitCode, 1) << c.out.toStdString();
        EXPECT_EQ(r.err, c.err);
    }
    struct stat st {};
    ASSERT_EQ(::stat("/dev/null", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
    ASSERT_EQ(::lstat(QFile::encodeName(path("fifo")).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_EQ(entries(), (QStringList{"fifo", "in.txt", "loop1", "loop2"}));
}

TEST_F(HostileInput, AReadOnlyOutIsReplacedOnlyWhenAsked) {
    write("in.txt", "new\n");
    write("ro.txt", "old");
    QFile::setPermissions(path("ro.txt"), QFileDevice::ReadOwner | QFileDevice::ReadOther);
    CliRun r = run({"convert", "--to", "5", "in.txt", "ro.txt"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, QStringLiteral("tavlo-cli: ro.txt is read-only; it was left as it is "
                                    "(--force replaces it)\n"));
    EXPECT_EQ(read("ro.txt"), QByteArray("old"));
    r = run({"convert", "--force", "--to", "5", "in.txt", "ro.txt"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(read("ro.txt"), QByteArray("new\n"));
}

TEST_F(HostileInput, PipesAndDevicesAreReadAsBoundedStreams) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("fifo")).constData(), 0644), 0);
    // A pipe another program writes to is read like a file.
    CliRun r = run({"convert", "--to", "5", "fifo", "-"}, "(printf 'hi\\n' > fifo &);");
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QByteArray("hi\n"));
    // One nobody writes to is given up after a few seconds, not waited for.
    QElapsedTimer clock;
    clock.start();
    r = run({"macro", "check", "fifo"});
    EXPECT_LT(clock.elapsed(), 20000);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, QStringLiteral("tavlo-cli: fifo: no program wrote to this pipe within 5 "
                                    "seconds; it was not read\n"));
    // An endless device is refused at the size limit, in every subcommand.
    for (const QStringList& args :
         {QStringList{"convert", "--to", "5", "/dev/zero", "out.txt"},
          QStringList{"detect", "/dev/zero"}, QStringList{"macro", "check", "/dev/zero"}}) {
        r = run(args);
        EXPECT_EQ(r.exitCode, 1) << args.join(' ').toStdString();
        EXPECT_EQ(r.err, QStringLiteral(
                             "tavlo-cli: /dev/zero: more than 64 MB to read; it was refused\n"));
    }
    EXPECT_EQ(entries(), QStringList{"fifo"});
}

TEST_F(HostileInput, RunningOutOfMemoryIsAMessageNotACrash) {
    QByteArray lines;
    for (int i = 0; i < 400000; ++i)
        lines += "UNKNOWNCOMMAND argument argument argument\n";
    write("big.mcr", lines);
    const CliRun r = run({"macro", "check", "big.mcr"}, "ulimit -v 80000;");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.startsWith(QStringLiteral("tavlo-cli: メモリー不足が発生しました。")))
        << r.err.toStdString();
    EXPECT_EQ(r.err.count(u'\n'), 1);
}

TEST_F(HostileInput, FileNamesKeepTheirBytes) {
    write("in.txt", "abc\n");
    // The names are made by the shell: they can't pass through a QString.
    const QString names = "set -- convert --to 5 \"$(printf 'bad\\377\\376.txt')\" "
                          "\"$(printf 'out\\377.txt')\"; cp in.txt \"$4\";";
    CliRun r = run({"1", "2", "3", "4", "5"}, names);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QByteArray folder = QFile::encodeName(dir_.path());
    EXPECT_EQ(::access(folder + "/out\xff.txt", F_OK), 0);
    EXPECT_NE(::access(folder + "/out\xef\xbf\xbd.txt", F_OK), 0);
    r = run({"1", "2"}, "set -- detect \"$(printf 'out\\377.txt')\";");
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QByteArray("1\t2\tout\xff.txt\n"));
    r = run({"1", "2"}, "set -- detect \"$(printf 'gone\\377.txt')\"; exec 2>&1;");
    EXPECT_EQ(r.out, QByteArray("tavlo-cli: 下記ファイルのオープンでエラーが発生しました"
                                "。: gone\xff.txt: No such file or directory\n"));
    // QTemporaryDir can't remove names that are not UTF-8.
    ::unlink(folder + "/out\xff.txt");
    ::unlink(folder + "/bad\xff\xfe.txt");
}

TEST_F(HostileInput, TemporaryFilesFitAnyNameAndGoAwayOnSignals) {
    write("in.txt", "abc\n");
    const QString longName = QString(251, u'n') + QStringLiteral(".txt");
    CliRun r = run({"convert", "--to", "5", "in.txt", longName});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(read(longName), QByteArray("abc\n"));
    // A stop by SIGTERM part way through an in-place conversion leaves IN
    // whole (old or new) and nothing beside it.
    const QByteArray big(48 * 1024 * 1024, 'x');
    write("big.txt", big);
    r = run({"convert", "--from", "5", "--to", "2", "big.txt", "big.txt"},
            "(sleep 0.3; kill -TERM $$) & ");
    EXPECT_EQ(entries(), (QStringList{"big.txt", "in.txt", longName}));
    const qint64 size = QFileInfo(path("big.txt")).size();
    EXPECT_TRUE(size == big.size() || size == 2 + 2 * big.size()) << size;
}
