#include "library/LibraryEdits.h"
#include "support/Songs.h"
#include "support/TestHome.h"

#include <QDir>
#include <gtest/gtest.h>

TEST(LibraryEdits, TitleEditsFollowPathAndAlbumEditsFollowIdentity) {
    LibraryEdits edits;
    edits.songTitles.insert("/m/Joni/Blue/01.mp3", "All I Want (live)");
    edits.albumTitles.insert("joni" + keySep + "blue", "Blue (remaster)");

    const Song first = makeSong("/m/Joni/Blue/01.mp3", "Joni", "Blue", "All I Want");
    const Song later = makeSong("/m/Joni/Blue/11.mp3", "Joni", "BLUE", "Bonus"); // added later, other case
    Song moved = first;
    moved.url = FileUrl::fromPath("/m/Joni/Blue/01 moved.mp3");
    Song otherArtist = makeSong("/m/x.mp3", "Various Artists", "Blue");

    const QList<Song> out = edits.apply({first, later, moved, otherArtist});
    ASSERT_EQ(out.size(), 4);
    EXPECT_EQ(out[0].title, "All I Want (live)");
    EXPECT_EQ(out[0].taggedTitle, "All I Want");
    EXPECT_EQ(out[0].album, "Blue (remaster)");
    EXPECT_EQ(out[0].taggedAlbum, "Blue");
    EXPECT_EQ(out[0].albumID(), first.albumID()); // the rename keeps the identity
    EXPECT_EQ(out[1].album, "Blue (remaster)");
    EXPECT_EQ(out[1].taggedAlbum, "BLUE");
    EXPECT_FALSE(out[1].taggedTitle);
    EXPECT_EQ(out[2].title, "All I Want"); // the moved file lost its title edit
    EXPECT_FALSE(out[2].taggedTitle);
    EXPECT_EQ(out[2].album, "Blue (remaster)"); // but is still on the album
    EXPECT_EQ(out[3], otherArtist);             // another album artist: another album
}

TEST(LibraryEdits, NoTitleEditsReturnsTheVeryList) {
    LibraryEdits edits;
    edits.covers.insert("joni" + keySep + "blue", "ABC.jpg");
    const QList<Song> songs{makeSong("/m/a.mp3", "Joni", "Blue")};
    const QList<Song> out = edits.apply(songs);
    EXPECT_EQ(out.constData(), songs.constData());
}

TEST(LibraryEdits, CoverIsInTheCoversFolderWhetherOrNotItExists) {
    TestHome home;
    LibraryEdits edits;
    edits.covers.insert("joni" + keySep + "blue", "0F1E2D3C-0000-4000-8000-000000000001.jpg");
    EXPECT_EQ(edits.cover("joni" + keySep + "blue")->path,
              home.dataHome() + "/VELTO/Covers/0F1E2D3C-0000-4000-8000-000000000001.jpg");
    EXPECT_FALSE(edits.cover("joni" + keySep + "hejira"));
}

TEST(LibraryEdits, SaveAndLoad) {
    TestHome home;
    EXPECT_EQ(LibraryEdits::load(), LibraryEdits{}); // no file yet
    LibraryEdits edits;
    edits.songTitles.insert("/m/ä b.mp3", "Ä");
    edits.albumTitles.insert("a" + keySep + "b", "C");
    edits.covers.insert("a" + keySep + "b", "X.jpg");
    ASSERT_TRUE(edits.save());
    EXPECT_EQ(LibraryEdits::load(), edits);
}

TEST(LibraryEdits, UndecodableFileIsSetAsideAndGivesEmptyEdits) {
    const char* broken[] = {
        R"({"songTitles":{},"albumTitles":{}})",                       // a map missing
        R"({"songTitles":{"/a.mp3":1},"albumTitles":{},"covers":{}})", // not text
        R"({"songTitles":[],"albumTitles":{},"covers":{}})",
        R"([])",
        "{not json",
    };
    for (const char* text : broken) {
        TestHome home;
        TestHome::writeFile(LibraryEdits::file(), text);
        EXPECT_EQ(LibraryEdits::load(), LibraryEdits{}) << text;
        const QStringList aside = QDir(home.dataHome() + "/VELTO").entryList({"edits.json.unreadable-*"});
        ASSERT_EQ(aside.size(), 1) << text;
        EXPECT_EQ(TestHome::readFile(home.dataHome() + "/VELTO/" + aside.first()), QByteArray(text));
    }
    TestHome home;
    TestHome::writeFile(LibraryEdits::file(),
                        R"({"songTitles":{"/a.mp3":"A"},"albumTitles":{},"covers":{},"x":1})");
    EXPECT_EQ(LibraryEdits::load().songTitles.value("/a.mp3"), "A"); // other keys are ignored
}
