#include "uCurveOutline.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

namespace corvadel {
namespace {

// Distance from `p` to the nearest segment of `outline`.
double DistanceFromOutline(const TPointF &p, const std::vector<TPointF> &outline)
{
    double nearest = HUGE_VAL;
    for (size_t i = 0; i + 1 < outline.size(); ++i) {
        const TPointF &a = outline[i], &b = outline[i + 1];
        const double dx = b.X - a.X, dy = b.Y - a.Y;
        const double length2 = dx * dx + dy * dy;
        const double t = length2 > 0 ? std::fmax(0, std::fmin(1, ((p.X - a.X) * dx + (p.Y - a.Y) * dy) / length2)) : 0;
        nearest = std::fmin(nearest, std::hypot(p.X - a.X - t * dx, p.Y - a.Y - t * dy));
    }
    return nearest;
}

std::vector<TPointF> Sampled(int count, const std::function<double(double)> &y)
{
    std::vector<TPointF> points;
    for (int i = 0; i < count; ++i)
        points.push_back({double(i), y(double(i))});
    return points;
}

TEST(CurveOutline, KeepsTheEndsAndEveryPointWithinTheTolerance)
{
    const struct {
        const char *Name;
        std::vector<TPointF> Curve;
        size_t MostPoints; // what the outline may keep at most
    } cases[] = {
        {"straight line", Sampled(500, [](double x) { return 2 * x + 3; }), 2},
        // A wire hanging 80 px over 500 px, sampled at every pixel.
        {"sagging wire", Sampled(500, [](double x) { return 80 * (1 - std::pow((x - 250) / 250, 2)); }), 80},
        // Loads put corners in the wire: each corner stays.
        {"wire with corners", Sampled(500, [](double x) { return std::fabs(std::fmod(x, 100) - 50); }), 11},
        {"two points", Sampled(2, [](double x) { return x; }), 2},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Name);
        const std::vector<TPointF> outline = CurveOutline(c.Curve, 0.05);
        ASSERT_GE(outline.size(), 2u);
        EXPECT_LE(outline.size(), c.MostPoints);
        EXPECT_EQ(outline.front().X, c.Curve.front().X);
        EXPECT_EQ(outline.back().X, c.Curve.back().X);
        for (const TPointF &point : c.Curve)
            EXPECT_LE(DistanceFromOutline(point, outline), 0.05) << point.X;
    }
}

TEST(CurveOutline, PointsThatCannotBeMeasuredAreKept)
{
    std::vector<TPointF> curve = Sampled(20, [](double x) { return x; });
    curve[7].Y = std::numeric_limits<double>::quiet_NaN();
    const std::vector<TPointF> outline = CurveOutline(curve, 0.05);
    EXPECT_EQ(std::count_if(outline.begin(), outline.end(), [](const TPointF &p) { return std::isnan(p.Y); }), 1);
}

} // namespace
} // namespace corvadel
