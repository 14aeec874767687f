#include "uSpanLength.h"

#include "uAsk.h"
#include "uFormats.h"
#include "uQtText.h"
#include "uWires.h"

namespace corvadel {

bool ConfirmSpanLength(QWidget *parent, TAsk &ask, const TWireConfiguration &sequence, int span, double length)
{
    if (length <= 0) {
        ask.Tell(parent, TMessageKind::Error, QStringLiteral("The length of span %1 must be greater than 0.").arg(span));
        return false;
    }
    const TBaseWire *wire = sequence.Spans.FindByNumber(span);
    if (!wire)
        return true;
    int dropped = 0;
    for (const TBaseSignal *item : wire->Signals)
        dropped += item->Distance >= length;
    if (dropped == 0)
        return true;
    return ask.Message(parent, TMessageKind::Warning,
                       QStringLiteral("%1 signal(s) or sign(s) of span %2 lie at or beyond %3 ft and will be removed. "
                                      "Do you want to continue?")
                           .arg(dropped)
                           .arg(span)
                           .arg(Text(FloatToStr(length))),
                       QMessageBox::Yes | QMessageBox::Cancel)
        == QMessageBox::Yes;
}

} // namespace corvadel
