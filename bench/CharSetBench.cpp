// Throughput of the character-set detectors, converters and the load/save
// pipelines on about 8 MB of Japanese text (bytes/second of input).
#include "CharSetDetector.h"
#include "CodePage.h"
#include "JapaneseConverters.h"
#include "StraightConverters.h"
#include "TextCodec.h"
#include "UnicodeConverters.h"

#include <QFile>
#include <benchmark/benchmark.h>

namespace {

const CodePage& cp932() {
    return CodePage::get(932);
}

// The test corpus repeated to about 8 MB of UTF-8, with CR LF line breaks.
const QString& text() {
    static const QString t = [] {
        QFile f(TAVLO_TEST_DATA_DIR "/text/japanese.txt");
        f.open(QIODevice::ReadOnly);
        const QString one = QString::fromUtf8(f.readAll()).replace(u"\n"_qs, u"\r\n"_qs);
        const qsizetype copies = (8 << 20) / (one.size() * 3) + 1;
        return one.repeated(copies);
    }();
    return t;
}

QByteArray encoded(CharSetId set, LineEndingId le = lineending::CRLF) {
    return EncodeFileText(text(), set, le, JisKatakanaMode::FullWidth, cp932()).bytes;
}

const QByteArray& fileIn(CharSetId set) {
    static std::map<CharSetId, QByteArray> files;
    auto& f = files[set];
    if (f.isEmpty())
        f = encoded(set);
    return f;
}

void setBytes(benchmark::State& state, qsizetype perIteration) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * perIteration);
}

void BM_DetectJapanese(benchmark::State& state) {
    const QByteArray& in = fileIn(static_cast<CharSetId>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(DetectCharSetJapanese(in));
    setBytes(state, in.size());
}
BENCHMARK(BM_DetectJapanese)
    ->Arg(charset::SHIFT_JIS)
    ->Arg(charset::EUC)
    ->Arg(charset::UTF8N)
    ->Arg(charset::JIS)
    ->Arg(charset::UNICODE_LE);

void BM_DetectGeneric(benchmark::State& state) {
    const QByteArray& in = fileIn(charset::UTF8N);
    for (auto _ : state)
        benchmark::DoNotOptimize(DetectCharSetGeneric(in));
    setBytes(state, in.size());
}
BENCHMARK(BM_DetectGeneric);

void BM_DetectLineEnding(benchmark::State& state) {
    const CharSetId set = static_cast<CharSetId>(state.range(0));
    const QByteArray& in = fileIn(set);
    for (auto _ : state)
        benchmark::DoNotOptimize(DetectLineEndingFor(in, set));
    setBytes(state, in.size());
}
BENCHMARK(BM_DetectLineEnding)->Arg(charset::SHIFT_JIS)->Arg(charset::UNICODE_LE);

// Loading: bytes of a set to the edit buffer's text.
void BM_Decode(benchmark::State& state) {
    const CharSetId set = static_cast<CharSetId>(state.range(0));
    const QByteArray& in = fileIn(set);
    for (auto _ : state)
        benchmark::DoNotOptimize(DecodeFileText(in, set, cp932()).text.size());
    setBytes(state, in.size());
}
BENCHMARK(BM_Decode)->DenseRange(charset::ANSI, charset::SHIFT_JIS)->Unit(benchmark::kMillisecond);

// Saving: the edit buffer's text to the bytes of a set (input: UTF-16 bytes).
void BM_Encode(benchmark::State& state) {
    const CharSetId set = static_cast<CharSetId>(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(
            EncodeFileText(text(), set, lineending::LF, JisKatakanaMode::FullWidth, cp932())
                .bytes.size());
    setBytes(state, text().size() * 2);
}
BENCHMARK(BM_Encode)->DenseRange(charset::ANSI, charset::SHIFT_JIS)->Unit(benchmark::kMillisecond);

template <RESULT (*Convert)(QByteArrayView, QByteArray&)>
void byteConverter(benchmark::State& state, CharSetId inputSet) {
    const QByteArray& in = fileIn(inputSet);
    for (auto _ : state) {
        QByteArray out;
        benchmark::DoNotOptimize(Convert(in, out));
    }
    setBytes(state, in.size());
}

void BM_EucToShiftJis(benchmark::State& s) {
    byteConverter<EucToShiftJis>(s, charset::EUC);
}
void BM_JisToShiftJis(benchmark::State& s) {
    byteConverter<JisToShiftJis>(s, charset::JIS);
}
void BM_ShiftJisToEuc(benchmark::State& s) {
    byteConverter<ShiftJisToEuc>(s, charset::SHIFT_JIS);
}
void BM_ShiftJisToJis(benchmark::State& state) {
    const QByteArray& in = fileIn(charset::SHIFT_JIS);
    for (auto _ : state) {
        QByteArray out;
        benchmark::DoNotOptimize(ShiftJisToJis(in, out, JisKatakanaMode::FullWidth));
    }
    setBytes(state, in.size());
}
void BM_Utf8ToUtf16(benchmark::State& state) {
    const QByteArray& in = fileIn(charset::UTF8N);
    for (auto _ : state) {
        QString out;
        benchmark::DoNotOptimize(Utf8ToUtf16(in, out));
    }
    setBytes(state, in.size());
}
void BM_Utf16ToUtf8(benchmark::State& state) {
    for (auto _ : state) {
        QByteArray out;
        benchmark::DoNotOptimize(Utf16ToUtf8(text(), out));
    }
    setBytes(state, text().size() * 2);
}
void BM_AnsiToUtf16(benchmark::State& state) {
    const QByteArray& in = fileIn(charset::SHIFT_JIS);
    for (auto _ : state) {
        QString out;
        benchmark::DoNotOptimize(AnsiToUtf16(in, cp932(), out));
    }
    setBytes(state, in.size());
}
void BM_Utf16ToAnsi(benchmark::State& state) {
    for (auto _ : state) {
        QByteArray out;
        benchmark::DoNotOptimize(Utf16ToAnsi(text(), cp932(), out));
    }
    setBytes(state, text().size() * 2);
}
BENCHMARK(BM_EucToShiftJis)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JisToShiftJis)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShiftJisToEuc)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShiftJisToJis)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Utf8ToUtf16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Utf16ToUtf8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AnsiToUtf16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Utf16ToAnsi)->Unit(benchmark::kMillisecond);

// The straight conversions to and from UTF-8, whole input in one piece.
void BM_CodePageToUtf8(benchmark::State& state) {
    const QByteArray& in = fileIn(charset::SHIFT_JIS);
    QByteArray out;
    for (auto _ : state)
        benchmark::DoNotOptimize(CodePageToUtf8(in, cp932(), out));
    setBytes(state, in.size());
}
void BM_Utf8ToCodePage(benchmark::State& state) {
    const QByteArray& in = fileIn(charset::UTF8N);
    QByteArray out;
    for (auto _ : state)
        benchmark::DoNotOptimize(Utf8ToCodePage(in, cp932(), out));
    setBytes(state, in.size());
}
void BM_EucToUtf8(benchmark::State& state) {
    const QByteArray& in = fileIn(charset::EUC);
    QByteArray out;
    for (auto _ : state) {
        qsizetype from = 0;
        benchmark::DoNotOptimize(EucToUtf8Part(in, from, in.size(), out));
    }
    setBytes(state, in.size());
}
void BM_JisToUtf8(benchmark::State& state) {
    const QByteArray& in = fileIn(charset::JIS);
    QByteArray out;
    for (auto _ : state) {
        qsizetype from = 0;
        JisState jis = JisState::Single;
        benchmark::DoNotOptimize(JisToUtf8Part(in, from, in.size(), jis, out));
    }
    setBytes(state, in.size());
}
BENCHMARK(BM_CodePageToUtf8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Utf8ToCodePage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EucToUtf8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JisToUtf8)->Unit(benchmark::kMillisecond);

// Filling a code page's tables from iconv, which every process that reads
// (range 0) or writes (range 1) a code page pays once.
void BM_CodePageTables(benchmark::State& state) {
    const bool writing = state.range(0) == 1;
    for (auto _ : state) {
        const CodePage page(932);
        if (writing)
            benchmark::DoNotOptimize(page.fromUnicode(u"a").size());
        else
            benchmark::DoNotOptimize(page.toUnicode("a").size());
    }
}
BENCHMARK(BM_CodePageTables)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

// The convert command's pipeline without the file system: a whole file from
// one set to another, piece by piece.
void BM_ConvertFileText(benchmark::State& state) {
    const auto from = static_cast<CharSetId>(state.range(0));
    const auto to = static_cast<CharSetId>(state.range(1));
    const QByteArray& in = fileIn(from);
    for (auto _ : state) {
        qsizetype written = 0;
        const ConvertedText done = ConvertFileText(in, from, to, {}, JisKatakanaMode::FullWidth,
                                                   cp932(), [&](const char*, qsizetype n) {
                                                       written += n;
                                                       return true;
                                                   });
        benchmark::DoNotOptimize(written);
        benchmark::DoNotOptimize(done);
    }
    setBytes(state, in.size());
}
BENCHMARK(BM_ConvertFileText)
    ->Args({charset::SHIFT_JIS, charset::UTF8N})
    ->Args({charset::UTF8N, charset::SHIFT_JIS})
    ->Args({charset::EUC, charset::UTF8N})
    ->Args({charset::JIS, charset::UTF8N})
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
