// One frame of the light band: the smoothing step, the outline, the four blurred layers and their
// composite, for a 1280 × 120-point band at 1× and 2× (drawn at half a pixel a point either way). The GUI
// thread makes only the step and the outline; the rest is the CPU the band's own drawing thread spends,
// up to 60 times a second while music plays. Goal: at most 1 ms.
#include "nowplaying/BandMotion.h"
#include "nowplaying/LightBandRenderer.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <cmath>

namespace {

struct MovingSource final : BandSource {
    double t = 0;
    double liveTime() override { return t += 1.0 / 60; }
    bool levels(double, double to, std::span<float, 32> into) override {
        for (int i = 0; i < 32; ++i)
            into[size_t(i)] = float(0.5 + 0.5 * std::sin(to * 7 + i * 0.4));
        return true;
    }
};

void frame(benchmark::State& state) {
    const qreal dpr = qreal(state.range(0));
    const QSizeF size(1280, 120);
    MovingSource source;
    BandMotion motion(0);
    LightBandRenderer renderer;
    const LightBandRenderer::Look look{QColor(255, 40, 160), QColor(255, 120, 40), QColor(255, 230, 200),
                                       true};
    double now = 0;
    for (auto _ : state) {
        now += 1.0 / 60;
        const BandMotion::Levels& levels = motion.step(source, true, now);
        benchmark::DoNotOptimize(
            renderer.render(LightBand::outline(levels, size, 40, 0.6), size, dpr, 40, 0.6, look));
    }
    state.SetLabel(QStringLiteral("%1 x %2 device pixels").arg(1280 * dpr).arg(120 * dpr).toStdString());
}
BENCHMARK(frame)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
