// A library with only the information exports, built in variants that break
// the contract: TEST_SIGNATURE, TEST_VERSION and TEST_WITH_NAME choose them.
#include "LanguageLibraryAbi.h"

#include <cstring>

extern "C" __attribute__((visibility("default"))) int32_t GetUIResDLLInfo(UiResDllInfo* info) {
    info->version = TEST_VERSION;
    info->languageId = 0x0407;
    std::strcpy(info->signature, TEST_SIGNATURE);
    return 1;
}

#if TEST_WITH_NAME
extern "C" __attribute__((visibility("default"))) const char16_t* GetResourceLanguage(uint16_t) {
    return u"Deutsch";
}
#endif
