#include "CharSetDetector.h"

#include "DetectorScans.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace {

constexpr uint64_t kOnes = 0x0101010101010101ULL;
constexpr uint64_t kHighs = 0x8080808080808080ULL;

uint64_t load8(const uint8_t* p) {
    uint64_t x;
    std::memcpy(&x, p, 8);
    return x;
}

// True when all eight bytes are printable ASCII 0x20-0x7E (0x7F is allowed
// when allowDel), the common case the detectors skip in one step.
bool allPrintable(uint64_t x, bool allowDel) {
    if (x & kHighs)
        return false;
    if ((x - kOnes * 0x20) & ~x & kHighs)
        return false;
    if (!allowDel) {
        const uint64_t del = x ^ (kOnes * 0x7F);
        if ((del - kOnes) & ~del & kHighs)
            return false;
    }
    return true;
}

class Bytes {
  public:
    explicit Bytes(QByteArrayView v)
        : p_(reinterpret_cast<const uint8_t*>(v.data())), n_(static_cast<size_t>(v.size())) {}
    size_t size() const { return n_; }
    const uint8_t* data() const { return p_; }
    // Bytes past the end read as zero, like the loader's padding.
    uint8_t at(size_t i) const { return i < n_ ? p_[i] : 0; }
    bool startsWith(std::initializer_list<uint8_t> prefix) const {
        size_t i = 0;
        for (uint8_t b : prefix)
            if (at(i++) != b || i > n_)
                return false;
        return true;
    }

  private:
    const uint8_t* p_;
    size_t n_;
};

bool isTabLfCr(uint8_t b) {
    return b == 0x09 || b == 0x0A || b == 0x0D;
}

LineEndingId decideLineEnding(uint64_t crs, uint64_t lfs, uint64_t pairs) {
    if (pairs > 0) {
        const uint64_t p = pairs * 100 / crs;
        const uint64_t q = pairs * 100 / lfs;
        if (p < 50)
            return lineending::CR;
        if (q < 50)
            return lineending::LF;
        return lineending::CRLF;
    }
    if (crs > 0)
        return crs >= lfs ? lineending::CR : lineending::LF;
    return lfs > 0 ? lineending::LF : lineending::NONE_FOUND;
}

} // namespace

namespace {

// Byte classes for the walks below, built once.
struct Utf8Classes {
    // 0 refused, 1 a passing single byte, 2-6 the length of a sequence it leads.
    uint8_t length[256];
    Utf8Classes() {
        for (int c = 0; c < 256; ++c) {
            const int ones = std::countl_one(static_cast<uint8_t>(c));
            if (c < 0x20)
                length[c] = isTabLfCr(static_cast<uint8_t>(c)) ? 1 : 0;
            else if (c < 0x80)
                length[c] = 1;
            else
                length[c] = (ones >= 2 && ones <= 6) ? static_cast<uint8_t>(ones) : 0;
        }
    }
};
const Utf8Classes kUtf8;

struct ShiftJisClasses {
    uint8_t kind[256]; // 0 refused, 1 single byte, 2 lead byte
    bool trail[256];
    ShiftJisClasses() {
        for (int c = 0; c < 256; ++c) {
            const auto b = static_cast<uint8_t>(c);
            if ((b >= 0xA1 && b <= 0xDF) || (b >= 0x20 && b <= 0x7E) || isTabLfCr(b))
                kind[c] = 1;
            else if ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xEF))
                kind[c] = 2;
            else
                kind[c] = 0;
            trail[c] = (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
        }
    }
};
const ShiftJisClasses kShiftJis;

// Checks that the count-1 bytes after p[i] are continuation bytes 10xxxxxx.
bool continuationsFollow(const Bytes& b, size_t i, int count) {
    if (i + 8 <= b.size()) {
        // Bytes 1..count-1 of the little-endian word.
        const uint64_t mask = (count >= 8 ? ~0ULL : (1ULL << (8 * count)) - 1) & ~0xFFULL;
        return (load8(b.data() + i) & mask & 0xC0C0C0C0C0C0C0C0ULL) == (mask & kHighs);
    }
    for (int k = 1; k < count; ++k)
        if ((b.at(i + k) & 0xC0) != 0x80)
            return false;
    return true;
}

} // namespace

namespace {

// The exact byte-by-byte walks. The fast scans below check blocks of bytes
// without branching on each character and hand a block to these walks only
// when they can't vouch for it, so the answers (and asciiOnly) are the same.

// Each walks from i (the start of a character) until it reaches limit or the
// end, leaving i at the start of the next character; returns false at the
// first refused byte.
bool utf8Walk(const Bytes& b, size_t& i, size_t limit, bool& asciiOnly) {
    const uint8_t* p = b.data();
    const size_t n = b.size();
    while (i < n && i < limit) {
        const uint8_t c = p[i];
        if (c < 0x80 && i + 8 <= n && allPrintable(load8(p + i), true)) {
            i += 8;
            continue;
        }
        const int length = kUtf8.length[c];
        if (length == 1) {
            ++i;
            continue;
        }
        if (length == 0 || !continuationsFollow(b, i, length))
            return false;
        asciiOnly = false;
        i += static_cast<size_t>(length);
    }
    return true;
}

bool shiftJisWalk(const Bytes& b, size_t& i, size_t limit) {
    const uint8_t* p = b.data();
    const size_t n = b.size();
    while (i < n && i < limit) {
        const uint8_t c = p[i];
        if (c < 0x80 && i + 8 <= n && allPrintable(load8(p + i), false)) {
            i += 8;
            continue;
        }
        switch (kShiftJis.kind[c]) {
        case 1:
            ++i;
            break;
        case 2:
            // A lead byte at the very end passes.
            if (i + 1 < n && !kShiftJis.trail[p[i + 1]])
                return false;
            i += 2;
            break;
        default:
            return false;
        }
    }
    return true;
}

bool eucInGR(uint8_t x) {
    return x >= 0xA1 && x <= 0xFE;
}

bool eucWalk(const Bytes& b, size_t& i, size_t limit) {
    const uint8_t* p = b.data();
    const size_t n = b.size();
    while (i < n && i < limit) {
        const uint8_t c = p[i];
        if (c < 0x80 && i + 8 <= n && allPrintable(load8(p + i), false)) {
            i += 8;
            continue;
        }
        // A character cut off by the end of the data passes, as a lead byte
        // at the end does for Shift-JIS: only the bytes present are checked.
        if (eucInGR(c)) {
            if (i + 1 < n && !eucInGR(p[i + 1]))
                return false;
            i += 2;
        } else if (c == 0x8E) {
            if (i + 1 < n && (p[i + 1] < 0xA1 || p[i + 1] > 0xDF))
                return false;
            i += 2;
        } else if (c == 0x8F) {
            if ((i + 1 < n && !eucInGR(p[i + 1])) || (i + 2 < n && !eucInGR(p[i + 2])))
                return false;
            i += 3;
        } else if ((c >= 0x20 && c <= 0x7E) || isTabLfCr(c)) {
            ++i;
        } else {
            return false;
        }
    }
    return true;
}

// Tables of the block scans: per byte, its step and what it asks of the bytes
// after it.
struct ScanTables {
    // UTF-8: step (1 for a refused byte, which sets the refused mask), the
    // continuation mask and its expected value over the 8 bytes from the lead.
    uint8_t utf8Step[256];
    uint8_t utf8Refused[256];
    uint64_t utf8Mask[256];
    // Shift-JIS: bit 0 refused, bit 1 lead; notTrail is 1 for a byte no lead
    // takes as its trail.
    uint8_t sjisFlags[256];
    uint8_t sjisNotTrail[256];
    // EUC: step, refused, and the classes the next two bytes must have (bit 0
    // GR 0xA1-0xFE, bit 1 kana 0xA1-0xDF).
    uint8_t eucStep[256];
    uint8_t eucRefused[256];
    uint8_t eucNeed1[256];
    uint8_t eucNeed2[256];
    uint8_t eucClassMissing[256][4]; // [byte][need]: 1 when the byte lacks a needed class
    ScanTables() {
        for (int c = 0; c < 256; ++c) {
            const auto b = static_cast<uint8_t>(c);
            const int len = kUtf8.length[c];
            utf8Step[c] = static_cast<uint8_t>(len == 0 ? 1 : len);
            utf8Refused[c] = len == 0;
            const int count = len == 0 ? 1 : len;
            utf8Mask[c] = ((1ULL << (8 * count)) - 1) & ~0xFFULL;
            sjisFlags[c] = static_cast<uint8_t>((kShiftJis.kind[c] == 0 ? 1 : 0) |
                                                (kShiftJis.kind[c] == 2 ? 2 : 0));
            sjisNotTrail[c] = !kShiftJis.trail[c];
            eucNeed1[c] = eucNeed2[c] = 0;
            eucRefused[c] = 0;
            if (eucInGR(b)) {
                eucStep[c] = 2;
                eucNeed1[c] = 1;
            } else if (b == 0x8E) {
                eucStep[c] = 2;
                eucNeed1[c] = 2;
            } else if (b == 0x8F) {
                eucStep[c] = 3;
                eucNeed1[c] = eucNeed2[c] = 1;
            } else {
                eucStep[c] = 1;
                eucRefused[c] = !((b >= 0x20 && b <= 0x7E) || isTabLfCr(b));
            }
            const uint8_t has =
                static_cast<uint8_t>((eucInGR(b) ? 1 : 0) | (b >= 0xA1 && b <= 0xDF ? 2 : 0));
            for (int need = 0; need < 4; ++need)
                eucClassMissing[c][need] = (need & ~has) != 0;
        }
    }
};
const ScanTables kScan;

constexpr size_t kBlock = 512;

} // namespace

// Each detector alternates between the vectorised scan (DetectorScans.h),
// which skips as far as it can vouch for the bytes, and a block of the scalar
// scan, whose blocks holding a byte it refuses go to the exact walk.

bool IsUtf8Text(QByteArrayView view, bool& asciiOnly) {
    const Bytes b(view);
    const uint8_t* p = b.data();
    const size_t n = b.size();
    asciiOnly = true;
    size_t i = 0;
    // Whole blocks while eight bytes can be read at every position.
    for (;;) {
        bool sawSequence = false;
        i = detectorscan::utf8Prefix(p, n, i, sawSequence);
        if (sawSequence)
            asciiOnly = false;
        if (i + kBlock + 16 > n)
            break;
        const size_t start = i, end = i + kBlock;
        uint64_t bad = 0, multi = 0;
        while (i < end) {
            const uint8_t c = p[i];
            const uint64_t mask = kScan.utf8Mask[c];
            bad |= ((load8(p + i) & mask & 0xC0C0C0C0C0C0C0C0ULL) ^ (mask & kHighs)) |
                   kScan.utf8Refused[c];
            multi |= mask;
            if (__builtin_expect((c & 0xF0) == 0xE0, 1))
                i += 3;
            else
                i += kScan.utf8Step[c];
        }
        if (bad) { // asciiOnly still tells the bytes before this block
            i = start;
            if (!utf8Walk(b, i, end, asciiOnly))
                return false;
        } else if (multi) {
            asciiOnly = false;
        }
    }
    return utf8Walk(b, i, n, asciiOnly);
}

bool IsShiftJisText(QByteArrayView view) {
    const Bytes b(view);
    const uint8_t* p = b.data();
    const size_t n = b.size();
    size_t i = 0;
    // Whole blocks while the byte after any lead can be read.
    for (;;) {
        i = detectorscan::shiftJisPrefix(p, n, i);
        if (i + kBlock + 2 > n)
            break;
        const size_t start = i, end = i + kBlock;
        unsigned bad = 0;
        while (i < end) {
            const unsigned f = kScan.sjisFlags[p[i]];
            bad |= (f & 1) | ((f >> 1) & kScan.sjisNotTrail[p[i + 1]]);
            // A branch the predictor follows, rather than a data dependency
            // from one character to the next.
            if (__builtin_expect(f & 2, 1))
                i += 2;
            else
                ++i;
        }
        if (bad) {
            i = start;
            if (!shiftJisWalk(b, i, end))
                return false;
        }
    }
    return shiftJisWalk(b, i, n);
}

bool IsEucText(QByteArrayView view) {
    const Bytes b(view);
    const uint8_t* p = b.data();
    const size_t n = b.size();
    size_t i = 0;
    for (;;) {
        i = detectorscan::eucPrefix(p, n, i);
        if (i + kBlock + 3 > n)
            break;
        const size_t start = i, end = i + kBlock;
        unsigned bad = 0;
        while (i < end) {
            const uint8_t c = p[i];
            if (__builtin_expect(static_cast<uint8_t>(c - 0xA1) <= 0xFE - 0xA1, 1)) {
                // A two-byte character, the common case.
                bad |= static_cast<uint8_t>(p[i + 1] - 0xA1) > 0xFE - 0xA1;
                i += 2;
                continue;
            }
            bad |= kScan.eucRefused[c] | kScan.eucClassMissing[p[i + 1]][kScan.eucNeed1[c]] |
                   kScan.eucClassMissing[p[i + 2]][kScan.eucNeed2[c]];
            i += kScan.eucStep[c];
        }
        if (bad) {
            i = start;
            if (!eucWalk(b, i, end))
                return false;
        }
    }
    return eucWalk(b, i, n);
}

CharSetId DetectCharSetJapanese(QByteArrayView view) {
    const Bytes b(view);
    if (b.size() == 0)
        return charset::NOT_FOUND;
    // Byte-order marks of UTF-16 decide before anything else.
    if (b.startsWith({0xFF, 0xFE}))
        return charset::UNICODE_LE;
    if (b.startsWith({0xFE, 0xFF}))
        return charset::UNICODE_BE;
    bool asciiOnly = true;
    if (b.startsWith({0xEF, 0xBB, 0xBF})) {
        if (IsUtf8Text(view, asciiOnly))
            return charset::UTF8;
        return IsEucText(view) ? charset::EUC : charset::NOT_FOUND;
    }
    if (IsUtf8Text(view, asciiOnly))
        return asciiOnly ? charset::ANSI : charset::UTF8N;

    // The first NUL or JIS designation decides.
    const uint8_t* p = b.data();
    const size_t n = b.size();
    const void* nul = std::memchr(p, 0x00, n);
    const size_t nulAt = nul ? static_cast<const uint8_t*>(nul) - p : n;
    size_t from = 0;
    while (from < nulAt) {
        const void* esc = std::memchr(p + from, 0x1B, nulAt - from);
        if (!esc)
            break;
        const size_t at = static_cast<const uint8_t*>(esc) - p;
        const uint8_t next = b.at(at + 1);
        if (next == '$' || next == '(')
            return charset::JIS;
        from = at + 1;
    }
    if (nul)
        return charset::UNICODE_LE;

    if (IsShiftJisText(view))
        return charset::SHIFT_JIS;
    return IsEucText(view) ? charset::EUC : charset::NOT_FOUND;
}

CharSetId DetectCharSetGeneric(QByteArrayView view) {
    const Bytes b(view);
    if (b.size() == 0)
        return charset::NOT_FOUND;
    if (b.startsWith({0xFF, 0xFE}))
        return charset::UNICODE_LE;
    if (b.startsWith({0xFE, 0xFF}))
        return charset::UNICODE_BE;
    bool asciiOnly = true;
    if (!IsUtf8Text(view, asciiOnly))
        return charset::NOT_FOUND;
    if (asciiOnly || b.size() < 3)
        return charset::ANSI;
    return b.startsWith({0xEF, 0xBB, 0xBF}) ? charset::UTF8 : charset::UTF8N;
}

LineEndingId DetectLineEnding(QByteArrayView view) {
    const Bytes b(view);
    const uint8_t* p = b.data();
    const size_t n = b.size();
    uint64_t crs = 0, lfs = 0, pairs = 0;
    const size_t counted = detectorscan::countLineBreaks(p, n, crs, lfs, pairs);
    lfs += static_cast<uint64_t>(std::count(p + counted, p + n, uint8_t(0x0A)));
    for (size_t i = counted; i < n;) {
        const void* cr = std::memchr(p + i, 0x0D, n - i);
        if (!cr)
            break;
        const size_t at = static_cast<const uint8_t*>(cr) - p;
        ++crs;
        // A CR pairs with a following LF byte, or with the LF unit of UTF-16
        // little endian (00 0A 00).
        if (b.at(at + 1) == 0x0A ||
            (b.at(at + 1) == 0x00 && b.at(at + 2) == 0x0A && b.at(at + 3) == 0x00))
            ++pairs;
        i = at + 1;
    }
    return decideLineEnding(crs, lfs, pairs);
}

LineEndingId DetectLineEndingUtf16(QByteArrayView view, bool bigEndian) {
    const Bytes b(view);
    const size_t units = (b.size() + 1) / 2;
    auto unitAt = [&](size_t k) -> char16_t {
        const uint8_t lo = b.at(2 * k + (bigEndian ? 1 : 0));
        const uint8_t hi = b.at(2 * k + (bigEndian ? 0 : 1));
        return static_cast<char16_t>(hi << 8 | lo);
    };
    size_t k = 0;
    if (units > 0 && (unitAt(0) == 0xFEFF || unitAt(0) == 0xFFFE))
        k = 1;
    uint64_t crs = 0, lfs = 0, pairs = 0;
    bool afterCr = false;
    for (; k < units; ++k) {
        const char16_t u = unitAt(k);
        if (u == 0x000D) {
            ++crs;
            afterCr = true;
            continue;
        }
        if (u == 0x000A) {
            ++lfs;
            if (afterCr)
                ++pairs;
        }
        afterCr = false;
    }
    return decideLineEnding(crs, lfs, pairs);
}

LineEndingId DetectLineEndingFor(QByteArrayView bytes, CharSetId charSet) {
    if (charSet == charset::UNICODE_LE || charSet == charset::UNICODE_BE)
        return lineending::usable(DetectLineEndingUtf16(bytes, charSet == charset::UNICODE_BE));
    return lineending::usable(DetectLineEnding(bytes));
}

CharSetId DetectCharSet(QByteArrayView bytes, LANGID systemDefaultLanguage,
                        const LibraryDetector& libraryDetector) {
    if (libraryDetector) {
        if (const std::optional<CharSetId> answer = libraryDetector(bytes))
            return charset::usable(*answer);
        return charset::usable(DetectCharSetGeneric(bytes));
    }
    if (systemDefaultLanguage == 0x0411)
        return charset::usable(DetectCharSetJapanese(bytes));
    return charset::usable(DetectCharSetGeneric(bytes));
}
