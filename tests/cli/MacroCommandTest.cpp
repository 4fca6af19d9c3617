// tavlo-cli macro check and dump, run as a user runs them.
#include "RunCli.h"

namespace {

struct MacroRun {
    int exitCode;
    QString out;
    QString err;
};

class MacroCommand : public clitest::CliFixture {
  protected:
    MacroRun run(const QStringList& args) const {
        const clitest::CliRun r =
            runCli(QStringList{"macro"} + args, {QStringLiteral("ja_JP.UTF-8"), {}, {}});
        return {r.exitCode, QString::fromUtf8(r.out), r.err};
    }
};

const QString kHeaderStart = QStringLiteral("# ================================\n"
                                            "# ==  Tavloエディタ マクロファイル\n"
                                            "# ==\n"
                                            "# ==  作成日：");

} // namespace

// check prints the report; it exits 1 only when an error cancelled the load.
TEST_F(MacroCommand, CheckPrintsTheReportAndExitsOneWhenTheLoadWasCancelled) {
    const struct {
        const char* source;
        int exitCode;
        QString out;
    } cases[] = {
        {"# comment\nCOPY\n", 0, {}},
        {"TYPE \"abc\nFIND /A \"x\"\nCOPY\n", 0,
         u"    Worning (1): TYPE コマンドの引数のダブルクォートが完結していません。\n"
         "    Worning (2): FIND コマンドで無効なオプション \"/A\" が指定されています。\n"_qs},
        {"COPY\nMARKUP X\nSLEEP 30001\n", 1,
         u"*** ERROR (2): 未知のマクロコマンド \"X\" を検出しました。\n*** ERROR (3): SLEEP "
         "コマンドの書式に誤りがあります。引数には 1～30000 の値を指定してください。\n"_qs},
    };
    for (const auto& c : cases) {
        write("m.mcr", c.source);
        const MacroRun r = run({"check", path("m.mcr")});
        EXPECT_EQ(r.exitCode, c.exitCode) << c.source;
        EXPECT_EQ(r.out, c.out);
        EXPECT_TRUE(r.err.isEmpty());
    }
}

TEST_F(MacroCommand, CheckExitsOneWhenTheFileCannotBeRead) {
    const MacroRun r = run({"check", path("missing.mcr")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_EQ(r.err, u"tavlo-cli: マクロファイルの読み込みでエラーが発生しました。: "_qs +
                         path("missing.mcr") + u": No such file or directory\n"_qs);
    EXPECT_EQ(run({"dump", dir_.path()}).exitCode, 1);
}

TEST_F(MacroCommand, DumpPrintsTheStepsAsSaved) {
    write("steps.mcr",
          "TOOLTIP t\ntype ctrl+shift right\nfind /u \"a\\tb\"\nOPEN C:\\dir\\ \nGOTO + 3\n");
    const MacroRun r = run({"dump", path("steps.mcr")});
    EXPECT_EQ(r.exitCode, 0);
    ASSERT_TRUE(r.out.startsWith(kHeaderStart)) << r.out.toStdString();
    EXPECT_TRUE(r.out.endsWith(QStringLiteral("日\n\nVERSION 1.00\n\n"
                                              "TYPE CTRL + SHIFT RIGHT\n"
                                              "FIND /U \"a\\tb\"\n"
                                              "OPEN \"C:\\dir\\\\\"\n"
                                              "GOTO +3\n")))
        << r.out.toStdString();
    EXPECT_TRUE(r.err.isEmpty());
}

TEST_F(MacroCommand, DumpOfACancelledLoadHasOnlyTheHeader) {
    write("bad.mcr", "COPY\nMARKUP X\n");
    const MacroRun r = run({"dump", path("bad.mcr")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.endsWith(QStringLiteral("VERSION 1.00\n\n")));
    EXPECT_EQ(r.err,
              QStringLiteral("*** ERROR (2): 未知のマクロコマンド \"X\" を検出しました。\n"));
}

TEST_F(MacroCommand, WrongArgumentsAreAUsageError) {
    EXPECT_EQ(run({}).exitCode, 2);
    EXPECT_EQ(run({"lint", path("x.mcr")}).exitCode, 2);
    const MacroRun r = run({"check"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains(QStringLiteral("tavlo-cli macro check FILE.mcr")));
}
