#include "playback/LevelRing.h"

#include <array>
#include <gtest/gtest.h>

namespace {
using Bands = std::array<float, LevelRing::bandCount>;

Bands bandsWith(int band, float value) {
    Bands b{};
    b[band] = value;
    return b;
}

Bands untouched() {
    Bands b;
    b.fill(-7);
    return b;
}
} // namespace

TEST(LevelRing, EmptyRingAnswersFalseAndLeavesTheListAlone) {
    LevelRing ring;
    Bands into = untouched();
    EXPECT_FALSE(ring.levels(-1, 1e9, into));
    EXPECT_FALSE(ring.levels(0, 0, into));
    EXPECT_EQ(into, untouched());
}

TEST(LevelRing, SpanTakesTheLoudestOfEveryFrameInIt) {
    LevelRing ring;
    ring.store(1.00, bandsWith(2, 0.2f));
    ring.store(1.01, bandsWith(2, 0.5f));
    Bands second = bandsWith(2, 0.3f);
    second[7] = 0.9f;
    ring.store(1.02, second);
    ring.store(1.03, bandsWith(2, 0.99f)); // after `to`: not heard yet

    Bands into = untouched();
    ASSERT_TRUE(ring.levels(0.995, 1.025, into));
    Bands expected{};
    expected[2] = 0.5f;
    expected[7] = 0.9f;
    EXPECT_EQ(into, expected);

    // The span is half-open: a frame exactly at `from` was shown by the previous read.
    ASSERT_TRUE(ring.levels(1.01, 1.02, into));
    EXPECT_EQ(into[2], 0.3f);
}

TEST(LevelRing, FallsBackToTheNewestHeardFrameForAQuarterSecond) {
    struct Case {
        double frameAge; // how long before `to` the only heard frame is
        bool found;
    };
    const Case cases[] = {{0.1, true}, {0.249, true}, {0.3, false}};
    for (const Case& c : cases) {
        LevelRing ring;
        ring.store(10.0 - c.frameAge - 0.5, bandsWith(4, 0.1f)); // older still
        ring.store(10.0 - c.frameAge, bandsWith(4, 0.6f));
        ring.store(10.5, bandsWith(4, 1.0f)); // ahead of what is heard: never the fallback
        Bands into = untouched();
        EXPECT_EQ(ring.levels(9.99, 10.0, into), c.found) << c.frameAge;
        EXPECT_EQ(into, c.found ? bandsWith(4, 0.6f) : untouched()) << c.frameAge;
    }
}

TEST(LevelRing, KeepsTheLatest256FramesAndResetEmptiesThem) {
    LevelRing ring;
    for (int i = 0; i < 300; ++i)
        ring.store(i * 0.01, bandsWith(0, float(i) / 300));
    Bands into = untouched();
    // Frames 0…43 were overwritten by 256…299.
    EXPECT_FALSE(ring.levels(-1, 0.43, into));
    ASSERT_TRUE(ring.levels(-1, 0.445, into));
    EXPECT_FLOAT_EQ(into[0], 44.0f / 300);
    ASSERT_TRUE(ring.levels(-1, 100, into));
    EXPECT_FLOAT_EQ(into[0], 299.0f / 300);

    ring.reset();
    into = untouched();
    EXPECT_FALSE(ring.levels(-1, 3.0, into));
    EXPECT_EQ(into, untouched());
    // Writing resumes after a reset.
    ring.store(5.0, bandsWith(1, 0.25f));
    EXPECT_TRUE(ring.levels(4.9, 5.0, into));
    EXPECT_EQ(into, bandsWith(1, 0.25f));
}
