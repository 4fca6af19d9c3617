#pragma once

#include "CharSet.h"
#include "Locale.h"
#include "Subcommand.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class CharSetServices;
class Registry;
class ProfileStore;
class Settings;

// A whole input file. A regular file is mapped into memory, as iconv reads
// its input: no copy and no fresh pages to fill, which for a file of tens of
// megabytes cost more than converting it. Anything else (a pipe, a file
// that can't be mapped) is read.
class InputFile {
  public:
    explicit InputFile(QByteArray read) : read_(std::move(read)) {}
    InputFile(const char* mapped, size_t size) : mapped_(mapped), mappedSize_(size) {}
    InputFile(InputFile&& other) noexcept;
    InputFile& operator=(InputFile&&) = delete;
    ~InputFile();

    // The file's bytes, valid while this object lives.
    QByteArray bytes() const;

  private:
    const char* mapped_ = nullptr;
    size_t mappedSize_ = 0;
    QByteArray read_;
};

// Reads a whole input file for a subcommand. A regular file is mapped; a pipe
// or a character device (standard input among them) is read as a stream of at
// most kMaxStreamBytes, and a named pipe no program writes to within
// kWriterWaitSeconds is given up; anything else is refused before it is
// opened. On failure one line goes to io's error stream, made of
// `openFailure` (a message with "%s" for the path) and the system's reason,
// or of our own reason, and nothing is returned.
std::optional<InputFile> readInputFile(const QString& path, CliIo& io, const QString& openFailure);

constexpr qint64 kMaxStreamBytes = qint64(64) * 1024 * 1024;
constexpr int kWriterWaitSeconds = 5;

// What detect and convert share: the options common to both, the editor's
// settings (when the user has a settings store) and reading a file the way the
// loader does.
class CharSetCommandContext {
  public:
    CharSetCommandContext();
    ~CharSetCommandContext();

    // Takes "--lang HEX" (or "--lang=HEX") out of args; false with a usage
    // message on io's error stream when the value is not a language id.
    bool takeLanguageOption(QStringList& args, CliIo& io);

    const Locale& locale() const { return *locale_; }
    const CharSetServices& services();
    // JIS_KATAKANA_MODE as the editor's save would read it.
    JisKatakanaMode katakanaMode();

    // Reads a whole file as readInputFile does, with the loader's message
    // for a file that can't be opened.
    static std::optional<InputFile> readFile(const QString& path, CliIo& io);

  private:
    Settings* settings();

    std::optional<Locale> locale_;
    std::unique_ptr<Registry> registry_;
    std::unique_ptr<ProfileStore> store_;
    std::unique_ptr<Settings> settings_;
    std::unique_ptr<CharSetServices> services_;
};

// Takes the value of "--name V" or "--name=V" out of args. nullopt when the
// option is absent; sets error when it is present without a value.
std::optional<QString> takeOption(QStringList& args, const QString& name, bool& error);

// A message of the string table with the path filled in, as the editor shows it.
QString editorMessage(uint32_t id, const QString& fallback, const QString& path = QString());
