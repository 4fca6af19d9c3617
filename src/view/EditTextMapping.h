#pragma once

#include <QChar>
#include <QString>
#include <QStringView>

// The edit buffer's text has CR LF line breaks and counts each as two
// characters. QTextDocument turns every CR, LF and CR LF into one paragraph
// break, and U+2029, U+2028, U+FDD0 and U+FDD1 into breaks of its own, so
// those characters of the text would be lost or turn into line breaks. The
// edit control therefore keeps each of them as a stand-in noncharacter
// (Unicode reserves noncharacters for exactly this kind of internal use) and
// maps them back when the text is read. One character of the text is one
// character of the control, so indices stay simple.
namespace edittext {

// The six stand-ins of one control. The defaults come from the block of
// noncharacters U+FDD0-U+FDEF; a text that itself holds one of them gets
// characters it does not use (see chooseStandIns), so nothing is mixed up.
struct StandIns {
    char16_t loneCr = 0xFDE0;
    char16_t loneLf = 0xFDE1;
    char16_t paragraphSeparator = 0xFDE2; // U+2029 of the text
    char16_t lineSeparator = 0xFDE3;      // U+2028 of the text
    char16_t frameStart = 0xFDE4;         // U+FDD0 of the text
    char16_t frameEnd = 0xFDE5;           // U+FDD1 of the text

    // The character of the text a stand-in stands for; 0 for any other.
    char16_t meaningOf(char16_t c) const;
    bool isStandIn(QChar c) const { return meaningOf(c.unicode()) != 0; }
    // The smallest of the six: every character below it is no stand-in.
    char16_t lowest() const;
    // Whether the text holds one of the six stand-in characters.
    bool usedIn(QStringView text) const;
};

// The default set when neither text holds one of its characters; otherwise
// each role the texts take gets a character neither text holds: the other
// noncharacters (U+FDD2-U+FDEF, U+FFFE, U+FFFF) first, then the private use
// area from U+F8FF down. Only a text holding nearly all of those 6,432
// characters finds none free and gets the default set. Linear in the lengths.
StandIns chooseStandIns(QStringView text, QStringView more = {});

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

// CR LF -> '\n' (a paragraph break for the document); a lone CR, a lone LF,
// U+2029, U+2028, U+FDD0 and U+FDD1 -> their stand-ins. The text must not
// hold a stand-in character itself (chooseStandIns). Linear in the length.
QString toControlText(QStringView deviceText, const StandIns& standIns = {});

// As toControlText, but a CR LF becomes kInBlockBreak while the block it
// ends has fewer than kMaxLinesPerBlock lines and kMaxBlockLength characters
// (counted from the start of the text); otherwise '\n'.
QString toGroupedControlText(QStringView deviceText, const StandIns& standIns = {});

// The reverse of both: '\n', U+2029 and kInBlockBreak -> CR LF, the stand-ins
// back to the characters they stand for. Linear in the length.
QString fromControlText(QStringView controlText, const StandIns& standIns = {});

// Number of kInBlockBreak characters in the text.
qsizetype countInBlockBreaks(QStringView controlText);

// Number of characters the text has in the edit buffer's counting, where a
// paragraph break or an in-block break counts two.
qsizetype deviceLength(QStringView controlText);

inline bool isLineBreak(QChar c) {
    return c == u'\n' || c.unicode() == 0x2029 || c.unicode() == kInBlockBreak;
}

} // namespace edittext
