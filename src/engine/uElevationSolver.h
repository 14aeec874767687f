// Elevation differences of every span from the vertical balance of the rings
// and the entered junction elevations.
#pragma once

#include <string>

namespace corvadel {

class TWireConfiguration;

class TElevationSolver
{
public:
    static constexpr const char *SymmetricMessage = "In this symmetrical configuration, elevation C must be calculated.";
    static constexpr const char *UndeterminedMessage =
        "The entered elevation differences do not determine the ring elevations of this configuration.";

    // Writes every span's ElevationDifference for the current tension and
    // tension relations. False, with an entry in the sequence's errors and no
    // span changed, when the entered values cannot determine the elevations.
    static bool SolveElevations(TWireConfiguration &sequence);

    // The junction letters ("TUVYCDG") whose entered values fix the
    // elevations, chosen by the type's rule from the entered flags.
    static std::string GivenJunctions(const TWireConfiguration &sequence);
    // Node the elevations are referred to: the last ring, or pole 1 of a Simple.
    static int ReferenceNode(const TWireConfiguration &sequence);
    // The two nodes whose elevation difference (first minus second) a junction
    // letter stands for; {0, 0} when the type has no such point.
    static std::pair<int, int> JunctionNodes(int type, char junction);
};

} // namespace corvadel
