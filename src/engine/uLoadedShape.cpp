#include "uLoadedShape.h"

#include "uBalancedPlan.h"
#include "uFormats.h"
#include "uNodeElevations.h"
#include "uSpanStatics.h"
#include "uWires.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace corvadel {

namespace {

// Bending moment of the span's loads at `x` as if it lay on two supports;
// the wire hangs that far (over the horizontal tension) below its chord.
class TBeamMoment
{
public:
    explicit TBeamMoment(const TBaseWire &span)
        : Span(span)
    {
        const TSpanStatics statics(span);
        StartShear = statics.TotalLoad() - statics.StartMoment() / span.Length;
        UniformLoad = span.Length > 0 ? statics.SegmentLoad() / span.Length : 0;
    }

    double At(double x) const
    {
        double moment = StartShear * x;
        for (const TBaseSignal *signal : Span.Signals)
            if (signal->Distance < x)
                moment -= signal->DeadLoad() * (x - signal->Distance);
        if (Span.UniformWeight)
            return moment - UniformLoad * x * x / 2;
        for (const TBaseSegment *segment : Span.Segments) {
            const double from = segment->StartDistance;
            const double to = std::min(from + segment->Length, x);
            if (to > from)
                moment -= segment->UnitWeight() * (to - from) * (x - (from + to) / 2);
        }
        return moment;
    }

private:
    const TBaseWire &Span;
    double StartShear = 0;
    double UniformLoad = 0;
};

// Attachment elevations of every pole and ring for the result: the poles as
// recorded, the rings reached from them along the recorded differences.
TNodeElevations ResultElevations(const TWireConfiguration &sequence, const TWireConfigurationResult &result)
{
    TNodeElevations known;
    for (const TBasePoleResult *pole : result.PoleResults)
        known.Set(pole->PoleNumber, pole->AttachmentElevation);
    return TNodeElevations::Spread(sequence, known, [&result](const TBaseWire &span) {
        const TBaseWireResult *recorded = result.SpanResults.FindBySpanNumber(span.Number);
        return recorded ? recorded->ElevationDifference : 0.0;
    });
}

TSpanEnd EndOf(const TWireConfiguration &sequence, const TNodeElevations &elevations, int node)
{
    TSpanEnd end;
    end.Node = node;
    end.Attachment = elevations.Of(node);
    const TBasePole *pole = sequence.Poles.FindByNumber(node);
    end.IsPole = pole && !pole->IsRing;
    if (end.IsPole)
        end.Base = sequence.Elevations.ValueOf("P" + IntToStr(node));
    return end;
}

std::vector<double> SampleDistances(const TBaseWire &span, const TBaseWireResult &recorded, double spacing)
{
    const double length = span.Length;
    const double step = std::max(spacing > 0 ? spacing : length, length / TLoadedProfile::MaxPoints);
    std::vector<double> at;
    for (int i = 0; i * step < length; ++i)
        at.push_back(i * step);
    at.push_back(length);
    for (const TBaseSignal *signal : span.Signals)
        if (signal->Distance > 0 && signal->Distance < length)
            at.push_back(signal->Distance);
    if (recorded.SAG > 0)
        at.push_back(std::clamp(length - recorded.LowPointDistance, 0.0, length));
    std::sort(at.begin(), at.end());
    at.erase(std::unique(at.begin(), at.end()), at.end());
    return at;
}

} // namespace

double TLoadedShape::ShortfallOf(const TLoadedHanger &hanger) const
{
    return std::max(0.0, Pavement + SignalClearance - hanger.Bottom());
}

double TLoadedShape::ElevationAt(double distance) const
{
    if (Points.empty())
        return 0;
    const auto after = std::lower_bound(Points.begin(), Points.end(), distance,
                                        [](const TShapePoint &p, double d) { return p.Distance < d; });
    if (after == Points.begin())
        return after->Elevation;
    if (after == Points.end())
        return Points.back().Elevation;
    const TShapePoint &before = *(after - 1);
    const double part = (distance - before.Distance) / (after->Distance - before.Distance);
    return before.Elevation + part * (after->Elevation - before.Elevation);
}

std::optional<TLoadedShape> TLoadedProfile::Compute(const TWireConfiguration &sequence,
                                                    const TWireConfigurationResult &result, int spanNumber,
                                                    double spacing, double signalClearance)
{
    const TBaseWire *entered = sequence.Spans.FindByNumber(spanNumber);
    const TBaseWireResult *recorded = result.SpanResults.FindBySpanNumber(spanNumber);
    if (!entered || !recorded)
        return std::nullopt;
    const std::unique_ptr<TBaseWire> balanced = TBalancedPlan::CalculatedSpan(*entered, result);
    const TBaseWire *span = balanced ? balanced.get() : entered;
    if (!(span->Length > 0))
        return std::nullopt;
    const double horizontal = recorded->TensionRelation * result.Tension;
    if (!(horizontal > 0) || !std::isfinite(horizontal))
        return std::nullopt;

    TLoadedShape shape;
    shape.SpanNumber = spanNumber;
    shape.Length = span->Length;
    const TNodeElevations elevations = ResultElevations(sequence, result);
    shape.Start = EndOf(sequence, elevations, span->FromNode);
    shape.End = EndOf(sequence, elevations, span->ToNode);
    shape.Pavement = sequence.Elevations.ValueOf("PV");
    shape.WireClearance = sequence.MinClearance;
    shape.SignalClearance = signalClearance;

    // The recorded difference, not the ends' elevations, keeps the shape
    // true to the statics when a ring was not reached.
    const double start = shape.End.Attachment + recorded->ElevationDifference;
    const double fall = recorded->ElevationDifference;
    const TBeamMoment moment(*span);
    const auto elevation = [&](double x) { return start - fall * x / span->Length - moment.At(x) / horizontal; };

    for (double x : SampleDistances(*span, *recorded, spacing))
        shape.Points.push_back({x, elevation(x)});
    shape.Low = *std::min_element(shape.Points.begin(), shape.Points.end(),
                                  [](const TShapePoint &a, const TShapePoint &b) { return a.Elevation < b.Elevation; });
    for (int n = 1; n <= span->Signals.Count(); ++n) {
        const TBaseSignal *signal = span->Signals.FindByNumber(n);
        if (!signal)
            continue;
        shape.Hangers.push_back(
            {signal->Number, signal->IsSignal, signal->Distance, elevation(signal->Distance), HangerHeight(*signal)});
    }
    return shape;
}

double TLoadedProfile::HangerHeight(const TBaseSignal &signal)
{
    if (signal.IsSignal)
        return signal.Height;
    return signal.SignArea > 0 ? std::sqrt(signal.SignArea) : 0;
}

} // namespace corvadel
