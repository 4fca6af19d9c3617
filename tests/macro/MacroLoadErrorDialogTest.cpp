#include "MacroLoadErrorDialog.h"
#include "WaitFor.h"

#include <QAbstractButton>
#include <QPlainTextEdit>
#include <QTest>

namespace {

const QString kReport =
    QStringLiteral("*** ERROR (3): 未知のマクロコマンド \"X\" を検出しました。\r\n"
                   "\r\n ----------------------------\r\n"
                   "\u3000\u3000エラーが発生したため、マクロのロードを中止しました。");

} // namespace

// The presenter that shows it over the view and hands on the tooltip:
// ViewMacroCommandsTest.
TEST(MacroLoadErrorDialog, CoversItsParentWithTheReport) {
    QWidget parent;
    parent.setGeometry(40, 50, 320, 240);
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));

    MacroLoadErrorDialog dialog(kReport, &parent);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("マクロ・ロードエラー"));
    EXPECT_EQ(dialog.size(), parent.size());
    EXPECT_EQ(dialog.mapToGlobal(QPoint(0, 0)), parent.mapToGlobal(QPoint(0, 0)));

    QPlainTextEdit* edit = dialog.reportEdit();
    ASSERT_EQ(dialog.findChild<QPlainTextEdit*>(QStringLiteral("1000")), edit);
    EXPECT_EQ(edit->geometry().topLeft(), QPoint(0, 0));
    EXPECT_EQ(edit->width(), dialog.width());
    EXPECT_TRUE(edit->isReadOnly());
    EXPECT_EQ(edit->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(edit->toPlainText(),
              QStringLiteral("*** ERROR (3): 未知のマクロコマンド \"X\" を検出しました。\n"
                             "\n ----------------------------\n"
                             "\u3000\u3000エラーが発生したため、マクロのロードを中止しました。"));
    EXPECT_FALSE(edit->textCursor().hasSelection());
    EXPECT_EQ(edit->textCursor().position(), 0);
    const QList<QAbstractButton*> buttons = dialog.findChildren<QAbstractButton*>();
    ASSERT_EQ(buttons.size(), 1);
    EXPECT_EQ(buttons.front()->text(), QStringLiteral("OK"));
    EXPECT_GT(buttons.front()->mapTo(&dialog, QPoint(0, 0)).y(), edit->geometry().bottom());

    QTest::keyClick(edit, Qt::Key_Escape);
    TAVLO_TRY_VERIFY(!dialog.isVisible());
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QTest::mouseClick(buttons.front(), Qt::LeftButton);
    TAVLO_TRY_VERIFY(!dialog.isVisible());
}

TEST(MacroLoadErrorDialog, FollowsResizing) {
    MacroLoadErrorDialog dialog(kReport);
    dialog.resize(200, 150);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    dialog.resize(260, 180);
    TAVLO_TRY_COMPARE(dialog.reportEdit()->width(), 260);
    EXPECT_GT(dialog.reportEdit()->height(), 100);
}
