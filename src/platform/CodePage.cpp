#include "CodePage.h"

#include "CodePageTables.h"

#include <QLoggingCategory>

#include <cstring>
#include <map>
#include <mutex>

// The conversion runs by table (CodePageTables). The tables are filled once
// per code page by asking iconv about every single byte, every lead/trail
// pair and every BMP character, so the result equals iconv's for everything
// iconv accepts, while a conversion itself costs one or two lookups per unit.
//
// What glibc's CP932 does, and therefore we do: 0x8160 reads as U+FF5E (the
// Windows mapping, not U+301C); U+301C and U+FF5E both write as 0x8160; the NEC
// row 13 characters (①, Ⅰ, ㈱), the NEC-selected IBM extensions (0xED/0xEE) and
// the IBM extensions (0xFA-0xFC, 髙 = 0xFBFC) read and write; a character with
// two codes writes as the one the device chooses (Ⅰ as 0x8754, ⅰ as 0xFA40,
// ¬ as 0x81CA); the user-defined area 0xF040-0xF9FC reads as U+E000-U+E757.
// glibc rejects the single bytes 0x80, 0xA0 and 0xFD-0xFF, which therefore read
// as bad units.

namespace {

Q_LOGGING_CATEGORY(lcCodePage, "tavlo.codepage", QtWarningMsg)

using codepage::CodePageTables;
using codepage::kBad;
using codepage::kLead;
using codepage::kMultiUnit;
using codepage::kSingle;

QByteArray iconvNameOf(unsigned codePage) {
    return "CP" + QByteArray::number(codePage);
}

} // namespace

struct CodePage::Impl : codepage::CodePageTables {
    using CodePageTables::CodePageTables;
};

CodePage::CodePage(unsigned codePage)
    : codePage_(codePage), impl_(std::make_unique<Impl>(iconvNameOf(codePage))) {
    impl_->badUnit = codePage == 932 ? char16_t(0x30FB) : char16_t(0xFFFD);
    if (!impl_->valid()) {
        qCWarning(lcCodePage, "iconv has no code page %u; using 1252 instead", codePage);
        impl_ = std::make_unique<Impl>("CP1252");
    }
    impl_->buildSingles();
}

CodePage::~CodePage() = default;

unsigned CodePage::ansiCodePageFor(LANGID lang) {
    const unsigned primary = lang & 0x3FF;
    switch (primary) {
    case 0x11:
        return 932;
    case 0x12:
        return 949;
    case 0x04: // Chinese: Taiwan, Hong Kong and Macao use the traditional set.
        return (lang == 0x0404 || lang == 0x0C04 || lang == 0x1404) ? 950 : 936;
    case 0x1E:
        return 874;
    case 0x05:
    case 0x0E:
    case 0x15:
    case 0x18:
    case 0x1B:
    case 0x1C:
    case 0x24:
        return 1250;
    case 0x1A: // Serbian in Cyrillic script; Croatian and Serbian Latin are Central European.
        return (lang == 0x0C1A || lang == 0x1C1A) ? 1251 : 1250;
    case 0x02:
    case 0x19:
    case 0x22:
    case 0x23:
    case 0x2F:
    case 0x40:
    case 0x44:
    case 0x50:
        return 1251;
    case 0x08:
        return 1253;
    case 0x1F:
    case 0x2C:
    case 0x43:
        return 1254;
    case 0x0D:
        return 1255;
    case 0x01:
    case 0x20:
    case 0x29:
        return 1256;
    case 0x25:
    case 0x26:
    case 0x27:
        return 1257;
    case 0x2A:
        return 1258;
    default:
        return 1252;
    }
}

const CodePage& CodePage::get(unsigned codePage) {
    static std::mutex mutex;
    static std::map<unsigned, std::unique_ptr<CodePage>> pages;
    std::lock_guard lock(mutex);
    auto& slot = pages[codePage];
    if (!slot)
        slot = std::make_unique<CodePage>(codePage);
    return *slot;
}

const CodePage& CodePage::ansi(const Locale& locale) {
    return get(ansiCodePageFor(locale.systemDefaultLangId()));
}

int CodePage::MultiByteToWideChar(const char* src, int srcLen, char16_t* dst, int dstLen) const {
    if (!src || dstLen < 0 || (dstLen > 0 && !dst))
        return 0;
    const size_t n = srcLen < 0 ? std::strlen(src) + 1 : static_cast<size_t>(srcLen);
    if (n == 0)
        return 0;
    const auto* bytes = reinterpret_cast<const uint8_t*>(src);
    size_t count = 0;
    bool overflow = false;
    auto put = [&](char16_t u) {
        if (dstLen > 0) {
            if (count >= static_cast<size_t>(dstLen)) {
                overflow = true;
                return;
            }
            dst[count] = u;
        }
        ++count;
    };
    const CodePageTables& m = impl_->reading();
    for (size_t i = 0; i < n && !overflow;) {
        // A pair the code page can't read is one bad unit.
        i += m.decodeAt(bytes, n, i, put, [&](size_t at) {
            if (at == i)
                put(m.badUnit);
        });
    }
    if (overflow || count > static_cast<size_t>(INT32_MAX))
        return 0;
    return static_cast<int>(count);
}

int CodePage::WideCharToMultiByte(const char16_t* src, int srcLen, char* dst, int dstLen) const {
    if (!src || dstLen < 0 || (dstLen > 0 && !dst))
        return 0;
    size_t n = 0;
    if (srcLen < 0) {
        while (src[n])
            ++n;
        ++n;
    } else {
        n = static_cast<size_t>(srcLen);
    }
    if (n == 0)
        return 0;
    size_t count = 0;
    const size_t cap = static_cast<size_t>(dstLen);
    const CodePageTables& m = impl_->writing();
    for (size_t i = 0; i < n; ++i) {
        const char16_t u = src[i];
        uint16_t code = m.encode[u];
        // A surrogate pair is one character the code page can't hold, unless
        // it stands in for a byte.
        if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(src[i + 1])) {
            ++i;
            if (rawbytes::isStandIn(u, src[i]))
                code = rawbytes::byteOf(src[i]);
        }
        const size_t len = code > 0xFF ? 2 : 1;
        if (dstLen > 0) {
            if (count + len > cap)
                return 0;
            if (len == 2)
                dst[count] = static_cast<char>(code >> 8);
            dst[count + len - 1] = static_cast<char>(code & 0xFF);
        }
        count += len;
    }
    return count > static_cast<size_t>(INT32_MAX) ? 0 : static_cast<int>(count);
}

CodePage::Utf8Forms CodePage::utf8Forms() const {
    return Utf8Forms(impl_->utf8FormsTable().data());
}

CodePage::Codes CodePage::codes() const {
    return Codes(impl_->writing().encode.data());
}

bool CodePage::readsAlone(uint8_t byte, char16_t u) const {
    const CodePageTables& m = impl_->reading();
    return m.kind[byte] == kSingle && m.single[byte] == u && !m.trailSeen[byte];
}

namespace {

// toUnicode's walk; Keep says whether a byte it can't read becomes the
// byte's stand-in (counted in report) or the code page's bad unit.
template <bool Keep>
QString decodeBytes(const CodePageTables& m, QByteArrayView bytes, rawbytes::Report* report) {
    const auto* src = reinterpret_cast<const uint8_t*>(bytes.data());
    const size_t n = static_cast<size_t>(bytes.size());
    // A code page never gives more units than bytes, except for the rare
    // codes that read as two units and the stand-ins of bytes it can't read;
    // those take the slow path, which grows.
    QString out(bytes.size(), Qt::Uninitialized);
    char16_t* d = reinterpret_cast<char16_t*>(out.data());
    size_t k = 0;
    auto put = [&](char16_t u) {
        if (k >= static_cast<size_t>(out.size())) {
            out.resize(out.size() * 2 + 2);
            d = reinterpret_cast<char16_t*>(out.data());
        }
        d[k++] = u;
    };
    for (size_t i = 0; i < n;) {
        const uint8_t b = src[i];
        // Every fast path gives at most one unit per byte, and the buffer
        // always has room for one unit per byte still to read.
        if (b < 0x80 && m.asciiReadsAsIs && i + 8 <= n) {
            uint64_t x;
            std::memcpy(&x, src + i, 8);
            if ((x & 0x8080808080808080ULL) == 0) {
                for (int j = 0; j < 8; ++j)
                    d[k + j] = src[i + j];
                k += 8;
                i += 8;
                continue;
            }
        }
        if (i + 1 < n) {
            const uint32_t q = m.quick[static_cast<size_t>(b) << 8 | src[i + 1]];
            if (__builtin_expect(q >> 16 == 2, 1)) {
                d[k++] = static_cast<char16_t>(q);
                i += 2;
                continue;
            }
            if (q != 0) {
                d[k++] = static_cast<char16_t>(q);
                ++i;
                continue;
            }
        }
        const uint8_t kind = m.kind[b];
        if (kind == kSingle) {
            d[k++] = m.single[b];
            ++i;
            continue;
        }
        if (kind == kLead && i + 1 < n) {
            const char16_t u = m.pairs[static_cast<size_t>(m.leadIndex[b]) * 256 + src[i + 1]];
            if (u != 0 && u != kMultiUnit) {
                d[k++] = u;
                i += 2;
                continue;
            }
        }
        auto bad = [&](size_t at) {
            if constexpr (Keep) {
                put(rawbytes::kHigh);
                put(rawbytes::lowOf(src[at]));
                report->add(static_cast<qsizetype>(at));
            } else if (at == i) {
                put(m.badUnit); // a pair the code page can't read is one bad unit
            }
        };
        i += m.decodeAt(src, n, i, put, bad);
        // A code read as more units than it has bytes moves k ahead of i:
        // keep room for one unit per remaining byte.
        if (k + (n - i) > static_cast<size_t>(out.size())) {
            out.resize(static_cast<qsizetype>(k + (n - i)));
            d = reinterpret_cast<char16_t*>(out.data());
        }
    }
    out.truncate(static_cast<qsizetype>(k));
    return out;
}

} // namespace

QString CodePage::toUnicode(QByteArrayView bytes) const {
    return decodeBytes<false>(impl_->reading(), bytes, nullptr);
}

QString CodePage::toUnicodeKeepingBytes(QByteArrayView bytes, rawbytes::Report& report) const {
    return decodeBytes<true>(impl_->reading(), bytes, &report);
}

QByteArray CodePage::fromUnicode(QStringView text) const {
    QByteArray out;
    const auto* src = reinterpret_cast<const char16_t*>(text.utf16());
    const qsizetype n = text.size();
    if (n == 0)
        return out;
    const CodePageTables& m = impl_->writing();
    out.resize(n * 2);
    char* dst = out.data();
    qsizetype count = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = src[i];
        uint16_t code = m.encode[u];
        if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(src[i + 1])) {
            ++i;
            if (rawbytes::isStandIn(u, src[i]))
                code = rawbytes::byteOf(src[i]);
        }
        if (code > 0xFF)
            dst[count++] = static_cast<char>(code >> 8);
        dst[count++] = static_cast<char>(code & 0xFF);
    }
    out.truncate(count);
    return out;
}
