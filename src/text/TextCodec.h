#pragma once

#include "CharSet.h"
#include "RawBytes.h"
#include "ResultCodes.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

class CodePage;

// The loader's and the writer's conversions between a file's bytes and the
// text of the edit buffer, without any window or message.

struct DecodedText {
    QString text;            // CR LF line breaks; NUL bytes read as U+0000
    LineEndingId lineEnding; // the file's line ending, 0-2
    RESULT result;           // rc::SUCCESS, else the text is empty
    // The bytes the set can't read, kept in the text as stand-ins
    // (RawBytes.h); first is the first one's offset in the file.
    rawbytes::Report rawBytes = {};
};

// Reads a file's bytes in a set 1-8, every byte kept (FileTextDecoders.h), (detect first with DetectCharSet when the
// user chose automatic detection; 0 and -1 read as ANSI). The line ending is
// counted over the raw bytes (over UTF-16 units for sets 2 and 3); lone CRs
// (line ending CR) or LFs (line ending LF) are widened to CR LF, so a file
// with mixed line endings keeps the others as they are and comes back
// unchanged from EncodeFileText with the same line ending. Pass the bytes
// with std::move: they are released as soon as they are decoded.
DecodedText DecodeFileText(QByteArray bytes, CharSetId charSet, const CodePage& ansi);

struct EncodedText {
    QByteArray bytes; // the file's whole content, byte-order mark first
    RESULT result;    // rc::SUCCESS, else nothing is to be written
};

// Writes the edit buffer's text in a set 1-8 (others write as ANSI): every
// CR LF pair becomes the line ending (lone CRs and LFs stay as they are),
// then the set's encoding follows its byte-order mark (FF FE, FE FF or
// EF BB BF). An empty text gives just the mark. A character the code page
// can't hold is written as "?". A stand-in is written as its byte: saving in
// another set than the one the text was read in, replace them first
// (replaceRawBytes).
EncodedText EncodeFileText(QString text, CharSetId charSet, LineEndingId lineEnding,
                           JisKatakanaMode katakanaMode, const CodePage& ansi);

// The two pipelines without the line-break conversions: the text keeps the
// file's line breaks as they are. Widening a file's breaks and narrowing them
// again to the same line ending gives the text back unchanged, so
// EncodeFileTextAsIs(DecodeFileTextAsIs(b).text) writes what EncodeFileText
// writes for DecodeFileText(b) with the line ending it found, in one pass
// fewer each way.
DecodedText DecodeFileTextAsIs(QByteArray bytes, CharSetId charSet, const CodePage& ansi);
EncodedText EncodeFileTextAsIs(QString text, CharSetId charSet, JisKatakanaMode katakanaMode,
                               const CodePage& ansi);

// DecodeFileText followed by EncodeFileText (line ending eol, or the one the
// file has when eol is not given), with the same bytes as the result, handed
// to write a piece at a time so that each piece is written while it is still
// in the cache and no whole-file UTF-16 copy is made. A piece ends after an
// LF byte; JIS output and UTF-16 input go in one piece. When the line breaks
// stay, Shift-JIS, EUC and JIS go to UTF-8 and UTF-8 to Shift-JIS straight
// from bytes to bytes (StraightConverters.h) wherever that gives the same
// bytes. Stops when write returns false (writeFailed). On a conversion error
// nothing more is written and result tells it. Bytes `from` can't read come
// back as they were when keepsRawBytes(from, to), else they are replaced
// (replaceRawBytes); rawBytes counts them with the first one's offset in the
// input. With RawBytes::Refuse the conversion stops at the first piece that
// holds one, before that piece is written (refused).
struct ConvertedText {
    RESULT result = rc::SUCCESS;
    bool writeFailed = false;
    bool refused = false;
    bool rawBytesReplaced = false;
    rawbytes::Report rawBytes;
};
enum class RawBytes { KeepOrReplace, Refuse };
ConvertedText ConvertFileText(QByteArray bytes, CharSetId from, CharSetId to,
                              std::optional<LineEndingId> eol, JisKatakanaMode katakanaMode,
                              const CodePage& ansi,
                              const std::function<bool(const char*, qsizetype)>& write,
                              RawBytes rawBytes = RawBytes::KeepOrReplace);

// The stand-ins of a text: how many, and the index of the first.
rawbytes::Report countRawBytes(QStringView text);
// Whether a byte read in `from` means the same byte written in `to`: the
// same set, UTF-8 with and without the mark, or ANSI and Shift-JIS on a
// system whose code page is 932.
bool keepsRawBytes(CharSetId from, CharSetId to, const CodePage& ansi);
// Replaces every stand-in by what `to` writes for a character it can't
// hold: U+FFFD in the Unicode sets, "?" in the others. Returns how many.
qsizetype replaceRawBytes(QString& text, CharSetId to);

// The line-break conversions of the two pipelines, on their own.
QString widenLineBreaks(QString text, LineEndingId lineEnding);
QString narrowLineBreaks(QString text, LineEndingId lineEnding);
