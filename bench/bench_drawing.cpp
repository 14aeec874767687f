// One redraw of a Box plan on a 1200 x 800 picture, plain and turned a
// quarter, on the QImage canvas the windows show; one paint of a span's
// loaded profile at the same size, the Profile tab's repaint and a printed
// page's drawing.
#include "uWires.h"

#include "uCalculationRun.h"
#include "uGlobalSettings.h"
#include "uGraphics.h"
#include "uLoadedProfileView.h"
#include "uQtCanvas.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

namespace {

using namespace corvadel;

struct TBoxScene {
    TGlobalSetting Settings;
    TWireConfigurationList Project{Settings.Parameters};
    TQtCanvas Canvas{1200, 800};
    TGraphics Graphics{Settings, Canvas};
    int Sequence = 0;

    TBoxScene()
    {
        Settings.EnableDisplayLabel = true;
        Settings.EnableDynamicDisplay = true;
        TWireConfiguration &box = *Project.AddSequence(stBox);
        const double lengths[] = {90, 100, 300, 80, 100, 70, 300, 60};
        const double angles[] = {35, 90, 25, 90, 40, 90, 90, 50};
        for (int span = 1; span <= 8; ++span) {
            box.Spans.SetLengthOf(span, lengths[span - 1]);
            box.Spans.SetAngleOf(span, angles[span - 1]);
        }
        Sequence = box.Number;
        Graphics.Project = &Project;
    }
};

void Redraw(benchmark::State &state, double rotation)
{
    TBoxScene scene;
    for (auto _ : state) {
        scene.Graphics.DrawSequence(dmPrint, scene.Sequence, rotation);
        benchmark::DoNotOptimize(scene.Canvas.Picture().constBits());
    }
}

void BM_DrawBox(benchmark::State &state)
{
    Redraw(state, 0);
}

void BM_DrawBoxQuarterTurn(benchmark::State &state)
{
    Redraw(state, 1.5707963267948966);
}

BENCHMARK(BM_DrawBox)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawBoxQuarterTurn)->Unit(benchmark::kMillisecond);

// The shape is computed once, the way the window keeps it between repaints.
struct TLoadedScene {
    TGlobalSetting Settings;
    TWireConfigurationList Project{Settings.Parameters};
    std::optional<TLoadedProfileScene> Scene;
    TQtCanvas Canvas{1200, 800};

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
        PaintLoadedProfile(scene.Canvas, scene.Scene);
        benchmark::DoNotOptimize(scene.Canvas.Picture().constBits());
    }
}

// The shape as well: what the window does when the span or SAG changes.
void BM_ComputeAndPaintLoadedProfile(benchmark::State &state)
{
    TLoadedScene scene;
    const TWireConfiguration &sequence = *scene.Project.FindByNumber(1);
    for (auto _ : state) {
        const auto fresh = LoadedProfileScene(sequence, true, 1, scene.Settings.Parameters.MinSignalClearance, 1200);
        PaintLoadedProfile(scene.Canvas, fresh);
        benchmark::DoNotOptimize(scene.Canvas.Picture().constBits());
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
