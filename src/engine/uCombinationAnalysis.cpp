#include "uCombinationAnalysis.h"

#include "uFormats.h"
#include "uSequenceIndex.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace corvadel {

namespace {

const TBasePoleResult *PoleResultOf(const TSequenceIndex &sequences, int sequence, int pole, bool atMaxSAG)
{
    const TWireConfiguration *found = sequences.Find(sequence);
    if (!found)
        return nullptr;
    const TWireConfigurationResult *result = found->Results.FindByAtMaxSAG(atMaxSAG);
    return result ? result->PoleResults.FindByPoleNumber(pole) : nullptr;
}

} // namespace

void TCombinationAnalysis::CalculateCombinations(TWireConfigurationList &project, bool atMaxSAG)
{
    const TSequenceIndex sequences(project);
    for (TCombination *combination : project.Combinations) {
        const TBasePoleResult *poleA = PoleResultOf(sequences, combination->SequenceA, combination->PoleA, atMaxSAG);
        const TBasePoleResult *poleB = PoleResultOf(sequences, combination->SequenceB, combination->PoleB, atMaxSAG);
        if (!poleA || !poleB)
            continue;
        const double ma = poleA->BaseMoment, mb = poleB->BaseMoment;
        const double theta = (180 - combination->ABAngle) * Pi / 180;
        // Rounding may leave a tiny negative square for opposite equal moments.
        const double resultant = std::sqrt(std::max(0.0, ma * ma + mb * mb - 2 * ma * mb * std::cos(theta)));
        if (resultant < ma || resultant < mb)
            project.SetCombinationWarning(atMaxSAG);
        const double sine = resultant > 0 ? std::clamp(std::sin(theta) / resultant * ma, -1.0, 1.0) : 0;
        combination->CombinedMoment = resultant;
        combination->ResultantAngle = std::asin(sine) * RadToDeg;
        auto result = std::make_unique<TCombinationResult>();
        result->ResultantAngle = combination->ResultantAngle;
        result->CombinedMoment = resultant;
        result->AtMaxSAG = atMaxSAG;
        combination->Results.Add(std::move(result));
    }
}

} // namespace corvadel
