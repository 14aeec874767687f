#include "DrawingTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace corvadel::test {
namespace {

std::unique_ptr<TBaseSignal> Hung(double distance, bool isSignal, int number)
{
    auto signal = std::make_unique<TBaseSignal>();
    signal->SetIsSignal(isSignal);
    signal->SetDistance(distance);
    signal->SetNumber(number);
    return signal;
}

// A picture of 400 x 240: the span runs from x = 50 to x = 350, the ground
// lies at y = 200 and the wire 135 pixels above it, at y = 65.
class SpanProfile : public ::testing::Test
{
protected:
    TDrawingBench Bench{400, 240};
    TWireConfiguration &Wye = Bench.Add(stWYE, {{120, 80, 200}, {20, 70}});
    TBaseWire &Span = *Wye.Spans.FindByNumber(1);
    const TPenState Dotted{Bench.Settings.Colors.LineColor, 1, TPenStyle::Dotted};

    void Draw() { Bench.Graphics.DrawSpanProfile(Wye.Number, 1); }

    // Drop lines from the wire to the ground, by x.
    std::vector<int> DropLines() const
    {
        std::vector<int> xs;
        for (const TSegment &line : LinesWithPen(Bench.Canvas, Dotted))
            if (line.A.Y == 65 && line.B.Y == 200 && line.A.X == line.B.X)
                xs.push_back(line.A.X);
        return xs;
    }

    // Distance lines from the span's first end, as (right end x, y).
    std::vector<TPoint> DistanceLines() const
    {
        std::vector<TPoint> ends;
        for (const TSegment &line : LinesWithPen(Bench.Canvas, Dotted))
            if (line.A.X == 50 && line.A.Y == line.B.Y && line.A.Y != 200)
                ends.push_back(line.B);
        return ends;
    }
};

TEST_F(SpanProfile, GroundWireLabelArrowAndEnds)
{
    Draw();
    EXPECT_EQ(LinesWithPen(Bench.Canvas, Dotted).front().A, (TPoint{0, 200}));
    EXPECT_EQ(LinesWithPen(Bench.Canvas, Dotted).front().B, (TPoint{400, 200}));
    const auto wires = Wires(Bench);
    ASSERT_EQ(wires.size(), 1u);
    EXPECT_EQ(wires[0].A, (TPoint{50, 65}));
    EXPECT_EQ(wires[0].B, (TPoint{350, 65}));
    // "L1" centred at (xA + 35, yW - 25).
    EXPECT_EQ(Bench.Canvas.FindText("L1")->Points[0], (TPoint{85 - TRecordingCanvas::CharWidth, 40}));
    // From (30, 67) toward (150, 67): 36 pixels long, pointing right, 10 above.
    const auto arrows = ArrowShafts(Bench.Canvas);
    ASSERT_EQ(arrows.size(), 1u);
    EXPECT_EQ(arrows[0].A, (TPoint{72, 57}));
    EXPECT_EQ(arrows[0].B, (TPoint{108, 57}));
}

TEST_F(SpanProfile, PoleStandsOnTheGroundAndTheRingHangsOnTheWire)
{
    Draw(); // span 1 of a WYE runs from pole 1 to ring 100
    const auto columns = Bench.Canvas.CallsOf(TCallKind::Rectangle);
    ASSERT_EQ(columns.size(), 2u);
    EXPECT_EQ(columns[0].Points, (std::vector<TPoint>{{45, 125}, {55, 200}}));
    EXPECT_EQ(columns[1].Points, (std::vector<TPoint>{{48, 50}, {52, 125}}));
    EXPECT_EQ(columns[0].Brush, Bench.Settings.Colors.PoleColor);
    const auto centres = DiscCentres(Bench.Canvas);
    EXPECT_EQ(centres.at("P1"), (TPoint{50, 200}));
    EXPECT_EQ(centres.at("J1"), (TPoint{350, 65}));
}

TEST_F(SpanProfile, SignalsHangAtTheirScaledDistanceAndStackTheirDistanceLines)
{
    Span.SetLength(120);
    // Straight into the list, out of distance order, as a file may hold them.
    Span.Signals.Add(Hung(1, true, 1));
    Span.Signals.Add(Hung(120, true, 2)); // at the far end: not drawn
    Span.Signals.Add(Hung(3, false, 3));
    Span.Signals.Add(Hung(12.5, true, 4));
    Draw();
    // 300 pixels for 120 feet, 2.5 per foot, halves to even: 2.5 -> 2, 7.5 -> 8.
    EXPECT_EQ(DropLines(), (std::vector<int>{52, 58, 81}));
    // The entry left out still lifts the next line: 10, 40 and 55 above the ground.
    EXPECT_EQ(DistanceLines(), (std::vector<TPoint>{{52, 190}, {58, 160}, {81, 145}}));
    const auto texts = Bench.Canvas.Texts();
    for (const char *text : {" 1", " 3", " 4", " 1.ft ", " 3.ft ", " 12.5.ft "})
        EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end()) << text;
    EXPECT_EQ(Bench.Canvas.FindText(" 4")->Points[0], (TPoint{30, 140}));
    EXPECT_EQ(Bench.Canvas.FindText(" 12.5.ft ")->Points[0], (TPoint{(50 + 81) / 2, 140}));
    EXPECT_EQ(Bench.Canvas.FindText(" 4")->Font.Color, Bench.Settings.Colors.LineColor);
}

TEST_F(SpanProfile, SignalHeadHasThreeLampsAndASignIsAPlate)
{
    Span.SetLength(120);
    Span.Signals.Add(Hung(60, true, 1));
    Span.Signals.Add(Hung(90, false, 2));
    Draw();
    const auto boxes = Bench.Canvas.CallsOf(TCallKind::Rectangle);
    // Signal body at x = 200, sign plate at x = 275, then the pole column.
    ASSERT_GE(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].Points, (std::vector<TPoint>{{190, 70}, {210, 110}}));
    EXPECT_EQ(boxes[0].Brush, Bench.Settings.Colors.SignalColor);
    EXPECT_EQ(boxes[1].Points, (std::vector<TPoint>{{265, 70}, {285, 90}}));
    EXPECT_EQ(boxes[1].Brush, Bench.Settings.Colors.SignColor);
    std::vector<int> lampColours;
    std::vector<TPoint> lampTops;
    for (const TCanvasCall &lamp : Bench.Canvas.CallsOf(TCallKind::Ellipse))
        if (lamp.Pen.Color == Bench.Settings.Colors.LineColor) {
            lampColours.push_back(lamp.Brush);
            lampTops.push_back(lamp.Points[0]);
        }
    EXPECT_EQ(lampColours, (std::vector<int>{0x0000ff, 0x00ffff, 0x008000}));
    EXPECT_EQ(lampTops, (std::vector<TPoint>{{196, 76}, {196, 86}, {196, 96}}));
}

TEST_F(SpanProfile, SignalAtDistanceZeroHangsAtTheFirstEnd)
{
    Span.SetLength(120);
    Span.Signals.Add(Hung(0, true, 1));
    Draw();
    EXPECT_EQ(DropLines(), (std::vector<int>{50}));
}

TEST_F(SpanProfile, LengthZeroShowsEverythingButTheSignals)
{
    Span.Signals.Add(Hung(10, true, 1));
    Span.Length = 0;
    Draw();
    EXPECT_TRUE(DropLines().empty());
    EXPECT_TRUE(DistanceLines().empty());
    EXPECT_EQ(Wires(Bench).size(), 1u);
    EXPECT_EQ(ArrowShafts(Bench.Canvas).size(), 1u);
    EXPECT_EQ(DiscCentres(Bench.Canvas).size(), 2u);
}

TEST_F(SpanProfile, HiddenLabelsDropTheDistanceLinesButKeepTheSignals)
{
    Span.SetLength(120);
    Span.Signals.Add(Hung(60, true, 1));
    Bench.Graphics.ShowLabels = false;
    Draw();
    EXPECT_TRUE(DistanceLines().empty());
    EXPECT_EQ(DropLines(), (std::vector<int>{200}));
    EXPECT_EQ(Bench.Canvas.FindText(" 60.ft "), nullptr);
}

TEST_F(SpanProfile, MissingSpanDrawsOnlyTheClearedImage)
{
    Bench.Graphics.DrawSpanProfile(Wye.Number, 7);
    ASSERT_EQ(Bench.Canvas.Calls.size(), 1u);
    EXPECT_EQ(Bench.Canvas.Calls[0].Kind, TCallKind::FillRect);
}

} // namespace
} // namespace corvadel::test
