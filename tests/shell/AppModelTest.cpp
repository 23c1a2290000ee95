#include "shell/AppModel.h"
#include "core/Defaults.h"
#include "support/TestHome.h"

#include <QJsonArray>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {
// Lets the queued page change happen.
void settle() {
    QCoreApplication::processEvents();
}
} // namespace

struct DirectionCase {
    Page from;
    Page to;
    bool forward;
};

class PageDirection : public ::testing::TestWithParam<DirectionCase> {};

TEST_P(PageDirection, FollowsDepth) {
    TestHome home;
    Defaults defaults;
    AppModel app(defaults);
    app.go(GetParam().from);
    settle();
    app.go(GetParam().to);
    EXPECT_EQ(app.forward(), GetParam().forward);
    settle();
    EXPECT_EQ(app.page(), GetParam().to);
}

INSTANTIATE_TEST_SUITE_P(Cases, PageDirection,
                         ::testing::Values(DirectionCase{Page::nowPlaying, Page::settings, false},
                                           DirectionCase{Page::nowPlaying, Page::quickplay, false},
                                           DirectionCase{Page::quickplay, Page::settings, true},
                                           DirectionCase{Page::settings, Page::playerSummary, false},
                                           DirectionCase{Page::collection, Page::nowPlaying, true}));

TEST(AppModel, DirectionIsPublishedBeforeThePageChanges) {
    TestHome home;
    Defaults defaults;
    AppModel app(defaults);
    app.go(Page::settings);
    settle();
    app.go(Page::collection);
    EXPECT_FALSE(app.forward());
    EXPECT_EQ(app.page(), Page::settings); // not yet
    settle();
    EXPECT_EQ(app.page(), Page::collection);
}

TEST(AppModel, BackStackKeepsLastThirtyAndSameGoChangesNothing) {
    TestHome home;
    Defaults defaults;
    AppModel app(defaults);
    QSignalSpy back(&app, &AppModel::canGoBackChanged);
    for (int i = 0; i < 35; ++i) {
        app.go(i % 2 ? Page::quickplay : Page::settings);
        settle();
    }
    ASSERT_EQ(app.backStack().size(), 30);
    EXPECT_EQ(app.page(), Page::settings);
    EXPECT_EQ(app.backStack().last(), Page::quickplay);
    EXPECT_EQ(back.count(), 1);

    const bool forward = app.forward();
    app.go(app.page());
    EXPECT_EQ(app.backStack().size(), 30);
    EXPECT_EQ(app.forward(), forward);

    app.back();
    EXPECT_FALSE(app.forward());
    settle();
    EXPECT_EQ(app.page(), Page::quickplay);
    EXPECT_EQ(app.backStack().size(), 29);
}

TEST(AppModel, MixviewTrailAndBack) {
    TestHome home;
    Defaults defaults;
    AppModel app(defaults);
    app.back(); // empty stack, closed Mixview: nothing
    EXPECT_EQ(app.page(), Page::quickplay);

    app.tamskMixview(MixSeed::artist("A")); // closed: nothing
    EXPECT_FALSE(app.mixview());

    app.openMixview(MixSeed::artist("A"));
    app.tamskMixview(MixSeed::artist("A")); // same seed: nothing
    EXPECT_TRUE(app.mixTrail().isEmpty());
    for (int i = 0; i < 32; ++i)
        app.tamskMixview(MixSeed::album(QString::number(i)));
    EXPECT_EQ(app.mixTrail().size(), 30);
    app.back();
    EXPECT_EQ(*app.mixview(), MixSeed::album("30"));

    app.openMixview(MixSeed::artist("B")); // afresh
    EXPECT_TRUE(app.mixTrail().isEmpty());
    app.back();
    EXPECT_TRUE(app.mixviewLeaving());
    EXPECT_EQ(*app.mixview(), MixSeed::artist("B"));

    // Going to the page under Mixview only closes it.
    app.go(Page::quickplay);
    EXPECT_FALSE(app.mixview());
    EXPECT_FALSE(app.mixviewLeaving());
    EXPECT_TRUE(app.backStack().isEmpty());
}

TEST(AppModel, PinsParseToggleAndPersist) {
    TestHome home;
    Defaults defaults;
    defaults.set("pins", QJsonArray{"artist:AC:DC", "playlist:not-a-uuid", "genre:rock", "artist",
                                    "playlist:5a0e0000-0000-4000-8000-000000000001", "album:x\u0001y"});
    AppModel app(defaults);
    ASSERT_EQ(app.pins().size(), 4);
    EXPECT_EQ(app.pins()[0].value, "AC:DC");
    EXPECT_EQ(app.pins()[1].value, ""); // "artist" alone: an artist with no name
    EXPECT_EQ(app.pins()[2].stored(), "playlist:5A0E0000-0000-4000-8000-000000000001");

    app.togglePin(Pin::artist("ac:dc")); // same pin in another case: removed
    EXPECT_EQ(app.pins().size(), 3);
    for (int i = 0; i < 5; ++i)
        app.togglePin(Pin::artist(QString::number(i)));
    ASSERT_EQ(app.pins().size(), 6);
    EXPECT_EQ(app.pins().first().value, "4");

    AppModel again(defaults);
    EXPECT_EQ(again.pins(), app.pins());
}

TEST(AppModel, OlderPinnedArtistsReadUntilFirstToggle) {
    TestHome home;
    Defaults defaults;
    defaults.set("pinnedArtists", QJsonArray{"Abba", "Björk"});
    {
        AppModel app(defaults);
        ASSERT_EQ(app.pins().size(), 2);
        EXPECT_EQ(app.pins()[0], Pin::artist("Abba"));
        EXPECT_TRUE(defaults.contains("pinnedArtists"));
        app.togglePin(Pin::artist("ABBA"));
    }
    EXPECT_FALSE(defaults.contains("pinnedArtists"));
    EXPECT_EQ(defaults.stringList("pins"), QStringList{"artist:Björk"});
}

TEST(AppModel, SmartDJArtists) {
    TestHome home;
    Defaults defaults;
    {
        AppModel app(defaults);
        EXPECT_FALSE(app.smartDJArtists());
        EXPECT_FALSE(app.hasSmartDJ("a"));
        for (const char* n : {"a", "b", "c", "d", "e", "f"})
            app.toggleSmartDJ(n);
        EXPECT_EQ(*app.smartDJArtists(), (QStringList{"b", "c", "d", "e", "f"}));
        EXPECT_TRUE(app.hasSmartDJ("B"));
        for (const char* n : {"B", "c", "d", "e", "F"})
            app.toggleSmartDJ(n);
        ASSERT_TRUE(app.smartDJArtists());
        EXPECT_TRUE(app.smartDJArtists()->isEmpty());
    }
    AppModel restarted(defaults);
    ASSERT_TRUE(restarted.smartDJArtists()); // present but empty, not absent
    EXPECT_TRUE(restarted.smartDJArtists()->isEmpty());
}

TEST(AppModel, StartPageAndShow) {
    TestHome home;
    Defaults defaults;
    defaults.set("startPage", "Collection");
    EXPECT_EQ(AppModel(defaults).page(), Page::quickplay);
    defaults.set("startPage", "collection");
    AppModel app(defaults);
    EXPECT_EQ(app.page(), Page::collection);

    app.showPlaylist("5a0e0000-0000-4000-8000-000000000002");
    EXPECT_EQ(app.collectionTamsk(), CollectionTamsk::playlists);
    EXPECT_EQ(*app.selectedPlaylistID(), "5A0E0000-0000-4000-8000-000000000002");
    EXPECT_TRUE(app.backStack().isEmpty()); // already on the collection

    app.go(Page::settings);
    settle();
    app.show(QString("Joni"), std::nullopt);
    EXPECT_EQ(app.collectionTamsk(), CollectionTamsk::artists);
    EXPECT_FALSE(app.collectionTamskAnimated());
    EXPECT_EQ(*app.selectedArtist(), "Joni");
    EXPECT_FALSE(app.selectedAlbumID());
    settle();
    EXPECT_EQ(app.page(), Page::collection);
}
