#pragma once

#include <QChar>
#include <QString>
#include <QStringView>
#include <array>

// The edit buffer's text has CR LF line breaks and counts each as two
// characters. QTextDocument turns every CR, LF and CR LF into one paragraph
// break, and U+2029, U+2028, U+FDD0 and U+FDD1 into breaks of its own, so
// those characters of the text would be lost or turn into line breaks, and
// it cuts its plain text at a NUL. The
// edit control therefore keeps each of them as a stand-in noncharacter
// (Unicode reserves noncharacters for exactly this kind of internal use) and
// maps them back when the text is read. One character of the text is one
// character of the control, so indices stay simple.
namespace edittext {

// The kinds of stand-in, one row each in kStandInKinds: the character of the
// text it stands for, its default stand-in and the mark drawn in its place.
// A new kind is one more enumerator and one more row.
enum class StandInKind : unsigned char {
    LoneCr,
    LoneLf,
    ParagraphSeparator, // U+2029 of the text
    LineSeparator,      // U+2028 of the text
    FrameStart,         // U+FDD0 of the text
    FrameEnd,           // U+FDD1 of the text
    Nul,                // U+0000 of the text
};
constexpr int kStandInKindCount = 7;

// How the view shows a stand-in: as a mark drawn on a shaded cell, or as the
// font shows the character it stands for.
enum class StandInMark : unsigned char { None, ArrowLeft, ArrowDown, Pilcrow, BentArrow, Nul };

struct StandInKindInfo {
    char16_t meaning;
    char16_t defaultStandIn;
    StandInMark mark;
};

// The defaults come from the block of noncharacters U+FDD0-U+FDEF.
inline constexpr std::array<StandInKindInfo, kStandInKindCount> kStandInKinds{{
    {u'\r', 0xFDE0, StandInMark::ArrowLeft},
    {u'\n', 0xFDE1, StandInMark::ArrowDown},
    {0x2029, 0xFDE2, StandInMark::Pilcrow},
    {0x2028, 0xFDE3, StandInMark::BentArrow},
    {0xFDD0, 0xFDE4, StandInMark::None},
    {0xFDD1, 0xFDE5, StandInMark::None},
    {0x0000, 0xFDE6, StandInMark::Nul},
}};

// The stand-ins of one control, one per kind. A text that itself holds one
// of the defaults gets characters it does not use (see chooseStandIns), so
// nothing is mixed up.
struct StandIns {
    std::array<char16_t, kStandInKindCount> chars = defaultChars();

    static constexpr std::array<char16_t, kStandInKindCount> defaultChars() {
        std::array<char16_t, kStandInKindCount> c{};
        for (int k = 0; k < kStandInKindCount; ++k)
            c[size_t(k)] = kStandInKinds[size_t(k)].defaultStandIn;
        return c;
    }

    char16_t of(StandInKind kind) const { return chars[size_t(kind)]; }
    // The kind of a stand-in character; -1 for any other character.
    int kindOf(char16_t c) const;
    // The character of the text a stand-in stands for; 0 for any other
    // (and for the stand-in of NUL: ask kindOf to tell the two apart).
    char16_t meaningOf(char16_t c) const;
    // The stand-in of a character of the text; the character itself when
    // it needs none.
    char16_t standInFor(char16_t meaning) const;
    bool isStandIn(QChar c) const { return kindOf(c.unicode()) >= 0; }
    // The smallest stand-in: every character below it is no stand-in.
    char16_t lowest() const;
    // Whether the text holds one of the stand-in characters.
    bool usedIn(QStringView text) const;
};

// The default set when neither text holds one of its characters; otherwise
// each kind whose default the texts take gets a character neither text holds: the other
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

// A join of two blocks that hold one line. The text layout lays a block out
// whole, at a cost that grows with its length, so a line of a million
// characters in one block would make every keystroke in it slow. A line
// longer than the chunk length is therefore cut into blocks of at most that
// many characters; the break between two such blocks is no line break and
// counts nothing in the edit buffer. In grouped control text the join is
// this character, which QTextDocument, like the paragraph break, turns into
// a block break (the edit control marks the joined block); the text's own
// U+FDD1 always goes in as a stand-in, so the two are never mixed up.
constexpr char16_t kBlockJoin = 0xFDD1;
constexpr int kMaxLineChunk = 4096;

// CR LF -> '\n' (a paragraph break for the document); every character of
// kStandInKinds -> its stand-in. The text must not
// hold a stand-in character itself (chooseStandIns). Linear in the length.
QString toControlText(QStringView deviceText, const StandIns& standIns = {});

// As toControlText, but a CR LF becomes kInBlockBreak while the block it
// ends has fewer than kMaxLinesPerBlock lines and kMaxBlockLength characters
// (counted from the start of the text); otherwise '\n'. A block longer than
// `chunkLength` is cut: at its last line break within the length when it has
// one, else with a kBlockJoin, after a space near the end if there is one
// and never inside a surrogate pair or before a combining mark.
QString toGroupedControlText(QStringView deviceText, const StandIns& standIns = {},
                             int chunkLength = kMaxLineChunk);

// Where to cut a block's text [from, limit) that goes on beyond `limit`:
// after the last space of the last eighth if there is one, else at the
// limit moved back off a low surrogate or a combining mark.
qsizetype chunkCut(QStringView text, qsizetype from, qsizetype limit);

// The reverse of both: '\n', U+2029 and kInBlockBreak -> CR LF, the stand-ins
// back to the characters they stand for, kBlockJoin dropped. Linear in the length.
QString fromControlText(QStringView controlText, const StandIns& standIns = {});

// Number of kInBlockBreak characters in the text.
qsizetype countInBlockBreaks(QStringView controlText);

// Number of characters the text has in the edit buffer's counting, where a
// paragraph break or an in-block break counts two and a join nothing.
qsizetype deviceLength(QStringView controlText);

inline bool isLineBreak(QChar c) {
    return c == u'\n' || c.unicode() == 0x2029 || c.unicode() == kInBlockBreak;
}

} // namespace edittext
