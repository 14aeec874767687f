// A whole process per iteration, from exec to exit, as a user or a script
// waits for it.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

// Runs `args` (the program first) to its end in each iteration, its output
// thrown away; a process that fails stops the benchmark with an error.
// Returns the largest peak resident size of the runs, in kB.
inline long RunProcesses(benchmark::State &state, std::vector<std::string> args)
{
    long peakKB = 0;
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
        rusage usage {};
        wait4(child, &status, 0, &usage);
        peakKB = std::max(peakKB, usage.ru_maxrss);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the process failed");
            break;
        }
    }
    posix_spawn_file_actions_destroy(&quiet);
    return peakKB;
}
