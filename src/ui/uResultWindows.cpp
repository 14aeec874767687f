#include "uResultWindows.h"

#include "ErrorMessageFRM.h"

namespace corvadel {

TResultWindows ResultWindows(TShowModal show)
{
    return {[show](QWidget *parent, const TWireConfigurationList &project, const TGlobalSetting &settings) {
                TfrmDisplayResult window(project, settings, parent);
                window.ShowModal = show;
                show(window);
            },
            [show](QWidget *parent, const QString &listing) {
                TfrmErrorMessage window(listing, parent);
                show(window);
            }};
}

} // namespace corvadel
