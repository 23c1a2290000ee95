// Artist relations and Smart DJ on a large generated collection: 100,000 songs by 5,000 album artists,
// 50,000 listens and a Last.fm entry (100 similar artists, 8 tags) for every artist. Both run on the GUI
// thread when a mix starts: building the relations should stay under 150 ms and one 60-song mix under 30 ms.
#include "playback/ArtistRelations.h"
#include "playback/SmartDJ.h"

#include <QRandomGenerator>
#include <benchmark/benchmark.h>
#include <memory>
#include <random>

namespace {

constexpr int artistCount = 5000;
constexpr int songsPerArtist = 20;
constexpr int listenCount = 50000;

const QStringList genreTexts = {
    "Rock",        "Indie Rock",  "indie rock", "Hip-Hop", "hip hop",   "Jazz",      "Soul; Funk",
    "Electronic",  "Drum & Bass", "Folk",       "Pop",     "Dream Pop", "Shoegaze",  "Metal",
    "Black Metal", "Ambient",     "Techno",     "House",   "R&B",       "Classical", "Singer/Songwriter"};

struct Data {
    QList<Artist> artists;
    QList<Listen> listens;
    QHash<QString, int> playCounts;
    LastFMArtists lastFM;
    SmartDJ::Taste taste;
};

QString artistName(int i) {
    return QStringLiteral("Artist %1").arg(i);
}

const Data& data() {
    static const Data d = [] {
        Data d;
        std::mt19937 random(2024);
        auto below = [&](int n) { return int(random() % unsigned(n)); };
        QList<QString> paths;
        for (int a = 0; a < artistCount; ++a) {
            Artist artist{artistName(a), {}};
            const QString genre = genreTexts[below(genreTexts.size())];
            const int year = 1960 + below(60);
            for (int al = 0; al < 2; ++al) {
                Album album{QStringLiteral("Album %1").arg(al), artist.name, {}, std::nullopt};
                for (int t = 0; t < songsPerArtist / 2; ++t) {
                    Song s;
                    s.url = FileUrl::fromPath(
                        QStringLiteral("/music/%1/%2/%3.flac").arg(artist.name).arg(al).arg(t));
                    s.title = QStringLiteral("Song %1").arg(t);
                    s.artist = artist.name;
                    // Some songs have guests, in the credit or in the title.
                    if (below(10) == 0)
                        s.artist += QStringLiteral(" feat. ") + artistName(below(artistCount));
                    if (below(20) == 0)
                        s.title += QStringLiteral(" (with ") + artistName(below(artistCount)) + ")";
                    if (below(30) == 0) s.title += QStringLiteral(" (Live)");
                    s.album = album.title;
                    s.albumArtist = artist.name;
                    s.track = t;
                    s.duration = 120 + below(300);
                    if (below(10)) s.genre = genre;
                    if (below(10)) s.year = year + below(3);
                    paths.append(s.url.path);
                    album.songs.append(s);
                }
                artist.albums.append(album);
            }
            d.artists.append(artist);

            LastFMArtist entry;
            for (int n = 0; n < 100; ++n)
                entry.similar.insert(artistName(below(artistCount)).toLower(), (100 - n) / 100.0);
            for (int n = 0; n < 8; ++n)
                entry.tags.append(genreTexts[below(genreTexts.size())].toLower());
            d.lastFM.insert(artist.name.toLower(), entry);
        }
        for (const QString& p : paths)
            if (below(2)) d.playCounts.insert(p, 1 + below(50));

        // Sessions of up to 30 songs from a handful of artists, a few hours apart.
        double at = 0;
        while (d.listens.size() < listenCount) {
            const int length = 1 + below(30);
            const int base = below(artistCount);
            for (int i = 0; i < length && d.listens.size() < listenCount; ++i) {
                const int a = (base + below(8)) % artistCount;
                const Song& s = d.artists[a].albums[below(2)].songs[below(songsPerArtist / 2)];
                const double seconds = below(4) ? s.duration : below(40);
                d.listens.append(
                    Listen{s.url.path, s.albumArtist, Date{at}, seconds, s.duration, below(10) == 0});
                at += seconds + below(60);
            }
            at += 3600 * (1 + below(24));
        }

        d.taste.plays = d.playCounts;
        d.taste.skips = SmartDJ::skips(d.listens);
        for (int i = 0; i < 2000; ++i)
            d.taste.liked.insert(paths[below(paths.size())]);
        for (int i = 0; i < 30; ++i)
            d.taste.recent.insert(paths[below(paths.size())]);
        return d;
    }();
    return d;
}

void BM_BuildRelations(benchmark::State& state) {
    const Data& d = data();
    for (auto _ : state) {
        auto relations = std::make_unique<ArtistRelations>(d.artists, d.listens, d.playCounts, d.lastFM);
        benchmark::DoNotOptimize(relations->mostPlays());
        // Letting go of the tables happens later, when the mix is replaced: not part of starting one.
        state.PauseTiming();
        relations.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_BuildRelations)->Unit(benchmark::kMillisecond)->MinTime(2);

void BM_Mix60(benchmark::State& state) {
    const Data& d = data();
    const ArtistRelations relations(d.artists, d.listens, d.playCounts, d.lastFM);
    QRandomGenerator random(7);
    int centre = 0;
    for (auto _ : state) {
        const QList<Song> mix = SmartDJ::mix(d.artists[centre], relations, d.taste, 60, {}, random);
        benchmark::DoNotOptimize(mix.size());
        centre = (centre + 997) % artistCount;
    }
}
BENCHMARK(BM_Mix60)->Unit(benchmark::kMillisecond)->MinTime(2);

// A continuation late in a long session: most of the centre's songs are queued, so the mix also asks for
// artists related to the whole mix.
void BM_Mix60AvoidingMost(benchmark::State& state) {
    const Data& d = data();
    const ArtistRelations relations(d.artists, d.listens, d.playCounts, d.lastFM);
    QRandomGenerator random(7);
    QSet<QString> avoiding;
    for (int a = 0; a < artistCount; ++a)
        for (const Album& album : d.artists[a].albums)
            for (const Song& s : album.songs)
                if (s.track > 1) avoiding.insert(s.url.path);
    int centre = 0;
    for (auto _ : state) {
        const QList<Song> mix = SmartDJ::mix(d.artists[centre], relations, d.taste, 60, avoiding, random);
        benchmark::DoNotOptimize(mix.size());
        centre = (centre + 997) % artistCount;
    }
}
BENCHMARK(BM_Mix60AvoidingMost)->Unit(benchmark::kMillisecond)->MinTime(2);

} // namespace

BENCHMARK_MAIN();
