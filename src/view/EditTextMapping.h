#pragma once

#include <QChar>
#include <QString>
#include <QStringView>

// The edit buffer's text has CR LF line breaks and counts each as two
// characters. QTextDocument turns every CR, LF and CR LF into one paragraph
// break, so a lone CR or a lone LF would be lost or turn into a line break.
// The edit control therefore keeps them as two stand-in noncharacters, which
// Unicode reserves for exactly this kind of internal use, and maps them back
// when the text is read.
namespace edittext {

// U+FDD0 and U+FDD1 are taken by QTextDocument for frame boundaries, so the
// stand-ins come from further up the same block of noncharacters.
constexpr char16_t kLoneCr = 0xFDE0;
constexpr char16_t kLoneLf = 0xFDE1;
// U+2029 and U+2028 in the text itself would break the line in the document;
// they are kept as stand-ins too.
constexpr char16_t kParagraphSeparator = 0xFDE2;
constexpr char16_t kLineSeparator = 0xFDE3;

// A line break inside one block of the document. QTextDocument pays about
// three microseconds for every block it creates, so a file of 400,000 short
// lines would take over a second to load with one block per line. Text put
// into the control therefore keeps up to kMaxLinesPerBlock lines (and about
// kMaxBlockLength characters) in one block, separated by this character,
// which the text layout breaks the line at. Both breaks are CR LF to the
// edit buffer; the control's line questions count both.
constexpr char16_t kInBlockBreak = 0x2028; // QChar::LineSeparator
constexpr int kMaxLinesPerBlock = 16;
constexpr int kMaxBlockLength = 1024;

// CR LF -> '\n' (a paragraph break for the document), lone CR -> kLoneCr,
// lone LF -> kLoneLf, U+2029 and U+2028 -> their stand-ins. Linear in the length.
QString toControlText(QStringView deviceText);

// As toControlText, but a CR LF becomes kInBlockBreak while the block it
// ends has fewer than kMaxLinesPerBlock lines and kMaxBlockLength characters
// (counted from the start of the text); otherwise '\n'.
QString toGroupedControlText(QStringView deviceText);

// The reverse of both: '\n', U+2029 and kInBlockBreak -> CR LF, the stand-ins
// back to CR, LF, U+2029 and U+2028. Linear in the length.
QString fromControlText(QStringView controlText);

// Number of kInBlockBreak characters in the text.
qsizetype countInBlockBreaks(QStringView controlText);

// Number of characters the text has in the edit buffer's counting, where a
// paragraph break or an in-block break counts two.
qsizetype deviceLength(QStringView controlText);

inline bool isLineBreak(QChar c) {
    return c == u'\n' || c.unicode() == 0x2029 || c.unicode() == kInBlockBreak;
}

inline bool isStandIn(QChar c) {
    return c.unicode() >= kLoneCr && c.unicode() <= kLineSeparator;
}

} // namespace edittext
