// The edit control's line questions after random edits of every kind. The
// unwrapped control must answer as the lines of its own text; the wrapping
// one as a control that lays the same text out from scratch, asked lazily
// first (so the layout frontier is tested) and in full every few rounds.
#include "CTextEdit.h"
#include "ShownEdit.h"

#include <QTest>
#include <gtest/gtest.h>
#include <vector>

namespace {

// A small repeatable generator: next(bound) is in [0, bound).
class RandomNumbers {
  public:
    explicit RandomNumbers(uint32_t seed) : seed_(seed) {}
    int operator()(int bound) {
        seed_ = seed_ * 1103515245u + 12345u;
        return int((seed_ >> 8) % uint32_t(bound));
    }

  private:
    uint32_t seed_;
};

void randomEdit(CTextEdit& e, RandomNumbers& next) {
    const int at = next(e.GetTextLength() + 1);
    e.SetSel(at, std::min(e.GetTextLength(), at + next(next(4) == 0 ? 300 : 6)));
    switch (next(9)) {
    case 0:
        return e.ReplaceSel(QString(next(200), QLatin1Char('z')));
    case 1:
        return e.ReplaceSel(QStringLiteral("x\r\ny\r\n") + QString(next(150), QLatin1Char('q')));
    case 2:
        return e.ReplaceSel(QStringLiteral("p\r\nq\r\n\r\nr").repeated(1 + next(20)) +
                            QString(next(2) * 1500, QLatin1Char('n')));
    case 3:
        return e.ReplaceSel(QString());
    case 4:
        return QTest::keyClicks(&e, QStringLiteral("typed words"));
    case 5:
        return QTest::keyClick(&e, Qt::Key_Return);
    case 6:
        return QTest::keyClick(&e, Qt::Key_Backspace);
    case 7:
        return QTest::keyClick(&e, Qt::Key_Delete);
    default:
        e.Undo();
    }
}

// The lines of the text: only CR LF ends a line.
void expectLinesOfTheText(CTextEdit& e, RandomNumbers& next, int round) {
    const QStringList lines = e.GetText().split(QStringLiteral("\r\n"));
    ASSERT_EQ(e.GetLineCount(), lines.size()) << "round " << round;
    std::vector<int> starts{0};
    for (qsizetype k = 0; k + 1 < lines.size(); ++k)
        starts.push_back(starts.back() + int(lines[k].size()) + 2);
    for (int probe = 0; probe < 6; ++probe) {
        const int k = next(int(lines.size()));
        const int start = starts[size_t(k)];
        ASSERT_EQ(e.LineIndex(k), start) << "round " << round << " line " << k;
        ASSERT_EQ(e.GetLine(k), lines[k]) << "round " << round << " line " << k;
        ASSERT_EQ(e.LineLength(start), lines[k].size());
        if (k + 1 < lines.size()) // the LF of the line's break
            ASSERT_EQ(e.LineFromChar(start + int(lines[k].size()) + 1), k) << "round " << round;
        const int column = next(int(lines[k].size()) + 1);
        ASSERT_EQ(e.LineFromChar(start + column), k) << "round " << round;
        e.SetSel(start + column, start + column);
        ASSERT_EQ(e.GetSel().first, start + column) << "round " << round;
    }
    ASSERT_EQ(e.LineIndex(int(lines.size())), -1);
}

void expectLinesOfAFreshLayout(CTextEdit& e, CTextEdit& fresh, RandomNumbers& next, int round) {
    fresh.SetText(e.GetText());
    const int lines = fresh.GetLineCount(); // lays out every block
    const int probe = next(e.GetTextLength() + 1);
    const int line = fresh.LineFromChar(probe);
    ASSERT_EQ(e.LineFromChar(probe), line) << "round " << round;
    std::vector<int> asked{line, line + 1, line + 7, std::max(0, line - 3)};
    if (round % 3 == 0) // the end lays out everything
        asked.insert(asked.end(), {lines - 1, lines});
    for (int l : asked) {
        ASSERT_EQ(e.LineIndex(l), fresh.LineIndex(l)) << "round " << round << " line " << l;
        ASSERT_EQ(e.GetLine(l), fresh.GetLine(l)) << "round " << round << " line " << l;
        if (const int start = fresh.LineIndex(l); start >= 0)
            ASSERT_EQ(e.LineLength(start), fresh.GetLine(l).size()) << "round " << round;
    }
    ASSERT_EQ(e.LineFromChar(-1), fresh.LineFromChar(e.GetSel().first));
    if (round % 5 == 4) {
        ASSERT_EQ(e.GetLineCount(), lines) << "round " << round;
        for (int l = 0; l < lines; ++l)
            ASSERT_EQ(e.LineIndex(l), fresh.LineIndex(l)) << "round " << round << " line " << l;
    }
}

class EditProperty : public ::testing::TestWithParam<CTextEdit::Wrap> {};

TEST_P(EditProperty, LineQuestionsAgreeWithTheReferenceThroughRandomEdits) {
    const bool wrap = GetParam() == CTextEdit::Wrap::On;
    ShownEdit e(GetParam(), QSize(220, 300));
    ShownEdit fresh(GetParam(), QSize(220, 300));
    // Loaded text keeps many lines in one block, typed breaks make new
    // blocks; lone CRs and LFs stay inside their line.
    QString text;
    for (int i = 0; i < 300; ++i)
        text += QString((i * 53) % 160, QLatin1Char('a' + i % 26)) + (i % 41 ? "" : "\r") +
                (i % 43 ? "" : "\n") + QStringLiteral(" w\r\n");
    // Long lines, which the control cuts into joined blocks.
    text.insert(400, QString(2500, QLatin1Char('L')));
    text += QString(1100, QLatin1Char('M'));
    e->SetText(text);
    e->LineScroll(20);
    RandomNumbers next(wrap ? 987 : 4242);
    for (int round = 0; round < 200; ++round) {
        randomEdit(*e, next);
        if (wrap && round % 40 == 39) {
            // New widths and fonts lay everything out anew.
            const QSize size(150 + next(200), 300);
            e->resize(size);
            fresh->resize(size);
            QFont f = e->font();
            f.setPixelSize(10 + next(8));
            e->setFont(f);
            fresh->setFont(f);
        }
        ASSERT_EQ(e->GetTextLength(), e->GetText().size()) << "round " << round;
        if (wrap)
            expectLinesOfAFreshLayout(*e, *fresh, next, round);
        else
            expectLinesOfTheText(*e, next, round);
        if (HasFatalFailure())
            return;
    }
}

INSTANTIATE_TEST_SUITE_P(Wrap, EditProperty,
                         ::testing::Values(CTextEdit::Wrap::Off, CTextEdit::Wrap::On),
                         [](const auto& info) {
                             return info.param == CTextEdit::Wrap::On ? "On" : "Off";
                         });

} // namespace
