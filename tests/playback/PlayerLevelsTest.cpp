#include "core/Defaults.h"
#include "platform/gst/GstMediaBackend.h"
#include "playback/Player.h"
#include "support/TestHome.h"

#include <QTest>
#include <array>
#include <cmath>
#include <gtest/gtest.h>

namespace {
using Bands = std::array<float, AudioLevels::bandCount>;

Song toneSong(const QString& name) {
    Song song;
    song.url = FileUrl::fromPath(fixturePath(name));
    song.title = name;
    song.duration = 2;
    return song;
}

int bandOf(const AudioLevels& levels, double freq) {
    const int bin = int(std::lround(freq / levels.binWidth()));
    int band = 0;
    while (levels.bands()[size_t(band)].upper < bin)
        ++band;
    return band;
}
} // namespace

// The player's one analyser hears what its backend plays, and a new song starts it afresh.
TEST(PlayerLevels, FollowTheSongThatPlays) {
    TestHome home;
    Defaults defaults;
    GstMediaBackend backend(QStringLiteral("fakesink sync=true"));
    Player player(defaults, backend);
    AudioLevels* const levels = &player.levels();
    Bands b{};

    player.play({toneSong(QStringLiteral("tone.flac"))}); // 523 Hz
    QTRY_VERIFY_WITH_TIMEOUT(levels->levels(-1, 0.5, b), 5000);
    const int flacBand = bandOf(*levels, 523);
    QTRY_VERIFY_WITH_TIMEOUT(levels->levels(-1, 1.0, b) && b[size_t(flacBand)] > 0.9f, 5000);

    // The next song's frames replace the first song's, including those of the same media times.
    player.play({toneSong(QStringLiteral("tone.wav"))}); // 880 Hz
    const int wavBand = bandOf(*levels, 880);
    ASSERT_GE(wavBand - flacBand, 3);
    QTRY_VERIFY_WITH_TIMEOUT(levels->levels(-1, 1.0, b) && b[size_t(wavBand)] > 0.9f, 5000);
    EXPECT_EQ(b[size_t(flacBand)], 0.0f);
    EXPECT_EQ(&player.levels(), levels);
}
