#include "MacroSource.h"

#include "CharSetDetector.h"
#include "CodePage.h"
#include "Locale.h"

namespace {

constexpr qsizetype kEncodingProbeSize = 1024;

bool startsWith(QByteArrayView bytes, unsigned char a, unsigned char b) {
    return bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == a &&
           static_cast<unsigned char>(bytes[1]) == b;
}

bool hasUtf8Mark(QByteArrayView bytes) {
    return bytes.size() >= 3 && static_cast<unsigned char>(bytes[0]) == 0xEF &&
           static_cast<unsigned char>(bytes[1]) == 0xBB &&
           static_cast<unsigned char>(bytes[2]) == 0xBF;
}

QString decodeUtf16(QByteArrayView bytes, bool bigEndian) {
    const qsizetype units = bytes.size() / 2;
    QString text(units, Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    for (qsizetype i = 0; i < units; ++i) {
        const unsigned lo = in[2 * i + (bigEndian ? 1 : 0)];
        const unsigned hi = in[2 * i + (bigEndian ? 0 : 1)];
        out[i] = static_cast<char16_t>(lo | (hi << 8));
    }
    if (!text.isEmpty() && (text[0] == QChar(0xFEFF) || text[0] == QChar(0xFFFE)))
        text.remove(0, 1);
    return text;
}

bool isUtf8(QByteArrayView bytes) {
    bool asciiOnly = true;
    return IsUtf8Text(bytes, asciiOnly);
}

} // namespace

MacroFileEncoding macroFileEncoding(QByteArrayView bytes) {
    if (startsWith(bytes, 0xFE, 0xFF))
        return MacroFileEncoding::Utf16BigEndian;
    if (startsWith(bytes, 0xFF, 0xFE) ||
        bytes.first(qMin(bytes.size(), kEncodingProbeSize)).contains('\0'))
        return MacroFileEncoding::Utf16LittleEndian;
    if (hasUtf8Mark(bytes) || isUtf8(bytes))
        return MacroFileEncoding::Utf8;
    return MacroFileEncoding::Ansi;
}

QString decodeMacroFile(QByteArrayView bytes, const Locale& locale) {
    switch (macroFileEncoding(bytes)) {
    case MacroFileEncoding::Utf16LittleEndian:
        return decodeUtf16(bytes, false);
    case MacroFileEncoding::Utf16BigEndian:
        return decodeUtf16(bytes, true);
    case MacroFileEncoding::Utf8:
        return QString::fromUtf8(hasUtf8Mark(bytes) ? bytes.sliced(3) : bytes);
    case MacroFileEncoding::Ansi:
        break;
    }
    return CodePage::ansi(locale).toUnicode(bytes);
}

bool MacroLineReader::next(MacroLine& line) {
    if (pos_ >= text_.size())
        return false;
    line.number = physicalLine_ + 1;
    line.text.clear();
    while (pos_ < text_.size()) {
        qsizetype end = text_.indexOf(u'\n', pos_);
        const bool hasBreak = end >= 0;
        if (!hasBreak)
            end = text_.size();
        QStringView physical = text_.mid(pos_, end - pos_);
        if (hasBreak && physical.endsWith(u'\r'))
            physical.chop(1);
        // Lines were always read as C strings: a zero character ends the
        // line's text, and what follows it on that physical line is ignored.
        if (const qsizetype zero = physical.indexOf(QChar(0)); zero >= 0)
            physical.truncate(zero);
        pos_ = hasBreak ? end + 1 : end;
        ++physicalLine_;
        if (!physical.endsWith(u'\\')) {
            line.text.append(physical);
            break;
        }
        physical.chop(1);
        line.text.append(physical);
    }
    return true;
}
