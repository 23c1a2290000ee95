#include "kit/Controls.h"
#include "kit/DigitsText.h"
#include "kit/PlayingSong.h"
#include "kit/SeekBarModel.h"
#include "kit/VolumeRules.h"
#include "playback/PlayerRig.h"

#include <QFontMetricsF>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace {
// A seek bar over a song of 100 s at 20 s, paused, 100 px wide, on a clock stepped by hand.
class SeekBar : public testing::Test {
protected:
    void SetUp() override {
        bar.setClock([this] { return now; });
        bar.setLiveTime([this] { return live; });
        bar.setHasSong(true);
        bar.setDuration(100);
        bar.setPosition(20);
        bar.setWidth(100);
        QObject::connect(&bar, &SeekBarModel::scrubRequested, [this](double s) { scrubs.push_back(s); });
        QObject::connect(&bar, &SeekBarModel::seekRequested, [this](double s) { seeks.push_back(s); });
    }
    double at(double t) {
        now = t;
        bar.refresh();
        return bar.fraction();
    }

    SeekBarModel bar;
    double now = 10;
    double live = 0;
    std::vector<double> scrubs, seeks;
};
} // namespace

TEST_F(SeekBar, ClickGlidesThenHoldsUntilThePlayerCatchesUp) {
    EXPECT_DOUBLE_EQ(at(10), 0.2);
    bar.press(80, 9);
    bar.release(80, 100);
    EXPECT_EQ(seeks, std::vector<double>{80});
    EXPECT_TRUE(bar.gliding());
    EXPECT_TRUE(bar.animating());
    EXPECT_DOUBLE_EQ(at(10), 0.2);
    EXPECT_NEAR(at(10.2), 0.2 + 0.6 * (1 - std::pow(0.5, 3.5)), 1e-9);
    EXPECT_NEAR(at(10.2), 0.747, 5e-4);
    // The glide is over; the player still says 20 s, so the bar holds the sought point.
    EXPECT_DOUBLE_EQ(at(10.4), 0.8);
    EXPECT_FALSE(bar.gliding());
    EXPECT_FALSE(bar.animating());
    EXPECT_DOUBLE_EQ(at(10.9), 0.8);
    // A second after the release the player's word counts again.
    EXPECT_DOUBLE_EQ(at(11.0), 0.2);
}

TEST_F(SeekBar, HoldEndsWhenThePlayerCatchesUp) {
    bar.setReduceMotion(true); // no glide: straight to the hold
    bar.press(50, 9);
    bar.release(50, 100);
    EXPECT_FALSE(bar.gliding());
    EXPECT_DOUBLE_EQ(at(10.1), 0.5);
    bar.setPosition(50.5);
    EXPECT_DOUBLE_EQ(at(10.2), 0.505);
}

TEST_F(SeekBar, PlayingFollowsTheLiveTimeUnlessMotionIsReduced) {
    bar.setIsPlaying(true);
    live = 33;
    EXPECT_DOUBLE_EQ(at(10), 0.33);
    EXPECT_TRUE(bar.animating());
    bar.setReduceMotion(true);
    EXPECT_DOUBLE_EQ(at(10), 0.2);
    EXPECT_FALSE(bar.animating());
    bar.setReduceMotion(false);
    // Past the end, before the start and not a number.
    live = 130;
    EXPECT_DOUBLE_EQ(at(10), 1);
    live = -3;
    EXPECT_DOUBLE_EQ(at(10), 0);
    live = std::numeric_limits<double>::quiet_NaN();
    EXPECT_DOUBLE_EQ(at(10), 0);
    bar.setDuration(0);
    live = 30;
    EXPECT_DOUBLE_EQ(at(10), 0);
}

TEST_F(SeekBar, PressBecomesADragOnlyAfterTwoPixelsSideways) {
    struct Case {
        double dx, dy;
        bool drags;
    };
    for (const Case c :
         {Case{2, 0, false}, Case{-2, 1, false}, Case{3, 0, true}, Case{-3, 0, true}, Case{0, 40, false}}) {
        SCOPED_TRACE(testing::Message() << c.dx << "," << c.dy);
        seeks.clear();
        scrubs.clear();
        now += 5;
        bar.press(50, 9);
        bar.move(50 + c.dx, 9 + c.dy, 100);
        EXPECT_EQ(bar.dragging(), c.drags);
        EXPECT_EQ(scrubs.size(), c.drags ? 1u : 0u);
        bar.release(50 + c.dx, 100);
        // A click glides; a drag lands without one.
        EXPECT_EQ(bar.gliding(), !c.drags);
        ASSERT_EQ(seeks.size(), 1u);
        EXPECT_DOUBLE_EQ(seeks[0], 50 + c.dx);
        now += 5;
        bar.refresh();
    }
}

TEST_F(SeekBar, DragPinsAtTheEndsAndThrottlesScrubs) {
    bar.press(50, 9);
    bar.move(-40, 9, 100);
    EXPECT_DOUBLE_EQ(bar.fraction(), 0);
    EXPECT_EQ(bar.reading(100), "0:00");
    now += 0.1;
    bar.move(180, 9, 100);
    EXPECT_DOUBLE_EQ(bar.fraction(), 1);
    EXPECT_EQ(bar.reading(100), "1:40");
    EXPECT_EQ(scrubs, (std::vector<double>{0, 100}));
    // Ten moves within 0.08 s: one scrub; the position is never touched during a drag.
    scrubs.clear();
    now += 0.1;
    for (int i = 0; i < 10; ++i) {
        bar.move(10 + i, 9, 100);
        now += 0.007;
    }
    EXPECT_EQ(scrubs.size(), 1u);
    EXPECT_DOUBLE_EQ(bar.position(), 20);
    EXPECT_FALSE(bar.animating());
    bar.release(37.5, 100);
    EXPECT_EQ(seeks, std::vector<double>{37.5});
    EXPECT_FALSE(bar.dragging());
}

TEST_F(SeekBar, ReadingAndTimeRow) {
    EXPECT_EQ(bar.reading(100), "");
    bar.hover(25);
    EXPECT_EQ(bar.reading(100), "0:25");
    bar.hover(140);
    EXPECT_EQ(bar.reading(100), "1:40");
    EXPECT_DOUBLE_EQ(bar.pointerX(100), 100);
    bar.leave();
    EXPECT_EQ(bar.reading(100), "");

    bar.setTimes(SeekBarModel::Remaining);
    EXPECT_EQ(bar.elapsedText(), "0:20");
    EXPECT_EQ(bar.endText(), "-1:20");
    bar.setTimes(SeekBarModel::Total);
    EXPECT_EQ(bar.endText(), "1:40");

    // Without a song: an empty bar, zero times, no reading.
    bar.setHasSong(false);
    bar.hover(40);
    EXPECT_DOUBLE_EQ(bar.fraction(), 0);
    EXPECT_EQ(bar.reading(100), "");
    EXPECT_EQ(bar.elapsedText(), "0:00");
    EXPECT_EQ(bar.endText(), "0:00");
    bar.setTimes(SeekBarModel::Remaining);
    EXPECT_EQ(bar.endText(), "-0:00");
}

TEST_F(SeekBar, ScreenReaderStepsTenSecondsWithinTheSong) {
    bar.increase();
    bar.setPosition(95);
    bar.increase();
    bar.setPosition(4);
    bar.decrease();
    EXPECT_EQ(seeks, (std::vector<double>{30, 100, 0}));
    bar.setHasSong(false);
    bar.increase();
    EXPECT_EQ(seeks.back(), 0);
}

TEST(ScrubTitle, ReadingsAndTotals) {
    EXPECT_EQ(Controls::readingTotal(245), "of 4:05");
    EXPECT_EQ(Controls::readingTotal(0), "of 0:00");
    EXPECT_EQ(Controls::firstReading({"", "1:10", "2:20"}), "1:10");
    EXPECT_EQ(Controls::firstReading({"", ""}), "");
    EXPECT_EQ(Controls::playSymbol(false), "play.fill");
    EXPECT_EQ(Controls::playLabel(false), "Play");
    EXPECT_EQ(Controls::playSymbol(true), "pause.fill");
}

TEST(Volume, Wheel) {
    struct Case {
        double volume;
        QPointF pixels, angle;
        bool inverted;
        double expected;
    };
    const Case cases[] = {
        {0.5, {0, 10}, {0, 0}, false, 0.54},  // trackpad
        {0.5, {0, 0}, {0, 120}, false, 0.53}, // one notch
        {0.5, {0, 10}, {0, 120}, true, 0.46}, // inverted device
        {0.5, {0, 0}, {0, 120}, true, 0.47},  //
        {0.99, {0, 0}, {0, 360}, false, 1},   // clamped at the top
        {0.01, {0, -50}, {0, 0}, false, 0},   // and at the bottom
    };
    for (const Case& c : cases)
        EXPECT_NEAR(VolumeRules::afterWheel(c.volume, c.pixels, c.angle, c.inverted), c.expected, 1e-9)
            << c.volume << " " << c.pixels.y() << " " << c.angle.y() << " " << c.inverted;
}

TEST(Volume, SliderReadoutAndWords) {
    EXPECT_EQ(VolumeRules::sliderVolume(-5, 84), 0);
    EXPECT_DOUBLE_EQ(VolumeRules::sliderVolume(42, 84), 0.5);
    EXPECT_EQ(VolumeRules::sliderVolume(100, 84), 1);
    EXPECT_DOUBLE_EQ(VolumeRules::readoutVolume(0.5, 70), 1);
    EXPECT_DOUBLE_EQ(VolumeRules::readoutVolume(0.5, -70), 0);
    EXPECT_DOUBLE_EQ(VolumeRules::readoutVolume(0.5, 14), 0.6);
    EXPECT_FALSE(VolumeRules::readoutDragging(2, 0));
    EXPECT_TRUE(VolumeRules::readoutDragging(3, 0));
    // The readout says 76 (rounded); a screen reader hears 75 (the fraction dropped).
    EXPECT_EQ(VolumeRules::accessiblePercent(0.756), 75);
    EXPECT_EQ(VolumeRules::accessiblePercent(0.29), 29);
    EXPECT_EQ(VolumeRules::readoutAccessibleValue(0), "Muted");
    EXPECT_EQ(VolumeRules::readoutAccessibleValue(0.756), "75");
    EXPECT_EQ(VolumeRules::speakerSymbol(0), "speaker.fill");
    EXPECT_EQ(VolumeRules::speakerSymbol(0.2), "speaker.wave.2.fill");
    EXPECT_EQ(VolumeRules::speakerSymbol(0.9), "speaker.wave.3.fill");
    EXPECT_EQ(VolumeRules::speakerHint(0), "Unmute");
    EXPECT_EQ(VolumeRules::speakerHint(0.3), "Mute");
}

TEST(Volume, CrossDrawsOneDiagonalAfterTheOther) {
    struct Case {
        double drawn, first, second;
    };
    for (const Case c :
         {Case{0, 0, 0}, Case{0.25, 0.5, 0}, Case{0.5, 1, 0}, Case{0.75, 1, 0.5}, Case{1, 1, 1}}) {
        const CrossStrokes s = VolumeRules::cross(c.drawn);
        EXPECT_DOUBLE_EQ(s.first, c.first) << c.drawn;
        EXPECT_DOUBLE_EQ(s.second, c.second) << c.drawn;
    }
}

TEST(DigitsText, EveryDigitTakesTheWidestDigitsCell) {
    QFont font(QStringLiteral("Inter"));
    font.setPixelSize(11);
    // Same number of digits, same width, whatever the digits.
    EXPECT_DOUBLE_EQ(DigitsText::measure("1:11", font), DigitsText::measure("8:08", font));
    EXPECT_DOUBLE_EQ(DigitsText::measure("-0:11", font), DigitsText::measure("-9:48", font));
    // The letters keep their own widths: a caption is measured upper-cased.
    QFont caps = font;
    caps.setCapitalization(QFont::AllUppercase);
    EXPECT_GT(DigitsText::measure("volume 1", caps), DigitsText::measure("volume 1", font));
}

TEST(PlayingSong, FollowsTheQueueAndTheIndex) {
    PlayerRig rig;
    PlayingSong song;
    song.setPlayer(rig.player.get());
    EXPECT_FALSE(song.present());
    EXPECT_EQ(song.duration(), 0);
    rig->play(songs(3), 1);
    EXPECT_TRUE(song.present());
    EXPECT_EQ(song.title(), "S1");
    EXPECT_EQ(song.artist(), "Singer 1");
    EXPECT_EQ(song.albumArtist(), "Artist 1");
    EXPECT_EQ(song.duration(), 180);
    EXPECT_EQ(song.path(), "/music/s1.mp3");
    // Without a library the song's own file is where its picture is looked for.
    EXPECT_EQ(song.artwork(), QUrl::fromLocalFile("/music/s1.mp3"));
    rig->next(false);
    EXPECT_EQ(song.title(), "S2");
    rig->setQueue({});
    EXPECT_FALSE(song.present());
    EXPECT_EQ(song.title(), "");
}
