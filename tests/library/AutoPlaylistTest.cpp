#include "library/AutoPlaylist.h"
#include "PlaylistLibrary.h"
#include "core/Defaults.h"
#include "support/TestHome.h"

#include <gtest/gtest.h>

namespace {

Song numbered(int i, const QString& album = "Album", double added = 1000) {
    Song s = makeSong(QString("/music/%1/%2.mp3").arg(album).arg(i), "Artist", album,
                      QString("song %1").arg(i, 3, 10, QChar('0')));
    s.track = i;
    s.added = Date{added};
    return s;
}

} // namespace

TEST(AutoPlaylist, FixedIdsNamesAndTexts) {
    const QList<AutoPlaylist> all = AutoPlaylist::allCases();
    ASSERT_EQ(all.size(), 3);
    const char* ids[] = {"5A0E0000-0000-4000-8000-000000000001", "5A0E0000-0000-4000-8000-000000000002",
                         "5A0E0000-0000-4000-8000-000000000003"};
    const char* raw[] = {"liked", "mostPlayed", "recentlyAdded"};
    const char* names[] = {"liked songs", "most played", "recently added"};
    const char* about[] = {"every song you've liked", "the 100 songs you play most",
                           "the newest albums, 100 songs' worth"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Playlist::uuidText(all.at(i).id()), ids[i]);
        EXPECT_EQ(all.at(i).rawValue(), raw[i]);
        EXPECT_EQ(all.at(i).name(), names[i]);
        EXPECT_EQ(all.at(i).about(), about[i]);
        EXPECT_EQ(AutoPlaylist::fromId(all.at(i).id()), all.at(i));
    }
    EXPECT_EQ(AutoPlaylist::fromId(QUuid::fromString(QStringLiteral("5a0e0000-0000-4000-8000-000000000002"))),
              AutoPlaylist(AutoPlaylist::mostPlayed));
    EXPECT_FALSE(AutoPlaylist::fromId(QUuid::createUuid()));
}

TEST(AutoPlaylist, LikedSortsByAlbumArtistAlbumDiscAndTrack) {
    TestHome home;
    Defaults defaults;
    Song b2 = makeSong("/m/b2.mp3", "beta", "Zed", "b2");
    b2.disc = 2;
    b2.track = 1;
    Song b1 = makeSong("/m/b1.mp3", "Beta", "zed", "b1");
    b1.disc = 1;
    b1.track = 9;
    Song a = makeSong("/m/a.mp3", "Alpha", "x", "a");
    Song unliked = makeSong("/m/u.mp3", "Alpha", "x", "u");
    auto library = libraryWith(defaults, {b2, unliked, b1, a});
    const LikesAndPlays player{{"/m/b1.mp3", "/m/b2.mp3", "/m/a.mp3", "/m/gone.mp3"}, {}};
    EXPECT_EQ(titlesOf(AutoPlaylist(AutoPlaylist::liked).songs(*library, player)),
              QStringList({"a", "b1", "b2"}));
    EXPECT_TRUE(AutoPlaylist(AutoPlaylist::liked).songs(*library, {}).isEmpty());
}

TEST(AutoPlaylist, MostPlayedCountsDownThenPlainTitleOrderAndStopsAt100) {
    TestHome home;
    Defaults defaults;
    QList<Song> songs;
    LikesAndPlays player;
    for (int i = 0; i < 120; ++i) {
        songs.append(numbered(i));
        player.playCounts.insert(songs.last().url.path, 1 + i / 10);
    }
    Song zed = makeSong("/m/z.mp3", "Artist", "Other", "Zed");
    Song apple = makeSong("/m/a.mp3", "Artist", "Other", "apple");
    Song never = makeSong("/m/n.mp3", "Artist", "Other", "never");
    songs << apple << zed << never;
    player.playCounts.insert(apple.url.path, 50);
    player.playCounts.insert(zed.url.path, 50);
    player.playCounts.insert(never.url.path, 0);
    auto library = libraryWith(defaults, songs);

    const QList<Song> most = AutoPlaylist(AutoPlaylist::mostPlayed).songs(*library, player);
    ASSERT_EQ(most.size(), 100);
    // Upper-case letters come before lower-case ones in the plain order.
    EXPECT_EQ(most.at(0).title, "Zed");
    EXPECT_EQ(most.at(1).title, "apple");
    EXPECT_EQ(most.at(2).title, "song 110");
    for (qsizetype i = 1; i < most.size(); ++i)
        EXPECT_GE(player.plays(most.at(i - 1).url.path), player.plays(most.at(i).url.path));

    // Fewer than 100 played: songs without plays still stay out.
    LikesAndPlays few;
    few.playCounts.insert(never.url.path, 0);
    few.playCounts.insert(zed.url.path, 1);
    EXPECT_EQ(titlesOf(AutoPlaylist(AutoPlaylist::mostPlayed).songs(*library, few)), QStringList({"Zed"}));
}

TEST(AutoPlaylist, RecentlyAddedTakesWholeAlbumsUntil100Songs) {
    TestHome home;
    Defaults defaults;
    QList<Song> songs;
    for (int i = 1; i <= 10; ++i)
        songs.append(numbered(i, "Oldest", 100));
    for (int i = 50; i >= 1; --i)
        songs.append(numbered(i, "Middle", 200));
    for (int i = 1; i <= 60; ++i)
        songs.append(numbered(i, "Newest", 300));
    auto library = libraryWith(defaults, songs);
    const QList<Song> recent = AutoPlaylist(AutoPlaylist::recentlyAdded).songs(*library, {});
    ASSERT_EQ(recent.size(), 110);
    EXPECT_EQ(recent.at(0).album, "Newest");
    EXPECT_EQ(recent.at(60).album, "Middle");
    EXPECT_EQ(recent.at(60).track, 1);
    EXPECT_EQ(recent.at(109).track, 50);
}

TEST(AutoPlaylist, EmptyLibraryGivesEmptyLists) {
    TestHome home;
    Defaults defaults;
    auto library = libraryWith(defaults, {});
    const LikesAndPlays player{{"/m/a.mp3"}, {{"/m/a.mp3", 3}}};
    for (AutoPlaylist a : AutoPlaylist::allCases())
        EXPECT_TRUE(a.songs(*library, player).isEmpty()) << a.rawValue().toStdString();
}
