#include "uSagStudy.h"

#include "uCodes.h"
#include "uDesignChecks.h"
#include "uErrors.h"
#include "uResultQuantities.h"
#include "uSequenceCalculation.h"
#include "uWires.h"

#include <algorithm>
#include <cmath>

namespace corvadel {

namespace {

std::string Feet(double value)
{
    return NumericText(value) + " ft";
}

// The sequence calculated again, on one copy, at any SAG. Each calculation
// starts afresh from the starting tension, as the minimum SAG's does after
// the maximum's.
class TPointCalculator
{
public:
    TPointCalculator(const TWireConfiguration &sequence, const TTARVOParameters &parameters, double strength)
        : Sequence(sequence)
        , Copy(sequence)
        , Parameters(parameters)
        , Strength(strength)
    {
    }

    bool Valid() { return Validate(Copy); }

    TSagStudyPoint At(double sag)
    {
        TSagStudyPoint point;
        point.SAG = sag;
        Copy.Results.FreeAll();
        Copy.Errors.ClearErrors();
        point.Calculated = TSequenceCalculation::CalculateSequence(Copy, Parameters, true, sag);
        if (!point.Calculated)
            return point;
        const TWireConfigurationResult &result = *Copy.Results.First();
        point.MaxWireLoad = result.MaxWireLoad;
        for (const TBasePoleResult *pole : result.PoleResults) {
            point.MaxBaseMoment = std::max(point.MaxBaseMoment, pole->BaseMoment);
            point.MaxAttachmentHeight = std::max(point.MaxAttachmentHeight, pole->AttachmentHeight);
        }
        const std::vector<TPoleCheck> poles = TDesignChecks::Poles(Sequence, result);
        const bool polesHold = std::all_of(poles.begin(), poles.end(), [](const TPoleCheck &c) { return c.Holds(); });
        point.Passes = polesHold && (Strength <= 0 || point.MaxWireLoad <= Strength);
        return point;
    }

    // The SAG between a passing and a failing one where the checks change,
    // to a hundredth of a foot, on the passing side.
    double Edge(double passing, double failing)
    {
        while (std::fabs(passing - failing) > TSagStudyRun::BandTolerance) {
            const double middle = (passing + failing) / 2;
            (At(middle).Passes ? passing : failing) = middle;
        }
        return passing;
    }

private:
    const TWireConfiguration &Sequence;
    TWireConfiguration Copy;
    const TTARVOParameters &Parameters;
    const double Strength;
};

// The longest run of passing points, its inner ends found between the
// points where the checks change.
void FindBand(TSagStudy &study, TPointCalculator &calculator)
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
    const size_t last = bestStart + bestLength - 1;
    study.HasBand = true;
    study.BandFrom = study.Points[bestStart].SAG;
    study.BandTo = study.Points[last].SAG;
    if (bestStart > 0)
        study.BandFrom = calculator.Edge(study.BandFrom, study.Points[bestStart - 1].SAG);
    if (last + 1 < study.Points.size())
        study.BandTo = calculator.Edge(study.BandTo, study.Points[last + 1].SAG);
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
    const double longest = sequence.Spans.LongestLength();
    TPointCalculator calculator(sequence, parameters, study.BreakingStrength);
    if (longest <= 0 || steps < 1 || !calculator.Valid())
        return study;
    for (int i = 0; i <= steps; ++i)
        study.Points.push_back(calculator.At(longest * (FirstShare + (LastShare - FirstShare) * i / steps)));
    FindBand(study, calculator);
    return study;
}

} // namespace corvadel
