#include "BandMotion.h"

#include "playback/Player.h"

#include <algorithm>
#include <cmath>
#include <numbers>

double PlayerBandSource::liveTime() {
    return m_player.liveTime();
}

bool PlayerBandSource::levels(double from, double to, std::span<float, 32> into) {
    return m_player.levels().levels(from, to, into);
}

const BandMotion::Levels& BandMotion::step(BandSource& source, bool live, double now) {
    // A stalled frame never makes the band jump.
    const double dt = std::min(now - m_lastFrame, 0.1);
    m_lastFrame = now;

    bool wrote = false;
    if (live) {
        const double t = source.liveTime();
        // A fresh start, a seek back, a jump or a long gap reads only the last moment before `t`.
        double from = m_lastSongTime;
        if (m_lastSongTime < 0 || t < m_lastSongTime || t - m_lastSongTime > 0.2) from = t - 0.02;
        wrote = source.levels(from, t, m_target);
        m_lastSongTime = t;
        // A strong second, third or fourth band lifts the centre of the outline.
        if (wrote) m_target[0] = *std::max_element(m_target.begin(), m_target.begin() + 4);
    } else {
        m_lastSongTime = -1;
    }

    for (int i = 0; i < bands; ++i) {
        float& v = m_values[size_t(i)];
        const double g = wrote ? m_target[size_t(i)] : 0.0;
        double halfLife = 0.22;
        if (live) halfLife = v < g ? 0.012 : (1.0 - i / 32.0) * 0.07 + 0.05;
        v = float(v + (g - v) * (1.0 - std::exp2(-dt / halfLife)));
    }

    m_shown[0] = std::max(m_values[0], 0.0f);
    for (int k = 1; k < bands; ++k)
        m_shown[size_t(k)] =
            std::max(float(m_values[size_t(k)] * (1.0 - 0.35 * k / 32.0)), 0.9f * m_previous[size_t(k - 1)]);
    m_previous = m_shown;
    return m_shown;
}

namespace LightBand {

QPainterPath outline(const BandMotion::Levels& levels, QSizeF size, double maxHeight, double span) {
    const double w = size.width(), h = size.height();
    const double s = w * span;
    const double left = (w - s) / 2;
    constexpr int mirrored = 2 * BandMotion::bands;
    std::array<QPointF, mirrored + 2> p;
    p[0] = {left - 0.08 * s, h};
    for (int i = 0; i < mirrored; ++i) {
        const float level = i < BandMotion::bands ? levels[size_t(BandMotion::bands - 1 - i)]
                                                  : levels[size_t(i - BandMotion::bands)];
        const double f = (i + 0.5) / mirrored;
        const double envelope = std::pow(std::sin(f * std::numbers::pi), 0.35);
        p[size_t(i + 1)] = {left + s * f, h - std::max(envelope * (maxHeight - 2) * level, 2.0)};
    }
    p[mirrored + 1] = {left + 1.08 * s, h};

    QPainterPath path(p[0]);
    const size_t last = p.size() - 1;
    for (size_t j = 0; j < last; ++j) {
        const QPointF& before = j == 0 ? p[j] : p[j - 1];
        const QPointF& after = j + 2 > last ? p[last] : p[j + 2];
        path.cubicTo(p[j] + (p[j + 1] - before) / 6, p[j + 1] - (after - p[j]) / 6, p[j + 1]);
    }
    path.closeSubpath();
    return path;
}

} // namespace LightBand
