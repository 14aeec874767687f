// `corvadel report` and `corvadel sheet`: the print job of a project, or a
// blank input sheet, as one PDF document.
#include "Commands.h"
#include "InputSheetQR.h"
#include "uCalculationRun.h"
#include "uCommandSupport.h"
#include "uFormats.h"
#include "uGlobalSettings.h"
#include "uPrintJob.h"
#include "uPaintedOutput.h"
#include "uTopology.h"
#include "uWires.h"

#include <cstdio>
#include <exception>
#include <functional>
#include <string>

namespace corvadel {

namespace {

int SheetType(const std::string &name)
{
    for (int type = stSimple; type <= stBox; ++type)
        if (SameText(name, Topology(type).TypeName))
            return type;
    throw EUsage("'" + name + "' is not a sequence type: simple, wye, h, delta, hybrid or box");
}

} // namespace

int RunReport(const TArguments &arguments)
{
    const std::string &input = arguments.Operand;
    const std::string output = arguments.Text("-o");
    RefuseToOverwriteInput(input, output);
    OutputExtension(output, {".pdf"});
    const auto settings = CommandSettings("report", arguments);
    if (arguments.Has("--profiles"))
        settings->PrintLoadedProfiles = true;
    TWireConfigurationList project(settings->Parameters, &settings->CodeList);
    ReadProject(input, project);
    if (project.Empty())
        throw EUsage(input + ": the project holds no sequence to print");
    if (!TCalculationRun::RunCalculation(project)) {
        // A project that cannot be calculated prints nothing.
        for (std::string line : TCalculationRun::ErrorListing(project)) {
            std::erase(line, '\r');
            std::fprintf(stderr, "%s\n", line.c_str());
        }
        return 1;
    }
    WritePdf(output, TPrintJob::DocumentTitle(project), TPrintJob::Footer(project),
             [&](TPageSink &sink) { TPrintJob::Compose(project, *settings, sink); });
    return 0;
}

int RunSheet(const TArguments &arguments)
{
    const int type = SheetType(arguments.Operand);
    const std::string output = arguments.Text("-o");
    OutputExtension(output, {".pdf"});
    const auto settings = CommandSettings("sheet", arguments);
    const TReportJob sheet = TqrInputSheetForm::Job(type, *settings);
    WritePdf(output, Topology(type).TypeName + " input sheet", sheet.Footer, [&](TPageSink &sink) {
        for (const TReportPage &page : sheet.Pages)
            sink.Add(TReportPage(page));
    });
    return 0;
}

} // namespace corvadel
