// The print job of a generated project of 100 and 200 sequences (the
// intersection example repeated, uProjectGenerator.h) written as one PDF,
// page by page as `corvadel report` writes it: laying the pages out and
// painting them, without the loaded profile pages (second argument 0, the
// default) and with them (1). The PDF goes to a device that only counts
// its bytes, so neither pages nor the document are held.
#include "uCalculationRun.h"
#include "uGlobalSettings.h"
#include "uPrintJob.h"
#include "uProjectGenerator.h"
#include "uReportPainter.h"
#include "uWires.h"

#include <QGuiApplication>
#include <QIODevice>

#include <benchmark/benchmark.h>

#include <clocale>
#include <stdexcept>

using namespace corvadel;

namespace {

class TCountingDevice : public QIODevice
{
public:
    TCountingDevice() { open(QIODevice::WriteOnly); }
    qint64 Bytes = 0;

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64 size) override
    {
        Bytes += size;
        return size;
    }
};

// Counts the pages and lets them go.
class TCountingSink : public TPageSink
{
public:
    int Pages = 0;
    void Add(TReportPage &&) override { ++Pages; }
};

struct TGeneratedJob {
    TGlobalSetting Settings;
    TWireConfigurationList Project {Settings.Parameters};

    explicit TGeneratedJob(const benchmark::State &state)
    {
        Settings.PrintLoadedProfiles = state.range(1) != 0;
        bench::GenerateProject(Project, static_cast<int>(state.range(0)));
        if (!TCalculationRun::RunCalculation(Project))
            throw std::runtime_error("the generated project does not calculate");
    }
};

void PerPage(benchmark::State &state, int pages)
{
    state.counters["pages"] = pages;
    // Seconds per page, shown in the time units it falls in.
    state.counters["per_page"] = benchmark::Counter(
        pages, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_ProjectPdf(benchmark::State &state)
{
    TGeneratedJob job(state);
    int pages = 0;
    qint64 bytes = 0;
    for (auto _ : state) {
        TCountingDevice device;
        pages = TReportPainter::WritePdf(device, "bench", TPrintJob::Footer(job.Project), [&](TPageSink &sink) {
            TPrintJob::Compose(job.Project, job.Settings, sink);
        });
        bytes = device.Bytes;
    }
    PerPage(state, pages);
    state.counters["kB"] = static_cast<double>(bytes) / 1024;
}
BENCHMARK(BM_ProjectPdf)
    ->ArgNames({"sequences", "profiles"})
    ->Args({100, 0})
    ->Args({200, 0})
    ->Args({100, 1})
    ->Args({200, 1})
    ->Unit(benchmark::kMillisecond);

// Laying the pages out alone, without painting.
void BM_ProjectLayout(benchmark::State &state)
{
    TGeneratedJob job(state);
    int pages = 0;
    for (auto _ : state) {
        TCountingSink sink;
        TPrintJob::Compose(job.Project, job.Settings, sink);
        pages = sink.Pages;
    }
    PerPage(state, pages);
}
BENCHMARK(BM_ProjectLayout)->ArgNames({"sequences", "profiles"})->Args({100, 0})->Args({200, 0})->Unit(benchmark::kMillisecond);

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
