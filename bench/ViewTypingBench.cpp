// Typing must stay instant in a large document: each keystroke costs work
// in proportion to its line, never to the whole text. The benchmark types
// 10,000 characters (with a line break every 50) into a 60,000-character
// document (the typing limit lifted) through the edit control's own key handling, lets the posted
// notices and the painting run after each key, and in one variant also
// composes the title after every key.
#include "CEditer.h"
#include "Clock.h"
#include "MessageService.h"
#include "PosixFileSystem.h"
#include "ProfileStore.h"
#include "Registry.h"
#include "Settings.h"
#include "TitleComposer.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

struct Editor {
    QTemporaryDir dir;
    Registry registry{dir.filePath(QStringLiteral("registry.sqlite"))};
    ProfileStore store{registry};
    Settings settings{store, Locale(0x0411, 0x0411)};
    ScriptedMessageService messages;
    FixedClock clock{QDateTime(QDate(2011, 7, 8), QTime(23, 30, 5))};
    PosixFileSystem fileSystem;
    DocumentServiceSet documents{settings, Locale(0x0411, 0x0411), 1, fileSystem};
    CEditer view{ViewServices{settings, messages, clock, Locale(0x0411, 0x0411)},
                 documents.services()};

    explicit Editor(bool wrap) {
        store.SetRegistryKey(QStringLiteral("Orvane"));
        settings.writeInt(QStringLiteral("EDIT_AUTO_ARRANGE"), wrap ? 1 : 0);
        view.resize(480, 640);
        view.show();
        view.OnInitialUpdate();
        view.OnTimer(17);
    }
};

QString documentOf(int size) {
    QString text;
    const QString line =
        QStringLiteral("The quick brown fox jumps over the lazy dog. あいうえお 0123");
    while (text.size() < size)
        text += line + QStringLiteral("\r\n");
    text.truncate(size);
    return text;
}

void typeKey(QWidget* target, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

void typeTenThousand(benchmark::State& state, bool titleEachKey) {
    const bool wrap = state.range(0) != 0;
    const int size = int(state.range(1));
    const QString text = documentOf(size);
    for (auto _ : state) {
        state.PauseTiming();
        Editor editor(wrap);
        editor.view.SetText(text);
        const int middle = editor.view.LineIndex(editor.view.GetLineCount() / 2);
        editor.view.SetSel(middle, middle);
        editor.view.ScrollCaret();
        QCoreApplication::processEvents();
        CTextEdit* edit = &editor.view.activeEdit();
        // 60,000 + 10,000 characters pass the typing limit of 65,536; the
        // limit is lifted so that every keystroke is an insertion.
        edit->SetLimitText(0);
        state.ResumeTiming();
        for (int i = 0; i < 10000; ++i) {
            if (i % 50 == 49)
                typeKey(edit, Qt::Key_Return, QStringLiteral("\r"));
            else
                typeKey(edit, Qt::Key_A + i % 26, QString(QChar(u'a' + i % 26)));
            if (titleEachKey)
                editor.view.UpdateTitle(std::nullopt, editor.view.titleFlags, false);
            QCoreApplication::processEvents();
        }
        if (editor.view.GetTextLength() != size + 10000 + 200) {
            state.SkipWithError("the typed text did not arrive");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}

void BM_TypeTenThousandCharacters(benchmark::State& state) {
    typeTenThousand(state, false);
}
// Arguments: wrap mode, document size. The small document shows what a
// keystroke costs apart from the size of the text.
BENCHMARK(BM_TypeTenThousandCharacters)
    ->Args({1, 60000})
    ->Args({0, 60000})
    ->Args({1, 1000})
    ->Args({0, 1000})
    ->Unit(benchmark::kMillisecond);

void BM_TypeWithTitleAfterEachKey(benchmark::State& state) {
    typeTenThousand(state, true);
}
BENCHMARK(BM_TypeWithTitleAfterEachKey)
    ->Args({1, 60000})
    ->Args({0, 60000})
    ->Unit(benchmark::kMillisecond);

// A keystroke in the middle of one line of 1,000,000 characters, the title
// composed after each: under 16 ms a key in both wrap modes. Arguments: wrap
// mode, line length.
void BM_TypeInOneLongLine(benchmark::State& state) {
    const bool wrap = state.range(0) != 0;
    const QString line = QStringLiteral("The quick brown fox jumps over the lazy dog. あいうえお ")
                             .repeated(int(state.range(1)) / 50 + 1)
                             .left(int(state.range(1)));
    Editor editor(wrap);
    editor.view.SetText(line);
    CTextEdit* edit = &editor.view.activeEdit();
    edit->SetLimitText(0);
    const int middle = int(line.size()) / 2;
    editor.view.SetSel(middle, middle);
    editor.view.ScrollCaret();
    editor.view.UpdateTitle(std::nullopt, titleflags::kCaretMask, false);
    QCoreApplication::processEvents();
    int typed = 0;
    for (auto _ : state) {
        typeKey(edit, Qt::Key_A + typed % 26, QString(QChar(u'a' + typed % 26)));
        ++typed;
        editor.view.UpdateTitle(std::nullopt, titleflags::kCaretMask, false);
        QCoreApplication::processEvents();
    }
    if (editor.view.GetTextLength() != line.size() + typed)
        state.SkipWithError("the typed text did not arrive");
}
BENCHMARK(BM_TypeInOneLongLine)
    ->Args({1, 1000000})
    ->Args({0, 1000000})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(200);

// Loading a multi-megabyte text into the view and asking for its displayed
// lines, which lays every paragraph out once: linear in the text.
void BM_SetTextAndCountLines(benchmark::State& state) {
    const bool wrap = state.range(0) != 0;
    const QString text = documentOf(int(state.range(1)));
    Editor editor(wrap);
    for (auto _ : state) {
        editor.view.SetText(text);
        benchmark::DoNotOptimize(editor.view.GetLineCount());
        benchmark::DoNotOptimize(editor.view.GetText());
    }
    state.SetBytesProcessed(state.iterations() * text.size() * 2);
}
BENCHMARK(BM_SetTextAndCountLines)
    ->Args({1, 1 << 20})
    ->Args({1, 4 << 20})
    ->Args({0, 4 << 20})
    ->Unit(benchmark::kMillisecond);

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
