#include "nowplaying/MixviewController.h"

#include "../playback/LastFMFakeServer.h"
#include "core/Defaults.h"
#include "core/Text.h"
#include "platform/gst/FakeMediaBackend.h"
#include "playback/LastFMStore.h"
#include "support/Songs.h"
#include "support/TestHome.h"

#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <mutex>

namespace {

Song tagged(const QString& artist, const QString& album, int n, const QString& genre) {
    Song s = makeSong(QStringLiteral("/m/%1/%2/%3.mp3").arg(artist, album).arg(n), artist, album,
                      QStringLiteral("%1 %2").arg(album).arg(n));
    s.track = n;
    s.genre = genre;
    return s;
}

// The delays the controller asks for, run when the test moves the clock on.
struct FakeClock {
    struct Job {
        double at;
        QPointer<QObject> context;
        std::function<void()> then;
    };
    double now = 0;
    QList<Job> jobs;

    MixviewController::Later later() {
        return [this](int ms, QObject* context, std::function<void()> then) {
            jobs.append({now + ms / 1000.0, context, std::move(then)});
        };
    }
    void advance(double seconds) {
        const double until = now + seconds;
        for (;;) {
            auto next = std::min_element(jobs.begin(), jobs.end(),
                                         [](const Job& a, const Job& b) { return a.at < b.at; });
            if (next == jobs.end() || next->at > until + 1e-9) break;
            const Job job = *next;
            jobs.erase(next);
            now = job.at;
            if (job.context) job.then();
        }
        now = until;
    }
};

// Real stores over a small collection: Ada (two folk albums), Bo (folk, so related to Ada by genre), Cy
// (metal, unrelated until Last.fm says otherwise). A rescan gives whatever `scanned` holds then.
struct Rig {
    TestHome home;
    Defaults defaults;
    LastFMFakeServer server;
    std::mutex scannedLock;
    QList<Song> scanned;
    std::unique_ptr<LibraryStore> library;
    FakeMediaBackend backend;
    std::unique_ptr<Player> player;
    std::unique_ptr<LastFMStore> lastFM;
    std::unique_ptr<ArtistImageStore> pictures;
    std::unique_ptr<RelatedArtists> relations;
    std::unique_ptr<AppModel> app;
    FakeClock clock;
    std::unique_ptr<MixviewController> view;

    static QList<Song> collection() {
        return {tagged("Ada", "One", 1, "folk"), tagged("Ada", "One", 2, "folk"),
                tagged("Ada", "Two", 1, "folk"), tagged("Bo", "Only", 1, "folk"),
                tagged("Cy", "Red", 1, "metal")};
    }

    Rig() {
        scanned = collection();
        EXPECT_TRUE(LibraryStore::writeCache(LibraryStore::encodeCache(scanned)));
        library = std::make_unique<LibraryStore>(
            defaults, [this](const FileUrl&, const QHash<QString, Song>&, const LibraryScanner::Progress&) {
                std::lock_guard lock(scannedLock);
                return scanned;
            });
        EXPECT_TRUE(QTest::qWaitFor([&] { return library->loaded(); }, 10000));
        player = std::make_unique<Player>(defaults, backend);
        LastFMConnection connection;
        connection.endpoint = server.endpoint();
        connection.pause = [](double, std::function<void()> resume) { resume(); };
        lastFM = std::make_unique<LastFMStore>(defaults, connection);
        pictures = std::make_unique<ArtistImageStore>();
        relations = std::make_unique<RelatedArtists>(*library, *player, *lastFM);
        player->setStores(library.get(), lastFM.get());
        player->setRelations(relations.get());
        app = std::make_unique<AppModel>(defaults);
        view = std::make_unique<MixviewController>();
        view->setLater(clock.later());
        view->setApp(app.get());
        view->setLibrary(library.get());
        view->setPlayer(player.get());
        view->setPictures(pictures.get());
        view->setRelations(relations.get());
        view->setWidth(1280);
        view->setHeight(800);
    }

    // Opens Mixview on a seed and waits for its map.
    void open(const MixSeed& seed) {
        app->openMixview(seed);
        view->appear();
        ASSERT_TRUE(QTest::qWaitFor([&] { return placedIds().size() > 1; }, 10000));
    }
    QStringList placedIds() const {
        QStringList out;
        for (const MixTileModel::Row& row : view->tiles()->rows())
            if (!row.dropping) out.append(row.placed.id());
        return out;
    }
    QString centreId() const {
        const MixTileModel::Row* c = view->tiles()->centre();
        return c ? c->placed.id() : QString();
    }
    QVariant role(const QString& id, int role) const {
        return view->tiles()->data(view->tiles()->index(view->tiles()->indexOf(id)), role);
    }
    static QString albumId(const QString& artist, const QString& album) {
        return Text::lower(artist) + keySep + Text::lower(album);
    }
};

const MixSeed adaOne = MixSeed::album(Rig::albumId("Ada", "One"));
const QString oneTile = "album:" + Rig::albumId("Ada", "One");
const QString twoTile = "album:" + Rig::albumId("Ada", "Two");
const QString boTile = "album:" + Rig::albumId("Bo", "Only");

TEST(MixTiming, StaggersTheOpeningAndCallsTheTilesHomeInReverse) {
    EXPECT_DOUBLE_EQ(MixTiming::entryDelay(0), 0.08);
    EXPECT_DOUBLE_EQ(MixTiming::entryDelay(1), 0.115);
    EXPECT_DOUBLE_EQ(MixTiming::entryDelay(2) - MixTiming::entryDelay(1), 0.035);
    // Eleven tiles: the last placed leaves at once, the centre 0.15 s later.
    EXPECT_DOUBLE_EQ(MixTiming::closeDelay(10, 11), 0);
    EXPECT_DOUBLE_EQ(MixTiming::closeDelay(0, 11), 0.15);
    EXPECT_DOUBLE_EQ(MixTiming::closeDelay(5, 11), 0.075);
    // A map of the centre alone does not divide by zero.
    EXPECT_DOUBLE_EQ(MixTiming::closeDelay(0, 1), 0);
}

TEST(MixTileText, CountLinesLabelsAndHints) {
    Artist one{"Ada", {Album{"One", "Ada", {makeSong("/a/1.mp3", "Ada", "One")}, std::nullopt}}};
    EXPECT_EQ(MixTileText::names(MixItem::ofArtist(one, "artist")).second, QString("1 album \u00b7 1 song"));
    Artist two = one;
    two.albums[0].songs = QList<Song>(5, makeSong("/a/1.mp3", "Ada", "One"));
    two.albums.append(Album{"Two", "Ada", QList<Song>(7, makeSong("/a/2.mp3", "Ada", "Two")), std::nullopt});
    EXPECT_EQ(MixTileText::names(MixItem::ofArtist(two, "artist")).second,
              QString("2 albums \u00b7 12 songs"));
    EXPECT_EQ(MixTileText::countLine(1, 3), QString("1 album \u00b7 3 songs"));

    const MixItem album = MixItem::ofAlbum(Album{"T", "A", {}, std::nullopt}, "same artist");
    EXPECT_EQ(MixTileText::label(album), "T by A, same artist");
    EXPECT_EQ(MixTileText::label(MixItem::smartDJFor(Artist{"X", {}})), "Smart DJ mix from X");
    EXPECT_EQ(MixTileText::label(MixItem::ofArtist(Artist{"Bo", {}}, "shares folk")), "Bo, shares folk");
    EXPECT_EQ(MixTileText::hint(album, false), "Moves it to the middle");
    EXPECT_EQ(MixTileText::hint(album, true), "Plays it");
    EXPECT_EQ(MixTileText::hint(MixItem::smartDJFor(Artist{"X", {}}), false), "Plays it");
    EXPECT_EQ(MixTileText::cardLines(album), QStringList({"A", "T"}));
    EXPECT_EQ(MixTileText::cardLines(MixItem::smartDJFor(Artist{"X", {}})), QStringList({"Smart DJ"}));
}

TEST(MixTileText, TheCardLiesOutwardAndTheSymbolFollowsTheHeight) {
    // Leftward: the card's point 24 left of its right edge sits on the tile's left edge.
    EXPECT_EQ(MixTileText::cardAt(true, 100, 150), QPointF(24 - 150, -22));
    // Rightward: its point 24 right of its left edge sits on the tile's right edge.
    EXPECT_EQ(MixTileText::cardAt(false, 100, 150), QPointF(76, -22));
    EXPECT_NEAR(MixTileText::symbolSize(42), 17.64, 1e-9);
}

TEST(MixviewController, NoMapBeforeTheRelationsThenTheSeedsMapWithItsZOrder) {
    Rig rig;
    rig.open(adaOne);
    // Ada's own tile is pruned (both her albums are on the map); Bo, the closest, stands for himself by his
    // album, Cy at an odd place by his own tile.
    EXPECT_EQ(rig.centreId(), oneTile);
    EXPECT_EQ(rig.placedIds(), QStringList({oneTile, "dj:ada", twoTile, boTile, "artist:cy"}));
    EXPECT_EQ(rig.role(oneTile, MixTileModel::TileZRole).toInt(), 5);
    EXPECT_EQ(rig.role("dj:ada", MixTileModel::TileZRole).toInt(), 2);
    EXPECT_EQ(rig.role(boTile, MixTileModel::TileZRole).toInt(), 1);
    EXPECT_DOUBLE_EQ(rig.role("dj:ada", MixTileModel::EntryDelayRole).toDouble(), 0.115);
    EXPECT_TRUE(rig.view->shown());

    rig.view->hover(boTile, true);
    EXPECT_EQ(rig.role(boTile, MixTileModel::TileZRole).toInt(), 10);
    // Entering another tile before leaving the first: leaving the first keeps the second.
    rig.view->hover(twoTile, true);
    rig.view->hover(boTile, false);
    EXPECT_EQ(rig.view->hovered(), twoTile);
    rig.view->hover(twoTile, false);
    EXPECT_EQ(rig.view->hovered(), QString());

    // The centre's offset to itself is nothing; a ring tile's points at the centre.
    EXPECT_DOUBLE_EQ(rig.role(oneTile, MixTileModel::OffsetXRole).toDouble(), 0);
    const double fromBo = rig.role(boTile, MixTileModel::OffsetXRole).toDouble();
    const MixTileModel::Row& bo = rig.view->tiles()->rows()[rig.view->tiles()->indexOf(boTile)];
    EXPECT_DOUBLE_EQ(bo.placed.at.x() + fromBo, 640);
}

TEST(MixviewController, ARingClickRecentresInPlaceAndBackReturns) {
    Rig rig;
    rig.open(adaOne);
    const int boRow = rig.view->tiles()->indexOf(boTile);
    rig.view->hover(boTile, true);
    rig.view->open(boTile);
    EXPECT_EQ(rig.app->mixTrail().size(), 1);
    EXPECT_EQ(rig.centreId(), boTile);
    // The same row, so the same delegate moves to the middle; the new centre clears the hover.
    EXPECT_EQ(rig.view->tiles()->indexOf(boTile), boRow);
    EXPECT_TRUE(rig.view->moving());
    EXPECT_EQ(rig.view->hovered(), QString());
    // Ada's second album left the map: flagged until its exit ends, then gone.
    const int two = rig.view->tiles()->indexOf(twoTile);
    ASSERT_GE(two, 0);
    EXPECT_TRUE(rig.view->tiles()->rows()[two].dropping);
    rig.view->exitEnded(twoTile);
    EXPECT_EQ(rig.view->tiles()->indexOf(twoTile), -1);

    rig.view->back();
    EXPECT_EQ(rig.centreId(), oneTile);
    EXPECT_TRUE(rig.app->mixTrail().isEmpty());
    EXPECT_FALSE(rig.app->mixviewLeaving());
    // Back on an empty trail closes.
    rig.view->back();
    EXPECT_TRUE(rig.app->mixviewLeaving());
    EXPECT_TRUE(rig.view->leaving());

    // A resize moves the tiles at once.
    rig.view->setWidth(1100);
    EXPECT_FALSE(rig.view->moving());
}

TEST(MixviewController, ClosingFliesHomeThenClearsTheState) {
    Rig rig;
    rig.open(adaOne);
    rig.app->tamskMixview(MixSeed::album(Rig::albumId("Bo", "Only")));
    // Escape with a trail closes all the same.
    EXPECT_TRUE(rig.view->key(Qt::Key_Escape, Qt::NoModifier));
    EXPECT_TRUE(rig.view->leaving());
    EXPECT_TRUE(rig.view->shown());
    rig.clock.advance(0);
    EXPECT_FALSE(rig.view->shown());
    rig.clock.advance(0.29);
    EXPECT_TRUE(rig.app->mixview().has_value());
    rig.clock.advance(0.004);
    EXPECT_FALSE(rig.app->mixview().has_value());
    EXPECT_FALSE(rig.app->mixviewLeaving());
    EXPECT_TRUE(rig.app->mixTrail().isEmpty());

    // A close request without Mixview does nothing.
    rig.view->requestClose();
    EXPECT_FALSE(rig.app->mixviewLeaving());
    EXPECT_FALSE(rig.app->mixview().has_value());
}

TEST(MixviewController, TheDelayedCloseOnlyRunsWhileStillLeaving) {
    Rig rig;
    rig.open(adaOne);
    rig.view->requestClose();
    // Opened anew before the tiles got home: the new map stays.
    rig.app->openMixview(MixSeed::artist("Bo"));
    EXPECT_FALSE(rig.view->leaving());
    rig.clock.advance(1);
    EXPECT_TRUE(rig.app->mixview().has_value());
    EXPECT_TRUE(rig.view->shown());
}

TEST(MixviewController, WithReduceMotionClosingIsImmediate) {
    Rig rig;
    rig.view->setReduceMotion(true);
    rig.open(adaOne);
    rig.view->requestClose();
    EXPECT_FALSE(rig.app->mixview().has_value());
    EXPECT_TRUE(rig.clock.jobs.isEmpty());
}

TEST(MixviewController, ClicksAndActionsPlayQueueAndGo) {
    Rig rig;
    rig.open(adaOne);
    const std::optional<Album> one = rig.library->album(Rig::albumId("Ada", "One"));
    ASSERT_TRUE(one);

    // The centre plays its album from the start, no mix.
    rig.view->open(oneTile);
    EXPECT_EQ(titles(rig.player->queue()), titles(one->songs));
    EXPECT_EQ(rig.player->index(), 0);
    EXPECT_FALSE(rig.player->smartDJArtist().has_value());
    // "Add to Now Playing" on a ring album.
    rig.view->runAction(boTile, 1);
    EXPECT_EQ(rig.player->queue().size(), one->songs.size() + 1);

    // The album artist's name under the centre re-centres on the artist.
    rig.view->showArtist(oneTile);
    EXPECT_EQ(rig.app->mixview(), MixSeed::artist("Ada"));
    EXPECT_EQ(rig.app->mixTrail().size(), 1);
    // Only a centre album has the link.
    rig.view->showArtist(rig.centreId());
    EXPECT_EQ(rig.app->mixview(), MixSeed::artist("Ada"));

    // The Smart DJ tile starts a mix and shows Now Playing, which closes Mixview.
    rig.view->open("dj:ada");
    EXPECT_TRUE(QTest::qWaitFor([&] { return rig.player->smartDJArtist().has_value(); }, 10000));
    EXPECT_EQ(*rig.player->smartDJArtist(), "Ada");
    EXPECT_TRUE(QTest::qWaitFor([&] { return rig.app->page() == Nav::Page::nowPlaying; }, 5000));
    EXPECT_FALSE(rig.app->mixview().has_value());
}

TEST(MixviewController, ShowInCollectionSelectsAndCloses) {
    Rig rig;
    rig.open(adaOne);
    rig.view->runAction(boTile, 2);
    // The page follows one turn later.
    EXPECT_TRUE(QTest::qWaitFor([&] { return rig.app->page() == Nav::Page::collection; }, 5000));
    EXPECT_EQ(rig.app->selectedArtist(), QString("Bo"));
    EXPECT_EQ(rig.app->selectedAlbumID(), Rig::albumId("Bo", "Only"));
    EXPECT_FALSE(rig.app->mixview().has_value());
}

TEST(MixviewController, MenusListTheActionsAndTheKeyboardsAddsTheArtistLink) {
    Rig rig;
    rig.open(adaOne);
    auto titlesOf = [](const DropMenuPage& page) {
        QStringList out;
        for (const DropMenuItem& item : page.items())
            out.append(item.title);
        return out;
    };
    EXPECT_EQ(titlesOf(rig.view->menu(oneTile, false)),
              QStringList({"play", "add to now playing", "show in collection"}));
    EXPECT_EQ(titlesOf(rig.view->menu(oneTile, true)),
              QStringList({"play", "add to now playing", "show in collection", "mixview of Ada"}));
    EXPECT_EQ(titlesOf(rig.view->menu(boTile, true)),
              QStringList({"play", "add to now playing", "show in collection"}));
    EXPECT_EQ(titlesOf(rig.view->menu("dj:ada", false)), QStringList({"smart dj"}));
    // The keyboard's menu is for the hovered tile, else the centre.
    EXPECT_EQ(rig.view->menuTile(), oneTile);
    rig.view->hover(boTile, true);
    EXPECT_EQ(rig.view->menuTile(), boTile);
    // A row runs its action.
    const DropMenuPage page = rig.view->menu(oneTile, true);
    page.items().back().run();
    EXPECT_EQ(rig.app->mixview(), MixSeed::artist("Ada"));
}

TEST(MixviewController, KeysOfThePage) {
    Rig rig;
    rig.open(adaOne);
    rig.app->tamskMixview(MixSeed::album(Rig::albumId("Bo", "Only")));
    EXPECT_TRUE(rig.view->key(Qt::Key_Backspace, Qt::NoModifier));
    EXPECT_EQ(rig.app->mixview(), adaOne);
    rig.app->tamskMixview(MixSeed::album(Rig::albumId("Bo", "Only")));
    EXPECT_TRUE(rig.view->key(Qt::Key_Delete, Qt::NoModifier));
    EXPECT_EQ(rig.app->mixview(), adaOne);
    // Space plays and pauses.
    rig.view->open(oneTile);
    ASSERT_TRUE(QTest::qWaitFor([&] { return rig.player->isPlaying(); }, 5000));
    EXPECT_TRUE(rig.view->key(Qt::Key_Space, Qt::NoModifier));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !rig.player->isPlaying(); }, 5000));
    // Other keys and chords pass on.
    EXPECT_FALSE(rig.view->key(Qt::Key_A, Qt::NoModifier));
    EXPECT_FALSE(rig.view->key(Qt::Key_Space, Qt::ControlModifier));
}

TEST(MixviewController, ARescanRemovingTheSeedCloses) {
    Rig rig;
    rig.open(adaOne);
    {
        std::lock_guard lock(rig.scannedLock);
        rig.scanned.removeIf([](const Song& s) { return s.album == "One"; });
    }
    rig.library->scan();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !rig.app->mixview().has_value(); }, 10000));
}

TEST(MixviewController, NewSongsAndLastFMEntriesRebuildTheMap) {
    Rig rig;
    rig.open(adaOne);
    auto relationOf = [&](const QString& artist) {
        for (const MixTileModel::Row& row : rig.view->tiles()->rows()) {
            const MixItem& item = row.placed.item;
            if (!row.dropping && !row.placed.centre && item.kind != MixItem::Kind::smartDJ &&
                (item.kind == MixItem::Kind::artist ? item.artist.name : item.album.artist) == artist)
                return item.relation;
        }
        return QString();
    };
    ASSERT_FALSE(relationOf("Cy").isEmpty());
    EXPECT_NE(relationOf("Cy"), "similar on Last.fm");
    // A new folk artist arrives with a rescan.
    {
        std::lock_guard lock(rig.scannedLock);
        rig.scanned.append(tagged("Dee", "Deep", 1, "folk"));
    }
    rig.library->scan();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !relationOf("Dee").isEmpty(); }, 10000));

    // Last.fm says Cy is like Ada.
    rig.server.setHandler([](const LastFMFakeServer::Request& r) {
        if (r.method() == u"artist.getSimilar" && r.artist() == u"Ada")
            return LastFMFakeServer::Response::json(
                R"({"similarartists":{"artist":[{"name":"Cy","match":"1"}]}})");
        return LastFMFakeServer::Response::json(R"({"toptags":{"tag":[]}})");
    });
    rig.lastFM->setKey("key");
    rig.lastFM->refresh({"Ada"}, true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return relationOf("Cy") == "similar on Last.fm"; }, 10000))
        << relationOf("Cy").toStdString();
}

} // namespace
