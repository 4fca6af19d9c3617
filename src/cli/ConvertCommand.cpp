#include "ConvertCommand.h"

#include "CharSetCommandSupport.h"
#include "CharSetServices.h"
#include "CodePage.h"
#include "TextCodec.h"

#include <QFileInfo>
#include <QSaveFile>

#include <malloc.h>

namespace {

const QString kUsage = QStringLiteral(
    "Usage: tavlo-cli convert [--lang HEX] [--from ID] --to ID [--eol 0|1|2] "
    "[--katakana-mode 0|1] IN OUT\n"
    "  IDs: 0 detect (--from only), 1 ANSI, 2 Unicode, 3 Unicode(BigEndian), 4 UTF-8,\n"
    "       5 UTF-8N, 6 EUC, 7 JIS, 8 Shift-JIS; line endings: 0 CR LF, 1 CR, 2 LF\n"
    "  OUT \"-\" writes to standard output.\n");

struct ConvertOptions {
    CharSetId from = charset::AUTO_DETECT;
    CharSetId to = charset::NOT_FOUND;
    std::optional<LineEndingId> eol;
    std::optional<JisKatakanaMode> katakanaMode;
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

// Where the converted bytes go: standard output, or OUT through QSaveFile, so
// that OUT is replaced whole only when every byte was written and the old OUT
// stays as it was on any failure.
class Output {
  public:
    Output(const QString& path, CliIo& io) : path_(path), io_(io) {}

    bool open() {
        if (path_ == u"-")
            return true;
        const QFileInfo info(path_);
        if (info.isDir()) {
            io_.printError(
                editorMessage(33001,
                              QStringLiteral("出力先に指定されている下記のパスはフォルダです。"
                                             "\n\n%s"),
                              path_) +
                u'\n');
            return false;
        }
        if (info.exists() && !info.isWritable()) {
            // The editor would ask before overwriting; here nobody can answer.
            io_.printError(
                QStringLiteral("tavlo-cli: %1 is read-only; it was left as it is\n").arg(path_));
            return false;
        }
        file_.emplace(path_);
        // Unbuffered, so that a short write (a full disk, a size limit) shows
        // in write() itself rather than being lost in a later flush.
        if (!file_->open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return fail();
        return true;
    }
    bool write(const char* data, qsizetype size) {
        if (size == 0)
            return true;
        QIODevice& device = file_ ? static_cast<QIODevice&>(*file_) : io_.out;
        if (device.write(data, size) != size)
            return fail();
        return true;
    }
    bool commit() {
        if (file_ && !file_->commit())
            return fail();
        return true;
    }
    void cancel() {
        if (file_)
            file_->cancelWriting();
    }

  private:
    bool fail() {
        if (file_)
            file_->cancelWriting();
        io_.printError(editorMessage(33003,
                                     QStringLiteral("下記ファイルにアクセスできません。\n\n%s"),
                                     path_) +
                       u'\n');
        return false;
    }

    QString path_;
    CliIo& io_;
    std::optional<QSaveFile> file_;
};

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
    Output output(options->out, io);
    if (!output.open())
        return cli::kExitFailure;
    // The converted bytes are written a piece at a time, while they are still
    // in the cache; OUT is replaced only after the last piece.
    const ConvertedText done =
        ConvertFileText(input->bytes(), from, options->to, options->eol, kana, ansi,
                        [&](const char* data, qsizetype size) { return output.write(data, size); });
    if (done.writeFailed)
        return cli::kExitFailure;
    if (done.result != rc::SUCCESS) {
        output.cancel();
        io.printError(conversionMessage(done.result) + u'\n');
        return cli::kExitFailure;
    }
    return output.commit() ? cli::kExitOk : cli::kExitFailure;
}

} // namespace

Subcommand convertSubcommand() {
    return {QStringLiteral("convert"),
            QStringLiteral("[--lang HEX] [--from ID] --to ID [--eol 0|1|2] [--katakana-mode 0|1] "
                           "IN OUT"),
            QStringLiteral("load IN as the editor would and save it as OUT in another set"),
            [](const QStringList& args, CliIo& io) { return runConvert(args, io); }};
}
