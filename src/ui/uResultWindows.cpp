#include "uResultWindows.h"

#include "ErrorMessageFRM.h"
#include "uGlobalSettings.h"

#include <QPointer>

#include <memory>

namespace corvadel {

TResultWindows ResultWindows(const TGlobalSetting &settings, TShowModal show)
{
    // The result window is built once per main window and filled again at
    // every calculation: building it costs as much as a large project's
    // calculation.
    auto kept = std::make_shared<QPointer<TfrmDisplayResult>>();
    return {[show, kept](QWidget *parent, const TWireConfigurationList &project, const TGlobalSetting &settings,
                         int sequence) {
                if (!parent) {
                    TfrmDisplayResult window(project, settings, sequence);
                    window.ShowModal = show;
                    show(window);
                    return;
                }
                TfrmDisplayResult *window = *kept;
                if (window && window->parentWidget() == parent && &window->ShownProject() == &project &&
                    &window->ShownSettings() == &settings) {
                    window->ShowProject(sequence);
                } else {
                    delete window;
                    window = new TfrmDisplayResult(project, settings, sequence, parent);
                    window->ShowModal = show;
                    *kept = window;
                }
                show(*window);
            },
            [show, &settings](QWidget *parent, const QString &listing) {
                TfrmErrorMessage window(listing, settings.ResizeForm, parent);
                show(window);
            }};
}

} // namespace corvadel
