// tavlo-cli macro run, run as a user runs it: files edited in place in their
// own character set and line ending, or printed with --dry-run.
#include "RunCli.h"

#include <sys/stat.h>

namespace {

class MacroRun : public clitest::CliFixture {
  protected:
    clitest::CliRun run(const QStringList& args, const QString& shellPrefix = {}) const {
        return runCli(QStringList{"macro", "run"} + args,
                      {QStringLiteral("ja_JP.UTF-8"), dir_.path(), shellPrefix});
    }
};

ino_t inodeOf(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

struct InPlaceCase {
    const char* name;
    QByteArray before;
    const char* macro;
    QByteArray after;
};

class MacroRunInPlace : public MacroRun, public ::testing::WithParamInterface<InPlaceCase> {};

TEST_P(MacroRunInPlace, SavesInTheFilesOwnSetAndLineEnding) {
    const InPlaceCase& c = GetParam();
    write("m.mcr", c.macro);
    write("f.txt", c.before);
    const clitest::CliRun r = run({"m.mcr", "f.txt"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(read("f.txt"), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Files, MacroRunInPlace,
    ::testing::Values(InPlaceCase{"Utf8WithLf", "one\ntwo\n",
                                  "GOTO 2\nTYPE \"2: \"\nREPLACE /A \"o\" \"0\"", "0ne\n2: tw0\n"},
                      InPlaceCase{"ShiftJisWithCr", "\x93\xfa\x96\x7b\r\x8c\xea\r",
                                  "GOTO END\nTYPE \"\\n終\"\nGOTO HOME\nSELECT\nCUT\nPASTE\nPASTE",
                                  "\x93\xfa\x96\x7b\x93\xfa\x96\x7b\r\x8c\xea\r\r\x8f\x49"},
                      InPlaceCase{"Utf16WithCrLf",
                                  QByteArray("\xff\xfe"
                                             "a\0\r\0\n\0",
                                             8),
                                  "SELECT ALL\nTYPE \"b\\nc\"",
                                  QByteArray("\xff\xfe"
                                             "b\0\r\0\n\0c\0",
                                             10)},
                      InPlaceCase{"MarkupAndKeys", "xyz",
                                  "GOTO END\nTYPE SHIFT LEFT\nMARKUP \"[\\t]\"", "xy[z]"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MacroRun, UnchangedFileIsNotWrittenAndOthersGoOnAfterAFailure) {
    write("m.mcr", "FIND \"q\"\nTYPE \"\"\n");
    write("a.txt", "abc\r\n");
    const ino_t inode = inodeOf(path("a.txt"));
    write("b.txt", "q\r\n");
    const clitest::CliRun r = run({"m.mcr", "missing.txt", "a.txt", "b.txt"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains(QStringLiteral("下記ファイルにアクセスできません。: ") +
                               path("missing.txt")))
        << r.err.toStdString();
    EXPECT_EQ(inodeOf(path("a.txt")), inode) << "a safe save would give a new file";
    EXPECT_EQ(read("a.txt"), "abc\r\n");
    EXPECT_EQ(read("b.txt"), "q\r\n");
}

TEST_F(MacroRun, MacroThatDoesNotLoadChangesNothing) {
    write("bad.mcr", "TYPE \"x\"\nSLEEP 0\n");
    write("a.txt", "abc");
    const clitest::CliRun r = run({"bad.mcr", "a.txt"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, QStringLiteral("*** ERROR (2): SLEEP コマンドの書式に誤りがあります。引数には "
                                    "1～30000 の値を指定してください。\n"));
    EXPECT_EQ(read("a.txt"), "abc");
    EXPECT_EQ(run({"missing.mcr", "a.txt"}).exitCode, 1);
    EXPECT_EQ(run({"a.txt"}).exitCode, 2) << "a macro and at least one file";
}

// Steps that need a file dialog are skipped with a message; message boxes
// take their default answer and print their text.
TEST_F(MacroRun, DialogStepsAreSkippedAndMessagesPrinted) {
    write("m.mcr", "TYPE \"x\"\nSAVE /A\nNEWFILE\nFIND \"nothing\"\nTYPE \"y\"\n");
    write("a.txt", "abc");
    const clitest::CliRun r = run({"m.mcr", "a.txt"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err.count(QStringLiteral("a step needs a file dialog; skipped")), 2)
        << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("tavlo-cli: 新しいファイルの作成を中止します。\n")));
    EXPECT_EQ(read("a.txt"), "xyabc");
}

// A write that fails part way (no file may grow, which holds for root too)
// leaves the file as it was and nothing beside it.
TEST_F(MacroRun, FailedWriteLeavesTheFile) {
    write("a.txt", "abc");
    write("m.mcr", "TYPE \"new \"\n");
    const clitest::CliRun r = run({"m.mcr", "a.txt"}, "trap '' XFSZ; ulimit -f 0;");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains(path("a.txt"))) << r.err.toStdString();
    EXPECT_EQ(read("a.txt"), "abc");
    EXPECT_EQ(entries(), (QStringList{"a.txt", "m.mcr"}));
}

TEST_F(MacroRun, DryRunPrintsEveryResultAndChangesNoFile) {
    write("m.mcr", "GOTO END\nTYPE \"!\"\nSAVE \"copy.txt\"");
    write("a.txt", "a\nb");
    write("b.txt", "日本");
    const clitest::CliRun r = run({"--dry-run", "--lang", "0409", "m.mcr", "a.txt", "b.txt"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "a\nb!日本!");
    EXPECT_EQ(read("a.txt"), "a\nb");
    EXPECT_EQ(read("copy.txt"), "日本!") << "the macro's own SAVE steps still write";
}

} // namespace
