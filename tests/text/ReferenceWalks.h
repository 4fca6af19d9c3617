#pragma once

// Straightforward byte walks of the detectors and converters (the code the
// fast versions replaced), the reference the differential tests hold the
// fast versions to.
#include "CharSet.h"
#include "JapaneseConverters.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <bit>
#include <cstring>

namespace ref {

inline constexpr uint64_t kOnes = 0x0101010101010101ULL;
inline constexpr uint64_t kHighs = 0x8080808080808080ULL;

inline uint64_t load8(const uint8_t* p) {
    uint64_t x;
    std::memcpy(&x, p, 8);
    return x;
}

inline bool allPrintable(uint64_t x, bool allowDel) {
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

inline bool isTabLfCr(uint8_t b) {
    return b == 0x09 || b == 0x0A || b == 0x0D;
}

inline uint8_t at(const uint8_t* p, size_t n, size_t i) {
    return i < n ? p[i] : 0;
}

inline bool continuationsFollow(const uint8_t* p, size_t n, size_t i, int count) {
    if (i + 8 <= n) {
        const uint64_t mask = (count >= 8 ? ~0ULL : (1ULL << (8 * count)) - 1) & ~0xFFULL;
        return (load8(p + i) & mask & 0xC0C0C0C0C0C0C0C0ULL) == (mask & kHighs);
    }
    for (int k = 1; k < count; ++k)
        if ((at(p, n, i + k) & 0xC0) != 0x80)
            return false;
    return true;
}

inline int utf8Length(uint8_t c) {
    const int ones = std::countl_one(c);
    if (c < 0x20)
        return isTabLfCr(c) ? 1 : 0;
    if (c < 0x80)
        return 1;
    return (ones >= 2 && ones <= 6) ? ones : 0;
}

inline bool IsUtf8Text(QByteArrayView view, bool& asciiOnly) {
    const auto* p = reinterpret_cast<const uint8_t*>(view.data());
    const size_t n = static_cast<size_t>(view.size());
    asciiOnly = true;
    size_t i = 0;
    while (i < n) {
        const uint8_t c = p[i];
        if (c < 0x80 && i + 8 <= n && allPrintable(load8(p + i), true)) {
            i += 8;
            continue;
        }
        const int length = utf8Length(c);
        if (length == 1) {
            ++i;
            continue;
        }
        if (length == 0 || !continuationsFollow(p, n, i, length))
            return false;
        asciiOnly = false;
        i += static_cast<size_t>(length);
    }
    return true;
}

inline int sjisKind(uint8_t b) {
    if ((b >= 0xA1 && b <= 0xDF) || (b >= 0x20 && b <= 0x7E) || isTabLfCr(b))
        return 1;
    if ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xEF))
        return 2;
    return 0;
}
inline bool sjisTrail(uint8_t b) {
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

inline bool IsShiftJisText(QByteArrayView view) {
    const auto* p = reinterpret_cast<const uint8_t*>(view.data());
    const size_t n = static_cast<size_t>(view.size());
    size_t i = 0;
    while (i < n) {
        const uint8_t c = p[i];
        if (c < 0x80 && i + 8 <= n && allPrintable(load8(p + i), false)) {
            i += 8;
            continue;
        }
        switch (sjisKind(c)) {
        case 1:
            ++i;
            break;
        case 2:
            if (i + 1 < n && !sjisTrail(p[i + 1]))
                return false;
            i += 2;
            break;
        default:
            return false;
        }
    }
    return true;
}

inline bool IsEucText(QByteArrayView view) {
    const auto* p = reinterpret_cast<const uint8_t*>(view.data());
    const size_t n = static_cast<size_t>(view.size());
    auto inGR = [](uint8_t x) { return x >= 0xA1 && x <= 0xFE; };
    size_t i = 0;
    while (i < n) {
        const uint8_t c = p[i];
        if (c < 0x80 && i + 8 <= n && allPrintable(load8(p + i), false)) {
            i += 8;
            continue;
        }
        if (inGR(c)) {
            if (!inGR(at(p, n, i + 1)))
                return false;
            i += 2;
        } else if (c == 0x8E) {
            const uint8_t k = at(p, n, i + 1);
            if (k < 0xA1 || k > 0xDF)
                return false;
            i += 2;
        } else if (c == 0x8F) {
            if (!inGR(at(p, n, i + 1)) || !inGR(at(p, n, i + 2)))
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

// The Shift-JIS form of EUC, one character at a time.
inline QByteArray EucToShiftJis(QByteArrayView euc) {
    const auto* p = reinterpret_cast<const uint8_t*>(euc.data());
    const size_t n = static_cast<size_t>(euc.size());
    QByteArray out;
    auto put = [&](uint8_t c) { out.append(static_cast<char>(c)); };
    for (size_t i = 0; i < n;) {
        const uint8_t c = p[i];
        if (c == 0x8E) {
            if (i + 1 < n) {
                put(p[i + 1]);
            } else {
                put(0x81);
                put(0xA1);
            }
            i += 2;
        } else if (c == 0x8F) {
            put(0x81);
            put(0xA1);
            i += 3;
        } else if (c >= 0xA1 && c <= 0xFE) {
            if (i + 1 >= n) {
                put(0x81);
                put(0xA1);
                break;
            }
            uint8_t s1, s2;
            jisx0208::toShiftJis(c - 0x80, static_cast<uint8_t>(p[i + 1] - 0x80), s1, s2);
            put(s1);
            put(s2);
            i += 2;
        } else {
            put(c);
            ++i;
        }
    }
    return out;
}

inline QByteArray Utf16ToUtf8(QStringView text) {
    const auto* s = reinterpret_cast<const char16_t*>(text.utf16());
    const qsizetype n = text.size();
    QByteArray out;
    auto put = [&](unsigned c) { out.append(static_cast<char>(c)); };
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = s[i];
        if (u < 0x80) {
            put(u);
        } else if (u < 0x800) {
            put(0xC0 | u >> 6);
            put(0x80 | (u & 0x3F));
        } else if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(s[i + 1])) {
            const char32_t cp = QChar::surrogateToUcs4(u, s[++i]);
            put(0xF0 | cp >> 18);
            put(0x80 | (cp >> 12 & 0x3F));
            put(0x80 | (cp >> 6 & 0x3F));
            put(0x80 | (cp & 0x3F));
        } else {
            put(0xE0 | u >> 12);
            put(0x80 | (u >> 6 & 0x3F));
            put(0x80 | (u & 0x3F));
        }
    }
    return out;
}

inline QString Utf8ToUtf16(QByteArrayView utf8) {
    const auto* p = reinterpret_cast<const uint8_t*>(utf8.data());
    const size_t n = static_cast<size_t>(utf8.size());
    QString out;
    for (size_t i = 0; i < n;) {
        const uint8_t c = p[i];
        if (c < 0x80) {
            out += QChar(c);
            ++i;
            continue;
        }
        const int ones = std::countl_one(c);
        if (ones < 2 || ones > 6) {
            ++i;
            continue;
        }
        if (i + ones > n) {
            out += QChar(0x25A0);
            break;
        }
        const uint8_t* s = p + i;
        i += ones;
        if (ones == 2) {
            out += QChar((c & 0x1F) << 6 | (s[1] & 0x3F));
        } else if (ones == 3) {
            out += QChar((c & 0x0F) << 12 | (s[1] & 0x3F) << 6 | (s[2] & 0x3F));
        } else if (ones == 4) {
            const char32_t cp = char32_t(c & 0x07) << 18 | char32_t(s[1] & 0x3F) << 12 |
                                char32_t(s[2] & 0x3F) << 6 | char32_t(s[3] & 0x3F);
            if (cp < 0x10000 || cp > 0x10FFFF) {
                out += QChar(0x25A0);
            } else {
                out += QChar(QChar::highSurrogate(cp));
                out += QChar(QChar::lowSurrogate(cp));
            }
        } else {
            out += QChar(0x25A0);
        }
    }
    return out;
}

// Counts CR, LF and pairs one byte at a time.
inline LineEndingId DetectLineEnding(QByteArrayView view) {
    const auto* p = reinterpret_cast<const uint8_t*>(view.data());
    const size_t n = static_cast<size_t>(view.size());
    uint64_t crs = 0, lfs = 0, pairs = 0;
    for (size_t i = 0; i < n; ++i) {
        lfs += p[i] == 0x0A;
        if (p[i] != 0x0D)
            continue;
        ++crs;
        if (at(p, n, i + 1) == 0x0A ||
            (at(p, n, i + 1) == 0x00 && at(p, n, i + 2) == 0x0A && at(p, n, i + 3) == 0x00))
            ++pairs;
    }
    if (pairs > 0) {
        if (pairs * 100 / crs < 50)
            return lineending::CR;
        return pairs * 100 / lfs < 50 ? lineending::LF : lineending::CRLF;
    }
    if (crs > 0)
        return crs >= lfs ? lineending::CR : lineending::LF;
    return lfs > 0 ? lineending::LF : lineending::NONE_FOUND;
}

// The JIS designation at p[i] by searching the table of designations.
inline size_t jisDesignationAt(const uint8_t* p, size_t n, size_t i, JisState& mode) {
    struct Designation {
        const char* seq;
        size_t len;
        JisState mode;
    };
    static constexpr Designation kDesignations[] = {
        {"\x1b$@", 3, JisState::Double},  {"\x1b$B", 3, JisState::Double},
        {"\x1b$(D", 4, JisState::Double}, {"\x1b$(O", 4, JisState::Double},
        {"\x1b$(P", 4, JisState::Double}, {"\x1b&@\x1b$B", 6, JisState::Double},
        {"\x1b(I", 3, JisState::Kana},    {"\x1b(B", 3, JisState::Single},
        {"\x1b(J", 3, JisState::Single},  {"\x1b(H", 3, JisState::Single},
    };
    for (const Designation& des : kDesignations) {
        bool matches = true;
        for (size_t m = 0; m < des.len && matches; ++m)
            matches = at(p, n, i + m) == static_cast<uint8_t>(des.seq[m]);
        if (matches) {
            mode = des.mode;
            return des.len;
        }
    }
    mode = JisState::Single;
    return 1;
}

} // namespace ref
