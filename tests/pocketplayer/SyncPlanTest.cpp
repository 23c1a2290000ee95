#include "pocketplayer/SyncPlan.h"
#include "core/Defaults.h"
#include "library/PlayerMusic.h"
#include "library/PlaylistLibrary.h"
#include "library/PlaylistStore.h"
#include "support/TestHome.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

// A song of its own album ("a", "b", "c" … sort in that order) with a size or a duration.
Song sized(const QString& name, qint64 bytes, const QString& extension = QStringLiteral("mp3"),
           double duration = 0) {
    Song s = makeSong(QStringLiteral("/m/") + name + (extension.isEmpty() ? QString() : "." + extension),
                      QStringLiteral("artist"), name, name);
    s.bytes = bytes;
    s.duration = duration;
    return s;
}

SyncPlan::Plays playsOf(QHash<QString, qint64> counts) {
    return [counts](const Song& s) { return counts.value(s.title); };
}

struct FillCase {
    const char* name;
    QList<qint64> sizes; // of songs "a", "b", "c" … in album order
    QList<qint64> plays;
    qint64 capacity;
    QString whenFull;
    QStringList going;
    QStringList left;
    qint64 bytes;
    qint64 leftBytes;
};

class Fill : public testing::TestWithParam<FillCase> {};

TEST_P(Fill, TakesWhatFitsInItsOrder) {
    const FillCase& c = GetParam();
    QList<Song> songs;
    QHash<QString, qint64> counts;
    for (qsizetype i = 0; i < c.sizes.size(); ++i) {
        const QString name(QChar(char16_t(u'a' + i)));
        songs.append(sized(name, c.sizes[i]));
        counts[name] = c.plays.value(i);
    }
    // The input order is reversed: the plan works in album order whatever it is given.
    std::reverse(songs.begin(), songs.end());
    const SyncPlan plan = SyncPlan::make(songs, c.capacity, c.whenFull, true, 256, playsOf(counts));
    EXPECT_EQ(titles(plan.going), c.going);
    EXPECT_EQ(titles(plan.left), c.left);
    EXPECT_EQ(plan.bytes, c.bytes);
    EXPECT_EQ(plan.leftBytes, c.leftBytes);
    EXPECT_TRUE(plan.unplayable.isEmpty());
    EXPECT_TRUE(plan.converted.isEmpty());
}

const QString stop = QStringLiteral("stop");
const QString skip = QStringLiteral("skip");

INSTANTIATE_TEST_SUITE_P(
    SyncPlan, Fill,
    testing::Values(
        FillCase{"stopAtFirstMisfit", {5, 10, 1}, {}, 12, stop, {"a"}, {"b", "c"}, 5, 11},
        FillCase{"skipMostPlayedFirst", {5, 10, 1}, {0, 3, 3}, 12, skip, {"b", "c"}, {"a"}, 11, 5},
        // Equal counts visit in album order, and a misfit is still passed over, not a stop.
        FillCase{"skipEqualPlays", {5, 10, 1}, {2, 2, 2}, 12, skip, {"a", "c"}, {"b"}, 6, 10},
        FillCase{"emptyWhenFullIsStop", {5, 10, 1}, {0, 3, 3}, 12, "", {"a"}, {"b", "c"}, 5, 11},
        FillCase{"capitalSkipIsStop", {5, 10, 1}, {0, 3, 3}, 12, "Skip", {"a"}, {"b", "c"}, 5, 11},
        FillCase{"zeroCapacityStop", {0, 5, 0}, {}, 0, stop, {"a"}, {"b", "c"}, 0, 5},
        FillCase{"zeroCapacitySkip", {0, 5, 0}, {}, 0, skip, {"a", "c"}, {"b"}, 0, 5},
        // A song as large as what is left goes on and leaves nothing, not even for a song of one byte.
        FillCase{"exactFit", {5, 7, 1}, {}, 12, stop, {"a", "b"}, {"c"}, 12, 1},
        FillCase{"exactFitSkip", {5, 7, 1}, {}, 12, skip, {"a", "b"}, {"c"}, 12, 1},
        FillCase{"noSongs", {}, {}, 12, skip, {}, {}, 0, 0}),
    [](const testing::TestParamInfo<FillCase>& info) { return std::string(info.param.name); });

TEST(SyncPlan, FormatsThePlayerCantPlay) {
    const QList<Song> songs{sized("a", 7, "MP3"), sized("b", 999, "flac", 10), sized("c", 999, "", 20),
                            sized("d", 3, "m4a")};
    // Converting off: set aside, in neither sum.
    SyncPlan off = SyncPlan::make(songs, 1'000'000, stop, false, 256, {});
    EXPECT_EQ(titles(off.going), QStringList({"a", "d"}));
    EXPECT_EQ(titles(off.unplayable), QStringList({"b", "c"}));
    EXPECT_EQ(off.bytes, 10);
    EXPECT_EQ(off.leftBytes, 0);
    EXPECT_TRUE(off.converted.isEmpty());

    // Converting on: at the AAC estimate, duration × kbit/s × 125; capitals keep the MP3's own size.
    SyncPlan on = SyncPlan::make(songs, 1'000'000, stop, true, 256, {});
    EXPECT_EQ(titles(on.going), QStringList({"a", "b", "c", "d"}));
    EXPECT_EQ(on.bytes, 7 + 10 * 256 * 125 + 20 * 256 * 125 + 3);
    EXPECT_EQ(on.converted, QSet<FileUrl>({songs[1].url, songs[2].url}));
    EXPECT_TRUE(on.unplayable.isEmpty());
}

TEST(SyncPlan, QualityMovesOnlyConvertedSongs) {
    const QList<Song> songs{sized("a", 1'000'000, "mp3"), sized("b", 1, "ogg", 100)};
    const qint64 capacity = 1'000'000 + 100 * 192 * 125;
    SyncPlan at192 = SyncPlan::make(songs, capacity, stop, true, 192, {});
    EXPECT_EQ(titles(at192.going), QStringList({"a", "b"}));
    SyncPlan at320 = SyncPlan::make(songs, capacity, stop, true, 320, {});
    EXPECT_EQ(titles(at320.going), QStringList({"a"}));
    EXPECT_EQ(titles(at320.left), QStringList({"b"}));
    EXPECT_EQ(at320.bytes, 1'000'000);
    EXPECT_EQ(at320.leftBytes, 100 * 320 * 125);
    EXPECT_TRUE(at320.converted.isEmpty());
    EXPECT_EQ(SyncPlan::size(songs[0], 192), SyncPlan::size(songs[0], 320));
}

TEST(SyncPlan, EstimatesStayInRangeWhateverTheQuality) {
    // A negative quality must not make room: were the flac's estimate negative, the mp3 would fit.
    const QList<Song> songs{sized("a", 0, "flac", 300), sized("b", 20, "mp3")};
    SyncPlan negative = SyncPlan::make(songs, 10, stop, true, -256, {});
    EXPECT_EQ(titles(negative.going), QStringList({"a"}));
    EXPECT_EQ(titles(negative.left), QStringList({"b"}));
    EXPECT_EQ(negative.bytes, 0);

    // 300 s at 10¹⁵ kbit/s is beyond 2⁶³ bytes: the estimate and the sum stop at the largest count.
    constexpr qint64 most = std::numeric_limits<qint64>::max();
    const QList<Song> huge{sized("a", 0, "wav", 300), sized("b", 0, "wav", 300)};
    SyncPlan plan = SyncPlan::make(huge, 1'000'000'000'000, skip, true, 1'000'000'000'000'000, {});
    EXPECT_TRUE(plan.going.isEmpty());
    EXPECT_EQ(titles(plan.left), QStringList({"a", "b"}));
    EXPECT_EQ(plan.leftBytes, most);

    EXPECT_EQ(SyncPlan::estimate(std::nan(""), 256), 0);
    EXPECT_EQ(SyncPlan::estimate(1.5, 256), 48'000);
    EXPECT_EQ(SyncPlan::estimate(0.00001, 256), 0); // 0.32 bytes, truncated toward zero
}

TEST(SyncPlan, AsksForPlayCountsOnlyWhenSkipping) {
    const QList<Song> songs{sized("c", 1), sized("a", 1), sized("x", 1, "flac", 1), sized("b", 1)};
    QStringList asked;
    const SyncPlan::Plays counting = [&asked](const Song& s) {
        asked.append(s.title);
        return qint64(0);
    };
    SyncPlan::make(songs, 100, skip, false, 256, counting);
    // Once per candidate, in album order; the song set aside as unplayable is no candidate.
    EXPECT_EQ(asked, QStringList({"a", "b", "c"}));
    asked.clear();
    SyncPlan::make(songs, 100, stop, true, 256, counting);
    EXPECT_TRUE(asked.isEmpty());
}

Song keyed(const QString& title, const QString& albumArtist, const QString& album, qint64 disc = 1,
           qint64 track = 0) {
    Song s = makeSong("/m/" + title + ".mp3", albumArtist, album, title);
    s.disc = disc;
    s.track = track;
    return s;
}

TEST(SyncPlan, AlbumOrder) {
    const QString nfd = QStringLiteral("E\u0301clair");
    const QString nfc = QStringLiteral("\u00e9clair");
    const QString emoji = QString::fromUcs4(U"\U0001F600");
    const QString replacement = QStringLiteral("\uFFFD");
    const QList<Song> songs{
        // One artist written two ways: the album decides between them.
        keyed("nfd", nfd, "b"),
        keyed("nfc", nfc, "a"),
        // Code points, not UTF-16 units: U+FFFD comes before U+1F600.
        keyed("emoji", emoji, "x"),
        keyed("fffd", replacement, "x"),
        // Disc before track; case makes no difference, and full ties keep their input order.
        keyed("d2t1", "Band", "Album", 2, 1),
        keyed("d1t5", "band", "ALBUM", 1, 5),
        keyed("tieFirst", "BAND", "album", 1, 1),
        keyed("tieSecond", "band", "album", 1, 1),
    };
    const SyncPlan plan = SyncPlan::make(songs, 0, stop, true, 256, {});
    EXPECT_EQ(titles(plan.left),
              QStringList({"tieFirst", "tieSecond", "d1t5", "d2t1", "nfc", "nfd", "fffd", "emoji"}));
}

TEST(SyncPlan, SongsFollowTheMusicSetting) {
    TestHome home;
    Defaults defaults;
    const QList<Song> library{makeSong("/m/2.mp3", "Zed", "Z"), makeSong("/m/1.mp3", "Abe", "A")};
    auto store = libraryWith(defaults, library);
    PlaylistStore playlists;
    PlayerMusic picks(defaults);
    picks.add({PlayerPick::playlist(AutoPlaylist(AutoPlaylist::liked).playlist())}, [](const QString&) {});
    LikesAndPlays likes{{QStringLiteral("/m/1.mp3")}, {}};

    EXPECT_EQ(pathsOf(SyncPlan::songs("all", *store, playlists, picks, likes)), pathsOf(store->songs()));
    EXPECT_EQ(pathsOf(SyncPlan::songs("choose", *store, playlists, picks, likes)), QStringList({"/m/1.mp3"}));
    for (const char* other : {"none", "All", "", "choose "})
        EXPECT_TRUE(SyncPlan::songs(other, *store, playlists, picks, likes).isEmpty()) << other;
}

} // namespace
