// The artist page in the whole program over 100,000 songs by 5,000 album artists, 1280 × 800: the GUI
// thread's time from choosing an artist in the artists section to the first frame of its page (goal
// 100 ms), and per frame while that page scrolls from its top to its end and back (goal 16 ms). The artist
// has twenty albums, so its grid runs far below the fold and its hero holds as many covers as fit. Run it
// on an X display (xvfb-run) with the threaded render loop: offscreen, the hero's layer effects draw
// nothing.
#include "support/BenchProgram.h"

#include <QGuiApplication>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
#include <vector>

namespace {

const QString bigArtist = QStringLiteral("Artist 100");
const QString otherArtist = QStringLiteral("Artist 50");

// The generated library, but "Artist 100" has each of its twenty songs on an album of its own, one a year.
Song song(int i) {
    Song s = benchSong(i);
    if (i / 20 == 100) {
        s.album = QStringLiteral("Album of %1").arg(i);
        s.track = 1;
        s.year = 1990 + i % 20;
    }
    return s;
}

struct Program : BenchProgram {
    Program() : BenchProgram(100000, song) {}
    // The artists section with `name` chosen, its entrances over.
    void show(const QString& name, int settleMs = 800) {
        app().app().show(name, std::nullopt);
        if (!QTest::qWaitFor([&] { return page(name) != nullptr; }, 20000)) {
            QQuickItem* any = find(QStringLiteral("artistPage"));
            qFatal("no artist page: %s", any ? qPrintable(any->property("artistName").toString()) : "none");
        }
        QTest::qWait(settleMs);
    }
    // The page of `name`; the page it replaces may still be in the window, on its way out.
    QQuickItem* page(const QString& name) const { return findPage(window()->contentItem(), name); }
    static QQuickItem* findPage(QQuickItem* item, const QString& name) {
        if (item->objectName() == QStringLiteral("artistPage") &&
            item->property("artistName").toString() == name)
            return item;
        for (QQuickItem* child : item->childItems())
            if (QQuickItem* found = findPage(child, name)) return found;
        return nullptr;
    }
};

Program& program() {
    static Program p;
    return p;
}

void BM_ArtistPageFirstFrame(benchmark::State& state) {
    Program& p = program();
    std::vector<double> times;
    for (auto _ : state) {
        p.show(otherArtist);
        // From the choice to the first frame that shows the new page, the GUI thread's time.
        const double seconds = p.firstFrame([&] { p.app().app().show(bigArtist, std::nullopt); },
                                            [&] { return p.page(bigArtist) != nullptr; }, 30000);
        state.SetIterationTime(seconds);
        times.push_back(seconds * 1000);
    }
    reportSpread(state, times);
    state.counters["goal_ms"] = 100;
}
BENCHMARK(BM_ArtistPageFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_ArtistPageScroll(benchmark::State& state) {
    Program& p = program();
    p.show(bigArtist, 1500);
    QQuickItem* flick = p.find(QStringLiteral("artistScroll"));
    if (!flick) qFatal("no scroll");
    const double end = flick->property("contentHeight").toDouble() - flick->height();
    if (end < 1000) qFatal("the page is too short to scroll");
    double step = 12;
    Frames f;
    for (auto _ : state) {
        // Down to the end and back up, 12 points a frame (the hero glides away and back on the way).
        f = recordFrames(p.window(), 6, [&] {
            double y = flick->property("contentY").toDouble() + step;
            if (y >= end || y <= 0) step = -step;
            flick->setProperty("contentY", std::clamp(y, 0.0, end));
        });
        state.SetIterationTime(6);
    }
    state.counters["scroll_range"] = end;
    reportFrames(state, f, 16);
}
BENCHMARK(BM_ArtistPageScroll)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    return runProgramBenchmarks(argc, argv, [] { program().end(); });
}
