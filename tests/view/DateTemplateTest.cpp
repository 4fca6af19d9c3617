#include "DateTemplate.h"

#include <gtest/gtest.h>

namespace {
QDateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s));
}
} // namespace

TEST(DateTemplate, EveryField) {
    EXPECT_EQ(fillDateFields(QStringLiteral("YY yy MM mm DD dd HH hh TT tt SS ss"),
                             at(2009, 3, 4, 5, 6, 7)),
              QStringLiteral("2009 09 03 3 04 4 05 5 06 6 07 7"));
    EXPECT_EQ(fillDateFields(QStringLiteral("DofWeng MofYeng DofWjpn"), at(2024, 12, 1)),
              QStringLiteral("Sun Dec 日"));
    EXPECT_EQ(fillDateFields(QStringLiteral("DofWeng MofYeng"), at(2024, 1, 6)),
              QStringLiteral("Sat Jan"));
}

TEST(DateTemplate, EraFollowsTheDate) {
    EXPECT_EQ(fillDateFields(QStringLiteral("WW ww"), at(2026, 12, 6)),
              QStringLiteral("令和08 令和8"));
    EXPECT_EQ(fillDateFields(QStringLiteral("WW"), at(2019, 4, 30)), QStringLiteral("平成31"));
    EXPECT_EQ(fillDateFields(QStringLiteral("WW ww"), at(2019, 5, 1)),
              QStringLiteral("令和01 令和1"));
    EXPECT_EQ(fillDateFields(QStringLiteral("ww"), at(1989, 1, 8)), QStringLiteral("平成1"));
    EXPECT_EQ(fillDateFields(QStringLiteral("ww"), at(1989, 1, 7)), QStringLiteral("昭和64"));
}

TEST(DateTemplate, HashesOnlyAtTheEndsAreRemoved) {
    EXPECT_EQ(expandInsertText(QStringLiteral("##A#DD##"), at(2011, 7, 8)), QStringLiteral("A#08"));
    EXPECT_EQ(expandInsertText(QStringLiteral("YY no hash"), at(2011, 7, 8)),
              QStringLiteral("YY no hash"));
    EXPECT_EQ(expandInsertText(QStringLiteral("###"), at(2011, 7, 8)), QString());
}
