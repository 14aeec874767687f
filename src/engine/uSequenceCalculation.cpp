#include "uSequenceCalculation.h"

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
                 Finite(span->PlanDirection);
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
    result->Number = sequence.Results.Count() + 1;
    result->AtMaxSAG = atMaxSAG;
    result->SystemSAG = sequence.SystemSAG;
    result->MaxWireLoad = TSequenceCalculation::MaxWireLoad(sequence, parameters);
    result->Rotation = sequence.Spans.Rotation;
    result->InitialRotation = sequence.Spans.InitialRotation;
    result->AnglesChanged = sequence.AnglesChanged;
    result->Tension = sequence.Spans.Tension;
    result->Iterations = iterations;
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

bool TSequenceCalculation::SearchTension(TWireConfiguration &sequence, const TTARVOParameters &parameters,
                                         int &iterations)
{
    TWireList &spans = sequence.Spans;
    double tension = parameters.Tension;
    spans.SetTension(tension);
    iterations = 0;
    const double tolerance = parameters.SAGTolerance / 100;
    const double target = sequence.TargetSAG;
    if (!(std::isfinite(tension) && tension > 0 && std::isfinite(target) && target > 0)) {
        sequence.Errors.AddError(UnreachableMessage(tension, NAN));
        return false;
    }
    while (true) {
        ++iterations;
        if (!TElevationSolver::SolveElevations(sequence))
            return false;
        for (TBaseWire *span : spans)
            TSpanStatics::FindLowPoint(*span);
        const double sag = TWireSystem::Measure(sequence).SystemSAG();
        sequence.SystemSAG = sag;
        if (target - tolerance <= sag && sag <= target + tolerance)
            return true;
        // A deeper SAG than wanted raises the tension in proportion.
        tension = sag / target * tension;
        if (tension > parameters.MaxTension) {
            sequence.Errors.AddError(ExcessiveMessage(tension, sag));
            return false;
        }
        if (!(std::isfinite(sag) && sag > 0 && std::isfinite(tension) && tension > 0)) {
            sequence.Errors.AddError(UnreachableMessage(spans.Tension, sag));
            return false;
        }
        if (iterations >= MaxIterations) {
            sequence.Errors.AddError(NotConvergedMessage(tension, sag));
            return false;
        }
        spans.SetTension(tension);
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

bool TSequenceCalculation::CalculateSequence(TWireConfiguration &sequence, const TTARVOParameters &parameters,
                                             bool atMaxSAG, double targetSAG)
{
    sequence.TargetSAG = targetSAG;
    // Pole distances and angles of the plan as entered; the box adjustment
    // starts from them.
    TGeometry::ComputePlanLayout(sequence);
    if (!TTensionRelations::ComputeTensionRelations(sequence)) {
        sequence.Errors.AddError(RelationsMessage);
        return false;
    }
    int iterations = 0;
    if (!SearchTension(sequence, parameters, iterations))
        return false;
    TPoleResults::ComputeAttachmentElevations(sequence);
    TPoleResults::ComputePoleLoads(sequence, GoverningFactor(sequence, parameters));
    TSpanStatics::ComputeSignalHeights(sequence.Spans);

    auto result = BuildResult(sequence, parameters, atMaxSAG, iterations);
    if (!IsFinite(*result)) {
        sequence.Errors.AddError(InvalidResultMessage);
        return false;
    }
    sequence.Results.Add(std::move(result));
    return true;
}

} // namespace corvadel
