#include "EditTextMapping.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <vector>

using namespace edittext;

TEST(EditTextMapping, OnlyCrLfBecomesABreak) {
    const QString control = toControlText(QStringLiteral("a\r\nb\rc\nd"));
    const StandIns standIns;
    EXPECT_EQ(control, QStringLiteral("a\nb%1c%2d")
                           .arg(QChar(standIns.of(StandInKind::LoneCr)))
                           .arg(QChar(standIns.of(StandInKind::LoneLf))));
    EXPECT_TRUE(standIns.isStandIn(control[3]));
    EXPECT_FALSE(standIns.isStandIn(control[1]));
    // The grouped form of these is read back in CTextEditTest.EveryCharacterOfTheTextComesBack.
    for (const QString& s :
         {u"\r\r\n\n\r"_qs, u"x\n\r\n\ry"_qs, u"p\u2029l\u2028e\r\n\u2028\r\n"_qs})
        EXPECT_EQ(fromControlText(toControlText(s)), s) << s.toStdString();
}

TEST(EditTextMapping, GroupedTextStartsANewBlockAfterLongLines) {
    // Lines of 600 characters: the second break comes after 1,201 characters
    // of the block and so ends it.
    const QString line = QString(600, QLatin1Char('k')) + QStringLiteral("\r\n");
    const QString control = toGroupedControlText(line.repeated(5));
    const QStringList blocks = control.split(QChar(u'\n'));
    ASSERT_EQ(blocks.size(), 3);
    EXPECT_EQ(blocks[0], QStringLiteral("k").repeated(600) + QChar(kInBlockBreak) +
                             QStringLiteral("k").repeated(600));
    EXPECT_EQ(countInBlockBreaks(blocks[1]), 1);
    EXPECT_EQ(blocks[2], QStringLiteral("k").repeated(600) + QChar(kInBlockBreak));
}

namespace {
// Every UTF-16 code unit but the surrogates, each followed by a letter, then
// pairs, lone halves and every combination of CR and LF.
QString everyCodeUnit() {
    QString text;
    for (int c = 1; c < 0x10000; ++c) {
        if (c >= 0xD800 && c < 0xE000)
            continue;
        text += QChar(char16_t(c));
        text += QLatin1Char('.');
    }
    text += QString::fromUtf16(u"\U0001F600\U00020B9F");
    text += QChar(char16_t(0xD800));
    text += QStringLiteral("x");
    text += QChar(char16_t(0xDC00));
    text += QStringLiteral("\r\n\r\r\n\n\r\n\n\r");
    return text;
}

std::vector<char16_t> setOf(const StandIns& s) {
    return {s.chars.begin(), s.chars.end()};
}
} // namespace

TEST(EditTextMapping, EveryCodeUnitSurvivesTheRoundTrip) {
    // Seven private characters must be free for the stand-ins.
    QString text = everyCodeUnit();
    for (char16_t c = 0xE000; c < 0xE007; ++c)
        text.remove(QChar(c));
    const StandIns standIns = chooseStandIns(text);
    const QString control = toGroupedControlText(text, standIns);
    EXPECT_EQ(fromControlText(control, standIns), text);
    // Nothing the document would take for a break of its own is left but
    // the joins that cut the long line into blocks of at most the chunk length.
    for (const char16_t c : {u'\r', char16_t(0x2029), char16_t(0xFDD0)})
        EXPECT_FALSE(control.contains(QChar(c))) << int(c);
    qsizetype blockStart = 0;
    int joins = 0;
    for (qsizetype i = 0; i <= control.size(); ++i) {
        if (i < control.size() && control[i] != u'\n' && control[i].unicode() != kBlockJoin)
            continue;
        EXPECT_LE(i - blockStart, kMaxLineChunk);
        joins += i < control.size() && control[i].unicode() == kBlockJoin;
        // A cut never splits a surrogate pair.
        EXPECT_FALSE(i < control.size() && i > 0 && control[i - 1].isHighSurrogate() &&
                     i + 1 < control.size() && control[i + 1].isLowSurrogate());
        blockStart = i + 1;
    }
    EXPECT_GT(joins, 0);
}

TEST(EditTextMapping, StandInsAvoidTheNoncharactersOfTheText) {
    const StandIns defaults;
    EXPECT_EQ(setOf(chooseStandIns(QStringLiteral("plain\r\ntext"))), setOf(defaults));
    // U+FDE0 and U+FDE4 are in the text, U+FDE1 in the text to come: those
    // three are replaced by the first free noncharacters, U+FDD2 to U+FDD4.
    const QString text = QString::fromUtf16(u"a\uFDE0b\uFDE4\uFDD0");
    const StandIns chosen = chooseStandIns(text, QString::fromUtf16(u"\uFDE1"));
    EXPECT_EQ(setOf(chosen),
              (std::vector<char16_t>{0xFDD2, 0xFDD3, 0xFDE2, 0xFDE3, 0xFDD4, 0xFDE5, 0xFDE6}));
    EXPECT_FALSE(chosen.usedIn(text));
    EXPECT_EQ(fromControlText(toControlText(text + QStringLiteral("\r"), chosen), chosen),
              text + QStringLiteral("\r"));
    // With 28 of the 32 noncharacters taken, the private use area helps out
    // from its top.
    QString crowded;
    for (char16_t c = 0xFDD2; c <= 0xFDED; ++c)
        crowded += QChar(c);
    crowded += QChar(char16_t(0xF8FF));
    const StandIns last = chooseStandIns(crowded);
    EXPECT_EQ(setOf(last),
              (std::vector<char16_t>{0xFDEE, 0xFDEF, 0xFFFE, 0xFFFF, 0xF8FE, 0xF8FD, 0xF8FC}));
    EXPECT_EQ(last.lowest(), 0xF8FC);
    const QString sample =
        crowded + QString::fromUtf16(u"\r\u2028\uFDD0\n\u2029\uFDD1") + QChar(u'\0');
    EXPECT_EQ(fromControlText(toControlText(sample, last), last), sample);
}
