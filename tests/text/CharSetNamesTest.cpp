#include "CharSetNames.h"

#include <gtest/gtest.h>

// The lists, and the names of シフトJIS, ANSI and the automatic choice:
// CharSetServicesTest.
TEST(CharSetNamesTest, NameLookup) {
    EXPECT_EQ(GetCharCodeFromName(QString::fromUtf16(u"(自動判定)")), 0);
    EXPECT_EQ(GetCharCodeFromName("Unicode(BigEndian)"), 3);
    EXPECT_EQ(GetCharCodeFromName("UTF-8N"), 5);
    EXPECT_EQ(GetCharCodeFromName("JIS"), 7);
    EXPECT_EQ(GetCharCodeFromName("utf-8"), -1); // case matters
    EXPECT_EQ(GetCharCodeFromName(""), -1);
}

TEST(CharSetNamesTest, ListSplitting) {
    // Two bars at the end give one empty item.
    EXPECT_EQ(SplitCharCodeList(u"a| b ||c||"), (QStringList{"a", "b", "", "c", ""}));
    EXPECT_EQ(SplitCharCodeList(u"one"), QStringList{"one"});
    EXPECT_EQ(SplitCharCodeList(u""), QStringList());
    EXPECT_EQ(SplitCharCodeList(u"|"), QStringList{""});
}
