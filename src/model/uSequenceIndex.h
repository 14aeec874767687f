// The sequences of a project by number, for code that looks many of them up:
// a search from the front for each would grow with the square of the project.
#pragma once

#include "uWires.h"

#include <unordered_map>

namespace corvadel {

class TSequenceIndex
{
public:
    explicit TSequenceIndex(const TWireConfigurationList &project)
    {
        ByNumber.reserve(size_t(project.Count()));
        for (const TWireConfiguration *sequence : project)
            ByNumber.emplace(sequence->Number, sequence); // the first of a number, as FindByNumber finds it
    }
    // Null when no sequence has the number.
    const TWireConfiguration *Find(int number) const
    {
        const auto found = ByNumber.find(number);
        return found == ByNumber.end() ? nullptr : found->second;
    }

private:
    std::unordered_map<int, const TWireConfiguration *> ByNumber;
};

} // namespace corvadel
