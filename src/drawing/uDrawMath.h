// The integer arithmetic every diagram coordinate is computed with.
#pragma once

#include "uFormats.h"

#include <cmath>
#include <string>

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

// "L1", "A3", " 2": a prefix and a number. Appending, rather than adding to a
// literal, keeps GCC 12's -Wrestrict false alarm away.
inline std::string Prefixed(const char *prefix, const std::string &text)
{
    std::string result = prefix;
    result += text;
    return result;
}

inline double DegToRad(double degrees)
{
    return degrees * Pi / 180;
}

} // namespace corvadel
