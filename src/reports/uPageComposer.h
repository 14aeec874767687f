// Lays report content out from the top of the body down, starting a new
// page with the same title when the body is full. Every text is measured
// here, once: one longer than its room wraps, shrinks or is cut short at a
// word, so none runs off the page and painting measures nothing again.
#pragma once

#include "uReportPage.h"

#include <string>
#include <vector>

namespace corvadel {

struct TFittedText {
    TReportFont Font;
    double Width = 0;
};

// Text measured in layout pixels, as it is painted at any resolution.
class TTextMeasure
{
public:
    static double Width(const std::string &text, const TReportFont &font);
    static double LineHeight(const TReportFont &font);
    // `text` broken at its line breaks and between words to lines no wider
    // than `width`; a word wider than that is broken between letters.
    static std::vector<std::string> Wrap(const std::string &text, const TReportFont &font, double width);
    // `font`, made smaller down to a legible floor until `text` fits `width`,
    // and the width of `text` in it.
    static TFittedText Fit(const std::string &text, const TReportFont &font, double width);
    static TReportFont Fitted(const std::string &text, const TReportFont &font, double width);
    // `text` when it fits `width`, otherwise as many of its whole words as
    // fit followed by an ellipsis (a first word too long for the room is
    // cut between letters).
    static std::string Elided(const std::string &text, const TReportFont &font, double width);
    static double Ascent(const TReportFont &font);
    static double Descent(const TReportFont &font);
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

    // The report's pages go to `sink` when it is closed.
    TPageComposer(TPageSink &sink, std::string title, bool hasFooter);

    double Y; // where the next line goes

    TReportPage &Page() { return Taken.back(); }
    // The pages not yet handed to the sink, the current one last.
    std::vector<TReportPage> &Pages() { return Taken; }
    // A full page goes to the sink when the next one starts, so a long
    // report holds one page at a time; held pages wait for Close, for a
    // report that draws across the pages it has filled.
    void HoldPages() { Holding = true; }
    QRectF Body() const { return PageGeometry::Body(HasFooter); }
    void NewPage();
    // A new page unless `height` fits between the cursor and the body's end;
    // true when it started one.
    bool Reserve(double height);
    void Skip(double height) { Y += height; }
    // Hands the report's pages to the sink; nothing may be added after.
    void Close();

    // One line in `box`, made smaller when it would not fit its width: for
    // numbers and names that must be read whole.
    void Text(const QRectF &box, const std::string &text, const TReportFont &font, int alignment = Qt::AlignLeft | Qt::AlignVCenter);
    // One line in `box` at its font, cut short at a word when too long.
    void ElidedText(const QRectF &box, const std::string &text, const TReportFont &font,
                    int alignment = Qt::AlignLeft | Qt::AlignVCenter);
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
    // Header row and rows at one pitch, the header again at the top of
    // every page the rows go on to; moves the cursor below them.
    void Grid(const TGridLayout &layout, const std::vector<std::string> &headers, const std::vector<TGridRow> &rows);
    void Rule(double x1, double x2, double y, double width = 1);
    void Frame(const QRectF &box);
    void Picture(const TPagePicture &picture);

private:
    TPageSink &Sink;
    std::string Title;
    bool HasFooter;
    std::vector<TReportPage> Taken;
    bool Holding = false;

    void HandOver();
    void Place(const QRectF &box, const std::string &text, const TReportFont &font, int alignment, double width);
};

} // namespace corvadel
