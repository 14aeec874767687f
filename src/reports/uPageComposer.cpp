#include "uPageComposer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>

#include <algorithm>
#include <map>
#include <unordered_map>

namespace corvadel {

namespace {

constexpr double SmallestPoints = 5;
constexpr double CaptionGap = 4;

// Fonts are measured at the layout's 96 pixels per inch.
const QImage &MeasuringDevice()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        image.setDotsPerMeterX(3780);
        image.setDotsPerMeterY(3780);
        return image;
    }();
    return device;
}

QFont MeasuredFont(const TReportFont &font)
{
    QFont result(QStringLiteral("Arial"));
    result.setPointSizeF(font.Points);
    result.setBold(font.Bold);
    result.setHintingPreference(QFont::PreferNoHinting);
    return result;
}

// One font's metrics, and the widths of the texts measured in it so far:
// captions and headings come back on every page of a job.
struct TMeasuredFont {
    QFontMetricsF Metrics;
    std::unordered_map<std::string, double> Widths;
};

TMeasuredFont &Measured(const TReportFont &font)
{
    // Layout measures the same few fonts thousands of times.
    static std::map<std::pair<double, bool>, TMeasuredFont> fonts;
    const auto key = std::make_pair(font.Points, font.Bold);
    auto found = fonts.find(key);
    if (found == fonts.end())
        found = fonts.emplace(key, TMeasuredFont {QFontMetricsF(MeasuredFont(font), &MeasuringDevice()), {}}).first;
    return found->second;
}

const QFontMetricsF &Metrics(const TReportFont &font)
{
    return Measured(font).Metrics;
}

// Enough for every caption of a job; values that never come back do not
// make it grow with the job.
constexpr size_t RememberedWidths = 4096;

std::vector<std::string> SplitLines(const std::string &text)
{
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
        if (c == '\r')
            continue;
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    lines.push_back(line);
    return lines;
}

} // namespace

double TTextMeasure::Width(const std::string &text, const TReportFont &font)
{
    TMeasuredFont &measured = Measured(font);
    const auto found = measured.Widths.find(text);
    if (found != measured.Widths.end())
        return found->second;
    if (measured.Widths.size() >= RememberedWidths)
        measured.Widths.clear();
    const double width = measured.Metrics.horizontalAdvance(QString::fromStdString(text));
    measured.Widths.emplace(text, width);
    return width;
}

double TTextMeasure::LineHeight(const TReportFont &font)
{
    return Metrics(font).height();
}

double TTextMeasure::Ascent(const TReportFont &font)
{
    return Metrics(font).ascent();
}

double TTextMeasure::Descent(const TReportFont &font)
{
    return Metrics(font).descent();
}

TFittedText TTextMeasure::Fit(const std::string &text, const TReportFont &font, double width)
{
    TFittedText fitted {font, Width(text, font)};
    while (fitted.Font.Points > SmallestPoints && fitted.Width > width) {
        fitted.Font.Points -= 0.5;
        fitted.Width = Width(text, fitted.Font);
    }
    return fitted;
}

TReportFont TTextMeasure::Fitted(const std::string &text, const TReportFont &font, double width)
{
    return Fit(text, font, width).Font;
}

std::string TTextMeasure::Elided(const std::string &text, const TReportFont &font, double width)
{
    if (Width(text, font) <= width)
        return text;
    const std::string ellipsis = "\u2026";
    // The text up to the end of a word, while it fits, without the commas
    // or blanks that end it.
    std::string kept;
    for (size_t end = text.find(' ', 1); end != std::string::npos && end < text.size(); end = text.find(' ', end + 1)) {
        std::string longer = text.substr(0, end);
        while (!longer.empty() && (longer.back() == ',' || longer.back() == ' '))
            longer.pop_back();
        if (longer.empty())
            continue;
        if (Width(longer + ellipsis, font) > width)
            break;
        kept = std::move(longer);
    }
    if (!kept.empty())
        return kept + ellipsis;
    // A first word too long for the room: as many whole characters as fit.
    std::string cut;
    for (size_t at = 0; at < text.size();) {
        size_t next = at + 1;
        while (next < text.size() && (static_cast<unsigned char>(text[next]) & 0xC0) == 0x80)
            ++next;
        if (Width(text.substr(0, next) + ellipsis, font) > width)
            break;
        cut = text.substr(0, next);
        at = next;
    }
    return cut + ellipsis;
}

std::vector<std::string> TTextMeasure::Wrap(const std::string &text, const TReportFont &font, double width)
{
    std::vector<std::string> wrapped;
    for (const std::string &paragraph : SplitLines(text)) {
        std::string line;
        size_t at = 0;
        while (at <= paragraph.size()) {
            const size_t space = std::min(paragraph.find(' ', at), paragraph.size());
            const std::string word = paragraph.substr(at, space - at);
            const std::string joined = line.empty() ? word : line + " " + word;
            if (Width(joined, font) <= width) {
                line = joined;
            } else {
                if (!line.empty())
                    wrapped.push_back(line);
                line.clear();
                // A word wider than the line is cut between letters.
                for (char c : word) {
                    if (!line.empty() && Width(line + c, font) > width) {
                        wrapped.push_back(line);
                        line.clear();
                    }
                    line += c;
                }
            }
            at = space + 1;
        }
        wrapped.push_back(line);
    }
    return wrapped;
}

TPageComposer::TPageComposer(TPageSink &sink, std::string title, bool hasFooter)
    : Y(0), Sink(sink), Title(std::move(title)), HasFooter(hasFooter)
{
    NewPage();
}

void TPageComposer::NewPage()
{
    if (!Holding)
        HandOver();
    Taken.push_back(TReportPage{Title, HasFooter, {}, {}, {}, {}});
    Y = Body().top();
}

bool TPageComposer::Reserve(double height)
{
    if (Y + height <= Body().bottom() || Y <= Body().top())
        return false;
    NewPage();
    return true;
}

void TPageComposer::Close()
{
    HandOver();
}

void TPageComposer::HandOver()
{
    for (TReportPage &page : Taken)
        Sink.Add(std::move(page));
    Taken.clear();
}

void TPageComposer::Place(const QRectF &box, const std::string &text, const TReportFont &font, int alignment,
                          double width)
{
    Page().Texts.push_back({box, text, font, alignment, width});
}

void TPageComposer::Text(const QRectF &box, const std::string &text, const TReportFont &font, int alignment)
{
    const TFittedText fitted = TTextMeasure::Fit(text, font, box.width());
    // Too long even at the smallest size: broken into lines rather than
    // running past the box.
    Place(box, text, fitted.Font, fitted.Width > box.width() ? alignment | Qt::TextWrapAnywhere : alignment,
          fitted.Width);
}

void TPageComposer::ElidedText(const QRectF &box, const std::string &text, const TReportFont &font, int alignment)
{
    const std::string elided = TTextMeasure::Elided(text, font, box.width());
    Place(box, elided, font, alignment, TTextMeasure::Width(elided, font));
}

double TPageComposer::Inline(double x, const std::string &text, const TReportFont &font)
{
    const double width = std::min(TTextMeasure::Width(text, font) + 1, Body().right() - x);
    Text(QRectF(x, Y, width, RowPitch), text, font);
    return x + width;
}

double TPageComposer::Paragraph(double x, double width, const std::string &text, const TReportFont &font)
{
    const std::vector<std::string> lines = TTextMeasure::Wrap(text, font, width);
    const double pitch = std::max(RowPitch, TTextMeasure::LineHeight(font));
    double y = Y;
    for (const std::string &line : lines) {
        if (y + pitch > Body().bottom()) {
            // The rest goes on to the next page.
            NewPage();
            y = Y;
        }
        Text(QRectF(x, y, width, pitch), line, font);
        y += pitch;
    }
    const double height = y - Y;
    return height;
}

void TPageComposer::CaptionAndValue(double x, double width, const std::string &caption, const std::string &value)
{
    Reserve(RowPitch);
    const double valueX = Inline(x, caption, CaptionFont) + CaptionGap;
    Y += std::max(RowPitch, Paragraph(valueX, x + width - valueX, value, ValueFont));
}

void TPageComposer::CaptionAndLine(double x, double width, const std::string &caption, const std::string &value)
{
    Reserve(RowPitch);
    const double valueX = Inline(x, caption, CaptionFont) + CaptionGap;
    Text(QRectF(valueX, Y, x + width - valueX, RowPitch), value, ValueFont);
    Y += RowPitch;
}

void TPageComposer::Section(const std::string &caption, const std::string &subCaption, double x, double right)
{
    if (x < 0)
        x = Body().left();
    if (right < 0)
        right = Body().right();
    // A caption is never left alone at the foot of a page.
    Reserve(RowPitch * 3 + SectionGap);
    Y += SectionGap;
    const double end = Inline(x, caption, TReportFont {9, true});
    if (!subCaption.empty())
        Inline(end + CaptionGap, subCaption, TReportFont {7, false});
    Y += RowPitch + 2;
    Rule(x, right, Y - 2, 0.5);
}

void TPageComposer::Grid(const TGridLayout &layout, const std::vector<std::string> &headers,
                         const std::vector<TGridRow> &rows)
{
    const double cells = layout.Left + layout.CaptionWidth;
    const auto column = [&](size_t i) { return QRectF(cells + layout.ColumnWidth * i, Y, layout.ColumnWidth, RowPitch); };
    const auto header = [&] {
        for (size_t i = 0; i < headers.size(); ++i)
            Text(column(i), headers[i], CaptionFont, Qt::AlignCenter);
        Y += RowPitch;
    };
    Reserve(RowPitch * 2);
    header();
    for (const TGridRow &row : rows) {
        if (Reserve(RowPitch))
            header();
        if (layout.CaptionWidth > 0)
            Text(QRectF(layout.Left, Y, layout.CaptionWidth - CaptionGap, RowPitch), row.Caption, CaptionFont);
        for (size_t i = 0; i < row.Cells.size(); ++i)
            Text(column(i).adjusted(2, 0, -2, 0), row.Cells[i], ValueFont, layout.CellAlignment);
        Y += RowPitch;
    }
}

void TPageComposer::Rule(double x1, double x2, double y, double width)
{
    Page().Rules.push_back({QLineF(x1, y, x2, y), width});
}

void TPageComposer::Frame(const QRectF &box)
{
    Page().Frames.push_back(box);
}

void TPageComposer::Picture(const TPagePicture &picture)
{
    Page().Pictures.push_back(picture);
}


} // namespace corvadel
