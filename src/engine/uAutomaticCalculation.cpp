#include "uAutomaticCalculation.h"

#include "uFormats.h"
#include "uGeometry.h"
#include "uTopology.h"

#include <bit>
#include <cmath>

namespace corvadel {

namespace {

// The ring in cyclic order: Interior[i] lies between Side[i] and
// Side[i + 1]. Delta: sides L2, L3, L5 and angles A2, A4, A6; Box: sides
// L2, L3, L5, L7 and angles A2, A4, A6, A7; an index is a selection bit.
struct TRing {
    std::vector<double> Side;
    std::vector<double> Interior;

    int Count() const { return int(Side.size()); }
    double &S(int i) { return Side[size_t(Wrap(i))]; }
    double &V(int i) { return Interior[size_t(Wrap(i))]; }
    int Wrap(int i) const { return ((i % Count()) + Count()) % Count(); }

    // The one angle not entered, from the angle sum (n - 2) pi.
    void CompleteAngles(int angleBits)
    {
        double sum = 0;
        int missing = 0;
        for (int i = 0; i < Count(); ++i) {
            if (angleBits & (1 << i))
                sum += Interior[size_t(i)];
            else
                missing = i;
        }
        Interior[size_t(missing)] = (Count() - 2) * Pi - sum;
    }

    bool IsFigure() const
    {
        for (double side : Side)
            if (!std::isfinite(side) || side <= 0)
                return false;
        for (double angle : Interior)
            if (!std::isfinite(angle) || angle <= 0 || angle >= Pi)
                return false;
        return Closes();
    }

    // Walking the sides, turning by pi - interior at each corner, comes back
    // to the start (the side search settles within 0.001 ft).
    bool Closes() const
    {
        double x = 0, y = 0, heading = 0, perimeter = 0;
        for (int i = 0; i < Count(); ++i) {
            x += Side[size_t(i)] * std::cos(heading);
            y += Side[size_t(i)] * std::sin(heading);
            heading += Pi - Interior[size_t(i)];
            perimeter += Side[size_t(i)];
        }
        return std::hypot(x, y) <= 0.01 + 1e-9 * perimeter;
    }
};

int BitIndex(int bits)
{
    return std::countr_zero(unsigned(bits));
}

// The missing item of a set with one bit clear.
int MissingIndex(int bits, int count)
{
    return BitIndex(~bits & ((1 << count) - 1));
}

std::string AngleName(int type, int index)
{
    return "A" + std::to_string(TAutomaticCalculation::AngleSpans(type)[size_t(index)]);
}

// Triangle T0 = L2, T1 = L3, T2 = L5; U[j] lies between T[j] and T[j + 1]
// and opposite T[j + 2].
bool SolveTriangle(int lengthBits, int angleBits, const TAngleQuestion &ask, TRing &r)
{
    switch (std::popcount(unsigned(lengthBits))) {
    case 3:
        return TGeometry::SolveSSS(r.S(2), r.S(1), r.S(0), r.V(1), r.V(2), r.V(0));
    case 1: {
        const int i = BitIndex(lengthBits);
        r.CompleteAngles(angleBits);
        return TGeometry::SolveAAS(r.V(i), r.V(i + 2), r.V(i + 1), r.S(i), r.S(i + 1), r.S(i + 2));
    }
    default: {
        const int i = r.Wrap(MissingIndex(lengthBits, 3) + 1); // known T[i], T[i + 1]
        const int entered = BitIndex(angleBits);
        if (entered == i) // between the two entered sides
            return TGeometry::SolveSAS(r.V(i), r.S(i), r.S(i + 1), r.S(i + 2), r.V(i + 2), r.V(i + 1));
        // Two triangles fit: the user says which by the other angle at a known side.
        const int named = entered == r.Wrap(i + 1) ? r.Wrap(i + 2) : r.Wrap(i + 1);
        const bool obtuse = !ask(AngleName(stDelta, named));
        return TGeometry::SolveSSA(obtuse, r.V(entered), r.S(named + 2), r.S(entered + 2), r.V(named), r.V(i),
                                   r.S(i + 2));
    }
    }
}

// A view of the quadrilateral with S(0), S(1), S(2) known and S(3) missing,
// read forward from side k or mirrored about the middle known side.
struct TQuadFrame {
    TRing &Ring;
    int K;
    bool Mirrored;
    double &S(int j) { return Ring.S(Mirrored ? K + 2 - j : K + j); }
    double &V(int j) { return Ring.V(Mirrored ? K + 1 - j : K + j); }
};

enum class TQuadKind { Direct, SSA, ASSA, NotSolvable };

struct TQuadPlan {
    TQuadKind Kind;
    bool Mirrored;
};

// Three lengths and two angles: which solver fits, by where the entered
// angles lie relative to the known sides k, k + 1, k + 2.
TQuadPlan PlanThreeLengths(int lengthBits, int angleBits, int &k)
{
    k = (MissingIndex(lengthBits, 4) + 1) % 4;
    int offsets = 0;
    for (int i = 0; i < 4; ++i)
        if (angleBits & (1 << i))
            offsets |= 1 << ((i - k + 4) % 4);
    switch (offsets) {
    case 0b0011: return {TQuadKind::Direct, false};
    case 0b1001: return {TQuadKind::SSA, false};
    case 0b0110: return {TQuadKind::SSA, true};
    case 0b0101: return {TQuadKind::ASSA, false};
    case 0b1010: return {TQuadKind::ASSA, true};
    default: return {TQuadKind::NotSolvable, false}; // both angles at the missing side
    }
}

TCompletion SolveQuadrilateral(int lengthBits, int angleBits, bool solutionB, TRing &r)
{
    const auto result = [](bool solved) { return solved ? TCompletion::Solved : TCompletion::Failed; };
    switch (std::popcount(unsigned(lengthBits))) {
    case 4: {
        // Cut off the entered angle: it lies between S(k) and S(k + 1).
        const int k = BitIndex(angleBits);
        return result(TGeometry::SolveQuadSSS(r.V(k), r.S(k + 3), r.S(k + 2), r.S(k + 1), r.S(k), r.V(k + 1),
                                              r.V(k + 2), r.V(k + 3)));
    }
    case 3: {
        int k = 0;
        const TQuadPlan plan = PlanThreeLengths(lengthBits, angleBits, k);
        TQuadFrame f{r, k, plan.Mirrored};
        switch (plan.Kind) {
        case TQuadKind::Direct:
            return result(TGeometry::SolveQuadSASA(f.V(1), f.V(0), f.S(2), f.S(1), f.S(0), f.S(3), f.V(2), f.V(3)));
        case TQuadKind::SSA:
            return result(TGeometry::SolveQuadSSA(solutionB, f.V(3), f.V(0), f.S(2), f.S(1), f.S(0), f.S(3), f.V(2),
                                                  f.V(1)));
        case TQuadKind::ASSA:
            return result(TGeometry::SolveQuadASSA(solutionB, f.V(2), f.V(0), f.S(2), f.S(1), f.S(0), f.S(3),
                                                   f.V(1), f.V(3)));
        case TQuadKind::NotSolvable:
            return TCompletion::Failed;
        }
        return TCompletion::Failed;
    }
    default: {
        r.CompleteAngles(angleBits);
        // S(k) known and the angle V(k) at its far end; the diagonal cuts it off.
        if (lengthBits == 0b0101 || lengthBits == 0b1010) {
            const int k = BitIndex(lengthBits);
            if (std::fabs(r.V(k) + r.V(k + 3) - Pi) < 0.001)
                return TCompletion::Parallel;
            return result(TGeometry::SearchQuadSide(r.V(k + 3), r.V(k + 2), r.V(k + 1), r.V(k), r.S(k + 2), r.S(k),
                                                    r.S(k + 1), r.S(k + 3)));
        }
        const int k = lengthBits == 0b1001 ? 3 : BitIndex(lengthBits);
        return result(TGeometry::SolveQuadAAS(r.V(k + 3), r.V(k + 2), r.V(k + 1), r.V(k), r.S(k + 1), r.S(k),
                                              r.S(k + 2), r.S(k + 3)));
    }
    }
}

} // namespace

const std::vector<int> &TAutomaticCalculation::LengthSpans(int type)
{
    static const std::vector<int> delta{2, 3, 5}, box{2, 3, 5, 7}, none;
    return type == stDelta ? delta : type == stBox ? box : none;
}

const std::vector<int> &TAutomaticCalculation::AngleSpans(int type)
{
    static const std::vector<int> delta{2, 4, 6}, box{2, 4, 6, 7}, none;
    return type == stDelta ? delta : type == stBox ? box : none;
}

int TAutomaticCalculation::SelectionCode(int type, int lengthBits, int angleBits)
{
    // The counts of entered lengths and angles that fix the figure.
    struct TCounts {
        int Lengths, Angles;
    };
    static const std::vector<TCounts> delta{{3, 0}, {2, 1}, {1, 2}}, box{{4, 1}, {3, 2}, {2, 3}};
    const int count = int(LengthSpans(type).size());
    if (count == 0 || lengthBits < 0 || angleBits < 0 || lengthBits >= (1 << count) || angleBits >= (1 << count))
        return 0;
    const int lengths = std::popcount(unsigned(lengthBits)), angles = std::popcount(unsigned(angleBits));
    for (const TCounts &valid : type == stDelta ? delta : box)
        if (valid.Lengths == lengths && valid.Angles == angles)
            return lengthBits * 16 + angleBits;
    return 0;
}

bool TAutomaticCalculation::HasTwoSolutions(int type, int code)
{
    if (type != stBox || code == 0 || std::popcount(unsigned(code / 16)) != 3)
        return false;
    int k = 0;
    const TQuadKind kind = PlanThreeLengths(code / 16, code % 16, k).Kind;
    return kind == TQuadKind::SSA || kind == TQuadKind::ASSA;
}

TCompletion TAutomaticCalculation::Complete(int type, int code, bool solutionB, const TAngleQuestion &isRightOrObtuse,
                                            TPlanValues &values)
{
    const int lengthBits = code / 16, angleBits = code % 16;
    if (SelectionCode(type, lengthBits, angleBits) == 0)
        return TCompletion::Failed;
    const std::vector<int> &lengthSpans = LengthSpans(type), &angleSpans = AngleSpans(type);
    if (values.Lengths.size() < size_t(lengthSpans.back()) || values.Angles.size() < size_t(angleSpans.back()))
        return TCompletion::Failed;

    TRing ring;
    for (size_t i = 0; i < lengthSpans.size(); ++i) {
        ring.Side.push_back(values.Lengths[size_t(lengthSpans[i] - 1)]);
        ring.Interior.push_back(Pi - values.Angles[size_t(angleSpans[i] - 1)]);
    }
    TCompletion outcome = TCompletion::Failed;
    if (type == stDelta) {
        outcome = SolveTriangle(lengthBits, angleBits, isRightOrObtuse, ring) ? TCompletion::Solved
                                                                              : TCompletion::Failed;
    } else {
        outcome = SolveQuadrilateral(lengthBits, angleBits, solutionB, ring);
    }
    if (outcome != TCompletion::Solved)
        return outcome;
    if (!ring.IsFigure())
        return TCompletion::Failed;
    for (size_t i = 0; i < lengthSpans.size(); ++i) {
        values.Lengths[size_t(lengthSpans[i] - 1)] = ring.Side[i];
        values.Angles[size_t(angleSpans[i] - 1)] = Pi - ring.Interior[i];
    }
    return TCompletion::Solved;
}

} // namespace corvadel
