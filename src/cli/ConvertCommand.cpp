#include "ConvertCommand.h"

#include "CharSetCommandSupport.h"
#include "CharSetServices.h"
#include "CodePage.h"
#include "TextCodec.h"

#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Where the converted bytes go: standard output, or OUT through a temporary
// file in OUT's folder, so that OUT appears or is replaced whole only when
// every byte was written, and an old OUT stays as it was on any failure. A
// symbolic link is written through to its target; an old OUT keeps its
// permissions, a new one gets those the umask gives.
// When OUT is IN itself, its old bytes are the user's only copy: the new
// bytes are then on the disk before they replace them, so that not even a
// crash of the system can cost both. Otherwise nothing is lost that IN
// can't give again, and OUT is only renamed into place, as by any tool.
class Output {
  public:
    Output(const QString& path, const QString& inputPath, CliIo& io)
        : path_(path), inputPath_(inputPath), io_(io) {}
    ~Output() { cancel(); }

    bool open() {
        if (path_ == u"-")
            return true;
        QFileInfo info(path_);
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
        for (int depth = 0; depth < 128 && info.isSymLink(); ++depth)
            info.setFile(info.symLinkTarget());
        targetPath_ = QFile::encodeName(info.filePath());
        struct stat target {};
        const bool exists = ::stat(targetPath_.constData(), &target) == 0;
        if (exists) {
            mode_ = target.st_mode & 07777;
            struct stat input {};
            inPlace_ = ::stat(QFile::encodeName(inputPath_).constData(), &input) == 0 &&
                       input.st_dev == target.st_dev && input.st_ino == target.st_ino;
        } else {
            const mode_t mask = umask(0);
            umask(mask);
            mode_ = 0666 & ~mask;
        }
        temporaryPath_ = targetPath_ + ".XXXXXX";
        fd_ = mkstemp(temporaryPath_.data());
        if (fd_ < 0) {
            temporaryPath_.clear();
            return fail();
        }
        return true;
    }
    bool write(const char* data, qsizetype size) {
        if (fd_ < 0)
            return size == 0 || io_.out.write(data, size) == size || fail();
        while (size > 0) {
            const ssize_t n = ::write(fd_, data, size_t(size));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return fail();
            data += n;
            size -= n;
        }
        return true;
    }
    bool commit() {
        if (fd_ < 0)
            return true;
        // mkstemp makes the file 0600.
        bool ok = fchmod(fd_, mode_) == 0 && (!inPlace_ || fdatasync(fd_) == 0);
        ok = ::close(fd_) == 0 && ok;
        fd_ = -1;
        if (!ok || ::rename(temporaryPath_.constData(), targetPath_.constData()) != 0)
            return fail();
        temporaryPath_.clear();
        return true;
    }
    void cancel() {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
        if (!temporaryPath_.isEmpty())
            ::unlink(temporaryPath_.constData());
        temporaryPath_.clear();
    }

  private:
    bool fail() {
        cancel();
        io_.printError(editorMessage(33003,
                                     QStringLiteral("下記ファイルにアクセスできません。\n\n%s"),
                                     path_) +
                       u'\n');
        return false;
    }

    QString path_;
    QString inputPath_;
    CliIo& io_;
    QByteArray targetPath_;
    QByteArray temporaryPath_;
    int fd_ = -1;
    mode_t mode_ = 0644;
    bool inPlace_ = false;
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
    Output output(options->out, options->in, io);
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
