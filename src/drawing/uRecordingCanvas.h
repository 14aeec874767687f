// A canvas that keeps a list of what was drawn, with the pen, brush and font
// in force at each call, and measures text with a fixed metric (CharWidth
// by TextHeight a character at 6 points, in proportion at other sizes), so
// the drawings can be checked coordinate by coordinate.
#pragma once

#include "uCanvas.h"

#include <map>
#include <utility>

namespace corvadel {

struct TPenState {
    int Color = 0;
    int Width = 1;
    TPenStyle Style = TPenStyle::Solid;
    bool operator==(const TPenState &) const = default;
};

enum class TCallKind { TextOut, Line, Polyline, Ellipse, Rectangle, FillRect, Polygon, SetPixel, Rotate };

struct TCanvasCall {
    TCallKind Kind = TCallKind::Line;
    std::vector<TPoint> Points; // corners, ends or the text's top-left
    std::string Text;
    double Angle = 0; // Rotate
    int Color = 0;    // SetPixel, the background of Rotate
    TPenState Pen;
    int Brush = 0;
    TFontSpec Font;
};

class TRecordingCanvas : public TCanvas
{
public:
    static constexpr int CharWidth = 6;
    static constexpr int TextHeight = 10;
    static constexpr int Unwritten = 0xffffff; // what a pixel never set reads as

    TRecordingCanvas(int width, int height);

    std::vector<TCanvasCall> Calls;

    std::vector<TCanvasCall> CallsOf(TCallKind kind) const;
    std::vector<std::string> Texts() const;
    // The first text call whose text is `text`, nullptr when there is none.
    const TCanvasCall *FindText(const std::string &text) const;

    int Width() const override { return ImageWidth; }
    int Height() const override { return ImageHeight; }
    void SetPen(int color, int width, TPenStyle style) override;
    void SetBrush(int color) override { Brush = color; }
    void SetFont(const TFontSpec &font) override { Font = font; }
    TSize TextExtent(const std::string &text) override;
    void TextOut(int x, int y, const std::string &text) override;
    void Line(int x1, int y1, int x2, int y2) override;
    void Polyline(const std::vector<TPoint> &points) override;
    // Kept as a polyline through the nearest pixels.
    void Curve(const std::vector<TPointF> &points) override;
    void Ellipse(int x1, int y1, int x2, int y2) override;
    void Rectangle(int x1, int y1, int x2, int y2) override;
    void FillRect(int x1, int y1, int x2, int y2) override;
    void Polygon(const std::vector<TPoint> &points) override;
    int Pixel(int x, int y) const override;
    void SetPixel(int x, int y, int color) override;
    void Rotate(double angle, int background) override;

private:
    int ImageWidth;
    int ImageHeight;
    TPenState Pen;
    int Brush = 0xffffff;
    TFontSpec Font;
    std::map<std::pair<int, int>, int> Pixels; // only those written one by one

    TCanvasCall &Record(TCallKind kind, std::vector<TPoint> points);
};

} // namespace corvadel
