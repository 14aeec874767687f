// Plane geometry of a sequence's plan: triangle and quadrilateral solvers,
// the plan checks and the pole distances and pole angles derived from them.
#pragma once

#include <functional>
#include <vector>

namespace corvadel {

class TWireConfiguration;

// Whether the ring loop of a Delta or a Box closes: the sum of its ring
// angles and, in a Delta, the ring triangle of L2, L3 and A2 against L5.
struct TPlanClosure {
    std::vector<int> LoopAngles; // the An that must add up to 360 degrees; none in the open types
    double LoopSum = 0; // degrees
    bool LoopCloses = true;
    bool HasRingTriangle = false;
    double RingTriangleSide = 0; // feet: the L5 that L2, L3 and A2 give
    bool RingTriangleCloses = true;

    bool Closes() const { return LoopCloses && RingTriangleCloses; }
};

// Stateless; every angle is in radians. Each solver returns false instead of
// producing a non-finite value (an arc cosine or arc sine argument outside
// -1..1, a negative square root, a division by zero).
class TGeometry
{
public:
    // Sides a, b, c: the angle between a and b (opposite c), between a and c
    // (opposite b), and the third one (between b and c).
    static bool SolveSSS(double a, double b, double c, double &angleAB, double &angleAC, double &angleBC);
    // Angle gamma between sides b and c: the side a opposite gamma, then the
    // angle between a and b and the angle between a and c.
    static bool SolveSAS(double gamma, double b, double c, double &a, double &angleAB, double &angleAC);
    // Angle alpha opposite side c: beta opposite b (its supplement when
    // obtuse), gamma = pi - alpha - beta between b and c, and the side
    // opposite gamma. False also when alpha and beta leave no third angle.
    static bool SolveSSA(bool obtuse, double alpha, double b, double c, double &beta, double &gamma, double &side);
    // Angles alpha, beta, gamma and side d opposite gamma: the side s opposite
    // beta, and the side opposite alpha, which lies between s and d.
    static bool SolveAAS(double alpha, double beta, double gamma, double d, double &s, double &side);

    // Quadrilaterals cut by a diagonal into two triangles (interior angles add
    // up to 2 pi). Angle b lies between sides d and e; the diagonal joins the
    // far ends of d and e.
    //
    // Angle a at the far end of d, between d and c: the fourth side, the angle
    // p between it and c, and the last angle (between it and e).
    static bool SolveQuadSASA(double a, double b, double c, double d, double e, double &side, double &p, double &last);
    // Angle a at the far end of e, between e and the unknown fourth side; c
    // joins the far end of d: the angle p between c and the fourth side, the
    // fourth side and the last angle (between d and c).
    static bool SolveQuadSSA(bool obtuse, double a, double b, double c, double d, double e, double &side, double &p,
                             double &last);
    // Angle a opposite the diagonal, between c (at the far end of d) and the
    // fourth side: the angle p between d and c, the fourth side and the last
    // angle (between the fourth side and e).
    static bool SolveQuadASSA(bool obtuse, double a, double b, double c, double d, double e, double &side, double &p,
                              double &last);
    // Angle a between d and e, sides b and c closing the figure (c at the far
    // end of d): the angle p between d and c, q between c and b, and the last
    // angle (between b and e).
    static bool SolveQuadSSS(double a, double b, double c, double d, double e, double &p, double &q, double &last);
    // Angle d between sides e and f; c the angle at the far end of e, a at the
    // far end of f, b the fourth angle: the side at the far end of e
    // (sideFromE) and the side at the far end of f (sideFromF).
    static bool SolveQuadAAS(double a, double b, double c, double d, double e, double f, double &sideFromE,
                             double &sideFromF);
    // Length x of side e such that SolveQuadAAS(a, b, c, d, x, f) returns e as
    // its sideFromE; `other` receives the sideFromF of that solution. False when
    // the two unknown sides are parallel or the search does not settle.
    static bool SearchQuadSide(double a, double b, double c, double d, double e, double f, double &x, double &other);

    // Every span of the type has a nonzero length.
    static bool IsComplete(const TWireConfiguration &sequence);
    // The lengths and angles describe a plan of the sequence's type.
    static bool IsValid(const TWireConfiguration &sequence);
    // The closing rules of IsValid with the values they test.
    static TPlanClosure Closure(const TWireConfiguration &sequence);
    // The same for a plan of `type` given by its lengths (feet) and angles
    // (degrees) by span number.
    static TPlanClosure Closure(int type, const std::function<double(int)> &lengthOf,
                                const std::function<double(int)> &angleOf);
    // Pole distances and every pole's PlanAngle; false, changing nothing, when
    // the plan is not valid.
    static bool ComputePlanLayout(TWireConfiguration &sequence);
};

} // namespace corvadel
