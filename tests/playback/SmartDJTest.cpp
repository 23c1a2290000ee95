#include "playback/SmartDJ.h"
#include "support/Printers.h"
#include "support/Songs.h"
#include "RelationsFixtures.h"
#include "core/Text.h"

#include <QMap>
#include <cmath>
#include <gtest/gtest.h>

using namespace fixtures;
using Taste = SmartDJ::Taste;

namespace {

struct Neighbour {
    QString name;
    double lastFMMatch; // the relation scores twice this when nothing else ties the two
    int songs;
};

// A centre artist and its neighbours, related to it only through Last.fm so that scores are exact.
struct Collection {
    Artist centre;
    QList<Artist> artists;
    ArtistRelations relations;

    Collection(int centreSongs, const QList<Neighbour>& neighbours)
        : centre(artist("Centre", centreSongs)), artists(make(centre, neighbours)),
          relations(artists, {}, {}, lastFM(neighbours)) {}

    static QList<Artist> make(const Artist& centre, const QList<Neighbour>& neighbours) {
        QList<Artist> out{centre};
        for (const Neighbour& n : neighbours)
            out.append(artist(n.name, n.songs));
        return out;
    }
    static LastFMArtists lastFM(const QList<Neighbour>& neighbours) {
        QHash<QString, double> similar;
        for (const Neighbour& n : neighbours)
            if (n.lastFMMatch > 0) similar.insert(Text::lower(n.name), n.lastFMMatch);
        return {{"centre", LastFMArtist{similar, {}, Date{0}}}};
    }

    QList<Song> mix(quint32 seed, const QSet<QString>& avoiding = {}, const Taste& taste = {}) const {
        QRandomGenerator random(seed);
        return SmartDJ::mix(centre, relations, taste, 60, avoiding, random);
    }
};

QMap<QString, int> songsByArtist(const QList<Song>& mix) {
    QMap<QString, int> out;
    for (const Song& s : mix)
        ++out[s.albumArtist];
    return out;
}

} // namespace

TEST(SmartDJ, WeightFollowsTheTaste) {
    const Song s = song("A", 1);
    const QString p = s.url.path;
    struct Case {
        const char* what;
        Taste taste;
        double weight;
    };
    const QList<Case> cases = {
        {"never played", {}, 1},
        {"liked, started 10 times", {{p}, {{p, 10}}, {}, {}}, 3 + 0.5 * std::log(11.0)},
        {"skipped twice", {{}, {}, {{p, 2}}, {}}, 1.0 / 3},
        {"among the recent", {{}, {}, {}, {p}}, 0.2},
        {"someone else's counts", {{"/other"}, {{"/other", 5}}, {{"/other", 1}}, {"/other"}}, 1},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(SmartDJ::weight(s, c.taste), c.weight) << c.what;
}

TEST(SmartDJ, SkipsCountEarlyLeavesOutsideMixes) {
    auto left = [](const char* path, double seconds, double duration, bool mix = false) {
        return Listen{path, "A", Date{0}, seconds, duration, mix};
    };
    const QList<Listen> log = {
        left("/long", 29.9, 300),     left("/long", 30, 300),  // under 30 s of a long song
        left("/short", 9.9, 20),      left("/short", 10, 20),  // under half of a short one
        left("/mixed", 1, 300, true),                          // a mix's songs are not chosen
        left("/unknown", 29, NAN),    left("/unknown", 29, 0), // no length: 30 s; length 0: never
        left("/long", 0, 300),
    };
    const auto skips = SmartDJ::skips(log);
    EXPECT_EQ(skips, (QHash<QString, int>{{"/long", 2}, {"/short", 1}, {"/unknown", 1}}));
}

TEST(SmartDJ, QuotasShareTheMixByScore) {
    struct Case {
        const char* what;
        int centreSongs;
        QList<Neighbour> neighbours;
        QMap<QString, int> expected;
    };
    const QList<Case> cases = {
        {"three strong relations",
         200,
         {{"R1", 0.45, 100}, {"R2", 0.4, 100}, {"R3", 0.35, 100}, {"Weak", 0.1, 100}},
         {{"Centre", 21}, {"R1", 15}, {"R2", 13}, {"R3", 11}}},
        {"four equal relations round up and the first gives one back",
         200,
         {{"R1", 0.4, 100}, {"R2", 0.4, 100}, {"R3", 0.4, 100}, {"R4", 0.4, 100}},
         {{"Centre", 21}, {"R1", 9}, {"R2", 10}, {"R3", 10}, {"R4", 10}}},
        {"one strong relation: the nearest three, each with a floor",
         200,
         {{"R1", 0.45, 100}, {"R2", 0, 100}, {"R3", 0, 100}, {"R4", 0, 100}},
         {{"Centre", 21}, {"R1", 31}, {"R2", 4}, {"R3", 4}}},
        {"a short artist's gap goes to the centre first",
         200,
         {{"R1", 0.45, 100}, {"R2", 0.4, 100}, {"R3", 0.35, 5}},
         {{"Centre", 27}, {"R1", 15}, {"R2", 13}, {"R3", 5}}},
        {"then to the related artists in order",
         22,
         {{"R1", 0.45, 100}, {"R2", 0.4, 100}, {"R3", 0.35, 5}},
         {{"Centre", 22}, {"R1", 20}, {"R2", 13}, {"R3", 5}}},
        {"then to artists related to the whole mix, and no further",
         5,
         {{"R1", 0, 10}, {"R2", 0, 10}, {"R3", 0, 10}, {"R4", 0, 10}, {"R5", 0, 10}},
         {{"Centre", 5}, {"R1", 10}, {"R2", 10}, {"R3", 10}, {"R4", 10}, {"R5", 10}}},
        {"a collection of one artist", 100, {}, {{"Centre", 60}}},
        {"a collection of one small artist", 10, {}, {{"Centre", 10}}},
    };
    for (const Case& c : cases) {
        const Collection collection(c.centreSongs, c.neighbours);
        const QList<Song> mix = collection.mix(7);
        EXPECT_EQ(songsByArtist(mix), c.expected) << c.what;
        EXPECT_EQ(QSet<Song>(mix.cbegin(), mix.cend()).size(), mix.size()) << c.what << ": no song twice";
        ASSERT_FALSE(mix.isEmpty());
        EXPECT_EQ(mix.first().albumArtist, "Centre") << c.what;
    }
}

TEST(SmartDJ, MixOrderAvoidsRepeatsOfAnArtist) {
    const Collection collection(200, {{"R1", 0.45, 100}, {"R2", 0.4, 100}, {"R3", 0.35, 3}});
    for (quint32 seed = 1; seed <= 20; ++seed) {
        const QList<Song> mix = collection.mix(seed);
        ASSERT_EQ(mix.size(), 60);
        // Two in a row from one album artist only once nobody else is left to come between.
        for (qsizetype i = 1; i < mix.size(); ++i) {
            if (mix[i].albumArtist != mix[i - 1].albumArtist) continue;
            for (qsizetype j = i; j < mix.size(); ++j)
                ASSERT_EQ(mix[j].albumArtist, mix[i].albumArtist) << "seed " << seed << " at " << i;
        }
    }
    EXPECT_EQ(collection.mix(3), collection.mix(3));
    EXPECT_NE(collection.mix(3), collection.mix(4));
}

TEST(SmartDJ, AvoidedSongsStayOut) {
    const Collection collection(30, {{"R1", 0.45, 30}, {"R2", 0.4, 30}, {"R3", 0.35, 30}});
    QSet<QString> avoiding;
    for (const Song& s : collection.centre.songs())
        avoiding.insert(s.url.path);
    const QList<Song> first = collection.mix(1);
    for (const Song& s : first)
        avoiding.insert(s.url.path);

    // Without usable songs of its own, the mix is made of the related artists alone: all of the 51
    // songs they have left.
    const QList<Song> more = collection.mix(1, avoiding);
    EXPECT_EQ(more.size(), 51);
    for (const Song& s : more)
        EXPECT_FALSE(avoiding.contains(s.url.path)) << s.url.path.toStdString();

    for (const Artist& a : collection.artists)
        for (const Song& s : a.songs())
            avoiding.insert(s.url.path);
    EXPECT_TRUE(collection.mix(1, avoiding).isEmpty());
}

TEST(SmartDJ, DrawsFavourTheTaste) {
    QList<Song> songs;
    for (int i = 0; i < 12; ++i)
        songs.append(song("A", i));
    Taste taste;
    for (int i = 0; i < 3; ++i) {
        taste.liked.insert(songs[i].url.path);
        taste.plays.insert(songs[i].url.path, 10);
        taste.recent.insert(songs[9 + i].url.path);
    }
    QRandomGenerator random(42);
    QList<int> drawn(12, 0);
    for (int round = 0; round < 3000; ++round)
        for (const Song& s : SmartDJ::pick(3, songs, taste, random))
            ++drawn[int(s.track)];

    for (int liked = 0; liked < 3; ++liked)
        for (int plain = 3; plain < 9; ++plain)
            EXPECT_GT(drawn[liked], 2 * drawn[plain]) << liked << " vs " << plain;
    for (int recent = 9; recent < 12; ++recent)
        for (int plain = 3; plain < 9; ++plain)
            EXPECT_LT(2 * drawn[recent], drawn[plain]) << recent << " vs " << plain;

    EXPECT_TRUE(SmartDJ::pick(0, songs, taste, random).isEmpty());
    const QList<Song> all = SmartDJ::pick(50, songs, taste, random);
    EXPECT_EQ(QSet<Song>(all.cbegin(), all.cend()), QSet<Song>(songs.cbegin(), songs.cend()));
}

TEST(SmartDJ, AlbumsTakeTurns) {
    auto on = [](const QString& title, const QString& album, const QString& albumArtist = "A") {
        Song s = song(albumArtist, 0, album, {}, title);
        s.url.path += title;
        return s;
    };
    // Albums are told apart by album artist and name as tagged, regardless of case or a later rename.
    Song b1 = on("b1", "B");
    Song b2 = on("b2", "b");
    b2.taggedAlbum = "b";
    b2.album = "Renamed";
    const QList<Song> drawn = {on("a1", "A"), on("a2", "A"), b1, on("a3", "A"), on("c1", "A", "Other"), b2};
    EXPECT_EQ(titles(SmartDJ::alternateAlbums(drawn)), (QStringList{"a1", "b1", "c1", "a2", "b2", "a3"}));
}
