// How texts are fitted to their room when laid out, and how the laid-out
// pages reach the painter.
#include "ReportFixture.h"

#include "DetailReportQR.h"
#include "uPageComposer.h"
#include "uPrintJob.h"
#include "uReportPainter.h"

#include <QBuffer>

namespace corvadel::test {
namespace {

const std::string Ellipsis = "\u2026";

TEST(Elision, KeepsWholeWordsAndTheFontSize)
{
    const TReportFont font = ValueFont;
    const std::string name = "Signal Design Group, Engineering Division of the County";
    const double full = TTextMeasure::Width(name, font);
    const struct {
        const char *Name;
        std::string Text;
        double Room;
        std::string Expected; // empty: only the rules below
    } cases[] = {
        {"fits", name, full + 1, name},
        {"one word less", name, TTextMeasure::Width("Signal Design Group, Engineering Division of the", font) + 1, ""},
        {"two words", name, TTextMeasure::Width("Signal Design" + Ellipsis, font) + 1, "Signal Design" + Ellipsis},
        {"comma dropped", name, TTextMeasure::Width("Signal Design Group" + Ellipsis, font) + 1,
         "Signal Design Group" + Ellipsis},
        {"first word too long", "Supercalifragilistic", TTextMeasure::Width("Super" + Ellipsis, font) + 0.5,
         "Super" + Ellipsis},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Name);
        const std::string elided = TTextMeasure::Elided(c.Text, font, c.Room);
        EXPECT_LE(TTextMeasure::Width(elided, font), c.Room);
        if (!c.Expected.empty()) {
            EXPECT_EQ(elided, c.Expected);
        }
        if (elided == c.Text || c.Text.find(' ') == std::string::npos)
            continue;
        // Whole words: what is kept ends where a word of the text ends.
        ASSERT_TRUE(elided.ends_with(Ellipsis)) << elided;
        const std::string kept = elided.substr(0, elided.size() - Ellipsis.size());
        ASSERT_TRUE(c.Text.starts_with(kept)) << elided;
        const char next = c.Text[kept.size()];
        EXPECT_TRUE(next == ' ' || next == ',') << elided;
    }
}

TEST_F(ReportFixture, DetailFieldsTooLongAreCutAtAWordAtTheirOwnSize)
{
    const std::string author = "Department of Transportation, Signal Design and Operations Section, District Seven";
    Project.SetAuthor(author);
    TReportJob job;
    TqrDetailReportForm::AddPages(job, Project);
    ASSERT_EQ(job.Pages.size(), 1u);
    const std::string shown = job.Pages[0].ValueBeside("Author:");
    ASSERT_TRUE(shown.ends_with(Ellipsis)) << shown;
    EXPECT_TRUE(author.starts_with(shown.substr(0, shown.size() - Ellipsis.size()))) << shown;
    for (const TPageText &text : job.Pages[0].Texts)
        if (text.Text == shown) {
            EXPECT_EQ(text.Font.Points, 10);
            EXPECT_LE(text.Width, text.Box.width());
        }
}

TEST_F(ReportFixture, EveryTextCarriesTheWidthItWasLaidOutWith)
{
    OpenCalculated("intersection.xml");
    const TReportJob job = TPrintJob::Pages(Project, Settings);
    for (const TReportPage &page : job.Pages)
        for (const TPageText &text : page.Texts) {
            EXPECT_DOUBLE_EQ(text.Width, TTextMeasure::Width(text.Text, text.Font)) << text.Text;
            if (!(text.Alignment & Qt::TextWrapAnywhere)) {
                EXPECT_LE(text.Width, text.Box.width() + 0.01) << page.Title << ": " << text.Text;
            }
        }
}

// Keeps the titles of the pages it is sent, and nothing else.
class TTitleSink : public TPageSink
{
public:
    std::vector<std::string> Titles;
    void Add(TReportPage &&page) override { Titles.push_back(page.Title); }
};

TEST_F(ReportFixture, PagesReachTheSinkInJobOrderAndArePaintedAsTheyCome)
{
    OpenCalculated("intersection.xml");
    const TReportJob kept = TPrintJob::Pages(Project, Settings);
    TTitleSink sink;
    TPrintJob::Compose(Project, Settings, sink);
    EXPECT_EQ(sink.Titles, kept.Titles());

    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    std::vector<int> paintedSoFar;
    const int painted = TReportPainter::WritePdf(buffer, "job", kept.Footer, [&](TPageSink &painter) {
        for (const TReportPage &page : kept.Pages) {
            painter.Add(TReportPage(page));
            paintedSoFar.push_back(dynamic_cast<TReportPainter &>(painter).PageCount());
        }
    });
    EXPECT_EQ(painted, static_cast<int>(kept.Pages.size()));
    for (size_t i = 0; i < paintedSoFar.size(); ++i)
        EXPECT_EQ(paintedSoFar[i], static_cast<int>(i) + 1);
    EXPECT_TRUE(pdf.startsWith("%PDF"));
}

// A long report is painted as it is laid out: a full page leaves the
// composer when the next begins; held pages wait for the report's end.
TEST_F(ReportFixture, AFullPageGoesToTheSinkWhenTheNextBegins)
{
    for (const bool held : {false, true}) {
        SCOPED_TRACE(held ? "held" : "not held");
        TTitleSink sink;
        TPageComposer page(sink, "LONG", true);
        if (held)
            page.HoldPages();
        std::vector<size_t> sentBeforeEachPage;
        for (int i = 0; i < 3; ++i) {
            sentBeforeEachPage.push_back(sink.Titles.size());
            page.Inline(0, "line", ValueFont);
            page.NewPage();
        }
        EXPECT_EQ(page.Pages().size(), held ? 4u : 1u);
        page.Close();
        const std::vector<size_t> expected = held ? std::vector<size_t> {0, 0, 0} : std::vector<size_t> {0, 1, 2};
        EXPECT_EQ(sentBeforeEachPage, expected);
        EXPECT_EQ(sink.Titles.size(), 4u);
    }
}

TEST_F(ReportFixture, ATableGoingOnToTheNextPageRepeatsItsHeadings)
{
    TReportJob job;
    TPageComposer page(job, "TABLE", true);
    std::vector<TGridRow> rows;
    for (int i = 0; i < 100; ++i)
        rows.push_back({"Row " + std::to_string(i), {std::to_string(i), std::to_string(2 * i)}});
    page.Grid({PageGeometry::Body(true).left(), 100, 80}, {"First", "Second"}, rows);
    page.Close();
    ASSERT_GE(job.Pages.size(), 2u);
    int shown = 0;
    for (const TReportPage &each : job.Pages) {
        EXPECT_EQ(Count(each, "First"), 1);
        EXPECT_EQ(Count(each, "Second"), 1);
        // The headings stand above the page's first row.
        double headings = 0, firstRow = 1e9;
        for (const TPageText &text : each.Texts) {
            if (text.Text == "First")
                headings = text.Box.top();
            if (text.Text.starts_with("Row "))
                firstRow = std::min(firstRow, text.Box.top());
        }
        EXPECT_LT(headings, firstRow);
        shown += CountStartingWith(each, "Row ");
    }
    EXPECT_EQ(shown, 100);
}

} // namespace
} // namespace corvadel::test
