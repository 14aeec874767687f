#include "uNodeElevations.h"

#include "uWires.h"

namespace corvadel {

void TNodeElevations::Shift(double offset)
{
    for (size_t i = 0; i < Values.size(); ++i)
        if (Known[i])
            Values[i] += offset;
}

TNodeElevations TNodeElevations::FromSpans(const TWireConfiguration &sequence, int reference)
{
    TNodeElevations start;
    start.Set(reference, 0);
    return Spread(sequence, start, [](const TBaseWire &span) { return span.ElevationDifference; });
}

TNodeElevations TNodeElevations::Spread(const TWireConfiguration &sequence, TNodeElevations elevations,
                                        const std::function<double(const TBaseWire &)> &difference)
{
    const int count = sequence.Spans.Count();
    // Each pass reaches at least one more node of the connected spans.
    for (int pass = 0; pass < count; ++pass) {
        bool changed = false;
        for (const TBaseWire *span : sequence.Spans) {
            const bool from = elevations.Has(span->FromNode), to = elevations.Has(span->ToNode);
            if (from == to)
                continue;
            if (from)
                elevations.Set(span->ToNode, elevations.Of(span->FromNode) - difference(*span));
            else
                elevations.Set(span->FromNode, elevations.Of(span->ToNode) + difference(*span));
            changed = true;
        }
        if (!changed)
            break;
    }
    return elevations;
}

} // namespace corvadel
