#include "UnicodeConverters.h"

#include "ByteSink.h"
#include "CodePage.h"
#include "RawBytes.h"

#include <bit>
#include <cstring>
#include <new>

namespace {

constexpr char16_t kBlackSquare = 0x25A0; // ■

static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "Utf16ToUtf8 stores three-byte forms as a word");

template <typename Out, typename Body> RESULT guarded(Out& out, Body&& body) {
    try {
        out = body();
        return rc::SUCCESS;
    } catch (const std::bad_alloc&) {
        out = Out();
        return rc::OUT_OF_MEMORY;
    }
}

bool noHighBits(const uint8_t* p) {
    uint64_t x;
    std::memcpy(&x, p, 8);
    return (x & 0x8080808080808080ULL) == 0;
}

} // namespace

RESULT Utf8ToUtf16(QByteArrayView utf8, QString& text) {
    return guarded(text, [&] {
        const auto* p = reinterpret_cast<const uint8_t*>(utf8.data());
        const size_t n = static_cast<size_t>(utf8.size());
        // Never more units than bytes; the unused tail is cut off at the end.
        QString out(utf8.size(), Qt::Uninitialized);
        char16_t* d = reinterpret_cast<char16_t*>(out.data());
        size_t k = 0;
        for (size_t i = 0; i < n;) {
            const uint8_t c = p[i];
            // Three-byte forms first: most of a Japanese text.
            if ((c & 0xF0) == 0xE0 && i + 3 <= n) {
                d[k++] = static_cast<char16_t>((c & 0x0F) << 12 | (p[i + 1] & 0x3F) << 6 |
                                               (p[i + 2] & 0x3F));
                i += 3;
                continue;
            }
            if (c < 0x80) {
                if (i + 8 <= n && noHighBits(p + i)) {
                    for (int j = 0; j < 8; ++j)
                        d[k++] = p[i + j];
                    i += 8;
                } else {
                    d[k++] = c;
                    ++i;
                }
                continue;
            }
            const int ones = std::countl_one(c);
            if (ones < 2 || ones > 6) {
                ++i; // out of place; dropped
                continue;
            }
            if (i + ones > n) {
                d[k++] = kBlackSquare;
                break;
            }
            const uint8_t* s = p + i;
            i += ones;
            switch (ones) {
            case 2:
                d[k++] = static_cast<char16_t>((c & 0x1F) << 6 | (s[1] & 0x3F));
                break;
            case 3:
                d[k++] =
                    static_cast<char16_t>((c & 0x0F) << 12 | (s[1] & 0x3F) << 6 | (s[2] & 0x3F));
                break;
            case 4: {
                const char32_t cp = char32_t(c & 0x07) << 18 | char32_t(s[1] & 0x3F) << 12 |
                                    char32_t(s[2] & 0x3F) << 6 | char32_t(s[3] & 0x3F);
                if (cp < 0x10000 || cp > 0x10FFFF) {
                    d[k++] = kBlackSquare;
                } else {
                    d[k++] = QChar::highSurrogate(cp);
                    d[k++] = QChar::lowSurrogate(cp);
                }
                break;
            }
            default:
                d[k++] = kBlackSquare;
                break;
            }
        }
        out.truncate(static_cast<qsizetype>(k));
        return out;
    });
}

RESULT Utf16ToUtf8(QStringView text, QByteArray& utf8) {
    return guarded(utf8, [&] {
        const auto* s = reinterpret_cast<const char16_t*>(text.utf16());
        const qsizetype n = text.size();
        // At most three bytes per unit (a pair takes four for two units).
        // One byte more, so that a three-byte form can be stored as one word.
        QByteArray out(n * 3 + 1, Qt::Uninitialized);
        auto* d = reinterpret_cast<uint8_t*>(out.data());
        qsizetype k = 0;
        for (qsizetype i = 0; i < n; ++i) {
            const char16_t u = s[i];
            if (u >= 0x800 && !QChar::isSurrogate(u)) {
                const uint32_t w =
                    (0xE0u | u >> 12) | (0x80u | (u >> 6 & 0x3F)) << 8 | (0x80u | (u & 0x3F)) << 16;
                std::memcpy(d + k, &w, 4); // little endian: the fourth byte is overwritten
                k += 3;
            } else if (u < 0x80) {
                d[k++] = static_cast<uint8_t>(u);
            } else if (u < 0x800) {
                d[k++] = static_cast<uint8_t>(0xC0 | u >> 6);
                d[k++] = static_cast<uint8_t>(0x80 | (u & 0x3F));
            } else if (rawbytes::isStandIn(u, i + 1 < n ? s[i + 1] : 0)) {
                d[k++] = rawbytes::byteOf(s[++i]);
            } else if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(s[i + 1])) {
                const char32_t cp = QChar::surrogateToUcs4(u, s[++i]);
                d[k++] = static_cast<uint8_t>(0xF0 | cp >> 18);
                d[k++] = static_cast<uint8_t>(0x80 | (cp >> 12 & 0x3F));
                d[k++] = static_cast<uint8_t>(0x80 | (cp >> 6 & 0x3F));
                d[k++] = static_cast<uint8_t>(0x80 | (cp & 0x3F));
            } else {
                d[k++] = static_cast<uint8_t>(0xE0 | u >> 12);
                d[k++] = static_cast<uint8_t>(0x80 | (u >> 6 & 0x3F));
                d[k++] = static_cast<uint8_t>(0x80 | (u & 0x3F));
            }
        }
        out.truncate(k);
        return out;
    });
}

RESULT Utf16ToAnsi(QStringView text, const CodePage& codePage, QByteArray& ansi) {
    ansi = QByteArray();
    if (text.isEmpty())
        return rc::CONVERSION_EMPTY;
    return guarded(ansi, [&] { return codePage.fromUnicode(text); });
}

RESULT AnsiToUtf16(QByteArrayView ansi, const CodePage& codePage, QString& text) {
    return guarded(text, [&] { return codePage.toUnicode(ansi); });
}
