// One render of the pocket player's screen on the GUI thread: the hd screen (816 × 1440 pixels) over a
// 1000 × 1000 cover and over the accent glow. Goal: 15 ms.
#include "pocketplayer/IvraScreen.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

QImage cover() {
    QImage image(1000, 1000, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    QLinearGradient g(0, 0, 1000, 1000);
    g.setColorAt(0, QColor(200, 40, 60));
    g.setColorAt(1, QColor(20, 80, 200));
    p.fillRect(image.rect(), g);
    return image;
}

void hdScreen(benchmark::State& state) {
    const QImage picture = state.range(0) ? cover() : QImage();
    for (auto _ : state)
        benchmark::DoNotOptimize(IvraScreen::draw(IvraModel::hd, picture, Accent::magenta()));
    state.SetLabel(state.range(0) ? "1000 x 1000 cover" : "accent glow");
}
BENCHMARK(hdScreen)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
