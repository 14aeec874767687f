// The executable: the command line and the commands that paint nothing run
// here without Qt; the desktop program and the painting commands are loaded
// from the windows module only when one of them runs.
#include "Commands.h"
#include "uFileLocations.h"
#include "uGlobalSettings.h"
#include "uIniFile.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <dlfcn.h>

using namespace corvadel;

namespace {

std::string Environment(const char *name)
{
    const char *value = std::getenv(name);
    return value ? value : "";
}

// Qt ends the process when it finds nothing to show windows on; say so first.
// A platform of its own in QT_QPA_PLATFORM (offscreen, vnc, ...) needs no
// display server.
bool DisplayAvailable()
{
    if (!Environment("DISPLAY").empty() || !Environment("WAYLAND_DISPLAY").empty())
        return true;
    const std::string platforms = Environment("QT_QPA_PLATFORM");
    for (size_t start = 0; start <= platforms.size();) {
        size_t end = platforms.find(';', start);
        if (end == std::string::npos)
            end = platforms.size();
        const std::string platform = platforms.substr(start, std::min(end, platforms.find(':', start)) - start);
        if (!platform.empty() && platform != "xcb" && platform.rfind("wayland", 0) != 0)
            return true;
        start = end + 1;
    }
    return false;
}

// Beside the executable in a build tree, in the private library folder of
// an installation.
std::string WindowsModulePath()
{
    const std::filesystem::path folder = std::filesystem::path(RunningProgramPath()).parent_path();
    const std::filesystem::path beside = folder / CORVADEL_WINDOWS_MODULE;
    if (std::filesystem::exists(beside))
        return beside.string();
    return (folder / CORVADEL_INSTALLED_MODULE_FOLDER / CORVADEL_WINDOWS_MODULE).lexically_normal().string();
}

int RunWindowsModule(int argc, char **argv)
{
    const std::string path = WindowsModulePath();
    void *module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    using TEntry = int (*)(int, char **);
    const auto entry = module ? reinterpret_cast<TEntry>(dlsym(module, "CorvadelWindowsMain")) : nullptr;
    if (!entry) {
        std::fprintf(stderr, "corvadel: cannot load the windows module %s: %s\n", path.c_str(), dlerror());
        return 2;
    }
    return entry(argc, argv);
}

} // namespace

int main(int argc, char **argv)
{
    const std::string first = argc > 1 ? argv[1] : "";
    if (first == "--version") {
        std::printf("%s\n", TGlobalSetting::Version);
        return 0;
    }
    if (first == "--help" || first == "-h") {
        std::printf("%s", HelpText().c_str());
        return 0;
    }
    if (const TCommand *command = FindCommand(first))
        return command->PaintsText ? RunWindowsModule(argc, argv)
                                   : RunCommand(*command, std::vector<std::string>(argv + 2, argv + argc));
    if (!first.empty() && first[0] == '-') {
        std::fprintf(stderr, "corvadel: unknown option %s (see corvadel --help)\n", first.c_str());
        return 2;
    }
    if (!first.empty() && !FileExists(first)) {
        std::fprintf(stderr, "corvadel: unknown command %s, and no file of that name (see corvadel --help)\n",
                     first.c_str());
        return 2;
    }
    if (!DisplayAvailable()) {
        std::fprintf(stderr, "corvadel: no display found (DISPLAY and WAYLAND_DISPLAY are not set); the commands %s "
                             "need none (see corvadel --help)\n", CommandNames().c_str());
        return 2;
    }
    return RunWindowsModule(argc, argv);
}
