#include "KeyState.h"
#include "VirtualKeys.h"
#include "WaitCursor.h"

#include <QApplication>
#include <QCursor>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

using namespace vk;

TEST(KeyStateTest, TracksKeysAndModifiersOfTheWholeApplication) {
    KeyState state;
    state.install(qApp);
    QWidget widget;

    for (const auto& [key, code] :
         {std::pair(Qt::Key_A, int('A')), std::pair(Qt::Key_Shift, VK_SHIFT)}) {
        QTest::keyPress(&widget, key);
        EXPECT_TRUE(state.isKeyDown(code)) << code;
        QTest::keyRelease(&widget, key);
        EXPECT_FALSE(state.isKeyDown(code)) << code;
    }

    // Modifiers held while another key goes down count as down.
    QTest::keyPress(&widget, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_TRUE(state.isKeyDown(VK_CONTROL));
    EXPECT_TRUE(state.isKeyDown(VK_RIGHT));
    QTest::keyRelease(&widget, Qt::Key_Right, Qt::NoModifier);
    EXPECT_FALSE(state.isKeyDown(VK_CONTROL));

    QTest::keyPress(&widget, Qt::Key_5, Qt::KeypadModifier);
    EXPECT_TRUE(state.isKeyDown(VK_NUMPAD0 + 5));
    EXPECT_FALSE(state.isKeyDown('5'));

    // Leaving the application releases everything.
    QTest::keyPress(&widget, Qt::Key_F2);
    EXPECT_TRUE(state.isKeyDown(VK_F1 + 1));
    QEvent deactivate(QEvent::ApplicationDeactivate);
    QCoreApplication::sendEvent(qApp, &deactivate);
    EXPECT_FALSE(state.isKeyDown(VK_F1 + 1));
    EXPECT_FALSE(state.isKeyDown(VK_NUMPAD0 + 5));
    EXPECT_FALSE(state.isKeyDown(-1));
    EXPECT_FALSE(state.isKeyDown(300));
}

TEST(VirtualKeysTest, QtKeysMapBothWays) {
    EXPECT_EQ(fromQtKey(Qt::Key_Return), VK_RETURN);
    EXPECT_EQ(fromQtKey(Qt::Key_Enter), VK_RETURN);
    EXPECT_EQ(fromQtKey(Qt::Key_Alt), VK_MENU);
    EXPECT_EQ(fromQtKey(Qt::Key_Plus, true), VK_ADD);
    EXPECT_EQ(fromQtKey(Qt::Key_Dead_Grave), 0);
    for (int code : {VK_BACK, VK_TAB, VK_RETURN, VK_ESCAPE, VK_SPACE, VK_PRIOR, VK_NEXT, VK_END,
                     VK_HOME, VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN, VK_INSERT, VK_DELETE, int('7'),
                     int('Q'), VK_F1, VK_F1 + 23})
        EXPECT_EQ(fromQtKey(toQtKey(code)), code) << code;
    EXPECT_EQ(toQtKey(VK_NUMPAD0 + 3), int(Qt::Key_3));
    EXPECT_EQ(toQtKey(0xFF), int(Qt::Key_unknown));
}

TEST(WaitCursorTest, ShowsTheBusyCursorWhileItLivesAndNests) {
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    {
        WaitCursor outer;
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        {
            WaitCursor inner;
            QGuiApplication::changeOverrideCursor(QCursor(Qt::ArrowCursor));
            inner.restore();
            EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        }
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}
