#include "quickplay/QuickplayPage.h"
#include "QuickplayRig.h"
#include "quickplay/QuickplayModel.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

using QuickplayView::Half;

TEST(QuickplayLayout, scaleTopAndTitle) {
    struct Case {
        double w, h, scale;
    };
    for (const Case& c : {Case{1060, 410, 1}, Case{800, 300, 1}, Case{1960, 700, 2}, Case{3000, 1400, 2},
                          Case{1510, 700, 1.5}}) {
        SCOPED_TRACE(QStringLiteral("%1×%2").arg(c.w).arg(c.h).toStdString());
        EXPECT_DOUBLE_EQ(QuickplayLayout::scaleFor(c.w, c.h), c.scale);
    }
    const QuickplayLayout one = QuickplayLayout::of(1060, 700, Half::smartDJ);
    EXPECT_NEAR(one.titleSize, 72.6, 1e-9);
    // The front half, the gap and the half-size back half are centred 12 points above the middle.
    const QuickplayMetrics m{1};
    EXPECT_NEAR(one.top, (700 - 156 - 36 - m.height(Half::collection) / 2) / 2 - 12, 1e-9);
    EXPECT_NEAR(one.backTop, one.top + 156 + 36, 1e-9);
    EXPECT_EQ(QuickplayLayout::of(1060, 300, Half::collection).top, 0);
}

TEST(QuickColumns, chunksFollowTheRepeatingCuts) {
    struct Case {
        int column;
        int count;
        QList<int> chunkSizes; // tiles per chunk, in order
    };
    const QList<Case> cases{
        {0, 1, {1}},
        {0, 3, {2, 1}},
        {0, 6, {2, 1, 2, 1}},
        {1, 10, {1, 2, 2, 1, 2, 1, 1}},
        {2, 7, {1, 2, 1, 2, 1}},
        {2, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("column %1, %2 items").arg(c.column).arg(c.count).toStdString());
        const QList<ColumnSlot> placed = QuickColumns::mosaic(c.count, QuickColumns::cuts(c.column), {1});
        QList<int> sizes;
        for (const ColumnSlot& s : placed) {
            if (s.chunk == sizes.size()) sizes.append(0);
            ++sizes[s.chunk];
        }
        EXPECT_EQ(sizes, c.chunkSizes);
    }
}

TEST(QuickColumns, tileSizesAndPlaces) {
    // New at scale 1: big 140, then a wide (140 × 78 over 78), 4 apart.
    const QList<ColumnSlot> one = QuickColumns::mosaic(3, QuickColumns::cuts(1), {1});
    ASSERT_EQ(one.size(), 3);
    EXPECT_EQ(one[0].rect, QRectF(0, 0, 140, 140));
    EXPECT_EQ(one[1].rect, QRectF(144, 0, 140, 78));
    EXPECT_EQ(one[2].rect, QRectF(144, 82, 78, 78));
    // History at 1.5: big 211, pair of 117, medium 164, gap 6.
    const QList<ColumnSlot> big = QuickColumns::mosaic(4, QuickColumns::cuts(2), {1.5});
    ASSERT_EQ(big.size(), 4);
    EXPECT_EQ(big[0].rect, QRectF(0, 0, 211, 211));
    EXPECT_EQ(big[1].rect, QRectF(217, 0, 117, 117));
    EXPECT_EQ(big[2].rect, QRectF(217, 123, 117, 117));
    EXPECT_EQ(big[3].rect, QRectF(340, 0, 164, 164));
    // The empty pins column: two pairs and a big.
    const QList<ColumnSlot> empty = QuickColumns::outlines(QuickColumns::outlineCuts(0), {1});
    ASSERT_EQ(empty.size(), 5);
    EXPECT_EQ(empty[4].rect, QRectF(164, 0, 140, 140));
}

TEST(QuickColumns, scrollsJustFarEnough) {
    struct Case {
        double from, left, right, to;
    };
    // A view 500 wide over a strip 2000 wide.
    for (const Case& c : {Case{0, 100, 200, 0}, Case{0, 600, 700, 200}, Case{800, 100, 200, 100},
                          Case{0, 1900, 2100, 1500}}) {
        SCOPED_TRACE(c.left);
        EXPECT_DOUBLE_EQ(QuickColumns::scrollToShow(c.from, 500, 2000, c.left, c.right), c.to);
    }
}

QList<Song> library(int artists) {
    QList<Song> songs;
    for (int a = 0; a < artists; ++a)
        for (int b = 0; b < 2; ++b)
            songs.append(albumSong(QStringLiteral("Artist%1").arg(a), QStringLiteral("Album%1").arg(b),
                                   QStringLiteral("Song"), 1000 + a * 10 + b));
    return songs;
}

struct PageRig {
    QuickplayRig rig;
    QuickplayModel model;
    QuickplayPage page;

    explicit PageRig(const QuickplayRig::Start& start)
        : rig(start), model(*rig.app, *rig.library, *rig.player, *rig.playlists) {
        page.setModel(&model);
        page.setDefaults(rig.defaults.get());
    }
};

TEST(QuickplayPage, frontComesFromTheExactStoredText) {
    struct Case {
        std::optional<QString> stored;
        Half front;
    };
    for (const Case& c :
         {Case{std::nullopt, Half::collection}, Case{QStringLiteral("SmartDJ"), Half::collection},
          Case{QStringLiteral("x"), Half::collection}, Case{QStringLiteral("smartDJ"), Half::smartDJ},
          Case{QStringLiteral("collection"), Half::collection}}) {
        SCOPED_TRACE(c.stored.value_or("(absent)").toStdString());
        TestHome home;
        Defaults defaults;
        if (c.stored) defaults.set(QStringLiteral("quickplayFront"), *c.stored);
        QuickplayPage page;
        page.setDefaults(&defaults);
        EXPECT_EQ(page.front(), c.front);
    }
}

TEST(QuickplayPage, swapsSurviveARestartAndUpTwiceRestores) {
    PageRig r({.songs = library(2)});
    EXPECT_EQ(r.page.front(), Half::collection);
    EXPECT_TRUE(r.page.key(Qt::Key_Up, Qt::NoModifier));
    EXPECT_EQ(r.page.front(), Half::smartDJ);
    EXPECT_EQ(r.page.smartDJArrival(), 1);
    QuickplayPage again;
    again.setDefaults(r.rig.defaults.get());
    EXPECT_EQ(again.front(), Half::smartDJ);
    EXPECT_TRUE(r.page.key(Qt::Key_Up, Qt::ShiftModifier));
    EXPECT_EQ(r.page.front(), Half::collection);
    EXPECT_EQ(r.rig.defaults->stringValue(QStringLiteral("quickplayFront")), QStringLiteral("collection"));
    // With reduce motion the halves swap but nothing slides in again.
    r.page.setProperty("reduceMotion", true);
    r.page.bringForward(Half::smartDJ);
    EXPECT_EQ(r.page.front(), Half::smartDJ);
    EXPECT_EQ(r.page.smartDJArrival(), 1);
    EXPECT_EQ(r.page.collectionArrival(), 1);
    EXPECT_EQ(r.page.swapMs(), 200);
    // The spring comes to rest exactly where it is going.
    r.page.setProperty("reduceMotion", false);
    EXPECT_EQ(r.page.swap().valueForProgress(1), 1);
}

TEST(QuickplayPage, arrowsWalkTheFrontHalf) {
    PageRig r({.songs = library(3)});
    const QStringList tiles = r.page.tiles();
    ASSERT_GE(tiles.size(), 3);
    // No cursor: Left marks the first tile, not the last.
    EXPECT_TRUE(r.page.key(Qt::Key_Left, Qt::NoModifier));
    EXPECT_EQ(r.page.cursor(), tiles.first());
    EXPECT_TRUE(r.page.key(Qt::Key_Right, Qt::ShiftModifier));
    EXPECT_EQ(r.page.cursor(), tiles.at(1));
    for (int mod : {int(Qt::ControlModifier), int(Qt::AltModifier), int(Qt::MetaModifier)}) {
        EXPECT_FALSE(r.page.key(Qt::Key_Left, mod));
        EXPECT_FALSE(r.page.key(Qt::Key_Up, mod));
    }
    EXPECT_EQ(r.page.cursor(), tiles.at(1));
    for (int i = 0; i < tiles.size() + 2; ++i)
        r.page.step(1);
    EXPECT_EQ(r.page.cursor(), tiles.last());
    // A cursor on a tile that went away: the next arrow starts again at the first.
    r.page.setCursor(QStringLiteral("album:gone"));
    EXPECT_FALSE(r.page.key(Qt::Key_Return, Qt::NoModifier));
    r.page.step(1);
    EXPECT_EQ(r.page.cursor(), tiles.first());
}

TEST(QuickplayPage, returnOpensTheCursorsTile) {
    PageRig r({.songs = library(2)});
    EXPECT_FALSE(r.page.key(Qt::Key_Return, Qt::NoModifier));
    const QStringList tiles = r.page.tiles();
    const qsizetype album = tiles.indexOf(QRegularExpression(QStringLiteral("album:.*")));
    ASSERT_GE(album, 0);
    r.page.setCursor(tiles.at(album));
    EXPECT_TRUE(r.page.key(Qt::Key_Return, Qt::NoModifier));
    EXPECT_FALSE(r.rig.player->queue().isEmpty());
}

TEST(QuickplayPage, smartDJTilesAndTheAddTile) {
    struct Case {
        int artists;
        bool addTile;
    };
    for (const Case& c : {Case{0, true}, Case{4, true}, Case{5, false}}) {
        SCOPED_TRACE(c.artists);
        QStringList names;
        for (int i = 0; i < c.artists; ++i)
            names.append(QStringLiteral("Artist%1").arg(i));
        PageRig r({.songs = library(6), .smartDJ = names});
        r.page.bringForward(Half::smartDJ);
        const QStringList tiles = r.page.tiles();
        EXPECT_EQ(tiles.size(), c.artists + (c.addTile ? 1 : 0));
        EXPECT_EQ(tiles.contains(QStringLiteral("dj:add")), c.addTile);
        if (c.addTile) {
            EXPECT_EQ(tiles.last(), QStringLiteral("dj:add"));
        }
        if (c.artists) {
            EXPECT_EQ(tiles.first(), QStringLiteral("dj:artist0"));
        }
    }
}

TEST(QuickplayPage, returnOnTheAddTileAsksForTheMenu) {
    PageRig r({.songs = library(2), .smartDJ = QStringList{}});
    r.page.bringForward(Half::smartDJ);
    r.page.step(1);
    EXPECT_EQ(r.page.cursor(), QStringLiteral("dj:add"));
    QSignalSpy adding(&r.page, &QuickplayPage::addingSmartDJChanged);
    EXPECT_TRUE(r.page.key(Qt::Key_Return, Qt::NoModifier));
    EXPECT_TRUE(r.page.property("addingSmartDJ").toBool());
    EXPECT_EQ(adding.size(), 1);
}

TEST(QuickplayPage, bringingForwardMovesASetCursorToTheNewHalf) {
    PageRig r({.songs = library(2), .smartDJ = QStringList{QStringLiteral("Artist1")}});
    r.page.bringForward(Half::smartDJ);
    EXPECT_TRUE(r.page.cursor().isEmpty());
    r.page.bringForward(Half::collection);
    r.page.step(1);
    r.page.step(1);
    r.page.bringForward(Half::smartDJ);
    EXPECT_EQ(r.page.cursor(), QStringLiteral("dj:artist1"));
    r.page.bringForward(Half::collection);
    EXPECT_EQ(r.page.cursor(), r.page.tiles().first());
}

TEST(QuickplayPage, addChoicesLeaveOutTheSmartDJArtists) {
    const QList<Song> songs{albumSong("MIRA", "One", "a", 1), albumSong("Bo", "Two", "b", 2),
                            albumSong("Cy", "Three", "c", 3)};
    {
        PageRig never({.songs = songs});
        EXPECT_EQ(never.page.addChoices(), QStringList({"Bo", "Cy", "MIRA"}));
    }
    PageRig r({.songs = songs, .smartDJ = QStringList{QStringLiteral("mira")}});
    EXPECT_EQ(r.page.addChoices(), QStringList({"Bo", "Cy"}));
    const DropMenuPage menu = r.page.addMenu();
    ASSERT_EQ(menu.sections().size(), 1u);
    EXPECT_EQ(menu.sections()[0].title, QStringLiteral("add an artist"));
    ASSERT_EQ(menu.items().size(), 2u);
    menu.items()[1].run();
    EXPECT_TRUE(r.rig.app->hasSmartDJ(QStringLiteral("Cy")));
    EXPECT_EQ(r.page.addChoices(), QStringList({"Bo"}));
}

TEST(QuickplayPage, theAddTileDropsAStoredNameTheLibraryLacksBeforeAShownArtist) {
    // Five stored, four shown: the add tile is there, and adding keeps every shown artist.
    PageRig r(
        {.songs = library(6), .smartDJ = QStringList{"Artist0", "Nobody", "Artist1", "Artist2", "Artist3"}});
    r.page.bringForward(Half::smartDJ);
    ASSERT_TRUE(r.page.tiles().contains(QStringLiteral("dj:add")));
    const DropMenuPage menu = r.page.addMenu();
    ASSERT_EQ(menu.items().size(), 2u); // Artist4, Artist5
    menu.items()[0].run();
    EXPECT_EQ(r.rig.app->smartDJArtists(),
              QStringList({"Artist0", "Artist1", "Artist2", "Artist3", "Artist4"}));
}

TEST(QuickplayPage, pinningFromATileMovesItToTheFrontOfThePins) {
    PageRig r({.songs = library(3), .pins = {QStringLiteral("artist:Artist0")}});
    const QString album = QStringLiteral("album:") + albumID("Artist2", "Album1");
    ASSERT_TRUE(r.model.newItems()->ids().contains(album));
    EXPECT_FALSE(r.page.pinned(album));
    r.page.togglePin(album);
    r.model.refresh();
    EXPECT_TRUE(r.page.pinned(album));
    EXPECT_EQ(r.model.pins()->ids().first(), album);
    EXPECT_FALSE(r.model.newItems()->ids().contains(album));
}

} // namespace
