#pragma once

#include <QString>
#include <QStringView>

// Lower-casing for searches that ignore case. Every UTF-16 unit keeps its
// place: a unit maps to exactly one unit (a surrogate pair to one pair), so an
// index into the folded text is an index into the original. Mappings that
// would change the length (the dotted capital I lowers to "i" plus a combining
// dot in full case mapping) use the one-to-one simple mapping instead.
namespace casefold {

// The folded form of one code unit that is not part of a surrogate pair.
inline char16_t foldUnit(char16_t unit) {
    if (unit < 0x80)
        return (unit >= u'A' && unit <= u'Z') ? char16_t(unit + 0x20) : unit;
    if (QChar::isSurrogate(unit))
        return unit;
    // Qt keeps the dotted capital I for its full mapping; its simple one is "i".
    if (unit == 0x0130)
        return u'i';
    const char32_t lower = QChar::toLower(char32_t(unit));
    return lower <= 0xFFFF ? char16_t(lower) : unit;
}

// The folded copy of a text, of the same length.
QString fold(QStringView text);

// True when both texts have the same length and fold to the same units.
bool equalFolded(QStringView a, QStringView b);

} // namespace casefold
