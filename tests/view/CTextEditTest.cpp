#include "CTextEdit.h"
#include "EditTextMapping.h"
#include "ShownEdit.h"
#include "WaitFor.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <gtest/gtest.h>
#include <vector>

// The line questions over lone CRs and LFs are asked in CTextEditPropertyTest.
TEST(CTextEdit, SelectionIndicesCountCrLfAsTwo) {
    ShownEdit e;
    e->SetText(QStringLiteral("ab\r\ncd\r\nef"));
    e->SetSel(0, -1);
    EXPECT_EQ(e->GetSel(), std::make_pair(0, 10));
    e->SetSel(5, 8);
    EXPECT_EQ(e->GetSel(), std::make_pair(5, 8));
    EXPECT_EQ(edittext::fromControlText(e->textCursor().selectedText(), edittext::StandIns{}),
              QStringLiteral("d\r\n"));
    // A replacement is one undoable edit.
    e->SetSel(2, 4);
    e->ReplaceSel(QStringLiteral("-\r\n\r"));
    EXPECT_EQ(e->GetText(), QStringLiteral("ab-\r\n\rcd\r\nef"));
    EXPECT_EQ(e->GetSel(), std::make_pair(6, 6));
    EXPECT_TRUE(e->GetModify());
    ASSERT_TRUE(e->Undo());
    EXPECT_EQ(e->GetText(), QStringLiteral("ab\r\ncd\r\nef"));
    // A start of -1 removes the selection and keeps the caret.
    e->SetSel(0, 2);
    e->SetSel(-1, 0);
    EXPECT_EQ(e->GetSel(), std::make_pair(2, 2));
    // An index between a CR and its LF stands at the line's end.
    e->SetSel(1, 3);
    EXPECT_EQ(e->GetSel(), std::make_pair(1, 2));
}

TEST(CTextEdit, TypingAndPastingStopAtTheLimitButSetTextMayExceedIt) {
    ShownEdit e;
    e->SetText(QString(CTextEdit::kDefaultLimit - 2, QLatin1Char('x')));
    e->SetSel(0, 0);
    QTest::keyClick(e.edit.get(), Qt::Key_Return); // two characters: fits exactly
    QTest::keyClicks(e.edit.get(), QStringLiteral("abc"));
    EXPECT_EQ(e->GetTextLength(), CTextEdit::kDefaultLimit);
    EXPECT_TRUE(e->GetText().startsWith(QStringLiteral("\r\nxx")));

    // Over the limit through SetText: allowed; typing stays refused.
    const QString big(70000, QLatin1Char('y'));
    e->SetText(big);
    EXPECT_EQ(e->GetTextLength(), 70000);
    QTest::keyClicks(e.edit.get(), QStringLiteral("z"));
    EXPECT_EQ(e->GetText(), big);
    // Replacing a selection makes room.
    e->SetText(QString(CTextEdit::kDefaultLimit, QLatin1Char('x')));
    e->SetSel(0, 3);
    QTest::keyClicks(e.edit.get(), QStringLiteral("ab"));
    EXPECT_EQ(e->GetTextLength(), CTextEdit::kDefaultLimit - 1);
    EXPECT_TRUE(e->GetText().startsWith(QStringLiteral("abx")));
    // A paste is cut to the room left.
    e->SetText(QString(CTextEdit::kDefaultLimit - 3, QLatin1Char('x')));
    e->SetSel(0, 0);
    auto* data = new QMimeData;
    data->setText(QStringLiteral("a\nbcd"));
    QApplication::clipboard()->setMimeData(data);
    e->Paste();
    EXPECT_EQ(e->GetTextLength(), CTextEdit::kDefaultLimit);
    EXPECT_TRUE(e->GetText().startsWith(QStringLiteral("a\r\nxx")));
}

TEST(CTextEdit, CopyAndPasteKeepLoneCrAndLf) {
    ShownEdit e;
    e->SetText(QStringLiteral("a\rb\nc\r\nd"));
    e->SetSel(0, -1);
    e->Copy();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("a\rb\nc\nd"));
    e->SetSel(8, 8);
    e->Paste();
    EXPECT_EQ(e->GetText(), QStringLiteral("a\rb\nc\r\nda\rb\nc\r\nd"));
    // Text from other programs: every kind of line end is a line break.
    auto* data = new QMimeData;
    data->setText(QStringLiteral("1\n2\r3"));
    QApplication::clipboard()->setMimeData(data);
    e->SetText(QString());
    e->Paste();
    EXPECT_EQ(e->GetText(), QStringLiteral("1\r\n2\r\n3"));
    e->SetSel(0, 1);
    e->Cut();
    EXPECT_EQ(e->GetText(), QStringLiteral("\r\n2\r\n3"));
    e->SetSel(0, 2);
    e->Clear();
    EXPECT_EQ(e->GetText(), QStringLiteral("2\r\n3"));
}

TEST(CTextEdit, CaretNoticeOnlyWithCaretFlags) {
    ShownEdit e;
    QSignalSpy notices(e.edit.get(), &CTextEdit::caretMoveNotice);
    QTest::keyClick(e.edit.get(), Qt::Key_A);
    EXPECT_EQ(notices.count(), 0);
    e->setCaretReportFlags(0x100);
    QTest::keyClick(e.edit.get(), Qt::Key_B);
    QTest::mouseClick(e->viewport(), Qt::LeftButton);
    EXPECT_EQ(notices.count(), 2);
}

TEST(CTextEdit, LoneCrIsDrawnVisibly) {
    ShownEdit e;
    e->SetText(QStringLiteral("a b"));
    const QImage plain = e->viewport()->grab().toImage();
    e->SetText(QStringLiteral("a\rb"));
    const QImage marked = e->viewport()->grab().toImage();
    EXPECT_NE(plain, marked);
    e->SetText(QStringLiteral("a\nb"));
    EXPECT_NE(e->viewport()->grab().toImage(), marked);
}

TEST(CTextEdit, WindowShortcutsKeepTheirKeys) {
    // Keys of the main accelerator table reach the window's actions even
    // where the text control has a binding of its own (Ctrl+K, Ctrl+Z).
    QWidget window;
    auto* edit = new CTextEdit(1000, CTextEdit::Wrap::On, &window);
    QStringList fired;
    for (const Qt::Key key : {Qt::Key_K, Qt::Key_Z}) {
        auto* action = new QAction(&window);
        action->setShortcut(QKeySequence(Qt::CTRL | key));
        QObject::connect(action, &QAction::triggered,
                         [&fired, action] { fired << action->shortcut().toString(); });
        window.addAction(action);
    }
    window.resize(200, 100);
    window.show();
    window.activateWindow();
    edit->setFocus();
    TAVLO_TRY_VERIFY(edit->hasFocus());
    edit->SetText(QStringLiteral("abc"));
    QTest::keyClick(edit, Qt::Key_K, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(fired, (QStringList{u"Ctrl+K"_qs, u"Ctrl+Z"_qs}));
    EXPECT_EQ(edit->GetText(), QStringLiteral("abc"));
}

TEST(CTextEdit, WrappingControlLaysOutOnlyUpToTheLineAsked) {
    ShownEdit e(CTextEdit::Wrap::On, QSize(220, 300));
    QString text;
    std::vector<int> lineStart; // index of each paragraph's first character
    for (int i = 0; i < 20000; ++i) {
        lineStart.push_back(int(text.size()));
        text += QString(20 + (i * 37) % 90, QLatin1Char('a' + i % 26)) + QStringLiteral("\r\n");
    }
    e->SetText(text);
    QCoreApplication::processEvents();
    const QTextDocument* doc = e->document();
    auto laidOut = [&](int paragraph) {
        const QTextBlock b = doc->findBlock(e->positionFromIndex(lineStart[size_t(paragraph)]));
        return b.layout()->lineCount() > 0;
    };
    // The title's questions after loading: caret line, first line, line start.
    EXPECT_EQ(e->LineFromChar(-1), 0);
    EXPECT_EQ(e->GetFirstVisibleLine(), 0);
    EXPECT_EQ(e->LineIndex(-1), 0);
    EXPECT_FALSE(laidOut(5000));
    EXPECT_FALSE(laidOut(15000));
    // A question about paragraph 10,000 lays out the text before it, no more.
    const int index = lineStart[10000];
    const int line = e->LineFromChar(index);
    EXPECT_TRUE(laidOut(5000));
    EXPECT_TRUE(laidOut(10000));
    EXPECT_FALSE(laidOut(15000));
    EXPECT_EQ(e->LineIndex(line), index);
    EXPECT_GT(line, 10000); // paragraphs of up to 110 characters wrap
    // Typing near the top does not lay the rest out again either.
    e->SetSel(3, 3);
    QTest::keyClicks(e.edit.get(), QStringLiteral("typed"));
    EXPECT_EQ(e->LineFromChar(-1), 0);
    EXPECT_FALSE(laidOut(15000));
}

TEST(CTextEdit, SetTextKeepsTabStopsAndFontAndStartsAFreshUndo) {
    ShownEdit e(CTextEdit::Wrap::On);
    QFont f = e->font();
    f.setPixelSize(17);
    e->setFont(f);
    e->SetTabStops(8);
    const qreal tabs = e->tabStopDistance();
    ASSERT_GT(tabs, 0);
    QSignalSpy revised(e.edit.get(), &CTextEdit::textRevised);
    QSignalSpy changed(e.edit.get(), &CTextEdit::changeNotice);
    e->SetText(QStringLiteral("a\tb\r\nc"));
    EXPECT_EQ(revised.count(), 1);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(e->tabStopDistance(), tabs);
    EXPECT_EQ(e->document()->defaultFont().pixelSize(), 17);
    EXPECT_FALSE(e->CanUndo());
    EXPECT_FALSE(e->GetModify());
    EXPECT_EQ(e->document()->defaultTextOption().wrapMode(),
              QTextOption::WrapAtWordBoundaryOrAnywhere);
    // Edits after the new text reach the signals and the undo stack.
    e->SetSel(1, 1);
    QTest::keyClicks(e.edit.get(), QStringLiteral("xy"));
    EXPECT_EQ(e->GetText(), QStringLiteral("axy\tb\r\nc"));
    EXPECT_EQ(revised.count(), 3);
    EXPECT_EQ(changed.count(), 2);
    EXPECT_TRUE(e->GetModify());
    ASSERT_TRUE(e->Undo());
    EXPECT_EQ(e->GetText(), QStringLiteral("a\tb\r\nc"));
    const qsizetype notices = changed.count();
    e->SetSel(0, 1);
    e->ReplaceSel(QStringLiteral("y"));
    EXPECT_EQ(changed.count(), notices + 1);
    // The second replacement too (the first document belonged to the control).
    e->SetText(QStringLiteral("new"));
    EXPECT_EQ(e->GetText(), QStringLiteral("new"));
    EXPECT_EQ(e->tabStopDistance(), tabs);
    EXPECT_FALSE(e->CanUndo());
}

TEST(CTextEdit, LoadedLinesShareBlocksAndScrollByLine) {
    for (auto wrap : {CTextEdit::Wrap::Off, CTextEdit::Wrap::On}) {
        ShownEdit e(wrap, QSize(300, 200));
        QString text;
        for (int i = 0; i < 1000; ++i)
            text += QStringLiteral("line %1\r\n").arg(i);
        e->SetText(text);
        // Filling the document costs per block: 1,001 lines take 63 blocks.
        EXPECT_EQ(e->document()->blockCount(), 63);
        EXPECT_GT(e->verticalScrollBar()->maximum(), 950);
        EXPECT_EQ(e->GetFirstVisibleLine(), 0);
        e->LineScroll(515);
        e->LineScroll(-15);
        EXPECT_EQ(e->GetFirstVisibleLine(), 500);
        EXPECT_EQ(e->GetLine(e->GetFirstVisibleLine()), QStringLiteral("line 500"));
        // A new width lays the document out anew; the lines stay counted.
        e->resize(QSize(340, 220));
        QCoreApplication::processEvents();
        EXPECT_GT(e->verticalScrollBar()->maximum(), 950);
        e->LineScroll(100);
        EXPECT_EQ(e->GetLine(e->GetFirstVisibleLine()),
                  QStringLiteral("line %1").arg(e->GetFirstVisibleLine()));
    }
}

TEST(CTextEdit, EveryCharacterOfTheTextComesBack) {
    // The characters the document would take for breaks of its own (CR, LF,
    // U+2028, U+2029, U+FDD0, U+FDD1) and the noncharacters the control
    // uses as stand-ins must all come back as they were. (Seven private
    // characters are left out: a text that holds every character leaves
    // nothing to stand in.)
    QString text;
    for (int c = 1; c < 0x10000; ++c) {
        if ((c >= 0xD800 && c < 0xE000) || (c >= 0xF000 && c < 0xF007))
            continue;
        text += QChar(char16_t(c));
        if (c % 64 == 0)
            text += QStringLiteral("\r\n");
    }
    text += QString::fromUtf16(u"\U0001F600\r\r\n\n\uFDE0\r\n\n\r");
    for (auto wrap : {CTextEdit::Wrap::Off, CTextEdit::Wrap::On}) {
        ShownEdit e(wrap);
        e->SetText(text);
        EXPECT_EQ(e->GetText(), text);
        EXPECT_EQ(e->GetTextLength(), text.size());
        if (wrap == CTextEdit::Wrap::Off) {
            EXPECT_EQ(e->GetLineCount(), int(text.count(QStringLiteral("\r\n"))) + 1);
            // The line of U+FDC1-U+FE00 holds the control's own U+FDD0 and U+FDE0.
            const qsizetype at = text.indexOf(QChar(char16_t(0xFDC1)));
            EXPECT_EQ(e->GetLine(e->LineFromChar(int(at))), text.mid(at, 64));
        }
    }
}

TEST(CTextEdit, TextHoldingAStandInGoesInWithoutMixingThemUp) {
    ShownEdit e;
    // A lone CR and a U+2029 of the text are kept as the default stand-ins.
    e->SetText(QString::fromUtf16(u"a\rb\u2029c\r\nd"));
    e->SetSel(2, 3);
    e->SetModify(false);
    // Text holding those very noncharacters comes in: the control changes
    // its stand-ins and keeps everything as it was.
    const QString incoming = QString::fromUtf16(u"\uFDE0\uFDE2\r\n\r");
    e->ReplaceSel(incoming);
    const QString expected =
        QString::fromUtf16(u"a\r") + incoming + QString::fromUtf16(u"\u2029c\r\nd");
    EXPECT_EQ(e->GetText(), expected);
    EXPECT_EQ(e->GetSel(), std::make_pair(7, 7));
    EXPECT_TRUE(e->GetModify());
    EXPECT_EQ(e->GetLine(1), QString::fromUtf16(u"\r\u2029c"));
    // Copy and paste inside the control carry the exact text.
    e->SetSel(0, -1);
    e->Copy();
    e->SetSel(e->GetTextLength(), e->GetTextLength());
    e->Paste();
    EXPECT_EQ(e->GetText(), expected + expected);
    // A stand-in typed at the keyboard goes in as the character itself.
    QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUtf16(u"\uFDE1"));
    QApplication::sendEvent(e.edit.get(), &typed);
    EXPECT_EQ(e->GetText(), expected + expected + QString::fromUtf16(u"\uFDE1"));
}
