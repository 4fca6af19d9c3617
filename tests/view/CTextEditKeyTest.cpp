#include "ShownEdit.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

// A key with Alt held is a command for the window, never text; the same key
// with AltGr types its character.
TEST(CTextEditKeys, AltWithALetterTypesNothing) {
    ShownEdit e;
    for (const Qt::Key key : {Qt::Key_F, Qt::Key_E, Qt::Key_X, Qt::Key_Return})
        QTest::keyClick(e.edit.get(), key, Qt::AltModifier);
    QTest::keyClick(e.edit.get(), Qt::Key_X, Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_EQ(e->GetText(), QString());
    EXPECT_FALSE(e->GetModify());
    QTest::keyClick(e.edit.get(), Qt::Key_F, Qt::GroupSwitchModifier);
    QTest::keyClick(e.edit.get(), Qt::Key_E);
    EXPECT_EQ(e->GetText(), QStringLiteral("fe"));
}
