#include "library/PlaylistLibrary.h"
#include "nowplaying/NowPlayingController.h"
#include "nowplaying/SongBlock.h"
#include "playback/PlayerRig.h"

#include <QGuiApplication>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>
#include <vector>

namespace {
// A clock the test moves by hand, and the sleeps that wait on it.
struct FakeTime {
    double now = 0;
    std::vector<std::pair<double, std::function<void()>>> sleeps;
    auto sleep() {
        return [this](int ms, std::function<void()> then) {
            sleeps.emplace_back(now + ms / 1000.0, std::move(then));
        };
    }
    // Runs every sleep due by `until`, in time order.
    void advance(double until) {
        for (;;) {
            auto next = std::min_element(sleeps.begin(), sleeps.end(),
                                         [](const auto& a, const auto& b) { return a.first < b.first; });
            if (next == sleeps.end() || next->first > until + 1e-9) break;
            now = next->first;
            auto then = std::move(next->second);
            sleeps.erase(next);
            then();
        }
        now = until;
    }
};

using Colors = NowPlayingController::Colors;
const Colors accentPair{QColor(255, 0, 128), QColor(128, 0, 255)};

// A library of two albums by two artists and a song outside it, a player, the navigation model, a window
// opener that records the names, and cover colours answered when the test says.
struct Rig {
    PlayerRig rig;
    Song dawn1 = makeSong("/m/Lune/Dawn/1.flac", "Lune", "Dawn", "One");
    Song dawn2 = makeSong("/m/Lune/Dawn/2.flac", "Lune", "Dawn", "Two");
    Song dusk = makeSong("/m/Mira/Dusk/1.flac", "Mira", "Dusk", "Three");
    Song stray = makeSong("/elsewhere/loose.mp3", "Nobody", "Not Scanned", "Loose");
    std::unique_ptr<LibraryStore> library = libraryWith(*rig.defaults, {dawn1, dawn2, dusk});
    AppModel app{*rig.defaults};
    QStringList opened;
    WindowOpener windows{[this](const QString& id) {
        opened.append(id);
        return true;
    }};
    FakeTime time;
    // Colour requests by cover, answered by answer().
    QList<std::pair<FileUrl, std::function<void(std::optional<Colors>)>>> requests;
    QList<bool> pointer; // each change of the pointer's hiding, in order
    NowPlayingController page;

    Rig() {
        page.setSleep(time.sleep());
        page.setAccentPair([] { return accentPair; });
        page.setCoverColors([this](const FileUrl& url, std::function<void(std::optional<Colors>)> done) {
            requests.append({url, std::move(done)});
        });
        page.setPointer([this](bool hidden) { pointer.append(hidden); });
        page.setPlayer(rig.player.get());
        page.setLibrary(library.get());
        page.setApp(&app);
        page.setWindows(&windows);
    }
    void playing(const QList<Song>& songs) {
        rig->play(songs);
        ASSERT_TRUE(QTest::qWaitFor([&] { return rig->isPlaying(); }, 5000));
    }
    void answer(int request, std::optional<Colors> colors) { requests[request].second(colors); }
};
} // namespace

TEST(NowPlaying, ControlsHideAfterThreeQuietSecondsOfMusic) {
    Rig r;
    r.playing({r.dawn1, r.dawn2});
    r.page.start();
    r.time.advance(2.99);
    EXPECT_TRUE(r.page.controlsShown());
    r.time.advance(3.0);
    EXPECT_FALSE(r.page.controlsShown());
    EXPECT_TRUE(r.page.pointerHidden());
    EXPECT_EQ(r.pointer, QList<bool>{true});

    // A move brings both back at once and starts the spell again.
    r.page.pointerMoved();
    EXPECT_TRUE(r.page.controlsShown());
    EXPECT_FALSE(r.page.pointerHidden());
    EXPECT_EQ(r.pointer, (QList<bool>{true, false}));
    r.time.advance(4.9);
    r.page.pointerMoved(); // at 4.9: the spell now ends at 7.9
    r.time.advance(7.89);
    EXPECT_TRUE(r.page.controlsShown());
    r.time.advance(7.9);
    EXPECT_FALSE(r.page.controlsShown());
}

TEST(NowPlaying, AMoveJustBeforeTheEndRestartsTheSpell) {
    Rig r;
    r.playing({r.dawn1});
    r.page.start();
    r.time.advance(2.9);
    r.page.pointerMoved();
    r.time.advance(5.89);
    EXPECT_TRUE(r.page.controlsShown());
    r.time.advance(5.9);
    EXPECT_FALSE(r.page.controlsShown());
}

TEST(NowPlaying, ControlsStayWhilePausedOrWithUpNextOpen) {
    {
        SCOPED_TRACE("paused");
        Rig r;
        r.rig->setQueue({r.dawn1});
        ASSERT_FALSE(r.rig->isPlaying());
        r.page.start();
        r.time.advance(30);
        EXPECT_TRUE(r.page.controlsShown());
        EXPECT_TRUE(r.pointer.isEmpty());
    }
    {
        SCOPED_TRACE("queue open");
        Rig r;
        r.playing({r.dawn1});
        r.page.start();
        r.page.toggleQueue();
        EXPECT_TRUE(r.page.showQueue());
        r.time.advance(30);
        EXPECT_TRUE(r.page.controlsShown());
    }
    {
        SCOPED_TRACE("a pause from elsewhere (the mini player) brings them back");
        Rig r;
        r.playing({r.dawn1});
        r.page.start();
        r.time.advance(3);
        ASSERT_FALSE(r.page.controlsShown());
        r.rig->toggle();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !r.rig->isPlaying(); }, 5000));
        EXPECT_TRUE(r.page.controlsShown());
        r.time.advance(60);
        EXPECT_TRUE(r.page.controlsShown());
    }
}

TEST(NowPlaying, KeysActThenWake) {
    Rig r;
    r.playing({r.dawn1, r.dawn2, r.dusk});
    r.page.start();
    r.time.advance(3);
    ASSERT_FALSE(r.page.controlsShown());

    r.rig->setVolume(0.98);
    EXPECT_TRUE(r.page.key(Qt::Key_Up, 0));
    EXPECT_DOUBLE_EQ(r.rig->volume(), 1.0);
    EXPECT_TRUE(r.page.controlsShown());
    EXPECT_TRUE(r.page.key(Qt::Key_Up, 0));
    EXPECT_DOUBLE_EQ(r.rig->volume(), 1.0);
    r.rig->setVolume(0.03);
    EXPECT_TRUE(r.page.key(Qt::Key_Down, 0));
    EXPECT_DOUBLE_EQ(r.rig->volume(), 0.0);

    EXPECT_TRUE(r.page.key(Qt::Key_Right, 0));
    EXPECT_EQ(r.rig->index(), 1);
    EXPECT_TRUE(r.page.key(Qt::Key_Left, Qt::KeypadModifier));
    EXPECT_EQ(r.rig->index(), 0);
    EXPECT_TRUE(r.page.key(Qt::Key_Space, 0));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !r.rig->isPlaying(); }, 5000));

    // A key with Ctrl is the menus' shortcut: the page leaves it, so the volume moves once, not twice.
    r.rig->setVolume(0.5);
    EXPECT_FALSE(r.page.key(Qt::Key_Up, Qt::ControlModifier));
    EXPECT_DOUBLE_EQ(r.rig->volume(), 0.5);
    EXPECT_FALSE(r.page.key(Qt::Key_A, 0));

    // Escape steps back, without waking.
    r.app.go(Nav::Page::collection);
    ASSERT_TRUE(QTest::qWaitFor([&] { return r.app.page() == Nav::Page::collection; }));
    r.app.go(Nav::Page::nowPlaying);
    ASSERT_TRUE(QTest::qWaitFor([&] { return r.app.page() == Nav::Page::nowPlaying; }));
    r.playing({r.dawn1});
    r.time.advance(r.time.now + 3);
    ASSERT_FALSE(r.page.controlsShown());
    EXPECT_TRUE(r.page.key(Qt::Key_Escape, 0));
    EXPECT_TRUE(QTest::qWaitFor([&] { return r.app.page() == Nav::Page::collection; }));
    EXPECT_FALSE(r.page.controlsShown());
}

TEST(NowPlaying, TheUpNextPanelHeight) {
    const std::pair<double, double> cases[] = {{400, 220}, {500, 260}, {1000, 470}, {710, 470}, {460, 220}};
    for (auto [page, panel] : cases)
        EXPECT_EQ(NowPlayingController::queueHeight(page), panel) << page;
}

TEST(NowPlaying, TheButtonsLeadToMixviewTheMiniPlayerAndTheCollection) {
    Rig r;
    r.page.openMixview();
    EXPECT_FALSE(r.app.mixview()) << "no Mixview without a song";
    r.playing({r.dusk});
    r.page.openMixview();
    ASSERT_TRUE(r.app.mixview());
    EXPECT_EQ(r.app.mixview()->kind, MixSeed::Kind::album);
    EXPECT_EQ(r.app.mixview()->value, r.dusk.albumID());

    EXPECT_TRUE(r.page.openMiniPlayer());
    EXPECT_EQ(r.opened, QStringList{"mini"});

    r.page.showAlbum();
    EXPECT_TRUE(QTest::qWaitFor([&] { return r.app.page() == Nav::Page::collection; }));
    EXPECT_EQ(r.app.selectedArtist(), std::optional<QString>("Mira"));
    EXPECT_EQ(r.app.selectedAlbumID(), std::optional(r.dusk.albumID()));
}

TEST(NowPlaying, TheTintFollowsTheAlbum) {
    Rig r;
    r.playing({r.dawn1, r.dawn2, r.dusk, r.stray});
    r.page.start();
    // The accent until the cover's colours come.
    EXPECT_EQ(r.page.tintBase(), accentPair.first);
    ASSERT_EQ(r.requests.size(), 1);
    const Colors dawn{QColor(200, 100, 0), QColor(250, 200, 0)};
    QSignalSpy tinted(&r.page, &NowPlayingController::tintChanged);
    r.answer(0, dawn);
    EXPECT_EQ(r.page.tintBase(), dawn.first);
    EXPECT_EQ(r.page.tintGlow(), dawn.second);
    EXPECT_EQ(r.page.tintMs(), 1100);
    EXPECT_EQ(tinted.size(), 1);

    // Another song of the album asks nothing.
    r.rig->next(false);
    EXPECT_EQ(r.requests.size(), 1);
    // A new album asks once; a slow answer for it loses to the album after it.
    r.rig->next(false);
    ASSERT_EQ(r.requests.size(), 2);
    EXPECT_EQ(r.requests[1].first, r.dusk.url);
    r.rig->next(false); // the stray song: not in the library, the accent at once
    EXPECT_EQ(r.requests.size(), 2);
    EXPECT_EQ(r.page.tintBase(), accentPair.first);
    r.answer(1, Colors{Qt::red, Qt::blue});
    EXPECT_EQ(r.page.tintBase(), accentPair.first);
    EXPECT_EQ(r.page.tintGlow(), accentPair.second);
}

TEST(NowPlaying, ACoverWithoutColoursGivesTheAccentOfThatMoment) {
    Rig r;
    r.page.setReduceMotion(true);
    r.playing({r.dusk});
    r.page.start();
    ASSERT_EQ(r.requests.size(), 1);
    r.answer(0, std::nullopt);
    EXPECT_EQ(r.page.tintBase(), accentPair.first);
    EXPECT_EQ(r.page.tintMs(), 0) << "at once with reduce motion";
}

TEST(NowPlaying, TheTintWaitsForThePageToShow) {
    Rig r;
    r.playing({r.dawn1});
    EXPECT_TRUE(r.requests.isEmpty());
    r.page.start();
    EXPECT_EQ(r.requests.size(), 1);
}

TEST(NowPlaying, ThePointerComesBackWhenThePageGoesAway) {
    Rig r;
    r.playing({r.dawn1});
    QList<bool> pointer;
    {
        NowPlayingController page;
        page.setSleep(r.time.sleep());
        page.setPointer([&](bool hidden) { pointer.append(hidden); });
        page.setPlayer(r.rig.player.get());
        page.start();
        r.time.advance(3);
        EXPECT_EQ(pointer, QList<bool>{true});
    }
    EXPECT_EQ(pointer, (QList<bool>{true, false}));
    // The spell of a page that is gone does nothing.
    r.time.advance(10);
}

TEST(NowPlaying, TheRealPointerIsBlankWhileHidden) {
    Rig r;
    NowPlayingController page; // with the program's own pointer
    page.setSleep(r.time.sleep());
    page.setPlayer(r.rig.player.get());
    r.playing({r.dawn1});
    page.start();
    r.time.advance(3);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::BlankCursor);
    page.pointerMoved();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(NowPlaying, DoubleClickTogglesFullScreenAndBack) {
    NowPlayingController page;
    QWindow window;
    window.showMaximized();
    const QWindow::Visibility before = window.visibility();
    page.toggleFullScreen(&window);
    EXPECT_EQ(window.visibility(), QWindow::FullScreen);
    page.toggleFullScreen(&window);
    EXPECT_EQ(window.visibility(), before);
    page.toggleFullScreen(static_cast<QWindow*>(nullptr)); // nothing to toggle
}

// MARK: the song block

namespace {
struct BlockRig : Rig {
    FakeTime turns;
    SongBlock block;
    QList<std::tuple<double, int>> angles; // angle and its animation time, as set
    explicit BlockRig(bool reduceMotion = false) {
        block.setSleep(turns.sleep());
        block.setReduceMotion(reduceMotion);
        QObject::connect(&block, &SongBlock::angleChanged, [this] {
            angles.append({block.angle(), block.angleMs()});
        });
    }
};
} // namespace

TEST(SongBlock, ASongOfTheSameAlbumSwapsOnlyTheTitleAndTheLike) {
    BlockRig r;
    r.playing({r.dawn1, r.dawn2, r.dusk});
    r.block.setSource(&r.page);
    const QUrl dawnCover = r.page.cover();
    EXPECT_EQ(r.block.shownCover(), dawnCover);
    QSignalSpy artist(&r.block, &SongBlock::artistKeyChanged), album(&r.block, &SongBlock::albumKeyChanged),
        song(&r.block, &SongBlock::songKeyChanged);
    r.rig->next(false);
    EXPECT_EQ(artist.size(), 0);
    EXPECT_EQ(album.size(), 0);
    EXPECT_EQ(song.size(), 1);
    EXPECT_TRUE(r.angles.isEmpty()) << "no turn";

    // Another album by another artist: every line swaps and the card turns once.
    r.rig->next(false);
    EXPECT_EQ(artist.size(), 1);
    EXPECT_EQ(album.size(), 1);
    EXPECT_EQ(song.size(), 2);
    EXPECT_EQ(r.block.shownCover(), dawnCover) << "the old cover until it is edge-on";
    r.turns.advance(0.24);
    EXPECT_EQ(r.block.shownCover(), r.page.cover());
    r.turns.advance(1);
    ASSERT_EQ(r.angles.size(), 3);
    EXPECT_EQ(r.angles[0], std::make_tuple(90.0, 240));
    EXPECT_EQ(r.angles[1], std::make_tuple(-90.0, 0));
    EXPECT_EQ(std::get<0>(r.angles[2]), 0.0);
    EXPECT_GT(std::get<1>(r.angles[2]), 300) << "the spring settles";
}

TEST(SongBlock, TwoQuickAlbumChangesLeaveTheSecondCoverFacingFront) {
    BlockRig r;
    Song other = makeSong("/m/Lune/Noon/1.flac", "Lune", "Noon", "Four");
    r.playing({r.dawn1, r.dusk, other});
    r.block.setSource(&r.page);
    r.rig->next(false);
    r.turns.advance(0.1);
    r.rig->next(false);
    const QUrl last = r.page.cover();
    r.turns.advance(5);
    EXPECT_EQ(r.block.shownCover(), last);
    EXPECT_EQ(r.block.angle(), 0.0);
}

TEST(SongBlock, ReduceMotionSwapsWithoutTurning) {
    BlockRig r(true);
    r.playing({r.dawn1, r.dusk});
    r.block.setSource(&r.page);
    r.rig->next(false);
    EXPECT_EQ(r.block.shownCover(), r.page.cover());
    EXPECT_TRUE(r.angles.isEmpty());
}

TEST(SongBlock, ASongOutsideTheLibraryShowsItsOwnFile) {
    BlockRig r;
    r.playing({r.stray});
    r.block.setSource(&r.page);
    EXPECT_EQ(r.block.shownCover(), r.stray.url.toUrl());
    EXPECT_EQ(r.block.coverName(), "Show Not Scanned in Collection");
    EXPECT_EQ(r.block.coverHelp(), "Show this album in Collection");
}
