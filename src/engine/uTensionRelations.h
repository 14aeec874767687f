// Horizontal equilibrium of the rings in plan: each span's tension relative
// to the reference span, the balance of a Delta or a Box and the optional
// adjustment of a Box's angles.
#pragma once

namespace corvadel {

class TWireConfiguration;

class TTensionRelations
{
public:
    // Every span's TensionRelation, PlanDirection and PlanLength, the span
    // list's Rotation and InitialRotation, the sequence's AnglesChanged and,
    // in a Box, the poles' CalculatedPlanAngle. False when a Box to be
    // adjusted has no plan to keep or no balanced one (uBoxWarp), or the
    // relations cannot hold (not finite or not positive).
    static bool ComputeTensionRelations(TWireConfiguration &sequence);
};

} // namespace corvadel
