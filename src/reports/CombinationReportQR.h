// The combination report: the resultant base moment on each shared pole,
// for both SAG cases.
#pragma once

namespace corvadel {

class TWireConfigurationList;
class TPageSink;

class TqrCombinationReportForm
{
public:
    static constexpr int RowsPerPage = 17;

    // Adds the pages of the project's combinations; nothing without any.
    static void AddPages(TPageSink &sink, const TWireConfigurationList &project);
};

} // namespace corvadel
