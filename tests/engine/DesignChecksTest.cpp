#include "EngineTestSupport.h"
#include "uCalculationRun.h"
#include "uCodes.h"
#include "uResultQuantities.h"
#include "uCombinationAnalysis.h"
#include "uDesignChecks.h"
#include "uPlausibility.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace corvadel {
namespace {

using test::AddSimple;
using test::MakeLoad;

TCodeList &Strands()
{
    return test::StrandCatalogue();
}

// A Simple span of 150 ft at 3 ft SAG with a signal of `load` lbs at midspan,
// strung with the chosen strand's weight.
TWireConfiguration &AddLoadedSpan(TWireConfigurationList &project, double load, const std::string &code)
{
    const TTypicalWire *strand = Strands().FindStrand(code);
    TWireConfiguration &sequence = AddSimple(project, 150, strand ? strand->Weight : 0.273, 3, 3);
    sequence.SetSpanWire(code);
    sequence.Spans.FindByNumber(1)->AddSignal(MakeLoad(75, load));
    return sequence;
}

// The max. wire load of the same span calculated on its own with `weight`.
double SeparateLoad(double load, double weight)
{
    TWireConfigurationList project(test::DefaultParameters());
    TWireConfiguration &sequence = AddLoadedSpan(project, load, "");
    sequence.SetWireWeight(weight);
    EXPECT_TRUE(TCalculationRun::RunCalculation(project));
    return sequence.Results.First()->MaxWireLoad;
}

TEST(WireCheck, ComparesTheLoadWithTheStrandAndSuggestsTheLightestThatHolds)
{
    const struct {
        const char *Name;
        double Load; // lbs at midspan
        const char *Code;
        bool Checked, Holds;
        std::vector<std::string> Suggested; // every grade's lightest that holds
        std::vector<std::string> GradesWithout;
    } cases[] = {
        {"holds on 3/8 EHS", 300, "EHS-3/8", true, true, {"EHS-3/8", "HS-3/8"}, {}},
        {"fails on 3/8 EHS, holds on 1/2 EHS", 1000, "EHS-3/8", true, false, {"EHS-1/2"}, {"HS"}},
        {"even the strongest fails", 1600, "EHS-3/8", true, false, {}, {"EHS", "HS"}},
        {"no strand chosen", 1000, "", false, true, {"EHS-1/2"}, {"HS"}},
        {"a code the catalogue lacks", 1000, "XYZ", false, true, {"EHS-1/2"}, {"HS"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Name);
        TWireConfigurationList project(test::DefaultParameters(), &Strands());
        TWireConfiguration &sequence = AddLoadedSpan(project, c.Load, c.Code);
        ASSERT_TRUE(TCalculationRun::RunCalculation(project));
        const TWireConfigurationResult &result = *sequence.Results.First();
        const TWireCheck check = TDesignChecks::Wire(sequence, result, &Strands(), project.Parameters());

        EXPECT_EQ(check.Code, c.Code);
        EXPECT_EQ(check.Checked(), c.Checked);
        EXPECT_EQ(check.Holds(), c.Holds);
        EXPECT_EQ(check.MaxWireLoad, result.MaxWireLoad) << "the calculated figure, untouched";
        if (c.Checked) {
            EXPECT_EQ(check.BreakingStrength(), 15400);
            EXPECT_DOUBLE_EQ(check.UsedPercent(), result.MaxWireLoad / 15400 * 100);
        }
        std::vector<std::string> suggested;
        for (const TStrandSuggestion &suggestion : check.Suggestions) {
            suggested.push_back(suggestion.Strand->Code);
            // A heavier strand raises the load: the suggestion's own load is
            // that of the span calculated with it, and it holds.
            EXPECT_EQ(suggestion.MaxWireLoad, SeparateLoad(c.Load, suggestion.Strand->Weight));
            EXPECT_LE(suggestion.MaxWireLoad, suggestion.Strand->BreakingStrength);
        }
        EXPECT_EQ(suggested, c.Suggested);
        std::vector<std::string> without;
        for (const TGradeWithout &grade : check.GradesWithout)
            without.push_back(grade.Grade);
        EXPECT_EQ(without, c.GradesWithout);
        EXPECT_EQ(result.MaxWireLoad, SeparateLoad(c.Load, sequence.WireWeight)) << "the project's figures stay";
    }
}

// With variable wire weights the span wire is one composition among others:
// the one of the chosen strand's code takes the other strand's weight, the
// cable beside it keeps its own.
TEST(WireCheck, VariableWeightsSwapTheStrandCompositionOnly)
{
    TWireConfigurationList project(test::DefaultParameters(), &Strands());
    TWireConfiguration &sequence = AddLoadedSpan(project, 1000, "EHS-3/8");
    sequence.SetVariableWires(true);
    for (TBaseSegment *segment : sequence.Spans.FindByNumber(1)->Segments) {
        segment->Compositions.First()->WireCode = "EHS-3/8";
        auto cable = std::make_unique<TSegmentComposition>();
        cable->WireCode = "SC-7C14";
        cable->WireWeight = 0.16;
        cable->Occurrence = 1;
        segment->Compositions.Add(std::move(cable));
    }
    ASSERT_TRUE(TCalculationRun::RunCalculation(project));
    const TWireConfigurationResult &result = *sequence.Results.First();
    const TWireCheck check = TDesignChecks::Wire(sequence, result, &Strands(), project.Parameters());
    ASSERT_NE(check.SameGrade(), nullptr);
    EXPECT_EQ(check.SameGrade()->Strand->Code, "EHS-1/2");

    TWireConfigurationList alone(test::DefaultParameters());
    TWireConfiguration &heavier = *alone.Add(std::make_unique<TWireConfiguration>(sequence));
    heavier.SetNumber(1);
    for (TBaseSegment *segment : heavier.Spans.FindByNumber(1)->Segments)
        segment->Compositions.First()->WireWeight = 0.517;
    ASSERT_TRUE(TCalculationRun::RunCalculation(alone));
    EXPECT_EQ(check.SameGrade()->MaxWireLoad, heavier.Results.First()->MaxWireLoad);
    EXPECT_GT(check.SameGrade()->MaxWireLoad, result.MaxWireLoad) << "the heavier strand raises the load";
}

TEST(WireCheck, LinesAndWarningsSayTheFigures)
{
    TWireConfigurationList project(test::DefaultParameters(), &Strands());
    TWireConfiguration &failing = AddLoadedSpan(project, 1000, "EHS-3/8");
    TWireConfiguration &hopeless = AddLoadedSpan(project, 1600, "EHS-3/8");
    TWireConfiguration &holding = AddLoadedSpan(project, 300, "EHS-3/8");
    AddLoadedSpan(project, 300, "");
    ASSERT_TRUE(TCalculationRun::RunCalculation(project));

    const double held = holding.Results.First()->MaxWireLoad;
    EXPECT_EQ(TDesignChecks::WireLine(TDesignChecks::Wire(holding, *holding.Results.First(), &Strands(),
                                                          project.Parameters())),
              "Wire: 3/8\" EHS, breaking strength 15,400 lbs; max. wire load " + GroupedText(held, 2) + " lbs (" +
                  FixedText(held / 15400 * 100, 15, 1) + " %)");

    const auto warnings = TPlausibilityCheck::Warnings(project);
    std::vector<std::pair<int, std::string>> overloaded;
    for (const TPlausibilityWarning &warning : warnings)
        if (warning.Kind == TPlausibility::WireOverloaded)
            overloaded.push_back({warning.Sequence, warning.Text});
    ASSERT_EQ(overloaded.size(), 2u);
    EXPECT_EQ(overloaded[0].first, failing.Number);
    const double load = failing.Results.First()->MaxWireLoad;
    EXPECT_EQ(overloaded[0].second,
              "Sequence 1 - Simple: at the maximum SAG the max. wire load of " + GroupedText(load, 2) +
                  " lbs exceeds the breaking strength of the 3/8\" EHS strand (15,400 lbs, " +
                  FixedText(load / 15400 * 100, 15, 1) +
                  " %); the lightest EHS strand that holds it is 1/2\" EHS (breaking strength 26,900 lbs, max. wire "
                  "load " + GroupedText(SeparateLoad(1000, 0.517), 2) + " lbs).");
    EXPECT_EQ(overloaded[1].first, hopeless.Number);
    EXPECT_NE(overloaded[1].second.find("no EHS strand of the catalogue holds it (the strongest breaks at 26,900 lbs)."),
              std::string::npos)
        << overloaded[1].second;
    const TWireCheck none = TDesignChecks::Wire(hopeless, *hopeless.Results.First(), &Strands(), project.Parameters());
    EXPECT_EQ(TDesignChecks::WireLine(none).substr(TDesignChecks::WireLine(none).find("; does not hold. ")),
              "; does not hold. No EHS strand of the catalogue holds it (the strongest breaks at 26,900 lbs); no HS "
              "strand of the catalogue holds it (the strongest breaks at 18,800 lbs).");
    EXPECT_STREQ(PlausibilityName(TPlausibility::WireOverloaded), "wireOverloaded");
    EXPECT_STREQ(PlausibilityName(TPlausibility::PoleOverloaded), "poleOverloaded");

    // Without a catalogue nothing is checked, and nothing is warned about.
    TWireConfigurationList bare(test::DefaultParameters());
    AddLoadedSpan(bare, 1000, "EHS-3/8");
    ASSERT_TRUE(TCalculationRun::RunCalculation(bare));
    EXPECT_TRUE(TPlausibilityCheck::Warnings(bare).empty());
}

TEST(PoleCheck, ComparesEachBaseMomentWithItsAllowable)
{
    TWireConfigurationList project(test::DefaultParameters());
    TWireConfiguration &sequence = AddLoadedSpan(project, 300, "");
    ASSERT_TRUE(TCalculationRun::RunCalculation(project));
    const TWireConfigurationResult &result = *sequence.Results.First();
    const double moment1 = result.PoleResults.FindByPoleNumber(1)->BaseMoment;
    const double moment2 = result.PoleResults.FindByPoleNumber(2)->BaseMoment;

    const struct {
        const char *Name;
        double Allowable1, Allowable2;
        std::vector<int> Checked;
        std::vector<int> Overloaded;
        std::vector<std::string> Cells;
    } cases[] = {
        {"none given", 0, 0, {}, {}, {"", ""}},
        {"pole 2 holds", 0, moment2 * 2, {2}, {}, {"", "50.0"}},
        {"pole 1 just holds at its allowable", moment1, 0, {1}, {}, {"100.0", ""}},
        {"both, pole 1 overloaded", moment1 * 0.8, moment2 * 4, {1, 2}, {1}, {"125.0", "25.0"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Name);
        sequence.Poles.FindByNumber(1)->SetAllowableMoment(c.Allowable1);
        sequence.Poles.FindByNumber(2)->SetAllowableMoment(c.Allowable2);
        std::vector<int> checked, overloaded;
        for (const TPoleCheck &check : TDesignChecks::Poles(sequence, result)) {
            checked.push_back(check.Pole);
            if (!check.Holds())
                overloaded.push_back(check.Pole);
        }
        EXPECT_EQ(checked, c.Checked);
        EXPECT_EQ(overloaded, c.Overloaded);
        EXPECT_EQ(TDesignChecks::HasAllowableMoments(sequence), !c.Checked.empty());
        EXPECT_EQ(TDesignChecks::MomentUsedCells(sequence, result, {1, 2}), c.Cells);
        std::vector<int> warned;
        for (const TPlausibilityWarning &warning : TPlausibilityCheck::Warnings(project))
            if (warning.Kind == TPlausibility::PoleOverloaded) {
                warned.push_back(1);
                EXPECT_NE(warning.Text.find("the base moment of pole 1 (" + GroupedText(moment1, 2) +
                                            " ft-lbs) exceeds its allowable base moment of " +
                                            GroupedText(c.Allowable1, 2) + " ft-lbs (125.0 %)."),
                          std::string::npos)
                    << warning.Text;
            }
        EXPECT_EQ(warned, c.Overloaded);
    }
}

TEST(PoleCheck, SharedPoleTakesTheSmallerAllowableOfTheTwo)
{
    TWireConfigurationList project(test::DefaultParameters());
    TWireConfiguration &a = AddLoadedSpan(project, 300, "");
    TWireConfiguration &b = AddLoadedSpan(project, 500, "");
    auto combination = std::make_unique<TCombination>();
    combination->SequenceA = 1;
    combination->PoleA = 2;
    combination->SequenceB = 2;
    combination->PoleB = 1;
    combination->ABAngle = 90;
    project.Combinations.Add(std::move(combination));
    ASSERT_TRUE(TCalculationRun::RunCalculation(project));
    const double combined = project.Combinations.First()->Results.FindByAtMaxSAG(true)->CombinedMoment;

    const struct {
        const char *Name;
        double AllowableA, AllowableB;
        bool Checked;
        double Allowable;
        bool Holds;
    } cases[] = {
        {"neither given", 0, 0, false, 0, true},
        {"only the first pole's", combined * 2, 0, true, combined * 2, true},
        {"only the second pole's", 0, combined * 2, true, combined * 2, true},
        {"the smaller of the two", combined * 3, combined * 0.9, true, combined * 0.9, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Name);
        a.Poles.FindByNumber(2)->SetAllowableMoment(c.AllowableA);
        b.Poles.FindByNumber(1)->SetAllowableMoment(c.AllowableB);
        const auto checks = TDesignChecks::Combinations(project, true);
        ASSERT_EQ(checks.size(), c.Checked ? 1u : 0u);
        if (!c.Checked)
            continue;
        EXPECT_EQ(checks[0].Moment, combined);
        EXPECT_EQ(checks[0].Allowable, c.Allowable);
        EXPECT_EQ(checks[0].Holds(), c.Holds);
        int shared = 0;
        for (const TPlausibilityWarning &warning : TPlausibilityCheck::Warnings(project))
            shared += warning.Text.find("shared with pole 1 of sequence 2") != std::string::npos ? 1 : 0;
        // Once for the project: the minimum SAG equals the maximum here.
        EXPECT_EQ(shared, c.Holds ? 0 : 1);
        int shownWithB = 0;
        for (const TPlausibilityWarning &warning : TPlausibilityCheck::Warnings(project, b))
            shownWithB += warning.Kind == TPlausibility::PoleOverloaded ? 1 : 0;
        EXPECT_EQ(shownWithB, c.Holds ? 0 : 1) << "each sequence of a shared pole shows it";
    }
}

TEST(DesignChecks, GroupedTextSeparatesThousands)
{
    const struct {
        double Value;
        int Digits;
        const char *Text;
    } cases[] = {{15400, 0, "15,400"}, {14572.114, 2, "14,572.11"}, {999.999, 2, "1,000.00"}, {0, 2, "0.00"},
                 {1234567.5, 1, "1,234,567.5"}, {-26900, 0, "-26,900"}, {12, 0, "12"}};
    for (const auto &c : cases)
        EXPECT_EQ(GroupedText(c.Value, c.Digits), c.Text) << c.Value;
    EXPECT_EQ(PercentText(94.5678), "94.6 %");
}

} // namespace
} // namespace corvadel
