// Enumeration and sorting of a folder of 10,000 files by the file list model
// (the target is well under half a second per fill), and the sort alone for
// each key.
#include "PosixFileSystem.h"
#include "QsdFileListModel.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kFiles = 10000;

const QString& sampleFolder() {
    static QTemporaryDir dir;
    static const bool made = [] {
        const char* exts[] = {".txt", ".jpg", ".htm", ".mp3", ".exe", ".bin", ""};
        for (int i = 0; i < kFiles; ++i) {
            QFile f(dir.path() + QStringLiteral("/file%1%2")
                                     .arg((i * 7919) % kFiles)
                                     .arg(QString::fromLatin1(exts[i % 7])));
            if (f.open(QIODevice::WriteOnly))
                f.write(QByteArray(i % 4096, 'x'));
        }
        for (int i = 0; i < 50; ++i)
            QDir(dir.path()).mkdir(QStringLiteral("folder%1").arg(i));
        return true;
    }();
    Q_UNUSED(made);
    static const QString path = dir.path() + u'/';
    return path;
}

void BM_RefillTenThousandFiles(benchmark::State& state) {
    Clock clock;
    PosixFileSystem fileSystem;
    QsdFileListModel model(fileSystem, clock);
    model.setOptionBits(qsd::SHOW_FOLDERS);
    model.fillExtensionTables();
    model.setFolder(sampleFolder());
    for (auto _ : state) {
        model.Refill();
        benchmark::DoNotOptimize(model.rowCount());
    }
    state.counters["rows"] = model.rowCount();
}
BENCHMARK(BM_RefillTenThousandFiles)->Unit(benchmark::kMillisecond);

void BM_SortTenThousandFiles(benchmark::State& state) {
    Clock clock;
    PosixFileSystem fileSystem;
    QsdFileListModel model(fileSystem, clock);
    model.setOptionBits(qsd::SHOW_FOLDERS);
    model.setFolder(sampleFolder());
    model.Refill();
    const int key = static_cast<int>(state.range(0));
    bool ascending = true;
    for (auto _ : state) {
        ascending = !ascending;
        model.setSortOrder(key, ascending);
    }
}
BENCHMARK(BM_SortTenThousandFiles)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

void BM_ColumnTextsOfTenThousandRows(benchmark::State& state) {
    Clock clock;
    PosixFileSystem fileSystem;
    QsdFileListModel model(fileSystem, clock);
    model.setFolder(sampleFolder());
    model.Refill();
    for (auto _ : state) {
        for (int row = 0; row < model.rowCount(); ++row)
            for (int column = 0; column < 3; ++column)
                benchmark::DoNotOptimize(model.data(model.index(row, column)));
    }
}
BENCHMARK(BM_ColumnTextsOfTenThousandRows)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
