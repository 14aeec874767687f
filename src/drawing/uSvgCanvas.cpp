#include "uSvgCanvas.h"

#include "uPainterCanvas.h"

#include <QFontMetrics>

#include <cstdio>

namespace corvadel {

namespace {

std::string Color(int color)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", RedOf(color), GreenOf(color), BlueOf(color));
    return text;
}

std::string Escaped(const std::string &text)
{
    std::string escaped;
    for (char c : text) {
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '"': escaped += "&quot;"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

std::string Number(int value)
{
    return std::to_string(value);
}

std::string Number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

} // namespace

TSvgCanvas::TSvgCanvas(int width, int height)
    : CanvasWidth(width)
    , CanvasHeight(height)
{
}

std::string TSvgCanvas::Document() const
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
           Number(CanvasWidth) + "\" height=\"" + Number(CanvasHeight) + "\" viewBox=\"0 0 " + Number(CanvasWidth) +
           " " + Number(CanvasHeight) + "\">\n" + Body + "</svg>\n";
}

void TSvgCanvas::SetPen(int color, int width, TPenStyle style)
{
    PenColor = color;
    PenWidth = width;
    PenStyle = style;
}

std::string TSvgCanvas::Stroke() const
{
    std::string stroke = " stroke=\"" + Color(PenColor) + "\" stroke-width=\"" + Number(std::max(PenWidth, 1)) + "\"";
    if (PenStyle == TPenStyle::Dotted)
        stroke += " stroke-dasharray=\"1 2\"";
    else if (PenStyle == TPenStyle::Dashed)
        stroke += " stroke-dasharray=\"6 4\"";
    return stroke;
}

std::string TSvgCanvas::Fill() const
{
    return " fill=\"" + Color(Brush) + "\"";
}

std::string TSvgCanvas::Points(const std::vector<TPoint> &points) const
{
    std::string text;
    for (const TPoint &point : points)
        text += (text.empty() ? "" : " ") + Number(point.X) + "," + Number(point.Y);
    return text;
}

TSize TSvgCanvas::TextExtent(const std::string &text)
{
    const QFontMetrics metrics(TPainterCanvas::ToQFont(Font));
    const QString shown = QString::fromUtf8(text.data(), qsizetype(text.size()));
    return {metrics.horizontalAdvance(shown), metrics.height()};
}

void TSvgCanvas::TextOut(int x, int y, const std::string &text)
{
    const TSize size = TextExtent(text);
    const QFontMetrics metrics(TPainterCanvas::ToQFont(Font));
    Body += "<rect x=\"" + Number(x) + "\" y=\"" + Number(y) + "\" width=\"" + Number(size.Width) + "\" height=\"" +
            Number(size.Height) + "\"" + Fill() + "/>\n";
    std::string style;
    if (Font.Style & TFontSpec::Bold)
        style += " font-weight=\"bold\"";
    if (Font.Style & TFontSpec::Italic)
        style += " font-style=\"italic\"";
    Body += "<text x=\"" + Number(x) + "\" y=\"" + Number(y + metrics.ascent()) + "\" font-family=\"" +
            Escaped(Font.Name) + "\" font-size=\"" + Number(std::max(Font.Size, 1) * 96.0 / 72) + "px\" fill=\"" + Color(Font.Color) + "\"" + style + ">" + Escaped(text) + "</text>\n";
}

void TSvgCanvas::Line(int x1, int y1, int x2, int y2)
{
    Body += "<line x1=\"" + Number(x1) + "\" y1=\"" + Number(y1) + "\" x2=\"" + Number(x2) + "\" y2=\"" + Number(y2) +
            "\"" + Stroke() + "/>\n";
}

void TSvgCanvas::Polyline(const std::vector<TPoint> &points)
{
    Body += "<polyline points=\"" + Points(points) + "\" fill=\"none\"" + Stroke() + "/>\n";
}

void TSvgCanvas::Curve(const std::vector<TPointF> &points)
{
    std::string text;
    for (const TPointF &point : points)
        text += (text.empty() ? "" : " ") + Number(point.X) + "," + Number(point.Y);
    Body += "<polyline points=\"" + text + "\" fill=\"none\"" + Stroke() + "/>\n";
}

void TSvgCanvas::Ellipse(int x1, int y1, int x2, int y2)
{
    Body += "<ellipse cx=\"" + Number((x1 + x2) / 2.0) + "\" cy=\"" + Number((y1 + y2) / 2.0) + "\" rx=\"" +
            Number((x2 - x1) / 2.0) + "\" ry=\"" + Number((y2 - y1) / 2.0) + "\"" + Fill() + Stroke() + "/>\n";
}

void TSvgCanvas::Rectangle(int x1, int y1, int x2, int y2)
{
    Body += "<rect x=\"" + Number(x1) + "\" y=\"" + Number(y1) + "\" width=\"" + Number(x2 - x1) + "\" height=\"" +
            Number(y2 - y1) + "\"" + Fill() + Stroke() + "/>\n";
}

void TSvgCanvas::FillRect(int x1, int y1, int x2, int y2)
{
    Body += "<rect x=\"" + Number(x1) + "\" y=\"" + Number(y1) + "\" width=\"" + Number(x2 - x1) + "\" height=\"" +
            Number(y2 - y1) + "\"" + Fill() + "/>\n";
}

void TSvgCanvas::Polygon(const std::vector<TPoint> &points)
{
    Body += "<polygon points=\"" + Points(points) + "\"" + Fill() + Stroke() + "/>\n";
}

} // namespace corvadel
