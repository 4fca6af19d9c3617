#include "CommandIds.h"
#include "FindBar.h"
#include "FrameFixture.h"
#include "SearchBarController.h"
#include "SoftKeyBar.h"
#include "WaitFor.h"
#include "WindowPlacement.h"

#include <QApplication>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

namespace {

using FrameLayout = FrameFixture;

TEST_F(FrameLayout, WideWindowShowsAMenuBarAndCompactSoftKeys) {
    showFrame({1000, 700});
    EXPECT_TRUE(frame->isDesktopLayout());
    EXPECT_TRUE(frame->menuBar()->isVisible());
    EXPECT_EQ(frame->menuBar()->actions().size(), 4); // File, Edit, View, Tools
    auto* menuButton = frame->commandBar()->findChild<QToolButton*>("commandBarMenuButton");
    ASSERT_NE(menuButton, nullptr);
    EXPECT_FALSE(menuButton->isVisible());
    EXPECT_TRUE(frame->softKeyBar()->isCompact());
    EXPECT_LT(frame->softKeyBar()->leftButton()->width(), 300);
    // The bars keep their order: the text below the command bar, the soft keys last.
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->activeEdit().size() == view->size(); }));
    EXPECT_GE(view->mapTo(frame.get(), QPoint(0, 0)).y(), frame->commandBar()->height());
    EXPECT_EQ(frame->softKeyBar()->mapTo(frame.get(), QPoint(0, frame->softKeyBar()->height())).y(),
              frame->height());
    EXPECT_EQ(view->width(), frame->width());

    // F10 opens the first menu; its items run through the same router.
    QTest::keyClick(frame.get(), Qt::Key_F10);
    auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->title(), "ファイル(&F)");
    popup->close();

    // Back at phone width the command bar's menu button returns.
    frame->resize(480, 640);
    EXPECT_FALSE(frame->isDesktopLayout());
    EXPECT_FALSE(frame->menuBar()->isVisible());
    TAVLO_TRY_VERIFY(menuButton->isVisible());
    EXPECT_FALSE(frame->softKeyBar()->isCompact());
}

TEST_F(FrameLayout, PhoneSizedWindowShowsBarsTextAndSoftKeys) {
    showFrame({480, 640});
    ASSERT_TRUE(QTest::qWaitFor([&] { return frame->size() == QSize(480, 640); }));
    // The view arranges its edit controls a moment after a size change.
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->activeEdit().size() == view->size(); }));

    QToolBar* bar = frame->commandBar();
    SoftKeyBar* keys = frame->softKeyBar();
    EXPECT_TRUE(bar->isVisible());
    EXPECT_TRUE(keys->isVisible());
    const QRect barRect(bar->mapTo(frame.get(), QPoint(0, 0)), bar->size());
    const QRect viewRect(view->mapTo(frame.get(), QPoint(0, 0)), view->size());
    const QRect keysRect(keys->mapTo(frame.get(), QPoint(0, 0)), keys->size());
    EXPECT_EQ(barRect.top(), 0);
    EXPECT_LE(barRect.bottom(), viewRect.top());
    EXPECT_LE(viewRect.bottom(), keysRect.top());
    EXPECT_EQ(keysRect.bottom(), 639);
    EXPECT_GE(viewRect.height(), 400) << "the text gets most of the window";
    EXPECT_LE(bar->sizeHint().width(), 480) << "every button fits without an overflow menu";
    EXPECT_EQ(keysRect.width(), 480);
    EXPECT_LE(keysRect.height(), 48) << "the soft keys take one row";
}

TEST_F(FrameLayout, DesktopKeysFindRedoAndQuit) {
    showFrame();
    view->activeEdit().setFocus();
    QTest::keyClicks(&view->activeEdit(), "ab");
    QTest::keyClick(&view->activeEdit(), Qt::Key_Z, Qt::ControlModifier);
    ASSERT_NE(view->GetText(), "ab");
    QTest::keyClick(&view->activeEdit(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(view->GetText(), "ab");

    QTest::keyClick(&view->activeEdit(), Qt::Key_F, Qt::ControlModifier);
    TAVLO_TRY_VERIFY(frame->searchBars()->findBar()->isVisible());

    messages.queueAnswer(mb::IDNO);
    QTest::keyClick(frame.get(), Qt::Key_Q, Qt::ControlModifier);
    TAVLO_TRY_VERIFY(!frame->isVisible());
}

// Switching from the frame's keys to a bar's keys and back leaves each key
// with one action, so no menu arrow appears on it.
TEST_F(FrameLayout, SoftKeysCarryOneActionAfterTheFindBarShowed) {
    createFrame();
    frame->onCommand(cmd::ID_EDIT_FIND);
    frame->searchBars()->commandTarget().onCommand(cmd::ID_FIND_CLOSE);
    EXPECT_EQ(frame->softKeyBar()->leftButton()->actions().size(), 1);
}

TEST_F(FrameLayout, TheLastGeometryComesBackAtTheNextStart) {
    showFrame({700, 500});
    frame->close();
    ASSERT_FALSE(settings->getString("WINDOW_PLACEMENT").isEmpty());

    CMainFrame next(FrameServices{*settings, messages, router});
    next.placeOnScreen();
    EXPECT_EQ(next.geometry().size(), QSize(700, 500));
}

struct PlacementCase {
    QRect available;
    bool fills;
};
class FirstPlacement : public ::testing::TestWithParam<PlacementCase> {};

// Phone screens are filled; desktops get a centred window inside the screen.
TEST_P(FirstPlacement, FitsTheScreen) {
    const auto [available, fills] = GetParam();
    const QRect placed = window_placement::firstStartGeometry(available);
    EXPECT_TRUE(available.contains(placed));
    EXPECT_EQ(placed == available, fills);
    if (!fills) {
        EXPECT_EQ(placed.center(), available.center());
        EXPECT_GE(placed.width(), 640);
        EXPECT_LE(placed.width(), 1100);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Screens, FirstPlacement,
    ::testing::Values(PlacementCase{QRect(0, 0, 480, 640), true},
                      PlacementCase{QRect(0, 0, 640, 512), true}, // 1280x1024 at 2x
                      PlacementCase{QRect(0, 0, 1280, 1024), false},
                      PlacementCase{QRect(0, 30, 1920, 1050), false},
                      PlacementCase{QRect(1920, 0, 3840, 2160), false}),
    [](const auto& info) {
        const QRect& r = info.param.available;
        return QStringLiteral("Screen%1x%2").arg(r.width()).arg(r.height()).toStdString();
    });

} // namespace
