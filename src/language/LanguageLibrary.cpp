#include "LanguageLibrary.h"

#include "LanguageLibraryAbi.h"

#include <cstring>
#include <string>

static_assert(sizeof(UiResDllInfo) == 600);
static_assert(offsetof(UiResDllInfo, signature) == 568);

namespace {

// Calls a text export, growing the buffer when the text is longer.
template <typename Fn, typename... Args> std::optional<QString> callText(Fn fn, Args... args) {
    if (!fn)
        return std::nullopt;
    std::u16string buffer(256, u'\0');
    for (int attempt = 0; attempt < 3; ++attempt) {
        TavloStringBuffer out{buffer.data(), static_cast<int32_t>(buffer.size()), 0};
        if (!fn(args..., &out) || out.length < 0)
            return std::nullopt;
        if (out.length <= out.capacity)
            return QString::fromUtf16(buffer.data(), out.length);
        buffer.assign(static_cast<size_t>(out.length), u'\0');
    }
    return std::nullopt;
}

} // namespace

namespace language {

Validation Validate(const QString& path, LANGID wanted) {
    Validation v;
    if (path.isEmpty())
        return v;
    v.result = RESULT_NOT_A_LIBRARY;
    DynamicLibrary library(path);
    auto info = library.function<TavloGetUIResDLLInfoFn>("GetUIResDLLInfo");
    if (!info)
        return v;
    UiResDllInfo block;
    std::memset(&block, 0, sizeof block);
    block.cbSize = sizeof block;
    if (!info(&block))
        return v;
    block.signature[sizeof block.signature - 1] = '\0';
    if (std::strcmp(block.signature, TAVLO_LANGUAGE_LIBRARY_SIGNATURE) != 0)
        return v;
    auto name = library.function<TavloGetResourceLanguageFn>("GetResourceLanguage");
    if (!name)
        return v;
    v.result = RESULT_OK;
    v.version = block.version;
    v.languageId = block.languageId;
    if (const char16_t* text = name(wanted))
        v.name = QString::fromUtf16(text);
    return v;
}

} // namespace language

std::shared_ptr<LibraryResourceSource> LibraryResourceSource::load(const QString& path) {
    std::shared_ptr<LibraryResourceSource> source(new LibraryResourceSource);
    if (!source->library_.load(path))
        return nullptr;
    return source;
}

std::optional<QString> LibraryResourceSource::loadString(uint32_t id) const {
    if (auto text = callText(library_.function<TavloLoadStringFn>("TavloLoadString"), id))
        return text;
    return BuiltinStrings().loadString(id);
}

std::optional<QString> LibraryResourceSource::loadMenuText(int menuId, int key) const {
    return callText(library_.function<TavloLoadMenuTextFn>("TavloLoadMenuText"),
                    static_cast<uint32_t>(menuId), static_cast<uint32_t>(key));
}

std::optional<QString> LibraryResourceSource::loadDialogText(int dialogId, int controlId) const {
    if (auto text = callText(library_.function<TavloLoadDialogTextFn>("TavloLoadDialogText"),
                             static_cast<uint32_t>(dialogId), static_cast<uint32_t>(controlId)))
        return text;
    return std::nullopt;
}

LANGID LibraryResourceSource::languageId() const {
    auto fn = library_.function<TavloGetLanguageIDFn>("GetLanguageID");
    return fn ? static_cast<LANGID>(fn() & 0xFFFF) : 0;
}

LANGID LanguageIdOf(const ResourceSource* source) {
    if (auto* library = dynamic_cast<const LibraryResourceSource*>(source))
        return library->languageId();
    return 0x0411;
}
