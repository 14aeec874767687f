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
    TNodeElevations elevations;
    elevations.Set(reference, 0);
    const int count = sequence.Spans.Count();
    // Each pass reaches at least one more node of the connected spans.
    for (int pass = 0; pass < count; ++pass) {
        bool changed = false;
        for (const TBaseWire *span : sequence.Spans) {
            const bool from = elevations.Has(span->FromNode), to = elevations.Has(span->ToNode);
            if (from == to)
                continue;
            if (from)
                elevations.Set(span->ToNode, elevations.Of(span->FromNode) - span->ElevationDifference);
            else
                elevations.Set(span->FromNode, elevations.Of(span->ToNode) + span->ElevationDifference);
            changed = true;
        }
        if (!changed)
            break;
    }
    return elevations;
}

} // namespace corvadel
