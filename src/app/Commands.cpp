#include "Commands.h"

#include <QCoreApplication>

namespace corvadel {

const std::vector<TCommand> &Commands()
{
    static const std::vector<TCommand> commands = {
        {"convert", "IN -o OUT.xml", "read a project (.xml or .sws) and write it as a project file", RunConvert},
        {"calc", "FILE [--json] [--settings FILE.def]", "calculate every sequence and print the results", RunCalc},
        {"draw", "FILE --sequence N [--mode 0|1|2|99] [--span K] [--rotation RAD] [--standard] [--no-labels] [--size WxH] -o OUT.png", "draw a sequence or one span into a PNG", RunDraw},
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

std::string HelpText()
{
    std::string text = "Usage: corvadel [FILE]\n"
                       "       corvadel COMMAND [ARGUMENTS]\n\n"
                       "Without a command the desktop program starts and opens FILE when one is given.\n\n"
                       "Options:\n"
                       "  --help      show this text\n"
                       "  --version   show the version\n";
    if (!Commands().empty())
        text += "\nCommands (headless, no display needed):\n";
    for (const TCommand &command : Commands())
        text += std::string("  ") + command.Name + " " + command.Usage + "\n      " + command.Summary + "\n";
    text += "\nThe catalogue CodeList.xml and the settings file corvadel.def lie beside the executable.\n";
    return text;
}

std::string ProgramPath()
{
    const QString path = QCoreApplication::applicationFilePath();
    return path.toStdString();
}

} // namespace corvadel
