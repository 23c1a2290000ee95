#include "kit/MenuContext.h"
#include "MenuRig.h"
#include "core/Defaults.h"
#include "kit/HoverAction.h"
#include "kit/PlaylistActions.h"
#include "kit/Spring.h"
#include "library/LibraryStore.h"
#include "library/PlayerMusic.h"
#include "library/PlaylistLibrary.h"
#include "library/PlaylistStore.h"
#include "platform/gst/FakeMediaBackend.h"
#include "playback/LastFMStore.h"
#include "playback/Player.h"
#include "shell/AppModel.h"
#include "support/Songs.h"
#include "support/TestHome.h"

#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <random>

namespace {

const QString ldquo = QString(QChar(0x201C));
const QString rdquo = QString(QChar(0x201D));

Song track(const QString& artist, const QString& album, const QString& title, int number) {
    Song s = makeSong(QStringLiteral("/m/%1/%2/%3.mp3").arg(artist, album, title), artist, album, title);
    s.track = number;
    return s;
}

// The real stores over a private home; the library holds two albums of one artist and one of another.
struct Menus {
    TestHome home;
    Defaults defaults;
    FakeMediaBackend backend;
    std::mt19937 generator{11};
    QList<Song> all{track("Mira", "Blue", "One", 1),     track("Mira", "Blue", "Two", 2),
                    track("Mira", "Blue", "Three", 3),   track("Mira", "Blue", "Four", 4),
                    track("Mira", "Blue", "Five", 5),    track("Mira", "Green", "Six", 1),
                    track("Oskar", "Tides", "Seven", 1), track("Oskar", "Tides", "Eight", 2)};
    std::unique_ptr<LibraryStore> library = libraryWith(defaults, all);
    Player player{defaults, backend};
    AppModel app{defaults};
    PlaylistStore playlists;
    PlayerMusic music{defaults};
    LastFMStore lastFM{defaults};
    MenuContext context{app, *library, player, playlists, music, lastFM};

    Menus() {
        context.random = [this](qsizetype bound) {
            return qsizetype(std::uniform_int_distribution<qsizetype>(0, bound - 1)(generator));
        };
    }
    Album album(const char* artist, const char* title) const {
        return *library->album(QString::fromUtf8(artist).toLower() + keySep +
                               QString::fromUtf8(title).toLower());
    }
    QString notice() const { return player.noticeText(); }
};

// The page as section titles ("-" for none) and row titles, for comparing whole layouts at once.
QStringList layout(const DropMenuPage& page) {
    QStringList out;
    for (const DropMenuSection& s : page.sections()) {
        QStringList rows;
        for (const DropMenuItem& i : s.items)
            rows.append(i.title);
        out.append(s.title.value_or(QStringLiteral("-")) + QStringLiteral(": ") +
                   rows.join(QStringLiteral(", ")));
    }
    return out;
}

const DropMenuItem& rowOf(const DropMenuPage& page, const QString& title) {
    for (const DropMenuItem& i : page.items())
        if (i.title == title) return i;
    ADD_FAILURE() << "no row " << title.toStdString();
    static const DropMenuItem none(QString(), false, false, {});
    return none;
}

void choose(const DropMenuPage& page, const QString& title) {
    const DropMenuItem& row = rowOf(page, title);
    if (row.run) row.run();
}

} // namespace

TEST(MenuContextPages, AlbumPlacesFollowTheFlags) {
    Menus m;
    const Album blue = m.album("Mira", "Blue");
    struct Case {
        bool showArtist, showInCollection;
        QString places;
    };
    for (const Case& c :
         {Case{true, true, "-: show in collection, show artist, mixview"},
          Case{true, false, "-: show artist, mixview"}, Case{false, true, "-: show in collection, mixview"},
          Case{false, false, "-: mixview"}}) {
        const QStringList got = layout(m.context.album(blue, c.showArtist, c.showInCollection));
        EXPECT_EQ(got, (QStringList{"-: play, shuffle, play next, add to now playing",
                                    "keep handy: add to playlist, on the player, pinned to quickplay",
                                    c.places, "edit: change cover" + QString(QChar(0x2026))}))
            << c.showArtist << c.showInCollection;
    }
    // Both lead to the album under its artist.
    const DropMenuPage page = m.context.album(blue, true, true);
    choose(page, "show artist");
    EXPECT_TRUE(QTest::qWaitFor([&] { return m.app.page() == Page::collection; }, 2000));
    EXPECT_EQ(m.app.selectedArtist(), std::optional<QString>("Mira"));
    EXPECT_EQ(m.app.selectedAlbumID(), std::optional<QString>(blue.id()));
    EXPECT_TRUE(rowOf(page, "add to playlist").hasPage());
}

TEST(MenuContextPages, TheFilesCoverOnlyWithAChosenOne) {
    Menus m;
    std::vector<QString> asked;
    m.context.choosePicture = [&](const QString& button, const QString& message,
                                  std::function<void(const QUrl&)> answer) {
        asked = {button, message};
        // A cancel changes nothing; a picture becomes the cover.
        answer(QUrl());
        EXPECT_FALSE(m.album("Mira", "Green").cover.has_value());
        const QString file = m.home.folder("pictures") + "/cover.png";
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(Qt::red);
        ASSERT_TRUE(image.save(file));
        answer(QUrl::fromLocalFile(file));
    };
    const std::vector<DropMenuItem> before = m.context.coverItems(m.album("Mira", "Green"));
    ASSERT_EQ(before.size(), 1u);
    EXPECT_EQ(before[0].title, "change cover" + QString(QChar(0x2026)));
    before[0].run();
    EXPECT_EQ(asked, (std::vector<QString>{"Use Cover", "Choose a cover for Green."}));
    ASSERT_TRUE(m.album("Mira", "Green").cover.has_value());

    const std::vector<DropMenuItem> after = m.context.coverItems(m.album("Mira", "Green"));
    ASSERT_EQ(after.size(), 2u);
    EXPECT_EQ(after[1].title, "use the file's cover");
    EXPECT_TRUE(after[1].destructive);
    EXPECT_FALSE(after[0].destructive);
    after[1].run();
    EXPECT_FALSE(m.album("Mira", "Green").cover.has_value());
}

TEST(MenuContextPages, PlaylistAndArtistPages) {
    Menus m;
    const Playlist gone =
        m.playlists.create(QStringLiteral("gone"), {makeSong("/elsewhere/x.mp3", "X", "Y")});
    EXPECT_EQ(layout(m.context.playlist(gone, true, {})),
              (QStringList{"keep handy: on the player, pinned to quickplay", "-: show in collection"}));
    std::vector<DropMenuItem> edit{DropMenuItem(QStringLiteral("rename"), false, false, {})};
    const Playlist some = m.playlists.create(QStringLiteral("some"), {m.all[0], m.all[6]});
    EXPECT_EQ(layout(m.context.playlist(some, false, edit)),
              (QStringList{"-: play, shuffle, play next, add to now playing",
                           "keep handy: on the player, pinned to quickplay", "edit: rename"}));
    // The pick and the pin name the playlist by its upper-case id.
    choose(m.context.playlist(some, false, {}), "on the player");
    ASSERT_EQ(m.music.picks().size(), 1);
    EXPECT_EQ(m.music.picks()[0].key, Playlist::uuidText(some.id));
    EXPECT_EQ(m.music.picks()[0].key, m.music.picks()[0].key.toUpper());
    choose(m.context.playlist(some, false, {}), "pinned to quickplay");
    EXPECT_EQ(m.app.pins().value(0).stored(), "playlist:" + Playlist::uuidText(some.id));
    choose(m.context.playlist(some, true, {}), "show in collection");
    EXPECT_EQ(m.app.selectedPlaylistID(), std::optional<QString>(Playlist::uuidText(some.id)));
    EXPECT_EQ(m.app.collectionTamsk(), CollectionTamsk::playlists);

    const Artist mira = *m.library->artist("mira");
    std::vector<DropMenuItem> first{DropMenuItem(QStringLiteral("play all"), false, false, {}),
                                    DropMenuItem(QStringLiteral("more"), false, false, {})};
    EXPECT_EQ(
        layout(m.context.artist(mira, first, false)),
        (QStringList{"-: smart dj, play all, more",
                     "keep handy: on the player, pinned to quickplay, quickplay smart dj", "-: mixview"}));
    EXPECT_EQ(layout(m.context.artist(mira, {}, true)).last(), "-: show in collection, mixview");
}

TEST(MenuContextActions, PlayAndShuffle) {
    Menus m;
    const Album blue = m.album("Mira", "Blue");
    m.player.play(m.all, 6, QStringLiteral("Oskar"));
    const DropMenuPage page = m.context.album(blue, false, false);
    choose(page, "play");
    EXPECT_EQ(titles(m.player.queue()), titles(blue.songs));
    EXPECT_EQ(m.player.index(), 0);
    EXPECT_FALSE(m.player.smartDJArtist().has_value());

    // Each choice of the same row draws a new order; the album's own order is left as it was.
    choose(page, "shuffle");
    const QStringList first = titles(m.player.queue());
    choose(page, "shuffle");
    const QStringList second = titles(m.player.queue());
    EXPECT_NE(first, second);
    for (const QStringList& order : {first, second}) {
        QStringList sorted = order;
        sorted.sort();
        QStringList expected = titles(blue.songs);
        expected.sort();
        EXPECT_EQ(sorted, expected);
    }
    EXPECT_EQ(titles(m.album("Mira", "Blue").songs), (QStringList{"One", "Two", "Three", "Four", "Five"}));
    choose(page, "play");
    EXPECT_EQ(titles(m.player.queue()), titles(blue.songs));

    choose(page, "play next");
    EXPECT_EQ(m.notice(), "playing 5 songs next");
}

TEST(MenuContextActions, PlayRowsOfNoSongsDoNothing) {
    Menus m;
    m.player.play({m.all[6]}, 0);
    QSignalSpy queue(&m.player, &Player::queueChanged);
    QSignalSpy notices(&m.player, &Player::noticeChanged);
    for (const DropMenuItem& row : m.context.playItems({}, true))
        row.run();
    EXPECT_EQ(queue.count(), 0);
    EXPECT_EQ(notices.count(), 0);
    EXPECT_EQ(titles(m.player.queue()), QStringList{"Seven"});
}

TEST(MenuContextActions, OnThePlayerActsOnWhatTheMenuShowed) {
    Menus m;
    const Album tides = m.album("Oskar", "Tides");
    const PlayerPick pick = PlayerPick::album(tides);
    m.music.add({pick}, {});
    const DropMenuPage page = m.context.album(tides, false, false);
    EXPECT_TRUE(rowOf(page, "on the player").checked);
    choose(page, "on the player");
    EXPECT_TRUE(m.music.picks().isEmpty());
    EXPECT_EQ(m.notice(), ldquo + "Tides" + rdquo + " won't go on your player");

    const DropMenuPage again = m.context.album(tides, false, false);
    EXPECT_FALSE(rowOf(again, "on the player").checked);
    choose(again, "on the player");
    EXPECT_EQ(m.music.picks(), QList<PlayerPick>{pick});
    EXPECT_EQ(m.notice(),
              "added " + ldquo + "Tides" + rdquo + " for your player, which gets everything for now");
}

TEST(MenuContextActions, PinsSmartDJAndMixview) {
    Menus m;
    const Artist oskar = *m.library->artist("Oskar");
    DropMenuPage page = m.context.artist(oskar, {}, false);
    EXPECT_FALSE(rowOf(page, "pinned to quickplay").checked);
    choose(page, "pinned to quickplay");
    page = m.context.artist(oskar, {}, false);
    EXPECT_TRUE(rowOf(page, "pinned to quickplay").checked);
    choose(page, "pinned to quickplay");
    EXPECT_TRUE(m.app.pins().isEmpty());

    choose(page, "quickplay smart dj");
    EXPECT_TRUE(m.app.hasSmartDJ("oskar"));
    EXPECT_TRUE(rowOf(m.context.artist(oskar, {}, false), "quickplay smart dj").checked);

    choose(page, "mixview");
    ASSERT_TRUE(m.app.mixview().has_value());
    EXPECT_EQ(*m.app.mixview(), MixSeed::artist("Oskar"));

    choose(page, "smart dj");
    EXPECT_EQ(m.player.smartDJArtist(), std::optional<QString>("Oskar"));
    EXPECT_FALSE(m.player.queue().isEmpty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return m.app.page() == Page::nowPlaying; }, 2000));
}

TEST(PlaylistActions, AddNotices) {
    Menus m;
    const QList<Song>& a = m.all;
    struct Case {
        QList<Song> held, added;
        QString notice;
    };
    const QList<Case> cases{
        {{}, {a[0]}, "added " + ldquo + "One" + rdquo + " to N"},
        {{}, {a[0], a[1]}, "added 2 songs to N"},
        {{a[0]}, {a[0], a[1], a[2]}, "added 2 songs to N"},
        {{a[0], a[1]}, {a[0], a[1], a[2]}, "added 1 song to N"},
        {{a[0]}, {a[0]}, ldquo + "One" + rdquo + " is already in N"},
        {{a[0], a[1], a[2]}, {a[0], a[1], a[2]}, "those songs are already in N"},
        {{a[0]}, {}, "those songs are already in N"},
    };
    for (const Case& c : cases) {
        const Playlist p = m.playlists.create(QStringLiteral("N"), c.held);
        PlaylistActions::add(c.added, p.id, m.playlists, m.player);
        EXPECT_EQ(m.notice(), c.notice) << c.held.size() << " held, " << c.added.size() << " added";
        m.playlists.deletePlaylist(p.id);
    }
}

TEST(PlaylistActions, MissingPlaylistsAndFreshNames) {
    Menus m;
    QSignalSpy notices(&m.player, &Player::noticeChanged);
    QSignalSpy lists(&m.playlists, &PlaylistStore::playlistsChanged);
    PlaylistActions::add({m.all[0]}, QUuid::createUuid(), m.playlists, m.player);
    // The automatic playlists are found by id but take no songs: nothing to say about them either.
    PlaylistActions::add({m.all[0]}, m.playlists.automatic().first().id, m.playlists, m.player);
    EXPECT_EQ(notices.count(), 0);
    EXPECT_EQ(lists.count(), 0);

    m.playlists.create(QStringLiteral("new playlist"), {});
    PlaylistActions::create(QStringLiteral("   "), {m.all[0], m.all[1], m.all[2]}, m.playlists, m.player);
    EXPECT_EQ(m.notice(), "made new playlist 2 with 3 songs");
    EXPECT_EQ(m.playlists.playlists().first().name, "new playlist 2");
    PlaylistActions::create(QStringLiteral(" Road "), {m.all[3]}, m.playlists, m.player);
    EXPECT_EQ(m.notice(), "made Road with " + ldquo + "Four" + rdquo);
}

TEST(PlaylistActions, AddPage) {
    Menus m;
    const Playlist older = m.playlists.create(QStringLiteral("older"), {m.all[0], m.all[1]});
    const Playlist newer = m.playlists.create(QStringLiteral("newer"), {m.all[1]});
    const DropMenuPage page =
        PlaylistActions::addPage({m.all[0], m.all[1]}, QStringLiteral("Blue"), m.playlists, m.player);
    EXPECT_EQ(layout(page), (QStringList{"-: new playlist " + ldquo + "Blue" + rdquo, "-: newer, older"}));
    EXPECT_FALSE(rowOf(page, "newer").checked);
    EXPECT_TRUE(rowOf(page, "older").checked);
    // A checked row still adds, and says the songs are there.
    choose(page, "older");
    EXPECT_EQ(m.notice(), "those songs are already in older");
    choose(page, "newer");
    EXPECT_EQ(m.playlists.playlist(newer.id)->paths, pathsOf({m.all[1], m.all[0]}));
    choose(page, "new playlist " + ldquo + "Blue" + rdquo);
    EXPECT_EQ(m.playlists.playlists().first().name, "Blue");
    EXPECT_EQ(m.notice(), "made Blue with 2 songs");

    // No songs: every playlist holds them all.
    for (const DropMenuItem& row :
         PlaylistActions::addPage({}, "x", m.playlists, m.player).sections()[1].items)
        EXPECT_TRUE(row.checked) << row.title.toStdString();
    // The menu row builds its page when it opens: a playlist made since shows.
    const DropMenuItem row = m.context.addToPlaylist({m.all[5]}, "Green");
    m.playlists.create(QStringLiteral("later"), {m.all[5]});
    const DropMenuPage sub = row.opens();
    EXPECT_TRUE(rowOf(sub, "later").checked);

    // No playlists: only the new one.
    for (const Playlist& p : QList<Playlist>(m.playlists.playlists()))
        m.playlists.deletePlaylist(p.id);
    EXPECT_EQ(layout(row.opens()), (QStringList{"-: new playlist " + ldquo + "Green" + rdquo}));
}

TEST(AddButtonPage, QueuesOrAdds) {
    Menus m;
    const DropMenuPage page = m.context.addPage({m.all[6], m.all[7]}, "Tides");
    EXPECT_EQ(layout(page), (QStringList{"-: play next, add to now playing, add to playlist"}));
    choose(page, "add to now playing");
    EXPECT_EQ(m.notice(), "playing 2 songs");
    choose(page, "add to now playing");
    EXPECT_EQ(m.notice(), "added 2 songs to now playing");
    EXPECT_EQ(layout(rowOf(page, "add to playlist").opens()),
              (QStringList{"-: new playlist " + ldquo + "Tides" + rdquo}));
}

TEST(SpringLoaded, FiresOnceAfterHalfASecond) {
    FakeMenuClock clock;
    Spring spring;
    spring.setClock(&clock);
    QSignalSpy opened(&spring, &Spring::open);

    spring.enter();
    EXPECT_TRUE(spring.filling());
    clock.advance(0.4);
    spring.leave();
    EXPECT_EQ(spring.state(), Spring::Idle);
    clock.advance(1);
    EXPECT_EQ(opened.count(), 0);

    spring.enter();
    clock.advance(0.5);
    EXPECT_EQ(opened.count(), 1);
    EXPECT_EQ(spring.state(), Spring::Fired);
    EXPECT_FALSE(spring.filling());
    clock.advance(5);
    EXPECT_EQ(opened.count(), 1);
    // Leaving and coming back starts a new wait.
    spring.leave();
    spring.enter();
    clock.advance(0.5);
    EXPECT_EQ(opened.count(), 2);

    spring.leave();
    spring.setActive(false);
    spring.enter();
    clock.advance(1);
    EXPECT_EQ(opened.count(), 2);
    EXPECT_EQ(spring.state(), Spring::Idle);
}

TEST(MenuContextPages, HoverActionsAsRows) {
    HoverAction remove(QStringLiteral("minus"), QStringLiteral("Remove from Playlist"));
    HoverAction add(QStringLiteral("plus"), QStringLiteral("Add to Now Playing"));
    QSignalSpy ran(&remove, &HoverAction::run);
    const std::vector<DropMenuItem> rows = MenuContext::items({&remove, &add});
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].title, "remove from playlist");
    EXPECT_EQ(rows[1].title, "add to now playing");
    EXPECT_FALSE(rows[0].checked || rows[0].destructive || rows[0].hasPage());
    rows[0].run();
    EXPECT_EQ(ran.count(), 1);
}
