#pragma once

// The whole program, as a user starts it, over a generated library: the window's benchmarks (first frame of a
// page, scroll and drawing frames) run against it so they count QML, the stores and the scene graph together.
// Run them on an X display (xvfb-run) with the threaded render loop: offscreen, layer effects draw nothing.
#include "library/Song.h"
#include "shell/AppModel.h"
#include "shell/TamskApp.h"

#include <QString>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <functional>
#include <memory>
#include <vector>

class QQuickItem;
class QQuickWindow;

// Song i of the generated library: 20 songs an album artist, 10 an album, 3–5 minutes each. `file`, when
// given, is a real file to play. A song whose path starts "/nonexistent/Music/" is given an empty file of
// that date in the program's music folder (the rest of the path kept), so the start-up scan keeps it.
Song benchSong(int i, const QString& file = {});

// CPU seconds of the whole process (every thread).
double processSeconds();

class BenchProgram {
public:
    // Writes the library cache of `count` songs (`make` gives each), starts the program with it (no watching)
    // and waits for the window, every song and the end of the start-up scan, which finds nothing new.
    explicit BenchProgram(
        int count = 100000, const std::function<Song(int)>& make = [](int i) { return benchSong(i); });
    ~BenchProgram();

    TamskApp& app() { return *m_app; }
    QQuickWindow* window() const { return m_window; }
    QString home() const { return m_home.path(); }

    // Shows a page and lets its entrances end.
    void go(Nav::Page page, int settleMs = 800);
    // The first item by that object name anywhere under the window's content (loaded pages included), or
    // null.
    QQuickItem* find(const QString& objectName) const;
    // The GUI thread's CPU seconds from `change` until the first frame swapped after `ready()` holds.
    double firstFrame(const std::function<void()>& change, const std::function<bool()>& ready,
                      int timeoutMs = 5000);

    // Drops the program before the application object goes.
    void end();

private:
    QTemporaryDir m_home;
    std::unique_ptr<TamskApp> m_app;
    QQuickWindow* m_window = nullptr;
};

// GUI-thread milliseconds of each frame swapped while something ran, and the process's CPU meanwhile.
struct Frames {
    std::vector<double> ms;
    double cpuPercent = 0;
};
// Frames swapped during `seconds` of the event loop; `step`, when given, is called before each frame's wait
// (a scroll step, say) and its GUI time is counted in that frame.
Frames recordFrames(QQuickWindow* window, double seconds, const std::function<void()>& step = {});
// Frames, GUI-thread p50 and p95 and the CPU as counters, beside the goal.
void reportFrames(benchmark::State& state, const Frames& frames, double goalMs);
// The spread of repeated first frames (in ms) beside their mean: the 95th percentile (nearest rank) and the
// slowest.
void reportSpread(benchmark::State& state, std::vector<double> ms);

// The main of a benchmark over the program: the application, the benchmarks, then `end` (which drops the
// program) before the application goes. Music plays into a fake sink unless VELTO_AUDIO_SINK says otherwise.
int runProgramBenchmarks(int argc, char** argv, const std::function<void()>& end);
