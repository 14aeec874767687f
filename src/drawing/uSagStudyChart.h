// The SAG study chart: the max. wire load with the strand's breaking
// strength, the largest base moment with the smallest allowable one and the
// highest attachment height, over the SAGs studied, the band in which every
// check passes shaded and said in words. Painted on the drawing canvas
// (window, picture, printed page), filling it.
#pragma once

#include "uCanvas.h"
#include "uSagStudy.h"

#include <string>

namespace corvadel {

inline constexpr int StudyBandColor = ColorOf(214, 240, 214);
inline constexpr int StudyCurveColor = ColorOf(0, 60, 200);
inline constexpr int StudyLimitColor = ColorOf(200, 0, 0);

// `title`: "Sequence 1 - Main St: SAG Study".
void PaintSagStudy(TCanvas &canvas, const TSagStudy &study, const std::string &title);

} // namespace corvadel
