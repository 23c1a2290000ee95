// Mixview's map, built anew whenever its inputs change: the cluster and the layout for an artist with 40
// albums and nine related artists, from a real library store. Goal: both within 50 µs. The argument is the
// number of further artists in the library (ten albums each): finding an artist by name walks them, and the
// centre sorts after all of them.
#include "core/Defaults.h"
#include "core/Text.h"
#include "library/LibraryStore.h"
#include "nowplaying/MixLayout.h"

#include <QCoreApplication>
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

} // namespace
