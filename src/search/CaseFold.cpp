#include "CaseFold.h"

namespace casefold {

namespace {

// Writes the fold of a surrogate pair, keeping the pair when the simple
// lower case of its code point lies outside the supplementary planes.
void foldPair(char16_t high, char16_t low, char16_t* out) {
    const char32_t code = QChar::surrogateToUcs4(high, low);
    const char32_t lower = QChar::toLower(code);
    if (lower > 0xFFFF) {
        out[0] = QChar::highSurrogate(lower);
        out[1] = QChar::lowSurrogate(lower);
        return;
    }
    out[0] = high;
    out[1] = low;
}

} // namespace

QString fold(QStringView text) {
    const qsizetype n = text.size();
    QString result(n, Qt::Uninitialized);
    const char16_t* in = text.utf16();
    char16_t* out = reinterpret_cast<char16_t*>(result.data());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t unit = in[i];
        if (QChar::isHighSurrogate(unit) && i + 1 < n && QChar::isLowSurrogate(in[i + 1])) {
            foldPair(unit, in[i + 1], out + i);
            ++i;
            continue;
        }
        out[i] = foldUnit(unit);
    }
    return result;
}

bool equalFolded(QStringView a, QStringView b) {
    if (a.size() != b.size())
        return false;
    return fold(a) == fold(b);
}

} // namespace casefold
