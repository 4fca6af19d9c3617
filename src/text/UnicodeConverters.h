#pragma once

#include "ResultCodes.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

class CodePage;

// Converters between the file forms and UTF-16. Each returns rc::SUCCESS or an
// error code with the output emptied: rc::OUT_OF_MEMORY when memory runs out,
// rc::CONVERSION_EMPTY when the code page produces nothing.

// UTF-8 to UTF-16. A 4-byte sequence gives its surrogate pair (■ when it
// names no character); 5- and 6-byte sequences give ■; stray continuation
// bytes and 0xFE/0xFF are dropped; continuation bytes are not validated, so
// 3-byte-encoded surrogate halves read back as written. A sequence cut off by
// the end of the input gives ■.
RESULT Utf8ToUtf16(QByteArrayView utf8, QString& text);
// UTF-16 to UTF-8: a surrogate pair as one 4-byte sequence, a lone surrogate
// as a 3-byte sequence, a byte's stand-in (RawBytes.h) as the byte.
RESULT Utf16ToUtf8(QStringView text, QByteArray& utf8);
// Through the ANSI code page; an empty text gives rc::CONVERSION_EMPTY.
RESULT Utf16ToAnsi(QStringView text, const CodePage& codePage, QByteArray& ansi);
// Through the ANSI code page; every bad unit becomes the code page's
// replacement character, so nothing after it is lost.
RESULT AnsiToUtf16(QByteArrayView ansi, const CodePage& codePage, QString& text);
