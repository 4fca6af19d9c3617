// Search and replace-all through the view's real edit control (offscreen),
// on 65,000 characters.
#include "CEditer.h"
#include "Clock.h"
#include "Locale.h"
#include "MessageService.h"
#include "PosixFileSystem.h"
#include "ProfileStore.h"
#include "Registry.h"
#include "Settings.h"
#include "TextSearch.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// A view over a temporary registry, shown offscreen.
struct ViewFixture {
    QTemporaryDir dir;
    Registry registry{dir.filePath(QStringLiteral("registry.sqlite"))};
    ProfileStore store{registry};
    Settings settings{store, Locale(0x0411, 0x0411)};
    ScriptedMessageService messages;
    FixedClock clock{QDateTime::currentDateTime()};
    PosixFileSystem fileSystem;
    DocumentServiceSet documents{settings, Locale(0x0411, 0x0411), 1, fileSystem};
    std::unique_ptr<CEditer> view;

    ViewFixture() {
        store.SetRegistryKey(QStringLiteral("Orvane"));
        view = std::make_unique<CEditer>(
            ViewServices{settings, messages, clock, Locale(0x0411, 0x0411)}, documents.services());
        view->resize(480, 640);
        view->show();
        view->OnInitialUpdate();
    }
};

QString lines65000(const QString& last) {
    QString text;
    const QString line =
        QStringLiteral("The quick brown fox jumps over the lazy dog; ＡＢＣ ひらがな.\r\n");
    while (text.size() + line.size() < 64990)
        text += line;
    text += last;
    text += QString(65000 - text.size(), u'.');
    return text;
}

void BM_ViewSearch(benchmark::State& state) {
    ViewFixture f;
    f.view->SetText(lines65000(QStringLiteral("Needle")));
    for (auto _ : state) {
        f.view->SetSel(0, 0);
        benchmark::DoNotOptimize(f.view->Search(QStringLiteral("needle"), SearchDirection::Down,
                                                MatchCase::Off, SearchMode::Find));
    }
}
BENCHMARK(BM_ViewSearch)->Unit(benchmark::kMicrosecond);

// The part of each search that reads the control's text.
void BM_ViewGetText(benchmark::State& state) {
    ViewFixture f;
    f.view->SetText(lines65000(QStringLiteral("Needle")));
    for (auto _ : state)
        benchmark::DoNotOptimize(f.view->GetText());
}
BENCHMARK(BM_ViewGetText)->Unit(benchmark::kMicrosecond);

// 10,000 matches of "ab" replaced by "xyz" in 65,000 characters.
void BM_ViewReplaceAll(benchmark::State& state) {
    ViewFixture f;
    QString text;
    for (int i = 0; i < 10000; ++i)
        text += i % 20 == 19 ? QStringLiteral("ab\r\n ") : QStringLiteral("ab cd");
    text += QString(65000 - text.size(), u'-');
    for (auto _ : state) {
        state.PauseTiming();
        f.view->SetText(text);
        f.messages.clear();
        state.ResumeTiming();
        f.view->ReplaceAll(QStringLiteral("AB"), QStringLiteral("xyz"), MatchCase::Off);
    }
}
BENCHMARK(BM_ViewReplaceAll)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
