// The drawing surface the diagrams are made of: pen, brush, font, text and
// the few shapes the plan and the span profile need.
#pragma once

#include "uGlobalSettings.h"

#include <string>
#include <vector>

namespace corvadel {

struct TPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const TPoint &) const = default;
};

// A point given to a fraction of a pixel.
struct TPointF {
    double X = 0;
    double Y = 0;
};

struct TSize {
    int Width = 0;
    int Height = 0;
    bool operator==(const TSize &) const = default;
};

enum class TPenStyle { Solid, Dotted, Dashed };

// Colours are kept as the settings store them: 0x00BBGGRR.
constexpr int RedOf(int color) { return color & 0xff; }
constexpr int GreenOf(int color) { return (color >> 8) & 0xff; }
constexpr int BlueOf(int color) { return (color >> 16) & 0xff; }
constexpr int ColorOf(int red, int green, int blue) { return (blue << 16) | (green << 8) | red; }

class TCanvas
{
public:
    virtual ~TCanvas() = default;

    virtual int Width() const = 0;
    virtual int Height() const = 0;

    virtual void SetPen(int color, int width, TPenStyle style) = 0;
    virtual void SetBrush(int color) = 0;
    // The text colour is the font's.
    virtual void SetFont(const TFontSpec &font) = 0;
    virtual TSize TextExtent(const std::string &text) = 0;
    // Top-left corner at (x, y), on a box of the brush colour.
    virtual void TextOut(int x, int y, const std::string &text) = 0;

    virtual void Line(int x1, int y1, int x2, int y2) = 0;
    virtual void Polyline(const std::vector<TPoint> &points) = 0;
    // A curve sampled at points, drawn without steps where the surface can:
    // on a page it is placed finer than a pixel.
    virtual void Curve(const std::vector<TPointF> &points) = 0;
    // Shapes in a box: outlined with the pen, filled with the brush; the
    // right and bottom edges (x2, y2) lie just outside.
    virtual void Ellipse(int x1, int y1, int x2, int y2) = 0;
    virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
    // Brush only, no outline.
    virtual void FillRect(int x1, int y1, int x2, int y2) = 0;
    virtual void Polygon(const std::vector<TPoint> &points) = 0;

    // 0x00BBGGRR; reading outside the surface gives -1, writing there nothing.
    virtual int Pixel(int x, int y) const = 0;
    virtual void SetPixel(int x, int y, int color) = 0;

    // Turns the whole drawing by `angle` radians about the centre; pixels of
    // the background colour are not carried (see RotatePixels).
    virtual void Rotate(double angle, int background) = 0;
};

} // namespace corvadel
