// The exports of a language library whose texts come from an embedded table
// (LanguageTable.h). The character-set exports offer list B of the "コード"
// drop-down with the table's labels (strings 35089-35097).
#include "LanguageLibraryAbi.h"
#include "LanguageTable.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

extern const unsigned char tavloLanguageTable[];
extern const std::size_t tavloLanguageTableSize;

#define TAVLO_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

using Kind = LanguageTable::Kind;

const LanguageTable& table() {
    static const LanguageTable instance(std::string_view(
        reinterpret_cast<const char*>(tavloLanguageTable), tavloLanguageTableSize));
    return instance;
}

int32_t copyText(const std::u16string* text, TavloStringBuffer* out) {
    if (!text || !out || out->capacity < 0)
        return 0;
    const auto length = static_cast<int32_t>(text->size());
    std::copy_n(text->data(), std::min(length, out->capacity), out->data);
    out->length = length;
    return 1;
}

constexpr uint32_t kAutoDetectLabel = 35089; // the label of code 0; codes 1-8 follow
constexpr int32_t kLastCode = 8;
constexpr uint32_t kListB[] = {35090, 35093, 35094, 35091, 35092};

std::u16string trimmed(const std::u16string& s) {
    const auto isSpace = [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; };
    size_t begin = 0;
    size_t end = s.size();
    while (begin < end && isSpace(s[begin]))
        ++begin;
    while (end > begin && isSpace(s[end - 1]))
        --end;
    return s.substr(begin, end - begin);
}

std::u16string label(int32_t code) {
    const std::u16string* text = table().find(Kind::String, kAutoDetectLabel + static_cast<uint32_t>(code));
    return text ? trimmed(*text) : std::u16string();
}

} // namespace

TAVLO_EXPORT int32_t GetUIResDLLInfo(UiResDllInfo* info) {
    if (!info || info->cbSize < sizeof(UiResDllInfo))
        return 0;
    info->version = TAVLO_LANGUAGE_LIBRARY_VERSION;
    info->languageId = table().languageId();
    std::memset(info->signature, 0, sizeof info->signature);
    std::strcpy(info->signature, TAVLO_LANGUAGE_LIBRARY_SIGNATURE);
    return 1;
}

TAVLO_EXPORT const char16_t* GetResourceLanguage(uint16_t wanted) {
    const std::u16string* name = table().find(Kind::Name, wanted);
    if (!name)
        name = table().find(Kind::Name, 0);
    return name ? name->c_str() : nullptr;
}

TAVLO_EXPORT uint32_t GetLanguageID() {
    return table().languageId();
}

TAVLO_EXPORT int32_t TavloLoadString(uint32_t id, TavloStringBuffer* text) {
    return copyText(table().find(Kind::String, id), text);
}

TAVLO_EXPORT int32_t TavloLoadMenuText(uint32_t menuId, uint32_t item, TavloStringBuffer* text) {
    return copyText(table().find(Kind::Menu, menuId, item), text);
}

TAVLO_EXPORT int32_t TavloLoadDialogText(uint32_t dialogId, uint32_t controlId, TavloStringBuffer* text) {
    return copyText(table().find(Kind::Dialog, dialogId, controlId), text);
}

TAVLO_EXPORT int32_t GetCharCodeFromName(const char16_t* name) {
    if (!name)
        return -1;
    const std::u16string wanted(name);
    for (int32_t code = 0; code <= kLastCode; ++code) {
        if (!wanted.empty() && label(code) == wanted)
            return code;
    }
    return -1;
}

TAVLO_EXPORT void GetCharCodeSetList(int32_t withAutoDetect, TavloStringBuffer* list) {
    std::u16string text;
    if (withAutoDetect)
        text += label(0) + u"|";
    for (uint32_t id : kListB) {
        const std::u16string item = label(static_cast<int32_t>(id - kAutoDetectLabel));
        if (!item.empty())
            text += item + u"|";
    }
    text += u"|";
    copyText(&text, list);
}

TAVLO_EXPORT int32_t GetCharCodeListIndexEx(uint32_t, int32_t code, const char16_t* list, int32_t* index) {
    if (index)
        *index = -1;
    if (!list || !index || code < 0 || code > kLastCode)
        return 0;
    const std::u16string wanted = label(code);
    const std::u16string text(list);
    int32_t position = 0;
    for (size_t start = 0; start <= text.size(); ++position) {
        size_t bar = text.find(u'|', start);
        if (bar == std::u16string::npos)
            bar = text.size();
        if (trimmed(text.substr(start, bar - start)) == wanted && !wanted.empty()) {
            *index = position;
            return 1;
        }
        start = bar + 1;
    }
    return 0;
}
