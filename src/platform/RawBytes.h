#pragma once

#include <QChar>
#include <cstdint>

// A byte that a file's character set cannot read (a broken sequence, a byte
// the set leaves undefined, the odd last byte of UTF-16) stays in the text as
// one character of its own, U+10FE00 plus the byte, and every writer of that
// set writes it back as the byte. These 256 code points sit at the end of the
// last private use plane, where no character set the editor reads puts
// anything; a file that really holds one of them reads it as its bytes, each a
// stand-in of its own, so the file still comes back byte for byte.
namespace rawbytes {

constexpr char32_t kFirst = 0x10FE00;
constexpr char16_t kHigh = 0xDBFF;    // QChar::highSurrogate(kFirst)
constexpr char16_t kLowBase = 0xDE00; // QChar::lowSurrogate(kFirst)
static_assert(QChar::highSurrogate(kFirst) == kHigh && QChar::lowSurrogate(kFirst) == kLowBase);

constexpr bool isStandIn(char32_t codePoint) {
    return (codePoint & ~char32_t(0xFF)) == kFirst;
}
constexpr bool isStandIn(char16_t high, char16_t low) {
    return high == kHigh && (low & 0xFF00) == kLowBase;
}
// Whether units[i] starts a stand-in.
inline bool startsStandIn(const char16_t* units, qsizetype i, qsizetype n) {
    return units[i] == kHigh && i + 1 < n && (units[i + 1] & 0xFF00) == kLowBase;
}
constexpr uint8_t byteOf(char16_t low) {
    return static_cast<uint8_t>(low & 0xFF);
}
constexpr char16_t lowOf(uint8_t byte) {
    return static_cast<char16_t>(kLowBase | byte);
}

// Where a text's stand-ins are counted: how many, and the first one's place
// (a byte offset of the file, or an index of the text, as the caller says).
struct Report {
    qsizetype count = 0;
    qsizetype first = -1;
    void add(qsizetype at, qsizetype bytes = 1) {
        if (count == 0)
            first = at;
        count += bytes;
    }
    // Adds what another report counted in a part that starts at base.
    void add(const Report& part, qsizetype base) {
        if (part.count > 0)
            add(base + part.first, part.count);
    }
};

} // namespace rawbytes
