// The headless commands as whole processes, from exec to exit, as a script
// that runs them sees them: `corvadel calc` and `convert` of the intersection
// example (three sequences) against a process that makes a QCoreApplication
// and nothing else, the floor of any program built on Qt.
#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

const std::string Intersection = CORVADEL_SOURCE_DIR "/examples/intersection.xml";
const char *SelfPath = nullptr;

// Runs `args` (the program first) to its end, its output thrown away.
void Run(benchmark::State &state, std::vector<std::string> args)
{
    std::vector<char *> argv;
    for (std::string &arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    for (auto _ : state) {
        pid_t child = 0;
        if (posix_spawn(&child, argv[0], &quiet, nullptr, argv.data(), environ) != 0) {
            state.SkipWithError("cannot start the process");
            break;
        }
        int status = 0;
        waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the process failed");
            break;
        }
    }
    posix_spawn_file_actions_destroy(&quiet);
}

void BM_ProcessCoreApplication(benchmark::State &state)
{
    Run(state, {SelfPath, "--core-application"});
}

void BM_ProcessCalc(benchmark::State &state)
{
    Run(state, {CORVADEL_EXECUTABLE, "calc", Intersection});
}

void BM_ProcessConvert(benchmark::State &state)
{
    char folder[] = "/tmp/corvadel-bench-XXXXXX";
    if (!mkdtemp(folder)) {
        state.SkipWithError("cannot make a scratch folder");
        return;
    }
    const std::string copy = std::string(folder) + "/copy.xml";
    Run(state, {CORVADEL_EXECUTABLE, "convert", Intersection, "-o", copy});
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
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
