#include "EngineTestSupport.h"
#include "uGeometry.h"
#include "uPlanLayout.h"
#include "uResultQuantities.h"
#include "uTensionRelations.h"

#include <gtest/gtest.h>

namespace corvadel {
namespace {

using test::MakeSequence;
using test::Rad;

double Relation(const TWireConfiguration &sequence, int span)
{
    return sequence.Spans.FindByNumber(span)->TensionRelation;
}

TEST(TensionRelations, WyeShares)
{
    struct Case {
        double A1, A2, R1, R2;
    };
    for (const Case &c : {Case{60, 60, 1, 1}, Case{30, 60, std::sqrt(3.0) / 2, 0.5}}) {
        auto sequence = MakeSequence(stWYE, {100, 100, 100}, {c.A1, c.A2});
        ASSERT_TRUE(TTensionRelations::ComputeTensionRelations(*sequence));
        EXPECT_NEAR(Relation(*sequence, 1), c.R1, 1e-12);
        EXPECT_NEAR(Relation(*sequence, 2), c.R2, 1e-12);
        EXPECT_EQ(Relation(*sequence, 3), 1);
        EXPECT_EQ(sequence->Spans.Rotation, 0);
    }
}

// Every ring of the plan drawn with the balanced directions is in horizontal
// equilibrium: the relations times the span directions add up to zero.
TEST(TensionRelations, EveryRingIsInHorizontalBalance)
{
    const std::vector<std::tuple<int, std::vector<double>, std::vector<double>>> plans = {
        {stWYE, {90, 110, 100}, {50, 65}},
        {stH, {80, 90, 60, 85, 75}, {40, 55, 50, 35}},
        {stDelta, {60, 100, 100, 70, 100, 65}, {30, 120, 35, 120, 40, 120}},
        {stHybrid, {60, 65, 50, 70, 55, 60, 75}, {40, 45, 35, 50, 42, 38}},
        {stBox, {50, 100, 100, 55, 100, 60, 100, 65}, {45, 90, 40, 90, 50, 90, 90, 35}},
    };
    for (const auto &[type, lengths, angles] : plans) {
        SCOPED_TRACE(Topology(type).TypeName);
        auto sequence = MakeSequence(type, lengths, angles);
        ASSERT_TRUE(TTensionRelations::ComputeTensionRelations(*sequence));
        // Turn pole two to the balancing angle of a Delta or a Box; a Box out
        // of balance leaves ring 103 pulling against ring 101.
        for (TBaseWire *span : sequence->Spans)
            span->SetAngle(span->PlanDirection);
        ASSERT_TRUE(TTensionRelations::ComputeTensionRelations(*sequence));
        EXPECT_NEAR(sequence->Spans.Rotation, 0, 1e-9);
        std::vector<double> directions;
        for (const TBaseWire *span : sequence->Spans)
            directions.push_back(Rad(span->PlanDirection));
        const TPlanLayout layout(*sequence, directions);
        for (const TBasePole *ring : sequence->Poles) {
            if (!ring->IsRing)
                continue;
            double x = 0, y = 0;
            const TPlanPoint at = layout.Position(ring->Number);
            for (const TBaseWire *span : sequence->Spans) {
                if (span->FromNode != ring->Number && span->ToNode != ring->Number)
                    continue;
                const TPlanPoint other = layout.Position(span->FromNode == ring->Number ? span->ToNode : span->FromNode);
                const double length = std::hypot(other.X - at.X, other.Y - at.Y);
                x += span->TensionRelation * (other.X - at.X) / length;
                y += span->TensionRelation * (other.Y - at.Y) / length;
            }
            EXPECT_NEAR(x, 0, 1e-9) << "ring " << ring->Number;
            EXPECT_NEAR(y, 0, 1e-9) << "ring " << ring->Number;
        }
        for (const TBaseWire *span : sequence->Spans)
            EXPECT_GT(span->TensionRelation, 0) << span->Number;
    }
}

TEST(TensionRelations, DeltaWithTheBalancingAngleNeedsNoRotation)
{
    auto sequence = MakeSequence(stDelta, {60, 100, 100, 70, 100, 65}, {30, 120, 35, 120, 60, 120});
    ASSERT_TRUE(TTensionRelations::ComputeTensionRelations(*sequence));
    const double phi = sequence->Spans.FindByNumber(5)->PlanDirection;
    EXPECT_NEAR(sequence->Spans.Rotation, 60 - phi, 1e-9);
    EXPECT_NE(sequence->Spans.Rotation, 0);

    sequence->Spans.SetAngleOf(5, phi);
    ASSERT_TRUE(TTensionRelations::ComputeTensionRelations(*sequence));
    EXPECT_NEAR(sequence->Spans.Rotation, 0, 1e-9);
    EXPECT_NEAR(sequence->Spans.InitialRotation, 0, 1e-9);
}

// A badly unbalanced Box is calculated, not refused: span 8 must turn to
// about 90.6 degrees, a rotation of pole two of about 62.7 degrees.
TEST(TensionRelations, BoxFarOutOfBalanceGivesPositiveRelationsAndTheRotation)
{
    auto sequence = MakeSequence(stBox, {50, 100, 100, 55, 100, 60, 100, 65},
                                 {27.6, 95.13, 70.2, 89.11, 53.6, 94.25, 81.51, 27.9});
    ASSERT_TRUE(TTensionRelations::ComputeTensionRelations(*sequence));
    for (const TBaseWire *span : sequence->Spans)
        EXPECT_GT(span->TensionRelation, 0) << span->Number;
    EXPECT_NEAR(sequence->Spans.FindByNumber(8)->PlanDirection, 90.6, 0.05);
    EXPECT_NEAR(sequence->Spans.Rotation, 62.7, 0.05);
    EXPECT_EQ(BalanceSentence(sequence->Spans.Rotation, sequence->AnglesChanged).rfind(
                  "For system balance rotate pole two 62.7", 0),
              0u);
    EXPECT_NE(BalanceSentence(sequence->Spans.Rotation, false).find("degree(s) clockwise"), std::string::npos);
}

// A Delta whose span 5 must turn past 90 degrees to balance ring 101: the
// relations stay positive and turning span 5 there balances the system.
TEST(TensionRelations, DeltaBalancedPastNinetyDegrees)
{
    auto sequence = MakeSequence(stDelta, {60, 100, 100, 70, 100, 65}, {80, 60, 20, 60, 40, 30});
    ASSERT_TRUE(TTensionRelations::ComputeTensionRelations(*sequence));
    const double phi = sequence->Spans.FindByNumber(5)->PlanDirection;
    EXPECT_GT(phi, 90);
    EXPECT_LT(phi, 180);
    for (const TBaseWire *span : sequence->Spans)
        EXPECT_GT(span->TensionRelation, 0) << span->Number;
    EXPECT_NEAR(sequence->Spans.Rotation, 40 - phi, 1e-9);

    sequence->Spans.SetAngleOf(5, phi);
    ASSERT_TRUE(TTensionRelations::ComputeTensionRelations(*sequence));
    EXPECT_NEAR(sequence->Spans.Rotation, 0, 1e-9);
}

class BoxBalance : public ::testing::Test
{
protected:
    // A square ring box whose pole two is turned `rotation` degrees off balance.
    std::unique_ptr<TWireConfiguration> OffBalance(double rotation, bool warp)
    {
        auto sequence = MakeSequence(stBox, {50, 100, 100, 55, 100, 60, 100, 65}, {45, 90, 40, 90, 50, 90, 90, 35});
        EXPECT_TRUE(TTensionRelations::ComputeTensionRelations(*sequence));
        const double phi = sequence->Spans.FindByNumber(8)->PlanDirection;
        sequence->Spans.SetAngleOf(8, phi - rotation);
        sequence->SetBoxWarp(warp);
        EXPECT_TRUE(TGeometry::ComputePlanLayout(*sequence));
        return sequence;
    }
};

TEST_F(BoxBalance, WithoutWarpOnePassReportsTheRotation)
{
    auto sequence = OffBalance(5, false);
    ASSERT_TRUE(TTensionRelations::ComputeTensionRelations(*sequence));
    EXPECT_NEAR(sequence->Spans.Rotation, 5, 1e-9);
    EXPECT_EQ(sequence->Spans.Rotation, sequence->Spans.InitialRotation);
    EXPECT_FALSE(sequence->AnglesChanged);
    EXPECT_EQ(sequence->Spans.FindByNumber(1)->PlanDirection, 45);
}

// The warp places the poles afresh from the lengths and angles; pole
// distances stored by an earlier plan play no part.
TEST_F(BoxBalance, WarpDoesNotReadStoredPoleDistances)
{
    auto fresh = OffBalance(5, true);
    ASSERT_TRUE(TTensionRelations::ComputeTensionRelations(*fresh));
    auto stale = OffBalance(5, true);
    for (TPoleDistance *entry : stale->PoleDistances)
        entry->Distance = 0;
    ASSERT_TRUE(TTensionRelations::ComputeTensionRelations(*stale));
    for (int n = 1; n <= 8; ++n) {
        EXPECT_EQ(stale->Spans.FindByNumber(n)->PlanDirection, fresh->Spans.FindByNumber(n)->PlanDirection) << n;
        EXPECT_EQ(stale->Spans.FindByNumber(n)->PlanLength, fresh->Spans.FindByNumber(n)->PlanLength) << n;
    }
}

// Where nothing moves, the plan keeps the lengths as entered.
TEST(TensionRelations, PlanLengthIsTheEnteredLengthWithoutAWarp)
{
    for (int type = stSimple; type <= stBox; ++type) {
        SCOPED_TRACE(Topology(type).TypeName);
        const auto &[lengths, angles] = test::IrregularPlan(type);
        auto sequence = MakeSequence(type, lengths, angles);
        ASSERT_TRUE(TTensionRelations::ComputeTensionRelations(*sequence));
        for (const TBaseWire *span : sequence->Spans)
            EXPECT_EQ(span->PlanLength, span->Length) << span->Number;
    }
}

} // namespace
} // namespace corvadel
