#include "../support/NamedCase.h"
#include "DrawingTestSupport.h"

#include "uDiagramLayout.h"
#include "uGeometry.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace corvadel::test {
namespace {

using Centres = std::map<std::string, TPoint>;

TEST(SimpleDiagram, IgnoresLengthsAndSpansTheMiddleHalfOfTheWidth)
{
    for (double length : {10.0, 500.0}) {
        TDrawingBench bench(600, 300);
        const TWireConfiguration &simple = bench.Add(stSimple, {{length}, {}});
        bench.Draw(simple);
        const auto wires = Wires(bench);
        ASSERT_EQ(wires.size(), 1u);
        EXPECT_EQ(wires[0].A, (TPoint{150, 150}));
        EXPECT_EQ(wires[0].B, (TPoint{450, 150}));
        const Centres centres = DiscCentres(bench.Canvas);
        EXPECT_EQ(centres.at("P1"), (TPoint{150, 150}));
        EXPECT_EQ(centres.at("P2"), (TPoint{450, 150}));
    }
}

// The fitted positions for a 586 x 240 picture, worked out by hand from the
// chain of rounded terms: scale 192 / 176 for the WYE, 192 / 175 for the Box.
TEST(StandardShape, WYEPolesAndRingWhereTheFittingPutsThem)
{
    TDrawingBench bench;
    bench.Graphics.StandardShape = true;
    bench.Draw(bench.Add(stWYE, {{120, 80, 200}, {20, 70}}));
    const Centres expected = {{"P1", {63, 24}}, {"J1", {195, 120}}, {"P2", {63, 216}}, {"P3", {522, 120}}};
    EXPECT_EQ(DiscCentres(bench.Canvas), expected);
}

TEST(StandardShape, BoxPolesAndRingsWhereTheFittingPutsThem)
{
    TDrawingBench bench;
    bench.Draw(bench.Add(stBox)); // no plan entered: not valid, so the standard shape
    const Centres expected = {{"P1", {33, 24}},   {"P2", {33, 216}},  {"P3", {552, 24}},  {"P4", {552, 216}},
                              {"J1", {128, 79}},  {"J2", {128, 161}}, {"J3", {457, 79}},  {"J4", {457, 161}}};
    EXPECT_EQ(DiscCentres(bench.Canvas), expected);
}

TEST(StandardShape, BoxSidesAreVerticalWithPolesOneAndThreeAbove)
{
    TDrawingBench bench(900, 500);
    bench.Draw(bench.Add(stBox));
    const Centres c = DiscCentres(bench.Canvas);
    EXPECT_EQ(c.at("J1").X, c.at("J2").X);
    EXPECT_EQ(c.at("J3").X, c.at("J4").X);
    EXPECT_LT(c.at("P1").Y, c.at("J1").Y);
    EXPECT_LT(c.at("P3").Y, c.at("J3").Y);
    EXPECT_GT(c.at("P2").Y, c.at("J2").Y);
    EXPECT_GT(c.at("P4").Y, c.at("J4").Y);
}

TEST(StandardShape, WYEThirdSpanIsHorizontalAndTwiceTheFirst)
{
    TDrawingBench bench(900, 500);
    bench.Draw(bench.Add(stWYE));
    const Centres c = DiscCentres(bench.Canvas);
    EXPECT_EQ(c.at("P3").Y, c.at("J1").Y);
    EXPECT_NEAR(Distance(c.at("J1"), c.at("P3")), 2 * Distance(c.at("P1"), c.at("J1")), 2);
}

// Every pole and ring bounds the fitting; for the standard shapes these are
// exactly the extremes of each type's own extent points.
TEST(StandardShape, AllNodesSpanTheSameExtentsAsTheTypesExtentPoints)
{
    struct Extents {
        int Type;
        std::vector<int> XMin, XMax, YMin, YMax;
    };
    const Extents cases[] = {
        {stWYE, {1, 2}, {3}, {1}, {2}},
        {stH, {1, 2}, {3, 4}, {1, 3}, {2, 4}},
        {stDelta, {1, 2}, {3}, {1}, {2}},
        {stHybrid, {1, 2, 5}, {3, 4}, {1, 3}, {2, 4, 5}},
        {stBox, {1, 2}, {3, 4}, {1, 3}, {2, 4}},
    };
    TGlobalSetting settings;
    TWireConfigurationList project(settings.Parameters);
    for (const Extents &e : cases) {
        SCOPED_TRACE(e.Type);
        const TDiagramTable &table = *DiagramTable(e.Type);
        TDiagramPoints points;
        table.Place(DiagramShape(table, *project.AddSequence(e.Type), false), {0, 0}, 1, {586, 240}, points);
        const auto pick = [&](const std::vector<int> &nodes, int TPoint::*axis, bool lowest) {
            std::vector<int> values;
            for (int node : nodes)
                values.push_back(points.Node(node).*axis);
            return lowest ? *std::min_element(values.begin(), values.end())
                          : *std::max_element(values.begin(), values.end());
        };
        std::vector<int> all;
        for (const TPoleNode &node : Topology(e.Type).Poles)
            all.push_back(node.Number);
        EXPECT_EQ(pick(all, &TPoint::X, true), pick(e.XMin, &TPoint::X, true));
        EXPECT_EQ(pick(all, &TPoint::X, false), pick(e.XMax, &TPoint::X, false));
        EXPECT_EQ(pick(all, &TPoint::Y, true), pick(e.YMin, &TPoint::Y, true));
        EXPECT_EQ(pick(all, &TPoint::Y, false), pick(e.YMax, &TPoint::Y, false));
    }
}

// For every type: one wire per span between the span's two nodes, and its
// arrow beside the wire's middle pointing from FromNode toward ToNode.
TEST(DiagramStructure, EverySpanHasItsWireAndAnArrowTowardItsToNode)
{
    for (int type = stSimple; type <= stBox; ++type) {
        SCOPED_TRACE(Topology(type).TypeName);
        TDrawingBench bench(900, 500);
        bench.Draw(bench.Add(type));
        const Centres c = DiscCentres(bench.Canvas);
        const auto wires = Wires(bench);
        const auto arrows = ArrowShafts(bench.Canvas);
        const auto &spans = Topology(type).Spans;
        ASSERT_EQ(wires.size(), spans.size());
        ASSERT_EQ(arrows.size(), spans.size());
        ASSERT_EQ(c.size(), Topology(type).Poles.size());
        for (size_t i = 0; i < spans.size(); ++i) {
            SCOPED_TRACE(spans[i].Number);
            const TPoint from = c.at(NodeKey(spans[i].FromNode));
            const TPoint to = c.at(NodeKey(spans[i].ToNode));
            const bool forward = wires[i].A == from && wires[i].B == to;
            const bool backward = wires[i].A == to && wires[i].B == from;
            EXPECT_TRUE(forward || backward);
            const TSegment arrow = arrows[i];
            const double along = static_cast<double>(arrow.B.X - arrow.A.X) * (to.X - from.X) +
                                 static_cast<double>(arrow.B.Y - arrow.A.Y) * (to.Y - from.Y);
            EXPECT_GT(along, 0);
            const TPoint arrowMiddle{(arrow.A.X + arrow.B.X) / 2, (arrow.A.Y + arrow.B.Y) / 2};
            const TPoint wireMiddle{(from.X + to.X) / 2, (from.Y + to.Y) / 2};
            // Beside it by the table's offset, grown with the picture.
            EXPECT_LE(Distance(arrowMiddle, wireMiddle), 10 * std::min(900.0 / 586, 500.0 / 240));
        }
    }
}

TEST(DiagramOrder, PolesThenRingsAreDrawnLastInNumberOrder)
{
    TDrawingBench bench;
    bench.Draw(bench.Add(stHybrid), dmPrint);
    std::vector<std::string> discs;
    const auto &calls = bench.Canvas.Calls;
    for (size_t i = 0; i + 1 < calls.size(); ++i)
        if (calls[i].Kind == TCallKind::Ellipse)
            discs.push_back((calls[i].Pen.Width == 2 ? "J" : "P") + calls[i + 1].Text);
    EXPECT_EQ(discs, (std::vector<std::string>{"P1", "P2", "P3", "P4", "P5", "J1", "J2", "J3"}));
    // Nothing but the discs and their numbers follows the first disc.
    const auto first = std::find_if(calls.begin(), calls.end(), [](const TCanvasCall &call) {
        return call.Kind == TCallKind::Ellipse;
    });
    for (auto it = first; it != calls.end(); ++it)
        EXPECT_TRUE(it->Kind == TCallKind::Ellipse || it->Kind == TCallKind::TextOut);
}

struct ModeCase : TNamedCase {
    int Mode;
    bool Angles;
    bool Elevations;
};

class DisplayModes : public ::testing::TestWithParam<ModeCase>
{
};

// A Box has eight spans, eight angles of which four have reference lines
// (A1, A3, A5, A7), and six elevation brackets.
TEST_P(DisplayModes, DrawExactlyTheItemsOfTheMode)
{
    const ModeCase mode = GetParam();
    TDrawingBench bench;
    bench.Draw(bench.Add(stBox), mode.Mode);
    const auto texts = bench.Canvas.Texts();
    const auto count = [&](char letter) {
        return std::count_if(texts.begin(), texts.end(), [&](const std::string &t) { return t.size() == 2 && t[0] == letter; });
    };
    const TPenState dotted{bench.Settings.Colors.LineColor, 1, TPenStyle::Dotted};
    EXPECT_EQ(count('L'), 8);
    EXPECT_EQ(Wires(bench).size(), 8u);
    EXPECT_EQ(ArrowShafts(bench.Canvas).size(), 8u);
    EXPECT_EQ(DiscCentres(bench.Canvas).size(), 8u);
    EXPECT_EQ(count('A'), mode.Angles ? 8 : 0);
    EXPECT_EQ(LinesWithPen(bench.Canvas, dotted).size(), mode.Angles ? 4u : 0u);
    EXPECT_EQ(bench.Canvas.CallsOf(TCallKind::Polyline).size(), mode.Elevations ? 6u : 0u);
    for (const char *name : {"T", "U", "V", "C", "D", "G"})
        EXPECT_EQ(bench.Canvas.FindText(name) != nullptr, mode.Elevations) << name;
}

INSTANTIATE_TEST_SUITE_P(Modes, DisplayModes,
                         ::testing::Values(ModeCase{"angles0", 0, true, false},
                                           ModeCase{"elevations1", 1, false, true},
                                           ModeCase{"plain2", 2, false, false}, ModeCase{"print99", 99, true, true},
                                           ModeCase{"unknown7", 7, false, false}),
                         CaseName());

struct LabelCase : TNamedCase {
    bool DisplayLabel;
    bool Standard;
    const char *Length;
    const char *Angle;
    const char *Elevation;
};

class LabelTexts : public ::testing::TestWithParam<LabelCase>
{
};

TEST_P(LabelTexts, CarryTheEnteredValueOnlyWhenAskedAndNotInTheStandardShape)
{
    const LabelCase c = GetParam();
    TDrawingBench bench;
    bench.Settings.EnableDisplayLabel = c.DisplayLabel;
    bench.Graphics.StandardShape = c.Standard;
    TWireConfiguration &wye = bench.Add(stWYE, {{120, 80, 200}, {20, 70}});
    wye.Elevations.SetValueOf("T", 1.25);
    bench.Draw(wye, dmPrint);
    EXPECT_NE(bench.Canvas.FindText(c.Length), nullptr);
    EXPECT_NE(bench.Canvas.FindText(c.Angle), nullptr);
    EXPECT_NE(bench.Canvas.FindText(c.Elevation), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Labels, LabelTexts,
                         ::testing::Values(LabelCase{"values", true, false, "L1: 120.00", "A2: 70.00", "T: 1.25.ft"},
                                           LabelCase{"namesOnly", false, false, "L1", "A2", "T"},
                                           LabelCase{"standardShape", true, true, "L1", "A2", "T"}),
                         CaseName());

TEST(Labels, HiddenLabelsLeaveArrowsPolesRingsAndBrackets)
{
    TDrawingBench bench;
    bench.Graphics.ShowLabels = false;
    bench.Draw(bench.Add(stH), dmPrint);
    const TPenState dotted{bench.Settings.Colors.LineColor, 1, TPenStyle::Dotted};
    EXPECT_TRUE(LinesWithPen(bench.Canvas, dotted).empty());
    EXPECT_EQ(ArrowShafts(bench.Canvas).size(), 5u);
    EXPECT_EQ(DiscCentres(bench.Canvas).size(), 6u);
    EXPECT_EQ(bench.Canvas.CallsOf(TCallKind::Polyline).size(), 4u);
    for (const std::string &text : bench.Canvas.Texts())
        EXPECT_TRUE(text.size() == 1) << text; // disc numbers and bracket names only
}

TEST(Labels, AnchorsFollowTheTableAndTheAlignment)
{
    TDrawingBench bench;
    bench.Draw(bench.Add(stWYE), dmAngles);
    const Centres c = DiscCentres(bench.Canvas);
    const int w2 = 2 * TRecordingCanvas::CharWidth;
    const TPoint mid1{(c.at("P1").X + c.at("J1").X) / 2, (c.at("P1").Y + c.at("J1").Y) / 2};
    // L1 left-aligned at (mid + 10, mid - 20); A1 right-aligned at (J1 - 25, J1 - 15);
    // L3 centred at (mid.x, J1 + 10).
    EXPECT_EQ(bench.Canvas.FindText("L1")->Points[0], (TPoint{mid1.X + 10, mid1.Y - 20}));
    EXPECT_EQ(bench.Canvas.FindText("A1")->Points[0], (TPoint{c.at("J1").X - 25 - w2, c.at("J1").Y - 15}));
    EXPECT_EQ(bench.Canvas.FindText("L3")->Points[0],
              (TPoint{(c.at("J1").X + c.at("P3").X) / 2 - w2 / 2, c.at("J1").Y + 10}));
}

TEST(Fitting, InvalidPlanWithDynamicDisplayDrawsTheStandardShapeWithEnteredValues)
{
    TDrawingBench bench;
    bench.Settings.EnableDynamicDisplay = true;
    bench.Settings.EnableDisplayLabel = true;
    TWireConfiguration &invalid = bench.Add(stWYE, {{120, 80, 200}, {0, 0}}); // all spans on one line
    ASSERT_FALSE(TGeometry::IsValid(invalid));
    bench.Draw(invalid);
    const Centres expected = {{"P1", {63, 24}}, {"J1", {195, 120}}, {"P2", {63, 216}}, {"P3", {522, 120}}};
    EXPECT_EQ(DiscCentres(bench.Canvas), expected);
    EXPECT_NE(bench.Canvas.FindText("L1: 120.00"), nullptr);
}

TEST(Fitting, StandardShapeWinsOverDynamicDisplay)
{
    TDrawingBench bench;
    bench.Settings.EnableDynamicDisplay = true;
    bench.Graphics.StandardShape = true;
    TWireConfiguration &wye = bench.Add(stWYE, {{120, 80, 200}, {20, 70}});
    ASSERT_TRUE(TGeometry::IsValid(wye));
    bench.Draw(wye);
    const Centres expected = {{"P1", {63, 24}}, {"J1", {195, 120}}, {"P2", {63, 216}}, {"P3", {522, 120}}};
    EXPECT_EQ(DiscCentres(bench.Canvas), expected);
}

TEST(Fitting, ToScaleFillsTheBandAndKeepsEveryNodeInside)
{
    TDrawingBench bench(800, 400);
    bench.Settings.EnableDynamicDisplay = true;
    TWireConfiguration &wye = bench.Add(stWYE, {{120, 80, 200}, {20, 70}});
    bench.Draw(wye);
    int xmin = 800, xmax = 0, ymin = 400, ymax = 0;
    for (const auto &[name, at] : DiscCentres(bench.Canvas)) {
        xmin = std::min(xmin, at.X), xmax = std::max(xmax, at.X);
        ymin = std::min(ymin, at.Y), ymax = std::max(ymax, at.Y);
    }
    EXPECT_GE(xmin, 40);
    EXPECT_LE(xmax, 760);
    EXPECT_GE(ymin, 40);
    EXPECT_LE(ymax, 360);
    // One side of the band is filled (to within the rounding of the chain).
    EXPECT_TRUE(std::abs((xmax - xmin) - 720) <= 2 || std::abs((ymax - ymin) - 320) <= 2);
}

// A consistent plan drawn to scale: every drawn span is its length times the
// scale, and the drawn pole distances are those of the plan layout.
class ToScale : public ::testing::Test
{
protected:
    TDrawingBench Bench{1200, 800};

    void SetUp() override { Bench.Settings.EnableDynamicDisplay = true; }

    void ExpectSpansAndPoleDistancesToScale(TWireConfiguration &sequence)
    {
        ASSERT_TRUE(TGeometry::IsValid(sequence));
        ASSERT_TRUE(TGeometry::ComputePlanLayout(sequence));
        Bench.Draw(sequence);
        const Centres c = DiscCentres(Bench.Canvas);
        const TDiagramTable &table = *DiagramTable(sequence.SequenceType);
        const double scale = TDiagramLayout(table, DiagramShape(table, sequence, true), {1200, 800}).Scale();
        for (const TSpanNodes &span : sequence.Topology().Spans) {
            const double drawn = Distance(c.at(NodeKey(span.FromNode)), c.at(NodeKey(span.ToNode)));
            EXPECT_NEAR(drawn, sequence.Spans.FindByNumber(span.Number)->Length * scale, 2.5) << "L" << span.Number;
        }
        const auto &pairs = sequence.Topology().PoleDistances;
        for (size_t i = 0; i < pairs.size(); ++i) {
            const double drawn = Distance(c.at(NodeKey(pairs[i].PoleA)), c.at(NodeKey(pairs[i].PoleB)));
            EXPECT_NEAR(drawn, sequence.PoleDistances.Objects(static_cast<int>(i))->Distance * scale, 3)
                << "P" << pairs[i].PoleA << "P" << pairs[i].PoleB;
        }
    }
};

TEST_F(ToScale, DeltaWhoseSecondAngleIsNotNinetyPlusTheThird)
{
    // Ring triangle: L2 = 120 and L3 = 300 meet at pi - A2 = 70 degrees.
    const double l2 = 120, l3 = 300, inner1 = 70 * Pi / 180;
    const double l5 = std::sqrt(l2 * l2 + l3 * l3 - 2 * l2 * l3 * std::cos(inner1));
    const double inner3 = std::acos((l3 * l3 + l5 * l5 - l2 * l2) / (2 * l3 * l5)) * RadToDeg;
    const double inner2 = 180 - 70 - inner3;
    TWireConfiguration &delta = Bench.Add(stDelta, {{60, l2, l3, 90, l5, 70}, {40, 110, 5, 180 - inner3, 50, 180 - inner2}});
    ExpectSpansAndPoleDistancesToScale(delta);
}

TEST_F(ToScale, HybridWhoseFourthAngleIsNotNinety)
{
    TWireConfiguration &hybrid =
        Bench.Add(stHybrid, {{80, 90, 200, 100, 150, 110, 120}, {40, 55, 35, 50, 30, 60}});
    ExpectSpansAndPoleDistancesToScale(hybrid);
}

TEST_F(ToScale, BoxAndHMatchTheirPlansToo)
{
    // A box whose quadrilateral closes: a rectangle 300 x 100 with L7 = 300.
    TWireConfiguration &box =
        Bench.Add(stBox, {{90, 100, 300, 80, 100, 70, 300, 60}, {35, 90, 25, 90, 40, 90, 90, 50}});
    ExpectSpansAndPoleDistancesToScale(box);
    TWireConfiguration &h = Bench.Add(stH, {{90, 70, 250, 80, 100}, {35, 60, 25, 75}});
    ExpectSpansAndPoleDistancesToScale(h);
}

TEST(Rotation, IsHandedToTheCanvasOnlyWhenNotZero)
{
    TDrawingBench bench;
    const TWireConfiguration &wye = bench.Add(stWYE);
    bench.Draw(wye, dmAngles, 0);
    EXPECT_TRUE(bench.Canvas.CallsOf(TCallKind::Rotate).empty());
    bench.Draw(wye, dmAngles, Pi / 2);
    const auto rotations = bench.Canvas.CallsOf(TCallKind::Rotate);
    ASSERT_EQ(rotations.size(), 1u);
    EXPECT_EQ(rotations[0].Angle, Pi / 2);
    EXPECT_EQ(rotations[0].Color, bench.Settings.Colors.ImageBackground);
    EXPECT_EQ(bench.Canvas.Calls.back().Kind, TCallKind::Rotate); // after everything else
}

TEST(UnknownInput, MissingSequenceOrTypeLeavesTheClearedImage)
{
    TDrawingBench bench;
    TWireConfiguration &odd = bench.Add(stWYE);
    bench.Graphics.DrawSequence(dmPrint, 42, 0);
    ASSERT_EQ(bench.Canvas.Calls.size(), 1u);
    EXPECT_EQ(bench.Canvas.Calls[0].Kind, TCallKind::FillRect);
    EXPECT_EQ(bench.Canvas.Calls[0].Brush, bench.Settings.Colors.ImageBackground);
    odd.SequenceType = 9;
    bench.Draw(odd, dmPrint);
    EXPECT_EQ(bench.Canvas.Calls.size(), 1u);
}

TEST(UnknownInput, HugeOrZeroLengthsDrawWithoutFailing)
{
    TDrawingBench bench;
    bench.Settings.EnableDynamicDisplay = true;
    for (double length : {1e12, 1e-9}) {
        TWireConfiguration &wye = bench.Add(stWYE, {{length, length, length}, {30, 30}});
        bench.Draw(wye);
        EXPECT_EQ(DiscCentres(bench.Canvas).size(), 4u);
    }
}

} // namespace
} // namespace corvadel::test
