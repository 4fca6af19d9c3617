#include "ConvertCommand.h"
#include "DetectCommand.h"
#include "MacroCommand.h"
#include "Subcommand.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>
#include <vector>

// Each subcommand's own header offers the function that returns its entry.

namespace {

// The subcommands, in the order the usage lists them. A new subcommand adds
// its entry here.
std::vector<Subcommand> subcommands() {
    return {detectSubcommand(), convertSubcommand(), macroSubcommand()};
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QFile in, out, err;
    if (!in.open(stdin, QIODevice::ReadOnly) || !out.open(stdout, QIODevice::WriteOnly) ||
        !err.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered))
        return cli::kExitFailure;
    CliIo io{in, out, err};
    const std::vector<Subcommand> table = subcommands();
    const int code = runCli(app.arguments().mid(1), table, io);
    out.flush();
    return code;
}
