// The heights of a sequence's wire system in one frame: every node's
// elevation, the highest attachment and the lowest point of the wires.
#pragma once

#include "uNodeElevations.h"

namespace corvadel {

class TWireConfiguration;

struct TWireSystemLevels {
    TNodeElevations Elevations; // relative to the reference node
    double Highest = 0;         // highest pole attachment or the last ring
    double Lowest = 0;          // lowest point of any wire

    // Highest attachment down to the lowest point.
    double SystemSAG() const { return Highest - Lowest; }
};

class TWireSystem
{
public:
    // From the spans' ElevationDifference and their SAG (after FindLowPoint).
    // The lowest point is the lowest of the low points, the rings and the pole
    // attachments: a span without a low point is lowest at one of its ends.
    static TWireSystemLevels Measure(const TWireConfiguration &sequence);
};

} // namespace corvadel
