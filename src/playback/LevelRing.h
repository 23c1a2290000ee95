#pragma once

#include <array>
#include <mutex>
#include <span>

// The most recent spectrum frames, each stamped with the media time it describes. The audio thread writes
// frames as it analyses them, which is about a second ahead of what is heard; the main thread reads the
// frames of the span that has just been heard. Every operation holds the lock only for a fixed, short piece
// of work and nothing here allocates.
class LevelRing {
public:
    static constexpr int bandCount = 32;
    static constexpr int slotCount = 256;

    // Writes a frame into the next slot, overwriting the oldest one.
    void store(double time, std::span<const float, bandCount> levels);
    // Marks every slot empty; the write position stays where it is.
    void reset();

    // The levels that the span (from, to] of media time should show:
    // - every frame with from < time <= to contributes, and `into` gets their element-wise maximum;
    // - when none does, the newest frame not later than `to` is used, provided it is less than 0.25 s
    //   older than `to`, so a display keeps showing the latest frame while no newer one has arrived;
    // - otherwise the answer is false and `into` is left as it was.
    // Frames later than `to` are never used: they belong to audio that has not been heard yet.
    bool levels(double from, double to, std::span<float, bandCount> into) const;

private:
    mutable std::mutex m_lock;
    std::array<double, slotCount> m_times = emptyTimes();
    std::array<float, slotCount * bandCount> m_ring{};
    int m_head = 0;

    static constexpr std::array<double, slotCount> emptyTimes() {
        std::array<double, slotCount> t{};
        t.fill(-1);
        return t;
    }
};
