// Dragging the volume: 1,000 volume changes in a row with 20,000 play counts stored in the same settings
// file. Reports the GUI-thread time per change (goal: 0.1 ms) and what reaches the disk while the drag goes
// on at 60 changes a second (the timed writes of the writer thread) and at its end.
#include "core/Defaults.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QThread>
#include <benchmark/benchmark.h>

namespace {

QJsonObject playCounts(int n) {
    QJsonObject counts;
    for (int i = 0; i < n; ++i)
        counts.insert(QStringLiteral("/home/someone/Music/Artist %1/Album %2/%3 Song title.flac")
                          .arg(i / 100)
                          .arg(i / 10)
                          .arg(i),
                      i % 50 + 1);
    return counts;
}

// A burst as fast as the thread can go: only the cost of a change itself (the time shown is for 1,000).
void VolumeChangesBurst(benchmark::State& state) {
    QTemporaryDir dir;
    Defaults defaults(dir.filePath(QStringLiteral("defaults.json")));
    defaults.set(QStringLiteral("playCounts"), playCounts(20000));
    defaults.flush();
    const int writesBefore = defaults.writes();
    int step = 0;
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i)
            defaults.set(QStringLiteral("volume"), (++step % 1000) / 1000.0);
        QCoreApplication::processEvents();
    }
    defaults.flush();
    state.counters["writes"] = defaults.writes() - writesBefore;
}
BENCHMARK(VolumeChangesBurst)->Unit(benchmark::kMillisecond)->Iterations(5);

// A drag as the slider makes it: one change per frame for 1,000 frames (about 17 s of dragging), the event
// loop running between them. GUI time is the time spent inside `set`; the bytes are those written meanwhile.
void VolumeDragAtSixtyHertz(benchmark::State& state) {
    QTemporaryDir dir;
    Defaults defaults(dir.filePath(QStringLiteral("defaults.json")));
    defaults.set(QStringLiteral("playCounts"), playCounts(20000));
    defaults.flush();
    for (auto _ : state) {
        const int writesBefore = defaults.writes();
        const qint64 bytesBefore = defaults.bytesWritten();
        qint64 inSet = 0;
        qint64 worst = 0;
        QElapsedTimer clock;
        for (int i = 0; i < 1000; ++i) {
            clock.start();
            defaults.set(QStringLiteral("volume"), (i % 1000) / 1000.0 + 0.0005);
            const qint64 ns = clock.nsecsElapsed();
            inSet += ns;
            worst = std::max(worst, ns);
            QThread::usleep(16666);
            QCoreApplication::processEvents();
        }
        defaults.flush();
        state.counters["gui_us_per_change"] = double(inSet) / 1000.0 / 1000.0;
        state.counters["gui_us_worst"] = double(worst) / 1000.0;
        state.counters["writes"] = defaults.writes() - writesBefore;
        state.counters["MB_written"] = double(defaults.bytesWritten() - bytesBefore) / 1e6;
    }
}
BENCHMARK(VolumeDragAtSixtyHertz)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace
