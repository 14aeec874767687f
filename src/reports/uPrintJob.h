// The print job of a whole project: the project detail page, then for each
// sequence in number order its pages, then the combination report.
#pragma once

#include "uReportPage.h"

#include <string>
#include <vector>

namespace corvadel {

class TGlobalSetting;
class TWireConfiguration;
class TWireConfigurationList;

// What a report that belongs to one sequence is made from.
struct TSequencePageSource {
    TWireConfigurationList &Project;
    const TGlobalSetting &Settings;
    const TWireConfiguration &Sequence;
};

// A kind of page printed for every sequence, in the order of the table.
struct TSequencePageKind {
    const char *Name;
    void (*AddPages)(TPageSink &sink, const TSequencePageSource &source);
};

// How many times a job goes to the printer, with how many copies each time:
// collated copies are whole jobs one after the other.
struct TCopyPlan {
    int Passes = 1;
    int CopiesPerPass = 1;
    bool operator==(const TCopyPlan &) const = default;
};

class TPrintJob
{
public:
    static TCopyPlan CopyPlan(int copies, bool collate);

    // Per sequence: the span report, the maximum-SAG result and its loaded
    // profiles, the minimum-SAG result and its loaded profiles (profiles
    // only when the settings ask for them); a kind adds nothing when it has
    // nothing to show.
    static const std::vector<TSequencePageKind> &SequencePageKinds();

    // Calculates the project; true and the whole job in `job` when every
    // sequence was calculated, false (the sequences' errors say why) and
    // no pages otherwise. Project and settings must outlive the job.
    static bool Assemble(TWireConfigurationList &project, const TGlobalSetting &settings, TReportJob &job);
    // The pages of a project that is already calculated, sent to `sink`
    // in job order as each report is laid out.
    static void Compose(TWireConfigurationList &project, const TGlobalSetting &settings, TPageSink &sink);
    // The same pages kept whole.
    static TReportJob Pages(TWireConfigurationList &project, const TGlobalSetting &settings);
    static TPageFooter Footer(const TWireConfigurationList &project);
    // The title of the PDF document of a project's job.
    static std::string DocumentTitle(const TWireConfigurationList &project);
};

} // namespace corvadel
