#include "nowplaying/BandMotion.h"
#include "nowplaying/LightBandRenderer.h"
#include "nowplaying/VisualizerGlow.h"
#include "playback/PlayerRig.h"

#include <QPainter>
#include <QQuickWindow>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace {

// A source whose media time and levels the test sets; it records every window asked for.
struct FakeSource final : BandSource {
    double time = 0;
    std::optional<BandMotion::Levels> next; // what the next read writes; none: nothing in the window
    std::vector<std::pair<double, double>> reads;
    int timeAsks = 0;
    double liveTime() override {
        ++timeAsks;
        return time;
    }
    bool levels(double from, double to, std::span<float, 32> into) override {
        reads.emplace_back(from, to);
        if (!next) return false;
        std::copy(next->begin(), next->end(), into.begin());
        return true;
    }
};

BandMotion::Levels all(float v) {
    BandMotion::Levels l;
    l.fill(v);
    return l;
}

} // namespace

TEST(BandMotion, WindowsOfMediaTime) {
    FakeSource source;
    BandMotion motion(100);
    source.time = 5;
    motion.step(source, true, 100.016);
    ASSERT_EQ(source.reads.size(), 1u);
    EXPECT_DOUBLE_EQ(source.reads[0].first, 5 - 0.02) << "a fresh start reads the last 0.02 s";
    EXPECT_DOUBLE_EQ(source.reads[0].second, 5);

    source.time = 5.19;
    motion.step(source, true, 100.2);
    EXPECT_DOUBLE_EQ(source.reads[1].first, 5) << "from where the last read ended";
    source.time = 5.19 + 0.21;
    motion.step(source, true, 100.4);
    EXPECT_DOUBLE_EQ(source.reads[2].first, source.time - 0.02) << "a jump of more than 0.2 s";
    source.time = 3;
    motion.step(source, true, 100.42);
    EXPECT_DOUBLE_EQ(source.reads[3].first, 3 - 0.02) << "a seek back";

    // Not live: the media time is not even asked for.
    const int asks = source.timeAsks;
    motion.step(source, false, 100.5);
    EXPECT_EQ(source.timeAsks, asks);
    EXPECT_EQ(motion.lastSongTime(), -1);
}

TEST(BandMotion, HalfLives) {
    struct Case {
        const char* name;
        bool live;
        float start;
        float target;
        int band;
        double halfLife;
    } cases[] = {
        {"band 0 falls", true, 1, 0, 0, 0.12},
        {"band 31 falls", true, 1, 0, 31, (1 - 31 / 32.0) * 0.07 + 0.05},
        {"rising", true, 0, 1, 5, 0.012},
        {"not live", false, 1, 0, 7, 0.22},
    };
    for (const Case& c : cases) {
        FakeSource source;
        BandMotion motion(0);
        // Reach the start level: rise fast for a while.
        source.next = all(c.start);
        for (int i = 1; i <= 60; ++i)
            motion.step(source, true, i * 0.016);
        ASSERT_NEAR(motion.values()[size_t(c.band)], c.start, 1e-3) << c.name;
        source.next = c.target > 0 ? std::optional(all(c.target)) : std::nullopt;
        // In steps short of the 0.1 s cap.
        const int steps = int(std::ceil(c.halfLife / 0.05));
        for (int i = 1; i <= steps; ++i)
            motion.step(source, c.live, 60 * 0.016 + c.halfLife * i / steps);
        EXPECT_NEAR(motion.values()[size_t(c.band)], (c.start + c.target) / 2, 1e-4) << c.name;
    }
}

TEST(BandMotion, StallsCapAndTheLowBandsLeadAndPeaksTravel) {
    FakeSource source;
    BandMotion motion(0);
    // A 5-s stall steps as 0.1 s.
    source.next = all(1);
    motion.step(source, true, 5);
    EXPECT_NEAR(motion.values()[3], 1 - std::exp2(-0.1 / 0.012), 1e-5);

    // Band 0's target is the largest of the first four.
    FakeSource low;
    BandMotion centre(0);
    BandMotion::Levels l{};
    l[2] = 0.8f;
    low.next = l;
    for (int i = 1; i <= 40; ++i)
        centre.step(low, true, i * 0.016);
    EXPECT_NEAR(centre.values()[0], 0.8, 1e-3);

    // A lone peak lights its upper neighbours on the following frames at 0.9 and 0.81 of itself.
    FakeSource peak;
    BandMotion travel(0);
    BandMotion::Levels one{};
    one[10] = 1;
    peak.next = one;
    BandMotion::Levels shown{};
    for (int i = 1; i <= 30; ++i)
        shown = travel.step(peak, true, i * 0.016);
    const float top = shown[10];
    peak.next = std::nullopt;
    const BandMotion::Levels next = travel.step(peak, true, 31 * 0.016);
    EXPECT_GE(next[11], 0.9f * top - 1e-6f);
    const BandMotion::Levels after = travel.step(peak, true, 32 * 0.016);
    EXPECT_GE(after[12], 0.81f * top - 1e-6f);
}

TEST(LightBandOutline, SymmetricSpanAndFloor) {
    BandMotion::Levels levels{};
    for (int i = 0; i < 32; ++i)
        levels[size_t(i)] = float(i % 5) / 4;
    const QSizeF size(1000, 120);
    const QPainterPath path = LightBand::outline(levels, size, 40, 0.6);
    // 66 points joined by curves: a move, 65 curves of three elements each, and the closing line.
    ASSERT_EQ(path.elementCount(), 1 + 65 * 3 + 1);
    const QRectF bounds = path.boundingRect();
    EXPECT_NEAR(bounds.left(), 500 - 0.3 * 1000 - 0.08 * 600, 1e-6);
    EXPECT_NEAR(bounds.right(), 500 + 0.3 * 1000 + 0.08 * 600, 1e-6);
    // Symmetric about the centre: the level points mirror each other.
    for (int i = 0; i < 32; ++i) {
        // Level point i is the end of curve i + 1; its mirror is level point 63 − i.
        const QPointF a = path.elementAt(3 * (i + 1)), b = path.elementAt(3 * (64 - i));
        EXPECT_NEAR(a.x() + b.x(), 1000, 1e-6) << i;
        EXPECT_NEAR(a.y(), b.y(), 1e-6) << i;
        EXPECT_LE(a.y(), 120 - 2 + 1e-9) << "every level point stands 2 above the bottom";
    }
    // The level points run from 0.152 w to 0.848 w (the middle of the first and last of 64 steps over 0.6 w).
    EXPECT_NEAR(path.elementAt(3).x, 200 + 600 * 0.5 / 64, 1e-6);
    // The first curve's first control uses the first point as its own predecessor.
    const QPointF p0 = path.elementAt(0), p1 = path.elementAt(3), p2 = path.elementAt(6);
    EXPECT_NEAR(path.elementAt(1).x, p0.x() + (p1.x() - p0.x()) / 6, 1e-6);
    EXPECT_NEAR(path.elementAt(2).x, p1.x() - (p2.x() - p0.x()) / 6, 1e-6);
}

namespace {
QRgb premultiplied(const QImage& image, int x, int y) {
    return reinterpret_cast<const QRgb*>(image.constScanLine(y))[x];
}

// One premultiplied channel of the band composed by hand from the renderer's four full-resolution layers
// with the blend formula of the scheme's mode: "plus" adds, "multiply" is Sc·Dc + Sc·(1 − Da) + Dc·(1 − Sa).
double blend(const LightBandRenderer& r, QPoint at, int shift, bool dark) {
    double c = 0, a = 0;
    for (int i = 0; i < 4; ++i) {
        const QRgb p = premultiplied(r.layerImage(i), at.x(), at.y());
        const double op = LightBandRenderer::layers[size_t(i)].opacity;
        const double sc = ((p >> shift) & 0xff) / 255.0 * op, sa = qAlpha(p) / 255.0 * op;
        if (dark) {
            c = std::min(1.0, c + sc);
            a = std::min(1.0, a + sa);
        } else {
            c = sc * c + sc * (1 - a) + c * (1 - sa);
            a = sa + a - sa * a;
        }
    }
    return c * 255;
}
} // namespace

namespace {
// A pixel of the band as the scene graph shows it at one pixel a point: scaled up from the band's own
// resolution with linear filtering between pixel centres, edges clamped.
QRgb shownAt(const QImage& band, double scale, int x, int y) {
    const double u = (x + 0.5) * scale - 0.5, v = (y + 0.5) * scale - 0.5;
    const int x0 = int(std::floor(u)), y0 = int(std::floor(v));
    const double fx = u - x0, fy = v - y0;
    const auto at = [&](int px, int py) {
        return premultiplied(band, std::clamp(px, 0, band.width() - 1), std::clamp(py, 0, band.height() - 1));
    };
    QRgb out = 0;
    for (int shift : {0, 8, 16, 24}) {
        const auto c = [&](QRgb p) { return double((p >> shift) & 0xff); };
        const double top = c(at(x0, y0)) * (1 - fx) + c(at(x0 + 1, y0)) * fx;
        const double bottom = c(at(x0, y0 + 1)) * (1 - fx) + c(at(x0 + 1, y0 + 1)) * fx;
        out |= QRgb(std::lround(top * (1 - fy) + bottom * fy)) << shift;
    }
    return out;
}
} // namespace

TEST(LightBandRenderer, LayersJoinWithTheSchemesBlendAndTheCoarseBandHolds) {
    BandMotion::Levels levels{};
    for (int i = 0; i < 32; ++i)
        levels[size_t(i)] = 0.3f + float(i % 4) * 0.15f;
    const QSizeF size(640, 120);
    const QPainterPath path = LightBand::outline(levels, size, 40, 0.6);
    for (bool dark : {true, false}) {
        const LightBandRenderer::Look look{QColor(255, 40, 160), QColor(255, 120, 40), QColor(255, 230, 200),
                                           dark};
        LightBandRenderer full(true);
        LightBandRenderer fast;
        const QImage& reference = full.render(path, size, 1, 40, 0.6, look);
        const QImage& quick = fast.render(path, size, 1, 40, 0.6, look);
        ASSERT_EQ(quick.size(), QSize(320, 60)) << "half a pixel a point";
        // The coarse band, scaled up as the screen shows it, stays within 3 levels of the one drawn pixel
        // for pixel.
        int worst = 0;
        for (int y = 0; y < reference.height(); y += 3)
            for (int x = 0; x < reference.width(); x += 3) {
                const QRgb a = premultiplied(reference, x, y), b = shownAt(quick, fast.scale(), x, y);
                for (int shift : {0, 8, 16, 24})
                    worst = std::max(worst, std::abs(int((a >> shift) & 0xff) - int((b >> shift) & 0xff)));
            }
        EXPECT_LE(worst, 3) << (dark ? "dark" : "light");
        for (QPoint at :
             {QPoint(320, 110), QPoint(320, 90), QPoint(200, 100), QPoint(320, 60), QPoint(100, 118)})
            for (int shift : {0, 8, 16, 24})
                EXPECT_NEAR((premultiplied(reference, at.x(), at.y()) >> shift) & 0xff,
                            blend(full, at, shift, dark), 3)
                    << (dark ? "dark " : "light ") << at.x() << "," << at.y() << " channel " << shift;
    }
}

TEST(BandSchedule, SixtyWhileLiveAndSettlingThenTen) {
    BandSchedule s;
    EXPECT_EQ(s.intervalMs(0), BandSchedule::restMs);
    s.setLive(true, 1);
    EXPECT_EQ(s.intervalMs(1), BandSchedule::liveMs);
    s.setLive(false, 2);
    EXPECT_EQ(s.intervalMs(3.59), BandSchedule::liveMs) << "falling to rest";
    EXPECT_EQ(s.intervalMs(3.61), BandSchedule::restMs);
    s.setLive(false, 2.5);
    EXPECT_EQ(s.intervalMs(3.59), BandSchedule::liveMs) << "no change of state restarts nothing";
    s.setLive(true, 4);
    s.setLive(false, 5);
    s.setLive(true, 5.5);
    EXPECT_EQ(s.intervalMs(10), BandSchedule::liveMs) << "playing again while settling";
}

// The program's source reads the player's clock and its analyser: the window ends at the engine's time.
TEST(VisualizerGlow, FollowsThePlayerAndItsSettings) {
    PlayerRig rig;
    rig.player->play(songs(2), 0);
    rig.backend.setPosition(12.5);
    ASSERT_TRUE(rig.player->isPlaying());
    // Levels stamped around 12.49 s of media time.
    rig.player->levels().prepare(44100);
    std::vector<float> tone(4096);
    for (size_t i = 0; i < tone.size(); ++i)
        tone[i] = float(0.8 * std::sin(2 * M_PI * 120 * double(i) / 44100));
    rig.player->levels().analyze(tone.data(), qsizetype(tone.size()), 12.45);

    VisualizerGlow glow;
    double now = 0;
    glow.setClock([&] { return now; });
    glow.setPlayer(rig.player.get());
    glow.setSize(QSizeF(800, 120));
    glow.tick();
    EXPECT_TRUE(glow.live());
    EXPECT_EQ(glow.frameInterval(), BandSchedule::liveMs);
    // Something was read from the player's levels: the centre of the band rises over its 2-point floor.
    now += 0.05;
    glow.tick();
    const QImage& frame = glow.frame();
    ASSERT_FALSE(frame.isNull());
    EXPECT_GT(qAlpha(frame.pixel(int(400 * glow.frameScale()), int(80 * glow.frameScale()))), 0);

    // The setting written off elsewhere stops the band at its next frame; it settles, then rests.
    glow.setShowEqualizer(false);
    now += 0.017;
    glow.tick();
    EXPECT_FALSE(glow.live());
    EXPECT_EQ(glow.frameInterval(), BandSchedule::liveMs);
    now += 1.7;
    glow.tick();
    EXPECT_EQ(glow.frameInterval(), BandSchedule::restMs);

    // At rest an equal frame draws nothing; a new accent or scheme does.
    for (int i = 0; i < 50; ++i) {
        now += 0.1;
        glow.tick();
    }
    const int renders = glow.renders();
    now += 0.1;
    glow.tick();
    EXPECT_EQ(glow.renders(), renders);
    glow.setDark(false);
    glow.tick();
    EXPECT_EQ(glow.renders(), renders + 1);
}

// In a window the band is drawn when the window takes a frame, from its latest state: ticks between two
// frames draw nothing of their own, so a timer faster than the frames costs no extra drawing.
TEST(VisualizerGlow, DrawsOncePerFrameOfItsWindow) {
    QQuickWindow window;
    window.resize(400, 200);
    double now = 0;
    auto* glow = new VisualizerGlow;
    glow->setClock([&] { return now; });
    glow->setSize(QSizeF(400, 120));
    glow->setParent(window.contentItem());
    glow->setParentItem(window.contentItem());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_TRUE(QTest::qWaitFor([&] { return glow->renders() > 0; }, 2000)) << "the first frame draws";
    const int before = glow->renders();

    // Three different states within one turn of the event loop: no frame comes in between.
    glow->setDark(false);
    glow->tick();
    glow->setBandHeight(30);
    glow->tick();
    glow->setDark(true);
    glow->tick();
    EXPECT_EQ(glow->renders(), before) << "nothing is drawn before the frame";
    ASSERT_TRUE(QTest::qWaitFor([&] { return glow->renders() > before; }, 2000));
    QTest::qWait(100);
    EXPECT_EQ(glow->renders(), before + 1) << "one drawing for the frame, and none while nothing changes";
    EXPECT_EQ(glow->frame().size(), QSize(200, 60)) << "drawn at the item's size, half a pixel a point";
}
