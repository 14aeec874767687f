// The print job of a generated project of 100 and 200 sequences (the
// example sequences of every type, repeated) written as one PDF: laying the
// pages out and painting them, with the loaded profile pages (second
// argument 1) and without them (0).
#include "uCalculationRun.h"
#include "uGlobalSettings.h"
#include "uPrintJob.h"
#include "uReportPainter.h"
#include "uWires.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <clocale>
#include <stdexcept>
#include <string>

using namespace corvadel;

namespace {

void Generate(TWireConfigurationList &project, int count, const TGlobalSetting &settings)
{
    TWireConfigurationList examples(settings.Parameters);
    for (const char *name : {"simple", "wye", "h", "delta", "hybrid", "box"}) {
        TWireConfigurationList example(settings.Parameters);
        if (!example.Open(std::string(CORVADEL_SOURCE_DIR) + "/examples/" + name + ".xml"))
            throw std::runtime_error(std::string("cannot open the example ") + name);
        examples.DuplicateSequence(*example.FindByNumber(1));
    }
    for (int i = 0; i < count; ++i)
        project.DuplicateSequence(*examples.FindByNumber(i % examples.Count() + 1));
    project.SetProjectName("Generated corridor");
    project.SetAuthor("Bench");
    if (!TCalculationRun::RunCalculation(project))
        throw std::runtime_error("the generated project does not calculate");
}

void BM_ProjectPdf(benchmark::State &state)
{
    TGlobalSetting settings;
    settings.PrintLoadedProfiles = state.range(1) != 0;
    TWireConfigurationList project(settings.Parameters);
    Generate(project, static_cast<int>(state.range(0)), settings);
    size_t pages = 0;
    size_t bytes = 0;
    for (auto _ : state) {
        const TReportJob job = TPrintJob::Pages(project, settings);
        const QByteArray pdf = TReportPainter::Pdf(job, "bench");
        pages = job.Pages.size();
        bytes = static_cast<size_t>(pdf.size());
        benchmark::DoNotOptimize(pdf.data());
    }
    state.counters["pages"] = static_cast<double>(pages);
    state.counters["kB"] = static_cast<double>(bytes) / 1024;
    // Seconds per page, shown in the time units it falls in.
    state.counters["per_page"] = benchmark::Counter(
        static_cast<double>(pages), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ProjectPdf)
    ->ArgNames({"sequences", "profiles"})
    ->Args({100, 0})
    ->Args({100, 1})
    ->Args({200, 0})
    ->Args({200, 1})
    ->Unit(benchmark::kMillisecond);

// Laying the pages out alone, without painting.
void BM_ProjectLayout(benchmark::State &state)
{
    TGlobalSetting settings;
    settings.PrintLoadedProfiles = state.range(1) != 0;
    TWireConfigurationList project(settings.Parameters);
    Generate(project, static_cast<int>(state.range(0)), settings);
    for (auto _ : state)
        benchmark::DoNotOptimize(TPrintJob::Pages(project, settings).Pages.size());
}
BENCHMARK(BM_ProjectLayout)->ArgNames({"sequences", "profiles"})->Args({100, 0})->Args({100, 1})->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
