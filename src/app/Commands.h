// The headless subcommands of the executable.
#pragma once

#include <string>
#include <vector>

namespace corvadel {

struct TCommand {
    const char *Name;
    const char *Usage;   // arguments after the name
    const char *Summary; // one line for --help
    // Arguments after the name; returns the exit status.
    int (*Run)(const std::vector<std::string> &args);
};

const std::vector<TCommand> &Commands();
const TCommand *FindCommand(const std::string &name);

// Text of `corvadel --help`.
std::string HelpText();

// The path of the running executable, beside which the catalogue and the
// settings file lie.
std::string ProgramPath();

// Entry points of the commands, one source file each.
int RunDraw(const std::vector<std::string> &args); // CmdDraw.cpp
int RunConvert(const std::vector<std::string> &args); // CmdConvert.cpp
int RunCalc(const std::vector<std::string> &args); // CmdCalc.cpp

} // namespace corvadel
