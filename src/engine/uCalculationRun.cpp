#include "uCalculationRun.h"

#include "uCombinationAnalysis.h"
#include "uSequenceCalculation.h"
#include "uWires.h"

namespace corvadel {

bool TCalculationRun::RunCalculation(TWireConfigurationList &project)
{
    const TTARVOParameters &parameters = project.Parameters();
    bool all = true;
    for (TWireConfiguration *sequence : project) {
        sequence->Errors.ClearErrors();
        const bool valid = Validate(*sequence);
        sequence->Results.FreeAll();
        const bool calculated =
            valid && TSequenceCalculation::CalculateSequence(*sequence, parameters, true, sequence->MaxSAG);
        if (calculated && sequence->MinSAG < sequence->MaxSAG)
            TSequenceCalculation::CalculateSequence(*sequence, parameters, false, sequence->MinSAG);
        all = all && calculated;
    }
    // A combination naming what the project lacks would show no result and
    // pass for analysed.
    if (!all || !ValidateCombinations(project).empty())
        return false;
    project.Combinations.ClearCombinationResults();
    project.ClearCombinationWarnings();
    TCombinationAnalysis::CalculateCombinations(project, true);
    TCombinationAnalysis::CalculateCombinations(project, false);
    return true;
}

std::vector<std::string> TCalculationRun::ErrorListing(const TWireConfigurationList &project)
{
    std::vector<std::string> lines;
    for (const TWireConfiguration *sequence : project) {
        lines.push_back(sequence->Identification);
        lines.emplace_back();
        if (sequence->Errors.Empty())
            lines.emplace_back("No errors");
        for (const TTARVOError *error : sequence->Errors)
            if (error->IsError)
                lines.push_back(error->Message);
        lines.emplace_back();
    }
    const std::vector<std::string> combinationProblems = ValidateCombinations(project);
    if (combinationProblems.empty())
        return lines;
    lines.emplace_back(CombinationsHeading);
    lines.emplace_back();
    lines.insert(lines.end(), combinationProblems.begin(), combinationProblems.end());
    lines.emplace_back();
    return lines;
}

} // namespace corvadel
