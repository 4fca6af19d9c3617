// The search operations on the view's real edit control: indices with CR LF,
// one undo for replace-all, scrolling the match into place, the flash.
#include "CommandIds.h"
#include "TextSearch.h"
#include "ViewTestSupport.h"
#include "WaitFor.h"

#include <QPalette>

namespace {

class ViewSearchTest : public ViewTest {
  protected:
    TextSearch search{env.clock, env.messages};
};

TEST_F(ViewSearchTest, OneUndoRestoresTheTextBeforeReplaceAll) {
    const QString before = QStringLiteral("aaaa\r\nAAAA\r\nxaax");
    view->SetText(before);
    view->SetSel(0, 0);
    ASSERT_TRUE(search.replaceAll(view->searchTarget(), QStringLiteral("aa"), QStringLiteral("a"),
                                  MatchCase::Off));
    EXPECT_EQ(view->GetText(), QStringLiteral("aa\r\naa\r\nxax"));
    EXPECT_EQ(env.messages.texts(), QStringList{QStringLiteral("5 箇所の文字列を置換しました。")});
    EXPECT_TRUE(view->activeEdit().updatesEnabled());
    ASSERT_TRUE(view->CanUndo());
    view->Undo();
    EXPECT_EQ(view->GetText(), before);
}

TEST_F(ViewSearchTest, MatchesAreSelectedAtTheControlsIndices) {
    view->SetText(QStringLiteral("İİ\r\nline two ABC"));
    view->SetSel(0, 0);
    ASSERT_TRUE(search.search(view->searchTarget(), QStringLiteral("abc"), SearchDirection::Down,
                              MatchCase::Off, SearchMode::Find));
    EXPECT_EQ(view->GetSel(), std::make_pair(13, 16));
    EXPECT_EQ(view->GetText().mid(13, 3), QStringLiteral("ABC"));
}

TEST_F(ViewSearchTest, AMatchFarBelowStandsSixthFromTheTop) {
    QString text = numberedLines(300);
    text.replace(QStringLiteral("line 200\r\n"), QStringLiteral("target\r\n"));
    view->SetText(text);
    view->SetSel(0, 0);
    view->ScrollCaret();
    ASSERT_EQ(view->GetFirstVisibleLine(), 0);
    ASSERT_TRUE(search.search(view->searchTarget(), QStringLiteral("target"), SearchDirection::Down,
                              MatchCase::On, SearchMode::Find));
    const int line = view->LineFromChar(view->GetSel().first);
    EXPECT_EQ(line, 199);
    EXPECT_EQ(view->GetFirstVisibleLine(), line - 5);
}

TEST_F(ViewSearchTest, TheViewsSearchRemembersBetweenCalls) {
    view->SetText(QStringLiteral("abc\r\nabc"));
    view->SetSel(5, 8);
    // The clock stands still, so the repeat falls within ten seconds.
    EXPECT_FALSE(view->Search(QStringLiteral("ABC"), SearchDirection::Down, MatchCase::Off,
                              SearchMode::ReplaceNext));
    EXPECT_EQ(env.messages.texts(),
              QStringList{QStringLiteral("“置換元” にマッチする文字列は、もうありません。")});
    EXPECT_TRUE(view->textSearch().memory().wrapped);
    EXPECT_TRUE(view->Replace(QStringLiteral("ABC"), QStringLiteral("x"), MatchCase::Off));
    EXPECT_EQ(view->GetText(), QStringLiteral("abc\r\nx"));
    EXPECT_EQ(view->GetSel(), std::make_pair(0, 3));
}

TEST_F(ViewSearchTest, ARepeatedSearchSeesEveryChangeOfTheText) {
    // "xyz" from the start; the view's search keeps its memory between the calls.
    auto findXyz = [this](MatchCase matchCase) {
        view->SetSel(0, 0);
        return view->Search(u"xyz"_qs, SearchDirection::Down, matchCase, SearchMode::Find);
    };
    view->SetText(QStringLiteral("abc xyz"));
    ASSERT_TRUE(findXyz(MatchCase::On));
    EXPECT_EQ(view->GetSel(), std::make_pair(4, 7));
    // Same length, other text.
    view->SetText(QStringLiteral("xyz abc"));
    ASSERT_TRUE(findXyz(MatchCase::On));
    EXPECT_EQ(view->GetSel(), std::make_pair(0, 3));
    view->SetSel(0, 3);
    view->ReplaceSel(QStringLiteral("q"));
    EXPECT_FALSE(findXyz(MatchCase::On));
    // Typing counts too.
    view->activeEdit().setFocus();
    view->SetSel(5, 5);
    QTest::keyClicks(&view->activeEdit(), QStringLiteral("XYZ"));
    ASSERT_TRUE(findXyz(MatchCase::Off));
    EXPECT_EQ(view->GetSel(), std::make_pair(5, 8));
    // So does the other control taking over the text.
    const CTextEdit* before = &view->activeEdit();
    ASSERT_TRUE(view->onCommand(cmd::ID_VIEW_WRAP));
    ASSERT_NE(&view->activeEdit(), before);
    view->SetText(QStringLiteral("__XYZ"));
    ASSERT_TRUE(findXyz(MatchCase::Off));
    EXPECT_EQ(view->GetSel(), std::make_pair(2, 5));
}

TEST_F(ViewSearchTest, NothingFoundFlashesTheControlAndLeavesTheText) {
    view->SetText(QStringLiteral("abc"));
    view->SetSel(3, 3);
    const QColor base = view->activeEdit().palette().color(QPalette::Base);
    EXPECT_FALSE(search.search(view->searchTarget(), QStringLiteral("zzz"), SearchDirection::Down,
                               MatchCase::Off, SearchMode::Find));
    EXPECT_NE(view->activeEdit().palette().color(QPalette::Base), base);
    TAVLO_TRY_COMPARE(view->activeEdit().palette().color(QPalette::Base), base);
    EXPECT_EQ(view->GetText(), QStringLiteral("abc"));
    EXPECT_TRUE(env.messages.shown().empty());
}

} // namespace
