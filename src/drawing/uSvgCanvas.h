// A canvas that writes what is drawn as an SVG document: lines, shapes and
// text stay vectors, sized in pixels. Text is measured with the fonts the
// painted pictures use.
#pragma once

#include "uCanvas.h"

#include <string>

namespace corvadel {

class TSvgCanvas : public TCanvas
{
public:
    TSvgCanvas(int width, int height);

    // The whole document, closed.
    std::string Document() const;

    int Width() const override { return CanvasWidth; }
    int Height() const override { return CanvasHeight; }
    void SetPen(int color, int width, TPenStyle style) override;
    void SetBrush(int color) override { Brush = color; }
    void SetFont(const TFontSpec &font) override { Font = font; }
    TSize TextExtent(const std::string &text) override;
    void TextOut(int x, int y, const std::string &text) override;
    void Line(int x1, int y1, int x2, int y2) override;
    void Polyline(const std::vector<TPoint> &points) override;
    void Curve(const std::vector<TPointF> &points) override;
    void Ellipse(int x1, int y1, int x2, int y2) override;
    void Rectangle(int x1, int y1, int x2, int y2) override;
    void FillRect(int x1, int y1, int x2, int y2) override;
    void Polygon(const std::vector<TPoint> &points) override;
    // A document has no pixels: nothing to read, single pixels are dropped.
    int Pixel(int, int) const override { return -1; }
    void SetPixel(int, int, int) override { }
    void Rotate(double, int) override { }

private:
    int CanvasWidth;
    int CanvasHeight;
    int PenColor = 0;
    int PenWidth = 1;
    TPenStyle PenStyle = TPenStyle::Solid;
    int Brush = 0xffffff;
    TFontSpec Font;
    std::string Body;

    std::string Stroke() const;
    std::string Fill() const;
    std::string Points(const std::vector<TPoint> &points) const;
};

} // namespace corvadel
