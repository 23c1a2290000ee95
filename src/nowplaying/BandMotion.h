#pragma once

#include <QPainterPath>
#include <QSizeF>
#include <array>
#include <span>

class Player;

// Where the light band reads what is heard: the media time now, and the element-wise maximum of the band
// levels stamped in a window of media time (false, leaving `into` alone, when there are none).
class BandSource {
public:
    virtual ~BandSource() = default;
    virtual double liveTime() = 0;
    virtual bool levels(double from, double to, std::span<float, 32> into) = 0;
};

// The program's source: the player's clock and its analyser, written straight into the caller's array.
class PlayerBandSource final : public BandSource {
public:
    explicit PlayerBandSource(Player& player) : m_player(player) {}
    double liveTime() override;
    bool levels(double from, double to, std::span<float, 32> into) override;

private:
    Player& m_player;
};

// The light band's smoothing, one step per drawn frame: levels rise fast and fall by band (the low notes
// slowest), a peak travels one band toward the high end per frame as it fades, and everything settles
// slowly to rest when the band is not live. Nothing is allocated per step.
class BandMotion {
public:
    static constexpr int bands = 32;
    using Levels = std::array<float, bands>;

    // `now`: seconds of a monotonic clock.
    explicit BandMotion(double now) : m_lastFrame(now) {}

    const Levels& step(BandSource& source, bool live, double now);

    const Levels& values() const { return m_values; }
    double lastSongTime() const { return m_lastSongTime; }

private:
    Levels m_values{};
    Levels m_target{};
    Levels m_shown{};
    Levels m_previous{};
    double m_lastFrame = 0;
    double m_lastSongTime = -1;
};

namespace LightBand {
// The band's closed outline for `levels` in a canvas of `size`: the levels mirrored about the centre (the
// lowest band twice in the middle), under a rounded envelope, at least 2 above the bottom, as a smooth curve
// through 66 points, closed along the bottom.
QPainterPath outline(const BandMotion::Levels& levels, QSizeF size, double maxHeight, double span);
} // namespace LightBand
