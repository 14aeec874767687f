#include "uWireSystem.h"

#include "uElevationSolver.h"
#include "uSpanStatics.h"
#include "uWires.h"

#include <algorithm>

namespace corvadel {

TWireSystemLevels TWireSystem::Measure(const TWireConfiguration &sequence)
{
    TWireSystemLevels levels;
    const int reference = TElevationSolver::ReferenceNode(sequence);
    levels.Elevations = TNodeElevations::FromSpans(sequence, reference);
    const TNodeElevations &e = levels.Elevations;
    const TSequenceTopology &topology = sequence.Topology();

    levels.Highest = e.Of(reference);
    levels.Lowest = e.Of(reference);
    for (const TPoleNode &node : topology.Poles) {
        const double elevation = e.Of(node.Number);
        if (!node.IsRing)
            levels.Highest = std::max(levels.Highest, elevation);
        levels.Lowest = std::min(levels.Lowest, elevation);
    }
    for (const TBaseWire *span : sequence.Spans)
        levels.Lowest = std::min(levels.Lowest, e.Of(span->ToNode) - TSpanStatics(*span).SAG());
    return levels;
}

} // namespace corvadel
