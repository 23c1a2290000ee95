// The collection's sorts at library scale: every song of 100,000 by title (collation keys included) when
// the songs section opens, and 10,000 albums grouped under each album sort when an album grid opens. Both
// run on the GUI thread inside the first frame of their section (goal: 100 ms).
#include "collection/Sorts.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <random>

namespace {

const QStringList words = {"love", "night", "Blue",  "river", "(intro)", "Öland", "2 step", "échos",
                           "zero", "Track", "heart", "gold",  "Sun",     "fire",  "~tilde", "city"};

QList<Song> songs(int n) {
    std::mt19937 random(7);
    QList<Song> out;
    out.reserve(n);
    for (int i = 0; i < n; ++i) {
        Song s;
        s.url = FileUrl::fromPath(QStringLiteral("/m/%1.flac").arg(i));
        s.title = words[random() % words.size()] + QLatin1Char(' ') + words[random() % words.size()] +
                  QLatin1Char(' ') + QString::number(random() % 40);
        s.albumArtist = s.artist = QStringLiteral("Artist %1").arg(i / 20);
        s.album = QStringLiteral("Album %1").arg(i / 10);
        s.track = i % 10 + 1;
        s.added = Date{double(random() % 400'000'000)};
        if (random() % 4) s.year = 1950 + qint64(random() % 75);
        out.append(s);
    }
    return out;
}

QList<Album> albums(int n) {
    QList<Album> out;
    const QList<Song> all = songs(n);
    out.reserve(n);
    for (const Song& s : all)
        out.append(Album{s.title, s.albumArtist, {s}, std::nullopt});
    return out;
}

void songsByTitle(benchmark::State& state) {
    const QList<Song> list = songs(100'000);
    for (auto _ : state)
        benchmark::DoNotOptimize(Sorts::sorted(SongSort::title, list));
}
BENCHMARK(songsByTitle)->Unit(benchmark::kMillisecond);

void albumsGrouped(benchmark::State& state) {
    const QList<Album> list = albums(10'000);
    const auto sort = AlbumSort(state.range(0));
    state.SetLabel(Sorts::rawValue(sort).toStdString());
    for (auto _ : state)
        benchmark::DoNotOptimize(Sorts::grouped(sort, list, Date{400'000'000}));
}
BENCHMARK(albumsGrouped)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // The system locale decides the title collation, as in the program.
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
