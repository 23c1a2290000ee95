#include "QuickplayRig.h"

#include <gtest/gtest.h>

namespace {

QString album(const QString& artist, const QString& title) {
    return QStringLiteral("album:") + albumID(artist, title);
}
QString artist(const QString& name) {
    return QStringLiteral("artist:") + name.toLower();
}
QString pathOf(const QString& artist, const QString& album, const QString& title) {
    return QStringLiteral("/m/%1/%2/%3.mp3").arg(artist, album, title);
}

struct ContentCase {
    const char* name;
    QList<Song> songs;
    QStringList pins;
    QStringList history;
    QStringList wantPins;
    QStringList wantNew;
    QStringList wantHistory;
};

void PrintTo(const ContentCase& c, std::ostream* os) {
    *os << c.name;
}

class Content : public ::testing::TestWithParam<ContentCase> {};

TEST_P(Content, buildsTheColumns) {
    const ContentCase& c = GetParam();
    QuickplayRig rig({c.songs, c.pins, c.history, {}, {}});
    const QuickplayContent content = rig.content();
    EXPECT_EQ(idsOf(content.pins), c.wantPins);
    EXPECT_EQ(idsOf(content.newItems), c.wantNew);
    EXPECT_EQ(idsOf(content.history), c.wantHistory);
}

QList<Song> nineAlbums() {
    QList<Song> out;
    for (int i = 1; i <= 9; ++i)
        out << albumSong(QStringLiteral("A%1").arg(i), QStringLiteral("Rec"), QStringLiteral("t"), i);
    return out;
}
QStringList nineAlbumsPlayed() {
    QStringList out;
    for (int i = 1; i <= 9; ++i)
        out << pathOf(QStringLiteral("A%1").arg(i), QStringLiteral("Rec"), QStringLiteral("t"));
    return out;
}

// Seven albums after the newest: Old's newest album leads, but Old also has a song from long ago.
QList<Song> oldArtistWithNewestAlbum() {
    QList<Song> out{albumSong("Old", "Newest", "n", 100), albumSong("Old", "Ancient", "a", 1)};
    for (int i = 2; i <= 7; ++i)
        out << albumSong(QStringLiteral("N%1").arg(i), QStringLiteral("Rec"), QStringLiteral("t"), 49 + i);
    return out;
}

INSTANTIATE_TEST_SUITE_P(
    QuickplayContent, Content,
    ::testing::Values(
        ContentCase{"nothing in the library",
                    {},
                    {"artist:Ann", "album:" + albumID("Ann", "One")},
                    {"/m/gone.mp3"},
                    {},
                    {},
                    {}},
        ContentCase{"a pin that does not resolve leaves no gap",
                    {albumSong("Ann", "One", "a", 10), albumSong("Bob", "Two", "b", 20)},
                    {"artist:Gone", "album:" + albumID("Ann", "One"),
                     "playlist:0F0E0000-0000-4000-8000-0000000000FF", "artist:Bob"},
                    {},
                    {album("Ann", "One"), artist("Bob")},
                    {album("Bob", "Two")}, // Bob is pinned, so no artist item for him
                    {}},
        ContentCase{"a pinned album in the history shows only among the pins; an album played twice once",
                    {albumSong("A", "X", "a1", 10), albumSong("A", "X", "a2", 10),
                     albumSong("B", "Y", "b1", 20), albumSong("B", "Y", "b2", 20),
                     albumSong("C", "Z", "c", 30)},
                    {"album:" + albumID("A", "X")},
                    {pathOf("A", "X", "a1"), pathOf("B", "Y", "b1"), "/m/not/in/library.mp3",
                     pathOf("B", "Y", "b2"), pathOf("A", "X", "a2")},
                    {album("A", "X")},
                    {artist("C"), album("C", "Z")},
                    {album("B", "Y")}},
        ContentCase{"the history walk stops at seven albums, leaving the rest to new",
                    nineAlbums(),
                    {},
                    nineAlbumsPlayed(),
                    {},
                    {artist("A9"), album("A9", "Rec"), artist("A8"), album("A8", "Rec")},
                    {album("A1", "Rec"), album("A2", "Rec"), album("A3", "Rec"), album("A4", "Rec"),
                     album("A5", "Rec"), album("A6", "Rec"), album("A7", "Rec")}},
        ContentCase{"with three albums the cutoff is the third's date",
                    {albumSong("P", "One", "p", 30), albumSong("Q", "Two", "q", 20),
                     albumSong("R", "Three", "r", 10)},
                    {},
                    {},
                    {},
                    {artist("P"), album("P", "One"), artist("Q"), album("Q", "Two"), artist("R"),
                     album("R", "Three")},
                    {}},
        ContentCase{"an artist with one song older than the cutoff gets no item, even with the newest album",
                    oldArtistWithNewestAlbum(),
                    {},
                    {},
                    {},
                    {album("Old", "Newest"), artist("N7"), album("N7", "Rec"), artist("N6"),
                     album("N6", "Rec"), artist("N5"), album("N5", "Rec"), album("N4", "Rec"),
                     album("N3", "Rec"), album("N2", "Rec")},
                    {}},
        ContentCase{"two albums of one new artist give one item, before the first",
                    {albumSong("Neu", "First", "f", 20), albumSong("Neu", "Second", "s", 10)},
                    {},
                    {},
                    {},
                    {artist("Neu"), album("Neu", "First"), album("Neu", "Second")},
                    {}},
        ContentCase{"a pinned artist gets no item in new",
                    {albumSong("Neu", "First", "f", 20)},
                    {"artist:NEU"},
                    {},
                    {artist("Neu")},
                    {album("Neu", "First")},
                    {}},
        ContentCase{"four qualifying artists give three items, the first three in album order",
                    {albumSong("W", "1", "w", 40), albumSong("X", "2", "x", 30), albumSong("Y", "3", "y", 20),
                     albumSong("Z", "4", "z", 10)},
                    {},
                    {},
                    {},
                    {artist("W"), album("W", "1"), artist("X"), album("X", "2"), artist("Y"), album("Y", "3"),
                     album("Z", "4")},
                    {}},
        ContentCase{"equal dates order new albums by plain title order, capitals first",
                    {albumSong("Old", "abc", "1", 10), albumSong("Old", "Zed", "2", 10),
                     albumSong("Old", "x", "0", 1), albumSong("Old", "h1", "h", 0)},
                    {},
                    {pathOf("Old", "h1", "h")},
                    {},
                    {album("Old", "Zed"), album("Old", "abc"), album("Old", "x")},
                    {album("Old", "h1")}}),
    [](const ::testing::TestParamInfo<ContentCase>& info) { return std::to_string(info.index); });

TEST(QuickplayContent, historyKeyWithoutItsAlbumStillKeepsItOutOfNew) {
    QuickplayRig rig({{albumSong("Lost", "Gone", "g", 50), albumSong("Kept", "Here", "k", 10)},
                      {},
                      {pathOf("Lost", "Gone", "g")},
                      {},
                      {}});
    QuickplaySources sources = rig.sources();
    // The song is known but its album cannot be found (the album index and the songs disagree).
    const auto libraryAlbum = sources.album;
    sources.album = [libraryAlbum](const QString& id) -> std::optional<Album> {
        if (id == albumID("Lost", "Gone")) return std::nullopt;
        return libraryAlbum(id);
    };
    const QuickplayContent content(sources);
    EXPECT_TRUE(content.history.isEmpty());
    EXPECT_EQ(idsOf(content.newItems), QStringList({artist("Kept"), album("Kept", "Here")}));
    EXPECT_TRUE(content.shown.contains(albumID("Lost", "Gone")));
}

TEST(QuickplayContent, collectionIsPinsThenNewThenHistory) {
    QList<Song> songs{albumSong("P", "1", "p1", 1), albumSong("P", "2", "p2", 2),
                      albumSong("H", "1", "h1", 3), albumSong("H", "2", "h2", 4),
                      albumSong("H", "3", "h3", 5)};
    for (int i = 1; i <= 4; ++i)
        songs << albumSong("Many", QString::number(i), "m", 50 + i);
    QuickplayRig rig({songs,
                      {"album:" + albumID("P", "1"), "album:" + albumID("P", "2")},
                      {pathOf("H", "3", "h3"), pathOf("H", "1", "h1"), pathOf("H", "2", "h2")},
                      {},
                      {}});
    const QuickplayContent content = rig.content();
    ASSERT_EQ(content.pins.size(), 2);
    ASSERT_EQ(content.newItems.size(), 5);
    ASSERT_EQ(content.history.size(), 3);
    EXPECT_EQ(idsOf(content.collection()),
              QStringList({album("P", "1"), album("P", "2"), artist("Many"), album("Many", "4"),
                           album("Many", "3"), album("Many", "2"), album("Many", "1"), album("H", "3"),
                           album("H", "1"), album("H", "2")}));
    // Every album on the page is in `shown`, so an artist tile can pick a cover not already there.
    EXPECT_EQ(content.shown.size(), 9);
}

TEST(QuickplayContent, itemIdentities) {
    QuickplayRig rig({{albumSong("Ann Lee", "Blue Sky", "a", 1)}, {}, {}, {}, {}});
    const Album blue = *rig.library->album(albumID("Ann Lee", "Blue Sky"));
    EXPECT_EQ(QuickItem::album(blue).id(), QStringLiteral("album:ann lee") + keySep + "blue sky");
    EXPECT_EQ(QuickItem::artist(*rig.library->artist("ANN LEE")).id(), QStringLiteral("artist:ann lee"));
    Playlist list{*Playlist::uuid("0f0e0000-0000-4000-8000-0000000000ab"), "mine", {}, Date{0}};
    EXPECT_EQ(QuickItem::playlist(list, {}).id(),
              QStringLiteral("playlist:0F0E0000-0000-4000-8000-0000000000AB"));
}

TEST(QuickplayContent, smartDJArtistsResolvedInStoredOrder) {
    const QList<Song> songs{albumSong("Ann", "1", "a", 1), albumSong("Bob", "1", "b", 1)};
    QuickplayRig stored({songs, {}, {}, {}, QStringList{"bob", "Nobody", "ANN"}});
    QStringList names;
    for (const Artist& a : stored.content().smartDJ)
        names << a.name;
    EXPECT_EQ(names, QStringList({"Bob", "Ann"}));

    QuickplayRig unset({songs, {}, {}, {}, {}});
    EXPECT_TRUE(unset.content().smartDJ.isEmpty());
}

TEST(QuickplayContent, pinnedPlaylistsIncludingAutomaticOnes) {
    QuickplayRig rig({{albumSong("Ann", "1", "a", 1), albumSong("Bob", "1", "b", 1)}, {}, {}, {}, {}});
    const Playlist mine =
        rig.playlists->create(QStringLiteral("mine"), {*rig.library->song(pathOf("Bob", "1", "b"))});
    rig.player->toggleLike(rig.library->song(pathOf("Ann", "1", "a")));
    rig.app->togglePin(*Pin::playlist(Playlist::uuidText(mine.id)));
    rig.app->togglePin(*Pin::playlist(Playlist::uuidText(AutoPlaylist(AutoPlaylist::liked).id())));
    const QuickplayContent content = rig.content();
    ASSERT_EQ(content.pins.size(), 2);
    const auto* liked = content.pins.at(0).asPlaylist();
    const auto* own = content.pins.at(1).asPlaylist();
    ASSERT_TRUE(liked && own);
    EXPECT_EQ(liked->playlist.name, QStringLiteral("liked songs"));
    EXPECT_EQ(titles(liked->songs), QStringList({"a"}));
    EXPECT_EQ(titles(own->songs), QStringList({"b"}));
}

// Seeding the Smart DJ list with the favourite artists.

QStringList seeded(const QuickplayRig& rig) {
    return rig.app->smartDJArtists().value_or(QStringList{"<unset>"});
}

TEST(SeedSmartDJ, favouritesByPlaysThenSongsThenLibraryOrder) {
    struct Case {
        const char* name;
        QHash<QString, int> plays;
        QStringList want;
    };
    // Ann has 1 song, Bob 3, Cy 2, Dee 1.
    const QList<Song> songs{albumSong("Ann", "1", "a", 1),  albumSong("Bob", "1", "b1", 1),
                            albumSong("Bob", "1", "b2", 1), albumSong("Bob", "2", "b3", 1),
                            albumSong("Cy", "1", "c1", 1),  albumSong("Cy", "1", "c2", 1),
                            albumSong("Dee", "1", "d", 1)};
    const QList<Case> cases{
        {"most plays first, summed over every album",
         {{pathOf("Ann", "1", "a"), 5},
          {pathOf("Bob", "1", "b1"), 2},
          {pathOf("Bob", "2", "b3"), 2},
          {pathOf("Dee", "1", "d"), 1}},
         {"Ann", "Bob", "Dee"}},
        {"equal plays: more songs first",
         {{pathOf("Ann", "1", "a"), 2}, {pathOf("Cy", "1", "c1"), 2}},
         {"Cy", "Ann", "Bob"}},
        {"no plays: more songs, then library order", {}, {"Bob", "Cy", "Ann"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QuickplayRig rig({songs, {}, {}, c.plays, {}});
        EXPECT_TRUE(seedSmartDJ(*rig.app, *rig.library, *rig.player));
        EXPECT_EQ(seeded(rig), c.want);
        // Stored, so the next start finds it.
        EXPECT_EQ(rig.defaults->stringList("smartDJArtists"), c.want);
    }
}

TEST(SeedSmartDJ, fullTieKeepsLibraryOrderAndFavouriteSaysNeither) {
    QuickplayRig rig({{albumSong("Ann", "1", "a", 1), albumSong("Bob", "1", "b", 1)}, {}, {}, {}, {}});
    const Artist ann = *rig.library->artist("Ann");
    const Artist bob = *rig.library->artist("Bob");
    EXPECT_FALSE(favourite(ann, bob, *rig.player));
    EXPECT_FALSE(favourite(bob, ann, *rig.player));
    ASSERT_TRUE(seedSmartDJ(*rig.app, *rig.library, *rig.player));
    // Two artists in the library: two names.
    QStringList libraryOrder;
    for (const Artist& a : rig.library->artists())
        libraryOrder << a.name;
    EXPECT_EQ(seeded(rig), libraryOrder);
}

TEST(SeedSmartDJ, waitsForArtistsAndNeverRefillsAStoredList) {
    QuickplayRig empty({{}, {}, {}, {}, {}});
    EXPECT_FALSE(seedSmartDJ(*empty.app, *empty.library, *empty.player));
    EXPECT_FALSE(empty.app->smartDJArtists().has_value());
    EXPECT_FALSE(empty.defaults->contains("smartDJArtists"));

    // The same settings once a scan has found artists: the rule runs again and fills the list, once.
    QuickplayRig later({{albumSong("Ann", "1", "a", 1)}, {}, {}, {}, {}});
    EXPECT_TRUE(seedSmartDJ(*later.app, *later.library, *later.player));
    EXPECT_EQ(seeded(later), QStringList({"Ann"}));
    later.app->toggleSmartDJ("Ann"); // the user empties it
    EXPECT_EQ(seeded(later), QStringList());
    EXPECT_FALSE(seedSmartDJ(*later.app, *later.library, *later.player));
    EXPECT_EQ(seeded(later), QStringList());

    QuickplayRig storedEmpty({{albumSong("Ann", "1", "a", 1)}, {}, {}, {}, QStringList{}});
    EXPECT_FALSE(seedSmartDJ(*storedEmpty.app, *storedEmpty.library, *storedEmpty.player));
    EXPECT_EQ(seeded(storedEmpty), QStringList());
}

} // namespace
