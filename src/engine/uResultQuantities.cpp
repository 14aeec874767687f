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

const std::vector<TSpanQuantity> &SpanQuantities()
{
    static const std::vector<TSpanQuantity> quantities = {
        {"Tension Relations", 8, 5, [](const TBaseWireResult &s) { return s.TensionRelation; }},
        {"Elevation Difference (ft)", 8, 2, [](const TBaseWireResult &s) { return s.ElevationDifference; }},
        {"Reaction at End of Span (lbs)", 8, 2, [](const TBaseWireResult &s) { return s.EndReaction; }},
        {"Distance from End to Low Point (ft)", 8, 2, [](const TBaseWireResult &s) { return s.LowPointDistance; }},
        {"SAG below End of Span (ft)", 8, 2, [](const TBaseWireResult &s) { return s.SAG; }}};
    return quantities;
}

const std::vector<TPoleQuantity> &PoleQuantities()
{
    static const std::vector<TPoleQuantity> quantities = {
        {"Stringing Tension (lbs)", 8, 3, [](const TBasePoleResult &p) { return p.StringingTension; }},
        {"Attachment Height above Pole Base (ft)", 8, 2, [](const TBasePoleResult &p) { return p.AttachmentHeight; }},
        {"Attachment Elevation (ft)", 8, 2, [](const TBasePoleResult &p) { return p.AttachmentElevation; }},
        {"Base Moment (ft-lbs)", 10, 2, [](const TBasePoleResult &p) { return p.BaseMoment; }}};
    return quantities;
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

} // namespace corvadel
