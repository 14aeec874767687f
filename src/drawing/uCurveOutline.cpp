#include "uCurveOutline.h"

#include <cmath>
#include <utility>

namespace corvadel {

namespace {

// Distance of `p` from the segment from `a` to `b`.
double DistanceFromSegment(const TPointF &p, const TPointF &a, const TPointF &b)
{
    const double dx = b.X - a.X;
    const double dy = b.Y - a.Y;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0 ? ((p.X - a.X) * dx + (p.Y - a.Y) * dy) / length2 : 0;
    t = std::fmax(0, std::fmin(1, t));
    return std::hypot(p.X - (a.X + t * dx), p.Y - (a.Y + t * dy));
}

} // namespace

std::vector<TPointF> CurveOutline(const std::vector<TPointF> &curve, double tolerance)
{
    if (curve.size() < 3)
        return curve;
    std::vector<bool> kept(curve.size(), false);
    kept.front() = kept.back() = true;
    // Spans still to look at, first and last index; a stack, not recursion,
    // so a long curve cannot exhaust the call stack.
    std::vector<std::pair<size_t, size_t>> open {{0, curve.size() - 1}};
    while (!open.empty()) {
        const auto [first, last] = open.back();
        open.pop_back();
        double farthest = tolerance;
        size_t at = 0;
        for (size_t i = first + 1; i < last; ++i) {
            const double d = DistanceFromSegment(curve[i], curve[first], curve[last]);
            // A point that cannot be measured is kept.
            if (!(d <= farthest)) {
                farthest = std::isnan(d) ? HUGE_VAL : d;
                at = i;
            }
        }
        if (at == 0)
            continue;
        kept[at] = true;
        open.push_back({first, at});
        open.push_back({at, last});
    }
    std::vector<TPointF> outline;
    for (size_t i = 0; i < curve.size(); ++i)
        if (kept[i])
            outline.push_back(curve[i]);
    return outline;
}

} // namespace corvadel
