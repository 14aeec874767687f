// The canvas on a QImage, the picture shown on screen, printed and saved.
#pragma once

#include "uCanvas.h"

#include <QImage>
#include <QPainter>

#include <memory>

namespace corvadel {

class TQtCanvas : public TCanvas
{
public:
    TQtCanvas(int width, int height);
    ~TQtCanvas() override;

    // The picture with every drawing call so far applied.
    const QImage &Picture();

    int Width() const override { return Image.width(); }
    int Height() const override { return Image.height(); }
    void SetPen(int color, int width, TPenStyle style) override;
    void SetBrush(int color) override;
    void SetFont(const TFontSpec &font) override;
    TSize TextExtent(const std::string &text) override;
    void TextOut(int x, int y, const std::string &text) override;
    void Line(int x1, int y1, int x2, int y2) override;
    void Polyline(const std::vector<TPoint> &points) override;
    void Ellipse(int x1, int y1, int x2, int y2) override;
    void Rectangle(int x1, int y1, int x2, int y2) override;
    void FillRect(int x1, int y1, int x2, int y2) override;
    void Polygon(const std::vector<TPoint> &points) override;
    int Pixel(int x, int y) const override;
    void SetPixel(int x, int y, int color) override;
    void Rotate(double angle, int background) override;

    static QColor ToQColor(int color);
    static QFont ToQFont(const TFontSpec &font);

private:
    QImage Image;
    // Open while shapes are drawn; closed before the pixels are touched.
    std::unique_ptr<QPainter> ActivePainter;
    QPen Pen;
    QBrush Brush;
    QFont Font;
    QColor FontColor;

    QPainter &Painter();
    void EndPainting();
};

} // namespace corvadel
