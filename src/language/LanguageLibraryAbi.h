#pragma once

// The C interface of a language library's character-set exports. A language
// library is a shared object (.so) that exports some of these functions with
// C linkage under exactly these names; every export is optional. The editor
// loads the library named by UI_LANGUAGE_DLL_PATH for one call and unloads it
// again, so a library keeps no state between calls.
//
// Text crosses the interface as UTF-16 (char16_t, host byte order).
// Character-set ids are those of CharSet.h: 0 automatic detection, 1 ANSI,
// 2 Unicode, 3 Unicode(BigEndian), 4 UTF-8, 5 UTF-8N, 6 EUC, 7 JIS,
// 8 Shift-JIS, -1 unknown.

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

// The caller's string object. The caller provides `data` with room for
// `capacity` UTF-16 units. The library copies at most `capacity` units of its
// text into `data` (no terminating NUL is needed) and always sets `length` to
// the full length of its text. When `length` exceeds `capacity` the text was
// cut short: the caller calls again with a buffer of at least `length` units.
typedef struct TavloStringBuffer {
    char16_t* data;
    int32_t capacity;
    int32_t length;
} TavloStringBuffer;

// DetectCharSet: the character set of a file from its bytes. `bytes` points to
// the file's first `count` bytes (the whole file, or its first 4 GiB - 1); it
// is followed by at least four zero bytes. Returns a set id, -1 if unknown.
typedef int32_t (*TavloDetectCharSetFn)(const unsigned char* bytes, uint32_t count);

// GetCharCodeFromName: the set id of a NUL-terminated UTF-16 label, -1 if the
// library doesn't know it.
typedef int32_t (*TavloGetCharCodeFromNameFn)(const char16_t* label);

// GetCharCodeSetList: fills `list` with the offered set labels, each followed
// by "|", then one more "|" ("ANSI|UTF-8||"). With `withAutoDetect` nonzero
// the list starts with the automatic-detection label.
typedef void (*TavloGetCharCodeSetListFn)(int32_t withAutoDetect, TavloStringBuffer* list);

// GetCharCodeListIndexEx: the index of the item naming set `code` in the
// NUL-terminated "|"-separated `list`. `reserved` is always 0. Stores the
// index (or -1) through `index` and returns nonzero if found.
typedef int32_t (*TavloGetCharCodeListIndexExFn)(uint32_t reserved, int32_t code,
                                                 const char16_t* list, int32_t* index);

#ifdef __cplusplus
}
#endif
