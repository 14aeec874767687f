#include "uQtCanvas.h"

#include "uRotate.h"

#include <QFontMetrics>
#include <QPolygon>

#include <algorithm>

namespace corvadel {

namespace {

constexpr int DotsPerMeterAt96Dpi = 3780;
constexpr std::uint32_t RgbMask = 0x00ffffff;

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

TPixelRows RowsOf(QImage &image)
{
    return {reinterpret_cast<std::uint32_t *>(image.bits()), image.width(), image.height(),
            static_cast<std::ptrdiff_t>(image.bytesPerLine() / 4)};
}

} // namespace

TQtCanvas::TQtCanvas(int width, int height)
    : Image(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32),
      Pen(Qt::black), Brush(Qt::white, Qt::SolidPattern), Font(ToQFont(TFontSpec{})), FontColor(Qt::black)
{
    Image.setDotsPerMeterX(DotsPerMeterAt96Dpi);
    Image.setDotsPerMeterY(DotsPerMeterAt96Dpi);
    Image.fill(Qt::white);
}

TQtCanvas::~TQtCanvas() = default;

QColor TQtCanvas::ToQColor(int color)
{
    return QColor(RedOf(color), GreenOf(color), BlueOf(color));
}

QFont TQtCanvas::ToQFont(const TFontSpec &font)
{
    QFont result(QString::fromStdString(font.Name));
    result.setPointSize(std::max(font.Size, 1));
    result.setBold((font.Style & TFontSpec::Bold) != 0);
    result.setItalic((font.Style & TFontSpec::Italic) != 0);
    result.setUnderline((font.Style & TFontSpec::Underline) != 0);
    result.setStrikeOut((font.Style & TFontSpec::StrikeOut) != 0);
    return result;
}

QPainter &TQtCanvas::Painter()
{
    if (!ActivePainter)
        ActivePainter = std::make_unique<QPainter>(&Image);
    return *ActivePainter;
}

void TQtCanvas::EndPainting()
{
    ActivePainter.reset();
}

const QImage &TQtCanvas::Picture()
{
    EndPainting();
    return Image;
}

void TQtCanvas::SetPen(int color, int width, TPenStyle style)
{
    Pen = QPen(ToQColor(color), std::max(width, 1), style == TPenStyle::Dotted ? Qt::DotLine : Qt::SolidLine,
               Qt::FlatCap, Qt::MiterJoin);
}

void TQtCanvas::SetBrush(int color)
{
    Brush = QBrush(ToQColor(color), Qt::SolidPattern);
}

void TQtCanvas::SetFont(const TFontSpec &font)
{
    Font = ToQFont(font);
    FontColor = ToQColor(font.Color);
}

TSize TQtCanvas::TextExtent(const std::string &text)
{
    const QFontMetrics metrics(Font, &Image);
    return {metrics.horizontalAdvance(QString::fromStdString(text)), metrics.height()};
}

void TQtCanvas::TextOut(int x, int y, const std::string &text)
{
    const QString value = QString::fromStdString(text);
    const QFontMetrics metrics(Font, &Image);
    QPainter &painter = Painter();
    painter.fillRect(QRect(x, y, metrics.horizontalAdvance(value), metrics.height()), Brush);
    painter.setFont(Font);
    painter.setPen(FontColor);
    painter.drawText(QPoint(x, y + metrics.ascent()), value);
}

void TQtCanvas::Line(int x1, int y1, int x2, int y2)
{
    QPainter &painter = Painter();
    painter.setPen(Pen);
    painter.drawLine(x1, y1, x2, y2);
}

void TQtCanvas::Polyline(const std::vector<TPoint> &points)
{
    QPainter &painter = Painter();
    painter.setPen(Pen);
    painter.drawPolyline(ToPolygon(points));
}

void TQtCanvas::Ellipse(int x1, int y1, int x2, int y2)
{
    QPainter &painter = Painter();
    painter.setPen(Pen);
    painter.setBrush(Brush);
    painter.drawEllipse(OutlineBox(x1, y1, x2, y2));
}

void TQtCanvas::Rectangle(int x1, int y1, int x2, int y2)
{
    QPainter &painter = Painter();
    painter.setPen(Pen);
    painter.setBrush(Brush);
    painter.drawRect(OutlineBox(x1, y1, x2, y2));
}

void TQtCanvas::FillRect(int x1, int y1, int x2, int y2)
{
    Painter().fillRect(QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2) - 1, std::max(y1, y2) - 1)),
                       Brush);
}

void TQtCanvas::Polygon(const std::vector<TPoint> &points)
{
    QPainter &painter = Painter();
    painter.setPen(Pen);
    painter.setBrush(Brush);
    painter.drawPolygon(ToPolygon(points));
}

int TQtCanvas::Pixel(int x, int y) const
{
    if (!Image.valid(x, y))
        return -1;
    // Reading is safe while painting: the raster engine draws straight into the image.
    const QRgb rgb = reinterpret_cast<const QRgb *>(Image.constScanLine(y))[x];
    return ColorOf(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

void TQtCanvas::SetPixel(int x, int y, int color)
{
    if (!Image.valid(x, y))
        return;
    EndPainting();
    reinterpret_cast<QRgb *>(Image.scanLine(y))[x] = ToQColor(color).rgb();
}

void TQtCanvas::Rotate(double angle, int background)
{
    EndPainting();
    QImage turned(Image.size(), QImage::Format_RGB32);
    turned.setDotsPerMeterX(Image.dotsPerMeterX());
    turned.setDotsPerMeterY(Image.dotsPerMeterY());
    turned.fill(ToQColor(background));
    RotatePixels(RowsOf(Image), RowsOf(turned), angle, ToQColor(background).rgb(), RgbMask);
    Image.swap(turned);
}

} // namespace corvadel
