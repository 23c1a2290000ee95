// Start-up and rescan costs of the library with 100k songs: deriving the collection from the raw songs,
// reading the cache file, the store made from that cache, and the memory the store then holds.
#include "core/Defaults.h"
#include "library/LibraryStore.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

namespace {

// A library shaped like a real one: ten-song albums in artist/album folders, one album in twenty an
// untagged compilation (album artists to resolve), one song in fifty present twice (FLAC and MP3), a few
// names with accents, and some of the user's edits.
QList<Song> makeLibrary(int n) {
    QList<Song> songs;
    songs.reserve(n);
    for (int i = 0; songs.size() < n; ++i) {
        const int album = i / 10;
        const int artist = album / 10;
        const bool compilation = album % 20 == 7;
        const QString artistName =
            (artist % 20 == 3 ? QStringLiteral("Bj\u00f6rk %1") : QStringLiteral("Artist %1")).arg(artist);
        Song s;
        s.url = FileUrl::fromPath(QStringLiteral("/home/user/Music/%1/Album %2/%3 Song title %4.mp3")
                                      .arg(artistName)
                                      .arg(album)
                                      .arg(i % 10 + 1, 2, 10, QLatin1Char('0'))
                                      .arg(i));
        s.title = QStringLiteral("Song title %1").arg(i);
        s.artist = compilation ? QStringLiteral("Guest %1").arg(i % 4) : artistName;
        s.album = QStringLiteral("Album %1").arg(album);
        s.albumArtist = s.artist;
        if (!compilation && album % 3 == 0) s.albumArtistTag = artistName;
        s.track = i % 10 + 1;
        s.duration = 200.5 + i % 97;
        s.genre = QStringLiteral("Rock");
        if (album % 4) s.year = 1960 + album % 60;
        s.added = Date{7e8 + i * 13.37};
        s.modified = s.added;
        s.bytes = 8'000'000 + i;
        songs.append(s);
        if (i % 50 == 0 && songs.size() < n) {
            Song flac = s;
            flac.url.path.chop(3);
            flac.url.path += QStringLiteral("flac");
            flac.bytes *= 4;
            songs.append(flac);
        }
    }
    return songs;
}

LibraryEdits makeEdits(const QList<Song>& songs) {
    LibraryEdits edits;
    for (qsizetype i = 0; i < songs.size(); i += 100)
        edits.songTitles.insert(songs[i].url.path, QStringLiteral("Edited"));
    for (qsizetype i = 0; i < songs.size(); i += 500)
        edits.albumTitles.insert(songs[i].albumID(), QStringLiteral("Edited album"));
    return edits;
}

double residentMegabytes() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / 1e6 : 0;
}

void BM_BuildCollection(benchmark::State& state) {
    const QList<Song> raw = makeLibrary(int(state.range(0)));
    const LibraryEdits edits = makeEdits(raw);
    for (auto _ : state) {
        auto collection = LibraryStore::build(raw, edits);
        benchmark::DoNotOptimize(collection);
    }
    const auto c = LibraryStore::build(raw, edits);
    state.counters["albums"] = double(c.albums.size());
    state.counters["artists"] = double(c.artists.size());
    state.counters["duplicates"] = double(c.duplicates.size());
}
BENCHMARK(BM_BuildCollection)->Arg(100000)->Unit(benchmark::kMillisecond);

// Each step of building, alone, to see where the time goes.
void BM_BuildSteps(benchmark::State& state) {
    const QList<Song> raw = makeLibrary(100000);
    const LibraryEdits edits = makeEdits(raw);
    const QList<Song> resolved = LibraryStore::resolveAlbumArtists(raw);
    const QList<Song> kept = LibraryStore::removeDuplicates(resolved).kept;
    for (auto _ : state) {
        switch (state.range(0)) {
        case 0:
            benchmark::DoNotOptimize(LibraryStore::resolveAlbumArtists(raw));
            break;
        case 1:
            benchmark::DoNotOptimize(LibraryStore::removeDuplicates(resolved));
            break;
        case 2:
            benchmark::DoNotOptimize(edits.apply(kept));
            break;
        }
    }
    state.SetLabel(state.range(0) == 0   ? "resolve album artists"
                   : state.range(0) == 1 ? "remove duplicates"
                                         : "apply edits");
}
BENCHMARK(BM_BuildSteps)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// A private data folder holding the cache of `n` songs.
struct CacheHome {
    QTemporaryDir dir;
    explicit CacheHome(int n) {
        qputenv("XDG_DATA_HOME", dir.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", (dir.path() + QStringLiteral("/config")).toUtf8());
        LibraryStore::writeCache(LibraryStore::encodeCache(makeLibrary(n)));
        makeEdits(makeLibrary(n)).save();
    }
};

void BM_ReadCache(benchmark::State& state) {
    CacheHome home(int(state.range(0)));
    state.counters["MB"] = double(QFile(LibraryStore::cachePath()).size()) / 1e6;
    for (auto _ : state) {
        auto songs = LibraryStore::loadCache();
        if (!songs || songs->size() != state.range(0)) state.SkipWithError("cache not read back");
        benchmark::DoNotOptimize(songs);
    }
}
BENCHMARK(BM_ReadCache)->Arg(100000)->Unit(benchmark::kMillisecond);

// Where reading the cache goes: the file, the JSON parse, decoding songs from the parse tree.
void BM_ReadCacheSteps(benchmark::State& state) {
    CacheHome home(100000);
    QFile file(LibraryStore::cachePath());
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    const QJsonDocument doc = QJsonDocument::fromJson(bytes);
    QStringList urls;
    for (const QJsonValue& v : doc.array())
        urls.append(v.toObject().value(QLatin1String("url")).toString());
    for (auto _ : state) {
        switch (state.range(0)) {
        case 0: {
            QFile f(LibraryStore::cachePath());
            f.open(QIODevice::ReadOnly);
            benchmark::DoNotOptimize(f.readAll());
            break;
        }
        case 1:
            benchmark::DoNotOptimize(QJsonDocument::fromJson(bytes));
            break;
        case 2:
            benchmark::DoNotOptimize(Song::listFromJson(doc.array()));
            break;
        case 3:
            for (const QString& url : urls)
                benchmark::DoNotOptimize(FileUrl::fromString(url));
            break;
        }
    }
    state.SetLabel(state.range(0) == 0   ? "read file"
                   : state.range(0) == 1 ? "parse JSON"
                   : state.range(0) == 2 ? "decode songs"
                                         : "of which file URLs");
}
BENCHMARK(BM_ReadCacheSteps)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

// What a start waits for: the store made, edits and cache read, the collection published.
void BM_StoreFromCache(benchmark::State& state) {
    CacheHome home(int(state.range(0)));
    Defaults defaults;
    auto noScan = [](const FileUrl&, const QHash<QString, Song>&, const LibraryScanner::Progress&) {
        return QList<Song>{};
    };
    for (auto _ : state) {
        LibraryStore store(defaults, noScan);
        if (store.songs().isEmpty()) state.SkipWithError("nothing loaded");
        benchmark::DoNotOptimize(store.albums());
    }
    // Memory the store keeps holding, after the file's text and parse tree are gone.
    malloc_trim(0);
    const double before = residentMegabytes();
    {
        auto store = std::make_unique<LibraryStore>(defaults, noScan);
        malloc_trim(0);
        state.counters["store RSS MB"] = residentMegabytes() - before;
        state.counters["songs"] = double(store->songs().size());
    }
}
BENCHMARK(BM_StoreFromCache)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
