// `corvadel report` and `corvadel sheet`: the print job of a project, or a
// blank input sheet, as one PDF document.
#include "Commands.h"
#include "InputSheetQR.h"
#include "uCalculationRun.h"
#include "uCommandSupport.h"
#include "uFileReplacement.h"
#include "uFormats.h"
#include "uGlobalSettings.h"
#include "uPrintJob.h"
#include "uReportPainter.h"
#include "uTopology.h"
#include "uWires.h"

#include <QIODevice>

#include <cstdio>
#include <exception>
#include <functional>
#include <string>

namespace corvadel {

namespace {

// The PDF writer's output, gathered into large blocks for the temporary
// file that takes the output's place once complete. A failure of the file
// is kept, not thrown through the writer, and thrown again by Flush.
class TReplacementDevice : public QIODevice
{
public:
    explicit TReplacementDevice(TFileReplacement &file)
        : File(file)
    {
        open(QIODevice::WriteOnly);
    }

    void Flush()
    {
        Drain();
        if (Failure)
            std::rethrow_exception(Failure);
    }

protected:
    qint64 readData(char *, qint64) override { return -1; }

    qint64 writeData(const char *data, qint64 size) override
    {
        if (Failure)
            return -1;
        Pending.append(data, static_cast<size_t>(size));
        if (Pending.size() >= BlockSize)
            Drain();
        return Failure ? -1 : size;
    }

private:
    static constexpr size_t BlockSize = 1 << 16;
    TFileReplacement &File;
    std::string Pending;
    std::exception_ptr Failure;

    void Drain()
    {
        if (Failure || Pending.empty())
            return;
        try {
            File.Write(Pending);
        } catch (...) {
            Failure = std::current_exception();
        }
        Pending.clear();
    }
};

// The pages `compose` sends are painted and written one at a time, so the
// memory taken does not grow with the job.
void WritePdf(const std::string &output, const std::string &title, const TPageFooter &footer,
              const std::function<void(TPageSink &)> &compose)
{
    TFileReplacement file(output);
    TReplacementDevice device(file);
    TReportPainter::WritePdf(device, title, footer, compose);
    device.Flush();
    file.Commit();
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
    if (arguments.Has("--profiles"))
        settings->PrintLoadedProfiles = true;
    TWireConfigurationList project(settings->Parameters);
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
