#include "PlayerRig.h"
#include "SteppedFadeClock.h"
#include "platform/mpris/MprisService.h"
#include "support/BusClient.h"

#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QProcess>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {
using Command = NowPlayingCenter::Command;

// A player on the fake engine connected to a center, as the application connects it.
struct SystemRig : PlayerRig {
    NowPlayingCenter center;
    SystemRig() { player->connectSystemControls(center); }
    const std::optional<NowPlayingInfo>& info() const { return center.state().info; }
    // Commands are carried out on the player's next turn, as from the bus.
    void send(Command command) {
        emit center.command(command);
        QCoreApplication::sendPostedEvents();
    }
};

QString uniqueBusName() {
    static int counter = 0;
    return QStringLiteral("org.mpris.MediaPlayer2.velto.instance%1_%2").arg(::getpid()).arg(++counter);
}
} // namespace

TEST(PlayerSystem, NowPlayingShowsTheSongAndTheLastUpdatesTime) {
    SystemRig p;
    EXPECT_FALSE(p.info());
    EXPECT_EQ(p.center.state().abilities, NowPlayingCenter::Abilities{});

    // A compilation: the song's own artist is shown, not the album artist.
    Song song = songNumber(1, 200);
    song.album = QStringLiteral("Hits");
    song.albumArtist = QStringLiteral("Various Artists");
    p->play({song, songNumber(2)}, 0);
    ASSERT_TRUE(p.info());
    EXPECT_EQ(*p.info(), (NowPlayingInfo{"S1", "Singer 1", "Hits", 200, 0, 1.0, p.backend.generation()}));
    EXPECT_TRUE(p.center.state().playing);

    // The quarter-second updates move the position, not what the desktop was told.
    p.backend.setPosition(1.5);
    ASSERT_TRUE(QTest::qWaitFor([&] { return p->position() == 1.5; }, 2000));
    EXPECT_EQ(p.info()->elapsed, 0);
    p->toggle();
    EXPECT_EQ(p.info()->elapsed, 1.5);
    EXPECT_EQ(p.info()->rate, 0.0);
    EXPECT_FALSE(p.center.state().playing);
    p->seek(30);
    EXPECT_EQ(p.info()->elapsed, 30);

    // Starting the same song again is a new item.
    const quint64 item = p.info()->item;
    p->jump(0);
    EXPECT_NE(p.info()->item, item);
    EXPECT_EQ(p.info()->elapsed, 0);
}

TEST(PlayerSystem, AbilitiesFollowTheQueueAndRepeat) {
    SystemRig p;
    p->play(songs(2), 1);
    const NowPlayingCenter::Abilities lastSong{
        .next = false, .previous = true, .play = true, .pause = true, .seek = true};
    EXPECT_EQ(p.center.state().abilities, lastSong);
    p->setRepeatAll(true);
    EXPECT_TRUE(p.center.state().abilities.next);
    p->setRepeatAll(false);
    p->enqueue(songs(1, 5));
    EXPECT_TRUE(p.center.state().abilities.next);
    p->setVolume(0.25);
    EXPECT_EQ(p.center.state().volume, 0.25);
}

TEST(PlayerSystem, CommandsAnswerTheWayTheMediaKeysExpect) {
    SystemRig p;
    SteppedFadeClock clock;
    p->setFadeClock(clock);
    p->play(songs(3), 0);

    // Play while playing and pause while paused change nothing, not even a fade.
    p.send(Command::play);
    EXPECT_TRUE(p->isPlaying());
    EXPECT_TRUE(clock.sleeps.isEmpty());
    p.send(Command::pause);
    EXPECT_FALSE(p->isPlaying());
    clock.runOut();
    EXPECT_FALSE(p.backend.isRunning());
    p.send(Command::pause);
    EXPECT_TRUE(clock.sleeps.isEmpty());
    EXPECT_FALSE(p.backend.isRunning());
    p.send(Command::play);
    EXPECT_TRUE(p->isPlaying());
    EXPECT_TRUE(p.backend.isRunning());
    p.send(Command::togglePlayPause);
    EXPECT_FALSE(p->isPlaying());

    p.send(Command::nextTrack);
    EXPECT_EQ(p->index(), 1);
    p.send(Command::previousTrack);
    EXPECT_EQ(p->index(), 0);

    emit p.center.changePosition(42);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(p->position(), 42);
    EXPECT_EQ(p.backend.seeks.last(), (FakeMediaBackend::Seek{42, true}));
    EXPECT_EQ(p.info()->elapsed, 42);

    emit p.center.changeVolume(0.3);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(p->volume(), 0.3);
}

TEST(PlayerSystem, AnUnplayableSongIsNotShownPlaying) {
    SystemRig p;
    p->play(songs(2), 0);
    p.backend.fail();
    EXPECT_FALSE(p.center.state().playing);
    EXPECT_EQ(p.info()->rate, 0.0);
}

// The whole road from a desktop client over the session bus to the player and back.
struct PlayerOnBus : ::testing::Test {
    SystemRig p;
    QString name = uniqueBusName();
    MprisService service{p.center, name};
    std::unique_ptr<BusClient> client;

    void SetUp() override {
        ASSERT_EQ(service.start(), MprisService::Start::published);
        client = std::make_unique<BusClient>(name);
    }
    // Commands run on the player's turn after the answer: let them.
    void settle() { QCoreApplication::sendPostedEvents(); }
    QDBusObjectPath track() {
        return client->playerProperty("Metadata").toMap().value("mpris:trackid").value<QDBusObjectPath>();
    }
};

TEST_F(PlayerOnBus, PlayPauseNextAndSetPositionMoveThePlayer) {
    EXPECT_EQ(client->playerProperty("PlaybackStatus").toString(), "Stopped");
    p->play(songs(3), 0);
    EXPECT_EQ(client->playerProperty("PlaybackStatus").toString(), "Playing");
    EXPECT_EQ(client->playerProperty("Metadata").toMap().value("xesam:title").toString(), "S0");

    client->player("PlayPause");
    settle();
    EXPECT_FALSE(p->isPlaying());
    EXPECT_EQ(client->playerProperty("PlaybackStatus").toString(), "Paused");

    const QDBusObjectPath first = track();
    client->player("Next");
    settle();
    EXPECT_EQ(p->index(), 1);
    EXPECT_EQ(client->playerProperty("Metadata").toMap().value("xesam:title").toString(), "S1");
    EXPECT_NE(track(), first);

    client->player("SetPosition", {QVariant::fromValue(track()), QVariant::fromValue(qlonglong(61'500'000))});
    settle();
    EXPECT_EQ(p->position(), 61.5);
    EXPECT_EQ(p.backend.seeks.last(), (FakeMediaBackend::Seek{61.5, true}));
    p.backend.setPosition(61.5);
    EXPECT_EQ(client->playerProperty("Position").toLongLong(), 61'500'000);
    client->sync();
    EXPECT_EQ(client->seeks.value(0), 61'500'000);

    // Aimed at the song before, or past the end of this one: ignored.
    client->player("SetPosition", {QVariant::fromValue(first), QVariant::fromValue(qlonglong(10'000'000))});
    client->player("SetPosition",
                   {QVariant::fromValue(track()), QVariant::fromValue(qlonglong(181'000'000))});
    settle();
    EXPECT_EQ(p->position(), 61.5);

    // The desktop hears of every change by itself.
    const qsizetype before = client->changes.size();
    p->toggleMute();
    ASSERT_TRUE(client->waitForChanges(before + 1));
    EXPECT_EQ(client->changes.last().changed.value("Volume").toDouble(), 0.0);
}

TEST_F(PlayerOnBus, AThousandQuickPlayPausesLeaveAConsistentState) {
    p->play(songs(2), 0);
    QList<QDBusPendingCall> calls;
    for (int i = 0; i < 1000; ++i) {
        QDBusMessage call = QDBusMessage::createMethodCall(name, MprisService::objectPath,
                                                           MprisService::playerInterface, "PlayPause");
        calls.append(client->connection().asyncCall(call, 20000));
    }
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return std::all_of(calls.begin(), calls.end(), [](auto& c) { return c.isFinished(); }); },
        30000));
    for (const QDBusPendingCall& call : calls)
        ASSERT_FALSE(call.isError()) << call.error().message().toStdString();
    settle();

    // An even number of toggles: playing, with the last fade-in done and no pause fade left behind.
    EXPECT_TRUE(p->isPlaying());
    ASSERT_TRUE(QTest::qWaitFor([&] { return p.backend.volume() == 0.7f; }, 2000));
    QTest::qWait(400);
    EXPECT_TRUE(p.backend.isRunning());
    EXPECT_FLOAT_EQ(p.backend.volume(), 0.7f);
    EXPECT_EQ(client->playerProperty("PlaybackStatus").toString(), "Playing");
    EXPECT_EQ(p->index(), 0);
    EXPECT_EQ(p->plays(songNumber(0)), 1);
}

TEST(PlayerQuit, ASignalWritesTheListenOfThePlayingSong) {
    for (int signal : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(signal);
        TestHome home;
        QProcess child;
        child.start(QStringLiteral(VELTO_BUILD_DIR "/velto-quit-child"), {fixturePath("long.ogg"), "60"});
        ASSERT_TRUE(child.waitForStarted(5000));
        ASSERT_TRUE(QTest::qWaitFor([&] { return child.readAllStandardOutput().contains("playing"); }, 20000))
            << child.readAllStandardError().toStdString();
        ::kill(pid_t(child.processId()), signal);
        ASSERT_TRUE(child.waitForFinished(10000));
        EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(child.exitCode(), 0);

        const ListeningLog log;
        ASSERT_EQ(log.listens().size(), 1);
        const Listen& listen = log.listens().first();
        EXPECT_EQ(listen.path, fixturePath("long.ogg"));
        EXPECT_GE(listen.seconds, 0.5);
        EXPECT_LT(listen.seconds, 60);
        EXPECT_EQ(listen.duration, 60);
    }
}
