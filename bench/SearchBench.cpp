// Search and replace-all on a text of the size the edit control is meant
// for (65,000 characters), over a plain string target so that only the
// search operations are measured.
#include "Clock.h"
#include "MessageService.h"
#include "SearchTarget.h"
#include "TextSearch.h"

#include <benchmark/benchmark.h>

namespace {

class StringTarget : public SearchTarget {
  public:
    explicit StringTarget(QString text) : text_(std::move(text)) {}
    QString text() const override { return text_; }
    int selectionStart() const override { return start_; }
    int selectionEnd() const override { return end_; }
    void setSelection(int start, int end) override { start_ = start, end_ = end; }
    void replaceSelection(const QString& text) override {
        text_.replace(start_, end_ - start_, text);
        start_ = end_ = start_ + int(text.size());
    }
    void scrollCaret() override {}
    int firstVisibleLine() const override { return 0; }
    int lineFromChar(int) const override { return 0; }
    void lineScroll(int) override {}
    void flash() override {}
    void setEditVisible(bool) override {}
    void setBusy(bool) override {}

  private:
    QString text_;
    int start_ = 0;
    int end_ = 0;
};

// 65,000 characters in lines of 63 characters plus CR LF; "Needle" only
// in the last line.
QString sampleText() {
    QString text;
    const QString line =
        QStringLiteral("The quick brown fox jumps over the lazy dog; ÄÖÜ ＡＢＣ ひらがな.\r\n");
    while (text.size() + line.size() < 64990)
        text += line;
    text += QStringLiteral("Needle");
    text += QString(65000 - text.size(), u'.');
    return text;
}

void BM_SearchWithoutMatchCase(benchmark::State& state) {
    FixedClock clock(QDateTime::currentDateTime());
    ScriptedMessageService messages;
    TextSearch search(clock, messages);
    StringTarget target(sampleText());
    for (auto _ : state) {
        target.setSelection(0, 0);
        benchmark::DoNotOptimize(search.search(target, QStringLiteral("needle"),
                                               SearchDirection::Down, MatchCase::Off,
                                               SearchMode::Find));
    }
}
BENCHMARK(BM_SearchWithoutMatchCase)->Unit(benchmark::kMicrosecond);

void BM_SearchUpwardsWithMatchCase(benchmark::State& state) {
    FixedClock clock(QDateTime::currentDateTime());
    ScriptedMessageService messages;
    TextSearch search(clock, messages);
    StringTarget target(sampleText());
    for (auto _ : state) {
        target.setSelection(65000, 65000);
        benchmark::DoNotOptimize(search.search(target, QStringLiteral("lazy"), SearchDirection::Up,
                                               MatchCase::On, SearchMode::Find));
    }
}
BENCHMARK(BM_SearchUpwardsWithMatchCase)->Unit(benchmark::kMicrosecond);

// 10,000 matches of "ab" in 65,000 characters, each replaced by "xyz".
void BM_ReplaceAllTenThousandMatches(benchmark::State& state) {
    FixedClock clock(QDateTime::currentDateTime());
    ScriptedMessageService messages;
    TextSearch search(clock, messages);
    QString text;
    for (int i = 0; i < 10000; ++i)
        text += QStringLiteral("ab cd");
    text += QString(65000 - text.size(), u'-');
    for (auto _ : state) {
        StringTarget target(text);
        messages.clear();
        search.replaceAll(target, QStringLiteral("AB"), QStringLiteral("xyz"), MatchCase::Off);
        benchmark::DoNotOptimize(target.text());
    }
}
BENCHMARK(BM_ReplaceAllTenThousandMatches)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
