#pragma once

#include <QIODevice>
#include <QString>
#include <QStringList>
#include <functional>
#include <span>

// Where a subcommand reads and writes: the process's standard streams.
// Texts are written as UTF-8; binary output goes to `out` directly.
struct CliIo {
    QIODevice& in;
    QIODevice& out;
    QIODevice& err;

    void print(const QString& text) { out.write(text.toUtf8()); }
    void printError(const QString& text) { err.write(text.toUtf8()); }
};

// Exit codes shared by all subcommands.
namespace cli {
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1; // the work itself failed (unreadable file, bad data)
constexpr int kExitUsage = 2;   // the command line was wrong
} // namespace cli

// One subcommand of tavlo-cli. Each lives in its own file, which offers a
// function returning its entry, and main.cpp lists those entries.
struct Subcommand {
    QString name;     // the word on the command line, e.g. "detect"
    QString synopsis; // arguments as the usage shows them, e.g. "FILE..."
    QString summary;  // one line for the usage listing
    // Runs with the arguments after the subcommand's name; returns the exit code.
    std::function<int(const QStringList& args, CliIo& io)> run;
};

// The command line without the program name, dispatched to the subcommands.
// "--help" prints the usage, "--version" the version; an unknown subcommand
// or none prints the usage to the error stream and gives kExitUsage.
int runCli(const QStringList& args, std::span<const Subcommand> subcommands, CliIo& io);

// The usage text listing the subcommands.
QString cliUsage(std::span<const Subcommand> subcommands);
