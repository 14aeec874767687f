#include "uResultQuantities.h"

#include "uFormats.h"
#include "uWires.h"

#include <cmath>

namespace corvadel {

std::string FixedText(double value, int width, int digits)
{
    return Trim(FloatToStrF(value, width, digits));
}

std::string NumericText(double value)
{
    return FixedText(value, 15, 2);
}

std::string FeetApart(double value, double other)
{
    int digits = 2;
    while (digits < 9 && FixedText(value, 15, digits) == FixedText(other, 15, digits))
        ++digits;
    return FixedText(value, 15, digits) + " ft";
}

const std::vector<TSpanQuantity> &SpanQuantities()
{
    static const std::vector<TSpanQuantity> quantities = {
        {"Tension Relations", 8, 5, [](const TBaseWireResult &s) { return s.TensionRelation; }, "Tension Relations:", 5},
        {"Elevation Difference (ft)", 8, 2, [](const TBaseWireResult &s) { return s.ElevationDifference; }, "Elevation Differences (ft)"},
        {"Reaction at End of Span (lbs)", 8, 2, [](const TBaseWireResult &s) { return s.EndReaction; }, "Reaction at the end of the span (lbs)"},
        {"Distance from End to Low Point (ft)", 8, 2, [](const TBaseWireResult &s) { return s.LowPointDistance; }, "Distance from end to low point (ft)"},
        {"SAG below End of Span (ft)", 8, 2, [](const TBaseWireResult &s) { return s.SAG; }, "SAG below end of span (ft)"}};
    return quantities;
}

const std::vector<TPoleQuantity> &PoleQuantities()
{
    static const std::vector<TPoleQuantity> quantities = {
        {"Stringing Tension (lbs)", 8, 3, [](const TBasePoleResult &p) { return p.StringingTension; }, "Stringing Tension (lbs):"},
        {"Attachment Height above Pole Base (ft)", 8, 2, [](const TBasePoleResult &p) { return p.AttachmentHeight; }, "Attachment Height above pole base (ft)"},
        {"Attachment Elevation (ft)", 8, 2, [](const TBasePoleResult &p) { return p.AttachmentElevation; }, "Attachment Elevation (ft)"},
        {"Base Moment (ft-lbs)", 10, 2, [](const TBasePoleResult &p) { return p.BaseMoment; }, "Base Moment (ft-lbs)"}};
    return quantities;
}

const TSpanQuantity &PlanDirectionQuantity()
{
    static const TSpanQuantity quantity = {
        "Plan Direction (degrees)", 8, 2, [](const TBaseWireResult &s) { return s.PlanDirection; }, "New Angles"};
    return quantity;
}

const TSpanQuantity &PlanLengthQuantity()
{
    static const TSpanQuantity quantity = {
        "Plan Length (ft)", 8, 2, [](const TBaseWireResult &s) { return s.PlanLength; }, "New Lengths"};
    return quantity;
}

const TResultQuantity<TBaseSignalResult> &SignalHeightQuantity()
{
    static const TResultQuantity<TBaseSignalResult> quantity = {
        "Height above the Lowest (ft)", 8, 2, [](const TBaseSignalResult &s) { return s.HeightAboveLowest; }};
    return quantity;
}

bool ShowsBalance(const TWireConfiguration &sequence)
{
    return sequence.SequenceType == stDelta || sequence.SequenceType == stBox;
}

std::string BalanceSentence(double rotation, bool anglesChanged)
{
    if (std::fabs(rotation) <= 1)
        return std::string("System is in balance") + (anglesChanged ? " (Input Angles Changed)" : "");
    return "For system balance rotate pole two " + FixedText(std::fabs(rotation), 6, 2) +
           (rotation > 0 ? " degree(s) clockwise" : " degree(s) counterclockwise");
}

std::string PrintedBalanceSentence(double rotation, bool anglesChanged, double initialRotation)
{
    if (std::fabs(rotation) <= 1 && anglesChanged)
        return "System is in balance (Input Angles Changed instead of rotating Pole Two " +
               FixedText(initialRotation, 6, 2) + ")";
    return BalanceSentence(rotation, false);
}

} // namespace corvadel
