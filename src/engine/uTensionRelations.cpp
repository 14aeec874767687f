#include "uTensionRelations.h"

#include "uBoxWarp.h"
#include "uFormats.h"
#include "uGeometry.h"
#include "uPlanLayout.h"
#include "uWires.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace corvadel {

namespace {

// sin x / sin(x + y): the share of a ring's reference tension carried by a
// span when the other span's angle is x.
double S(double x, double y)
{
    return std::sin(x) / std::sin(x + y);
}

struct TBalance {
    TSpanValues Relation{};
    TSpanValues Direction{}; // radians
    double Rotation = 0;     // degrees
};

// Relations of the rings that can be balanced by their angles alone, from the
// stem of the first ring outward; then the closing ring of a Delta or a Box.
TBalance Evaluate(int type, int spanCount, const TSpanValues &angles)
{
    TBalance balance;
    balance.Direction = angles;
    const TPlanShape &plan = PlanShape(type);
    if (plan.Rings.empty()) {
        balance.Relation[1] = 1;
        return balance;
    }
    TSpanValues &rl = balance.Relation;
    rl[static_cast<size_t>(plan.Rings.front().Stem)] = 1;
    for (const TRingRule &ring : plan.Rings) {
        const auto stem = static_cast<size_t>(ring.Stem), ccw = static_cast<size_t>(ring.CcwSpan),
                   cw = static_cast<size_t>(ring.CwSpan);
        if (rl[stem] == 0 || rl[ccw] != 0 || rl[cw] != 0)
            continue;
        const double ccwAngle = angles[static_cast<size_t>(ring.CcwAngle)];
        const double cwAngle = angles[static_cast<size_t>(ring.CwAngle)];
        rl[ccw] = rl[stem] * S(cwAngle, ccwAngle);
        rl[cw] = rl[stem] * S(ccwAngle, cwAngle);
    }
    const TSpanValues &a = angles;
    if (type == stDelta) {
        // Ring 101: the direction of span 5 that balances spans 2 and 6, in
        // its true quadrant: a negative denominator means more than 90
        // degrees, not the opposite direction.
        const double phi = std::atan2(rl[2] * std::sin(a[6]), rl[5] - rl[2] * std::cos(a[6]));
        balance.Rotation = (a[5] - phi) * 180 / Pi;
        rl[6] = rl[5] * std::cos(phi) - rl[2] * std::cos(phi + a[6]);
        balance.Direction[5] = phi;
    } else if (type == stBox) {
        // Ring 101: the direction of span 8 that balances spans 7 and 2.
        const double q = rl[7];
        const double phi = std::atan2(q * std::sin(a[7]), rl[2] - q * std::cos(a[7])); // true quadrant too
        balance.Rotation = (phi - a[8]) * 180 / Pi;
        rl[7] = rl[2] * std::sin(phi) / std::sin(a[7] + phi);
        rl[8] = rl[2] * std::sin(a[7]) / std::sin(a[7] + phi);
        balance.Direction[8] = phi;
    }
    for (int k = spanCount + 1; k < static_cast<int>(rl.size()); ++k)
        rl[static_cast<size_t>(k)] = 0;
    return balance;
}

bool RelationsHold(const TBalance &balance, int spanCount)
{
    for (int k = 1; k <= spanCount; ++k) {
        const double relation = balance.Relation[static_cast<size_t>(k)];
        if (!std::isfinite(relation) || !(relation > 0) || !std::isfinite(balance.Direction[static_cast<size_t>(k)]))
            return false;
    }
    return std::isfinite(balance.Rotation);
}

} // namespace

bool TTensionRelations::ComputeTensionRelations(TWireConfiguration &sequence)
{
    TWireList &spans = sequence.Spans;
    spans.Rotation = 0;
    spans.InitialRotation = 0;
    sequence.AnglesChanged = false;
    const int spanCount = std::min(spans.Count(), 8);
    TSpanValues angles{}, lengths{};
    for (int k = 1; k <= spanCount; ++k) {
        const TBaseWire *span = spans.FindByNumber(k);
        angles[static_cast<size_t>(k)] = span ? span->Angle * Pi / 180 : 0;
        lengths[static_cast<size_t>(k)] = span ? span->Length : 0;
    }

    TBalance balance = Evaluate(sequence.SequenceType, spanCount, angles);
    spans.InitialRotation = balance.Rotation;
    std::optional<TBoxFigure> balanced;
    if (sequence.SequenceType == stBox && sequence.BoxWarp && std::fabs(balance.Rotation) >= 1) {
        sequence.AnglesChanged = true;
        // The rings move between poles that stay where the plan put them; a
        // ring figure that does not close puts them nowhere.
        if (!TGeometry::IsValid(sequence))
            return false;
        balanced = TBoxWarp::Balance(sequence, [&](const TSpanValues &trial) -> std::optional<double> {
            const TBalance tried = Evaluate(sequence.SequenceType, spanCount, trial);
            return RelationsHold(tried, spanCount) ? std::optional(tried.Rotation) : std::nullopt;
        });
        if (!balanced)
            return false;
        angles = balanced->Angles;
        lengths = balanced->Lengths;
        balance = Evaluate(sequence.SequenceType, spanCount, angles);
    }
    if (!RelationsHold(balance, spanCount))
        return false;

    spans.Rotation = balance.Rotation;
    for (int k = 1; k <= spanCount; ++k) {
        TBaseWire *span = spans.FindByNumber(k);
        if (!span)
            continue;
        span->TensionRelation = balance.Relation[static_cast<size_t>(k)];
        span->PlanDirection = balance.Direction[static_cast<size_t>(k)] * 180 / Pi;
        span->PlanLength = lengths[static_cast<size_t>(k)];
    }
    if (sequence.SequenceType == stBox) {
        for (TBasePole *pole : sequence.Poles) {
            if (pole->IsRing || pole->Number < 1 || pole->Number > 4)
                continue;
            pole->CalculatedPlanAngle =
                balanced ? balanced->PoleAngles[static_cast<size_t>(pole->Number)] * RadToDeg : pole->PlanAngle;
        }
    }
    return true;
}

} // namespace corvadel
