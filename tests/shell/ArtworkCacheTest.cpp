#include "ArtworkSupport.h"

#include <QDataStream>
#include <QSignalSpy>
#include <QtConcurrent/QtConcurrentRun>
#include <gtest/gtest.h>

using namespace artwork_test;

namespace {

// A BMP header that claims a picture of the given size and carries no pixels.
QByteArray bmpClaiming(qint32 width, qint32 height) {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("BM", 2);
    out << quint32(54 + 16) << quint32(0) << quint32(54);
    out << quint32(40) << width << height << quint16(1) << quint16(24) << quint32(0) << quint32(0)
        << qint32(2835) << qint32(2835) << quint32(0) << quint32(0);
    out.writeRawData("0123456789abcdef", 16);
    return bytes;
}

} // namespace

TEST(ArtworkCache, TenSimultaneousRequestsShareOneLoad) {
    TestHome home;
    FakeSongs songs;
    const QString song = songIn(home, "a");
    songs.pictures[song] = {encoded(solid(Qt::green))};
    ArtworkCache cache(songs.reader());

    // Asked from ten threads at once, as ten views coming on screen together would, while the one load is
    // still reading. Each chains work of its own on its answer, as the image provider and the tint do:
    // every chain gets the picture, not only the one attached last.
    songs.delay = std::chrono::milliseconds(300);
    QList<QFuture<QFuture<QImage>>> asks;
    for (int i = 0; i < 10; ++i)
        asks << QtConcurrent::run([&cache, song] {
            return cache.image(FileUrl::fromPath(song)).then([](const QImage& p) { return p; });
        });
    QList<QImage> pictures;
    for (auto& ask : asks) {
        QFuture<QImage> answer = await(ask);
        settle(answer);
        ASSERT_FALSE(answer.isCanceled()) << "a chain of a joined load was dropped";
        pictures << answer.result();
    }

    EXPECT_EQ(songs.reads.load(), 1);
    for (const QImage& p : pictures) {
        ASSERT_FALSE(p.isNull());
        EXPECT_EQ(p.cacheKey(), pictures.first().cacheKey()); // one decoded picture, shared
    }
    // Later requests are answered from the cache without loading.
    EXPECT_TRUE(cache.image(FileUrl::fromPath(song)).isFinished());
    EXPECT_EQ(songs.reads.load(), 1);
}

TEST(ArtworkCache, MissesAreRememberedUntilForgotten) {
    TestHome home;
    FakeSongs songs;
    const QString song = songIn(home, "bare");
    ArtworkCache cache(songs.reader());

    EXPECT_TRUE(await(cache.image(FileUrl::fromPath(song))).isNull());
    EXPECT_TRUE(await(cache.image(FileUrl::fromPath(song))).isNull());
    EXPECT_EQ(songs.reads.load(), 1);

    // The song is re-tagged with a cover; a rescan forgets its address and the cover shows.
    songs.pictures[song] = {encoded(solid(Qt::red))};
    QSignalSpy revised(&cache, &ArtworkCache::revisionChanged);
    const QString before = cache.source(song);
    cache.forget(FileUrl::fromPath(song));
    EXPECT_EQ(revised.count(), 1);
    EXPECT_NE(cache.source(song), before); // views showing the old picture ask again
    EXPECT_FALSE(await(cache.image(FileUrl::fromPath(song))).isNull());
    EXPECT_EQ(songs.reads.load(), 2);
}

TEST(ArtworkCache, ForgettingDuringALoadKeepsNothingOfIt) {
    TestHome home;
    FakeSongs songs;
    songs.delay = std::chrono::milliseconds(200);
    const QString song = songIn(home, "a");
    songs.pictures[song] = {encoded(solid(Qt::red))};
    ArtworkCache cache(songs.reader());
    QFuture<QImage> old = cache.image(FileUrl::fromPath(song));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    {
        std::lock_guard guard(songs.lock);
        songs.pictures[song] = {encoded(solid(Qt::blue), "PNG")};
    }
    cache.forget(FileUrl::fromPath(song));
    await(old);
    EXPECT_TRUE(cache.cached(FileUrl::fromPath(song)).isNull());
    const QImage fresh = await(cache.image(FileUrl::fromPath(song)));
    EXPECT_EQ(fresh.pixelColor(5, 5), QColor(Qt::blue));
}

struct FolderCase {
    QStringList files; // written beside the song; the first listed is a real picture, the rest garbage
    bool found;
};

class FolderPicture : public ::testing::TestWithParam<FolderCase> {};

TEST_P(FolderPicture, IsFoundOnlyUnderItsNames) {
    TestHome home;
    FakeSongs songs;
    const QString song = songIn(home, "album");
    for (const QString& name : GetParam().files)
        TestHome::writeFile(home.folder("album") + "/" + name, encoded(solid(Qt::yellow)));
    ArtworkCache cache(songs.reader());
    const QImage picture = await(cache.image(FileUrl::fromPath(song)));
    EXPECT_EQ(!picture.isNull(), GetParam().found);
}

INSTANTIATE_TEST_SUITE_P(Names, FolderPicture,
                         ::testing::Values(FolderCase{{"Cover.JPG"}, true}, FolderCase{{"FOLDER.jpeg"}, true},
                                           FolderCase{{"front.png"}, true}, FolderCase{{"cover.gif"}, false},
                                           FolderCase{{"scan.jpg"}, false}, FolderCase{{"covers.jpg"}, false},
                                           FolderCase{{}, false}));

TEST(ArtworkCache, EmbeddedPictureComesBeforeTheFolderAndADamagedOneIsSkipped) {
    TestHome home;
    FakeSongs songs;
    const QString song = songIn(home, "album");
    TestHome::writeFile(home.folder("album") + "/cover.jpg", encoded(solid(Qt::yellow)));
    songs.pictures[song] = {QByteArray("\xff\xd8\xff\xe0 broken"), encoded(solid(Qt::blue), "PNG")};
    ArtworkCache cache(songs.reader());
    const QImage picture = await(cache.image(FileUrl::fromPath(song)));
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.pixelColor(5, 5), QColor(Qt::blue));
}

TEST(ArtworkCache, ADamagedChosenCoverGivesNoneAndIsNotRetried) {
    TestHome home;
    FakeSongs songs;
    const QString cover = home.folder("Covers") + "/chosen.jpg";
    TestHome::writeFile(cover, "this is not a picture");
    ArtworkCache cache(songs.reader());

    EXPECT_TRUE(await(cache.image(FileUrl::fromPath(cover))).isNull());
    // A picture file is never read as a song, so no embedded picture stands in for it.
    EXPECT_EQ(songs.reads.load(), 0);
    // Repaired on disk, it stays missing for the run until the address is forgotten.
    TestHome::writeFile(cover, encoded(solid(Qt::red)));
    EXPECT_TRUE(await(cache.image(FileUrl::fromPath(cover))).isNull());
    cache.forget(FileUrl::fromPath(cover));
    EXPECT_FALSE(await(cache.image(FileUrl::fromPath(cover))).isNull());
}

TEST(CoverPicture, DamagedTruncatedAndHugePicturesDecodeToNothing) {
    const QByteArray jpeg = encoded(solid(Qt::red, 200, 200));
    const QByteArray png = encoded(solid(Qt::red, 200, 200), "PNG");
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"empty", QByteArray()},
        {"garbage", QByteArray(4096, 'x')},
        {"jpeg header only", jpeg.left(20)},
        {"jpeg cut short", jpeg.left(jpeg.size() * 2 / 3)},
        {"png cut short", png.left(png.size() / 2)},
        {"claims 60000 by 60000", bmpClaiming(60000, 60000)},
        {"claims negative size", bmpClaiming(-5, 0)},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(CoverPicture::decode(c.bytes).isNull()) << c.what;
    EXPECT_EQ(CoverPicture::decode(jpeg).size(), QSize(200, 200));
}

TEST(ArtworkCache, TheBudgetDropsTheLeastRecentlyUsedFirst) {
    TestHome home;
    FakeSongs songs;
    songs.delay = {};
    QStringList paths;
    for (int i = 0; i < 3; ++i) {
        paths << songIn(home, QString("album%1").arg(i));
        songs.pictures[paths.last()] = {encoded(solid(Qt::red, 100, 100))};
    }
    const qint64 one = 100 * 100 * 4;
    ArtworkCache cache(songs.reader(), {}, 2 * one);
    await(cache.image(FileUrl::fromPath(paths[0])));
    await(cache.image(FileUrl::fromPath(paths[1])));
    // Using the first makes the second the oldest.
    EXPECT_FALSE(cache.cached(FileUrl::fromPath(paths[0])).isNull());
    await(cache.image(FileUrl::fromPath(paths[2])));

    EXPECT_LE(cache.heldBytes(), 2 * one);
    EXPECT_FALSE(cache.cached(FileUrl::fromPath(paths[0])).isNull());
    EXPECT_TRUE(cache.cached(FileUrl::fromPath(paths[1])).isNull());
    // A dropped picture is loaded again on request, not taken for a miss.
    EXPECT_FALSE(await(cache.image(FileUrl::fromPath(paths[1]))).isNull());
    EXPECT_EQ(songs.reads.load(), 4);
}

TEST(CoverGradient, LowerLeftGivesTheFirstColourAndUpperRightTheSecond) {
    // Red below on the left, blue above on the right; the other quarters are noise for the averages.
    const QImage picture = quarters(Qt::green, Qt::blue, Qt::red, Qt::yellow);
    const auto colours = CoverPicture::gradient(picture);
    ASSERT_TRUE(colours);
    EXPECT_NEAR(colours->from.hsvHueF(), 0.0, 0.01);
    EXPECT_NEAR(colours->to.hsvHueF(), 240.0 / 360, 0.01);
    EXPECT_EQ(colours->from.alpha(), 255);
}

TEST(CoverGradient, DullColoursAreMadeVivid) {
    const QColor v = CoverPicture::vivid(QColor::fromHsvF(0.5f, 0.2f, 0.3f));
    EXPECT_NEAR(v.hsvHueF(), 0.5, 0.01);
    EXPECT_NEAR(v.hsvSaturationF(), 0.55, 0.01);
    EXPECT_NEAR(v.valueF(), 0.65, 0.01);
    const QColor keep = CoverPicture::vivid(QColor::fromHsvF(0.5f, 0.9f, 0.95f));
    EXPECT_NEAR(keep.hsvSaturationF(), 0.9, 0.01);
    EXPECT_NEAR(keep.valueF(), 0.95, 0.01);
}

TEST(CoverGradient, OneHueAllOverTurnsTheSecondColourFurtherAndLighter) {
    const QColor teal = QColor::fromHsvF(0.5f, 0.8f, 0.7f);
    const auto colours = CoverPicture::gradient(solid(teal));
    ASSERT_TRUE(colours);
    EXPECT_NEAR(colours->to.hsvHueF(), 0.59, 0.01);
    EXPECT_NEAR(colours->to.valueF(), std::min(colours->from.valueF() + 0.1, 1.0), 0.01);
    // Near the top of the hue circle the turn wraps around through red.
    const auto wrapped = CoverPicture::gradient(solid(QColor::fromHsvF(0.95f, 0.8f, 0.98f)));
    ASSERT_TRUE(wrapped);
    EXPECT_NEAR(wrapped->to.hsvHueF(), 0.04, 0.01);
    EXPECT_NEAR(wrapped->to.valueF(), 1.0, 0.001);
}

TEST(CoverHue, FollowsTheMostWeightedWindowOfBins) {
    // Hues 350°, 0° and 10° fill bins 23, 0 and 1: their average lies near 0, not near 0.5.
    QImage reduced(32, 32, QImage::Format_RGB32);
    for (int i = 0; i < 1024; ++i) {
        const float h = std::array{350.0f, 0.0f, 10.0f}[i % 3] / 360;
        reduced.setPixelColor(i % 32, i / 32, QColor::fromHsvF(h, 1, 1));
    }
    const auto h = CoverPicture::hueOfPixels(reduced);
    ASSERT_TRUE(h);
    EXPECT_LT(std::min(*h, 1 - *h), 0.01);

    // A green majority wins over a red minority.
    QImage mixed = solid(QColor::fromHsvF(1.0f / 3, 1, 1), 32, 32);
    for (int x = 0; x < 32; ++x)
        for (int y = 0; y < 10; ++y)
            mixed.setPixelColor(x, y, Qt::red);
    ASSERT_TRUE(CoverPicture::hue(mixed));
    EXPECT_NEAR(*CoverPicture::hue(mixed), 1.0 / 3, 0.01);
}

TEST(CoverHue, GreysDarkPicturesAndTooFewColouredPixelsHaveNone) {
    EXPECT_FALSE(CoverPicture::hue(solid(QColor(128, 128, 128))));
    EXPECT_FALSE(CoverPicture::hue(solid(QColor(40, 0, 0)))); // brightness 0.16: too dark
    EXPECT_FALSE(CoverPicture::hue(QImage()));
    // 40 fully coloured pixels of 1024 weigh 40, under the 4 % floor; 42 weigh 42, over it.
    auto withColoured = [](int n) {
        QImage image = solid(Qt::white, 32, 32);
        for (int i = 0; i < n; ++i)
            image.setPixelColor(i % 32, i / 32, Qt::blue);
        return CoverPicture::hueOfPixels(image);
    };
    EXPECT_FALSE(withColoured(40));
    EXPECT_TRUE(withColoured(42));
}

TEST(ArtworkCache, HueAndGradientOfAnAddressAreRemembered) {
    TestHome home;
    FakeSongs songs;
    const QString grey = songIn(home, "grey");
    const QString red = songIn(home, "red");
    const QString none = songIn(home, "none");
    songs.pictures[grey] = {encoded(solid(QColor(90, 90, 90)))};
    songs.pictures[red] = {encoded(quarters(Qt::red, Qt::red, Qt::red, Qt::red))};
    ArtworkCache cache(songs.reader());

    EXPECT_FALSE(await(cache.hue(FileUrl::fromPath(grey))));
    QFuture<std::optional<double>> again = cache.hue(FileUrl::fromPath(grey));
    EXPECT_TRUE(again.isFinished()); // answered at once from the remembered −1
    EXPECT_FALSE(again.result());

    const auto h = await(cache.hue(FileUrl::fromPath(red)));
    ASSERT_TRUE(h);
    EXPECT_LT(std::min(*h, 1 - *h), 0.01);
    ASSERT_TRUE(await(cache.gradient(FileUrl::fromPath(red))));
    EXPECT_TRUE(cache.gradient(FileUrl::fromPath(red)).isFinished());

    EXPECT_FALSE(await(cache.gradient(FileUrl::fromPath(none))));
    EXPECT_FALSE(await(cache.hue(FileUrl::fromPath(none))));
}

TEST(ArtworkCache, MosaicOfFourCoversAndItsFallbacks) {
    TestHome home;
    FakeSongs songs;
    const QColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow, Qt::cyan};
    QList<FileUrl> urls;
    for (int i = 0; i < 5; ++i) {
        urls << FileUrl::fromPath(songIn(home, QString("album%1").arg(i)));
        // Wide pictures: the crop to the centred square must keep the middle colour.
        QImage wide = solid(Qt::black, 120, 60);
        QPainter(&wide).fillRect(30, 0, 60, 60, colours[i]);
        songs.pictures[urls.last().path] = {encoded(wide, "PNG")};
    }
    ArtworkCache cache(songs.reader());

    const QImage made = await(cache.mosaic(urls));
    ASSERT_EQ(made.size(), QSize(600, 600));
    EXPECT_EQ(made.pixelColor(150, 150), QColor(Qt::red));
    EXPECT_EQ(made.pixelColor(450, 150), QColor(Qt::green));
    EXPECT_EQ(made.pixelColor(150, 450), QColor(Qt::blue));
    EXPECT_EQ(made.pixelColor(450, 450), QColor(Qt::yellow));
    EXPECT_EQ(made.pixelColor(5, 150), QColor(Qt::red)); // no black band: the sides were cropped
    EXPECT_EQ(cache.cachedMosaic(urls).cacheKey(), made.cacheKey());

    // Three songs: the first one's cover.
    EXPECT_EQ(await(cache.mosaic(urls.mid(0, 3))).size(), QSize(120, 60));
    EXPECT_TRUE(await(cache.mosaic({})).isNull());

    // Five songs whose third has no cover: the first one's cover, and no mosaic is kept.
    QList<FileUrl> holed = urls;
    holed[2] = FileUrl::fromPath(songIn(home, "bare"));
    EXPECT_EQ(await(cache.mosaic(holed)).size(), QSize(120, 60));
    EXPECT_TRUE(cache.cachedMosaic(holed).isNull());

    // Forgetting one of its covers drops the mosaic made with it.
    cache.forget(urls[3]);
    EXPECT_TRUE(cache.cachedMosaic(urls).isNull());
}

TEST(ArtworkCache, MosaicKeyEscapesAllButLettersAndDigits) {
    const QString key =
        ArtworkCache::mosaicKey({FileUrl::fromPath("/m/Björk/a b.mp3"), FileUrl::fromPath("/m/東京/1.flac")});
    EXPECT_EQ(key, QString("mosaic:%2Fm%2FBjörk%2Fa%20b%2Emp3%01%2Fm%2F東京%2F1%2Eflac"));
    // Every address counts, not only the first four.
    const QList<FileUrl> four{FileUrl::fromPath("/a"), FileUrl::fromPath("/b"), FileUrl::fromPath("/c"),
                              FileUrl::fromPath("/d")};
    EXPECT_NE(ArtworkCache::mosaicKey(four), ArtworkCache::mosaicKey(four + QList{FileUrl::fromPath("/e")}));
}

#include "platform/tags/TagReader.h"

TEST(ArtworkCache, ReadsTheCoversTagLibWroteIntoEachFormat) {
    ArtworkCache cache([](const QString& song) {
        const QByteArray picture = TagReader::embeddedPicture(song);
        return picture.isEmpty() ? QList<QByteArray>() : QList<QByteArray>{picture};
    });
    for (const char* name : {"tone.mp3", "tone.flac", "tone.m4a", "tone.ogg", "tone.wav"})
        EXPECT_EQ(await(cache.image(FileUrl::fromPath(fixturePath(name)))).size(), QSize(64, 64)) << name;
    // A damaged song file has no embedded picture, so the cover.jpg beside it is used.
    EXPECT_EQ(await(cache.image(FileUrl::fromPath(fixturePath("garbage.m4a")))).size(), QSize(64, 64));
}
