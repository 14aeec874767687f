// Freed memory stays in the process while a benchmark runs. Otherwise whether
// an iteration pays for fresh pages depends on what ran before it and on
// glibc's moving mmap threshold, and readers that allocate in large blocks
// would be timed under other conditions than those that allocate in small
// ones. A program opening a project once pays those pages once either way.
#pragma once

#include <benchmark/benchmark.h>
#include <malloc.h>

// The benchmarks' main, on such a heap; the exit status.
inline int RunOnSteadyHeap(int argc, char **argv)
{
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
