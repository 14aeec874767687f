// `corvadel study`: how a sequence responds to its target SAG, as a chart
// (a picture, an SVG drawing or a PDF page) or as JSON.
#include "Commands.h"
#include "SagStudyQR.h"
#include "uCommandSupport.h"
#include "uFormats.h"
#include "uGlobalSettings.h"
#include "uJsonWriter.h"
#include "uPaintedOutput.h"
#include "uPrintJob.h"
#include "uQtCanvas.h"
#include "uSagStudyChart.h"
#include "uSvgCanvas.h"
#include "uWires.h"

#include <cstdio>

namespace corvadel {

namespace {

constexpr int LargestSide = 10000;

std::string StudyJson(const TSagStudy &study)
{
    TJsonWriter json;
    json.BeginObject();
    json.Key("points").BeginArray();
    for (const TSagStudyPoint &point : study.Points) {
        json.BeginObject();
        json.Key("sag").Number(point.SAG);
        for (const auto &[key, value] : {std::pair {"maxWireLoad", point.MaxWireLoad},
                                         {"maxBaseMoment", point.MaxBaseMoment},
                                         {"maxAttachmentHeight", point.MaxAttachmentHeight}}) {
            json.Key(key);
            point.Calculated ? json.Number(value) : json.Null();
        }
        json.Key("passes").Boolean(point.Passes);
        json.EndObject();
    }
    json.EndArray();
    json.Key("band");
    if (study.HasBand)
        json.BeginArray().Number(study.BandFrom).Number(study.BandTo).EndArray();
    else
        json.Null();
    json.Key("sentence").String(study.Sentence());
    json.EndObject();
    return json.Text() + "\n";
}

TSize PictureSize(const TArguments &arguments)
{
    const std::string text = arguments.Text("--size", "1200x900");
    const size_t x = text.find_first_of("xX");
    TSize size;
    try {
        if (x == std::string::npos)
            throw EConvertError(text);
        size = {StrToInt(text.substr(0, x)), StrToInt(text.substr(x + 1))};
    } catch (const EConvertError &) {
        throw EUsage("--size: '" + text + "' is not WIDTHxHEIGHT in whole pixels");
    }
    if (size.Width < 200 || size.Height < 150 || size.Width > LargestSide || size.Height > LargestSide)
        throw EUsage("--size: '" + text + "' must be between 200x150 and " + IntToStr(LargestSide) + "x" +
                     IntToStr(LargestSide));
    return size;
}

void WriteChart(const std::string &output, const std::string &extension, const TArguments &arguments,
                const TWireConfigurationList &project, int number, const TSagStudy &study)
{
    const std::string title = "Sequence " + project.FindByNumber(number)->DisplayName() + ": SAG Study";
    if (extension == ".pdf") {
        WritePdf(output, TPrintJob::DocumentTitle(project), TPrintJob::Footer(project),
                 [&](TPageSink &sink) { TqrSagStudyForm::AddPage(sink, project, number); });
        return;
    }
    const TSize size = PictureSize(arguments);
    if (extension == ".svg") {
        TSvgCanvas canvas(size.Width, size.Height);
        PaintSagStudy(canvas, study, title);
        ReplaceFileWith(output, canvas.Document());
        return;
    }
    TQtCanvas canvas(size.Width, size.Height);
    PaintSagStudy(canvas, study, title);
    ReplaceFileWith(output, EncodedPicture(canvas.Picture(), extension));
}

} // namespace

int RunStudy(const TArguments &arguments)
{
    const std::string &input = arguments.Operand;
    const bool json = arguments.Has("--json");
    if (!json && !arguments.Has("-o"))
        throw EUsage("-o OUT.png|.svg|.pdf or --json is missing");
    const std::string output = arguments.Text("-o");
    std::string extension;
    if (!output.empty()) {
        RefuseToOverwriteInput(input, output);
        extension = OutputExtension(output, {".png", ".svg", ".pdf"});
    }
    if (arguments.Has("--size") && extension != ".png" && extension != ".svg")
        throw EUsage("--size is for a .png or .svg picture");
    const int number = arguments.WholeNumber("--sequence", 0);
    const auto settings = CommandSettings("study", arguments);
    TWireConfigurationList project(settings->Parameters, &settings->CodeList);
    ReadProject(input, project);
    const TWireConfiguration *sequence = project.FindByNumber(number);
    if (!sequence)
        throw EUsage(input + ": there is no sequence " + IntToStr(number));
    const TSagStudy study = TSagStudyRun::Compute(*sequence, project.Catalogue(), project.Parameters());
    if (study.Points.empty()) {
        std::fprintf(stderr, "corvadel study: %s: sequence %d: %s\n", input.c_str(), number, study.Sentence().c_str());
        return 1;
    }
    if (!output.empty())
        WriteChart(output, extension, arguments, project, number, study);
    if (json) {
        const std::string text = StudyJson(study);
        std::fwrite(text.data(), 1, text.size(), stdout);
    }
    return 0;
}

} // namespace corvadel
