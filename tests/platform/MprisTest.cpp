#include "platform/mpris/MprisService.h"
#include "support/BusClient.h"

#include <QDBusObjectPath>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <limits>
#include <unistd.h>

namespace {
using Command = NowPlayingCenter::Command;

// Each test process owns its own instance name: the test programs share one private session bus.
QString uniqueBusName() {
    static int counter = 0;
    return QStringLiteral("org.mpris.MediaPlayer2.velto.instance%1_%2").arg(::getpid()).arg(++counter);
}

NowPlayingInfo song(quint64 item, double elapsed = 0, bool playing = true) {
    return NowPlayingInfo{QStringLiteral("Blue"),
                          QStringLiteral("Joni"),
                          QStringLiteral("Court and Spark"),
                          215.5,
                          elapsed,
                          playing ? 1.0 : 0.0,
                          item};
}

struct MprisRig : ::testing::Test {
    NowPlayingCenter center;
    QString name = uniqueBusName();
    MprisService service{center, name};
    std::unique_ptr<BusClient> client;

    void SetUp() override {
        ASSERT_EQ(service.start(), MprisService::Start::published);
        client = std::make_unique<BusClient>(name);
    }

    void show(std::optional<NowPlayingInfo> info, bool playing = true, double volume = 0.7) {
        NowPlayingCenter::State state = center.state();
        state.info = std::move(info);
        state.playing = playing;
        state.volume = volume;
        state.abilities = {.next = true, .previous = true, .play = true, .pause = true, .seek = true};
        center.setState(state);
    }
};
} // namespace

TEST_F(MprisRig, RootInterfaceNamesThePlayerAndForwardsRaiseAndQuit) {
    const QString root = QStringLiteral("org.mpris.MediaPlayer2");
    EXPECT_EQ(client->property(root, "Identity").toString(), "VELTO");
    EXPECT_EQ(client->property(root, "DesktopEntry").toString(), "velto");
    EXPECT_EQ(client->property(root, "CanQuit"), QVariant(true));
    EXPECT_EQ(client->property(root, "CanRaise"), QVariant(true));
    EXPECT_EQ(client->property(root, "HasTrackList"), QVariant(false));
    EXPECT_TRUE(client->property(root, "SupportedUriSchemes").toStringList().isEmpty());

    QSignalSpy raised(&service, &MprisService::raiseRequested);
    QSignalSpy quit(&service, &MprisService::quitRequested);
    EXPECT_EQ(client->call(root, "Raise").type(), QDBusMessage::ReplyMessage);
    EXPECT_EQ(raised.size(), 1);
    EXPECT_EQ(quit.size(), 0);
    EXPECT_EQ(client->call(root, "Quit").type(), QDBusMessage::ReplyMessage);
    EXPECT_EQ(quit.size(), 1);
}

TEST_F(MprisRig, WithoutASongItIsStoppedWithEmptyMetadata) {
    center.setLivePosition([] { return 12.0; });
    EXPECT_EQ(client->playerProperty("PlaybackStatus").toString(), "Stopped");
    EXPECT_TRUE(client->playerProperty("Metadata").toMap().isEmpty());
    EXPECT_EQ(client->playerProperty("Position").toLongLong(), 0);
    EXPECT_EQ(client->playerProperty("CanPlay"), QVariant(false));
    EXPECT_EQ(client->playerProperty("CanControl"), QVariant(true));

    // A state that was playing stays "Stopped" once the song is gone.
    show(song(1));
    show(std::nullopt, true);
    EXPECT_EQ(client->playerProperty("PlaybackStatus").toString(), "Stopped");
}

TEST_F(MprisRig, MetadataHasTheTypesDesktopsExpect) {
    show(song(7));
    const QVariantMap metadata = client->playerProperty("Metadata").toMap();
    ASSERT_EQ(metadata.value("mpris:trackid").metaType(), QMetaType::fromType<QDBusObjectPath>());
    EXPECT_EQ(metadata.value("mpris:trackid").value<QDBusObjectPath>().path(), "/velto/track/7");
    ASSERT_EQ(metadata.value("xesam:artist").metaType(), QMetaType::fromType<QStringList>());
    EXPECT_EQ(metadata.value("xesam:artist").toStringList(), QStringList{"Joni"});
    ASSERT_EQ(metadata.value("mpris:length").metaType(), QMetaType::fromType<qlonglong>());
    EXPECT_EQ(metadata.value("mpris:length").toLongLong(), 215'500'000);
    EXPECT_EQ(metadata.value("xesam:title").toString(), "Blue");
    EXPECT_EQ(metadata.value("xesam:album").toString(), "Court and Spark");
    EXPECT_EQ(client->playerProperty("PlaybackStatus").toString(), "Playing");

    show(song(7), false);
    EXPECT_EQ(client->playerProperty("PlaybackStatus").toString(), "Paused");

    // A song whose length is unknown gives none rather than zero.
    NowPlayingInfo unknown = song(8);
    unknown.duration = 0;
    show(unknown);
    EXPECT_FALSE(client->playerProperty("Metadata").toMap().contains("mpris:length"));
}

TEST_F(MprisRig, PositionIsReadLiveAndFallsBackToTheLastUpdate) {
    show(song(1, 5.0));
    double live = 42.25;
    center.setLivePosition([&] { return live; });
    EXPECT_EQ(client->playerProperty("Position").toLongLong(), 42'250'000);
    live = 43.0;
    EXPECT_EQ(client->playerProperty("Position").toLongLong(), 43'000'000);
    live = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(client->playerProperty("Position").toLongLong(), 5'000'000);
}

TEST_F(MprisRig, CommandsReachTheCenter) {
    show(song(1));
    QSignalSpy commands(&center, &NowPlayingCenter::command);
    const QList<std::pair<QString, Command>> table = {
        {"PlayPause", Command::togglePlayPause},
        {"Play", Command::play},
        {"Pause", Command::pause},
        {"Next", Command::nextTrack},
        {"Previous", Command::previousTrack},
        {"Stop", Command::pause},
    };
    for (const auto& [method, expected] : table) {
        SCOPED_TRACE(method.toStdString());
        commands.clear();
        EXPECT_EQ(client->player(method).type(), QDBusMessage::ReplyMessage);
        ASSERT_EQ(commands.size(), 1);
        EXPECT_EQ(commands.first().first().value<Command>(), expected);
    }
}

TEST_F(MprisRig, SetPositionIsBoundsCheckedAndIgnoresStaleTracks) {
    show(song(4));
    QSignalSpy moves(&center, &NowPlayingCenter::changePosition);
    struct Case {
        const char* name;
        quint64 track;
        qlonglong position;
        std::optional<double> expected;
    };
    const Case table[] = {
        {"inside", 4, 30'000'000, 30.0},   {"at the end", 4, 215'500'000, 215.5},
        {"at the start", 4, 0, 0.0},       {"stale track", 3, 30'000'000, std::nullopt},
        {"negative", 4, -1, std::nullopt}, {"past the end", 4, 215'500'001, std::nullopt},
    };
    for (const Case& c : table) {
        SCOPED_TRACE(c.name);
        moves.clear();
        const QDBusMessage reply =
            client->player("SetPosition", {QVariant::fromValue(MprisService::trackId(c.track)),
                                           QVariant::fromValue(c.position)});
        // Ignored requests are still answered: MPRIS gives them no error.
        EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage);
        if (c.expected) {
            ASSERT_EQ(moves.size(), 1);
            EXPECT_DOUBLE_EQ(moves.first().first().toDouble(), *c.expected);
        } else {
            EXPECT_EQ(moves.size(), 0);
        }
    }
}

TEST_F(MprisRig, RelativeSeeksVolumeAndRateMapOntoTheCenter) {
    show(song(1, 20.0));
    center.setLivePosition([] { return 20.0; });
    QSignalSpy moves(&center, &NowPlayingCenter::changePosition);
    QSignalSpy commands(&center, &NowPlayingCenter::command);
    QSignalSpy volumes(&center, &NowPlayingCenter::changeVolume);

    client->player("Seek", {QVariant::fromValue(qlonglong(10'000'000))});
    client->player("Seek", {QVariant::fromValue(qlonglong(-60'000'000))});
    ASSERT_EQ(moves.size(), 2);
    EXPECT_DOUBLE_EQ(moves[0].first().toDouble(), 30.0);
    EXPECT_DOUBLE_EQ(moves[1].first().toDouble(), 0.0); // not before the start
    client->player("Seek", {QVariant::fromValue(qlonglong(400'000'000))});
    EXPECT_EQ(moves.size(), 2);
    ASSERT_EQ(commands.size(), 1); // past the end is the next song
    EXPECT_EQ(commands.first().first().value<Command>(), Command::nextTrack);
    // Offsets at the 64-bit limits do not wrap around: the largest is past the end, the smallest the start.
    client->player("Seek", {QVariant::fromValue(std::numeric_limits<qlonglong>::max())});
    ASSERT_EQ(commands.size(), 2);
    EXPECT_EQ(commands.last().first().value<Command>(), Command::nextTrack);
    client->player("Seek", {QVariant::fromValue(std::numeric_limits<qlonglong>::min())});
    ASSERT_EQ(moves.size(), 3);
    EXPECT_DOUBLE_EQ(moves[2].first().toDouble(), 0.0);
    commands.clear();

    const QString player = QStringLiteral("org.mpris.MediaPlayer2.Player");
    EXPECT_TRUE(client->setProperty(player, "Volume", 0.25));
    EXPECT_TRUE(client->setProperty(player, "Volume", 1.5));
    EXPECT_TRUE(client->setProperty(player, "Volume", -0.5));
    ASSERT_EQ(volumes.size(), 3);
    EXPECT_DOUBLE_EQ(volumes[0].first().toDouble(), 0.25);
    EXPECT_DOUBLE_EQ(volumes[1].first().toDouble(), 1.0);
    EXPECT_DOUBLE_EQ(volumes[2].first().toDouble(), 0.0);

    EXPECT_TRUE(client->setProperty(player, "Rate", 0.0));
    ASSERT_EQ(commands.size(), 1);
    EXPECT_EQ(commands.last().first().value<Command>(), Command::pause);
    EXPECT_EQ(client->playerProperty("Rate").toDouble(), 1.0);
}

TEST_F(MprisRig, PropertiesChangedCarriesWhatChangedOnly) {
    show(song(1));
    ASSERT_TRUE(client->waitForChanges(1));
    const QVariantMap first = client->changes.last().changed;
    EXPECT_EQ(client->changes.last().interface, "org.mpris.MediaPlayer2.Player");
    EXPECT_EQ(first.value("PlaybackStatus").toString(), "Playing");
    EXPECT_EQ(first.value("Metadata").toMap().value("xesam:title").toString(), "Blue");
    EXPECT_EQ(first.value("CanGoNext"), QVariant(true));

    // A pause changes the status, not the song.
    show(song(1, 0.1, false), false);
    ASSERT_TRUE(client->waitForChanges(2));
    EXPECT_EQ(client->changes.last().changed.keys(), QStringList{"PlaybackStatus"});

    show(song(1, 0.1, false), false, 0.3);
    ASSERT_TRUE(client->waitForChanges(3));
    EXPECT_EQ(client->changes.last().changed.keys(), QStringList{"Volume"});
    EXPECT_DOUBLE_EQ(client->changes.last().changed.value("Volume").toDouble(), 0.3);

    // A new load of the same song is a new track.
    show(song(2, 0, false), false, 0.3);
    ASSERT_TRUE(client->waitForChanges(4));
    EXPECT_EQ(client->changes.last().changed.keys(), QStringList{"Metadata"});

    // Nothing changed, nothing sent.
    show(song(2, 0, false), false, 0.3);
    client->sync();
    EXPECT_EQ(client->changes.size(), 4);
}

TEST_F(MprisRig, SeekedIsSentWhenThePositionJumps) {
    show(song(1, 0.0, false), false);
    show(song(1, 90.0, false), false); // a seek while paused
    show(song(1, 90.0, true));         // resuming where it was is no jump
    show(song(2, 0.0, true));          // a new song is announced by its metadata, not by Seeked
    show(song(2, 0.1, false), false);  // pausing right away: on the clock
    client->sync();
    EXPECT_EQ(client->seeks, QList<qlonglong>{90'000'000});
}

TEST(Mpris, ASecondOwnerFindsTheNameTakenAndRaisesTheFirst) {
    const QString name = uniqueBusName();
    EXPECT_FALSE(MprisService::raiseRunning(name, 1000)); // nobody there yet

    NowPlayingCenter center;
    MprisService first(center, name);
    ASSERT_EQ(first.start(), MprisService::Start::published);
    QSignalSpy raised(&first, &MprisService::raiseRequested);

    // The second start runs on another connection, as another process would.
    const QString connection = QStringLiteral("second-velto");
    {
        NowPlayingCenter otherCenter;
        MprisService second(otherCenter, name,
                            QDBusConnection::connectToBus(QDBusConnection::SessionBus, connection));
        EXPECT_EQ(second.start(), MprisService::Start::nameTaken);
    }
    QDBusConnection::disconnectFromBus(connection);

    EXPECT_TRUE(MprisService::raiseRunning(name, 3000));
    EXPECT_TRUE(raised.size() == 1 || raised.wait(3000));
}
