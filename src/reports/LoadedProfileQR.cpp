#include "LoadedProfileQR.h"

#include "uDrawMath.h"
#include "uFormats.h"
#include "uLoadedProfileView.h"
#include "uPageComposer.h"
#include "uResultQuantities.h"
#include "uWires.h"

#include <algorithm>
#include <memory>

namespace corvadel {

namespace {

constexpr double CaptionColumn = 120;
constexpr double ColumnWidth = 130;
// The drawing keeps at least this height however many items hang on the
// span; a longer table goes on over the next page.
constexpr double MinFigureHeight = 300;
constexpr double TableHeadHeight = TPageComposer::SectionGap + TPageComposer::RowPitch + 2 + TPageComposer::RowPitch;

std::vector<TGridRow> HangerRows(const TLoadedShape &shape)
{
    std::vector<TGridRow> rows;
    for (const TLoadedHanger &hanger : shape.Hangers) {
        const double shortfall = shape.ShortfallOf(hanger);
        rows.push_back({(hanger.IsSignal ? "Signal " : "Sign ") + IntToStr(hanger.Number),
                        {NumericText(hanger.Distance), NumericText(hanger.Attachment), NumericText(hanger.Bottom()),
                         NumericText(shape.ClearanceOf(hanger)), shortfall > 0 ? NumericText(shortfall) : ""}});
    }
    return rows;
}

void AddSpanPage(TPageSink &sink, const TWireConfigurationList &project, const TWireConfiguration &sequence,
                 bool atMaxSAG, int spanNumber)
{
    const QRectF body = PageGeometry::Body(true);
    auto scene = LoadedProfileScene(sequence, atMaxSAG, spanNumber, project.Parameters().MinSignalClearance,
                                    body.width());
    if (!scene)
        return;
    const auto shared = std::make_shared<const TLoadedProfileScene>(std::move(*scene));
    const std::vector<TGridRow> rows = HangerRows(shared->Shape);
    const double table = TableHeadHeight + TPageComposer::RowPitch * static_cast<double>(std::max<size_t>(rows.size(), 1));
    const double height = std::max(MinFigureHeight, body.height() - table);

    TPageComposer page(sink, TqrLoadedProfileForm::Title(atMaxSAG, spanNumber), true);
    const QRectF box(body.left(), page.Y, body.width(), height);
    page.Picture({box, {RoundHalfEven(box.width()), RoundHalfEven(box.height())},
                  [shared](TCanvas &canvas) { PaintLoadedProfile(canvas, shared->Shape, shared->Text); }, box});
    page.Frame(box);
    page.Skip(height);
    page.Section("Signals and signs", "elevations in ft; clearance above the pavement, shortfall below pavement + " +
                                          NumericText(shared->Shape.SignalClearance) + " ft");
    if (rows.empty())
        page.Inline(body.left(), "No signals or signs attached at this span.", ValueFont);
    else
        page.Grid({body.left(), CaptionColumn, ColumnWidth},
                  {"Distance (ft)", "Attachment (ft)", "Bottom (ft)", "Clearance (ft)", "Shortfall (ft)"}, rows);
    page.Close();
}

} // namespace

std::string TqrLoadedProfileForm::Title(bool atMaxSAG, int spanNumber)
{
    return std::string("LOADED PROFILE [") + (atMaxSAG ? "MAX SAG" : "MIN SAG") + "] - SPAN " + IntToStr(spanNumber);
}

void TqrLoadedProfileForm::AddPages(TPageSink &sink, const TWireConfigurationList &project, bool atMaxSAG, int number)
{
    const TWireConfiguration *sequence = project.FindByNumber(number);
    if (!sequence || !sequence->Results.FindByAtMaxSAG(atMaxSAG))
        return;
    for (int span = 1; span <= sequence->Topology().SpanCount(); ++span)
        AddSpanPage(sink, project, *sequence, atMaxSAG, span);
}

} // namespace corvadel
