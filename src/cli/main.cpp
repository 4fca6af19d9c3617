#include "CharSetCommandSupport.h"
#include "ConvertCommand.h"
#include "DetectCommand.h"
#include "FileNameBytes.h"
#include "MacroCommand.h"
#include "MacroRunCommand.h"
#include "Subcommand.h"

#include <QCoreApplication>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <new>
#include <unistd.h>
#include <vector>

// Each subcommand's own header offers the function that returns its entry.

namespace {

// The subcommands, in the order the usage lists them. A new subcommand adds
// its entry here.
std::vector<Subcommand> subcommands() {
    return {detectSubcommand(), convertSubcommand(), macroSubcommand()};
}

// The arguments as the bytes they were given in: file names that are not
// UTF-8 must reach the file system unchanged, which the locale's decoding of
// QCoreApplication::arguments() does not promise.
QStringList argumentsOf(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(textFromBytes(argv[i]));
    return args;
}

} // namespace

int main(int argc, char** argv) {
    // Only "macro run" needs the editor's widgets; the other subcommands start
    // without them.
    const std::unique_ptr<QCoreApplication> app =
        isMacroRunCommandLine(argc, argv) ? makeMacroRunApplication(argc, argv)
                                          : std::make_unique<QCoreApplication>(argc, argv);
    QFile in, out, err;
    // Standard output is written without a buffer of our own, so that every
    // write's failure (a full disk, a closed pipe) is seen where it happens.
    if (!in.open(STDIN_FILENO, QIODevice::ReadOnly) ||
        !out.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        !err.open(STDERR_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered))
        return cli::kExitFailure;
    CliIo io{in, out, err};
    int code;
    try {
        const std::vector<Subcommand> table = subcommands();
        code = runCli(argumentsOf(argc, argv), table, io);
    } catch (const std::bad_alloc&) {
        io.printError(
            cliMessage(editorMessage(40000, QStringLiteral("メモリー不足が発生しました。"))));
        return cli::kExitFailure;
    }
    if (io.outFailed)
        return cli::kExitFailure;
    // A file system may report a failed write only when the file is closed.
    if (::close(STDOUT_FILENO) != 0 && errno != EBADF) {
        io.printError(cliMessage(QStringLiteral("standard output: ") +
                                 QString::fromLocal8Bit(std::strerror(errno))));
        return cli::kExitFailure;
    }
    return code;
}
