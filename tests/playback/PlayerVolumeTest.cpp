#include "PlayerRig.h"
#include "SteppedFadeClock.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {
// A player on the fake engine whose fades are stepped by hand.
struct FadeRig : PlayerRig {
    SteppedFadeClock clock;
    FadeRig() { player->setFadeClock(clock); }
    float heard() const { return backend.volume(); }
};

double storedVolume(PlayerRig& p) {
    return p.defaults->value(Player::volumeKey).toDouble(-1);
}
} // namespace

TEST(PlayerVolume, MuteRemembersTheVolumeBeforeIt) {
    struct Case {
        const char* name;
        std::optional<double> stored; // at start
        std::optional<double> set;    // by the user before muting
        double afterFirst;
        double afterSecond;
    };
    const Case table[] = {
        {"mute and unmute", std::nullopt, 0.5, 0.0, 0.5},
        {"stored silence unmutes to the start value", 0.0, std::nullopt, 0.7, 0.0},
        {"a whisper comes back audible", std::nullopt, 0.01, 0.0, 0.05},
    };
    for (const Case& c : table) {
        SCOPED_TRACE(c.name);
        PlayerRig p;
        if (c.stored) {
            p.defaults->set(Player::volumeKey, *c.stored);
            p.restart();
        }
        if (c.set) p->setVolume(*c.set);
        p->toggleMute();
        EXPECT_DOUBLE_EQ(p->volume(), c.afterFirst);
        EXPECT_DOUBLE_EQ(storedVolume(p), c.afterFirst);
        EXPECT_FLOAT_EQ(p.backend.volume(), float(c.afterFirst));
        p->toggleMute();
        EXPECT_DOUBLE_EQ(p->volume(), c.afterSecond);
        EXPECT_DOUBLE_EQ(storedVolume(p), c.afterSecond);
    }
}

TEST(PlayerVolume, TextRoundsHalvesAwayFromZeroAndOnlyZeroIsMuted) {
    const std::pair<double, const char*> table[] = {
        {0.0, "muted"},       {0.7, "volume 70"},  {0.004, "volume 0"},
        {0.125, "volume 13"}, {1.0, "volume 100"}, {0.994, "volume 99"},
    };
    PlayerRig p;
    QSignalSpy changed(p.player.get(), &Player::volumeChanged);
    for (const auto& [volume, text] : table) {
        p->setVolume(volume);
        EXPECT_EQ(p->volumeText(), QString::fromUtf8(text)) << volume;
    }
    EXPECT_EQ(changed.size(), std::size(table)); // the readout is told every time
}

TEST(PlayerVolume, AFadeTakesSixteenEasedStepsAndCanBeCancelled) {
    SteppedFadeClock clock;
    QList<float> heard;
    int completions = 0;
    auto* fade = new VolumeFade(
        0.7f, 0.0f, 0.32, [&](float v) { heard.append(v); }, clock);
    fade->start([&] { ++completions; });
    clock.steps(15);
    EXPECT_EQ(completions, 0);
    clock.step();
    EXPECT_EQ(completions, 1);
    ASSERT_EQ(heard.size(), 16);
    EXPECT_NEAR(heard[0], 0.6152344f, 1e-6);
    EXPECT_NEAR(heard[3], 0.39375f, 1e-6); // 44 % of the way after 4 steps
    EXPECT_NEAR(heard[7], 0.175f, 1e-6);   // 75 % after 8
    EXPECT_EQ(heard[15], 0.0f);
    EXPECT_TRUE(std::is_sorted(heard.rbegin(), heard.rend()));
    EXPECT_EQ(clock.slept, QList<double>(16, 0.02));

    heard.clear();
    QPointer<VolumeFade> cancelled = new VolumeFade(
        0.0f, 1.0f, 0.22, [&](float v) { heard.append(v); }, clock);
    cancelled->start([&] { ++completions; });
    clock.steps(3);
    delete cancelled.data();
    EXPECT_FALSE(clock.step());
    EXPECT_EQ(heard.size(), 3);
    EXPECT_EQ(completions, 1);
}

TEST(PlayerVolume, PauseFadesOutThenPauses) {
    FadeRig p;
    p->play(songs(2), 0);
    p->toggle();
    EXPECT_FALSE(p->isPlaying()); // at once, while the sound fades
    const std::map<int, float> expected = {{1, 0.6152344f}, {8, 0.175f}};
    float before = p.heard();
    for (int step = 1; step <= 16; ++step) {
        EXPECT_TRUE(p.backend.isRunning()) << step;
        ASSERT_TRUE(p.clock.step());
        if (step < 16) {
            EXPECT_LT(p.heard(), before) << step;
            before = p.heard();
        }
        if (auto it = expected.find(step); it != expected.end())
            EXPECT_NEAR(p.heard(), it->second, 1e-6) << step;
    }
    // The last step pauses the engine and puts its volume back for the next start.
    EXPECT_FALSE(p.backend.isRunning());
    EXPECT_FLOAT_EQ(p.heard(), 0.7f);
    EXPECT_FALSE(p.clock.step());
    EXPECT_EQ(p.clock.slept, QList<double>(16, 0.02));
}

TEST(PlayerVolume, ResumeFromAStoppedEngineRisesFromSilence) {
    FadeRig p;
    p->setVolume(0.4);
    p->play(songs(1), 0);
    p->toggle();
    p.clock.runOut();
    p.clock.slept.clear();
    p->toggle();
    EXPECT_TRUE(p->isPlaying());
    EXPECT_TRUE(p.backend.isRunning());
    EXPECT_FLOAT_EQ(p.heard(), 0.0f);
    p.clock.step();
    EXPECT_NEAR(p.heard(), 0.4f * (1 - (15.0f / 16) * (15.0f / 16)), 1e-6);
    p.clock.runOut();
    EXPECT_FLOAT_EQ(p.heard(), 0.4f);
    EXPECT_EQ(p.clock.slept, QList<double>(16, 0.22 / 16));
}

TEST(PlayerVolume, ResumingDuringThePauseFadeNeverPausesTheEngine) {
    FadeRig p;
    p->play(songs(1), 0);
    p->toggle();
    p.clock.steps(5);
    const float lowered = p.heard();
    ASSERT_LT(lowered, 0.7f);
    p->toggle();
    // The fade-in starts where the fade-out got to, not from silence.
    EXPECT_FLOAT_EQ(p.heard(), lowered);
    p.clock.step();
    EXPECT_GT(p.heard(), lowered);
    while (p.clock.step())
        EXPECT_TRUE(p.backend.isRunning());
    EXPECT_TRUE(p.backend.isRunning());
    EXPECT_TRUE(p->isPlaying());
    EXPECT_FLOAT_EQ(p.heard(), 0.7f);
}

TEST(PlayerVolume, ASongStartDuringThePauseFadePlaysAtTheVolume) {
    FadeRig p;
    p->setVolume(0.6);
    p->play(songs(2), 0);
    p->toggle();
    p.clock.steps(3);
    p->next(false);
    EXPECT_FLOAT_EQ(p.heard(), 0.6f);
    EXPECT_FALSE(p.clock.step()); // the old fade is gone, with its pause
    EXPECT_TRUE(p.backend.isRunning());
    EXPECT_TRUE(p->isPlaying());
}

TEST(PlayerVolume, PausingWithTheFadeOffIsImmediateAndCancelsAResumeFade) {
    FadeRig p;
    p.defaults->set("fadeOnPause", false);
    p->play(songs(1), 0);
    p->toggle();
    EXPECT_FALSE(p.backend.isRunning());
    EXPECT_FLOAT_EQ(p.heard(), 0.7f);
    p->toggle();
    p.clock.steps(2);
    p->toggle();
    EXPECT_FALSE(p.backend.isRunning());
    EXPECT_FLOAT_EQ(p.heard(), 0.7f);
    EXPECT_FALSE(p.clock.step());
}

TEST(PlayerVolume, VolumeSetDuringAFade) {
    // During a resume fade the new volume wins at once and stays: muting just after resuming is silent.
    {
        FadeRig p;
        p->play(songs(1), 0);
        p->toggle();
        p.clock.runOut();
        p->toggle();
        p.clock.steps(2);
        p->toggleMute();
        EXPECT_FLOAT_EQ(p.heard(), 0.0f);
        EXPECT_FALSE(p.clock.step());
        EXPECT_FLOAT_EQ(p.heard(), 0.0f);
    }
    // During a pause fade the fade keeps its course to silence, and the pause leaves the new volume set.
    {
        FadeRig p;
        p->play(songs(1), 0);
        p->toggle();
        p.clock.steps(2);
        p->setVolume(0.3);
        EXPECT_FLOAT_EQ(p.heard(), 0.3f);
        p.clock.step();
        EXPECT_NEAR(p.heard(), 0.7f * (1 - (1 - (13.0f / 16) * (13.0f / 16))), 1e-6);
        p.clock.runOut();
        EXPECT_FALSE(p.backend.isRunning());
        EXPECT_FLOAT_EQ(p.heard(), 0.3f);
    }
}

TEST(PlayerVolume, FadesRunOnTheEventLoopClock) {
    PlayerRig p; // the program's own clock
    p->play(songs(1), 0);
    p->toggle();
    EXPECT_TRUE(p.backend.isRunning());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !p.backend.isRunning(); }, 2000));
    EXPECT_FLOAT_EQ(p.backend.volume(), 0.7f);
    p->toggle();
    EXPECT_TRUE(QTest::qWaitFor([&] { return p.backend.volume() == 0.7f; }, 2000));
    // A player that goes away mid-fade takes its fade with it.
    p->toggle();
    p.player.reset();
    QTest::qWait(400);
}
