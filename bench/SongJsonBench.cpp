// Encoding and decoding the library cache's song list, the first thing a start with 100k songs waits on.
#include "library/LibraryCache.h"
#include "library/Song.h"

#include <QJsonDocument>
#include <benchmark/benchmark.h>

namespace {
QList<Song> makeSongs(int n) {
    QList<Song> songs;
    songs.reserve(n);
    for (int i = 0; i < n; ++i) {
        Song s;
        s.url = FileUrl::fromPath(QStringLiteral("/home/user/Music/Artist %1/Album %2/%3 Song title %4.flac")
                                      .arg(i / 100)
                                      .arg(i / 10)
                                      .arg(i % 10)
                                      .arg(i));
        s.title = QStringLiteral("Song title %1").arg(i);
        s.artist = QStringLiteral("Artist %1").arg(i / 100);
        s.album = QStringLiteral("Album %1").arg(i / 10);
        s.albumArtist = s.artist;
        s.track = i % 10 + 1;
        s.duration = 200.5 + i % 97;
        s.genre = QStringLiteral("Rock");
        s.year = 1990 + i % 30;
        s.added = Date{7e8 + i * 13.37};
        s.modified = s.added;
        s.bytes = 30'000'000 + i;
        songs.append(s);
    }
    return songs;
}

void BM_DecodeSongs(benchmark::State& state) {
    const QByteArray text =
        QJsonDocument(Song::listToJson(makeSongs(int(state.range(0))))).toJson(QJsonDocument::Compact);
    for (auto _ : state) {
        auto songs = Song::listFromJson(QJsonDocument::fromJson(text).array());
        benchmark::DoNotOptimize(songs);
    }
    state.counters["songs/s"] =
        benchmark::Counter(double(state.range(0)) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DecodeSongs)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_EncodeSongs(benchmark::State& state) {
    const QList<Song> songs = makeSongs(int(state.range(0)));
    for (auto _ : state) {
        QByteArray text = QJsonDocument(Song::listToJson(songs)).toJson(QJsonDocument::Compact);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_EncodeSongs)->Arg(100000)->Unit(benchmark::kMillisecond);

// The cache's own writer and reader, which the program uses, beside the Qt way above.
void BM_CacheEncode(benchmark::State& state) {
    const QList<Song> songs = makeSongs(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(LibraryCache::encode(songs));
}
BENCHMARK(BM_CacheEncode)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_CacheDecode(benchmark::State& state) {
    const QByteArray text = LibraryCache::encode(makeSongs(int(state.range(0))));
    for (auto _ : state) {
        auto songs = LibraryCache::decode(text);
        if (!songs) state.SkipWithError("not decoded");
        benchmark::DoNotOptimize(songs);
    }
}
BENCHMARK(BM_CacheDecode)->Arg(100000)->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();
