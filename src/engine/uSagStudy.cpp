#include "uSagStudy.h"

#include "uCodes.h"
#include "uErrors.h"
#include "uResultQuantities.h"
#include "uSequenceCalculation.h"
#include "uWires.h"

#include <algorithm>

namespace corvadel {

namespace {

std::string Feet(double value)
{
    return NumericText(value) + " ft";
}

double LongestSpan(const TWireConfiguration &sequence)
{
    double longest = 0;
    for (const TBaseWire *span : sequence.Spans)
        longest = std::max(longest, span->Length);
    return longest;
}

void FindBand(TSagStudy &study)
{
    size_t bestStart = 0, bestLength = 0;
    for (size_t i = 0; i < study.Points.size();) {
        if (!study.Points[i].Passes) {
            ++i;
            continue;
        }
        size_t end = i;
        while (end < study.Points.size() && study.Points[end].Passes)
            ++end;
        if (end - i > bestLength) {
            bestStart = i;
            bestLength = end - i;
        }
        i = end;
    }
    if (bestLength == 0)
        return;
    study.HasBand = true;
    study.BandFrom = study.Points[bestStart].SAG;
    study.BandTo = study.Points[bestStart + bestLength - 1].SAG;
}

} // namespace

std::string TSagStudy::Sentence() const
{
    if (Points.empty())
        return "The sequence cannot be studied: it has no span length or its data are not valid.";
    const std::string range = Feet(Points.front().SAG) + " to " + Feet(Points.back().SAG);
    if (!ChecksSomething())
        return HasBand ? "Nothing is checked (no span wire and no allowable base moment given); the sequence is "
                         "calculated for SAGs from " + Feet(BandFrom) + " to " + Feet(BandTo)
                       : "No SAG from " + range + " can be calculated";
    if (!HasBand)
        return "No SAG from " + range + " passes every check";
    return "Every check passes for SAGs from " + Feet(BandFrom) + " to " + Feet(BandTo);
}

TSagStudy TSagStudyRun::Compute(const TWireConfiguration &sequence, const TCodeList *catalogue,
                                const TTARVOParameters &parameters, int steps)
{
    TSagStudy study;
    study.MinSAG = sequence.MinSAG;
    study.MaxSAG = sequence.MaxSAG;
    if (const TTypicalWire *strand = catalogue ? catalogue->FindStrand(sequence.SpanWire) : nullptr) {
        study.BreakingStrength = strand->BreakingStrength;
        study.StrandName = strand->StrandName();
    }
    for (const TBasePole *pole : sequence.Poles)
        if (!pole->IsRing && pole->AllowableMoment > 0)
            study.SmallestAllowable = study.SmallestAllowable > 0 ? std::min(study.SmallestAllowable, pole->AllowableMoment)
                                                                  : pole->AllowableMoment;
    const double longest = LongestSpan(sequence);
    // One copy serves every point: each calculation starts afresh from the
    // starting tension, as the minimum SAG's does after the maximum's.
    TWireConfiguration copy(sequence);
    if (longest <= 0 || steps < 1 || !Validate(copy))
        return study;
    for (int i = 0; i <= steps; ++i) {
        TSagStudyPoint point;
        point.SAG = longest * (FirstShare + (LastShare - FirstShare) * i / steps);
        copy.Results.FreeAll();
        copy.Errors.ClearErrors();
        point.Calculated = TSequenceCalculation::CalculateSequence(copy, parameters, true, point.SAG);
        if (point.Calculated) {
            const TWireConfigurationResult &result = *copy.Results.First();
            point.MaxWireLoad = result.MaxWireLoad;
            bool polesHold = true;
            for (const TBasePoleResult *pole : result.PoleResults) {
                point.MaxBaseMoment = std::max(point.MaxBaseMoment, pole->BaseMoment);
                point.MaxAttachmentHeight = std::max(point.MaxAttachmentHeight, pole->AttachmentHeight);
                const TBasePole *own = sequence.Poles.FindByNumber(pole->PoleNumber);
                polesHold = polesHold && !(own && own->AllowableMoment > 0 && pole->BaseMoment > own->AllowableMoment);
            }
            point.Passes = polesHold && (study.BreakingStrength <= 0 || point.MaxWireLoad <= study.BreakingStrength);
        }
        study.Points.push_back(point);
    }
    FindBand(study);
    return study;
}

} // namespace corvadel
