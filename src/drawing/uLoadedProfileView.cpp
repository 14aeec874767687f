#include "uLoadedProfileView.h"

#include "uCurveOutline.h"
#include "uDrawMath.h"
#include "uLabelPlacer.h"
#include "uResultQuantities.h"
#include "uWires.h"

#include <algorithm>
#include <cmath>

namespace corvadel {

namespace {

constexpr double SideMargin = 110;  // pole labels
constexpr double TopMargin = 44;    // title and scale
constexpr double BottomMargin = 28; // pavement label
constexpr double HeadRoom = 3;      // feet above the highest attachment
constexpr int Exaggerations[] = {100, 50, 20, 10, 5, 2, 1};

constexpr int White = ColorOf(255, 255, 255);
constexpr int PavementColor = ColorOf(90, 90, 90);
constexpr int WireClearanceColor = ColorOf(0, 140, 60);
constexpr int SignalClearanceColor = ColorOf(200, 120, 0);
constexpr int SignalColor = ColorOf(40, 40, 40);
constexpr int SignColor = ColorOf(0, 110, 70);
constexpr int SignFill = ColorOf(0, 176, 112);
constexpr int ShortSignFill = ColorOf(255, 100, 100);
constexpr int PoleColor = ColorOf(120, 120, 120);
constexpr int LeaderColor = ColorOf(150, 150, 150);
constexpr int TextColor = 0;
constexpr int FirstRing = 100;
// How far, in lines of text, a label may stand off from its place.
constexpr int LabelReach = 8;
// Pixels between a label and its neighbours, so columns of labels read apart.
constexpr int LabelGap = 4;
// Every this many pixels of the wire bound where labels may go.
constexpr size_t WireStride = 10;

std::string Feet(double value)
{
    return NumericText(value) + " ft";
}

double Highest(const TLoadedShape &shape)
{
    double top = std::max({shape.Start.Attachment, shape.End.Attachment,
                           shape.Pavement + shape.WireClearance, shape.Pavement + shape.SignalClearance});
    for (const TShapePoint &point : shape.Points)
        top = std::max(top, point.Elevation);
    return top + HeadRoom;
}

double Lowest(const TLoadedShape &shape)
{
    double floor = shape.Pavement;
    for (const TSpanEnd *end : {&shape.Start, &shape.End})
        if (end->IsPole)
            floor = std::min(floor, end->Base);
    for (const TLoadedHanger &hanger : shape.Hangers)
        floor = std::min(floor, hanger.Bottom());
    return floor - 1;
}

TPoint Pixel(const QPointF &point)
{
    return {RoundHalfEven(point.x()), RoundHalfEven(point.y())};
}

TFontSpec TextFont(int color)
{
    TFontSpec font;
    font.Name = "Arial";
    font.Size = ProfileTextSize;
    font.Color = color;
    return font;
}

// Where a signal or sign is drawn: from its attachment down to its bottom,
// a sign as a square.
TBox HangerBox(const TLoadedProfileLayout &layout, const TLoadedHanger &hanger)
{
    const QPointF top = layout.ToScreen(hanger.Distance, hanger.Attachment);
    const QPointF bottom = layout.ToScreen(hanger.Distance, hanger.Bottom());
    const double half = hanger.IsSignal ? 5 : std::max(4.0, (bottom.y() - top.y()) / 2);
    return {RoundHalfEven(top.x() - half), RoundHalfEven(top.y()), RoundHalfEven(top.x() + half),
            RoundHalfEven(std::max(bottom.y(), top.y() + 2))};
}

// Lines of text with their top-left corner, on a white box so that lines
// do not cross them.
struct TProfileText {
    TPoint At;
    std::vector<std::string> Lines;
    int Color = TextColor;
};

class TProfilePainter
{
public:
    TProfilePainter(TCanvas &canvas, const TLoadedShape &shape)
        : Canvas(canvas)
        , Shape(shape)
        , Size {canvas.Width(), canvas.Height()}
        , Layout(shape, QRectF(0, 0, Size.Width, Size.Height))
        , LineHeight(MeasuredLineHeight(canvas))
        , Placer(Size, 3, LabelReach * LineHeight, 0, LabelGap)
    {
    }

    void Paint(const TLoadedProfileText &text)
    {
        Canvas.SetBrush(White);
        Canvas.FillRect(0, 0, Size.Width, Size.Height);
        KeepFree();
        PaintLevels();
        PaintEnd(Shape.Start, 0);
        PaintEnd(Shape.End, Shape.Length);
        PaintWire();
        for (const TLoadedHanger &hanger : Shape.Hangers)
            PaintHanger(hanger);
        PaintLowPoint();
        PlaceCaptions(text);
        PlaceEndLabels();
        PlaceHangerLabels();
        for (const TProfileText &placed : Texts)
            Write(placed);
    }

private:
    TCanvas &Canvas;
    const TLoadedShape &Shape;
    const TSize Size;
    const TLoadedProfileLayout Layout;
    const int LineHeight;
    TLabelPlacer Placer;
    std::vector<TProfileText> Texts;

    static int MeasuredLineHeight(TCanvas &canvas)
    {
        canvas.SetFont(TextFont(TextColor));
        return std::max(canvas.TextExtent("Ag").Height, 1);
    }

    TPoint At(double distance, double elevation) const { return Pixel(Layout.ToScreen(distance, elevation)); }
    double LevelY(double height) const { return At(0, Shape.Pavement + height).Y; }

    TSize Extent(const std::vector<std::string> &lines, int color)
    {
        Canvas.SetFont(TextFont(color));
        int width = 0;
        for (const std::string &line : lines)
            width = std::max(width, Canvas.TextExtent(line).Width);
        return {width, LineHeight * static_cast<int>(lines.size())};
    }

    // Always written: where nothing is free, at its own place.
    void Put(TPoint preferred, std::vector<std::string> lines, int color)
    {
        const TSize size = Extent(lines, color);
        Texts.push_back({Placer.Place(preferred, size), std::move(lines), color});
    }

    void Write(const TProfileText &placed)
    {
        Canvas.SetBrush(White);
        Canvas.SetFont(TextFont(placed.Color));
        for (size_t i = 0; i < placed.Lines.size(); ++i)
            Canvas.TextOut(placed.At.X, placed.At.Y + LineHeight * static_cast<int>(i), placed.Lines[i]);
    }

    // Signals, signs, the wire and the low point are never covered by text.
    void KeepFree()
    {
        for (const TLoadedHanger &hanger : Shape.Hangers)
            Placer.AddBox(HangerBox(Layout, hanger));
        std::vector<TPoint> wire;
        for (size_t i = 0; i < Shape.Points.size(); i += WireStride)
            wire.push_back(At(Shape.Points[i].Distance, Shape.Points[i].Elevation));
        if (!Shape.Points.empty())
            wire.push_back(At(Shape.Points.back().Distance, Shape.Points.back().Elevation));
        Placer.AddPolyline(wire);
        const TPoint low = At(Shape.Low.Distance, Shape.Low.Elevation);
        Placer.AddBox({low.X - 5, low.Y, low.X + 6, low.Y + 10});
    }

    void PaintLevels()
    {
        const struct {
            double Height;
            int Color;
            TPenStyle Style;
        } levels[] = {{0, PavementColor, TPenStyle::Solid},
                      {Shape.WireClearance, WireClearanceColor, TPenStyle::Dashed},
                      {Shape.SignalClearance, SignalClearanceColor, TPenStyle::Dashed}};
        for (const auto &level : levels) {
            const int y = RoundHalfEven(LevelY(level.Height));
            Canvas.SetPen(level.Color, 1, level.Style);
            Canvas.Line(0, y, Size.Width, y);
        }
    }

    void PaintEnd(const TSpanEnd &end, double distance)
    {
        const TPoint top = At(distance, end.Attachment);
        if (end.IsPole) {
            const TPoint base = At(distance, end.Base);
            Canvas.SetPen(PoleColor, 6, TPenStyle::Solid);
            Canvas.Line(base.X, base.Y, top.X, top.Y - 8);
            return;
        }
        Canvas.SetPen(PoleColor, 2, TPenStyle::Solid);
        Canvas.SetBrush(White);
        Canvas.Ellipse(top.X - 5, top.Y - 5, top.X + 6, top.Y + 6);
    }

    void PaintWire()
    {
        std::vector<TPointF> wire;
        wire.reserve(Shape.Points.size());
        for (const TShapePoint &point : Shape.Points) {
            const QPointF at = Layout.ToScreen(point.Distance, point.Elevation);
            wire.push_back({at.x(), at.y()});
        }
        Canvas.SetPen(ProfileWireColor, 2, TPenStyle::Solid);
        // A fortieth of the pen's width: no one sees the difference, and a
        // printed page carries a few dozen points instead of hundreds.
        Canvas.Curve(CurveOutline(wire, 0.05));
    }

    void PaintHanger(const TLoadedHanger &hanger)
    {
        const int color = HangerColor(Shape, hanger);
        const bool shortOf = Shape.ShortfallOf(hanger) > 0;
        Canvas.SetPen(color, 1, TPenStyle::Solid);
        Canvas.SetBrush(hanger.IsSignal ? color : shortOf ? ShortSignFill : SignFill);
        const TBox box = HangerBox(Layout, hanger);
        Canvas.Rectangle(box.Left, box.Top, box.Right, box.Bottom);
        if (!shortOf)
            return;
        // The missing height, from the bottom up to the clearance line.
        const TPoint bottom = At(hanger.Distance, hanger.Bottom());
        const TPoint clearance = At(hanger.Distance, Shape.Pavement + Shape.SignalClearance);
        Canvas.SetPen(ProfileShortColor, 2, TPenStyle::Solid);
        Canvas.Line(bottom.X, bottom.Y, clearance.X, clearance.Y);
    }

    void PaintLowPoint()
    {
        const TPoint low = At(Shape.Low.Distance, Shape.Low.Elevation);
        Canvas.SetPen(ProfileWireColor, 1, TPenStyle::Solid);
        Canvas.SetBrush(ProfileWireColor);
        Canvas.Polygon({low, {low.X - 5, low.Y + 9}, {low.X + 5, low.Y + 9}});
    }

    // The title, the scale, the captions of the levels and of the low point.
    void PlaceCaptions(const TLoadedProfileText &text)
    {
        Put({4, 4}, {text.Title}, TextColor);
        Put({4, 6 + LineHeight},
            {"Loaded Profile, span " + Feet(Shape.Length) + " to scale, vertical \u00d7 " +
             std::to_string(Layout.Exaggeration())},
            TextColor);
        const struct {
            double Height;
            int Color;
            std::string Caption;
        } levels[] = {{0, PavementColor, "Pavement " + Feet(Shape.Pavement)},
                      {Shape.WireClearance, WireClearanceColor, "Min Clearance " + Feet(Shape.WireClearance)},
                      {Shape.SignalClearance, SignalClearanceColor,
                       "Min Signal Clearance " + Feet(Shape.SignalClearance)}};
        // Below the line at its right: the wire mostly runs above the clearances.
        for (const auto &level : levels) {
            const int width = Extent({level.Caption}, level.Color).Width;
            Put({RoundHalfEven(Layout.Plot().right()) - 12 - width, RoundHalfEven(LevelY(level.Height)) + 2},
                {level.Caption}, level.Color);
        }
        const TPoint low = At(Shape.Low.Distance, Shape.Low.Elevation);
        const std::string caption = "Low " + Feet(Shape.Low.Elevation);
        Put({low.X - Extent({caption}, ProfileWireColor).Width / 2, low.Y - LineHeight - 6}, {caption},
            ProfileWireColor);
    }

    // The pole or ring at each end, in the margin beside it.
    void PlaceEndLabels()
    {
        for (const bool start : {true, false}) {
            const TSpanEnd &end = start ? Shape.Start : Shape.End;
            const TPoint top = At(start ? 0 : Shape.Length, end.Attachment);
            std::vector<std::string> lines;
            if (end.IsPole)
                lines = {"Pole " + std::to_string(end.Node), "attach " + Feet(end.Attachment),
                         "height " + Feet(end.Attachment - end.Base)};
            else
                lines = {"Ring " + std::to_string(end.Node - FirstRing + 1), "attach " + Feet(end.Attachment)};
            const TSize size = Extent(lines, TextColor);
            const int x = start ? 2 : Size.Width - 2 - size.Width;
            Put({x, top.Y - size.Height - 4}, lines, TextColor);
        }
    }

    // Below and right of each signal or sign, or in a free row nearby joined
    // to it by a leader; those that hang too low first.
    void PlaceHangerLabels()
    {
        std::vector<const TLoadedHanger *> order;
        for (const TLoadedHanger &hanger : Shape.Hangers)
            order.push_back(&hanger);
        std::stable_sort(order.begin(), order.end(), [&](const TLoadedHanger *a, const TLoadedHanger *b) {
            return Shape.ShortfallOf(*a) > 0 && Shape.ShortfallOf(*b) <= 0;
        });
        for (const TLoadedHanger *hanger : order) {
            const int color = Shape.ShortfallOf(*hanger) > 0 ? ProfileShortColor : TextColor;
            const TBox box = HangerBox(Layout, *hanger);
            const TPoint preferred {box.Right + 2, box.Bottom + 2};
            std::vector<std::string> lines = HangerLabel(Shape, *hanger);
            auto at = Placer.TryPlace(preferred, Extent(lines, color));
            if (!at) {
                lines.resize(1);
                at = Placer.TryPlace(preferred, Extent(lines, color));
            }
            if (!at)
                continue;
            if (std::abs(at->X - preferred.X) + std::abs(at->Y - preferred.Y) > LineHeight / 2)
                Leader({(box.Left + box.Right) / 2, box.Bottom}, *at);
            Texts.push_back({*at, std::move(lines), color});
        }
    }

    void Leader(TPoint from, TPoint to)
    {
        Canvas.SetPen(LeaderColor, 1, TPenStyle::Solid);
        Canvas.Line(from.X, from.Y, to.X, to.Y);
    }
};

} // namespace

TLoadedProfileLayout::TLoadedProfileLayout(const TLoadedShape &shape, const QRectF &area)
{
    PlotArea = area.adjusted(SideMargin, TopMargin, -SideMargin, -BottomMargin);
    const double length = shape.Length > 0 ? shape.Length : 1;
    Floor = Lowest(shape);
    const double rise = std::max(Highest(shape) - Floor, 1.0);
    Scale = std::max(PlotArea.width(), 1.0) / length;
    const double height = std::max(PlotArea.height(), 1.0);
    // The largest exaggeration that still fits; a tall, short view shrinks
    // the horizontal scale rather than squash the elevations.
    VerticalTimes = 1;
    for (int times : Exaggerations)
        if (rise * Scale * times <= height) {
            VerticalTimes = times;
            break;
        }
    if (rise * Scale > height)
        Scale = height / rise;
    Left = PlotArea.center().x() - length * Scale / 2;
    Bottom = PlotArea.top() + (height + rise * Scale * VerticalTimes) / 2;
}

QPointF TLoadedProfileLayout::ToScreen(double distance, double elevation) const
{
    return {Left + distance * Scale, Bottom - (elevation - Floor) * Scale * VerticalTimes};
}

std::vector<std::string> HangerLabel(const TLoadedShape &shape, const TLoadedHanger &hanger)
{
    std::vector<std::string> lines = {
        (hanger.IsSignal ? "Signal " : "Sign ") + std::to_string(hanger.Number),
        "bottom " + Feet(hanger.Bottom()),
        "clear " + Feet(shape.ClearanceOf(hanger)),
    };
    const double shortfall = shape.ShortfallOf(hanger);
    if (shortfall > 0)
        lines.push_back("short " + Feet(shortfall));
    return lines;
}

int HangerColor(const TLoadedShape &shape, const TLoadedHanger &hanger)
{
    if (shape.ShortfallOf(hanger) > 0)
        return ProfileShortColor;
    return hanger.IsSignal ? SignalColor : SignColor;
}

void PaintLoadedProfile(TCanvas &canvas, const TLoadedShape &shape, const TLoadedProfileText &text)
{
    TProfilePainter(canvas, shape).Paint(text);
}

std::optional<TLoadedProfileScene> LoadedProfileScene(const TWireConfiguration &sequence, bool atMaxSAG,
                                                      int spanNumber, double signalClearance, double width)
{
    const TWireConfigurationResult *result = sequence.Results.FindByAtMaxSAG(atMaxSAG);
    const TBaseWire *span = sequence.Spans.FindByNumber(spanNumber);
    if (!result || !span)
        return std::nullopt;
    // About two pixels between points, along the length the result belongs to.
    const TBaseWireResult *spanResult = result->SpanResults.FindBySpanNumber(spanNumber);
    const double length = spanResult && spanResult->PlanLength > 0 ? spanResult->PlanLength : span->Length;
    const double spacing = width > 0 ? 2 * length / width : length;
    auto shape = TLoadedProfile::Compute(sequence, *result, spanNumber, spacing, signalClearance);
    if (!shape)
        return std::nullopt;
    return TLoadedProfileScene{std::move(*shape),
                               {"Sequence " + sequence.DisplayName() + ", span " + std::to_string(spanNumber) + ", " +
                                (atMaxSAG ? "Max. SAG" : "Min. SAG")}};
}

void PaintLoadedProfile(TCanvas &canvas, const std::optional<TLoadedProfileScene> &scene)
{
    if (scene) {
        PaintLoadedProfile(canvas, scene->Shape, scene->Text);
        return;
    }
    canvas.SetBrush(White);
    canvas.FillRect(0, 0, canvas.Width(), canvas.Height());
    const std::string note = "No calculated result for this span and SAG.";
    canvas.SetFont(TextFont(TextColor));
    const TSize size = canvas.TextExtent(note);
    canvas.TextOut((canvas.Width() - size.Width) / 2, (canvas.Height() - size.Height) / 2, note);
}

} // namespace corvadel
