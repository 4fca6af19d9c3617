#pragma once

#include "JapaneseConverters.h"

#include <QByteArray>
#include <QByteArrayView>

class CodePage;

// Conversions between the byte forms of a file and UTF-8 that skip the
// UTF-16 text in between: one walk over the bytes and a table lookup per
// character instead of a walk to UTF-16 and another one out of it. They serve
// the command-line conversion, a piece of a file at a time, and cover the
// characters ordinary text is made of. Each either writes into out exactly
// the bytes the conversion through UTF-16 gives for the same piece, or
// returns false, leaving the piece to that conversion: for a NUL (where the
// text ends), a bad unit, a surrogate, a character cut off by the end, a code
// read as several units, and the like. out's capacity is kept from piece to
// piece.

// Bytes the code page reads (toUnicode) to UTF-8 (Utf16ToUtf8).
bool CodePageToUtf8(QByteArrayView bytes, const CodePage& codePage, QByteArray& out);

// EUC or JIS from from on, read to Shift-JIS (as EucToShiftJisPart and
// JisToShiftJisPart do, with the same end of the piece) and through code page
// 932 to UTF-8. On success from is moved to the end of the piece and, for
// JIS, state to the shift state there; on failure both stay as they were.
bool EucToUtf8Part(QByteArrayView euc, qsizetype& from, qsizetype stopAt, QByteArray& out);
bool JisToUtf8Part(QByteArrayView jis, qsizetype& from, qsizetype stopAt, JisState& state,
                   QByteArray& out);

// UTF-8 read as Utf8ToUtf16 reads it, written through the code page
// (fromUnicode).
bool Utf8ToCodePage(QByteArrayView utf8, const CodePage& codePage, QByteArray& out);
