// The real result and error windows for the main window's seam.
#pragma once

#include "DisplayResultFRM.h"
#include "MainFRM.h"

namespace corvadel {

// Every window is shown through `show`; tests pass one that looks at it.
// The error window takes its design size from `settings`.
TResultWindows ResultWindows(const TGlobalSetting &settings, TShowModal show = ExecModal);

} // namespace corvadel
