#include "MacroCommand.h"

#include "Clock.h"
#include "Locale.h"
#include "MacroFiles.h"
#include "MacroWriter.h"
#include "MessageService.h"

namespace {

constexpr int kExitCancelled = 1;
constexpr int kExitUnreadable = 2;

// The loader's message boxes, as lines on the error stream.
class ErrorStreamMessages : public MessageService {
  public:
    explicit ErrorStreamMessages(CliIo& io) : io_(io) {}

    int show(const QString& text, const QString&, uint32_t style, void* = nullptr) override {
        QString line = text;
        line.replace(QStringLiteral("\n\n"), QStringLiteral(": "));
        line.replace(u'\n', u' ');
        io_.printError(QStringLiteral("tavlo-cli: ") + line + u'\n');
        return defaultAnswerFor(style);
    }

  private:
    CliIo& io_;
};

QString reportAsLines(const QString& report) {
    QString lines = report;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return lines;
}

void printUsage(CliIo& io) {
    io.printError(QStringLiteral("Usage: tavlo-cli macro check FILE.mcr\n"
                                 "       tavlo-cli macro dump FILE.mcr\n"));
}

int runMacro(const QStringList& args, CliIo& io) {
    if (args.size() != 2 || (args[0] != u"check" && args[0] != u"dump")) {
        printUsage(io);
        return cli::kExitUsage;
    }
    const bool dump = args[0] == u"dump";
    ErrorStreamMessages messages(io);
    Clock clock;
    const MacroFileServices services{messages, Locale::fromEnvironment(), clock, nullptr, nullptr};
    Macro macro;
    if (!MacroLoad(macro, args[1], services))
        return kExitUnreadable;
    if (dump) {
        io.printError(reportAsLines(macro.report));
        io.print(macroFileText(macro, clock.now().date()));
    } else {
        io.print(reportAsLines(macro.report));
    }
    return macro.hasError ? kExitCancelled : cli::kExitOk;
}

} // namespace

Subcommand macroSubcommand() {
    return {QStringLiteral("macro"), QStringLiteral("check|dump FILE.mcr"),
            QStringLiteral("print a macro file's load report, or its steps as they would be saved"),
            [](const QStringList& args, CliIo& io) { return runMacro(args, io); }};
}
