// The GUI-thread work of opening an artist page at 100,000 songs by 5,000 artists: finding the chosen
// artist's row in the column, sorting its albums, the facts line over the play counts and likes, the
// cover strip and the most played songs. Their sum is part of the page's first frame (goal: 100 ms); the
// drawing itself is not measured here.
#include "collection/ArtistListModel.h"
#include "collection/ArtistMostPlayed.h"
#include "collection/ArtistPageModel.h"
#include "collection/Sorts.h"

#include <benchmark/benchmark.h>
#include <random>

namespace {

struct Library {
    QList<Artist> artists;
    QHash<QString, int> plays;
    QSet<QString> likes;
};

// 5,000 artists of 4 albums of 5 songs, in the library's order; a play count for every third song.
const Library& library() {
    static const Library lib = [] {
        Library l;
        std::mt19937 random(5);
        for (int a = 0; a < 5000; ++a) {
            Artist artist;
            artist.name = QStringLiteral("Artist %1").arg(a, 5, 10, QLatin1Char('0'));
            for (int b = 0; b < 4; ++b) {
                Album album;
                album.title = QStringLiteral("Album %1").arg(b);
                album.artist = artist.name;
                for (int s = 0; s < 5; ++s) {
                    Song song;
                    song.url = FileUrl::fromPath(QStringLiteral("/m/%1/%2/%3.flac").arg(a).arg(b).arg(s));
                    song.title = QStringLiteral("Song %1").arg(random() % 100);
                    song.artist = song.albumArtist = artist.name;
                    song.album = album.title;
                    song.duration = 180 + double(random() % 120);
                    song.added = Date{double(random() % 400'000'000)};
                    if (random() % 3) song.year = 1960 + qint64(random() % 60);
                    if (random() % 3 == 0) l.plays.insert(song.path(), int(random() % 40));
                    if (random() % 10 == 0) l.likes.insert(song.path());
                    album.songs.append(song);
                }
                artist.albums.append(album);
            }
            l.artists.append(artist);
        }
        return l;
    }();
    return lib;
}

void openArtistPage(benchmark::State& state) {
    const Library& lib = library();
    const QString name = QStringLiteral("artist 03721");
    for (auto _ : state) {
        const int row = ArtistListModel::positionOf(lib.artists, name);
        const Artist& artist = lib.artists.at(row);
        benchmark::DoNotOptimize(Sorts::sorted(AlbumSort::year, artist.albums));
        benchmark::DoNotOptimize(ArtistPageModel::facts(artist, lib.plays, lib.likes));
        benchmark::DoNotOptimize(
            ArtistPageModel::strip(artist.albums, ArtistPageModel::stripCount(1400, 360)));
        benchmark::DoNotOptimize(ArtistMostPlayed::choose(artist.songs(), lib.plays));
    }
}
BENCHMARK(openArtistPage)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
