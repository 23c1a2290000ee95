#include "nowplaying/MixCluster.h"
#include "core/Defaults.h"
#include "core/Text.h"
#include "library/LibraryStore.h"

#include <QTest>
#include "nowplaying/StableHash.h"
#include "support/Songs.h"
#include "support/TestHome.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>

namespace {

// A real library store holding one song per album, the user's pictures as a list of names, and a relations
// table of names per artist that answers, like the relations do, with the first `limit` of them.
struct MixRig {
    TestHome home;
    Defaults defaults;
    std::unique_ptr<LibraryStore> library;
    QStringList pictured;
    QHash<QString, QStringList> relatedTo; // lower-cased name -> related names, best first
    QList<std::pair<QString, qsizetype>> asked;
    QHash<QString, Artist> unknown; // related artists the library does not hold

    MixRig() {
        QList<Song> songs;
        auto add = [&](const QString& artist, const QStringList& albums) {
            for (const QString& album : albums)
                songs.append(makeSong("/m/" + artist + "/" + album + "/1.mp3", artist, album));
        };
        add("Ada", {"One", "Two", "Three", "Four", "Five"});
        add("Bo", {"Only"});
        add("Cy", {"Red", "Green", "Blue"});
        add("Tova Lind", {"First Light", "Harbour", "North", "Quiet Rooms", "Salt", "\u00d6resund"});
        for (const QString& r : {"Rae", "Rex", "Roy", "Ria", "Ron", "Rue", "Rob", "Rio", "Ray", "Rod"})
            add(r, {"Dawn", "Dusk", "Noon"});
        EXPECT_TRUE(LibraryStore::writeCache(LibraryStore::encodeCache(songs)));
        library = std::make_unique<LibraryStore>(
            defaults, [](const FileUrl&, const QHash<QString, Song>&, const LibraryScanner::Progress&) {
                return QList<Song>{};
            });
        // The cache is read on a worker: the collection arrives a moment later.
        EXPECT_TRUE(QTest::qWaitFor([&] { return library->loaded(); }, 10000));
    }

    MixCluster::HasPicture hasPicture() {
        return [this](const QString& name) {
            return std::any_of(pictured.cbegin(), pictured.cend(),
                               [&](const QString& p) { return p.compare(name, Qt::CaseInsensitive) == 0; });
        };
    }
    MixCluster::Related related() {
        return [this](const QString& name, qsizetype limit) {
            asked.append({name, limit});
            QList<ArtistRelations::Related> out;
            for (const QString& r : relatedTo.value(Text::lower(name)).mid(0, limit)) {
                const std::optional<Artist> a = library->artist(r);
                out.append({a ? *a : unknown.value(r), 1.0, "like " + r});
            }
            return out;
        };
    }
    std::optional<MixCluster> build(const MixSeed& seed) {
        return MixCluster::build(seed, *library, related(), hasPicture());
    }
    static QString albumKey(const QString& artist, const QString& title) {
        return Text::lower(artist) + keySep + Text::lower(title);
    }
    static FileUrl songOf(const QString& artist, const QString& album) {
        return FileUrl::fromPath("/m/" + artist + "/" + album + "/1.mp3");
    }
};

// "id | relation" of each item: what a failed comparison prints readably.
QStringList described(const QList<MixItem>& items) {
    QStringList out;
    for (const MixItem& item : items)
        out.append(item.id() + " | " + item.relation);
    return out;
}

QString id(const QString& kind, const QString& artist, const QString& album = {}) {
    return kind + ":" + Text::lower(artist) + (album.isEmpty() ? QString() : keySep + Text::lower(album));
}

} // namespace

TEST(StableHash, IsFnv1aOverTheUtf8BytesAsTheyAre) {
    const struct {
        QString text;
        quint64 hash;
    } cases[] = {
        {"", 0xcbf29ce484222325ULL},        {"a", 0xaf63dc4c8601ec8cULL}, {"\u00e9", 0x0ac21707b7181e01ULL},
        {"e\u0301", 0xc0c9d418ee802e1fULL}, {"A", 0xaf63fc4c860222ecULL},
    };
    for (const auto& c : cases)
        EXPECT_EQ(stableHash(c.text), c.hash) << c.text.toStdString();
}

TEST(StableHash, MixedKeepsTheInputOrderOfEqualKeys) {
    struct Item {
        QString key;
        int tag;
    };
    QList<Item> items;
    for (int i = 0; i < 40; ++i)
        items.append({i % 2 ? "x" : "y", i});
    const QList<Item> out = mixed(items, "seed", [](const Item& i) { return i.key; });
    ASSERT_EQ(out.size(), 40);
    for (int i = 1; i < 40; ++i)
        if (out[i].key == out[i - 1].key) EXPECT_LT(out[i - 1].tag, out[i].tag);
    EXPECT_NE(out.first().key, out.last().key);
    EXPECT_TRUE(mixed(QList<Item>{}, "seed", [](const Item& i) { return i.key; }).isEmpty());
}

// The albums around an artist come in the stable order of the lower-cased name: a signed compare, a missing
// separator, Latin-1 bytes or the name as spelt would each pick another three.
TEST(MixClusterBuild, ArtistWithAPictureTakesThreeAlbumsInTheStableOrder) {
    MixRig rig;
    rig.pictured = {"Tova Lind"};
    const auto cluster = rig.build(MixSeed::artist("Tova Lind"));
    ASSERT_TRUE(cluster);
    EXPECT_EQ(cluster->centre.id(), "artist:tova lind");
    EXPECT_EQ(described(cluster->around), QStringList({id("album", "Tova Lind", "\u00d6resund") + " | album",
                                                       id("album", "Tova Lind", "Quiet Rooms") + " | album",
                                                       id("album", "Tova Lind", "Salt") + " | album",
                                                       "dj:tova lind | play a mix from Tova Lind"}));
    ASSERT_EQ(rig.asked.size(), 1);
    EXPECT_EQ(rig.asked[0], std::make_pair(QString("Tova Lind"), qsizetype(6)));
}

TEST(MixClusterBuild, AlbumSeedTakesTwoOfTheArtistsOtherAlbumsByTheSeed) {
    MixRig rig;
    const struct {
        QString seed;
        QStringList picked;
    } cases[] = {{"One", {"Three", "Two"}}, {"Two", {"One", "Three"}}, {"Four", {"Three", "Five"}}};
    for (const auto& c : cases) {
        rig.asked.clear();
        const auto cluster = rig.build(MixSeed::album(MixRig::albumKey("Ada", c.seed)));
        ASSERT_TRUE(cluster);
        EXPECT_EQ(cluster->centre.id(), id("album", "Ada", c.seed));
        EXPECT_EQ(cluster->centre.relation, "album");
        EXPECT_EQ(
            described(cluster->around),
            QStringList({"artist:ada | artist", id("album", "Ada", c.picked[0]) + " | same artist",
                         id("album", "Ada", c.picked[1]) + " | same artist", "dj:ada | play a mix from Ada"}))
            << c.seed.toStdString();
        ASSERT_EQ(rig.asked.size(), 1);
        EXPECT_EQ(rig.asked[0].second, 6);
        // Two albums of five are left off the map, so the artist's tile shows one of them: the first in
        // library order.
        QSet<QString> shown{MixRig::albumKey("Ada", c.seed), MixRig::albumKey("Ada", c.picked[0]),
                            MixRig::albumKey("Ada", c.picked[1])};
        const Artist ada = *rig.library->artist("ada");
        const Album firstHidden = *std::find_if(ada.albums.cbegin(), ada.albums.cend(),
                                                [&](const Album& a) { return !shown.contains(a.id()); });
        EXPECT_EQ(cluster->around[0].cover, firstHidden.artworkURL());
        EXPECT_EQ(cluster->around[1].cover, MixRig::songOf("Ada", c.picked[0]));
        EXPECT_EQ(cluster->centre.cover, MixRig::songOf("Ada", c.seed));
        EXPECT_EQ(cluster->around[3].cover, std::nullopt);
    }
}

TEST(MixClusterBuild, OwnArtistTileIsPrunedWhenAllItsAlbumsAreShown) {
    MixRig rig;
    rig.relatedTo["bo"] = {"Rex", "Roy"};
    auto cluster = rig.build(MixSeed::album(MixRig::albumKey("Bo", "Only")));
    ASSERT_TRUE(cluster);
    // The artist's tile counts toward the nine before it is pruned.
    ASSERT_EQ(rig.asked.size(), 1);
    EXPECT_EQ(rig.asked[0].second, 8);
    EXPECT_EQ(
        described(cluster->around),
        QStringList({"dj:bo | play a mix from Bo", "album:" + MixRig::albumKey("Rex", "Noon") + " | like Rex",
                     "artist:roy | like Roy"}));

    cluster = rig.build(MixSeed::album(MixRig::albumKey("Cy", "Red")));
    ASSERT_TRUE(cluster);
    ASSERT_EQ(cluster->around.size(), 3);
    EXPECT_EQ(cluster->around[0].kind, MixItem::Kind::album);
    EXPECT_EQ(cluster->around[2].kind, MixItem::Kind::smartDJ);
}

TEST(MixClusterBuild, ArtistWithoutAPictureShowsItsFirstAlbumAtTheCentre) {
    MixRig rig;
    auto cluster = rig.build(MixSeed::artist("Bo"));
    ASSERT_TRUE(cluster);
    EXPECT_EQ(described(cluster->around), QStringList({"dj:bo | play a mix from Bo"}));
    EXPECT_EQ(rig.asked[0].second, 9);
    EXPECT_EQ(cluster->centre.cover, MixRig::songOf("Bo", "Only"));

    // Five albums: the first is the centre's artwork, three of the other four go around.
    rig.asked.clear();
    cluster = rig.build(MixSeed::artist("Ada"));
    ASSERT_TRUE(cluster);
    const Album first = rig.library->artist("Ada")->albums.first();
    EXPECT_EQ(cluster->centre.cover, first.artworkURL());
    ASSERT_EQ(cluster->around.size(), 4);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(cluster->around[i].kind, MixItem::Kind::album);
        EXPECT_NE(cluster->around[i].album.id(), first.id());
    }
    EXPECT_EQ(rig.asked[0].second, 6);
}

TEST(MixClusterBuild, RelatedArtistsAlternateBetweenFacesAndCovers) {
    MixRig rig;
    rig.pictured = {"Roy"};
    rig.unknown["Gone"] = Artist{"Gone", {}};
    // Position 7 is an odd-place artist without albums (nothing of it could be shown): pruned.
    rig.relatedTo["bo"] = {"Rae", "Rex", "Roy", "Ria", "Ron", "Rue", "Rob", "Gone", "Ray", "Rod"};
    const auto cluster = rig.build(MixSeed::artist("Bo"));
    ASSERT_TRUE(cluster);
    EXPECT_EQ(rig.asked[0].second, 9);
    EXPECT_EQ(
        described(cluster->around),
        QStringList({"dj:bo | play a mix from Bo", "album:" + MixRig::albumKey("Rae", "Noon") + " | like Rae",
                     "artist:rex | like Rex", "artist:roy | like Roy", "artist:ria | like Ria",
                     "album:" + MixRig::albumKey("Ron", "Dawn") + " | like Ron", "artist:rue | like Rue",
                     "album:" + MixRig::albumKey("Rob", "Noon") + " | like Rob",
                     "album:" + MixRig::albumKey("Ray", "Noon") + " | like Ray"}));
    // An odd-place artist with albums off the map stays and shows the first of them.
    EXPECT_EQ(cluster->around[2].cover,
              MixRig::songOf("Rex", rig.library->artist("Rex")->albums.first().title));
    EXPECT_EQ(cluster->around[5].cover, MixRig::songOf("Ron", "Dawn"));
}

TEST(MixClusterBuild, RelatedAlbumIsChosenByTheCentresID) {
    MixRig rig;
    rig.relatedTo["ada"] = {"Rae"};
    rig.relatedTo["tova lind"] = {"Rae"};
    auto cluster = rig.build(MixSeed::album(MixRig::albumKey("Ada", "One")));
    ASSERT_TRUE(cluster);
    EXPECT_EQ(cluster->around.last().id(), "album:" + MixRig::albumKey("Rae", "Dusk"));
    cluster = rig.build(MixSeed::artist("Tova Lind"));
    ASSERT_TRUE(cluster);
    EXPECT_EQ(cluster->around.last().id(), "album:" + MixRig::albumKey("Rae", "Noon"));
}

TEST(MixClusterBuild, NamesAreSpeltAsTheLibrarySpellsThem) {
    MixRig rig;
    const auto cluster = rig.build(MixSeed::artist("tOVA lIND"));
    ASSERT_TRUE(cluster);
    EXPECT_EQ(cluster->centre.seed(), MixSeed::artist("Tova Lind"));
    EXPECT_EQ(cluster->around.last().relation, "play a mix from Tova Lind");
    EXPECT_EQ(cluster->around.last().id(), "dj:tova lind");
    EXPECT_EQ(cluster->around.last().seed(), std::nullopt);
    EXPECT_EQ(rig.asked[0].first, "Tova Lind");
    EXPECT_EQ(cluster->around.first().seed(), MixSeed::album(cluster->around.first().album.id()));
}

TEST(MixClusterBuild, SeedsThatDoNotResolveGiveNoCluster) {
    MixRig rig;
    EXPECT_FALSE(rig.build(MixSeed::artist("Nobody")));
    EXPECT_FALSE(rig.build(MixSeed::album(MixRig::albumKey("Ada", "Six"))));
    // The album by itself is not enough: its album artist must be one of the library's artists too.
    MixCluster::Lookups lookups = MixCluster::Lookups::of(*rig.library);
    lookups.artist = [](const QString&) { return std::optional<Artist>(); };
    EXPECT_FALSE(MixCluster::build(MixSeed::album(MixRig::albumKey("Ada", "One")), lookups, rig.related(),
                                   rig.hasPicture()));
    EXPECT_TRUE(rig.asked.isEmpty());
}

TEST(MixClusterBuild, SameInputsGiveTheSameCluster) {
    MixRig rig;
    rig.relatedTo["ada"] = {"Rae", "Rex", "Roy", "Ria", "Ron", "Rue", "Rob"};
    const auto a = rig.build(MixSeed::album(MixRig::albumKey("Ada", "Three")));
    const auto b = rig.build(MixSeed::album(MixRig::albumKey("Ada", "Three")));
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->centre, b->centre);
    EXPECT_EQ(a->around, b->around);
    for (qsizetype i = 0; i < a->around.size(); ++i)
        EXPECT_EQ(a->around[i].cover, b->around[i].cover);

    MixItem other = a->around[0];
    other.relation = "something else";
    EXPECT_NE(other, a->around[0]);
    other = a->around[0];
    other.cover.reset();
    EXPECT_EQ(other, a->around[0]);
}
