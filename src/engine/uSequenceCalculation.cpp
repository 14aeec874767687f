#include "uSequenceCalculation.h"

#include "uBalancedPlan.h"
#include "uElevationSolver.h"
#include "uGeometry.h"
#include "uGlobalSettings.h"
#include "uPoleResults.h"
#include "uSpanStatics.h"
#include "uTensionRelations.h"
#include "uWireSystem.h"
#include "uWires.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace corvadel {

namespace {

const char *const InvalidResultMessage =
    "The calculation of this configuration did not give a finite result; check its data.";

// " ... a tension value of X pounds and a calculated SAG of Y feet.", leaving
// out a value that is not a number.
std::string Attempt(double tension, double sag)
{
    std::string text = "The attempted solution was abandoned";
    if (std::isfinite(tension))
        text += " with a tension value of " + FloatToStr(tension) + " pounds";
    if (std::isfinite(sag))
        text += std::string(std::isfinite(tension) ? " and" : " with") + " a calculated SAG of " + FloatToStr(sag) +
                " feet";
    return text + ".";
}

bool Finite(double value)
{
    return std::isfinite(value);
}

bool IsFinite(const TWireConfigurationResult &result)
{
    bool finite = Finite(result.SystemSAG) && Finite(result.MaxWireLoad) && Finite(result.Rotation) &&
                  Finite(result.InitialRotation) && Finite(result.Tension);
    for (const TBaseWireResult *span : result.SpanResults) {
        finite = finite && Finite(span->TensionRelation) && Finite(span->EndReaction) &&
                 Finite(span->ElevationDifference) && Finite(span->LowPointDistance) && Finite(span->SAG) &&
                 Finite(span->PlanDirection) && Finite(span->PlanLength);
        for (const TBaseSignalResult *signal : span->SignalResults)
            finite = finite && Finite(signal->HeightAboveLowest);
    }
    for (const TBasePoleResult *pole : result.PoleResults)
        finite = finite && Finite(pole->StringingTension) && Finite(pole->BaseMoment) &&
                 Finite(pole->AttachmentElevation) && Finite(pole->AttachmentHeight) &&
                 Finite(pole->CalculatedPlanAngle) && Finite(pole->PlanAngle);
    return finite;
}

std::unique_ptr<TWireConfigurationResult> BuildResult(const TWireConfiguration &sequence,
                                                      const TTARVOParameters &parameters, bool atMaxSAG,
                                                      int iterations)
{
    auto result = std::make_unique<TWireConfigurationResult>();
    result->AtMaxSAG = atMaxSAG;
    result->SystemSAG = sequence.SystemSAG;
    result->MaxWireLoad = TSequenceCalculation::MaxWireLoad(sequence, parameters);
    result->Rotation = sequence.Spans.Rotation;
    result->InitialRotation = sequence.Spans.InitialRotation;
    result->AnglesChanged = sequence.AnglesChanged;
    result->Tension = sequence.Spans.Tension;
    result->Iterations = iterations;
    // Results stay for the whole session: their lists take no spare room.
    result->SpanResults.Reserve(sequence.Spans.Count());
    result->PoleResults.Reserve(sequence.Poles.Count());
    for (int n = 1; n <= sequence.Spans.Count(); ++n) {
        const TBaseWire *span = sequence.Spans.FindByNumber(n);
        if (!span)
            continue;
        const TSpanStatics statics(*span);
        auto spanResult = std::make_unique<TBaseWireResult>();
        spanResult->TensionRelation = span->TensionRelation;
        spanResult->EndReaction = statics.EndReaction();
        spanResult->ElevationDifference = span->ElevationDifference;
        spanResult->LowPointDistance = span->LowPointDistance;
        spanResult->SAG = statics.SAG();
        spanResult->SpanNumber = span->Number;
        spanResult->PlanDirection = span->PlanDirection;
        spanResult->PlanLength = span->PlanLength;
        spanResult->SignalResults.Reserve(span->Signals.Count());
        for (int m = 1; m <= span->Signals.Count(); ++m) {
            const TBaseSignal *signal = span->Signals.FindByNumber(m);
            if (!signal)
                continue;
            auto signalResult = std::make_unique<TBaseSignalResult>();
            signalResult->IsSignal = signal->IsSignal;
            signalResult->HeightAboveLowest = signal->HeightAboveLowest;
            signalResult->SignalNumber = signal->Number;
            spanResult->SignalResults.Add(std::move(signalResult));
        }
        result->SpanResults.Add(std::move(spanResult));
    }
    for (int j = 1; j <= sequence.Poles.Count(); ++j) {
        const TBasePole *pole = sequence.Poles.FindByNumber(j);
        if (!pole || pole->IsRing)
            continue;
        auto poleResult = std::make_unique<TBasePoleResult>();
        poleResult->StringingTension = pole->StringingTension;
        poleResult->BaseMoment = pole->BaseMoment;
        poleResult->AttachmentElevation = pole->AttachmentElevation;
        poleResult->AttachmentHeight = pole->AttachmentHeight;
        poleResult->PoleNumber = pole->Number;
        poleResult->CalculatedPlanAngle = pole->CalculatedPlanAngle;
        poleResult->PlanAngle = pole->PlanAngle;
        result->PoleResults.Add(std::move(poleResult));
    }
    return result;
}

} // namespace

std::string TSequenceCalculation::ExcessiveMessage(double tension, double sag)
{
    return "Wire tension values for this problem are excessive.\r\n" + Attempt(tension, sag);
}

std::string TSequenceCalculation::NotConvergedMessage(double tension, double sag)
{
    return "The tension calculation did not settle within " + IntToStr(MaxIterations) + " iterations.\r\n" +
           Attempt(tension, sag);
}

std::string TSequenceCalculation::UnreachableMessage(double tension, double sag)
{
    return "No wire tension gives the required SAG for this configuration.\r\n" + Attempt(tension, sag);
}

namespace {

// The system SAG at `tension`; nothing when the elevations cannot be solved
// (the solver has said why).
std::optional<double> SAGAtTension(TWireConfiguration &sequence, double tension)
{
    sequence.Spans.SetTension(tension);
    if (!TElevationSolver::SolveElevations(sequence))
        return std::nullopt;
    for (TBaseWire *span : sequence.Spans)
        TSpanStatics::FindLowPoint(*span);
    sequence.SystemSAG = TWireSystem::Measure(sequence).SystemSAG();
    return sequence.SystemSAG;
}

struct TTrial {
    double Tension;
    double SAG;
};

// Two tried tensions whose SAGs lie on either side of the target: the lowest
// tension that hung too shallow, and the highest below it that hung too deep.
std::optional<std::pair<double, double>> Bracket(const std::vector<TTrial> &trials, double target)
{
    double shallow = INFINITY;
    for (const TTrial &trial : trials)
        if (trial.SAG < target)
            shallow = std::min(shallow, trial.Tension);
    double deep = -INFINITY;
    for (const TTrial &trial : trials)
        if (trial.SAG > target && trial.Tension < shallow)
            deep = std::max(deep, trial.Tension);
    if (!std::isfinite(shallow) || !std::isfinite(deep))
        return std::nullopt;
    return std::pair{deep, shallow};
}

// Entered junction differences can make the SAG fall and then rise again as
// the tension grows, and the proportional step may then jump across the
// target for ever. The SAG is continuous in the tension, so between a tension
// that hung too deep and one that hung too shallow lies one that hangs right:
// halving the interval finds it.
bool SettleBetweenTrials(TWireConfiguration &sequence, double tolerance, const std::vector<TTrial> &trials,
                         int &iterations, TTrial last)
{
    const double target = sequence.TargetSAG;
    if (const auto bracket = Bracket(trials, target)) {
        auto [deep, shallow] = *bracket;
        for (int step = 0; step < TSequenceCalculation::MaxHalvings; ++step) {
            ++iterations;
            const double tension = (deep + shallow) / 2;
            const std::optional<double> sag = SAGAtTension(sequence, tension);
            if (!sag)
                return false;
            if (target - tolerance <= *sag && *sag <= target + tolerance)
                return true;
            if (!std::isfinite(*sag))
                break;
            (*sag > target ? deep : shallow) = tension;
            last = {tension, *sag};
        }
    }
    sequence.Errors.AddError(TSequenceCalculation::NotConvergedMessage(last.Tension, last.SAG));
    return false;
}

} // namespace

bool TSequenceCalculation::SearchTension(TWireConfiguration &sequence, const TTARVOParameters &parameters,
                                         int &iterations)
{
    double tension = parameters.Tension;
    sequence.Spans.SetTension(tension);
    iterations = 0;
    const double tolerance = parameters.SAGTolerance / 100;
    const double target = sequence.TargetSAG;
    if (!(std::isfinite(tension) && tension > 0 && std::isfinite(target) && target > 0)) {
        sequence.Errors.AddError(UnreachableMessage(tension, NAN));
        return false;
    }
    std::vector<TTrial> trials;
    while (true) {
        ++iterations;
        const std::optional<double> sag = SAGAtTension(sequence, tension);
        if (!sag)
            return false;
        if (target - tolerance <= *sag && *sag <= target + tolerance)
            return true;
        trials.push_back({tension, *sag});
        // A deeper SAG than wanted raises the tension in proportion.
        const double next = *sag / target * tension;
        if (next > parameters.MaxTension) {
            sequence.Errors.AddError(ExcessiveMessage(next, *sag));
            return false;
        }
        if (!(std::isfinite(*sag) && *sag > 0 && std::isfinite(next) && next > 0)) {
            sequence.Errors.AddError(UnreachableMessage(tension, *sag));
            return false;
        }
        if (iterations >= MaxIterations)
            return SettleBetweenTrials(sequence, tolerance, trials, iterations, {next, *sag});
        tension = next;
    }
}

double TSequenceCalculation::WindFactor(const TWireConfiguration &sequence, const TTARVOParameters &parameters)
{
    const double load = sequence.Spans.SumDeadLoads();
    if (load == 0)
        return 0;
    const double area = sequence.Spans.SumWindAreas();
    return 1.1 * std::sqrt(load * load + std::pow(area * parameters.WindPressure, 2)) / load;
}

double TSequenceCalculation::GoverningFactor(const TWireConfiguration &sequence, const TTARVOParameters &parameters)
{
    const double wind = WindFactor(sequence, parameters);
    return wind > parameters.DesignFactor ? wind : parameters.DesignFactor;
}

double TSequenceCalculation::MaxWireLoad(const TWireConfiguration &sequence, const TTARVOParameters &parameters)
{
    double largest = 0;
    for (const TBaseWire *span : sequence.Spans) {
        const TSpanStatics statics(*span);
        largest = std::max({largest, statics.EndTension(), statics.StartTension()});
    }
    return largest * GoverningFactor(sequence, parameters);
}

namespace {

// Pole distances and angles of the plan as entered (the box adjustment
// starts from them), then the tension relations.
bool RelateTensions(TWireConfiguration &sequence)
{
    TGeometry::ComputePlanLayout(sequence);
    if (TTensionRelations::ComputeTensionRelations(sequence))
        return true;
    sequence.Errors.AddError(TSequenceCalculation::RelationsMessage);
    return false;
}

// The tension search, pole results and signal heights of a sequence whose
// tension relations are set, as its result record.
std::unique_ptr<TWireConfigurationResult> Solve(TWireConfiguration &sequence, const TTARVOParameters &parameters,
                                                bool atMaxSAG)
{
    int iterations = 0;
    if (!TSequenceCalculation::SearchTension(sequence, parameters, iterations))
        return nullptr;
    TPoleResults::ComputeAttachmentElevations(sequence);
    TPoleResults::ComputePoleLoads(sequence, TSequenceCalculation::GoverningFactor(sequence, parameters));
    TSpanStatics::ComputeSignalHeights(sequence.Spans);
    return BuildResult(sequence, parameters, atMaxSAG, iterations);
}

// A Box whose angles were adjusted is calculated as its balanced plan typed
// in, not with the lengths the balance no longer has.
std::unique_ptr<TWireConfigurationResult> SolveBalancedPlan(TWireConfiguration &sequence,
                                                            const TTARVOParameters &parameters, bool atMaxSAG)
{
    const std::vector<std::string> unreached = TBalancedPlan::UnreachedHangers(sequence);
    for (const std::string &message : unreached)
        sequence.Errors.AddError(message);
    if (!unreached.empty())
        return nullptr;
    const std::unique_ptr<TWireConfiguration> plan = TBalancedPlan::Entered(sequence);
    plan->TargetSAG = sequence.TargetSAG;
    std::unique_ptr<TWireConfigurationResult> result =
        RelateTensions(*plan) ? Solve(*plan, parameters, atMaxSAG) : nullptr;
    for (const TTARVOError *error : plan->Errors)
        sequence.Errors.AddError(error->Message);
    TBalancedPlan::TakeEngineValues(*plan, sequence);
    if (result)
        TBalancedPlan::KeepBalance(sequence, *result);
    return result;
}

} // namespace

bool TSequenceCalculation::CalculateSequence(TWireConfiguration &sequence, const TTARVOParameters &parameters,
                                             bool atMaxSAG, double targetSAG)
{
    sequence.TargetSAG = targetSAG;
    if (!RelateTensions(sequence))
        return false;
    std::unique_ptr<TWireConfigurationResult> result = sequence.AnglesChanged
                                                           ? SolveBalancedPlan(sequence, parameters, atMaxSAG)
                                                           : Solve(sequence, parameters, atMaxSAG);
    if (!result)
        return false;
    if (!IsFinite(*result)) {
        sequence.Errors.AddError(InvalidResultMessage);
        return false;
    }
    result->Number = sequence.Results.Count() + 1;
    sequence.Results.Add(std::move(result));
    return true;
}

} // namespace corvadel
