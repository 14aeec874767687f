#include "uRotate.h"

#include <cmath>
#include <vector>

namespace corvadel {

namespace {

// The column terms of the mapping, evaluated once per column in the same
// order as the full expression so the truncation matches it exactly.
struct TColumnTerms {
    std::vector<double> X; // cx + cos a (i - cx)
    std::vector<double> Y; // cy + sin a (i - cx)
};

TColumnTerms ColumnTerms(int width, double cx, double cy, double cosA, double sinA)
{
    TColumnTerms terms;
    terms.X.resize(static_cast<size_t>(width));
    terms.Y.resize(static_cast<size_t>(width));
    for (int i = 0; i < width; ++i) {
        terms.X[static_cast<size_t>(i)] = cx + cosA * (i - cx);
        terms.Y[static_cast<size_t>(i)] = cy + sinA * (i - cx);
    }
    return terms;
}

} // namespace

void RotatePixels(const TPixelRows &source, const TPixelRows &target, double angle, std::uint32_t background,
                  std::uint32_t colorMask)
{
    const int width = source.Width;
    const int height = source.Height;
    const double cx = width / 2.0;
    const double cy = height / 2.0;
    const double cosA = std::cos(angle);
    const double sinA = std::sin(angle);
    const TColumnTerms columns = ColumnTerms(width, cx, cy, cosA, sinA);
    const std::uint32_t plain = background & colorMask;

    for (int j = 0; j < height; ++j) {
        const std::uint32_t *row = source.Row(j);
        const double rowX = sinA * (j - cy);
        const double rowY = cosA * (j - cy);
        for (int i = 0; i < width; ++i) {
            const std::uint32_t pixel = row[i];
            if ((pixel & colorMask) == plain)
                continue;
            const double x = std::trunc(columns.X[static_cast<size_t>(i)] - rowX);
            const double y = std::trunc(columns.Y[static_cast<size_t>(i)] + rowY);
            if (!(x >= 0 && y >= 0 && x < width && y < height)) // also drops NaN
                continue;
            target.Row(static_cast<int>(y))[static_cast<int>(x)] = pixel;
        }
    }
}

} // namespace corvadel
