#include "RunCli.h"

#include <QRegularExpression>

namespace {

// The program's own answers, before any subcommand: the exit code and the
// whole of standard output and standard error (patterns, "(?s)" spans lines).
struct TopLevelCase {
    const char* name;
    QStringList args;
    int exitCode;
    QString out;
    QString err;
};

class TavloCli : public clitest::CliFixture, public ::testing::WithParamInterface<TopLevelCase> {};

TEST_P(TavloCli, ExitCodeAndOutputs) {
    const TopLevelCase& c = GetParam();
    const clitest::CliRun run = runCli(c.args, {QStringLiteral("en_US.UTF-8"), {}, {}});
    EXPECT_EQ(run.exitCode, c.exitCode);
    const auto whole = [](const QString& pattern, const QString& text) {
        return QRegularExpression(QRegularExpression::anchoredPattern(pattern))
            .match(text)
            .hasMatch();
    };
    EXPECT_TRUE(whole(c.out, QString::fromUtf8(run.out))) << run.out.toStdString();
    EXPECT_TRUE(whole(c.err, run.err)) << run.err.toStdString();
}

const TopLevelCase kTopLevelCases[] = {
    {"Version", {u"--version"_qs}, 0, u"tavlo-cli 1\\.11\n"_qs, {}},
    {"HelpOnStandardOutput", {u"--help"_qs}, 0, u"(?s)Usage: tavlo-cli SUBCOMMAND.*"_qs, {}},
    {"UnknownSubcommand",
     {u"frobnicate"_qs, u"x"_qs},
     2,
     {},
     u"(?s)tavlo-cli: unknown subcommand \"frobnicate\".*Usage: tavlo-cli.*"_qs},
    {"NoArguments", {}, 2, {}, u"(?s)Usage: tavlo-cli.*"_qs},
    {"SubcommandNamesKeepTheirCase",
     {u"Detect"_qs, u"x"_qs},
     2,
     {},
     u"(?s)tavlo-cli: unknown subcommand \"Detect\".*  detect .*"_qs},
};
INSTANTIATE_TEST_SUITE_P(TopLevel, TavloCli, ::testing::ValuesIn(kTopLevelCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace

// The usage's layout, with a table of stand-in subcommands. Arguments and
// exit codes go through the real subcommands: every tavlo-cli test.
#include "Subcommand.h"

TEST(CliDispatch, UsageListsEveryRegisteredSubcommandAligned) {
    const auto none = [](const QStringList&, CliIo&) { return 0; };
    const std::vector<Subcommand> table = {
        {u"detect"_qs, u"FILE..."_qs, u"Names the character set and line ending of files."_qs,
         none},
        {u"macro"_qs, u"check|run ..."_qs, u"Checks or runs a macro file."_qs, none},
    };
    const QString usage = cliUsage(table);
    EXPECT_TRUE(usage.contains(
        u"  detect FILE...       Names the character set and line ending of files.\n"_qs))
        << usage.toStdString();
    EXPECT_TRUE(usage.contains(u"  macro check|run ...  Checks or runs a macro file.\n"_qs))
        << usage.toStdString();
}
