// Covers shown per second when a grid of 1,000 albums scrolls: each album is a song file with its own
// embedded 1000×1000 JPEG, read through the tag reader, decoded by the cache and shrunk to a 200-pixel tile
// as the image provider does. Cold: a fresh cache. Warm: covers already held (as many as the budget keeps).
// Also the GUI thread's share per cover (building the image URL, and drawing a held cover synchronously),
// and the resident memory with the budget full.
#include "platform/tags/TagReader.h"
#include "shell/artwork/ArtworkCache.h"
#include "shell/artwork/ArtworkImageProvider.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <taglib/attachedpictureframe.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>

namespace {

constexpr int albumCount = 1000;
const QSize tile(200, 200);

QByteArray jpegFor(int i) {
    QImage image(1000, 1000, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient g(0, 0, 1000, 1000);
    g.setColorAt(0, QColor::fromHsv((i * 37) % 360, 200, 220));
    g.setColorAt(1, QColor::fromHsv((i * 91) % 360, 160, 90));
    p.fillRect(image.rect(), g);
    // Some detail, so the JPEG is the size of a real cover rather than a flat gradient.
    for (int k = 0; k < 400; ++k)
        p.fillRect((k * 53 + i * 7) % 1000, (k * 97 + i) % 1000, 30, 30,
                   QColor::fromHsv((k * 13) % 360, 255, 255));
    p.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 88);
    return bytes;
}

// A few MPEG-1 layer III frames (128 kb/s, 44.1 kHz, silent) for TagLib to take as a song.
QByteArray silentMp3() {
    QByteArray frame(417, '\0');
    frame[0] = char(0xFF);
    frame[1] = char(0xFB);
    frame[2] = char(0x90);
    frame[3] = char(0x64);
    return frame.repeated(20);
}

struct Library {
    QTemporaryDir dir;
    QList<FileUrl> songs;

    Library() {
        const QByteArray audio = silentMp3();
        for (int i = 0; i < albumCount; ++i) {
            const QString folder = dir.path() + QString("/album%1").arg(i);
            QDir().mkpath(folder);
            const QString path = folder + "/01.mp3";
            QFile f(path);
            f.open(QIODevice::WriteOnly);
            f.write(audio);
            f.close();
            TagLib::MPEG::File file(QFile::encodeName(path).constData());
            auto* apic = new TagLib::ID3v2::AttachedPictureFrame;
            apic->setMimeType("image/jpeg");
            apic->setType(TagLib::ID3v2::AttachedPictureFrame::FrontCover);
            const QByteArray jpeg = jpegFor(i);
            apic->setPicture(TagLib::ByteVector(jpeg.constData(), unsigned(jpeg.size())));
            file.ID3v2Tag(true)->addFrame(apic);
            file.save();
            songs << FileUrl::fromPath(path);
        }
    }
};

Library& library() {
    static Library l;
    return l;
}

ArtworkCache::EmbeddedPictures reader() {
    return [](const QString& song) {
        const QByteArray picture = TagReader::embeddedPicture(song);
        return picture.isEmpty() ? QList<QByteArray>() : QList<QByteArray>{picture};
    };
}

// What a grid does for each cover coming on screen: ask for it and shrink it to the tile off the GUI thread.
void showAll(ArtworkCache& cache, const QList<FileUrl>& songs) {
    QList<QFuture<QImage>> shown;
    shown.reserve(songs.size());
    for (const FileUrl& song : songs)
        shown << cache.image(song).then(&cache.pool(),
                                        [](const QImage& p) { return CoverPicture::scaledToCover(p, tile); });
    for (auto& f : shown) {
        if (f.result().isNull()) std::abort();
    }
}

qint64 residentBytes() {
    QFile status("/proc/self/status");
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toLongLong() * 1024;
    return 0;
}

void BM_CoversCold(benchmark::State& state) {
    const QList<FileUrl>& songs = library().songs;
    for (auto _ : state) {
        ArtworkCache cache(reader());
        showAll(cache, songs);
        state.PauseTiming();
        // Measured with the budget full and the cache alive.
        state.counters["held_MB"] = double(cache.heldBytes()) / (1024 * 1024);
        state.counters["resident_MB"] = double(residentBytes()) / (1024 * 1024);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * songs.size());
    state.counters["covers_per_s"] =
        benchmark::Counter(double(state.iterations() * songs.size()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CoversCold)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// Warm over the covers the default budget keeps (a 1000×1000 cover holds 4 MB decoded).
void BM_CoversWarm(benchmark::State& state) {
    const int fit = int(ArtworkCache::defaultBudget / (1000 * 1000 * 4)) - 1;
    const QList<FileUrl> songs = library().songs.mid(0, fit);
    ArtworkCache cache(reader());
    showAll(cache, songs);
    for (auto _ : state)
        showAll(cache, songs);
    state.SetItemsProcessed(state.iterations() * songs.size());
    state.counters["covers"] = songs.size();
    state.counters["covers_per_s"] =
        benchmark::Counter(double(state.iterations() * songs.size()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CoversWarm)->Unit(benchmark::kMillisecond)->UseRealTime();

// The GUI thread's part for a cover that must load: the view's binding builds its image URL; the request
// itself goes to Qt's image reader thread and the cache's pool.
void BM_GuiThreadPerLoadingCover(benchmark::State& state) {
    const QList<FileUrl>& songs = library().songs;
    ArtworkCache cache(reader());
    qsizetype i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(cache.source(songs[i++ % songs.size()].path));
}
BENCHMARK(BM_GuiThreadPerLoadingCover)->Unit(benchmark::kMicrosecond);

// The GUI thread's part for a cover already held: its URL and the synchronous shrink to the tile, so that
// it is drawn in the view's first frame.
void BM_GuiThreadPerHeldCover(benchmark::State& state) {
    const FileUrl song = library().songs.first();
    ArtworkCache cache(reader());
    cache.image(song).waitForFinished();
    HeldArtworkProvider held(cache);
    for (auto _ : state) {
        const QString id = cache.source(song.path).section('/', 3);
        QSize size;
        benchmark::DoNotOptimize(held.requestImage(id, &size, tile));
    }
}
BENCHMARK(BM_GuiThreadPerHeldCover)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    mallopt(M_MMAP_THRESHOLD, 1024 * 1024); // as the program does
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    library(); // made once, before any timing
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
