#pragma once

#include <QImage>

// The three pictures the 3-D player is lit and grained with, drawn in code. Each is made once per process,
// on first use, and shared by every body and scene.
namespace Studio {

// The lighting environment: a grey studio of 1024 × 512 pixels (lighter above, darker below) with five soft
// light panels and a dark card, blurred. Drawn top-down: row 0 is the top of the studio.
const QImage& environment();

// The environment as the scenes' light probe: scaled down, bottom row first (a light probe's first row is
// the bottom of the studio), in RGBA. Made once per process from `environment()`.
const QImage& lightProbe();
QImage lightProbeOf(const QImage& environment);
// The probe's size. Qt Quick 3D prefilters a light probe into a cube map for every scene that uses it,
// at a cost that grows with the probe's area; the blurred studio holds no detail that this size loses.
inline constexpr QSize lightProbeSize{256, 128};

// Normal maps of 256 × 256 pixels, 4 bytes a pixel (red, green, blue, an unused 255), meant to be uploaded
// byte for byte: red and green tilt the normal, 128 is flat.
// Straight vertical brush lines, one random tilt per column.
const QImage& brushed();
// A fine random grain, every pixel tilted on its own.
const QImage& grain();

// The generator behind both normal maps: a 64-bit linear congruential generator whose every draw advances
// the state and yields (state >> 11) · 2⁻⁵³, a number in [0, 1). Fixed seeds make the maps the same in
// every run.
class Random {
public:
    explicit Random(quint64 seed) : m_state(seed) {}
    double next() {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return double(m_state >> 11) * 0x1.0p-53;
    }

private:
    quint64 m_state;
};

// The environment before its blur, for tests that look at the panels.
QImage environmentUnblurred();
// An edge-clamped Gaussian blur of a grey picture in linear light (what the studio's light adds up to),
// returned as an opaque grey picture.
QImage blurred(const QImage& grey, double sigma);

} // namespace Studio
