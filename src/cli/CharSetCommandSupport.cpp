#include "CharSetCommandSupport.h"

#include "CharSetServices.h"
#include "MappedInputGuard.h"
#include "ProfileStore.h"
#include "Registry.h"
#include "Settings.h"
#include "StringTable.h"

#include <QFileInfo>

#include <utility>

#include <sys/mman.h>

namespace {

constexpr char kCompanyName[] = "Orvane";

} // namespace

InputFile::InputFile(InputFile&& other) noexcept
    : mapped_(std::exchange(other.mapped_, nullptr)),
      mappedSize_(std::exchange(other.mappedSize_, 0)), read_(std::move(other.read_)) {}

InputFile::~InputFile() {
    if (mapped_)
        munmap(const_cast<char*>(mapped_), mappedSize_);
}

QByteArray InputFile::bytes() const {
    if (mapped_)
        return QByteArray::fromRawData(mapped_, static_cast<qsizetype>(mappedSize_));
    return read_;
}

CharSetCommandContext::CharSetCommandContext() = default;
CharSetCommandContext::~CharSetCommandContext() = default;

std::optional<QString> takeOption(QStringList& args, const QString& name, bool& error) {
    std::optional<QString> value;
    for (qsizetype i = 0; i < args.size();) {
        const QString& arg = args.at(i);
        if (arg == u"--") // what follows is file names
            break;
        if (arg == name) {
            if (i + 1 >= args.size()) {
                error = true;
                args.removeAt(i);
                continue;
            }
            value = args.at(i + 1);
            args.remove(i, 2);
        } else if (arg.startsWith(name + u'=')) {
            value = arg.mid(name.size() + 1);
            args.removeAt(i);
        } else {
            ++i;
        }
    }
    return value;
}

bool CharSetCommandContext::takeLanguageOption(QStringList& args, CliIo& io) {
    bool error = false;
    const std::optional<QString> lang = takeOption(args, QStringLiteral("--lang"), error);
    if (error) {
        io.printError(QStringLiteral("tavlo-cli: --lang needs a language id such as 0411\n"));
        return false;
    }
    if (!lang) {
        locale_ = Locale::fromEnvironment();
        return true;
    }
    bool ok = false;
    QString digits = *lang;
    if (digits.startsWith(u"0x", Qt::CaseInsensitive))
        digits = digits.mid(2);
    const uint value = digits.toUInt(&ok, 16);
    if (!ok || digits.isEmpty() || value == 0 || value > 0xFFFF) {
        io.printError(
            QStringLiteral("tavlo-cli: \"%1\" is not a language id such as 0411\n").arg(*lang));
        return false;
    }
    const auto id = static_cast<LANGID>(value);
    locale_ = Locale(id, id);
    return true;
}

Settings* CharSetCommandContext::settings() {
    // Only an existing settings store is read: inspecting files must not
    // create one.
    if (!settings_) {
        const QString path = Registry::defaultDatabasePath();
        if (path.isEmpty() || !QFileInfo(path).isFile())
            return nullptr;
        registry_ = std::make_unique<Registry>(path);
        store_ = std::make_unique<ProfileStore>(*registry_);
        store_->SetRegistryKey(QString::fromLatin1(kCompanyName));
        settings_ = std::make_unique<Settings>(*store_, locale());
    }
    return settings_.get();
}

const CharSetServices& CharSetCommandContext::services() {
    if (!services_) {
        Settings* s = settings();
        services_ = s ? std::make_unique<CharSetServices>(*s)
                      : std::make_unique<CharSetServices>(std::function<QString()>(), locale());
    }
    return *services_;
}

JisKatakanaMode CharSetCommandContext::katakanaMode() {
    Settings* s = settings();
    const int mode = s ? s->getInt(QStringLiteral("JIS_KATAKANA_MODE")) : 0;
    return mode != 0 ? JisKatakanaMode::HalfWidth : JisKatakanaMode::FullWidth;
}

QString editorMessage(uint32_t id, const QString& fallback, const QString& path) {
    QString text = res::loadString(id, fallback);
    if (!path.isNull())
        text = res::substitute(text, path);
    return text;
}

std::optional<InputFile> CharSetCommandContext::readFile(const QString& path, CliIo& io) {
    return readInputFile(path, io,
                         res::loadString(33000, QStringLiteral("下記ファイルのオープンでエラーが"
                                                               "発生しました。\n\n%s")));
}
