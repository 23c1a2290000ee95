#include "collection/AllSongsModel.h"
#include "collection/ArtistArt.h"
#include "collection/SongCursor.h"
#include "collection/SongRows.h"
#include "core/Defaults.h"
#include "library/LibraryStore.h"
#include "platform/gst/FakeMediaBackend.h"
#include "playback/Player.h"
#include "support/LibraryRig.h"
#include "support/Songs.h"
#include "support/TestHome.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

// The real library, player and songs model over a private home. What a scan finds is what the test says.
struct Rig : LibraryRig {
    AllSongsModel model;

    explicit Rig(const QList<Song>& songs) {
        startLibrary(songs);
        startPlayer();
        model.setDefaults(&defaults);
        model.setPlayer(player.get());
        model.setLibrary(library.get());
        EXPECT_TRUE(QTest::qWaitFor([this] { return model.ready(); }, 10000));
    }

    Song song(const QString& title, const QString& artist = QStringLiteral("Ann")) const {
        return makeSong(musicFolder + QLatin1Char('/') + title + QStringLiteral(".mp3"), artist,
                        QStringLiteral("A"), title);
    }
    QStringList rows() const {
        QStringList out;
        for (int i = 0; i < model.rowCount(); ++i)
            out.append(model.titleAt(i));
        return out;
    }
};

QList<Song> songsTitled(const Rig& rig, const QStringList& titles) {
    QList<Song> out;
    for (const QString& t : titles)
        out.append(rig.song(t));
    return out;
}

struct Spies {
    QSignalSpy reset, inserted, removed, moved, changed, layout;
    explicit Spies(AllSongsModel& m)
        : reset(&m, &QAbstractItemModel::modelReset), inserted(&m, &QAbstractItemModel::rowsInserted),
          removed(&m, &QAbstractItemModel::rowsRemoved), moved(&m, &QAbstractItemModel::rowsMoved),
          changed(&m, &QAbstractItemModel::dataChanged), layout(&m, &QAbstractItemModel::layoutChanged) {}
};

int rowOf(const QSignalSpy& spy, int i) {
    return spy.at(i).at(1).toInt(); // rowsInserted(parent, first, last)
}

} // namespace

TEST(AllSongs, ShowsTheLibraryInTheStoredSortAndResortsOnlyWhenTheSortChanges) {
    Rig filled(QList<Song>{});
    // Made before any song: the first songs come in as one insert of every row, sorted.
    Spies spies(filled.model);
    filled.rescan(songsTitled(filled, {"delta", "Alpha", "charlie", "bravo"}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return filled.model.rowCount() == 4; }, 10000));
    EXPECT_EQ(filled.rows(), (QStringList{"Alpha", "bravo", "charlie", "delta"}));
    EXPECT_EQ(spies.reset.size(), 0);
    ASSERT_EQ(spies.inserted.size(), 1);

    // A new sort of the same songs moves rows and stores the choice.
    filled.model.nextSort();
    EXPECT_EQ(filled.defaults.value(QStringLiteral("songSort")).toString(), QStringLiteral("artist"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return filled.model.ready() && spies.layout.size() == 1; }, 10000));
    EXPECT_EQ(spies.reset.size(), 0);
    EXPECT_EQ(filled.model.sortLabel(), QStringLiteral("by artist"));
}

TEST(AllSongs, AppliesScansAndEditsRowByRow) {
    Rig rig(QList<Song>{});
    rig.rescan(songsTitled(rig, {"b", "d", "f", "h"}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return rig.model.rowCount() == 4; }, 10000));

    // A rescan that finds three more songs: three inserts, each at its sorted place.
    Spies spies(rig.model);
    rig.rescan(songsTitled(rig, {"b", "d", "f", "h", "a", "e", "z"}));
    EXPECT_EQ(rig.rows(), (QStringList{"a", "b", "d", "e", "f", "h", "z"}));
    ASSERT_EQ(spies.inserted.size(), 3);
    QList<int> at{rowOf(spies.inserted, 0), rowOf(spies.inserted, 1), rowOf(spies.inserted, 2)};
    std::sort(at.begin(), at.end());
    EXPECT_EQ(at, (QList<int>{0, 3, 6}));
    EXPECT_EQ(spies.reset.size(), 0);
    EXPECT_EQ(spies.removed.size(), 0);

    // A rename moves one row to its new place and changes it.
    Spies renamed(rig.model);
    rig.model.rename(1, QStringLiteral("y")); // "b" → "y"
    EXPECT_EQ(rig.rows(), (QStringList{"a", "d", "e", "f", "h", "y", "z"}));
    EXPECT_EQ(renamed.moved.size(), 1);
    ASSERT_EQ(renamed.changed.size(), 1);
    EXPECT_EQ(renamed.changed.at(0).at(0).toModelIndex().row(), 5);
    EXPECT_EQ(renamed.reset.size(), 0);
    EXPECT_EQ(renamed.inserted.size() + renamed.removed.size(), 0);
    EXPECT_TRUE(rig.model.data(rig.model.index(5), SongListModel::TaggedTitleRole).toBool());

    // A rename that keeps the place only changes the row.
    Spies kept(rig.model);
    rig.model.rename(0, QStringLiteral("aa"));
    EXPECT_EQ(kept.moved.size(), 0);
    EXPECT_EQ(kept.changed.size(), 1);

    // Songs gone from the folder: their rows are removed.
    Spies gone(rig.model);
    rig.rescan(songsTitled(rig, {"d", "e", "f", "h"}));
    EXPECT_EQ(gone.removed.size(), 3);
    EXPECT_EQ(rig.rows(), (QStringList{"d", "e", "f", "h"}));

    // Only an emptied collection resets the rows.
    Spies emptied(rig.model);
    rig.library->useFolder(QUrl::fromLocalFile(rig.home.folder(QStringLiteral("Other"))));
    EXPECT_EQ(emptied.reset.size(), 1);
    EXPECT_EQ(rig.model.rowCount(), 0);
}

TEST(AllSongs, CurrentAndLikedRolesTouchOnlyTheirRows) {
    Rig rig(QList<Song>{});
    rig.rescan(songsTitled(rig, {"a", "b", "c", "d"}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return rig.model.rowCount() == 4; }, 10000));

    Spies liked(rig.model);
    rig.player->toggleLike(std::optional(rig.model.songAt(2)));
    ASSERT_EQ(liked.changed.size(), 1);
    EXPECT_EQ(liked.changed.at(0).at(0).toModelIndex().row(), 2);
    EXPECT_EQ(liked.changed.at(0).at(1).toModelIndex().row(), 2);
    EXPECT_TRUE(rig.model.data(rig.model.index(2), SongListModel::LikedRole).toBool());

    Spies playing(rig.model);
    rig.model.play(1);
    EXPECT_TRUE(rig.model.data(rig.model.index(1), SongListModel::CurrentRole).toBool());
    EXPECT_EQ(rig.model.currentRow(), 1);
    rig.player->next();
    // Row 1 stops being current, row 2 starts: one change each, of the current role only.
    QSet<int> rows;
    for (const auto& args : playing.changed) {
        rows.insert(args.at(0).toModelIndex().row());
        EXPECT_EQ(args.at(2).value<QList<int>>(), QList<int>{SongListModel::CurrentRole});
    }
    EXPECT_EQ(rows, (QSet<int>{1, 2}));
    EXPECT_FALSE(rig.model.data(rig.model.index(1), SongListModel::CurrentRole).toBool());
}

TEST(SongCursor, AClickPlaysTheShownListFromTheRowAndTakesTheFocus) {
    Rig rig(QList<Song>{});
    rig.rescan(songsTitled(rig, {"f", "e", "d", "c", "b", "a", "g", "h"}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return rig.model.rowCount() == 8; }, 10000));
    SongCursor cursor;
    cursor.setModel(&rig.model);
    QSignalSpy focus(&cursor, &SongCursor::focusWanted);

    cursor.choose(4); // the fifth row
    EXPECT_EQ(titles(rig.player->queue()), rig.rows());
    EXPECT_EQ(rig.player->index(), 4);
    EXPECT_EQ(cursor.cursor(), 4);
    EXPECT_EQ(focus.size(), 1);

    // Return plays the cursor's row; an edited field keeps the key.
    cursor.setCursor(6);
    EXPECT_TRUE(cursor.key(Qt::Key_Return, 0, QStringLiteral("\r"), false, nullptr));
    EXPECT_EQ(rig.player->index(), 6);
}

TEST(SongCursor, TakingTheFocusPutsTheCursorOnThePlayingSong) {
    Rig rig(QList<Song>{});
    rig.rescan(songsTitled(rig, {"a", "b", "c", "d", "e", "f", "g", "h", "i"}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return rig.model.rowCount() == 9; }, 10000));

    SongCursor idle;
    idle.setModel(&rig.model);
    idle.focusTaken();
    EXPECT_EQ(idle.cursor(), 0); // nothing plays

    rig.player->play(QList<Song>{rig.model.songAt(7)}, 0);
    SongCursor onPlaying;
    onPlaying.setModel(&rig.model);
    onPlaying.focusTaken();
    EXPECT_EQ(onPlaying.cursor(), 7);

    SongCursor set;
    set.setModel(&rig.model);
    set.setCursor(3);
    set.focusTaken();
    EXPECT_EQ(set.cursor(), 3); // a set cursor stays
}

TEST(SongRows, Marks) {
    struct Case {
        qint64 number;
        bool highlighted, current, playing;
        SongRows::Mark mark;
    };
    const QList<Case> cases{
        {0, false, false, false, {}},
        {-1, false, false, false, {}},
        {3, false, false, false, {{}, QStringLiteral("3")}},
        {3, true, false, false, {QStringLiteral("play.fill"), {}}},
        {0, true, false, false, {QStringLiteral("play.fill"), {}}},
        {3, false, true, true, {QStringLiteral("speaker.wave.2.fill"), {}}},
        {3, false, true, false, {QStringLiteral("speaker.fill"), {}}},
        {3, true, true, true, {QStringLiteral("play.fill"), {}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SongRows::mark(c.number, c.highlighted, c.current, c.playing), c.mark)
            << c.number << c.highlighted << c.current << c.playing;
    EXPECT_EQ(SongRows::trailingWidth(0), 92);
    EXPECT_EQ(SongRows::trailingWidth(2), 140);
    EXPECT_EQ(SongRows::accessibleName("t", "a", "b", true), QStringLiteral("t, a, b"));
    EXPECT_EQ(SongRows::accessibleName("t", "a", "b", false), QStringLiteral("t"));
}

namespace {
QStringList menuRows(const DropMenuPage& page) {
    QStringList out;
    for (const DropMenuSection& s : page.sections()) {
        out.append(QStringLiteral("[") + s.title.value_or(QString()) + QStringLiteral("]"));
        for (const DropMenuItem& i : s.items)
            out.append(i.title + (i.destructive ? QStringLiteral("!") : QString()));
    }
    return out;
}
} // namespace

TEST(SongRows, MenuFollowsColumnsAndEditedTitles) {
    Song plain = makeSong("/m/a.mp3", "Ann", "A", "a");
    Song edited = plain;
    edited.taggedTitle = QStringLiteral("file title");
    int played = 0;
    SongRows::MenuParts parts;
    parts.play = [&] { ++played; };
    parts.liked = true;

    parts.columns = true;
    EXPECT_EQ(menuRows(SongRows::menu(edited, parts)),
              (QStringList{"[]", "play", "play next", "add to now playing", "unlike", "[]", "show album",
                           "[edit]", "rename\u2026", "use the file's title!"}));
    parts.columns = false;
    parts.liked = false;
    const DropMenuPage page = SongRows::menu(plain, parts);
    EXPECT_EQ(menuRows(page), (QStringList{"[]", "play", "play next", "add to now playing", "like", "[edit]",
                                           "rename\u2026"}));
    page.items().front().run();
    EXPECT_EQ(played, 1);

    // The list's own actions come before the row's; the pocket player's row stands under "keep handy".
    parts.listActions = {{QStringLiteral("minus"), QStringLiteral("Remove from Playlist"), {}}};
    parts.onPlayer = DropMenuItem(QStringLiteral("on the player"), true, false, [] {});
    EXPECT_EQ(menuRows(SongRows::menu(plain, parts)),
              (QStringList{"[]", "play", "play next", "remove from playlist", "add to now playing", "like",
                           "[keep handy]", "on the player", "[edit]", "rename\u2026"}));
}

TEST(ArtistArt, FindsTheFirstAlbumWhateverTheCase) {
    Rig rig(QList<Song>{});
    Song first = rig.song("one", "The Band");
    first.album = "First";
    rig.rescan({first});
    ASSERT_TRUE(QTest::qWaitFor([&] { return rig.model.rowCount() == 1; }, 10000));
    EXPECT_EQ(ArtistArt::albumArtwork(rig.library.get(), "THE BAND"), first.url.toUrl());
    EXPECT_EQ(ArtistArt::albumArtwork(rig.library.get(), "the band"), first.url.toUrl());
    EXPECT_TRUE(ArtistArt::albumArtwork(rig.library.get(), "Nobody").isEmpty());
    EXPECT_TRUE(ArtistArt::albumArtwork(nullptr, "The Band").isEmpty());
}
