#include "ReportFixture.h"

#include "CombinationReportQR.h"
#include "uCombinationAnalysis.h"
#include "uFormats.h"
#include "uResultQuantities.h"

namespace corvadel::test {
namespace {

class CombinationReport : public ReportFixture
{
protected:
    // Combinations whose maximum-SAG moment tells them apart and that have
    // no minimum-SAG result.
    void AddCombinations(int count)
    {
        Project.Combinations.FreeAll();
        for (int i = 0; i < count; ++i) {
            auto combination = std::make_unique<TCombination>();
            combination->PoleA = 1;
            combination->SequenceA = 1;
            combination->PoleB = 2;
            combination->SequenceB = 2;
            combination->ABAngle = 90;
            auto result = std::make_unique<TCombinationResult>();
            result->AtMaxSAG = true;
            result->CombinedMoment = 1000 + i;
            result->ResultantAngle = 12.5;
            combination->Results.Add(std::move(result));
            Project.Combinations.Add(std::move(combination));
        }
    }

    static std::vector<std::string> RowOf(const TReportPage &page, const std::string &cell)
    {
        std::vector<std::string> row;
        double top = -1;
        for (const TPageText &text : page.Texts)
            if (text.Text == cell)
                top = text.Box.top();
        for (const TPageText &text : page.Texts)
            if (text.Box.top() == top)
                row.push_back(text.Text);
        return row;
    }
};

TEST_F(CombinationReport, AMissingMinSagResultLeavesItsCellsEmpty)
{
    AddCombinations(1);
    TReportJob job;
    TqrCombinationReportForm::AddPages(job, Project);
    ASSERT_EQ(job.Pages.size(), 1u);
    EXPECT_EQ(RowOf(job.Pages[0], "1000.00"),
              (std::vector<std::string> {"1", "1", "2", "2", "90.00", "1000.00", "12.50", "", ""}));
    EXPECT_TRUE(job.Pages[0].Shows("(ft-lbs)"));
}

TEST_F(CombinationReport, RowsBeyondSeventeenContinueOnANewPageWithHeadings)
{
    AddCombinations(TqrCombinationReportForm::RowsPerPage + 1);
    TReportJob job;
    TqrCombinationReportForm::AddPages(job, Project);
    ASSERT_EQ(job.Pages.size(), 2u);
    EXPECT_EQ(job.Titles(), (std::vector<std::string> {"RESULT OF COMBINATION CALCULATION",
                                                        "RESULT OF COMBINATION CALCULATION"}));
    for (int i = 0; i < TqrCombinationReportForm::RowsPerPage; ++i)
        EXPECT_TRUE(job.Pages[0].Shows(FixedText(1000 + i, 8, 2))) << i;
    EXPECT_TRUE(job.Pages[1].Shows("1017.00"));
    EXPECT_FALSE(job.Pages[0].Shows("1017.00"));
    EXPECT_TRUE(job.Pages[1].Shows("FIRST POLE"));
}

TEST_F(CombinationReport, EachSagCaseWarnsForItself)
{
    AddCombinations(1);
    const auto warning = [](const char *sag) {
        return std::string(sag) + " Warning: " + TCombinationAnalysis::WarningMessage;
    };
    for (bool atMaxSAG : {true, false}) {
        Project.ClearCombinationWarnings();
        Project.SetCombinationWarning(atMaxSAG);
        TReportJob job;
        TqrCombinationReportForm::AddPages(job, Project);
        EXPECT_EQ(job.Pages[0].Shows(warning("MAX SAG")), atMaxSAG);
        EXPECT_EQ(job.Pages[0].Shows(warning("MIN SAG")), !atMaxSAG);
    }
    Project.ClearCombinationWarnings();
    TReportJob job;
    TqrCombinationReportForm::AddPages(job, Project);
    EXPECT_EQ(CountStartingWith(job.Pages[0], "M"), 2); // the two SAG group headings only
}

TEST_F(CombinationReport, NoPagesWithoutCombinations)
{
    AddCombinations(0);
    TReportJob job;
    TqrCombinationReportForm::AddPages(job, Project);
    EXPECT_TRUE(job.Pages.empty());
}

} // namespace
} // namespace corvadel::test

namespace corvadel::test {
namespace {

TEST_F(CombinationReport, SharedPolesWithAnAllowableMomentAreCheckedCaseByCase)
{
    OpenCalculated("wye.xml");
    Project.DuplicateSequence(Sequence(1));
    AddCombinations(1);
    TReportJob job;
    TqrCombinationReportForm::AddPages(job, Project);
    EXPECT_EQ(CountStartingWith(job.Pages[0], "MAX SAG Pole 1"), 0) << "no allowable moment given";

    Sequence(1).Poles.FindByNumber(1)->SetAllowableMoment(4000);
    Sequence(2).Poles.FindByNumber(2)->SetAllowableMoment(800);
    job = {};
    TqrCombinationReportForm::AddPages(job, Project);
    EXPECT_EQ(Count(job.Pages[0], "MAX SAG Pole 1 of sequence 1 with pole 2 of sequence 2: 125.0 % of the smaller "
                                  "allowable base moment, 800.00 ft-lbs; exceeded"),
              1);
    EXPECT_EQ(CountStartingWith(job.Pages[0], "MIN SAG Pole"), 0) << "no minimum-SAG result to check";
}

} // namespace
} // namespace corvadel::test
