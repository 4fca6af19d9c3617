#include "TextCodec.h"

#include "CharSetDetector.h"
#include "CodePage.h"
#include "JapaneseConverters.h"
#include "StraightConverters.h"
#include "UnicodeConverters.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>

namespace {

// UTF-16 code units from bytes in the given order; an odd last byte reads as
// a unit whose missing half is zero.
QString utf16FromBytes(QByteArrayView bytes, bool bigEndian) {
    const qsizetype units = (bytes.size() + 1) / 2;
    QString text(units, Qt::Uninitialized);
    auto* d = reinterpret_cast<char16_t*>(text.data());
    const auto* s = reinterpret_cast<const uint8_t*>(bytes.data());
    const qsizetype whole = bytes.size() / 2;
    if (!bigEndian && Q_BYTE_ORDER == Q_LITTLE_ENDIAN) {
        // An empty view may have no data pointer at all, which memcpy must
        // not be given even for zero bytes.
        if (whole > 0)
            std::memcpy(d, s, static_cast<size_t>(whole) * 2);
    } else {
        for (qsizetype k = 0; k < whole; ++k)
            d[k] = bigEndian ? char16_t(s[2 * k] << 8 | s[2 * k + 1])
                             : char16_t(s[2 * k + 1] << 8 | s[2 * k]);
    }
    if (units > whole)
        d[whole] = bigEndian ? char16_t(s[2 * whole] << 8) : char16_t(s[2 * whole]);
    if (units > 0 && (d[0] == 0xFEFF || d[0] == 0xFFFE))
        text.remove(0, 1);
    return text;
}

QByteArray utf16ToBytes(QStringView text, bool bigEndian) {
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    const auto* s = reinterpret_cast<const char16_t*>(text.utf16());
    auto* d = reinterpret_cast<uint8_t*>(bytes.data());
    for (qsizetype k = 0; k < text.size(); ++k) {
        const uint8_t hi = static_cast<uint8_t>(s[k] >> 8), lo = static_cast<uint8_t>(s[k]);
        d[2 * k] = bigEndian ? hi : lo;
        d[2 * k + 1] = bigEndian ? lo : hi;
    }
    return bytes;
}

// EUC, JIS and Shift-JIS are Japanese encodings whatever the system's
// language: their Shift-JIS bytes always go through code page 932. Only
// ANSI follows the system's code page (on a Japanese system both are 932).
const CodePage& codePageFor(CharSetId charSet, const CodePage& ansi) {
    const bool japanese =
        charSet == charset::EUC || charSet == charset::JIS || charSet == charset::SHIFT_JIS;
    return japanese && ansi.id() != 932 ? CodePage::get(932) : ansi;
}

RESULT decodeBytes(const QByteArray& bytes, CharSetId charSet, const CodePage& systemAnsi,
                   QString& text) {
    const CodePage& ansi = codePageFor(charSet, systemAnsi);
    QByteArray shiftJis;
    switch (charSet) {
    case charset::UNICODE_LE:
    case charset::UNICODE_BE:
        try {
            text = utf16FromBytes(bytes, charSet == charset::UNICODE_BE);
        } catch (const std::bad_alloc&) {
            text = QString();
            return rc::OUT_OF_MEMORY;
        }
        return rc::SUCCESS;
    case charset::UTF8:
        return Utf8ToUtf16(QByteArrayView(bytes).sliced(std::min<qsizetype>(3, bytes.size())),
                           text);
    case charset::UTF8N:
        return Utf8ToUtf16(bytes, text);
    case charset::EUC:
        if (RESULT r = EucToShiftJis(bytes, shiftJis); r != rc::SUCCESS)
            return r;
        return AnsiToUtf16(shiftJis, ansi, text);
    case charset::JIS:
        if (RESULT r = JisToShiftJis(bytes, shiftJis); r != rc::SUCCESS)
            return r;
        return AnsiToUtf16(shiftJis, ansi, text);
    default:
        return AnsiToUtf16(bytes, ansi, text);
    }
}

const char* byteOrderMark(CharSetId charSet, qsizetype& length) {
    switch (charSet) {
    case charset::UNICODE_LE:
        length = 2;
        return "\xFF\xFE";
    case charset::UNICODE_BE:
        length = 2;
        return "\xFE\xFF";
    case charset::UTF8:
        length = 3;
        return "\xEF\xBB\xBF";
    default:
        length = 0;
        return "";
    }
}

RESULT encodeText(QStringView text, CharSetId charSet, JisKatakanaMode mode,
                  const CodePage& systemAnsi, QByteArray& bytes) {
    const CodePage& ansi = codePageFor(charSet, systemAnsi);
    if (text.isEmpty() || charSet == charset::UNICODE_LE || charSet == charset::UNICODE_BE) {
        try {
            bytes = utf16ToBytes(text, charSet == charset::UNICODE_BE);
        } catch (const std::bad_alloc&) {
            return rc::OUT_OF_MEMORY;
        }
        return rc::SUCCESS;
    }
    if (charSet == charset::UTF8 || charSet == charset::UTF8N)
        return Utf16ToUtf8(text, bytes);
    QByteArray shiftJis;
    RESULT r = Utf16ToAnsi(text, ansi, shiftJis);
    if (r != rc::SUCCESS)
        return r;
    if (charSet == charset::EUC)
        return ShiftJisToEuc(shiftJis, bytes);
    if (charSet == charset::JIS)
        return ShiftJisToJis(shiftJis, bytes, mode);
    bytes = std::move(shiftJis);
    return rc::SUCCESS;
}

} // namespace

QString widenLineBreaks(QString text, LineEndingId lineEnding) {
    if (lineEnding != lineending::CR && lineEnding != lineending::LF)
        return text;
    const QChar lone = lineEnding == lineending::CR ? u'\r' : u'\n';
    const QStringView view(text);
    qsizetype count = 0;
    for (qsizetype at = view.indexOf(lone); at >= 0; at = view.indexOf(lone, at + 1))
        ++count;
    if (count == 0)
        return text;
    // Copy the runs between the breaks whole; the searches are vectorised.
    QString out(text.size() + count, Qt::Uninitialized);
    QChar* d = out.data();
    qsizetype from = 0;
    for (qsizetype at = view.indexOf(lone); at >= 0; at = view.indexOf(lone, from)) {
        std::memcpy(d, view.data() + from, static_cast<size_t>(at - from) * sizeof(QChar));
        d += at - from;
        *d++ = u'\r';
        *d++ = u'\n';
        from = at + 1;
    }
    std::memcpy(d, view.data() + from, static_cast<size_t>(view.size() - from) * sizeof(QChar));
    return out;
}

QString narrowLineBreaks(QString text, LineEndingId lineEnding) {
    if (lineEnding != lineending::CR && lineEnding != lineending::LF)
        return text;
    const QChar keep = lineEnding == lineending::CR ? u'\r' : u'\n';
    if (!text.contains(u"\r\n"))
        return text;
    const qsizetype n = text.size();
    QChar* s = text.data();
    qsizetype k = 0;    // write position
    qsizetype from = 0; // start of the run not yet moved
    qsizetype scan = 0; // where to look for the next CR
    for (;;) {
        qsizetype cr = QStringView(s + scan, n - scan).indexOf(u'\r');
        if (cr < 0)
            break;
        cr += scan;
        if (cr + 1 < n && s[cr + 1] == u'\n') {
            std::memmove(s + k, s + from, static_cast<size_t>(cr - from) * sizeof(QChar));
            k += cr - from;
            s[k++] = keep;
            from = scan = cr + 2;
        } else {
            scan = cr + 1;
        }
    }
    std::memmove(s + k, s + from, static_cast<size_t>(n - from) * sizeof(QChar));
    k += n - from;
    text.truncate(k);
    return text;
}

namespace {

DecodedText decodeFile(QByteArray bytes, CharSetId charSet, const CodePage& ansi, bool widen) {
    charSet = charset::usable(charSet);
    DecodedText decoded{QString(), DetectLineEndingFor(bytes, charSet), rc::SUCCESS};
    QString text;
    decoded.result = decodeBytes(bytes, charSet, ansi, text);
    bytes = QByteArray();
    if (decoded.result != rc::SUCCESS)
        return decoded;
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    if (nul >= 0)
        text.truncate(nul);
    try {
        decoded.text =
            widen ? widenLineBreaks(std::move(text), decoded.lineEnding) : std::move(text);
    } catch (const std::bad_alloc&) {
        decoded.text = QString();
        decoded.result = rc::OUT_OF_MEMORY;
    }
    return decoded;
}

EncodedText encodeFile(QString text, CharSetId charSet, LineEndingId lineEnding,
                       JisKatakanaMode katakanaMode, const CodePage& ansi, bool narrow) {
    charSet = charset::usable(charSet);
    EncodedText encoded{QByteArray(), rc::SUCCESS};
    try {
        if (narrow)
            text = narrowLineBreaks(std::move(text), lineEnding);
        QByteArray body;
        encoded.result = encodeText(text, charSet, katakanaMode, ansi, body);
        text = QString();
        if (encoded.result != rc::SUCCESS)
            return encoded;
        qsizetype markLength = 0;
        const char* mark = byteOrderMark(charSet, markLength);
        if (markLength > 0)
            body.prepend(mark, markLength);
        encoded.bytes = std::move(body);
    } catch (const std::bad_alloc&) {
        encoded.bytes = QByteArray();
        encoded.result = rc::OUT_OF_MEMORY;
    }
    return encoded;
}

} // namespace

DecodedText DecodeFileText(QByteArray bytes, CharSetId charSet, const CodePage& ansi) {
    return decodeFile(std::move(bytes), charSet, ansi, true);
}

EncodedText EncodeFileText(QString text, CharSetId charSet, LineEndingId lineEnding,
                           JisKatakanaMode katakanaMode, const CodePage& ansi) {
    return encodeFile(std::move(text), charSet, lineEnding, katakanaMode, ansi, true);
}

DecodedText DecodeFileTextAsIs(QByteArray bytes, CharSetId charSet, const CodePage& ansi) {
    return decodeFile(std::move(bytes), charSet, ansi, false);
}

EncodedText EncodeFileTextAsIs(QString text, CharSetId charSet, JisKatakanaMode katakanaMode,
                               const CodePage& ansi) {
    return encodeFile(std::move(text), charSet, lineending::CRLF, katakanaMode, ansi, false);
}

namespace {

// Where the piece starting at from may end, at about from + size: right after
// an LF byte the decoding walk reaches and reads as LF alone. n when there
// is none.
qsizetype pieceEnd(const uint8_t* p, qsizetype n, qsizetype from, qsizetype size, bool utf8) {
    for (qsizetype at = std::min(n, from + size); at < n;) {
        const void* lf = std::memchr(p + at, '\n', static_cast<size_t>(n - at));
        if (!lf)
            return n;
        const qsizetype j = static_cast<const uint8_t*>(lf) - p + 1;
        bool ok = true;
        if (utf8) {
            // No sequence that a lead byte before the LF starts may take it in.
            for (qsizetype q = std::max(from, j - 8); q < j - 1 && ok; ++q) {
                const int ones = std::countl_one(p[q]);
                if (ones >= 2 && ones <= 6 && q + ones > j - 1)
                    ok = false;
            }
        }
        if (ok)
            return j;
        at = j;
    }
    return n;
}

// Whether a conversion can go straight between the file's bytes and UTF-8
// (StraightConverters.h): only when the line breaks stay as they are, since
// the line-break conversions work on the UTF-16 text.
bool goesStraight(CharSetId from, CharSetId to, bool breaksStay) {
    const bool fromUtf8 = from == charset::UTF8 || from == charset::UTF8N;
    const bool toUtf8 = to == charset::UTF8 || to == charset::UTF8N;
    auto codePageOnly = [](CharSetId set) {
        return set == charset::ANSI || set == charset::SHIFT_JIS;
    };
    if (!breaksStay)
        return false;
    if (toUtf8)
        return codePageOnly(from) || from == charset::EUC || from == charset::JIS;
    return fromUtf8 && codePageOnly(to);
}

} // namespace

ConvertedText ConvertFileText(QByteArray bytes, CharSetId from, CharSetId to,
                              std::optional<LineEndingId> eol, JisKatakanaMode katakanaMode,
                              const CodePage& ansi,
                              const std::function<bool(const char*, qsizetype)>& write) {
    ConvertedText done;
    from = charset::usable(from);
    to = charset::usable(to);
    const bool utf16In = from == charset::UNICODE_LE || from == charset::UNICODE_BE;
    const bool utf8In = from == charset::UTF8 || from == charset::UTF8N;
    const bool pieces = to != charset::JIS && !utf16In &&
                        (utf8In || codePageFor(from, ansi).readsAlone('\n', u'\n'));
    if (!pieces) {
        DecodedText decoded = DecodeFileTextAsIs(std::move(bytes), from, ansi);
        if (decoded.result != rc::SUCCESS) {
            done.result = decoded.result;
            return done;
        }
        const LineEndingId out = eol.value_or(decoded.lineEnding);
        EncodedText encoded;
        if (out == decoded.lineEnding) {
            encoded = EncodeFileTextAsIs(std::move(decoded.text), to, katakanaMode, ansi);
        } else {
            try {
                decoded.text = widenLineBreaks(std::move(decoded.text), decoded.lineEnding);
            } catch (const std::bad_alloc&) {
                done.result = rc::OUT_OF_MEMORY;
                return done;
            }
            encoded = EncodeFileText(std::move(decoded.text), to, out, katakanaMode, ansi);
        }
        done.result = encoded.result;
        if (done.result == rc::SUCCESS)
            done.writeFailed = !write(encoded.bytes.constData(), encoded.bytes.size());
        return done;
    }

    // Without a line ending of its own choosing the output keeps the file's
    // breaks as they are, whatever they are: no need to count them.
    const LineEndingId found = eol ? DetectLineEndingFor(bytes, from) : lineending::CRLF;
    const LineEndingId out = eol.value_or(found);
    // EUC and JIS are read through Shift-JIS, a piece at a time.
    const bool throughShiftJis = from == charset::EUC || from == charset::JIS;
    QByteArrayView in = bytes;
    if (from == charset::UTF8)
        in = in.sliced(std::min<qsizetype>(3, in.size()));
    const auto* p = reinterpret_cast<const uint8_t*>(in.data());
    const qsizetype n = in.size();
    constexpr qsizetype kPiece = 1 << 18;
    qsizetype markLength = 0;
    const char* mark = byteOrderMark(to, markLength);
    if (!write(mark, markLength)) {
        done.writeFailed = true;
        return done;
    }
    QString text;
    QByteArray body, shiftJis, straightBody;
    bool jisDouble = false, jisKana = false;
    const bool straight = goesStraight(from, to, out == found);
    // The piece from at converted straight into straightBody: the end of the
    // piece, or nothing when it has to take the way through UTF-16.
    auto straightPiece = [&](qsizetype at) -> std::optional<qsizetype> {
        qsizetype next = at;
        bool ok = false;
        if (from == charset::EUC) {
            ok = EucToUtf8Part(in, next, at + kPiece, straightBody);
        } else if (from == charset::JIS) {
            JisState state = jisDouble ? JisState::Double
                             : jisKana ? JisState::Kana
                                       : JisState::Single;
            ok = JisToUtf8Part(in, next, at + kPiece, state, straightBody);
            jisDouble = state == JisState::Double;
            jisKana = state == JisState::Kana;
        } else {
            next = pieceEnd(p, n, at, kPiece, utf8In);
            const QByteArrayView piece = in.sliced(at, next - at);
            ok = utf8In ? Utf8ToCodePage(piece, codePageFor(to, ansi), straightBody)
                        : CodePageToUtf8(piece, codePageFor(from, ansi), straightBody);
        }
        return ok ? std::optional<qsizetype>(next) : std::nullopt;
    };
    for (qsizetype at = 0; at < n;) {
        if (straight) {
            std::optional<qsizetype> end;
            try {
                end = straightPiece(at);
            } catch (const std::bad_alloc&) {
                done.result = rc::OUT_OF_MEMORY;
                return done;
            }
            if (end) {
                at = *end;
                if (!straightBody.isEmpty() &&
                    !write(straightBody.constData(), straightBody.size())) {
                    done.writeFailed = true;
                    return done;
                }
                continue;
            }
        }
        QByteArrayView piece;
        if (throughShiftJis) {
            done.result = from == charset::EUC ? EucToShiftJisPart(in, at, at + kPiece, shiftJis)
                                               : JisToShiftJisPart(in, at, at + kPiece, jisDouble,
                                                                   jisKana, shiftJis);
            if (done.result != rc::SUCCESS)
                return done;
            piece = shiftJis;
        } else {
            const qsizetype end = pieceEnd(p, n, at, kPiece, utf8In);
            piece = in.sliced(at, end - at);
            at = end;
        }
        done.result =
            utf8In ? Utf8ToUtf16(piece, text) : AnsiToUtf16(piece, codePageFor(from, ansi), text);
        if (done.result != rc::SUCCESS)
            return done;
        // The text ends at the first NUL.
        const qsizetype nul = text.indexOf(QChar(u'\0'));
        if (nul >= 0) {
            text.truncate(nul);
            at = n;
        }
        if (text.isEmpty())
            continue;
        try {
            if (out != found)
                text = narrowLineBreaks(widenLineBreaks(std::move(text), found), out);
        } catch (const std::bad_alloc&) {
            done.result = rc::OUT_OF_MEMORY;
            return done;
        }
        done.result = encodeText(text, to, katakanaMode, ansi, body);
        if (done.result != rc::SUCCESS)
            return done;
        if (!write(body.constData(), body.size())) {
            done.writeFailed = true;
            return done;
        }
    }
    return done;
}
