// Start-up and rescan costs of the library with 100k songs: deriving the collection from the raw songs,
// reading the cache file, the store made from that cache, and the memory the store then holds.
#include "core/Defaults.h"
#include "library/LibraryCache.h"
#include "library/LibraryChange.h"
#include "library/LibraryStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <filesystem>
#include <functional>
#include <malloc.h>
#include <sys/stat.h>
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

// What a publication costs beside the build: the change between the old collection and one where a single
// song was re-tagged, which views use to update only their touched rows.
void BM_CollectionChange(benchmark::State& state) {
    QList<Song> raw = makeLibrary(100000);
    const LibraryEdits edits = makeEdits(raw);
    const auto before = LibraryStore::build(raw, edits);
    raw[raw.size() / 2].title += QStringLiteral(" (live)");
    const auto after = LibraryStore::build(raw, edits);
    for (auto _ : state)
        benchmark::DoNotOptimize(LibraryChange::between(before.songs, after.songs, before.albums,
                                                        after.albums, before.artists, after.artists));
}
BENCHMARK(BM_CollectionChange)->Unit(benchmark::kMillisecond);

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

// The cache text alone, both ways: what a scan's end and a start spend on it.
void BM_CacheText(benchmark::State& state) {
    const QList<Song> songs = makeLibrary(100000);
    const QByteArray text = LibraryStore::encodeCache(songs);
    state.counters["MB"] = double(text.size()) / 1e6;
    for (auto _ : state) {
        if (state.range(0) == 0)
            benchmark::DoNotOptimize(LibraryStore::encodeCache(songs));
        else
            benchmark::DoNotOptimize(LibraryCache::decode(text));
    }
    state.SetLabel(state.range(0) == 0 ? "encode 100k" : "decode 100k");
}
BENCHMARK(BM_CacheText)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

// What the end of a scan spends on the cache: the text (which the scanner's readers now make as songs
// finish, so this is the serial time it no longer costs) and the atomic write of the file.
void BM_WriteCache(benchmark::State& state) {
    CacheHome home(1);
    const QList<Song> songs = makeLibrary(100000);
    for (auto _ : state) {
        QByteArray text;
        if (state.range(0) == 0) text = LibraryStore::encodeCache(songs);
        state.PauseTiming();
        if (state.range(0) == 1) text = LibraryStore::encodeCache(songs);
        state.ResumeTiming();
        if (!LibraryStore::writeCache(text)) state.SkipWithError("not written");
    }
    state.SetLabel(state.range(0) == 0 ? "encode + write 100k" : "write 100k");
}
BENCHMARK(BM_WriteCache)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

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
    // The cache is read on a worker; the time is until the collection is published on this thread.
    const auto loaded = [](const LibraryStore& store) {
        while (!store.loaded())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    };
    for (auto _ : state) {
        auto store = std::make_unique<LibraryStore>(defaults, noScan);
        loaded(*store);
        if (store->songs().isEmpty()) state.SkipWithError("nothing loaded");
        state.PauseTiming(); // freeing it is not part of the start
        store.reset();
        state.ResumeTiming();
    }
    // Memory the store keeps holding, after the file's text and parse tree are gone.
    malloc_trim(0);
    const double before = residentMegabytes();
    {
        auto store = std::make_unique<LibraryStore>(defaults, noScan);
        loaded(*store);
        malloc_trim(0);
        state.counters["store RSS MB"] = residentMegabytes() - before;
        state.counters["songs"] = double(store->songs().size());
    }
}
BENCHMARK(BM_StoreFromCache)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(5);

// An edit at 100k songs, all on the GUI thread: renaming a song or an album, as the user does it. The store
// changes the published collection in place (the edited song, its album and that album's artist) rather
// than deriving all of it again.
void BM_Edit(benchmark::State& state) {
    CacheHome home(100000);
    Defaults defaults;
    LibraryStore store(defaults, [](const FileUrl&, const QHash<QString, Song>&,
                                    const LibraryScanner::Progress&) { return QList<Song>{}; });
    while (!store.loaded())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    const Song song = store.songs().at(store.songs().size() / 2);
    const QString albumID = song.albumID();
    int n = 0;
    for (auto _ : state) {
        const QString name = QStringLiteral("Renamed %1").arg(++n);
        if (state.range(0) == 0)
            store.rename(*store.song(song.path()), name);
        else
            store.rename(*store.album(albumID), name);
    }
    state.SetLabel(state.range(0) == 0 ? "rename a song" : "rename an album");
}
BENCHMARK(BM_Edit)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

// A music folder of `n` song files for timing rescans: artist and album folders as in a real library.
// The files are empty: a rescan with nothing changed never opens one, so only names and inodes matter.
// $VELTO_BENCH_TREE overrides the folder; $VELTO_BENCH_SONGS the number of files (100,000).
QString songTree() {
    if (qEnvironmentVariableIsSet("VELTO_BENCH_TREE")) return qEnvironmentVariable("VELTO_BENCH_TREE");
    const int n = qEnvironmentVariableIntValue("VELTO_BENCH_SONGS") > 0
                      ? qEnvironmentVariableIntValue("VELTO_BENCH_SONGS")
                      : 100000;
    const QString folder = QStringLiteral(VELTO_BUILD_DIR "/bench-tree-%1").arg(n);
    if (QFileInfo::exists(folder + QStringLiteral("/.complete"))) return folder;
    QDir(folder).removeRecursively();
    static const char* const formats[] = {"mp3", "m4a", "flac", "mp3", "m4a"};
    for (int i = 0; i < n; ++i) {
        const int album = i / 10;
        const QString dir = QStringLiteral("%1/Artist %2/Album %3").arg(folder).arg(album / 2).arg(album);
        if (i % 10 == 0) QDir().mkpath(dir);
        QFile(QStringLiteral("%1/%2 Song %3.%4")
                  .arg(dir)
                  .arg(i % 10 + 1, 2, 10, QLatin1Char('0'))
                  .arg(i)
                  .arg(QLatin1String(formats[i % 5])))
            .open(QIODevice::WriteOnly);
    }
    QFile(folder + QStringLiteral("/.complete")).open(QIODevice::WriteOnly);
    return folder;
}

// What any program must do at least to notice changes: walk the tree and stat every file.
qsizetype statWalk(const QString& folder) {
    qsizetype files = 0;
    std::error_code error;
    for (auto it = std::filesystem::recursive_directory_iterator(folder.toStdString(), error);
         it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        struct stat st;
        if (::stat(it->path().c_str(), &st) == 0 && S_ISREG(st.st_mode)) ++files;
    }
    return files;
}

double secondsOf(const std::function<void()>& work) {
    const auto t0 = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// A rescan with nothing changed, as the user waits for it (walk, dates, publishing, the cache written) and
// the scanner's part alone, each against a bare stat walk of the same tree.
void BM_RescanUnchanged(benchmark::State& state) {
    const QString tree = songTree();
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toUtf8());
    Defaults defaults;
    defaults.set(QStringLiteral("libraryFolder"), tree);
    LibraryStore store(defaults);
    while (!store.loaded()) // a scan asked for before the cache is in would wait for it
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    auto scanAndWait = [&] {
        store.scan();
        while (store.scanning())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    };
    scanAndWait(); // reads every file once; from here on every song is known
    QHash<QString, Song> known;
    for (const Song& s : LibraryStore::loadCache().value_or(QList<Song>{}))
        known.insert(s.url.path, s);
    if (known.isEmpty()) {
        state.SkipWithError("no songs");
        return;
    }
    statWalk(tree);
    double bare = 0, scanner = 0, whole = 0;
    for (auto _ : state) {
        bare += secondsOf([&] { benchmark::DoNotOptimize(statWalk(tree)); });
        scanner += secondsOf(
            [&] { benchmark::DoNotOptimize(LibraryScanner::scan(FileUrl::fromPath(tree), known, {})); });
        whole += secondsOf(scanAndWait);
    }
    const double n = double(state.iterations());
    state.counters["songs"] = double(known.size());
    state.counters["stat walk ms"] = 1000 * bare / n;
    state.counters["scanner ms"] = 1000 * scanner / n;
    state.counters["store rescan ms"] = 1000 * whole / n;
    state.counters["scanner vs walk"] = scanner / bare;
    state.counters["store vs walk"] = whole / bare;
}
BENCHMARK(BM_RescanUnchanged)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
