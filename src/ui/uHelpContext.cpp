#include "uHelpContext.h"

#include <QVariant>
#include <QWidget>

namespace corvadel {

namespace {

const char *const ContextProperty = "helpContext";

THelpService &Service()
{
    static THelpService service;
    return service;
}

} // namespace

void SetHelpContext(QWidget *window, int context)
{
    window->setProperty(ContextProperty, context);
}

int HelpContextOf(const QWidget *widget)
{
    for (; widget; widget = widget->parentWidget()) {
        const QVariant context = widget->property(ContextProperty);
        if (context.isValid())
            return context.toInt();
    }
    return hcContents;
}

void SetHelpService(THelpService service)
{
    Service() = std::move(service);
}

void ShowHelp(QWidget *from, int context)
{
    if (Service())
        Service()(from, context);
}

void RequestHelp(QWidget *from)
{
    ShowHelp(from, HelpContextOf(from));
}

} // namespace corvadel
