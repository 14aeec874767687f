// The question a new span length asks before it is taken, wherever it is
// typed.
#pragma once

class QWidget;

namespace corvadel {

class TAsk;
class TWireConfiguration;

// True when span `span` of `sequence` may take `length`: a length not above
// 0 is refused, and one that drops signals or signs asks first.
bool ConfirmSpanLength(QWidget *parent, TAsk &ask, const TWireConfiguration &sequence, int span, double length);

} // namespace corvadel
