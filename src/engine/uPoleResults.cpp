#include "uPoleResults.h"

#include "uFormats.h"
#include "uWireSystem.h"
#include "uWires.h"

namespace corvadel {

void TPoleResults::ComputeAttachmentElevations(TWireConfiguration &sequence)
{
    TWireSystemLevels levels = TWireSystem::Measure(sequence);
    levels.Elevations.Shift(sequence.Elevations.ValueOf("PV") + sequence.MinClearance - levels.Lowest);
    const TNodeElevations &e = levels.Elevations;
    for (TBasePole *pole : sequence.Poles) {
        if (pole->IsRing)
            continue;
        pole->AttachmentElevation = e.Of(pole->Number);
        pole->AttachmentHeight = pole->AttachmentElevation - sequence.Elevations.ValueOf("P" + IntToStr(pole->Number));
    }
    for (TBaseWire *span : sequence.Spans)
        span->EndElevation = e.Of(span->ToNode);
}

void TPoleResults::ComputePoleLoads(TWireConfiguration &sequence, double governingFactor)
{
    const TSequenceTopology &topology = sequence.Topology();
    for (TBasePole *pole : sequence.Poles) {
        if (pole->IsRing)
            continue;
        const TBaseWire *span = sequence.Spans.FindByNumber(topology.SpanOfPole(pole->Number));
        if (!span)
            continue;
        pole->StringingTension = span->TensionRelation * sequence.Spans.Tension;
        pole->BaseMoment = pole->StringingTension * governingFactor * pole->AttachmentHeight;
    }
}

} // namespace corvadel
