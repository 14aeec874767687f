// Where the program finds its catalogue and keeps its settings, so that the
// build tree, a portable copy and an installed package all work: files
// beside the executable win, then the installed share folder for the
// catalogue and the user's configuration folder for the settings.
#pragma once

#include <string>

namespace corvadel {

struct TFileLocations {
    std::string Catalogue;       // the catalogue found, or where it was looked for first
    bool CatalogueFound = false;
    std::string Settings;        // the settings file to read and to write
    bool PortableSettings = false; // a settings file lies beside the executable
};

// `configHome` and `home` are the values of XDG_CONFIG_HOME and HOME (empty
// when unset).
TFileLocations LocateFiles(const std::string &programPath, const std::string &configHome, const std::string &home);
// The same, with the variables of this process.
TFileLocations LocateFiles(const std::string &programPath);

// The path of the running executable ("" when the system does not say).
std::string RunningProgramPath();

} // namespace corvadel
