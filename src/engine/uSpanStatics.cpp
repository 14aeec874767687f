#include "uSpanStatics.h"

#include "uWires.h"

#include <algorithm>
#include <cmath>

namespace corvadel {

double TSpanStatics::SignalLoad() const
{
    return Span.Signals.SumDeadLoads();
}

double TSpanStatics::SegmentLoad() const
{
    return Span.Segments.SumWeights();
}

double TSpanStatics::StartMoment() const
{
    const double wire = Span.UniformWeight ? SegmentLoad() * Span.Length / 2 : Span.Segments.SumMoments();
    return Span.Signals.SumMoments() + wire;
}

double TSpanStatics::HorizontalTension() const
{
    return Span.TensionRelation * Span.Tension;
}

double TSpanStatics::EndReaction() const
{
    return (HorizontalTension() * Span.ElevationDifference - StartMoment()) / Span.Length;
}

double TSpanStatics::StartReaction() const
{
    return EndReaction() + TotalLoad();
}

double TSpanStatics::EndTension() const
{
    return std::hypot(EndReaction(), HorizontalTension());
}

double TSpanStatics::StartTension() const
{
    return std::hypot(StartReaction(), HorizontalTension());
}

bool TSpanStatics::HasLowPoint() const
{
    const double endReaction = EndReaction();
    return endReaction < 0 && endReaction + TotalLoad() > 0;
}

double TSpanStatics::SAG() const
{
    if (!HasLowPoint())
        return 0;
    return (-EndReaction() * Span.LowPointDistance - Span.LowPointMoment) / HorizontalTension();
}

void TSpanStatics::FindLowPoint(TBaseWire &span)
{
    const TSpanStatics statics(span);
    span.LowPointDistance = 0;
    span.LowPointMoment = 0;
    if (!statics.HasLowPoint())
        return;
    const double endReaction = statics.EndReaction();
    const int last = span.Signals.Count();

    // Walk from the end with the running shear until it turns upward.
    double shear = endReaction, distance = 0;
    for (int k = last; k >= 0; --k) {
        const TBaseSegment *segment = span.Segments.FindByStartPoint(k);
        if (!segment)
            break;
        shear += segment->Weight();
        distance += segment->Length;
        if (shear >= 0) {
            const double unitWeight = segment->UnitWeight();
            span.LowPointDistance = unitWeight > 0 ? distance - shear / unitWeight : distance;
            break;
        }
        const TBaseSignal *signal = span.Signals.FindByNumber(k);
        if (!signal)
            break;
        shear += signal->DeadLoad();
        if (shear >= 0) {
            span.LowPointDistance = distance;
            break;
        }
    }

    const TBaseSegment *lastSegment = span.Segments.FindByStartPoint(last);
    if (!lastSegment)
        return;
    if (endReaction + lastSegment->Weight() >= 0) {
        span.LowPointMoment = lastSegment->UnitWeight() * span.LowPointDistance * span.LowPointDistance / 2;
        return;
    }

    // Moment about the low point of the loads between it and the end.
    const TBaseSegment *current = lastSegment;
    double fromEnd = 0, beyond = 0;
    for (int k = last; k >= 0; --k) {
        const TBaseSegment *segment = span.Segments.FindByStartPoint(k);
        if (!segment)
            break;
        const TBaseSignal *signal = span.Signals.FindByNumber(k);
        current = segment;
        fromEnd += segment->Length;
        beyond = span.LowPointDistance - fromEnd;
        if (beyond <= 0)
            break;
        const double pointLoad = signal ? signal->DeadLoad() : 0;
        span.LowPointMoment += pointLoad * beyond + segment->Weight() * (beyond + segment->Length / 2);
    }
    const double part = current->Length - std::fabs(beyond);
    span.LowPointMoment += current->UnitWeight() * part * part / 2;
}

void TSpanStatics::ComputeSignalElevations(TBaseWire &span)
{
    const TSpanStatics statics(span);
    const double endReaction = statics.EndReaction();
    const double horizontal = statics.HorizontalTension();
    span.LowestElevation = std::max(span.EndElevation, span.EndElevation + span.ElevationDifference);
    const int count = span.Signals.Count();
    for (int i = 1; i <= count; ++i) {
        TBaseSignal *signal = span.Signals.FindByNumber(i);
        if (!signal)
            continue;
        const double at = signal->Distance;
        // Moment about the signal of everything between it and the end.
        double moment = -endReaction * (span.Length - at);
        for (int j = i + 1; j <= count; ++j)
            if (const TBaseSignal *further = span.Signals.FindByNumber(j))
                moment -= further->DeadLoad() * (further->Distance - at);
        for (const TBaseSegment *segment : span.Segments)
            if (segment->StartPoint >= i && segment->StartPoint <= count)
                moment -= segment->Weight() * (segment->StartDistance - at + segment->Length / 2);
        signal->Elevation = span.EndElevation - moment / horizontal;
        span.LowestElevation = std::min(span.LowestElevation, signal->Elevation);
    }
}

double TSpanStatics::LowestOfSequence(const TWireList &spans)
{
    bool any = false;
    double lowest = 0;
    for (int n = 1; n <= spans.Count(); ++n) {
        const TBaseWire *span = spans.FindByNumber(n);
        if (!span)
            continue;
        lowest = any ? std::min(lowest, span->LowestElevation) : span->LowestElevation;
        any = true;
    }
    return lowest;
}

void TSpanStatics::ComputeSignalHeights(TWireList &spans)
{
    for (int n = 1; n <= spans.Count(); ++n)
        if (TBaseWire *span = spans.FindByNumber(n))
            ComputeSignalElevations(*span);
    const double lowest = LowestOfSequence(spans);
    for (const TBaseWire *span : spans)
        for (TBaseSignal *signal : span->Signals)
            signal->HeightAboveLowest = signal->Elevation - lowest;
}

} // namespace corvadel
