// The project detail page that opens the print job.
#pragma once

namespace corvadel {

class TWireConfigurationList;
struct TReportJob;

class TqrDetailReportForm
{
public:
    static void AddPages(TReportJob &job, const TWireConfigurationList &project);
};

} // namespace corvadel
