#pragma once

#include "CharSet.h"
#include "ResultCodes.h"

#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>
#include <span>

// Byte converters between Shift-JIS and the EUC and ISO-2022 JIS file forms.
// Each writes a new buffer into out and returns a result code: rc::SUCCESS,
// or rc::OUT_OF_MEMORY with out emptied. Arbitrary bytes never read out of
// bounds; a character cut off by the end of the input becomes ■.

RESULT EucToShiftJis(QByteArrayView euc, QByteArray& shiftJis);
RESULT JisToShiftJis(QByteArrayView jis, QByteArray& shiftJis);
// The same a piece at a time, for reading a file while it is converted on:
// from is where the piece starts (0, then where the last one stopped) and is
// moved on; a piece ends just after the first LF byte read as LF at or past
// stopAt, or at the end. The pieces put together give what the whole-input
// converters give. JIS carries its shift state from piece to piece.
RESULT EucToShiftJisPart(QByteArrayView euc, qsizetype& from, qsizetype stopAt,
                         QByteArray& shiftJis);
RESULT JisToShiftJisPart(QByteArrayView jis, qsizetype& from, qsizetype stopAt, bool& doubleByte,
                         bool& kana, QByteArray& shiftJis);
// A character EUC can't hold (lead byte 0xF0-0xFC) is written as "?". The
// bytes at the offsets rawAt (ascending, each at a character's start) are
// bytes of the file that the set can't read: they are written as they are.
RESULT ShiftJisToEuc(QByteArrayView shiftJis, QByteArray& euc,
                     std::span<const qsizetype> rawAt = {});
// As ShiftJisToEuc, for JIS; half-width katakana become full-width unless
// mode is HalfWidth, which writes them in the JIS katakana set. A raw byte
// is written in whatever set is current; a raw ESC ends the current set, as
// it does for the reader.
RESULT ShiftJisToJis(QByteArrayView shiftJis, QByteArray& jis, JisKatakanaMode mode,
                     std::span<const qsizetype> rawAt = {});

// The shift state of JIS text: which set its bytes are read in.
enum class JisState { Single, Double, Kana };
// Reads the escape sequence at p[i] (an ESC): returns its length and sets the
// mode it designates. An ESC that starts no known designation is one byte
// long and sets Single. Bytes past n are not read.
size_t JisDesignationAt(const uint8_t* p, size_t n, size_t i, JisState& mode);

struct FullWidthKana {
    uint16_t shiftJis; // the full-width character, lead byte in the high half
    bool usedNextByte; // a sound mark was combined into it
};
// Maps a half-width katakana byte (0xA1-0xDF) to its full-width Shift-JIS
// character, combining a following ﾞ or ﾟ where a voiced form exists. Any
// other byte gives ■ (0x81A1).
FullWidthKana HalfWidthKanaToFullWidth(uint8_t byte, uint8_t nextByte);

namespace jisx0208 {
// The standard arithmetic mapping between a JIS X 0208 row/cell pair
// (0x21-0x7E each) and a Shift-JIS pair.
inline void toShiftJis(uint8_t j1, uint8_t j2, uint8_t& s1, uint8_t& s2) {
    unsigned lead = ((j1 - 0x21u) >> 1) + 0x81u;
    if (lead > 0x9F)
        lead += 0x40;
    unsigned trail;
    if (j1 & 1) {
        trail = j2 + 0x1Fu;
        if (trail >= 0x7F)
            ++trail;
    } else {
        trail = j2 + 0x7Eu;
    }
    s1 = static_cast<uint8_t>(lead);
    s2 = static_cast<uint8_t>(trail);
}
inline void fromShiftJis(uint8_t s1, uint8_t s2, uint8_t& j1, uint8_t& j2) {
    unsigned lead = s1 >= 0xE0 ? s1 - 0x40u : s1;
    unsigned row = (lead - 0x81u) * 2 + 0x21u;
    if (s2 >= 0x9F) {
        j1 = static_cast<uint8_t>(row + 1);
        j2 = static_cast<uint8_t>(s2 - 0x7Eu);
    } else {
        j1 = static_cast<uint8_t>(row);
        j2 = static_cast<uint8_t>(s2 - (s2 >= 0x80 ? 0x20u : 0x1Fu));
    }
}
} // namespace jisx0208
