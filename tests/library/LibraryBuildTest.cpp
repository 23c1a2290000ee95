#include "library/LibraryStore.h"
#include "support/Songs.h"

#include <gtest/gtest.h>

namespace {

// `n` songs of one album in one folder, without album-artist tags, performed by the given artists in turn.
QList<Song> folderAlbum(const QString& folder, const QString& album, const QList<QString>& artists) {
    QList<Song> songs;
    for (qsizetype i = 0; i < artists.size(); ++i)
        songs.append(makeSong(QString("%1/%2.mp3").arg(folder).arg(i + 1), artists[i], album));
    return songs;
}

QList<QString> repeated(const QString& name, int n) {
    return QList<QString>(n, name);
}

QStringList albumArtists(const QList<Song>& songs) {
    QStringList out;
    for (const Song& s : songs)
        out.append(s.albumArtist);
    return out;
}

} // namespace

TEST(LibraryBuild, AlbumArtistIsTheMajorityElseVariousArtists) {
    struct Case {
        const char* name;
        QList<QString> artists;
        QString expected;
    } cases[] = {
        {"five of eight", repeated("Ann", 5) + repeated("Bob", 3), "Ann"},
        {"majority not first", repeated("Bob", 3) + repeated("Ann", 5), "Ann"},
        {"four and four", repeated("Ann", 4) + repeated("Bob", 4), "Various Artists"},
        {"three-way", {"Ann", "Bob", "Cy"}, "Various Artists"},
        {"majority spelled first as written", {"bob", "Bob", "BOB", "Ann"}, "bob"},
    };
    for (const Case& c : cases) {
        const QList<Song> out = LibraryStore::resolveAlbumArtists(folderAlbum("/m/x", "Mix", c.artists));
        EXPECT_EQ(albumArtists(out), QStringList(c.artists.size(), c.expected)) << c.name;
    }

    // One artist in two spellings changes nothing: each song keeps its own album artist.
    const QList<Song> cased = folderAlbum("/m/x", "Mix", {"Ann", "ANN", "ann"});
    EXPECT_EQ(LibraryStore::resolveAlbumArtists(cased), cased);
}

TEST(LibraryBuild, AlbumArtistGroupsAreFolderAndAlbumAndSkipTaggedSongs) {
    // Same album name in two folders: each folder is decided on its own.
    QList<Song> songs = folderAlbum("/m/one", "Hits", repeated("Ann", 2) + repeated("Bob", 1)) +
                        folderAlbum("/m/two", "HITS", {"Cy", "Dee"});
    // A tagged song keeps its tag and does not count: without it Bob and Ann would tie.
    Song tagged = makeSong("/m/one/9.mp3", "Bob", "hits");
    tagged.albumArtistTag = tagged.albumArtist = "Bob";
    songs.insert(1, tagged);
    const QList<Song> out = LibraryStore::resolveAlbumArtists(songs);
    EXPECT_EQ(albumArtists(out),
              QStringList({"Ann", "Bob", "Ann", "Ann", "Various Artists", "Various Artists"}));
    EXPECT_EQ(out[1], tagged);
}

TEST(LibraryBuild, IdentityIgnoresCaseQuotesAndSpacingButNotDisc) {
    Song base = makeSong("/m/a.mp3", "Joni Mitchell", "Blue", "Don't Go  ");
    struct Case {
        QString artist, album, title;
        qint64 disc;
        bool same;
    } cases[] = {
        {"joni mitchell", "BLUE", "don't go", 1, true},
        {"Joni  Mitchell", " Blue", "Don\u2019t\tGo", 1, true},
        {"Joni\nMitchell", "Blue", "Don\u2018t Go", 1, true},
        {"Joni Mitchell", "Blue", "Don't Go", 2, false},
        {"Joni Mitchell", "Blue", "Dont Go", 1, false},
        {"Joni Mitchel", "Blue", "Don't Go", 1, false},
    };
    for (const Case& c : cases) {
        Song s = makeSong("/m/b.flac", c.artist, c.album, c.title);
        s.disc = c.disc;
        s.albumArtist = "Someone Else"; // the performing artist counts, not the album artist
        s.track = 7;
        EXPECT_EQ(LibraryStore::identity(s) == LibraryStore::identity(base), c.same)
            << c.artist.toStdString() << "|" << c.title.toStdString();
    }
    EXPECT_EQ(LibraryStore::identity(makeSong("/x.mp3", "A", "B", "\u201CQ\u201D")),
              LibraryStore::identity(makeSong("/y.mp3", "a", "b", "\"q\"")));
}

TEST(LibraryBuild, DuplicatesKeepLosslessThenHigherRateThenFirst) {
    auto copy = [](const QString& path, qint64 bytes, double duration) {
        Song s = makeSong(path, "Ann", "Album", "Song");
        s.bytes = bytes;
        s.duration = duration;
        return s;
    };
    struct Case {
        const char* name;
        QList<Song> group;
        QString kept;
    } cases[] = {
        {"flac over a bigger mp3", {copy("/a.mp3", 9e7, 100), copy("/b.FLAC", 1e6, 100)}, "/b.FLAC"},
        {"wav over m4a", {copy("/a.wav", 1e6, 100), copy("/b.m4a", 9e7, 100)}, "/a.wav"},
        {"higher rate",
         {copy("/a.mp3", 3e6, 100), copy("/b.mp3", 4e6, 100), copy("/c.m4a", 5e6, 200)},
         "/b.mp3"},
        {"equal rates keep the first", {copy("/a.mp3", 4e6, 100), copy("/b.mp3", 8e6, 200)}, "/a.mp3"},
        {"no duration is rate 0", {copy("/a.mp3", 1e3, 10), copy("/b.mp3", 9e9, 0)}, "/a.mp3"},
        {"both lossless: rate", {copy("/a.flac", 1e6, 100), copy("/b.aiff", 2e6, 100)}, "/b.aiff"},
    };
    for (const Case& c : cases) {
        const auto split = LibraryStore::removeDuplicates(c.group);
        ASSERT_EQ(split.kept.size(), 1) << c.name;
        EXPECT_EQ(split.kept[0].url.path, c.kept) << c.name;
        EXPECT_EQ(split.extra.size(), c.group.size() - 1) << c.name;
        for (const Song& s : split.extra)
            EXPECT_NE(s.url.path, c.kept) << c.name;
    }

    // Kept songs come in the order their recordings first appear; extras in group order.
    const Song x = makeSong("/x.mp3", "X", "A", "x");
    const Song y1 = makeSong("/y1.mp3", "Y", "A", "y");
    const Song y2 = makeSong("/y2.flac", "Y", "A", "y");
    const Song z = makeSong("/z.mp3", "Z", "A", "z");
    const auto split = LibraryStore::removeDuplicates({y1, x, y2, z});
    EXPECT_EQ(split.kept, QList<Song>({y2, x, z}));
    EXPECT_EQ(split.extra, QList<Song>({y1}));
}

TEST(LibraryBuild, DuplicatesGetNoEditsAndSongsDo) {
    Song mp3 = makeSong("/m/a/1.mp3", "Ann", "Album", "Song");
    Song flac = makeSong("/m/a/1.flac", "Ann", "Album", "Song");
    LibraryEdits edits;
    edits.songTitles.insert(mp3.url.path, "Renamed mp3");
    edits.songTitles.insert(flac.url.path, "Renamed flac");
    edits.albumTitles.insert(mp3.albumID(), "Renamed album");
    const auto c = LibraryStore::build({mp3, flac}, edits);
    ASSERT_EQ(c.songs.size(), 1);
    EXPECT_EQ(c.songs[0].title, "Renamed flac");
    EXPECT_EQ(c.songs[0].album, "Renamed album");
    ASSERT_EQ(c.duplicates.size(), 1);
    EXPECT_EQ(c.duplicates[0], mp3);
    EXPECT_EQ(c.albums[0].title, "Renamed album");
    EXPECT_EQ(c.albums[0].id(), mp3.albumID());
}

TEST(LibraryBuild, AlbumsArtistsAndTheirOrder) {
    auto song = [](const QString& path, const QString& artist, const QString& album, qint64 disc,
                   qint64 track, const QString& title, std::optional<qint64> year) {
        Song s = makeSong(path, artist, album, title);
        s.albumArtistTag = artist; // keep the resolution out of this case
        s.disc = disc;
        s.track = track;
        s.year = year;
        return s;
    };
    const QList<Song> raw{
        song("/m/b/3.mp3", "bob", "Later", 1, 3, "c", 2001),
        song("/m/b/2.mp3", "Bob", "Later", 1, 2, "b", 1999),
        song("/m/b/1.mp3", "Bob", "Later", 1, 1, "a", std::nullopt),
        song("/m/b/x.mp3", "Bob", "undated", 1, 1, "x", std::nullopt),
        song("/m/b/y.mp3", "Bob", "Early", 1, 1, "y", 1980),
        song("/m/b/z.mp3", "Bob", "Alpha", 1, 1, "z", 1999),
        song("/m/a/2-1.mp3", "ann", "Two Discs", 2, 1, "d2", std::nullopt),
        song("/m/a/1-2a.mp3", "ann", "Two Discs", 1, 2, "apple", std::nullopt),
        song("/m/a/1-2Z.mp3", "ann", "Two Discs", 1, 2, "Zed", std::nullopt),
        song("/m/a/1-1.mp3", "ann", "Two Discs", 1, 1, "z", std::nullopt),
        song("/m/c/1.mp3", "\u00c9mile", "E", 1, 1, "e", std::nullopt),
    };
    const auto c = LibraryStore::build(raw, {});

    QStringList albums;
    for (const Album& a : c.albums)
        albums.append(a.artist + "/" + a.title);
    // Artist lower-cased, then year (none counts as 0), then title regardless of case.
    EXPECT_EQ(albums, QStringList({"ann/Two Discs", "Bob/undated", "Bob/Early", "Bob/Alpha", "Bob/Later",
                                   "\u00c9mile/E"}));

    const Album& later = c.albums[4];
    EXPECT_EQ(later.year(), 1999); // first present year in song order
    EXPECT_EQ(later.title, "Later");
    EXPECT_EQ(later.artist, "Bob"); // from the first song in album order, not list order
    QStringList titles;
    for (const Song& s : c.albums[0].songs)
        titles.append(s.title);
    EXPECT_EQ(titles, QStringList({"z", "Zed", "apple", "d2"})); // disc, track, then plain title order

    ASSERT_EQ(c.artists.size(), 3);
    EXPECT_EQ(c.artists[0].name, "ann");
    EXPECT_EQ(c.artists[1].name, "Bob");
    EXPECT_EQ(c.artists[1].albums.size(), 4);
    EXPECT_EQ(c.artists[1].albums[0].title, "undated");
    EXPECT_EQ(c.artists[2].name, "\u00c9mile");

    // Every song in the album of its identity; every album in the artist of its artist; maps complete.
    EXPECT_EQ(c.songs.size(), raw.size());
    for (qsizetype i = 0; i < c.songs.size(); ++i) {
        EXPECT_EQ(c.songIndexByPath.value(c.songs[i].url.path, -1), i);
        const Album& a = c.albums.at(c.albumIndexByID.value(c.songs[i].albumID()));
        EXPECT_TRUE(a.songs.contains(c.songs[i]));
    }
    EXPECT_EQ(c.albumIndexByID.size(), c.albums.size());
}

TEST(LibraryBuild, SamePathTwiceKeepsTheFirst) {
    const Song first = makeSong("/m/a.mp3", "Ann", "A", "first");
    const Song second = makeSong("/m/a.mp3", "Bob", "B", "second");
    const auto c = LibraryStore::build({first, second, makeSong("/m/b.mp3", "Ann", "A")}, {});
    EXPECT_EQ(c.scanned, QList<Song>({first, makeSong("/m/b.mp3", "Ann", "A")}));
    EXPECT_EQ(c.songs.size(), 2);
    EXPECT_EQ(c.songs.at(c.songIndexByPath.value("/m/a.mp3")).title, "first");
    EXPECT_EQ(c.artists.size(), 1);
}

TEST(LibraryBuild, EmptyListGivesEmptyCollection) {
    const auto c = LibraryStore::build({}, {});
    EXPECT_TRUE(c.songs.isEmpty() && c.albums.isEmpty() && c.artists.isEmpty() && c.duplicates.isEmpty());
    EXPECT_TRUE(c.songIndexByPath.isEmpty() && c.albumIndexByID.isEmpty());
}

// The store keeps the raw list as what tells it from the derived songs; read back it must be the very list
// scanned, in its order, whatever the derivation and the edits did to the songs: resolved album artists,
// second copies, edited titles and albums (also after edits made later), and raw songs that already held
// tagged texts or an album artist of their own.
TEST(LibraryBuild, RawListReadsBackExactlyAfterEveryDerivation) {
    QList<Song> raw = folderAlbum("/m/Mix", "Mix", {"Ann", "Bob", "Cy"});
    raw += folderAlbum("/m/Mostly", "Mostly", {"Dee", "Dee", "Eve"});
    Song copy = makeSong("/m/Mostly/1.flac", "Dee", "Mostly", "1");
    raw.append(copy);
    Song oddCache = makeSong("/m/odd.mp3", "Fay", "Odd", "Now");
    oddCache.taggedTitle = QString("Then");
    raw.append(oddCache);
    Song ownAlbumArtist = makeSong("/m/Mix/4.mp3", "Gus", "Mix");
    ownAlbumArtist.albumArtist = "Someone Else"; // not what a scan makes, but a cache may hold it
    raw.append(ownAlbumArtist);
    raw.append(makeSong("/m/Mix/1.mp3", "Ann", "Mix", "doubled path")); // the first stands

    LibraryEdits edits;
    edits.songTitles.insert("/m/Mix/2.mp3", "Edited");
    edits.songTitles.insert("/m/odd.mp3", "Edited too");
    edits.albumTitles.insert(albumKey("Dee", "Mostly"), "Edited album");
    for (const LibraryEdits& e : {LibraryEdits{}, edits}) {
        const auto c = LibraryStore::build(raw, e);
        ASSERT_EQ(c.raw.size(), c.scanned.size());
        EXPECT_EQ(c.raw.songs(c.songs, c.duplicates), c.scanned);
        // The same after the edits change on the derived songs alone, as an edit in place does.
        const auto reedited = LibraryStore::build(raw, e.songTitles.isEmpty() ? edits : LibraryEdits{});
        EXPECT_EQ(c.raw.songs(reedited.songs, reedited.duplicates), c.scanned);
        for (const Song& s : c.songs) {
            Song fromRaw = c.scanned.at(0);
            for (const Song& r : c.scanned)
                if (r.url == s.url) fromRaw = r;
            fromRaw.albumArtist = s.albumArtist;
            EXPECT_EQ(c.raw.resolved(s), fromRaw) << s.url.path.toStdString();
        }
    }
    EXPECT_TRUE(LibraryStore::build({}, edits).raw.songs({}, {}).isEmpty());
}

// Albums hold the collection's list of songs rather than copies: an album kept after its collection is gone
// still reads its songs, and changing a kept album's songs changes neither the collection nor other albums.
TEST(LibraryBuild, AlbumsOutliveTheirCollectionAndChangeAlone) {
    const auto song = [](const char* path, const char* artist, const char* album, const char* title,
                         qint64 track) {
        Song s = makeSong(path, artist, album, title);
        s.track = track;
        return s;
    };
    Album kept;
    Album other;
    {
        auto c = LibraryStore::build({song("/m/b/2.mp3", "Bob", "B", "b2", 2),
                                      song("/m/a/1.mp3", "Ann", "A", "a1", 1),
                                      song("/m/b/1.mp3", "Bob", "B", "b1", 1)},
                                     {});
        ASSERT_EQ(c.albums.size(), 2);
        kept = c.albums.at(1);
        other = c.albums.at(0);
        c = LibraryStore::build({makeSong("/m/c.mp3", "Cy", "C")}, {}); // the list the albums hold goes
    }
    ASSERT_EQ(kept.songs.size(), 2);
    EXPECT_EQ(kept.songs.first().title, "b1");
    EXPECT_EQ(kept.songs.last().title, "b2");
    EXPECT_EQ(QList<Song>(kept.songs), QList<Song>({kept.songs[0], kept.songs[1]}));

    Album changed = kept;
    changed.songs.edit(0).title = "new";
    changed.songs.append(song("/m/b/3.mp3", "Bob", "B", "b3", 3));
    EXPECT_EQ(changed.songs.size(), 3);
    EXPECT_EQ(changed.songs.first().title, "new");
    EXPECT_EQ(kept.songs.first().title, "b1");
    ASSERT_EQ(other.songs.size(), 1);
    EXPECT_EQ(other.songs.first().title, "a1");
    EXPECT_FALSE(changed == kept);
}
