#pragma once

#include "JapaneseConverters.h"
#include "RawBytes.h"

#include <QByteArrayView>
#include <QString>

// The loader's readers of the file forms that keep every byte: a byte (or a
// broken sequence) the form can't read becomes the stand-in of each of its
// bytes (RawBytes.h), counted in report with its offset in the input, and
// the set's writer gives it back. NUL reads as U+0000 like any character.
// Characters are read only where the set's writer writes them back as the
// same bytes, or as another code of the same character (code page 932's
// duplicates); what the writer would change reads as stand-ins instead.

// UTF-8: only well-formed sequences of at most four bytes read as
// characters; a high surrogate written in three bytes reads as its bytes when
// a low one follows it (the writer would join the two into one four-byte
// sequence); a character among the stand-ins' own code points reads as its
// bytes.
QString Utf8ToUtf16KeepingBytes(QByteArrayView utf8, rawbytes::Report& report);

// UTF-16 after the byte-order mark: every whole unit reads as itself, an odd
// last byte as its stand-in, and a pair that is a stand-in's own code point
// as its four bytes.
QString Utf16ToUtf16KeepingBytes(QByteArrayView bytes, bool bigEndian, rawbytes::Report& report);

// EUC and JIS straight to UTF-16 through code page 932's characters, from
// `from` on, until the end or just after an LF byte read as LF at or past
// stopAt (as EucToShiftJisPart and JisToShiftJisPart end their pieces);
// from is moved on. JIS carries its shift state in mode. Report offsets
// count from the start of the input.
QString EucToUtf16KeepingBytes(QByteArrayView euc, qsizetype& from, qsizetype stopAt,
                               rawbytes::Report& report);
QString JisToUtf16KeepingBytes(QByteArrayView jis, qsizetype& from, qsizetype stopAt,
                               JisState& mode, rawbytes::Report& report);

namespace jisx0208 {
// The character code page 932 reads for a JIS X 0208 row and cell
// (0x21-0x7E each) when the EUC and JIS writers give it back in a form that
// reads as the same character; 0 for any other code.
char16_t unitOf(uint8_t row, uint8_t cell);
} // namespace jisx0208
