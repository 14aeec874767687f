#include "EngineTestSupport.h"
#include "uCalculationRun.h"
#include "uPoleResults.h"
#include "uSequenceCalculation.h"
#include "uSpanStatics.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace corvadel {
namespace {

using test::MakeLoad;

// A project with its own parameters, so a test may change them.
class Calculation : public ::testing::Test
{
protected:
    TTARVOParameters Parameters;
    TWireConfigurationList Project{Parameters};

    TWireConfiguration &Simple(double length, double weight, double maxSAG, double minSAG, double t = 0)
    {
        TWireConfiguration *sequence = Project.AddSequence(stSimple);
        sequence->Spans.SetLengthOf(1, length);
        sequence->SetWireWeight(weight);
        sequence->SetMaxSAG(maxSAG);
        sequence->SetMinSAG(minSAG);
        sequence->Elevations.SetValueOf("T", t);
        return *sequence;
    }

    // Pole 2 of sequence 1 with pole 1 of sequence B, holding the result of
    // an earlier run.
    TCombination &CombinedWithAnOldResult(int sequenceB)
    {
        auto combination = std::make_unique<TCombination>();
        combination->SetSequenceA(1);
        combination->SetPoleA(2);
        combination->SetSequenceB(sequenceB);
        combination->SetPoleB(1);
        combination->Results.Add(std::make_unique<TCombinationResult>());
        return *Project.Combinations.Add(std::move(combination));
    }

    const TWireConfigurationResult &MaxResult(const TWireConfiguration &sequence)
    {
        const TWireConfigurationResult *result = sequence.Results.FindByAtMaxSAG(true);
        EXPECT_NE(result, nullptr);
        return *result;
    }
};

TEST_F(Calculation, LevelUniformSimpleSpanMeetsItsSag)
{
    const double w = 2, l = 100;
    TWireConfiguration &sequence = Simple(l, w, 3, 2);
    ASSERT_TRUE(TCalculationRun::RunCalculation(Project));
    ASSERT_EQ(sequence.Results.Count(), 2);
    for (const auto &[atMax, target] : {std::pair{true, 3.0}, std::pair{false, 2.0}}) {
        const TWireConfigurationResult *result = sequence.Results.FindByAtMaxSAG(atMax);
        ASSERT_NE(result, nullptr);
        EXPECT_NEAR(result->SystemSAG, target, 0.01 + 1e-12);
        // The parabola: the tension that gives this SAG.
        EXPECT_NEAR(result->Tension, w * l * l / (8 * result->SystemSAG), 1e-6);
        EXPECT_GE(result->Iterations, 2);
        EXPECT_EQ(result->Number, atMax ? 1 : 2);
    }
}

TEST_F(Calculation, StartingTensionAlreadyRightTakesOneIteration)
{
    TWireConfiguration &sequence = Simple(100, 2, 2.5, 2.5); // w L^2 / 8 / 1000 = 2.5
    ASSERT_TRUE(TCalculationRun::RunCalculation(Project));
    ASSERT_EQ(sequence.Results.Count(), 1); // MinSAG = MaxSAG: one case
    EXPECT_EQ(MaxResult(sequence).Iterations, 1);
    EXPECT_EQ(MaxResult(sequence).Tension, 1000);
}

TEST_F(Calculation, MinimumSagNotBelowMaximumGivesOneResult)
{
    TWireConfiguration &sequence = Simple(100, 2, 3, 3);
    ASSERT_TRUE(TCalculationRun::RunCalculation(Project));
    EXPECT_EQ(sequence.Results.Count(), 1);
    EXPECT_TRUE(sequence.Results.First()->AtMaxSAG);
}

TEST_F(Calculation, PoleDifferenceAboveTheSagMakesTheTensionExcessive)
{
    // T = 2.5 is more than the minimum SAG of 1: no tension can lift the wire
    // that far. The maximum-SAG case is solved and the run succeeds.
    TWireConfiguration &sequence = Simple(100, 1, 3, 1, 2.5);
    EXPECT_TRUE(TCalculationRun::RunCalculation(Project));
    EXPECT_EQ(sequence.Results.Count(), 1);
    ASSERT_EQ(sequence.Errors.Count(), 1);
    const std::string message = sequence.Errors.First()->Message;
    EXPECT_EQ(message.rfind("Wire tension values for this problem are excessive.\r\n"
                            "The attempted solution was abandoned with a tension value of ",
                            0),
              0u)
        << message;
    EXPECT_NE(message.find(" pounds and a calculated SAG of "), std::string::npos);
    EXPECT_GE(sequence.SystemSAG, 2.5);
}

TEST_F(Calculation, SearchThatCannotSettleStopsAtTheCap)
{
    Parameters.SAGTolerance = -1; // an empty band: no SAG is ever close enough
    TWireConfiguration &sequence = Simple(100, 2, 3, 2);
    sequence.TargetSAG = 3;
    sequence.Spans.FindByNumber(1)->TensionRelation = 1;
    int iterations = 0;
    EXPECT_FALSE(TSequenceCalculation::SearchTension(sequence, Parameters, iterations));
    EXPECT_GE(iterations, TSequenceCalculation::MaxIterations);
    EXPECT_LE(iterations, TSequenceCalculation::MaxIterations + TSequenceCalculation::MaxHalvings);
    ASSERT_EQ(sequence.Errors.Count(), 1);
    EXPECT_EQ(sequence.Errors.First()->Message.rfind("The tension calculation did not settle within 10000 iterations.", 0),
              0u);
}

// An entered junction difference makes this Delta's SAG fall and rise again
// as the tension grows: the proportional step overshoots to the rising side at
// the minimum SAG and jumps across the target from then on.
TEST_F(Calculation, SAGThatFallsAndRisesAgainIsStillFound)
{
    TWireConfiguration &sequence = *Project.AddSequence(stDelta);
    const auto &[lengths, angles] = test::IrregularPlan(stDelta);
    for (size_t i = 0; i < lengths.size(); ++i) {
        sequence.Spans.SetLengthOf(static_cast<int>(i) + 1, lengths[i]);
        sequence.Spans.SetAngleOf(static_cast<int>(i) + 1, angles[i]);
    }
    sequence.SetWireWeight(2);
    sequence.SetMaxSAG(8);
    sequence.SetMinSAG(6);
    sequence.SetMinClearance(17);
    sequence.Spans.FindByNumber(4)->AddSignal(MakeLoad(64, 188, 3));
    for (const char *pole : {"P1", "P2", "P3"})
        sequence.Elevations.SetValueOf(pole, 102);
    sequence.Elevations.SetValueOf("PV", 100);
    sequence.Elevations.SetValueOf("U", 0.5);
    sequence.Elevations.SetEnteredFlags("NYNNYNN"); // U and C (0) entered

    ASSERT_TRUE(TCalculationRun::RunCalculation(Project)) << sequence.Errors.First()->Message;
    const TWireConfigurationResult *atMin = sequence.Results.FindByAtMaxSAG(false);
    ASSERT_NE(atMin, nullptr);
    EXPECT_GT(atMin->Iterations, TSequenceCalculation::MaxIterations); // the proportional search alone fails
    EXPECT_NEAR(atMin->SystemSAG, 6, Parameters.SAGTolerance / 100);
    // The shallower SAG needs the higher tension, on the falling side as at the maximum SAG.
    EXPECT_GT(atMin->Tension, MaxResult(sequence).Tension);

    // Hanging the wires again at the tension found gives the same SAG.
    int iterations = 0;
    Parameters.Tension = atMin->Tension;
    sequence.TargetSAG = 6;
    ASSERT_TRUE(TSequenceCalculation::SearchTension(sequence, Parameters, iterations));
    EXPECT_EQ(iterations, 1);
}

TEST_F(Calculation, UnloadedWireCannotReachASagAndSaysSo)
{
    TWireConfiguration &sequence = Simple(100, 0, 3, 2);
    EXPECT_FALSE(TCalculationRun::RunCalculation(Project));
    ASSERT_EQ(sequence.Errors.Count(), 1);
    const std::string message = sequence.Errors.First()->Message;
    EXPECT_EQ(message.rfind("No wire tension gives the required SAG for this configuration.", 0), 0u) << message;
    EXPECT_EQ(message.find("nan"), std::string::npos);
    EXPECT_EQ(message.find("inf"), std::string::npos);
}

TEST_F(Calculation, LevelSimpleSpanIsPlacedAtTheClearance)
{
    TWireConfiguration &sequence = Simple(100, 2, 3, 2);
    sequence.Elevations.SetValueOf("PV", 100);
    sequence.Elevations.SetValueOf("P1", 98);
    sequence.Elevations.SetValueOf("P2", 101);
    sequence.SetMinClearance(20.6);
    ASSERT_TRUE(TCalculationRun::RunCalculation(Project));
    const TWireConfigurationResult &result = MaxResult(sequence);
    const TBasePoleResult *p1 = result.PoleResults.FindByPoleNumber(1);
    const TBasePoleResult *p2 = result.PoleResults.FindByPoleNumber(2);
    ASSERT_TRUE(p1 && p2);
    EXPECT_NEAR(p1->AttachmentElevation, 100 + 20.6 + result.SystemSAG, 1e-9);
    EXPECT_NEAR(p2->AttachmentElevation, p1->AttachmentElevation, 1e-9);
    EXPECT_NEAR(p1->AttachmentHeight, p1->AttachmentElevation - 98, 1e-9);
    EXPECT_NEAR(p2->AttachmentHeight, p2->AttachmentElevation - 101, 1e-9);
    // Both poles carry span 1; no signals, so the design factor governs.
    EXPECT_EQ(p1->StringingTension, p2->StringingTension);
    EXPECT_NEAR(p1->StringingTension, result.Tension, 1e-9);
    EXPECT_NEAR(p1->BaseMoment, p1->StringingTension * 1.8 * p1->AttachmentHeight, 1e-6);
    EXPECT_EQ(TSequenceCalculation::WindFactor(sequence, Parameters), 0);
}

TEST_F(Calculation, WireRisingFromALowPoleIsPlacedWithThatPoleAtTheClearance)
{
    // Pole two so far below pole one at the starting tension that span 1 rises
    // all the way: its lowest point is the attachment at pole two.
    TWireConfiguration &sequence = Simple(100, 0.5, 4.5, 4, -4);
    sequence.Elevations.SetValueOf("PV", 50);
    sequence.SetMinClearance(20);
    TBaseWire &span = *sequence.Spans.FindByNumber(1);
    span.TensionRelation = 1;
    sequence.Spans.SetTension(1000);
    span.ElevationDifference = -4;
    TSpanStatics::FindLowPoint(span);
    ASSERT_LE(TSpanStatics(span).StartReaction(), 0);
    TPoleResults::ComputeAttachmentElevations(sequence);
    EXPECT_NEAR(sequence.Poles.FindByNumber(2)->AttachmentElevation, 70, 1e-12);
    EXPECT_NEAR(sequence.Poles.FindByNumber(1)->AttachmentElevation, 74, 1e-12);

    // The whole calculation still reaches the SAG from the higher pole.
    ASSERT_TRUE(TCalculationRun::RunCalculation(Project));
    const TWireConfigurationResult &result = MaxResult(sequence);
    EXPECT_NEAR(result.SystemSAG, 4.5, 0.01 + 1e-12);
    EXPECT_NEAR(result.PoleResults.FindByPoleNumber(1)->AttachmentElevation, 70 + result.SystemSAG, 1e-9);
}

TEST_F(Calculation, WindFactorGovernsWhenAboveTheDesignFactor)
{
    TWireConfiguration &sequence = Simple(100, 1, 3, 2);
    sequence.Spans.FindByNumber(1)->AddSignal(MakeLoad(30, 60, 3));
    sequence.Spans.FindByNumber(1)->AddSignal(MakeLoad(70, 40, 2));
    const double expected = 1.1 * std::sqrt(100.0 * 100 + (5 * 42.0) * (5 * 42.0)) / 100;
    EXPECT_NEAR(TSequenceCalculation::WindFactor(sequence, Parameters), expected, 1e-12);
    EXPECT_NEAR(TSequenceCalculation::GoverningFactor(sequence, Parameters), expected, 1e-12);
    Parameters.DesignFactor = 3;
    EXPECT_EQ(TSequenceCalculation::GoverningFactor(sequence, Parameters), 3);
    Parameters.DesignFactor = 1.8;

    ASSERT_TRUE(TCalculationRun::RunCalculation(Project));
    const TWireConfigurationResult &result = MaxResult(sequence);
    const TBasePoleResult *p1 = result.PoleResults.FindByPoleNumber(1);
    EXPECT_NEAR(p1->BaseMoment, p1->StringingTension * expected * p1->AttachmentHeight, 1e-6);
    // The heaviest end tension; the spans hold the last case calculated, the
    // minimum SAG.
    const TSpanStatics statics(*sequence.Spans.FindByNumber(1));
    const TWireConfigurationResult &last = *sequence.Results.FindByAtMaxSAG(false);
    EXPECT_NEAR(last.MaxWireLoad, std::max(statics.StartTension(), statics.EndTension()) * expected, 1e-6);
    EXPECT_GT(statics.StartTension(), last.Tension);
    // Signal heights are measured from the lowest signal.
    const TBaseWireResult *span = result.SpanResults.FindBySpanNumber(1);
    ASSERT_EQ(span->SignalResults.Count(), 2);
    EXPECT_GE(std::min(span->SignalResults.Objects(0)->HeightAboveLowest, span->SignalResults.Objects(1)->HeightAboveLowest), 0);
    EXPECT_EQ(std::min(span->SignalResults.Objects(0)->HeightAboveLowest, span->SignalResults.Objects(1)->HeightAboveLowest), 0);
}

// A realistic plan of every type, loaded and solvable.
void Fill(TWireConfiguration &sequence, const std::vector<double> &lengths, const std::vector<double> &angles)
{
    for (size_t i = 0; i < lengths.size(); ++i)
        sequence.Spans.SetLengthOf(static_cast<int>(i) + 1, lengths[i]);
    for (size_t i = 0; i < angles.size(); ++i)
        sequence.Spans.SetAngleOf(static_cast<int>(i) + 1, angles[i]);
    sequence.SetWireWeight(0.9);
    sequence.SetMaxSAG(8);
    sequence.SetMinSAG(6);
    sequence.Elevations.SetValueOf("PV", 100);
    for (int pole = 1; pole <= 5; ++pole)
        sequence.Elevations.SetValueOf("P" + std::to_string(pole), 99 + 0.5 * pole);
    for (TBaseWire *span : sequence.Spans)
        span->AddSignal(MakeLoad(span->Length / 2, 55, 8));
}

TEST_F(Calculation, EveryTypeCalculates)
{
    Fill(*Project.AddSequence(stSimple), {120}, {});
    Fill(*Project.AddSequence(stWYE), {90, 110, 100}, {50, 65});
    Fill(*Project.AddSequence(stH), {80, 90, 60, 85, 75}, {40, 55, 50, 35});
    Fill(*Project.AddSequence(stDelta), {60, 100, 100, 70, 100, 65}, {30, 120, 35, 120, 40, 120});
    Fill(*Project.AddSequence(stHybrid), {60, 65, 50, 70, 55, 60, 75}, {40, 45, 35, 50, 42, 38});
    Fill(*Project.AddSequence(stBox), {50, 100, 100, 55, 100, 60, 100, 65}, {45, 90, 40, 90, 50, 90, 90, 35});
    ASSERT_TRUE(TCalculationRun::RunCalculation(Project)) << ::testing::PrintToString(TCalculationRun::ErrorListing(Project));
    for (const TWireConfiguration *sequence : Project) {
        SCOPED_TRACE(sequence->Identification);
        ASSERT_EQ(sequence->Results.Count(), 2);
        const TWireConfigurationResult &result = MaxResult(*sequence);
        EXPECT_NEAR(result.SystemSAG, 8, 0.01 + 1e-12);
        EXPECT_EQ(result.SpanResults.Count(), sequence->Spans.Count());
        EXPECT_EQ(result.PoleResults.Count(), static_cast<int>(sequence->Topology().Poles.size()) -
                                                   static_cast<int>(std::count_if(sequence->Topology().Poles.begin(),
                                                                                  sequence->Topology().Poles.end(),
                                                                                  [](auto p) { return p.IsRing; })));
        // The highest attachment lies SystemSAG above the lowest wire point,
        // which hangs at the clearance above the pavement.
        double highest = -1e9;
        for (const TBasePoleResult *pole : result.PoleResults)
            highest = std::max(highest, pole->AttachmentElevation);
        EXPECT_LE(highest, 100 + sequence->MinClearance + result.SystemSAG + 1e-9);
        // Every span hangs no lower than the clearance.
        for (const TBaseWireResult *span : result.SpanResults)
            EXPECT_GE(span->SAG, 0);
        // The minimum SAG needs more tension than the maximum one.
        EXPECT_GT(sequence->Results.FindByAtMaxSAG(false)->Tension, result.Tension);
    }
}

TEST_F(Calculation, BoxAdjustmentDoesNotKeepThePolesOfAnEarlierPlan)
{
    // Ring angles A2 + A4 + A6 + A7 of 363 degrees close no figure, so there
    // are no pole positions for the adjustment to keep. The outcome must not
    // depend on whether an earlier, closed plan of the sequence was calculated.
    const std::vector<double> lengths = {50, 100, 100, 55, 100, 60, 100, 65};
    const std::vector<double> closed = {45, 90, 40, 90, 50, 90, 90, 35};
    std::vector<double> open = closed;
    open[6] = 93;
    TWireConfiguration &earlier = *Project.AddSequence(stBox);
    Fill(earlier, lengths, closed);
    earlier.SetBoxWarp(true);
    ASSERT_TRUE(TCalculationRun::RunCalculation(Project));
    ASSERT_TRUE(MaxResult(earlier).AnglesChanged); // the warp ran on the closed plan
    earlier.Spans.SetAngleOf(7, open[6]);
    TWireConfiguration &fresh = *Project.AddSequence(stBox);
    Fill(fresh, lengths, open);
    fresh.SetBoxWarp(true);

    EXPECT_FALSE(TCalculationRun::RunCalculation(Project));
    for (const TWireConfiguration *sequence : {&earlier, &fresh}) {
        EXPECT_EQ(sequence->Results.Count(), 0);
        ASSERT_EQ(sequence->Errors.Count(), 1);
        EXPECT_EQ(sequence->Errors.First()->Message, TSequenceCalculation::RelationsMessage);
    }
}

TEST_F(Calculation, RunGoesOnAfterAnInvalidSequenceAndListsEveryOne)
{
    TWireConfiguration &invalid = Simple(100, 2, 0, 0);
    invalid.SetIdentification("First");
    TWireConfiguration &valid = Simple(100, 2, 3, 2);
    valid.SetIdentification("Second");
    CombinedWithAnOldResult(2);

    EXPECT_FALSE(TCalculationRun::RunCalculation(Project));
    EXPECT_EQ(valid.Results.Count(), 2);
    EXPECT_EQ(Project.Combinations.First()->Results.Count(), 1); // the old results stay
    const std::vector<std::string> expected = {"First", "", "The maximum SAG should be greater than 0",
                                               "The minimum SAG should be greater than 0", "", "Second", "",
                                               "No errors", ""};
    EXPECT_EQ(TCalculationRun::ErrorListing(Project), expected);
}

// Every sequence calculates, but a combination names a sequence that does
// not exist: the run fails and the listing names it after the sequences.
TEST_F(Calculation, ACombinationNamingNoSequenceFailsTheRunAndIsListed)
{
    Simple(100, 2, 3, 2);
    CombinedWithAnOldResult(99);

    EXPECT_FALSE(TCalculationRun::RunCalculation(Project));
    EXPECT_EQ(Project.First()->Results.Count(), 2) << "the sequence itself is calculated";
    EXPECT_EQ(Project.Combinations.First()->Results.Count(), 1); // the old results stay
    const std::vector<std::string> expected = {
        "Simple", "", "No errors", "", "Combinations", "",
        "The combination 0 (pole 2 of sequence 1 with pole 1 of sequence 99) names sequence 99, which does not exist",
        ""};
    EXPECT_EQ(TCalculationRun::ErrorListing(Project), expected);

    Project.Combinations.First()->SetSequenceB(1);
    EXPECT_TRUE(TCalculationRun::RunCalculation(Project));
}

// Results are not part of the file: a calculation is no change to save or
// undo, also when it adjusts a box's angles.
TEST(CalculationRun, LeavesWhatTheFileHoldsAsItWas)
{
    const auto text = [](const TWireConfigurationList &project) {
        TXMLTextWriter writer(true);
        project.WriteDocument(writer);
        return writer.Text();
    };
    test::ForEachExample([&](TWireConfigurationList &project) {
        for (TWireConfiguration *sequence : project)
            sequence->SetBoxWarp(true);
        const std::string before = text(project);
        TCalculationRun::RunCalculation(project);
        EXPECT_EQ(text(project), before);
    });
}

TEST_F(Calculation, EntriesWithoutTheErrorFlagAreNotListed)
{
    TWireConfiguration &sequence = Simple(100, 2, 3, 2);
    sequence.Errors.AddError("hidden")->IsError = false;
    const std::vector<std::string> expected = {"Simple", "", ""};
    EXPECT_EQ(TCalculationRun::ErrorListing(Project), expected);
}

} // namespace
} // namespace corvadel
