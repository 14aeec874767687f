#include "ReportFixture.h"

#include "ResultReportQR.h"
#include "uDesignChecks.h"
#include "uResultQuantities.h"

namespace corvadel::test {
namespace {

class ResultReport : public ReportFixture
{
protected:
    // The report's texts as one page: warnings may carry it over a second.
    TReportPage Report(int number = 1, bool atMaxSAG = true)
    {
        TReportJob job;
        TqrResultReportForm::AddPages(job, Project, atMaxSAG, number);
        EXPECT_FALSE(job.Pages.empty());
        if (job.Pages.empty())
            return {};
        TReportPage all = job.Pages[0];
        for (size_t i = 1; i < job.Pages.size(); ++i)
            all.Texts.insert(all.Texts.end(), job.Pages[i].Texts.begin(), job.Pages[i].Texts.end());
        return all;
    }

    TWireConfigurationResult &Result(int number = 1) { return *Sequence(number).Results.FindByAtMaxSAG(true); }
};

TEST_F(ResultReport, BalanceSentenceOfABoxFollowsTheRotation)
{
    OpenCalculated("box.xml");
    struct TCase {
        double Rotation;
        std::string Sentence;
    };
    const TCase cases[] = {
        {0.5, "System is in balance"},
        {-2.25, "For system balance rotate pole two 2.25 degree(s) counterclockwise"},
        {3, "For system balance rotate pole two 3.00 degree(s) clockwise"},
        {1, "System is in balance"},
        {-1, "System is in balance"},
    };
    for (const TCase &c : cases) {
        Result().Rotation = c.Rotation;
        Result().AnglesChanged = false;
        EXPECT_TRUE(Report().Shows(c.Sentence)) << c.Rotation;
    }
}

TEST_F(ResultReport, AnAngleAdjustmentIsNamedWithTheRotationItSaved)
{
    OpenCalculated("box.xml");
    Result().Rotation = 0.2;
    Result().AnglesChanged = true;
    Result().InitialRotation = -4.5;
    const TReportPage page = Report();
    EXPECT_TRUE(page.Shows("System is in balance (Input Angles Changed instead of rotating Pole Two -4.50)"));
    EXPECT_TRUE(page.Shows("Warp Results"));
    EXPECT_TRUE(page.Shows("A 8"));
}

// examples/box.xml with A1 = 20 is balanced by turning span 8 about pole
// two: the warp results print the new angles and the new lengths, spans 2
// and 7 no longer 50 ft.
TEST_F(ResultReport, AnAdjustedBoxPrintsItsNewAnglesAndLengths)
{
    Open("box.xml");
    Sequence(1).Spans.SetAngleOf(1, 20);
    Sequence(1).SetBoxWarp(true);
    ASSERT_TRUE(TCalculationRun::RunCalculation(Project));
    ASSERT_TRUE(Result().AnglesChanged);
    const std::vector<std::string> lines = Report().TextLines();
    for (const auto &[caption, value] : {std::pair {"New Angles", &TBaseWireResult::PlanDirection},
                                         {"New Lengths", &TBaseWireResult::PlanLength}}) {
        SCOPED_TRACE(caption);
        const auto row = std::find(lines.begin(), lines.end(), caption);
        ASSERT_GE(std::distance(row, lines.end()), 9);
        for (int n = 1; n <= 8; ++n)
            EXPECT_EQ(*(row + n), FixedText(Result().SpanResults.FindBySpanNumber(n)->*value, 8, 2)) << n;
    }
    const auto lengths = std::find(lines.begin(), lines.end(), "New Lengths");
    EXPECT_EQ(*(lengths + 1), "100.00");
    EXPECT_EQ(*(lengths + 2), "60.16");
    EXPECT_EQ(*(lengths + 7), "42.77");
}

TEST_F(ResultReport, APlanThatDoesNotCloseIsWarnedOfOnce)
{
    Open("delta.xml");
    Sequence(1).Spans.SetAngleOf(6, 119);
    ASSERT_TRUE(TCalculationRun::RunCalculation(Project));
    const std::string start = "Sequence 1 - " + Sequence(1).Identification + ": the plan does not close (A2 + A4 + A6";
    EXPECT_EQ(CountStartingWith(Report(1, true), start), 1);
    EXPECT_EQ(CountStartingWith(Report(1, false), start), 0);
}

TEST_F(ResultReport, AWyeNeverPrintsABalanceSentence)
{
    OpenCalculated("wye.xml");
    Result().Rotation = 3;
    const TReportPage page = Report();
    EXPECT_EQ(CountStartingWith(page, "For system balance"), 0);
    EXPECT_EQ(CountStartingWith(page, "System is in balance"), 0);
    EXPECT_FALSE(page.Shows("Warp Results"));
}

TEST_F(ResultReport, FixedFormatsAndUnits)
{
    OpenCalculated("simple.xml");
    TWireConfigurationResult &result = Result();
    result.SpanResults.FindBySpanNumber(1)->TensionRelation = 1;
    result.SpanResults.FindBySpanNumber(1)->EndReaction = 12.5;
    result.PoleResults.FindByPoleNumber(1)->StringingTension = 1234.5678;
    result.PoleResults.FindByPoleNumber(1)->BaseMoment = 98765.432;
    result.SystemSAG = 4.996;
    result.MaxWireLoad = 4699.755;
    const TReportPage page = Report();
    EXPECT_EQ(page.Title, "RESULT OF FINAL CALCULATION [MAX SAG]");
    const std::pair<std::string, std::string> rows[] = {
        {"Tension Relations:", "1.00000"},
        {"Reaction at the end of the span (lbs)", "12.50"},
        {"Stringing Tension (lbs):", "1234.57"},
        {"Base Moment (ft-lbs)", "98765.43"},
        {"Distance between Highest and Lowest Point (ft) :", "5.00"},
        {"Max. Wire Load (lbs):", "4699.76"},
        {"Sequence #:", "1"},
        {"Configuration Type:", "Simple"},
    };
    for (const auto &[caption, value] : rows)
        EXPECT_EQ(page.ValueBeside(caption), value) << caption;
    // A Simple: one span column, two pole columns, one signal line.
    EXPECT_EQ(CountStartingWith(page, "[ SPAN"), 1);
    EXPECT_EQ(CountStartingWith(page, "[ POLE"), 2);
    EXPECT_EQ(Count(page, "Span 1"), 1);
    EXPECT_EQ(Count(page, "Span 2"), 0);
    EXPECT_EQ(CountStartingWith(page, "Base Moment (ft/lbs)"), 0);
}

TEST_F(ResultReport, DesignFactorWarningNamesTheParameter)
{
    OpenCalculated("simple.xml");
    Settings.Parameters.DesignFactor = 1000;
    EXPECT_TRUE(Report().Shows("Warning: using default 1000"));
    Settings.Parameters.DesignFactor = 0;
    EXPECT_EQ(CountStartingWith(Report(), "Warning: using default"), 0);
}

TEST_F(ResultReport, SignalHeightsShowSignalsInParenthesesAndSignsInBrackets)
{
    OpenCalculated("wye.xml");
    TBaseWireResult &span = *Result().SpanResults.FindBySpanNumber(1);
    span.SignalResults.FreeAll();
    for (const auto &[number, isSignal, height] : {std::tuple {1, true, 12.5}, {2, false, 10.0}}) {
        auto signal = std::make_unique<TBaseSignalResult>();
        signal->SignalNumber = number;
        signal->IsSignal = isSignal;
        signal->HeightAboveLowest = height;
        span.SignalResults.Add(std::move(signal));
    }
    Result().SpanResults.FindBySpanNumber(2)->SignalResults.FreeAll();
    const TReportPage page = Report();
    EXPECT_EQ(page.ValueBeside("Span 1"), "(12.50), [10.00]");
    EXPECT_EQ(page.ValueBeside("Span 2"), "No signals or signs attached at this span.");
}

TEST_F(ResultReport, NothingForAMissingResult)
{
    OpenCalculated("simple.xml");
    Sequence(1).Results.FreeAll();
    TReportJob job;
    TqrResultReportForm::AddPages(job, Project, true, 1);
    TqrResultReportForm::AddPages(job, Project, true, 7);
    EXPECT_TRUE(job.Pages.empty());
}

} // namespace
} // namespace corvadel::test

namespace corvadel::test {
namespace {

TEST_F(ResultReport, ChecksPrintTheWireLineAndTheMomentUsedWhenGiven)
{
    OpenCalculated("wye.xml");
    EXPECT_EQ(Count(Report(), "Base Moment Used (%)"), 0) << "no allowable moment given";
    EXPECT_EQ(CountStartingWith(Report(), "Wire: not given; max. wire load " + GroupedText(Result().MaxWireLoad, 2)), 1);

    const double moment = Result().PoleResults.FindByPoleNumber(3)->BaseMoment;
    Sequence(1).Poles.FindByNumber(3)->SetAllowableMoment(moment / 2);
    const TReportPage page = Report();
    EXPECT_EQ(Count(page, "Base Moment Used (%)"), 1);
    EXPECT_EQ(Count(page, "200.0"), 1);
    EXPECT_EQ(CountStartingWith(page, "Sequence 1 - "), 1) << "the overloaded pole is warned of";
}

} // namespace
} // namespace corvadel::test
