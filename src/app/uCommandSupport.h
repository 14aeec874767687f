// What the headless commands share: reading a project, reporting settings
// problems, and the one-line failure message.
#pragma once

#include <string>

namespace corvadel {

class TGlobalSetting;
class TWireConfigurationList;

// Prints "corvadel COMMAND: MESSAGE" on one line of stderr (line breaks a
// message quotes from a file are flattened) and returns exit status 2.
int FailLine(const char *command, std::string message);

// Prints every problem met while loading the settings as a warning line.
void PrintSettingsWarnings(const char *command, const TGlobalSetting &settings);

// Reads a project file, or imports an old one (".sws"). Throws an exception
// whose text names the file and the reason when it cannot be read.
void ReadProject(const std::string &path, TWireConfigurationList &project);

} // namespace corvadel
