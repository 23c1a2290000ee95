#include "core/Defaults.h"
#include "platform/gst/GstMediaBackend.h"
#include "playback/Player.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <unistd.h>

namespace {
const char* const formats[] = {"mp3", "flac", "m4a", "ogg", "wav"};

Song fixtureSong(const QString& format) {
    Song song;
    song.url = FileUrl::fromPath(QStringLiteral(VELTO_FIXTURES_DIR "/tone.") + format);
    song.title = format;
    song.albumArtist = QStringLiteral("Bench");
    song.duration = 2;
    return song;
}

// Keeps the settings and the listening log of the runs out of the user's folders.
struct BenchHome {
    QTemporaryDir dir;
    BenchHome() {
        qputenv("XDG_DATA_HOME", (dir.path() + "/data").toUtf8());
        qputenv("XDG_CONFIG_HOME", (dir.path() + "/config").toUtf8());
    }
};
} // namespace

// From play() to the engine's report that the first buffer has reached the (real-time) sink.
static void BM_PlayToFirstBuffer(benchmark::State& state) {
    const QString format = QString::fromLatin1(formats[state.range(0)]);
    state.SetLabel(format.toStdString());
    if (!QFileInfo::exists(fixtureSong(format).path())) {
        state.SkipWithError("fixtures missing: run the tests once");
        return;
    }
    BenchHome home;
    Defaults defaults;
    GstMediaBackend engine(QStringLiteral("fakesink sync=true"));
    Player player(defaults, engine);
    QSignalSpy ready(&engine, &MediaBackend::ready);
    for (auto _ : state) {
        ready.clear();
        QElapsedTimer clock;
        clock.start();
        player.play({fixtureSong(format)}, 0);
        if (!ready.wait(5000)) {
            state.SkipWithError("never reached the sink");
            return;
        }
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
    }
}
BENCHMARK(BM_PlayToFirstBuffer)->DenseRange(0, 4)->UseManualTime()->Unit(benchmark::kMillisecond);

// What play() itself costs the GUI thread on a 10,000-song list: the queue, the optional shuffle, the
// engine's load and the stored counts, history and listen.
static void BM_PlayLongList(benchmark::State& state) {
    BenchHome home;
    Defaults defaults;
    GstMediaBackend engine(QStringLiteral("fakesink sync=true"));
    Player player(defaults, engine);
    player.setShuffle(state.range(0) != 0);
    state.SetLabel(state.range(0) ? "shuffle" : "in order");
    QList<Song> songs;
    for (int i = 0; i < 10000; ++i) {
        Song song = fixtureSong(QString::fromLatin1(formats[i % 5]));
        song.title = QStringLiteral("Song %1").arg(i);
        songs.append(song);
    }
    int from = 0;
    for (auto _ : state) {
        player.play(songs, from);
        from = (from + 1) % 10000;
        state.PauseTiming();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PlayLongList)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

namespace {
double residentMegabytes() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / 1e6 : 0;
}
} // namespace

// Resident memory over a long listening session: 2,000 song changes through next(), each waiting until the
// engine has the new song. The first 200 changes warm up (the engine's plugins and caches, the stored state
// at its working size); the figure is the growth over the 2,000 that follow, judged against 20 MB.
static void BM_ResidentOverSongChanges(benchmark::State& state) {
    for (const char* format : formats) {
        if (!QFileInfo::exists(fixtureSong(QString::fromLatin1(format)).path())) {
            state.SkipWithError("fixtures missing: run the tests once");
            return;
        }
    }
    BenchHome home;
    Defaults defaults;
    GstMediaBackend engine(QStringLiteral("fakesink sync=false"));
    Player player(defaults, engine);
    player.setRepeatAll(true);
    QList<Song> songs;
    for (int i = 0; i < 50; ++i) {
        Song song = fixtureSong(QString::fromLatin1(formats[i % 5]));
        song.title = QStringLiteral("Song %1").arg(i);
        songs.append(song);
    }
    QSignalSpy ready(&engine, &MediaBackend::ready);
    const auto change = [&](int count) {
        for (int i = 0; i < count; ++i) {
            ready.clear();
            player.next(false);
            if (!ready.wait(5000)) return false;
        }
        return true;
    };
    for (auto _ : state) {
        player.play(songs, 0);
        if (!ready.wait(5000) || !change(200)) {
            state.SkipWithError("the engine never got a song");
            return;
        }
        const double before = residentMegabytes();
        if (!change(2000)) {
            state.SkipWithError("the engine never got a song");
            return;
        }
        const double after = residentMegabytes();
        state.counters["resident_before_MB"] = before;
        state.counters["resident_after_MB"] = after;
        state.counters["growth_MB"] = after - before;
        state.counters["goal_MB"] = 20;
    }
}
BENCHMARK(BM_ResidentOverSongChanges)->Iterations(1)->Unit(benchmark::kSecond);

// The same session on the engine alone, without the player's stored state and log: tells the engine's share
// of any growth from the player's.
static void BM_ResidentOverEngineLoads(benchmark::State& state) {
    GstMediaBackend engine(QStringLiteral("fakesink sync=false"));
    QSignalSpy ready(&engine, &MediaBackend::ready);
    int n = 0;
    const auto change = [&](int count) {
        for (int i = 0; i < count; ++i, ++n) {
            ready.clear();
            engine.load(fixtureSong(QString::fromLatin1(formats[n % 5])).path());
            engine.play();
            if (!ready.wait(5000)) return false;
        }
        return true;
    };
    for (auto _ : state) {
        if (!change(200)) {
            state.SkipWithError("the engine never got a song");
            return;
        }
        const double before = residentMegabytes();
        if (!change(2000)) {
            state.SkipWithError("the engine never got a song");
            return;
        }
        state.counters["growth_MB"] = residentMegabytes() - before;
    }
}
BENCHMARK(BM_ResidentOverEngineLoads)->Iterations(1)->Unit(benchmark::kSecond);
