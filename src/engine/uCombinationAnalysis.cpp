#include "uCombinationAnalysis.h"

#include "uFormats.h"
#include "uWires.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <unordered_map>

namespace corvadel {

namespace {

// The sequences by number, looked up once per combination: a search from
// the front for each would grow with the square of the project.
class TSequenceIndex
{
public:
    explicit TSequenceIndex(const TWireConfigurationList &project)
    {
        BySequence.reserve(size_t(project.Count()));
        for (const TWireConfiguration *sequence : project)
            BySequence.emplace(sequence->Number, sequence); // the first of a number, as FindByNumber
    }
    const TBasePoleResult *PoleResultOf(int sequence, int pole, bool atMaxSAG) const
    {
        const auto found = BySequence.find(sequence);
        if (found == BySequence.end())
            return nullptr;
        const TWireConfigurationResult *result = found->second->Results.FindByAtMaxSAG(atMaxSAG);
        return result ? result->PoleResults.FindByPoleNumber(pole) : nullptr;
    }

private:
    std::unordered_map<int, const TWireConfiguration *> BySequence;
};

} // namespace

void TCombinationAnalysis::CalculateCombinations(TWireConfigurationList &project, bool atMaxSAG)
{
    const TSequenceIndex sequences(project);
    for (TCombination *combination : project.Combinations) {
        const TBasePoleResult *poleA = sequences.PoleResultOf(combination->SequenceA, combination->PoleA, atMaxSAG);
        const TBasePoleResult *poleB = sequences.PoleResultOf(combination->SequenceB, combination->PoleB, atMaxSAG);
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
