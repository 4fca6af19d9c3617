#include "EditTextMapping.h"

namespace edittext {

QString toControlText(QStringView deviceText) {
    const qsizetype n = deviceText.size();
    QString out(n, Qt::Uninitialized);
    const char16_t* in = deviceText.utf16();
    char16_t* const begin = reinterpret_cast<char16_t*>(out.data());
    char16_t* o = begin;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = in[i];
        if (c > u'\r' && c != 0x2028 && c != 0x2029) {
            *o++ = c;
            continue;
        }
        switch (c) {
        case u'\r':
            if (i + 1 < n && in[i + 1] == u'\n') {
                *o++ = u'\n';
                ++i;
            } else {
                *o++ = kLoneCr;
            }
            break;
        case u'\n':
            *o++ = kLoneLf;
            break;
        case 0x2029:
            *o++ = kParagraphSeparator;
            break;
        case 0x2028:
            *o++ = kLineSeparator;
            break;
        default:
            *o++ = c;
        }
    }
    out.truncate(o - begin);
    return out;
}

QString fromControlText(QStringView controlText) {
    const qsizetype n = controlText.size();
    const char16_t* in = controlText.utf16();
    qsizetype breaks = 0;
    for (qsizetype i = 0; i < n; ++i)
        breaks += (in[i] == u'\n' || in[i] == 0x2029) ? 1 : 0;
    QString out(n + breaks, Qt::Uninitialized);
    char16_t* o = reinterpret_cast<char16_t*>(out.data());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = in[i];
        if (c < kLoneCr && c != u'\n' && c != 0x2029) {
            *o++ = c;
            continue;
        }
        switch (c) {
        case u'\n':
        case 0x2029:
            *o++ = u'\r';
            *o++ = u'\n';
            break;
        case kLoneCr:
            *o++ = u'\r';
            break;
        case kLoneLf:
            *o++ = u'\n';
            break;
        case kParagraphSeparator:
            *o++ = 0x2029;
            break;
        case kLineSeparator:
            *o++ = 0x2028;
            break;
        default:
            *o++ = c;
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
