// Start-up reads every preference once; the settings sheet writes them all
// back. Both must stay well below what a user notices (a few milliseconds
// per hundred values), also with many open-documents values beside them.
#include "ProfileStore.h"
#include "Registry.h"
#include "Settings.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

struct Store {
    QTemporaryDir dir;
    Registry registry{dir.filePath(QStringLiteral("registry.sqlite"))};
    ProfileStore store{registry};
    Settings settings{store, Locale(0x0411, 0x0411), [] { return QStringList{"Noto Sans"}; }};
    Store() { store.SetRegistryKey(QStringLiteral("Orvane")); }
};

void BM_ReadAllSettings(benchmark::State& state) {
    Store s;
    for (const SettingDef& def : settings_table::all()) {
        if (def.kind == SettingKind::Number)
            s.settings.writeInt(QLatin1String(def.name), def.numberDefault + 1);
    }
    for (auto _ : state) {
        int sum = 0;
        for (const SettingDef& def : settings_table::all()) {
            const QString name = QLatin1String(def.name);
            if (def.kind == SettingKind::Number)
                sum += s.settings.getInt(name);
            else
                sum += int(s.settings.getString(name).size());
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * int64_t(settings_table::all().size()));
}
BENCHMARK(BM_ReadAllSettings)->Unit(benchmark::kMillisecond);

void BM_WriteAllSettings(benchmark::State& state) {
    Store s;
    int round = 0;
    for (auto _ : state) {
        ++round;
        for (const SettingDef& def : settings_table::all()) {
            const QString name = QLatin1String(def.name);
            if (def.kind == SettingKind::Number)
                s.settings.writeInt(name, round);
            else
                s.settings.writeString(name, QString::number(round));
        }
    }
    state.SetItemsProcessed(state.iterations() * int64_t(settings_table::all().size()));
}
BENCHMARK(BM_WriteAllSettings)->Unit(benchmark::kMillisecond);

// The open-documents walk: count the values, then read them from the last
// index down, as the check for a file open elsewhere does.
void BM_WalkOpenDocuments(benchmark::State& state) {
    Store s;
    RegKey key;
    s.registry.RegCreateKeyEx(
        HKEY_CURRENT_USER, QStringLiteral("Software\\Orvane\\Tavlo Text Editor\\OpenDocs"), &key);
    for (int i = 0; i < state.range(0); ++i)
        s.registry.setString(key, QString::number(100000 + i),
                             QStringLiteral("/home/user/file%1.txt").arg(i));
    for (auto _ : state) {
        uint32_t count = 0;
        s.registry.RegQueryInfoKey(key, nullptr, &count);
        for (int i = int(count) - 1; i >= 0; --i) {
            QString name;
            char16_t data[261];
            uint32_t size = sizeof data;
            s.registry.RegEnumValue(key, uint32_t(i), &name, nullptr, data, &size, 32);
            benchmark::DoNotOptimize(name);
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_WalkOpenDocuments)->Arg(10)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
