// The blank input sheet of a sequence type: the input page with blanks to
// fill in by hand.
#pragma once

namespace corvadel {

class TGlobalSetting;
struct TReportJob;

class TqrInputSheetForm
{
public:
    // The sheet of type 1 to 6 as a job of its own; an empty job for any
    // other type. `settings` must outlive the job.
    static TReportJob Job(int type, const TGlobalSetting &settings);
};

} // namespace corvadel
