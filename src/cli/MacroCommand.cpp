#include "MacroCommand.h"

#include "CharSetCommandSupport.h"
#include "Clock.h"
#include "Locale.h"
#include "MacroFiles.h"
#include "MacroLoader.h"
#include "MacroRunCommand.h"
#include "MacroWriter.h"

#include <new>

namespace {

// The report's CR LF line ends as LF, in one pass over it.
QString reportAsLines(const QString& report) {
    QString lines;
    lines.reserve(report.size());
    const QStringView view(report);
    qsizetype from = 0;
    for (qsizetype at = view.indexOf(u"\r\n"); at >= 0; at = view.indexOf(u"\r\n", from)) {
        lines.append(view.sliced(from, at - from));
        lines.append(u'\n');
        from = at + 2;
    }
    lines.append(view.sliced(from));
    return lines;
}

void printUsage(CliIo& io) {
    io.printError(QStringLiteral("Usage: tavlo-cli macro check FILE.mcr\n"
                                 "       tavlo-cli macro dump FILE.mcr\n"
                                 "       tavlo-cli macro run [--lang HEX] [--dry-run] MACRO.mcr "
                                 "FILE...\n"));
}

int runMacro(const QStringList& args, CliIo& io) {
    if (!args.isEmpty() && args[0] == u"run")
        return runMacroRun(args.mid(1), io);
    if (args.size() != 2 || (args[0] != u"check" && args[0] != u"dump")) {
        printUsage(io);
        return cli::kExitUsage;
    }
    const bool dump = args[0] == u"dump";
    const std::optional<InputFile> file =
        readInputFile(args[1], io, macrotext::readError(QStringLiteral("%s")));
    if (!file)
        return cli::kExitFailure;
    Clock clock;
    Macro macro;
    try {
        parseMacroFile(macro, file->bytes(), Locale::fromEnvironment());
    } catch (const std::bad_alloc&) {
        macro.clear();
        io.printError(
            cliMessage(editorMessage(40000, QStringLiteral("メモリー不足が発生しました。"))));
        return cli::kExitFailure;
    }
    bool written;
    if (dump) {
        io.printError(reportAsLines(macro.report));
        written = io.print(macroFileText(macro, clock.now().date()));
    } else {
        written = io.print(reportAsLines(macro.report));
    }
    return !written || macro.hasError ? cli::kExitFailure : cli::kExitOk;
}

} // namespace

Subcommand macroSubcommand() {
    return {QStringLiteral("macro"),
            QStringLiteral("check|dump FILE.mcr | run [--lang HEX] [--dry-run] FILE.mcr FILE..."),
            QStringLiteral("print a macro file's load report or its steps as they would be "
                           "saved; or play it over files (run: exit 2 when a file could not be "
                           "read or written, the others are still done)"),
            [](const QStringList& args, CliIo& io) { return runMacro(args, io); }};
}
