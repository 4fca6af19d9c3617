#pragma once

// Plain byte-at-a-time walks of the detectors and converters, the reference
// the differential tests hold the fast versions to. They share no code with
// the library: no word loads, no tables, no bit tricks, so a fault in a fast
// path cannot hide in its own reference.
#include "CharSet.h"
#include "JapaneseConverters.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace ref {

struct Walk {
    const uint8_t* p;
    size_t n;
    explicit Walk(QByteArrayView v)
        : p(reinterpret_cast<const uint8_t*>(v.data())), n(static_cast<size_t>(v.size())) {}
    // The byte at i, or -1 past the end.
    int at(size_t i) const { return i < n ? p[i] : -1; }
};

inline bool in(int b, int lo, int hi) {
    return b >= lo && b <= hi;
}
inline bool isTabLfCr(int b) {
    return b == 0x09 || b == 0x0A || b == 0x0D;
}
// Printable ASCII (without DEL) or TAB, LF, CR.
inline bool isTextByte(int b) {
    return in(b, 0x20, 0x7E) || isTabLfCr(b);
}

inline bool IsUtf8Text(QByteArrayView view, bool& asciiOnly) {
    const Walk w(view);
    asciiOnly = true;
    for (size_t i = 0; i < w.n;) {
        const int c = w.p[i];
        if (c < 0x80) {
            if (!isTextByte(c) && c != 0x7F)
                return false;
            ++i;
            continue;
        }
        int length = 0;
        while (length < 8 && (c & (0x80 >> length)))
            ++length;
        if (length < 2 || length > 6)
            return false;
        for (int k = 1; k < length; ++k)
            if (!in(w.at(i + size_t(k)), 0x80, 0xBF)) // also when the data ends
                return false;
        asciiOnly = false;
        i += size_t(length);
    }
    return true;
}

inline bool IsShiftJisText(QByteArrayView view) {
    const Walk w(view);
    for (size_t i = 0; i < w.n;) {
        const int c = w.p[i];
        if (isTextByte(c) || in(c, 0xA1, 0xDF)) {
            ++i;
        } else if (in(c, 0x81, 0x9F) || in(c, 0xE0, 0xEF)) {
            const int t = w.at(i + 1);
            if (t >= 0 && !in(t, 0x40, 0x7E) && !in(t, 0x80, 0xFC))
                return false;
            i += 2;
        } else {
            return false;
        }
    }
    return true;
}

// A character cut off by the end passes: only bytes present are checked.
inline bool IsEucText(QByteArrayView view) {
    const Walk w(view);
    auto grOrEnd = [&](size_t i) { return w.at(i) < 0 || in(w.at(i), 0xA1, 0xFE); };
    for (size_t i = 0; i < w.n;) {
        const int c = w.p[i];
        if (isTextByte(c)) {
            ++i;
        } else if (in(c, 0xA1, 0xFE)) {
            if (!grOrEnd(i + 1))
                return false;
            i += 2;
        } else if (c == 0x8E) {
            if (w.at(i + 1) >= 0 && !in(w.at(i + 1), 0xA1, 0xDF))
                return false;
            i += 2;
        } else if (c == 0x8F) {
            if (!grOrEnd(i + 1) || !grOrEnd(i + 2))
                return false;
            i += 3;
        } else {
            return false;
        }
    }
    return true;
}

// The Shift-JIS pair of a JIS X 0208 row and cell (both from 0 when valid).
inline void shiftJisOf(int row, int cell, QByteArray& out) {
    int lead = 0x81 + row / 2;
    if (lead > 0x9F)
        lead += 0x40;
    int trail = row % 2 == 0 ? cell + 0x40 : cell + 0x9F;
    if (row % 2 == 0 && trail >= 0x7F)
        ++trail;
    out.append(char(lead));
    out.append(char(trail));
}

// The Shift-JIS form of EUC, one character at a time; what has no form
// becomes the geta mark 81 A1.
inline QByteArray EucToShiftJis(QByteArrayView euc) {
    const Walk w(euc);
    QByteArray out;
    const QByteArray geta("\x81\xA1", 2);
    for (size_t i = 0; i < w.n;) {
        const int c = w.p[i];
        if (c == 0x8E) {
            out += w.at(i + 1) >= 0 ? QByteArray(1, char(w.p[i + 1])) : geta;
            i += 2;
        } else if (c == 0x8F) {
            out += geta;
            i += 3;
        } else if (in(c, 0xA1, 0xFE)) {
            if (w.at(i + 1) < 0) {
                out += geta;
                break;
            }
            // A trail outside A1-FE wraps as a byte, as the converter's does.
            shiftJisOf(c - 0xA1, ((w.p[i + 1] - 0x80) & 0xFF) - 0x21, out);
            i += 2;
        } else {
            out.append(char(c));
            ++i;
        }
    }
    return out;
}

inline void appendUtf8(QByteArray& out, char32_t cp) {
    auto put = [&](char32_t b) { out.append(char(b & 0xFF)); };
    if (cp < 0x80) {
        put(cp);
    } else if (cp < 0x800) {
        put(0xC0 + cp / 64);
        put(0x80 + cp % 64);
    } else if (cp < 0x10000) {
        put(0xE0 + cp / 4096);
        put(0x80 + cp / 64 % 64);
        put(0x80 + cp % 64);
    } else {
        put(0xF0 + cp / 262144);
        put(0x80 + cp / 4096 % 64);
        put(0x80 + cp / 64 % 64);
        put(0x80 + cp % 64);
    }
}

// Lone surrogates are written as three bytes of their own.
inline QByteArray Utf16ToUtf8(QStringView text) {
    QByteArray out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        const bool high = u >= 0xD800 && u <= 0xDBFF;
        const char16_t next = i + 1 < text.size() ? text[i + 1].unicode() : 0;
        if (high && next >= 0xDC00 && next <= 0xDFFF) {
            appendUtf8(out, 0x10000 + (char32_t(u - 0xD800) << 10) + (next - 0xDC00));
            ++i;
        } else {
            appendUtf8(out, u);
        }
    }
    return out;
}

// Bytes that lead nothing are skipped; a sequence cut off by the end, a form
// of five or six bytes and a code point outside the planes become U+25A0.
inline QString Utf8ToUtf16(QByteArrayView utf8) {
    const Walk w(utf8);
    QString out;
    for (size_t i = 0; i < w.n;) {
        const int c = w.p[i];
        int length = 0;
        while (length < 8 && (c & (0x80 >> length)))
            ++length;
        if (length == 0) {
            out += QChar(char16_t(c));
            ++i;
            continue;
        }
        if (length < 2 || length > 6) {
            ++i;
            continue;
        }
        if (i + size_t(length) > w.n) {
            out += QChar(0x25A0);
            break;
        }
        char32_t cp = char32_t(c) & (0x7F >> length);
        for (int k = 1; k < length; ++k)
            cp = cp * 64 + (w.p[i + size_t(k)] & 0x3F);
        i += size_t(length);
        if (length == 4 && cp >= 0x10000 && cp <= 0x10FFFF) {
            out += QChar(char16_t(0xD800 + ((cp - 0x10000) >> 10)));
            out += QChar(char16_t(0xDC00 + ((cp - 0x10000) & 0x3FF)));
        } else if (length <= 3) {
            out += QChar(char16_t(cp));
        } else {
            out += QChar(0x25A0);
        }
    }
    return out;
}

// Counts CR, LF and pairs (CR LF, or CR 00 LF 00 of UTF-16) one byte at a time.
inline LineEndingId DetectLineEnding(QByteArrayView view) {
    const Walk w(view);
    uint64_t crs = 0, lfs = 0, pairs = 0;
    for (size_t i = 0; i < w.n; ++i) {
        if (w.p[i] == 0x0A)
            ++lfs;
        if (w.p[i] != 0x0D)
            continue;
        ++crs;
        if (w.at(i + 1) == 0x0A ||
            (w.at(i + 1) == 0x00 && w.at(i + 2) == 0x0A && w.at(i + 3) == 0x00))
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
    static const struct {
        QByteArray seq;
        JisState mode;
    } kDesignations[] = {
        {"\x1b$@", JisState::Double},  {"\x1b$B", JisState::Double},
        {"\x1b$(D", JisState::Double}, {"\x1b$(O", JisState::Double},
        {"\x1b$(P", JisState::Double}, {"\x1b&@\x1b$B", JisState::Double},
        {"\x1b(I", JisState::Kana},    {"\x1b(B", JisState::Single},
        {"\x1b(J", JisState::Single},  {"\x1b(H", JisState::Single},
    };
    const QByteArrayView rest(reinterpret_cast<const char*>(p) + i, qsizetype(n - i));
    for (const auto& des : kDesignations) {
        if (rest.startsWith(des.seq)) {
            mode = des.mode;
            return size_t(des.seq.size());
        }
    }
    mode = JisState::Single;
    return 1;
}

} // namespace ref
