#include "DetectCommand.h"

#include "CharSetCommandSupport.h"
#include "CharSetDetector.h"
#include "CharSetServices.h"

namespace {

int runDetect(QStringList args, CliIo& io) {
    CharSetCommandContext context;
    if (!context.takeLanguageOption(args, io))
        return cli::kExitUsage;
    args.removeOne(QStringLiteral("--"));
    if (args.isEmpty()) {
        io.printError(QStringLiteral("Usage: tavlo-cli detect [--lang HEX] FILE...\n"));
        return cli::kExitUsage;
    }
    int status = cli::kExitOk;
    for (const QString& path : std::as_const(args)) {
        const std::optional<InputFile> file = CharSetCommandContext::readFile(path, io);
        if (!file) {
            status = cli::kExitFailure;
            continue;
        }
        const QByteArray bytes = file->bytes();
        const CharSetId set = context.services().DetectForLoading(bytes);
        const LineEndingId lineEnding = DetectLineEndingFor(bytes, set);
        if (!io.print(QStringLiteral("%1\t%2\t%3\n").arg(set).arg(lineEnding).arg(path)))
            return cli::kExitFailure;
    }
    return status;
}

} // namespace

Subcommand detectSubcommand() {
    return {QStringLiteral("detect"), QStringLiteral("[--lang HEX] FILE..."),
            QStringLiteral("print the character set, TAB, line ending, TAB, path of each file"),
            [](const QStringList& args, CliIo& io) { return runDetect(args, io); }};
}
