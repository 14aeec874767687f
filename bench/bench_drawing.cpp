// One redraw of a Box plan on a 1200 x 800 picture, plain and turned a
// quarter, on the QImage canvas the windows show.
#include "uWires.h"

#include "uGlobalSettings.h"
#include "uGraphics.h"
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
