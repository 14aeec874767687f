// The importer of the old ".sws" format: any file imports or is refused
// without crashing, and an imported project can be written.
#include "FuzzReaders.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

// The importer reads a named file; one scratch file per process.
const std::string &ScratchPath()
{
    static const std::string path = [] {
        const char *folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        return std::string(folder) + "/corvadel_fuzz_import_" + std::to_string(getpid()) + ".sws";
    }();
    static const bool removedAtExit = std::atexit([] { std::remove(path.c_str()); }) == 0;
    (void)removedAtExit;
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::FILE *file = std::fopen(ScratchPath().c_str(), "wb");
    if (!file)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    corvadel::fuzz::ImportAndWrite(ScratchPath());
    return 0;
}
