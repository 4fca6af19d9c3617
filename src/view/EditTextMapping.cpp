#include "EditTextMapping.h"

namespace edittext {

namespace {
// The mapping of toControlText; `breakFor` chooses the character of each
// CR LF from the length of the output so far.
template <typename BreakFor> QString mapToControl(QStringView deviceText, BreakFor breakFor) {
    const qsizetype n = deviceText.size();
    QString out(n, Qt::Uninitialized);
    const char16_t* in = deviceText.utf16();
    char16_t* const begin = reinterpret_cast<char16_t*>(out.data());
    char16_t* o = begin;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = in[i];
        if (c > u'\r' && c != 0x2029 && c != 0x2028) {
            *o++ = c;
            continue;
        }
        switch (c) {
        case u'\r':
            if (i + 1 < n && in[i + 1] == u'\n') {
                *o = breakFor(o - begin);
                ++o;
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
} // namespace

QString toControlText(QStringView deviceText) {
    return mapToControl(deviceText, [](qsizetype) { return u'\n'; });
}

QString toGroupedControlText(QStringView deviceText) {
    qsizetype blockStart = 0;
    int linesInBlock = 1;
    return mapToControl(deviceText, [&](qsizetype at) -> char16_t {
        if (linesInBlock < kMaxLinesPerBlock && at - blockStart < kMaxBlockLength) {
            ++linesInBlock;
            return kInBlockBreak;
        }
        blockStart = at + 1;
        linesInBlock = 1;
        return u'\n';
    });
}

QString fromControlText(QStringView controlText) {
    const qsizetype n = controlText.size();
    const char16_t* in = controlText.utf16();
    qsizetype breaks = 0;
    for (qsizetype i = 0; i < n; ++i)
        breaks += isLineBreak(in[i]) ? 1 : 0;
    QString out(n + breaks, Qt::Uninitialized);
    char16_t* o = reinterpret_cast<char16_t*>(out.data());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = in[i];
        if (c < kLoneCr && !isLineBreak(c)) {
            *o++ = c;
            continue;
        }
        switch (c) {
        case u'\n':
        case 0x2029:
        case kInBlockBreak:
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
        if (isLineBreak(ch))
            ++n;
    }
    return n;
}

qsizetype countInBlockBreaks(QStringView controlText) {
    return controlText.count(QChar(kInBlockBreak));
}

} // namespace edittext
