#pragma once

// Waiting checks that fail the running GoogleTest test.
//
// The event loop runs until the condition holds or the time is up; when the
// time is up the test fails (ASSERT: the test function returns; EXPECT: it
// goes on). The COMPARE forms print both values as they were last seen.
//
//   TAVLO_TRY_VERIFY(editor->hasFocus());
//   TAVLO_TRY_COMPARE(view->title(), u"(1:1) (新規テキスト)"_qs);
//   TAVLO_EXPECT_TRY_COMPARE_WITH_TIMEOUT(spy.count(), 1, 10000) << "after the first record";
//
// Each macro is one statement and takes further messages with <<.

#include <QByteArray>
#include <QDebug>
#include <QString>
#include <QtCore/qtestsupport_core.h>

#include <concepts>
#include <gtest/gtest.h>
#include <string>
#include <utility>

namespace tavlo::test {

// The wait of the short forms.
inline constexpr int kDefaultWaitMs = 5000;

// Runs the event loop until cond() is true; false when the time ran out.
template <typename Cond> [[nodiscard]] bool waitFor(Cond&& cond, int timeoutMs = kDefaultWaitMs) {
    return QTest::qWaitFor([&] { return bool(cond()); }, timeoutMs);
}

// A value as a failure message shows it: text as text, Qt types as QDebug
// writes them, everything else as GoogleTest prints it.
template <typename T> std::string describe(const T& value) {
    if constexpr (std::is_convertible_v<const T&, QString>) {
        return ('"' + QString(value) + '"').toStdString();
    } else if constexpr (std::is_same_v<T, QByteArray>) {
        return ::testing::PrintToString(value.toStdString());
    } else if constexpr (std::is_arithmetic_v<T> || std::is_pointer_v<T>) {
        return ::testing::PrintToString(value);
    } else if constexpr (requires(QDebug & d, const T& v) { d << v; }) {
        QString text;
        QDebug(&text).nospace() << value;
        return text.toStdString();
    } else {
        return ::testing::PrintToString(value);
    }
}

// The condition as an assertion result: success once it holds, else a
// message naming the condition and the time waited.
template <typename Cond>
::testing::AssertionResult waitForTrue(Cond&& cond, const char* text, int timeoutMs) {
    if (waitFor(std::forward<Cond>(cond), timeoutMs))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "still false after " << timeoutMs << " ms: " << text;
}

// Waits until actual() == expected(); on time-out the message shows both
// expressions and the values they had at the end.
template <typename Actual, typename Expected>
::testing::AssertionResult waitForEqual(Actual&& actual, Expected&& expected,
                                        const char* actualText, const char* expectedText,
                                        int timeoutMs) {
    if (waitFor([&] { return actual() == expected(); }, timeoutMs))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "still not equal after " << timeoutMs << " ms\n"
           << "  " << actualText << "\n    which is: " << describe(actual()) << "\n"
           << "  " << expectedText << "\n    which is: " << describe(expected());
}

} // namespace tavlo::test

// The switch keeps a following else from binding to the macro's if.
#define TAVLO_WAIT_CHECK_(result, on_failure)                                                      \
    switch (0)                                                                                     \
    case 0:                                                                                        \
    default:                                                                                       \
        if (const ::testing::AssertionResult tavlo_wait_result_ = (result))                        \
            ;                                                                                      \
        else                                                                                       \
            on_failure() << tavlo_wait_result_.message() << '\n'

#define TAVLO_TRY_VERIFY_WITH_TIMEOUT(cond, timeoutMs)                                             \
    TAVLO_WAIT_CHECK_(::tavlo::test::waitForTrue([&] { return bool(cond); }, #cond, (timeoutMs)),  \
                      FAIL)
#define TAVLO_EXPECT_TRY_VERIFY_WITH_TIMEOUT(cond, timeoutMs)                                      \
    TAVLO_WAIT_CHECK_(::tavlo::test::waitForTrue([&] { return bool(cond); }, #cond, (timeoutMs)),  \
                      ADD_FAILURE)

#define TAVLO_TRY_COMPARE_WITH_TIMEOUT(actual, expected, timeoutMs)                                \
    TAVLO_WAIT_CHECK_(::tavlo::test::waitForEqual([&] { return (actual); },                        \
                                                  [&] { return (expected); }, #actual, #expected,  \
                                                  (timeoutMs)),                                    \
                      FAIL)
#define TAVLO_EXPECT_TRY_COMPARE_WITH_TIMEOUT(actual, expected, timeoutMs)                         \
    TAVLO_WAIT_CHECK_(::tavlo::test::waitForEqual([&] { return (actual); },                        \
                                                  [&] { return (expected); }, #actual, #expected,  \
                                                  (timeoutMs)),                                    \
                      ADD_FAILURE)

#define TAVLO_TRY_VERIFY(cond) TAVLO_TRY_VERIFY_WITH_TIMEOUT(cond, ::tavlo::test::kDefaultWaitMs)
#define TAVLO_EXPECT_TRY_VERIFY(cond)                                                              \
    TAVLO_EXPECT_TRY_VERIFY_WITH_TIMEOUT(cond, ::tavlo::test::kDefaultWaitMs)
#define TAVLO_TRY_COMPARE(actual, expected)                                                        \
    TAVLO_TRY_COMPARE_WITH_TIMEOUT(actual, expected, ::tavlo::test::kDefaultWaitMs)
#define TAVLO_EXPECT_TRY_COMPARE(actual, expected)                                                 \
    TAVLO_EXPECT_TRY_COMPARE_WITH_TIMEOUT(actual, expected, ::tavlo::test::kDefaultWaitMs)
