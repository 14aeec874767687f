// The wire system placed in elevation, and the loads it puts on each pole.
#pragma once

namespace corvadel {

class TWireConfiguration;

class TPoleResults
{
public:
    // Puts the lowest point of the wires MinClearance above the pavement:
    // writes every pole's AttachmentElevation and AttachmentHeight and every
    // span's EndElevation.
    static void ComputeAttachmentElevations(TWireConfiguration &sequence);
    // Every pole's StringingTension and BaseMoment.
    static void ComputePoleLoads(TWireConfiguration &sequence, double governingFactor);
};

} // namespace corvadel
