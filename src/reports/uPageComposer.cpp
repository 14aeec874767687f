#include "uPageComposer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>

#include <algorithm>
#include <map>

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

const QFontMetricsF &Metrics(const TReportFont &font)
{
    // Layout measures the same few fonts thousands of times.
    static std::map<std::pair<double, bool>, QFontMetricsF> cache;
    const auto key = std::make_pair(font.Points, font.Bold);
    auto found = cache.find(key);
    if (found == cache.end())
        found = cache.emplace(key, QFontMetricsF(MeasuredFont(font), &MeasuringDevice())).first;
    return found->second;
}

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
    return Metrics(font).horizontalAdvance(QString::fromStdString(text));
}

double TTextMeasure::LineHeight(const TReportFont &font)
{
    return Metrics(font).height();
}

TReportFont TTextMeasure::Fitted(const std::string &text, const TReportFont &font, double width)
{
    TReportFont fitted = font;
    while (fitted.Points > SmallestPoints && Width(text, fitted) > width)
        fitted.Points -= 0.5;
    return fitted;
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

TPageComposer::TPageComposer(TReportJob &job, std::string title, bool hasFooter)
    : Y(0), Job(job), Title(std::move(title)), HasFooter(hasFooter)
{
    NewPage();
}

void TPageComposer::NewPage()
{
    Job.Pages.push_back(TReportPage{Title, HasFooter, {}, {}, {}, {}, {}});
    PageIndex = Job.Pages.size() - 1;
    Y = Body().top();
}

void TPageComposer::Reserve(double height)
{
    if (Y + height > Body().bottom() && Y > Body().top())
        NewPage();
}

void TPageComposer::Text(const QRectF &box, const std::string &text, const TReportFont &font, int alignment)
{
    Page().Texts.push_back({box, text, TTextMeasure::Fitted(text, font, box.width()), alignment});
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
    Reserve(RowPitch * 2);
    for (size_t i = 0; i < headers.size(); ++i)
        Text(column(i), headers[i], CaptionFont, Qt::AlignCenter);
    Y += RowPitch;
    for (const TGridRow &row : rows) {
        Reserve(RowPitch);
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

void TPageComposer::Figure(const TPageFigure &figure)
{
    Page().Figures.push_back(figure);
}

} // namespace corvadel
