#include "uRecordingCanvas.h"

#include <cmath>

namespace corvadel {

TRecordingCanvas::TRecordingCanvas(int width, int height)
    : ImageWidth(width), ImageHeight(height)
{
}

std::vector<TCanvasCall> TRecordingCanvas::CallsOf(TCallKind kind) const
{
    std::vector<TCanvasCall> found;
    for (const TCanvasCall &call : Calls)
        if (call.Kind == kind)
            found.push_back(call);
    return found;
}

std::vector<std::string> TRecordingCanvas::Texts() const
{
    std::vector<std::string> texts;
    for (const TCanvasCall &call : Calls)
        if (call.Kind == TCallKind::TextOut)
            texts.push_back(call.Text);
    return texts;
}

const TCanvasCall *TRecordingCanvas::FindText(const std::string &text) const
{
    for (const TCanvasCall &call : Calls)
        if (call.Kind == TCallKind::TextOut && call.Text == text)
            return &call;
    return nullptr;
}

void TRecordingCanvas::SetPen(int color, int width, TPenStyle style)
{
    Pen = {color, width, style};
}

TSize TRecordingCanvas::TextExtent(const std::string &text)
{
    // In proportion to the font's size, as at 6 points.
    const int size = Font.Size > 0 ? Font.Size : 6;
    return {static_cast<int>(text.size()) * CharWidth * size / 6, TextHeight * size / 6};
}

TCanvasCall &TRecordingCanvas::Record(TCallKind kind, std::vector<TPoint> points)
{
    TCanvasCall &call = Calls.emplace_back();
    call.Kind = kind;
    call.Points = std::move(points);
    call.Pen = Pen;
    call.Brush = Brush;
    call.Font = Font;
    return call;
}

void TRecordingCanvas::TextOut(int x, int y, const std::string &text)
{
    Record(TCallKind::TextOut, {{x, y}}).Text = text;
}

void TRecordingCanvas::Line(int x1, int y1, int x2, int y2)
{
    Record(TCallKind::Line, {{x1, y1}, {x2, y2}});
}

void TRecordingCanvas::Polyline(const std::vector<TPoint> &points)
{
    Record(TCallKind::Polyline, points);
}

void TRecordingCanvas::Curve(const std::vector<TPointF> &points)
{
    std::vector<TPoint> pixels;
    pixels.reserve(points.size());
    for (const TPointF &point : points)
        pixels.push_back({static_cast<int>(std::lround(point.X)), static_cast<int>(std::lround(point.Y))});
    Polyline(pixels);
}

void TRecordingCanvas::Ellipse(int x1, int y1, int x2, int y2)
{
    Record(TCallKind::Ellipse, {{x1, y1}, {x2, y2}});
}

void TRecordingCanvas::Rectangle(int x1, int y1, int x2, int y2)
{
    Record(TCallKind::Rectangle, {{x1, y1}, {x2, y2}});
}

void TRecordingCanvas::FillRect(int x1, int y1, int x2, int y2)
{
    Record(TCallKind::FillRect, {{x1, y1}, {x2, y2}});
}

void TRecordingCanvas::Polygon(const std::vector<TPoint> &points)
{
    Record(TCallKind::Polygon, points);
}

int TRecordingCanvas::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= ImageWidth || y >= ImageHeight)
        return -1;
    const auto found = Pixels.find({x, y});
    return found == Pixels.end() ? Unwritten : found->second;
}

void TRecordingCanvas::SetPixel(int x, int y, int color)
{
    if (x < 0 || y < 0 || x >= ImageWidth || y >= ImageHeight)
        return;
    Pixels[{x, y}] = color;
    Record(TCallKind::SetPixel, {{x, y}}).Color = color;
}

void TRecordingCanvas::Rotate(double angle, int background)
{
    TCanvasCall &call = Record(TCallKind::Rotate, {});
    call.Angle = angle;
    call.Color = background;
}

} // namespace corvadel
