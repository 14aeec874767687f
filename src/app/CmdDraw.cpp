// `corvadel draw`: one plan diagram or span profile of a project into a PNG.
#include "uWires.h"

#include "Commands.h"
#include "uCommandSupport.h"
#include "uFormats.h"
#include "uGlobalSettings.h"
#include "uGraphics.h"
#include "uQtCanvas.h"

#include <QString>

#include <cmath>
#include <cstdio>
#include <optional>
#include <stdexcept>

namespace corvadel {

namespace {

constexpr int LargestSide = 20000; // pixels; beyond this the picture cannot be allocated sensibly

// A wrong argument or unreadable input: reported on one line, exit status 2.
class EDrawUsage : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

struct TDrawOptions {
    std::string ProjectFile;
    std::string OutputFile;
    int Sequence = 0;
    int Mode = dmAngles;
    std::optional<int> Span;
    double Rotation = 0;
    bool Standard = false;
    bool Labels = true;
    int Width = 586;
    int Height = 240;
};

int WholeNumber(const std::string &option, const std::string &text)
{
    try {
        return StrToInt(text);
    } catch (const EConvertError &) {
        throw EDrawUsage(option + ": '" + text + "' is not a whole number");
    }
}

double RealNumber(const std::string &option, const std::string &text)
{
    double value = 0;
    try {
        value = StrToFloat(text);
    } catch (const EConvertError &) {
        throw EDrawUsage(option + ": '" + text + "' is not a number");
    }
    if (!std::isfinite(value))
        throw EDrawUsage(option + ": '" + text + "' is not a finite number");
    return value;
}

void ReadSize(const std::string &text, TDrawOptions &options)
{
    const size_t x = text.find_first_of("xX");
    if (x == std::string::npos)
        throw EDrawUsage("--size: '" + text + "' is not WIDTHxHEIGHT");
    options.Width = WholeNumber("--size", text.substr(0, x));
    options.Height = WholeNumber("--size", text.substr(x + 1));
    if (options.Width < 1 || options.Height < 1 || options.Width > LargestSide || options.Height > LargestSide)
        throw EDrawUsage("--size: '" + text + "' must be between 1x1 and " + IntToStr(LargestSide) + "x" +
                         IntToStr(LargestSide));
}

TDrawOptions ReadOptions(const std::vector<std::string> &args)
{
    TDrawOptions options;
    bool sequenceGiven = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        const auto value = [&]() -> const std::string & {
            if (i + 1 >= args.size())
                throw EDrawUsage(arg + ": a value is missing");
            return args[++i];
        };
        if (arg == "--sequence") {
            options.Sequence = WholeNumber(arg, value());
            sequenceGiven = true;
        } else if (arg == "--mode") {
            options.Mode = WholeNumber(arg, value());
            if (options.Mode != dmAngles && options.Mode != dmElevations && options.Mode != dmPlain &&
                options.Mode != dmPrint)
                throw EDrawUsage("--mode: '" + args[i] + "' is not one of 0, 1, 2, 99");
        } else if (arg == "--span") {
            options.Span = WholeNumber(arg, value());
        } else if (arg == "--rotation") {
            options.Rotation = RealNumber(arg, value());
        } else if (arg == "--standard") {
            options.Standard = true;
        } else if (arg == "--no-labels") {
            options.Labels = false;
        } else if (arg == "--size") {
            ReadSize(value(), options);
        } else if (arg == "-o") {
            options.OutputFile = value();
        } else if (!arg.empty() && arg[0] == '-') {
            throw EDrawUsage(arg + ": unknown option");
        } else if (options.ProjectFile.empty()) {
            options.ProjectFile = arg;
        } else {
            throw EDrawUsage(arg + ": only one project file can be drawn");
        }
    }
    if (options.ProjectFile.empty())
        throw EDrawUsage("no project file given");
    if (!sequenceGiven)
        throw EDrawUsage("--sequence is missing");
    if (options.OutputFile.empty())
        throw EDrawUsage("-o OUT.png is missing");
    return options;
}

void CheckTarget(const TDrawOptions &options, const TWireConfigurationList &project)
{
    const TWireConfiguration *sequence = project.FindByNumber(options.Sequence);
    if (!sequence)
        throw EDrawUsage(options.ProjectFile + ": there is no sequence " + IntToStr(options.Sequence));
    if (options.Span && !sequence->Spans.FindByNumber(*options.Span))
        throw EDrawUsage(options.ProjectFile + ": sequence " + IntToStr(options.Sequence) + " has no span " +
                         IntToStr(*options.Span));
}

} // namespace

int RunDraw(const std::vector<std::string> &args)
{
    try {
        const TDrawOptions options = ReadOptions(args);
        TGlobalSetting settings(ProgramPath());
        PrintSettingsWarnings("draw", settings);
        TWireConfigurationList project(settings.Parameters);
        try {
            ReadProject(options.ProjectFile, project);
        } catch (const std::exception &error) {
            return FailLine("draw", error.what());
        }
        CheckTarget(options, project);

        TQtCanvas canvas(options.Width, options.Height);
        TGraphics graphics(settings, canvas);
        graphics.Project = &project;
        graphics.StandardShape = options.Standard;
        graphics.ShowLabels = options.Labels;
        if (options.Span)
            graphics.DrawSpanProfile(options.Sequence, *options.Span);
        else
            graphics.DrawSequence(options.Mode, options.Sequence, options.Rotation);
        if (!canvas.Picture().save(QString::fromStdString(options.OutputFile), "PNG"))
            throw EDrawUsage(options.OutputFile + ": cannot be written");
        return 0;
    } catch (const EDrawUsage &error) {
        return FailLine("draw", error.what());
    }
}

} // namespace corvadel
