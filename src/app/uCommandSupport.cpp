#include "uCommandSupport.h"

#include "uFormats.h"
#include "uGlobalSettings.h"
#include "uIniFile.h"
#include "uWires.h"

#include <cstdio>
#include <stdexcept>

namespace corvadel {

int FailLine(const char *command, std::string message)
{
    for (char &c : message)
        if (c == '\r' || c == '\n')
            c = ' ';
    std::fprintf(stderr, "corvadel %s: %s\n", command, message.c_str());
    return 2;
}

void PrintSettingsWarnings(const char *command, const TGlobalSetting &settings)
{
    for (const std::string &warning : settings.Warnings)
        std::fprintf(stderr, "corvadel %s: warning: %s\n", command, warning.c_str());
}

void ReadProject(const std::string &path, TWireConfigurationList &project)
{
    // Both readers take a missing file for a foreign one; say what it is.
    if (!FileExists(path))
        ReadFileText(path);
    const bool oldFormat = SameText(path.substr(ChangeFileExt(path, "").size()), ".sws");
    const bool read = oldFormat ? project.Import(path) : project.Open(path);
    if (!read)
        throw std::runtime_error(path + ": the file is not a TARVO file or it is corrupted");
}

} // namespace corvadel
