// One laid-out page of a report: what goes where, in layout pixels (96 per
// inch) of a US Letter landscape sheet. The page frame (header, title bar,
// footer) is added when the page is painted, so pages can be checked
// without painting them.
#pragma once

#include "uCanvas.h"

#include <QLineF>
#include <QRectF>
#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace corvadel {

struct TReportFont {
    double Points = 8;
    bool Bold = false;
    bool operator==(const TReportFont &) const = default;
};

inline constexpr TReportFont ValueFont {8, false};
inline constexpr TReportFont CaptionFont {8, true};

struct TPageText {
    QRectF Box;
    std::string Text;
    TReportFont Font;
    // Qt::Alignment flags; one line unless Qt::TextWrapAnywhere, which the
    // layout sets when even the smallest font is too wide for the box.
    int Alignment = 0;
    double Width = 0; // as the layout measured it at Font
};

struct TPageRule {
    QLineF Line;
    double Width = 1;
};

// A picture painted through the drawing canvas into a box of Size logical
// pixels, scaled into Box on the page.
struct TPagePicture {
    QRectF Box;
    TSize Size;
    std::function<void(TCanvas &)> Paint;
    QRectF Clip; // what may be painted on; empty: anywhere
};

struct TReportPage {
    std::string Title; // in the black bar of the header
    bool HasFooter = true;
    std::vector<TPageText> Texts;
    std::vector<TPageRule> Rules;
    std::vector<QRectF> Frames;
    std::vector<TPagePicture> Pictures;

    // The texts in the order they were placed.
    std::vector<std::string> TextLines() const;
    // Whether a text reads exactly `text`.
    bool Shows(const std::string &text) const;
    // The first text placed right of `caption` on its line, "" when none.
    std::string ValueBeside(const std::string &caption) const;
};

// What the footer of every page of a job shows.
struct TPageFooter {
    std::string Author;
    std::string ProjectName;
    std::string Date; // "MM/DD/YYYY"
};

// Where the reports send their pages, in the order of the job: kept for a
// preview, or painted and written one at a time.
class TPageSink
{
public:
    virtual ~TPageSink() = default;
    virtual void Add(TReportPage &&page) = 0;
};

// One print job kept whole: its pages in order, numbered across the job.
struct TReportJob : TPageSink {
    TPageFooter Footer;
    std::vector<TReportPage> Pages;
    // Keeps alive what the pictures of the pages draw (an input sheet's own
    // project).
    std::vector<std::shared_ptr<const void>> Keep;

    void Add(TReportPage &&page) override { Pages.push_back(std::move(page)); }
    std::vector<std::string> Titles() const;
};

// The sheet: Letter landscape with half-inch margins.
namespace PageGeometry {
inline constexpr double Dpi = 96;
inline constexpr double Width = 11 * Dpi;
inline constexpr double Height = 8.5 * Dpi;
inline constexpr double Margin = Dpi / 2;
inline constexpr double HeaderHeight = 92; // logo, acronym, version and title bar
inline constexpr double FooterHeight = 22;
// The body between header and footer.
QRectF Body(bool hasFooter);
} // namespace PageGeometry

} // namespace corvadel
