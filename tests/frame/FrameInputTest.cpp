#include "CommandIds.h"
#include "FrameFixture.h"
#include "InputTimes.h"
#include "SoftKeyBar.h"

#include <QTest>

namespace {

TEST(InputTimes, KeyCountsWhenNewerThanTapAndRecent) {
    qint64 now = 1000;
    InputTimes times([&now] { return now; });
    EXPECT_FALSE(times.isKeyLastInput()) << "nothing happened yet";
    times.keyEvent();
    EXPECT_TRUE(times.isKeyLastInput());
    now += 500;
    EXPECT_TRUE(times.isKeyLastInput()) << "500 ms is still recent";
    now += 1;
    EXPECT_FALSE(times.isKeyLastInput());
    times.keyEvent();
    times.tapEvent();
    EXPECT_FALSE(times.isKeyLastInput()) << "the tap came later in the same millisecond";
    times.keyEvent();
    EXPECT_TRUE(times.isKeyLastInput());
}

using FrameInput = FrameFixture;

TEST_F(FrameInput, KeysAndTapsReachTheInputTimes) {
    showFrame();
    QWidget* text = view->activeEdit().viewport();
    QTest::mouseClick(text, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_FALSE(frame->isKeyLastInput());
    QTest::keyClick(&view->activeEdit(), Qt::Key_A);
    EXPECT_TRUE(frame->isKeyLastInput());
    QTest::mouseClick(text, Qt::LeftButton, {}, QPoint(30, 20));
    EXPECT_FALSE(frame->isKeyLastInput());
}

TEST_F(FrameInput, HoldingStillOpensTheContextMenu) {
    settings->writeInt("LONG_DELAY", 0);
    showFrame();
    EXPECT_EQ(frame->tapAndHold().delayMs(), TapAndHoldRecognizer::kNormalDelayMs);
    QWidget* text = view->activeEdit().viewport();
    QTest::mousePress(text, Qt::LeftButton, {}, QPoint(40, 40));
    EXPECT_TRUE(frame->tapAndHold().isHolding());
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return frame->textContextMenu() && frame->textContextMenu()->isVisible(); }));
    QMenu* menu = frame->textContextMenu();
    EXPECT_EQ(texts(menu).first(), "貼り付け") << "the menu for no selection";
    menu->hide();
    QTest::mouseRelease(text, Qt::LeftButton, {}, QPoint(40, 40));
}

TEST_F(FrameInput, MovingOrReleasingCancelsTheHold) {
    showFrame();
    EXPECT_EQ(frame->tapAndHold().delayMs(), TapAndHoldRecognizer::kLongDelayMs)
        << "LONG_DELAY is 1 by default";
    QWidget* text = view->activeEdit().viewport();
    QTest::mousePress(text, Qt::LeftButton, {}, QPoint(40, 40));
    ASSERT_TRUE(frame->tapAndHold().isHolding());
    QTest::mouseMove(text, QPoint(120, 90));
    EXPECT_FALSE(frame->tapAndHold().isHolding());
    QTest::mouseRelease(text, Qt::LeftButton, {}, QPoint(120, 90));

    QTest::mousePress(text, Qt::LeftButton, {}, QPoint(40, 40));
    ASSERT_TRUE(frame->tapAndHold().isHolding());
    QTest::mouseRelease(text, Qt::LeftButton, {}, QPoint(40, 40));
    EXPECT_FALSE(frame->tapAndHold().isHolding());
    EXPECT_EQ(frame->textContextMenu(), nullptr);

    // Outside the text nothing is recognised.
    QWidget* keys = frame->softKeyBar();
    QTest::mousePress(keys, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(frame->tapAndHold().isHolding());
    QTest::mouseRelease(keys, Qt::LeftButton, {}, QPoint(5, 5));
}

TEST_F(FrameInput, RightPressShowsTheSelectionMenuAtOnce) {
    showFrame();
    view->SetText("選択するテキスト");
    view->SetSel(0, 2);
    view->state().macroRecording = true;
    QWidget* text = view->activeEdit().viewport();
    QTest::mousePress(text, Qt::RightButton, {}, QPoint(30, 10));
    QMenu* menu = frame->textContextMenu();
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return menu->isVisible(); }));
    EXPECT_EQ(texts(menu).first(), "検索");
    EXPECT_EQ(actionFor(menu, cmd::ID_MACRO_RECORD)->text(), "記録終了(&R)\tShift+Ctrl+R")
        << "while recording the item ends the recording";
    menu->hide();
    QTest::mouseRelease(text, Qt::RightButton, {}, QPoint(30, 10));
}

} // namespace
