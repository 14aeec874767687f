#include "uResultWindows.h"

#include "ErrorMessageFRM.h"
#include "uGlobalSettings.h"

namespace corvadel {

TResultWindows ResultWindows(const TGlobalSetting &settings, TShowModal show)
{
    return {[show](QWidget *parent, const TWireConfigurationList &project, const TGlobalSetting &settings,
                   int sequence) {
                TfrmDisplayResult window(project, settings, sequence, parent);
                window.ShowModal = show;
                show(window);
            },
            [show, &settings](QWidget *parent, const QString &listing) {
                TfrmErrorMessage window(listing, settings.ResizeForm, parent);
                show(window);
            }};
}

} // namespace corvadel
