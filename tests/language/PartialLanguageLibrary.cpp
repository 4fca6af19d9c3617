// A test language library with only the name lookup.
#include "LanguageLibraryAbi.h"

#include <string>

extern "C" __attribute__((visibility("default"))) int32_t
GetCharCodeFromName(const char16_t* label) {
    return label && std::u16string(label) == u"Eucy" ? 6 : -1;
}
