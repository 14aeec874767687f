// The SAG study page of one sequence: its chart filling the page.
#pragma once

#include <string>

namespace corvadel {

class TWireConfigurationList;
class TPageSink;

class TqrSagStudyForm
{
public:
    static constexpr const char *Title = "SAG STUDY";
    static void AddPage(TPageSink &sink, const TWireConfigurationList &project, int number);
};

} // namespace corvadel
