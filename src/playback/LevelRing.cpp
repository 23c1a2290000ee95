#include "playback/LevelRing.h"

#include <algorithm>

void LevelRing::store(double time, std::span<const float, bandCount> levels) {
    std::lock_guard guard(m_lock);
    m_times[m_head] = time;
    std::copy(levels.begin(), levels.end(), m_ring.begin() + m_head * bandCount);
    m_head = (m_head + 1) % slotCount;
}

void LevelRing::reset() {
    std::lock_guard guard(m_lock);
    m_times.fill(-1);
}

bool LevelRing::levels(double from, double to, std::span<float, bandCount> into) const {
    std::lock_guard guard(m_lock);
    bool contributed = false;
    int newest = -1;
    for (int s = 0; s < slotCount; ++s) {
        const double t = m_times[s];
        // Empty slots hold −1; the comparisons are also false for a NaN time.
        if (!(t >= 0 && t <= to)) continue;
        const float* frame = m_ring.data() + s * bandCount;
        if (t > from) {
            if (!contributed) {
                std::copy(frame, frame + bandCount, into.begin());
                contributed = true;
            } else {
                for (int i = 0; i < bandCount; ++i)
                    into[i] = std::max(into[i], frame[i]);
            }
        }
        if (newest < 0 || t > m_times[newest]) newest = s;
    }
    if (contributed) return true;
    if (newest >= 0 && to - m_times[newest] < 0.25) {
        const float* frame = m_ring.data() + newest * bandCount;
        std::copy(frame, frame + bandCount, into.begin());
        return true;
    }
    return false;
}
