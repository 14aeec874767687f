// The headless subcommands of the executable.
#pragma once

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace corvadel {

// A wrong argument or an input that cannot be used: reported on one line,
// exit status 2.
class EUsage : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

class TArguments;

struct TOption {
    const char *Name;  // "--sequence", "-o"
    const char *Value; // what follows it, as the usage shows it ("N"); null for a switch
    const char *Help;
    bool Required = false;
};

struct TCommand {
    const char *Name;
    const char *Operand; // "FILE"
    const char *Summary; // one line for --help
    std::vector<TOption> Options;
    // Returns the exit status; throws EUsage, or any std::exception whose
    // text names the file and the reason, for exit status 2. Null for a
    // command that paints: the windows module knows its entry point.
    int (*Run)(const TArguments &arguments);
    // It paints text (pictures, PDF pages): it runs in the windows module,
    // with the fonts of a GUI application. The others need no Qt at all.
    bool PaintsText = false;
};

// A command's arguments as given: its one operand and the options, each
// with its value ("" for a switch). Reading a value that does not convert
// throws EUsage naming the option and the text.
class TArguments
{
public:
    std::string Operand;

    bool Has(const std::string &option) const { return Given.count(option) != 0; }
    // The option's value, or `absent` when it was not given.
    std::string Text(const std::string &option, const std::string &absent = {}) const;
    int WholeNumber(const std::string &option, int absent) const;
    // A finite number.
    double Number(const std::string &option, double absent) const;

private:
    friend TArguments ParseArguments(const TCommand &command, const std::vector<std::string> &args);
    std::map<std::string, std::string> Given;
};

const std::vector<TCommand> &Commands();
const TCommand *FindCommand(const std::string &name);
// The names of the commands, as "calc, draw and convert".
std::string CommandNames();

// Checks the arguments against the command's options. Throws EUsage.
TArguments ParseArguments(const TCommand &command, const std::vector<std::string> &args);
// "corvadel draw FILE --sequence N [--mode 0|1|2|99] ... -o OUT.png"
std::string CommandUsage(const TCommand &command);
// Text of `corvadel COMMAND --help`.
std::string CommandHelp(const TCommand &command);
// Runs the command on the arguments after its name: prints its help for
// --help, reports a wrong argument or an unusable input on one line.
int RunCommand(const TCommand &command, const std::vector<std::string> &args);

// Text of `corvadel --help`.
std::string HelpText();

// The path of the running executable, beside which the catalogue and the
// settings file lie.
std::string ProgramPath();

// Entry points of the commands, one source file each.
int RunDraw(const TArguments &arguments);    // CmdDraw.cpp
int RunConvert(const TArguments &arguments); // CmdConvert.cpp
int RunCalc(const TArguments &arguments);    // CmdCalc.cpp
int RunReport(const TArguments &arguments);  // CmdReport.cpp
int RunSheet(const TArguments &arguments);   // CmdReport.cpp
int RunStudy(const TArguments &arguments);   // CmdStudy.cpp

} // namespace corvadel
