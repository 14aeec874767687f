// The canvas over any QPainter: a page of a report, or a picture. Drawing
// coordinates are logical pixels at 96 per inch; the painter's transform
// places them, so a diagram on a page stays vectors at any resolution.
#pragma once

#include "uCanvas.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QPen>

#include <optional>
#include <string>
#include <unordered_map>

class QPainter;
class QPaintDevice;

namespace corvadel {

class TPainterCanvas : public TCanvas
{
public:
    // Draws on `painter` in a box of width x height logical pixels.
    TPainterCanvas(QPainter &painter, int width, int height);

    int Width() const override { return CanvasWidth; }
    int Height() const override { return CanvasHeight; }
    void SetPen(int color, int width, TPenStyle style) override;
    void SetBrush(int color) override;
    void SetFont(const TFontSpec &font) override;
    TSize TextExtent(const std::string &text) override;
    void TextOut(int x, int y, const std::string &text) override;
    void Line(int x1, int y1, int x2, int y2) override;
    void Polyline(const std::vector<TPoint> &points) override;
    void Curve(const std::vector<TPointF> &points) override;
    void Ellipse(int x1, int y1, int x2, int y2) override;
    void Rectangle(int x1, int y1, int x2, int y2) override;
    void FillRect(int x1, int y1, int x2, int y2) override;
    void Polygon(const std::vector<TPoint> &points) override;
    // A painter's device may have no pixels to read or write (a page).
    int Pixel(int x, int y) const override;
    void SetPixel(int x, int y, int color) override;
    // A page is never turned; pictures that turn override this.
    void Rotate(double angle, int background) override;

    static QColor ToQColor(int color);
    // `font` at 96 logical pixels per inch on `device`, whatever its
    // resolution: the painter's transform scales it as it scales shapes.
    static QFont ToQFont(const TFontSpec &font, const QPaintDevice *device = nullptr);

protected:
    // For pictures that open their painter only while shapes are drawn.
    TPainterCanvas(int width, int height);
    virtual QPainter &Painter();
    // The device text is measured for.
    virtual const QPaintDevice *Device() const;

private:
    QPainter *Borrowed = nullptr;
    int CanvasWidth;
    int CanvasHeight;
    QPen Pen;
    QBrush Brush;
    TFontSpec FontSpec;
    // The font and its metrics, made when a text first needs them after the
    // font changed: a drawing sets the same few fonts many times.
    std::optional<QFont> Font;
    std::optional<QFontMetrics> Metrics;
    // Label placement measures a text for every place it tries, then paints it.
    std::unordered_map<std::string, int> Widths;
    QColor FontColor;

    const QFontMetrics &FontMetrics();
    int TextWidth(const std::string &text);
};

} // namespace corvadel
