#include "uGraphics.h"

#include "uDiagramLayout.h"
#include "uDrawMath.h"
#include "uGeometry.h"
#include "uGlobalSettings.h"
#include "uLabelPlacer.h"
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

// Everything a diagram is drawn from: the placed nodes and where each label
// went.
struct TGraphics::TDiagramScene {
    const TDiagramLayout &Layout;
    bool ShowAngles;
    bool ShowElevations;
    std::vector<TDiagramLabel> ItemLabels;    // by table item; no text: none drawn
    std::vector<TDiagramLabel> BracketLabels; // by bracket
};

bool TGraphics::ShowsValues() const
{
    return Settings.EnableDisplayLabel && !StandardShape;
}

bool TGraphics::DrawsToScale(const TWireConfiguration &sequence) const
{
    return Settings.EnableDynamicDisplay && !StandardShape && TGeometry::IsValid(sequence);
}

TFontSpec TGraphics::Sized(const TFontSpec &font) const
{
    TFontSpec sized = font;
    sized.Size = std::max(RoundHalfEven(font.Size * PictureScale), static_cast<int>(std::ceil(SmallestFontSize)));
    return sized;
}

int TGraphics::LineOffset(int pixels) const
{
    return RoundHalfEven(pixels * PictureScale);
}

int TGraphics::TextOffset(int pixels) const
{
    return RoundHalfEven(pixels * TextScale);
}

std::string TGraphics::LabelText(const std::string &name, double value) const
{
    return ShowsValues() ? name + ": " + FloatToStrF(value, 8, 2) : name;
}

std::string TGraphics::BracketText(const std::string &name, double value) const
{
    return ShowsValues() ? name + ": " + FloatToStrF(value, 6, 2) + ".ft" : name;
}

void TGraphics::ClearImage()
{
    Image->SetBrush(Settings.Colors.ImageBackground);
    Image->FillRect(0, 0, Image->Width(), Image->Height());
}

void TGraphics::DrawSequence(int mode, int sequenceNumber, double rotation)
{
    ClearImage();
    // Labels, discs, arrows and brackets follow the picture's size from the
    // design size; a floor for the fonts moves the labels off their lines as
    // far as their text grows.
    PictureScale = std::min(static_cast<double>(Image->Width()) / DesignSize.Width,
                         static_cast<double>(Image->Height()) / DesignSize.Height);
    TextScale = std::max(PictureScale, SmallestFontSize / DesignFontSize);
    if (const TWireConfiguration *sequence = Project ? Project->FindByNumber(sequenceNumber) : nullptr)
        DrawDiagram(*sequence, mode == dmAngles || mode == dmPrint, mode == dmElevations || mode == dmPrint);
    PictureScale = TextScale = 1;
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
    TDiagramScene scene {layout, showAngles, showElevations, {}, {}};
    PlaceLabels(sequence, *table, scene);
    PaintScene(sequence, *table, scene);
}

// Every line, arrow and disc of the diagram is laid out first, so that each
// label can be put where it covers none of them nor another label.
void TGraphics::PlaceLabels(const TWireConfiguration &sequence, const TDiagramTable &table, TDiagramScene &scene)
{
    const TDiagramPoints &points = scene.Layout.Points();
    const TCustomColor &colors = Settings.Colors;
    // A wire is two pixels wide: labels keep one more off it.
    TLabelPlacer placer({Image->Width(), Image->Height()}, TextOffset(2), TextOffset(40), TextOffset(6), 1);
    for (const TDiagramItem &item : table.Items) {
        if (item.Kind == TItemKind::Span) {
            placer.AddLine(points.Node(item.EndA), points.Node(item.EndB));
        } else if (scene.ShowAngles && ShowLabels && item.EndA != 0) {
            placer.AddLine(points.Node(item.EndA), points.AngleEnds[static_cast<size_t>(item.Number)]);
        }
    }
    for (const TSpanNodes &span : sequence.Topology().Spans) {
        for (const TDiagramItem &item : table.Items) {
            if (item.Kind != TItemKind::Span || item.Number != span.Number)
                continue;
            const TPoint from = points.Node(span.FromNode);
            const TPoint to = points.Node(span.ToNode);
            const TArrowShape arrow = ArrowShape(from.X, from.Y, to.X, to.Y, LineOffset(item.ArrowOffset));
            placer.AddLine(arrow.Tail, arrow.Tip);
            const auto head = ArrowHead(arrow.Tip.X, arrow.Tip.Y, arrow.Direction);
            placer.AddPolyline({head[0], head[1], head[2], head[0]});
        }
    }
    if (scene.ShowElevations) {
        for (size_t i = 0; i < table.Brackets.size(); ++i) {
            const TBracketItem &bracket = table.Brackets[i];
            const TPoint a = points.Node(bracket.From);
            const TPoint b = points.Node(bracket.To);
            placer.AddPolyline(BracketPath(a.X, a.Y, b.X, b.Y, LineOffset(bracket.Dx), LineOffset(bracket.Dy), bracket.Horizontal),
                               static_cast<int>(i) + 1);
        }
    }
    for (const TPoleNode &node : sequence.Topology().Poles) {
        const TPoint at = points.Node(node.Number);
        const int r = node.IsRing ? DiscRadius(IntToStr(node.Number - 99), Sized(colors.RingFont))
                                  : DiscRadius(IntToStr(node.Number), Sized(colors.PoleFont));
        placer.AddBox({at.X - r, at.Y - r, at.X + r, at.Y + r});
    }

    const auto place = [&](TPoint anchor, int alignment, const std::string &text, const TFontSpec &font, int owner) {
        const TFontSpec sized = Sized(font);
        Image->SetFont(sized);
        const TSize size = Image->TextExtent(text);
        const int left = alignment == 1 ? anchor.X - size.Width / 2 : alignment == 2 ? anchor.X - size.Width : anchor.X;
        return TDiagramLabel {placer.Place({left, anchor.Y}, size, owner), text, sized};
    };
    for (const TDiagramItem &item : table.Items) {
        const bool span = item.Kind == TItemKind::Span;
        if (!ShowLabels || (!span && !scene.ShowAngles)) {
            scene.ItemLabels.push_back({});
            continue;
        }
        const std::string text = span ? LabelText(Prefixed("L", IntToStr(item.Number)), LengthOf(sequence, item.Number))
                                      : LabelText(Prefixed("A", IntToStr(item.Number)), AngleOf(sequence, item.Number));
        scene.ItemLabels.push_back(place(scene.Layout.Anchor(item, TextScale), item.Align, text,
                                         span ? colors.WireFont : colors.AngleFont, 0));
    }
    if (!scene.ShowElevations)
        return;
    for (size_t i = 0; i < table.Brackets.size(); ++i) {
        const TBracketItem &bracket = table.Brackets[i];
        const TPoint a = points.Node(bracket.From);
        const TPoint b = points.Node(bracket.To);
        const TPoint at = BracketTextAt(a.X, a.Y, b.X, b.Y, LineOffset(bracket.Dx), LineOffset(bracket.Dy), bracket.Horizontal);
        scene.BracketLabels.push_back(place(at, 0, BracketText(bracket.Name, sequence.Elevations.ValueOf(bracket.Name)),
                                            colors.ElevationFont, static_cast<int>(i) + 1));
    }
}

// In the order the diagram is always drawn: per span its wire, length label
// and arrow, the angle items after the span they follow, the elevation
// brackets, then poles and rings over everything.
void TGraphics::PaintScene(const TWireConfiguration &sequence, const TDiagramTable &table, const TDiagramScene &scene)
{
    const TDiagramPoints &points = scene.Layout.Points();
    const int background = Settings.Colors.ImageBackground;
    for (size_t i = 0; i < table.Items.size(); ++i) {
        const TDiagramItem &item = table.Items[i];
        const TDiagramLabel &label = scene.ItemLabels[i];
        if (item.Kind == TItemKind::Span) {
            const TPoint a = points.Node(item.EndA);
            const TPoint b = points.Node(item.EndB);
            DrawWire(a.X, a.Y, b.X, b.Y);
            if (!label.Text.empty())
                PutText(label.At, label.Text, background, label.Font);
            for (const TSpanNodes &span : sequence.Topology().Spans) {
                if (span.Number != item.Number)
                    continue;
                const TPoint from = points.Node(span.FromNode);
                const TPoint to = points.Node(span.ToNode);
                DrawSpanArrow(ArrowShape(from.X, from.Y, to.X, to.Y, LineOffset(item.ArrowOffset)));
            }
            continue;
        }
        if (!scene.ShowAngles)
            continue;
        if (item.EndA != 0) {
            const TPoint start = points.Node(item.EndA);
            const TPoint end = points.AngleEnds[static_cast<size_t>(item.Number)];
            DrawAngleReference(start.X, start.Y, end.X, end.Y);
        }
        if (!label.Text.empty())
            PutText(label.At, label.Text, background, label.Font);
    }
    if (scene.ShowElevations) {
        for (size_t i = 0; i < table.Brackets.size(); ++i) {
            const TBracketItem &bracket = table.Brackets[i];
            const TPoint a = points.Node(bracket.From);
            const TPoint b = points.Node(bracket.To);
            Image->SetBrush(background);
            Image->SetPen(Settings.Colors.LineColor, 1, TPenStyle::Dotted);
            Image->Polyline(BracketPath(a.X, a.Y, b.X, b.Y, LineOffset(bracket.Dx), LineOffset(bracket.Dy), bracket.Horizontal));
            const TDiagramLabel &label = scene.BracketLabels[i];
            PutText(label.At, label.Text, background, label.Font);
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

void TGraphics::DrawWire(int x1, int y1, int x2, int y2)
{
    Image->SetPen(Settings.Colors.WireColor, WireWidth, TPenStyle::Solid);
    Image->Line(x1, y1, x2, y2);
}

int TGraphics::DiscRadius(const std::string &text, const TFontSpec &font)
{
    Image->SetFont(font);
    const TSize size = Image->TextExtent(text);
    return std::max(size.Width, size.Height) - 2;
}

void TGraphics::DrawDisc(int x, int y, const std::string &text, int outline, int penWidth, int fill,
                         const TFontSpec &font)
{
    const TFontSpec sized = Sized(font);
    Image->SetPen(outline, penWidth, TPenStyle::Solid);
    Image->SetBrush(fill);
    Image->SetFont(sized);
    const TSize size = Image->TextExtent(text);
    const int r = std::max(size.Width, size.Height) - 2;
    Image->Ellipse(x - r, y - r, x + r, y + r);
    PutText({x - size.Width / 2, y - size.Height / 2 - 1}, text, fill, sized);
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

void TGraphics::PutText(TPoint at, const std::string &text, int background, const TFontSpec &font)
{
    Image->SetBrush(background);
    Image->SetFont(font);
    Image->TextOut(at.X, at.Y, text);
}

void TGraphics::DrawText(int x, int y, const std::string &text, int background, const TFontSpec &font)
{
    PutText({x, y}, text, background, Sized(font));
}

void TGraphics::DrawLabel(int x, int y, int alignment, double value, const std::string &name, const TFontSpec &font)
{
    if (!ShowLabels)
        return;
    const std::string text = LabelText(name, value);
    const TFontSpec sized = Sized(font);
    Image->SetFont(sized);
    const int width = Image->TextExtent(text).Width;
    const int left = alignment == 1 ? x - width / 2 : alignment == 2 ? x - width : x;
    PutText({left, y}, text, Settings.Colors.ImageBackground, sized);
}

void TGraphics::DrawAngleReference(int x1, int y1, int x2, int y2)
{
    if (!ShowLabels)
        return;
    Image->SetBrush(Settings.Colors.ImageBackground);
    Image->SetPen(Settings.Colors.LineColor, 1, TPenStyle::Dotted);
    Image->Line(x1, y1, x2, y2);
}

std::vector<TPoint> TGraphics::BracketPath(int x1, int y1, int x2, int y2, int dx, int dy, bool horizontal)
{
    if (horizontal)
        return {{x1, y1}, {x1 + dx, y1 + dy}, {x2 - dx, y2 + dy}, {x2, y2}};
    return {{x1, y1}, {x1 + dx, y1 + dy}, {x2 + dx, y2 - dy}, {x2, y2}};
}

TPoint TGraphics::BracketTextAt(int x1, int y1, int x2, int y2, int dx, int dy, bool horizontal) const
{
    if (horizontal)
        return {(x1 + x2) / 2, (y1 + y2) / 2 + dy - TextOffset(5)};
    return {(x1 + x2) / 2 + dx - TextOffset(5), (y1 + y2) / 2};
}

void TGraphics::DrawElevationBracket(int x1, int y1, int x2, int y2, int dx, int dy, bool horizontal,
                                     const std::string &name, double value)
{
    Image->SetBrush(Settings.Colors.ImageBackground);
    Image->SetPen(Settings.Colors.LineColor, 1, TPenStyle::Dotted);
    Image->Polyline(BracketPath(x1, y1, x2, y2, dx, dy, horizontal));
    const TPoint at = BracketTextAt(x1, y1, x2, y2, dx, dy, horizontal);
    DrawText(at.X, at.Y, BracketText(name, value), Settings.Colors.ImageBackground, Settings.Colors.ElevationFont);
}

TGraphics::TArrowShape TGraphics::ArrowShape(int x1, int y1, int x2, int y2, int offset) const
{
    const double ex = static_cast<double>(x1) - x2;
    const double ey = static_cast<double>(y1) - y2;
    const double h = std::sqrt(ex * ex + ey * ey);
    const TArrowCourse course = ArrowCourse(x2 - x1, y2 - y1, offset);
    const double d = course.D;
    const int mx = x1 + RoundHalfEven(std::cos(d) * h / 2);
    const int my = y1 - RoundHalfEven(std::sin(d) * h / 2);
    const double k = h / 2 * 0.3;
    return {{course.Sx + mx - RoundHalfEven(std::cos(d) * k), course.Sy + my + RoundHalfEven(std::sin(d) * k)},
            {course.Sx + mx + RoundHalfEven(std::cos(d) * k), course.Sy + my - RoundHalfEven(std::sin(d) * k)},
            d};
}

void TGraphics::DrawSpanArrow(int x1, int y1, int x2, int y2, int offset)
{
    DrawSpanArrow(ArrowShape(x1, y1, x2, y2, offset));
}

void TGraphics::DrawSpanArrow(const TArrowShape &arrow)
{
    Image->SetPen(Settings.Colors.LineColor, 1, TPenStyle::Solid);
    Image->Line(arrow.Tail.X, arrow.Tail.Y, arrow.Tip.X, arrow.Tip.Y);
    DrawArrowHead(arrow.Tip.X, arrow.Tip.Y, arrow.Direction);
}

std::array<TPoint, 3> TGraphics::ArrowHead(int x, int y, double d) const
{
    const double side = 8 * PictureScale;
    return {TPoint {x, y},
            TPoint {RoundHalfEven(x - side * std::cos(d + 0.3)), RoundHalfEven(y + side * std::sin(d + 0.3))},
            TPoint {RoundHalfEven(x - side * std::cos(d - 0.3)), RoundHalfEven(y + side * std::sin(d - 0.3))}};
}

void TGraphics::DrawArrowHead(int x, int y, double d)
{
    Image->SetPen(Settings.Colors.LineColor, 1, TPenStyle::Solid);
    Image->SetBrush(Settings.Colors.LineColor);
    const auto head = ArrowHead(x, y, d);
    Image->Polygon({head.begin(), head.end()});
}

void TGraphics::RotateImage(double a)
{
    Image->Rotate(a, Settings.Colors.ImageBackground);
}

} // namespace corvadel
