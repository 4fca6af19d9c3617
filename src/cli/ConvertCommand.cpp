#include "ConvertCommand.h"

#include "CharSetCommandSupport.h"
#include "CharSetServices.h"
#include "CodePage.h"
#include "OutputFile.h"
#include "TextCodec.h"

#include <malloc.h>

namespace {

const QString kUsage = QStringLiteral(
    "Usage: tavlo-cli convert [--lang HEX] [--from ID] --to ID [--eol 0|1|2] "
    "[--katakana-mode 0|1] [--force] [--strict] IN OUT\n"
    "  IDs: 0 detect (--from only), 1 ANSI, 2 Unicode, 3 Unicode(BigEndian), 4 UTF-8,\n"
    "       5 UTF-8N, 6 EUC, 7 JIS, 8 Shift-JIS; line endings: 0 CR LF, 1 CR, 2 LF\n"
    "  OUT \"-\" writes to standard output; --force replaces a read-only OUT;\n"
    "  --strict refuses IN when it holds bytes its character set can't read.\n");

struct ConvertOptions {
    CharSetId from = charset::AUTO_DETECT;
    CharSetId to = charset::NOT_FOUND;
    std::optional<LineEndingId> eol;
    std::optional<JisKatakanaMode> katakanaMode;
    bool force = false;
    bool strict = false; // refuse input with bytes its set can't read
    QString in, out;
};

// Takes a numeric option in [low, high]; false (with a message) when it is
// given badly.
bool takeNumber(QStringList& args, const QString& name, int low, int high, std::optional<int>& out,
                CliIo& io) {
    bool error = false;
    const std::optional<QString> text = takeOption(args, name, error);
    if (!text && !error)
        return true;
    bool ok = false;
    const int value = text ? text->toInt(&ok) : 0;
    if (error || !ok || value < low || value > high) {
        io.printError(QStringLiteral("tavlo-cli: %1 takes a number from %2 to %3\n")
                          .arg(name)
                          .arg(low)
                          .arg(high));
        return false;
    }
    out = value;
    return true;
}

std::optional<ConvertOptions> parse(QStringList args, CharSetCommandContext& context, CliIo& io) {
    if (!context.takeLanguageOption(args, io))
        return std::nullopt;
    std::optional<int> from, to, eol, kana;
    if (!takeNumber(args, QStringLiteral("--from"), 0, 8, from, io) ||
        !takeNumber(args, QStringLiteral("--to"), 1, 8, to, io) ||
        !takeNumber(args, QStringLiteral("--eol"), 0, 2, eol, io) ||
        !takeNumber(args, QStringLiteral("--katakana-mode"), 0, 1, kana, io))
        return std::nullopt;
    const qsizetype names = args.indexOf(QStringLiteral("--"));
    // A flag counts only before "--", after which every argument is a name.
    auto takeFlag = [&](const QString& flag) {
        const qsizetype at = args.indexOf(flag);
        if (at < 0 || (names >= 0 && at > names))
            return false;
        args.removeAt(at);
        return true;
    };
    const bool force = takeFlag(QStringLiteral("--force"));
    const bool strict = takeFlag(QStringLiteral("--strict"));
    args.removeOne(QStringLiteral("--"));
    if (!to || args.size() != 2) {
        io.printError(kUsage);
        return std::nullopt;
    }
    for (const QString& arg : std::as_const(args)) {
        if (arg.startsWith(u"--")) {
            io.printError(QStringLiteral("tavlo-cli: unknown option \"%1\"\n").arg(arg) + kUsage);
            return std::nullopt;
        }
    }
    ConvertOptions options;
    options.from = from.value_or(charset::AUTO_DETECT);
    options.to = *to;
    options.eol = eol;
    options.force = force;
    options.strict = strict;
    if (kana)
        options.katakanaMode = *kana ? JisKatakanaMode::HalfWidth : JisKatakanaMode::FullWidth;
    options.in = args.at(0);
    options.out = args.at(1);
    return options;
}

QString conversionMessage(RESULT result) {
    if (result == rc::OUT_OF_MEMORY)
        return editorMessage(40000, QStringLiteral("メモリー不足が発生しました。"));
    return editorMessage(40019, QStringLiteral("文字コード変換の際にエラーが発生しました。"));
}

int runConvert(const QStringList& args, CliIo& io) {
#ifdef M_MMAP_THRESHOLD
    // The pipeline frees each large buffer before it makes the next one: let
    // them come from the heap and be reused instead of mapping fresh pages
    // (and taking their faults) for every step.
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
#endif
    CharSetCommandContext context;
    const std::optional<ConvertOptions> options = parse(args, context, io);
    if (!options)
        return cli::kExitUsage;
    const std::optional<InputFile> input = CharSetCommandContext::readFile(options->in, io);
    if (!input)
        return cli::kExitFailure;
    const CharSetId from = options->from != charset::AUTO_DETECT
                               ? options->from
                               : context.services().DetectForLoading(input->bytes());
    const CodePage& ansi = CodePage::ansi(context.locale());
    const JisKatakanaMode kana = options->katakanaMode.value_or(
        options->to == charset::JIS ? context.katakanaMode() : JisKatakanaMode::FullWidth);
    OutputFile output(options->out, options->in, options->force, io);
    if (!output.open())
        return cli::kExitFailure;
    // The converted bytes are written a piece at a time, while they are still
    // in the cache; OUT is replaced only after the last piece.
    const ConvertedText done = ConvertFileText(
        input->bytes(), from, options->to, options->eol, kana, ansi,
        [&](const char* data, qsizetype size) { return output.write(data, size); },
        options->strict ? RawBytes::Refuse : RawBytes::KeepOrReplace);
    if (done.writeFailed)
        return cli::kExitFailure;
    if (done.refused) {
        output.cancel();
        io.printError(cliMessage(QStringLiteral("%1 holds bytes that character set %2 can't read "
                                                "(the first at byte offset %3); nothing was "
                                                "written")
                                     .arg(options->in)
                                     .arg(from)
                                     .arg(done.rawBytes.first)));
        return cli::kExitFailure;
    }
    if (done.result != rc::SUCCESS) {
        output.cancel();
        io.printError(cliMessage(conversionMessage(done.result)));
        return cli::kExitFailure;
    }
    if (!output.commit())
        return cli::kExitFailure;
    if (done.rawBytesReplaced) {
        const CharSetId to = options->to;
        const bool unicode = to == charset::UNICODE_LE || to == charset::UNICODE_BE ||
                             to == charset::UTF8 || to == charset::UTF8N;
        io.printError(cliMessage(QStringLiteral("%1 bytes that character set %2 can't read were "
                                                "written as \"%3\" (the first at byte offset %4)")
                                     .arg(done.rawBytes.count)
                                     .arg(from)
                                     .arg(unicode ? QStringLiteral("U+FFFD") : QStringLiteral("?"))
                                     .arg(done.rawBytes.first)));
    }
    return cli::kExitOk;
}

} // namespace

Subcommand convertSubcommand() {
    return {QStringLiteral("convert"),
            QStringLiteral("[--lang HEX] [--from ID] --to ID [--eol 0|1|2] [--katakana-mode 0|1] "
                           "[--force] [--strict] IN OUT"),
            QStringLiteral("load IN as the editor would and save it as OUT in another set"),
            [](const QStringList& args, CliIo& io) { return runConvert(args, io); }};
}
