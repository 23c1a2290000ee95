#include "quickplay/QuickplayModel.h"
#include "QuickplayRig.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

QuickRow rowWith(const QString& id, const QString& title = {}) {
    QuickRow row;
    row.id = id;
    row.kind = QStringLiteral("album");
    row.title = title.isEmpty() ? id : title;
    return row;
}

QList<QuickRow> rowsOf(const QStringList& ids) {
    QList<QuickRow> out;
    for (const QString& id : ids)
        out.append(rowWith(id));
    return out;
}

// Applying a new list keeps every row whose identity stays: it may move or change, never leave and come back.
TEST(QuickItemModel, appliesAListRowByRowByIdentity) {
    struct Case {
        QStringList from;
        QStringList to;
    };
    const QList<Case> cases{
        {{}, {"a", "b"}},
        {{"a", "b", "c"}, {}},
        {{"a", "b", "c"}, {"x", "a", "b", "c"}},
        {{"a", "b", "c"}, {"c", "a", "d"}},
        {{"a", "b", "c", "d"}, {"d", "c", "b", "a"}},
        {{"a", "b"}, {"b", "b", "a"}},
        {{"a", "a", "b"}, {"a", "b"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.from.join(',').toStdString() + " -> " + c.to.join(',').toStdString());
        QuickItemModel model;
        model.setRows(rowsOf(c.from));
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Warning);
        QStringList left;
        QObject::connect(&model, &QAbstractItemModel::rowsAboutToBeRemoved,
                         [&](const QModelIndex&, int first, int last) {
                             for (int i = first; i <= last; ++i)
                                 left << model.rows().at(i).id;
                         });
        QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
        model.setRows(rowsOf(c.to));
        EXPECT_EQ(model.ids(), c.to);
        EXPECT_EQ(resets.count(), 0);
        for (const QString& id : left)
            EXPECT_TRUE(!c.to.contains(id) || c.from.count(id) > c.to.count(id)) << id.toStdString();
    }
}

TEST(QuickItemModel, changedDataOfAKeptRowIsOneDataChange) {
    QuickItemModel model;
    model.setRows({rowWith("a", "One"), rowWith("b", "Two")});
    const QPersistentModelIndex b = model.index(1);
    QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);
    model.setRows({rowWith("b", "Two, renamed"), rowWith("a", "One")});
    ASSERT_TRUE(b.isValid());
    EXPECT_EQ(b.row(), 0);
    EXPECT_EQ(b.data(QuickItemModel::TitleRole).toString(), QStringLiteral("Two, renamed"));
    EXPECT_EQ(changes.count(), 1);
    model.setRows(model.rows());
    EXPECT_EQ(changes.count(), 1); // the same list again changes nothing
}

struct ModelRig : QuickplayRig {
    QuickplayModel model{*app, *library, *player, *playlists};
    using QuickplayRig::QuickplayRig;
    void settle() { QCoreApplication::processEvents(); }
};

TEST(QuickplayModel, pinningMovesAnAlbumFromNewToThePinsWithoutResettingEitherColumn) {
    ModelRig rig({{albumSong("Ann", "One", "a", 20), albumSong("Bob", "Two", "b", 10)}, {}, {}, {}, {}});
    EXPECT_EQ(rig.model.newItems()->ids(), QStringList({"artist:ann", "album:" + albumID("Ann", "One"),
                                                        "artist:bob", "album:" + albumID("Bob", "Two")}));
    const QPersistentModelIndex bob = rig.model.newItems()->index(3);
    QSignalSpy resets(rig.model.newItems(), &QAbstractItemModel::modelReset);
    QSignalSpy inserted(rig.model.pins(), &QAbstractItemModel::rowsInserted);

    rig.app->togglePin(Pin::album(albumID("Bob", "Two")));
    rig.settle();
    EXPECT_EQ(rig.model.pins()->ids(), QStringList({"album:" + albumID("Bob", "Two")}));
    EXPECT_EQ(inserted.count(), 1);
    // With Bob's album pinned, Ann's is the only new one, so the cutoff moves and Bob's artist item goes.
    EXPECT_EQ(rig.model.newItems()->ids(), QStringList({"artist:ann", "album:" + albumID("Ann", "One")}));
    EXPECT_EQ(resets.count(), 0);
    EXPECT_FALSE(bob.isValid());
    EXPECT_EQ(rig.model.collectionIds(), QStringList({"album:" + albumID("Bob", "Two"), "artist:ann",
                                                      "album:" + albumID("Ann", "One")}));
}

TEST(QuickplayModel, rebuildsOncePerChangeAndNeverForThePositionTick) {
    ModelRig rig({{albumSong("Ann", "One", "a", 20), albumSong("Bob", "Two", "b", 10)}, {}, {}, {}, {}});
    const int before = rig.model.builds();
    emit rig.player->positionChanged();
    emit rig.player->isPlayingChanged();
    rig.settle();
    EXPECT_EQ(rig.model.builds(), before);

    // A scan publishes songs, albums and artists together: one rebuild.
    emit rig.library->songsChanged();
    emit rig.library->albumsChanged();
    emit rig.library->artistsChanged();
    rig.settle();
    EXPECT_EQ(rig.model.builds(), before + 1);

    rig.player->play({*rig.library->song("/m/Bob/Two/b.mp3")});
    rig.settle();
    EXPECT_EQ(rig.model.history()->ids(), QStringList({"album:" + albumID("Bob", "Two")}));
    EXPECT_FALSE(rig.model.newItems()->ids().contains("album:" + albumID("Bob", "Two")));
}

TEST(QuickplayModel, songsAddedToAPinnedPlaylistReachItsTile) {
    ModelRig rig({{albumSong("Ann", "One", "a", 20), albumSong("Bob", "Two", "b", 10)}, {}, {}, {}, {}});
    const Playlist list =
        rig.playlists->create(QStringLiteral("mine"), {*rig.library->song("/m/Ann/One/a.mp3")});
    rig.app->togglePin(*Pin::playlist(Playlist::uuidText(list.id)));
    rig.settle();
    ASSERT_EQ(rig.model.pins()->count(), 1);
    const QModelIndex tile = rig.model.pins()->index(0);
    EXPECT_EQ(tile.data(QuickItemModel::SongCountRole).toInt(), 1);
    EXPECT_EQ(tile.data(QuickItemModel::CoverUrlsRole).toStringList(), QStringList({"/m/Ann/One/a.mp3"}));

    // The playlist store alone changes: the tile still follows.
    EXPECT_EQ(rig.playlists->add({*rig.library->song("/m/Bob/Two/b.mp3")}, list.id), 1);
    rig.settle();
    EXPECT_EQ(rig.model.pins()->index(0).data(QuickItemModel::SongCountRole).toInt(), 2);
    EXPECT_EQ(rig.model.pins()->index(0).data(QuickItemModel::CoverUrlsRole).toStringList(),
              QStringList({"/m/Ann/One/a.mp3", "/m/Bob/Two/b.mp3"}));
}

TEST(QuickplayModel, anArtistTileTakesACoverNotAlreadyOnThePage) {
    // Ann is pinned; her newer album is in the history, and seven newer albums by others fill new, so her
    // older album is the one not on the page.
    QList<Song> songs{albumSong("Ann", "Old", "o", 1), albumSong("Ann", "New", "n", 2)};
    for (int i = 0; i < 7; ++i)
        songs << albumSong(QStringLiteral("X%1").arg(i), "Rec", "x", 10 + i);
    ModelRig rig({songs, {"artist:Ann"}, {"/m/Ann/New/n.mp3"}, {}, {}});
    ASSERT_EQ(rig.model.pins()->count(), 1);
    const QModelIndex ann = rig.model.pins()->index(0);
    EXPECT_EQ(ann.data(QuickItemModel::AlbumCountRole).toInt(), 2);
    EXPECT_EQ(ann.data(QuickItemModel::ArtworkRole).toString(), QStringLiteral("/m/Ann/Old/o.mp3"));

    // Once the older album is played too, both are on the page: the first album's cover.
    rig.player->play({*rig.library->song("/m/Ann/Old/o.mp3")});
    rig.settle();
    const Album first = rig.library->artist("Ann")->albums.first();
    EXPECT_EQ(rig.model.pins()->index(0).data(QuickItemModel::ArtworkRole).toString(),
              first.songs.first().path());
}

} // namespace
