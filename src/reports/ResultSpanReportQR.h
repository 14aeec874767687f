// The span report: the input values of one sequence, with its diagram.
#pragma once

namespace corvadel {

class TGlobalSetting;
class TWireConfigurationList;
class TPageSink;

class TqrSpanReportForm
{
public:
    // Adds the pages of sequence `number` to the job; nothing when there is
    // no such sequence. The diagram is painted from the project, which must
    // outlive the job.
    static void AddPages(TPageSink &sink, TWireConfigurationList &project, const TGlobalSetting &settings, int number);
};

} // namespace corvadel
