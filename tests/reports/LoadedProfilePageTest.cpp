#include "ReportFixture.h"

#include "LoadedProfileQR.h"
#include "ResultReportQR.h"
#include "uLoadedShape.h"
#include "uPlausibility.h"

#include <cmath>
#include <map>

namespace corvadel::test {
namespace {

class LoadedProfilePage : public ReportFixture
{
protected:
    // The texts right of `caption` on its line, left to right.
    static std::vector<std::string> Row(const TReportPage &page, const std::string &caption)
    {
        const TPageText *anchor = nullptr;
        for (const TPageText &text : page.Texts)
            if (text.Text == caption)
                anchor = &text;
        if (!anchor)
            return {};
        std::map<double, std::string> cells;
        for (const TPageText &text : page.Texts)
            if (&text != anchor && std::fabs(text.Box.top() - anchor->Box.top()) < 1 && text.Box.left() > anchor->Box.left())
                cells[text.Box.left()] = text.Text;
        std::vector<std::string> row;
        for (const auto &[x, text] : cells)
            row.push_back(text);
        return row;
    }

    static void ExpectFeet(const std::string &cell, double value, const std::string &what)
    {
        ASSERT_FALSE(cell.empty()) << what;
        EXPECT_NEAR(std::stod(cell), value, 0.006) << what << ": " << cell;
    }
};

TEST_F(LoadedProfilePage, TableGivesEveryHangerAsTheShapeHasIt)
{
    OpenCalculated("wye.xml");
    const TWireConfiguration &sequence = Sequence(1);
    // The default clearance, and one no signal meets so every row shows its shortfall.
    for (const double clearance : {15.0, 60.0}) {
        SCOPED_TRACE(clearance);
        Settings.Parameters.MinSignalClearance = clearance;
        for (const bool atMaxSAG : {true, false}) {
            TReportJob job;
            TqrLoadedProfileForm::AddPages(job, Project, atMaxSAG, 1);
            ASSERT_EQ(static_cast<int>(job.Pages.size()), sequence.Topology().SpanCount());
            const int span = 2;
            const TReportPage &page = job.Pages[span - 1];
            EXPECT_EQ(page.Title, TqrLoadedProfileForm::Title(atMaxSAG, span));
            ASSERT_EQ(page.Pictures.size(), 1u);
            const QRectF body = PageGeometry::Body(true);
            EXPECT_TRUE(body.contains(page.Pictures[0].Box));
            EXPECT_GT(page.Pictures[0].Box.height(), body.height() / 2);

            const auto shape = TLoadedProfile::Compute(sequence, *sequence.Results.FindByAtMaxSAG(atMaxSAG), span, 1,
                                                       clearance);
            ASSERT_TRUE(shape);
            ASSERT_FALSE(shape->Hangers.empty());
            for (const TLoadedHanger &hanger : shape->Hangers) {
                const std::string name = (hanger.IsSignal ? "Signal " : "Sign ") + std::to_string(hanger.Number);
                const auto row = Row(page, name);
                const double shortfall = shape->ShortfallOf(hanger);
                ASSERT_EQ(row.size(), 5u) << name;
                ExpectFeet(row[0], hanger.Distance, name + " distance");
                ExpectFeet(row[1], hanger.Attachment, name + " attachment");
                ExpectFeet(row[2], hanger.Bottom(), name + " bottom");
                ExpectFeet(row[3], shape->ClearanceOf(hanger), name + " clearance");
                if (clearance > 50) {
                    ASSERT_GT(shortfall, 0) << name;
                }
                if (shortfall > 0)
                    ExpectFeet(row[4], shortfall, name + " shortfall");
                else
                    EXPECT_EQ(row[4], "") << name;
            }
            for (const TReportPage &other : job.Pages)
                for (const TPageText &text : other.Texts)
                    EXPECT_TRUE(body.adjusted(-1, -1, 1, 1).contains(text.Box)) << text.Text;
        }
    }
}

TEST_F(LoadedProfilePage, ASpanWithoutSignalsSaysSo)
{
    Open("wye.xml");
    Sequence(1).Spans.FindByNumber(2)->Signals.RemoveBeyond(0);
    ASSERT_TRUE(TCalculationRun::RunCalculation(Project));
    TReportJob job;
    TqrLoadedProfileForm::AddPages(job, Project, true, 1);
    ASSERT_GE(job.Pages.size(), 2u);
    EXPECT_TRUE(job.Pages[1].Shows("No signals or signs attached at this span."));
    EXPECT_FALSE(job.Pages[0].Shows("No signals or signs attached at this span."));
    EXPECT_EQ(job.Pages[1].Pictures.size(), 1u);
}

TEST_F(LoadedProfilePage, ACrowdedSpanKeepsItsDrawingAndGoesOnOverTheNextPage)
{
    Open("simple.xml");
    TBaseWire &span = *Sequence(1).Spans.FindByNumber(1);
    const TBaseSignal model = *span.Signals.FindByNumber(1);
    const int added = 40;
    for (int i = 0; i < added; ++i) {
        auto signal = std::make_unique<TBaseSignal>(model);
        signal->SetDistance(span.Length * (i + 0.5) / added);
        span.AddSignal(std::move(signal));
    }
    ASSERT_TRUE(TCalculationRun::RunCalculation(Project));
    TReportJob job;
    TqrLoadedProfileForm::AddPages(job, Project, true, 1);
    ASSERT_GE(job.Pages.size(), 2u);
    ASSERT_EQ(job.Pages[0].Pictures.size(), 1u);
    EXPECT_GE(job.Pages[0].Pictures[0].Box.height(), 300);
    int rows = 0;
    for (const TReportPage &page : job.Pages) {
        EXPECT_EQ(page.Title, TqrLoadedProfileForm::Title(true, 1));
        // The table's headings stand on every page it goes on to.
        EXPECT_EQ(Count(page, "Clearance (ft)"), 1);
        rows += CountStartingWith(page, "Signal ") + CountStartingWith(page, "Sign ");
        for (const TPageText &text : page.Texts)
            EXPECT_TRUE(PageGeometry::Body(true).adjusted(-1, -1, 1, 1).contains(text.Box)) << text.Text;
    }
    EXPECT_EQ(rows, span.Signals.Count());
}

TEST_F(LoadedProfilePage, NoResultNoPages)
{
    Open("wye.xml");
    TReportJob job;
    TqrLoadedProfileForm::AddPages(job, Project, true, 1);
    TqrLoadedProfileForm::AddPages(job, Project, true, 9);
    EXPECT_TRUE(job.Pages.empty());
}

class ResultWarnings : public ReportFixture
{
};

TEST_F(ResultWarnings, EachCaseListsItsOwnExactlyWhenThereAreAny)
{
    const struct {
        const char *Name;
        void (*Change)(TGlobalSetting &settings, TWireConfigurationList &project);
        bool Warns;
    } cases[] = {
        {"plausible", [](TGlobalSetting &, TWireConfigurationList &) {}, false},
        {"low signals", [](TGlobalSetting &settings, TWireConfigurationList &) { settings.Parameters.MinSignalClearance = 60; }, true},
        {"large SAG",
         [](TGlobalSetting &, TWireConfigurationList &project) {
             TWireConfiguration &sequence = *project.FindByNumber(1);
             sequence.SetMaxSAG(0.2 * sequence.Spans.FindByNumber(1)->Length);
         },
         true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Name);
        TGlobalSetting settings;
        TWireConfigurationList project(settings.Parameters);
        ASSERT_TRUE(project.Open(std::string(CORVADEL_SOURCE_DIR) + "/examples/simple.xml"));
        c.Change(settings, project);
        TCalculationRun::RunCalculation(project);
        const auto warnings = TPlausibilityCheck::Warnings(*project.FindByNumber(1), settings.Parameters.MinSignalClearance);
        ASSERT_EQ(!warnings.empty(), c.Warns);
        int reports = 0;
        int printed = 0;
        for (const bool atMaxSAG : {true, false}) {
            TReportJob job;
            TqrResultReportForm::AddPages(job, project, atMaxSAG, 1);
            if (job.Pages.empty())
                continue;
            ++reports;
            std::string text;
            int captions = 0;
            for (const TReportPage &page : job.Pages) {
                captions += Count(page, "Warnings");
                for (const std::string &line : page.TextLines())
                    text += line + " ";
            }
            // Each case's report lists its own warnings and no other's.
            int own = 0;
            for (const TPlausibilityWarning &warning : warnings) {
                const bool listed = text.find(warning.Text) != std::string::npos;
                EXPECT_EQ(listed, warning.AtMaxSAG == atMaxSAG) << warning.Text;
                own += warning.AtMaxSAG == atMaxSAG;
            }
            EXPECT_EQ(captions, own > 0 ? 1 : 0);
            printed += own;
        }
        EXPECT_GT(reports, 0);
        EXPECT_EQ(printed, int(warnings.size())) << "every warning printed once";
    }
}

} // namespace
} // namespace corvadel::test
