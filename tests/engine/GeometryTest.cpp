#include "EngineTestSupport.h"
#include "uGeometry.h"

#include <gtest/gtest.h>

#include <complex>
#include <map>

namespace corvadel {
namespace {

using test::Deg;
using test::MakeSequence;
using test::Rad;
using Point = std::complex<double>;

// Unsigned angle at `at` between the lines to p and q.
double AngleAt(Point at, Point p, Point q)
{
    return std::fabs(std::arg((q - at) / (p - at)));
}

TEST(Triangle, SolversAgreeWithAThreeFourFiveTriangle)
{
    // Sides a = 3, b = 4, c = 5: the right angle lies between a and b.
    double ab = 0, ac = 0, bc = 0;
    ASSERT_TRUE(TGeometry::SolveSSS(3, 4, 5, ab, ac, bc));
    EXPECT_NEAR(ab, Pi / 2, 1e-12);
    EXPECT_NEAR(ac, std::atan2(4, 3), 1e-12);
    EXPECT_NEAR(bc, std::atan2(3, 4), 1e-12);

    double a = 0;
    ASSERT_TRUE(TGeometry::SolveSAS(Pi / 2, 3, 4, a, ab, ac));
    EXPECT_NEAR(a, 5, 1e-12);
    EXPECT_NEAR(ab, std::atan2(4, 3), 1e-12); // between the hypotenuse and 3
    EXPECT_NEAR(ac, std::atan2(3, 4), 1e-12);

    // alpha opposite c = 5 is the right angle; beta opposite b = 4.
    double beta = 0, gamma = 0, side = 0;
    ASSERT_TRUE(TGeometry::SolveSSA(false, Pi / 2, 4, 5, beta, gamma, side));
    EXPECT_NEAR(beta, std::asin(0.8), 1e-12);
    EXPECT_NEAR(side, 3, 1e-9);

    // Law of sines: the side opposite beta.
    double s = 0;
    ASSERT_TRUE(TGeometry::SolveAAS(std::atan2(3, 4), std::atan2(4, 3), Pi / 2, 5, s, side));
    EXPECT_NEAR(s, 4, 1e-12);
    EXPECT_NEAR(side, 3, 1e-9);
}

TEST(Triangle, ImpossibleTrianglesFailInsteadOfReturningNaN)
{
    double x = 0, y = 0, z = 0;
    EXPECT_FALSE(TGeometry::SolveSSS(1, 1, 3, x, y, z)); // sides do not meet
    EXPECT_FALSE(TGeometry::SolveSSS(0, 1, 1, x, y, z));
    EXPECT_FALSE(TGeometry::SolveSSA(false, Rad(60), 10, 5, x, y, z)); // sin 60 * 10 / 5 > 1
    // The obtuse choice beside an obtuse alpha: beta + alpha exceed 180 degrees.
    EXPECT_FALSE(TGeometry::SolveSSA(true, Rad(120), 4, 5, x, y, z));
    EXPECT_FALSE(TGeometry::SolveAAS(Rad(60), Rad(60), 0, 10, x, y)); // sin gamma = 0
    EXPECT_FALSE(TGeometry::SolveSAS(0, 5, 5, x, y, z));              // degenerate: a = 0
}

TEST(Triangle, ObtuseFlagTakesTheSupplement)
{
    double beta = 0, gamma = 0, side = 0;
    ASSERT_TRUE(TGeometry::SolveSSA(true, Rad(30), 8, 5, beta, gamma, side));
    EXPECT_NEAR(beta, Pi - std::asin(std::sin(Rad(30)) * 8 / 5), 1e-12);
    EXPECT_NEAR(gamma, Pi - Rad(30) - beta, 1e-12);
}

// A convex quadrilateral V1 V2 V3 V4 measured from coordinates; every
// quadrilateral solver must recover the parts it is not given.
class Quadrilateral : public ::testing::Test
{
protected:
    const Point V1{0, 0}, V2{100, 10}, V3{120, 90}, V4{10, 80};
    const double At1 = AngleAt(V1, V2, V4), At2 = AngleAt(V2, V1, V3), At3 = AngleAt(V3, V2, V4),
                 At4 = AngleAt(V4, V3, V1);
    const double S12 = std::abs(V2 - V1), S23 = std::abs(V3 - V2), S34 = std::abs(V4 - V3), S41 = std::abs(V1 - V4);
};

TEST_F(Quadrilateral, AnglesAddUpToTwoPi)
{
    EXPECT_NEAR(At1 + At2 + At3 + At4, 2 * Pi, 1e-12);
}

TEST_F(Quadrilateral, SASA)
{
    double side = 0, p = 0, last = 0;
    ASSERT_TRUE(TGeometry::SolveQuadSASA(At2, At1, S23, S12, S41, side, p, last));
    EXPECT_NEAR(side, S34, 1e-9);
    EXPECT_NEAR(p, At3, 1e-9);
    EXPECT_NEAR(last, At4, 1e-9);
}

TEST_F(Quadrilateral, SSAWithBothSolutions)
{
    // The angle found at V3 is acute or obtuse; only the right flag matches.
    const bool obtuse = At3 > Pi / 2;
    double side = 0, p = 0, last = 0;
    ASSERT_TRUE(TGeometry::SolveQuadSSA(obtuse, At4, At1, S23, S12, S41, side, p, last));
    EXPECT_NEAR(side, S34, 1e-9);
    EXPECT_NEAR(p, At3, 1e-9);
    EXPECT_NEAR(last, At2, 1e-9);
    ASSERT_TRUE(TGeometry::SolveQuadSSA(!obtuse, At4, At1, S23, S12, S41, side, p, last));
    EXPECT_GT(std::fabs(p - At3), 0.01);
}

TEST_F(Quadrilateral, ASSA)
{
    // The ambiguous angle lies at V4 inside triangle V2 V3 V4.
    const bool obtuse = AngleAt(V4, V2, V3) > Pi / 2;
    double side = 0, p = 0, last = 0;
    ASSERT_TRUE(TGeometry::SolveQuadASSA(obtuse, At3, At1, S23, S12, S41, side, p, last));
    EXPECT_NEAR(side, S34, 1e-9);
    EXPECT_NEAR(p, At2, 1e-9);
    EXPECT_NEAR(last, At4, 1e-9);
}

TEST_F(Quadrilateral, SSS)
{
    double p = 0, q = 0, last = 0;
    ASSERT_TRUE(TGeometry::SolveQuadSSS(At1, S34, S23, S12, S41, p, q, last));
    EXPECT_NEAR(p, At2, 1e-9);
    EXPECT_NEAR(q, At3, 1e-9);
    EXPECT_NEAR(last, At4, 1e-9);
}

TEST_F(Quadrilateral, AAS)
{
    double fromE = 0, fromF = 0;
    ASSERT_TRUE(TGeometry::SolveQuadAAS(At4, At3, At2, At1, S12, S41, fromE, fromF));
    EXPECT_NEAR(fromE, S23, 1e-9);
    EXPECT_NEAR(fromF, S34, 1e-9);
}

TEST_F(Quadrilateral, SearchQuadSideFindsTheMissingSide)
{
    double x = 0, other = 0;
    ASSERT_TRUE(TGeometry::SearchQuadSide(At4, At3, At2, At1, S23, S41, x, other));
    EXPECT_NEAR(x, S12, 0.05);
    EXPECT_NEAR(other, S34, 0.05);
}

TEST(SearchQuadSide, ParallelUnknownSidesFailAtOnce)
{
    double x = -1, other = -1;
    EXPECT_FALSE(TGeometry::SearchQuadSide(Rad(70), Rad(110), Rad(70), Rad(110), 50, 80, x, other));
    EXPECT_EQ(x, -1);
    EXPECT_EQ(other, -1);
}

// --- plan checks ---

struct ValidityCase {
    const char *Name;
    int Type;
    std::vector<double> Lengths;
    std::vector<double> Angles;
    bool Valid;
};

TEST(PlanChecks, ValidityFollowsTheRulesOfEachType)
{
    const double l5 = std::sqrt(100.0 * 100 + 100.0 * 100 - 2 * 100.0 * 100 * std::cos(Rad(60)));
    const std::vector<ValidityCase> cases = {
        {"simple", 1, {120}, {}, true},
        {"simple without length", 1, {0}, {}, false},
        {"wye in one line", 2, {100, 100, 100}, {0, 0}, false},
        {"wye with one zero angle", 2, {100, 100, 100}, {0, 30}, true},
        {"wye angle above 90", 2, {100, 100, 100}, {91, 30}, false},
        {"wye angle of 90", 2, {100, 100, 100}, {90, 30}, true},
        {"h", 3, {80, 80, 60, 80, 80}, {45, 45, 45, 45}, true},
        {"h second ring flat", 3, {80, 80, 60, 80, 80}, {45, 45, 0, 0}, false},
        {"delta equilateral", 4, {50, 100, 100, 50, l5, 50}, {30, 120, 30, 120, 30, 120}, true},
        {"delta angles not 360", 4, {50, 100, 100, 50, l5, 50}, {30, 120, 30, 120, 30, 119}, false},
        {"delta triangle not closing", 4, {50, 10, 10, 50, 30, 50}, {30, 120, 30, 120, 30, 120}, false},
        {"hybrid", 5, {60, 60, 50, 60, 50, 60, 60}, {40, 40, 40, 40, 40, 40}, true},
        {"hybrid third ring flat", 5, {60, 60, 50, 60, 50, 60, 60}, {40, 40, 40, 40, 0, 0}, false},
        {"box", 6, {50, 100, 100, 50, 100, 50, 100, 50}, {45, 90, 45, 90, 45, 90, 90, 45}, true},
        {"box loop not 360", 6, {50, 100, 100, 50, 100, 50, 100, 50}, {45, 90, 45, 90, 45, 90, 80, 45}, false},
        {"box without L8", 6, {50, 100, 100, 50, 100, 50, 100, 0}, {45, 90, 45, 90, 45, 90, 90, 45}, false},
    };
    for (const ValidityCase &c : cases) {
        SCOPED_TRACE(c.Name);
        auto sequence = MakeSequence(c.Type, c.Lengths, c.Angles);
        EXPECT_EQ(TGeometry::IsValid(*sequence), c.Valid);
    }
}

TEST(PlanChecks, CompleteMeansEverySpanHasALength)
{
    auto sequence = MakeSequence(stH, {80, 80, 60, 80, 0});
    EXPECT_FALSE(TGeometry::IsComplete(*sequence));
    sequence->Spans.SetLengthOf(5, 70);
    EXPECT_TRUE(TGeometry::IsComplete(*sequence));
}

TEST(PlanLayout, InvalidPlanChangesNothing)
{
    auto sequence = MakeSequence(stWYE, {100, 100, 100}, {0, 0});
    EXPECT_FALSE(TGeometry::ComputePlanLayout(*sequence));
    for (const TPoleDistance *entry : sequence->PoleDistances)
        EXPECT_EQ(entry->Distance, 0);
}

TEST(PlanLayout, WyeWithEqualSpansAtSixtyDegrees)
{
    auto sequence = MakeSequence(stWYE, {100, 100, 100}, {60, 60});
    ASSERT_TRUE(TGeometry::ComputePlanLayout(*sequence));
    ASSERT_EQ(sequence->PoleDistances.Count(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(sequence->PoleDistances.Objects(i)->Distance, 100 * std::sqrt(3.0), 1e-9);
        EXPECT_EQ(sequence->PoleDistances.Objects(i)->Index, i + 1);
    }
    for (int pole = 1; pole <= 3; ++pole)
        EXPECT_NEAR(sequence->Poles.FindByNumber(pole)->PlanAngle, 30, 1e-9);
}

// A plan drawn with coordinates: the lengths and angles are measured from it
// by the ring conventions, then the layout must give back the distances and
// pole angles of the drawing.
struct DrawnPlan {
    const char *Name;
    int Type;
    std::map<int, Point> Nodes;
    // Angle An = pi - (angle at `ring` between spans `span` and `reference`).
    struct AngleRule {
        int Number;
        int Ring;
        int Span;
        int Reference;
    };
    std::vector<AngleRule> Angles;
    std::vector<std::pair<int, int>> Distances; // pole pairs in entry order
    std::vector<std::pair<int, int>> PoleAngles; // pole, neighbour pole
};

std::vector<DrawnPlan> DrawnPlans()
{
    return {
        {"WYE",
         stWYE,
         {{100, {0, 0}}, {3, {100, 0}}, {1, {-60, 50}}, {2, {-50, -70}}},
         {{1, 100, 1, 3}, {2, 100, 2, 3}},
         {{1, 2}, {1, 3}, {2, 3}},
         {{1, 3}, {2, 1}, {3, 2}}},
        {"H",
         stH,
         {{100, {0, 0}}, {101, {80, 10}}, {1, {-40, 60}}, {2, {-50, -50}}, {3, {120, 70}}, {4, {130, -40}}},
         {{1, 100, 1, 3}, {2, 100, 2, 3}, {3, 101, 4, 3}, {4, 101, 5, 3}},
         {{1, 2}, {1, 3}, {3, 4}, {2, 4}, {1, 4}, {2, 3}},
         {{1, 3}, {2, 1}, {3, 4}, {4, 2}}},
        {"Delta",
         stDelta,
         {{100, {0, 0}}, {102, {100, 0}}, {101, {40, -80}}, {1, {-50, 40}}, {3, {150, 50}}, {2, {40, -150}}},
         {{1, 100, 1, 3}, {2, 100, 2, 3}, {3, 102, 4, 3}, {4, 102, 5, 3}, {5, 101, 6, 5}, {6, 101, 2, 5}},
         {{1, 2}, {1, 3}, {3, 2}},
         {{1, 3}, {2, 1}, {3, 2}}},
        {"Hybrid",
         stHybrid,
         {{100, {0, 0}},
          {101, {80, 0}},
          {102, {140, -50}},
          {1, {-40, 60}},
          {2, {-50, -50}},
          {3, {110, 70}},
          {4, {220, -20}},
          {5, {150, -130}}},
         {{1, 100, 1, 3}, {2, 100, 2, 3}, {3, 101, 4, 3}, {4, 101, 5, 3}, {5, 102, 6, 5}, {6, 102, 7, 5}},
         {{1, 2}, {1, 3}, {3, 4}, {4, 5}, {2, 5}, {1, 4}, {2, 3}},
         {{1, 3}, {2, 1}, {3, 4}, {4, 5}, {5, 2}}},
        {"Box",
         stBox,
         {{100, {0, 0}},
          {102, {100, 0}},
          {103, {110, -90}},
          {101, {-10, -80}},
          {1, {-50, 50}},
          {3, {150, 50}},
          {4, {160, -140}},
          {2, {-60, -130}}},
         {{1, 100, 1, 3},
          {2, 100, 2, 3},
          {3, 102, 4, 3},
          {4, 102, 5, 3},
          {5, 103, 6, 5},
          {6, 103, 7, 5},
          {7, 101, 2, 7},
          {8, 101, 8, 2}},
         {{1, 2}, {1, 3}, {3, 4}, {4, 2}, {1, 4}, {2, 3}},
         {{1, 3}, {2, 1}, {3, 4}, {4, 2}}},
    };
}

TEST(PlanLayout, DistancesAndPoleAnglesMatchAPlanDrawnWithCoordinates)
{
    for (const DrawnPlan &plan : DrawnPlans()) {
        SCOPED_TRACE(plan.Name);
        const TSequenceTopology &topology = Topology(plan.Type);
        auto farEnd = [&](int span, int node) {
            const TSpanNodes &nodes = topology.Spans[static_cast<size_t>(span - 1)];
            return plan.Nodes.at(nodes.FromNode == node ? nodes.ToNode : nodes.FromNode);
        };
        std::vector<double> lengths;
        for (const TSpanNodes &span : topology.Spans)
            lengths.push_back(std::abs(plan.Nodes.at(span.FromNode) - plan.Nodes.at(span.ToNode)));
        std::vector<double> angles(lengths.size(), 0);
        for (const auto &rule : plan.Angles) {
            const Point ring = plan.Nodes.at(rule.Ring);
            angles[static_cast<size_t>(rule.Number - 1)] =
                Deg(Pi - AngleAt(ring, farEnd(rule.Span, rule.Ring), farEnd(rule.Reference, rule.Ring)));
        }
        auto sequence = MakeSequence(plan.Type, lengths, angles);
        ASSERT_TRUE(TGeometry::IsValid(*sequence));
        ASSERT_TRUE(TGeometry::ComputePlanLayout(*sequence));

        ASSERT_EQ(sequence->PoleDistances.Count(), static_cast<int>(plan.Distances.size()));
        for (size_t i = 0; i < plan.Distances.size(); ++i) {
            const auto [a, b] = plan.Distances[i];
            EXPECT_NEAR(sequence->PoleDistances.Objects(static_cast<int>(i))->Distance,
                        std::abs(plan.Nodes.at(a) - plan.Nodes.at(b)), 1e-6)
                << "P" << a << "P" << b;
        }
        for (const auto &[pole, neighbour] : plan.PoleAngles) {
            const Point at = plan.Nodes.at(pole);
            const double expected = Deg(AngleAt(at, farEnd(topology.SpanOfPole(pole), pole), plan.Nodes.at(neighbour)));
            EXPECT_NEAR(sequence->Poles.FindByNumber(pole)->PlanAngle, expected, 1e-6) << "P" << pole;
        }
    }
}

TEST(PlanLayout, SimpleSpanIsItsOwnDistance)
{
    auto sequence = MakeSequence(stSimple, {135.5});
    ASSERT_TRUE(TGeometry::ComputePlanLayout(*sequence));
    EXPECT_EQ(sequence->PoleDistances.Objects(0)->Distance, 135.5);
    EXPECT_EQ(sequence->Poles.FindByNumber(1)->PlanAngle, 0);
    EXPECT_EQ(sequence->Poles.FindByNumber(2)->PlanAngle, 0);
}

} // namespace
} // namespace corvadel
