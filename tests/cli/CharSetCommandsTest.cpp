// tavlo-cli detect and convert, run as a user runs them.
#include "RunCli.h"
#include "TestBytes.h"

using clitest::CliRun;
using testbytes::iconv;
using CharSetCommands = clitest::CliFixture;

TEST_F(CharSetCommands, DetectPrintsSetLineEndingAndPath) {
    const QByteArray utf8 = testbytes::corpus("japanese.txt");
    write("sjis.txt", iconv(utf8, "UTF-8", "CP932"));
    write("euc.txt", iconv(QByteArray(utf8).replace("\n", "\r\n"), "UTF-8", "EUC-JP"));
    write("jis.txt", iconv(QByteArray(utf8).replace("\n", "\r"), "UTF-8", "ISO-2022-JP"));
    write("be.txt", "\xfe\xff" + iconv(utf8, "UTF-8", "UTF-16BE"));
    write("empty.txt", QByteArray());
    const CliRun r =
        run({"detect", "--lang", "0411", "sjis.txt", "euc.txt", "jis.txt", "be.txt", "empty.txt"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QByteArray("8\t2\tsjis.txt\n6\t0\teuc.txt\n7\t1\tjis.txt\n3\t2\tbe.txt\n"
                                "1\t0\tempty.txt\n"));
    EXPECT_TRUE(r.err.isEmpty());
    // An English system uses the generic detector: Shift-JIS is not found.
    EXPECT_EQ(run({"detect", "--lang", "0409", "sjis.txt"}).out, QByteArray("1\t2\tsjis.txt\n"));
}

TEST_F(CharSetCommands, DetectReportsUnreadableFilesAndGoesOn) {
    write("a.txt", "plain\r\n");
    QDir(dir_.path()).mkdir("folder");
    const CliRun r = run({"detect", "missing.txt", "a.txt", "folder"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, QByteArray("1\t0\ta.txt\n"));
    EXPECT_EQ(r.err, QString::fromUtf8("tavlo-cli: 下記ファイルのオープンでエラーが発生しました。: "
                                       "missing.txt: No such file or directory\n"
                                       "tavlo-cli: 下のパスはテキストファイルではなく、フォルダで"
                                       "あるためオープンできません: folder\n"));
}

// A regular file is mapped, a pipe is read: both give iconv's bytes, in the
// line ending asked for or the file's own. (Each set detected and read:
// CorpusDetection.)
TEST_F(CharSetCommands, ConvertMatchesIconvFromAFileAndFromAPipe) {
    const QByteArray utf8 = testbytes::corpus("japanese.txt");
    write("in.sjis", iconv(utf8, "UTF-8", "CP932"));
    write("in.utf8", utf8);
    const struct {
        const char* in;
        QStringList options;
        QByteArray expected;
    } cases[] = {
        {"in.sjis", {"--lang", "0411", "--to", "5"}, utf8},
        {"in.utf8", {"--lang", "0411", "--to", "8"}, iconv(utf8, "UTF-8", "CP932")},
        {"in.utf8",
         {"--lang", "0411", "--from", "5", "--to", "6", "--eol", "0"},
         iconv(QByteArray(utf8).replace("\n", "\r\n"), "UTF-8", "EUC-JP")},
        {"in.utf8", {"--lang=0411", "--to=7"}, iconv(utf8, "UTF-8", "ISO-2022-JP")},
        {"in.utf8",
         {"--to", "4", "--eol", "1"},
         "\xef\xbb\xbf" + QByteArray(utf8).replace("\n", "\r")},
        {"in.utf8", {"--to", "3"}, "\xfe\xff" + iconv(utf8, "UTF-8", "UTF-16BE")},
    };
    const QString pipe = QStringLiteral("cd \"%1\" && cat \"$IN\" |").arg(dir_.path());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in + (' ' + c.options.join(' ')).toStdString());
        const CliRun fromFile = run(QStringList{"convert"} + c.options + QStringList{c.in, "-"});
        EXPECT_EQ(fromFile.exitCode, 0) << fromFile.err.toStdString();
        EXPECT_EQ(fromFile.out, c.expected);
        const CliRun fromPipe =
            run(QStringList{"convert"} + c.options + QStringList{"/dev/stdin", "-"},
                QStringLiteral("IN=%1; ").arg(QString::fromLatin1(c.in)) + pipe);
        EXPECT_EQ(fromPipe.exitCode, 0) << fromPipe.err.toStdString();
        EXPECT_EQ(fromPipe.out, c.expected);
    }
    // Into a file, nothing on standard output.
    const CliRun r = run({"convert", "--lang", "0411", "--to", "5", "in.sjis", "out.txt"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(read("out.txt"), utf8);
    EXPECT_TRUE(r.out.isEmpty());
    // An empty file is not mapped either.
    write("empty.txt", QByteArray());
    const CliRun empty = run({"convert", "--lang", "0411", "--to", "4", "empty.txt", "-"});
    EXPECT_EQ(empty.exitCode, 0);
    EXPECT_EQ(empty.out, QByteArray("\xef\xbb\xbf"));
}

// Characters outside the BMP, cut between pieces or not: TextCodecTest and
// DifferentialTest.
TEST_F(CharSetCommands, ConvertKatakanaMode) {
    write("kana.txt", "\xef\xbd\xb6\xef\xbe\x9e\n"); // ｶﾞ
    EXPECT_EQ(run({"convert", "--lang", "0411", "--to", "7", "kana.txt", "-"}).out,
              QByteArray("\x1b$B%,\x1b(B\n"));
    EXPECT_EQ(
        run({"convert", "--lang", "0411", "--to", "7", "--katakana-mode", "1", "kana.txt", "-"})
            .out,
        QByteArray("\x1b(I6^\x1b(B\n"));
}

// A write that fails part way (under a file size limit of 1 KiB, which even
// root can't exceed) leaves the old OUT, or no new one, and no temporary file.
TEST_F(CharSetCommands, ConvertFailuresLeaveOutAsItWas) {
    write("in.txt", QByteArray(4096, 'a'));
    write("out.txt", "old");
    QDir(dir_.path()).mkdir("folder");
    const QString limit = QStringLiteral("trap '' XFSZ; ulimit -f 1;");
    const struct {
        const char* in;
        const char* out;
        QString shellPrefix;
        const char* err;
    } cases[] = {
        {"missing.txt",
         "out.txt",
         {},
         "下記ファイルのオープンでエラーが発生しました。: missing.txt: No such file or directory"},
        {"in.txt", "folder", {}, "出力先に指定されている下記のパスはフォルダです。: folder"},
        {"in.txt", "out.txt", limit, "下記ファイルにアクセスできません。: out.txt: File too large"},
        {"in.txt", "new.txt", limit, "下記ファイルにアクセスできません。: new.txt: File too large"},
    };
    for (const auto& c : cases) {
        const CliRun r = run({"convert", "--to", "5", c.in, c.out}, c.shellPrefix);
        EXPECT_EQ(r.exitCode, 1) << c.err;
        EXPECT_EQ(r.err, QStringLiteral("tavlo-cli: ") + QString::fromUtf8(c.err) + u'\n');
        EXPECT_EQ(read("out.txt"), QByteArray("old"));
        EXPECT_EQ(entries(), (QStringList{"folder", "in.txt", "out.txt"}));
    }
}

TEST_F(CharSetCommands, ConvertGivesANewOutTheUmasksPermissionsAndKeepsAnOldOnes) {
    write("in.txt", "abc\r\n");
    CliRun r = run({"convert", "--to", "5", "in.txt", "new.txt"}, "umask 027;");
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(read("new.txt"), QByteArray("abc\r\n"));
    EXPECT_EQ(QFile::permissions(dir_.filePath("new.txt")) & 0x0777,
              QFileDevice::Permissions(0x0640));
    // An existing OUT is replaced and keeps its permissions.
    write("old.txt", "old");
    QFile::setPermissions(dir_.filePath("old.txt"), QFileDevice::Permissions(0x6604));
    r = run({"convert", "--to", "5", "in.txt", "old.txt"}, "umask 077;");
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(read("old.txt"), QByteArray("abc\r\n"));
    EXPECT_EQ(QFile::permissions(dir_.filePath("old.txt")) & 0x0777,
              QFileDevice::Permissions(0x0604));
    // Through a symbolic link to its target; the link stays.
    ASSERT_TRUE(QFile::link(dir_.filePath("old.txt"), dir_.filePath("link.txt")));
    write("in2.txt", "xyz");
    r = run({"convert", "--to", "5", "in2.txt", "link.txt"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(QFileInfo(dir_.filePath("link.txt")).isSymLink());
    EXPECT_EQ(read("old.txt"), QByteArray("xyz"));
    // In place: IN is OUT.
    r = run({"convert", "--from", "5", "--to", "2", "in.txt", "in.txt"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(read("in.txt"), QByteArray::fromHex("fffe610062006300 0d000a00"));
    EXPECT_EQ(entries(), (QStringList{"in.txt", "in2.txt", "link.txt", "new.txt", "old.txt"}));
}

TEST_F(CharSetCommands, UsageErrors) {
    write("in.txt", "x");
    for (const QStringList& args :
         {QStringList{"detect"}, QStringList{"detect", "--lang", "xyz", "in.txt"},
          QStringList{"convert", "in.txt", "out.txt"},
          QStringList{"convert", "--to", "0", "in.txt", "o"},
          QStringList{"convert", "--to", "5", "--from", "9", "in.txt", "o"},
          QStringList{"convert", "--to", "5", "--eol", "3", "in.txt", "o"},
          QStringList{"convert", "--to", "5", "--katakana-mode", "2", "in.txt", "o"},
          QStringList{"convert", "--to", "5", "in.txt"},
          QStringList{"convert", "--to", "5", "--bogus", "in.txt", "o"}}) {
        const CliRun r = run(args);
        EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_FALSE(r.err.isEmpty());
        EXPECT_FALSE(QFile::exists(path("o")));
    }
}

TEST_F(CharSetCommands, ConvertKeepsUnreadableBytesInTheirSetReplacesThemElsewhereOrRefuses) {
    const QByteArray latin("caf\xe9\n\xe3\x81\xae\n");
    write("in.txt", latin);
    write("out.txt", "old");
    CliRun r = run({"convert", "--from", "5", "--to", "5", "in.txt", "same.txt"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, QString());
    EXPECT_EQ(read("same.txt"), latin);
    r = run({"convert", "--from", "5", "--to", "8", "in.txt", "sjis.txt"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, QStringLiteral("tavlo-cli: 1 bytes that character set 5 can't read were "
                                    "written as \"?\" (the first at byte offset 3)\n"));
    EXPECT_EQ(read("sjis.txt"), QByteArray("caf?\n\x82\xcc\n"));
    r = run({"convert", "--strict", "--from", "5", "--to", "5", "in.txt", "out.txt"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("byte offset 3"))) << r.err.toStdString();
    EXPECT_EQ(read("out.txt"), QByteArray("old"));
}
