#include "DetailReportQR.h"

#include "uFormats.h"
#include "uPageComposer.h"
#include "uWires.h"

#include <filesystem>

namespace corvadel {

namespace {

constexpr TReportFont DetailCaption {10, true};
constexpr TReportFont DetailValue {10, false};
constexpr double Pitch = 20;
constexpr double CaptionWidth = 140;

// A value too long for its room is cut short at a word.
void Field(TPageComposer &page, double x, double width, const std::string &caption, const std::string &value)
{
    page.Text(QRectF(x, page.Y, CaptionWidth, Pitch), caption, DetailCaption);
    page.ElidedText(QRectF(x + CaptionWidth, page.Y, width - CaptionWidth - 12, Pitch), value, DetailValue);
}

} // namespace

void TqrDetailReportForm::AddPages(TPageSink &sink, const TWireConfigurationList &project)
{
    TPageComposer page(sink, "PROJECT DETAIL", false);
    const QRectF body = page.Body();
    const double half = body.width() / 2;
    // A long name takes as many centred lines as it needs.
    for (const std::string &line : TTextMeasure::Wrap(project.ProjectName, {12, true}, body.width())) {
        page.Text(QRectF(body.left(), page.Y, body.width(), Pitch), line, {12, true}, Qt::AlignCenter);
        page.Skip(Pitch);
    }
    page.Skip(Pitch);
    Field(page, body.left(), half, "Project Date:", DateToStr(project.ProjectDate));
    Field(page, body.left() + half, half, "Author:", project.Author);
    page.Skip(Pitch);
    Field(page, body.left(), half, "Last Revision Date:", DateToStr(project.LastRevision));
    Field(page, body.left() + half, half, "Filename:",
          project.FileName.empty() ? std::string() : std::filesystem::path(project.FileName).filename().string());
    page.Skip(Pitch * 1.5);
    page.Text(QRectF(body.left(), page.Y, CaptionWidth, Pitch), "Comments: ", DetailCaption);
    page.Skip(Pitch);
    // The box of comments runs to the foot of every page the comments take.
    const double boxLeft = body.left() + CaptionWidth / 2;
    const double boxTop = page.Y;
    page.Skip(6);
    page.HoldPages();
    const size_t firstPage = page.Pages().size() - 1;
    page.Skip(page.Paragraph(boxLeft + 8, body.right() - boxLeft - 16, project.Comments, DetailValue));
    std::vector<TReportPage> &pages = page.Pages();
    for (size_t i = firstPage; i < pages.size(); ++i) {
        const double top = i == firstPage ? boxTop : body.top();
        pages[i].Frames.push_back(QRectF(boxLeft, top, body.right() - boxLeft, body.bottom() - top));
    }
    page.Close();
}

} // namespace corvadel
