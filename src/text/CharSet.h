#pragma once

#include <cstdint>

// The character-set identifier every part of the editor uses for a file's
// encoding. -1 is a detector's "nothing fits"; wherever a detector's answer is
// used, -1 and 0 become ANSI.
using CharSetId = int32_t;

namespace charset {
constexpr CharSetId NOT_FOUND = -1;
constexpr CharSetId AUTO_DETECT = 0;
constexpr CharSetId ANSI = 1;
constexpr CharSetId UNICODE_LE = 2;
constexpr CharSetId UNICODE_BE = 3;
constexpr CharSetId UTF8 = 4;  // with byte-order mark
constexpr CharSetId UTF8N = 5; // without
constexpr CharSetId EUC = 6;
constexpr CharSetId JIS = 7;
constexpr CharSetId SHIFT_JIS = 8;

constexpr bool isFileSet(CharSetId id) {
    return id >= ANSI && id <= SHIFT_JIS;
}
// A detector's answer as the loader uses it.
constexpr CharSetId usable(CharSetId id) {
    return isFileSet(id) ? id : ANSI;
}
} // namespace charset

// The line ending of a file. The edit buffer always holds CR LF.
using LineEndingId = int32_t;

namespace lineending {
constexpr LineEndingId CRLF = 0;
constexpr LineEndingId CR = 1;
constexpr LineEndingId LF = 2;
constexpr LineEndingId NONE_FOUND = 3; // a detector's answer; used as CR LF

constexpr LineEndingId usable(LineEndingId id) {
    return id == CR || id == LF ? id : CRLF;
}
} // namespace lineending

// How JIS saving writes half-width katakana (the setting JIS_KATAKANA_MODE).
enum class JisKatakanaMode { FullWidth, HalfWidth };
