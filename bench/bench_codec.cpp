// Parse time of the element codec on generated documents of 10 and 20 MB:
// the second should take about twice the first (linear parsing).
#include "SteadyHeap.h"
#include "uXMLBaseObject.h"

#include <benchmark/benchmark.h>

#include <string>

using namespace corvadel;

namespace {

void AddSequence(TXMLBaseObject &project, int number)
{
    auto *sequence = project.AddChild("BOX_SEQUENCE");
    sequence->AddChild("SEQUENCE_NUMBER", std::to_string(number));
    sequence->AddChild("SEQUENCE_ID", "Main St & 5th Ave <north>");
    for (int w = 1; w <= 8; ++w) {
        auto *wire = sequence->AddChild("WIRE");
        wire->AddChild("WIRE_NUMBER", std::to_string(w));
        wire->AddChild("WIRE_LENGTH", "123.456");
        for (int k = 1; k <= 4; ++k) {
            auto *signal = wire->AddChild("SIGNAL");
            signal->AddChild("SIGNAL_NUMBER", std::to_string(k));
            signal->AddChild("SIGNAL_CODE", "S3A-12AL-BP");
            signal->AddChild("SIGNAL_DISTANCE", std::to_string(10.5 * k));
            signal->AddChild("SIGNAL_WEIGHT", "55");
        }
    }
}

// A project-shaped document: sequences of spans of signals of leaves.
std::string Document(size_t targetBytes)
{
    TXMLBaseObject one;
    AddSequence(*one.AddChild("TARVO_CONFIGURATIONS"), 1);
    const size_t perSequence = one.DocumentText().size();

    TXMLBaseObject root;
    auto *project = root.AddChild("TARVO_CONFIGURATIONS");
    for (size_t s = 0; s * perSequence < targetBytes; ++s)
        AddSequence(*project, static_cast<int>(s) + 1);
    return root.DocumentText();
}

void BM_ParseDocument(benchmark::State &state)
{
    const std::string text = Document(static_cast<size_t>(state.range(0)) << 20);
    for (auto _ : state) {
        TXMLBaseObject node;
        benchmark::DoNotOptimize(node.LoadFromText(text));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
    state.counters["MB"] = static_cast<double>(text.size()) / (1 << 20);
}

} // namespace

BENCHMARK(BM_ParseDocument)->Arg(10)->Arg(20)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    return RunOnSteadyHeap(argc, argv);
}
