// Wall time of one whole "tavlo-cli macro run" process: start-up of the
// editor without a window, loading a 1 MB text file, playing
// a 20-step macro and writing the result (in place, or to standard output
// with --dry-run). The target is well under a second per run.
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

const char* const kMacro = "# 20 steps over the whole text\n"
                           "REPLACE /A \"alpha\" \"ALPHA\"\n"
                           "REPLACE /I /A \"beta\" \"b\"\n"
                           "GOTO END\n"
                           "FIND /U \"gamma\"\n"
                           "SELECT LINE\n"
                           "COPY\n"
                           "GOTO HOME\n"
                           "PASTE\n"
                           "TYPE \"\\n\"\n"
                           "GOTO +5000\n"
                           "SELECT RIGHT\n"
                           "CUT\n"
                           "UNSELECT TAIL\n"
                           "FIND \"delta\"\n"
                           "REPLACE \"delta\" \"D\"\n"
                           "GOTO -100\n"
                           "TYPE SHIFT END\n"
                           "TYPE DEL\n"
                           "GOTO 10\n"
                           "SELECT ALL\n"
                           "UNSELECT HEAD\n";

QByteArray textOfOneMegabyte() {
    const QByteArray line = "alpha beta gamma delta epsilon 0123456789 zeta eta theta iota\r\n";
    return line.repeated((1 << 20) / line.size() + 1);
}

struct RunFiles {
    QTemporaryDir dir;
    QString macro = dir.filePath(QStringLiteral("m.mcr"));
    QString text = dir.filePath(QStringLiteral("text.txt"));

    RunFiles() {
        write(macro, kMacro);
        write(text, textOfOneMegabyte());
    }
    static void write(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("can't write %s", qPrintable(path));
    }
};

void runCli(const QStringList& args, benchmark::State& state) {
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(QStringLiteral(TAVLO_CLI), args);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        state.SkipWithError("tavlo-cli macro run failed");
}

void BM_MacroRunDry(benchmark::State& state) {
    RunFiles files;
    for (auto _ : state)
        runCli({"macro", "run", "--dry-run", files.macro, files.text}, state);
}
BENCHMARK(BM_MacroRunDry)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_MacroRunInPlace(benchmark::State& state) {
    RunFiles files;
    const QByteArray original = textOfOneMegabyte();
    for (auto _ : state) {
        state.PauseTiming();
        RunFiles::write(files.text, original);
        state.ResumeTiming();
        runCli({"macro", "run", files.macro, files.text}, state);
    }
}
BENCHMARK(BM_MacroRunInPlace)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
