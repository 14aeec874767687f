#include "ReportFixture.h"

#include "CombinationReportQR.h"
#include "DetailReportQR.h"
#include "LoadedProfileQR.h"
#include "SagStudyQR.h"
#include "uPrintJob.h"

namespace corvadel::test {
namespace {

class PrintJob : public ReportFixture
{
};

const std::string MaxTitle = "RESULT OF FINAL CALCULATION [MAX SAG]";
const std::string MinTitle = "RESULT OF FINAL CALCULATION [MIN SAG]";

TEST_F(PrintJob, PagesFollowTheSequencesAndTheirSagCases)
{
    const std::string maxProfile = TqrLoadedProfileForm::Title(true, 1);
    const std::string minProfile = TqrLoadedProfileForm::Title(false, 1);
    ASSERT_EQ(maxProfile, "LOADED PROFILE [MAX SAG] - SPAN 1");
    const std::string study = TqrSagStudyForm::Title;
    const struct {
        bool PrintLoadedProfiles;
        bool PrintSAGStudies;
        std::vector<std::string> Titles;
    } cases[] = {
        {false, false, {"PROJECT DETAIL", "INPUT VALUES", MaxTitle, "INPUT VALUES", MaxTitle, MinTitle}},
        {true, false,
         {"PROJECT DETAIL", "INPUT VALUES", MaxTitle, maxProfile, "INPUT VALUES", MaxTitle, maxProfile, MinTitle,
          minProfile}},
        {false, true,
         {"PROJECT DETAIL", "INPUT VALUES", MaxTitle, study, "INPUT VALUES", MaxTitle, MinTitle, study}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.PrintLoadedProfiles) + std::to_string(c.PrintSAGStudies));
        TWireConfigurationList project(Settings.Parameters);
        ASSERT_TRUE(project.Open(std::string(CORVADEL_SOURCE_DIR) + "/examples/simple.xml"));
        Settings.PrintLoadedProfiles = c.PrintLoadedProfiles;
        Settings.PrintSAGStudies = c.PrintSAGStudies;
        TWireConfiguration &first = *project.FindByNumber(1);
        project.DuplicateSequence(first);
        // The first sequence is calculated at its maximum SAG only.
        first.SetMinSAG(first.MaxSAG);
        ASSERT_LT(project.FindByNumber(2)->MinSAG, project.FindByNumber(2)->MaxSAG);
        TReportJob job;
        ASSERT_TRUE(TPrintJob::Assemble(project, Settings, job));
        EXPECT_EQ(job.Titles(), c.Titles);
        EXPECT_FALSE(job.Pages[0].HasFooter);
        EXPECT_TRUE(job.Pages[1].HasFooter);
    }
}

TEST_F(PrintJob, CombinationsCloseTheJob)
{
    Open("intersection.xml");
    ASSERT_GT(Project.Combinations.Count(), 0);
    TReportJob job;
    ASSERT_TRUE(TPrintJob::Assemble(Project, Settings, job));
    EXPECT_EQ(job.Titles().back(), "RESULT OF COMBINATION CALCULATION");
    EXPECT_EQ(job.Footer.ProjectName, Project.ProjectName);
}

TEST_F(PrintJob, AFailedCalculationGivesNoPages)
{
    Open("simple.xml");
    Sequence(1).Spans.SetLengthOf(1, 0);
    TReportJob job;
    EXPECT_FALSE(TPrintJob::Assemble(Project, Settings, job));
    EXPECT_TRUE(job.Pages.empty());
}

TEST_F(PrintJob, EachSequencePageKindAddsItsPagesInTableOrder)
{
    OpenCalculated("wye.xml");
    Settings.PrintLoadedProfiles = true;
    std::vector<std::string> titles;
    for (const TSequencePageKind &kind : TPrintJob::SequencePageKinds()) {
        TReportJob job;
        kind.AddPages(job, {Project, Settings, Sequence(1)});
        for (const std::string &title : job.Titles())
            titles.push_back(title);
    }
    // One loaded profile page per span after the result of its SAG case.
    std::vector<std::string> expected {"INPUT VALUES", MaxTitle};
    const int spans = Sequence(1).Topology().SpanCount();
    ASSERT_GT(spans, 1);
    for (int span = 1; span <= spans; ++span)
        expected.push_back(TqrLoadedProfileForm::Title(true, span));
    expected.push_back(MinTitle);
    for (int span = 1; span <= spans; ++span)
        expected.push_back(TqrLoadedProfileForm::Title(false, span));
    EXPECT_EQ(titles, expected);
}

TEST_F(PrintJob, DetailPageOfANewProject)
{
    Project.SetProjectName("Main St");
    Project.SetComments("first\nsecond\nthird");
    TReportJob job;
    TqrDetailReportForm::AddPages(job, Project);
    ASSERT_EQ(job.Pages.size(), 1u);
    const TReportPage &page = job.Pages[0];
    EXPECT_TRUE(page.Shows("Main St"));
    EXPECT_EQ(page.ValueBeside("Filename:"), "");
    for (const char *line : {"first", "second", "third"})
        EXPECT_TRUE(page.Shows(line)) << line;
}

TEST_F(PrintJob, CommentsLongerThanAPageGoOnInABoxOnTheNextPage)
{
    std::string comments;
    for (int i = 0; i < 80; ++i)
        comments += "line " + std::to_string(i) + "\n";
    Project.SetComments(comments);
    TReportJob job;
    TqrDetailReportForm::AddPages(job, Project);
    ASSERT_GE(job.Pages.size(), 2u);
    EXPECT_TRUE(job.Pages.back().Shows("line 79"));
    for (const TReportPage &page : job.Pages) {
        EXPECT_EQ(page.Title, "PROJECT DETAIL");
        ASSERT_EQ(page.Frames.size(), 1u);
        for (const TPageText &text : page.Texts) {
            if (text.Text.starts_with("line ")) {
                EXPECT_TRUE(page.Frames[0].contains(text.Box)) << text.Text;
            }
        }
    }
}

TEST_F(PrintJob, LongTextsStayOnThePage)
{
    OpenCalculated("wye.xml");
    Sequence(1).SetIdentification(std::string(400, 'W') + " and " + std::string(60, 'x'));
    Project.SetComments(std::string(3000, 'c'));
    const TReportJob job = TPrintJob::Pages(Project, Settings);
    for (const TReportPage &page : job.Pages) {
        const QRectF body = PageGeometry::Body(page.HasFooter);
        for (const TPageText &text : page.Texts) {
            EXPECT_TRUE(body.adjusted(-1, -1, 1, 1).contains(text.Box)) << page.Title << ": " << text.Text;
            EXPECT_GE(text.Font.Points, 5) << text.Text;
        }
    }
}

} // namespace
} // namespace corvadel::test
