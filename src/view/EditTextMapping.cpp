#include "EditTextMapping.h"

namespace edittext {

QString toControlText(QStringView deviceText) {
    QString out;
    out.reserve(deviceText.size());
    const qsizetype n = deviceText.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = deviceText[i].unicode();
        switch (c) {
        case u'\r':
            if (i + 1 < n && deviceText[i + 1] == u'\n') {
                out.append(QChar(u'\n'));
                ++i;
            } else {
                out.append(QChar(kLoneCr));
            }
            break;
        case u'\n':
            out.append(QChar(kLoneLf));
            break;
        case 0x2029:
            out.append(QChar(kParagraphSeparator));
            break;
        case 0x2028:
            out.append(QChar(kLineSeparator));
            break;
        default:
            out.append(QChar(c));
        }
    }
    return out;
}

QString fromControlText(QStringView controlText) {
    QString out;
    out.reserve(controlText.size() + controlText.size() / 16);
    for (QChar ch : controlText) {
        switch (ch.unicode()) {
        case u'\n':
        case 0x2029:
            out.append(u"\r\n");
            break;
        case kLoneCr:
            out.append(QChar(u'\r'));
            break;
        case kLoneLf:
            out.append(QChar(u'\n'));
            break;
        case kParagraphSeparator:
            out.append(QChar(0x2029));
            break;
        case kLineSeparator:
            out.append(QChar(0x2028));
            break;
        default:
            out.append(ch);
        }
    }
    return out;
}

qsizetype deviceLength(QStringView controlText) {
    qsizetype n = controlText.size();
    for (QChar ch : controlText) {
        if (ch == u'\n' || ch.unicode() == 0x2029)
            ++n;
    }
    return n;
}

} // namespace edittext
