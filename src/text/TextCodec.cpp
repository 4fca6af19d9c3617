#include "TextCodec.h"

#include "CharSetDetector.h"
#include "CodePage.h"
#include "FileTextDecoders.h"
#include "JapaneseConverters.h"
#include "StraightConverters.h"
#include "UnicodeConverters.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>
#include <vector>

namespace {

QByteArray utf16ToBytes(QStringView text, bool bigEndian) {
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    const auto* s = reinterpret_cast<const char16_t*>(text.utf16());
    auto* d = reinterpret_cast<uint8_t*>(bytes.data());
    const qsizetype n = text.size();
    const bool standIns = text.contains(QChar(rawbytes::kHigh));
    qsizetype k = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (standIns && rawbytes::startsStandIn(s, i, n)) {
            d[k++] = rawbytes::byteOf(s[++i]);
            continue;
        }
        const uint8_t hi = static_cast<uint8_t>(s[i] >> 8), lo = static_cast<uint8_t>(s[i]);
        d[k++] = bigEndian ? hi : lo;
        d[k++] = bigEndian ? lo : hi;
    }
    bytes.truncate(k);
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

bool startsWith(QByteArrayView bytes, const char* mark, qsizetype length) {
    return bytes.size() >= length && std::memcmp(bytes.data(), mark, size_t(length)) == 0;
}

// How many bytes of the file its byte-order mark takes, as the reader of the
// set skips it: the set's own mark (or, for UTF-16, the other order's).
qsizetype markLengthOf(QByteArrayView bytes, CharSetId charSet) {
    switch (charSet) {
    case charset::UNICODE_LE:
    case charset::UNICODE_BE:
        return startsWith(bytes, "\xFF\xFE", 2) || startsWith(bytes, "\xFE\xFF", 2) ? 2 : 0;
    case charset::UTF8:
        return startsWith(bytes, "\xEF\xBB\xBF", 3) ? 3 : 0;
    default:
        return 0;
    }
}

RESULT decodeBytes(const QByteArray& bytes, CharSetId charSet, const CodePage& systemAnsi,
                   QString& text, rawbytes::Report& report) {
    const CodePage& ansi = codePageFor(charSet, systemAnsi);
    const qsizetype skip = markLengthOf(bytes, charSet);
    const QByteArrayView body = QByteArrayView(bytes).sliced(skip);
    rawbytes::Report found;
    qsizetype from = 0;
    JisState mode = JisState::Single;
    try {
        switch (charSet) {
        case charset::UNICODE_LE:
        case charset::UNICODE_BE:
            text = Utf16ToUtf16KeepingBytes(body, charSet == charset::UNICODE_BE, found);
            break;
        case charset::UTF8:
        case charset::UTF8N:
            text = Utf8ToUtf16KeepingBytes(body, found);
            break;
        case charset::EUC:
            text = EucToUtf16KeepingBytes(body, from, body.size(), found);
            break;
        case charset::JIS:
            text = JisToUtf16KeepingBytes(body, from, body.size(), mode, found);
            break;
        default:
            text = ansi.toUnicodeKeepingBytes(body, found);
            break;
        }
    } catch (const std::bad_alloc&) {
        text = QString();
        return rc::OUT_OF_MEMORY;
    }
    report.add(found, skip);
    return rc::SUCCESS;
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

// EUC and JIS from a text that holds stand-ins: the Shift-JIS bytes of the
// characters between them, and the raw bytes where they stand, which the
// EUC and JIS writers copy as they are.
RESULT encodeJapaneseKeepingBytes(QStringView text, CharSetId charSet, JisKatakanaMode mode,
                                  const CodePage& cp932, QByteArray& bytes) {
    QByteArray shiftJis, part;
    std::vector<qsizetype> rawAt;
    const auto* s = reinterpret_cast<const char16_t*>(text.utf16());
    const qsizetype n = text.size();
    qsizetype from = 0;
    auto flush = [&](qsizetype to) -> RESULT {
        if (to > from) {
            if (RESULT r = Utf16ToAnsi(text.sliced(from, to - from), cp932, part); r != rc::SUCCESS)
                return r;
            shiftJis += part;
        }
        return rc::SUCCESS;
    };
    try {
        for (qsizetype i = 0; i < n; ++i) {
            if (!rawbytes::startsStandIn(s, i, n))
                continue;
            if (RESULT r = flush(i); r != rc::SUCCESS)
                return r;
            rawAt.push_back(shiftJis.size());
            shiftJis += static_cast<char>(rawbytes::byteOf(s[i + 1]));
            from = ++i + 1;
        }
        if (RESULT r = flush(n); r != rc::SUCCESS)
            return r;
    } catch (const std::bad_alloc&) {
        return rc::OUT_OF_MEMORY;
    }
    return charSet == charset::EUC ? ShiftJisToEuc(shiftJis, bytes, rawAt)
                                   : ShiftJisToJis(shiftJis, bytes, mode, rawAt);
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
    const bool japanese = charSet == charset::EUC || charSet == charset::JIS;
    if (japanese && countRawBytes(text).count > 0)
        return encodeJapaneseKeepingBytes(text, charSet, mode, ansi, bytes);
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

rawbytes::Report countRawBytes(QStringView text) {
    rawbytes::Report report;
    const auto* s = reinterpret_cast<const char16_t*>(text.utf16());
    const qsizetype n = text.size();
    for (qsizetype i = text.indexOf(QChar(rawbytes::kHigh)); i >= 0 && i < n; ++i) {
        if (rawbytes::startsStandIn(s, i, n))
            report.add(i++);
    }
    return report;
}

bool keepsRawBytes(CharSetId from, CharSetId to, const CodePage& ansi) {
    from = charset::usable(from);
    to = charset::usable(to);
    auto utf8 = [](CharSetId set) { return set == charset::UTF8 || set == charset::UTF8N; };
    auto codePageOnly = [](CharSetId set) {
        return set == charset::ANSI || set == charset::SHIFT_JIS;
    };
    if (from == to || (utf8(from) && utf8(to)))
        return true;
    return codePageOnly(from) && codePageOnly(to) &&
           codePageFor(from, ansi).id() == codePageFor(to, ansi).id();
}

qsizetype replaceRawBytes(QString& text, CharSetId to) {
    const rawbytes::Report found = countRawBytes(text);
    if (found.count == 0)
        return 0;
    to = charset::usable(to);
    const bool unicode = to == charset::UNICODE_LE || to == charset::UNICODE_BE ||
                         to == charset::UTF8 || to == charset::UTF8N;
    const QChar replacement = unicode ? QChar(0xFFFD) : QChar(u'?');
    QString out;
    out.reserve(text.size() - found.count);
    const auto* s = reinterpret_cast<const char16_t*>(text.utf16());
    const qsizetype n = text.size();
    qsizetype from = 0;
    for (qsizetype i = found.first; i < n; ++i) {
        if (!rawbytes::startsStandIn(s, i, n))
            continue;
        out.append(QStringView(s + from, i - from));
        out.append(replacement);
        from = ++i + 1;
    }
    out.append(QStringView(s + from, n - from));
    text = std::move(out);
    return found.count;
}

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
    decoded.result = decodeBytes(bytes, charSet, ansi, text, decoded.rawBytes);
    bytes = QByteArray();
    if (decoded.result != rc::SUCCESS)
        return decoded;
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
                              const std::function<bool(const char*, qsizetype)>& write,
                              RawBytes rawBytes) {
    ConvertedText done;
    from = charset::usable(from);
    to = charset::usable(to);
    const bool keep = keepsRawBytes(from, to, ansi);
    // What a piece's text does with the bytes it holds as stand-ins: true
    // when the conversion is to stop.
    auto refuse = [&](QString& text, const rawbytes::Report& found, qsizetype base) {
        if (found.count == 0)
            return false;
        done.rawBytes.add(found, base);
        if (rawBytes == RawBytes::Refuse) {
            done.refused = true;
            return true;
        }
        if (!keep) {
            replaceRawBytes(text, to);
            done.rawBytesReplaced = true;
        }
        return false;
    };
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
        if (refuse(decoded.text, decoded.rawBytes, 0))
            return done;
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
    const bool fromJapanese = from == charset::EUC || from == charset::JIS;
    const qsizetype skip = markLengthOf(bytes, from);
    const QByteArrayView in = QByteArrayView(bytes).sliced(skip);
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
    QByteArray body, straightBody;
    JisState jisMode = JisState::Single;
    const bool straight = goesStraight(from, to, out == found);
    // The piece from at converted straight into straightBody: the end of the
    // piece, or nothing when it has to take the way through UTF-16.
    auto straightPiece = [&](qsizetype at) -> std::optional<qsizetype> {
        qsizetype next = at;
        bool ok = false;
        if (from == charset::EUC) {
            ok = EucToUtf8Part(in, next, at + kPiece, straightBody);
        } else if (from == charset::JIS) {
            ok = JisToUtf8Part(in, next, at + kPiece, jisMode, straightBody);
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
        rawbytes::Report piece;
        qsizetype base = skip;
        try {
            if (fromJapanese) {
                text = from == charset::EUC
                           ? EucToUtf16KeepingBytes(in, at, at + kPiece, piece)
                           : JisToUtf16KeepingBytes(in, at, at + kPiece, jisMode, piece);
            } else {
                const qsizetype end = pieceEnd(p, n, at, kPiece, utf8In);
                const QByteArrayView bytesOfPiece = in.sliced(at, end - at);
                base += at;
                text = utf8In ? Utf8ToUtf16KeepingBytes(bytesOfPiece, piece)
                              : codePageFor(from, ansi).toUnicodeKeepingBytes(bytesOfPiece, piece);
                at = end;
            }
        } catch (const std::bad_alloc&) {
            done.result = rc::OUT_OF_MEMORY;
            return done;
        }
        if (refuse(text, piece, base))
            return done;
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
