#pragma once

#include <QByteArrayView>
#include <QString>

class Locale;

// How the bytes of a macro file are read.
enum class MacroFileEncoding {
    Utf16LittleEndian,
    Utf16BigEndian, // only with the mark FE FF
    Utf8,
    Ansi,
};

// The encoding of a macro file. UTF-16 when the file begins with a mark FF FE
// or FE FF or when its first 1,024 bytes hold a zero byte. Other files are
// 8-bit text: UTF-8 when they begin with EF BB BF or are valid UTF-8 as a
// whole, else the ANSI code page.
MacroFileEncoding macroFileEncoding(QByteArrayView bytes);

// The text of a macro file, without its byte-order mark. A trailing odd byte
// of a UTF-16 file is not a character and is dropped.
QString decodeMacroFile(QByteArrayView bytes, const Locale& locale);

// One logical line: physical lines ending in a backslash joined with the
// following ones, the backslash dropped. number is the physical line (from 1)
// on which the logical line begins.
struct MacroLine {
    int number = 0;
    QString text;
};

// Splits the text into logical lines. A physical line ends at LF; a CR right
// before the LF is dropped with it. A zero character ends the text of its
// physical line.
class MacroLineReader {
  public:
    explicit MacroLineReader(QStringView text) : text_(text) {}

    bool next(MacroLine& line);

  private:
    QStringView text_;
    qsizetype pos_ = 0;
    int physicalLine_ = 0;
};
