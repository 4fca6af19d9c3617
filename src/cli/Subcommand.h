#pragma once

#include <QIODevice>
#include <QString>
#include <QStringList>
#include <functional>
#include <span>

// Where a subcommand reads and writes: the process's standard streams.
// Texts are written as UTF-8 (file names as the bytes they were given in);
// binary output goes to `out` through writeOut. Every write to `out` is
// checked: the first failure is told on `err` with the system's reason, and
// outFailed stays set so that the run ends with kExitFailure.
struct CliIo {
    QIODevice& in;
    QIODevice& out;
    QIODevice& err;
    bool outFailed = false;

    bool print(const QString& text);
    bool writeOut(const char* data, qsizetype size);
    void printError(const QString& text);
};

// Exit codes shared by all subcommands, one per meaning; the usage lists them.
namespace cli {
constexpr int kExitOk = 0;
// The work failed: a file could not be read or written (standard output
// included), its data was refused, memory ran out, or a macro's load was
// cancelled by an error. The reason is on the error stream.
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2; // the command line was wrong
} // namespace cli

// A one-line message "tavlo-cli: TEXT" for the error stream: the line breaks
// of a message box text become ": " or a space.
QString cliMessage(const QString& text);

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
