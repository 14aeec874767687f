#include "uLoadedProfileView.h"

#include "uResultQuantities.h"
#include "uWires.h"
#include "uQtText.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace corvadel {

namespace {

constexpr double SideMargin = 110;  // pole labels
constexpr double TopMargin = 44;    // title and scale
constexpr double BottomMargin = 28; // pavement label
constexpr double HeadRoom = 3;      // feet above the highest attachment
constexpr int Exaggerations[] = {100, 50, 20, 10, 5, 2, 1};

const QColor PavementColor{90, 90, 90};
const QColor WireClearanceColor{0, 140, 60};
const QColor SignalClearanceColor{200, 120, 0};
const QColor SignalColor{40, 40, 40};
const QColor SignColor{0, 110, 70};
const QColor PoleColor{120, 120, 120};
const QColor TextColor{0, 0, 0};

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

double TextWidth(const QPainter &painter, const QString &text)
{
    return QFontMetricsF(painter.font()).horizontalAdvance(text) + 4;
}

// Text with its top-left corner at `at`, on a white box so lines do not cross it.
void Label(QPainter &painter, QPointF at, const QString &text, const QColor &color)
{
    const QRectF box(at, QSizeF(TextWidth(painter, text), QFontMetricsF(painter.font()).height()));
    painter.fillRect(box, Qt::white);
    painter.setPen(color);
    painter.drawText(box.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
}

// Where a signal or sign is drawn: from its attachment down to its bottom,
// a sign as a square.
QRectF HangerBox(const TLoadedProfileLayout &layout, const TLoadedHanger &hanger)
{
    const QPointF top = layout.ToScreen(hanger.Distance, hanger.Attachment);
    const QPointF bottom = layout.ToScreen(hanger.Distance, hanger.Bottom());
    const double half = hanger.IsSignal ? 5 : std::max(4.0, (bottom.y() - top.y()) / 2);
    return QRectF(QPointF(top.x() - half, top.y()), QPointF(top.x() + half, std::max(bottom.y(), top.y() + 2)));
}

// How many lines a label may move down to find room.
constexpr int MaxLabelDrops = 8;

class TProfilePainter
{
public:
    TProfilePainter(QPainter &painter, const QRectF &area, const TLoadedShape &shape)
        : Painter(painter)
        , Area(area)
        , Shape(shape)
        , Layout(shape, area)
        , LineHeight(QFontMetricsF(painter.font()).height())
    {
    }

    void Paint(const TLoadedProfileText &text)
    {
        Painter.save();
        Painter.setClipRect(Area);
        Painter.fillRect(Area, Qt::white);
        PaintLevels();
        PaintEnd(Shape.Start, 0, -1);
        PaintEnd(Shape.End, Shape.Length, 1);
        PaintWire();
        for (const TLoadedHanger &hanger : Shape.Hangers)
            PaintHanger(hanger);
        PaintHangerLabels();
        PaintLowPoint();
        PaintCaptions(text);
        Painter.restore();
    }

private:
    QPainter &Painter;
    const QRectF Area;
    const TLoadedShape &Shape;
    const TLoadedProfileLayout Layout;
    const double LineHeight;

    QPointF At(double distance, double elevation) const { return Layout.ToScreen(distance, elevation); }

    void Level(double elevation, const QColor &color, Qt::PenStyle style, const std::string &caption)
    {
        const double y = At(0, elevation).y();
        Painter.setPen(QPen(color, 1, style));
        Painter.drawLine(QPointF(Area.left(), y), QPointF(Area.right(), y));
        const QString text = Text(caption);
        // Below the line: the wire mostly runs above the clearances.
        Label(Painter, QPointF(Layout.Plot().right() - 12 - TextWidth(Painter, text), y + 1), text, color);
    }

    void PaintLevels()
    {
        Level(Shape.Pavement, PavementColor, Qt::SolidLine, "Pavement " + Feet(Shape.Pavement));
        Level(Shape.Pavement + Shape.WireClearance, WireClearanceColor, Qt::DashLine,
              "Min Clearance " + Feet(Shape.WireClearance));
        Level(Shape.Pavement + Shape.SignalClearance, SignalClearanceColor, Qt::DashLine,
              "Min Signal Clearance " + Feet(Shape.SignalClearance));
    }

    // `side` -1 for the start (labels to the left), 1 for the end.
    void PaintEnd(const TSpanEnd &end, double distance, int side)
    {
        const QPointF top = At(distance, end.Attachment);
        std::vector<std::string> lines;
        if (end.IsPole) {
            const QPointF base = At(distance, end.Base);
            Painter.setPen(QPen(PoleColor, 6));
            Painter.drawLine(base, top - QPointF(0, 8));
            lines = {"Pole " + std::to_string(end.Node), "attach " + Feet(end.Attachment),
                     "height " + Feet(end.Attachment - end.Base)};
        } else {
            Painter.setPen(QPen(PoleColor, 2));
            Painter.setBrush(Qt::NoBrush);
            Painter.drawEllipse(top, 5, 5);
            lines = {"Ring " + std::to_string(end.Node - FirstRing + 1), "attach " + Feet(end.Attachment)};
        }
        for (size_t i = 0; i < lines.size(); ++i) {
            const QString line = Text(lines[i]);
            const double x = side < 0 ? Area.left() + 2 : Area.right() - 2 - TextWidth(Painter, line);
            Label(Painter, QPointF(x, top.y() - LineHeight * static_cast<double>(lines.size() - i) - 4), line,
                  TextColor);
        }
    }

    void PaintWire()
    {
        QPolygonF wire;
        wire.reserve(static_cast<qsizetype>(Shape.Points.size()));
        for (const TShapePoint &point : Shape.Points)
            wire.append(At(point.Distance, point.Elevation));
        Painter.setRenderHint(QPainter::Antialiasing, true);
        Painter.setPen(QPen(ProfileWireColor, 2));
        Painter.drawPolyline(wire);
        Painter.setRenderHint(QPainter::Antialiasing, false);
    }

    void PaintHanger(const TLoadedHanger &hanger)
    {
        const QColor color = HangerColor(Shape, hanger);
        Painter.setPen(QPen(color, 1));
        Painter.setBrush(color.lighter(hanger.IsSignal ? 100 : 160));
        Painter.drawRect(HangerBox(Layout, hanger));
        const double shortfall = Shape.ShortfallOf(hanger);
        if (shortfall > 0) {
            // The missing height, from the bottom up to the clearance line.
            Painter.setPen(QPen(ProfileShortColor, 2));
            Painter.drawLine(At(hanger.Distance, hanger.Bottom()), At(hanger.Distance, Shape.Pavement + Shape.SignalClearance));
        }
    }

    void PaintHangerLabels()
    {
        for (const THangerLabelPlace &place : PlaceHangerLabels(Shape, Area, Painter.font())) {
            const auto lines = HangerLabel(Shape, *place.Hanger);
            const QColor color = Shape.ShortfallOf(*place.Hanger) > 0 ? ProfileShortColor : TextColor;
            for (size_t i = 0; i < lines.size(); ++i)
                Label(Painter, place.Box.topLeft() + QPointF(0, LineHeight * static_cast<double>(i)), Text(lines[i]),
                      color);
        }
    }

    void PaintLowPoint()
    {
        const QPointF low = At(Shape.Low.Distance, Shape.Low.Elevation);
        const QPolygonF mark({low, low + QPointF(-5, 9), low + QPointF(5, 9)});
        Painter.setPen(QPen(ProfileWireColor, 1));
        Painter.setBrush(ProfileWireColor);
        Painter.drawPolygon(mark);
        const QString caption = Text("Low " + Feet(Shape.Low.Elevation));
        // Kept off the end labels when the low point is an end.
        const double x = std::clamp(low.x() - 40, Layout.Plot().left() + 4,
                                    Layout.Plot().right() - 4 - TextWidth(Painter, caption));
        Label(Painter, QPointF(x, low.y() - LineHeight - 6), caption, ProfileWireColor);
    }

    void PaintCaptions(const TLoadedProfileText &text)
    {
        Label(Painter, Area.topLeft() + QPointF(4, 4), Text(text.Title), TextColor);
        const std::string scale = "Loaded Profile, span " + Feet(Shape.Length) + " to scale, vertical \u00d7 " +
                                  std::to_string(Layout.Exaggeration());
        Label(Painter, Area.topLeft() + QPointF(4, 6 + LineHeight), Text(scale), TextColor);
    }

    static constexpr int FirstRing = 100;
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

std::vector<THangerLabelPlace> PlaceHangerLabels(const TLoadedShape &shape, const QRectF &area, const QFont &font)
{
    const TLoadedProfileLayout layout(shape, area);
    const QFontMetricsF metrics(font);
    // Labels cover neither each other nor the drawn signals and signs.
    std::vector<QRectF> taken;
    for (const TLoadedHanger &hanger : shape.Hangers)
        taken.push_back(HangerBox(layout, hanger));
    std::vector<const TLoadedHanger *> order;
    for (const TLoadedHanger &hanger : shape.Hangers)
        order.push_back(&hanger);
    std::stable_sort(order.begin(), order.end(), [&](const TLoadedHanger *a, const TLoadedHanger *b) {
        return shape.ShortfallOf(*a) > 0 && shape.ShortfallOf(*b) <= 0;
    });
    std::vector<THangerLabelPlace> places;
    for (const TLoadedHanger *hanger : order) {
        const auto lines = HangerLabel(shape, *hanger);
        double width = 0;
        for (const std::string &line : lines)
            width = std::max(width, metrics.horizontalAdvance(Text(line)) + 4);
        const QRectF drawn = HangerBox(layout, *hanger);
        const auto free = [&](const QRectF &box) {
            return area.contains(box) &&
                   std::none_of(taken.begin(), taken.end(), [&](const QRectF &other) { return other.intersects(box); });
        };
        QRectF box(QPointF(drawn.right() + 2, drawn.bottom() + 2),
                   QSizeF(width, metrics.height() * static_cast<double>(lines.size())));
        for (int drops = 0; drops < MaxLabelDrops && !free(box); ++drops)
            box.translate(0, metrics.height());
        if (!free(box))
            continue;
        taken.push_back(box);
        places.push_back({hanger, box});
    }
    return places;
}

QColor HangerColor(const TLoadedShape &shape, const TLoadedHanger &hanger)
{
    if (shape.ShortfallOf(hanger) > 0)
        return ProfileShortColor;
    return hanger.IsSignal ? SignalColor : SignColor;
}

void PaintLoadedProfile(QPainter &painter, const QRectF &area, const TLoadedShape &shape,
                        const TLoadedProfileText &text)
{
    TProfilePainter(painter, area, shape).Paint(text);
}

std::optional<TLoadedProfileScene> LoadedProfileScene(const TWireConfiguration &sequence, bool atMaxSAG,
                                                      int spanNumber, double signalClearance, double width)
{
    const TWireConfigurationResult *result = sequence.Results.FindByAtMaxSAG(atMaxSAG);
    const TBaseWire *span = sequence.Spans.FindByNumber(spanNumber);
    if (!result || !span)
        return std::nullopt;
    // About two pixels between points.
    const double spacing = width > 0 ? 2 * span->Length / width : span->Length;
    auto shape = TLoadedProfile::Compute(sequence, *result, spanNumber, spacing, signalClearance);
    if (!shape)
        return std::nullopt;
    return TLoadedProfileScene{std::move(*shape),
                               {"Sequence " + sequence.DisplayName() + ", span " + std::to_string(spanNumber) + ", " +
                                (atMaxSAG ? "Max. SAG" : "Min. SAG")}};
}

void PaintLoadedProfile(QPainter &painter, const QRectF &area, const std::optional<TLoadedProfileScene> &scene)
{
    if (scene) {
        PaintLoadedProfile(painter, area, scene->Shape, scene->Text);
        return;
    }
    painter.fillRect(area, Qt::white);
    painter.setPen(TextColor);
    painter.drawText(area, Qt::AlignCenter, "No calculated result for this span and SAG.");
}

} // namespace corvadel
