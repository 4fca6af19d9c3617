// A test language library with all four character-set exports.
#include "LanguageLibraryAbi.h"

#include <cstring>
#include <string>

namespace {

std::u16string text(const char16_t* s) {
    return s ? std::u16string(s) : std::u16string();
}

} // namespace

extern "C" {

// "EUC..." is 6, "AUTO..." is 0, "NONE..." is -1; 42 tells the test that the
// promised four zero bytes after the data were missing.
__attribute__((visibility("default"))) int32_t DetectCharSet(const unsigned char* bytes,
                                                             uint32_t count) {
    for (uint32_t k = 0; k < 4; ++k)
        if (bytes[count + k] != 0)
            return 42;
    if (count >= 3 && std::memcmp(bytes, "EUC", 3) == 0)
        return 6;
    if (count >= 4 && std::memcmp(bytes, "AUTO", 4) == 0)
        return 0;
    if (count >= 4 && std::memcmp(bytes, "NONE", 4) == 0)
        return -1;
    return 5;
}

__attribute__((visibility("default"))) int32_t GetCharCodeFromName(const char16_t* label) {
    const std::u16string l = text(label);
    if (l == u"Eucy")
        return 6;
    if (l == u"Ascii")
        return 1;
    return -1;
}

// A list longer than the caller's first buffer, to make it ask again.
__attribute__((visibility("default"))) void GetCharCodeSetList(int32_t withAutoDetect,
                                                               TavloStringBuffer* list) {
    std::u16string s = withAutoDetect ? u"Auto|" : u"";
    s += u"Ascii|Eucy|" + std::u16string(600, u'x') + u"||";
    list->length = static_cast<int32_t>(s.size());
    const size_t n = std::min<size_t>(s.size(), static_cast<size_t>(list->capacity));
    std::memcpy(list->data, s.data(), n * sizeof(char16_t));
}

__attribute__((visibility("default"))) int32_t
GetCharCodeListIndexEx(uint32_t reserved, int32_t code, const char16_t* list, int32_t* index) {
    if (reserved != 0 || text(list).find(u"Eucy") == std::u16string::npos || code != 6) {
        *index = -1;
        return 0;
    }
    *index = 1;
    return 1;
}
}
