#include "PlaylistLibrary.h"
#include "core/DataFolder.h"
#include "core/Defaults.h"
#include "library/PlayerPick.h"
#include "library/PlaylistStore.h"
#include "support/TestHome.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <functional>
#include <gtest/gtest.h>

namespace {

const QString bluePath = "/m/Joni/Blue/1.mp3";

QList<Song> joni() {
    Song blue = makeSong(bluePath, "Joni Mitchell", "Blue", "Blue");
    blue.track = 1;
    Song river = makeSong("/m/Joni/Blue/2.mp3", "Joni Mitchell", "Blue", "River");
    river.track = 2;
    return {blue, river};
}

const QString blueID = albumKey("Joni Mitchell", "Blue");

QUrl pictureFile(const TestHome& home, const QString& name, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::green);
    const QString path = home.folder("pictures") + "/" + name;
    EXPECT_TRUE(image.save(path));
    return QUrl::fromLocalFile(path);
}

QStringList coverFiles() {
    return QDir(LibraryEdits::coverFolder()).entryList(QDir::Files);
}

} // namespace

struct SongRenameCase {
    const char* label;
    QString name;
    QString shown;
    std::optional<QString> stored;
};

class EditSongTitle : public testing::TestWithParam<SongRenameCase> {};

TEST_P(EditSongTitle, StoresOnlyWhatDiffersFromTheTag) {
    TestHome home;
    Defaults defaults;
    auto library = libraryWith(defaults, joni());
    const SongRenameCase& c = GetParam();
    // Start from an edit, so that taking it away is seen too.
    library->rename(*library->song(bluePath), "First edit");
    library->rename(*library->song(bluePath), c.name);

    const Song now = *library->song(bluePath);
    EXPECT_EQ(now.title, c.shown);
    EXPECT_EQ(now.taggedTitle, c.stored ? std::optional<QString>("Blue") : std::nullopt);
    const LibraryEdits saved = LibraryEdits::load();
    EXPECT_EQ(saved.songTitles.contains(bluePath), c.stored.has_value());
    if (c.stored) EXPECT_EQ(saved.songTitles.value(bluePath), *c.stored);
}

INSTANTIATE_TEST_SUITE_P(Names, EditSongTitle,
                         testing::Values(SongRenameCase{"onlySpaces", " \t\n", "Blue", std::nullopt},
                                         SongRenameCase{"tagTitle", "Blue", "Blue", std::nullopt},
                                         SongRenameCase{"tagTitlePadded", "  Blue ", "Blue", std::nullopt},
                                         SongRenameCase{"otherCase", "blue", "blue", "blue"},
                                         SongRenameCase{"newTitle", " Blue (live)\n", "Blue (live)",
                                                        "Blue (live)"}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(EditAlbumTitle, RenamedAlbumKeepsItsIdentitySoPinsPicksAndCoversFindIt) {
    TestHome home;
    Defaults defaults;
    auto library = libraryWith(defaults, joni());
    PlaylistStore playlists;
    const PlayerPick pick = PlayerPick::album(*library->album(blueID));
    ASSERT_TRUE(library->setCover(pictureFile(home, "c.png", QSize(20, 20)), *library->album(blueID)));

    library->rename(*library->album(blueID), " Blue (Remastered) ");
    const auto renamed = library->album(blueID);
    ASSERT_TRUE(renamed);
    EXPECT_EQ(renamed->title, "Blue (Remastered)");
    EXPECT_EQ(renamed->songs.first().taggedAlbum, QString("Blue"));
    EXPECT_TRUE(renamed->cover);
    EXPECT_EQ(titlesOf(pick.songs(*library, playlists, {})), QStringList({"Blue", "River"}));
    EXPECT_EQ(LibraryEdits::load().albumTitles.value(blueID), "Blue (Remastered)");

    // Another name replaces the edit; the tag name (from the songs, not the shown title) takes it away.
    library->rename(*renamed, "Bleu");
    EXPECT_EQ(library->album(blueID)->title, "Bleu");
    library->rename(*library->album(blueID), "Blue");
    EXPECT_EQ(library->album(blueID)->title, "Blue");
    EXPECT_FALSE(library->album(blueID)->songs.first().taggedAlbum);
    EXPECT_TRUE(LibraryEdits::load().albumTitles.isEmpty());

    // A restart lays the stored edits over the cache again.
    library->rename(*library->album(blueID), "BLUE");
    library.reset();
    LibraryStore again(defaults, [](auto&&...) { return QList<Song>{}; });
    ASSERT_TRUE(waitLoaded(again));
    EXPECT_EQ(again.album(blueID)->title, "BLUE");
    EXPECT_TRUE(again.album(blueID)->cover);
}

TEST(EditCover, ANewCoverReplacesTheOldFileAndRemovingDeletesIt) {
    TestHome home;
    Defaults defaults;
    auto library = libraryWith(defaults, joni());
    ASSERT_TRUE(library->setCover(pictureFile(home, "big.png", QSize(2000, 1000)), *library->album(blueID)));
    const QStringList first = coverFiles();
    ASSERT_EQ(first.size(), 1);
    EXPECT_TRUE(first.first().endsWith(".jpg"));
    const std::optional<FileUrl> cover = library->album(blueID)->cover;
    ASSERT_TRUE(cover);
    EXPECT_EQ(cover->path, LibraryEdits::coverFolder() + "/" + first.first());
    QImageReader reader(cover->path);
    EXPECT_EQ(reader.format(), "jpeg");
    EXPECT_EQ(reader.size(), QSize(1400, 700));

    library->coverChosen(pictureFile(home, "small.png", QSize(10, 10)), *library->album(blueID));
    const QStringList second = coverFiles();
    ASSERT_EQ(second.size(), 1);
    EXPECT_NE(second, first);
    EXPECT_EQ(LibraryEdits::load().covers.value(blueID), second.first());

    library->removeCover(*library->album(blueID));
    EXPECT_TRUE(coverFiles().isEmpty());
    EXPECT_FALSE(library->album(blueID)->cover);
    EXPECT_TRUE(LibraryEdits::load().covers.isEmpty());

    // Nothing to remove: nothing is written.
    QFile::remove(LibraryEdits::file());
    library->removeCover(*library->album(blueID));
    EXPECT_FALSE(QFile::exists(LibraryEdits::file()));
}

TEST(EditCover, WhatIsNotAPictureLeavesTheCoverAsItWas) {
    TestHome home;
    Defaults defaults;
    auto library = libraryWith(defaults, joni());
    ASSERT_TRUE(library->setCover(pictureFile(home, "c.png", QSize(10, 10)), *library->album(blueID)));
    const QStringList before = coverFiles();
    const QByteArray edits = TestHome::readFile(LibraryEdits::file());
    const QString text = home.folder("pictures") + "/notes.jpg";
    TestHome::writeFile(text, "words, not pixels");

    EXPECT_FALSE(library->setCover(QUrl::fromLocalFile(text), *library->album(blueID)));
    EXPECT_FALSE(library->setCover(QUrl("https://example.com/c.jpg"), *library->album(blueID)));
    library->coverChosen(QUrl(), *library->album(blueID));
    EXPECT_EQ(coverFiles(), before);
    EXPECT_EQ(TestHome::readFile(LibraryEdits::file()), edits);
    EXPECT_EQ(library->album(blueID)->cover->path, LibraryEdits::coverFolder() + "/" + before.first());
}

TEST(EditCover, TheOldPictureStaysWhileTheRecordStillNamesIt) {
    TestHome home;
    Defaults defaults;
    auto library = libraryWith(defaults, joni());
    ASSERT_TRUE(library->setCover(pictureFile(home, "a.png", QSize(10, 10)), *library->album(blueID)));
    const QString old = coverFiles().first();
    // "edits.json" cannot be replaced while a folder stands in its place.
    QFile::remove(LibraryEdits::file());
    ASSERT_TRUE(QDir().mkpath(LibraryEdits::file()));

    ASSERT_TRUE(library->setCover(pictureFile(home, "b.png", QSize(10, 10)), *library->album(blueID)));
    EXPECT_TRUE(coverFiles().contains(old));
    EXPECT_NE(library->album(blueID)->cover->path, LibraryEdits::coverFolder() + "/" + old);
    library->removeCover(*library->album(blueID));
    EXPECT_TRUE(coverFiles().contains(old));
    EXPECT_FALSE(library->album(blueID)->cover);
}

TEST(EditCover, ARecordCannotDeleteFilesOutsideCovers) {
    TestHome home;
    TestHome::writeFile(DataFolder::file("playlists.json"), "[]");
    LibraryEdits::forgetCover("../playlists.json");
    LibraryEdits::forgetCover("..");
    EXPECT_TRUE(QFile::exists(DataFolder::file("playlists.json")));
}

TEST(EditCover, PanelTexts) {
    Album album;
    album.title = "Blue";
    EXPECT_EQ(LibraryStore::coverChooseButton(), "Use Cover");
    EXPECT_EQ(LibraryStore::coverChooseMessage(album), "Choose a cover for Blue.");
}

namespace {

// A small library with the cases where an edit moves things: songs that tie on disc and track (a title
// decides their order, and with it the album's year), an artist whose albums sort by year and title, an
// album artist spelled two ways, an untagged compilation whose album artist is resolved, and a song
// present twice.
QList<Song> movingLibrary() {
    QList<Song> songs;
    const auto add = [&](const QString& path, const QString& artist, const QString& album,
                         const QString& title, qint64 track, std::optional<qint64> year = std::nullopt) {
        Song s = makeSong(path, artist, album, title);
        s.track = track;
        s.year = year;
        songs.append(s);
        return songs.size() - 1;
    };
    add("/m/Z/Tie/b.mp3", "Zed", "Tie", "Beta", 1, 1999);
    add("/m/Z/Tie/a.mp3", "Zed", "Tie", "Alpha", 1);
    add("/m/Z/Tie/c.mp3", "Zed", "Tie", "Gamma", 2, 1970);
    add("/m/Z/Early/1.mp3", "Zed", "Early", "One", 1, 1980);
    add("/m/Z/Same/1.mp3", "Zed", "Same", "One", 1, 1990);
    add("/m/Z/Other/1.mp3", "Zed", "Other", "One", 1, 1990);
    const qsizetype upper = add("/m/A/Gold/1.mp3", "ABBA", "Gold", "Dancing Queen", 1);
    songs[upper].albumArtistTag = songs[upper].albumArtist = "ABBA";
    const qsizetype lower = add("/m/A/Gold/2.mp3", "Abba", "Gold", "Waterloo", 2);
    songs[lower].albumArtistTag = songs[lower].albumArtist = "Abba";
    add("/m/Mix/1.mp3", "Ann", "Mix", "First", 1);
    add("/m/Mix/2.mp3", "Bob", "Mix", "Second", 2);
    add("/m/Mix/3.mp3", "Cy", "Mix", "Third", 3);
    add("/m/Z/Tie/b.flac", "Zed", "Tie", "Beta", 1, 1999);
    return songs;
}

} // namespace

// An edit changes the published collection in place rather than deriving all of it again; after every kind
// of edit, the collection, its lookups and what the change names must be those of a whole derivation.
TEST(EditInPlace, EveryEditGivesWhatAWholeDerivationGives) {
    TestHome home;
    Defaults defaults;
    const QList<Song> raw = movingLibrary();
    auto library = libraryWith(defaults, raw);
    const QString tie = albumKey("Zed", "Tie");
    const QString gold = albumKey("abba", "Gold");
    const QString mix = albumKey("Various Artists", "Mix");

    const std::function<void()> edits[] = {
        [&] { library->rename(*library->song("/m/Z/Tie/a.mp3"), "Zulu"); }, // a tie now sorts last
        [&] { library->rename(*library->song("/m/Z/Tie/b.flac"), "Aaa"); }, // and back, by the kept copy
        [&] { library->rename(library->duplicates().first(), "Omega"); },   // a duplicate: nothing shows
        [&] { library->rename(*library->album(tie), "A Tie"); },            // moves before "Early"
        [&] { library->rename(*library->album(gold), "Arrival"); },         // artist spelled two ways
        [&] { library->rename(*library->song("/m/A/Gold/2.mp3"), "Abba first"); },
        [&] { library->rename(*library->album(mix), "Zz"); }, // a resolved album artist
        [&] { library->rename(*library->song("/m/Mix/2.mp3"), "Zz"); },
        [&] {
            ASSERT_TRUE(library->setCover(pictureFile(home, "c.png", QSize(8, 8)), *library->album(gold)));
        },
        [&] { library->rename(*library->album(tie), ""); },                  // the edit taken away
        [&] { library->rename(*library->song("/m/Z/Tie/a.mp3"), "Alpha"); }, // equal to the tag
        [&] { library->removeCover(*library->album(gold)); },
        [&] { library->rename(*library->album(albumKey("Zed", "Other")), "Same"); }, // ties on every key
    };
    for (qsizetype step = 0; step < qsizetype(std::size(edits)); ++step) {
        SCOPED_TRACE(step);
        const auto songsBefore = library->songs();
        const auto albumsBefore = library->albums();
        const auto artistsBefore = library->artists();
        edits[step]();
        const LibraryStore::Collection whole = LibraryStore::build(raw, LibraryEdits::load());
        ASSERT_EQ(titlesOf(library->songs()), titlesOf(whole.songs));
        ASSERT_EQ(library->songs(), whole.songs);
        ASSERT_EQ(library->albums(), whole.albums);
        ASSERT_EQ(library->artists(), whole.artists);
        EXPECT_EQ(library->duplicates(), whole.duplicates);
        for (const Song& s : whole.songs)
            EXPECT_EQ(library->song(s.path()), s);
        for (const Album& a : whole.albums)
            EXPECT_EQ(library->album(a.id()), a);
        for (const Artist& a : whole.artists)
            EXPECT_EQ(library->artist(a.name), a);

        const LibraryChange expected = LibraryChange::between(songsBefore, whole.songs, albumsBefore,
                                                              whole.albums, artistsBefore, whole.artists);
        const auto sorted = [](QStringList l) {
            l.sort();
            return l;
        };
        const LibraryChange& change = library->lastChange();
        EXPECT_EQ(sorted(change.changedSongs), sorted(expected.changedSongs));
        EXPECT_EQ(sorted(change.changedAlbums), sorted(expected.changedAlbums));
        EXPECT_EQ(sorted(change.changedArtists), sorted(expected.changedArtists));
        EXPECT_TRUE(change.addedSongs.isEmpty() && change.removedSongs.isEmpty());
    }
}
