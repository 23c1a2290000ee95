// GUI-thread time of the 3-D player's one-off and per-change work: drawing and blurring the lighting
// environment (made once per process; goal 150 ms) and building a body with its materials and textures, as
// a change of model or finish does (goal 30 ms). Also what filtering the studio's light probe costs the
// build (bake_studio; the program only loads the result).
#include "pocketplayer/IvraStage.h"
#include "pocketplayer/Studio.h"
#include "support/ThreadClock.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

namespace {

void BM_Environment(benchmark::State& state) {
    for (auto _ : state) {
        const double start = threadSeconds();
        benchmark::DoNotOptimize(Studio::blurred(Studio::environmentUnblurred(), 14));
        state.SetIterationTime(threadSeconds() - start);
    }
}
BENCHMARK(BM_Environment)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// Wall time on six threads, one a cube face.
void BM_ProbeBake(benchmark::State& state) {
    Studio::environment();
    for (auto _ : state)
        benchmark::DoNotOptimize(Studio::Probe::ktx());
}
BENCHMARK(BM_ProbeBake)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(2);

// Alternates between two finishes so that every iteration is a real rebuild.
void BM_BodyRebuild(benchmark::State& state) {
    const IvraModel model = state.range(0) ? IvraModel::hd : IvraModel::flash;
    const QList<IvraFinish>& finishes = Ivra::finishes(model);
    IvraStage stage;
    stage.setModel(Ivra::rawValue(model));
    Studio::environment();
    int turn = 0;
    for (auto _ : state) {
        const double start = threadSeconds();
        stage.setFinish(finishes[++turn % finishes.size()]);
        state.SetIterationTime(threadSeconds() - start);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    state.SetLabel(Ivra::rawValue(model).toStdString());
}
BENCHMARK(BM_BodyRebuild)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
