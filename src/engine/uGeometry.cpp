#include "uGeometry.h"

#include "uFormats.h"
#include "uPlanLayout.h"
#include "uWires.h"

#include <cmath>
#include <utility>
#include <vector>

namespace corvadel {

namespace {

constexpr double TwoPi = 2 * Pi;
// Rounding may push the cosine of a flat triangle just past one.
constexpr double RoundingSlack = 1e-12;

bool ArcCos(double x, double &angle)
{
    if (!std::isfinite(x) || std::fabs(x) > 1 + RoundingSlack)
        return false;
    angle = std::acos(std::fmax(-1.0, std::fmin(1.0, x)));
    return true;
}

bool ArcSin(double x, double &angle)
{
    if (!std::isfinite(x) || std::fabs(x) > 1 + RoundingSlack)
        return false;
    angle = std::asin(std::fmax(-1.0, std::fmin(1.0, x)));
    return true;
}

// What a plan of each type must satisfy, beyond nonzero lengths.
struct TPlanRules {
    std::vector<int> AnglesWithin0To90;
    std::vector<std::pair<int, int>> NotBothZero;
    std::vector<int> LoopAngles; // must add up to 2 pi
    bool RingTriangleCloses = false;
};

const TPlanRules &PlanRules(int type)
{
    static const std::vector<TPlanRules> rules = {
        {},
        {},
        {{1, 2}, {{1, 2}}, {}, false},
        {{1, 2, 3, 4}, {{1, 2}, {3, 4}}, {}, false},
        {{1, 3, 5}, {}, {2, 4, 6}, true},
        {{1, 2, 3, 4, 5, 6}, {{1, 2}, {3, 4}, {5, 6}}, {}, false},
        {{1, 3, 5, 8}, {}, {2, 4, 6, 7}, false},
    };
    return rules[IsSequenceType(type) ? static_cast<size_t>(type) : 0];
}

double LengthOf(const TWireConfiguration &sequence, int number)
{
    const TBaseWire *span = sequence.Spans.FindByNumber(number);
    return span ? span->Length : 0;
}

double AngleOf(const TWireConfiguration &sequence, int number)
{
    const TBaseWire *span = sequence.Spans.FindByNumber(number);
    return span ? span->Angle : 0;
}

} // namespace

bool TGeometry::SolveSSS(double a, double b, double c, double &angleAB, double &angleAC, double &angleBC)
{
    double ab = 0, ac = 0;
    if (!ArcCos((a * a + b * b - c * c) / (2 * a * b), ab) || !ArcCos((a * a + c * c - b * b) / (2 * a * c), ac))
        return false;
    angleAB = ab;
    angleAC = ac;
    angleBC = Pi - ab - ac;
    return true;
}

bool TGeometry::SolveSAS(double gamma, double b, double c, double &a, double &angleAB, double &angleAC)
{
    const double square = b * b + c * c - 2 * b * c * std::cos(gamma);
    if (!std::isfinite(square) || square < -RoundingSlack)
        return false;
    const double side = std::sqrt(std::fmax(0.0, square));
    double ab = 0, ac = 0, third = 0;
    if (!SolveSSS(side, b, c, ab, ac, third))
        return false;
    a = side;
    angleAB = ab;
    angleAC = ac;
    return true;
}

bool TGeometry::SolveSSA(bool obtuse, double alpha, double b, double c, double &beta, double &gamma, double &side)
{
    double angle = 0;
    if (!ArcSin(std::sin(alpha) * b / c, angle))
        return false;
    if (obtuse)
        angle = Pi - angle;
    const double third = Pi - alpha - angle;
    if (third <= 0) // the two angles leave no room for a triangle
        return false;
    double a = 0, ab = 0, ac = 0;
    if (!SolveSAS(third, b, c, a, ab, ac))
        return false;
    beta = angle;
    gamma = third;
    side = a;
    return true;
}

bool TGeometry::SolveAAS(double alpha, double beta, double gamma, double d, double &s, double &side)
{
    const double opposite = std::sin(beta) * d / std::sin(gamma);
    if (!std::isfinite(opposite))
        return false;
    double a = 0, ab = 0, ac = 0;
    if (!SolveSAS(alpha, opposite, d, a, ab, ac))
        return false;
    s = opposite;
    side = a;
    return true;
}

bool TGeometry::SolveQuadSASA(double a, double b, double c, double d, double e, double &side, double &p, double &last)
{
    double diagonal = 0, t1 = 0, t2 = 0;
    if (!SolveSAS(b, d, e, diagonal, t1, t2))
        return false;
    double fourth = 0, atC = 0, atDiagonal = 0;
    if (!SolveSAS(a - t1, c, diagonal, fourth, atC, atDiagonal))
        return false;
    side = fourth;
    p = atC;
    last = TwoPi - b - a - atC;
    return true;
}

bool TGeometry::SolveQuadSSA(bool obtuse, double a, double b, double c, double d, double e, double &side, double &p,
                             double &last)
{
    double diagonal = 0, t1 = 0, t2 = 0;
    if (!SolveSAS(b, d, e, diagonal, t1, t2))
        return false;
    double beta = 0, gamma = 0, fourth = 0;
    if (!SolveSSA(obtuse, a - t2, diagonal, c, beta, gamma, fourth))
        return false;
    side = fourth;
    p = beta;
    last = TwoPi - b - beta - a;
    return true;
}

bool TGeometry::SolveQuadASSA(bool obtuse, double a, double b, double c, double d, double e, double &side, double &p,
                              double &last)
{
    double diagonal = 0, t1 = 0, t2 = 0;
    if (!SolveSAS(b, d, e, diagonal, t1, t2))
        return false;
    double beta = 0, gamma = 0, fourth = 0;
    if (!SolveSSA(obtuse, a, c, diagonal, beta, gamma, fourth))
        return false;
    side = fourth;
    p = t1 + gamma;
    last = TwoPi - b - p - a;
    return true;
}

bool TGeometry::SolveQuadSSS(double a, double b, double c, double d, double e, double &p, double &q, double &last)
{
    double diagonal = 0, t1 = 0, t2 = 0;
    if (!SolveSAS(a, d, e, diagonal, t1, t2))
        return false;
    double bc = 0, bDiagonal = 0, r = 0;
    if (!SolveSSS(b, c, diagonal, bc, bDiagonal, r))
        return false;
    p = t1 + r;
    q = bc;
    last = TwoPi - a - p - q;
    return true;
}

bool TGeometry::SolveQuadAAS(double a, double b, double c, double d, double e, double f, double &sideFromE,
                             double &sideFromF)
{
    double diagonal = 0, t1 = 0, t2 = 0;
    if (!SolveSAS(d, e, f, diagonal, t1, t2))
        return false;
    return SolveAAS(c - t1, a - t2, b, diagonal, sideFromE, sideFromF);
}

bool TGeometry::SearchQuadSide(double a, double b, double c, double d, double e, double f, double &x, double &other)
{
    constexpr double Tolerance = 0.001;
    if (std::fabs(d + a - Pi) < Tolerance || std::fabs(c + b - Pi) < Tolerance)
        return false;
    double trial = 1, lower = 0;
    for (int iteration = 0; iteration <= 10000; ++iteration) {
        double side = 0, opposite = 0;
        if (!SolveQuadAAS(a, b, c, d, trial, f, side, opposite))
            return false;
        if (std::fabs(side - e) < Tolerance) {
            x = trial;
            other = opposite;
            return true;
        }
        if ((side > e && d + a > Pi) || (side < e && d + a < Pi)) {
            trial = (trial + lower) / 2;
        } else {
            lower = trial;
            trial *= 2;
        }
    }
    return false;
}

bool TGeometry::IsComplete(const TWireConfiguration &sequence)
{
    for (const TSpanNodes &nodes : sequence.Topology().Spans)
        if (LengthOf(sequence, nodes.Number) == 0)
            return false;
    return true;
}

bool TGeometry::IsValid(const TWireConfiguration &sequence)
{
    if (!IsSequenceType(sequence.SequenceType))
        return false;
    for (const TSpanNodes &nodes : sequence.Topology().Spans) {
        const double length = LengthOf(sequence, nodes.Number);
        if (length == 0 || !std::isfinite(length))
            return false;
    }
    const TPlanRules &rules = PlanRules(sequence.SequenceType);
    for (int number : rules.AnglesWithin0To90) {
        const double angle = AngleOf(sequence, number);
        if (!(angle >= 0 && angle <= 90))
            return false;
    }
    for (const auto &[first, second] : rules.NotBothZero)
        if (AngleOf(sequence, first) == 0 && AngleOf(sequence, second) == 0)
            return false;
    return Closure(sequence).Closes();
}

TPlanClosure TGeometry::Closure(const TWireConfiguration &sequence)
{
    return Closure(
        sequence.SequenceType, [&sequence](int number) { return LengthOf(sequence, number); },
        [&sequence](int number) { return AngleOf(sequence, number); });
}

TPlanClosure TGeometry::Closure(int type, const std::function<double(int)> &lengthOf,
                                const std::function<double(int)> &angleOf)
{
    const TPlanRules &rules = PlanRules(type);
    TPlanClosure closure;
    closure.LoopAngles = rules.LoopAngles;
    if (!rules.LoopAngles.empty()) {
        double sum = 0;
        for (int number : rules.LoopAngles) {
            sum += angleOf(number) * Pi / 180;
            closure.LoopSum += angleOf(number);
        }
        closure.LoopCloses = std::fabs(sum - TwoPi) <= 0.001;
    }
    if (rules.RingTriangleCloses) {
        const double l2 = lengthOf(2), l3 = lengthOf(3), l5 = lengthOf(5);
        const double a2 = angleOf(2) * Pi / 180;
        const double square = l2 * l2 + l3 * l3 - 2 * l2 * l3 * std::cos(Pi - a2);
        closure.HasRingTriangle = true;
        closure.RingTriangleSide = std::sqrt(std::fmax(0.0, square));
        closure.RingTriangleCloses = std::fabs(square - l5 * l5) <= 0.001;
    }
    return closure;
}

bool TGeometry::ComputePlanLayout(TWireConfiguration &sequence)
{
    if (!IsValid(sequence))
        return false;
    const TPlanLayout layout(sequence);
    if (!layout.IsFinite())
        return false;
    const TSequenceTopology &topology = sequence.Topology();
    const TPlanShape &plan = PlanShape(sequence.SequenceType);
    std::vector<double> distances;
    for (const TPolePair &pair : topology.PoleDistances)
        distances.push_back(layout.Distance(pair.PoleA, pair.PoleB));
    std::vector<std::pair<TBasePole *, double>> angles;
    for (TBasePole *pole : sequence.Poles) {
        if (pole->IsRing || pole->Number < 1 || pole->Number > 5)
            continue;
        angles.emplace_back(pole, layout.PoleAngle(pole->Number, plan.AngleNeighbour[pole->Number - 1]) * RadToDeg);
    }
    for (double distance : distances)
        if (!std::isfinite(distance))
            return false;
    for (const auto &[pole, angle] : angles)
        if (!std::isfinite(angle))
            return false;

    for (int i = 0; i < sequence.PoleDistances.Count() && i < static_cast<int>(distances.size()); ++i) {
        TPoleDistance *entry = sequence.PoleDistances.Objects(i);
        entry->Index = i + 1;
        entry->Distance = distances[static_cast<size_t>(i)];
    }
    for (const auto &[pole, angle] : angles)
        pole->PlanAngle = angle;
    return true;
}

} // namespace corvadel
