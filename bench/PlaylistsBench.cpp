// The playlists section in the whole program over a 100,000-song library, 1280 × 800, showing a playlist
// that holds every song: the GUI thread's time to the first frame of its detail (goal 100 ms), opening the
// section from another page and switching to it from a short playlist, and per frame (goal 16 ms) while its
// songs scroll and while rows are removed from it one by one (rows leave the list; it is never rebuilt).
// Run it on an X display (xvfb-run) with the threaded render loop.
#include "library/LibraryStore.h"
#include "library/PlaylistStore.h"
#include "support/BenchProgram.h"

#include <QAbstractItemModel>
#include <QGuiApplication>
#include <QQmlComponent>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>
#include <benchmark/benchmark.h>

namespace {

constexpr int songCount = 100000;

struct Program : BenchProgram {
    QString everything;
    QString few;

    Program() {
        PlaylistStore& store = app().playlists();
        const QList<Song>& all = app().library().songs();
        few = store.create(QStringLiteral("a few"), all.mid(0, 10)).idText();
        everything = store.create(QStringLiteral("everything"), all).idText();
        show(everything);
        // The user is on the collection page while the section shows: the start page, which follows every
        // playlist edit for its pins, is gone then.
        go(Nav::Page::collection);
    }
    // The section as the collection page makes it, laid over the window.
    QQuickItem* browser() const { return m_browser; }
    void makeBrowser() {
        QQmlComponent c(&app().engine(), QUrl(QStringLiteral("qrc:/Velto/Collection/PlaylistBrowser.qml")));
        m_browser = qobject_cast<QQuickItem*>(c.create());
        if (!m_browser) qFatal("%s", qPrintable(c.errorString()));
        m_browser->setParentItem(window()->contentItem());
        m_browser->setZ(1000);
        m_browser->setSize(QSizeF(1200, 740));
    }
    void dropBrowser() {
        delete m_browser;
        m_browser = nullptr;
    }
    QQuickItem* m_browser = nullptr;
    QObject* page() const {
        QQuickItem* b = browser();
        return b ? b->property("page").value<QObject*>() : nullptr;
    }
    QQuickItem* songList() const {
        QQuickItem* b = browser();
        if (!b) return nullptr;
        // The detail's song list, not another section's.
        QQuickItem* songs = b->findChild<QQuickItem*>(QStringLiteral("playlistSongs"));
        return songs ? songs->findChild<QQuickItem*>(QStringLiteral("songListView")) : nullptr;
    }
    QAbstractItemModel* rows() const {
        QObject* p = page();
        return p ? p->property("songs").value<QAbstractItemModel*>() : nullptr;
    }
    // The big playlist's rows are in the list view and its songs are visible.
    bool showsEverything() const {
        QQuickItem* list = songList();
        return list && list->isVisible() && list->property("count").toInt() >= songCount - 1000 &&
               page()->property("shownName").toString() == QStringLiteral("everything");
    }
    void show(const QString& id) { app().app().setSelectedPlaylistID(id); }
    // The section on screen with the big playlist, its entrances over.
    void openSection() {
        show(everything);
        if (!m_browser) makeBrowser();
        if (!QTest::qWaitFor([&] { return showsEverything(); }, 10000)) qFatal("the playlist did not show");
        QTest::qWait(1000);
    }
};

Program& program() {
    static Program p;
    return p;
}

// From another page to the playlists section showing the big playlist.
void BM_PlaylistDetailFirstFrame(benchmark::State& state) {
    Program& p = program();
    p.show(p.everything);
    for (auto _ : state) {
        p.dropBrowser();
        QTest::qWait(300);
        state.SetIterationTime(p.firstFrame([&] { p.makeBrowser(); }, [&] { return p.showsEverything(); }));
    }
    state.counters["goal_ms"] = 100;
}
BENCHMARK(BM_PlaylistDetailFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// In the section, from a ten-song playlist to the big one (a click on its row).
void BM_PlaylistSwitchFirstFrame(benchmark::State& state) {
    Program& p = program();
    p.openSection();
    for (auto _ : state) {
        p.show(p.few);
        if (!QTest::qWaitFor([&] { return !p.showsEverything(); }, 5000))
            qFatal("the short one did not show");
        QTest::qWait(300);
        state.SetIterationTime(
            p.firstFrame([&] { p.show(p.everything); }, [&] { return p.showsEverything(); }));
    }
    state.counters["goal_ms"] = 100;
}
BENCHMARK(BM_PlaylistSwitchFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_PlaylistScroll(benchmark::State& state) {
    Program& p = program();
    p.openSection();
    QQuickItem* list = p.songList();
    Frames f;
    for (auto _ : state) {
        list->setProperty("contentY", 0);
        QTest::qWait(200);
        // About three rows a frame, far into the list.
        f = recordFrames(p.window(), 3,
                         [&] { list->setProperty("contentY", list->property("contentY").toDouble() + 90); });
        state.SetIterationTime(3);
    }
    reportFrames(state, f, 16);
}
BENCHMARK(BM_PlaylistScroll)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(1);

// Removing the song at the top of the view, one a frame, as the row's remove action does.
void BM_PlaylistRemove(benchmark::State& state) {
    Program& p = program();
    p.openSection();
    QQuickItem* list = p.songList();
    list->setProperty("contentY", 40000);
    QTest::qWait(300);
    QAbstractItemModel* rows = p.rows();
    int resets = 0;
    QObject watch;
    QObject::connect(rows, &QAbstractItemModel::modelReset, &watch, [&] { ++resets; });
    const int before = rows->rowCount();
    Frames f;
    for (auto _ : state) {
        f = recordFrames(p.window(), 2, [&] {
            int row = 0;
            QMetaObject::invokeMethod(list, "indexAt", Q_RETURN_ARG(int, row), Q_ARG(qreal, 20),
                                      Q_ARG(qreal, list->property("contentY").toDouble() + 5));
            QMetaObject::invokeMethod(p.page(), "removeSong", Q_ARG(int, row));
        });
        state.SetIterationTime(2);
    }
    if (resets > 0) qFatal("a removal rebuilt the list");
    state.counters["removed"] = before - rows->rowCount();
    reportFrames(state, f, 16);
}
BENCHMARK(BM_PlaylistRemove)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    return runProgramBenchmarks(argc, argv, [] { program().end(); });
}
