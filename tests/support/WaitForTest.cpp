// The waiting checks must fail the test when their condition never comes
// true: a check that passes silently would let every test that uses it pass
// whatever the product does.

#include "WaitFor.h"

#include <QElapsedTimer>
#include <QSize>
#include <QTimer>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {

// EXPECT_FATAL_FAILURE can't see local variables: the statements under test
// live in functions of their own and leave their traces here.
bool gNever = false;
bool gReachedAfterCheck = false;

void fatalVerifyThatNeverHolds() {
    gReachedAfterCheck = false;
    TAVLO_TRY_VERIFY_WITH_TIMEOUT(gNever, 50) << "extra words";
    gReachedAfterCheck = true;
}

void fatalCompareThatNeverHolds() {
    gReachedAfterCheck = false;
    const QString title = QStringLiteral("(1:3) *");
    TAVLO_TRY_COMPARE_WITH_TIMEOUT(title, QStringLiteral("(1:2) *"), 50);
    gReachedAfterCheck = true;
}

} // namespace

// waitForTrue and waitForEqual time out: the forms below.
TEST(WaitForTest, ANeverTrueConditionTimesOut) {
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(tavlo::test::waitFor([] { return false; }, 100));
    EXPECT_GE(clock.elapsed(), 100);
}

TEST(WaitForTest, AssertFormsFailTheTestAndStopIt) {
    EXPECT_FATAL_FAILURE(fatalVerifyThatNeverHolds(), "still false after 50 ms: gNever");
    EXPECT_FALSE(gReachedAfterCheck);
    EXPECT_FATAL_FAILURE(fatalVerifyThatNeverHolds(), "extra words");

    EXPECT_FATAL_FAILURE(fatalCompareThatNeverHolds(), "which is: \"(1:3) *\"");
    EXPECT_FALSE(gReachedAfterCheck);
    EXPECT_FATAL_FAILURE(fatalCompareThatNeverHolds(), "which is: \"(1:2) *\"");
}

TEST(WaitForTest, ExpectFormsFailTheTestAndGoOn) {
    bool never = false;
    bool goneOn = false;
    EXPECT_NONFATAL_FAILURE(
        {
            TAVLO_EXPECT_TRY_VERIFY_WITH_TIMEOUT(never, 20);
            goneOn = true;
        },
        "still false after 20 ms: never");
    EXPECT_TRUE(goneOn);

    const QSize size(300, 400);
    EXPECT_NONFATAL_FAILURE(TAVLO_EXPECT_TRY_COMPARE_WITH_TIMEOUT(size, QSize(260, 180), 20),
                            "QSize(300, 400)");
    EXPECT_NONFATAL_FAILURE(TAVLO_EXPECT_TRY_COMPARE_WITH_TIMEOUT(size, QSize(260, 180), 20),
                            "QSize(260, 180)");
    const std::pair<int, int> sel(5, 7);
    EXPECT_NONFATAL_FAILURE(TAVLO_EXPECT_TRY_COMPARE_WITH_TIMEOUT(sel, std::make_pair(5, 8), 20)
                                << "the selection",
                            "std::pair(5,7)");
    EXPECT_NONFATAL_FAILURE(TAVLO_EXPECT_TRY_COMPARE_WITH_TIMEOUT(size_t(2), size_t(3), 20),
                            "size_t(2)\n    which is: 2");
}

TEST(WaitForTest, ConditionsThatComeTrueWhileWaitingPass) {
    bool flag = false;
    int count = 0;
    QTimer::singleShot(30, [&] { flag = true; });
    QTimer::singleShot(60, [&] { count = 3; });
    TAVLO_TRY_VERIFY(flag);
    TAVLO_TRY_COMPARE(count, 3);
    EXPECT_TRUE(flag);
    EXPECT_EQ(count, 3);

    // One statement each: an else after the macro belongs to the caller's if.
    int branch = 0;
    if (count == 4)
        TAVLO_EXPECT_TRY_VERIFY(flag);
    else
        branch = 1;
    EXPECT_EQ(branch, 1);
}
