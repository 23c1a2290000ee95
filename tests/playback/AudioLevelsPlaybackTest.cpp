#include "platform/gst/AudioTap.h"
#include "playback/AudioLevels.h"
#include "support/PlayThrough.h"
#include "support/TestHome.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>

namespace {
using Bands = std::array<float, AudioLevels::bandCount>;

struct ToneFile {
    const char* name;
    double freq;
};

class AudioLevelsPlayback : public ::testing::TestWithParam<ToneFile> {};
} // namespace

// Decoded files through the tap into the analyser: the tone's band lights up.
TEST_P(AudioLevelsPlayback, ToneLightsItsBand) {
    AudioLevels levels;
    AudioTap tap;
    tap.setSink(&levels);
    ASSERT_TRUE(playThrough(fixturePath(QString::fromLatin1(GetParam().name)), tap.element()));
    ASSERT_EQ(levels.sampleRate(), 44100);

    // The band holding the bin nearest the tone; a tone between two bins may light the next band as
    // brightly, since the two bins can fall in different bands.
    const int bin = int(std::lround(GetParam().freq / levels.binWidth()));
    int band = 0;
    while (levels.bands()[size_t(band)].upper < bin)
        ++band;

    Bands b{};
    ASSERT_TRUE(levels.levels(0.997, 1.0, b)); // the frame at one second
    const int lit = int(std::max_element(b.begin(), b.end()) - b.begin());
    EXPECT_EQ(b[size_t(lit)], 1.0f);
    EXPECT_LE(std::abs(lit - band), 1) << "lit band " << lit + 1 << ", tone band " << band + 1;
    EXPECT_GT(b[size_t(band)], 0.9f);
    for (int i = 0; i < AudioLevels::bandCount; ++i) {
        if (std::abs(i - band) >= 3) {
            EXPECT_EQ(b[size_t(i)], 0.0f) << "band " << i + 1;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, AudioLevelsPlayback,
                         ::testing::Values(ToneFile{"tone.mp3", 440}, ToneFile{"tone.flac", 523},
                                           ToneFile{"tone.m4a", 659}, ToneFile{"tone.ogg", 784},
                                           ToneFile{"tone.wav", 880}),
                         [](const auto& info) {
                             std::string n = info.param.name;
                             return n.substr(n.find('.') + 1);
                         });

TEST(AudioLevelsPlaybackChannels, ToneInTheRightChannelOnlyLeavesTheBandsDark) {
    AudioLevels levels;
    AudioTap tap;
    tap.setSink(&levels);
    ASSERT_TRUE(playThrough(fixturePath(QStringLiteral("right-tone.wav")), tap.element()));
    Bands b;
    b.fill(-1);
    ASSERT_TRUE(levels.levels(-1, 10, b)); // the loudest of every frame kept
    EXPECT_EQ(b, Bands{});
}
