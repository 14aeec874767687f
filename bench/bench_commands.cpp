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
#include <string>
#include <vector>
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

void BM_ProcessConvert(benchmark::State &state)
{
    char folder[] = "/tmp/corvadel-bench-XXXXXX";
    if (!mkdtemp(folder)) {
        state.SkipWithError("cannot make a scratch folder");
        return;
    }
    const std::string copy = std::string(folder) + "/copy.xml";
    RunProcesses(state, {CORVADEL_EXECUTABLE, "convert", Intersection, "-o", copy});
    unlink(copy.c_str());
    rmdir(folder);
}

// A scratch folder that goes with its files.
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
        for (const std::string &file : Files)
            unlink(file.c_str());
        if (!Path.empty())
            rmdir(Path.c_str());
    }
    std::string File(const std::string &name)
    {
        Files.push_back(Path + "/" + name);
        return Files.back();
    }
    std::string Path;

private:
    std::vector<std::string> Files;
};

void BM_ProcessReportMemory(benchmark::State &state)
{
    TScratchFolder folder;
    if (folder.Path.empty()) {
        state.SkipWithError("cannot make a scratch folder");
        return;
    }
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
