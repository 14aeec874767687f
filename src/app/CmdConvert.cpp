// corvadel convert IN -o OUT.xml: reads a project file, or imports an old
// ".sws" project, and writes it as a project file.
#include "Commands.h"
#include "uCommandSupport.h"
#include "uGlobalSettings.h"
#include "uWires.h"

namespace corvadel {

int RunConvert(const TArguments &arguments)
{
    const std::string &input = arguments.Operand;
    const std::string output = arguments.Text("-o");
    RefuseToOverwriteInput(input, output);
    // Nothing reads a project file under another name.
    OutputExtension(output, {".xml"});
    const auto settings = CommandSettings("convert", arguments);

    TWireConfigurationList project(settings->Parameters);
    ReadProject(input, project);
    project.Save(output);
    return 0;
}

} // namespace corvadel
