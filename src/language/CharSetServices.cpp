#include "CharSetServices.h"

#include "CharSetDetector.h"
#include "CharSetNames.h"
#include "DynamicLibrary.h"
#include "LanguageLibraryAbi.h"
#include "Settings.h"
#include "StringTable.h"

#include <QLoggingCategory>

#include <limits>
#include <new>

namespace {

// The diagnostic lines of the index lookup; enable with
// QT_LOGGING_RULES="tavlo.language.debug=true".
Q_LOGGING_CATEGORY(lcLanguage, "tavlo.language", QtInfoMsg)

void debugLine(const char16_t* text) {
    qCDebug(lcLanguage).noquote() << QString::fromUtf16(text);
}

constexpr uint32_t kNativeAnsiLabelId = 35098;

// A library loaded for one call; an empty path loads nothing.
class LibraryCall {
  public:
    explicit LibraryCall(const QString& path) : builtin_(path.isEmpty()) {
        if (!builtin_)
            library_.load(path);
    }
    bool builtin() const { return builtin_; }
    bool loaded() const { return builtin_ || library_.isLoaded(); }
    template <typename F> F function(const char* name) {
        return builtin_ ? nullptr : library_.function<F>(name);
    }

  private:
    bool builtin_;
    DynamicLibrary library_;
};

std::u16string nulTerminated(const QString& s) {
    return std::u16string(reinterpret_cast<const char16_t*>(s.utf16()), s.size());
}

// Asks the library's list export, growing the buffer once if the list is
// longer than the first guess.
QString callListExport(TavloGetCharCodeSetListFn fn, bool withAutoDetect) {
    std::u16string buffer(512, u'\0');
    for (int attempt = 0; attempt < 3; ++attempt) {
        TavloStringBuffer out{buffer.data(), static_cast<int32_t>(buffer.size()), 0};
        fn(withAutoDetect ? 1 : 0, &out);
        if (out.length < 0)
            return QString();
        if (out.length <= out.capacity)
            return QString::fromUtf16(buffer.data(), out.length);
        buffer.assign(static_cast<size_t>(out.length), u'\0');
    }
    return QString();
}

CharSetId withBuiltinNames(CharSetId code, const QString& label) {
    if (code != charset::NOT_FOUND)
        return code;
    if (label == u"(Auto Detect)")
        return charset::AUTO_DETECT;
    if (label == u"ANSI")
        return charset::ANSI;
    return charset::NOT_FOUND;
}

} // namespace

CharSetServices::CharSetServices(std::function<QString()> libraryPath, Locale locale)
    : libraryPath_(std::move(libraryPath)), locale_(locale) {}

CharSetServices::CharSetServices(const Settings& settings)
    : CharSetServices([&settings] { return settings.getString("UI_LANGUAGE_DLL_PATH"); },
                      settings.locale()) {}

QString CharSetServices::libraryPath() const {
    return libraryPath_ ? libraryPath_().trimmed() : QString();
}

CharSetServices::Detection CharSetServices::Detect(QByteArrayView bytes) const {
    const QString path = libraryPath();
    if (path.isEmpty())
        return {false, charset::NOT_FOUND};
    LibraryCall call(path);
    auto fn = call.function<TavloDetectCharSetFn>("DetectCharSet");
    if (!fn)
        return {false, charset::NOT_FOUND};
    // The library gets a copy with the four zero bytes the contract promises.
    const auto count = static_cast<uint32_t>(
        std::min<qsizetype>(bytes.size(), std::numeric_limits<uint32_t>::max()));
    QByteArray padded(count + 4, '\0');
    std::copy_n(bytes.data(), count, padded.data());
    return {true, fn(reinterpret_cast<const unsigned char*>(padded.constData()), count)};
}

CharSetId CharSetServices::DetectForLoading(QByteArrayView bytes) const {
    if (libraryPath().isEmpty())
        return DetectCharSet(bytes, locale_.systemDefaultLangId());
    return DetectCharSet(bytes, locale_.systemDefaultLangId(),
                         [this](QByteArrayView b) -> std::optional<CharSetId> {
                             const Detection d = Detect(b);
                             if (!d.called)
                                 return std::nullopt;
                             return d.code;
                         });
}

CharSetId CharSetServices::CodeFromName(const QString& label) const {
    LibraryCall call(libraryPath());
    if (!call.loaded())
        return charset::NOT_FOUND;
    if (auto fn = call.function<TavloGetCharCodeFromNameFn>("GetCharCodeFromName"))
        return withBuiltinNames(fn(nulTerminated(label).c_str()), label);
    return withBuiltinNames(GetCharCodeFromName(label), label);
}

CharSetId CharSetServices::CodeFromListIndex(const QString& list, int index) const {
    const QStringList items = SplitCharCodeList(list);
    if (index < 0 || index >= items.size())
        return charset::NOT_FOUND;
    return CodeFromName(items.at(index));
}

QString CharSetServices::CodeSetList(bool withAutoDetect) const {
    LibraryCall call(libraryPath());
    if (!call.loaded())
        return QString();
    if (call.builtin())
        return GetCharCodeSetList(withAutoDetect, usesJapaneseList(locale_.systemDefaultLangId()));
    if (auto fn = call.function<TavloGetCharCodeSetListFn>("GetCharCodeSetList"))
        return callListExport(fn, withAutoDetect);
    return GetCharCodeSetList(withAutoDetect, false);
}

CharSetServices::ListIndex CharSetServices::ListIndexOf(uint32_t reserved, CharSetId code,
                                                        const QString& list) const {
    LibraryCall call(libraryPath());
    if (!call.loaded())
        return {false, -1};
    debugLine(u"\nIn GetCharCodeListIndexEx: Calling GetCharCodeListIndexEx");
    if (call.builtin()) {
        debugLine(u"\nIn GetCharCodeListIndexEx: Calling GetCharCodeListIndexExDefault その１");
        return builtinListIndexOf(code, list);
    }
    auto fn = call.function<TavloGetCharCodeListIndexExFn>("GetCharCodeListIndexEx");
    if (!fn) {
        debugLine(u"\nIn GetCharCodeListIndexEx: Calling GetCharCodeListIndexExDefault その２");
        return builtinListIndexOf(code, list);
    }
    debugLine(u"\nIn GetCharCodeListIndexEx: Calling pfGetListIndexEx");
    int32_t index = -1;
    const bool found = fn(reserved, code, nulTerminated(list).c_str(), &index) != 0;
    // An index the list doesn't have is not a find.
    if (!found || index < 0)
        return {false, -1};
    return {true, index};
}

CharSetServices::ListIndex builtinListIndexOf(CharSetId code, const QString& list) {
    const uint32_t labelId = charSetLabelId(code);
    if (labelId == 0) {
        debugLine(u"\nIn GetCharCodeListIndexExDefault: Err その１");
        return {false, -1};
    }
    const std::optional<QString> loaded = res::loadString(labelId);
    if (!loaded) {
        debugLine(u"\nIn GetCharCodeListIndexExDefault: Err その２");
        return {false, -1};
    }
    const QString label = loaded->trimmed();
    if (label.isEmpty()) {
        debugLine(u"\nIn GetCharCodeListIndexExDefault: Err その３");
        return {false, -1};
    }
    const QStringList items = SplitCharCodeList(list);
    qsizetype index = items.indexOf(label);
    if (index < 0) {
        debugLine(u"\nIn GetCharCodeListIndexExDefault: ANSI not Found!");
        if (code == charset::ANSI) {
            index = items.indexOf(QStringLiteral("ANSI"));
            if (index < 0) {
                if (const std::optional<QString> native = res::loadString(kNativeAnsiLabelId))
                    index = items.indexOf(native->trimmed());
                else
                    debugLine(u"\nIn GetCharCodeListIndexExDefault: ネイティブの ANSI ラベル not "
                              u"Found!");
            }
        } else if (code == charset::AUTO_DETECT) {
            index = items.indexOf(QStringLiteral("(Auto Detect)"));
        }
    }
    return {index >= 0, static_cast<int>(index)};
}

QString CharSetServices::fallbackOpenList() {
    return QStringLiteral("(Auto Detect)|ANSI|Unicode|Unicode(BigEndian)|UTF-8|UTF-8N||");
}

QString CharSetServices::fallbackSaveList() {
    return QStringLiteral("ANSI|Unicode|Unicode(BigEndian)|UTF-8|UTF-8N||");
}
