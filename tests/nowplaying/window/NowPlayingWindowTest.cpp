// Now Playing in the whole program's main window, on an X display (layer effects draw nothing offscreen).
#include "library/LibraryStore.h"
#include "nowplaying/FlipTileState.h"
#include "nowplaying/VisualizerGlow.h"
#include "playback/Player.h"
#include "shell/AppModel.h"
#include "shell/TamskApp.h"
#include "support/PrivateBus.h"
#include "support/TestHome.h"

#include <QCursor>
#include <QQmlComponent>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace {
QQuickItem* part(QQuickWindow& window, const char* name) {
    return window.findChild<QQuickItem*>(QString::fromLatin1(name));
}

// Where the item's centre comes to rest: the bar slides in with the page, and on a busy machine its entrance
// may still be under way when a case begins.
QPoint centreOf(QQuickItem& item) {
    const auto now = [&] { return item.mapToScene(QPointF(item.width() / 2, item.height() / 2)); };
    QPointF last = now();
    QTest::qWaitFor(
        [&] {
            QTest::qWait(80);
            const QPointF next = now();
            const bool still = next == last;
            last = next;
            return still;
        },
        5000);
    return last.toPoint();
}

// Moves the pointer there, the display's own pointer too, and gives back where it is: while the wall turns
// its tiles, Qt Quick re-delivers hover at the display's pointer each frame, and a pointer left elsewhere (or
// a pixel off, as the desktop may place it) would read as a move.
QPoint pointTo(QQuickWindow* window, QPoint at) {
    QCursor::setPos(window->mapToGlobal(at));
    QTest::qWait(100);
    const QPoint there = window->mapFromGlobal(QCursor::pos());
    QTest::mouseMove(window, there);
    return there;
}

// A song that really plays: a tone of the fixtures under another title.
Song song(TestHome&, const QString& title, const QString& album) {
    Song s;
    s.url = FileUrl::fromPath(fixturePath(title == "One" ? "long.ogg" : "tone.ogg"));
    s.title = title;
    s.artist = s.albumArtist = "Lune DeVille";
    s.album = album;
    s.duration = 245;
    return s;
}

struct PageRig {
    TestHome home;
    TamskApp app;
    QQuickWindow* window = nullptr;
    QObject* controller = nullptr;

    void open() {
        ASSERT_TRUE(usePrivateBus());
        ASSERT_TRUE(app.showMainWindow());
        window = app.mainWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        app.player().play({song(home, "One", "Night Songs"), song(home, "Two", "Night Songs")});
        app.app().go(Nav::Page::nowPlaying);
        ASSERT_TRUE(QTest::qWaitFor([&] { return part(*window, "nowPlayingView") != nullptr; }, 5000));
        controller = part(*window, "nowPlayingView")->property("controller").value<QObject*>();
        ASSERT_NE(controller, nullptr);
        QTest::qWait(600); // the entrances
    }
    int activity() const { return controller->property("activity").toInt(); }
    // A part of the page (the footer, hidden behind it, has buttons of the same names).
    QQuickItem* find(const char* name) const {
        return part(*window, "nowPlayingView")->findChild<QQuickItem*>(QString::fromLatin1(name));
    }
};
} // namespace

// The bar's buttons keep no keyboard focus: Space after a click on Repeat still plays and pauses. Only Up
// Next counts as a sign of the user; the other buttons leave the quiet spell running.
TEST(NowPlayingWindow, ButtonsKeepNoFocusAndOnlyUpNextWakes) {
    PageRig p;
    p.open();
    ASSERT_TRUE(QTest::qWaitFor([&] { return p.app.player().isPlaying(); }, 5000))
        << p.app.player().noticeText().toStdString();
    for (const char* name : {"repeat", "shuffle"}) {
        SCOPED_TRACE(name);
        QQuickItem* button = p.find(name);
        ASSERT_NE(button, nullptr);
        // The pointer gets there first, which wakes the page as any move does; the click itself does not.
        const int moved = p.activity();
        QPoint at = pointTo(p.window, centreOf(*button));
        EXPECT_TRUE(QTest::qWaitFor([&] { return p.activity() > moved; }, 3000));
        // A page woken from its quiet spell slides the bar back in: the pointer follows the button there.
        for (QPoint rest = centreOf(*button); rest != at; rest = centreOf(*button))
            at = pointTo(p.window, rest);
        QTest::qWait(100);
        const int before = p.activity();
        QTest::mouseClick(p.window, Qt::LeftButton, {}, at);
        QTest::qWait(100);
        EXPECT_EQ(p.activity(), before);
    }
    EXPECT_TRUE(p.app.player().repeatAll());

    const bool playing = p.app.player().isPlaying();
    QTest::keyClick(p.window, Qt::Key_Space);
    EXPECT_TRUE(QTest::qWaitFor([&] { return p.app.player().isPlaying() != playing; }, 3000));

    QQuickItem* upNext = p.find("upNext");
    ASSERT_NE(upNext, nullptr);
    const int moved = p.activity();
    QPoint atUpNext = pointTo(p.window, centreOf(*upNext));
    EXPECT_TRUE(QTest::qWaitFor([&] { return p.activity() > moved; }, 3000));
    for (QPoint rest = centreOf(*upNext); rest != atUpNext; rest = centreOf(*upNext))
        atUpNext = pointTo(p.window, rest);
    QTest::qWait(100);
    const int before = p.activity();
    QTest::mouseClick(p.window, Qt::LeftButton, {}, atUpNext);
    EXPECT_GT(p.activity(), before);
    EXPECT_TRUE(p.controller->property("showQueue").toBool());
    QQuickItem* panel = p.find("queuePanel");
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->width(), 340);
}

// Mixview opens on the playing album; the Mini Player button opens the one small window, however often.
TEST(NowPlayingWindow, MixviewAndTheMiniPlayer) {
    PageRig p;
    p.open();
    // The song block is there, its cover named for the album it shows in the collection.
    QQuickItem* cover = p.find("cover");
    ASSERT_NE(cover, nullptr);
    EXPECT_TRUE(cover->isVisible());
    QQuickItem* mini = p.find("miniPlayer");
    ASSERT_NE(mini, nullptr);
    QTest::mouseClick(p.window, Qt::LeftButton, {}, centreOf(*mini));
    ASSERT_TRUE(QTest::qWaitFor([&] { return p.app.miniWindow() != nullptr; }, 5000));
    QQuickWindow* first = p.app.miniWindow();
    p.window->requestActivate();
    QTest::mouseClick(p.window, Qt::LeftButton, {}, centreOf(*mini));
    QTest::qWait(100);
    EXPECT_EQ(p.app.miniWindow(), first);

    QQuickItem* mixview = p.find("mixview");
    ASSERT_NE(mixview, nullptr);
    QTest::mouseClick(p.window, Qt::LeftButton, {}, centreOf(*mixview));
    ASSERT_TRUE(p.app.app().mixview());
    EXPECT_EQ(p.app.app().mixview()->value, song(p.home, "One", "Night Songs").albumID());
}

// The wash takes the hue of the tint: a grey tile under a red tint turns red.
TEST(NowPlayingWindow, AGreyTileUnderARedTintTurnsRed) {
    ASSERT_TRUE(usePrivateBus());
    TestHome home;
    TamskApp app;
    QQmlComponent component(&app.engine());
    component.setData(R"(
        import QtQuick
        import Velto.NowPlaying
        Window {
            width: 200; height: 200; visible: true; color: "black"
            Rectangle { id: tile; width: 200; height: 200; color: "#808080"; visible: false }
            TintedWall { anchors.fill: parent; source: tile; base: "red"; glow: "red" }
        })",
                      QUrl("memory:/TintTest.qml"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !component.isLoading(); }, 5000));
    std::unique_ptr<QObject> made(component.create());
    ASSERT_TRUE(made) << component.status() << component.errorString().toStdString();
    auto* window = qobject_cast<QQuickWindow*>(made.get());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    QTest::qWait(200);
    const QImage shot = window->grabWindow();
    for (const QPoint at : {QPoint(30, 170), QPoint(100, 100), QPoint(170, 30)}) {
        const QColor c = shot.pixelColor(at);
        EXPECT_GT(c.red(), c.green() + 40) << at.x() << "," << at.y() << " " << c.name().toStdString();
        EXPECT_GT(c.red(), c.blue() + 40) << at.x() << "," << at.y() << " " << c.name().toStdString();
    }
}

namespace {
// A window made from QML in the program's engine, shown and drawn once.
std::unique_ptr<QObject> showQml(TamskApp& app, const char* qml) {
    QQmlComponent component(&app.engine());
    component.setData(qml, QUrl("memory:/Shown.qml"));
    if (!QTest::qWaitFor([&] { return !component.isLoading(); }, 5000)) return {};
    std::unique_ptr<QObject> made(component.create());
    if (!made) ADD_FAILURE() << component.errorString().toStdString();
    auto* window = qobject_cast<QQuickWindow*>(made.get());
    if (!window || !QTest::qWaitForWindowExposed(window)) return {};
    QTest::qWait(200);
    return made;
}
} // namespace

// The song block's texts cast a soft shadow: a Gaussian of the layer's coverage, 0.45 black, one point
// down; the layer itself stays on top, and the shadow fades out within a few points.
TEST(NowPlayingWindow, TheTextsShadowIsSoftAndFallsBelow) {
    ASSERT_TRUE(usePrivateBus());
    TestHome home;
    TamskApp app;
    std::unique_ptr<QObject> made = showQml(app, R"(
        import QtQuick
        import Velto.NowPlaying
        Window {
            width: 200; height: 200; visible: true; color: "#808080"
            Item {
                x: 20; y: 20; width: 160; height: 160
                layer.enabled: true
                layer.effect: SoftShadow { color: Qt.rgba(0, 0, 0, 0.45); radius: 8; dy: 1 }
                Rectangle { x: 40; y: 40; width: 80; height: 40; color: "white" }
            }
        })");
    ASSERT_TRUE(made);
    const QImage shot = qobject_cast<QQuickWindow*>(made.get())->grabWindow();
    const auto grey = [&](int x, int y) { return qRed(shot.pixel(x, y)); };
    // The rectangle spans x 60…140, y 60…100 in the window.
    EXPECT_GE(grey(100, 80), 250) << "the layer is drawn over its shadow";
    // Below the middle of the bottom edge the shadow is a Gaussian edge of deviation (8 + 1) / 3.3333,
    // moved one point down: 128 · (1 − 0.45 · Φ(−(d − 1 + 0.5) / σ)) at d points below the edge.
    const double sigma = 9 / 3.3333;
    for (int d : {1, 2, 3, 5, 8}) {
        const double covered = 0.5 * std::erfc((d - 0.5) / sigma / std::sqrt(2.0));
        EXPECT_NEAR(grey(100, 100 + d), 128 * (1 - 0.45 * covered), 4) << d << " below";
    }
    EXPECT_LT(grey(100, 101), grey(100, 58)) << "it falls below more than above";
    EXPECT_NEAR(grey(100, 130), 128, 1) << "and is gone a few points away";
    EXPECT_NEAR(grey(10, 10), 128, 1);
}

// The light band is drawn at half a pixel a point and scaled up on screen: what the window shows is the
// drawn band stretched over the whole item, with linear filtering between pixel centres.
TEST(NowPlayingWindow, TheLightBandFillsItsItem) {
    ASSERT_TRUE(usePrivateBus());
    TestHome home;
    TamskApp app;
    std::unique_ptr<QObject> made = showQml(app, R"(
        import QtQuick
        import Velto.NowPlaying
        Window {
            width: 400; height: 200; visible: true; color: "black"
            VisualizerGlow { objectName: "glow"; y: 80; width: 400; height: 120; bandHeight: 40 }
        })");
    ASSERT_TRUE(made);
    auto* window = qobject_cast<QQuickWindow*>(made.get());
    auto* glow = window->findChild<VisualizerGlow*>("glow");
    ASSERT_NE(glow, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return glow->renders() > 0; }, 2000));
    QTest::qWait(200);
    const QImage shot = window->grabWindow().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage band = glow->frame();
    const double scale = glow->frameScale();
    ASSERT_EQ(band.size(), QSize(200, 60));
    // The band over black shows its premultiplied colour.
    const auto expected = [&](int x, int y, int shift) {
        const double u = (x + 0.5) * scale - 0.5, v = (y + 0.5) * scale - 0.5;
        const int x0 = int(std::floor(u)), y0 = int(std::floor(v));
        const double fx = u - x0, fy = v - y0;
        const auto c = [&](int px, int py) {
            const QRgb p =
                band.pixel(std::clamp(px, 0, band.width() - 1), std::clamp(py, 0, band.height() - 1));
            return double((p >> shift) & 0xff);
        };
        return (c(x0, y0) * (1 - fx) + c(x0 + 1, y0) * fx) * (1 - fy) +
               (c(x0, y0 + 1) * (1 - fx) + c(x0 + 1, y0 + 1) * fx) * fy;
    };
    int worst = 0, lit = 0;
    for (int y = 0; y < 120; y += 2)
        for (int x = 0; x < 400; x += 3) {
            const QRgb shown = shot.pixel(x, 80 + y);
            for (int shift : {0, 8, 16}) {
                const int want = int(std::lround(expected(x, y, shift)));
                worst = std::max(worst, std::abs(int((shown >> shift) & 0xff) - want));
                if (want > 12) ++lit;
            }
        }
    EXPECT_GT(lit, 20) << "the glow is lit at rest";
    EXPECT_LE(worst, 3);
}

namespace {
void collect(QQuickItem* in, const QString& name, QList<QQuickItem*>& out) {
    if (in->objectName() == name) out << in;
    for (QQuickItem* child : in->childItems())
        collect(child, name, out);
}
} // namespace

// Over a library whose albums all have covers, every tile of the wall ends up showing its cover, not the
// placeholder. The wall is drawn only through its tint, yet it stays a visible part of the page: its
// schedule runs and its pictures load and are drawn.
TEST(NowPlayingWindow, TheWallShowsTheLibrarysCovers) {
    ASSERT_TRUE(usePrivateBus());
    TestHome home;
    const QString music = home.folder("Music");
    TestHome::copyTree(fixturePath("sample-library"), music);
    TamskApp app;
    ASSERT_TRUE(app.showMainWindow());
    QQuickWindow* window = app.mainWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    app.library().useFolder(QUrl::fromLocalFile(music));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return !app.library().scanning() && app.library().songs().size() == 48; }, 30000));
    app.player().play(app.library().albums().first().songs);
    app.app().go(Nav::Page::nowPlaying);
    ASSERT_TRUE(QTest::qWaitFor([&] { return part(*window, "coverWall") != nullptr; }, 5000));
    QQuickItem* wall = part(*window, "coverWall");
    QList<QQuickItem*> images;
    const auto ready = [&] {
        images.clear();
        collect(wall, "artworkImage", images);
        int n = 0;
        for (QQuickItem* image : images)
            if (image->property("status").toInt() == 1 && image->isVisible()) ++n; // Image.Ready
        return n;
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return ready() == 72; }, 10000)) << ready() << " of " << images.size();
    // After the ripple of the playing artist, each tile shows the item its row holds, address and all, once
    // no turn is under way.
    QList<FlipTileState*> cards;
    for (QQuickItem* image : images) // the picture, its artwork, its tile
        if (QQuickItem* tile = image->parentItem()->parentItem())
            if (auto* card = tile->findChild<FlipTileState*>()) cards << card;
    ASSERT_EQ(cards.size(), 72);
    QTest::qWait(3500);
    const auto settled = [&] {
        for (FlipTileState* card : cards) {
            QObject* tile = card->parent();
            if (card->shownId() != tile->property("itemId").toString() ||
                card->shownUrl() != tile->property("url").toUrl())
                return false;
        }
        return true;
    };
    EXPECT_TRUE(QTest::qWaitFor(settled, 5000));
    for (QQuickItem* image : images)
        if (image->property("status").toInt() != 1)
            ADD_FAILURE() << image->property("source").toString().toStdString() << " status "
                          << image->property("status").toInt() << " size " << image->width() << "x"
                          << image->height();
}
