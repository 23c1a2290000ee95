#include "PlayerRig.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

struct PlayFromCase {
    qsizetype from;
    int index;
};
class PlayFrom : public ::testing::TestWithParam<PlayFromCase> {};

TEST_P(PlayFrom, ClampsTheStartIntoTheList) {
    PlayerRig p;
    p->play(songs(5), GetParam().from);
    EXPECT_EQ(p->index(), GetParam().index);
    EXPECT_EQ(p.backend.loads, QStringList{songNumber(GetParam().index).path()});
    EXPECT_TRUE(p->isPlaying());
    EXPECT_TRUE(p.backend.isRunning());
    EXPECT_EQ(p->current()->title, songNumber(GetParam().index).title);
}
INSTANTIATE_TEST_SUITE_P(Player, PlayFrom,
                         ::testing::Values(PlayFromCase{10, 4}, PlayFromCase{-2, 0}, PlayFromCase{5, 4},
                                           PlayFromCase{2, 2}));

TEST(PlayerQueue, EmptyListChangesNothing) {
    PlayerRig p;
    p->play(songs(3), 1, QStringLiteral("Mixer"));
    const auto listens = p->log().listens().size();
    p->play(QList<Song>{}, 0);
    p->playNext(QList<Song>{});
    p->enqueue(QList<Song>{});
    EXPECT_EQ(p->queue(), songs(3));
    EXPECT_EQ(p->index(), 1);
    EXPECT_EQ(p->smartDJArtist(), QStringLiteral("Mixer"));
    EXPECT_EQ(p.backend.loads.size(), 1);
    EXPECT_EQ(p->log().listens().size(), listens);
    EXPECT_FALSE(p->notice().has_value());
}

TEST(PlayerQueue, NothingPlaysBeforeTheFirstPlay) {
    PlayerRig p;
    EXPECT_FALSE(p->current());
    p->toggle();
    p->next(true);
    p->jump(0);
    EXPECT_FALSE(p->isPlaying());
    EXPECT_TRUE(p.backend.loads.isEmpty());
    EXPECT_EQ(p->timeLeft(), 0);
    EXPECT_TRUE(p->upNext().isEmpty());
}

TEST(PlayerQueue, ShuffleKeepsThePlayedPrefixAndTheCurrentSong) {
    PlayerRig p;
    p->setShuffle(true);
    const QList<Song> list = songs(20);
    p->play(list, 5);
    const QList<Song> queue = p->queue();
    EXPECT_EQ(queue.mid(0, 6), list.mid(0, 6));
    EXPECT_EQ(p->current(), list[5]);
    EXPECT_NE(queue.mid(6), list.mid(6));
    QStringList rest = titles(queue.mid(6)), expected = titles(list.mid(6));
    rest.sort();
    expected.sort();
    EXPECT_EQ(rest, expected);

    // Off keeps the order; on again reshuffles what follows the current song.
    p->setShuffle(false);
    EXPECT_EQ(p->queue(), queue);
    p->setShuffle(true);
    EXPECT_EQ(p->queue().mid(0, 6), list.mid(0, 6));
    EXPECT_NE(p->queue(), queue);
    EXPECT_EQ(p.backend.loads.size(), 1); // shuffling never touches playback
}

TEST(PlayerQueue, ShuffleIsUniform) {
    // Three songs after the current one: each of the six orders should come up about equally often.
    PlayerRig p;
    p->play(songs(4), 0);
    QHash<QString, int> seen;
    for (int i = 0; i < 6000; ++i) {
        p->setShuffle(false);
        p->setShuffle(true);
        seen[titles(p->upNext()).join(',')] += 1;
    }
    ASSERT_EQ(seen.size(), 6);
    for (int count : seen)
        EXPECT_NEAR(count, 1000, 150);
}

struct NextCase {
    const char* name;
    bool atEnd;
    bool automatic;
    bool repeat;
    int index; // afterwards
    int loads; // in all, with the first play
    bool playing;
};
class NextMatrix : public ::testing::TestWithParam<NextCase> {};

TEST_P(NextMatrix, FollowsTheQueueAndRepeat) {
    const NextCase c = GetParam();
    PlayerRig p;
    p->setRepeatAll(c.repeat);
    p->play(songs(3), c.atEnd ? 2 : 0);
    p->seek(42);
    p->next(c.automatic);
    EXPECT_EQ(p->index(), c.index);
    EXPECT_EQ(p.backend.loads.size(), c.loads);
    EXPECT_EQ(p->isPlaying(), c.playing);
    EXPECT_EQ(p.backend.isRunning(), c.playing);
}
INSTANTIATE_TEST_SUITE_P(Player, NextMatrix,
                         ::testing::Values(NextCase{"middle", false, false, false, 1, 2, true},
                                           NextCase{"middleAutomatic", false, true, false, 1, 2, true},
                                           NextCase{"endByHand", true, false, false, 2, 1, true},
                                           NextCase{"endOfQueue", true, true, false, 2, 1, false},
                                           NextCase{"endByHandRepeat", true, false, true, 0, 2, true},
                                           NextCase{"endOfQueueRepeat", true, true, true, 0, 2, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PlayerQueue, EndOfQueueRewindsAndWritesTheListenOnce) {
    PlayerRig p;
    p->play(songs(2), 1);
    p.backend.setPosition(179.8);
    p->seek(179.8);
    p.backend.finish();
    EXPECT_FALSE(p->isPlaying());
    EXPECT_EQ(p->position(), 0);
    EXPECT_EQ(p.backend.seeks.last(), (FakeMediaBackend::Seek{0, true}));
    ASSERT_EQ(p->log().listens().size(), 1);
    EXPECT_DOUBLE_EQ(p->log().listens()[0].seconds, 179.8);
    EXPECT_FALSE(p->listening());

    // Playing it again from the end is neither a new listen nor a new play.
    p->toggle();
    EXPECT_TRUE(p->isPlaying());
    EXPECT_TRUE(p.backend.isRunning());
    EXPECT_EQ(p->plays(songNumber(1)), 1);
    EXPECT_FALSE(p->listening());
    p->next(false);
    EXPECT_EQ(p->log().listens().size(), 1);
}

struct PreviousCase {
    const char* name;
    int index;
    double position;
    int indexAfter;
    bool restarts;
};
class Previous : public ::testing::TestWithParam<PreviousCase> {};

TEST_P(Previous, RestartsAfterThreeSecondsOrOnTheFirstSong) {
    const PreviousCase c = GetParam();
    PlayerRig p;
    p->play(songs(3), c.index);
    p->seek(c.position);
    p.backend.seeks.clear();
    p->previous();
    EXPECT_EQ(p->index(), c.indexAfter);
    EXPECT_EQ(p.backend.loads.size(), c.restarts ? 1 : 2);
    EXPECT_EQ(p->position(), 0);
    if (c.restarts) {
        EXPECT_EQ(p.backend.seeks, (QList<FakeMediaBackend::Seek>{{0, true}}));
        // A restart is not a play and leaves the listen open.
        EXPECT_EQ(p->plays(p->current()), 1);
        EXPECT_TRUE(p->log().listens().isEmpty());
    }
}
INSTANTIATE_TEST_SUITE_P(Player, Previous,
                         ::testing::Values(PreviousCase{"exactlyThree", 2, 3.0, 1, false},
                                           PreviousCase{"justOverThree", 2, 3.01, 2, true},
                                           PreviousCase{"firstSong", 0, 1.0, 0, true},
                                           PreviousCase{"firstSongLate", 0, 50, 0, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PlayerQueue, PausedRestartStaysPaused) {
    PlayerRig p;
    p.defaults->set("fadeOnPause", false); // the engine pauses at once
    p->play(songs(2), 0);
    p->toggle();
    p->previous();
    EXPECT_FALSE(p->isPlaying());
    EXPECT_FALSE(p.backend.isRunning());
}

TEST(PlayerQueue, RemoveKeepsTheCurrentSong) {
    PlayerRig p;
    p->play(songs(5), 2);
    p->remove(2);
    p->remove(-1);
    p->remove(5);
    EXPECT_EQ(p->queue().size(), 5);

    p->remove(0);
    EXPECT_EQ(p->index(), 1);
    EXPECT_EQ(p->current(), songNumber(2));
    p->remove(3);
    EXPECT_EQ(titles(p->queue()), (QStringList{"S1", "S2", "S3"}));
    EXPECT_EQ(p->index(), 1);
    EXPECT_EQ(p.backend.loads.size(), 1);
}

TEST(PlayerQueue, JumpToTheCurrentSongIsANewListenAndPlay) {
    PlayerRig p;
    p->play(songs(3), 1);
    p->seek(12);
    p->jump(1);
    p->jump(3);
    p->jump(-1);
    EXPECT_EQ(p.backend.loads.size(), 2);
    EXPECT_EQ(p->plays(songNumber(1)), 2);
    ASSERT_EQ(p->log().listens().size(), 1);
    EXPECT_EQ(p->log().listens()[0].seconds, 12);
    EXPECT_EQ(p->position(), 0);
}

TEST(PlayerQueue, PlayNextAndEnqueuePlaceSongsAndPostNotices) {
    PlayerRig p;
    Song blue = songNumber(10);
    blue.title = QStringLiteral("Blue");

    p->playNext({blue});
    EXPECT_EQ(p->noticeText(), QStringLiteral("playing \u201CBlue\u201D"));
    EXPECT_EQ(p.backend.loads, QStringList{blue.path()});

    p->enqueue(songs(3));
    EXPECT_EQ(p->noticeText(), QStringLiteral("added 3 songs to now playing"));
    p->playNext({songNumber(20)});
    EXPECT_EQ(p->noticeText(), QStringLiteral("playing \u201CS20\u201D next"));
    EXPECT_EQ(titles(p->queue()), (QStringList{"Blue", "S20", "S0", "S1", "S2"}));
    EXPECT_EQ(p.backend.loads.size(), 1);

    PlayerRig q;
    q->enqueue(songs(3));
    EXPECT_EQ(q->noticeText(), QStringLiteral("playing 3 songs"));
    EXPECT_EQ(q->index(), 0);
}

TEST(PlayerQueue, TimeLeftCountsTheRestOfTheQueue) {
    PlayerRig p;
    p->play({songNumber(0, 100), songNumber(1, 200), songNumber(2, 180), songNumber(3, 180)}, 1);
    p->seek(50);
    EXPECT_EQ(p->timeLeft(), 510);
    p->seek(250); // past the end of the song: nothing negative
    EXPECT_EQ(p->timeLeft(), 360);
    EXPECT_EQ(titles(p->upNext()), (QStringList{"S2", "S3"}));
}

TEST(PlayerQueue, ListensCarryTheAlbumArtistAndTheMixFlag) {
    PlayerRig p;
    p->play(songs(2), 0, QStringLiteral("Mixer"));
    p->enqueue({songNumber(7)});
    p->jump(2); // added by hand, but the queue is a mix
    p->play(songs(1, 5), 0);
    p->next(false); // on its own, nothing follows
    p->jump(0);
    const QList<Listen> listens = p->log().listens();
    ASSERT_EQ(listens.size(), 3);
    EXPECT_EQ(listens[0].path, songNumber(0).path());
    EXPECT_EQ(listens[0].artist, QStringLiteral("Artist 0"));
    EXPECT_EQ(listens[0].duration, 180);
    EXPECT_TRUE(listens[0].mix);
    EXPECT_TRUE(listens[1].mix);
    EXPECT_FALSE(listens[2].mix);
    EXPECT_NEAR(listens[2].at.seconds, Date::now().seconds, 5);
}

TEST(PlayerTransport, PauseResumeAndSeek) {
    PlayerRig p;
    p.defaults->set("fadeOnPause", false); // the engine pauses at once
    p->setVolume(0.4);
    p->play(songs(2), 0);
    EXPECT_FLOAT_EQ(p.backend.volume(), 0.4f);
    p->toggle();
    EXPECT_FALSE(p->isPlaying());
    EXPECT_FALSE(p.backend.isRunning());
    p->toggle();
    EXPECT_TRUE(p->isPlaying());
    EXPECT_TRUE(p.backend.isRunning());
    EXPECT_TRUE(QTest::qWaitFor([&] { return p.backend.volume() == 0.4f; }, 2000)); // after the fade-in

    QSignalSpy nowPlaying(p.player.get(), &Player::nowPlayingChanged);
    p->seek(30);
    EXPECT_EQ(p->position(), 30);
    EXPECT_EQ(nowPlaying.count(), 1);
    p->scrub(80);
    EXPECT_EQ(p.backend.seeks.last(), (FakeMediaBackend::Seek{80, false}));
    EXPECT_EQ(p->position(), 30); // the drag does not move the published position
    EXPECT_EQ(p->liveTime(), 80);
    EXPECT_EQ(nowPlaying.count(), 1);
}

TEST(PlayerTransport, PositionFollowsTheEngineWhilePlaying) {
    PlayerRig p;
    p->play(songs(1), 0);
    p.backend.setPosition(1.5);
    EXPECT_TRUE(QTest::qWaitFor([&] { return p->position() == 1.5; }, 2000));
    p->toggle();
    p.backend.setPosition(9);
    QTest::qWait(400);
    EXPECT_EQ(p->position(), 1.5); // paused: no updates
}

TEST(PlayerTransport, StaleEndOfSongNeverSkipsTheNewOne) {
    PlayerRig p;
    p->play(songs(3), 0);
    const quint64 first = p.backend.generation();
    p->jump(1);
    emit p.backend.ended(first);
    emit p.backend.failed(first, QStringLiteral("late"));
    EXPECT_EQ(p->index(), 1);
    EXPECT_TRUE(p->isPlaying());
    EXPECT_FALSE(p->notice());
    p.backend.finish();
    EXPECT_EQ(p->index(), 2);
}

TEST(PlayerTransport, UnplayableSongStopsAndSaysSo) {
    PlayerRig p;
    p->play(songs(3), 0);
    p.backend.fail();
    EXPECT_FALSE(p->isPlaying());
    EXPECT_EQ(p.backend.resets, 1);
    EXPECT_EQ(p->noticeText(), QStringLiteral("couldn't play \u201CS0\u201D"));
    // It stays current, counted and listened to; it does not skip on by itself.
    EXPECT_EQ(p->index(), 0);
    EXPECT_EQ(p->plays(songNumber(0)), 1);
    EXPECT_TRUE(p->listening());
    p->next(false);
    EXPECT_EQ(p->log().listens().size(), 1);
    EXPECT_TRUE(p->isPlaying());
}

namespace {
// A player whose no-progress watch reads a clock the test moves. The observer itself still runs on the
// event loop, so a test waits for its next turn (a quarter second at most) instead of for the stall limit.
struct StallRig : PlayerRig {
    qint64 now = 0;
    StallRig() {
        player->setStallLimit(5000);
        player->setProgressClock([this] { return now; });
    }
    // Moves the position and the clock together, and lets the observer see it once.
    bool advance(double position, qint64 milliseconds) {
        backend.setPosition(position);
        now += milliseconds;
        QSignalSpy moved(player.get(), &Player::positionChanged);
        return moved.wait(2000);
    }
};
} // namespace

TEST(PlayerTransport, SongWhoseTimeStandsStillIsUnplayable) {
    StallRig p;
    p->play(songs(2), 0);
    // Moving on, however long it takes overall: no stall.
    for (int i = 1; i <= 4; ++i)
        ASSERT_TRUE(p.advance(i, 4000));
    EXPECT_TRUE(p->isPlaying());
    EXPECT_EQ(p.backend.resets, 0);
    // Standing still while playing: reset and reported.
    p.now += 5001;
    EXPECT_TRUE(QTest::qWaitFor([&] { return !p->isPlaying(); }, 2000));
    EXPECT_EQ(p.backend.resets, 1);
    EXPECT_EQ(p->noticeText(), QStringLiteral("couldn't play \u201CS0\u201D"));
    EXPECT_FALSE(p->isObserving());

    // A paused song that has started does not stand still in that sense, and costs nothing.
    QSignalSpy started(&p.backend, &MediaBackend::ready);
    p->next(false);
    ASSERT_TRUE(started.wait(2000));
    p->toggle();
    EXPECT_FALSE(p->isObserving());
    p.now += 60'000;
    EXPECT_EQ(p.backend.resets, 1);
}

// A broken file paused while it loads: the engine may spin on it without ever starting it, so the watch
// keeps going until the song starts or is given up, whatever the play state.
TEST(PlayerTransport, SongPausedBeforeItStartsIsStillWatched) {
    StallRig p;
    p.backend.holdReady = true;
    p->play(songs(2), 0);
    p.backend.setPosition(NAN); // no time yet, as before the engine has the song
    p->toggle();
    EXPECT_FALSE(p->isPlaying());
    EXPECT_TRUE(p->isObserving());
    p.now += 5001;
    EXPECT_TRUE(QTest::qWaitFor([&] { return p.backend.resets == 1; }, 2000));
    EXPECT_EQ(p->noticeText(), QStringLiteral("couldn't play \u201CS0\u201D"));
    EXPECT_FALSE(p->isObserving());

    // Resumed after it was given up, the song is opened again and watched again until it starts.
    p->toggle();
    p->toggle();
    EXPECT_FALSE(p->isPlaying());
    EXPECT_TRUE(p->isObserving());

    // The same pause on a song that starts: once it has, the observer rests.
    p.backend.holdReady = false;
    p->next(false);
    p->toggle();
    EXPECT_TRUE(p->isObserving());
    QSignalSpy started(&p.backend, &MediaBackend::ready);
    ASSERT_TRUE(started.wait(2000));
    EXPECT_FALSE(p->isObserving());
    p.now += 60'000;
    EXPECT_EQ(p.backend.resets, 1);
}

TEST(PlayerTransport, MissingOutputIsANotice) {
    PlayerRig p;
    p->play(songs(1), 0);
    emit p.backend.outputUnavailable(QStringLiteral("none"));
    EXPECT_EQ(p->noticeText(), QStringLiteral("no sound output found, playing silently"));
    EXPECT_TRUE(p->isPlaying());
}

// A broken file raises several errors while it loads: the user is told once, and again only for a new load.
TEST(PlayerTransport, AnUnplayableSongIsToldOncePerLoad) {
    PlayerRig p;
    QSignalSpy notices(&*p, &Player::noticeChanged);
    p->play(songs(2), 0);
    p.backend.fail();
    p.backend.fail(QStringLiteral("internal data stream error"));
    p.backend.fail();
    EXPECT_EQ(notices.count(), 1);
    p->jump(0);
    p.backend.fail();
    EXPECT_EQ(notices.count(), 2);
}

TEST(PlayerTransport, NonFiniteSeekAndVolumeChangeNothing) {
    PlayerRig p;
    p->play(songs(1), 0);
    p->seek(42);
    p->setVolume(0.4);
    for (double bad : {qQNaN(), qInf(), -qInf()}) {
        p->seek(bad);
        p->scrub(bad);
        p->setVolume(bad);
    }
    EXPECT_EQ(p->position(), 42);
    EXPECT_EQ(p.backend.position(), 42);
    EXPECT_EQ(p->volume(), 0.4);
    EXPECT_EQ(p.defaults->doubleValue(Player::volumeKey, 0), 0.4);
}

// The views see the current song as a value and are told when it changes, and only then.
TEST(PlayerQueue, CurrentIsPublishedWhenItChanges) {
    PlayerRig p;
    QSignalSpy changes(&*p, &Player::currentChanged);
    EXPECT_FALSE(p->currentValue().isValid());
    p->play(songs(3), 1);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(p->currentValue().value<Song>().title, "S1");
    p->enqueue({songNumber(9)});
    EXPECT_EQ(changes.count(), 1);
    p->next(false);
    EXPECT_EQ(changes.count(), 2);
    EXPECT_EQ(p->currentValue().value<Song>().title, "S2");
    EXPECT_EQ(p->upNextSongs().size(), 1);
    EXPECT_EQ(p->upNextSongs(0).size(), 0);
    // Values that are songs play; anything else is left out (no library is set to look paths up).
    p->play(QVariantList{QVariant::fromValue(songNumber(5)), QStringLiteral("/music/s6.mp3"), 3});
    EXPECT_EQ(p->queueLength(), 1);
    EXPECT_EQ(p->currentValue().value<Song>().title, "S5");
}
