#pragma once

#include <QByteArray>
#include <QImage>
#include <QVector3D>

// The three pictures the 3-D player is lit and grained with, drawn in code. Each is made once per process,
// on first use, and shared by every body and scene.
namespace Studio {

// The lighting environment: a grey studio of 1024 × 512 pixels (lighter above, darker below) with five soft
// light panels and a dark card, blurred. Drawn top-down: row 0 is the top of the studio.
const QImage& environment();

// The studio as the scenes' light probe, filtered ahead of time. Handed a flat picture, Qt Quick 3D would
// filter it on the GPU for every scene that uses it (1024 samples for each texel of six 512-pixel faces and
// their mip levels): seconds on a software renderer. A probe that is already a filtered cube map in a KTX
// file, marked as made by Qt's own light-probe baker, is uploaded as it is. The build makes it once
// (bake_studio) and the program carries it as a resource.
namespace Probe {
// Cube faces of 128 pixels a side (the blurred studio holds no detail finer than a texel), and the six
// levels Qt Quick 3D reads from a baked probe: level k reflects the studio off a surface of roughness
// k / 4, the last holds what a matte surface takes in.
inline constexpr int size = 128;
inline constexpr int levels = 6;
// Samples a texel of the rough levels averages: as many as Qt's baker takes.
inline constexpr int samples = 1024;

// The direction (x right, y up, z towards the viewer) through the middle of texel (column, row) of cube
// face `face` (+x, −x, +y, −y, +z, −z) of `size` pixels, as OpenGL lays out cube maps.
QVector3D direction(int face, int column, int row, int size);
// The studio's light seen along `direction`, linear: the environment wrapped around the viewer, its top
// overhead, its middle row on the horizon, sRGB turned into linear light.
float light(const QVector3D& direction);
// What a mirror-like surface of `roughness` facing along `normal` reflects back along it (the GGX lobe
// around the normal, weighted by the cosine of each direction).
float reflected(const QVector3D& normal, double roughness, int samples = Probe::samples);
// What a matte surface facing along `normal` takes in: the studio's light averaged over the hemisphere,
// weighted by the cosine.
float diffuse(const QVector3D& normal, int samples = 4096);
// The whole probe as a KTX 1.1 file: half-float RGBA, six faces, `levels` levels.
QByteArray ktx(int size = Probe::size);
// Where the scenes find it.
inline constexpr char resource[] = ":/Velto/PocketPlayer/studio.ktx";
} // namespace Probe

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
