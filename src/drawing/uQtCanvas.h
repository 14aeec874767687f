// The canvas on a QImage, the picture shown on screen and saved.
#pragma once

#include "uPainterCanvas.h"

#include <QImage>
#include <QPainter>

#include <memory>

namespace corvadel {

class TQtCanvas : public TPainterCanvas
{
public:
    TQtCanvas(int width, int height);
    ~TQtCanvas() override;

    // The picture with every drawing call so far applied.
    const QImage &Picture();

    int Pixel(int x, int y) const override;
    void SetPixel(int x, int y, int color) override;
    void Rotate(double angle, int background) override;

protected:
    QPainter &Painter() override;
    const QPaintDevice *Device() const override { return &Image; }

private:
    QImage Image;
    // Open while shapes are drawn; closed before the pixels are touched.
    std::unique_ptr<QPainter> ActivePainter;

    void EndPainting();
};

} // namespace corvadel
