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
};
INSTANTIATE_TEST_SUITE_P(TopLevel, TavloCli, ::testing::ValuesIn(kTopLevelCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace

// The dispatcher itself, with a table of stand-in subcommands.
#include "Subcommand.h"

#include <QBuffer>

namespace {

struct Buffers {
    QBuffer in, out, err;
    CliIo io{in, out, err};
    Buffers() {
        in.open(QIODevice::ReadOnly);
        out.open(QIODevice::WriteOnly);
        err.open(QIODevice::WriteOnly);
    }
    QString outText() const { return QString::fromUtf8(out.data()); }
    QString errText() const { return QString::fromUtf8(err.data()); }
};

std::vector<Subcommand> standInTable(QStringList& received) {
    return {
        {u"detect"_qs, u"FILE..."_qs, u"Names the character set and line ending of files."_qs,
         [&received](const QStringList& args, CliIo& io) {
             received = args;
             io.print(u"ok\n"_qs);
             return 0;
         }},
        {u"macro"_qs, u"check|run ..."_qs, u"Checks or runs a macro file."_qs,
         [](const QStringList&, CliIo& io) {
             io.printError(u"failed\n"_qs);
             return cli::kExitFailure;
         }},
    };
}

} // namespace

TEST(CliDispatch, UsageListsEveryRegisteredSubcommandAligned) {
    QStringList received;
    const auto table = standInTable(received);
    const QString usage = cliUsage(table);
    EXPECT_TRUE(usage.contains(
        u"  detect FILE...       Names the character set and line ending of files.\n"_qs))
        << usage.toStdString();
    EXPECT_TRUE(usage.contains(u"  macro check|run ...  Checks or runs a macro file.\n"_qs))
        << usage.toStdString();
}

TEST(CliDispatch, SubcommandGetsItsArgumentsAndDecidesTheExitCode) {
    QStringList received;
    const auto table = standInTable(received);
    Buffers detect;
    EXPECT_EQ(runCli({u"detect"_qs, u"a.txt"_qs, u"--json"_qs}, table, detect.io), 0);
    EXPECT_EQ(received, (QStringList{u"a.txt"_qs, u"--json"_qs}));
    EXPECT_EQ(detect.outText(), u"ok\n"_qs);

    Buffers macro;
    EXPECT_EQ(runCli({u"macro"_qs}, table, macro.io), cli::kExitFailure);
    EXPECT_EQ(macro.errText(), u"failed\n"_qs);

    Buffers unknown;
    EXPECT_EQ(runCli({u"Detect"_qs}, table, unknown.io), cli::kExitUsage);
    EXPECT_TRUE(unknown.outText().isEmpty());
    EXPECT_TRUE(unknown.errText().contains(u"  detect FILE..."_qs));
}
