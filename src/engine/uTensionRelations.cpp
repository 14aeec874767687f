#include "uTensionRelations.h"

#include "uFormats.h"
#include "uGeometry.h"
#include "uPlanLayout.h"
#include "uWires.h"

#include <algorithm>
#include <cmath>

namespace corvadel {

namespace {

constexpr int MaxAdjustments = 10000;

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

bool TTensionRelations::AdjustBoxStep(const TSpanValues &lengths, const TPoleValues &poleDistances, double rotation,
                                      TSpanValues &angles, TPoleValues &poleAngles)
{
    const TSpanValues &l = lengths;
    const TPoleValues &pd = poleDistances;
    const TSpanValues &a = angles;
    double alpha1 = 0, alpha2 = 0, alpha3 = 0, alpha4 = 0;
    double beta1 = 0, beta2 = 0, beta3 = 0, beta4 = 0, unused = 0;
    // The four quadrilaterals of two poles and two rings as they stand.
    if (!TGeometry::SolveQuadSSS(Pi - a[8], l[1], pd[1], l[8], l[2], alpha2, beta1, unused) ||
        !TGeometry::SolveQuadSSS(Pi - a[1], l[4], pd[2], l[1], l[3], alpha1, beta3, unused) ||
        !TGeometry::SolveQuadSSS(a[3] + a[4], l[6], pd[3], l[4], l[5], alpha3, beta4, unused) ||
        !TGeometry::SolveQuadSSS(a[5] + a[6], l[8], pd[4], l[6], l[7], alpha4, beta2, unused))
        return false;
    const double total1 = beta1 + alpha1, total3 = beta3 + alpha3, total4 = beta4 + alpha4;

    // Turn span 8 at pole two, then carry the change around the box.
    alpha2 += rotation * Pi / 180 / 10;
    double at100 = 0, at101 = 0, a34 = 0, a13 = 0, a56 = 0, a45 = 0, a78 = 0, a67 = 0;
    if (!TGeometry::SolveQuadSSS(alpha2, l[2], l[1], pd[1], l[8], beta1, at100, at101))
        return false;
    alpha1 = total1 - beta1;
    if (!TGeometry::SolveQuadSSS(alpha1, l[3], l[4], pd[2], l[1], beta3, a34, a13))
        return false;
    alpha3 = total3 - beta3;
    if (!TGeometry::SolveQuadSSS(alpha3, l[5], l[6], pd[3], l[4], beta4, a56, a45))
        return false;
    alpha4 = total4 - beta4;
    if (!TGeometry::SolveQuadSSS(alpha4, l[7], l[8], pd[4], l[6], beta2, a78, a67))
        return false;

    TSpanValues result = angles;
    result[1] = Pi - a13;
    result[2] = at100 - result[1];
    result[3] = Pi - a34;
    result[4] = a45 - result[3];
    result[5] = Pi - a56;
    result[6] = a67 - result[5];
    result[8] = Pi - at101;
    result[7] = a78 - result[8];
    for (double angle : result)
        if (!std::isfinite(angle))
            return false;
    angles = result;
    poleAngles = {0, alpha1, alpha2, alpha3, alpha4, 0};
    return true;
}

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
    bool adjusted = false;
    TPoleValues poleAngles{};
    if (sequence.SequenceType == stBox) {
        TPoleValues poleDistances{};
        for (int i = 1; i <= 4 && i <= sequence.PoleDistances.Count(); ++i)
            poleDistances[static_cast<size_t>(i)] = sequence.PoleDistances.Objects(i - 1)->Distance;
        for (int pass = 0; sequence.BoxWarp && std::fabs(balance.Rotation) >= 1;) {
            sequence.AnglesChanged = true;
            // The rings move between poles that stay where the plan put them;
            // a ring figure that does not close puts them nowhere, and the
            // stored distances would be those of an earlier plan.
            if (!TGeometry::IsValid(sequence))
                return false;
            if (!AdjustBoxStep(lengths, poleDistances, balance.Rotation, angles, poleAngles))
                return false;
            adjusted = true;
            if (++pass > MaxAdjustments)
                break;
            balance = Evaluate(sequence.SequenceType, spanCount, angles);
        }
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
    }
    if (sequence.SequenceType == stBox) {
        for (TBasePole *pole : sequence.Poles) {
            if (pole->IsRing || pole->Number < 1 || pole->Number > 4)
                continue;
            pole->CalculatedPlanAngle =
                adjusted ? poleAngles[static_cast<size_t>(pole->Number)] * 180 / Pi : pole->PlanAngle;
        }
    }
    return true;
}

} // namespace corvadel
