#include "uPainterCanvas.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <QPolygon>

#include <algorithm>

namespace corvadel {

namespace {

constexpr double LogicalDpi = 96;

QPolygon ToPolygon(const std::vector<TPoint> &points)
{
    QPolygon polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (const TPoint &point : points)
        polygon.append(QPoint(point.X, point.Y));
    return polygon;
}

// The outline of a shape in the box (x1, y1)-(x2, y2) covers x1..x2-1 and
// y1..y2-1; an aliased QRect outline covers one pixel more.
QRect OutlineBox(int x1, int y1, int x2, int y2)
{
    return QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2) - 1, std::max(y1, y2) - 1))
        .adjusted(0, 0, -1, -1);
}

} // namespace

TPainterCanvas::TPainterCanvas(QPainter &painter, int width, int height)
    : TPainterCanvas(width, height)
{
    Borrowed = &painter;
}

TPainterCanvas::TPainterCanvas(int width, int height)
    : CanvasWidth(std::max(width, 1)), CanvasHeight(std::max(height, 1)), Pen(Qt::black),
      Brush(Qt::white, Qt::SolidPattern), FontColor(Qt::black)
{
}

QPainter &TPainterCanvas::Painter()
{
    return *Borrowed;
}

const QPaintDevice *TPainterCanvas::Device() const
{
    return Borrowed->device();
}

QColor TPainterCanvas::ToQColor(int color)
{
    return QColor(RedOf(color), GreenOf(color), BlueOf(color));
}

QFont TPainterCanvas::ToQFont(const TFontSpec &font, const QPaintDevice *device)
{
    const double dpi = device && device->logicalDpiY() > 0 ? device->logicalDpiY() : LogicalDpi;
    QFont result(QString::fromStdString(font.Name));
    result.setPointSizeF(std::max(font.Size, 1) * LogicalDpi / dpi);
    result.setBold((font.Style & TFontSpec::Bold) != 0);
    result.setItalic((font.Style & TFontSpec::Italic) != 0);
    result.setUnderline((font.Style & TFontSpec::Underline) != 0);
    result.setStrikeOut((font.Style & TFontSpec::StrikeOut) != 0);
    return result;
}

void TPainterCanvas::SetPen(int color, int width, TPenStyle style)
{
    const Qt::PenStyle line = style == TPenStyle::Dotted ? Qt::DotLine
                              : style == TPenStyle::Dashed ? Qt::DashLine
                                                           : Qt::SolidLine;
    Pen = QPen(ToQColor(color), std::max(width, 1), line, Qt::FlatCap, Qt::MiterJoin);
}

void TPainterCanvas::SetBrush(int color)
{
    Brush = QBrush(ToQColor(color), Qt::SolidPattern);
}

void TPainterCanvas::SetFont(const TFontSpec &font)
{
    if (font.Name != FontSpec.Name || font.Size != FontSpec.Size || font.Style != FontSpec.Style) {
        Font.reset();
        Metrics.reset();
        Widths.clear();
    }
    FontSpec = font;
    FontColor = ToQColor(font.Color);
}

const QFontMetrics &TPainterCanvas::FontMetrics()
{
    if (!Metrics) {
        Font = ToQFont(FontSpec, Device());
        Metrics.emplace(*Font, const_cast<QPaintDevice *>(Device()));
    }
    return *Metrics;
}

int TPainterCanvas::TextWidth(const std::string &text)
{
    if (const auto known = Widths.find(text); known != Widths.end())
        return known->second;
    if (Widths.size() > 4096) // a long drawing of ever new texts stays small
        Widths.clear();
    const int width = FontMetrics().horizontalAdvance(QString::fromStdString(text));
    Widths.emplace(text, width);
    return width;
}

TSize TPainterCanvas::TextExtent(const std::string &text)
{
    return {TextWidth(text), FontMetrics().height()};
}

void TPainterCanvas::TextOut(int x, int y, const std::string &text)
{
    const int width = TextWidth(text);
    const QString value = QString::fromStdString(text);
    const QFontMetrics &metrics = FontMetrics();
    QPainter &painter = Painter();
    painter.fillRect(QRect(x, y, width, metrics.height()), Brush);
    painter.setFont(*Font);
    painter.setPen(FontColor);
    painter.drawText(QPoint(x, y + metrics.ascent()), value);
}

void TPainterCanvas::Line(int x1, int y1, int x2, int y2)
{
    QPainter &painter = Painter();
    painter.setPen(Pen);
    painter.drawLine(x1, y1, x2, y2);
}

void TPainterCanvas::Polyline(const std::vector<TPoint> &points)
{
    QPainter &painter = Painter();
    painter.setPen(Pen);
    painter.drawPolyline(ToPolygon(points));
}

void TPainterCanvas::Curve(const std::vector<TPointF> &points)
{
    QPolygonF curve;
    curve.reserve(static_cast<qsizetype>(points.size()));
    for (const TPointF &point : points)
        curve.append(QPointF(point.X, point.Y));
    QPainter &painter = Painter();
    const bool smooth = painter.testRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Pen);
    painter.drawPolyline(curve);
    painter.setRenderHint(QPainter::Antialiasing, smooth);
}

void TPainterCanvas::Ellipse(int x1, int y1, int x2, int y2)
{
    QPainter &painter = Painter();
    painter.setPen(Pen);
    painter.setBrush(Brush);
    painter.drawEllipse(OutlineBox(x1, y1, x2, y2));
}

void TPainterCanvas::Rectangle(int x1, int y1, int x2, int y2)
{
    QPainter &painter = Painter();
    painter.setPen(Pen);
    painter.setBrush(Brush);
    painter.drawRect(OutlineBox(x1, y1, x2, y2));
}

void TPainterCanvas::FillRect(int x1, int y1, int x2, int y2)
{
    Painter().fillRect(QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2) - 1, std::max(y1, y2) - 1)),
                       Brush);
}

void TPainterCanvas::Polygon(const std::vector<TPoint> &points)
{
    QPainter &painter = Painter();
    painter.setPen(Pen);
    painter.setBrush(Brush);
    painter.drawPolygon(ToPolygon(points));
}

int TPainterCanvas::Pixel(int, int) const
{
    return -1;
}

void TPainterCanvas::SetPixel(int, int, int)
{
}

void TPainterCanvas::Rotate(double, int)
{
}

} // namespace corvadel
