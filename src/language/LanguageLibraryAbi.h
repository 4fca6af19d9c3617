#pragma once

// The C interface of a language library. A language library is a shared
// object (.so) that exports these functions with C linkage under exactly
// these names. GetUIResDLLInfo and GetResourceLanguage make a file a language
// library; every other export is optional.
//
// For its resources the editor keeps the selected library loaded while it
// supplies the user interface; the character-set services load the library
// named by UI_LANGUAGE_DLL_PATH for one call and unload it again.
//
// Text crosses the interface as UTF-16 (char16_t, host byte order).
// Character-set ids are those of CharSet.h: 0 automatic detection, 1 ANSI,
// 2 Unicode, 3 Unicode(BigEndian), 4 UTF-8, 5 UTF-8N, 6 EUC, 7 JIS,
// 8 Shift-JIS, -1 unknown.

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

// The version of the editor a library must be made for, and its signature.
#define TAVLO_LANGUAGE_LIBRARY_VERSION 584
#define TAVLO_LANGUAGE_LIBRARY_SIGNATURE "TAVLOS"

// The block GetUIResDLLInfo fills: 600 bytes, little-endian. The caller sets
// cbSize to 600; the library fills version, languageId and signature (8-bit
// text, NUL-terminated) and returns nonzero.
typedef struct UiResDllInfo {
    uint32_t cbSize;
    uint32_t version;
    uint16_t languageId;
    unsigned char reserved[558];
    char signature[32];
} UiResDllInfo;

// GetUIResDLLInfo: fills the block; nonzero on success.
typedef int32_t (*TavloGetUIResDLLInfoFn)(UiResDllInfo* info);

// GetResourceLanguage: the display name of the library's language in the
// language `wanted` (a language identifier such as 0x0411), as NUL-terminated
// UTF-16 that stays valid while the library is loaded; null if none.
typedef const char16_t* (*TavloGetResourceLanguageFn)(uint16_t wanted);

// GetLanguageID: the language identifier of the library's resources in the
// low 16 bits.
typedef uint32_t (*TavloGetLanguageIDFn)(void);

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

// The translated resources, by the editor's own numeric ids. Each copies the
// text into `text` as GetCharCodeSetList does and returns nonzero, or returns
// 0 when the library lacks that text (the editor then uses its own).
//
// TavloLoadString: the string table entry `id`.
// TavloLoadMenuText: the item of menu `menuId` named by `key`: a command's
//   id for a command item, 0x10000 plus the pop-up's id for a pop-up. The
//   key does not depend on where the item stands, so a text never lands on
//   another item when a menu changes. Texts keep their "&" access keys and,
//   after a TAB, the key name.
// TavloLoadDialogText: control `controlId` of dialog `dialogId`; control 0
//   is the caption, dialog 0 holds the message box buttons by their answer.
typedef int32_t (*TavloLoadStringFn)(uint32_t id, TavloStringBuffer* text);
typedef int32_t (*TavloLoadMenuTextFn)(uint32_t menuId, uint32_t key, TavloStringBuffer* text);
typedef int32_t (*TavloLoadDialogTextFn)(uint32_t dialogId, uint32_t controlId,
                                         TavloStringBuffer* text);

#ifdef __cplusplus
}
#endif
