#include "uReportText.h"

#include "uTopology.h"

#include <algorithm>

namespace corvadel {

std::string Bracketed(const std::string &name)
{
    return "[ " + name + " ]";
}

std::string Blank(int length)
{
    return std::string(static_cast<size_t>(std::max(length, 0)), '_');
}

std::vector<int> PoleNumbers(const TSequenceTopology &topology)
{
    std::vector<int> numbers;
    for (const TPoleNode &pole : topology.Poles)
        if (!pole.IsRing)
            numbers.push_back(pole.Number);
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

} // namespace corvadel
