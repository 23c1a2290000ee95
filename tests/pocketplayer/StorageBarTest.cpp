#include "pocketplayer/StorageReading.h"

#include "support/Printers.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

TEST(StorageBar, Figures) {
    struct Case {
        qint64 capacity, music;
        double fraction;
        const char* musicText;
        const char* freeText;
        bool overflow;
    };
    const Case cases[] = {
        {3'720'000'000, 0, 0, "0 MB", "3.7 GB", false},
        {3'720'000'000, 3'720'000'000, 1, "3.7 GB", "0 MB", false},
        {3'720'000'000, 5'000'000'000, 1, "5.0 GB", "doesn't fit, 1.3 GB too much", true},
        {3'720'000'000, 2'500'000'000, 2.5 / 3.72, "2.5 GB", "1.2 GB", false},
        {3'720'000'000, 900'000'000, 0.9 / 3.72, "900 MB", "2.8 GB", false},
        // No space: full, whether there is music or not.
        {0, 0, 1, "0 MB", "0 MB", false},
        {0, 5'000'000, 1, "5 MB", "doesn't fit, 5 MB too much", true},
        // Counts below zero are none.
        {-5, -7, 1, "0 MB", "0 MB", false},
        // The largest counts neither overflow nor show a negative figure.
        {std::numeric_limits<qint64>::max(), 0, 0, "0 MB", "9223372036.9 GB", false},
        {0, std::numeric_limits<qint64>::max(), 1, "9223372036.9 GB", "doesn't fit, 9223372036.9 GB too much",
         true},
    };
    for (const Case& c : cases) {
        const StorageFigures f = StorageFigures::of(c.capacity, c.music);
        SCOPED_TRACE(testing::Message() << c.capacity << " / " << c.music);
        EXPECT_NEAR(f.fraction, c.fraction, 1e-9);
        EXPECT_EQ(f.music, c.musicText);
        EXPECT_EQ(f.free, c.freeText);
        EXPECT_EQ(f.overflow, c.overflow);
    }
}

} // namespace
