// A sampled curve reduced to the points a drawing of it needs.
#pragma once

#include "uCanvas.h"

#include <vector>

namespace corvadel {

// The points of `curve` that keep every left-out point within `tolerance`
// of the line drawn in its place (Ramer-Douglas-Peucker); the ends always
// stay. A wire sampled at every pixel draws the same with a few dozen.
std::vector<TPointF> CurveOutline(const std::vector<TPointF> &curve, double tolerance);

} // namespace corvadel
