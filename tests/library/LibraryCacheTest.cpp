#include "library/LibraryCache.h"
#include "support/TestHome.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

Song plain(const QString& path) {
    Song s;
    s.url = FileUrl::fromPath(path);
    s.title = QStringLiteral("Title");
    s.artist = s.albumArtist = QStringLiteral("Artist");
    s.album = QStringLiteral("Album");
    s.added = Date{100.5};
    s.modified = Date{786297600.987654321};
    s.bytes = 1234;
    s.duration = 215.123456789;
    return s;
}

// What the program read before the cache had a writer and reader of its own.
std::optional<QList<Song>> readTheQtWay(const QByteArray& text) {
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError || !doc.isArray()) return std::nullopt;
    return Song::listFromJson(doc.array());
}

// Odd songs written by the cache's writer read back equal under both readers, and a cache written the Qt
// way (older files) reads back equal under the new reader.
TEST(LibraryCache, OddSongsRoundTripUnderBothReaders) {
    QList<Song> songs;
    Song s = plain(QStringLiteral("/music/Åse & Co/01 #1 100% ?.flac"));
    s.title = QStringLiteral("Ünïcödé \"quoted\" back\\slash\ttab\nline \u0001 \U0001F3B5 日本語");
    s.albumArtistTag = QStringLiteral("");
    s.genre = QStringLiteral("(17)");
    s.year = 1971;
    songs.append(s);

    Song empty = plain(QStringLiteral("/music/empty fields.mp3"));
    empty.title = empty.artist = empty.album = empty.albumArtist = QString();
    empty.duration = 0;
    songs.append(empty);

    Song huge = plain(QStringLiteral("/music/huge.wav"));
    huge.bytes = std::numeric_limits<qint64>::max();
    huge.disc = std::numeric_limits<qint64>::min();
    huge.track = -1;
    huge.year = 9007199254740993; // 2^53 + 1: not a double
    huge.added = Date::distantPast();
    huge.modified = Date{1e-300};
    huge.duration = 1e300;
    songs.append(huge);

    Song edited = plain(QStringLiteral("/music/edited.m4a"));
    edited.taggedTitle = QStringLiteral("Tagged");
    edited.taggedAlbum = QStringLiteral("Tagged Album");
    songs.append(edited);

    Song oddPath = plain(QStringLiteral("/music/[brackets] {braces} ;,=+$&'()*!~@: %41%.mp3"));
    songs.append(oddPath);

    const QByteArray text = LibraryCache::encode(songs);
    const auto qtWay = readTheQtWay(text);
    ASSERT_TRUE(qtWay) << text.constData();
    EXPECT_EQ(*qtWay, songs);
    const auto ours = LibraryCache::decode(text);
    ASSERT_TRUE(ours);
    EXPECT_EQ(*ours, songs);

    const QByteArray older = QJsonDocument(Song::listToJson(songs)).toJson(QJsonDocument::Indented);
    const auto fromOlder = LibraryCache::decode(older);
    ASSERT_TRUE(fromOlder);
    EXPECT_EQ(*fromOlder, songs);

    EXPECT_EQ(LibraryCache::decode("[]"), QList<Song>{});
}

// JSON has no NaN or infinity: such a duration is stored as 0 instead of making the whole cache unreadable.
TEST(LibraryCache, NonFiniteNumbersAreWrittenAsZero) {
    Song nan = plain(QStringLiteral("/music/nan.mp3"));
    nan.duration = std::nan("");
    Song inf = plain(QStringLiteral("/music/inf.mp3"));
    inf.duration = std::numeric_limits<double>::infinity();
    const QByteArray text = LibraryCache::encode({nan, inf});
    for (const auto& read : {readTheQtWay(text), LibraryCache::decode(text)}) {
        ASSERT_TRUE(read);
        ASSERT_EQ(read->size(), 2);
        EXPECT_EQ(read->at(0).duration, 0);
        EXPECT_EQ(read->at(1).duration, 0);
        EXPECT_EQ(read->at(1).url, inf.url);
    }
}

// Each case replaces one value of a good song's text; both readers agree on every one.
TEST(LibraryCache, BothReadersAcceptAndRejectTheSameValues) {
    struct Case {
        const char* key;
        const char* value; // nullptr: the key is removed
        bool accepted;
    } cases[] = {
        {"disc", "1e19", false},
        {"disc", "-1e19", false},
        {"disc", "9223372036854775808", false},
        {"bytes", "18446744073709551615", false},
        {"year", "1e300", false},
        {"track", "1.5", false},
        {"bytes", "\"3\"", false},
        {"genre", "17", false},
        {"title", "null", false},
        {"added", "\"yesterday\"", false},
        {"url", "\"http://example.com/a.mp3\"", false},
        {"bytes", nullptr, false},
        {"url", nullptr, false},
        {"disc", "2.0", true},
        {"disc", "-9223372036854775808", true},
        {"bytes", "9223372036854775807", true},
        {"year", "null", true},
        {"genre", "null", true},
        {"albumArtistTag", nullptr, true},
        {"duration", "7", true},
        {"duration", "1e308", true},
        {"modified", "-6.3113904e10", true},
        {"unknownKey", "[1, {\"a\": 2}]", true},
    };
    Song base = plain(QStringLiteral("/music/a.mp3"));
    base.albumArtistTag = QStringLiteral("Tag");
    base.genre = QStringLiteral("Rock");
    base.year = 1999;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " = " + (c.value ? c.value : "(removed)"));
        QByteArray object = LibraryCache::encode({base});
        object = object.mid(1, object.size() - 2); // the one object
        QJsonObject o = QJsonDocument::fromJson(object).object();
        o.remove(QLatin1String(c.key));
        QByteArray text = QJsonDocument(o).toJson(QJsonDocument::Compact);
        if (c.value) {
            text.chop(1);
            text += ",\"" + QByteArray(c.key) + "\":" + c.value + "}";
        }
        text = "[" + text + "]";
        EXPECT_EQ(readTheQtWay(text).has_value(), c.accepted) << text.constData();
        EXPECT_EQ(LibraryCache::decode(text).has_value(), c.accepted) << text.constData();
    }
    QByteArray one = LibraryCache::encode({base});
    for (const QByteArray& broken :
         {QByteArray(""), QByteArray("{}"), QByteArray("[1]"), QByteArray("[{\"url\": \"file:///a.mp3\""),
          QByteArray("[\"text\"]"), QByteArray("[] x"), QByteArray("[]]"), QByteArray("[][]"), one + "]",
          one + "[]", one + " 1", one.chopped(1), one.chopped(2) + ",\"unknownKey\": [1,,2]}]",
          one.chopped(2) + ",\"unknownKey\": {\"a\" 2}}]", one.chopped(2) + ",\"unknownKey\": tru}]"}) {
        EXPECT_FALSE(readTheQtWay(broken)) << broken.constData();
        EXPECT_FALSE(LibraryCache::decode(broken)) << broken.constData();
    }
}

} // namespace
