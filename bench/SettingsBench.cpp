// The settings page's artist menus at library scale: 100,000 songs by 5,000 artists. "add an artist" and
// "add a picture for" build a row per artist when they open, and the quickplay and pictures sections work
// out their places at every drawing; all of it runs on the GUI thread.
#include "core/Defaults.h"
#include "library/ArtistImageStore.h"
#include "library/LibraryStore.h"
#include "platform/gst/FakeMediaBackend.h"
#include "playback/Player.h"
#include "settings/PictureSlots.h"
#include "settings/QuickplaySettings.h"
#include "shell/AppModel.h"

#include <QCoreApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QThread>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

QList<Song> makeLibrary(int n, int artists) {
    QList<Song> songs;
    songs.reserve(n);
    for (int i = 0; i < n; ++i) {
        const int album = i / 12;
        const QString artist = QStringLiteral("Artist %1").arg(album % artists);
        Song s;
        s.url = FileUrl::fromPath(
            QStringLiteral("/home/user/Music/%1/Album %2/%3.mp3").arg(artist).arg(album).arg(i % 12));
        s.title = QStringLiteral("Song %1").arg(i % 12 + 1);
        s.artist = s.albumArtist = artist;
        s.album = QStringLiteral("Album %1").arg(album);
        s.track = i % 12 + 1;
        s.duration = 200;
        s.added = s.modified = Date{7e8 + i};
        songs.append(s);
    }
    return songs;
}

struct Stores {
    QTemporaryDir home;
    std::unique_ptr<Defaults> defaults;
    FakeMediaBackend backend;
    std::unique_ptr<LibraryStore> library;
    std::unique_ptr<Player> player;
    std::unique_ptr<AppModel> app;
    std::unique_ptr<ArtistImageStore> pictures;

    Stores() {
        qputenv("XDG_DATA_HOME", home.filePath("data").toUtf8());
        qputenv("XDG_CONFIG_HOME", home.filePath("config").toUtf8());
        LibraryStore::writeCache(LibraryStore::encodeCache(makeLibrary(100'000, 5000)));
        defaults = std::make_unique<Defaults>();
        library = std::make_unique<LibraryStore>(
            *defaults, [](const FileUrl&, const QHash<QString, Song>&, const LibraryScanner::Progress&) {
                return QList<Song>{};
            });
        while (!library->loaded()) {
            QCoreApplication::processEvents();
            QThread::msleep(5);
        }
        player = std::make_unique<Player>(*defaults, backend);
        app = std::make_unique<AppModel>(*defaults);
        app->setSmartDJ(
            {QStringLiteral("Artist 3"), QStringLiteral("Artist 900"), QStringLiteral("Artist 1999")});
        // A hundred artists with a picture of their own.
        const QString picture = home.filePath("p.png");
        QImage image(16, 16, QImage::Format_RGB32);
        image.fill(Qt::red);
        image.save(picture);
        pictures = std::make_unique<ArtistImageStore>();
        for (int i = 0; i < 100; ++i)
            pictures->set(QUrl::fromLocalFile(picture), QStringLiteral("Artist %1").arg(i * 50));
    }
};

Stores& stores() {
    static Stores s;
    return s;
}

void smartDJMenu(benchmark::State& state) {
    Stores& s = stores();
    QuickplaySettings quick;
    quick.setApp(s.app.get());
    quick.setLibrary(s.library.get());
    quick.setPlayer(s.player.get());
    for (auto _ : state) {
        const DropMenuPage page = quick.addMenu();
        benchmark::DoNotOptimize(page.items().size());
    }
    state.counters["rows"] = double(quick.addMenu().items().size());
}
BENCHMARK(smartDJMenu)->Unit(benchmark::kMillisecond);

void smartDJPlaces(benchmark::State& state) {
    Stores& s = stores();
    QuickplaySettings quick;
    quick.setApp(s.app.get());
    quick.setLibrary(s.library.get());
    for (auto _ : state)
        benchmark::DoNotOptimize(quick.slotValues().size());
}
BENCHMARK(smartDJPlaces)->Unit(benchmark::kMillisecond);

void pictureMenu(benchmark::State& state) {
    Stores& s = stores();
    PictureSlots places;
    places.setPictures(s.pictures.get());
    places.setLibrary(s.library.get());
    for (auto _ : state) {
        const DropMenuPage page = places.addMenu();
        benchmark::DoNotOptimize(page.items().size());
    }
    state.counters["rows"] = double(places.addMenu().items().size());
}
BENCHMARK(pictureMenu)->Unit(benchmark::kMillisecond);

void picturePlaces(benchmark::State& state) {
    Stores& s = stores();
    PictureSlots places;
    places.setPictures(s.pictures.get());
    places.setLibrary(s.library.get());
    for (auto _ : state) {
        benchmark::DoNotOptimize(places.slotValues().size());
        benchmark::DoNotOptimize(places.canAdd());
    }
}
BENCHMARK(picturePlaces)->Unit(benchmark::kMillisecond);

} // namespace
