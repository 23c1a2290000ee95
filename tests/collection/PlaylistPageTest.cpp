#include "collection/PlaylistPage.h"
#include "collection/ListKeys.h"
#include "core/Defaults.h"
#include "kit/MenuContext.h"
#include "library/LibraryStore.h"
#include "library/PlayerMusic.h"
#include "library/PlaylistStore.h"
#include "platform/gst/FakeMediaBackend.h"
#include "playback/LastFMStore.h"
#include "playback/Player.h"
#include "shell/AppModel.h"
#include "support/LibraryRig.h"
#include "support/Songs.h"
#include "support/TestHome.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

const int playlistsColumn = int(CollectionColumn::playlists);
const int songsColumn = int(CollectionColumn::songs);

// The real stores over a private home, with a page on them. The library holds album "A" (a1…a3) by Ann
// and loose songs s1…s6 by Bo, each 200 s long.
struct Rig : LibraryRig {
    PlaylistStore playlists;
    AppModel app{defaults};
    PlayerMusic pocket{defaults};
    PlaylistPage page;

    Rig() {
        QList<Song> songs;
        for (int i = 1; i <= 3; ++i) {
            Song s = song(QStringLiteral("a%1").arg(i), QStringLiteral("Ann"), QStringLiteral("A"));
            s.track = i;
            songs.append(s);
        }
        for (int i = 1; i <= 6; ++i)
            songs.append(song(QStringLiteral("s%1").arg(i)));
        startLibrary(songs);
        startPlayer();
        page.setTimeLocale(QStringLiteral("en_GB"));
        page.setStores(&app, library.get(), player.get(), &playlists, &pocket);
    }

    Song song(const QString& title, const QString& artist = QStringLiteral("Bo"),
              const QString& album = QStringLiteral("B")) const {
        return makeSong(musicFolder + QLatin1Char('/') + title + QStringLiteral(".mp3"), artist, album,
                        title);
    }
    Song find(const QString& title) const { return *library->song(song(title).url.path); }
    QList<Song> findAll(const QStringList& titles) const {
        QList<Song> out;
        for (const QString& t : titles)
            out.append(find(t));
        return out;
    }
    QString notice() const { return player->notice() ? player->notice()->text : QString(); }
    QStringList rows() {
        QStringList out;
        for (int i = 0; i < page.songs()->rowCount(); ++i)
            out.append(page.songs()->titleAt(i));
        return out;
    }
    QString idOf(const Playlist& p) const { return Playlist::uuidText(p.id); }
    PlayerPick albumPick() const { return PlayerPick::album(*library->album(find("a1").albumID())); }
    PlayerPick songPick(const QString& title) const { return PlayerPick::song(find(title)); }
};

QString likedID() {
    return Playlist::uuidText(AutoPlaylist(AutoPlaylist::liked).id());
}

} // namespace

TEST(PlaylistPage, ShowsTheSelectionElseTheFirstEntry) {
    Rig rig;
    // No own playlists: "liked songs".
    EXPECT_EQ(rig.page.shownName(), QStringLiteral("liked songs"));
    EXPECT_EQ(rig.page.listIndex(), 0);

    const Playlist older = rig.playlists.create(QStringLiteral("older"), {});
    const Playlist newer = rig.playlists.create(QStringLiteral("newer"), {});
    EXPECT_EQ(rig.page.shownName(), QStringLiteral("newer"));
    rig.app.setSelectedPlaylistID(rig.idOf(older));
    EXPECT_EQ(rig.page.shownName(), QStringLiteral("older"));
    EXPECT_EQ(rig.page.listIndex(), 1);
    // The cursor moved by keys shows its row at once.
    rig.page.setListIndex(3); // own: newer, older; then liked, most played, recently added
    EXPECT_EQ(rig.page.shownName(), QStringLiteral("most played"));
    // A selection that names a playlist no longer there: the first entry.
    rig.app.setSelectedPlaylistID(rig.idOf(older));
    rig.playlists.deletePlaylist(older.id);
    EXPECT_EQ(rig.page.shownName(), QStringLiteral("newer"));
}

TEST(PlaylistPage, DeletingUnpinsTakesOffThePlayerAndClearsTheSelection) {
    Rig rig;
    const Playlist a = rig.playlists.create(QStringLiteral("a"), rig.findAll({"s1"}));
    const Playlist b = rig.playlists.create(QStringLiteral("b"), {});
    const Playlist c = rig.playlists.create(QStringLiteral("c"), {});
    rig.app.togglePin(*Pin::playlist(rig.idOf(b)));
    rig.pocket.add({PlayerPick::playlist(b)}, {});
    rig.player->setNotice(std::nullopt);

    // The shown one goes: the newest left shows.
    rig.app.setSelectedPlaylistID(rig.idOf(b));
    rig.page.askDelete(rig.idOf(b));
    EXPECT_EQ(rig.page.deleteTitle(), QStringLiteral("Delete b?"));
    rig.page.confirmDelete();
    EXPECT_FALSE(rig.page.deleting());
    EXPECT_FALSE(rig.app.isPinned(*Pin::playlist(rig.idOf(b))));
    EXPECT_TRUE(rig.pocket.picks().isEmpty());
    EXPECT_FALSE(rig.player->notice().has_value());
    EXPECT_EQ(rig.playlists.playlists().size(), 2);
    EXPECT_EQ(rig.page.shownName(), QStringLiteral("c"));

    // Another one deleted from its menu clears the selection too.
    rig.app.setSelectedPlaylistID(rig.idOf(a));
    rig.page.askDelete(rig.idOf(c));
    rig.page.confirmDelete();
    EXPECT_FALSE(rig.app.selectedPlaylistID().has_value());
    EXPECT_EQ(rig.page.shownName(), QStringLiteral("a"));

    // A dismissed dialog deletes nothing; automatic playlists are never asked about.
    rig.page.askDelete(rig.idOf(a));
    rig.page.dismissDelete();
    rig.page.confirmDelete();
    EXPECT_EQ(rig.playlists.playlists().size(), 1);
    rig.page.askDelete(likedID());
    EXPECT_FALSE(rig.page.deleting());
}

TEST(PlaylistPage, NamingAndRenamingStateMachine) {
    Rig rig;
    const Playlist mix = rig.playlists.create(QStringLiteral("mix"), rig.findAll({"s1"}));
    const Playlist other = rig.playlists.create(QStringLiteral("other"), {});
    rig.app.setSelectedPlaylistID(rig.idOf(mix));
    rig.page.appeared();
    EXPECT_EQ(rig.page.focusColumn(), playlistsColumn);

    // Renaming while naming fills the field; naming while renaming empties it.
    rig.page.startNaming();
    rig.page.setDraft(QStringLiteral("half"));
    rig.page.startRenaming(rig.idOf(mix));
    EXPECT_FALSE(rig.page.naming());
    EXPECT_TRUE(rig.page.renaming());
    EXPECT_EQ(rig.page.draft(), QStringLiteral("mix"));
    EXPECT_FALSE(rig.page.listFocusable());
    rig.page.startNaming();
    EXPECT_TRUE(rig.page.naming());
    EXPECT_FALSE(rig.page.renaming());
    EXPECT_EQ(rig.page.draft(), QString());

    // An empty name twice: "new playlist", then "new playlist 2", each shown.
    rig.page.createFromDraft();
    EXPECT_EQ(rig.page.shownName(), QStringLiteral("new playlist"));
    rig.page.startNaming();
    rig.page.createFromDraft();
    EXPECT_EQ(rig.page.shownName(), QStringLiteral("new playlist 2"));
    EXPECT_FALSE(rig.page.naming());
    EXPECT_EQ(rig.page.focusColumn(), playlistsColumn);

    // An empty rename keeps the name; a committed rename hands the keyboard to the songs.
    rig.app.setSelectedPlaylistID(rig.idOf(mix));
    rig.page.startRenaming(rig.idOf(mix));
    rig.page.setDraft(QStringLiteral("  "));
    rig.page.commitRename();
    EXPECT_EQ(rig.page.shownName(), QStringLiteral("mix"));
    EXPECT_EQ(rig.page.focusColumn(), songsColumn);
    // … unless the playlist is empty: the list keeps it.
    rig.page.setFocusColumn(playlistsColumn);
    rig.page.renameFromMenu(rig.idOf(other));
    rig.page.setDraft(QStringLiteral("kept"));
    rig.page.commitRename();
    EXPECT_EQ(rig.page.shownName(), QStringLiteral("kept"));
    EXPECT_EQ(rig.page.focusColumn(), playlistsColumn);

    // Escape: the list takes the keyboard, the draft stays.
    rig.page.startRenaming(rig.idOf(other));
    rig.page.setDraft(QStringLiteral("typed"));
    rig.page.cancelNaming();
    EXPECT_FALSE(rig.page.renaming());
    EXPECT_EQ(rig.page.draft(), QStringLiteral("typed"));
    EXPECT_EQ(rig.page.focusColumn(), playlistsColumn);

    // Another row clicked mid-rename: the field closes, the old name stays.
    rig.page.startRenaming(rig.idOf(other));
    rig.page.setDraft(QStringLiteral("lost"));
    rig.page.select(rig.idOf(mix));
    EXPECT_FALSE(rig.page.renaming());
    EXPECT_EQ(rig.playlists.playlist(other.id)->name, QStringLiteral("kept"));

    // The row menu's "rename" on a playlist not shown: shown with its field open, and Return renames it.
    rig.page.renameFromMenu(rig.idOf(other));
    EXPECT_EQ(rig.page.shownName(), QStringLiteral("kept"));
    EXPECT_TRUE(rig.page.renaming());
    EXPECT_EQ(rig.page.draft(), QStringLiteral("kept"));
    rig.page.setDraft(QStringLiteral("renamed"));
    rig.page.commitRename();
    EXPECT_EQ(rig.playlists.playlist(other.id)->name, QStringLiteral("renamed"));
    EXPECT_EQ(rig.playlists.playlist(mix.id)->name, QStringLiteral("mix"));

    // Automatic playlists are not renamed.
    rig.page.startRenaming(likedID());
    EXPECT_FALSE(rig.page.renaming());
}

TEST(PlaylistPage, NewPlaylistCommandStartsNaming) {
    // Set before the page shows: naming starts as it appears.
    Rig before;
    before.app.setNamingNewPlaylist(true);
    EXPECT_FALSE(before.page.naming());
    before.page.appeared();
    EXPECT_TRUE(before.page.naming());
    EXPECT_FALSE(before.app.namingNewPlaylist());

    // Set while shown: at once.
    Rig shown;
    shown.page.appeared();
    shown.app.setNamingNewPlaylist(true);
    EXPECT_TRUE(shown.page.naming());
    EXPECT_FALSE(shown.app.namingNewPlaylist());
}

TEST(PlaylistPage, LandingPulseEndsOnlyItsOwnRow) {
    Rig rig;
    const Playlist a = rig.playlists.create(QStringLiteral("a"), {});
    const Playlist b = rig.playlists.create(QStringLiteral("b"), {});
    ASSERT_TRUE(rig.page.dropOn({rig.songPick("s1")}, a.id));
    EXPECT_EQ(rig.page.landed(), rig.idOf(a));
    QTest::qWait(150);
    ASSERT_TRUE(rig.page.dropOn({rig.songPick("s2")}, b.id));
    EXPECT_EQ(rig.page.landed(), rig.idOf(b));
    // a's end comes and finds b pulsing: b stays.
    QTest::qWait(200);
    EXPECT_EQ(rig.page.landed(), rig.idOf(b));
    EXPECT_TRUE(QTest::qWaitFor([&] { return rig.page.landed().isEmpty(); }, 1000));
}

TEST(PlaylistPage, DropsOnTheList) {
    Rig rig;
    // One album on "New playlist": named after it, shown, pulsed.
    ASSERT_TRUE(rig.page.makePlaylist({rig.albumPick()}));
    const Playlist made = rig.playlists.playlists().first();
    EXPECT_EQ(made.name, QStringLiteral("A"));
    EXPECT_EQ(rig.page.shownID(), made.id);
    EXPECT_EQ(rig.page.landed(), rig.idOf(made));
    EXPECT_EQ(rig.rows(), (QStringList{"a1", "a2", "a3"}));
    // Two picks: "new playlist"; overlapping picks give each song once, in first-seen order.
    ASSERT_TRUE(rig.page.makePlaylist({rig.songPick("a2"), rig.albumPick()}));
    EXPECT_EQ(rig.playlists.playlists().first().name, QStringLiteral("new playlist"));
    EXPECT_EQ(rig.rows(), (QStringList{"a2", "a1", "a3"}));
    // Nothing to make of: refused.
    EXPECT_FALSE(rig.page.makePlaylist(QList<PlayerPick>{PlayerPick::song(rig.song("gone"))}));
    EXPECT_EQ(rig.playlists.playlists().size(), 2);

    // A row's own pick alone is refused; with others, only the others are added.
    const Playlist mine = rig.playlists.create(QStringLiteral("mine"), rig.findAll({"s1"}));
    rig.player->setNotice(std::nullopt);
    EXPECT_FALSE(rig.page.dropOn({PlayerPick::playlist(mine)}, mine.id));
    EXPECT_FALSE(rig.player->notice().has_value());
    EXPECT_TRUE(rig.page.dropOn({PlayerPick::playlist(mine), rig.songPick("s2")}, mine.id));
    EXPECT_EQ(rig.playlists.playlist(mine.id)->paths,
              (QStringList{rig.find("s1").url.path, rig.find("s2").url.path}));
    // "most played" and "recently added" refuse.
    EXPECT_FALSE(rig.page.dropOn({rig.songPick("s3")}, AutoPlaylist(AutoPlaylist::mostPlayed).id()));
    rig.page.dragOver(Playlist::uuidText(AutoPlaylist(AutoPlaylist::mostPlayed).id()), true);
    EXPECT_EQ(rig.page.dropTarget(), QString());
}

TEST(PlaylistPage, LikingByDrop) {
    const QUuid liked = AutoPlaylist(AutoPlaylist::liked).id();
    struct Case {
        int likedBefore;
        QString notice;
    };
    for (const Case& c : {Case{0, "liked 3 songs"}, Case{1, "liked 2 songs"}, Case{2, "liked 1 song"},
                          Case{3, "those are liked already"}}) {
        Rig rig;
        const QList<Song> three = rig.findAll({"s1", "s2", "s3"});
        rig.player->like(three.mid(0, c.likedBefore));
        EXPECT_TRUE(rig.page.dropOn({rig.songPick("s1"), rig.songPick("s2"), rig.songPick("s3")}, liked));
        EXPECT_EQ(rig.notice(), c.notice);
        EXPECT_EQ(rig.page.landed(), likedID()); // pulsed also when nothing was new
        EXPECT_EQ(rig.player->likes().size(), 3);
    }
    Rig one;
    one.player->like(one.findAll({"s1"}));
    EXPECT_TRUE(one.page.dropOn({one.songPick("s1")}, liked));
    EXPECT_EQ(one.notice(), QStringLiteral("\u201cs1\u201d is liked already"));
}

TEST(PlaylistPage, DetailTexts) {
    // Facts: 29, 89, 90 s → 1, 1, 2 min; none → "0 songs" without length.
    EXPECT_EQ(PlaylistPage::facts(0, 0), QStringLiteral("0 songs"));
    EXPECT_EQ(PlaylistPage::facts(1, 29), QStringLiteral("1 song \u00b7 1 min"));
    EXPECT_EQ(PlaylistPage::facts(2, 89), QStringLiteral("2 songs \u00b7 1 min"));
    EXPECT_EQ(PlaylistPage::facts(2, 90), QStringLiteral("2 songs \u00b7 2 min"));

    Playlist p;
    p.created = Date::fromUnix(QDateTime(QDate(2024, 3, 5), QTime(12, 0)).toSecsSinceEpoch());
    EXPECT_EQ(PlaylistPage::madeCaption(p, QStringLiteral("en_GB")),
              QStringLiteral("playlist \u00b7 made 5 Mar"));

    Rig rig;
    // An empty own playlist.
    rig.playlists.create(QStringLiteral("empty"), {});
    EXPECT_EQ(rig.page.facts(), QStringLiteral("0 songs"));
    EXPECT_FALSE(rig.page.hasSongs());
    EXPECT_TRUE(rig.page.emptyNote().startsWith(QStringLiteral("Drag albums or songs")));
    EXPECT_EQ(rig.page.renameHint(), QStringLiteral("Double-click to rename"));
    EXPECT_TRUE(rig.page.caption().startsWith(QStringLiteral("playlist \u00b7 made ")));
    // Automatic: caption, about, the liked note, no rename.
    rig.app.setSelectedPlaylistID(likedID());
    EXPECT_EQ(rig.page.caption(), QStringLiteral("automatic playlist"));
    EXPECT_FALSE(rig.page.about().isEmpty());
    EXPECT_TRUE(rig.page.emptyNote().contains(QStringLiteral("Ctrl+L")));
    EXPECT_EQ(rig.page.renameHint(), QString());
    // Liking a song puts it in the liked list row by row.
    rig.player->like(rig.findAll({"s4"}));
    EXPECT_EQ(rig.rows(), QStringList{"s4"});
    EXPECT_EQ(rig.page.facts(), QStringLiteral("1 song \u00b7 3 min"));
}

TEST(PlaylistPage, DetailSongActions) {
    Rig rig;
    Playlist p = rig.playlists.create(QStringLiteral("mix"), rig.findAll({"s1", "s2", "s1", "s3"}));
    rig.app.setSelectedPlaylistID(rig.idOf(p));
    ASSERT_EQ(rig.rows(), (QStringList{"s1", "s2", "s1", "s3"}));

    // Moves by the song's first place: none up for the first, none down for the last.
    const auto labels = [&](int row) {
        QStringList out;
        for (const QVariant& a : rig.page.moveActions(row))
            out.append(a.toMap().value(QStringLiteral("label")).toString());
        return out;
    };
    EXPECT_EQ(labels(0), QStringList{"Move Down"});
    EXPECT_EQ(labels(2), QStringList{"Move Down"}); // s1 again: its first place counts
    EXPECT_EQ(labels(1), (QStringList{"Move Up", "Move Down"}));
    EXPECT_EQ(labels(3), QStringList{"Move Up"});

    // A doubled song is removed wholly, named once; rows leave, nothing resets.
    QSignalSpy reset(rig.page.songs(), &QAbstractItemModel::modelReset);
    QSignalSpy removed(rig.page.songs(), &QAbstractItemModel::rowsRemoved);
    rig.page.removeSong(2);
    EXPECT_EQ(rig.rows(), (QStringList{"s2", "s3"}));
    EXPECT_EQ(rig.notice(), QStringLiteral("took \u201cs1\u201d out of mix"));
    EXPECT_EQ(removed.size(), 2);
    EXPECT_EQ(reset.size(), 0);
    EXPECT_EQ(rig.page.songs()->resolved(), rig.page.songs()->songs());

    // One-song playlist offers no moves.
    const Playlist single = rig.playlists.create(QStringLiteral("one"), rig.findAll({"s5"}));
    rig.app.setSelectedPlaylistID(rig.idOf(single));
    EXPECT_TRUE(rig.page.moveActions(0).isEmpty());
    // Automatic playlists have no song actions.
    rig.app.setSelectedPlaylistID(likedID());
    rig.player->like(rig.findAll({"s1", "s2"}));
    EXPECT_TRUE(rig.page.moveActions(0).isEmpty());
}

// The detail's rows stand for the store's songs through every kind of edit, with the total length kept
// exact and no rebuild: a removal the row's action names, a removal of a song listed many times (which lets
// go of the songs no row shows any more), appends, drops and moves.
TEST(PlaylistPage, DetailRowsAndLengthFollowEdits) {
    Rig rig;
    QStringList titles(1100, QStringLiteral("s1"));
    titles << QStringLiteral("s2") << QStringLiteral("a1") << QStringLiteral("s3");
    const Playlist p = rig.playlists.create(QStringLiteral("mix"), rig.findAll(titles));
    rig.app.setSelectedPlaylistID(rig.idOf(p));
    PlaylistSongsModel& songs = *rig.page.songs();
    QSignalSpy reset(&songs, &QAbstractItemModel::modelReset);
    QSignalSpy removed(&songs, &QAbstractItemModel::rowsRemoved);
    const auto agrees = [&] {
        double total = 0;
        for (const Song& s : songs.songs())
            total += s.duration;
        return songs.songs() == songs.resolved() && songs.seconds() == total;
    };
    ASSERT_TRUE(agrees());

    // The row's own action on a song listed once: that one row leaves.
    rig.page.removeSong(1101);
    ASSERT_EQ(removed.size(), 1);
    EXPECT_EQ(removed.at(0).at(1).toInt(), 1101);
    EXPECT_EQ(removed.at(0).at(2).toInt(), 1101);
    EXPECT_TRUE(agrees());
    // 1,100 rows of one song leave together.
    rig.page.removeSong(5);
    EXPECT_EQ(rig.rows(), (QStringList{"s2", "s3"}));
    EXPECT_TRUE(agrees());
    EXPECT_EQ(rig.page.facts(), QStringLiteral("2 songs \u00b7 7 min"));

    rig.playlists.add(rig.findAll({"s4", "a1"}), p.id);
    EXPECT_TRUE(rig.page.place({rig.songPick("s4")}, 0));
    rig.page.moveSong(1, 1);
    EXPECT_EQ(rig.rows(), (QStringList{"s4", "s3", "s2", "a1"}));
    EXPECT_TRUE(agrees());
    // A store edit that is not the row's action (another path's row was named last) still finds its row.
    rig.playlists.remove(rig.find("s3"), p.id);
    EXPECT_EQ(rig.rows(), (QStringList{"s4", "s2", "a1"}));
    EXPECT_TRUE(agrees());
    EXPECT_EQ(rig.page.facts(), QStringLiteral("3 songs \u00b7 10 min"));
    EXPECT_EQ(reset.size(), 0);
}

TEST(PlaylistPage, DropsOnTheDetail) {
    Rig rig;
    const Playlist p = rig.playlists.create(QStringLiteral("mix"), rig.findAll({"s1", "a2", "s2"}));
    rig.app.setSelectedPlaylistID(rig.idOf(p));
    rig.player->setNotice(std::nullopt);
    QSignalSpy reset(rig.page.songs(), &QAbstractItemModel::modelReset);

    // A row dropped on itself: taken, nothing posted, nothing changed.
    EXPECT_TRUE(rig.page.place({rig.songPick("s2")}, 2));
    EXPECT_FALSE(rig.player->notice().has_value());
    EXPECT_EQ(rig.rows(), (QStringList{"s1", "a2", "s2"}));
    // A row dropped on the row above moves up by one.
    EXPECT_TRUE(rig.page.place({rig.songPick("s2")}, 1));
    EXPECT_EQ(rig.rows(), (QStringList{"s1", "s2", "a2"}));
    EXPECT_FALSE(rig.player->notice().has_value());
    // An album of 3 at the end with 1 held: all three there in album order, "added 2 songs".
    EXPECT_TRUE(rig.page.place({rig.albumPick()}, -1));
    EXPECT_EQ(rig.rows(), (QStringList{"s1", "s2", "a1", "a2", "a3"}));
    EXPECT_EQ(rig.notice(), QStringLiteral("added 2 songs to mix"));
    // The same album again with one song new: "added 1 song".
    rig.playlists.remove(rig.find("a3"), p.id);
    EXPECT_TRUE(rig.page.place({rig.albumPick()}, 0));
    EXPECT_EQ(rig.rows(), (QStringList{"a1", "a2", "a3", "s1", "s2"}));
    EXPECT_EQ(rig.notice(), QStringLiteral("added 1 song to mix"));
    EXPECT_EQ(rig.page.songs()->resolved(), rig.page.songs()->songs());
    // Moves follow as rows.
    rig.page.moveSong(4, -1);
    EXPECT_EQ(rig.rows(), (QStringList{"a1", "a2", "a3", "s2", "s1"}));
    EXPECT_EQ(reset.size(), 0);

    // Only its own pick: refused. Automatic playlists refuse every drop.
    EXPECT_FALSE(rig.page.place({PlayerPick::playlist(p)}, -1));
    rig.app.setSelectedPlaylistID(likedID());
    EXPECT_FALSE(rig.page.place({rig.songPick("s3")}, -1));
}

TEST(PlaylistPage, ListFollowsTheStoreRowByRow) {
    Rig rig;
    PlaylistListModel& list = *rig.page.list();
    EXPECT_EQ(list.count(), 3);
    EXPECT_EQ(list.ownCount(), 0);
    QSignalSpy reset(&list, &QAbstractItemModel::modelReset);
    QSignalSpy inserted(&list, &QAbstractItemModel::rowsInserted);
    QSignalSpy changed(&list, &QAbstractItemModel::dataChanged);
    const Playlist p = rig.playlists.create(QStringLiteral("mix"), rig.findAll({"s1"}));
    EXPECT_EQ(inserted.size(), 1);
    EXPECT_EQ(list.nameAt(0), QStringLiteral("mix"));
    EXPECT_EQ(list.data(list.index(0), PlaylistListModel::CountTextRole).toString(),
              QStringLiteral("1 song"));
    EXPECT_TRUE(list.data(list.index(1), PlaylistListModel::FirstAutomaticRole).toBool());
    EXPECT_TRUE(list.data(list.index(1), PlaylistListModel::AcceptsRole).toBool());
    EXPECT_FALSE(list.data(list.index(2), PlaylistListModel::AcceptsRole).toBool());
    changed.clear();
    rig.playlists.add(rig.findAll({"s2"}), p.id);
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed.at(0).at(0).toModelIndex().row(), 0);
    EXPECT_EQ(list.data(list.index(0), PlaylistListModel::CountTextRole).toString(),
              QStringLiteral("2 songs"));
    rig.playlists.rename(p.id, QStringLiteral("renamed"));
    EXPECT_EQ(list.nameAt(0), QStringLiteral("renamed"));
    // The shown playlist's count comes from the detail's rows, another's from the store: both follow edits.
    const Playlist shown = rig.playlists.create(QStringLiteral("shown"), rig.findAll({"s3", "s4", "s3"}));
    ASSERT_EQ(rig.page.shownID(), shown.id);
    EXPECT_EQ(list.data(list.index(0), PlaylistListModel::CountTextRole).toString(),
              QStringLiteral("3 songs"));
    rig.page.removeSong(0);
    EXPECT_EQ(list.data(list.index(0), PlaylistListModel::CountTextRole).toString(),
              QStringLiteral("1 song"));
    rig.playlists.add(rig.findAll({"s5"}), p.id);
    EXPECT_EQ(list.data(list.index(1), PlaylistListModel::CountTextRole).toString(),
              QStringLiteral("3 songs"));
    rig.playlists.deletePlaylist(shown.id);
    rig.playlists.deletePlaylist(p.id);
    EXPECT_EQ(list.count(), 3);
    EXPECT_EQ(reset.size(), 0);
}

TEST(PlaylistPage, Menus) {
    Rig rig;
    LastFMStore lastFM(rig.defaults);
    MenuContext context(rig.app, *rig.library, *rig.player, rig.playlists, rig.pocket, lastFM);
    const Playlist p = rig.playlists.create(QStringLiteral("mix"), rig.findAll({"s1"}));
    const auto titles = [](const DropMenuPage& page) {
        QStringList out;
        for (const DropMenuSection& s : page.sections())
            for (const DropMenuItem& i : s.items)
                out.append(i.title);
        return out;
    };
    EXPECT_EQ(titles(rig.page.morePage(context)),
              (QStringList{"pinned to quickplay", "on the player", "rename", "delete\u2026"}));
    EXPECT_EQ(titles(rig.page.rowPage(context, p.id)).mid(titles(rig.page.rowPage(context, p.id)).size() - 2),
              (QStringList{"rename", "delete\u2026"}));
    // The row menu's "delete…" asks.
    const DropMenuPage rowMenu = rig.page.rowPage(context, p.id);
    for (const DropMenuSection& s : rowMenu.sections())
        for (const DropMenuItem& i : s.items)
            if (i.title == QStringLiteral("delete\u2026")) i.run();
    EXPECT_TRUE(rig.page.deleting());
    // Automatic playlists: no edit section.
    rig.app.setSelectedPlaylistID(likedID());
    EXPECT_EQ(titles(rig.page.morePage(context)), (QStringList{"pinned to quickplay", "on the player"}));
    EXPECT_FALSE(
        titles(rig.page.rowPage(context, AutoPlaylist(AutoPlaylist::liked).id())).contains("rename"));
}
