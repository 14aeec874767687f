// One paint of a span's loaded profile on a 1200 x 800 picture: the Profile
// tab's repaint and a printed page's drawing. The shape is computed once,
// the way the window keeps it between repaints.
#include "uWires.h"

#include "uCalculationRun.h"
#include "uGlobalSettings.h"
#include "uLoadedProfileView.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

using namespace corvadel;

struct TLoadedScene {
    TGlobalSetting Settings;
    TWireConfigurationList Project{Settings.Parameters};
    std::optional<TLoadedProfileScene> Scene;
    QImage Picture{1200, 800, QImage::Format_RGB32};

    TLoadedScene()
    {
        Project.Open(CORVADEL_SOURCE_DIR "/examples/intersection.xml");
        TCalculationRun::RunCalculation(Project);
        // The busiest span of the examples: a signal and a sign.
        Scene = LoadedProfileScene(*Project.FindByNumber(1), true, 1, Settings.Parameters.MinSignalClearance, 1200);
    }
};

void BM_PaintLoadedProfile(benchmark::State &state)
{
    TLoadedScene scene;
    if (!scene.Scene) {
        state.SkipWithError("the example was not calculated");
        return;
    }
    for (auto _ : state) {
        QPainter painter(&scene.Picture);
        PaintLoadedProfile(painter, QRectF(scene.Picture.rect()), scene.Scene);
        painter.end();
        benchmark::DoNotOptimize(scene.Picture.constBits());
    }
}

// The shape as well: what the window does when the span or SAG changes.
void BM_ComputeAndPaintLoadedProfile(benchmark::State &state)
{
    TLoadedScene scene;
    const TWireConfiguration &sequence = *scene.Project.FindByNumber(1);
    for (auto _ : state) {
        const auto fresh = LoadedProfileScene(sequence, true, 1, scene.Settings.Parameters.MinSignalClearance, 1200);
        QPainter painter(&scene.Picture);
        PaintLoadedProfile(painter, QRectF(scene.Picture.rect()), fresh);
        painter.end();
        benchmark::DoNotOptimize(scene.Picture.constBits());
    }
}

BENCHMARK(BM_PaintLoadedProfile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ComputeAndPaintLoadedProfile)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
