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

// CR LF -> '\n' (a paragraph break for the document), lone CR -> kLoneCr,
// lone LF -> kLoneLf, U+2029 and U+2028 -> their stand-ins. Linear in the length.
QString toControlText(QStringView deviceText);

// The reverse of toControlText: '\n' and U+2029 -> CR LF, the stand-ins back
// to CR and LF. Linear in the length.
QString fromControlText(QStringView controlText);

// Number of characters the text has in the edit buffer's counting, where a
// paragraph break counts two.
qsizetype deviceLength(QStringView controlText);

inline bool isStandIn(QChar c) {
    return c.unicode() >= kLoneCr && c.unicode() <= kLineSeparator;
}

} // namespace edittext
