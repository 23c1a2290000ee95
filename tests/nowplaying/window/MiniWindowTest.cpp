#include "shell/TamskApp.h"
#include "shell/WindowOpener.h"
#include "support/PrivateBus.h"
#include "support/TestHome.h"

#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {
QQuickItem* part(QQuickWindow& window, const char* name) {
    return window.findChild<QQuickItem*>(QString::fromLatin1(name));
}

void click(QQuickWindow& window, const char* name) {
    QQuickItem* item = part(window, name);
    ASSERT_NE(item, nullptr) << name;
    const QPointF centre = item->mapToScene(QPointF(item->width() / 2, item->height() / 2));
    QTest::mouseClick(&window, Qt::LeftButton, {}, centre.toPoint());
}

// Floating is the window's own flag, set when it is made; the look's FloatingWindow sets it once more on
// the turn after the view enters the window. Neither may be lost.
bool floats(const QQuickWindow& window) {
    return window.flags().testFlag(Qt::WindowStaysOnTopHint);
}
} // namespace

TEST(MiniWindow, FloatsWithoutAFrameAtTheSizeOfItsView) {
    ASSERT_TRUE(usePrivateBus());
    TestHome home;
    TamskApp app;
    ASSERT_TRUE(app.showMiniWindow());
    QQuickWindow* mini = app.miniWindow();
    ASSERT_NE(mini, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(mini));
    QTest::qWait(50);
    EXPECT_EQ(mini->title(), "Mini Player");
    EXPECT_TRUE(floats(*mini));
    EXPECT_TRUE(mini->flags().testFlag(Qt::FramelessWindowHint));

    QQuickItem* view = part(*mini, "miniPlayer");
    ASSERT_NE(view, nullptr);
    const QSize size(340, qRound(view->height()));
    EXPECT_GT(size.height(), 340);
    EXPECT_EQ(mini->size(), size);
    // Sized to its content and no other size.
    EXPECT_EQ(mini->minimumSize(), size);
    EXPECT_EQ(mini->maximumSize(), size);

    // The close button takes the window away; opening it again, as Now Playing does, brings it back as it
    // was, still floating.
    click(*mini, "miniClose");
    EXPECT_FALSE(mini->isVisible());
    auto* windows = view->property("windows").value<WindowOpener*>();
    ASSERT_NE(windows, nullptr);
    EXPECT_TRUE(windows->open("mini"));
    EXPECT_EQ(app.miniWindow(), mini) << "the one small window comes back, not a second";
    ASSERT_TRUE(QTest::qWaitForWindowExposed(mini));
    EXPECT_EQ(mini->size(), size);
    EXPECT_TRUE(floats(*mini));

    // Hidden and shown by the desktop too.
    mini->hide();
    mini->show();
    QTest::qWait(50);
    EXPECT_TRUE(floats(*mini));
}

TEST(MiniWindow, TheButtonBringsBackTheMainWindowHoweverItWasPutAway) {
    ASSERT_TRUE(usePrivateBus());
    TestHome home;
    TamskApp app;
    ASSERT_TRUE(app.showMainWindow());
    QQuickWindow* main = app.mainWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main));
    ASSERT_TRUE(app.showMiniWindow());
    QQuickWindow* mini = app.miniWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(mini));

    struct Case {
        const char* name;
        std::function<void(QQuickWindow&)> putAway;
    };
    // A minimised window stayed minimised when it was only shown and raised.
    const Case cases[] = {
        {"open", [](QQuickWindow&) {}},
        {"closed", [](QQuickWindow& w) { w.close(); }},
        {"minimised", [](QQuickWindow& w) { w.showMinimized(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.putAway(*main);
        QTest::qWait(50);
        click(*mini, "miniFullWindow");
        QTest::qWait(50);
        EXPECT_TRUE(main->isVisible());
        EXPECT_EQ(main->windowStates(), Qt::WindowNoState);
        EXPECT_EQ(app.mainWindow(), main);
        // The small window stays open.
        EXPECT_TRUE(mini->isVisible());
        main->showNormal();
    }
}
