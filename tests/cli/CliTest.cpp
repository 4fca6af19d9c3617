#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

struct Result {
    int exitCode = -1;
    QString out;
    QString err;
};

Result runCli(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral(TAVLO_CLI), args);
    Result result;
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return result;
    result.exitCode = process.exitCode();
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

} // namespace

TEST(TavloCli, VersionNamesTheProgramAndItsVersion) {
    const Result result = runCli({u"--version"_qs});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, u"tavlo-cli 1.11\n"_qs);
    EXPECT_TRUE(result.err.isEmpty());
}

TEST(TavloCli, HelpPrintsTheUsageOnStandardOutput) {
    const Result result = runCli({u"--help"_qs});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(result.out.startsWith(u"Usage: tavlo-cli SUBCOMMAND"_qs))
        << result.out.toStdString();
    EXPECT_TRUE(result.err.isEmpty());
}

TEST(TavloCli, UnknownSubcommandIsAUsageError) {
    const Result result = runCli({u"frobnicate"_qs, u"x"_qs});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.out.isEmpty());
    EXPECT_TRUE(result.err.startsWith(u"tavlo-cli: unknown subcommand \"frobnicate\""_qs))
        << result.err.toStdString();
    EXPECT_TRUE(result.err.contains(u"Usage: tavlo-cli"_qs));
}

TEST(TavloCli, NoArgumentsIsAUsageError) {
    const Result result = runCli({});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.out.isEmpty());
    EXPECT_TRUE(result.err.startsWith(u"Usage: tavlo-cli"_qs));
}

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
