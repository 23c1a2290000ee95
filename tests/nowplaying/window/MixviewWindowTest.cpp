#include "library/LibraryStore.h"
#include "playback/Player.h"
#include "shell/AppModel.h"
#include "shell/TamskApp.h"
#include "support/PrivateBus.h"
#include "support/TestHome.h"

#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {
// Every item under `item` in the visual tree (delegates are not always its object children).
void collect(QQuickItem* item, QList<QQuickItem*>& out) {
    for (QQuickItem* child : item->childItems()) {
        out.append(child);
        collect(child, out);
    }
}

QList<QQuickItem*> tilesOf(QQuickWindow& window) {
    QList<QQuickItem*> all;
    collect(window.contentItem(), all);
    QList<QQuickItem*> out;
    for (QQuickItem* item : all)
        if (item->objectName().startsWith(QLatin1String("mixTile:")) && item->isVisible()) out.append(item);
    return out;
}

QPoint middleOf(const QQuickItem* item) {
    return item->mapToScene(QPointF(item->width() / 2, item->height() / 2)).toPoint();
}

QQuickItem* partOf(QQuickItem* under, const QString& name) {
    QList<QQuickItem*> parts;
    collect(under, parts);
    for (QQuickItem* item : parts)
        if (item->objectName() == name) return item;
    return nullptr;
}

QRectF sceneRect(const QQuickItem* item) {
    return QRectF(item->mapToScene(QPointF(0, 0)), QSizeF(item->width(), item->height()));
}

// The whole program over the sample library, its window shown and every song in.
struct Program {
    // The program takes its bus name when it is made.
    bool bus = usePrivateBus();
    TestHome home;
    TamskApp app;
    QQuickWindow* window = nullptr;

    Program() {
        EXPECT_TRUE(bus);
        const QString music = home.folder("Music");
        TestHome::copyTree(fixturePath("sample-library"), music);
        EXPECT_TRUE(app.showMainWindow());
        window = app.mainWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
        app.library().useFolder(QUrl::fromLocalFile(music));
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return !app.library().scanning() && app.library().songs().size() == 48; }, 30000));
    }
    // Opens Mixview on a seed and lets the tiles bloom out.
    void open(const MixSeed& seed) {
        app.app().openMixview(seed);
        ASSERT_TRUE(QTest::qWaitFor([&] { return tilesOf(*window).size() >= 3; }, 10000));
        QTest::qWait(1200);
    }
    QQuickItem* tile(const std::function<bool(QQuickItem*)>& which) const {
        for (QQuickItem* t : tilesOf(*window))
            if (!t->property("dropping").toBool() && which(t)) return t;
        return nullptr;
    }
};
} // namespace

// Mixview in the whole program over the sample library: a ring click moves the very tile to the middle, the
// round actions leave Space to playback, and Escape flies the tiles home and closes.
TEST(MixviewWindow, RecentresInPlacePlaysAndCloses) {
    Program p;
    TamskApp& app = p.app;
    QQuickWindow* window = p.window;
    p.open(MixSeed::artist(app.library().artists().first().name));

    // A ring album: clicked, it becomes the centre, the same item moving to the middle.
    QQuickItem* ring = nullptr;
    for (QQuickItem* tile : tilesOf(*window))
        if (tile->objectName().startsWith(QLatin1String("mixTile:album:")) &&
            !tile->property("centre").toBool())
            ring = tile;
    ASSERT_NE(ring, nullptr);
    QTest::mouseClick(window, Qt::LeftButton, {}, middleOf(ring));
    EXPECT_TRUE(QTest::qWaitFor([&] { return ring->property("centre").toBool(); }, 5000));
    EXPECT_EQ(app.app().mixTrail().size(), 1);
    QTest::qWait(1200); // the move

    // The centre's round "Play" under the pointer, then Space: playback pauses.
    QTest::mouseMove(window, middleOf(ring));
    QQuickItem* actions = nullptr;
    QList<QQuickItem*> parts;
    collect(ring, parts);
    for (QQuickItem* item : parts)
        if (item->objectName() == QLatin1String("mixActions")) actions = item;
    ASSERT_NE(actions, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return actions->opacity() == 1; }, 3000));
    ASSERT_FALSE(actions->childItems().isEmpty());
    QQuickItem* play = actions->childItems().first();
    QTest::mouseClick(window, Qt::LeftButton, {}, middleOf(play));
    ASSERT_TRUE(QTest::qWaitFor([&] { return app.player().isPlaying(); }, 5000));
    EXPECT_EQ(app.player().index(), 0);
    QTest::keyClick(window, Qt::Key_Space);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !app.player().isPlaying(); }, 5000));
    EXPECT_TRUE(app.app().mixview().has_value());

    // Escape with a trail closes all the same, after the tiles flew home.
    QTest::keyClick(window, Qt::Key_Escape);
    EXPECT_TRUE(app.app().mixviewLeaving());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !app.app().mixview().has_value(); }, 3000));
    EXPECT_TRUE(app.app().mixTrail().isEmpty());
}

// What only the drawn tiles show: the Smart DJ symbol follows the tile's height, a ring tile's card lies
// outward, 24 into the tile and 22 above it, and takes no clicks; the artist name under a centre album
// re-centres while the rest of that tile plays; a tile click does not close, the backdrop and "exit
// mixview" do.
TEST(MixviewWindow, TilesDrawTheirPartsWhereTheRulesSay) {
    Program p;
    QQuickWindow* window = p.window;
    const Album album = p.app.library().artists().first().albums.first();
    p.open(MixSeed::album(album.id()));

    QQuickItem* dj =
        p.tile([](QQuickItem* t) { return t->objectName().startsWith(QLatin1String("mixTile:dj:")); });
    ASSERT_NE(dj, nullptr);
    QQuickItem* symbol = partOf(dj, QStringLiteral("smartDJSymbol"));
    ASSERT_NE(symbol, nullptr);
    EXPECT_NEAR(symbol->height(), 0.42 * dj->height(), 0.01);

    // Each side's card, under the pointer.
    for (const bool leftward : {true, false}) {
        QQuickItem* ring = p.tile([&](QQuickItem* t) {
            return t->property("kind").toString() == QLatin1String("album") &&
                   !t->property("centre").toBool() && t->property("leftward").toBool() == leftward;
        });
        ASSERT_NE(ring, nullptr) << leftward;
        QTest::mouseMove(window, middleOf(ring));
        QQuickItem* card = partOf(ring, QStringLiteral("mixCard"));
        ASSERT_NE(card, nullptr);
        ASSERT_TRUE(QTest::qWaitFor([&] { return card->opacity() == 1; }, 3000)) << leftward;
        const QRectF tileAt = sceneRect(ring), cardAt = sceneRect(card);
        if (leftward)
            EXPECT_NEAR(cardAt.right() - 24, tileAt.left(), 0.01);
        else
            EXPECT_NEAR(cardAt.left() + 24, tileAt.right(), 0.01);
        EXPECT_NEAR(cardAt.top(), tileAt.top() - 22, 0.01);
        EXPECT_LE(cardAt.width(), 220);
        EXPECT_EQ(ring->z(), 10);
        // The card takes no clicks: one on its part over the tile reaches the tile, which re-centres.
        const QPointF overlap = leftward ? QPointF(cardAt.right() - 12, tileAt.top() + 4)
                                         : QPointF(cardAt.left() + 12, tileAt.top() + 4);
        QTest::mouseClick(window, Qt::LeftButton, {}, overlap.toPoint());
        EXPECT_TRUE(QTest::qWaitFor([&] { return ring->property("centre").toBool(); }, 3000)) << leftward;
        EXPECT_FALSE(p.app.app().mixviewLeaving());
        p.app.app().back();
        QTest::qWait(1000);
    }

    // The centre album's artist name is a link to its artist's map; the rest of the tile plays the album.
    QQuickItem* centre = p.tile([](QQuickItem* t) { return t->property("centre").toBool(); });
    ASSERT_NE(centre, nullptr);
    ASSERT_EQ(centre->property("tileId").toString(), "album:" + album.id());
    QQuickItem* caption = partOf(centre, QStringLiteral("mixCaption"));
    ASSERT_NE(caption, nullptr);
    ASSERT_FALSE(caption->childItems().isEmpty());
    QQuickItem* name = caption->childItems().first();
    QTest::mouseClick(window, Qt::LeftButton, {}, middleOf(centre));
    ASSERT_TRUE(QTest::qWaitFor([&] { return p.app.player().isPlaying(); }, 5000));
    EXPECT_EQ(p.app.player().queue().size(), album.songs.size());
    QTest::mouseClick(window, Qt::LeftButton, {}, middleOf(name));
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return p.app.app().mixview() == MixSeed::artist(album.artist); }, 3000));
    EXPECT_EQ(p.app.app().mixTrail().size(), 1);
    QTest::qWait(1000);

    // A click on the backdrop off the tiles closes with the tiles flying home.
    QQuickItem* backdrop = partOf(window->contentItem(), QStringLiteral("mixBackdrop"));
    ASSERT_NE(backdrop, nullptr);
    const QRectF area = sceneRect(backdrop);
    QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(int(area.left()) + 8, int(area.bottom()) - 8));
    EXPECT_TRUE(p.app.app().mixviewLeaving());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !p.app.app().mixview().has_value(); }, 3000));

    // So does "exit mixview".
    p.open(MixSeed::artist(album.artist));
    QQuickItem* exit = partOf(window->contentItem(), QStringLiteral("exitMixview"));
    ASSERT_NE(exit, nullptr);
    QTest::mouseClick(window, Qt::LeftButton, {}, middleOf(exit));
    EXPECT_TRUE(p.app.app().mixviewLeaving());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !p.app.app().mixview().has_value(); }, 3000));
}
