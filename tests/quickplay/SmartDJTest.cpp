#include "QuickplayRig.h"
#include "quickplay/QuickplayModel.h"
#include "quickplay/SmartDJMarks.h"
#include "quickplay/SmartDJWashes.h"

#include <QPromise>
#include <gtest/gtest.h>

namespace {

QList<QRgb> rgbs(const QList<int>& picks) {
    QList<QRgb> out;
    for (int k : picks)
        out.append(SmartDJWash::palette().at(k));
    return out;
}

TEST(SmartDJWash, choosesNearestHuesAvoidingTheNeighbour) {
    struct Case {
        const char* name;
        QList<std::optional<double>> hues;
        QList<QRgb> expected;
    };
    const std::optional<double> grey;
    const QList<Case> cases{
        {"three of one hue", {0.3, 0.3, 0.3}, {0x8CC63F, 0xF7941D, 0x8CC63F}},
        // 0.99 lies 0.019 from red round the circle; a plain difference would pick magenta.
        {"round the circle", {0.99}, {0xE8392F}},
        {"grey at even and odd places", {0.9, grey, grey}, {0xEC008C, 0x8CC63F, 0xEC008C}},
        {"greys alone", {grey, grey}, {0x8CC63F, 0xEC008C}},
        {"hues then grey", {0.9, 0.24, grey}, {0xEC008C, 0x8CC63F, 0xEC008C}},
        {"none", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(rgbs(SmartDJWash::choose(c.hues)), c.expected);
    }
}

QList<Song> songs(const QStringList& artists) {
    QList<Song> out;
    for (int i = 0; i < artists.size(); ++i)
        out.append(albumSong(artists[i], QStringLiteral("Album"), QStringLiteral("Song"), i));
    return out;
}

// A picture store and a cover cache of our own: pictures by name (a hue or none), covers answered when the
// test releases them.
struct FakeSources {
    QHash<QString, std::optional<double>> pictures;
    QHash<QString, std::optional<double>> covers;
    QStringList names;
    QList<std::pair<QString, std::shared_ptr<QPromise<std::optional<double>>>>> held;
    bool hold = false;

    WashSources sources() {
        WashSources out;
        out.pictureHue = [this](const QString& name) -> std::optional<std::optional<double>> {
            if (!pictures.contains(name.toLower())) return std::nullopt;
            return pictures.value(name.toLower());
        };
        out.coverHue = [this](const FileUrl& url) {
            auto promise = std::make_shared<QPromise<std::optional<double>>>();
            QFuture<std::optional<double>> future = promise->future();
            promise->start();
            if (hold) {
                held.append({url.path, promise});
            } else {
                promise->addResult(covers.value(url.path));
                promise->finish();
            }
            return future;
        };
        return out;
    }
};

QStringList rgbNames(const SmartDJWashes& washes, const QStringList& artists) {
    QStringList out;
    for (int i = 0; i < artists.size(); ++i)
        out.append(washes.tint(artists[i], i).name());
    return out;
}

TEST(SmartDJWashes, picturesFirstAndNoFallbackToCovers) {
    const QStringList artists{"Ann", "Ben", "Cat"};
    QuickplayRig rig({.songs = songs(artists), .smartDJ = artists});
    QuickplayModel model(*rig.app, *rig.library, *rig.player, *rig.playlists);
    FakeSources fake;
    // Ann's picture is grey though her cover is colourful; Ben has no picture and a blue cover.
    fake.pictures.insert("ann", std::nullopt);
    fake.pictures.insert("cat", 0.3);
    for (const Artist& a : rig.library->artists())
        fake.covers.insert(a.albums.first().artworkURL()->path, a.name == "Ben" ? 0.55 : 0.24);
    SmartDJWashes washes;
    washes.setModel(&model);
    washes.setSources(fake.sources(), [&] { return fake.names; });
    EXPECT_TRUE(QTest::qWaitFor([&] { return washes.applied() > 0; }, 2000));
    EXPECT_EQ(rgbNames(washes, artists), QStringList({"#8cc63f", "#00aeef", "#8cc63f"}));
}

TEST(SmartDJWashes, anOvertakenRunChangesNothing) {
    const QStringList artists{"Ann", "Ben"};
    QuickplayRig rig({.songs = songs(artists), .smartDJ = QStringList{"Ann"}});
    QuickplayModel model(*rig.app, *rig.library, *rig.player, *rig.playlists);
    FakeSources fake;
    for (const Artist& a : rig.library->artists())
        fake.covers.insert(a.albums.first().artworkURL()->path, a.name == "Ann" ? 0.9 : 0.55);
    SmartDJWashes washes;
    washes.setModel(&model);
    fake.hold = true;
    washes.setSources(fake.sources(), [&] { return fake.names; }); // run A waits on Ann's cover
    ASSERT_EQ(fake.held.size(), 1);
    // Run B: Ben joins and has a picture; Ann's cover is now answered at once.
    fake.hold = false;
    fake.pictures.insert("ben", 0.55);
    rig.app->toggleSmartDJ("Ben");
    model.refresh();
    ASSERT_EQ(washes.runs(), 2);
    EXPECT_TRUE(QTest::qWaitFor([&] { return washes.applied() == 1; }, 2000));
    const QStringList afterB = rgbNames(washes, artists);
    EXPECT_EQ(afterB, QStringList({"#ec008c", "#00aeef"}));
    // Releasing A, which would have left Ben on his fallback, changes nothing.
    fake.held[0].second->addResult(0.9);
    fake.held[0].second->finish();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(washes.applied(), 1);
    EXPECT_EQ(rgbNames(washes, artists), afterB);
    // A picture for someone who is not a Smart DJ artist still chooses again, with the same result.
    fake.names.append("zed");
    washes.update();
    EXPECT_EQ(washes.runs(), 3);
    EXPECT_TRUE(QTest::qWaitFor([&] { return washes.applied() == 2; }, 2000));
    EXPECT_EQ(rgbNames(washes, artists), afterB);
}

TEST(SmartDJWash, restingPixelsTakeTheTintsHue) {
    QImage grey(4, 4, QImage::Format_ARGB32);
    grey.fill(QColor(128, 128, 128));
    for (QRgb tint : SmartDJWash::palette()) {
        SCOPED_TRACE(QColor(tint).name().toStdString());
        const QColor out = SmartDJWash::wash(grey, QColor(tint)).pixelColor(1, 1);
        EXPECT_NEAR(out.hsvHueF(), QColor(tint).hsvHueF(), 0.02);
        EXPECT_GT(out.hsvSaturationF(), 0.3);
    }
    // A colourful picture loses its own hue: at rest only the tint's shows.
    QImage red(2, 2, QImage::Format_ARGB32);
    red.fill(QColor(220, 30, 30));
    EXPECT_NEAR(SmartDJWash::wash(red, QColor(0x00AEEF)).pixelColor(0, 0).hsvHueF(),
                QColor(0x00AEEF).hsvHueF(), 0.02);
    EXPECT_TRUE(SmartDJWash::wash(QImage(), QColor(0x00AEEF)).isNull());
}

TEST(DJMarks, strokeWidthsHaveFloors) {
    struct Case {
        double side, ring, wave;
    };
    for (const Case& c : {Case{28, 1.904, 2.1}, Case{40, 2.72, 3}, Case{20, 1.5, 1.5}}) {
        SCOPED_TRACE(c.side);
        EXPECT_NEAR(DJMarks::ringWidth(c.side), c.ring, 1e-9);
        EXPECT_NEAR(DJMarks::waveWidth(c.side), c.wave, 1e-9);
    }
}

TEST(DJMarks, theRingIsOpenOnTheRight) {
    const double s = 100;
    const QPainterPath ring = DJMarks::smartDJRing(s);
    const QRectF bounds = ring.boundingRect();
    // The arc reaches the left edge but stops short of the right, where the waves leave it.
    EXPECT_NEAR(bounds.left(), DJMarks::ringWidth(s) / 2, 0.5);
    EXPECT_LT(bounds.right(), s * 0.75);
    // It starts below the rightmost point (clockwise on screen) and ends the same distance above.
    const QPointF start = ring.pointAtPercent(0), end = ring.pointAtPercent(1);
    EXPECT_GT(start.y(), s / 2);
    EXPECT_LT(end.y(), s / 2);
    EXPECT_NEAR(start.y() - s / 2, s / 2 - end.y(), 0.1);
    EXPECT_NEAR(start.x(), end.x(), 0.1);
}

} // namespace
