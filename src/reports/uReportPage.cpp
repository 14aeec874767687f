#include "uReportPage.h"

#include <cmath>
#include <limits>

namespace corvadel {

QRectF PageGeometry::Body(bool hasFooter)
{
    const double top = Margin + HeaderHeight + 8;
    const double bottom = Height - Margin - (hasFooter ? FooterHeight + 4 : 0);
    return QRectF(Margin, top, Width - 2 * Margin, bottom - top);
}

std::vector<std::string> TReportPage::TextLines() const
{
    std::vector<std::string> lines;
    lines.reserve(Texts.size());
    for (const TPageText &text : Texts)
        lines.push_back(text.Text);
    return lines;
}

bool TReportPage::Shows(const std::string &text) const
{
    for (const TPageText &placed : Texts)
        if (placed.Text == text)
            return true;
    return false;
}

std::string TReportPage::ValueBeside(const std::string &caption) const
{
    const TPageText *anchor = nullptr;
    for (const TPageText &placed : Texts)
        if (placed.Text == caption) {
            anchor = &placed;
            break;
        }
    if (!anchor)
        return {};
    const TPageText *nearest = nullptr;
    double distance = std::numeric_limits<double>::max();
    for (const TPageText &placed : Texts) {
        const double gap = placed.Box.left() - anchor->Box.left();
        if (&placed != anchor && std::fabs(placed.Box.top() - anchor->Box.top()) < 1 && gap > 0 && gap < distance) {
            nearest = &placed;
            distance = gap;
        }
    }
    return nearest ? nearest->Text : std::string();
}

std::vector<std::string> TReportJob::Titles() const
{
    std::vector<std::string> titles;
    for (const TReportPage &page : Pages)
        titles.push_back(page.Title);
    return titles;
}

} // namespace corvadel
