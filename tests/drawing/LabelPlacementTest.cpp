// The labels of the diagrams: sized with the picture and placed so that none
// covers another label, a line, an arrow or a disc, checked on the boxes of
// what the recording canvas records.
#include "DrawingTestSupport.h"

#include "../support/Examples.h"

#include <gtest/gtest.h>

namespace corvadel::test {
namespace {

struct TRect {
    double Left, Top, Right, Bottom; // right and bottom just outside

    bool Overlaps(const TRect &o) const { return Left < o.Right && o.Left < Right && Top < o.Bottom && o.Top < Bottom; }
    bool Holds(double x, double y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
};

// Whether a segment passes through the box, by points half a pixel apart.
bool Crosses(const TRect &box, TPoint a, TPoint b)
{
    const double length = std::hypot(double(b.X - a.X), double(b.Y - a.Y));
    const int steps = std::max(1, static_cast<int>(length * 2));
    for (int i = 0; i <= steps; ++i) {
        const double t = static_cast<double>(i) / steps;
        if (box.Holds(a.X + t * (b.X - a.X), a.Y + t * (b.Y - a.Y)))
            return true;
    }
    return false;
}

struct TRecordedLabel {
    std::string Text;
    TRect Box;
    int OwnLine = -1; // the bracket a letter belongs to
};

struct TRecordedDrawing {
    std::vector<TRecordedLabel> Labels;
    std::vector<std::vector<TPoint>> Lines; // lines, polylines, arrow heads
    std::vector<TRect> Discs;
};

TRecordedDrawing Recorded(const TRecordingCanvas &canvas)
{
    TRecordedDrawing drawing;
    const auto &calls = canvas.Calls;
    for (size_t i = 0; i < calls.size(); ++i) {
        const TCanvasCall &call = calls[i];
        switch (call.Kind) {
        case TCallKind::Line:
        case TCallKind::Polyline:
            drawing.Lines.push_back(call.Points);
            break;
        case TCallKind::Polygon: {
            auto closed = call.Points;
            closed.push_back(closed.front());
            drawing.Lines.push_back(closed);
            break;
        }
        case TCallKind::Ellipse:
            drawing.Discs.push_back({double(call.Points[0].X), double(call.Points[0].Y), double(call.Points[1].X),
                                     double(call.Points[1].Y)});
            break;
        case TCallKind::TextOut: {
            if (i > 0 && calls[i - 1].Kind == TCallKind::Ellipse)
                break; // the number in its disc
            const int size = call.Font.Size;
            const TPoint at = call.Points[0];
            TRecordedLabel label {call.Text,
                                  {double(at.X), double(at.Y),
                                   double(at.X + int(call.Text.size()) * TRecordingCanvas::CharWidth * size / 6),
                                   double(at.Y + TRecordingCanvas::TextHeight * size / 6)}};
            // An elevation letter sits on the bracket drawn just before it.
            if (i > 0 && calls[i - 1].Kind == TCallKind::Polyline)
                label.OwnLine = static_cast<int>(drawing.Lines.size()) - 1;
            drawing.Labels.push_back(label);
            break;
        }
        default:
            break;
        }
    }
    return drawing;
}

// Every failure, in words; none when the labels are clear.
std::vector<std::string> Collisions(const TRecordedDrawing &drawing, TSize picture)
{
    std::vector<std::string> found;
    const TRect whole {0, 0, double(picture.Width), double(picture.Height)};
    for (size_t i = 0; i < drawing.Labels.size(); ++i) {
        const TRecordedLabel &label = drawing.Labels[i];
        const TRect &box = label.Box;
        if (box.Left < whole.Left || box.Top < whole.Top || box.Right > whole.Right || box.Bottom > whole.Bottom)
            found.push_back(label.Text + " leaves the picture");
        for (size_t j = 0; j < i; ++j)
            if (box.Overlaps(drawing.Labels[j].Box))
                found.push_back(label.Text + " covers " + drawing.Labels[j].Text);
        for (size_t line = 0; line < drawing.Lines.size(); ++line) {
            if (static_cast<int>(line) == label.OwnLine)
                continue;
            const auto &points = drawing.Lines[line];
            for (size_t k = 1; k < points.size(); ++k)
                if (Crosses(box, points[k - 1], points[k])) {
                    found.push_back(label.Text + " lies on line " + std::to_string(line));
                    break;
                }
        }
        for (const TRect &disc : drawing.Discs)
            if (box.Overlaps(disc))
                found.push_back(label.Text + " covers a disc");
    }
    return found;
}

struct TPictureCase {
    const char *Name;
    TSize Size;
    double SmallestFont;
};

const TPictureCase Pictures[] = {
    {"design size on paper", {586, 240}, 0},
    {"first window size", {600, 210}, 8},
    {"maximised", {1350, 600}, 8},
    {"maximised at twice the pixels", {2700, 1200}, 16},
};

// The six types in their standard shape and drawn to scale from the
// examples, names only and with values.
TEST(DiagramLabels, CoverNothingInAnyTypeSizeOrShape)
{
    for (const TPictureCase &picture : Pictures) {
        for (const bool values : {false, true}) {
            for (const bool toScale : {false, true}) {
                TDrawingBench bench(picture.Size.Width, picture.Size.Height);
                bench.Graphics.SmallestFontSize = picture.SmallestFont;
                bench.Settings.EnableDisplayLabel = values;
                bench.Settings.EnableDynamicDisplay = toScale;
                for (const char *example : {"simple", "wye", "h", "delta", "hybrid", "box"}) {
                    SCOPED_TRACE(std::string(picture.Name) + ", " + example + (values ? ", values" : "")
                                 + (toScale ? ", to scale" : ""));
                    TWireConfigurationList project(bench.Settings.Parameters);
                    ASSERT_TRUE(project.Open((Example(example) + ".xml").toStdString()));
                    bench.Graphics.Project = &project;
                    bench.Canvas.Calls.clear();
                    bench.Graphics.DrawSequence(dmPrint, 1, 0);
                    const TRecordedDrawing drawing = Recorded(bench.Canvas);
                    EXPECT_GE(drawing.Labels.size(), 2u);
                    EXPECT_EQ(Collisions(drawing, picture.Size), std::vector<std::string>());
                }
            }
        }
    }
}

TEST(DiagramLabels, GrowWithThePictureFromTheSettingsSizeAndNeverGoBelowTheFloor)
{
    const struct {
        TSize Size;
        double Floor;
        int Points; // of the 6 point label fonts
    } cases[] = {
        {{586, 240}, 0, 6},  {{293, 120}, 0, 3},  {{293, 120}, 8, 8},
        {{1172, 480}, 0, 12}, {{1172, 960}, 8, 12}, {{2344, 480}, 8, 12},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.Size.Width) + "x" + std::to_string(c.Size.Height));
        TDrawingBench bench(c.Size.Width, c.Size.Height);
        bench.Graphics.SmallestFontSize = c.Floor;
        bench.Draw(bench.Add(stBox), dmPrint);
        for (const char *text : {"L1", "A1", "T", "1"})
            EXPECT_EQ(bench.Canvas.FindText(text)->Font.Size, c.Points) << text;
        // The discs take the size of their number.
        const auto discs = bench.Canvas.CallsOf(TCallKind::Ellipse);
        ASSERT_FALSE(discs.empty());
        const int diameter = discs[0].Points[1].X - discs[0].Points[0].X;
        EXPECT_EQ(diameter, 2 * (TRecordingCanvas::TextHeight * c.Points / 6 - 2));
    }
}

// Where the table's place is free the label stays there, so the printed
// diagram keeps its look.
TEST(DiagramLabels, StayAtTheTablePlaceWhereItIsFree)
{
    TDrawingBench bench;
    bench.Draw(bench.Add(stWYE), dmAngles);
    const auto c = DiscCentres(bench.Canvas);
    const TPoint mid1 {(c.at("P1").X + c.at("J1").X) / 2, (c.at("P1").Y + c.at("J1").Y) / 2};
    EXPECT_EQ(bench.Canvas.FindText("L1")->Points[0], (TPoint {mid1.X + 10, mid1.Y - 20}));
}

} // namespace
} // namespace corvadel::test
