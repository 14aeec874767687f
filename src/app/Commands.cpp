#include "Commands.h"

#include "uCommandSupport.h"
#include "uFileLocations.h"
#include "uFormats.h"
#include "uIniFile.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

namespace corvadel {

namespace {

const TOption SettingsOption = {"--settings", "FILE.def",
                                "read the settings from FILE.def instead of the program's own settings file"};

const TOption *FindOption(const TCommand &command, const std::string &name)
{
    for (const TOption &option : command.Options)
        if (name == option.Name)
            return &option;
    return nullptr;
}

std::string SeeHelp(const TCommand &command)
{
    return std::string(" (see corvadel ") + command.Name + " --help)";
}

} // namespace

const std::vector<TCommand> &Commands()
{
    static const std::vector<TCommand> commands = {
        {"convert",
         "IN",
         "read a project (.xml or .sws) and write it as a project file",
         {{"-o", "OUT.xml", "the project file to write; it must end in .xml and not be IN itself", true}},
         RunConvert},
        {"calc",
         "FILE",
         "calculate every sequence and print the results, then any plausibility warnings",
         {{"--json", nullptr, "print one JSON document instead of text"}, SettingsOption},
         RunCalc},
        {"draw",
         "FILE",
         "draw a sequence, one span or its loaded wire into a picture",
         {{"--sequence", "N", "the number of the sequence to draw", true},
          {"--mode", "0|1|2|99", "the plan shows 0 its angles (default), 1 its elevation differences, 2 neither, 99 both"},
          {"--span", "K", "draw the side view of span K instead of the plan"},
          {"--loaded", nullptr,
           "with --span: calculate the project and draw span K's loaded wire to scale (vertically exaggerated) with "
           "its clearances, at the maximum SAG; 1200x800 by default"},
          {"--min-sag", nullptr, "with --loaded: at the minimum SAG instead"},
          {"--rotation", "RAD", "turn the plan by RAD radians"},
          {"--values", nullptr, "labels carry their values (the setting \"Enable Display Label\")"},
          {"--to-scale", nullptr,
           "draw the plan to scale from its lengths and angles when they are valid, instead of the type's standard "
           "shape (the setting \"Enable Dynamic Display\")"},
          {"--standard", nullptr, "the standard shape with names only, as the reports print it"},
          {"--no-labels", nullptr, "leave out the length and angle labels"},
          {"--size", "WxH", "the picture's size in pixels, at most 10000 a side (default 586x240, with --loaded 1200x800)"},
          SettingsOption,
          {"-o", "OUT.png", "the picture to write, in the format its extension names: .png, .jpg or .bmp", true}},
         nullptr,
         true},
        {"report",
         "FILE",
         "calculate the project and write its whole print job as one PDF",
         {{"--profiles", nullptr,
           "add a loaded profile page per span after each result report (the setting \"Print Loaded Profiles\")"},
          SettingsOption,
          {"-o", "OUT.pdf",
           "the PDF to write; nothing is written when a sequence cannot be calculated (the error listing goes to "
           "stderr, exit status 1)",
           true}},
         nullptr,
         true},
        {"study",
         "FILE",
         "chart how a sequence responds to its target SAG, for SAGs from 1 % to 10 % of its longest span",
         {{"--sequence", "N", "the number of the sequence to study", true},
          {"--json", nullptr,
           "print the points (SAG, max. wire load, largest base moment, highest attachment height, whether every "
           "check passes) and the band of SAGs in which every check passes as JSON"},
          {"--size", "WxH", "the size of a .png or .svg chart in pixels (default 1200x900)"},
          SettingsOption,
          {"-o", "OUT.png", "the chart to write: a .png or .svg picture, or a .pdf page as the print job has it"}},
         nullptr,
         true},
        {"sheet",
         "simple|wye|h|delta|hybrid|box",
         "write the blank input sheet of a sequence type as a PDF",
         {SettingsOption, {"-o", "OUT.pdf", "the PDF to write", true}},
         nullptr,
         true},
    };
    return commands;
}

const TCommand *FindCommand(const std::string &name)
{
    for (const TCommand &command : Commands())
        if (name == command.Name)
            return &command;
    return nullptr;
}

std::string CommandNames()
{
    std::string names;
    const auto &commands = Commands();
    for (size_t i = 0; i < commands.size(); ++i)
        names += std::string(i == 0 ? "" : i + 1 == commands.size() ? " and " : ", ") + commands[i].Name;
    return names;
}

std::string TArguments::Text(const std::string &option, const std::string &absent) const
{
    const auto given = Given.find(option);
    return given == Given.end() ? absent : given->second;
}

int TArguments::WholeNumber(const std::string &option, int absent) const
{
    if (!Has(option))
        return absent;
    const std::string text = Text(option);
    try {
        return StrToInt(text);
    } catch (const EConvertError &) {
        throw EUsage(option + ": '" + text + "' is not a whole number");
    }
}

double TArguments::Number(const std::string &option, double absent) const
{
    if (!Has(option))
        return absent;
    const std::string text = Text(option);
    double value = 0;
    try {
        value = StrToFloat(text);
    } catch (const EConvertError &) {
        throw EUsage(option + ": '" + text + "' is not a number");
    }
    if (!std::isfinite(value))
        throw EUsage(option + ": '" + text + "' is not a finite number");
    return value;
}

TArguments ParseArguments(const TCommand &command, const std::vector<std::string> &args)
{
    TArguments parsed;
    bool operandGiven = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        if (arg.size() < 2 || arg[0] != '-') {
            if (operandGiven)
                throw EUsage("only one " + std::string(command.Operand) + " can be given, and '" + arg
                             + "' is a second one");
            parsed.Operand = arg;
            operandGiven = true;
            continue;
        }
        const TOption *option = FindOption(command, arg);
        if (!option)
            throw EUsage("unknown option " + arg + SeeHelp(command));
        if (parsed.Has(arg))
            throw EUsage(arg + " is given twice");
        std::string value;
        if (option->Value) {
            if (i + 1 == args.size() || FindOption(command, args[i + 1]))
                throw EUsage(arg + ": the value " + option->Value + " is missing");
            value = args[++i];
        }
        parsed.Given[arg] = value;
    }
    if (!operandGiven)
        throw EUsage(std::string(command.Operand) + " is missing" + SeeHelp(command));
    for (const TOption &option : command.Options)
        if (option.Required && !parsed.Has(option.Name))
            throw EUsage(std::string(option.Name) + " " + option.Value + " is missing");
    return parsed;
}

std::string CommandUsage(const TCommand &command)
{
    std::string usage = std::string("corvadel ") + command.Name + " " + command.Operand;
    for (const TOption &option : command.Options) {
        const std::string text = std::string(option.Name) + (option.Value ? std::string(" ") + option.Value : "");
        usage += option.Required ? " " + text : " [" + text + "]";
    }
    return usage;
}

std::string CommandHelp(const TCommand &command)
{
    std::string summary = command.Summary;
    summary[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(summary[0])));
    std::string text = "Usage: " + CommandUsage(command) + "\n\n" + summary + ".\n\nOptions:\n";
    const auto line = [](const std::string &name, const std::string &help) {
        constexpr size_t Column = 22;
        return "  " + name + (name.size() + 2 < Column ? std::string(Column - name.size() - 2, ' ') : "\n" + std::string(Column, ' '))
            + help + "\n";
    };
    for (const TOption &option : command.Options)
        text += line(std::string(option.Name) + (option.Value ? std::string(" ") + option.Value : ""), option.Help);
    return text + line("--help", "show this text");
}

int RunCommand(const TCommand &command, const std::vector<std::string> &args)
{
    if (std::find(args.begin(), args.end(), "--help") != args.end()) {
        std::printf("%s", CommandHelp(command).c_str());
        return 0;
    }
    try {
        return command.Run(ParseArguments(command, args));
    } catch (const std::exception &error) {
        return FailLine(command.Name, error.what());
    }
}

std::string HelpText()
{
    std::string text = "Usage: corvadel [FILE]\n"
                       "       corvadel COMMAND [ARGUMENTS]\n\n"
                       "Without a command the desktop program starts and opens FILE when one is given.\n\n"
                       "Options:\n"
                       "  --help      show this text\n"
                       "  --version   show the version\n";
    if (!Commands().empty())
        text += "\nCommands (headless, no display needed; corvadel COMMAND --help shows a command's options):\n";
    for (const TCommand &command : Commands())
        text += "  " + CommandUsage(command) + "\n      " + command.Summary + "\n";
    text += "\nExit status: 0 done; 1 calc, report, study: a sequence could not be calculated (the error listing is printed);\n"
            "2 a wrong argument or a file that cannot be read or written (one line on stderr).\n";
    const TFileLocations where = LocateFiles(RunningProgramPath());
    text += "\nFiles (beside the executable first, then the installed or the user's folder):\n"
            "  catalogue  " + where.Catalogue + (where.CatalogueFound ? "" : " (not found)") + "\n"
            "  settings   " + where.Settings + (FileExists(where.Settings) ? "" : " (not yet written; defaults apply)")
            + "\n";
    return text;
}

std::string ProgramPath()
{
    return RunningProgramPath();
}

} // namespace corvadel
