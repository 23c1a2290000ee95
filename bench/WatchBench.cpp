// Setting up the recursive watch of a large music folder (one inotify watch per folder), which happens at
// every start with watching on and whenever the music folder changes.
#include "platform/watch/RecursiveWatcher.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
void BM_WatchTree(benchmark::State& state) {
    QTemporaryDir dir;
    const int folders = int(state.range(0));
    // Artist folders with ten album folders each, the usual shape of a music folder.
    for (int i = 0; i < folders / 10; ++i)
        for (int a = 0; a < 10; ++a)
            QDir().mkpath(dir.path() + QStringLiteral("/Artist %1/Album %2").arg(i).arg(a));
    for (auto _ : state) {
        RecursiveWatcher watcher;
        benchmark::DoNotOptimize(watcher.start(dir.path()));
        state.counters["watches"] = watcher.watchCount();
    }
}
BENCHMARK(BM_WatchTree)->Arg(5000)->Unit(benchmark::kMillisecond)->UseRealTime();
} // namespace

