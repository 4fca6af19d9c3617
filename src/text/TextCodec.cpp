#include "TextCodec.h"

#include "CharSetDetector.h"
#include "CodePage.h"
#include "JapaneseConverters.h"
#include "UnicodeConverters.h"

#include <algorithm>
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

RESULT decodeBytes(const QByteArray& bytes, CharSetId charSet, const CodePage& ansi,
                   QString& text) {
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

RESULT encodeText(QStringView text, CharSetId charSet, JisKatakanaMode mode, const CodePage& ansi,
                  QByteArray& bytes) {
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
