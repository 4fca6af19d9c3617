// Throughput of the macro loader and writer on about 4 MB of macro text
// (bytes/second of the file), and of a single very long continued line.
#include "Locale.h"
#include "MacroLoader.h"
#include "MacroWriter.h"

#include <QDate>
#include <benchmark/benchmark.h>

namespace {

const QString& macroText() {
    static const QString text = [] {
        const QString block = QStringLiteral("# a comment line\n"
                                             "TYPE CTRL + SHIFT RIGHT\n"
                                             "TYPE \"日本語のテキスト \\\"quoted\\\" \\\\ \\n\"\n"
                                             "FIND /I \"needle\\t\"\n"
                                             "REPLACE /A \"from\" \"to\"\n"
                                             "OPEN \"C:\\My Documents\\file.txt\"\n"
                                             "GOTO + 3\nSLEEP 10\nSELECT LEFT\nCOPY\n");
        return block.repeated((4 << 20) / (block.size() * 2) + 1);
    }();
    return text;
}

void BM_LoadUtf16(benchmark::State& state) {
    const QByteArray bytes = encodeMacroFile(macroText());
    const Locale locale(0x0411, 0x0411);
    for (auto _ : state) {
        Macro macro;
        parseMacroFile(macro, bytes, locale);
        benchmark::DoNotOptimize(macro.steps.data());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_LoadUtf16)->Unit(benchmark::kMillisecond);

void BM_LoadUtf8(benchmark::State& state) {
    const QByteArray bytes = macroText().toUtf8();
    const Locale locale(0x0411, 0x0411);
    for (auto _ : state) {
        Macro macro;
        parseMacroFile(macro, bytes, locale);
        benchmark::DoNotOptimize(macro.steps.data());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_LoadUtf8)->Unit(benchmark::kMillisecond);

// One logical line of 4 MB made of continued physical lines, and one token
// with many escape pairs: both must stay linear.
void BM_LoadLongContinuedLine(benchmark::State& state) {
    const QString text =
        QStringLiteral("TYPE \"") + QStringLiteral("ab\\\\\\\"cd\\\n").repeated(500000) + u'"';
    const QByteArray bytes = text.toUtf8();
    const Locale locale(0x0411, 0x0411);
    for (auto _ : state) {
        Macro macro;
        parseMacroFile(macro, bytes, locale);
        benchmark::DoNotOptimize(macro.steps.data());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_LoadLongContinuedLine)->Unit(benchmark::kMillisecond);

void BM_Write(benchmark::State& state) {
    Macro macro;
    parseMacroText(macro, macroText());
    qint64 bytes = 0;
    for (auto _ : state) {
        const QByteArray out = encodeMacroFile(macroFileText(macro, QDate(2026, 1, 1)));
        bytes += out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_Write)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
