#include "library/Artist.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <gtest/gtest.h>

namespace {
Song song(const QString& path, const QString& album = "Blue", const QString& albumArtist = "Joni") {
    Song s;
    s.url = FileUrl::fromPath(path);
    s.title = QFileInfo(path).baseName();
    s.artist = albumArtist;
    s.album = album;
    s.albumArtist = albumArtist;
    s.added = Date{100};
    s.modified = Date{100.25};
    s.bytes = 1234;
    return s;
}
const QString sep = QString(QChar(1));
} // namespace

TEST(CollectionModel, AlbumIdentityIgnoresCaseAndSurvivesRename) {
    Song a = song("/m/a.mp3", "Blue", "Joni");
    Song b = song("/m/b.mp3", "BLUE", "JONI");
    EXPECT_EQ(a.albumID(), b.albumID());
    EXPECT_EQ(a.albumID(), "joni" + sep + "blue");

    // An album edit replaces the shown name but keeps the tagged one for the identity.
    Song renamed = a;
    renamed.taggedAlbum = a.album;
    renamed.album = "Court and Spark";
    Album album{renamed.album, renamed.albumArtist, {renamed, b}, std::nullopt};
    EXPECT_EQ(album.title, "Court and Spark");
    EXPECT_EQ(album.id(), a.albumID());
    EXPECT_EQ(renamed.albumID(), a.albumID());
}

TEST(CollectionModel, DerivedValues) {
    Song one = song("/m/1.mp3");
    Song two = song("/m/2.mp3");
    two.disc = 2;
    two.year = 1971;
    two.added = Date{500};
    two.genre = "Folk";
    Album album{"Blue", "Joni", {one, two}, std::nullopt};
    EXPECT_EQ(album.year(), 1971);
    EXPECT_EQ(album.added(), Date{500});
    EXPECT_TRUE(album.hasSeveralDiscs());
    EXPECT_EQ(album.artworkURL(), one.url);
    album.cover = FileUrl::fromPath("/data/Covers/x.jpg");
    EXPECT_EQ(album.artworkURL(), album.cover);

    Artist artist{"Joni", {album}};
    EXPECT_EQ(artist.id(), "joni");
    EXPECT_EQ(artist.songs().size(), 2);
    EXPECT_EQ(artist.genre(), "Folk");
}

TEST(CollectionModel, EmptyAlbumAndArtist) {
    Album empty{"Hejira", "Joni", {}, std::nullopt};
    EXPECT_EQ(empty.id(), "joni" + sep + "hejira");
    EXPECT_FALSE(empty.year());
    EXPECT_FALSE(empty.artworkURL());
    EXPECT_EQ(empty.added(), Date::distantPast());
    EXPECT_FALSE(empty.hasSeveralDiscs());

    Artist nobody{"Nobody", {}};
    EXPECT_TRUE(nobody.songs().isEmpty());
    EXPECT_FALSE(nobody.genre());
    EXPECT_FALSE(nobody.artworkURL());
    EXPECT_FALSE(nobody.artworkURL({"x"}));
}

TEST(CollectionModel, ArtworkAvoidingShownAlbums) {
    Album a{"A", "J", {song("/m/a.mp3", "A", "J")}, std::nullopt};
    Album b{"B", "J", {song("/m/b.mp3", "B", "J")}, std::nullopt};
    Album c{"C", "J", {}, std::nullopt}; // no songs, no cover: no artwork
    Artist artist{"J", {a, b, c}};
    struct Case {
        QSet<QString> avoiding;
        std::optional<FileUrl> expected;
    } cases[] = {
        {{}, a.artworkURL()},
        {{a.id()}, b.artworkURL()},
        {{a.id(), b.id()}, std::nullopt},           // the first album not shown has no artwork
        {{a.id(), b.id(), c.id()}, a.artworkURL()}, // all shown: the first album's
        {{"unrelated"}, a.artworkURL()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(artist.artworkURL(c.avoiding), c.expected);
}

TEST(CollectionModel, EqualityCoversEveryField) {
    Song a = song("/m/a.mp3");
    Song b = a;
    EXPECT_EQ(a, b);
    EXPECT_EQ(qHash(a), qHash(b));
    b.genre = "Folk";
    EXPECT_NE(a, b);
    EXPECT_EQ(a.id(), b.id());
    b = a;
    b.modified = Date{100.25000000001};
    EXPECT_NE(a, b);
}

TEST(CollectionModel, SongJsonRoundTripAndStrictDecoding) {
    Song s = song("/music/Åse & Co/01 #1 100%.flac");
    s.albumArtistTag = "Joni";
    s.year = 1971;
    s.duration = 215.123456789;
    s.modified = Date{786297600.987654321};
    const QByteArray text = QJsonDocument(Song::listToJson({s})).toJson(QJsonDocument::Compact);
    EXPECT_TRUE(text.contains("file:///music/%C3%85se%20&%20Co/01%20%231%20100%25.flac")) << text.constData();
    EXPECT_FALSE(text.contains("genre"));
    EXPECT_FALSE(text.contains("taggedTitle"));
    auto back = Song::listFromJson(QJsonDocument::fromJson(text).array());
    ASSERT_TRUE(back);
    ASSERT_EQ(back->size(), 1);
    EXPECT_EQ(back->first(), s);

    QJsonObject o = s.toJson();
    o.remove("albumArtistTag");
    o.insert("unknownKey", 3);
    EXPECT_TRUE(Song::fromJson(o)); // optional keys may be missing; unknown keys are ignored

    struct Bad {
        const char* key;
        QJsonValue value; // undefined: removed
    } bad[] = {{"bytes", QJsonValue::Undefined},
               {"url", QJsonValue::Undefined},
               {"disc", "1"},
               {"track", 1.5},
               {"added", "yesterday"},
               {"genre", 17},
               {"url", "http://example.com/a.mp3"}};
    for (const auto& b : bad) {
        QJsonObject broken = s.toJson();
        if (b.value.isUndefined())
            broken.remove(b.key);
        else
            broken.insert(b.key, b.value);
        EXPECT_FALSE(Song::listFromJson(QJsonArray{s.toJson(), broken})) << b.key;
    }
}

TEST(CollectionModel, FileUrlTextRoundTripsAndDecodesLikeQUrl) {
    const QString paths[] = {"/m/a.mp3",
                             "/m/Åse & Co/01 #1 100%.flac",
                             "/m/a?b/[c]{d}\\e\"f.mp3",
                             "/m/\U0001F3B5 ~!$'()*+,;=:@.m4a",
                             "/m/%41 not an escape.mp3",
                             "/"};
    for (const QString& p : paths) {
        const QString text = FileUrl::fromPath(p).toString();
        ASSERT_TRUE(FileUrl::fromString(text)) << text.toStdString();
        EXPECT_EQ(FileUrl::fromString(text)->path, p) << text.toStdString();
        // The cache's reader decodes the same text from its UTF-8 bytes.
        EXPECT_EQ(FileUrl::fromUtf8(text.toStdString()), FileUrl::fromString(text)) << text.toStdString();
    }
    // Texts not written by us decode as QUrl decodes them, or are refused as it refuses them.
    const QString texts[] = {"file:///m/%C3%A5.mp3",  "file:///m/%c3%a5.mp3", "file:///m/%E2%28.mp3",
                             "file:///m/%zz.mp3",     "file:///m/a%",         "file:///m/%00.mp3",
                             "file:////server/x.mp3", "file://host/x.mp3",    "file:///m/a b.mp3",
                             "file:///m/ä.mp3",       "FILE:///m/a.mp3",      "file:relative.mp3"};
    for (const QString& t : texts) {
        const QUrl url(t, QUrl::StrictMode);
        const auto decoded = FileUrl::fromString(t);
        EXPECT_EQ(FileUrl::fromUtf8(t.toStdString()), decoded) << t.toStdString();
        if (url.isValid() && url.isLocalFile() && !url.toLocalFile().isEmpty()) {
            ASSERT_TRUE(decoded) << t.toStdString();
            EXPECT_EQ(decoded->path, url.toLocalFile()) << t.toStdString();
        } else {
            EXPECT_FALSE(decoded) << t.toStdString();
        }
    }
}
