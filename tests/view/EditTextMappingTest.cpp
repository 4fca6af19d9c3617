#include "EditTextMapping.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace edittext;

TEST(EditTextMapping, MixedLineEndingsSurviveTheRoundTrip) {
    const QString samples[] = {
        QString(),
        QStringLiteral("\r\n"),
        QStringLiteral("a\r\nb\rc\nd\r\n"),
        QStringLiteral("\r\r\n\n\r"),
        QStringLiteral("x\n\r\n\ry"),
        QString::fromUtf16(u"para\u2029line\u2028end"),
    };
    for (const QString& s : samples)
        EXPECT_EQ(fromControlText(toControlText(s)), s) << s.toStdString();
}

TEST(EditTextMapping, OnlyCrLfBecomesABreakAndCountsTwo) {
    const QString control = toControlText(QStringLiteral("a\r\nb\rc\nd"));
    ASSERT_EQ(control.size(), 7);
    EXPECT_EQ(control[1], QChar(u'\n'));
    EXPECT_EQ(control[3].unicode(), kLoneCr);
    EXPECT_EQ(control[5].unicode(), kLoneLf);
    EXPECT_EQ(deviceLength(control), 8);
    EXPECT_TRUE(isStandIn(control[3]));
    EXPECT_FALSE(isStandIn(control[1]));
}

TEST(EditTextMapping, GroupedTextKeepsUpTo16LinesInABlock) {
    static_assert(kMaxLinesPerBlock == 16 && kMaxBlockLength == 1024);
    QString text;
    for (int i = 0; i < 70; ++i)
        text += QStringLiteral("x\r\n");
    const QString control = toGroupedControlText(text);
    // 71 lines: blocks of 16, 16, 16, 16 and 7; 70 breaks, four of them
    // block breaks.
    EXPECT_EQ(control.count(QChar(u'\n')), 4);
    EXPECT_EQ(countInBlockBreaks(control), 66);
    EXPECT_EQ(control.indexOf(QChar(u'\n')), 2 * 15 + 1);
    EXPECT_EQ(deviceLength(control), text.size());
    EXPECT_EQ(fromControlText(control), text);
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

TEST(EditTextMapping, GroupedTextKeepsEveryOtherCharacter) {
    const QString samples[] = {
        QStringLiteral("a\r\nb\rc\nd\r\n"),
        QStringLiteral("\r\r\n\n\r"),
        QString::fromUtf16(u"para\u2029line\u2028end\r\n\u2028\r\n"),
    };
    for (const QString& s : samples) {
        const QString control = toGroupedControlText(s);
        EXPECT_EQ(fromControlText(control), s) << s.toStdString();
        EXPECT_EQ(deviceLength(control), s.size());
        // A U+2028 of the text is a stand-in, never a break.
        EXPECT_EQ(countInBlockBreaks(control), s.count(QStringLiteral("\r\n")));
    }
}
