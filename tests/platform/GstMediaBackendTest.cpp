#include "platform/gst/GstMediaBackend.h"
#include "support/TestHome.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <cmath>
#include <gst/gst.h>
#include <gtest/gtest.h>

namespace {
// Real time, so that positions and ends come as they would from a sound card.
const QString realTime = QStringLiteral("fakesink sync=true");

bool waitFor(const std::function<bool()>& done, int ms) {
    return QTest::qWaitFor(done, ms);
}
} // namespace

class EveryFormat : public ::testing::TestWithParam<const char*> {};

TEST_P(EveryFormat, PlaysSeeksAndEnds) {
    GstMediaBackend engine(realTime);
    QSignalSpy ready(&engine, &MediaBackend::ready);
    QSignalSpy ended(&engine, &MediaBackend::ended);
    QSignalSpy failed(&engine, &MediaBackend::failed);
    const quint64 generation = engine.load(fixturePath(GetParam()));
    engine.play();
    ASSERT_TRUE(ready.wait(5000)) << GetParam();
    EXPECT_EQ(ready.first().first().toULongLong(), generation);
    ASSERT_TRUE(waitFor([&] { return engine.position() > 0.2; }, 3000));

    engine.seekExact(1.5);
    EXPECT_EQ(engine.position(), 1.5); // the target until the seek has landed
    ASSERT_TRUE(waitFor([&] { return engine.position() > 1.55; }, 3000));
    EXPECT_LT(engine.position(), 1.9);
    ASSERT_TRUE(ended.wait(3000));
    EXPECT_EQ(ended.first().first().toULongLong(), generation);
    EXPECT_FALSE(engine.isRunning());
    EXPECT_TRUE(failed.isEmpty());
}
INSTANTIATE_TEST_SUITE_P(Fixtures, EveryFormat,
                         ::testing::Values("tone.mp3", "tone.flac", "tone.m4a", "tone.ogg", "tone.wav"));

TEST(GstMediaBackend, SeekBeforeTheItemIsReadyWaitsForIt) {
    GstMediaBackend engine(realTime);
    QSignalSpy ready(&engine, &MediaBackend::ready);
    engine.load(fixturePath("tone.flac"));
    engine.seekExact(1.2);
    engine.play();
    ASSERT_TRUE(ready.wait(5000));
    ASSERT_TRUE(waitFor([&] { return engine.position() > 1.25; }, 2000));
    EXPECT_LT(engine.position(), 1.7);
}

TEST(GstMediaBackend, FastSeekLandsNearTheTarget) {
    GstMediaBackend engine(realTime);
    QSignalSpy ready(&engine, &MediaBackend::ready);
    engine.load(fixturePath("tone.mp3"));
    engine.pause();
    ASSERT_TRUE(ready.wait(5000));
    engine.seekFast(1.0);
    QTest::qWait(300);
    EXPECT_NEAR(engine.position(), 1.0, 0.4);
}

TEST(GstMediaBackend, EndOfTheReplacedItemIsNotReported) {
    GstMediaBackend engine(realTime);
    QSignalSpy ended(&engine, &MediaBackend::ended);
    engine.load(fixturePath("tone.wav"));
    engine.play();
    engine.seekExact(1.95);
    ASSERT_TRUE(waitFor([&] { return engine.position() > 1.96; }, 3000));
    // Its end of stream is posted, and waits in the event queue, when the next song replaces it.
    QThread::msleep(300);
    const quint64 second = engine.load(fixturePath("tone.ogg"));
    ASSERT_TRUE(ended.wait(4000));
    ASSERT_EQ(ended.size(), 1);
    EXPECT_EQ(ended.first().first().toULongLong(), second);
}

TEST(GstMediaBackend, PauseStopsTheClockAndResetFreesTheItem) {
    GstMediaBackend engine(realTime);
    QSignalSpy ready(&engine, &MediaBackend::ready);
    engine.load(fixturePath("tone.ogg"));
    engine.play();
    ASSERT_TRUE(ready.wait(5000));
    QTest::qWait(300);
    engine.pause();
    EXPECT_FALSE(engine.isRunning());
    QTest::qWait(100);
    const double paused = engine.position();
    QTest::qWait(400);
    EXPECT_NEAR(engine.position(), paused, 0.01);

    engine.reset();
    EXPECT_TRUE(std::isnan(engine.position()));
    // Playing again opens the same file from its start.
    engine.play();
    ASSERT_TRUE(waitFor([&] { return engine.position() > 0.1; }, 3000));
    EXPECT_LT(engine.position(), 1.0);
}

class BrokenFile : public ::testing::TestWithParam<const char*> {};

TEST_P(BrokenFile, FailsInsteadOfHanging) {
    GstMediaBackend engine(realTime);
    QSignalSpy failed(&engine, &MediaBackend::failed);
    QSignalSpy ended(&engine, &MediaBackend::ended);
    const QString path = QString::fromUtf8(GetParam()).startsWith('/') ? QString::fromUtf8(GetParam())
                                                                       : fixturePath(GetParam());
    const quint64 generation = engine.load(path);
    engine.play();
    ASSERT_TRUE(failed.wait(5000)) << GetParam();
    EXPECT_EQ(failed.first().first().toULongLong(), generation);
    EXPECT_FALSE(failed.first().at(1).toString().isEmpty());
    EXPECT_FALSE(engine.isRunning());
    EXPECT_TRUE(ended.isEmpty());
}
INSTANTIATE_TEST_SUITE_P(Fixtures, BrokenFile,
                         ::testing::Values("empty.mp3", "truncated.flac", "garbage.m4a", "huge-frame.mp3",
                                           "/nonexistent/velto/song.mp3"));

TEST(GstMediaBackend, VolumeIsAppliedToThePipeline) {
    GstMediaBackend engine(realTime);
    engine.setVolume(0.25f);
    engine.load(fixturePath("tone.wav"));
    double volume = 0;
    g_object_get(engine.pipeline(), "volume", &volume, nullptr);
    EXPECT_DOUBLE_EQ(volume, 0.25);
    EXPECT_FLOAT_EQ(engine.volume(), 0.25f);
}

TEST(GstMediaBackend, NoOutputDeviceIsReportedAndPlaybackGoesOn) {
    if (QFileInfo::exists("/dev/snd")) GTEST_SKIP() << "this machine has a sound device";
    // No sound server to reach and no device: the default output falls back to a silent sink.
    qputenv("PULSE_SERVER", "unix:/nonexistent/velto-pulse");
    GstMediaBackend engine(QString{});
    QSignalSpy unavailable(&engine, &MediaBackend::outputUnavailable);
    QSignalSpy ready(&engine, &MediaBackend::ready);
    engine.load(fixturePath("tone.wav"));
    engine.play();
    ASSERT_TRUE(ready.wait(5000));
    EXPECT_EQ(unavailable.size(), 1);
    EXPECT_TRUE(engine.isRunning());
    qunsetenv("PULSE_SERVER");
}
