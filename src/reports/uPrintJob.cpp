#include "uPrintJob.h"

#include "CombinationReportQR.h"
#include "DetailReportQR.h"
#include "LoadedProfileQR.h"
#include "ResultReportQR.h"
#include "ResultSpanReportQR.h"
#include "SagStudyQR.h"
#include "uCalculationRun.h"
#include "uFormats.h"
#include "uGlobalSettings.h"
#include "uWires.h"

#include <algorithm>

namespace corvadel {

namespace {

void AddLoadedProfiles(TPageSink &sink, const TSequencePageSource &source, bool atMaxSAG)
{
    if (source.Settings.PrintLoadedProfiles)
        TqrLoadedProfileForm::AddPages(sink, source.Project, atMaxSAG, source.Sequence.Number);
}

} // namespace

const std::vector<TSequencePageKind> &TPrintJob::SequencePageKinds()
{
    static const std::vector<TSequencePageKind> kinds = {
        {"span report",
         [](TPageSink &sink, const TSequencePageSource &source) {
             TqrSpanReportForm::AddPages(sink, source.Project, source.Settings, source.Sequence.Number);
         }},
        {"maximum-SAG result",
         [](TPageSink &sink, const TSequencePageSource &source) {
             TqrResultReportForm::AddPages(sink, source.Project, true, source.Sequence.Number);
         }},
        {"maximum-SAG loaded profiles",
         [](TPageSink &sink, const TSequencePageSource &source) { AddLoadedProfiles(sink, source, true); }},
        {"minimum-SAG result",
         [](TPageSink &sink, const TSequencePageSource &source) {
             TqrResultReportForm::AddPages(sink, source.Project, false, source.Sequence.Number);
         }},
        {"minimum-SAG loaded profiles",
         [](TPageSink &sink, const TSequencePageSource &source) { AddLoadedProfiles(sink, source, false); }},
        {"SAG study",
         [](TPageSink &sink, const TSequencePageSource &source) {
             if (source.Settings.PrintSAGStudies)
                 TqrSagStudyForm::AddPage(sink, source.Project, source.Sequence.Number);
         }},
    };
    return kinds;
}

TCopyPlan TPrintJob::CopyPlan(int copies, bool collate)
{
    copies = std::max(copies, 1);
    return collate ? TCopyPlan {copies, 1} : TCopyPlan {1, copies};
}

TPageFooter TPrintJob::Footer(const TWireConfigurationList &project)
{
    return {project.Author, project.ProjectName, DateToStr(project.ProjectDate)};
}

std::string TPrintJob::DocumentTitle(const TWireConfigurationList &project)
{
    return project.ProjectName.empty() ? std::string(TGlobalSetting::ProductTitle) : project.ProjectName;
}

bool TPrintJob::Assemble(TWireConfigurationList &project, const TGlobalSetting &settings, TReportJob &job)
{
    job = TReportJob {};
    if (!TCalculationRun::RunCalculation(project))
        return false;
    job = Pages(project, settings);
    return true;
}

void TPrintJob::Compose(TWireConfigurationList &project, const TGlobalSetting &settings, TPageSink &sink)
{
    TqrDetailReportForm::AddPages(sink, project);
    // The project keeps its numbers 1 to Count without gaps.
    for (int number = 1; number <= project.Count(); ++number) {
        const TWireConfiguration *sequence = project.FindByNumber(number);
        if (!sequence)
            continue;
        for (const TSequencePageKind &kind : SequencePageKinds())
            kind.AddPages(sink, {project, settings, *sequence});
    }
    TqrCombinationReportForm::AddPages(sink, project);
}

TReportJob TPrintJob::Pages(TWireConfigurationList &project, const TGlobalSetting &settings)
{
    TReportJob job;
    job.Footer = Footer(project);
    Compose(project, settings, job);
    return job;
}

} // namespace corvadel
