#include "JapaneseConverters.h"

#include "ByteSink.h"
#include "FileTextDecoders.h"

#include <new>

namespace {

// Half-width katakana 0xA1-0xDF as full-width Shift-JIS: the JIS X 0201 to
// JIS X 0208 width mapping, with the sound marks as the spacing ゛ and ゜.
constexpr uint16_t kFullWidthKana[0xDF - 0xA1 + 1] = {
    0x8142, 0x8175, 0x8176, 0x8141, 0x8145, 0x8392, 0x8340, 0x8342, // ｡｢｣､･ｦｧｨ
    0x8344, 0x8346, 0x8348, 0x8383, 0x8385, 0x8387, 0x8362, 0x815B, // ｩｪｫｬｭｮｯｰ
    0x8341, 0x8343, 0x8345, 0x8347, 0x8349, 0x834A, 0x834C, 0x834E, // ｱｲｳｴｵｶｷｸ
    0x8350, 0x8352, 0x8354, 0x8356, 0x8358, 0x835A, 0x835C, 0x835E, // ｹｺｻｼｽｾｿﾀ
    0x8360, 0x8363, 0x8365, 0x8367, 0x8369, 0x836A, 0x836B, 0x836C, // ﾁﾂﾃﾄﾅﾆﾇﾈ
    0x836D, 0x836E, 0x8371, 0x8374, 0x8377, 0x837A, 0x837D, 0x837E, // ﾉﾊﾋﾌﾍﾎﾏﾐ
    0x8380, 0x8381, 0x8382, 0x8384, 0x8386, 0x8388, 0x8389, 0x838A, // ﾑﾒﾓﾔﾕﾖﾗﾘ
    0x838B, 0x838C, 0x838D, 0x838F, 0x8393, 0x814A, 0x814B,         // ﾙﾚﾛﾜﾝﾞﾟ
};

constexpr uint8_t kBlackSquare1 = 0x81, kBlackSquare2 = 0xA1; // ■

// The Shift-JIS pair of every EUC lead 0xA1-0xFE and following byte, as
// jisx0208::toShiftJis gives it, built once.
struct EucPairs {
    uint16_t sjis[(0xFE - 0xA1 + 1) * 256];
    EucPairs() {
        for (unsigned c = 0xA1; c <= 0xFE; ++c) {
            for (unsigned t = 0; t < 256; ++t) {
                uint8_t s1, s2;
                jisx0208::toShiftJis(static_cast<uint8_t>(c - 0x80), static_cast<uint8_t>(t - 0x80),
                                     s1, s2);
                sjis[(c - 0xA1) << 8 | t] = static_cast<uint16_t>(s1 << 8 | s2);
            }
        }
    }
};
const EucPairs kEucPairs;

bool isShiftJisLead(uint8_t b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xEF);
}
// Lead bytes of the user-defined area and the IBM extensions: neither EUC nor
// JIS can hold these characters.
bool isExtensionLead(uint8_t b) {
    return b >= 0xF0 && b <= 0xFC;
}

template <typename Body> RESULT guarded(QByteArray& out, Body&& body) {
    try {
        out = body();
        return rc::SUCCESS;
    } catch (const std::bad_alloc&) {
        out = QByteArray();
        return rc::OUT_OF_MEMORY;
    }
}

class JisWriter {
  public:
    explicit JisWriter(ByteSink& sink) : sink_(sink) {}
    void enter(JisState s) {
        if (state_ == s)
            return;
        state_ = s;
        loneRaw_ = false;
        switch (s) {
        case JisState::Single:
            sink_.put("\x1b(B", 3);
            break;
        case JisState::Double:
            sink_.put("\x1b$B", 3);
            break;
        case JisState::Kana:
            sink_.put("\x1b(I", 3);
            break;
        }
    }
    void putShiftJisPair(uint8_t s1, uint8_t s2) {
        enter(JisState::Double);
        separateLoneRaw();
        uint8_t j1, j2;
        jisx0208::fromShiftJis(s1, s2, j1, j2);
        sink_.put2(j1, j2);
    }
    void putSingle(uint8_t b) {
        enter(JisState::Single);
        sink_.put(b);
    }
    void finish() { enter(JisState::Single); }
    // A byte the reader kept: written in a set where it reads as no
    // character again. The reader keeps a byte 0x21-0x7F only in the
    // two-byte set (a pair that is no character, or a byte without its
    // second) and in the katakana set (0x60-0x7F, which are no katakana):
    // 0x60-0x7F go into the katakana set, where they never pair up, and
    // 0x21-0x5F into the two-byte set, where two of them in a row read as
    // one pair: as no character (kept again, both), or, when they make one,
    // they are kept apart by a designation. Other bytes read the same in
    // every set; an ESC the reader kept ends the current set for it.
    void putRaw(uint8_t b) {
        if (b >= 0x60 && b <= 0x7F) {
            enter(JisState::Kana);
        } else if (b >= 0x21 && b <= 0x5F) {
            enter(JisState::Double);
            if (loneRaw_ && jisx0208::unitOf(lastRaw_, b) == 0) {
                loneRaw_ = false; // the two read as one pair of kept bytes
            } else {
                separateLoneRaw();
                loneRaw_ = true;
                lastRaw_ = b;
            }
            sink_.put(b);
            return;
        }
        loneRaw_ = false;
        sink_.put(b);
        if (b == 0x1B)
            state_ = JisState::Single;
    }

  private:
    // A kept byte of the two-byte set still waiting for a second one would
    // pair with the next byte: a designation of the same set ends the pair.
    void separateLoneRaw() {
        if (loneRaw_)
            sink_.put("\x1b$B", 3);
        loneRaw_ = false;
    }

    ByteSink& sink_;
    JisState state_ = JisState::Single;
    bool loneRaw_ = false;
    uint8_t lastRaw_ = 0;
};

} // namespace

FullWidthKana HalfWidthKanaToFullWidth(uint8_t byte, uint8_t nextByte) {
    if (byte < 0xA1 || byte > 0xDF)
        return {0x81A1, false};
    const uint16_t full = kFullWidthKana[byte - 0xA1];
    const bool voiceable = (byte >= 0xB6 && byte <= 0xC4) || (byte >= 0xCA && byte <= 0xCE);
    if (nextByte == 0xDE && voiceable)
        return {static_cast<uint16_t>(full + 1), true};
    if (nextByte == 0xDF && byte >= 0xCA && byte <= 0xCE)
        return {static_cast<uint16_t>(full + 2), true};
    return {full, false};
}

namespace {

// EUC from the character at i on into d at k, until the end or just after an
// LF byte read at or past stopAt; returns where it stopped. d has room for
// n - i + 2 bytes more.
size_t eucPart(const uint8_t* p, size_t n, size_t i, size_t stopAt, uint8_t* d, size_t& k) {
    while (i < n) {
        const uint8_t c = p[i];
        if (c >= 0xA1 && c <= 0xFE && i + 1 < n) {
            const uint16_t pair = kEucPairs.sjis[(c - 0xA1) << 8 | p[i + 1]];
            d[k] = static_cast<uint8_t>(pair >> 8);
            d[k + 1] = static_cast<uint8_t>(pair);
            k += 2;
            i += 2;
        } else if (c < 0x8E || (c > 0x8F && c < 0xA1) || c == 0xFF) {
            d[k++] = c;
            ++i;
            if (c == '\n' && i > stopAt)
                break;
        } else if (c == 0x8E) {
            if (i + 1 < n) {
                d[k++] = p[i + 1];
            } else {
                d[k++] = kBlackSquare1;
                d[k++] = kBlackSquare2;
            }
            i += 2;
        } else if (c == 0x8F) {
            // JIS X 0212 has no Shift-JIS form.
            d[k++] = kBlackSquare1;
            d[k++] = kBlackSquare2;
            i += 3;
        } else { // a lead byte cut off by the end
            d[k++] = kBlackSquare1;
            d[k++] = kBlackSquare2;
            i = n;
        }
    }
    return std::min(i, n);
}

} // namespace

RESULT EucToShiftJis(QByteArrayView euc, QByteArray& shiftJis) {
    return guarded(shiftJis, [&] {
        const auto* p = reinterpret_cast<const uint8_t*>(euc.data());
        const size_t n = static_cast<size_t>(euc.size());
        // Every character gives at most as many bytes as it has, except one
        // cut off by the end, which gives two for one: n + 2 always holds.
        QByteArray outBytes(static_cast<qsizetype>(n + 2), Qt::Uninitialized);
        size_t k = 0;
        eucPart(p, n, 0, SIZE_MAX, reinterpret_cast<uint8_t*>(outBytes.data()), k);
        outBytes.truncate(static_cast<qsizetype>(k));
        return outBytes;
    });
}

RESULT EucToShiftJisPart(QByteArrayView euc, qsizetype& from, qsizetype stopAt,
                         QByteArray& shiftJis) {
    return guarded(shiftJis, [&] {
        const auto* p = reinterpret_cast<const uint8_t*>(euc.data());
        const size_t n = static_cast<size_t>(euc.size());
        // Resizing within the capacity keeps the buffer of the last piece.
        QByteArray outBytes = std::move(shiftJis);
        outBytes.resize(euc.size() - from + 2);
        size_t k = 0;
        from = static_cast<qsizetype>(eucPart(p, n, static_cast<size_t>(from),
                                              static_cast<size_t>(stopAt),
                                              reinterpret_cast<uint8_t*>(outBytes.data()), k));
        outBytes.truncate(static_cast<qsizetype>(k));
        return outBytes;
    });
}

size_t JisDesignationAt(const uint8_t* p, size_t n, size_t i, JisState& mode) {
    // JIS text changes sets at every run of kanji: a switch on the bytes
    // after the ESC rather than a search through the designations.
    auto at = [&](size_t k) -> uint8_t { return i + k < n ? p[i + k] : 0; };
    mode = JisState::Single;
    switch (at(1)) {
    case '$':
        if (at(2) == '@' || at(2) == 'B') {
            mode = JisState::Double;
            return 3;
        }
        if (at(2) == '(' && (at(3) == 'D' || at(3) == 'O' || at(3) == 'P')) {
            mode = JisState::Double;
            return 4;
        }
        return 1;
    case '(':
        if (at(2) == 'I') {
            mode = JisState::Kana;
            return 3;
        }
        return at(2) == 'B' || at(2) == 'J' || at(2) == 'H' ? 3 : 1;
    case '&':
        if (at(2) == '@' && at(3) == 0x1B && at(4) == '$' && at(5) == 'B') {
            mode = JisState::Double;
            return 6;
        }
        return 1;
    default:
        return 1;
    }
}

namespace {

// JIS from i on in the given mode into d at k, as eucPart.
size_t jisPart(const uint8_t* p, size_t n, size_t i, size_t stopAt, JisState& mode, uint8_t* d,
               size_t& k) {
    while (i < n) {
        const uint8_t c = p[i];
        if (c == 0x1B) {
            i += JisDesignationAt(p, n, i, mode);
            continue;
        }
        switch (mode) {
        case JisState::Double: {
            if (i + 1 >= n) {
                d[k++] = kBlackSquare1;
                d[k++] = kBlackSquare2;
                i = n;
                break;
            }
            jisx0208::toShiftJis(c, p[i + 1], d[k], d[k + 1]);
            k += 2;
            i += 2;
            break;
        }
        case JisState::Kana:
            d[k++] = static_cast<uint8_t>(c | 0x80);
            ++i;
            break;
        case JisState::Single:
            d[k++] = c;
            ++i;
            if (c == '\n' && i > stopAt)
                return i;
            break;
        }
    }
    return std::min(i, n);
}

} // namespace

RESULT JisToShiftJis(QByteArrayView jis, QByteArray& shiftJis) {
    return guarded(shiftJis, [&] {
        const auto* p = reinterpret_cast<const uint8_t*>(jis.data());
        const size_t n = static_cast<size_t>(jis.size());
        QByteArray outBytes(static_cast<qsizetype>(n + 2), Qt::Uninitialized);
        size_t k = 0;
        JisState mode = JisState::Single;
        jisPart(p, n, 0, SIZE_MAX, mode, reinterpret_cast<uint8_t*>(outBytes.data()), k);
        outBytes.truncate(static_cast<qsizetype>(k));
        return outBytes;
    });
}

RESULT JisToShiftJisPart(QByteArrayView jis, qsizetype& from, qsizetype stopAt, bool& doubleByte,
                         bool& kana, QByteArray& shiftJis) {
    return guarded(shiftJis, [&] {
        const auto* p = reinterpret_cast<const uint8_t*>(jis.data());
        const size_t n = static_cast<size_t>(jis.size());
        QByteArray outBytes = std::move(shiftJis);
        outBytes.resize(jis.size() - from + 2);
        size_t k = 0;
        JisState mode = doubleByte ? JisState::Double : kana ? JisState::Kana : JisState::Single;
        from = static_cast<qsizetype>(jisPart(p, n, static_cast<size_t>(from),
                                              static_cast<size_t>(stopAt), mode,
                                              reinterpret_cast<uint8_t*>(outBytes.data()), k));
        doubleByte = mode == JisState::Double;
        kana = mode == JisState::Kana;
        outBytes.truncate(static_cast<qsizetype>(k));
        return outBytes;
    });
}

RESULT ShiftJisToEuc(QByteArrayView shiftJis, QByteArray& euc, std::span<const qsizetype> rawAt) {
    return guarded(euc, [&] {
        const auto* p = reinterpret_cast<const uint8_t*>(shiftJis.data());
        const size_t n = static_cast<size_t>(shiftJis.size());
        ByteSink out(shiftJis.size() + shiftJis.size() / 8);
        auto raw = rawAt.begin();
        for (size_t i = 0; i < n;) {
            const uint8_t c = p[i];
            if (raw != rawAt.end() && size_t(*raw) == i) {
                out.put(c);
                ++raw;
                ++i;
            } else if (c < 0x80) {
                out.put(c);
                ++i;
            } else if (c >= 0xA1 && c <= 0xDF) {
                out.put2(0x8E, c);
                ++i;
            } else if (isShiftJisLead(c) && i + 1 < n) {
                uint8_t j1, j2;
                jisx0208::fromShiftJis(c, p[i + 1], j1, j2);
                out.put2(j1 | 0x80, j2 | 0x80);
                i += 2;
            } else if (isShiftJisLead(c) || isExtensionLead(c)) {
                out.put('?');
                i += 2;
            } else {
                out.put(c);
                ++i;
            }
        }
        return out.take();
    });
}

RESULT ShiftJisToJis(QByteArrayView shiftJis, QByteArray& jis, JisKatakanaMode mode,
                     std::span<const qsizetype> rawAt) {
    return guarded(jis, [&] {
        const auto* p = reinterpret_cast<const uint8_t*>(shiftJis.data());
        const size_t n = static_cast<size_t>(shiftJis.size());
        ByteSink out(shiftJis.size() + shiftJis.size() / 8 + 8);
        JisWriter w(out);
        auto raw = rawAt.begin();
        for (size_t i = 0; i < n;) {
            const uint8_t c = p[i];
            if (raw != rawAt.end() && size_t(*raw) == i) {
                w.putRaw(c);
                ++raw;
                ++i;
                continue;
            }
            // A raw byte after a katakana is no sound mark to combine.
            const bool nextIsRaw = raw != rawAt.end() && size_t(*raw) == i + 1;
            if (c >= 0xA1 && c <= 0xDF) {
                if (mode == JisKatakanaMode::HalfWidth) {
                    w.enter(JisState::Kana);
                    out.put(static_cast<uint8_t>(c - 0x80));
                    ++i;
                    continue;
                }
                const FullWidthKana full =
                    HalfWidthKanaToFullWidth(c, i + 1 < n && !nextIsRaw ? p[i + 1] : 0);
                w.putShiftJisPair(full.shiftJis >> 8, full.shiftJis & 0xFF);
                i += full.usedNextByte ? 2 : 1;
            } else if (isShiftJisLead(c) && i + 1 < n) {
                w.putShiftJisPair(c, p[i + 1]);
                i += 2;
            } else if (isShiftJisLead(c) || isExtensionLead(c)) {
                w.putSingle('?');
                i += 2;
            } else {
                w.putSingle(c);
                ++i;
            }
        }
        w.finish();
        return out.take();
    });
}
