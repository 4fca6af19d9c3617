// Wall time of one whole "tavlo-cli macro run" process: start-up of the
// editor without a window, loading a 1 MB text file, playing
// a 20-step macro and writing the result (in place, or to standard output
// with --dry-run). The target is well under a second per run; child_cpu_ms
// is the process's own CPU time, which a busy machine does not stretch.
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

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

// CPU seconds (user and system) of the finished child processes so far: on
// a shared machine the wall time also counts the waits for a free core.
double childCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void reportChildCpu(benchmark::State& state, double before) {
    state.counters["child_cpu_ms"] = benchmark::Counter(
        (childCpuSeconds() - before) * 1000.0 / double(state.iterations()));
}

void runCli(const QStringList& args, benchmark::State& state) {
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(QStringLiteral(TAVLO_CLI), args);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        state.SkipWithError("tavlo-cli macro run failed");
}

void BM_MacroRunDry(benchmark::State& state) {
    RunFiles files;
    const double before = childCpuSeconds();
    for (auto _ : state)
        runCli({"macro", "run", "--dry-run", files.macro, files.text}, state);
    reportChildCpu(state, before);
}
BENCHMARK(BM_MacroRunDry)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_MacroRunInPlace(benchmark::State& state) {
    RunFiles files;
    const QByteArray original = textOfOneMegabyte();
    const double before = childCpuSeconds();
    for (auto _ : state) {
        state.PauseTiming();
        RunFiles::write(files.text, original);
        state.ResumeTiming();
        runCli({"macro", "run", files.macro, files.text}, state);
    }
    reportChildCpu(state, before);
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
