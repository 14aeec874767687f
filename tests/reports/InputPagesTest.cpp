#include "ReportFixture.h"

#include "InputSheetQR.h"
#include "ResultSpanReportQR.h"
#include "uFormats.h"
#include "uReportText.h"
#include "uResultQuantities.h"

namespace corvadel::test {
namespace {

class InputPages : public ReportFixture
{
protected:
    TReportPage SpanReport(int number = 1)
    {
        TReportJob job;
        TqrSpanReportForm::AddPages(job, Project, Settings, number);
        EXPECT_EQ(job.Pages.size(), 1u);
        return job.Pages.empty() ? TReportPage {} : job.Pages[0];
    }
};

TEST_F(InputPages, VariableWireWeightsPrintAsVariable)
{
    Open("wye.xml");
    struct TCase {
        bool Variable;
        std::string Weight;
        std::string Kind;
    };
    for (const TCase &c : {TCase {true, "<variable>", "(Variable)"}, TCase {false, "", "(Assumed)"}}) {
        Sequence(1).SetVariableWires(c.Variable);
        const TReportPage page = SpanReport();
        const std::string weight = c.Variable ? c.Weight : FixedText(Sequence(1).WireWeight, 5, 2);
        EXPECT_EQ(page.ValueBeside("Wire Weight (lbs/ft):"), weight);
        EXPECT_TRUE(page.Shows(c.Kind));
        // Every span still prints its wire weight.
        for (const char *span : {"Span 1", "Span 2", "Span 3"})
            EXPECT_EQ(Count(page, span), 2) << span;
    }
}

TEST_F(InputPages, SpanReportPrintsWhatWasEntered)
{
    Open("wye.xml");
    TWireConfiguration &sequence = Sequence(1);
    TBaseWire &span = *sequence.Spans.FindByNumber(2);
    span.Signals.FreeAll();
    sequence.Elevations.SetEnteredFlags("YNNNNNN");
    const TReportPage page = SpanReport();
    EXPECT_EQ(page.Title, "INPUT VALUES");
    EXPECT_TRUE(page.HasFooter);
    EXPECT_EQ(page.ValueBeside("Span 2"), "No signals or signs attached at this span.");
    EXPECT_TRUE(page.Shows("[ T ]"));
    // U was found by the solver, not entered.
    EXPECT_FALSE(page.Shows("[ U ]"));
    EXPECT_EQ(CountStartingWith(page, "[ A "), 2);
    EXPECT_EQ(CountStartingWith(page, "[ L "), 3);
    EXPECT_TRUE(page.Shows("Sum of Areas (sq.ft):"));
    EXPECT_FALSE(page.Shows("Box Warp Enabled:"));
    ASSERT_EQ(page.Pictures.size(), 1u);
}

TEST_F(InputPages, SignalLineGivesDistanceAndDeadLoad)
{
    Open("wye.xml");
    TBaseWire &span = *Sequence(1).Spans.FindByNumber(1);
    const std::string line = SpanReport().ValueBeside("Span 1");
    const TBaseSignal &first = *span.Signals.FindByNumber(1);
    const std::string entry = FixedText(first.Distance, 6, 2) + "/" + FixedText(first.DeadLoad(), 6, 2);
    EXPECT_TRUE(line.starts_with(first.IsSignal ? "(" + entry + ")" : "[" + entry + "]")) << line;
}

TEST_F(InputPages, DeltaHasNoTAndOnlyAHybridHasY)
{
    for (const auto &[type, t, y] : {std::tuple {stDelta, false, false}, {stHybrid, true, true}, {stBox, true, false}}) {
        TWireConfiguration &sequence = *Project.AddSequence(type);
        sequence.Elevations.SetEnteredFlags("YYYYYYY");
        const TReportPage page = SpanReport(sequence.Number);
        EXPECT_EQ(page.Shows("[ T ]"), t) << type;
        EXPECT_EQ(page.Shows("[ Y ]"), y) << type;
    }
}

TEST_F(InputPages, InputSheetsPrintTheFieldsOfTheirType)
{
    struct TCase {
        int Type;
        int Angles;
        int Lengths;
        std::vector<std::string> Elevations;
        int Poles;
        bool Warp;
    };
    const TCase cases[] = {
        {stSimple, 0, 1, {"T"}, 2, false},
        {stBox, 8, 8, {"T", "U", "V", "C", "D", "G"}, 4, true},
        {stDelta, 6, 6, {"U", "V", "C", "D"}, 3, false},
    };
    for (const TCase &c : cases) {
        const TReportJob job = TqrInputSheetForm::Job(c.Type, Settings);
        ASSERT_EQ(job.Pages.size(), 1u);
        const TReportPage &page = job.Pages[0];
        EXPECT_FALSE(page.HasFooter);
        EXPECT_EQ(CountStartingWith(page, "[ A "), c.Angles) << c.Type;
        EXPECT_EQ(CountStartingWith(page, "[ L "), c.Lengths) << c.Type;
        EXPECT_EQ(CountStartingWith(page, "[ Pole "), c.Poles) << c.Type;
        for (const char *letter : {"T", "U", "V", "Y", "C", "D", "G"}) {
            const bool expected = std::find(c.Elevations.begin(), c.Elevations.end(), letter) != c.Elevations.end();
            EXPECT_EQ(page.Shows(Bracketed(letter)), expected) << c.Type << " " << letter;
        }
        EXPECT_EQ(page.Shows("Box Warp Enabled:"), c.Warp);
        EXPECT_EQ(page.ValueBeside("Sequence #:"), Blank(10));
        EXPECT_EQ(page.ValueBeside("Problem Identification: "), Blank(55));
        EXPECT_EQ(page.ValueBeside("Min. SAG (ft):"), Blank(7));
        EXPECT_EQ(page.ValueBeside("Span 1"), Blank(119));
        EXPECT_EQ(Count(page, Blank(13)), c.Lengths);
    }
}

TEST_F(InputPages, NoSheetForAnUnknownType)
{
    EXPECT_TRUE(TqrInputSheetForm::Job(7, Settings).Pages.empty());
}

} // namespace
} // namespace corvadel::test
