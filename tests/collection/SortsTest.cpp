#include "collection/Sorts.h"
#include "core/Defaults.h"
#include "support/Songs.h"
#include "support/TestHome.h"

#include <QDateTime>
#include <QTimeZone>
#include <gtest/gtest.h>

namespace {
Date at(int y, int m, int d, int hour = 12) {
    return Date::fromUnix(double(QDateTime(QDate(y, m, d), QTime(hour, 0)).toSecsSinceEpoch()));
}

Album album(const QString& title, const QString& artist = "A", std::optional<qint64> year = {},
            Date added = Date{0}) {
    Song s = makeSong("/m/" + artist + "/" + title + "/1.mp3", artist, title);
    s.year = year;
    s.added = added;
    return Album{title, artist, {s}, std::nullopt};
}

QStringList titlesOf(const QList<Album>& albums) {
    QStringList out;
    for (const Album& a : albums)
        out << a.title;
    return out;
}
QStringList headings(const QList<AlbumGroup>& groups) {
    QStringList out;
    for (const AlbumGroup& g : groups)
        out << g.id() + ":" + titlesOf(g.albums).join(",");
    return out;
}
} // namespace

TEST(AlbumSorts, HeadingsByDateAddedAgainstAFixedNow) {
    const Date now = at(2026, 4, 2);
    struct Case {
        Date added;
        QString heading;
    } cases[] = {
        {at(2026, 3, 30), "this week"}, // three days back, over a month end
        {at(2026, 4, 3), "this week"},  // tomorrow
        {at(2026, 4, 2, 0), "this week"},
        {at(2026, 3, 26, 11), "march"}, // a week and an hour back, in the
                                        // previous month
        {at(2026, 3, 3), "march"},
        {at(2023, 3, 3), "march 2023"},
        {at(2025, 12, 31), "december 2025"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Sorts::heading(AlbumSort::dateAdded, album("x", "A", {}, c.added), now), c.heading)
            << c.heading.toStdString();
    // Ten days back inside the same month.
    EXPECT_EQ(Sorts::heading(AlbumSort::dateAdded, album("x", "A", {}, at(2026, 4, 20)), at(2026, 4, 30)),
              "this month");
}

TEST(AlbumSorts, TitleRunsFollowThePlainOrder) {
    const QList<Album> albums{album("Zulu"), album("(intro)"), album("abbey"), album("Öl"),
                              album("~x"),   album("Abba"),    album("2 up")};
    const QList<AlbumGroup> groups = Sorts::grouped(AlbumSort::title, albums, Date{0});
    // "(" and "2" before the letters, "~" after them and "ö" after z: two "#" runs, told apart by place.
    EXPECT_EQ(headings(groups), (QStringList{"#:(intro),2 up", "a:Abba,abbey", "z:Zulu", "#:~x", "ö:Öl"}));
}

TEST(AlbumSorts, OrdersAndTieBreaks) {
    const QList<Album> albums{album("Later", "b", 2001), album("Early", "b", 1999), album("None", "b"),
                              album("Beta", "a", 1999), album("Alpha", "a", 1999)};
    EXPECT_EQ(titlesOf(Sorts::sorted(AlbumSort::artist, albums)),
              (QStringList{"Beta", "Alpha", "None", "Early", "Later"}));
    EXPECT_EQ(titlesOf(Sorts::sorted(AlbumSort::year, albums)),
              (QStringList{"Later", "Alpha", "Beta", "Early", "None"}));
    const QList<AlbumGroup> byYear = Sorts::grouped(AlbumSort::year, albums, Date{0});
    EXPECT_EQ(byYear.last().title, "no year");
    EXPECT_TRUE(Sorts::grouped(AlbumSort::year, {}, Date{0}).isEmpty());

    const QList<Album> added{album("b", "x", {}, Date{10}), album("a", "x", {}, Date{10}),
                             album("c", "x", {}, Date{20})};
    EXPECT_EQ(titlesOf(Sorts::sorted(AlbumSort::dateAdded, added)), (QStringList{"c", "a", "b"}));
}

TEST(SongSorts, TitleArtistAndDateAdded) {
    QList<Song> songs;
    for (const char* t : {"Track 10", "track 2", "Track 1"})
        songs << makeSong(QString("/m/%1.mp3").arg(t), "A", "X", t);
    EXPECT_EQ(titles(Sorts::sorted(SongSort::title, songs)), (QStringList{"Track 1", "track 2", "Track 10"}));

    Song a = makeSong("/m/a.mp3", "Zed", "Album", "a");
    Song b = makeSong("/m/b.mp3", "abba", "Second", "b");
    Song c = makeSong("/m/c.mp3", "abba", "First", "c");
    c.disc = 2;
    Song d = makeSong("/m/d.mp3", "abba", "First", "d");
    EXPECT_EQ(titles(Sorts::sorted(SongSort::artist, {a, b, c, d})), (QStringList{"d", "c", "b", "a"}));
}

// Twelve tracks copied within one second get birth times in copy order, reversed here; a newer album comes
// first all the same.
TEST(SongSorts, DateAddedComparesWholeSeconds) {
    QList<Song> songs;
    for (int track = 1; track <= 12; ++track) {
        Song s = makeSong(QString("/m/old/%1.mp3").arg(track), "A", "Old", QString("old %1").arg(track));
        s.track = track;
        s.added = Date{5000.0 + (12 - track) * 0.05};
        songs << s;
    }
    Song newer = makeSong("/m/new/1.mp3", "A", "New", "new");
    newer.added = Date{6000.2};
    songs << newer;
    const QStringList order = titles(Sorts::sorted(SongSort::dateAdded, songs));
    EXPECT_EQ(order.first(), "new");
    for (int track = 1; track <= 12; ++track)
        EXPECT_EQ(order.at(track), QString("old %1").arg(track));
}

TEST(Sorts, LabelsRawValuesAndNext) {
    EXPECT_EQ(Sorts::label(AlbumSort::title), QString::fromUtf8("a\u2013z"));
    AlbumSort s = AlbumSort::dateAdded;
    QStringList cycle;
    for (int i = 0; i < 5; ++i, s = Sorts::next(s))
        cycle << Sorts::label(s);
    EXPECT_EQ(cycle, (QStringList{"by date added", QString::fromUtf8("a\u2013z"), "by artist", "by year",
                                  "by date added"}));
    EXPECT_EQ(Sorts::next(SongSort::dateAdded), SongSort::title);
    EXPECT_EQ(Sorts::albumSort("year"), AlbumSort::year);
    EXPECT_EQ(Sorts::albumSort("Year"), std::nullopt);
    EXPECT_EQ(Sorts::songSort("dateAdded"), SongSort::dateAdded);
}

TEST(SortSettings, OddStoredValuesReadAsDefaultsAndStayStored) {
    TestHome home;
    Defaults defaults(home.path() + "/defaults.json");
    EXPECT_EQ(SortSetting::artistAlbumSort(defaults), AlbumSort::year);
    EXPECT_EQ(SortSetting::albumWallSort(defaults), AlbumSort::dateAdded);
    EXPECT_EQ(SortSetting::songSort(defaults), SongSort::title);
    for (const QJsonValue& odd : {QJsonValue("Year"), QJsonValue(""), QJsonValue(42), QJsonValue("junk")}) {
        defaults.set(SortSetting::artistAlbums, odd);
        EXPECT_EQ(SortSetting::artistAlbumSort(defaults), AlbumSort::year);
        EXPECT_EQ(defaults.value(SortSetting::artistAlbums), odd) << "left as stored";
    }
    SortSetting::setAlbumSort(defaults, SortSetting::albumWall, AlbumSort::artist);
    EXPECT_EQ(SortSetting::albumWallSort(defaults), AlbumSort::artist);
    EXPECT_EQ(SortSetting::artistAlbumSort(defaults), AlbumSort::year) << "the two album orders are apart";
    EXPECT_EQ(Defaults(home.path() + "/defaults.json").value(SortSetting::albumWall), "artist");
}
