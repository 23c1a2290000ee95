#include "library/LibraryScanner.h"
#include "library/TagValues.h"

#include <gtest/gtest.h>

inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

using Parts = LibraryScanner::FileNameParts;
using std::nullopt;

TEST(TagRules, ParseFileName) {
    struct Case {
        QString name;
        Parts parts;
    };
    const Case cases[] = {
        {"03 Song", {nullopt, nullopt, 3, "Song"}},
        {"Artist - Album - 07 - Title", {"Artist", "Album", 7, "Title"}},
        {"Intro - Outro", {nullopt, nullopt, nullopt, "Intro - Outro"}},
        {"1999", {nullopt, nullopt, nullopt, "1999"}},
        {"07", {nullopt, nullopt, 7, "07"}},
        {"01. Intro", {nullopt, nullopt, 1, "Intro"}},
        {"01_-._Intro", {nullopt, nullopt, 1, "Intro"}},
        {"A - B - C - D", {"A", "B", nullopt, "C - D"}},
        {" -  - 5 x", {"", "", 5, "x"}},
        {"123abc", {nullopt, nullopt, 123, "abc"}},
        // Number characters of other scripts end the run but do not read as ASCII digits.
        {"٠٣ Song", {nullopt, nullopt, nullopt, "٠٣ Song"}},
        {"1½ Men", {nullopt, nullopt, nullopt, "1½ Men"}},
        {"Song", {nullopt, nullopt, nullopt, "Song"}},
        {"", {nullopt, nullopt, nullopt, ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        const Parts got = LibraryScanner::parseFileName(c.name);
        EXPECT_EQ(got.artist, c.parts.artist);
        EXPECT_EQ(got.album, c.parts.album);
        EXPECT_EQ(got.track, c.parts.track);
        EXPECT_EQ(got.title, c.parts.title);
    }
}

TEST(TagRules, Numbers) {
    const std::pair<QStringList, std::optional<qint64>> cases[] = {
        {{"3/12"}, 3},
        {{" 7 "}, 7},
        {{"\t7\t"}, 7},
        {{"+4"}, 4},
        {{"0/12"}, nullopt},
        {{"A1"}, nullopt},
        {{"3 of 12"}, nullopt},
        {{"-2"}, nullopt},
        {{"/5"}, 5},
        {{"//"}, nullopt},
        {{""}, nullopt},
        {{"7\n"}, nullopt},
        {{"99999999999999999999"}, nullopt},
        {{"0", "A", "4/9"}, 4},
        {{}, nullopt},
    };
    for (const auto& [texts, expected] : cases) {
        SCOPED_TRACE(texts.join('|').toStdString());
        EXPECT_EQ(TagValues::number(texts), expected);
    }
}

TEST(TagRules, Decimal) {
    EXPECT_EQ(TagValues::decimal(u"9223372036854775807"), std::numeric_limits<qint64>::max());
    EXPECT_EQ(TagValues::decimal(u"-9223372036854775808"), std::numeric_limits<qint64>::min());
    EXPECT_EQ(TagValues::decimal(u"9223372036854775808"), nullopt);
    EXPECT_EQ(TagValues::decimal(u"+"), nullopt);
    EXPECT_EQ(TagValues::decimal(u"٣"), nullopt);
}

TEST(TagRules, GenreAndYear) {
    const std::pair<QString, QString> genres[] = {
        {"(17)Rock", "Rock"}, {"(17)", "(17)"},       {"Rock (live)", "Rock (live)"}, {"(17)(18)", "(18)"},
        {"()Rock", "()Rock"}, {"(x)Rock", "(x)Rock"}, {" (17) Rock ", " Rock"},       {"(١٧)Pop", "Pop"},
    };
    for (const auto& [text, expected] : genres)
        EXPECT_EQ(TagValues::genre({text}), expected) << text.toStdString();
    EXPECT_EQ(TagValues::genre({"  ", "Jazz"}), "Jazz");
    EXPECT_EQ(TagValues::genre({}), nullopt);

    const std::pair<QString, std::optional<qint64>> years[] = {
        {"2003-05-01T07:00:00Z", 2003}, {"98", 98},        {"1959", 1959}, {"  1971 ", 1971},
        {"May 2003", nullopt},          {"20x3", nullopt}, {"-500", -500}, {"12345", 1234},
        {"2003\u0301", nullopt},
    };
    for (const auto& [text, expected] : years)
        EXPECT_EQ(TagValues::year({text}), expected) << text.toStdString();
}

// The song assembled from raw tags, the file name and the folders.
TEST(TagRules, SongFromTagsAndFallbacks) {
    const Date modified{1000.5};
    const Date added{900.25};
    const FileUrl url = FileUrl::fromPath("/home/u/Music/Artist/Album/03 Song.mp3");

    Song untagged = LibraryScanner::songFromTags(url, FileTags{}, modified, added, 77);
    EXPECT_EQ(untagged.url, url);
    EXPECT_EQ(untagged.title, "Song");
    EXPECT_EQ(untagged.artist, "Artist");
    EXPECT_EQ(untagged.album, "Album");
    EXPECT_EQ(untagged.albumArtist, "Artist");
    EXPECT_EQ(untagged.albumArtistTag, nullopt);
    EXPECT_EQ(untagged.track, 3);
    EXPECT_EQ(untagged.disc, 1);
    EXPECT_EQ(untagged.duration, 0);
    EXPECT_EQ(untagged.genre, nullopt);
    EXPECT_EQ(untagged.year, nullopt);
    EXPECT_EQ(untagged.modified, modified);
    EXPECT_EQ(untagged.added, added);
    EXPECT_EQ(untagged.bytes, 77);
    EXPECT_EQ(untagged.taggedTitle, nullopt);
    EXPECT_EQ(untagged.taggedAlbum, nullopt);

    const Song named = LibraryScanner::songFromTags(
        FileUrl::fromPath("/m/x/Artist - Album - 07 - Title.flac"), FileTags{}, modified, added, 0);
    EXPECT_EQ(named.artist, "Artist");
    EXPECT_EQ(named.album, "Album");
    EXPECT_EQ(named.track, 7);
    EXPECT_EQ(named.title, "Title");

    const Song twoPieces = LibraryScanner::songFromTags(FileUrl::fromPath("/m/Band/Live/Intro - Outro.mp3"),
                                                        FileTags{}, modified, added, 0);
    EXPECT_EQ(twoPieces.title, "Intro - Outro");
    EXPECT_EQ(twoPieces.artist, "Band");
    EXPECT_EQ(twoPieces.album, "Live");

    // Directly in the music folder: the music folder is the album, the folder above it the artist.
    const Song loose = LibraryScanner::songFromTags(FileUrl::fromPath("/home/u/Music/a.b.mp3"), FileTags{},
                                                    modified, added, 0);
    EXPECT_EQ(loose.title, "a.b");
    EXPECT_EQ(loose.album, "Music");
    EXPECT_EQ(loose.artist, "u");

    FileTags tags;
    tags.seconds = 123.5;
    tags.title = {"   ", "Real Title "};
    tags.artist = {"Performer"};
    tags.album = {"\n"};
    tags.albumArtist = {"Band"};
    tags.genre = {"(17)Rock"};
    tags.date = {"1999-01-01"};
    tags.track = {"0/12"};
    tags.disc = {"2/2"};
    const Song tagged = LibraryScanner::songFromTags(url, tags, modified, added, 5);
    EXPECT_EQ(tagged.title, "Real Title");
    EXPECT_EQ(tagged.artist, "Performer");
    EXPECT_EQ(tagged.album, "Album"); // a blank tag counts as missing
    EXPECT_EQ(tagged.albumArtistTag, "Band");
    EXPECT_EQ(tagged.albumArtist, "Band");
    EXPECT_EQ(tagged.genre, "Rock");
    EXPECT_EQ(tagged.year, 1999);
    EXPECT_EQ(tagged.track, 3); // track 0 in the tags: the file name's number
    EXPECT_EQ(tagged.disc, 2);
    EXPECT_EQ(tagged.duration, 123.5);

    tags.seconds = std::numeric_limits<double>::infinity();
    EXPECT_EQ(LibraryScanner::songFromTags(url, tags, modified, added, 5).duration, 0);
}

} // namespace
