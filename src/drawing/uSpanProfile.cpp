// The side view of one span: ground, ends, wire and the hung signals.
#include "uGraphics.h"

#include "uDrawMath.h"
#include "uGlobalSettings.h"
#include "uWires.h"

namespace corvadel {

namespace {

constexpr int LampRed = ColorOf(255, 0, 0);
constexpr int LampYellow = ColorOf(255, 255, 0);
constexpr int LampGreen = ColorOf(0, 128, 0);

} // namespace

void TGraphics::DrawSpanProfile(int sequenceNumber, int spanNumber)
{
    ClearImage();
    const TWireConfiguration *sequence = Project ? Project->FindByNumber(sequenceNumber) : nullptr;
    const TBaseWire *span = sequence ? sequence->Spans.FindByNumber(spanNumber) : nullptr;
    if (!span)
        return;
    const int xA = Image->Width() / 8;
    const int xB = (Image->Width() / 8) * 7;
    const int yG = (Image->Height() / 6) * 5;
    DrawGroundLine(yG);
    const int yW = yG - WireHeight();
    DrawSpanSignals(yG, yW, span->Signals, span->Length);
    DrawWire(xA, yW, xB, yW);
    DrawLabel(xA + 35, yW - 25, 1, span->Length, Prefixed("L", IntToStr(span->Number)), Settings.Colors.WireFont);
    DrawSpanArrow(xA - 20, yW + 2, xA + 100, yW + 2, -10);
    DrawSpanEnd(*sequence, span->FromNode, xA, yG, yW);
    DrawSpanEnd(*sequence, span->ToNode, xB, yG, yW);
}

void TGraphics::DrawGroundLine(int yG)
{
    Image->SetPen(Settings.Colors.LineColor, 1, TPenStyle::Dotted);
    Image->Line(0, yG, Image->Width(), yG);
}

void TGraphics::DrawSpanSignals(int yG, int yW, const TSignalList &hung, double length)
{
    if (length == 0)
        return;
    const int xA = Image->Width() / 8;
    int position = 0;
    for (const TBaseSignal *signal : hung) {
        const int c = position++; // an entry left out still lifts the next one
        const double d = signal->Distance;
        if (!(d < length))
            continue;
        const int px = RoundHalfEven(d * (Image->Width() * 0.75 / length)) + xA;
        DrawSignalDimension(signal->Number, px, d, yG - 15 * c - 10);
        if (signal->IsSignal)
            DrawSignalSide(px, yG, yW);
        else
            DrawSignSide(px, yG, yW);
    }
}

void TGraphics::DrawSignalDimension(int n, int px, double d, int y)
{
    if (!ShowLabels)
        return;
    const int xA = Image->Width() / 8;
    TFontSpec font = Settings.Colors.WireFont;
    font.Color = Settings.Colors.LineColor;
    Image->SetBrush(Settings.Colors.ImageBackground);
    Image->SetFont(Sized(font));
    Image->TextOut(xA - 20, y - 5, Prefixed(" ", IntToStr(n)));
    Image->SetPen(Settings.Colors.LineColor, 1, TPenStyle::Dotted);
    Image->Line(xA, y, px, y);
    Image->TextOut((xA + px) / 2, y - 5, Prefixed(" ", FloatToStr(d)) + ".ft ");
}

void TGraphics::DrawSignalSide(int x, int yG, int yW)
{
    const int line = Settings.Colors.LineColor;
    Image->SetPen(line, 1, TPenStyle::Dotted);
    Image->Line(x, yW, x, yG);
    Image->SetPen(line, 1, TPenStyle::Solid);
    Image->SetBrush(Settings.Colors.SignalColor);
    Image->Rectangle(x - 10, yW + 5, x + 10, yW + 45);
    const struct {
        int Color;
        int Top;
    } lamps[] = {{LampRed, 11}, {LampYellow, 21}, {LampGreen, 31}};
    for (const auto &lamp : lamps) {
        Image->SetBrush(lamp.Color);
        Image->Ellipse(x - 4, yW + lamp.Top, x + 4, yW + lamp.Top + 8);
    }
}

void TGraphics::DrawSignSide(int x, int yG, int yW)
{
    Image->SetPen(Settings.Colors.LineColor, 1, TPenStyle::Dotted);
    Image->Line(x, yW, x, yG);
    Image->SetPen(Settings.Colors.SignColor, 1, TPenStyle::Solid);
    Image->SetBrush(Settings.Colors.SignColor);
    Image->Rectangle(x - 10, yW + 5, x + 10, yW + 25);
}

void TGraphics::DrawPoleSide(int x, int y, int n)
{
    const int color = Settings.Colors.PoleColor;
    const int half = PoleWidth / 2;
    Image->SetPen(color, 1, TPenStyle::Solid);
    Image->SetBrush(color);
    Image->Rectangle(x - half, y - PoleHeight / 2, x + half, y);
    Image->Rectangle(x - half / 2, y - PoleHeight, x + half / 2, y - PoleHeight / 2);
    DrawPole(x, y, n);
}

void TGraphics::DrawSpanEnd(const TWireConfiguration &sequence, int node, int x, int yG, int yW)
{
    const TBasePole *pole = sequence.Poles.FindByNumber(node);
    if (pole && pole->IsRing)
        DrawRing(x, yW, node);
    else
        DrawPoleSide(x, yG, node);
}

} // namespace corvadel
