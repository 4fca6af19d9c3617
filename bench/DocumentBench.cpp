// Opening a 10 MB Shift-JIS file must show it well under a second, and saving
// it again likewise: every step of loading (read, detect, convert, widen the
// line breaks, fill the edit control) and of saving (narrow, convert, write
// through a temporary file) is linear.
#include "CEditer.h"
#include "CTextEdit.h"
#include "CharSetServices.h"
#include "Clock.h"
#include "CodePage.h"
#include "EditerDocument.h"
#include "MessageService.h"
#include "PosixFileSystem.h"
#include "ProfileStore.h"
#include "Registry.h"
#include "Settings.h"
#include "TextCodec.h"
#include "TextFileIO.h"
#include "TitleComposer.h"

#include <QApplication>
#include <QFile>
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
    std::unique_ptr<CEditer> view;

    explicit Editor(bool wrap = true) {
        store.SetRegistryKey(QStringLiteral("Orvane"));
        settings.writeInt(QStringLiteral("EDIT_AUTO_ARRANGE"), wrap ? 1 : 0);
        view = std::make_unique<CEditer>(
            ViewServices{settings, messages, clock, Locale(0x0411, 0x0411)}, documents.services());
        view->resize(480, 640);
        view->show();
        view->OnInitialUpdate();
        view->OnTimer(17);
    }
};

// About 10 MB of Shift-JIS: lines of kana, kanji and ASCII, CR LF breaks.
QString writeShiftJisFile(const QString& path) {
    // "日本語のテキスト、" in Shift-JIS, then ASCII.
    const QByteArray line = QByteArray::fromHex("93fa967b8cea82cc8365834c8358836781410d0a") +
                            QByteArray("Tavlo text editor line 0123456789\r\n");
    QByteArray bytes;
    bytes.reserve(10 * 1024 * 1024 + line.size());
    while (bytes.size() < 10 * 1024 * 1024)
        bytes += line;
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}

// Argument 1: the wrapping control (the default), 0: the non-wrapping one.
void BM_OpenAndShowTenMegabytesShiftJis(benchmark::State& state) {
    Editor editor(state.range(0) != 0);
    const QString path = writeShiftJisFile(editor.dir.filePath(QStringLiteral("big.txt")));
    for (auto _ : state) {
        // Emptying the previous copy is not part of opening.
        state.PauseTiming();
        editor.view->document().OnFileNew();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        const bool ok = editor.view->OpenFileByPath(path);
        QCoreApplication::processEvents(); // lay out and paint the first screen
        if (!ok || editor.view->state().charSet != 8 && editor.view->state().charSet != 1)
            state.SkipWithError("the file did not open as Shift-JIS");
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(path).size());
}
BENCHMARK(BM_OpenAndShowTenMegabytesShiftJis)
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

void BM_SaveTenMegabytesShiftJis(benchmark::State& state) {
    Editor editor;
    const QString path = writeShiftJisFile(editor.dir.filePath(QStringLiteral("big.txt")));
    if (!editor.view->OpenFileByPath(path)) {
        state.SkipWithError("open failed");
        return;
    }
    for (auto _ : state) {
        editor.view->SetModify(true);
        editor.view->document().OnFileSave();
        if (editor.view->GetModify())
            state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(path).size());
}
BENCHMARK(BM_SaveTenMegabytesShiftJis)->Unit(benchmark::kMillisecond)->Iterations(3);

// The two halves of opening, to see where the time goes.
void BM_ReadDetectDecodeTenMegabytes(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = writeShiftJisFile(dir.filePath(QStringLiteral("big.txt")));
    const Locale locale(0x0411, 0x0411);
    CharSetServices charSets([] { return QString(); }, locale);
    for (auto _ : state) {
        textfile::ReadResult read = textfile::readAll(path);
        const CharSetId set = charSets.DetectForLoading(read.bytes);
        DecodedText text = DecodeFileText(std::move(read.bytes), set, CodePage::ansi(locale));
        benchmark::DoNotOptimize(text.text.size());
    }
}
BENCHMARK(BM_ReadDetectDecodeTenMegabytes)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SetTextTenMegabytes(benchmark::State& state) {
    Editor editor;
    const QString text =
        (QStringLiteral("日本語のテキスト、\r\nTavlo text editor line 0123456789\r\n"))
            .repeated(10 * 1024 * 1024 / 55);
    for (auto _ : state) {
        editor.view->SetText(QString());
        editor.view->SetText(text);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_SetTextTenMegabytes)->Unit(benchmark::kMillisecond)->Iterations(3);

// One paragraph of a million characters: the text layout lays a paragraph
// out whole, so this measures the cost per character of a very long line.
// Argument 1: the wrapping control, 0: the non-wrapping one.
void BM_SetTextOneLongLine(benchmark::State& state) {
    Editor editor(state.range(0) != 0);
    const QString text = QStringLiteral("日本語のテキスト、Tavlo text editor line 0123456789")
                             .repeated(1000000 / 40);
    for (auto _ : state) {
        editor.view->SetText(QString());
        editor.view->SetText(text);
        QCoreApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_SetTextOneLongLine)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(1);

// A file of one line of 5,000,000 characters (minified data, a log without
// breaks) must open and show in under a second in both wrap modes, caret
// position in the title included. Argument 1: the wrapping control, 0: the
// non-wrapping one.
QString writeFiveMillionCharacterLine(const Editor& editor) {
    const QString path = editor.dir.filePath(QStringLiteral("line.txt"));
    const QByteArray unit("{\"key\":\"value\",\"n\":[1,2,3],\"text\":\"Tavlo 0123456789\"},");
    QByteArray bytes;
    bytes.reserve(5000000 + unit.size());
    while (bytes.size() < 5000000)
        bytes += unit;
    bytes.truncate(5000000);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}

void BM_OpenAndShowFiveMillionCharacterLine(benchmark::State& state) {
    Editor editor(state.range(0) != 0);
    const QString path = writeFiveMillionCharacterLine(editor);
    for (auto _ : state) {
        state.PauseTiming();
        editor.view->document().OnFileNew();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        const bool ok = editor.view->OpenFileByPath(path);
        editor.view->UpdateTitle(std::nullopt, titleflags::kCaretMask, false);
        QCoreApplication::processEvents(); // lay out and paint the first screen
        if (!ok || editor.view->GetTextLength() != 5000000)
            state.SkipWithError("the file did not open");
    }
}
BENCHMARK(BM_OpenAndShowFiveMillionCharacterLine)
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// In the same file just opened: Ctrl+End, then PageUp, PageDown, Home and
// End, each with the caret's place in the title and the screen painted.
// Only what is shown may be laid out, so each key costs about a screen of
// text, not the 5,000,000 characters before the caret (the line numbers of
// that stretch are estimated and made exact while the window is idle).
void BM_MoveToTheEndOfAFiveMillionCharacterLine(benchmark::State& state) {
    Editor editor(state.range(0) != 0);
    const QString path = writeFiveMillionCharacterLine(editor);
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
    } keys[] = {{Qt::Key_End, Qt::ControlModifier},
                {Qt::Key_PageUp, Qt::NoModifier},
                {Qt::Key_PageDown, Qt::NoModifier},
                {Qt::Key_Home, Qt::NoModifier},
                {Qt::Key_End, Qt::NoModifier}};
    for (auto _ : state) {
        state.PauseTiming();
        const bool ok = editor.view->OpenFileByPath(path);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        for (const auto& k : keys) {
            QKeyEvent press(QEvent::KeyPress, k.key, k.modifiers);
            QApplication::sendEvent(&editor.view->activeEdit(), &press);
            editor.view->UpdateTitle(std::nullopt, titleflags::kCaretMask, false);
            QCoreApplication::processEvents();
        }
        if (!ok || editor.view->activeEdit().GetSel().first != 5000000)
            state.SkipWithError("the caret did not reach the end");
    }
}
BENCHMARK(BM_MoveToTheEndOfAFiveMillionCharacterLine)
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
