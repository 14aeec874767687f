// `corvadel draw`: one plan diagram or span profile of a project into a picture.
#include "uWires.h"

#include "Commands.h"
#include "uCommandSupport.h"
#include "uFormats.h"
#include "uGlobalSettings.h"
#include "uCalculationRun.h"
#include "uGraphics.h"
#include "uLoadedProfileView.h"
#include "uPaintedOutput.h"
#include "uQtCanvas.h"

#include <optional>
#include <stdexcept>

namespace corvadel {

namespace {

// Pixels a side; a larger picture takes seconds and gigabytes to draw.
constexpr int LargestSide = 10000;

struct TDrawOptions {
    int Sequence = 0;
    int Mode = dmAngles;
    std::optional<int> Span;
    double Rotation = 0;
    int Width = 586;
    int Height = 240;
    bool Loaded = false;
    bool AtMaxSAG = true;
};

void RefuseTogether(const TArguments &arguments, const char *first, const char *second)
{
    if (arguments.Has(first) && arguments.Has(second))
        throw EUsage(std::string(first) + " and " + second + " exclude each other");
}

void ReadSize(const std::string &text, TDrawOptions &options)
{
    const size_t x = text.find_first_of("xX");
    if (x == std::string::npos)
        throw EUsage("--size: '" + text + "' is not WIDTHxHEIGHT");
    try {
        options.Width = StrToInt(text.substr(0, x));
        options.Height = StrToInt(text.substr(x + 1));
    } catch (const EConvertError &) {
        throw EUsage("--size: '" + text + "' is not WIDTHxHEIGHT in whole pixels");
    }
    if (options.Width < 1 || options.Height < 1 || options.Width > LargestSide || options.Height > LargestSide)
        throw EUsage("--size: '" + text + "' must be between 1x1 and " + IntToStr(LargestSide) + "x"
                     + IntToStr(LargestSide));
}

TDrawOptions ReadOptions(const TArguments &arguments)
{
    RefuseTogether(arguments, "--standard", "--values");
    RefuseTogether(arguments, "--standard", "--to-scale");
    RefuseTogether(arguments, "--no-labels", "--values");
    TDrawOptions options;
    options.Loaded = arguments.Has("--loaded");
    options.AtMaxSAG = !arguments.Has("--min-sag");
    if (options.Loaded && !arguments.Has("--span"))
        throw EUsage("--loaded needs --span K");
    if (arguments.Has("--min-sag") && !options.Loaded)
        throw EUsage("--min-sag is only for --loaded");
    if (options.Loaded) {
        options.Width = 1200;
        options.Height = 800;
    }
    options.Sequence = arguments.WholeNumber("--sequence", 0);
    options.Mode = arguments.WholeNumber("--mode", dmAngles);
    if (options.Mode != dmAngles && options.Mode != dmElevations && options.Mode != dmPlain && options.Mode != dmPrint)
        throw EUsage("--mode: '" + arguments.Text("--mode") + "' is not one of 0, 1, 2, 99");
    if (arguments.Has("--span"))
        options.Span = arguments.WholeNumber("--span", 0);
    options.Rotation = arguments.Number("--rotation", 0);
    if (arguments.Has("--size"))
        ReadSize(arguments.Text("--size"), options);
    return options;
}

void CheckTarget(const std::string &file, const TDrawOptions &options, const TWireConfigurationList &project)
{
    const TWireConfiguration *sequence = project.FindByNumber(options.Sequence);
    if (!sequence)
        throw EUsage(file + ": there is no sequence " + IntToStr(options.Sequence));
    if (options.Span && !sequence->Spans.FindByNumber(*options.Span))
        throw EUsage(file + ": sequence " + IntToStr(options.Sequence) + " has no span " + IntToStr(*options.Span));
}

// Calculates the project and paints the span's loaded wire; a case that was
// not calculated is an error that names the sequence and the reason.
QImage LoadedPicture(const std::string &file, const TDrawOptions &options, TWireConfigurationList &project)
{
    TCalculationRun::RunCalculation(project);
    const TWireConfiguration &sequence = *project.FindByNumber(options.Sequence);
    const auto scene = LoadedProfileScene(sequence, options.AtMaxSAG, *options.Span,
                                          project.Parameters().MinSignalClearance, options.Width);
    if (!scene) {
        std::string reason = sequence.Errors.Empty() ? "" : ": " + sequence.Errors.Objects(0)->Message;
        for (size_t at = reason.find("\r\n"); at != std::string::npos; at = reason.find("\r\n"))
            reason.replace(at, 2, " ");
        throw std::runtime_error(file + ": sequence " + IntToStr(options.Sequence) + " has no result at its " +
                                 (options.AtMaxSAG ? "maximum" : "minimum") + " SAG" + reason);
    }
    TQtCanvas canvas(options.Width, options.Height);
    PaintLoadedProfile(canvas, scene);
    return canvas.Picture();
}

} // namespace

int RunDraw(const TArguments &arguments)
{
    const TDrawOptions options = ReadOptions(arguments);
    const std::string &input = arguments.Operand;
    const std::string output = arguments.Text("-o");
    RefuseToOverwriteInput(input, output);
    const std::string extension = OutputExtension(output, {".png", ".jpg", ".bmp"});

    const auto settings = CommandSettings("draw", arguments);
    if (arguments.Has("--values"))
        settings->EnableDisplayLabel = true;
    if (arguments.Has("--to-scale"))
        settings->EnableDynamicDisplay = true;
    TWireConfigurationList project(settings->Parameters);
    ReadProject(input, project);
    CheckTarget(input, options, project);

    if (options.Loaded) {
        ReplaceFileWith(output, EncodedPicture(LoadedPicture(input, options, project), extension));
        return 0;
    }
    TQtCanvas canvas(options.Width, options.Height);
    TGraphics graphics(*settings, canvas);
    graphics.Project = &project;
    graphics.StandardShape = arguments.Has("--standard");
    graphics.ShowLabels = !arguments.Has("--no-labels");
    // A picture is looked at on a screen.
    graphics.SmallestFontSize = TGraphics::ScreenFontSize;
    if (options.Span)
        graphics.DrawSpanProfile(options.Sequence, *options.Span);
    else
        graphics.DrawSequence(options.Mode, options.Sequence, options.Rotation);
    ReplaceFileWith(output, EncodedPicture(canvas.Picture(), extension));
    return 0;
}

} // namespace corvadel
