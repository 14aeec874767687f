// The project calculation run on a generated project of 1,000 sequences of
// every type, each carrying signals and signs; the SAG study of a Box.
#include "uCalculationRun.h"
#include "uCodes.h"
#include "uGlobalSettings.h"
#include "uSagStudy.h"
#include "uWires.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

using namespace corvadel;

namespace {

struct TPlan {
    int Type;
    std::vector<double> Lengths;
    std::vector<double> Angles;
    const char *Flags;
};

// Solvable plans; the generator varies their scale, loads and heights.
const std::vector<TPlan> &Plans()
{
    static const std::vector<TPlan> plans = {
        {stSimple, {120}, {}, "YNNNNNN"},
        {stWYE, {90, 110, 100}, {50, 65}, "YYNNNNN"},
        {stH, {80, 90, 60, 85, 75}, {40, 55, 50, 35}, "YNYNYNN"},
        {stDelta, {60, 100, 100, 70, 100, 65}, {30, 120, 35, 120, 40, 120}, "NYYNNNN"},
        {stHybrid, {60, 65, 50, 70, 55, 60, 75}, {40, 45, 35, 50, 42, 38}, "YNNYYYN"},
        {stBox, {50, 100, 100, 55, 100, 60, 100, 65}, {45, 90, 40, 90, 50, 90, 90, 35}, "NNNNYYY"},
    };
    return plans;
}

std::unique_ptr<TBaseSignal> Load(double distance, double deadLoad, double area, bool isSignal)
{
    auto signal = std::make_unique<TBaseSignal>();
    signal->SetIsSignal(isSignal);
    signal->SetDistance(distance);
    signal->SetSimpleDeadLoad(deadLoad);
    signal->SetSimpleAreaFactor(area);
    return signal;
}

void Generate(TWireConfigurationList &project, int count)
{
    for (int i = 0; i < count; ++i) {
        const TPlan &plan = Plans()[static_cast<size_t>(i) % Plans().size()];
        const double scale = 0.8 + 0.4 * ((i * 37) % 101) / 100.0;
        TWireConfiguration *sequence = project.AddSequence(plan.Type);
        for (size_t k = 0; k < plan.Lengths.size(); ++k)
            sequence->Spans.SetLengthOf(static_cast<int>(k) + 1, plan.Lengths[k] * scale);
        for (size_t k = 0; k < plan.Angles.size(); ++k)
            sequence->Spans.SetAngleOf(static_cast<int>(k) + 1, plan.Angles[k]);
        sequence->SetWireWeight(0.6 + 0.1 * (i % 5));
        sequence->SetMaxSAG(7 + (i % 4));
        sequence->SetMinSAG(5 + (i % 3) * 0.5);
        sequence->Elevations.SetEnteredFlags(plan.Flags);
        sequence->Elevations.SetValueOf("PV", 100);
        for (int pole = 1; pole <= 5; ++pole)
            sequence->Elevations.SetValueOf("P" + std::to_string(pole), 99 + 0.4 * pole);
        for (const char *name : {"T", "U", "V", "Y"})
            sequence->Elevations.SetValueOf(name, 0.3 * ((i + name[0]) % 5) - 0.6);
        for (const char *name : {"C", "D", "G"})
            sequence->Elevations.SetValueOf(name, 0.2 * ((i + name[0]) % 3) - 0.2);
        for (TBaseWire *span : sequence->Spans) {
            const int loads = 1 + (i + span->Number) % 3;
            for (int s = 1; s <= loads; ++s)
                span->AddSignal(Load(span->Length * s / (loads + 1), 40 + 15 * s, 6 + s, s != 2));
        }
    }
}

void BM_RunCalculation(benchmark::State &state)
{
    const TTARVOParameters parameters;
    TWireConfigurationList project(parameters);
    Generate(project, 1000);
    bool ok = true;
    for (auto _ : state)
        ok = TCalculationRun::RunCalculation(project) && ok;
    if (!ok) {
        state.SkipWithError("the generated project did not calculate");
        return;
    }
    long long cases = 0, iterations = 0;
    for (const TWireConfiguration *sequence : project)
        for (const TWireConfigurationResult *result : sequence->Results) {
            ++cases;
            iterations += result->Iterations;
        }
    using benchmark::Counter;
    state.counters["sequences"] = static_cast<double>(project.Count());
    state.counters["s_per_sequence"] =
        Counter(static_cast<double>(project.Count()), Counter::kIsIterationInvariantRate | Counter::kInvert);
    state.counters["s_per_case"] = Counter(static_cast<double>(cases), Counter::kIsIterationInvariantRate | Counter::kInvert);
    state.counters["avg_iterations"] = static_cast<double>(iterations) / static_cast<double>(cases);
}
BENCHMARK(BM_RunCalculation)->Unit(benchmark::kMillisecond);

// The SAG study of the sample Box, its strand and allowable moments given so
// that the band starts inside the range: 41 ordinary calculations on one
// copy, and those that find where the band starts. The goal is under 5 ms.
void BM_SagStudyBox(benchmark::State &state)
{
    const TTARVOParameters parameters;
    TCodeList catalogue;
    catalogue.Load(CORVADEL_SOURCE_DIR "/data/CodeList.xml");
    TWireConfigurationList project(parameters, &catalogue);
    if (!project.Open(CORVADEL_SOURCE_DIR "/examples/box.xml") || project.Empty()) {
        state.SkipWithError("examples/box.xml did not open");
        return;
    }
    TWireConfiguration &box = *project.First();
    box.SetSpanWire("EHS-1/2");
    for (TBasePole *pole : box.Poles)
        if (!pole->IsRing)
            pole->SetAllowableMoment(400000);
    size_t points = 0;
    for (auto _ : state) {
        const TSagStudy study = TSagStudyRun::Compute(box, &catalogue, parameters);
        points = study.Points.size();
        if (!study.HasBand || study.BandFrom <= study.Points.front().SAG) {
            state.SkipWithError("the band should start inside the range");
            return;
        }
    }
    state.counters["points"] = static_cast<double>(points);
}
BENCHMARK(BM_SagStudyBox)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
