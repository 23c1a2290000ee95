#include "pocketplayer/SyncPlanSections.h"
#include "support/Songs.h"

#include <gtest/gtest.h>

namespace {

// `count` songs on each of `albums` albums of one artist, album "A1", "A2" …
QList<Song> albumSongs(int albums, int count = 1, const QString& artist = QStringLiteral("Artist")) {
    QList<Song> out;
    for (int a = 1; a <= albums; ++a)
        for (int s = 1; s <= count; ++s)
            out.append(makeSong(QStringLiteral("/m/%1/%2/%3.mp3").arg(artist).arg(a).arg(s), artist,
                                QStringLiteral("A%1").arg(a)));
    return out;
}

QStringList albumsOf(const QList<PlanAlbumRow>& rows) {
    QStringList out;
    for (const PlanAlbumRow& r : rows)
        out.append(r.album);
    return out;
}

TEST(SyncPlanList, SectionsInOrderWithTheirHeadings) {
    SyncPlan plan;
    plan.going = albumSongs(1, 3);
    plan.bytes = 1'234'000'000;
    plan.left = albumSongs(1, 1, "Left");
    plan.leftBytes = 900'000'000;
    plan.unplayable = albumSongs(1, 2, "Odd");
    const QList<PlanSection> sections = SyncPlanSections::make(plan, 256);
    ASSERT_EQ(sections.size(), 3);
    EXPECT_EQ(sections[0].heading, "going on · 3 songs · 1.2 GB");
    EXPECT_FALSE(sections[0].accentHeading);
    EXPECT_EQ(sections[0].note, "");
    EXPECT_EQ(sections[1].heading, "won't fit · 1 song · 900 MB");
    EXPECT_TRUE(sections[1].accentHeading);
    EXPECT_EQ(sections[2].heading, "can't play · 2 songs");
    EXPECT_TRUE(sections[2].accentHeading);
    EXPECT_EQ(sections[2].note, "Turn on converting in settings to bring these along.");

    const PlanAlbumRow& row = sections[2].rows.first();
    EXPECT_EQ(row.album, "A1");
    EXPECT_EQ(row.byline, "/ Odd");
    EXPECT_EQ(row.count, 2);
    EXPECT_EQ(row.artwork, QUrl::fromLocalFile("/m/Odd/1/1.mp3"));

    // A section appears only when it holds songs.
    plan.going.clear();
    plan.unplayable.clear();
    const QList<PlanSection> onlyLeft = SyncPlanSections::make(plan, 256);
    ASSERT_EQ(onlyLeft.size(), 1);
    EXPECT_TRUE(onlyLeft[0].heading.startsWith("won't fit"));
}

TEST(SyncPlanList, ConversionNoteCountsConvertedSongs) {
    SyncPlan plan;
    plan.going = albumSongs(12);
    for (const Song& s : plan.going)
        plan.converted.insert(s.url);
    EXPECT_EQ(SyncPlanSections::make(plan, 256)[0].note, "12 converted to AAC at 256 kbps");
    EXPECT_EQ(SyncPlanSections::make(plan, 1'000'000'000'000)[0].note,
              "12 converted to AAC at 1000000000000 kbps");
}

TEST(SyncPlanList, RowsAndTheRest) {
    struct Case {
        const char* name;
        int going, left, unplayable;
        QList<int> rows;  // per section shown
        QStringList more; // per section shown
    };
    const Case cases[] = {
        {"goingAlone", 9, 0, 0, {7}, {"and 2 more albums"}},
        {"goingBesideLeft", 9, 1, 0, {4, 1}, {"and 5 more albums", ""}},
        {"goingBesideUnplayable", 5, 0, 1, {4, 1}, {"and 1 more album", ""}},
        {"nineWontFit", 0, 9, 0, {2}, {"and 7 more albums"}},
        {"threeWontFit", 0, 3, 0, {2}, {"and 1 more album"}},
        {"twoCantPlay", 0, 0, 2, {2}, {""}},
    };
    for (const Case& c : cases) {
        SyncPlan plan;
        plan.going = albumSongs(c.going, 1, "Going");
        plan.left = albumSongs(c.left, 1, "Left");
        plan.unplayable = albumSongs(c.unplayable, 1, "Odd");
        const QList<PlanSection> sections = SyncPlanSections::make(plan, 256);
        ASSERT_EQ(sections.size(), c.rows.size()) << c.name;
        for (qsizetype i = 0; i < sections.size(); ++i) {
            EXPECT_EQ(sections[i].rows.size(), c.rows[i]) << c.name << " section " << i;
            EXPECT_EQ(sections[i].more, c.more[i]) << c.name << " section " << i;
        }
    }
}

TEST(SyncPlanList, OneGroupPerAlbumAtItsFirstSong) {
    const QList<Song> songs{
        makeSong("/m/1.mp3", "Band", "First"), makeSong("/m/2.mp3", "Other", "Second"),
        makeSong("/m/3.mp3", "BAND", "first"), makeSong("/m/4.mp3", "Band", "Third"),
        makeSong("/m/5.mp3", "band", "FIRST"),
    };
    EXPECT_EQ(SyncPlanSections::albums(songs), (QList<QList<qsizetype>>{{0, 2, 4}, {1}, {3}}));

    // An album renamed by the user stays with the songs tagged as it was.
    Song renamed = makeSong("/m/6.mp3", "Band", "Renamed");
    renamed.taggedAlbum = QStringLiteral("first");
    EXPECT_EQ(SyncPlanSections::albums({songs[0], renamed}), (QList<QList<qsizetype>>{{0, 1}}));

    SyncPlan plan;
    plan.going = songs;
    const QList<PlanSection> sections = SyncPlanSections::make(plan, 256);
    EXPECT_EQ(albumsOf(sections[0].rows), QStringList({"First", "Second", "Third"}));
    EXPECT_EQ(sections[0].rows[0].count, 3);
    EXPECT_EQ(sections[0].rows[0].albumID, songs[0].albumID());
}

TEST(SyncPlanList, EmptyPlanText) {
    const QString nothingSet = QStringLiteral("Nothing is set to go on your player.");
    EXPECT_EQ(SyncPlanSections::emptyText("all"), nothingSet);
    EXPECT_EQ(SyncPlanSections::emptyText("none"), nothingSet);
    EXPECT_EQ(SyncPlanSections::emptyText("choose"),
              "Nothing chosen yet. Right-click an artist, album or song and choose Add to Player, or drag it "
              "onto the player at the bottom left.");
    EXPECT_TRUE(SyncPlanSections::make(SyncPlan{}, 256).isEmpty());
}

} // namespace
