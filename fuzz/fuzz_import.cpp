// The importer of the old ".sws" format: any file imports or is refused
// without crashing, and an imported project can be written.
#include "uGlobalSettings.h"
#include "uWires.h"

#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <unistd.h>

using namespace corvadel;

namespace {

const TGlobalSetting &Settings()
{
    static const TGlobalSetting settings;
    return settings;
}

// The importer reads a named file; one scratch file per process.
const std::string &ScratchPath()
{
    static const std::string path = [] {
        const char *shm = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        return std::string(shm) + "/corvadel_fuzz_import_" + std::to_string(getpid()) + ".sws";
    }();
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

    TWireConfigurationList project(Settings().Parameters);
    try {
        if (project.Import(ScratchPath()))
            project.BuildProjectElement()->AsText();
    } catch (const std::runtime_error &) {
        // a value that does not convert
    }
    return 0;
}
