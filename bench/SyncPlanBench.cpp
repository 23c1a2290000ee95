// The sync plan of a whole 100,000-song library ("all", converting on, most played first), sort keys
// included, as the summary page works it out on the GUI thread (goal: 100 ms), and the plan list's album
// grouping of the songs that go on (goal: 10 ms).
#include "pocketplayer/SyncPlan.h"
#include "pocketplayer/SyncPlanSections.h"

#include <benchmark/benchmark.h>
#include <limits>
#include <random>

namespace {

const QStringList names = {"Blue",   "river", "Öland", "échos", "zero", "Night", "gold",  "Sun",
                           "~tilde", "city",  "Ærø",   "fire",  "love", "Heart", "2 step"};
const QStringList extensions = {"mp3", "m4a", "flac", "MP3", "wav", "aac", "ogg"};

QList<Song> library(int n) {
    std::mt19937 random(11);
    QList<Song> out;
    out.reserve(n);
    for (int i = 0; i < n; ++i) {
        Song s;
        const int album = int(random() % (n / 10));
        const int artist = album / 3;
        s.url = FileUrl::fromPath(QStringLiteral("/home/me/Music/%1/%2/%3.%4")
                                      .arg(artist)
                                      .arg(album)
                                      .arg(i)
                                      .arg(extensions[random() % extensions.size()]));
        s.title = QStringLiteral("Song %1").arg(i);
        s.albumArtist = s.artist = names[artist % names.size()] + QStringLiteral(" Artist %1").arg(artist);
        s.album = names[album % names.size()] + QStringLiteral(" Album %1").arg(album);
        s.disc = 1 + qint64(random() % 2);
        s.track = 1 + qint64(random() % 15);
        s.duration = 120 + double(random() % 300);
        s.bytes = 3'000'000 + qint64(random() % 9'000'000);
        out.append(s);
    }
    return out;
}

// Made once: Google Benchmark calls each benchmark function several times.
const QList<Song>& library100k() {
    static const QList<Song> songs = library(100'000);
    return songs;
}

void planWholeLibrary(benchmark::State& state) {
    const QList<Song>& songs = library100k();
    QHash<QString, qint64> playCounts;
    std::mt19937 random(3);
    for (const Song& s : songs)
        if (random() % 3 == 0) playCounts.insert(s.url.path, qint64(random() % 50));
    const SyncPlan::Plays plays = [&playCounts](const Song& s) { return playCounts.value(s.url.path, 0); };
    // A 64 GB player takes about half the library.
    const qint64 capacity = 64LL * 930'000'000;
    for (auto _ : state)
        benchmark::DoNotOptimize(SyncPlan::make(songs, capacity, QStringLiteral("skip"), true, 256, plays));
}
BENCHMARK(planWholeLibrary)->Unit(benchmark::kMillisecond);

void groupAlbums(benchmark::State& state) {
    static const SyncPlan plan = SyncPlan::make(library100k(), std::numeric_limits<qint64>::max(),
                                                QStringLiteral("stop"), true, 256, {});
    for (auto _ : state)
        benchmark::DoNotOptimize(SyncPlanSections::make(plan, 256));
}
BENCHMARK(groupAlbums)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
