// `corvadel report` and `corvadel sheet`: the print job of a project, or a
// blank input sheet, as one PDF document.
#include "Commands.h"
#include "InputSheetQR.h"
#include "uCalculationRun.h"
#include "uCommandSupport.h"
#include "uFormats.h"
#include "uGlobalSettings.h"
#include "uPrintJob.h"
#include "uReportPainter.h"
#include "uTopology.h"
#include "uWires.h"

#include <cstdio>

namespace corvadel {

namespace {

void WritePdf(const std::string &output, const TReportJob &job, const std::string &title)
{
    const QByteArray pdf = TReportPainter::Pdf(job, title);
    ReplaceFileWith(output, std::string_view(pdf.constData(), static_cast<size_t>(pdf.size())));
}

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
    TWireConfigurationList project(settings->Parameters);
    ReadProject(input, project);
    if (project.Empty())
        throw EUsage(input + ": the project holds no sequence to print");
    TReportJob job;
    if (!TPrintJob::Assemble(project, *settings, job)) {
        // A project that cannot be calculated prints nothing.
        for (std::string line : TCalculationRun::ErrorListing(project)) {
            std::erase(line, '\r');
            std::fprintf(stderr, "%s\n", line.c_str());
        }
        return 1;
    }
    WritePdf(output, job, TPrintJob::DocumentTitle(project));
    return 0;
}

int RunSheet(const TArguments &arguments)
{
    const int type = SheetType(arguments.Operand);
    const std::string output = arguments.Text("-o");
    OutputExtension(output, {".pdf"});
    const auto settings = CommandSettings("sheet", arguments);
    WritePdf(output, TqrInputSheetForm::Job(type, *settings), Topology(type).TypeName + " input sheet");
    return 0;
}

} // namespace corvadel
