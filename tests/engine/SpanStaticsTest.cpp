#include "CableModel.h"
#include "EngineTestSupport.h"
#include "uSpanStatics.h"

#include <gtest/gtest.h>

namespace corvadel {
namespace {

using test::CableModel;
using test::MakeLoad;

struct LoadAt {
    double Distance;
    double Load;
};

// A span of `length` with wire weight `weight`, H = relation x tension.
std::unique_ptr<TBaseWire> MakeSpan(double length, double weight, const std::vector<LoadAt> &loads,
                                    double elevationDifference = 0, double horizontal = 1000)
{
    auto span = std::make_unique<TBaseWire>(weight);
    span->SetLength(length);
    for (const LoadAt &load : loads)
        span->AddSignal(MakeLoad(load.Distance, load.Load));
    span->TensionRelation = 1;
    span->Tension = horizontal;
    span->ElevationDifference = elevationDifference;
    return span;
}

TEST(SpanStatics, LevelUniformSpanIsTheTextbookParabola)
{
    const double w = 2, l = 100, h = 1000;
    auto span = MakeSpan(l, w, {});
    const TSpanStatics statics(*span);
    EXPECT_NEAR(statics.EndReaction(), -w * l / 2, 1e-9);
    EXPECT_NEAR(statics.StartReaction(), w * l / 2, 1e-9);
    TSpanStatics::FindLowPoint(*span);
    EXPECT_NEAR(span->LowPointDistance, l / 2, 1e-9);
    EXPECT_NEAR(span->LowPointMoment, w * (l / 2) * (l / 2) / 2, 1e-9);
    EXPECT_NEAR(statics.SAG(), w * l * l / (8 * h), 1e-9);
    EXPECT_NEAR(statics.EndTension(), std::hypot(w * l / 2, h), 1e-9);
}

TEST(SpanStatics, MidspanPointLoadOnAWeightlessWire)
{
    const double p = 60, l = 100, h = 1000;
    auto span = MakeSpan(l, 0, {{l / 2, p}});
    TSpanStatics::FindLowPoint(*span);
    EXPECT_NEAR(span->LowPointDistance, l / 2, 1e-9);
    EXPECT_NEAR(TSpanStatics(*span).SAG(), p * l / (4 * h), 1e-9);
}

TEST(SpanStatics, EndFarBelowTheStartHasNoLowPoint)
{
    auto span = MakeSpan(100, 2, {{40, 50}}, 30);
    const TSpanStatics statics(*span);
    EXPECT_GE(statics.EndReaction(), 0);
    TSpanStatics::FindLowPoint(*span);
    EXPECT_EQ(span->LowPointDistance, 0);
    EXPECT_EQ(statics.SAG(), 0);
}

TEST(SpanStatics, StartFarBelowTheEndHasNoLowPoint)
{
    auto span = MakeSpan(100, 2, {}, -30);
    EXPECT_LE(TSpanStatics(*span).StartReaction(), 0);
    TSpanStatics::FindLowPoint(*span);
    EXPECT_EQ(span->LowPointDistance, 0);
    EXPECT_EQ(TSpanStatics(*span).SAG(), 0);
}

struct CableCase {
    const char *Name;
    double Length;
    double Weight;
    std::vector<LoadAt> Loads;
    double ElevationDifference;
    std::vector<double> SegmentWeights; // empty: uniform
};

// Low point, SAG, reactions and signal elevations against the sampled cable.
TEST(SpanStatics, AgreesWithTheSampledCable)
{
    const std::vector<CableCase> cases = {
        {"uniform, level", 120, 1.5, {}, 0, {}},
        {"one heavy signal off centre", 120, 0.8, {{30, 150}}, 0, {}},
        {"two signals, start higher", 150, 1.2, {{40, 80}, {100, 60}}, 2.5, {}},
        {"two signals, end higher", 150, 1.2, {{40, 80}, {100, 60}}, -3, {}},
        {"three signals, low point in the last segment", 140, 3, {{20, 30}, {45, 40}, {70, 20}}, -1, {}},
        {"variable weights", 130, 1, {{35, 70}, {90, 45}}, 1, {0.5, 3, 1.8}},
        {"variable weights, end higher", 130, 1, {{35, 70}, {90, 45}}, -2, {2.5, 0.4, 1.1}},
    };
    for (const CableCase &c : cases) {
        SCOPED_TRACE(c.Name);
        auto span = MakeSpan(c.Length, c.Weight, c.Loads, c.ElevationDifference, 900);
        if (!c.SegmentWeights.empty()) {
            span->SetUniformWeight(false);
            for (int i = 0; i < span->Segments.Count(); ++i)
                span->Segments.Objects(i)->Compositions.Objects(0)->SetWireWeight(c.SegmentWeights[static_cast<size_t>(i)]);
        }
        const CableModel cable(*span, 900, c.ElevationDifference);
        const TSpanStatics statics(*span);
        EXPECT_NEAR(statics.EndReaction(), cable.PullOnEnd(), 0.01);
        EXPECT_NEAR(statics.StartReaction(), -cable.PullOnStart(), 0.01);

        TSpanStatics::FindLowPoint(*span);
        const auto [lowest, at] = cable.Lowest();
        ASSERT_LT(lowest, std::min(0.0, c.ElevationDifference)) << "the case must dip";
        EXPECT_NEAR(statics.SAG(), -lowest, 1e-6);
        EXPECT_NEAR(span->LowPointDistance, c.Length - at, 0.01);

        span->EndElevation = 50;
        TSpanStatics::ComputeSignalElevations(*span);
        double lowestAtSignal = std::max(50.0, 50 + c.ElevationDifference);
        for (const TBaseSignal *signal : span->Signals) {
            EXPECT_NEAR(signal->Elevation, 50 + cable.Elevation(signal->Distance), 1e-9) << signal->Number;
            lowestAtSignal = std::min(lowestAtSignal, signal->Elevation);
        }
        EXPECT_NEAR(span->LowestElevation, lowestAtSignal, 1e-12);
    }
}

TEST(SpanStatics, SignalAtTheLowPoint)
{
    // Symmetric: a signal at midspan on a uniform level wire sits at the low point.
    auto span = MakeSpan(100, 1, {{50, 40}});
    TSpanStatics::FindLowPoint(*span);
    EXPECT_NEAR(span->LowPointDistance, 50, 1e-12);
    EXPECT_NEAR(TSpanStatics(*span).SAG(), (1 * 100.0 * 100 / 8 + 40 * 100.0 / 4) / 1000, 1e-9);
}

TEST(SpanStatics, SymmetricLoadsHangSymmetrically)
{
    auto span = MakeSpan(120, 1, {{30, 50}, {90, 50}});
    span->EndElevation = 10;
    TSpanStatics::ComputeSignalElevations(*span);
    EXPECT_NEAR(span->Signals.FindByNumber(1)->Elevation, span->Signals.FindByNumber(2)->Elevation, 1e-9);
    EXPECT_LT(span->Signals.FindByNumber(1)->Elevation, 10);
}

TEST(SpanStatics, SpanWithoutSignalsKeepsItsHigherEnd)
{
    auto span = MakeSpan(100, 1, {}, -4);
    span->EndElevation = 30;
    TSpanStatics::ComputeSignalElevations(*span);
    EXPECT_EQ(span->LowestElevation, 30);
}

TEST(SpanStatics, SignalHeightsAreMeasuredFromTheLowestOfTheSequence)
{
    TWireList spans;
    spans.AddSpan(1, 1, 100, 1, false)->SetLength(100);
    spans.AddSpan(2, 2, 100, 1, false)->SetLength(100);
    spans.FindByNumber(1)->AddSignal(MakeLoad(50, 40));
    spans.FindByNumber(2)->AddSignal(MakeLoad(20, 40));
    for (TBaseWire *span : spans) {
        span->TensionRelation = 1;
        span->EndElevation = 20;
    }
    spans.SetTension(1000);
    TSpanStatics::ComputeSignalHeights(spans);
    const TBaseSignal *middle = spans.FindByNumber(1)->Signals.First();
    const TBaseSignal *side = spans.FindByNumber(2)->Signals.First();
    EXPECT_LT(middle->Elevation, side->Elevation);
    EXPECT_EQ(middle->HeightAboveLowest, 0);
    EXPECT_NEAR(side->HeightAboveLowest, side->Elevation - middle->Elevation, 1e-12);
    EXPECT_EQ(TSpanStatics::LowestOfSequence(spans), middle->Elevation);
}

} // namespace
} // namespace corvadel
