#include "uBalancedPlan.h"

#include "uFormats.h"
#include "uResultQuantities.h"
#include "uWires.h"

namespace corvadel {

namespace {

bool LengthChanged(const TBaseWire &span)
{
    return span.PlanLength != span.Length;
}

std::string UnreachedMessage(const TWireConfiguration &sequence, const TBaseWire &span, const TBaseSignal &hanger)
{
    return "Sequence " + sequence.DisplayName() + ": adjusting the box angles makes span [L" + IntToStr(span.Number) +
           "] " + FeetApart(span.PlanLength, hanger.Distance) + " long instead of " + FloatToStr(span.Length) +
           " ft; " + (hanger.IsSignal ? "signal " : "sign ") + IntToStr(hanger.Number) + " hangs " +
           FloatToStr(hanger.Distance) + " ft from its start, beyond its new end.\r\n"
           "Move it closer to the start of the span or modify the angles manually.";
}

} // namespace

std::vector<std::string> TBalancedPlan::UnreachedHangers(const TWireConfiguration &sequence)
{
    std::vector<std::string> messages;
    for (const TBaseWire *span : sequence.Spans) {
        if (!LengthChanged(*span))
            continue;
        for (const TBaseSignal *hanger : span->Signals)
            if (!(hanger->Distance < span->PlanLength))
                messages.push_back(UnreachedMessage(sequence, *span, *hanger));
    }
    return messages;
}

std::unique_ptr<TWireConfiguration> TBalancedPlan::Entered(const TWireConfiguration &sequence)
{
    auto plan = std::make_unique<TWireConfiguration>(sequence);
    plan->SetBoxWarp(false);
    for (TBaseWire *span : plan->Spans) {
        span->SetAngle(span->PlanDirection);
        span->SetLength(span->PlanLength);
    }
    return plan;
}

void TBalancedPlan::TakeEngineValues(const TWireConfiguration &plan, TWireConfiguration &sequence)
{
    sequence.SystemSAG = plan.SystemSAG;
    sequence.Spans.Tension = plan.Spans.Tension;
    sequence.Spans.Rotation = plan.Spans.Rotation;
    for (const TBaseWire *from : plan.Spans) {
        TBaseWire *span = sequence.Spans.FindByNumber(from->Number);
        if (!span)
            continue;
        span->TensionRelation = from->TensionRelation;
        span->ElevationDifference = from->ElevationDifference;
        span->Tension = from->Tension;
        span->LowPointDistance = from->LowPointDistance;
        span->LowPointMoment = from->LowPointMoment;
        span->EndElevation = from->EndElevation;
        span->LowestElevation = from->LowestElevation;
        for (const TBaseSignal *hanger : from->Signals) {
            TBaseSignal *signal = span->Signals.FindByNumber(hanger->Number);
            if (!signal)
                continue;
            signal->Elevation = hanger->Elevation;
            signal->HeightAboveLowest = hanger->HeightAboveLowest;
        }
    }
    for (const TBasePole *from : plan.Poles) {
        TBasePole *pole = sequence.Poles.FindByNumber(from->Number);
        if (!pole)
            continue;
        pole->StringingTension = from->StringingTension;
        pole->AttachmentHeight = from->AttachmentHeight;
        pole->AttachmentElevation = from->AttachmentElevation;
        pole->BaseMoment = from->BaseMoment;
    }
}

void TBalancedPlan::KeepBalance(const TWireConfiguration &sequence, TWireConfigurationResult &result)
{
    result.AnglesChanged = sequence.AnglesChanged;
    result.InitialRotation = sequence.Spans.InitialRotation;
    for (TBaseWireResult *recorded : result.SpanResults) {
        const TBaseWire *span = sequence.Spans.FindByNumber(recorded->SpanNumber);
        if (!span)
            continue;
        recorded->PlanDirection = span->PlanDirection;
        recorded->PlanLength = span->PlanLength;
    }
    for (TBasePoleResult *recorded : result.PoleResults) {
        const TBasePole *pole = sequence.Poles.FindByNumber(recorded->PoleNumber);
        if (!pole)
            continue;
        recorded->PlanAngle = pole->PlanAngle;
        recorded->CalculatedPlanAngle = pole->CalculatedPlanAngle;
    }
}

std::unique_ptr<TBaseWire> TBalancedPlan::CalculatedSpan(const TBaseWire &span, const TWireConfigurationResult &result)
{
    const TBaseWireResult *recorded = result.SpanResults.FindBySpanNumber(span.Number);
    if (!result.AnglesChanged || !recorded || recorded->PlanLength == span.Length)
        return nullptr;
    auto calculated = std::make_unique<TBaseWire>(span, span.Segments.DefaultWireWeight);
    calculated->SetLength(recorded->PlanLength);
    return calculated;
}

} // namespace corvadel
