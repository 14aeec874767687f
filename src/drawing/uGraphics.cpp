#include "uGraphics.h"

#include "uDiagramLayout.h"
#include "uDrawMath.h"
#include "uGeometry.h"
#include "uGlobalSettings.h"
#include "uWires.h"

#include <algorithm>
#include <cmath>

namespace corvadel {

namespace {

const TBaseWire *SpanOf(const TWireConfiguration &sequence, int number)
{
    return sequence.Spans.FindByNumber(number);
}

double LengthOf(const TWireConfiguration &sequence, int number)
{
    const TBaseWire *span = SpanOf(sequence, number);
    return span ? span->Length : 0;
}

double AngleOf(const TWireConfiguration &sequence, int number)
{
    const TBaseWire *span = SpanOf(sequence, number);
    return span ? span->Angle : 0;
}

// The arrow's direction d (radians, y up) and its shift beside the span.
struct TArrowCourse {
    double D = 0;
    int Sx = 0;
    int Sy = 0;
};

TArrowCourse ArrowCourse(int dx, int dy, int offset)
{
    const auto t = [&] { return std::atan(std::fabs(static_cast<double>(dy)) / std::fabs(static_cast<double>(dx))); };
    if (dx == 0 && dy >= 1)
        return {-Pi / 2, offset, 0};
    if (dx == 0 && dy < 0)
        return {Pi / 2, offset, 0};
    if (dx >= 1 && dy == 0)
        return {0, 0, offset};
    if (dx < 0 && dy == 0)
        return {Pi, 0, offset};
    if (dx >= 1 && dy >= 1)
        return {2 * Pi - t(), offset, -offset};
    if (dx >= 1 && dy < 0)
        return {t(), offset, offset};
    if (dx < 0 && dy >= 1)
        return {Pi + t(), offset, offset};
    if (dx >= 0 || dy >= 0)
        return {0, 0, 0}; // both ends on one point
    return {Pi - t(), offset, -offset};
}

} // namespace

TGraphics::TGraphics(const TGlobalSetting &settings, TCanvas &canvas)
    : Image(&canvas), Settings(settings)
{
}

bool TGraphics::ShowsValues() const
{
    return Settings.EnableDisplayLabel && !StandardShape;
}

bool TGraphics::DrawsToScale(const TWireConfiguration &sequence) const
{
    return Settings.EnableDynamicDisplay && !StandardShape && TGeometry::IsValid(sequence);
}

void TGraphics::ClearImage()
{
    Image->SetBrush(Settings.Colors.ImageBackground);
    Image->FillRect(0, 0, Image->Width(), Image->Height());
}

void TGraphics::DrawSequence(int mode, int sequenceNumber, double rotation)
{
    ClearImage();
    if (const TWireConfiguration *sequence = Project ? Project->FindByNumber(sequenceNumber) : nullptr)
        DrawDiagram(*sequence, mode == dmAngles || mode == dmPrint, mode == dmElevations || mode == dmPrint);
    if (rotation != 0)
        RotateImage(rotation);
}

void TGraphics::DrawDiagram(const TWireConfiguration &sequence, bool showAngles, bool showElevations)
{
    const TDiagramTable *table = DiagramTable(sequence.SequenceType);
    if (!table)
        return;
    const TDiagramLayout layout(*table, DiagramShape(*table, sequence, DrawsToScale(sequence)),
                                {Image->Width(), Image->Height()});
    for (const TDiagramItem &item : table->Items) {
        if (item.Kind == TItemKind::Span)
            DrawSpanItem(sequence, item, layout);
        else if (showAngles)
            DrawAngleItem(sequence, item, layout);
    }
    const TDiagramPoints &points = layout.Points();
    if (showElevations) {
        for (const TBracketItem &bracket : table->Brackets) {
            const TPoint a = points.Node(bracket.From);
            const TPoint b = points.Node(bracket.To);
            DrawElevationBracket(a.X, a.Y, b.X, b.Y, bracket.Dx, bracket.Dy, bracket.Horizontal, bracket.Name,
                                 sequence.Elevations.ValueOf(bracket.Name));
        }
    }
    // Poles, then rings, each in number order, over the wires and labels.
    std::vector<TPoleNode> nodes = sequence.Topology().Poles;
    std::stable_sort(nodes.begin(), nodes.end(), [](const TPoleNode &a, const TPoleNode &b) {
        return a.IsRing != b.IsRing ? !a.IsRing : a.Number < b.Number;
    });
    for (const TPoleNode &node : nodes) {
        const TPoint at = points.Node(node.Number);
        if (node.IsRing)
            DrawRing(at.X, at.Y, node.Number);
        else
            DrawPole(at.X, at.Y, node.Number);
    }
}

void TGraphics::DrawSpanItem(const TWireConfiguration &sequence, const TDiagramItem &item, const TDiagramLayout &layout)
{
    const TDiagramPoints &points = layout.Points();
    const TPoint a = points.Node(item.EndA);
    const TPoint b = points.Node(item.EndB);
    DrawWire(a.X, a.Y, b.X, b.Y);
    const TPoint anchor = layout.Anchor(item);
    DrawLabel(anchor.X, anchor.Y, item.Align, LengthOf(sequence, item.Number), Prefixed("L", IntToStr(item.Number)),
              Settings.Colors.WireFont);
    for (const TSpanNodes &span : sequence.Topology().Spans) {
        if (span.Number != item.Number)
            continue;
        const TPoint from = points.Node(span.FromNode);
        const TPoint to = points.Node(span.ToNode);
        DrawSpanArrow(from.X, from.Y, to.X, to.Y, item.ArrowOffset);
    }
}

void TGraphics::DrawAngleItem(const TWireConfiguration &sequence, const TDiagramItem &item,
                              const TDiagramLayout &layout)
{
    const TDiagramPoints &points = layout.Points();
    if (item.EndA != 0) {
        const TPoint start = points.Node(item.EndA);
        const TPoint end = points.AngleEnds[static_cast<size_t>(item.Number)];
        DrawAngleReference(start.X, start.Y, end.X, end.Y);
    }
    const TPoint anchor = layout.Anchor(item);
    DrawLabel(anchor.X, anchor.Y, item.Align, AngleOf(sequence, item.Number), Prefixed("A", IntToStr(item.Number)),
              Settings.Colors.AngleFont);
}

void TGraphics::DrawWire(int x1, int y1, int x2, int y2)
{
    Image->SetPen(Settings.Colors.WireColor, WireWidth, TPenStyle::Solid);
    Image->Line(x1, y1, x2, y2);
}

void TGraphics::DrawDisc(int x, int y, const std::string &text, int outline, int penWidth, int fill,
                         const TFontSpec &font)
{
    Image->SetPen(outline, penWidth, TPenStyle::Solid);
    Image->SetBrush(fill);
    Image->SetFont(font);
    const TSize size = Image->TextExtent(text);
    const int r = std::max(size.Width, size.Height) - 2;
    Image->Ellipse(x - r, y - r, x + r, y + r);
    DrawText(x - size.Width / 2, y - size.Height / 2 - 1, text, fill, font);
}

void TGraphics::DrawPole(int x, int y, int n)
{
    const TCustomColor &colors = Settings.Colors;
    DrawDisc(x, y, IntToStr(n), colors.PoleColor, 1, colors.PoleColor, colors.PoleFont);
}

void TGraphics::DrawRing(int x, int y, int n)
{
    const TCustomColor &colors = Settings.Colors;
    DrawDisc(x, y, IntToStr(n - 99), colors.RingColor, 2, colors.ImageBackground, colors.RingFont);
}

void TGraphics::DrawText(int x, int y, const std::string &text, int background, const TFontSpec &font)
{
    Image->SetBrush(background);
    Image->SetFont(font);
    Image->TextOut(x, y, text);
}

void TGraphics::DrawLabel(int x, int y, int alignment, double value, const std::string &name, const TFontSpec &font)
{
    if (!ShowLabels)
        return;
    const std::string text = ShowsValues() ? name + ": " + FloatToStrF(value, 8, 2) : name;
    Image->SetBrush(Settings.Colors.ImageBackground);
    Image->SetFont(font);
    const int width = Image->TextExtent(text).Width;
    const int left = alignment == 1 ? x - width / 2 : alignment == 2 ? x - width : x;
    Image->TextOut(left, y, text);
}

void TGraphics::DrawAngleReference(int x1, int y1, int x2, int y2)
{
    if (!ShowLabels)
        return;
    Image->SetBrush(Settings.Colors.ImageBackground);
    Image->SetPen(Settings.Colors.LineColor, 1, TPenStyle::Dotted);
    Image->Line(x1, y1, x2, y2);
}

void TGraphics::DrawElevationBracket(int x1, int y1, int x2, int y2, int dx, int dy, bool horizontal,
                                     const std::string &name, double value)
{
    const std::string text = ShowsValues() ? name + ": " + FloatToStrF(value, 6, 2) + ".ft" : name;
    Image->SetBrush(Settings.Colors.ImageBackground);
    Image->SetPen(Settings.Colors.LineColor, 1, TPenStyle::Dotted);
    if (horizontal) {
        Image->Polyline({{x1, y1}, {x1 + dx, y1 + dy}, {x2 - dx, y2 + dy}, {x2, y2}});
        DrawText((x1 + x2) / 2, (y1 + y2) / 2 + dy - 5, text, Settings.Colors.ImageBackground,
                 Settings.Colors.ElevationFont);
        return;
    }
    Image->Polyline({{x1, y1}, {x1 + dx, y1 + dy}, {x2 + dx, y2 - dy}, {x2, y2}});
    DrawText((x1 + x2) / 2 + dx - 5, (y1 + y2) / 2, text, Settings.Colors.ImageBackground,
             Settings.Colors.ElevationFont);
}

void TGraphics::DrawSpanArrow(int x1, int y1, int x2, int y2, int offset)
{
    Image->SetPen(Settings.Colors.LineColor, 1, TPenStyle::Solid);
    const double ex = static_cast<double>(x1) - x2;
    const double ey = static_cast<double>(y1) - y2;
    const double h = std::sqrt(ex * ex + ey * ey);
    const TArrowCourse course = ArrowCourse(x2 - x1, y2 - y1, offset);
    const double d = course.D;
    const int mx = x1 + RoundHalfEven(std::cos(d) * h / 2);
    const int my = y1 - RoundHalfEven(std::sin(d) * h / 2);
    const double k = h / 2 * 0.3;
    const int tipX = course.Sx + mx + RoundHalfEven(std::cos(d) * k);
    const int tipY = course.Sy + my - RoundHalfEven(std::sin(d) * k);
    Image->Line(course.Sx + mx - RoundHalfEven(std::cos(d) * k), course.Sy + my + RoundHalfEven(std::sin(d) * k), tipX,
                tipY);
    DrawArrowHead(tipX, tipY, d);
}

void TGraphics::DrawArrowHead(int x, int y, double d)
{
    Image->SetPen(Settings.Colors.LineColor, 1, TPenStyle::Solid);
    Image->SetBrush(Settings.Colors.LineColor);
    Image->Polygon({{x, y},
                    {RoundHalfEven(x - 8 * std::cos(d + 0.3)), RoundHalfEven(y + 8 * std::sin(d + 0.3))},
                    {RoundHalfEven(x - 8 * std::cos(d - 0.3)), RoundHalfEven(y + 8 * std::sin(d - 0.3))}});
}

void TGraphics::RotateImage(double a)
{
    Image->Rotate(a, Settings.Colors.ImageBackground);
}

} // namespace corvadel
