// Statics of one span as a funicular cable: constant horizontal tension,
// vertical point loads (signals, signs) and wire weight by segment.
#pragma once

namespace corvadel {

class TBaseWire;
class TWireList;

class TSpanStatics
{
public:
    explicit TSpanStatics(const TBaseWire &span)
        : Span(span)
    {
    }

    double SignalLoad() const;
    double SegmentLoad() const;
    double TotalLoad() const { return SignalLoad() + SegmentLoad(); }
    // Moment of every load about the start of the span.
    double StartMoment() const;
    // Horizontal tension: TensionRelation x Tension.
    double HorizontalTension() const;
    // Vertical force of the span on its end support, positive upward.
    double EndReaction() const;
    // Upward force of the start support on the span.
    double StartReaction() const;
    double EndTension() const;
    double StartTension() const;
    // Depth of the low point below the end of the span; 0 without a low point.
    double SAG() const;
    // Whether the wire dips between its ends rather than falling toward one.
    bool HasLowPoint() const;

    // Writes LowPointDistance and LowPointMoment.
    static void FindLowPoint(TBaseWire &span);
    // Writes every signal's Elevation and the span's LowestElevation, from its
    // EndElevation.
    static void ComputeSignalElevations(TBaseWire &span);

    // Lowest LowestElevation of spans 1..n; 0 for no spans.
    static double LowestOfSequence(const TWireList &spans);
    // Signal elevations of every span, then each signal's HeightAboveLowest.
    static void ComputeSignalHeights(TWireList &spans);

private:
    const TBaseWire &Span;
};

} // namespace corvadel
