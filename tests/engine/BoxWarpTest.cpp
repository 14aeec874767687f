// "Enable Adjust Box Angles": the balanced Box is checked against its plan
// walked independently from the new lengths and angles, against the
// horizontal forces summed at every ring, and its results against those of
// the balanced plan typed in.
#include "../support/NamedCase.h"
#include "EngineTestSupport.h"
#include "uCalculationRun.h"
#include "uGeometry.h"
#include "uLoadedShape.h"
#include "uResultQuantities.h"
#include "uSequenceCalculation.h"
#include "uTensionRelations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

namespace corvadel {
namespace {

using test::MakeLoad;
using test::Rad;

struct TPoint {
    double X = 0, Y = 0;
};

TPoint Ahead(TPoint from, double length, double heading)
{
    return {from.X + length * std::cos(heading), from.Y + length * std::sin(heading)};
}

double Apart(TPoint a, TPoint b)
{
    return std::hypot(a.X - b.X, a.Y - b.Y);
}

// A Box walked from ring 100 along the ring loop 100, 102, 103, 101 (spans
// 3, 5, 7), turning clockwise by A4, A6 and A7, with each pole's span
// leaving its ring at the angle the conventions give it.
struct TWalkedBox {
    std::map<int, TPoint> At;
    double Gap = 0; // from where span 2 ends back to ring 100: 0 when the loop closes

    TWalkedBox(const std::vector<double> &l, const std::vector<double> &degrees)
    {
        auto L = [&l](int n) { return l[static_cast<size_t>(n - 1)]; };
        auto A = [&degrees](int n) { return Rad(degrees[static_cast<size_t>(n - 1)]); };
        At[100] = {0, 0};
        At[1] = Ahead(At[100], L(1), Pi - A(1));
        At[102] = Ahead(At[100], L(3), 0);
        At[3] = Ahead(At[102], L(4), A(3));
        At[103] = Ahead(At[102], L(5), -A(4));
        At[4] = Ahead(At[103], L(6), A(5) - A(4));
        At[101] = Ahead(At[103], L(7), -(A(4) + A(6)));
        const double toRing100 = -(A(4) + A(6) + A(7));
        At[2] = Ahead(At[101], L(8), toRing100 + Pi - A(8));
        Gap = Apart(Ahead(At[101], L(2), toRing100), At[100]);
    }
};

struct TSpanPlan {
    std::vector<double> Lengths, Angles;
};

TSpanPlan Balanced(const TWireConfiguration &sequence, double decimals = -1)
{
    const auto shown = [decimals](double value) {
        return decimals < 0 ? value : std::round(value * std::pow(10, decimals)) / std::pow(10, decimals);
    };
    TSpanPlan plan;
    for (const TBaseWire *span : sequence.Spans) {
        plan.Lengths.push_back(shown(span->PlanLength));
        plan.Angles.push_back(shown(span->PlanDirection));
    }
    return plan;
}

std::vector<double> PoleDistances(const TWireConfiguration &sequence)
{
    std::vector<double> distances;
    for (const TPoleDistance *entry : sequence.PoleDistances)
        distances.push_back(entry->Distance);
    return distances;
}

// Loads at distances taken from the entered lengths: a signal a quarter of
// the way along every span and a sign at half, on variable wire weights
// heavier toward the end, so the spans whose length the balance changes
// carry loads and a wire that follows their length. SAGs of box.xml.
void Load(TWireConfiguration &sequence, const std::vector<double> &enteredLengths)
{
    sequence.SetMaxSAG(6);
    sequence.SetMinSAG(3.5);
    sequence.SetVariableWires(true);
    for (TBaseWire *span : sequence.Spans) {
        const double length = enteredLengths[static_cast<size_t>(span->Number - 1)];
        span->AddSignal(MakeLoad(0.25 * length, 40 + 5 * span->Number, 6));
        span->AddSignal(MakeLoad(0.5 * length, 20, 4, false));
        for (int point : {SegmentStartPoint, 1, 2})
            span->Segments.FindByStartPoint(point)->Compositions.First()->SetWireWeight(0.4 + 0.3 * point);
    }
}

bool CalculateBothSAGs(TWireConfiguration &sequence)
{
    const TTARVOParameters &parameters = test::DefaultParameters();
    return TSequenceCalculation::CalculateSequence(sequence, parameters, true, sequence.MaxSAG) &&
           TSequenceCalculation::CalculateSequence(sequence, parameters, false, sequence.MinSAG);
}

// Equal to 1e-9 of the larger, or of 1 near zero.
void ExpectSame(double adjusted, double typedIn, const std::string &what)
{
    EXPECT_NEAR(adjusted, typedIn, 1e-9 * std::max({1.0, std::fabs(adjusted), std::fabs(typedIn)})) << what;
}

// Every figure of the adjusted result against the typed-in plan's result:
// the values the result windows and reports show, and the rest.
void ExpectSameResult(const TWireConfigurationResult &adjusted, const TWireConfigurationResult &typedIn)
{
    ExpectSame(adjusted.SystemSAG, typedIn.SystemSAG, "SystemSAG");
    ExpectSame(adjusted.MaxWireLoad, typedIn.MaxWireLoad, "MaxWireLoad");
    ExpectSame(adjusted.Tension, typedIn.Tension, "Tension");
    ExpectSame(adjusted.Rotation, typedIn.Rotation, "Rotation");
    EXPECT_EQ(adjusted.Iterations, typedIn.Iterations);
    std::vector<TSpanQuantity> spanFigures = SpanQuantities();
    spanFigures.push_back(PlanDirectionQuantity());
    spanFigures.push_back(PlanLengthQuantity());
    ASSERT_EQ(adjusted.SpanResults.Count(), typedIn.SpanResults.Count());
    for (const TBaseWireResult *span : typedIn.SpanResults) {
        const std::string n = " of span " + std::to_string(span->SpanNumber);
        const TBaseWireResult *own = adjusted.SpanResults.FindBySpanNumber(span->SpanNumber);
        ASSERT_NE(own, nullptr) << n;
        for (const TSpanQuantity &figure : spanFigures)
            ExpectSame(figure.Value(*own), figure.Value(*span), figure.Label + n);
        ASSERT_EQ(own->SignalResults.Count(), span->SignalResults.Count()) << n;
        for (const TBaseSignalResult *signal : span->SignalResults) {
            const TBaseSignalResult *hung = own->SignalResults.FindBySignalNumber(signal->SignalNumber);
            ASSERT_NE(hung, nullptr);
            ExpectSame(hung->HeightAboveLowest, signal->HeightAboveLowest,
                       "HeightAboveLowest of signal " + std::to_string(signal->SignalNumber) + n);
        }
    }
    ASSERT_EQ(adjusted.PoleResults.Count(), typedIn.PoleResults.Count());
    for (const TBasePoleResult *pole : typedIn.PoleResults) {
        const std::string n = " of pole " + std::to_string(pole->PoleNumber);
        const TBasePoleResult *own = adjusted.PoleResults.FindByPoleNumber(pole->PoleNumber);
        ASSERT_NE(own, nullptr) << n;
        for (const TPoleQuantity &figure : PoleQuantities())
            ExpectSame(figure.Value(*own), figure.Value(*pole), figure.Label + n);
        // The balanced plan's pole angle is the one the adjustment calculated.
        ExpectSame(own->CalculatedPlanAngle, pole->PlanAngle, "CalculatedPlanAngle" + n);
    }
}

// The engine values the views read after the calculation (those of its
// minimum-SAG case) are the typed-in plan's.
void ExpectSameEngineValues(const TWireConfiguration &adjusted, const TWireConfiguration &typedIn)
{
    ExpectSame(adjusted.SystemSAG, typedIn.SystemSAG, "SystemSAG");
    ExpectSame(adjusted.Spans.Tension, typedIn.Spans.Tension, "Tension");
    for (const TBaseWire *span : typedIn.Spans) {
        const std::string n = " of span " + std::to_string(span->Number);
        const TBaseWire *own = adjusted.Spans.FindByNumber(span->Number);
        ExpectSame(own->TensionRelation, span->TensionRelation, "TensionRelation" + n);
        ExpectSame(own->ElevationDifference, span->ElevationDifference, "ElevationDifference" + n);
        ExpectSame(own->LowPointDistance, span->LowPointDistance, "LowPointDistance" + n);
        ExpectSame(own->LowPointMoment, span->LowPointMoment, "LowPointMoment" + n);
        ExpectSame(own->EndElevation, span->EndElevation, "EndElevation" + n);
        ExpectSame(own->LowestElevation, span->LowestElevation, "LowestElevation" + n);
        for (const TBaseSignal *signal : span->Signals)
            ExpectSame(own->Signals.FindByNumber(signal->Number)->Elevation, signal->Elevation,
                       "Elevation of signal " + std::to_string(signal->Number) + n);
    }
    for (const TBasePole *pole : typedIn.Poles) {
        const std::string n = " of pole " + std::to_string(pole->Number);
        const TBasePole *own = adjusted.Poles.FindByNumber(pole->Number);
        ExpectSame(own->StringingTension, pole->StringingTension, "StringingTension" + n);
        ExpectSame(own->AttachmentElevation, pole->AttachmentElevation, "AttachmentElevation" + n);
        ExpectSame(own->BaseMoment, pole->BaseMoment, "BaseMoment" + n);
    }
}

struct WarpCase : test::TNamedCase {
    std::vector<double> Lengths, Angles;
    double InitialRotation; // degrees, as entered
    bool Balances;
};

// Lengths of examples/box.xml, and of a Box whose ring is a 100 ft square.
const std::vector<double> SampleBox = {100, 50, 50, 95, 50, 105, 50, 90};
const std::vector<double> SquareRing = {50, 100, 100, 55, 100, 60, 100, 65};

class BoxWarp : public ::testing::TestWithParam<WarpCase>
{
protected:
    void SetUp() override
    {
        const WarpCase &c = GetParam();
        Sequence = test::MakeSequence(stBox, c.Lengths, c.Angles);
        Sequence->SetBoxWarp(true);
        ASSERT_TRUE(TGeometry::ComputePlanLayout(*Sequence));
        EnteredDistances = PoleDistances(*Sequence);
    }

    // The balanced values typed in as a new Box, with the adjustment off.
    std::unique_ptr<TWireConfiguration> Reentered(const TSpanPlan &plan)
    {
        auto again = test::MakeSequence(stBox, plan.Lengths, plan.Angles);
        EXPECT_TRUE(TGeometry::IsValid(*again));
        EXPECT_TRUE(TGeometry::ComputePlanLayout(*again));
        EXPECT_TRUE(TTensionRelations::ComputeTensionRelations(*again));
        return again;
    }

    std::unique_ptr<TWireConfiguration> Sequence;
    std::vector<double> EnteredDistances;
};

TEST_P(BoxWarp, EndsInAClosedPlanInBalanceThatTypedInKeepsThePoles)
{
    const WarpCase &c = GetParam();
    const bool calculated = TTensionRelations::ComputeTensionRelations(*Sequence);
    EXPECT_NEAR(Sequence->Spans.InitialRotation, c.InitialRotation, 0.01);
    ASSERT_EQ(calculated, c.Balances);
    if (!c.Balances)
        return;
    EXPECT_TRUE(Sequence->AnglesChanged);
    EXPECT_LT(std::fabs(Sequence->Spans.Rotation), 1e-6);

    // The plan closes: the ring angles add up to 360 degrees, the loop of
    // spans 3, 5, 7 and 2 comes back to ring 100.
    const TSpanPlan balanced = Balanced(*Sequence);
    const TWalkedBox entered(c.Lengths, c.Angles), walked(balanced.Lengths, balanced.Angles);
    const auto &a = balanced.Angles;
    EXPECT_NEAR(a[1] + a[3] + a[5] + a[6], 360, 1e-6);
    EXPECT_LT(walked.Gap, 1e-6);
    // The poles stay where they were entered.
    for (int pole = 1; pole <= 4; ++pole)
        EXPECT_LT(Apart(walked.At.at(pole), entered.At.at(pole)), 0.01) << "pole " << pole;
    // Only spans 2 and 7 change length; span 8 keeps its length and turns.
    for (int n : {1, 3, 4, 5, 6, 8})
        EXPECT_EQ(balanced.Lengths[static_cast<size_t>(n - 1)], c.Lengths[static_cast<size_t>(n - 1)]) << n;
    EXPECT_NE(balanced.Lengths[1], c.Lengths[1]);

    // Every ring is in horizontal equilibrium with the relations found.
    for (int ring : {100, 101, 102, 103}) {
        double x = 0, y = 0;
        for (const TBaseWire *span : Sequence->Spans) {
            if (span->FromNode != ring && span->ToNode != ring)
                continue;
            const TPoint here = walked.At.at(ring);
            const TPoint there = walked.At.at(span->FromNode == ring ? span->ToNode : span->FromNode);
            x += span->TensionRelation * (there.X - here.X) / Apart(there, here);
            y += span->TensionRelation * (there.Y - here.Y) / Apart(there, here);
        }
        EXPECT_NEAR(x, 0, 1e-9) << "ring " << ring;
        EXPECT_NEAR(y, 0, 1e-9) << "ring " << ring;
    }

    // Only the span of pole two turned around its pole.
    for (const TBasePole *pole : Sequence->Poles) {
        if (pole->IsRing)
            continue;
        const double turn = pole->CalculatedPlanAngle - pole->PlanAngle;
        if (pole->Number == 2)
            EXPECT_GT(std::fabs(turn), 0.1);
        else
            EXPECT_NEAR(turn, 0, 1e-9) << "pole " << pole->Number;
    }

    // Typed in as a new Box, as calculated and as the results show them (two
    // decimals), the new values give the same poles in balance.
    for (double decimals : {-1.0, 2.0}) {
        SCOPED_TRACE(decimals);
        const auto again = Reentered(Balanced(*Sequence, decimals));
        const std::vector<double> distances = PoleDistances(*again);
        ASSERT_EQ(distances.size(), EnteredDistances.size());
        for (size_t i = 0; i < distances.size(); ++i)
            EXPECT_NEAR(distances[i], EnteredDistances[i], decimals < 0 ? 1e-6 : 0.05) << "distance " << i + 1;
        EXPECT_EQ(BalanceSentence(again->Spans.Rotation, again->AnglesChanged), "System is in balance");
    }
}

// The results of the adjusted Box are those of its balanced plan typed in at
// full precision: the wires hang between the balanced plan's rings.
TEST_P(BoxWarp, IsCalculatedAsItsBalancedPlanTypedIn)
{
    const WarpCase &c = GetParam();
    Load(*Sequence, c.Lengths);
    ASSERT_EQ(CalculateBothSAGs(*Sequence), c.Balances);
    if (!c.Balances) {
        ASSERT_EQ(Sequence->Errors.Count(), 1);
        EXPECT_EQ(Sequence->Errors.First()->Message, TSequenceCalculation::RelationsMessage);
        return;
    }
    const TSpanPlan balanced = Balanced(*Sequence);
    auto typedIn = test::MakeSequence(stBox, balanced.Lengths, balanced.Angles);
    Load(*typedIn, c.Lengths);
    typedIn->SetBoxWarp(true);
    ASSERT_TRUE(CalculateBothSAGs(*typedIn));

    for (bool atMaxSAG : {true, false}) {
        SCOPED_TRACE(atMaxSAG ? "max SAG" : "min SAG");
        const TWireConfigurationResult &adjusted = *Sequence->Results.FindByAtMaxSAG(atMaxSAG);
        const TWireConfigurationResult &again = *typedIn->Results.FindByAtMaxSAG(atMaxSAG);
        EXPECT_FALSE(again.AnglesChanged); // the balanced plan needs no adjustment
        EXPECT_TRUE(adjusted.AnglesChanged);
        EXPECT_NEAR(adjusted.InitialRotation, c.InitialRotation, 0.01);
        ExpectSameResult(adjusted, again);

        // The loaded profile draws the span of the balanced plan.
        for (const TBaseWire *span : Sequence->Spans) {
            SCOPED_TRACE("profile of span " + std::to_string(span->Number));
            const auto shape = TLoadedProfile::Compute(*Sequence, adjusted, span->Number, 1, 15);
            const auto expected = TLoadedProfile::Compute(*typedIn, again, span->Number, 1, 15);
            ASSERT_TRUE(shape && expected);
            EXPECT_EQ(shape->Length, adjusted.SpanResults.FindBySpanNumber(span->Number)->PlanLength);
            ASSERT_EQ(shape->Points.size(), expected->Points.size());
            ExpectSame(shape->Low.Distance, expected->Low.Distance, "low point distance");
            ExpectSame(shape->Low.Elevation, expected->Low.Elevation, "low point elevation");
            ASSERT_EQ(shape->Hangers.size(), expected->Hangers.size());
            for (size_t i = 0; i < shape->Hangers.size(); ++i)
                ExpectSame(shape->Hangers[i].Attachment, expected->Hangers[i].Attachment, "hanger");
        }
    }
    ExpectSameEngineValues(*Sequence, *typedIn);

    // The input stays as typed.
    for (const TBaseWire *span : Sequence->Spans) {
        const auto k = static_cast<size_t>(span->Number - 1);
        EXPECT_EQ(span->Length, c.Lengths[k]);
        EXPECT_EQ(span->Angle, c.Angles[k]);
        EXPECT_EQ(span->Signals.Count(), 2);
        EXPECT_EQ(span->Segments.FindByEndPoint(SegmentEndPoint)->Length, 0.5 * c.Lengths[k]);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, BoxWarp, ::testing::Values(
    // The square ring with span 8 turned 5 or -4 degrees off its balancing 45 degrees.
    WarpCase{{"SmallClockwise"}, SquareRing, {45, 90, 40, 90, 50, 90, 90, 40}, 5, true},
    WarpCase{{"SmallCounterclockwise"}, SquareRing, {45, 90, 40, 90, 50, 90, 90, 49}, -4, true},
    // examples/box.xml with A1 = 20 (the box of the report), A1 = 70 and A8 = 85.
    WarpCase{{"LargeClockwise"}, SampleBox, {20, 90, 45, 90, 45, 90, 90, 45}, 25, true},
    WarpCase{{"LargeCounterclockwise"}, SampleBox, {70, 90, 45, 90, 45, 90, 90, 45}, -25, true},
    WarpCase{{"VeryLargeCounterclockwise"}, SampleBox, {45, 90, 45, 90, 45, 90, 90, 85}, -40, true},
    // Balance needs span 8 at more than 90 degrees (A8), which no Box may have.
    WarpCase{{"CannotBeBalanced"}, SampleBox, {5, 90, 80, 90, 75, 90, 90, 85}, 4.76, false}),
    test::CaseName());

struct BeyondCase : test::TNamedCase {
    double Distance;
    bool IsSignal;
    const char *Message; // empty when the load still hangs on the span
};

class BalancedSpanEnd : public ::testing::TestWithParam<BeyondCase>
{
};

// examples/box.xml's plan with A1 = 20: the balance makes span 7
// 42.767588... ft long instead of 50, so a load at 45 ft or at 42.77 ft no
// longer hangs on it; the calculation stops and says so, keeping the input.
TEST_P(BalancedSpanEnd, LoadBeyondTheBalancedLengthStopsTheCalculation)
{
    const BeyondCase &c = GetParam();
    TTARVOParameters parameters;
    TWireConfigurationList project(parameters);
    TWireConfiguration &box = *project.AddSequence(stBox);
    for (int n = 1; n <= 8; ++n) {
        box.Spans.SetLengthOf(n, SampleBox[static_cast<size_t>(n - 1)]);
        box.Spans.SetAngleOf(n, std::vector<double>{20, 90, 45, 90, 45, 90, 90, 45}[static_cast<size_t>(n - 1)]);
    }
    box.SetMaxSAG(6);
    box.SetMinSAG(3.5);
    box.SetBoxWarp(true);
    box.Spans.FindByNumber(7)->AddSignal(MakeLoad(c.Distance, 50, 5, c.IsSignal));

    const bool calculated = TCalculationRun::RunCalculation(project);
    EXPECT_EQ(box.Spans.FindByNumber(7)->Signals.Count(), 1);
    EXPECT_EQ(box.Spans.FindByNumber(7)->Length, 50);
    if (*c.Message == 0) {
        ASSERT_TRUE(calculated);
        EXPECT_NEAR(box.Results.First()->SpanResults.FindBySpanNumber(7)->PlanLength, 42.7676, 1e-4);
        return;
    }
    EXPECT_FALSE(calculated);
    EXPECT_EQ(box.Results.Count(), 0);
    ASSERT_EQ(box.Errors.Count(), 1);
    EXPECT_EQ(box.Errors.First()->Message, c.Message);
    const std::vector<std::string> listing = TCalculationRun::ErrorListing(project);
    EXPECT_NE(std::find(listing.begin(), listing.end(), c.Message), listing.end());
}

INSTANTIATE_TEST_SUITE_P(Table, BalancedSpanEnd, ::testing::Values(
    BeyondCase{{"SignalBeyond"}, 45, true,
               "Sequence 1 - Box: adjusting the box angles makes span [L7] 42.77 ft long instead of 50 ft; signal 1 "
               "hangs 45 ft from its start, beyond its new end.\r\n"
               "Move it closer to the start of the span or modify the angles manually."},
    // Shown with the decimals that tell the length from the distance.
    BeyondCase{{"SignJustBeyond"}, 42.77, false,
               "Sequence 1 - Box: adjusting the box angles makes span [L7] 42.768 ft long instead of 50 ft; sign 1 "
               "hangs 42.77 ft from its start, beyond its new end.\r\n"
               "Move it closer to the start of the span or modify the angles manually."},
    BeyondCase{{"SignalWithin"}, 42.7, true, ""}),
    test::CaseName());

} // namespace
} // namespace corvadel
