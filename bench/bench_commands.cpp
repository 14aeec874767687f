// The headless commands as whole processes, from exec to exit, as a script
// that runs them sees them: `corvadel calc` and `convert` of the intersection
// example (three sequences) against a process that makes a QCoreApplication
// and nothing else, the floor of any program built on Qt.
#include "ProcessRuns.h"
#include "SteadyHeap.h"

#include <QCoreApplication>

#include <cstring>
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

BENCHMARK(BM_ProcessCoreApplication)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ProcessCalc)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ProcessConvert)->Unit(benchmark::kMillisecond)->UseRealTime();

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
