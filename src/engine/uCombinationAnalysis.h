// The base moments of two sequences sharing a pole, added as vectors.
#pragma once

namespace corvadel {

class TWireConfigurationList;

class TCombinationAnalysis
{
public:
    static constexpr const char *WarningMessage = "The resultant base moment of one or more combinations is less "
                                                  "than the moment calculated for each individual wire.";

    // One result per combination for the given SAG case; a combination whose
    // sequences, results or pole results are missing is skipped. Sets the
    // project's warning of that case when a resultant is less than either
    // moment; clearing it is the caller's (once per run, so that a warning of
    // the maximum-SAG case survives the minimum-SAG one).
    static void CalculateCombinations(TWireConfigurationList &project, bool atMaxSAG);
};

} // namespace corvadel
