// The loaded profile pages of one sequence at one SAG case: per span its
// loaded wire drawn to fill the page and, under it, where every signal and
// sign hangs and how far it clears the pavement.
#pragma once

#include <string>

namespace corvadel {

class TWireConfigurationList;
class TPageSink;

class TqrLoadedProfileForm
{
public:
    // "LOADED PROFILE [MAX SAG] - SPAN 2"
    static std::string Title(bool atMaxSAG, int spanNumber);
    // One page per span of sequence `number` at the SAG case; nothing when
    // the sequence has no result for it.
    static void AddPages(TPageSink &sink, const TWireConfigurationList &project, bool atMaxSAG, int number);
};

} // namespace corvadel
