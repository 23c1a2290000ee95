#include "nowplaying/MixLayout.h"
#include "nowplaying/StableHash.h"
#include "support/Songs.h"

#include <gtest/gtest.h>

namespace {

// The ring at 1280 × 800 (E 300, ring centre (640, 436)), worked out by hand: each slot's tile height, its
// width for an artist with a picture, and its middle. Index 9 is the Smart DJ spot.
struct Expected {
    double r, wide, x, y;
};
const Expected ring[10] = {
    {120, 161, 586, 214}, {108, 145, 730, 214}, {156, 209, 880, 352}, {132, 177, 898, 532},
    {144, 193, 736, 688}, {102, 137, 568, 676}, {102, 137, 424, 586}, {138, 185, 382, 436},
    {90, 121, 442, 292},  {42, 42, 490, 226},
};

Album album(const QString& artist, const QString& title) {
    return Album{
        title, artist, {makeSong("/m/" + artist + "/" + title + "/1.mp3", artist, title)}, std::nullopt};
}
MixItem albumItem(const QString& title) {
    return MixItem::ofAlbum(album("Other", title), "album");
}
MixItem artistItem(const QString& name) {
    return MixItem::ofArtist(Artist{name, {album(name, "A")}}, "like");
}

// Centres whose ids hash even (drawn as in the table) and odd (mirrored).
const QString evenCentre = "Ada";
const QString oddCentre = "Bo";

MixCluster clusterAround(const QString& centre, const QList<MixItem>& around, bool withDJ = true) {
    MixCluster c;
    c.centre = MixItem::ofArtist(Artist{centre, {album(centre, "Home")}}, "artist");
    if (withDJ) c.around.append(MixItem::smartDJFor(c.centre.artist));
    c.around.append(around);
    return c;
}

struct Pictures {
    QStringList names;
    MixCluster::HasPicture has() const {
        return [names = names](const QString& n) { return names.contains(n, Qt::CaseInsensitive); };
    }
};

// Which slot of the table a tile at 1280 × 800 (not mirrored) sits in; -1 when none.
int slotAt(const MixLayout::Placed& p) {
    for (int i = 0; i < 10; ++i)
        if (std::abs(p.at.x() - ring[i].x) < 1e-6 && std::abs(p.at.y() - ring[i].y) < 1e-6) return i;
    return -1;
}

QList<int> slotsOf(const std::vector<MixLayout::Placed>& placed) {
    QList<int> out;
    for (size_t i = 1; i < placed.size(); ++i)
        out.append(slotAt(placed[i]));
    return out;
}

QList<MixItem> names(const QString& prefix, int n, bool artists) {
    QList<MixItem> out;
    for (int i = 0; i < n; ++i)
        out.append(artists ? artistItem(prefix + QString::number(i))
                           : albumItem(prefix + QString::number(i)));
    return out;
}

} // namespace

TEST(MixLayout, CentresUsedHereHashAsTheTestsAssume) {
    EXPECT_EQ(stableHash(QString("artist:ada")) % 2, 0u);
    EXPECT_EQ(stableHash(QString("artist:bo")) % 2, 1u);
}

TEST(MixLayout, TheWholeTableAt1280By800) {
    Pictures pictures;
    const QList<MixItem> artists = names("P", 9, true);
    for (const MixItem& a : artists)
        pictures.names.append(a.artist.name);
    const QSizeF area(1280, 800);
    ASSERT_EQ(MixLayout::unit(area), 300);

    // Pictured artists: the wide slots first, then the rest in table order.
    auto placed = MixLayout::place(clusterAround(evenCentre, artists), area, pictures.has());
    ASSERT_EQ(placed.size(), 11u);
    EXPECT_TRUE(placed[0].centre);
    EXPECT_EQ(placed[0].at, QPointF(640, 451));
    EXPECT_EQ(placed[0].size, QSizeF(310, 340));
    EXPECT_EQ(placed[0].beat, 0);
    EXPECT_EQ(slotsOf(placed), QList<int>({9, 0, 3, 7, 1, 2, 4, 5, 6, 8}));
    for (size_t i = 1; i < placed.size(); ++i) {
        const Expected& e = ring[slotAt(placed[i])];
        EXPECT_EQ(placed[i].size, QSizeF(e.wide, e.r)) << i;
        EXPECT_EQ(placed[i].beat, int(i));
        EXPECT_EQ(placed[i].leftward, e.x < 640) << i;
        EXPECT_FALSE(placed[i].centre);
    }
    EXPECT_EQ(placed[1].id(), "dj:ada");

    // Albums: the narrow slots first, then the wide ones.
    placed = MixLayout::place(clusterAround(evenCentre, names("A", 9, false)), area, pictures.has());
    EXPECT_EQ(slotsOf(placed), QList<int>({9, 1, 2, 4, 5, 6, 8, 0, 3, 7}));
    for (size_t i = 1; i < placed.size(); ++i) {
        const Expected& e = ring[slotAt(placed[i])];
        EXPECT_EQ(placed[i].size, QSizeF(e.r, e.r)) << i;
    }

    // An artist with a picture at the centre is drawn wide.
    pictures.names.append(evenCentre);
    placed = MixLayout::place(clusterAround(evenCentre, {}), area, pictures.has());
    EXPECT_EQ(placed[0].size, QSizeF(412, 340));
}

TEST(MixLayout, AnOddCentreMirrorsTheRing) {
    const QSizeF area(1280, 800);
    const auto straight =
        MixLayout::place(clusterAround(evenCentre, names("A", 9, false)), area, Pictures{}.has());
    const auto mirrored =
        MixLayout::place(clusterAround(oddCentre, names("A", 9, false)), area, Pictures{}.has());
    ASSERT_EQ(straight.size(), mirrored.size());
    EXPECT_EQ(mirrored[0].at, QPointF(640, 451));
    for (size_t i = 1; i < straight.size(); ++i) {
        EXPECT_DOUBLE_EQ(mirrored[i].at.x(), 1280 - straight[i].at.x()) << i;
        EXPECT_DOUBLE_EQ(mirrored[i].at.y(), straight[i].at.y()) << i;
        EXPECT_EQ(mirrored[i].size, straight[i].size) << i;
        EXPECT_NE(mirrored[i].leftward, straight[i].leftward) << i;
    }
}

TEST(MixLayout, TheUnitFollowsTheArea) {
    const struct {
        QSizeF area;
        double e;
    } cases[] = {
        {{1000, 700}, 257},    // (700 − 96) / 2.35 = 257.02
        {{5000, 600}, 214},    // wide: from the height, 214.47
        {{500, 2000}, 185},    // narrow: from the width, 185.19
        {{10000, 10000}, 300}, // never above 300
        {{202.5, 800}, 75},    // exactly 75: halves round away from zero below
        {{1280, 60}, 0},       // lower than the header band
        {{0, 0}, 0},           // not laid out yet
    };
    for (const auto& c : cases)
        EXPECT_EQ(MixLayout::unit(c.area), c.e) << c.area.width() << " x " << c.area.height();

    const auto placed = MixLayout::place(clusterAround(evenCentre, {}), QSizeF(1000, 700), Pictures{}.has());
    EXPECT_EQ(placed[0].at, QPointF(500, 401));
    EXPECT_EQ(placed[0].size, QSizeF(267, 297));
    EXPECT_EQ(placed[1].at, QPointF(500 - 0.5 * 257, 386 - 0.7 * 257));
}

TEST(MixLayout, HalvesRoundAwayFromZero) {
    Pictures pictures{{evenCentre}};
    const auto placed =
        MixLayout::place(clusterAround(evenCentre, names("A", 9, false)), QSizeF(202.5, 800), pictures.has());
    // Placement order of albums: slots 1, 2, 4, 5, 6, 8, 0, 3, 7 after the Smart DJ tile.
    EXPECT_EQ(placed[0].size.width(), 111);    // 1.34 × 75 = 100.5
    EXPECT_EQ(placed[7].size.height(), 23);    // slot 8: 0.30 × 75 = 22.5
    EXPECT_EQ(placed[10].size.height(), 35);   // slot 7: 0.46 × 75 = 34.5
    EXPECT_EQ(placed[1].size, QSizeF(11, 11)); // the Smart DJ spot: 0.14 × 75 = 10.5
}

TEST(MixLayout, PicturedArtistsTakeWideSlotsAndTheRestNarrowOnes) {
    Pictures pictures{{"P1", "P2", "P3", "P4"}};
    const QSizeF area(1280, 800);
    // Pictured artists are placed before the others whatever their order in the cluster.
    auto placed =
        MixLayout::place(clusterAround(evenCentre, {albumItem("a1"), artistItem("P1"), artistItem("N1"),
                                                    artistItem("P2"), artistItem("P3"), artistItem("P4"),
                                                    albumItem("a2"), albumItem("a3"), albumItem("a4")}),
                         area, pictures.has());
    QStringList ids;
    for (size_t i = 1; i < placed.size(); ++i)
        ids.append(placed[i].id());
    EXPECT_EQ(ids, QStringList({"dj:ada", "artist:p1", "artist:p2", "artist:p3", "artist:p4",
                                "album:" + album("Other", "a1").id(), "artist:n1",
                                "album:" + album("Other", "a2").id(), "album:" + album("Other", "a3").id(),
                                "album:" + album("Other", "a4").id()}));
    EXPECT_EQ(slotsOf(placed), QList<int>({9, 0, 3, 7, 1, 2, 4, 5, 6, 8}));
    EXPECT_EQ(placed[7].size, QSizeF(144, 144)) << "an artist without a picture is square";

    // Narrow slots run out before a wide one is used.
    placed = MixLayout::place(
        clusterAround(evenCentre, QList<MixItem>{artistItem("P1"), artistItem("P2")} + names("A", 7, false)),
        area, pictures.has());
    EXPECT_EQ(slotsOf(placed), QList<int>({9, 0, 3, 1, 2, 4, 5, 6, 8, 7}));
}

TEST(MixLayout, EdgesOfTheRing) {
    const QSizeF area(1280, 800);
    // Nothing around: the centre alone.
    auto placed = MixLayout::place(clusterAround(evenCentre, {}, false), area, Pictures{}.has());
    ASSERT_EQ(placed.size(), 1u);
    EXPECT_TRUE(placed[0].centre);

    // A tenth item finds no slot and is left out.
    placed =
        MixLayout::place(clusterAround(evenCentre, names("A", 10, false), false), area, Pictures{}.has());
    ASSERT_EQ(placed.size(), 10u);
    EXPECT_EQ(placed.back().id(), "album:" + album("Other", "A8").id());

    // An area lower than the header band draws nothing of negative size.
    placed =
        MixLayout::place(clusterAround(evenCentre, names("A", 9, false)), QSizeF(1280, 60), Pictures{}.has());
    for (const auto& p : placed) {
        EXPECT_GE(p.size.width(), 0);
        EXPECT_GE(p.size.height(), 0);
    }
    EXPECT_EQ(placed[0].size, QSizeF(10, 40));
}
