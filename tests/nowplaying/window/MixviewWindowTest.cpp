#include "library/LibraryStore.h"
#include "playback/Player.h"
#include "shell/AppModel.h"
#include "shell/TamskApp.h"
#include "support/PrivateBus.h"
#include "support/TestHome.h"

#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>
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
} // namespace

// Mixview in the whole program over the sample library: a ring click moves the very tile to the middle, the
// round actions leave Space to playback, and Escape flies the tiles home and closes.
TEST(MixviewWindow, RecentresInPlacePlaysAndCloses) {
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

    app.app().openMixview(MixSeed::artist(app.library().artists().first().name));
    ASSERT_TRUE(QTest::qWaitFor([&] { return tilesOf(*window).size() >= 3; }, 10000));
    QTest::qWait(1200); // the bloom

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
