#include "FileNameBytes.h"

namespace {

constexpr char16_t kStandInBase = 0xDC00;

// The length of the well-formed UTF-8 sequence at `at`, or 0 when the byte
// there does not start one (overlong forms and encoded surrogates included).
qsizetype sequenceLength(const unsigned char* s, qsizetype at, qsizetype size) {
    const unsigned char lead = s[at];
    if (lead < 0x80)
        return 1;
    qsizetype length;
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (at + length > size)
        return 0;
    if (s[at + 1] < low || s[at + 1] > high)
        return 0;
    for (qsizetype k = 2; k < length; ++k)
        if (s[at + k] < 0x80 || s[at + k] > 0xBF)
            return 0;
    return length;
}

} // namespace

QString textFromBytes(QByteArrayView bytes) {
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype size = bytes.size();
    QString text;
    text.reserve(size);
    qsizetype runStart = 0, at = 0;
    while (at < size) {
        const qsizetype length = sequenceLength(s, at, size);
        if (length > 0) {
            at += length;
            continue;
        }
        text += QString::fromUtf8(bytes.sliced(runStart, at - runStart));
        text += QChar(char16_t(kStandInBase + s[at]));
        runStart = ++at;
    }
    text += QString::fromUtf8(bytes.sliced(runStart, size - runStart));
    return text;
}

QByteArray bytesFromText(QStringView text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    qsizetype runStart = 0;
    for (qsizetype at = 0; at < text.size(); ++at) {
        const char16_t unit = text[at].unicode();
        if (QChar::isHighSurrogate(unit) && at + 1 < text.size() &&
            QChar::isLowSurrogate(text[at + 1].unicode())) {
            ++at; // a pair: a real character
            continue;
        }
        if (unit < kStandInBase + 0x80 || unit > kStandInBase + 0xFF)
            continue;
        bytes += text.sliced(runStart, at - runStart).toUtf8();
        bytes += char(unit - kStandInBase);
        runStart = at + 1;
    }
    bytes += text.sliced(runStart).toUtf8();
    return bytes;
}
