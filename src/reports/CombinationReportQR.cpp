#include "CombinationReportQR.h"

#include "uCombinationAnalysis.h"
#include "uDesignChecks.h"
#include "uFormats.h"
#include "uPageComposer.h"
#include "uResultQuantities.h"
#include "uWires.h"

namespace corvadel {

namespace {

constexpr double RowPitch = 24; // a quarter inch
constexpr double NarrowCell = 46;
constexpr double MomentCell = 58;
constexpr double GroupGap = 40;

// Cells of the two pole groups, the angle and the two SAG groups, left to
// right, with the widths of the layout.
struct TColumn {
    double Left;
    double Width;
};

std::vector<TColumn> Columns(double left)
{
    std::vector<TColumn> columns;
    double x = left;
    const auto add = [&](double width, double gap) {
        columns.push_back({x, width});
        x += width + gap;
    };
    add(NarrowCell, 12); // first pole
    add(NarrowCell, GroupGap); // its sequence
    add(NarrowCell, 12); // second pole
    add(NarrowCell, GroupGap); // its sequence
    add(NarrowCell, GroupGap); // angle
    add(MomentCell, 52); // max SAG moment
    add(NarrowCell + 40, GroupGap + 24); // its resultant's angle
    add(MomentCell, 52); // min SAG moment
    add(NarrowCell + 40, 0); // its resultant's angle
    return columns;
}

std::vector<std::string> Cells(const TCombination &combination)
{
    std::vector<std::string> cells = {IntToStr(combination.PoleA), IntToStr(combination.SequenceA),
                                      IntToStr(combination.PoleB), IntToStr(combination.SequenceB),
                                      FixedText(combination.ABAngle, 6, 2)};
    for (bool atMaxSAG : {true, false}) {
        const TCombinationResult *result = combination.Results.FindByAtMaxSAG(atMaxSAG);
        cells.push_back(result ? FixedText(result->CombinedMoment, 8, 2) : std::string());
        cells.push_back(result ? FixedText(result->ResultantAngle, 8, 2) : std::string());
    }
    return cells;
}

void Headings(TPageComposer &page, const std::vector<TColumn> &columns)
{
    const auto over = [&](size_t first, size_t last, const std::string &text, const TReportFont &font) {
        const double left = columns[first].Left;
        const double right = columns[last].Left + columns[last].Width;
        page.Text(QRectF(left - 20, page.Y, right - left + 40, TPageComposer::RowPitch), text, font, Qt::AlignCenter);
    };
    over(5, 6, "MAX SAG", CaptionFont);
    over(7, 8, "MIN SAG", CaptionFont);
    page.Skip(TPageComposer::RowPitch);
    over(0, 1, "FIRST POLE", CaptionFont);
    over(2, 3, "SECOND POLE", CaptionFont);
    over(4, 4, "ANGLE", CaptionFont);
    for (size_t moment : {5u, 7u}) {
        over(moment, moment, "BASE MOMENT", CaptionFont);
        over(moment + 1, moment + 1, "ANGLE OF RESULTANT", CaptionFont);
    }
    page.Skip(TPageComposer::RowPitch);
    for (size_t pole : {0u, 2u}) {
        over(pole, pole, "[ Pole # ]", ValueFont);
        over(pole + 1, pole + 1, "[Sequence #]", ValueFont);
    }
    over(4, 4, "(degree)", ValueFont);
    for (size_t moment : {5u, 7u}) {
        over(moment, moment, "(ft-lbs)", ValueFont);
        over(moment + 1, moment + 1, "(Span to 2nd Pole)", ValueFont);
    }
    page.Skip(TPageComposer::RowPitch);
    page.Rule(columns.front().Left - 20, columns.back().Left + columns.back().Width + 20, page.Y, 0.5);
    page.Skip(8);
}

} // namespace

void TqrCombinationReportForm::AddPages(TPageSink &sink, const TWireConfigurationList &project)
{
    if (project.Combinations.Count() == 0)
        return;
    TPageComposer page(sink, "RESULT OF COMBINATION CALCULATION", true);
    const QRectF body = page.Body();
    const std::vector<TColumn> proto = Columns(0);
    const double width = proto.back().Left + proto.back().Width;
    const std::vector<TColumn> columns = Columns(body.left() + (body.width() - width) / 2);
    Headings(page, columns);
    int onPage = 0;
    for (const TCombination *combination : project.Combinations) {
        if (onPage == RowsPerPage) {
            page.NewPage();
            Headings(page, columns);
            onPage = 0;
        }
        const std::vector<std::string> cells = Cells(*combination);
        for (size_t i = 0; i < cells.size(); ++i)
            page.Text(QRectF(columns[i].Left, page.Y, columns[i].Width, RowPitch), cells[i], ValueFont,
                      Qt::AlignCenter);
        page.Skip(RowPitch);
        ++onPage;
    }
    // The shared poles whose allowable base moments are given, case by case.
    for (bool atMaxSAG : {true, false})
        for (const TCombinationCheck &check : TDesignChecks::Combinations(project, atMaxSAG)) {
            page.Reserve(TPageComposer::RowPitch);
            page.Inline(body.left(), std::string(atMaxSAG ? "MAX SAG " : "MIN SAG ") +
                                         TDesignChecks::CombinationLine(check), ValueFont);
            page.Skip(TPageComposer::RowPitch);
        }
    // Each SAG case warns of its own combinations.
    for (bool atMaxSAG : {true, false})
        if (project.CombinationWarningAt(atMaxSAG)) {
            page.Reserve(TPageComposer::RowPitch);
            page.Inline(body.left(), std::string(atMaxSAG ? "MAX SAG " : "MIN SAG ") + "Warning: " +
                                         TCombinationAnalysis::WarningMessage, CaptionFont);
            page.Skip(TPageComposer::RowPitch);
        }
    page.Close();
}

} // namespace corvadel
