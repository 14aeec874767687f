// Open and save of generated projects of 1,000 and 2,000 sequences of every
// type, against the same bytes parsed by pugixml and written with one fwrite.
// Open and save should scale linearly, open stay within 3x of pugixml's
// parse and save within 3x of the plain write.
#include "../tests/support/SampleSignals.h"
#include "SteadyHeap.h"
#include "uGlobalSettings.h"
#include "uIniFile.h"
#include "uWires.h"

#include <benchmark/benchmark.h>
#ifdef CORVADEL_HAVE_PUGIXML
#include <pugixml.hpp>
#endif

#include <cstdio>
#include <filesystem>
#include <map>
#include <unistd.h>

using namespace corvadel;

namespace {

const TGlobalSetting &Settings()
{
    static const TGlobalSetting settings;
    return settings;
}

using test::SignalHead;

// Types in turn, three heads per span, every third sequence with variable
// wire weights, one combination per pair of sequences.
void Fill(TWireConfigurationList &project, int sequences)
{
    project.SetProjectName("Benchmark corridor");
    project.SetComments("Generated project.\r\nEvery type, signals on every span.");
    for (int n = 0; n < sequences; ++n) {
        TWireConfiguration *sequence = project.AddSequence(n % 6 + 1);
        sequence->SetMinSAG(3);
        sequence->SetMaxSAG(5);
        sequence->SetVariableWires(n % 3 == 0);
        for (TBaseWire *span : sequence->Spans) {
            span->SetLength(90 + span->Number * 5.25);
            span->SetAngle(45);
            for (int k = 1; k <= 3; ++k)
                span->AddSignal(SignalHead(k * 22.5));
        }
        if (n % 2 == 1) {
            auto combination = std::make_unique<TCombination>();
            combination->SetSequenceA(n);
            combination->SetSequenceB(n + 1);
            combination->SetPoleA(2);
            combination->SetPoleB(1);
            combination->SetABAngle(90);
            project.Combinations.Add(std::move(combination));
        }
    }
}

std::string ScratchPath(const std::string &name)
{
    return (std::filesystem::temp_directory_path() / ("corvadel_bench_" + std::to_string(getpid()) + "_" + name))
        .string();
}

std::map<int, std::string> SavedProjects;

// A saved project of `sequences` sequences, made once per size.
const std::string &SavedProject(int sequences)
{
    auto &path = SavedProjects[sequences];
    if (path.empty()) {
        path = ScratchPath(std::to_string(sequences) + ".xml");
        TWireConfigurationList project(Settings().Parameters);
        Fill(project, sequences);
        project.Save(path);
    }
    return path;
}

void Describe(benchmark::State &state, const std::string &path)
{
    const auto bytes = std::filesystem::file_size(path);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
    state.counters["MB"] = static_cast<double>(bytes) / (1 << 20);
}

void BM_Open(benchmark::State &state)
{
    const std::string &path = SavedProject(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        TWireConfigurationList project(Settings().Parameters);
        benchmark::DoNotOptimize(project.Open(path));
    }
    Describe(state, path);
}

void BM_Save(benchmark::State &state)
{
    TWireConfigurationList project(Settings().Parameters);
    Fill(project, static_cast<int>(state.range(0)));
    const std::string path = ScratchPath("save.xml");
    for (auto _ : state)
        benchmark::DoNotOptimize(project.Save(path));
    Describe(state, path);
    std::filesystem::remove(path);
    std::filesystem::remove(ChangeFileExt(path, ".old"));
}

// The floor for Save: the same bytes in one fwrite, with and without the
// flush to disk that Save does.
void BM_PlainWrite(benchmark::State &state)
{
    const std::string &source = SavedProject(static_cast<int>(state.range(0)));
    const std::string text = ReadFileText(source);
    const bool sync = state.range(1) != 0;
    const std::string path = ScratchPath("plain.xml");
    for (auto _ : state) {
        std::FILE *file = std::fopen(path.c_str(), "wb");
        benchmark::DoNotOptimize(std::fwrite(text.data(), 1, text.size(), file));
        if (sync) {
            std::fflush(file);
            ::fsync(fileno(file));
        }
        std::fclose(file);
    }
    Describe(state, source);
    std::filesystem::remove(path);
}

#ifdef CORVADEL_HAVE_PUGIXML
// The floor for Open: the same bytes, already in memory, parsed into
// pugixml's DOM.
void BM_PugixmlParse(benchmark::State &state)
{
    const std::string &path = SavedProject(static_cast<int>(state.range(0)));
    const std::string text = ReadFileText(path);
    for (auto _ : state) {
        pugi::xml_document document;
        benchmark::DoNotOptimize(document.load_buffer(text.data(), text.size()));
    }
    Describe(state, path);
}
BENCHMARK(BM_PugixmlParse)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond);
#endif

} // namespace

BENCHMARK(BM_Open)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainWrite)->Args({1000, 0})->Args({2000, 0})->Args({1000, 1})->Args({2000, 1})->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    const int status = RunOnSteadyHeap(argc, argv);
    for (const auto &[sequences, path] : SavedProjects) {
        std::filesystem::remove(path);
        std::filesystem::remove(ChangeFileExt(path, ".old"));
    }
    return status;
}
