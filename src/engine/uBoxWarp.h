// The plan a Box takes when its rings move until the system balances.
//
// With the poles fixed and every span length fixed a Box is rigid, so the
// rings can only move if some span lengths give. The poles and rings 100,
// 102 and 103 stay where the entered plan puts them; span 8 turns about pole
// two, keeping its length, and carries ring 101 along an arc until ring 101
// balances. Spans 2 and 7 take the lengths that ring 101's new place gives.
// One unknown (the turn) and one equation (the rotation pole two still
// needs is zero): a bracketed root search.
#pragma once

#include <array>
#include <functional>
#include <optional>

namespace corvadel {

class TWireConfiguration;

// Values per span or pole number; index 0 is unused.
using TSpanValues = std::array<double, 9>;
using TPoleValues = std::array<double, 6>;

struct TBoxFigure {
    double Turn = 0; // radians, counterclockwise, of span 8 about pole two
    TSpanValues Angles {}; // radians, A1..A8
    TSpanValues Lengths {}; // feet, L1..L8
    // At P1..P4 the angle (radians) between the pole's span and the line to
    // the pole its PlanAngle is measured to.
    TPoleValues PoleAngles {};
};

class TBoxWarp
{
public:
    // Turn between two tries of the search, degrees.
    static constexpr double SearchStep = 0.5;
    // The search goes this far either way, degrees.
    static constexpr double LargestTurn = 180;
    // The rotation a balanced figure may still need, degrees.
    static constexpr double Balanced = 1e-6;

    // The rotation of pole two (degrees) that balance still needs with the
    // given angles (radians); nothing when the tension relations cannot hold.
    using TRotationOf = std::function<std::optional<double>(const TSpanValues &angles)>;

    // The balanced figure reached with the smallest turn of span 8, either
    // way; nothing when no turn gives a Box that validation accepts and
    // `rotationOf` balances. The sequence's entered plan must be valid.
    static std::optional<TBoxFigure> Balance(const TWireConfiguration &sequence, const TRotationOf &rotationOf);
};

} // namespace corvadel
