#include "playback/AudioLevels.h"

#include <array>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <new>
#include <numbers>
#include <vector>

// Counts allocations made through operator new while a test asks for it, to prove the audio path makes none.
namespace {
std::atomic<bool> countAllocations{false};
std::atomic<int> allocations{0};
} // namespace

void* operator new(std::size_t size) {
    if (countAllocations) ++allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {
using Bands = std::array<float, AudioLevels::bandCount>;
using Range = AudioLevels::BinRange;

std::vector<float> sine(double freq, double rate, double seconds, double amplitude = 1.0, double phase = 0) {
    std::vector<float> s(size_t(std::lround(seconds * rate)));
    for (size_t n = 0; n < s.size(); ++n)
        s[n] = float(amplitude * std::sin(2 * std::numbers::pi * freq * double(n) / rate + phase));
    return s;
}

// Feeds `samples` as consecutive blocks starting at media time `start`.
void feed(AudioLevels& levels, const std::vector<float>& samples, double start, size_t block = 1024) {
    for (size_t at = 0; at < samples.size(); at += block) {
        const size_t n = std::min(block, samples.size() - at);
        levels.analyze(samples.data() + at, qsizetype(n), start + double(at) / levels.sampleRate());
    }
}

// The levels of the frame nearest before media time t.
Bands frameAt(const AudioLevels& levels, double t) {
    Bands b;
    b.fill(-1);
    EXPECT_TRUE(levels.levels(t - 0.001, t, b)) << "no frame at " << t;
    return b;
}

bool anyFrame(const AudioLevels& levels) {
    Bands b;
    return levels.levels(-1, 1e12, b);
}

} // namespace

TEST(AudioLevelsBands, TableAt44100) {
    AudioLevels levels;
    levels.prepare(44100);
    const auto bands = levels.bands();
    ASSERT_EQ(bands.size(), 32u);
    EXPECT_EQ(bands[0], (Range{1, 2}));
    for (int i = 1; i <= 9; ++i)
        EXPECT_EQ(bands[i], (Range{i + 2, i + 2})) << "band " << i + 1;
    EXPECT_EQ(bands[10], (Range{12, 13}));
    EXPECT_EQ(bands[19], (Range{61, 72}));
    EXPECT_EQ(bands[31], (Range{542, 650}));
    // Contiguous and never empty.
    for (size_t i = 1; i < bands.size(); ++i) {
        EXPECT_EQ(bands[i].lower, bands[i - 1].upper + 1);
        EXPECT_LE(bands[i].lower, bands[i].upper);
    }
    // +3.5 dB per octave of the band's centre above 40 Hz; nothing below.
    EXPECT_EQ(levels.tilt()[0], 0.0f);
    EXPECT_NEAR(levels.tilt()[19], 3.5 * std::log2(44100.0 / 2048 * 66.5 / 40), 1e-3);
}

TEST(AudioLevelsBands, RecomputedForEachRate) {
    AudioLevels levels;
    levels.prepare(44100);
    levels.prepare(48000);
    EXPECT_EQ(levels.binWidth(), 23.4375f);
    const auto bands = levels.bands();
    ASSERT_EQ(bands.size(), 32u);
    EXPECT_EQ(bands[0], (Range{1, 2}));
    EXPECT_EQ(bands[31].upper, 597); // 14 kHz / 23.4375 Hz
    // At a very low rate the top bands would reach past the last bin: they shrink to one bin each.
    levels.prepare(8000);
    EXPECT_EQ(levels.bands()[31], (Range{1023, 1023}));
    for (size_t i = 1; i < 32; ++i)
        EXPECT_LE(levels.bands()[i].lower, levels.bands()[i].upper);
}

TEST(AudioLevelsBands, RateThatIsNotAPositiveNumberLeavesNoBands) {
    for (double rate : {0.0, -44100.0, double(NAN), double(INFINITY)}) {
        AudioLevels levels;
        levels.prepare(44100);
        feed(levels, sine(1000, 44100, 0.2), 0);
        ASSERT_TRUE(anyFrame(levels));
        // A new stream empties the ring whatever its rate; this one is then ignored.
        levels.prepare(rate);
        EXPECT_TRUE(levels.bands().empty()) << rate;
        EXPECT_FALSE(anyFrame(levels)) << rate;
        const auto tone = sine(1000, 44100, 0.2);
        levels.analyze(tone.data(), qsizetype(tone.size()), 1.0);
        EXPECT_FALSE(anyFrame(levels)) << rate;
    }
}

TEST(AudioLevels, NothingBeforeTheFirstPrepare) {
    AudioLevels levels;
    const auto tone = sine(1000, 44100, 0.2);
    levels.analyze(tone.data(), qsizetype(tone.size()), 0);
    EXPECT_FALSE(anyFrame(levels));
}

TEST(AudioLevels, ToneLightsItsOwnBand) {
    for (double rate : {44100.0, 48000.0}) {
        AudioLevels levels;
        levels.prepare(rate);
        for (int band : {0, 5, 12, 19, 26, 31}) {
            const Range r = levels.bands()[band];
            // On a bin, so that the window's leakage cannot make the level waver from frame to frame.
            const double freq = std::round((r.lower + r.upper) / 2.0) * rate / AudioLevels::frameSize;
            levels.reset();
            feed(levels, sine(freq, rate, 0.5), 100);
            const Bands b = frameAt(levels, 100.4);
            EXPECT_FLOAT_EQ(b[band], 1.0f) << rate << " Hz, band " << band + 1;
            for (int i = 0; i < 32; ++i) {
                if (i != band) {
                    EXPECT_LT(b[i], 1.0f) << rate << " Hz, band " << band + 1 << " vs " << i + 1;
                }
                if (std::abs(i - band) >= 4) {
                    EXPECT_EQ(b[i], 0.0f) << rate << " Hz, band " << band + 1 << " vs " << i + 1;
                }
            }
        }
    }
}

TEST(AudioLevels, FirstFramesAreMeasuredAgainstAPeakOfMinus20Decibels) {
    // Pins the absolute scale: a full-scale sine on a bin measures +6 dB before the tilt (the window halves
    // the amplitude, the transform's scale doubles it). A tone meant to measure −40 dB with its tilt sits
    // 18 dB above the bottom of the display (−20 − 38 dB) in the first frame.
    const double rate = 44100;
    AudioLevels levels;
    levels.prepare(rate);
    const int band = 4; // bin 6 alone
    ASSERT_EQ(levels.bands()[band], (Range{6, 6}));
    const double amplitude = std::pow(10.0, (-40.0 - levels.tilt()[band] - 20 * std::log10(2.0)) / 20);
    feed(levels, sine(6 * rate / 2048, rate, 2048 / rate, amplitude), 0);
    const double peak = -20 - 1536 / rate;
    EXPECT_NEAR(frameAt(levels, 1024 / rate)[band], std::pow((-40 - (peak - 38)) / 38, 1.4), 0.002);
}

TEST(AudioLevels, RunningPeakSinksSixDecibelsPerSecondOfAudio) {
    for (double rate : {44100.0, 48000.0}) {
        AudioLevels levels;
        levels.prepare(rate);
        const int band = 19;
        const Range r = levels.bands()[band];
        const double freq = (r.lower + r.upper) / 2.0 * rate / AudioLevels::frameSize;
        // One second of a loud tone, then the same tone 30 dB down: the quiet band starts 30 dB below the
        // peak and climbs as the peak sinks, until the peak has come down to it.
        auto samples = sine(freq, rate, 1.0);
        const auto quiet = sine(freq, rate, 6.0, std::pow(10.0, -30.0 / 20), 2 * std::numbers::pi * freq);
        samples.insert(samples.end(), quiet.begin(), quiet.end());
        // The peak was last raised by the frame whose window ends where the quiet tone begins.
        const double lastLoud = 1.0 - 1024 / rate;
        size_t fed = 0;
        for (double t : {1.5, 2.0, 3.0, 4.0, 5.0, 5.9, 6.9}) {
            const size_t until = size_t(std::lround((t + 0.1) * rate));
            feed(levels, std::vector<float>(samples.begin() + fed, samples.begin() + until),
                 double(fed) / rate);
            fed = until;
            const float v = float(std::min(1.0, (8 + 6 * (t - lastLoud)) / 38));
            EXPECT_NEAR(frameAt(levels, t)[band], std::pow(v, 1.4f), 0.01) << rate << " Hz at " << t << " s";
        }
    }
}

TEST(AudioLevels, DigitalSilenceIsDark) {
    AudioLevels levels;
    levels.prepare(44100);
    feed(levels, sine(1000, 44100, 1.0), 0);
    // Long enough for the running peak to sink to the numerical floor.
    feed(levels, std::vector<float>(size_t(44100 * 30), 0.0f), 1.0);
    EXPECT_EQ(frameAt(levels, 30.9), Bands{});
}

TEST(AudioLevels, FramesAreStampedWithTheMiddleOfTheirWindow) {
    const double rate = 44100;
    const double half = 1024 / rate;
    AudioLevels levels;
    levels.prepare(rate);
    const auto tone = sine(1000, rate, 1.0);
    Bands b;

    levels.analyze(tone.data(), 2000, 0);
    EXPECT_FALSE(anyFrame(levels));
    // A block far from where the carried samples end (a seek) starts afresh: 2048 new samples are needed.
    levels.analyze(tone.data(), 100, 10.0);
    levels.analyze(tone.data() + 100, 1947, 10.0 + 100 / rate);
    EXPECT_FALSE(anyFrame(levels));
    levels.analyze(tone.data() + 2047, 1, 10.0 + 2047 / rate);
    EXPECT_FALSE(levels.levels(-1, 10.0 + half - 1e-9, b));
    EXPECT_TRUE(levels.levels(10.0 + half - 1e-9, 10.0 + half, b));

    // Within 0.05 s of the expected time the block continues the carried samples and their times.
    levels.analyze(tone.data(), 256, 10.0 + 2048 / rate + 0.049);
    EXPECT_TRUE(levels.levels(10.0 + half + 1e-9, 10.0 + (1024 + 256) / rate, b));
    EXPECT_FALSE(levels.levels(10.0 + (1024 + 256) / rate, 20, b));
    levels.analyze(tone.data(), 256, 10.0 + 2304 / rate + 0.051);
    EXPECT_FALSE(levels.levels(10.0 + (1024 + 256) / rate, 20, b));

    // Blocks without a usable time or without samples are ignored.
    levels.reset();
    levels.analyze(tone.data(), 4096, NAN);
    levels.analyze(tone.data(), 4096, INFINITY);
    levels.analyze(tone.data(), 0, 30);
    levels.analyze(tone.data(), -5, 30);
    EXPECT_FALSE(anyFrame(levels));
}

TEST(AudioLevels, BlockSizeDoesNotChangeTheFrames) {
    // A tone that moves and swells, fed once as one block larger than the carry buffer and once in odd
    // small blocks: every frame must come out the same.
    const double rate = 44100;
    std::vector<float> signal(40000);
    for (size_t n = 0; n < signal.size(); ++n) {
        const double t = double(n) / rate;
        signal[n] = float((0.1 + t) * std::sin(2 * std::numbers::pi * (200 + 3000 * t) * t));
    }
    AudioLevels whole, pieces;
    whole.prepare(rate);
    pieces.prepare(rate);
    whole.analyze(signal.data(), qsizetype(signal.size()), 3.0);
    feed(pieces, signal, 3.0, 37);

    const int frames = (40000 - 2048) / 256 + 1;
    for (int k = 0; k < frames; ++k) {
        const double t = 3.0 + (1024 + 256 * k) / rate;
        Bands a{}, b{};
        ASSERT_TRUE(whole.levels(t - 1e-6, t + 1e-6, a)) << k;
        ASSERT_TRUE(pieces.levels(t - 1e-6, t + 1e-6, b)) << k;
        EXPECT_EQ(a, b) << "frame " << k;
    }
    const double last = 3.0 + (1024 + 256 * (frames - 1)) / rate;
    Bands none{};
    EXPECT_FALSE(whole.levels(last + 1e-6, 1e12, none));
    EXPECT_FALSE(pieces.levels(last + 1e-6, 1e12, none));
}

TEST(AudioLevels, AnalysisAllocatesNothing) {
    AudioLevels levels;
    levels.prepare(48000);
    const auto tone = sine(440, 48000, 1.0);
    allocations = 0;
    countAllocations = true;
    levels.analyze(tone.data(), qsizetype(tone.size()), 0);
    feed(levels, tone, 1.0, 480);
    Bands b;
    const bool found = levels.levels(0, 2, b);
    countAllocations = false;
    EXPECT_TRUE(found);
    EXPECT_EQ(allocations, 0);
}
