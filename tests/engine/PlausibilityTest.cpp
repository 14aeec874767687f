#include "EngineTestSupport.h"
#include "uCalculationRun.h"
#include "uPlausibility.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace corvadel {
namespace {

using test::AddSimple;
using test::MakeLoad;

struct SmallProject {
    const char *Name;
    int Type;
    double Length, MaxSAG, MinSAG, T, U;
    // Loads at midspan: dead load and height; none when the load is 0.
    double Load, Height;
    std::vector<TPlausibility> Expected;
};

TEST(Plausibility, EachSmallProjectRaisesExactlyItsWarnings)
{
    const std::vector<SmallProject> cases = {
        {"sound design", stSimple, 100, 3, 2, 0, 0, 40, 2, {}},
        {"SAG above a tenth of the span", stSimple, 50, 6, 2, 0, 0, 0, 0, {TPlausibility::LargeSAG}},
        // The signal is the low point, 20.6 ft up; 7 ft tall leaves 13.6 ft.
        {"signal below the signal clearance", stSimple, 100, 3, 3, 0, 0, 60, 7, {TPlausibility::LowHanger}},
        {"both cases below the signal clearance", stSimple, 100, 3, 2, 0, 0, 60, 7,
         {TPlausibility::LowHanger, TPlausibility::LowHanger}},
        // Poles 2 and 3 lie 2.9 ft above and below pole 1: 5.8 ft apart.
        {"pole differences above the maximum SAG", stWYE, 100, 3, 2, 2.9, -2.9, 0, 0,
         {TPlausibility::UnreachableSAG}},
        {"minimum SAG needs too much tension", stSimple, 100, 3, 0.1, 0, 0, 500, 0, {TPlausibility::MinSAGFailed}},
        {"minimum SAG below the pole difference", stSimple, 100, 3, 1, 2, 0, 0, 0,
         {TPlausibility::MinSAGFailed, TPlausibility::UnreachableSAG}},
    };
    for (const SmallProject &c : cases) {
        SCOPED_TRACE(c.Name);
        TTARVOParameters parameters;
        TWireConfigurationList project(parameters);
        TWireConfiguration *sequence = project.AddSequence(c.Type);
        for (int n = 1; n <= sequence->Spans.Count(); ++n) {
            sequence->Spans.SetLengthOf(n, c.Length);
            sequence->Spans.SetAngleOf(n, 60);
        }
        sequence->SetWireWeight(1);
        sequence->SetMaxSAG(c.MaxSAG);
        sequence->SetMinSAG(c.MinSAG);
        sequence->Elevations.SetValueOf("T", c.T);
        if (c.Type == stWYE)
            sequence->Elevations.SetValueOf("U", c.U);
        if (c.Load > 0) {
            auto load = MakeLoad(c.Length / 2, c.Load);
            load->SetHeight(c.Height);
            sequence->Spans.FindByNumber(1)->AddSignal(std::move(load));
        }
        TCalculationRun::RunCalculation(project);

        const auto warnings = TPlausibilityCheck::Warnings(project);
        std::vector<TPlausibility> kinds;
        for (const TPlausibilityWarning &warning : warnings) {
            kinds.push_back(warning.Kind);
            EXPECT_EQ(warning.Sequence, 1);
            EXPECT_EQ(warning.Text.find("Sequence 1 - "), 0u) << warning.Text;
            EXPECT_EQ(warning.Text.find('\n'), std::string::npos) << warning.Text;
        }
        EXPECT_EQ(kinds, c.Expected);
    }
}

TEST(Plausibility, WarningsSayTheNumbers)
{
    TTARVOParameters parameters;
    TWireConfigurationList project(parameters);
    TWireConfiguration *sequence = &AddSimple(project, 100, 1, 3, 1, 2);
    EXPECT_TRUE(TCalculationRun::RunCalculation(project));
    auto warnings = TPlausibilityCheck::Warnings(project);
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_NE(warnings[0].Text.find("minimum SAG of 1.00 ft could not be calculated; only the maximum-SAG results are "
                                    "shown. Wire tension values for this problem are excessive. The attempted"),
              std::string::npos)
        << warnings[0].Text;
    EXPECT_NE(warnings[1].Text.find("minimum SAG of 1.00 ft cannot be reached"), std::string::npos) << warnings[1].Text;
    EXPECT_NE(warnings[1].Text.find("differ by 2.00 ft"), std::string::npos) << warnings[1].Text;

    // The signal clearance comes from the project's parameters.
    sequence->Elevations.SetValueOf("T", 0);
    sequence->SetMinSAG(3);
    auto load = MakeLoad(50, 60);
    load->SetHeight(2);
    sequence->Spans.FindByNumber(1)->AddSignal(std::move(load));
    parameters.MinSignalClearance = 19.6;
    ASSERT_TRUE(TCalculationRun::RunCalculation(project));
    warnings = TPlausibilityCheck::Warnings(project);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].Text.find("signal 1 of span 1 is 18.60 ft above the pavement, 1.00 ft below the minimum "
                                    "signal clearance of 19.60 ft"),
              std::string::npos)
        << warnings[0].Text;
}

TEST(Plausibility, InvalidSequenceRaisesNothing)
{
    TTARVOParameters parameters;
    TWireConfigurationList project(parameters);
    project.AddSequence(stWYE); // no lengths: invalid, never calculated
    EXPECT_FALSE(TCalculationRun::RunCalculation(project));
    EXPECT_TRUE(TPlausibilityCheck::Warnings(project).empty());
}

// The sample projects are designs an engineer could sign: they calculate and
// raise no warning.
TEST(Plausibility, EveryExampleIsASoundDesign)
{
    const int examples = test::ForEachExample([](TWireConfigurationList &project) {
        ASSERT_TRUE(TCalculationRun::RunCalculation(project));
        for (const std::string &line : TPlausibilityCheck::Listing(project))
            ADD_FAILURE() << line;
    });
    EXPECT_GE(examples, 6);
}

// None when `text` is empty; otherwise one warning, of `kind`, saying `text`
// about the project's first sequence.
void ExpectOnlyWarning(const TWireConfigurationList &project, TPlausibility kind, const std::string &text)
{
    const auto warnings = TPlausibilityCheck::Warnings(project);
    if (text.empty()) {
        EXPECT_TRUE(warnings.empty());
        return;
    }
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].Kind, kind);
    EXPECT_EQ(warnings[0].Text.rfind("Sequence " + project.Objects(0)->DisplayName() + ": " + text, 0), 0u)
        << warnings[0].Text;
}

// A Delta or a Box whose ring loop does not close is still calculated, and
// its warnings say which rule it misses and by how much.
TEST(Plausibility, APlanThatDoesNotCloseIsCalculatedAndSaysSo)
{
    struct Case {
        const char *Example;
        int Span;
        double Length, Angle; // 0: as in the example
        const char *Text; // "" when the plan closes
    };
    const Case cases[] = {
        {"box.xml", 7, 0, 92,
         "the plan does not close (A2 + A4 + A6 + A7 = 362.00\xC2\xB0, 360\xC2\xB0 needed; pole distances cannot be "
         "computed); the results are approximate."},
        {"box.xml", 7, 0, 90.05, ""}, // 0.0009 rad off: within the rule
        {"delta.xml", 6, 0, 119, "the plan does not close (A2 + A4 + A6 = 359.00\xC2\xB0, 360\xC2\xB0 needed;"},
        // L2 = L3 = 60 ft at 60 degrees need L5 = 60 ft: as many decimals as tell them apart.
        {"delta.xml", 5, 60.001, 0, "the ring triangle does not close (L2, L3 and A2 give L5 = 60.000 ft, 60.001 ft "
                                    "entered; pole distances cannot be computed); the results are approximate."},
        {"delta.xml", 5, 60.5, 0, "the ring triangle does not close (L2, L3 and A2 give L5 = 60.00 ft, 60.50 ft entered;"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.Example) + " span " + std::to_string(c.Span));
        TTARVOParameters parameters;
        TWireConfigurationList project(parameters);
        ASSERT_TRUE(project.Open(std::string(CORVADEL_SOURCE_DIR) + "/examples/" + c.Example));
        TWireConfiguration &sequence = *project.Objects(0);
        if (c.Length > 0)
            sequence.Spans.SetLengthOf(c.Span, c.Length);
        if (c.Angle > 0)
            sequence.Spans.SetAngleOf(c.Span, c.Angle);
        ASSERT_TRUE(TCalculationRun::RunCalculation(project));
        EXPECT_EQ(sequence.Results.Count(), 2);
        ExpectOnlyWarning(project, TPlausibility::PlanNotClosed, c.Text);
    }
}

// A Box adjusted for balance is calculated with its balanced lengths, so the
// longest span the SAG is measured against is the balanced plan's: the square
// ring box off its balance by 5 degrees has span 2 101.93 ft long instead of
// 100 ft.
TEST(Plausibility, ABalancedBoxIsMeasuredByItsBalancedSpans)
{
    struct Case {
        bool Warp;
        double MaxSAG;
        const char *Text; // "" for no warning
    };
    const Case cases[] = {
        {false, 10.1, "the maximum SAG of 10.10 ft is more than 10 % of the longest span (100.00 ft);"},
        {true, 10.1, ""},
        {true, 10.5, "the maximum SAG of 10.50 ft is more than 10 % of the longest span (101.93 ft);"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::to_string(c.MaxSAG) + (c.Warp ? " adjusted" : " as entered"));
        TTARVOParameters parameters;
        TWireConfigurationList project(parameters);
        TWireConfiguration &box = *project.AddSequence(stBox);
        const double lengths[] = {50, 100, 100, 55, 100, 60, 100, 65}, angles[] = {45, 90, 40, 90, 50, 90, 90, 40};
        for (int n = 1; n <= 8; ++n) {
            box.Spans.SetLengthOf(n, lengths[n - 1]);
            box.Spans.SetAngleOf(n, angles[n - 1]);
        }
        box.SetBoxWarp(c.Warp);
        box.SetMaxSAG(c.MaxSAG);
        box.SetMinSAG(c.MaxSAG);
        ASSERT_TRUE(TCalculationRun::RunCalculation(project));
        ExpectOnlyWarning(project, TPlausibility::LargeSAG, c.Text);
    }
}

// Without results there is nothing to call approximate.
TEST(Plausibility, APlanThatDoesNotCloseAndIsNotCalculatedRaisesNothing)
{
    TTARVOParameters parameters;
    TWireConfigurationList project(parameters);
    ASSERT_TRUE(project.Open(std::string(CORVADEL_SOURCE_DIR) + "/examples/box.xml"));
    TWireConfiguration &sequence = *project.Objects(0);
    sequence.Spans.SetAngleOf(7, 92);
    sequence.SetMaxSAG(0);
    EXPECT_FALSE(TCalculationRun::RunCalculation(project));
    EXPECT_TRUE(TPlausibilityCheck::Warnings(project).empty());
}

} // namespace
} // namespace corvadel
