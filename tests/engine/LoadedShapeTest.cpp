#include "EngineTestSupport.h"
#include "uCalculationRun.h"
#include "uLoadedShape.h"
#include "uSequenceCalculation.h"
#include "uSpanStatics.h"

#include <gtest/gtest.h>


namespace corvadel {
namespace {

using test::AddSimple;
using test::MakeLoad;

// Solves the sequence at one SAG the way the run does and checks the shape of
// every span against the statics' own values of that calculation.
void ExpectShapesFollowStatics(TWireConfiguration &sequence, const TTARVOParameters &parameters, bool atMaxSAG)
{
    SCOPED_TRACE(sequence.DisplayName() + (atMaxSAG ? " max" : " min"));
    const double target = atMaxSAG ? sequence.MaxSAG : sequence.MinSAG;
    ASSERT_TRUE(TSequenceCalculation::CalculateSequence(sequence, parameters, atMaxSAG, target));
    const TWireConfigurationResult *result = sequence.Results.FindByAtMaxSAG(atMaxSAG);
    ASSERT_NE(result, nullptr);
    for (const TBaseWire *span : sequence.Spans) {
        SCOPED_TRACE("span " + std::to_string(span->Number));
        const auto shape = TLoadedProfile::Compute(sequence, *result, span->Number, 1, 15);
        ASSERT_TRUE(shape.has_value());
        // The ends are the attachments.
        EXPECT_NEAR(shape->Points.back().Elevation, span->EndElevation, 1e-6);
        EXPECT_NEAR(shape->Points.front().Elevation, span->EndElevation + span->ElevationDifference, 1e-6);
        EXPECT_NEAR(shape->End.Attachment, span->EndElevation, 1e-6);
        // Every load hangs where the statics put it.
        ASSERT_EQ(static_cast<int>(shape->Hangers.size()), span->Signals.Count());
        for (const TLoadedHanger &hanger : shape->Hangers) {
            const TBaseSignal *signal = span->Signals.FindByNumber(hanger.Number);
            ASSERT_NE(signal, nullptr);
            EXPECT_NEAR(hanger.Attachment, signal->Elevation, 1e-6) << "signal " << hanger.Number;
            EXPECT_NEAR(shape->ElevationAt(hanger.Distance), signal->Elevation, 1e-6);
        }
        // The low point is as deep below the end as the statics say.
        const TSpanStatics statics(*span);
        if (statics.HasLowPoint()) {
            EXPECT_NEAR(shape->Low.Elevation, span->EndElevation - statics.SAG(), 1e-6);
            EXPECT_NEAR(shape->Low.Distance, span->Length - span->LowPointDistance, 1e-6);
        }
        for (const TShapePoint &point : shape->Points)
            EXPECT_GE(point.Elevation, shape->Low.Elevation);
    }
}

void ExpectProjectShapesFollowStatics(TWireConfigurationList &project)
{
    ASSERT_GT(project.Count(), 0);
    for (TWireConfiguration *sequence : project) {
        ASSERT_TRUE(Validate(*sequence)) << sequence->DisplayName();
        ExpectShapesFollowStatics(*sequence, project.Parameters(), true);
        if (sequence->MinSAG < sequence->MaxSAG)
            ExpectShapesFollowStatics(*sequence, project.Parameters(), false);
    }
}

TEST(LoadedShape, FollowsTheStaticsInEveryExample)
{
    EXPECT_GE(test::ForEachExample(ExpectProjectShapesFollowStatics), 6); // one per type at least
}

TEST(LoadedShape, FollowsTheStaticsWithVariableWireWeights)
{
    TTARVOParameters parameters;
    TWireConfigurationList project(parameters);
    TWireConfiguration *sequence = &AddSimple(project, 130, 1, 4, 2.5, 1.5);
    TBaseWire *span = sequence->Spans.FindByNumber(1);
    span->AddSignal(MakeLoad(35, 70));
    span->AddSignal(MakeLoad(90, 45, 0, false));
    span->SetUniformWeight(false);
    const double weights[] = {0.5, 3, 1.8};
    ASSERT_EQ(span->Segments.Count(), 3);
    for (int i = 0; i < 3; ++i)
        span->Segments.Objects(i)->Compositions.Objects(0)->SetWireWeight(weights[i]);
    ExpectProjectShapesFollowStatics(project);
}

TEST(LoadedShape, UnloadedLevelSpanSagsByTheParabolaAtMidspan)
{
    TTARVOParameters parameters;
    TWireConfigurationList project(parameters);
    const double w = 1.7, l = 140;
    TWireConfiguration *sequence = &AddSimple(project, l, w, 3, 2);
    ASSERT_TRUE(TCalculationRun::RunCalculation(project));
    for (const TWireConfigurationResult *result : sequence->Results) {
        const auto shape = TLoadedProfile::Compute(*sequence, *result, 1, l / 20, 15);
        ASSERT_TRUE(shape.has_value());
        const double h = result->Tension * result->SpanResults.First()->TensionRelation;
        const double ends = shape->Start.Attachment;
        EXPECT_NEAR(shape->End.Attachment, ends, 1e-9);
        EXPECT_NEAR(ends - shape->ElevationAt(l / 2), w * l * l / (8 * h), 1e-9);
        EXPECT_NEAR(shape->Low.Distance, l / 2, 1e-9);
        // The wire's lowest point is the sequence's minimum clearance above the pavement.
        EXPECT_NEAR(shape->Low.Elevation - shape->Pavement, sequence->MinClearance, 1e-9);
        // A quarter in, the parabola has three quarters of its midspan depth.
        EXPECT_NEAR(ends - shape->ElevationAt(l / 4), 0.75 * w * l * l / (8 * h), 1e-9);
    }
}

TEST(LoadedShape, SpacingAndMissingPartsAreHandled)
{
    TTARVOParameters parameters;
    TWireConfigurationList project(parameters);
    TWireConfiguration *sequence = &AddSimple(project, 100, 1, 3, 2);
    sequence->Spans.FindByNumber(1)->AddSignal(MakeLoad(33.3, 50));
    ASSERT_TRUE(TCalculationRun::RunCalculation(project)) << TCalculationRun::ErrorListing(project)[2];
    const TWireConfigurationResult &result = *sequence->Results.First();

    // Ends, the load and the low point only; a tiny spacing is capped.
    EXPECT_EQ(TLoadedProfile::Compute(*sequence, result, 1, 0, 15)->Points.size(), 4u);
    EXPECT_LE(TLoadedProfile::Compute(*sequence, result, 1, 1e-12, 15)->Points.size(),
              static_cast<size_t>(TLoadedProfile::MaxPoints) + 3);
    EXPECT_FALSE(TLoadedProfile::Compute(*sequence, result, 2, 1, 15).has_value());
    TWireConfigurationResult slack;
    auto recorded = std::make_unique<TBaseWireResult>();
    recorded->SpanNumber = 1;
    recorded->TensionRelation = 1;
    slack.SpanResults.Add(std::move(recorded));
    EXPECT_FALSE(TLoadedProfile::Compute(*sequence, slack, 1, 1, 15).has_value()) << "no tension recorded";
}

TEST(LoadedShape, SignalHeightIsEnteredAndSignHeightIsTheSideOfItsSquare)
{
    TBaseSignal signal;
    signal.SetIsSignal(true);
    signal.SetHeight(4.2);
    signal.SetSignArea(9);
    EXPECT_DOUBLE_EQ(TLoadedProfile::HangerHeight(signal), 4.2);
    signal.SetIsSignal(false);
    EXPECT_DOUBLE_EQ(TLoadedProfile::HangerHeight(signal), 3);
    signal.SetSignArea(0);
    EXPECT_DOUBLE_EQ(TLoadedProfile::HangerHeight(signal), 0);
}

} // namespace
} // namespace corvadel
