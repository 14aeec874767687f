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
    // True when every sequence was valid and solved at its maximum SAG; the
    // combinations are analysed (and replaced) only then. Design values come
    // from the project's parameters.
    static bool RunCalculation(TWireConfigurationList &project);
    // Text lines of the error window, from the sequences' errors as they stand.
    static std::vector<std::string> ErrorListing(const TWireConfigurationList &project);
};

} // namespace corvadel
