#include "uQtCanvas.h"

#include "uRotate.h"

#include <algorithm>

namespace corvadel {

namespace {

constexpr int DotsPerMeterAt96Dpi = 3780;
constexpr std::uint32_t RgbMask = 0x00ffffff;

TPixelRows RowsOf(QImage &image)
{
    return {reinterpret_cast<std::uint32_t *>(image.bits()), image.width(), image.height(),
            static_cast<std::ptrdiff_t>(image.bytesPerLine() / 4)};
}

} // namespace

TQtCanvas::TQtCanvas(int width, int height)
    : TPainterCanvas(width, height), Image(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32)
{
    Image.setDotsPerMeterX(DotsPerMeterAt96Dpi);
    Image.setDotsPerMeterY(DotsPerMeterAt96Dpi);
    Image.fill(Qt::white);
}

TQtCanvas::~TQtCanvas() = default;

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
