#include "collection/AlbumGridModel.h"
#include "collection/AlbumWallPage.h"
#include "core/Defaults.h"
#include "library/LibraryStore.h"
#include "support/LibraryRig.h"
#include "support/Songs.h"
#include "support/TestHome.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// An album of one song, titled `title`; its identity is "artist\1title" lower-cased.
Album album(const QString& title, const QString& artist = QStringLiteral("Ann")) {
    Album a;
    a.title = title;
    a.artist = artist;
    a.songs = {makeSong(QStringLiteral("/m/") + artist + QLatin1Char('/') + title + QStringLiteral(".mp3"),
                        artist, title, title)};
    return a;
}

QString idOf(const QString& title) {
    return album(title).id();
}

// Groups titled "g0", "g1", … holding albums "<group>-<n>".
QList<AlbumGroup> groupsOf(const QList<int>& sizes) {
    QList<AlbumGroup> groups;
    for (int g = 0; g < sizes.size(); ++g) {
        AlbumGroup group{QStringLiteral("g%1").arg(g), {}};
        for (int i = 0; i < sizes[g]; ++i)
            group.albums.append(album(QStringLiteral("%1-%2").arg(g).arg(i)));
        groups.append(group);
    }
    return groups;
}

QString cell(int group, int i) {
    return idOf(QStringLiteral("%1-%2").arg(group).arg(i));
}

using Arrow = AlbumGridModel::Arrow;
using Handover = AlbumGridModel::Handover;

} // namespace

TEST(AlbumGrid, ColumnsFollowTheWidthAndNeverDropBelowOne) {
    EXPECT_EQ(AlbumGridModel::columnsFor(900, 150, 24), 5);
    EXPECT_EQ(AlbumGridModel::columnsFor(330, 150, 24), 1);
    EXPECT_EQ(AlbumGridModel::columnsFor(100, 150, 24), 1);
    EXPECT_EQ(AlbumGridModel::columnsFor(0, 150, 24), 1);
    EXPECT_EQ(AlbumGridModel::columnsFor(162, 150, 24), 1);
    EXPECT_EQ(AlbumGridModel::columnsFor(336, 150, 24), 2); // (336 − 12 + 24) / 174 = 2 exactly
}

TEST(AlbumGrid, RowsNeverHoldTwoGroups) {
    // Groups of 3 and 7 at 5 columns: heading, 3; heading, 5, 2.
    const std::vector<AlbumGridModel::Row> rows = AlbumGridModel::rowsOf(groupsOf({3, 7}), 5);
    const std::vector<AlbumGridModel::Row> expected{
        {true, 0, 0, 0}, {false, 0, 0, 3}, {true, 1, 0, 0}, {false, 1, 0, 5}, {false, 1, 5, 2}};
    EXPECT_EQ(rows, expected);
    // A group without a title gets no heading.
    QList<AlbumGroup> untitled{AlbumGroup{std::nullopt, groupsOf({2}).first().albums}};
    EXPECT_EQ(AlbumGridModel::rowsOf(untitled, 5), (std::vector<AlbumGridModel::Row>{{false, 0, 0, 2}}));
}

TEST(AlbumGrid, ArrowsWalkTheRowsOfAllGroups) {
    // At 5 columns: group 0 has rows [0..4] and [5..8] (a short row of 4); group 1 has [0..2].
    const QList<AlbumGroup> groups = groupsOf({9, 3, 5});
    struct Case {
        const char* what;
        std::optional<QString> from;
        Arrow arrow;
        std::optional<QString> to;
        Handover handover;
    };
    const std::optional<QString> none;
    const QList<Case> cases{
        {"no selection: the first album only", none, Arrow::down, cell(0, 0), Handover::none},
        {"no selection, Left", none, Arrow::left, cell(0, 0), Handover::none},
        {"a selection not in the grid", QStringLiteral("gone"), Arrow::right, cell(0, 0), Handover::none},
        {"Right within a row", cell(0, 1), Arrow::right, cell(0, 2), Handover::none},
        {"Left within a row", cell(0, 2), Arrow::left, cell(0, 1), Handover::none},
        {"Left at a row's start hands over", cell(0, 5), Arrow::left, cell(0, 5), Handover::left},
        {"Right at a full row's end", cell(0, 4), Arrow::right, cell(0, 4), Handover::right},
        {"Right at a short row's end", cell(0, 8), Arrow::right, cell(0, 8), Handover::right},
        {"Down from the 4th of a short row to a shorter row: its last", cell(0, 8), Arrow::down, cell(1, 2),
         Handover::none},
        {"Down from the 4th to a longer row: the 4th", cell(1, 1), Arrow::down, cell(2, 1), Handover::none},
        {"Down from the 4th of group 0's short row across a heading", cell(0, 7), Arrow::down, cell(1, 2),
         Handover::none},
        {"Up across a heading", cell(2, 4), Arrow::up, cell(1, 2), Handover::none},
        {"Up into a short row", cell(1, 0), Arrow::up, cell(0, 5), Handover::none},
        {"Up on the first row: unchanged", cell(0, 3), Arrow::up, cell(0, 3), Handover::none},
        {"Down on the last row: unchanged", cell(2, 2), Arrow::down, cell(2, 2), Handover::none},
    };
    for (const Case& c : cases) {
        const AlbumGridModel::Move m = AlbumGridModel::move(groups, 5, c.from, c.arrow);
        EXPECT_EQ(m.selection, c.to) << c.what;
        EXPECT_EQ(m.handover, c.handover) << c.what;
    }
}

TEST(AlbumGrid, KeysAreHandledAsTheGridPromises) {
    const QList<AlbumGroup> groups = groupsOf({3});
    const auto press = [&](int key, Qt::KeyboardModifiers mods, const QString& text,
                           const std::optional<QString>& sel, const QList<AlbumGroup>& g) {
        return AlbumGridModel::press({key, mods, text, false}, g, 5, sel);
    };
    using R = AlbumGridModel::KeyResult;
    using A = AlbumGridModel::Action;
    // Edges still count as handled.
    EXPECT_EQ(press(Qt::Key_Up, {}, {}, cell(0, 0), groups), (R{true, cell(0, 0), A::none}));
    EXPECT_EQ(press(Qt::Key_Right, Qt::ShiftModifier, {}, cell(0, 2), groups),
              (R{true, cell(0, 2), A::right}));
    // Ctrl, Alt or Meta with an arrow or a letter: not the grid's.
    for (Qt::KeyboardModifier m : {Qt::ControlModifier, Qt::AltModifier, Qt::MetaModifier}) {
        EXPECT_FALSE(press(Qt::Key_Down, m, {}, cell(0, 0), groups).handled);
        EXPECT_FALSE(press(Qt::Key_B, m, QStringLiteral("b"), cell(0, 0), groups).handled);
    }
    // Return with any modifiers, but only for an album of the grid.
    EXPECT_EQ(press(Qt::Key_Return, Qt::ControlModifier, {}, cell(0, 1), groups),
              (R{true, cell(0, 1), A::choose}));
    EXPECT_FALSE(press(Qt::Key_Return, {}, {}, QStringLiteral("gone"), groups).handled);
    EXPECT_FALSE(press(Qt::Key_Return, {}, {}, std::nullopt, groups).handled);
    // Page keys, Home and End pass on.
    EXPECT_FALSE(press(Qt::Key_PageDown, {}, {}, cell(0, 0), groups).handled);
    EXPECT_FALSE(press(Qt::Key_Home, {}, {}, cell(0, 0), groups).handled);

    // An empty grid: an arrow selects nothing, Return is not handled, a letter is handled.
    const QList<AlbumGroup> empty;
    EXPECT_EQ(press(Qt::Key_Down, {}, {}, cell(0, 0), empty), (R{true, std::nullopt, A::none}));
    EXPECT_FALSE(press(Qt::Key_Return, {}, {}, cell(0, 0), empty).handled);
    EXPECT_EQ(press(Qt::Key_B, {}, QStringLiteral("b"), std::nullopt, empty),
              (R{true, std::nullopt, A::none}));
}

TEST(AlbumGrid, TypedLetterVisitsMatchingAlbumsInGridOrderAndWraps) {
    QList<AlbumGroup> groups{
        AlbumGroup{QStringLiteral("x"), {album("Blue"), album("apple"), album("bloom")}},
        AlbumGroup{QStringLiteral("y"), {album("cherry"), album("Bright")}},
    };
    std::optional<QString> sel = album("apple").id();
    for (const QString& text : {QStringLiteral("b"), QStringLiteral("B")}) {
        QStringList visited;
        for (int i = 0; i < 4; ++i) {
            const AlbumGridModel::KeyResult r = AlbumGridModel::press(
                {Qt::Key_B, text == "B" ? Qt::ShiftModifier : Qt::NoModifier, text, false}, groups, 5, sel);
            ASSERT_TRUE(r.handled);
            sel = r.selection;
            visited.append(sel.value_or(QString()));
        }
        EXPECT_EQ(visited, (QStringList{album("bloom").id(), album("Bright").id(), album("Blue").id(),
                                        album("bloom").id()}))
            << text.toStdString();
        sel = album("apple").id();
    }
    // Nothing matches: the selection stays, and the key is still taken.
    const AlbumGridModel::KeyResult r =
        AlbumGridModel::press({Qt::Key_Z, {}, QStringLiteral("z"), false}, groups, 5, sel);
    EXPECT_TRUE(r.handled);
    EXPECT_EQ(r.selection, sel);
}

TEST(AlbumGrid, CellsActionsAndSecondLines) {
    const auto labels = [](bool pinned) {
        QStringList out;
        for (const AlbumGridModel::CellAction& a : AlbumGridModel::cellActions(pinned))
            out.append(a.symbol + QLatin1Char(':') + a.label);
        return out;
    };
    EXPECT_EQ(labels(false),
              (QStringList{"play.fill:Play", "plus:Add to Now Playing", "pin:Pin to Quickplay"}));
    EXPECT_EQ(labels(true).last(), QStringLiteral("pin.slash:Unpin from Quickplay"));

    Album a = album("Rain", "Ann");
    EXPECT_TRUE(
        AlbumGridModel::secondIsLink(AlbumGridModel::secondOf(a, AlbumGridModel::SecondLine::artist), a));
    EXPECT_FALSE(AlbumGridModel::secondIsLink(QStringLiteral("ann"), a)); // exact text only
    EXPECT_EQ(AlbumGridModel::secondOf(a, AlbumGridModel::SecondLine::year), std::nullopt);
    a.songs.edit(0).year = 1999;
    EXPECT_EQ(AlbumGridModel::secondOf(a, AlbumGridModel::SecondLine::year), QStringLiteral("1999"));
    EXPECT_FALSE(AlbumGridModel::secondIsLink(QStringLiteral("1999"), a));

    AlbumGridModel grid;
    grid.setColumns(5);
    grid.setGroups({AlbumGroup{std::nullopt, {album("Rain"), album("Snow", "Bob")}}});
    grid.setSecond(AlbumGridModel::SecondLine::year);
    const QVariantList cells = grid.data(grid.index(0), AlbumGridModel::CellsRole).toList();
    ASSERT_EQ(cells.size(), 2);
    // A missing second line still takes a line.
    EXPECT_EQ(cells[0].toMap().value("second").toString(), QStringLiteral(" "));
    EXPECT_FALSE(cells[0].toMap().value("link").toBool());

    EXPECT_EQ(AlbumGridModel::cellOpacity(true, false, false), 0.5);
    EXPECT_EQ(AlbumGridModel::cellOpacity(true, false, true), 1.0);
    EXPECT_EQ(AlbumGridModel::cellOpacity(true, true, false), 1.0);
    EXPECT_EQ(AlbumGridModel::cellOpacity(false, false, false), 1.0);
}

TEST(AlbumGrid, HeadingsHaveSpaceAboveByPositionNotByTitle) {
    AlbumGridModel grid;
    grid.setColumns(5);
    // Two runs titled "#": the second still gets space above it.
    grid.setGroups({AlbumGroup{QStringLiteral("#"), {album("1")}},
                    AlbumGroup{QStringLiteral("A"), {album("a")}},
                    AlbumGroup{QStringLiteral("#"), {album("~")}}});
    QList<bool> space;
    for (int r = 0; r < grid.rowCount(); ++r)
        if (grid.data(grid.index(r), AlbumGridModel::HeadingRole).toBool())
            space.append(grid.data(grid.index(r), AlbumGridModel::TopSpaceRole).toBool());
    EXPECT_EQ(space, (QList<bool>{false, true, true}));
}

TEST(AlbumGrid, NewGroupsChangeOnlyTheRowsConcernedAndColumnsRelayout) {
    AlbumGridModel grid;
    grid.setColumns(3);
    grid.setGroups(groupsOf({4, 2, 3})); // h, 3, 1, h, 2, h, 3
    ASSERT_EQ(grid.rowCount(), 7);
    grid.setSelection(cell(2, 1));
    EXPECT_EQ(grid.selectedRow(), 6);

    QSignalSpy reset(&grid, &QAbstractItemModel::modelReset);
    QSignalSpy inserted(&grid, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(&grid, &QAbstractItemModel::rowsRemoved);
    QSignalSpy changed(&grid, &QAbstractItemModel::dataChanged);

    // One album more in group 0 (4 → 5): its second row changes, nothing else.
    QList<AlbumGroup> more = groupsOf({4, 2, 3});
    more[0].albums.append(album("0-new"));
    grid.setGroups(more);
    EXPECT_EQ(reset.size(), 0);
    EXPECT_EQ(inserted.size() + removed.size(), 0);
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed.at(0).at(0).toModelIndex().row(), 2);
    EXPECT_EQ(changed.at(0).at(1).toModelIndex().row(), 2);

    // Group 1 leaves: its heading and row go out, the rest stays.
    changed.clear();
    QList<AlbumGroup> fewer = more;
    fewer.removeAt(1);
    grid.setGroups(fewer);
    EXPECT_EQ(reset.size(), 0);
    ASSERT_EQ(removed.size(), 1);
    EXPECT_EQ(removed.at(0).at(1).toInt(), 3);
    EXPECT_EQ(removed.at(0).at(2).toInt(), 4);
    EXPECT_EQ(inserted.size(), 0);
    EXPECT_EQ(grid.rowCount(), 5);
    EXPECT_EQ(grid.selectedRow(), 4);

    // A renamed album changes its row in place.
    changed.clear();
    QList<AlbumGroup> renamed = fewer;
    renamed[1].albums[0].title = QStringLiteral("Renamed");
    grid.setGroups(renamed);
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed.at(0).at(0).toModelIndex().row(), 4);
    EXPECT_EQ(reset.size(), 0);

    // A group comes in at the start: inserted rows.
    QList<AlbumGroup> front = renamed;
    front.prepend(AlbumGroup{QStringLiteral("new"), {album("n1")}});
    grid.setGroups(front);
    EXPECT_EQ(reset.size(), 0);
    EXPECT_EQ(inserted.size(), 1);
    EXPECT_EQ(grid.rowCount(), 7);

    // A new column count lays the grid out again; the selection stays where its album is.
    grid.setColumns(1);
    EXPECT_EQ(reset.size(), 1);
    EXPECT_EQ(grid.selection(), cell(2, 1));
    EXPECT_EQ(grid.rowOf(cell(2, 1)), grid.selectedRow());
    EXPECT_EQ(grid.data(grid.index(grid.selectedRow()), AlbumGridModel::CellsRole)
                  .toList()
                  .first()
                  .toMap()
                  .value("id")
                  .toString(),
              cell(2, 1));
}

TEST(AlbumGrid, KeysAskTheOwnerAndHandOver) {
    AlbumGridModel grid;
    grid.setColumns(2);
    grid.setGroups(groupsOf({3}));
    QSignalSpy picked(&grid, &AlbumGridModel::selectionPicked);
    QSignalSpy right(&grid, &AlbumGridModel::rightPressed);
    QSignalSpy left(&grid, &AlbumGridModel::leftPressed);
    // Taking the keyboard without a selection picks the first album.
    grid.focusTaken();
    ASSERT_EQ(picked.size(), 1);
    EXPECT_EQ(picked.at(0).at(0).toString(), cell(0, 0));
    grid.setSelection(cell(0, 1));
    grid.focusTaken();
    EXPECT_EQ(picked.size(), 1);
    // Right at the row's end: handed over only when the owner takes it, handled either way.
    EXPECT_TRUE(grid.key(Qt::Key_Right, 0, {}, false));
    EXPECT_EQ(right.size(), 0);
    grid.setHasRight(true);
    EXPECT_TRUE(grid.key(Qt::Key_Right, 0, {}, false));
    EXPECT_EQ(right.size(), 1);
    EXPECT_TRUE(grid.key(Qt::Key_Left, 0, {}, false));
    EXPECT_EQ(picked.last().at(0).toString(), cell(0, 0));
    grid.setSelection(cell(0, 0));
    grid.setHasLeft(true);
    EXPECT_TRUE(grid.key(Qt::Key_Left, 0, {}, false));
    EXPECT_EQ(left.size(), 1);
}

namespace {

// A real library over a private home whose scan finds what the test says.
struct WallRig : LibraryRig {
    AlbumWallPage page;

    explicit WallRig(const QList<Song>& songs, const QString& storedSort = {}) {
        if (!storedSort.isEmpty()) defaults.set(SortSetting::albumWall, storedSort);
        startLibrary(songs);
        page.setDefaults(&defaults);
        page.setLibrary(library.get());
    }
    Song song(const QString& album, const QString& artist, double added,
              std::optional<qint64> year = {}) const {
        Song s = makeSong(musicFolder + QLatin1Char('/') + artist + QLatin1Char('/') + album +
                              QStringLiteral(".mp3"),
                          artist, album, album);
        s.added = Date{added};
        s.year = year;
        return s;
    }
    QString idOf(const QString& title) const {
        for (const Album& a : library->albums())
            if (a.title == title) return a.id();
        return {};
    }
};

} // namespace

TEST(AlbumWall, ReadsTheStoredSortAndStepsRound) {
    const auto songs = [](const WallRig& r) {
        return QList<Song>{r.song("Alpha", "Zed", 100, 1990), r.song("Beta", "Ann", 200, 2001)};
    };
    {
        WallRig rig({}, QStringLiteral("year"));
        EXPECT_EQ(rig.page.sortLabel(), QStringLiteral("by year"));
    }
    {
        WallRig rig({}, QStringLiteral("Year")); // not a raw value: the default
        EXPECT_EQ(rig.page.sortLabel(), QStringLiteral("by date added"));
    }
    WallRig probe({});
    WallRig rig(songs(probe));
    ASSERT_EQ(rig.page.count(), 2);
    QStringList labels;
    for (int i = 0; i < 4; ++i) {
        rig.page.nextSort();
        labels.append(rig.page.sortLabel());
    }
    EXPECT_EQ(labels, (QStringList{"a–z", "by artist", "by year", "by date added"}));
    EXPECT_EQ(rig.defaults.value(SortSetting::albumWall).toString(), QStringLiteral("dateAdded"));
}

TEST(AlbumWall, ShowsTheChosenAlbumElseTheFirstAndKeepsItAcrossSorts) {
    WallRig probe({});
    const QList<Song> songs{probe.song("Alpha", "Zed", 100, 1990), probe.song("Beta", "Ann", 300, 2001),
                            probe.song("Gamma", "Bob", 200, 1995)};
    WallRig rig(songs);
    // Newest first: the first album of the first group is shown and marked before any choice.
    EXPECT_EQ(rig.page.selection(), QString());
    EXPECT_EQ(rig.page.shown(), rig.idOf("Beta"));
    EXPECT_EQ(rig.page.grid()->selection(), rig.idOf("Beta"));

    // A choice made in the grid (a click, a key) goes through the page.
    const QString gamma = rig.idOf("Gamma");
    rig.page.grid()->selectionPicked(gamma);
    EXPECT_EQ(rig.page.selection(), gamma);
    EXPECT_EQ(rig.page.shown(), gamma);

    // A new sort keeps the shown album, now at another place.
    const int before = rig.page.grid()->selectedRow();
    rig.page.nextSort(); // a–z: Alpha, Beta, Gamma under their letters
    EXPECT_EQ(rig.page.shown(), gamma);
    EXPECT_EQ(rig.page.grid()->selection(), gamma);
    EXPECT_NE(rig.page.grid()->selectedRow(), before);

    // The chosen album leaves the library: the first one is shown, the choice is kept.
    rig.rescan({songs[0], songs[1]});
    EXPECT_EQ(rig.page.selection(), gamma);
    EXPECT_EQ(rig.page.shown(), rig.idOf("Alpha"));
    // …and shows again when it comes back.
    rig.rescan(songs);
    EXPECT_EQ(rig.page.shown(), gamma);

    // A fresh section (the page is rebuilt on every visit) starts from the first album.
    AlbumWallPage again;
    again.setDefaults(&rig.defaults);
    again.setLibrary(rig.library.get());
    EXPECT_EQ(again.shown(), rig.idOf("Alpha"));
}

// Made from QML, the section groups on a worker: the grid starts empty with the header's count already
// right, then holds the rows and the shown album a grouping on this thread gives. A sort chosen before the
// worker is done wins over its result.
TEST(AlbumWall, GroupsOnAWorkerWhenMadeFromQmlWithTheSameRows) {
    WallRig probe({});
    QList<Song> songs;
    for (int i = 0; i < 40; ++i)
        songs.append(probe.song(QStringLiteral("Album %1").arg(i, 2, 10, QLatin1Char('0')),
                                QStringLiteral("Artist %1").arg(i % 7), 1000 + (i * 37) % 40 * 86400.0,
                                1980 + i % 9));
    WallRig rig(songs, QStringLiteral("year"));
    const auto rowsOf = [](const AlbumGridModel& grid) {
        QStringList out;
        for (int r = 0; r < grid.rowCount(); ++r) {
            const QModelIndex at = grid.index(r);
            QStringList ids;
            for (const QVariant& cell : grid.data(at, AlbumGridModel::CellsRole).toList())
                ids.append(cell.toMap().value(QStringLiteral("id")).toString());
            out.append(grid.data(at, AlbumGridModel::TitleRole).toString() + u'|' + ids.join(u','));
        }
        return out;
    };
    rig.page.grid()->setColumns(3);
    ASSERT_GT(rig.page.grid()->rowCount(), 0);

    const auto fromQml = [&](AlbumWallPage& page) {
        page.classBegin();
        page.setDefaults(&rig.defaults);
        page.setLibrary(rig.library.get());
        page.grid()->setColumns(3);
        page.componentComplete();
    };
    AlbumWallPage page;
    fromQml(page);
    EXPECT_EQ(page.count(), 40);
    EXPECT_EQ(page.grid()->rowCount(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return page.grid()->rowCount() > 0; }, 5000));
    EXPECT_EQ(rowsOf(*page.grid()), rowsOf(*rig.page.grid()));
    EXPECT_EQ(page.shown(), rig.page.shown());
    EXPECT_EQ(page.grid()->selectedRow(), rig.page.grid()->selectedRow());

    // A sort click while the worker runs: the click's grouping stays, the worker's is dropped.
    AlbumWallPage clicked;
    fromQml(clicked);
    clicked.nextSort(); // year → date added, stored: the rig's page follows the stored sort
    ASSERT_EQ(rig.page.sortRaw(), QStringLiteral("dateAdded"));
    const QStringList expected = rowsOf(*rig.page.grid());
    EXPECT_EQ(rowsOf(*clicked.grid()), expected);
    QTest::qWait(200);
    EXPECT_FALSE(clicked.pending());
    EXPECT_EQ(rowsOf(*clicked.grid()), expected);
}
