// "Enable Adjust Box Angles": the balanced Box is checked against its plan
// walked independently from the new lengths and angles, and against the
// horizontal forces summed at every ring.
#include "../support/NamedCase.h"
#include "EngineTestSupport.h"
#include "uGeometry.h"
#include "uResultQuantities.h"
#include "uTensionRelations.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

namespace corvadel {
namespace {

using test::Rad;

struct TPoint {
    double X = 0, Y = 0;
};

TPoint Ahead(TPoint from, double length, double heading)
{
    return {from.X + length * std::cos(heading), from.Y + length * std::sin(heading)};
}

double Apart(TPoint a, TPoint b)
{
    return std::hypot(a.X - b.X, a.Y - b.Y);
}

// A Box walked from ring 100 along the ring loop 100, 102, 103, 101 (spans
// 3, 5, 7), turning clockwise by A4, A6 and A7, with each pole's span
// leaving its ring at the angle the conventions give it.
struct TWalkedBox {
    std::map<int, TPoint> At;
    double Gap = 0; // from where span 2 ends back to ring 100: 0 when the loop closes

    TWalkedBox(const std::vector<double> &l, const std::vector<double> &degrees)
    {
        auto L = [&l](int n) { return l[static_cast<size_t>(n - 1)]; };
        auto A = [&degrees](int n) { return Rad(degrees[static_cast<size_t>(n - 1)]); };
        At[100] = {0, 0};
        At[1] = Ahead(At[100], L(1), Pi - A(1));
        At[102] = Ahead(At[100], L(3), 0);
        At[3] = Ahead(At[102], L(4), A(3));
        At[103] = Ahead(At[102], L(5), -A(4));
        At[4] = Ahead(At[103], L(6), A(5) - A(4));
        At[101] = Ahead(At[103], L(7), -(A(4) + A(6)));
        const double toRing100 = -(A(4) + A(6) + A(7));
        At[2] = Ahead(At[101], L(8), toRing100 + Pi - A(8));
        Gap = Apart(Ahead(At[101], L(2), toRing100), At[100]);
    }
};

struct TSpanPlan {
    std::vector<double> Lengths, Angles;
};

TSpanPlan Balanced(const TWireConfiguration &sequence, double decimals = -1)
{
    const auto shown = [decimals](double value) {
        return decimals < 0 ? value : std::round(value * std::pow(10, decimals)) / std::pow(10, decimals);
    };
    TSpanPlan plan;
    for (const TBaseWire *span : sequence.Spans) {
        plan.Lengths.push_back(shown(span->PlanLength));
        plan.Angles.push_back(shown(span->PlanDirection));
    }
    return plan;
}

std::vector<double> PoleDistances(const TWireConfiguration &sequence)
{
    std::vector<double> distances;
    for (const TPoleDistance *entry : sequence.PoleDistances)
        distances.push_back(entry->Distance);
    return distances;
}

struct WarpCase : test::TNamedCase {
    std::vector<double> Lengths, Angles;
    double InitialRotation; // degrees, as entered
    bool Balances;
};

// Lengths of examples/box.xml, and of a Box whose ring is a 100 ft square.
const std::vector<double> SampleBox = {100, 50, 50, 95, 50, 105, 50, 90};
const std::vector<double> SquareRing = {50, 100, 100, 55, 100, 60, 100, 65};

class BoxWarp : public ::testing::TestWithParam<WarpCase>
{
protected:
    void SetUp() override
    {
        const WarpCase &c = GetParam();
        Sequence = test::MakeSequence(stBox, c.Lengths, c.Angles);
        Sequence->SetBoxWarp(true);
        ASSERT_TRUE(TGeometry::ComputePlanLayout(*Sequence));
        EnteredDistances = PoleDistances(*Sequence);
    }

    // The balanced values typed in as a new Box, with the adjustment off.
    std::unique_ptr<TWireConfiguration> Reentered(const TSpanPlan &plan)
    {
        auto again = test::MakeSequence(stBox, plan.Lengths, plan.Angles);
        EXPECT_TRUE(TGeometry::IsValid(*again));
        EXPECT_TRUE(TGeometry::ComputePlanLayout(*again));
        EXPECT_TRUE(TTensionRelations::ComputeTensionRelations(*again));
        return again;
    }

    std::unique_ptr<TWireConfiguration> Sequence;
    std::vector<double> EnteredDistances;
};

TEST_P(BoxWarp, EndsInAClosedPlanInBalanceThatTypedInKeepsThePoles)
{
    const WarpCase &c = GetParam();
    const bool calculated = TTensionRelations::ComputeTensionRelations(*Sequence);
    EXPECT_NEAR(Sequence->Spans.InitialRotation, c.InitialRotation, 0.01);
    ASSERT_EQ(calculated, c.Balances);
    if (!c.Balances)
        return;
    EXPECT_TRUE(Sequence->AnglesChanged);
    EXPECT_LT(std::fabs(Sequence->Spans.Rotation), 1e-6);

    // The plan closes: the ring angles add up to 360 degrees, the loop of
    // spans 3, 5, 7 and 2 comes back to ring 100.
    const TSpanPlan balanced = Balanced(*Sequence);
    const TWalkedBox entered(c.Lengths, c.Angles), walked(balanced.Lengths, balanced.Angles);
    const auto &a = balanced.Angles;
    EXPECT_NEAR(a[1] + a[3] + a[5] + a[6], 360, 1e-6);
    EXPECT_LT(walked.Gap, 1e-6);
    // The poles stay where they were entered.
    for (int pole = 1; pole <= 4; ++pole)
        EXPECT_LT(Apart(walked.At.at(pole), entered.At.at(pole)), 0.01) << "pole " << pole;
    // Only spans 2 and 7 change length; span 8 keeps its length and turns.
    for (int n : {1, 3, 4, 5, 6, 8})
        EXPECT_EQ(balanced.Lengths[static_cast<size_t>(n - 1)], c.Lengths[static_cast<size_t>(n - 1)]) << n;
    EXPECT_NE(balanced.Lengths[1], c.Lengths[1]);

    // Every ring is in horizontal equilibrium with the relations found.
    for (int ring : {100, 101, 102, 103}) {
        double x = 0, y = 0;
        for (const TBaseWire *span : Sequence->Spans) {
            if (span->FromNode != ring && span->ToNode != ring)
                continue;
            const TPoint here = walked.At.at(ring);
            const TPoint there = walked.At.at(span->FromNode == ring ? span->ToNode : span->FromNode);
            x += span->TensionRelation * (there.X - here.X) / Apart(there, here);
            y += span->TensionRelation * (there.Y - here.Y) / Apart(there, here);
        }
        EXPECT_NEAR(x, 0, 1e-9) << "ring " << ring;
        EXPECT_NEAR(y, 0, 1e-9) << "ring " << ring;
    }

    // Only the span of pole two turned around its pole.
    for (const TBasePole *pole : Sequence->Poles) {
        if (pole->IsRing)
            continue;
        const double turn = pole->CalculatedPlanAngle - pole->PlanAngle;
        if (pole->Number == 2)
            EXPECT_GT(std::fabs(turn), 0.1);
        else
            EXPECT_NEAR(turn, 0, 1e-9) << "pole " << pole->Number;
    }

    // Typed in as a new Box, as calculated and as the results show them (two
    // decimals), the new values give the same poles in balance.
    for (double decimals : {-1.0, 2.0}) {
        SCOPED_TRACE(decimals);
        const auto again = Reentered(Balanced(*Sequence, decimals));
        const std::vector<double> distances = PoleDistances(*again);
        ASSERT_EQ(distances.size(), EnteredDistances.size());
        for (size_t i = 0; i < distances.size(); ++i)
            EXPECT_NEAR(distances[i], EnteredDistances[i], decimals < 0 ? 1e-6 : 0.05) << "distance " << i + 1;
        EXPECT_EQ(BalanceSentence(again->Spans.Rotation, again->AnglesChanged), "System is in balance");
    }
}

INSTANTIATE_TEST_SUITE_P(Table, BoxWarp, ::testing::Values(
    // The square ring with span 8 turned 5 or -4 degrees off its balancing 45 degrees.
    WarpCase{{"SmallClockwise"}, SquareRing, {45, 90, 40, 90, 50, 90, 90, 40}, 5, true},
    WarpCase{{"SmallCounterclockwise"}, SquareRing, {45, 90, 40, 90, 50, 90, 90, 49}, -4, true},
    // examples/box.xml with A1 = 20 (the box of the report), A1 = 70 and A8 = 85.
    WarpCase{{"LargeClockwise"}, SampleBox, {20, 90, 45, 90, 45, 90, 90, 45}, 25, true},
    WarpCase{{"LargeCounterclockwise"}, SampleBox, {70, 90, 45, 90, 45, 90, 90, 45}, -25, true},
    WarpCase{{"VeryLargeCounterclockwise"}, SampleBox, {45, 90, 45, 90, 45, 90, 90, 85}, -40, true},
    // Balance needs span 8 at more than 90 degrees (A8), which no Box may have.
    WarpCase{{"CannotBeBalanced"}, SampleBox, {5, 90, 80, 90, 75, 90, 90, 85}, 4.76, false}),
    test::CaseName());

} // namespace
} // namespace corvadel
