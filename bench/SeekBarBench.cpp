// The footer's seek bar while music plays: each frame reads the engine's live time, works out the fraction
// and redraws the bar. Measures the GUI thread's time per frame (goal: 2 ms), and the process's CPU while
// the bar plays and while it is paused (paused, it asks for no frames at all).
#include "kit/SeekBarModel.h"
#include "support/ThreadClock.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QTest>
#include <benchmark/benchmark.h>
#include <ctime>
#include <memory>

namespace {

double processSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

struct Scene {
    QQmlEngine engine;
    std::unique_ptr<QQuickWindow> window;
    SeekBarModel* model = nullptr;
    QElapsedTimer playing;

    Scene() {
        engine.addImportPath(QStringLiteral("qrc:/"));
        QQmlComponent component(&engine);
        component.setData(R"(
            import QtQuick
            import Velto.Kit
            Window {
                width: 1280; height: 120; visible: true
                color: "black"
                SeekBar {
                    objectName: "bar"
                    x: 200; y: 40; width: 880
                    player: null
                    times: SeekBarModel.Remaining
                }
            })",
                          QUrl());
        window.reset(qobject_cast<QQuickWindow*>(component.create()));
        if (!window) qFatal("%s", qPrintable(component.errorString()));
        auto* bar = window->findChild<QQuickItem*>(QStringLiteral("bar"));
        model = bar ? bar->findChild<SeekBarModel*>() : nullptr;
        if (!model) qFatal("no seek bar model");
        playing.start();
        // A song of four minutes whose engine time runs with the clock.
        model->setLiveTime([this] { return 30 + playing.nsecsElapsed() / 1e9; });
        model->setHasSong(true);
        model->setDuration(240);
        model->setPosition(30);
    }
    void play(bool on) { model->setIsPlaying(on); }
};

Scene& scene() {
    static Scene s;
    return s;
}

void BM_SeekBarFrame(benchmark::State& state) {
    Scene& s = scene();
    s.play(true);
    QSignalSpy swapped(s.window.get(), &QQuickWindow::frameSwapped);
    swapped.wait(2000);
    double worst = 0, total = 0;
    int frames = 0;
    for (auto _ : state) {
        QSignalSpy next(s.window.get(), &QQuickWindow::frameSwapped);
        const double cpu0 = threadSeconds();
        next.wait(1000);
        const double cpu = threadSeconds() - cpu0;
        state.SetIterationTime(cpu);
        worst = std::max(worst, cpu);
        total += cpu;
        ++frames;
    }
    state.counters["gui_ms_mean"] = frames ? total / frames * 1000 : 0;
    state.counters["gui_ms_max"] = worst * 1000;
    state.counters["goal_ms"] = 2;
}
BENCHMARK(BM_SeekBarFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(300);

// CPU of the whole process over two seconds, in percent of one core.
void cpuOver(benchmark::State& state, bool playing) {
    Scene& s = scene();
    s.play(playing);
    QTest::qWait(300);
    double percent = 0;
    for (auto _ : state) {
        const double cpu0 = processSeconds();
        QElapsedTimer wall;
        wall.start();
        QTest::qWait(2000);
        percent = (processSeconds() - cpu0) / (wall.nsecsElapsed() / 1e9) * 100;
        state.SetIterationTime(2);
    }
    state.counters["cpu_percent"] = percent;
}
void BM_SeekBarCpuPlaying(benchmark::State& state) {
    cpuOver(state, true);
}
void BM_SeekBarCpuPaused(benchmark::State& state) {
    cpuOver(state, false);
}
BENCHMARK(BM_SeekBarCpuPlaying)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_SeekBarCpuPaused)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(1);
} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
