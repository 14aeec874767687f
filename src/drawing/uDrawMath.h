// The integer arithmetic every diagram coordinate is computed with.
#pragma once

#include "uFormats.h"

#include <cmath>

namespace corvadel {

// Nearest integer, halves to even (the default rounding mode). Values far
// outside any picture are clamped so no typed length can overflow.
inline int RoundHalfEven(double value)
{
    constexpr double Limit = 1e9;
    if (std::isnan(value))
        return 0;
    if (value > Limit)
        return static_cast<int>(Limit);
    if (value < -Limit)
        return -static_cast<int>(Limit);
    return static_cast<int>(std::nearbyint(value));
}

inline double DegToRad(double degrees)
{
    return degrees * Pi / 180;
}

} // namespace corvadel
