// The result report: the outcome of one sequence's final calculation for
// one SAG case.
#pragma once

namespace corvadel {

class TWireConfigurationList;
class TPageSink;

class TqrResultReportForm
{
public:
    // Adds the pages of sequence `number`'s result at the SAG case to the
    // job; nothing when the sequence has no such result.
    static void AddPages(TPageSink &sink, const TWireConfigurationList &project, bool atMaxSAG, int number);
};

} // namespace corvadel
