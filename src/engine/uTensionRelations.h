// Horizontal equilibrium of the rings in plan: each span's tension relative
// to the reference span, the balance of a Delta or a Box and the optional
// adjustment of a Box's angles.
#pragma once

#include <array>

namespace corvadel {

class TWireConfiguration;

// Values per span or pole number; index 0 is unused.
using TSpanValues = std::array<double, 9>;
using TPoleValues = std::array<double, 6>;

class TTensionRelations
{
public:
    // Every span's TensionRelation and PlanDirection, the span list's
    // Rotation and InitialRotation, the sequence's AnglesChanged and, in a
    // Box, the poles' CalculatedPlanAngle. False when an adjustment step
    // fails or the relations cannot hold (not finite or not positive).
    static bool ComputeTensionRelations(TWireConfiguration &sequence);

    // One adjustment of the box angles (radians) by a tenth of `rotation`
    // (degrees), keeping the poles (distances P1P2, P1P3, P3P4, P4P2 in
    // `poleDistances` 1..4) and the span lengths; writes the new angles and
    // the angle at each pole between its span and the next pole.
    static bool AdjustBoxStep(const TSpanValues &lengths, const TPoleValues &poleDistances, double rotation,
                              TSpanValues &angles, TPoleValues &poleAngles);
};

} // namespace corvadel
