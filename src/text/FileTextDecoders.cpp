#include "FileTextDecoders.h"

#include "CodePage.h"

#include <array>
#include <cstring>

namespace {

// The decoders' output: room is made for two units before each character,
// so a character (one unit, a surrogate pair or one stand-in) is stored
// without a check.
class UnitSink {
  public:
    explicit UnitSink(qsizetype expected) : text_(expected + 8, Qt::Uninitialized) {
        d_ = reinterpret_cast<char16_t*>(text_.data());
    }
    void makeRoom(qsizetype units) {
        if (k_ + units > text_.size()) {
            text_.resize(text_.size() * 2 + units);
            d_ = reinterpret_cast<char16_t*>(text_.data());
        }
    }
    void put(char16_t u) { d_[k_++] = u; }
    void putRaw(uint8_t byte, qsizetype at, rawbytes::Report& report) {
        d_[k_++] = rawbytes::kHigh;
        d_[k_++] = rawbytes::lowOf(byte);
        report.add(at);
    }
    char16_t* at() { return d_ + k_; }
    void advance(qsizetype units) { k_ += units; }
    QString take() {
        text_.truncate(k_);
        return std::move(text_);
    }

  private:
    QString text_;
    char16_t* d_;
    qsizetype k_ = 0;
};

// A byte code page 932 reads as no character of its own.
constexpr char16_t kNone = 0xFFFF;

bool isContinuation(uint8_t b) {
    return (b & 0xC0) == 0x80;
}

// How code page 932 reads the single bytes (kNone where it reads none) and
// the JIS X 0208 codes (0 where it reads none), built once.
class Cp932Units {
  public:
    static const Cp932Units& get() {
        static const Cp932Units units;
        return units;
    }
    char16_t single(uint8_t b) const { return singles_[b]; }
    char16_t jis(uint8_t row, uint8_t cell) const { return jis_[(row & 0x7F) << 7 | (cell & 0x7F)]; }

  private:
    Cp932Units() {
        const CodePage& cp = CodePage::get(932);
        auto read = [&](const char* bytes, qsizetype n, char16_t none) -> char16_t {
            rawbytes::Report report;
            const QString s = cp.toUnicodeKeepingBytes(QByteArrayView(bytes, n), report);
            return report.count == 0 && s.size() == 1 ? s[0].unicode() : none;
        };
        for (int b = 0; b < 256; ++b) {
            const char c = static_cast<char>(b);
            singles_[b] = read(&c, 1, kNone);
        }
        jis_.fill(0);
        for (unsigned row = 0x21; row <= 0x7E; ++row) {
            for (unsigned cell = 0x21; cell <= 0x7E; ++cell) {
                uint8_t s1, s2;
                jisx0208::toShiftJis(uint8_t(row), uint8_t(cell), s1, s2);
                // The NEC-selected IBM extensions (leads 0xED, 0xEE) are
                // written as the IBM codes 0xFA-0xFC, which EUC and JIS
                // can't hold: they would come back as "?".
                if (s1 == 0xED || s1 == 0xEE)
                    continue;
                const char pair[2] = {static_cast<char>(s1), static_cast<char>(s2)};
                jis_[row << 7 | cell] = read(pair, 2, 0);
            }
        }
    }
    std::array<char16_t, 256> singles_{};
    std::array<char16_t, 128 * 128> jis_{};
};

bool inEucGR(uint8_t b) {
    return b >= 0xA1 && b <= 0xFE;
}
bool inJisRange(uint8_t b) {
    return b >= 0x21 && b <= 0x7E;
}
bool isHalfWidthKana(uint8_t b) {
    return b >= 0xA1 && b <= 0xDF;
}

} // namespace

char16_t jisx0208::unitOf(uint8_t row, uint8_t cell) {
    if (!inJisRange(row) || !inJisRange(cell))
        return 0;
    return Cp932Units::get().jis(row, cell);
}

QString Utf8ToUtf16KeepingBytes(QByteArrayView utf8, rawbytes::Report& report) {
    const auto* p = reinterpret_cast<const uint8_t*>(utf8.data());
    const qsizetype n = utf8.size();
    UnitSink out(n);
    for (qsizetype i = 0; i < n;) {
        out.makeRoom(8);
        const uint8_t c = p[i];
        if (c < 0x80) {
            uint64_t x;
            if (i + 8 <= n && (std::memcpy(&x, p + i, 8), (x & 0x8080808080808080ULL) == 0)) {
                char16_t* d = out.at();
                for (int j = 0; j < 8; ++j)
                    d[j] = p[i + j];
                out.advance(8);
                i += 8;
            } else {
                out.put(c);
                ++i;
            }
            continue;
        }
        if ((c & 0xF0) == 0xE0 && i + 2 < n && isContinuation(p[i + 1]) &&
            isContinuation(p[i + 2])) {
            const char16_t u = static_cast<char16_t>((c & 0x0F) << 12 | (p[i + 1] & 0x3F) << 6 |
                                                     (p[i + 2] & 0x3F));
            const bool lowFollows = i + 5 < n && p[i + 3] == 0xED && (p[i + 4] & 0xF0) == 0xB0 &&
                                    isContinuation(p[i + 5]);
            if (u >= 0x800 && !(QChar::isHighSurrogate(u) && lowFollows)) {
                out.put(u);
                i += 3;
                continue;
            }
        } else if (c >= 0xC2 && c <= 0xDF && i + 1 < n && isContinuation(p[i + 1])) {
            out.put(static_cast<char16_t>((c & 0x1F) << 6 | (p[i + 1] & 0x3F)));
            i += 2;
            continue;
        } else if (c >= 0xF0 && c <= 0xF4 && i + 3 < n && isContinuation(p[i + 1]) &&
                   isContinuation(p[i + 2]) && isContinuation(p[i + 3])) {
            const char32_t cp = char32_t(c & 0x07) << 18 | char32_t(p[i + 1] & 0x3F) << 12 |
                                char32_t(p[i + 2] & 0x3F) << 6 | char32_t(p[i + 3] & 0x3F);
            if (cp >= 0x10000 && cp <= 0x10FFFF && !rawbytes::isStandIn(cp)) {
                out.put(QChar::highSurrogate(cp));
                out.put(QChar::lowSurrogate(cp));
                i += 4;
                continue;
            }
        }
        // Anything else is one byte that reads as no character; what follows
        // it is read anew (a continuation byte on its own is such a byte too).
        out.putRaw(c, i, report);
        ++i;
    }
    return out.take();
}

QString Utf16ToUtf16KeepingBytes(QByteArrayView bytes, bool bigEndian,
                                 rawbytes::Report& report) {
    const auto* s = reinterpret_cast<const uint8_t*>(bytes.data());
    const qsizetype n = bytes.size();
    const qsizetype whole = n / 2;
    UnitSink out(whole + 2);
    auto unitAt = [&](qsizetype k) {
        return bigEndian ? char16_t(s[2 * k] << 8 | s[2 * k + 1])
                         : char16_t(s[2 * k + 1] << 8 | s[2 * k]);
    };
    if (!bigEndian && Q_BYTE_ORDER == Q_LITTLE_ENDIAN) {
        // An empty view may have no data pointer, which memcpy must not be
        // given even for zero bytes.
        if (whole > 0)
            std::memcpy(out.at(), s, static_cast<size_t>(whole) * 2);
    } else {
        for (qsizetype k = 0; k < whole; ++k)
            out.at()[k] = unitAt(k);
    }
    const QStringView units(out.at(), whole);
    const qsizetype firstHigh = units.indexOf(QChar(rawbytes::kHigh));
    if (firstHigh < 0) {
        out.advance(whole);
    } else {
        // A stand-in's own code point reads as its four bytes.
        out.advance(firstHigh);
        UnitSink rest(whole - firstHigh);
        for (qsizetype k = firstHigh; k < whole;) {
            rest.makeRoom(8);
            const char16_t u = unitAt(k);
            if (u == rawbytes::kHigh && k + 1 < whole && rawbytes::isStandIn(u, unitAt(k + 1))) {
                for (qsizetype b = 2 * k; b < 2 * k + 4; ++b)
                    rest.putRaw(s[b], b, report);
                k += 2;
            } else {
                rest.put(u);
                ++k;
            }
        }
        const QString tail = rest.take();
        out.makeRoom(tail.size());
        if (!tail.isEmpty())
            std::memcpy(out.at(), tail.utf16(), static_cast<size_t>(tail.size()) * 2);
        out.advance(tail.size());
    }
    if (n % 2 == 1) {
        out.makeRoom(2);
        out.putRaw(s[n - 1], n - 1, report);
    }
    return out.take();
}

QString EucToUtf16KeepingBytes(QByteArrayView euc, qsizetype& from, qsizetype stopAt,
                               rawbytes::Report& report) {
    const Cp932Units& cp = Cp932Units::get();
    const auto* p = reinterpret_cast<const uint8_t*>(euc.data());
    const qsizetype n = euc.size();
    UnitSink out(n - from);
    qsizetype i = from;
    while (i < n) {
        out.makeRoom(8);
        const uint8_t c = p[i];
        if (inEucGR(c)) {
            if (i + 1 < n && inEucGR(p[i + 1])) {
                if (const char16_t u = cp.jis(c, p[i + 1])) {
                    out.put(u);
                } else {
                    out.putRaw(c, i, report);
                    out.putRaw(p[i + 1], i + 1, report);
                }
                i += 2;
            } else {
                out.putRaw(c, i++, report);
            }
            continue;
        }
        if (c == 0x8E && i + 1 < n && isHalfWidthKana(p[i + 1]) &&
            cp.single(p[i + 1]) != kNone) {
            out.put(cp.single(p[i + 1]));
            i += 2;
            continue;
        }
        if (c == 0x8F && i + 2 < n && inEucGR(p[i + 1]) && inEucGR(p[i + 2])) {
            // JIS X 0212 has no character in code page 932.
            for (int k = 0; k < 3; ++k, ++i)
                out.putRaw(p[i], i, report);
            continue;
        }
        // The other bytes are copied into Shift-JIS: below 0x80, and 0x80,
        // 0xA0 and 0xFF, read as themselves; the rest would become lead
        // bytes of Shift-JIS.
        const bool copied = c < 0x80 || c == 0x80 || c == 0xA0 || c == 0xFF;
        if (copied && cp.single(c) != kNone)
            out.put(cp.single(c));
        else
            out.putRaw(c, i, report);
        ++i;
        if (c == '\n' && i > stopAt)
            break;
    }
    from = i;
    return out.take();
}

QString JisToUtf16KeepingBytes(QByteArrayView jis, qsizetype& from, qsizetype stopAt,
                               JisState& mode, rawbytes::Report& report) {
    const Cp932Units& cp = Cp932Units::get();
    const auto* p = reinterpret_cast<const uint8_t*>(jis.data());
    const qsizetype n = jis.size();
    UnitSink out(n - from);
    qsizetype i = from;
    while (i < n) {
        out.makeRoom(8);
        const uint8_t c = p[i];
        if (c == 0x1B) {
            JisState next;
            const size_t length = JisDesignationAt(p, static_cast<size_t>(n), size_t(i), next);
            // An ESC that starts no designation is a byte of its own; it
            // still ends a two-byte or katakana run.
            if (length == 1)
                out.putRaw(c, i, report);
            mode = next;
            i += static_cast<qsizetype>(length);
            continue;
        }
        if (mode == JisState::Double && inJisRange(c)) {
            if (i + 1 < n && inJisRange(p[i + 1])) {
                if (const char16_t u = cp.jis(c, p[i + 1])) {
                    out.put(u);
                } else {
                    out.putRaw(c, i, report);
                    out.putRaw(p[i + 1], i + 1, report);
                }
                i += 2;
            } else {
                out.putRaw(c, i++, report);
            }
            continue;
        }
        char16_t u = kNone;
        if (isHalfWidthKana(c))
            u = cp.single(c);
        else if (mode == JisState::Kana && c >= 0x21 && c <= 0x5F)
            u = cp.single(static_cast<uint8_t>(c | 0x80));
        else if (c < 0x21 || (mode == JisState::Single && c < 0x80))
            // Controls read as themselves in every mode, so a line break
            // stays one even where a run of kanji was not closed.
            u = cp.single(c);
        if (u == kNone) {
            out.putRaw(c, i++, report);
            continue;
        }
        out.put(u);
        ++i;
        if (c == '\n' && i > stopAt)
            break;
    }
    from = i;
    return out.take();
}
