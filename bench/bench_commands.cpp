// The headless commands as whole processes, from exec to exit, as a script
// that runs them sees them: `corvadel calc` and `convert` of the intersection
// example (three sequences) against a process that makes a QCoreApplication
// and nothing else, the floor of any program built on Qt; and the peak
// memory of `corvadel report` on generated projects of 100 and 2,000
// sequences, which should grow far less than the project.
#include "ProcessRuns.h"
#include "SteadyHeap.h"
#include "uGlobalSettings.h"
#include "uProjectGenerator.h"

#include <QCoreApplication>

#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

const std::string Intersection = CORVADEL_SOURCE_DIR "/examples/intersection.xml";
const char *SelfPath = nullptr;

void BM_ProcessCoreApplication(benchmark::State &state)
{
    RunProcesses(state, {SelfPath, "--core-application"});
}

void BM_ProcessCalc(benchmark::State &state)
{
    RunProcesses(state, {CORVADEL_EXECUTABLE, "calc", Intersection});
}

// A scratch folder that goes with everything written in it (`convert`
// leaves a ".old" beside a file it writes over).
class TScratchFolder
{
public:
    TScratchFolder()
    {
        char name[] = "/tmp/corvadel-bench-XXXXXX";
        if (mkdtemp(name))
            Path = name;
    }
    ~TScratchFolder()
    {
        std::error_code ignored;
        if (!Path.empty())
            std::filesystem::remove_all(Path, ignored);
    }
    // False, with the benchmark stopped, when the folder could not be made.
    bool Made(benchmark::State &state) const
    {
        if (Path.empty())
            state.SkipWithError("cannot make a scratch folder");
        return !Path.empty();
    }
    std::string File(const std::string &name) const { return Path + "/" + name; }
    std::string Path;
};

void BM_ProcessConvert(benchmark::State &state)
{
    TScratchFolder folder;
    if (!folder.Made(state))
        return;
    RunProcesses(state, {CORVADEL_EXECUTABLE, "convert", Intersection, "-o", folder.File("copy.xml")});
}

void BM_ProcessReportMemory(benchmark::State &state)
{
    TScratchFolder folder;
    if (!folder.Made(state))
        return;
    const std::string project = folder.File("generated.xml");
    const std::string pdf = folder.File("report.pdf");
    {
        const corvadel::TTARVOParameters parameters;
        corvadel::TWireConfigurationList generated(parameters);
        corvadel::bench::GenerateProject(generated, static_cast<int>(state.range(0)));
        generated.Save(project);
    }
    const long peakKB = RunProcesses(state, {CORVADEL_EXECUTABLE, "report", project, "-o", pdf});
    state.counters["peak_MB"] = static_cast<double>(peakKB) / 1024;
}

BENCHMARK(BM_ProcessCoreApplication)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ProcessCalc)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ProcessConvert)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ProcessReportMemory)->Arg(100)->Arg(2000)->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--core-application") == 0) {
        QCoreApplication app(argc, argv);
        return 0;
    }
    SelfPath = argv[0];
    return RunOnSteadyHeap(argc, argv);
}
