#include "../support/NamedCase.h"
#include "DrawingTestSupport.h"

#include <gtest/gtest.h>

namespace corvadel::test {
namespace {

struct ArrowCase : TNamedCase {
    TPoint From, To;
    int Offset;
    TPoint Tail, Tip;
};

class SpanArrow : public ::testing::TestWithParam<ArrowCase>
{
};

// Spans of 100 pixels (or 3-4-5 triangles of that length): the shaft is 0.3
// of the span, centred on its middle, shifted by the offset beside it.
TEST_P(SpanArrow, LiesBesideTheMiddleAndPointsFromTheFirstPointToTheSecond)
{
    const ArrowCase c = GetParam();
    TDrawingBench bench;
    bench.Graphics.DrawSpanArrow(c.From.X, c.From.Y, c.To.X, c.To.Y, c.Offset);
    const auto shafts = ArrowShafts(bench.Canvas);
    ASSERT_EQ(shafts.size(), 1u);
    EXPECT_EQ(shafts[0].A, c.Tail);
    EXPECT_EQ(shafts[0].B, c.Tip);
    const TCanvasCall &head = bench.Canvas.Calls.back();
    ASSERT_EQ(head.Kind, TCallKind::Polygon);
    EXPECT_EQ(head.Points[0], c.Tip);
    EXPECT_EQ(head.Brush, bench.Settings.Colors.LineColor);
}

INSTANTIATE_TEST_SUITE_P(
    Directions, SpanArrow,
    ::testing::Values(ArrowCase{"right", {0, 0}, {100, 0}, 5, {35, 5}, {65, 5}},
                      ArrowCase{"left", {100, 0}, {0, 0}, 5, {65, 5}, {35, 5}},
                      ArrowCase{"down", {0, 0}, {0, 100}, 5, {5, 35}, {5, 65}},
                      ArrowCase{"up", {0, 100}, {0, 0}, -5, {-5, 65}, {-5, 35}},
                      ArrowCase{"downRight", {0, 0}, {60, 80}, 5, {26, 23}, {44, 47}},
                      ArrowCase{"upRight", {0, 80}, {60, 0}, 5, {26, 57}, {44, 33}},
                      ArrowCase{"downLeft", {60, 0}, {0, 80}, 5, {44, 33}, {26, 57}},
                      ArrowCase{"upLeft", {60, 80}, {0, 0}, 5, {44, 47}, {26, 23}},
                      ArrowCase{"onePoint", {10, 10}, {10, 10}, 5, {10, 10}, {10, 10}}),
    CaseName());

TEST(ArrowHead, IsATriangleOfEightPixelSidesBehindTheTip)
{
    TDrawingBench bench;
    bench.Graphics.DrawArrowHead(65, 5, 0);
    const TCanvasCall &head = bench.Canvas.Calls.back();
    // 8 cos 0.3 = 7.64 and 8 sin 0.3 = 2.36.
    EXPECT_EQ(head.Points, (std::vector<TPoint>{{65, 5}, {57, 7}, {57, 3}}));
}

TEST(Discs, PoleIsAFilledCircleAroundItsCentredNumber)
{
    TDrawingBench bench;
    bench.Graphics.DrawPole(100, 50, 3);
    const auto &calls = bench.Canvas.Calls;
    ASSERT_EQ(calls.size(), 2u);
    // "3" measures 6 x 10: radius max(6, 10) - 2 = 8; text at (x - 3, y - 5 - 1).
    EXPECT_EQ(calls[0].Kind, TCallKind::Ellipse);
    EXPECT_EQ(calls[0].Points, (std::vector<TPoint>{{92, 42}, {108, 58}}));
    EXPECT_EQ(calls[0].Pen, (TPenState{bench.Settings.Colors.PoleColor, 1, TPenStyle::Solid}));
    EXPECT_EQ(calls[0].Brush, bench.Settings.Colors.PoleColor);
    EXPECT_EQ(calls[1].Text, "3");
    EXPECT_EQ(calls[1].Points[0], (TPoint{97, 44}));
    EXPECT_EQ(calls[1].Brush, bench.Settings.Colors.PoleColor);
    EXPECT_EQ(calls[1].Font, bench.Settings.Colors.PoleFont);
}

TEST(Discs, RingShowsItsNumberLessNinetyNineOnTheBackground)
{
    TDrawingBench bench;
    bench.Settings.Colors.RingColor = 0x123456;
    bench.Graphics.DrawRing(100, 50, 102);
    const auto &calls = bench.Canvas.Calls;
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].Pen, (TPenState{0x123456, 2, TPenStyle::Solid}));
    EXPECT_EQ(calls[0].Brush, bench.Settings.Colors.ImageBackground);
    EXPECT_EQ(calls[1].Text, "3");
    EXPECT_EQ(calls[1].Brush, bench.Settings.Colors.ImageBackground);
    EXPECT_EQ(calls[1].Font, bench.Settings.Colors.RingFont);
}

TEST(LabelAlignment, PutsTheLeftEdgeCentreOrRightEdgeAtTheAnchor)
{
    const int expectedLeft[] = {100, 70, 40}; // "L1: 120.00" is 10 characters, 60 pixels
    for (int alignment = 0; alignment < 3; ++alignment) {
        TDrawingBench bench;
        bench.Settings.EnableDisplayLabel = true;
        bench.Graphics.DrawLabel(100, 50, alignment, 120, "L1", bench.Settings.Colors.WireFont);
        const TCanvasCall *label = bench.Canvas.FindText("L1: 120.00");
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->Points[0], (TPoint{expectedLeft[alignment], 50}));
        EXPECT_EQ(label->Brush, bench.Settings.Colors.ImageBackground);
    }
}

TEST(LabelAlignment, NothingAtAllWhenLabelsAreHidden)
{
    TDrawingBench bench;
    bench.Graphics.ShowLabels = false;
    bench.Graphics.DrawLabel(100, 50, 0, 120, "L1", bench.Settings.Colors.WireFont);
    bench.Graphics.DrawAngleReference(0, 0, 10, 10);
    EXPECT_TRUE(bench.Canvas.Calls.empty());
}

TEST(ElevationBracket, HorizontalAndVerticalShapesWithTheirTexts)
{
    TDrawingBench bench;
    bench.Settings.EnableDisplayLabel = true;
    bench.Graphics.ShowLabels = false; // brackets are drawn whatever the labels
    bench.Graphics.DrawElevationBracket(10, 20, 110, 40, 20, -20, true, "U", 2.5);
    bench.Graphics.DrawElevationBracket(10, 100, 10, 20, -20, -20, false, "T", 1.25);
    const auto lines = bench.Canvas.CallsOf(TCallKind::Polyline);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].Points, (std::vector<TPoint>{{10, 20}, {30, 0}, {90, 20}, {110, 40}}));
    EXPECT_EQ(lines[1].Points, (std::vector<TPoint>{{10, 100}, {-10, 80}, {-10, 40}, {10, 20}}));
    EXPECT_EQ(lines[0].Pen, (TPenState{bench.Settings.Colors.LineColor, 1, TPenStyle::Dotted}));
    const TCanvasCall *u = bench.Canvas.FindText("U: 2.50.ft");
    const TCanvasCall *t = bench.Canvas.FindText("T: 1.25.ft");
    ASSERT_NE(u, nullptr);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(u->Points[0], (TPoint{60, 5}));
    EXPECT_EQ(t->Points[0], (TPoint{-15, 60}));
    EXPECT_EQ(t->Font, bench.Settings.Colors.ElevationFont);
}

TEST(Settings, ColoursAndFontsAreReadAtEachDrawing)
{
    TDrawingBench bench;
    bench.Graphics.DrawWire(0, 0, 10, 10);
    bench.Settings.Colors.WireColor = 0x0000ff;
    bench.Settings.Colors.WireFont.Name = "Courier New";
    bench.Graphics.WireWidth = 3;
    bench.Graphics.DrawWire(0, 0, 10, 10);
    bench.Graphics.DrawLabel(0, 0, 0, 1, "L1", bench.Settings.Colors.WireFont);
    const auto lines = bench.Canvas.CallsOf(TCallKind::Line);
    EXPECT_EQ(lines[0].Pen, (TPenState{32768, 2, TPenStyle::Solid}));
    EXPECT_EQ(lines[1].Pen, (TPenState{0x0000ff, 3, TPenStyle::Solid}));
    EXPECT_EQ(bench.Canvas.FindText("L1")->Font.Name, "Courier New");
}

} // namespace
} // namespace corvadel::test
