#include "ShownEdit.h"

#include <QTextBlock>
#include <QTextDocument>
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

// One key pressed with the caret at `at`: the text and the caret after it.
// Only CR LF is a line break; the arrow keys stop at the ends of the text.
struct KeyCase {
    const char* text;
    int at;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int caret;
    const char* result = nullptr; // nullptr: the text stays
};

void PrintTo(const KeyCase& c, std::ostream* os) {
    *os << "key " << c.key << " at " << c.at << " of "
        << QByteArray(c.text).replace("\r\n", "|").constData();
}

class CTextEditKey : public ::testing::TestWithParam<KeyCase> {};

TEST_P(CTextEditKey, MovesOrEditsAsOverLoadedText) {
    const KeyCase& c = GetParam();
    ShownEdit e;
    e->SetText(QString::fromUtf8(c.text));
    e->SetSel(c.at, c.at);
    QTest::keyClick(e.edit.get(), c.key, c.modifiers);
    const QString result = QString::fromUtf8(c.result ? c.result : c.text);
    EXPECT_EQ(e->GetText(), result);
    EXPECT_EQ(e->GetSel(), std::make_pair(c.caret, c.caret));
    EXPECT_EQ(e->GetLineCount(), result.count(QStringLiteral("\r\n")) + 1);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, CTextEditKey,
    ::testing::Values(KeyCase{"first\r\nlast", 9, Qt::Key_Down, {}, 9},
                      KeyCase{"first\r\nlast", 2, Qt::Key_Up, {}, 2},
                      KeyCase{"first\r\nlast", 11, Qt::Key_Right, {}, 11},
                      KeyCase{"first\r\nlast", 0, Qt::Key_Down, {}, 7},
                      KeyCase{"first\r\nlast", 7, Qt::Key_Up, {}, 0},
                      KeyCase{"one\r\ntwo\r\nthree", 3, Qt::Key_Right, {}, 5},
                      KeyCase{"one\r\ntwo\r\nthree", 5, Qt::Key_End, {}, 8},
                      KeyCase{"one\r\ntwo\r\nthree", 13, Qt::Key_Home, {}, 10},
                      KeyCase{
                          "one\r\ntwo\r\nthree", 10, Qt::Key_Backspace, {}, 8, "one\r\ntwothree"},
                      KeyCase{"one\r\ntwothree", 8, Qt::Key_Return, {}, 10, "one\r\ntwo\r\nthree"},
                      KeyCase{"ab", 1, Qt::Key_Return, Qt::ShiftModifier, 3, "a\r\nb"}));

// A line longer than the control's chunk length is cut into joined blocks;
// at a join the keys act on the characters beyond it, as anywhere else.
class CTextEditJoinKeys : public ::testing::TestWithParam<CTextEdit::Wrap> {};

TEST_P(CTextEditJoinKeys, KeysAtAJoinActOnTheCharacterBeyondIt) {
    ShownEdit e(GetParam());
    QString text;
    for (int i = 0; text.size() < 9000; ++i)
        text += QChar(u'a' + i % 26);
    text += QStringLiteral("\r\nend");
    e->SetText(text);
    const QTextBlock joined = e->document()->firstBlock().next();
    ASSERT_TRUE(EditLineIndex::isJoined(joined));
    const int j = e->indexFromPosition(joined.position());
    auto expectText = [&](QString expected, int caret) {
        EXPECT_EQ(e->GetText(), expected);
        EXPECT_EQ(e->GetSel(), std::make_pair(caret, caret));
    };
    e->SetSel(j, j);
    QTest::keyClick(e.edit.get(), Qt::Key_Backspace);
    expectText(QString(text).remove(j - 1, 1), j - 1);
    e->Undo();
    e->SetSel(j, j);
    QTest::keyClick(e.edit.get(), Qt::Key_Delete);
    expectText(QString(text).remove(j, 1), j);
    e->Undo();
    e->SetSel(j - 1, j - 1);
    QTest::keyClick(e.edit.get(), Qt::Key_Right);
    expectText(text, j);
    QTest::keyClick(e.edit.get(), Qt::Key_Right);
    expectText(text, j + 1);
    QTest::keyClick(e.edit.get(), Qt::Key_Left);
    QTest::keyClick(e.edit.get(), Qt::Key_Left);
    expectText(text, j - 1);
    // A break typed at the join is a line break; cut and paste over joins
    // give the text back.
    e->SetSel(j, j);
    QTest::keyClick(e.edit.get(), Qt::Key_Return);
    expectText(QString(text).insert(j, QStringLiteral("\r\n")), j + 2);
    e->SetSel(5, 8000);
    e->Cut();
    e->Paste();
    expectText(QString(text).insert(j, QStringLiteral("\r\n")), 8000);
    if (GetParam() == CTextEdit::Wrap::Off) {
        EXPECT_EQ(e->GetLineCount(), 3);
        EXPECT_EQ(e->LineLength(8500), text.size() - 5 - j);
        EXPECT_EQ(e->GetLine(1), text.mid(j, text.size() - 5 - j));
    }
}

INSTANTIATE_TEST_SUITE_P(BothWrapModes, CTextEditJoinKeys,
                         ::testing::Values(CTextEdit::Wrap::On, CTextEdit::Wrap::Off));
