// The project detail page that opens the print job.
#pragma once

namespace corvadel {

class TWireConfigurationList;
class TPageSink;

class TqrDetailReportForm
{
public:
    static void AddPages(TPageSink &sink, const TWireConfigurationList &project);
};

} // namespace corvadel
