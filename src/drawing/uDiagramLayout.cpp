#include "uDiagramLayout.h"

#include "uDrawMath.h"
#include "uWires.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace corvadel {

namespace {

constexpr int P1 = 1, P2 = 2, P3 = 3, P4 = 4, P5 = 5;
constexpr int J1 = 100, J2 = 101, J3 = 102, J4 = 103;

int R(double value)
{
    return RoundHalfEven(value);
}

// Each point is an earlier point plus rounded terms, so rounding accumulates
// along the chain; the products keep the order cos A x L x s.

void PlaceSimple(const TDiagramShape &, TPoint, double, TSize image, TDiagramPoints &p)
{
    p.Node(P1) = {image.Width / 4, image.Height / 2};
    p.Node(P2) = {image.Width / 4 + image.Width / 2, image.Height / 2};
}

void PlaceWYE(const TDiagramShape &g, TPoint origin, double s, TSize, TDiagramPoints &p)
{
    const auto &L = g.L;
    const auto &A = g.A;
    const TPoint j1{origin.X + R(std::cos(A[1]) * L[1] * s), origin.Y + R(std::sin(A[1]) * L[1] * s)};
    p.Node(P1) = origin;
    p.Node(J1) = j1;
    p.Node(P2) = {j1.X - R(std::cos(A[2]) * L[2] * s), j1.Y + R(std::sin(A[2]) * L[2] * s)};
    p.Node(P3) = {j1.X + R(L[3] * s), j1.Y};
    p.AngleEnds[1] = {j1.X - R(std::cos(A[1]) * L[1] * s), j1.Y};
}

void PlaceH(const TDiagramShape &g, TPoint origin, double s, TSize image, TDiagramPoints &p)
{
    PlaceWYE(g, origin, s, image, p); // P1, J1, P2 and A1 as in a WYE; J2 where the WYE has P3
    const auto &L = g.L;
    const auto &A = g.A;
    const TPoint j2 = p.Node(P3);
    p.Node(J2) = j2;
    p.Node(P3) = {j2.X + R(std::cos(A[3]) * L[4] * s), j2.Y - R(std::sin(A[3]) * L[4] * s)};
    p.Node(P4) = {j2.X + R(std::cos(A[4]) * L[5] * s), j2.Y + R(std::sin(A[4]) * L[5] * s)};
    p.AngleEnds[3] = {j2.X + R(std::cos(A[3]) * L[4] * s), j2.Y};
    p.AngleEnds[4] = {j2.X + R(std::cos(A[4]) * L[5] * s), j2.Y};
}

void PlaceDelta(const TDiagramShape &g, TPoint origin, double s, TSize, TDiagramPoints &p)
{
    const auto &L = g.L;
    const auto &A = g.A;
    const TPoint j1{origin.X + R(std::cos(A[1] + A[3]) * L[1] * s), origin.Y + R(std::sin(A[1] + A[3]) * L[1] * s)};
    // The paper shape turns span 2 by A2 - A3 and pole 2 by pi - A6 - A5,
    // which holds only for A2 = 90 + A3. To scale, span 2 leaves J1 at
    // pi - A2 from span 3 and span 6 leaves J2 at pi - A5 from span 5, as
    // the plan measures them, so the drawn ring triangle closes with L5 and
    // the pole distances are those of the plan.
    TPoint j2, p2;
    if (g.Standard) {
        j2 = {j1.X + R(std::cos(A[2] - A[3]) * L[2] * s), j1.Y + R(std::sin(A[2] - A[3]) * L[2] * s)};
        const double b = Pi - A[6] - A[5];
        p2 = {j2.X - R(std::sin(b) * L[6] * s), j2.Y + R(std::cos(b) * L[6] * s)};
    } else {
        const double toJ2 = A[3] + Pi - A[2];
        j2 = {j1.X + R(std::cos(toJ2) * L[2] * s), j1.Y + R(std::sin(toJ2) * L[2] * s)};
        const double toJ3 = std::atan2(L[3] * std::sin(A[3]) - L[2] * std::sin(toJ2),
                                       L[3] * std::cos(A[3]) - L[2] * std::cos(toJ2));
        const double toP2 = toJ3 + Pi - A[5];
        p2 = {j2.X + R(std::cos(toP2) * L[6] * s), j2.Y + R(std::sin(toP2) * L[6] * s)};
    }
    const TPoint j3{j1.X + R(std::cos(A[3]) * L[3] * s), j1.Y + R(std::sin(A[3]) * L[3] * s)};
    p.Node(P1) = origin;
    p.Node(J1) = j1;
    p.Node(J2) = j2;
    p.Node(P2) = p2;
    p.Node(J3) = j3;
    p.Node(P3) = {j3.X + R(L[4] * s), j3.Y};
    p.AngleEnds[1] = {j1.X - R(std::cos(A[3]) * L[1] * s), j1.Y - R(std::sin(A[3]) * L[1] * s)};
    p.AngleEnds[3] = {j3.X + R(std::cos(A[3]) * L[4] * s), j3.Y + R(std::sin(A[3]) * L[4] * s)};
    const double beyondJ2 = Pi - A[4] - A[3];
    p.AngleEnds[5] = {j2.X - R(std::cos(beyondJ2) * L[6] * s), j2.Y + R(std::sin(beyondJ2) * L[6] * s)};
}

void PlaceHybrid(const TDiagramShape &g, TPoint origin, double s, TSize image, TDiagramPoints &p)
{
    PlaceH(g, origin, s, image, p); // P1..P3, J1, J2 and A1, A3 as in an H; J3 where the H has P4
    const auto &L = g.L;
    const auto &A = g.A;
    const TPoint j3 = p.Node(P4);
    p.Node(J3) = j3;
    const double i = Pi / 2 - A[4] + A[5];
    p.Node(P4) = {j3.X + R(std::sin(i) * L[6] * s), j3.Y + R(std::cos(i) * L[6] * s)};
    // The paper shape turns pole 5 by pi - A4 + A6, right only for A4 = 90.
    // To scale, span 7 leaves J3 at pi - A6 from span 5, on the far side of
    // span 6, as the ring angles of the plan have it.
    if (g.Standard) {
        const double k = Pi / 2 - A[4] + A[6];
        p.Node(P5) = {j3.X - R(std::sin(k) * L[7] * s), j3.Y + R(std::cos(k) * L[7] * s)};
    } else {
        const double toP5 = A[4] + A[6];
        p.Node(P5) = {j3.X + R(std::cos(toP5) * L[7] * s), j3.Y + R(std::sin(toP5) * L[7] * s)};
    }
    p.AngleEnds[5] = {j3.X + R(std::cos(A[4]) * L[6] * s), j3.Y + R(std::sin(A[4]) * L[6] * s)};
}

void PlaceBox(const TDiagramShape &g, TPoint origin, double s, TSize, TDiagramPoints &p)
{
    const auto &L = g.L;
    const auto &A = g.A;
    const TPoint j1{origin.X + R(std::cos(A[1]) * L[1] * s), origin.Y + R(std::sin(A[1]) * L[1] * s)};
    const TPoint j3{j1.X + R(L[3] * s), j1.Y};
    const TPoint j4{j3.X + R(std::cos(A[4]) * L[5] * s), j3.Y + std::abs(R(std::sin(A[4]) * L[5] * s))};
    const TPoint j2{j1.X - R(std::cos(A[2]) * L[2] * s), j1.Y + std::abs(R(std::sin(A[2]) * L[2] * s))};
    const double i = A[8] - A[2] + Pi / 2;
    p.Node(P1) = origin;
    p.Node(J1) = j1;
    p.Node(J3) = j3;
    p.Node(P3) = {j3.X + R(std::cos(A[3]) * L[4] * s), j3.Y - R(std::sin(A[3]) * L[4] * s)};
    p.Node(J4) = j4;
    p.Node(P4) = {j4.X + R(std::cos(A[4] - A[5]) * L[6] * s), j4.Y + R(std::sin(A[4] - A[5]) * L[6] * s)};
    p.Node(J2) = j2;
    p.Node(P2) = {j2.X - R(std::sin(i) * L[8] * s), j2.Y + R(std::cos(i) * L[8] * s)};
    p.AngleEnds[1] = {j1.X - R(std::cos(A[1]) * L[1] * s), j1.Y};
    p.AngleEnds[3] = {j3.X + R(std::cos(A[3]) * L[4] * s), j3.Y};
    const double c5 = std::cos(A[5]) * L[6] * s;
    p.AngleEnds[5] = {j4.X + R(std::cos(A[4]) * c5), j4.Y + std::abs(R(std::sin(A[4]) * c5))};
    const double c8 = std::cos(A[8]) * L[8] * s;
    p.AngleEnds[7] = {j2.X - R(std::sin(Pi / 2 - A[2]) * c8), j2.Y + std::abs(R(std::cos(Pi / 2 - A[2]) * c8))};
}

TAnchor Mid(int offset) { return {TAnchorBase::Mid, offset}; }
TAnchor At(int node, int offset) { return {TAnchorBase::Node, offset, node}; }
TAnchor End(int offset) { return {TAnchorBase::AngleEnd, offset}; }
TAnchor HalfSum(int offset) { return {TAnchorBase::HalfSum, offset}; }

TDiagramItem Span(int number, int endA, int endB, int arrowOffset, TAnchor x, TAnchor y, int align)
{
    return {TItemKind::Span, number, endA, endB, arrowOffset, x, y, align};
}

// `from` is where the reference line starts, 0 for an angle with no line.
TDiagramItem Angle(int number, int from, TAnchor x, TAnchor y, int align)
{
    return {TItemKind::Angle, number, from, 0, 0, x, y, align};
}

std::vector<TDiagramTable> BuildTables()
{
    std::vector<TDiagramTable> tables(7);
    tables[stSimple] = {
        .Type = stSimple,
        .Place = PlaceSimple,
        .Fitted = false,
        .StandardLengths = {},
        .StandardAngles = {},
        .Items = {Span(1, P1, P2, 5, Mid(0), At(P1, 10), 1)},
        .Brackets = {{"T", P1, P2, true, 20, -20}},
    };
    tables[stWYE] = {
        .Type = stWYE,
        .Place = PlaceWYE,
        .StandardLengths = {150, 150, 300},
        .StandardAngles = {36, 36},
        .Items = {Span(1, P1, J1, 5, Mid(10), Mid(-20), 0), Angle(1, J1, At(J1, -25), At(J1, -15), 2),
                  Span(2, P2, J1, 5, Mid(10), Mid(10), 0), Angle(2, 0, At(J1, -25), At(J1, 5), 2),
                  Span(3, J1, P3, 5, Mid(0), At(J1, 10), 1)},
        .Brackets = {{"U", P1, P3, true, 20, -20}, {"T", P2, P1, false, -20, -20}},
    };
    tables[stH] = {
        .Type = stH,
        .Place = PlaceH,
        .StandardLengths = {100, 100, 200, 100, 100},
        .StandardAngles = {45, 45, 45, 45},
        .Items = {Span(1, P1, J1, 5, Mid(10), Mid(-15), 0), Angle(1, J1, At(J1, -25), At(J1, -15), 2),
                  Span(2, P2, J1, 5, Mid(10), Mid(5), 0), Angle(2, 0, At(J1, -25), At(J1, 5), 2),
                  Span(3, J1, J2, -5, Mid(0), At(J1, -20), 1),
                  Span(4, P3, J2, -5, Mid(-5), Mid(-20), 2), Angle(3, J2, At(J2, 25), At(J2, -15), 0),
                  Span(5, P4, J2, -5, Mid(-5), Mid(5), 2), Angle(4, J2, At(J2, 25), At(J2, 5), 0)},
        .Brackets = {{"U", P1, P3, true, 10, -20}, {"T", P2, P1, false, -10, -20},
                     {"V", P3, P4, false, 10, 20}, {"C", J1, J2, true, 20, 20}},
    };
    tables[stDelta] = {
        .Type = stDelta,
        .Place = PlaceDelta,
        .StandardLengths = {50, 120, 350, 100, 350, 50},
        .StandardAngles = {45, 90 + 10, 10, 180 - 2 * 10, 45, 90 + 10},
        .Items = {Span(1, P1, J1, 5, Mid(10), Mid(-15), 0), Angle(1, J1, At(J1, -15), End(-10), 2),
                  Span(2, J2, J1, 5, Mid(10), Mid(-10), 0), Angle(2, 0, At(J1, -15), At(J1, 15), 2),
                  Span(3, J1, J3, -5, Mid(-5), Mid(10), 1), Angle(3, J3, At(J3, 55), At(J3, 0), 0),
                  Span(4, P3, J3, -5, Mid(0), Mid(-20), 1), Angle(4, 0, At(J3, 15), At(J3, 15), 2),
                  Span(5, J2, J3, -5, Mid(0), Mid(-20), 1), Angle(5, J2, At(J2, -25), At(J2, 15), 2),
                  Span(6, P2, J2, 5, Mid(10), Mid(5), 0), Angle(6, 0, At(J2, -15), At(J2, -15), 2)},
        .Brackets = {{"U", P1, P3, true, 10, -20}, {"V", P2, P3, true, 10, 20},
                     {"C", J1, J3, true, 10, -20}, {"D", J2, J3, true, 10, 20}},
    };
    tables[stHybrid] = {
        .Type = stHybrid,
        .Place = PlaceHybrid,
        .StandardLengths = {100, 100, 200, 100, 200, 100, 100},
        .StandardAngles = {45, 45, 45, 60, 45, 45},
        .Items = {Span(1, P1, J1, 5, Mid(10), Mid(-15), 0), Angle(1, J1, At(J1, -25), At(J1, -15), 2),
                  Span(2, P2, J1, 5, Mid(10), Mid(5), 0), Angle(2, 0, At(J1, -25), At(J1, 5), 2),
                  Span(3, J1, J2, 5, Mid(0), At(J1, 10), 1),
                  Span(4, P3, J2, -5, Mid(-5), Mid(-20), 2), Angle(3, J2, At(J2, 25), At(J2, -15), 0),
                  Span(5, J3, J2, 5, Mid(25), Mid(-10), 2), Angle(4, 0, At(J2, 25), At(J2, 5), 0),
                  Span(6, P4, J3, 5, Mid(0), Mid(-20), 0), Angle(5, J3, At(J3, 30), At(J3, 30), 0),
                  Span(7, J3, P5, -5, Mid(0), Mid(-20), 2), Angle(6, 0, At(J3, 0), At(J3, 20), 2)},
        .Brackets = {{"T", P2, P1, false, -20, -20}, {"U", P1, P3, true, 20, -20},
                     {"V", P3, P4, false, 20, 20},   {"Y", P5, P4, true, 20, 15},
                     {"C", J1, J2, true, 10, -20},   {"D", J3, J2, false, -20, -10}},
    };
    tables[stBox] = {
        .Type = stBox,
        .Place = PlaceBox,
        .StandardLengths = {100, 75, 300, 100, 75, 100, 300, 100},
        .StandardAngles = {30, 90, 30, 90, 60, 90, 90, 60},
        .Items = {Span(1, P1, J1, 5, Mid(5), Mid(-20), 0), Angle(1, J1, At(J1, -30), At(J1, -15), 2),
                  Span(2, J2, J1, -5, Mid(-10), Mid(0), 2), Angle(2, 0, At(J1, -30), At(J1, 5), 2),
                  Span(3, J1, J3, 5, Mid(0), At(J1, 5), 1),
                  Span(4, P3, J3, -5, Mid(-5), Mid(-20), 2), Angle(3, J3, At(J3, 25), At(J3, -15), 0),
                  Span(5, J3, J4, 5, Mid(15), HalfSum(-20), 0), Angle(4, 0, At(J3, 25), At(J3, 5), 0),
                  Span(6, J4, P4, 5, Mid(10), Mid(-15), 0), Angle(5, J4, At(J4, 5), At(J4, 25), 0),
                  Span(7, J4, J2, -5, Mid(0), Mid(-20), 1), Angle(6, 0, At(J4, -5), At(J4, 5), 2),
                  Span(8, P2, J2, -5, Mid(-5), Mid(-20), 2), Angle(7, J2, At(J2, 10), At(J2, 5), 0),
                  Angle(8, 0, At(J2, -10), At(J2, 25), 2)},
        .Brackets = {{"T", P2, P1, false, -20, -20}, {"U", P1, P3, true, 20, -20},
                     {"V", P4, P3, false, 20, -20},  {"C", J1, J3, true, 10, -20},
                     {"D", J4, J3, false, -15, -10}, {"G", J1, J2, false, 15, 10}},
    };
    return tables;
}

struct TExtents {
    int XMin = std::numeric_limits<int>::max();
    int XMax = std::numeric_limits<int>::min();
    int YMin = std::numeric_limits<int>::max();
    int YMax = std::numeric_limits<int>::min();

    void Include(TPoint point)
    {
        XMin = std::min(XMin, point.X);
        XMax = std::max(XMax, point.X);
        YMin = std::min(YMin, point.Y);
        YMax = std::max(YMax, point.Y);
    }
};

// Every pole and ring bounds the fitting. For the standard shapes these are
// the same extremes as the type's own extent points; drawn to scale, a ring
// or pole may lie beyond those, and must not leave the picture.
TExtents ExtentsOf(const TDiagramPoints &points, int type)
{
    TExtents extents;
    for (const TPoleNode &node : Topology(type).Poles)
        extents.Include(points.Node(node.Number));
    return extents;
}

double ScaleToFit(const TExtents &e, int ww, int hh)
{
    const int width = e.XMax - e.XMin;
    const int height = e.YMax - e.YMin;
    if (width <= 0 && height <= 0)
        return 1;
    if (width <= 0)
        return static_cast<double>(hh) / height;
    if (height <= 0)
        return static_cast<double>(ww) / width;
    return std::min(static_cast<double>(hh) / height, static_cast<double>(ww) / width);
}

} // namespace

TPoint TDiagramPoints::Node(int node) const
{
    if (node >= 1 && node <= 5)
        return Poles[static_cast<size_t>(node)];
    if (node >= J1 && node <= J4)
        return Rings[static_cast<size_t>(node - J1)];
    return {};
}

TPoint &TDiagramPoints::Node(int node)
{
    if (node >= 1 && node <= 5)
        return Poles[static_cast<size_t>(node)];
    if (node >= J1 && node <= J4)
        return Rings[static_cast<size_t>(node - J1)];
    return Poles[0];
}

const TDiagramTable *DiagramTable(int type)
{
    static const std::vector<TDiagramTable> tables = BuildTables();
    return IsSequenceType(type) ? &tables[static_cast<size_t>(type)] : nullptr;
}

TDiagramShape DiagramShape(const TDiagramTable &table, const TWireConfiguration &sequence, bool entered)
{
    TDiagramShape shape;
    shape.Standard = !entered;
    if (entered) {
        for (const TBaseWire *span : sequence.Spans) {
            if (span->Number < 1 || span->Number > 8)
                continue;
            shape.L[static_cast<size_t>(span->Number)] = span->Length;
            shape.A[static_cast<size_t>(span->Number)] = DegToRad(span->Angle);
        }
        return shape;
    }
    for (size_t i = 0; i < table.StandardLengths.size(); ++i)
        shape.L[i + 1] = table.StandardLengths[i];
    for (size_t i = 0; i < table.StandardAngles.size(); ++i)
        shape.A[i + 1] = DegToRad(table.StandardAngles[i]);
    return shape;
}

TDiagramLayout::TDiagramLayout(const TDiagramTable &table, const TDiagramShape &shape, TSize image)
{
    table.Place(shape, {0, 0}, 1, image, Placed);
    if (!table.Fitted)
        return;
    const TExtents e = ExtentsOf(Placed, table.Type);
    const int ww = RoundHalfEven(0.9 * image.Width);
    const int hh = RoundHalfEven(0.8 * image.Height);
    const double scale = ScaleToFit(e, ww, hh);
    FitScale = scale;
    FitOrigin = {RoundHalfEven((ww - (e.XMax - e.XMin) * scale) / 2 + 0.05 * image.Width - scale * e.XMin),
                 RoundHalfEven((hh - scale * (e.YMax - e.YMin)) / 2 + 0.1 * image.Height - scale * e.YMin)};
    Placed = {};
    table.Place(shape, FitOrigin, scale, image, Placed);
}

TPoint TDiagramLayout::Anchor(const TDiagramItem &item, double offsetScale) const
{
    const TPoint a = Placed.Node(item.EndA);
    const TPoint b = Placed.Node(item.EndB);
    const TPoint end = Placed.AngleEnds[static_cast<size_t>(item.Number)];
    const auto coordinate = [&](const TAnchor &anchor, int TPoint::*axis) {
        const int offset = RoundHalfEven(anchor.Offset * offsetScale);
        switch (anchor.Base) {
        case TAnchorBase::Mid:
            return (a.*axis + b.*axis) / 2 + offset;
        case TAnchorBase::Node:
            return Placed.Node(anchor.Node).*axis + offset;
        case TAnchorBase::AngleEnd:
            return end.*axis + offset;
        case TAnchorBase::HalfSum:
            return (a.*axis + b.*axis + offset) / 2;
        }
        return 0;
    };
    return {coordinate(item.X, &TPoint::X), coordinate(item.Y, &TPoint::Y)};
}

} // namespace corvadel
