#include "InputSheetQR.h"

#include "uGlobalSettings.h"
#include "uInputValuesLayout.h"
#include "uReportPage.h"
#include "uTopology.h"
#include "uWires.h"

namespace corvadel {

TReportJob TqrInputSheetForm::Job(int type, const TGlobalSetting &settings)
{
    TReportJob job;
    if (!IsSequenceType(type))
        return job;
    // A project of its own holds the new sequence the diagram is drawn from.
    auto project = std::make_shared<TWireConfigurationList>(settings.Parameters);
    const TWireConfiguration *sequence = project->AddSequence(type);
    TInputValuesPage {*project, *sequence, settings, true}.AddPages(job);
    job.Keep.push_back(project);
    return job;
}

} // namespace corvadel
