#include "core/Defaults.h"
#include "shell/TamskApp.h"
#include "support/PrivateBus.h"
#include "support/TestHome.h"

#include <QDir>
#include <QFileInfo>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

TEST(UiSmoke, MainWindowShowsAndIsCaptured) {
    ASSERT_TRUE(usePrivateBus());
    TestHome home;
    TamskApp app;
    ASSERT_TRUE(app.showMainWindow());
    QQuickWindow* window = app.mainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->title(), "VELTO");
    EXPECT_EQ(window->size(), QSize(1280, 800));
    // The move of the former folder ran before anything else.
    EXPECT_TRUE(app.defaults().boolValue("movedFromTamsk", false));

    QSignalSpy swapped(window, &QQuickWindow::frameSwapped);
    ASSERT_TRUE(swapped.wait(10000));
    const QImage shot = window->grabWindow();
    ASSERT_FALSE(shot.isNull());
    const QString folder =
        qEnvironmentVariable("VELTO_SCREENSHOTS", QStringLiteral(VELTO_BUILD_DIR "/screenshots"));
    QDir().mkpath(folder);
    EXPECT_TRUE(shot.save(folder + "/main.png"));

    // The same window dark, and with files dragged over it.
    const auto capture = [&](const QString& name) {
        swapped.clear();
        window->update();
        ASSERT_TRUE(swapped.wait(10000));
        QTest::qWait(500); // let the fades finish
        const QImage image = window->grabWindow();
        ASSERT_FALSE(image.isNull());
        EXPECT_TRUE(image.save(folder + "/" + name));
        // A dark window and the drop panel's scrim are visibly darker than the light window.
        EXPECT_LT(qGray(image.pixel(640, 400)), qGray(shot.pixel(640, 400))) << name.toStdString();
    };
    app.defaults().set("appearance", "dark");
    capture("main-dark.png");
    // A menu of the top band follows the window's scheme, and Escape closes it without going back.
    QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(19, 14));
    capture("menu-dark.png");
    QTest::keyClick(window, Qt::Key_Escape);
    app.defaults().set("appearance", "light");
    app.root().setDropping(true);
    capture("drop-panel.png");
    app.root().setDropping(false);

    // Opening the main window again raises the one window instead of making a second.
    ASSERT_TRUE(app.showMainWindow());
    EXPECT_EQ(app.engine().rootObjects().size(), 1);
}

#include <QProcess>
#include <csignal>

// Logout and `kill` send SIGTERM: the program must end through its event loop (so the stores write what they
// hold) and exit with 0, not die of the signal.
TEST(UiSmoke, QuitsCleanlyOnSigterm) {
    ASSERT_TRUE(usePrivateBus());
    TestHome home;
    QProcess velto;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    velto.setProcessEnvironment(env);
    velto.start(QStringLiteral(VELTO_BUILD_DIR "/velto"), {});
    ASSERT_TRUE(velto.waitForStarted(5000));
    // The settings file gets its first write once the start-up migration has run.
    ASSERT_TRUE(QTest::qWaitFor([] { return QFileInfo::exists(Defaults::standardPath()); }, 10000));
    ::kill(pid_t(velto.processId()), SIGTERM);
    ASSERT_TRUE(velto.waitForFinished(10000));
    EXPECT_EQ(velto.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(velto.exitCode(), 0);
}

#include <QDBusConnection>
#include <QDBusConnectionInterface>

// A second start finds the first on the session bus, asks it to show its window and ends at once, having
// made nothing of its own; the first keeps running.
TEST(UiSmoke, ASecondStartHandsOverToTheFirst) {
    ASSERT_TRUE(usePrivateBus());
    TestHome home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    QProcess first;
    first.setProcessEnvironment(env);
    first.start(QStringLiteral(VELTO_BUILD_DIR "/velto"), {});
    ASSERT_TRUE(first.waitForStarted(5000));
    QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return bus->isServiceRegistered("org.mpris.MediaPlayer2.velto").value(); }, 10000));

    QProcess second;
    second.setProcessEnvironment(env);
    second.start(QStringLiteral(VELTO_BUILD_DIR "/velto"), {});
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);

    ::kill(pid_t(first.processId()), SIGTERM);
    ASSERT_TRUE(first.waitForFinished(10000));
    EXPECT_EQ(first.exitCode(), 0);
    // The name is free again for the next start.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return !bus->isServiceRegistered("org.mpris.MediaPlayer2.velto").value(); }, 5000));
}

#include "library/LibraryStore.h"
#include "platform/mpris/MprisService.h"

#include <QDBusAbstractAdaptor>
#include <QDeadlineTimer>
#include <QMimeData>
#include <QThread>
#include <atomic>

namespace {
// A first VELTO that is still busy starting: it holds the name but answers Raise only after `delayMs`.
class SlowFirst : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
public:
    explicit SlowFirst(int delayMs) : m_delayMs(delayMs) {}
    std::atomic<int> raises{0};
public slots:
    void Raise() {
        QThread::msleep(m_delayMs);
        ++raises;
    }

private:
    int m_delayMs;
};
} // namespace

// The session's name is the lock: while a first VELTO holds it, a second start never makes stores of its
// own, however late the first answers.
TEST(UiSmoke, ASecondStartNeverRunsBesideALateFirst) {
    ASSERT_TRUE(usePrivateBus());
    TestHome home;
    QThread thread;
    SlowFirst first(TamskApp::raiseAttemptMs + 2000);
    first.moveToThread(&thread);
    thread.start();
    QDBusConnection owner = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "slow-first");
    ASSERT_TRUE(owner.registerObject(MprisService::objectPath, &first, QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(owner.registerService(MprisService::defaultBusName));

    {
        TamskApp second;
        EXPECT_TRUE(second.handedOver());
    }
    // Nothing of the second start's own was written.
    EXPECT_FALSE(QFileInfo::exists(Defaults::standardPath()));
    EXPECT_FALSE(QFileInfo::exists(home.dataHome() + "/VELTO"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return first.raises > 0; }, 10000))
        << "the first was asked to show itself";

    owner.unregisterService(MprisService::defaultBusName);
    owner.unregisterObject(MprisService::objectPath);
    QDBusConnection::disconnectFromBus("slow-first");
    thread.quit();
    thread.wait();
}

// Add Music… and Choose Music Folder… open their choosers (the program's own, drawn in QML where no desktop
// chooser runs) and a cancel leaves everything as it was.
TEST(UiSmoke, TheFileChoosersOpenAndCancel) {
    ASSERT_TRUE(usePrivateBus());
    TestHome home;
    TamskApp app;
    ASSERT_TRUE(app.showMainWindow());
    QQuickWindow* window = app.mainWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    const QString folder = app.library().folder().path;
    for (const char* name : {"addFilesDialog", "addFolderDialog", "chooseFolderDialog"}) {
        QObject* dialog = window->findChild<QObject*>(name);
        ASSERT_NE(dialog, nullptr) << name;
        QSignalSpy rejected(dialog, SIGNAL(rejected()));
        ASSERT_TRUE(QMetaObject::invokeMethod(dialog, "open"));
        EXPECT_TRUE(QTest::qWaitFor([&] { return dialog->property("visible").toBool(); }, 5000)) << name;
        QTest::qWait(200); // let the chooser list its folder
        ASSERT_TRUE(QMetaObject::invokeMethod(dialog, "reject"));
        EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog->property("visible").toBool(); }, 5000)) << name;
        EXPECT_EQ(rejected.size(), 1) << name;
    }
    EXPECT_EQ(app.library().folder().path, folder);
}

// A SIGTERM at any moment of the start, also while the settings are first written, ends the program
// through its event loop: the quit signals are set up before the bus name, and the name before any file.
TEST(UiSmoke, SigtermRightAfterTheNameIsTakenQuitsCleanly) {
    ASSERT_TRUE(usePrivateBus());
    QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
    for (int run = 0; run < 3; ++run) {
        TestHome home;
        QProcess velto;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        velto.setProcessEnvironment(env);
        velto.start(QStringLiteral(VELTO_BUILD_DIR "/velto"), {});
        ASSERT_TRUE(velto.waitForStarted(5000));
        QDeadlineTimer deadline(10000);
        while (!bus->isServiceRegistered(MprisService::defaultBusName).value() && !deadline.hasExpired())
            QThread::usleep(200);
        ::kill(pid_t(velto.processId()), SIGTERM);
        ASSERT_TRUE(velto.waitForFinished(10000));
        EXPECT_EQ(velto.exitStatus(), QProcess::NormalExit) << "run " << run;
        EXPECT_EQ(velto.exitCode(), 0) << "run " << run;
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return !bus->isServiceRegistered(MprisService::defaultBusName).value(); }, 5000));
    }
}

// Files dragged over the window show the drop panel and are taken; a drag of text (or of a pick between
// the pages) is refused before it can start an import.
TEST(UiSmoke, OnlyDragsOfFilesAreTaken) {
    ASSERT_TRUE(usePrivateBus());
    TestHome home;
    TamskApp app;
    ASSERT_TRUE(app.showMainWindow());
    QQuickWindow* window = app.mainWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));

    struct Case {
        const char* name;
        std::function<void(QMimeData&)> fill;
        bool taken;
    };
    const QString song = home.folder("elsewhere") + "/song.mp3";
    const std::vector<Case> cases{
        {"text", [](QMimeData& m) { m.setText("hello"); }, false},
        {"web address", [](QMimeData& m) { m.setUrls({QUrl("https://example.com/a.mp3")}); }, false},
        {"file", [&](QMimeData& m) { m.setUrls({QUrl::fromLocalFile(song)}); }, true},
    };
    for (const Case& c : cases) {
        QMimeData mime;
        c.fill(mime);
        const QPoint at(640, 400);
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window, &enter);
        QDragMoveEvent move(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window, &move);
        EXPECT_EQ(move.isAccepted(), c.taken) << c.name;
        EXPECT_EQ(app.root().dropping(), c.taken) << c.name;
        QDragLeaveEvent leave;
        QCoreApplication::sendEvent(window, &leave);
        EXPECT_FALSE(app.root().dropping()) << c.name;
    }
}

#include "playback/Player.h"

// The small floating window, with a song in it, saved as mini.png.
TEST(UiSmoke, MiniWindowIsCaptured) {
    ASSERT_TRUE(usePrivateBus());
    TestHome home;
    TamskApp app;
    Song song;
    song.url = FileUrl::fromPath(home.folder("Music") + "/Night Songs/02 Ete Nights.mp3");
    song.title = "ÉTÉ Nights";
    song.artist = song.albumArtist = "Lune DeVille";
    song.album = "Night Songs";
    song.duration = 245;
    app.player().play({song});
    ASSERT_TRUE(app.showMiniWindow());
    QQuickWindow* mini = app.miniWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(mini));
    EXPECT_EQ(mini->width(), 340);
    QTest::qWait(500);
    const QImage shot = mini->grabWindow();
    ASSERT_FALSE(shot.isNull());
    const QString folder =
        qEnvironmentVariable("VELTO_SCREENSHOTS", QStringLiteral(VELTO_BUILD_DIR "/screenshots"));
    QDir().mkpath(folder);
    EXPECT_TRUE(shot.save(folder + "/mini.png"));
    // The panel's background is the view's near-black, not the window's own black.
    EXPECT_EQ(QColor(shot.pixel(4, shot.height() - 4)), QColor(18, 18, 18));
}

#include "SmokeTest.moc"

#include "library/LibraryStore.h"
#include "library/PlaylistStore.h"
#include "shell/AppModel.h"

#include <QMetaEnum>

// Opens every page (and every section of the collection) over a small library, light and dark, and saves
// each as page-<name>[-dark].png: the pictures to hold against the pages' measures.
TEST(UiSmoke, EveryPageIsCaptured) {
    ASSERT_TRUE(usePrivateBus());
    TestHome home;
    const QString music = home.folder("Music");
    TestHome::copyTree(fixturePath("sample-library"), music);
    TamskApp app;
    ASSERT_TRUE(app.showMainWindow());
    QQuickWindow* window = app.mainWindow();
    ASSERT_NE(window, nullptr);
    app.library().useFolder(QUrl::fromLocalFile(music));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return !app.library().scanning() && app.library().songs().size() == 48; }, 30000))
        << app.library().songs().size();
    // One playlist of the user's, so the playlists section shows its own rows above the automatic ones.
    QList<Song> mix = app.library().albums().first().songs;
    mix.append(app.library().albums().last().songs.first());
    app.playlists().create(QStringLiteral("road trip"), mix);

    const QString folder =
        qEnvironmentVariable("VELTO_SCREENSHOTS", QStringLiteral(VELTO_BUILD_DIR "/screenshots"));
    QDir().mkpath(folder);
    QSignalSpy swapped(window, &QQuickWindow::frameSwapped);
    // A page that is made when it opens, and fades in, is captured once it is fully there. Items made by
    // loaders and repeaters are found through the item tree, which their object parents need not follow.
    const std::function<const QQuickItem*(const QQuickItem*, const QString&)> find =
        [&](const QQuickItem* in, const QString& name) -> const QQuickItem* {
        if (in->objectName() == name) return in;
        for (const QQuickItem* child : in->childItems())
            if (const QQuickItem* found = find(child, name)) return found;
        return nullptr;
    };
    // `settled`, when given, is waited for before each picture: what the page still animates.
    const auto capture = [&](const QString& name, const std::function<bool()>& settled = {}) {
        for (const char* scheme : {"light", "dark"}) {
            app.defaults().set("appearance", QString::fromLatin1(scheme));
            swapped.clear();
            window->update();
            ASSERT_TRUE(swapped.wait(10000)) << name.toStdString();
            QTest::qWait(700); // the page slide and the fades
            // A slow first frame (a 3-D scene on a software renderer) stretches the slide past that: the
            // animations advance by frames drawn, not by the clock.
            const QQuickItem* area = find(window->contentItem(), QStringLiteral("pageArea"));
            EXPECT_TRUE(area && QTest::qWaitFor([&] { return !area->property("busy").toBool(); }, 10000))
                << name.toStdString();
            if (settled) {
                EXPECT_TRUE(QTest::qWaitFor(settled, 5000)) << name.toStdString();
                swapped.clear();
                window->update();
                EXPECT_TRUE(swapped.wait(10000)) << name.toStdString();
            }
            const QImage image = window->grabWindow();
            ASSERT_FALSE(image.isNull());
            const QString suffix =
                QString::fromLatin1(scheme) == "dark" ? QStringLiteral("-dark") : QString();
            EXPECT_TRUE(image.save(folder + "/page-" + name + suffix + ".png")) << name.toStdString();
        }
    };
    const auto shown = [&](const char* name) {
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                const QQuickItem* item = find(window->contentItem(), QLatin1String(name));
                return item && item->isVisible() && item->opacity() == 1;
            },
            10000))
            << name;
    };
    // The window has stopped drawing: the pages' cross-fade is over and the 3-D player stands still. A new
    // scene's first frame can hold the render thread for a second on a software renderer, and animations
    // only advance with frames, so the window is quiet once a frame it was asked for has been drawn and no
    // other follows.
    const auto quiet = [&] {
        swapped.clear();
        window->update();
        if (!swapped.wait(10000)) return false;
        swapped.clear();
        return !swapped.wait(400);
    };
    const QMetaEnum pages = QMetaEnum::fromType<Nav::Page>();
    for (int i = 0; i < pages.keyCount(); ++i) {
        const auto page = Nav::Page(pages.value(i));
        // Now Playing with a song playing, so it has a song block, a tint and a wall to show.
        if (page == Nav::Page::nowPlaying) app.player().play(app.library().albums().first().songs);
        app.app().go(page);
        if (page == Nav::Page::collection) {
            const QMetaEnum sections = QMetaEnum::fromType<Nav::CollectionTamsk>();
            for (int k = 0; k < sections.keyCount(); ++k) {
                app.app().setCollectionTamskAnimated(Nav::CollectionTamsk(sections.value(k)));
                capture(QStringLiteral("collection-") + QLatin1String(sections.key(k)));
            }
            app.app().show(QStringLiteral("Mira Solenne"), std::nullopt);
            shown("artistPage");
            capture(QStringLiteral("collection-artist-page"));
            app.app().show(std::nullopt, std::nullopt);
        } else {
            if (page == Nav::Page::nowPlaying) {
                shown("nowPlayingView");
                // The sample songs last a second: paused, the song block holds still for the picture. The
                // wall's entrance sweep and its first ripple are over after four seconds.
                EXPECT_TRUE(QTest::qWaitFor([&] { return app.player().isPlaying(); }, 5000));
                app.player().toggle();
                EXPECT_TRUE(QTest::qWaitFor([&] { return !app.player().isPlaying(); }, 5000));
                QTest::qWait(4000);
                // The controls are pictured once the controller shows them and their fade is over.
                const QQuickItem* view = find(window->contentItem(), QStringLiteral("nowPlayingView"));
                ASSERT_NE(view, nullptr);
                const QObject* controller = view->property("controller").value<QObject*>();
                ASSERT_NE(controller, nullptr);
                capture(QLatin1String(pages.key(i)), [&] {
                    const QQuickItem* controls = find(window->contentItem(), QStringLiteral("controls"));
                    return controller->property("controlsShown").toBool() && controls &&
                           controls->opacity() == 1;
                });
                app.app().back();
                continue;
            }
            const bool player = page == Nav::Page::playerSummary || page == Nav::Page::playerSettings;
            capture(QLatin1String(pages.key(i)),
                    player ? std::function<bool()>(quiet) : std::function<bool()>());
        }
        // Now Playing covers the whole window and leaves through Back.
        if (page == Nav::Page::nowPlaying) app.app().back();
    }
    // My Player with a player chosen: where the picture is in 3-D, its scene is loaded.
    app.app().setSamplePlayer(true);
    app.app().go(Nav::Page::playerSummary);
    shown("summaryDevice");
    const QQuickItem* device = find(window->contentItem(), QStringLiteral("summaryDevice"));
    ASSERT_NE(device, nullptr);
    if (device->property("threeD").toBool())
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                const QQuickItem* scene = find(device, QStringLiteral("deviceScene"));
                return scene && !scene->childItems().isEmpty();
            },
            10000))
            << "the 3-D scene is shown";
    capture(QStringLiteral("playerSummary-sample"), quiet);
    app.app().setSamplePlayer(false);

    // Mixview over the last page, centred on the first artist.
    ASSERT_FALSE(app.library().artists().isEmpty());
    app.app().openMixview(MixSeed::artist(app.library().artists().first().name));
    capture(QStringLiteral("mixview"));
    app.app().closeMixview();
    app.defaults().set("appearance", "light");
}
