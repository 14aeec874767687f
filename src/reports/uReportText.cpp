#include "uReportText.h"

#include "uTopology.h"

#include <algorithm>

namespace corvadel {

std::string Bracketed(const std::string &name)
{
    return "[ " + name + " ]";
}

std::string HangerLine(const std::vector<THangerEntry> &entries)
{
    std::string text;
    for (const THangerEntry &entry : entries)
        text += (text.empty() ? "" : ", ") + (entry.IsSignal ? "(" + entry.Text + ")" : "[" + entry.Text + "]");
    return text.empty() ? "No signals or signs attached at this span." : text;
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
