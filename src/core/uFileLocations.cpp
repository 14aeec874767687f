#include "uFileLocations.h"

#include "uIniFile.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace corvadel {

namespace {

const char *const CatalogueName = "CodeList.xml";

std::string Environment(const char *name)
{
    const char *value = std::getenv(name);
    return value ? value : "";
}

std::string UserSettings(const std::string &configHome, const std::string &home)
{
    // Only absolute folders count, as the XDG rules say.
    if (!configHome.empty() && configHome.front() == '/')
        return configHome + "/corvadel/corvadel.def";
    if (!home.empty())
        return home + "/.config/corvadel/corvadel.def";
    return {};
}

} // namespace

TFileLocations LocateFiles(const std::string &programPath, const std::string &configHome, const std::string &home)
{
    TFileLocations where;
    const std::string folder = ExtractFilePath(programPath);
    const std::string beside = folder + CatalogueName;
    const std::string installed = folder + "../share/corvadel/" + CatalogueName;
    where.Catalogue = beside;
    if (FileExists(beside)) {
        where.CatalogueFound = true;
    } else if (FileExists(installed)) {
        where.Catalogue = std::filesystem::path(installed).lexically_normal().string();
        where.CatalogueFound = true;
    }

    const std::string portable = ChangeFileExt(programPath, ".def");
    const std::string user = UserSettings(configHome, home);
    where.PortableSettings = FileExists(portable) || user.empty();
    where.Settings = where.PortableSettings ? portable : user;
    return where;
}

TFileLocations LocateFiles(const std::string &programPath)
{
    return LocateFiles(programPath, Environment("XDG_CONFIG_HOME"), Environment("HOME"));
}

std::string RunningProgramPath()
{
    std::error_code error;
    const auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : path.string();
}

} // namespace corvadel
