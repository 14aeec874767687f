// The quantities the result windows, the text of `corvadel calc` and the
// result report show:
// one table of labels, units and formats, so all say the same thing.
#pragma once

#include "uResults.h"

#include <string>
#include <vector>

namespace corvadel {

class TWireConfiguration;

// Fixed notation with `digits` decimals and at most `width` significant
// digits, without padding.
std::string FixedText(double value, int width, int digits);
// The two-decimal form of a numeric field.
std::string NumericText(double value);
// `value` in feet ("12.35 ft") with the fewest decimals, two at least, that
// tell it from `other`.
std::string FeetApart(double value, double other);

template<class Item>
struct TResultQuantity {
    const char *Label; // with its unit
    int Width;
    int Digits;
    double (*Value)(const Item &);
    // The row's caption and decimals on the printed result report; its unit
    // is the window's.
    const char *PrintCaption = "";
    int PrintDigits = 2;

    std::string Text(const Item &item) const { return FixedText(Value(item), Width, Digits); }
    std::string PrintText(const Item &item) const { return FixedText(Value(item), Width, PrintDigits); }
};

using TSpanQuantity = TResultQuantity<TBaseWireResult>;
using TPoleQuantity = TResultQuantity<TBasePoleResult>;

// Rows of the span values, top to bottom.
const std::vector<TSpanQuantity> &SpanQuantities();
// Rows of the pole values, top to bottom.
const std::vector<TPoleQuantity> &PoleQuantities();
// The plan the span results belong to: each span's direction and length,
// which a Box adjusted for balance ("New Angles", "New Lengths") changes.
const TSpanQuantity &PlanDirectionQuantity();
const TSpanQuantity &PlanLengthQuantity();
// A signal's height above the lowest attachment point.
const TResultQuantity<TBaseSignalResult> &SignalHeightQuantity();

inline constexpr const char *SignalHeightTitle = "Height of Each Signal or Sign Attachment Point above the Lowest";

// Whether the type has a balance to report (a Delta or a Box).
bool ShowsBalance(const TWireConfiguration &sequence);
// "System is in balance" or which way to rotate pole two, from the
// result's rotation in degrees.
std::string BalanceSentence(double rotation, bool anglesChanged);
// The printed form, which says after an angle adjustment how far pole two
// would have had to turn with the angles as entered.
std::string PrintedBalanceSentence(double rotation, bool anglesChanged, double initialRotation);

} // namespace corvadel
