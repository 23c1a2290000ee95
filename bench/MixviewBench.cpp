// Mixview's map, built anew whenever its inputs change: the cluster and the layout for an artist with 40
// albums and nine related artists, from a real library store (goal: within 50 µs), and the tile model taking
// a new map (below). The argument is the
// number of further artists in the library (ten albums each): finding an artist by name walks them, and the
// centre sorts after all of them.
#include "core/Defaults.h"
#include "core/Text.h"
#include "library/LibraryStore.h"
#include "nowplaying/MixLayout.h"
#include "nowplaying/MixTileModel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

QList<Song> artistSongs(const QString& artist, int albums) {
    QList<Song> out;
    for (int a = 0; a < albums; ++a)
        for (int t = 1; t <= 10; ++t) {
            Song s;
            s.url = FileUrl::fromPath(QStringLiteral("/m/%1/Album %2/%3.flac").arg(artist).arg(a).arg(t));
            s.title = QStringLiteral("Song %1").arg(t);
            s.artist = s.albumArtist = artist;
            s.album = QStringLiteral("Album %1").arg(a);
            s.track = t;
            s.duration = 200;
            s.bytes = 30'000'000;
            out.append(s);
        }
    return out;
}

struct Rig {
    QTemporaryDir home;
    std::unique_ptr<Defaults> defaults;
    std::unique_ptr<LibraryStore> library;
    QList<ArtistRelations::Related> related;
    QStringList pictured{QStringLiteral("related 1"), QStringLiteral("related 4")};

    explicit Rig(int others) {
        qputenv("XDG_DATA_HOME", home.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toUtf8());
        QList<Song> songs = artistSongs(QStringLiteral("Zo\u00eb Centre"), 40);
        for (int i = 0; i < 9; ++i)
            songs.append(artistSongs(QStringLiteral("Related %1").arg(i), 5));
        for (int i = 0; i < others; ++i)
            songs.append(artistSongs(QStringLiteral("Other %1").arg(i), 10));
        LibraryStore::writeCache(LibraryStore::encodeCache(songs));
        defaults = std::make_unique<Defaults>();
        library = std::make_unique<LibraryStore>(
            *defaults, [](const FileUrl&, const QHash<QString, Song>&, const LibraryScanner::Progress&) {
                return QList<Song>{};
            });
        // The cache is read on a worker: the collection arrives a moment later.
        QElapsedTimer waited;
        waited.start();
        while (!library->loaded() && waited.elapsed() < 30000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (!library->loaded()) return;
        for (int i = 0; i < 9; ++i)
            related.append({*library->artist(QStringLiteral("Related %1").arg(i)), 1.0 - i / 10.0,
                            QStringLiteral("often played together")});
    }
};

void clusterAndLayout(benchmark::State& state) {
    Rig rig(int(state.range(0)));
    if (rig.library->artists().size() != 10 + state.range(0)) {
        state.SkipWithError("the library did not load");
        return;
    }
    const MixCluster::Related related = [&](const QString&, qsizetype limit) {
        return rig.related.mid(0, limit);
    };
    const MixCluster::HasPicture hasPicture = [&](const QString& name) {
        return rig.pictured.contains(Text::lower(name));
    };
    for (auto _ : state) {
        const auto cluster = MixCluster::build(MixSeed::artist(QStringLiteral("Zo\u00eb Centre")),
                                               *rig.library, related, hasPicture);
        auto placed = MixLayout::place(*cluster, QSizeF(1280, 800), hasPicture);
        benchmark::DoNotOptimize(placed);
    }
}
BENCHMARK(clusterAndLayout)->Arg(0)->Arg(1000)->Unit(benchmark::kMicrosecond);

// A re-centre as the GUI thread does it after the cluster and the layout: the tile model takes the new map
// (rows kept by id, the others flagged), the delegates read every role of every row, and the tiles that
// dropped off go. Goal: within 0.5 ms, a quarter of the 2-ms drawing budget of a frame.
void recentreTiles(benchmark::State& state) {
    Rig rig(1000);
    if (rig.library->artists().size() != 1010) {
        state.SkipWithError("the library did not load");
        return;
    }
    const MixCluster::Related related = [&](const QString&, qsizetype limit) {
        return rig.related.mid(0, limit);
    };
    const MixCluster::HasPicture hasPicture = [&](const QString& name) {
        return rig.pictured.contains(Text::lower(name));
    };
    std::vector<MixLayout::Placed> maps[2];
    const MixSeed seeds[2] = {MixSeed::artist(QStringLiteral("Zo\u00eb Centre")),
                              MixSeed::artist(QStringLiteral("Related 0"))};
    for (int i = 0; i < 2; ++i)
        maps[i] = MixLayout::place(*MixCluster::build(seeds[i], *rig.library, related, hasPicture),
                                   QSizeF(1280, 800), hasPicture);
    MixTileModel model;
    model.setHasPicture(hasPicture);
    const QList<int> roles = model.roleNames().keys();
    int turn = 0;
    for (auto _ : state) {
        model.update(maps[turn++ % 2]);
        for (int r = 0; r < model.rowCount(); ++r)
            for (int role : roles)
                benchmark::DoNotOptimize(model.data(model.index(r), role));
        QStringList gone;
        for (const MixTileModel::Row& row : model.rows())
            if (row.dropping) gone.append(row.placed.id());
        for (const QString& id : gone)
            model.remove(id);
    }
}
BENCHMARK(recentreTiles)->Unit(benchmark::kMicrosecond);

} // namespace
