// corvadel convert IN -o OUT.xml: reads a project file, or imports an old
// ".sws" project, and writes it as a project file.
#include "Commands.h"
#include "uCommandSupport.h"
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

} // namespace

int RunConvert(const std::vector<std::string> &args)
{
    const auto arguments = ParseArguments(args);
    if (!arguments)
        return FailLine("convert", "usage: corvadel convert IN -o OUT.xml");
    const TGlobalSetting settings(ProgramPath());
    PrintSettingsWarnings("convert", settings);

    TWireConfigurationList project(settings.Parameters);
    try {
        ReadProject(arguments->Input, project);
        project.Save(arguments->Output);
    } catch (const std::exception &error) {
        return FailLine("convert", error.what());
    }
    return 0;
}

} // namespace corvadel
