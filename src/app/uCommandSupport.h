// What the headless commands share: the settings, reading a project,
// guarding and writing the output, and the one-line failure message.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

namespace corvadel {

class TArguments;
class TGlobalSetting;
class TWireConfigurationList;

// Prints "corvadel COMMAND: MESSAGE" on one line of stderr (line breaks a
// message quotes from a file are flattened) and returns exit status 2.
int FailLine(const char *command, std::string message);

// The settings of --settings FILE.def when given, otherwise those beside the
// executable; every problem met while reading them is printed as a warning.
std::unique_ptr<TGlobalSetting> CommandSettings(const char *command, const TArguments &arguments);

// Reads a project file, or imports an old one (".sws"). Throws an exception
// whose text names the file and the reason when it cannot be read.
void ReadProject(const std::string &path, TWireConfigurationList &project);

// Which of `allowed` (".png") the output file `path` (given with -o) ends
// in, in any case; throws EUsage naming its extension when none.
std::string OutputExtension(const std::string &path, std::initializer_list<const char *> allowed);

// Throws EUsage when the output would overwrite the input, however the two
// paths are spelled.
void RefuseToOverwriteInput(const std::string &input, const std::string &output);

// Writes the whole file through a temporary file and a rename: a failure
// leaves what was at `path` as it was. Throws EFileError.
void ReplaceFileWith(const std::string &path, std::string_view bytes);

} // namespace corvadel
