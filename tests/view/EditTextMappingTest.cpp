#include "EditTextMapping.h"

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
