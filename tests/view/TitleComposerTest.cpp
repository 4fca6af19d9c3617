#include "TitleComposer.h"

#include <gtest/gtest.h>

TEST(TitleFlags, DefaultsShowMarkAndCaretBeforeTheName) {
    EXPECT_EQ(titleflags::build(0, 1, 1, 0), 0x1110);
    EXPECT_EQ(titleflags::build(1, 0, 0, 1), 0x2001);
    EXPECT_EQ(titleflags::build(5, 7, 9, 3), 0x2111);
}

TEST(TitleComposer, NewDocumentGetsString35032UnlessLabelBitsAreSet) {
    TitleComposer c;
    EXPECT_EQ(c.update(std::nullopt, 0x1010, true, std::nullopt, false),
              QStringLiteral("(新規テキスト)"));
    EXPECT_EQ(c.update(std::nullopt, 0x1011, true, std::nullopt, true), QStringLiteral(" *"));
    EXPECT_EQ(c.update(QStringLiteral("Tavloテキストエディタ"), 0x1101, true,
                       QStringLiteral("(1:1)"), false),
              QStringLiteral("(1:1) Tavloテキストエディタ"));
}

TEST(DisplayColumn, TabFullWidthAndHalfWidthCharacters) {
    // Tab to 8, あ counts 2, a counts 1, plus 1: CEditerTest.TitleWithPathCaretAndChangedMark.
    EXPECT_EQ(displayColumn(u"ab\tc", 3, 4), 4);
    EXPECT_EQ(displayColumn(u"abcd\t", 5, 4), 8);
    EXPECT_EQ(displayColumn(u"ｱｲ", 2, 8), 2);   // half-width katakana
    EXPECT_EQ(displayColumn(u"ＡＢ", 2, 8), 4); // full-width Latin
    EXPECT_EQ(displayColumn(u"\t", 1, 1), 1);
}
