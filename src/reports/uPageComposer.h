// Lays report content out from the top of the body down, starting a new
// page with the same title when the body is full. Texts that are longer
// than their room wrap or shrink; none runs off the page.
#pragma once

#include "uReportPage.h"

#include <string>
#include <vector>

namespace corvadel {

// Text measured in layout pixels, as it is painted at any resolution.
class TTextMeasure
{
public:
    static double Width(const std::string &text, const TReportFont &font);
    static double LineHeight(const TReportFont &font);
    // `text` broken at its line breaks and between words to lines no wider
    // than `width`; a word wider than that is broken between letters.
    static std::vector<std::string> Wrap(const std::string &text, const TReportFont &font, double width);
    // `font`, made smaller down to a legible floor until `text` fits `width`.
    static TReportFont Fitted(const std::string &text, const TReportFont &font, double width);
};

// A row of a column table: a caption at the left, one text per column.
struct TGridRow {
    std::string Caption;
    std::vector<std::string> Cells;
};

struct TGridLayout {
    double Left = 0;
    double CaptionWidth = 0; // 0: no caption column
    double ColumnWidth = 60;
    int CellAlignment = Qt::AlignCenter;
};

class TPageComposer
{
public:
    static constexpr double RowPitch = 14;
    static constexpr double SectionGap = 8;

    TPageComposer(TReportJob &job, std::string title, bool hasFooter);

    double Y; // where the next line goes

    TReportPage &Page() { return Job.Pages[PageIndex]; }
    QRectF Body() const { return PageGeometry::Body(HasFooter); }
    void NewPage();
    // A new page unless `height` fits between the cursor and the body's end.
    void Reserve(double height);
    void Skip(double height) { Y += height; }

    // One line in `box`, made smaller when it would not fit its width.
    void Text(const QRectF &box, const std::string &text, const TReportFont &font, int alignment = Qt::AlignLeft | Qt::AlignVCenter);
    // Text on the cursor's line from x, as wide as it is; returns its right edge.
    double Inline(double x, const std::string &text, const TReportFont &font);
    // Text wrapped into [x, x + width) from the cursor's line down; returns
    // the height it took. The cursor stays.
    double Paragraph(double x, double width, const std::string &text, const TReportFont &font);
    // A caption and beside it a value that wraps in the rest of `width`;
    // moves the cursor below both.
    void CaptionAndValue(double x, double width, const std::string &caption, const std::string &value);
    // A caption and beside it a value on one line, made smaller when it
    // would not fit the rest of `width`; moves the cursor below both.
    void CaptionAndLine(double x, double width, const std::string &caption, const std::string &value);
    // A bold section caption over a rule from x to `right`, across the body
    // by default; moves the cursor below it.
    void Section(const std::string &caption, const std::string &subCaption = {}, double x = -1, double right = -1);
    // Header row and rows at one pitch; moves the cursor below them.
    void Grid(const TGridLayout &layout, const std::vector<std::string> &headers, const std::vector<TGridRow> &rows);
    void Rule(double x1, double x2, double y, double width = 1);
    void Frame(const QRectF &box);
    void Picture(const TPagePicture &picture);
    void Figure(const TPageFigure &figure);

private:
    TReportJob &Job;
    std::string Title;
    bool HasFooter;
    size_t PageIndex = 0;
};

} // namespace corvadel
