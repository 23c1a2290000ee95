// The albums section in the whole program over a 100,000-song library (10,000 albums), 1280 × 800: the GUI
// thread's time for the section's first frame (grouping every album and laying out the grid's rows
// included; goal 100 ms), the grouping and row layout alone for each sort, and the GUI-thread time of each
// frame while the grid scrolls (goal 16 ms). Run it on an X display (xvfb-run) with the threaded render
// loop.
#include "collection/AlbumGridModel.h"
#include "collection/Sorts.h"
#include "library/LibraryStore.h"
#include "support/BenchProgram.h"

#include <QGuiApplication>
#include <QQuickItem>
#include <QTest>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
#include <vector>

namespace {

struct Program : BenchProgram {
    Program() {
        app().app().setCollectionTamsk(Nav::CollectionTamsk::artists, false);
        go(Nav::Page::collection);
        // The page shows its sections once the songs list has counted the library (on a worker).
        if (!QTest::qWaitFor(
                [&] {
                    QQuickItem* loader = find(QStringLiteral("collectionSection"));
                    return loader && loader->property("item").value<QObject*>() != nullptr;
                },
                60000))
            qFatal("the collection page stayed empty");
        QTest::qWait(800);
    }
    // The albums section's own grid (the artist page may hold a grid too).
    QQuickItem* gridView() const {
        QQuickItem* wall = find(QStringLiteral("albumWall"));
        auto* grid = wall ? wall->property("grid").value<QQuickItem*>() : nullptr;
        return grid ? grid->property("view").value<QQuickItem*>() : nullptr;
    }
    bool gridShown() const {
        QQuickItem* view = gridView();
        return view && view->property("count").toInt() > 0;
    }
    void showAlbums() {
        if (gridShown()) return;
        app().app().setCollectionTamsk(Nav::CollectionTamsk::albums, false);
        if (!QTest::qWaitFor([&] { return gridShown(); }, 5000)) {
            qFatal("no album grid");
        }
        QTest::qWait(800);
    }
};

Program& program() {
    static Program p;
    return p;
}

void BM_AlbumsFirstFrame(benchmark::State& state) {
    Program& p = program();
    std::vector<double> times;
    for (auto _ : state) {
        // Another section first: the albums section is made anew on every visit.
        p.app().app().setCollectionTamsk(Nav::CollectionTamsk::artists, false);
        if (!QTest::qWaitFor([&] { return p.gridView() == nullptr; }, 5000)) qFatal("the grid stayed");
        QTest::qWait(800);
        // From the section change to the first frame that shows the grid, the GUI thread's time.
        const double seconds =
            p.firstFrame([&] { p.app().app().setCollectionTamsk(Nav::CollectionTamsk::albums, false); },
                         [&] { return p.gridShown(); });
        state.SetIterationTime(seconds);
        times.push_back(seconds * 1000);
    }
    reportSpread(state, times);
    state.counters["goal_ms"] = 100;
}
BENCHMARK(BM_AlbumsFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

// The part of the first frame that grows with the library: every album grouped by the sort and cut into
// the grid's rows (5 columns).
void BM_AlbumsGroupAndLayOut(benchmark::State& state) {
    Program& p = program();
    const AlbumSort sort = AlbumSort(state.range(0));
    const QList<Album>& albums = p.app().library().albums();
    for (auto _ : state) {
        AlbumGridModel grid;
        grid.setColumns(5);
        grid.setGroups(Sorts::grouped(sort, albums, Date::now()), true);
        benchmark::DoNotOptimize(grid.rowCount());
    }
    state.SetLabel(Sorts::rawValue(sort).toStdString());
    state.counters["albums"] = double(albums.size());
}
BENCHMARK(BM_AlbumsGroupAndLayOut)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->Iterations(5);

// The grid scrolls 60 points a frame, down to the end and back.
void BM_AlbumsScroll(benchmark::State& state) {
    Program& p = program();
    p.showAlbums();
    QQuickItem* view = p.gridView();
    double step = 60;
    Frames f;
    for (auto _ : state) {
        f = recordFrames(p.window(), 4, [&] {
            const double top = view->property("originY").toDouble() - view->property("topMargin").toDouble();
            const double end = view->property("originY").toDouble() +
                               view->property("contentHeight").toDouble() +
                               view->property("bottomMargin").toDouble() - view->height();
            double y = view->property("contentY").toDouble() + step;
            if (y > end || y < top) {
                step = -step;
                y = std::clamp(y, top, end);
            }
            view->setProperty("contentY", y);
        });
        state.SetIterationTime(4);
    }
    reportFrames(state, f, 16);
}
BENCHMARK(BM_AlbumsScroll)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(1);

// Paging through the grid: each frame jumps a screenful, so every frame shows a screen of new albums (rows
// handed on by the list view, or made when none is free). Goal 16 ms.
void BM_AlbumsPageJumps(benchmark::State& state) {
    Program& p = program();
    p.showAlbums();
    QQuickItem* view = p.gridView();
    int page = 0;
    Frames f;
    for (auto _ : state) {
        f = recordFrames(p.window(), 4, [&] {
            const double y = view->property("originY").toDouble() + (page++ % 200) * view->height();
            view->setProperty("contentY", y);
        });
        state.SetIterationTime(4);
    }
    reportFrames(state, f, 16);
}
BENCHMARK(BM_AlbumsPageJumps)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    return runProgramBenchmarks(argc, argv, [] { program().end(); });
}
