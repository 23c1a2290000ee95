#include "library/PlayerMusic.h"
#include "playback/Player.h"
#include "shell/PickDrag.h"
#include "shell/RootModel.h"
#include "shell/TamskApp.h"
#include "support/PrivateBus.h"
#include "support/TestHome.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QQmlComponent>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

// Drags arrive from the platform as drag events on the window: these tests send them as the platform would,
// with the data a pick drag carries, to the main window of the whole program.
class PickDrop : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(usePrivateBus());
        home = std::make_unique<TestHome>();
        app = std::make_unique<TamskApp>();
        ASSERT_TRUE(app->showMainWindow());
        window = app->mainWindow();
        ASSERT_TRUE(window);
        pocket = window->findChild<QQuickItem*>("pocketPlayer");
        ASSERT_TRUE(pocket);
        // Laid out: the footer at the foot of the window.
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                return pocket->width() > 0 && pocket->mapToScene(QPointF(0, 0)).y() > window->height() / 2;
            },
            5000));
        over = pocket->mapToScene(QPointF(pocket->width() / 2, pocket->height() / 2)).toPoint();
    }

    // A tile's drag: a PickDrag made as the pages make one, in the window.
    std::unique_ptr<QMimeData> tileDragData(const QString& artist) {
        QQmlComponent component(&app->engine());
        component.setData(QStringLiteral("import Velto.Shell\nPickDrag { pick: Picks.artist(\"%1\") }")
                              .arg(artist)
                              .toUtf8(),
                          QUrl());
        auto* tile = qobject_cast<QQuickItem*>(component.create());
        EXPECT_TRUE(tile) << component.errorString().toStdString();
        if (!tile) return {};
        tile->setParent(window->contentItem());
        tile->setParentItem(window->contentItem());
        auto* source = tile->findChild<PickDragSource*>();
        EXPECT_TRUE(source && source->valid());
        return std::unique_ptr<QMimeData>(source ? source->mimeData() : nullptr);
    }

    bool enter(QMimeData& data) {
        QDragEnterEvent event(over, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window, &event);
        QDragMoveEvent move(over, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window, &move);
        return move.isAccepted();
    }
    bool drop(QMimeData& data) {
        QDropEvent event(over, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window, &event);
        return event.isAccepted();
    }
    void leave() {
        QDragLeaveEvent event;
        QCoreApplication::sendEvent(window, &event);
    }
    bool pocketDropping() const { return pocket->property("dropping").toBool(); }

    std::unique_ptr<TestHome> home;
    std::unique_ptr<TamskApp> app;
    QQuickWindow* window = nullptr;
    QQuickItem* pocket = nullptr;
    QPoint over;
};

TEST_F(PickDrop, ATilesDragDataDroppedOnThePocketButtonAddsItsPick) {
    std::unique_ptr<QMimeData> data = tileDragData("Dropped Artist");
    ASSERT_TRUE(data);
    EXPECT_TRUE(enter(*data));
    EXPECT_TRUE(pocketDropping());
    EXPECT_FALSE(app->root().dropping()); // a pick is not an import: no drop panel
    EXPECT_TRUE(drop(*data));
    EXPECT_FALSE(pocketDropping());
    ASSERT_EQ(app->playerMusic().picks().size(), 1);
    EXPECT_EQ(app->playerMusic().picks().first().id(), "artist:dropped artist");
    EXPECT_TRUE(app->player().noticeText().contains("Dropped Artist"))
        << app->player().noticeText().toStdString();
}

TEST_F(PickDrop, ADropThatIsNotAPickAddsNothing) {
    QMimeData data;
    data.setData(PlayerPick::mimeType, "{\"kind\":\"artist\"}");
    enter(data);
    drop(data);
    EXPECT_TRUE(app->playerMusic().picks().isEmpty());
    EXPECT_TRUE(app->player().noticeText().isEmpty());
    EXPECT_FALSE(pocketDropping());
}

TEST_F(PickDrop, FilesOverTheButtonReachTheWindowsDropPanel) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(home->folder("elsewhere") + "/song.mp3")});
    EXPECT_TRUE(enter(data));
    EXPECT_TRUE(app->root().dropping());
    EXPECT_FALSE(pocketDropping());
    leave();
    EXPECT_FALSE(app->root().dropping());
    EXPECT_TRUE(app->playerMusic().picks().isEmpty());
}
