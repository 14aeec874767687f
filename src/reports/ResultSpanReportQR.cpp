#include "ResultSpanReportQR.h"

#include "uInputValuesLayout.h"
#include "uWires.h"

namespace corvadel {

void TqrSpanReportForm::AddPages(TPageSink &sink, TWireConfigurationList &project, const TGlobalSetting &settings,
                                 int number)
{
    if (const TWireConfiguration *sequence = project.FindByNumber(number))
        TInputValuesPage {project, *sequence, settings}.AddPages(sink);
}

} // namespace corvadel
