// The page of a sequence's input values, shared by the span report (the
// values entered) and the blank input sheet (underscores to fill in).
#pragma once

#include <string>

namespace corvadel {

class TGlobalSetting;
class TWireConfiguration;
class TWireConfigurationList;
class TPageSink;

struct TInputValuesPage {
    TWireConfigurationList &Project;
    const TWireConfiguration &Sequence;
    const TGlobalSetting &Settings;
    bool Blank = false; // an input sheet: blanks instead of values, no footer

    void AddPages(TPageSink &sink) const;
};

} // namespace corvadel
