// A Box adjusted for balance is calculated as the plan the adjustment found:
// a working copy of the sequence with the new angles and lengths entered in
// place of its own. Its figures become the sequence's, so the results
// describe the box as it is strung, and the user's input stays untouched.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace corvadel {

class TBaseWire;
class TWireConfiguration;
class TWireConfigurationResult;

class TBalancedPlan
{
public:
    // One message per signal or sign at or beyond the end of a span whose
    // length the balance changes; empty when every one still hangs on its
    // span. Reads the PlanLength the tension relations left.
    static std::vector<std::string> UnreachedHangers(const TWireConfiguration &sequence);
    // The sequence, after its tension relations, with every span's
    // PlanDirection and PlanLength entered as its angle and length; signals
    // keep their distances and the segments follow the new length. The
    // adjustment is off: the plan needs none.
    static std::unique_ptr<TWireConfiguration> Entered(const TWireConfiguration &sequence);
    // The engine values of the plan's last calculation written to the
    // sequence it was entered from, which keeps its own balance: the span
    // list's InitialRotation, the spans' PlanDirection and PlanLength and the
    // poles' PlanAngle and CalculatedPlanAngle.
    static void TakeEngineValues(const TWireConfiguration &plan, TWireConfiguration &sequence);
    // The sequence's own balance written over the plan's in its result.
    static void KeepBalance(const TWireConfiguration &sequence, TWireConfigurationResult &result);
    // The span as `result` was calculated with it: a copy at the balanced
    // length when an adjustment changed that; nothing when it is the
    // entered span.
    static std::unique_ptr<TBaseWire> CalculatedSpan(const TBaseWire &span, const TWireConfigurationResult &result);
};

} // namespace corvadel
