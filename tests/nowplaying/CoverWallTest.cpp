#include "nowplaying/CoverWall.h"
#include "library/ArtistImageStore.h"
#include "library/PlaylistLibrary.h"
#include "nowplaying/CoverWallModel.h"
#include "nowplaying/FlipTileState.h"
#include "playback/PlayerRig.h"
#include "support/Songs.h"

#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

Album albumOf(const QString& artist, const QString& title) {
    Song s = makeSong("/m/" + artist + "/" + title + "/1.mp3", artist, title);
    return Album{title, artist, {s}, std::nullopt};
}

// A library of albums by the given artists; an artist's picture when its name is in `pictured`.
struct FakeLibrary {
    QList<Album> albums;
    QStringList pictured;

    void add(const QString& artist, int count) {
        for (int i = 0; i < count; ++i)
            albums.append(albumOf(artist, QString("%1 album %2").arg(artist).arg(i)));
    }
    WallDealer::Sources sources() {
        return {[this]() -> const QList<Album>& { return albums; },
                [this](const QString& name) -> std::optional<Artist> {
                    Artist a{name, {}};
                    for (const Album& album : albums)
                        if (album.artist.compare(name, Qt::CaseInsensitive) == 0) a.albums.append(album);
                    if (a.albums.isEmpty()) return std::nullopt;
                    return a;
                },
                [this](const QString& name) {
                    QImage picture;
                    if (pictured.contains(name)) {
                        picture = QImage(4, 4, QImage::Format_RGB32);
                        picture.fill(Qt::red);
                    }
                    return picture;
                }};
    }
};

int fromArtist(const QList<WallItem>& wall, const QString& artist) {
    int n = 0;
    for (const WallItem& item : wall)
        if (item.id.startsWith("album:" + artist.toLower()) || item.id == "picture:" + artist) ++n;
    return n;
}

} // namespace

TEST(CoverWallTables, ShapeGapsAndSweep) {
    const WallTables& t = WallTables::shared();
    EXPECT_EQ(t.rowCount, 14);
    EXPECT_NEAR(t.introDelays[0], 0.49, 1e-9);
    EXPECT_NEAR(t.introDelays[8], 0.875, 1e-9);
    EXPECT_NEAR(t.introDelays[59], 0.14, 1e-9);
    EXPECT_EQ(t.gaps[3][3], 0);
    EXPECT_EQ(t.gaps[0][1], 0) << "neighbours touch";
    EXPECT_NEAR(t.gaps[0][5], 5, 1e-9);
    for (int i = 0; i < WallTables::tiles; ++i)
        for (int j = 0; j < WallTables::tiles; ++j)
            ASSERT_EQ(t.gaps[size_t(i)][size_t(j)], t.gaps[size_t(j)][size_t(i)]);
}

TEST(CoverWallDeals, SharesOfTheArtist) {
    std::mt19937 random(1);
    {
        FakeLibrary lib;
        lib.add("Solo", 1);
        lib.add("Other", 40);
        WallDealer dealer(lib.sources(), random);
        dealer.setAlbumArtist(QString("Solo"));
        ASSERT_TRUE(dealer.fill());
        QList<int> tiles;
        for (int i = 0; i < WallTables::tiles; ++i)
            if (dealer.onWall()[i].id.startsWith("album:solo")) tiles << i;
        EXPECT_EQ(tiles, (QList<int>{17, 35, 53, 71})) << "one album: one tile in eighteen";
    }
    {
        FakeLibrary lib;
        lib.add("Nine", 9);
        lib.add("Other", 40);
        WallDealer dealer(lib.sources(), random);
        dealer.setAlbumArtist(QString("Nine"));
        ASSERT_TRUE(dealer.fill());
        EXPECT_EQ(fromArtist(dealer.onWall(), "Nine"), 32);
    }
    for (const std::optional<QString>& playing :
         {std::optional<QString>(), std::optional<QString>("Nobody")}) {
        FakeLibrary lib;
        lib.add("Other", 10);
        WallDealer dealer(lib.sources(), random);
        dealer.setAlbumArtist(playing);
        ASSERT_TRUE(dealer.fill());
        EXPECT_EQ(fromArtist(dealer.onWall(), "Other"), 72);
        EXPECT_TRUE(dealer.pools().artist.isEmpty());
    }
    {
        FakeLibrary lib;
        lib.add("Only", 3);
        WallDealer dealer(lib.sources(), random);
        dealer.setAlbumArtist(QString("Only"));
        ASSERT_TRUE(dealer.fill());
        EXPECT_EQ(dealer.pools().others.size(), 0);
        EXPECT_EQ(fromArtist(dealer.onWall(), "Only"), 72);
    }
}

TEST(CoverWallDeals, PictureCopiesAndEmptyLibrary) {
    std::mt19937 random(3);
    FakeLibrary lib;
    WallDealer empty(lib.sources(), random);
    EXPECT_FALSE(empty.fill());
    EXPECT_TRUE(empty.onWall().isEmpty()) << "all or nothing";

    lib.add("Pic", 1);
    lib.add("Other", 30);
    lib.pictured << "Pic";
    WallDealer dealer(lib.sources(), random);
    dealer.setAlbumArtist(QString("Pic"));
    EXPECT_EQ(dealer.pools().artist.size(), 3) << "one album and the picture twice";
    // Deal until the first card of the artist: its deck was filled with all three cards, both copies of the
    // picture among them.
    QList<WallItem> dealt;
    while (dealer.artistDeck().isEmpty()) {
        const std::optional<WallItem> card = dealer.deal(int(dealt.size()), dealt);
        ASSERT_TRUE(card);
        dealt.append(*card);
    }
    int pictures = dealt.last().id == "picture:Pic" ? 1 : 0;
    for (const WallItem& item : dealer.artistDeck())
        if (item.id == "picture:Pic") ++pictures;
    EXPECT_EQ(pictures, 2);
}

TEST(CoverWallDeals, FlipsSpareTheRecentlyFlipped) {
    std::mt19937 random(11);
    FakeLibrary lib;
    lib.add("Other", 100);
    WallDealer dealer(lib.sources(), random);
    ASSERT_TRUE(dealer.fill());
    for (int i = 0; i < 1000; ++i) {
        const std::array<int, WallTables::tiles> before = dealer.lastFlip();
        const std::optional<int> tile = dealer.flipOne();
        ASSERT_TRUE(tile);
        // The pick is among the 18 that changed longest ago (ties in tile order), never among the other 54.
        int older = 0;
        for (int t = 0; t < WallTables::tiles; ++t)
            if (before[size_t(t)] < before[size_t(*tile)] ||
                (before[size_t(t)] == before[size_t(*tile)] && t < *tile))
                ++older;
        ASSERT_LE(older, 17) << "flip " << i << " picked tile " << *tile;
    }
}

TEST(CoverWallSchedule, OpeningRippleAndSlowPace) {
    std::mt19937 random(5);
    WallSchedule schedule(random);
    double t = schedule.nextWait();
    EXPECT_DOUBLE_EQ(t, 1.6);
    EXPECT_EQ(schedule.step(), 0) << "the opening pause flips nothing";
    const double pause = schedule.nextWait();
    EXPECT_GE(pause, 0.7);
    EXPECT_LE(pause, 1.3);
    const int first = schedule.step();
    EXPECT_TRUE(first == 1 || first == 2);

    // Another artist: 36 tiles in 18 fast steps after the opening pause, then the slow pace again.
    schedule.restart();
    t = schedule.nextWait();
    schedule.step();
    int flips = 0;
    while (schedule.ripple() > 0) {
        const double wait = schedule.nextWait();
        ASSERT_DOUBLE_EQ(wait, 0.09);
        t += wait;
        flips += schedule.step();
        if (flips == 18) schedule.raiseRipple(8); // the pictures change mid-ripple: the larger count stays
    }
    EXPECT_EQ(flips, 36);
    EXPECT_NEAR(t, 1.6 + 18 * 0.09, 1e-9);
    EXPECT_GE(schedule.nextWait(), 0.7);
}

TEST(CoverWallModel, AnArtistChangeRipplesThirtySixTiles) {
    FakeLibrary lib;
    lib.add("A", 5);
    lib.add("B", 5);
    lib.add("Other", 50);
    CoverWallModel model;
    model.seed(9);
    model.setSources(lib.sources());
    model.setAlbumArtist(QString("A"));
    ASSERT_TRUE(model.dealer().fill());
    QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);
    model.setAlbumArtist(QString("B"));
    EXPECT_TRUE(model.dealer().artistDeck().isEmpty());
    double t = model.nextWait();
    model.step();
    int flipped = 0;
    while (flipped < 36) {
        t += model.nextWait();
        flipped += model.step();
    }
    EXPECT_NEAR(t, 1.6 + 18 * 0.09, 1e-9);
    EXPECT_EQ(changes.size(), 36) << "a flip is one row changed";
    EXPECT_GE(model.nextWait(), 0.7);
}

// Made in QML, the wall is dealt once its library, pictures and artist are all in: the first deal already
// leans toward the playing artist (its one album on every eighteenth tile), and that first artist is no
// change, so nothing ripples.
TEST(CoverWallModel, MadeInQmlItDealsForThePlayingArtistOnce) {
    PlayerRig rig;
    QList<Song> songs{makeSong("/m/Solo/Only/1.mp3", "Solo", "Only")};
    for (int i = 0; i < 60; ++i) {
        const QString album = QString("Album %1").arg(i);
        songs.append(makeSong("/m/Other/" + album + "/1.mp3", "Other", album));
    }
    std::unique_ptr<LibraryStore> library = libraryWith(*rig.defaults, songs);
    ArtistImageStore pictures;
    QQmlEngine engine;
    engine.addImportPath(QStringLiteral("qrc:/"));
    engine.rootContext()->setContextProperty("theLibrary", library.get());
    engine.rootContext()->setContextProperty("thePictures", &pictures);
    engine.rootContext()->setContextProperty("theArtist", QStringLiteral("Solo"));
    QQmlComponent component(&engine);
    // Bound in the order a page binds them: the artist arrives last.
    component.setData("import Velto.NowPlaying\n"
                      "CoverWallModel { library: theLibrary; pictures: thePictures; albumArtist: theArtist;"
                      " running: true }",
                      QUrl("memory:/Wall.qml"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !component.isLoading(); }, 5000));
    std::unique_ptr<QObject> made(component.create());
    ASSERT_TRUE(made) << component.errorString().toStdString();
    auto* model = qobject_cast<CoverWallModel*>(made.get());
    ASSERT_NE(model, nullptr);
    QList<int> tiles;
    const QList<WallItem>& wall = model->dealer().onWall();
    ASSERT_EQ(wall.size(), 72);
    for (int i = 0; i < 72; ++i)
        if (wall[i].id.contains("Only", Qt::CaseInsensitive)) tiles << i;
    EXPECT_EQ(tiles, (QList<int>{17, 35, 53, 71}));
    EXPECT_EQ(model->schedule().ripple(), 0) << "the first artist is no change";
}

namespace {
// A tile with a manual clock, loads that end when the test says, and sleeps the test runs.
struct TileRig {
    FlipTileState tile;
    double now = 0;
    std::vector<std::pair<double, std::function<void()>>> sleeps;
    std::vector<std::function<void()>> loads;

    TileRig() {
        tile.setClock([this] { return now; });
        tile.setLoad(
            [this](const FileUrl&, std::function<void()> done) { loads.push_back(std::move(done)); });
        tile.setSleep([this](int ms, std::function<void()> then) {
            sleeps.emplace_back(now + ms / 1000.0, std::move(then));
        });
    }
    void finishLoad(size_t i) { std::exchange(loads[i], nullptr)(); }
    // Runs every sleep due by `until`, in time order.
    void runUntil(double until) {
        while (true) {
            auto next = std::min_element(sleeps.begin(), sleeps.end(),
                                         [](const auto& a, const auto& b) { return a.first < b.first; });
            if (next == sleeps.end() || next->first > until) break;
            now = next->first;
            auto then = std::move(next->second);
            sleeps.erase(next);
            then();
        }
        now = until;
    }
};
const QUrl coverA = QUrl::fromLocalFile("/m/a.mp3");
const QUrl coverB = QUrl::fromLocalFile("/m/b.mp3");
const QUrl coverC = QUrl::fromLocalFile("/m/c.mp3");
} // namespace

TEST(FlipTile, EntranceCountsFromTheStartOfLoading) {
    struct Case {
        double load;
        int fadeDelayMs;
    } cases[] = {{0.3, 120}, {1.0, 0}};
    for (const Case& c : cases) {
        TileRig rig;
        rig.tile.setIntroDelay(0.35);
        rig.tile.setItem("album:a", coverA, {});
        EXPECT_EQ(rig.tile.shownId(), "album:a");
        EXPECT_FALSE(rig.tile.faded());
        rig.now = c.load;
        rig.finishLoad(0);
        EXPECT_TRUE(rig.tile.faded());
        EXPECT_EQ(rig.tile.fadeDelayMs(), c.fadeDelayMs) << "fades in 0.42 s after the start, or at once";
    }
    TileRig still;
    still.tile.setFlips(false);
    still.tile.setIntroDelay(0.35);
    still.tile.setItem("album:a", coverA, {});
    still.finishLoad(0);
    EXPECT_EQ(still.tile.fadeDelayMs(), 0) << "without flips, no sweep";
}

TEST(FlipTile, TurnsSwapUnseenAndTheLaterChangeWins) {
    TileRig rig;
    rig.tile.setItem("album:a", coverA, {});
    rig.finishLoad(0);
    QList<double> angles;
    QObject::connect(&rig.tile, &FlipTileState::angleChanged, [&] { angles << rig.tile.angle(); });

    rig.tile.setItem("album:b", coverB, {});
    rig.tile.setItem("album:c", coverC, {});
    rig.finishLoad(1); // b loaded, but c is next: b never turns
    EXPECT_TRUE(angles.isEmpty());
    rig.finishLoad(2);
    EXPECT_EQ(angles, QList<double>{90});
    EXPECT_EQ(rig.tile.shownId(), "album:a") << "the old picture while it turns away";
    rig.runUntil(0.22);
    EXPECT_EQ(rig.tile.shownId(), "album:c");
    EXPECT_EQ(angles, (QList<double>{90, -90}));
    rig.runUntil(0.3);
    EXPECT_EQ(angles, (QList<double>{90, -90, 0}));
    EXPECT_EQ(rig.tile.angleMs(), FlipTileState::turnBackMs);

    // A picture has nothing to load: it turns at once.
    rig.tile.setItem("picture:X", {}, "X");
    EXPECT_EQ(angles.last(), 90);

    // Reduced motion swaps without turning.
    TileRig still;
    still.tile.setFlips(false);
    still.tile.setItem("album:a", coverA, {});
    still.finishLoad(0);
    still.tile.setItem("album:b", coverB, {});
    EXPECT_EQ(still.tile.shownId(), "album:b");
    EXPECT_EQ(still.tile.angle(), 0);
}
