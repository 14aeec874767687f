// corvadel convert IN -o OUT.xml: reads a project file, or imports an old
// ".sws" project, and writes it as a project file.
#include "Commands.h"
#include "uGlobalSettings.h"
#include "uIniFile.h"
#include "uWires.h"

#include <cstdio>
#include <optional>

namespace corvadel {

namespace {

struct TConvertArguments {
    std::string Input;
    std::string Output;
};

// IN and -o OUT in either order; nothing for anything else.
std::optional<TConvertArguments> ParseArguments(const std::vector<std::string> &args)
{
    TConvertArguments parsed;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o" && i + 1 < args.size() && parsed.Output.empty())
            parsed.Output = args[++i];
        else if (!args[i].empty() && args[i][0] != '-' && parsed.Input.empty())
            parsed.Input = args[i];
        else
            return std::nullopt;
    }
    if (parsed.Input.empty() || parsed.Output.empty())
        return std::nullopt;
    return parsed;
}

// One line on stderr, whatever line breaks the message quotes from a file.
int Fail(std::string message)
{
    for (char &c : message)
        if (c == '\r' || c == '\n')
            c = ' ';
    std::fprintf(stderr, "corvadel convert: %s\n", message.c_str());
    return 2;
}

bool IsOldFormat(const std::string &path)
{
    return SameText(path.substr(ChangeFileExt(path, "").size()), ".sws");
}

// False when the file holds no project; file and conversion errors raise.
bool ReadProject(const std::string &path, TWireConfigurationList &project)
{
    if (!IsOldFormat(path))
        return project.Open(path);
    // The importer takes a missing file for a foreign one; say what it is.
    if (!FileExists(path))
        ReadFileText(path);
    return project.Import(path);
}

} // namespace

int RunConvert(const std::vector<std::string> &args)
{
    const auto arguments = ParseArguments(args);
    if (!arguments)
        return Fail("usage: corvadel convert IN -o OUT.xml");
    const TGlobalSetting settings(ProgramPath());
    for (const std::string &warning : settings.Warnings)
        std::fprintf(stderr, "corvadel convert: warning: %s\n", warning.c_str());

    TWireConfigurationList project(settings.Parameters);
    try {
        if (!ReadProject(arguments->Input, project))
            return Fail(arguments->Input + ": the file is not a TARVO file or it is corrupted");
        project.Save(arguments->Output);
    } catch (const std::exception &error) {
        return Fail(error.what());
    }
    return 0;
}

} // namespace corvadel
