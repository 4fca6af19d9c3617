// The caret position in the title follows the caret whatever moved it: the
// find and replace operations, a jump.
#include "EditCommands.h"
#include "ViewTestSupport.h"
#include "WaitFor.h"

#include <functional>

namespace {

struct CaretMover {
    const char* name;
    std::function<void(CEditer&)> move;
    const char* title;
};

void PrintTo(const CaretMover& mover, std::ostream* os) {
    *os << mover.name;
}

class TitleCaretTest : public ViewTest, public ::testing::WithParamInterface<CaretMover> {};

TEST_P(TitleCaretTest, TitleFollowsTheCaret) {
    view->SetText(numberedLines(9) + QStringLiteral("\r\nlast line"));
    view->SetSel(0, 0);
    view->UpdateTitle(std::nullopt, view->titleFlags, false);
    ASSERT_EQ(view->title(), QStringLiteral("(1:1) (新規テキスト)"));
    GetParam().move(*view);
    TAVLO_TRY_COMPARE(view->title(), QString::fromUtf8(GetParam().title));
}

INSTANTIATE_TEST_SUITE_P(
    Movers, TitleCaretTest,
    ::testing::Values(
        CaretMover{"Find",
                   [](CEditer& v) {
                       v.Search(QStringLiteral("line 7"), SearchDirection::Down, MatchCase::Off,
                                SearchMode::Find);
                   },
                   "(7:7) (新規テキスト)"},
        CaretMover{"FindUp",
                   [](CEditer& v) {
                       v.SetSel(v.GetTextLength(), v.GetTextLength());
                       v.Search(QStringLiteral("last"), SearchDirection::Up, MatchCase::Off,
                                SearchMode::Find);
                   },
                   "(10:5) (新規テキスト)"},
        CaretMover{"Replace",
                   [](CEditer& v) {
                       v.Replace(QStringLiteral("line 2"), QStringLiteral("x"), MatchCase::Off);
                       v.Replace(QStringLiteral("line 2"), QStringLiteral("x"), MatchCase::Off);
                   },
                   "(2:2) (新規テキスト) *"},
        CaretMover{"Jump", [](CEditer& v) { v.editCommands().JumpTo(4); }, "(4:1) (新規テキスト)"}),
    [](const ::testing::TestParamInfo<CaretMover>& info) { return std::string(info.param.name); });

} // namespace

// Far into a long wrapped line the title estimates the lines of the text
// before the caret that is not laid out yet, and shows the exact line once
// the control has laid that text out while idle.
TEST(TitleCaretLongLine, TheTitleEndsWithTheExactLineFarIntoALongWrappedLine) {
    ViewEnvironment env;
    // Long words first and short ones at the end fill lines differently, so
    // an estimate from the last lines' fill is not the exact line.
    const QString text = QStringLiteral("abcdefghijklmnopqrstuvwxyz0123456789abcdefghij ").repeated(3000) +
                         QStringLiteral("a ").repeated(20000);
    auto view = env.makeView();
    ASSERT_TRUE(view->activeEdit().wraps());
    view->SetText(text);
    view->SetSel(int(text.size()), int(text.size()));
    view->UpdateTitle(std::nullopt, view->titleFlags, false);
    const QString estimated = view->title();
    TAVLO_TRY_VERIFY(view->title() != estimated);
    const int line = view->LineFromChar(int(text.size()));
    const int column = int(text.size()) - view->LineIndex(line) + 1;
    EXPECT_EQ(view->title(), QStringLiteral("(%1:%2) (新規テキスト)").arg(line + 1).arg(column))
        << "estimated first: " << estimated.toStdString();
}
