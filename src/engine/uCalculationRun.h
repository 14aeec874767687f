// The calculation of a whole project: every sequence validated and solved
// for both SAGs, then the combinations.
#pragma once

#include <string>
#include <vector>

namespace corvadel {

class TWireConfigurationList;

class TCalculationRun
{
public:
    // True when every sequence was valid and solved at its maximum SAG and
    // every combination names sequences and poles that exist; the
    // combinations are analysed (and replaced) only then. Design values come
    // from the project's parameters.
    static bool RunCalculation(TWireConfigurationList &project);
    static constexpr const char *CombinationsHeading = "Combinations";

    // Text lines of the error window, from the sequences' errors as they
    // stand, then under CombinationsHeading what the combinations name that
    // the project lacks.
    static std::vector<std::string> ErrorListing(const TWireConfigurationList &project);
};

} // namespace corvadel
