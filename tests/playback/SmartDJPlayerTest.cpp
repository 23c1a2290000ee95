#include "PlayerRig.h"
#include "RelationsFixtures.h"
#include "library/LibraryStore.h"
#include "playback/LastFMStore.h"
#include "support/Printers.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A player beside a real library store holding the given artists' songs, and an empty Last.fm store.
struct MixRig {
    PlayerRig rig;
    QList<Song> all;
    LibraryStore library;
    LastFMStore lastFM{*rig.defaults};

    explicit MixRig(const QList<Artist>& artists)
        : all(songsOf(artists)),
          library(*rig.defaults, [this](const FileUrl&, const QHash<QString, Song>&,
                                        const LibraryScanner::Progress&) { return all; }) {
        library.useFolder(QUrl::fromLocalFile(rig.home.folder("music")));
        // A scan asked for while the cache is still being read starts once it is in.
        EXPECT_TRUE(QTest::qWaitFor([&] { return library.loaded() && !library.scanning(); }, 10000));
    }

    static QList<Song> songsOf(const QList<Artist>& artists) {
        QList<Song> out;
        for (const Artist& a : artists)
            out.append(a.songs());
        return out;
    }

    Artist artist(const QString& name) const { return *library.artist(name); }

    // Plays on to the end of the queue, as the end of the last song would.
    void runOut() {
        rig->jump(int(rig->queue().size()) - 1);
        rig->next(true);
    }
};

QSet<QString> paths(const QList<Song>& songs) {
    QSet<QString> out;
    for (const Song& s : songs)
        out.insert(s.path());
    return out;
}

const QList<Artist> fourArtists = {fixtures::artist("Centre", 40), fixtures::artist("B", 30),
                                   fixtures::artist("C", 30), fixtures::artist("D", 30)};

} // namespace

TEST(SmartDJPlayer, StartsAMixAroundTheArtist) {
    MixRig mix(fourArtists);
    ASSERT_EQ(mix.library.artists().size(), 4);
    mix.rig->smartDJ(mix.artist("Centre"), mix.library, mix.lastFM);

    const QList<Song> queue = mix.rig->queue();
    ASSERT_EQ(queue.size(), 60);
    EXPECT_EQ(paths(queue).size(), 60);
    EXPECT_EQ(mix.rig->index(), 0);
    EXPECT_EQ(queue.first().albumArtist, "Centre");
    EXPECT_EQ(mix.rig->smartDJArtist(), "Centre");
    EXPECT_EQ(mix.rig->current(), queue.first());

    // The player's random source drives the mix: the same source, the same mix.
    MixRig again(fourArtists);
    again.rig->smartDJ(again.artist("Centre"), again.library, again.lastFM);
    EXPECT_EQ(again.rig->queue(), queue);
}

TEST(SmartDJPlayer, ContinuesWithFreshSongsThenWithSongsHeardLongAgo) {
    MixRig mix(fourArtists);
    mix.rig->smartDJ(mix.artist("Centre"), mix.library, mix.lastFM);
    const QList<Song> first = mix.rig->queue();

    mix.runOut();
    const QList<Song> grown = mix.rig->queue();
    ASSERT_EQ(grown.size(), 120);
    EXPECT_EQ(grown.mid(0, 60), first);
    EXPECT_FALSE(paths(grown.mid(60)).intersects(paths(first)));
    EXPECT_EQ(mix.rig->index(), 60); // plays the first added song
    EXPECT_EQ(mix.rig->smartDJArtist(), "Centre");

    mix.runOut();
    ASSERT_EQ(mix.rig->queue().size(), 130); // the last 10 songs never queued

    // Every song is queued now: only the last 20 queued are kept out.
    const QList<Song> full = mix.rig->queue();
    mix.runOut();
    const QList<Song> again = mix.rig->queue();
    ASSERT_EQ(again.size(), 190);
    EXPECT_EQ(paths(again.mid(130)).size(), 60);
    EXPECT_FALSE(paths(again.mid(130)).intersects(paths(full.mid(110))));
    EXPECT_EQ(mix.rig->index(), 130);
}

TEST(SmartDJPlayer, OnlyAMixIsContinued) {
    const QList<Song> ordinary = fourArtists[0].songs().mid(0, 3);
    {
        // Nobody has a song to give: nothing changes, and the ordinary queue is not extended later.
        MixRig empty({});
        empty.rig->play(ordinary, 0);
        empty.rig->smartDJ(Artist{"Ghost", {}}, empty.library, empty.lastFM);
        EXPECT_EQ(empty.rig->queue(), ordinary);
        EXPECT_FALSE(empty.rig->smartDJArtist());
        empty.runOut();
        EXPECT_EQ(empty.rig->queue(), ordinary);
    }

    MixRig mix(fourArtists);
    // Playing another list ends the mix's continuation; adding songs to a mix keeps it.
    mix.rig->smartDJ(mix.artist("B"), mix.library, mix.lastFM);
    mix.rig->enqueue(ordinary);
    mix.runOut();
    EXPECT_GT(mix.rig->queue().size(), 63);
    mix.rig->play(ordinary, 0);
    mix.runOut();
    EXPECT_EQ(mix.rig->queue(), ordinary);
}

TEST(SmartDJPlayer, TasteIsTheListenersNow) {
    MixRig mix(fourArtists);
    const QList<Song> list = mix.all.mid(0, 35);
    mix.rig->play(list, 0);
    for (int i = 1; i < 35; ++i)
        mix.rig->jump(i);
    mix.rig->toggleLike(list[3]);
    mix.rig->log().setListens({Listen{list[0].path(), "Centre", Date{0}, 5, 200, false},
                               Listen{list[1].path(), "Centre", Date{0}, 5, 200, true}});

    const SmartDJ::Taste taste = mix.rig->taste();
    EXPECT_EQ(taste.liked, QSet<QString>{list[3].path()});
    EXPECT_EQ(taste.plays, mix.rig->playCounts());
    EXPECT_EQ(taste.plays.value(list[7].path()), 1);
    EXPECT_EQ(taste.skips, (QHash<QString, int>{{list[0].path(), 1}}));
    EXPECT_EQ(taste.recent, paths(list.mid(5))); // the 30 started last
}

#include "playback/RelatedArtists.h"

namespace {
QStringList relatedNames(RelatedArtists& relations, const QString& artist) {
    QStringList out;
    for (const QVariant& r : relations.related(artist, 10))
        out.append(r.toMap().value("name").toString());
    return out;
}
} // namespace

// The views' relations are built off the GUI thread: the first question answers nothing and starts the
// build; the set then arrives in one step, equal to one built in place.
TEST(SmartDJPlayer, ViewRelationsArriveFromAWorkerInOneStep) {
    MixRig mix(fourArtists);
    RelatedArtists relations(mix.library, *mix.rig, mix.lastFM);
    QSignalSpy changed(&relations, &RelatedArtists::changed);
    EXPECT_FALSE(relations.ready());
    EXPECT_TRUE(relations.related("Centre", 10).isEmpty());
    ASSERT_TRUE(changed.wait(5000));
    ASSERT_TRUE(relations.ready());

    const ArtistRelations inPlace(mix.library.artists(), {}, {}, mix.lastFM.artists());
    QStringList expected;
    for (const auto& r : inPlace.related(QString("Centre"), 10))
        expected.append(r.artist.name);
    EXPECT_EQ(relatedNames(relations, "Centre"), expected);
    EXPECT_EQ(expected.size(), 3);

    // A change of the collection during a build is not lost: the set that ends up ready knows the new
    // artist, and the one published meanwhile is answered from until then.
    mix.all.append(fixtures::artist("E", 20).songs());
    mix.library.scan();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return !mix.library.scanning() && mix.library.artists().size() == 5; }, 10000));
    EXPECT_FALSE(relations.ready());
    EXPECT_EQ(relatedNames(relations, "Centre"), expected);
    ASSERT_TRUE(QTest::qWaitFor([&] { return relations.ready(); }, 5000));
    EXPECT_TRUE(relatedNames(relations, "Centre").contains("E"));
}

// Smart DJ started from a view waits for the worker's relations and then mixes as it would in place.
TEST(SmartDJPlayer, AMixFromAViewWaitsForTheRelations) {
    MixRig mix(fourArtists);
    RelatedArtists relations(mix.library, *mix.rig, mix.lastFM);
    mix.rig->setStores(&mix.library, &mix.lastFM);
    mix.rig->setRelations(&relations);
    mix.rig->smartDJ(QVariant(QString("Centre")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return mix.rig->queue().size() == 60; }, 5000));
    EXPECT_EQ(mix.rig->smartDJArtist(), "Centre");

    MixRig inPlace(fourArtists);
    inPlace.rig->smartDJ(inPlace.artist("Centre"), inPlace.library, inPlace.lastFM);
    EXPECT_EQ(mix.rig->queue(), inPlace.rig->queue());
}
