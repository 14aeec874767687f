#include "ModelTestSupport.h"

#include <gtest/gtest.h>

#include <numeric>

namespace corvadel {
namespace {

using test::MakeComposition;
using test::MakeSignal;
using test::SegmentRow;
using test::SegmentRows;
using Rows = std::vector<SegmentRow>;

TEST(NewSpan, HasOneEmptyDefaultSegmentThatGrowsWithTheLength)
{
    TBaseWire span(1.3);
    EXPECT_EQ(SegmentRows(span.Segments), (Rows { { 0, 99, 0, 0 } }));
    const TSegmentComposition &composition = *span.Segments.First()->Compositions.First();
    EXPECT_EQ(composition.WireCode, "FIX");
    EXPECT_EQ(composition.WireType, "FIXED");
    EXPECT_EQ(composition.Description, "");
    EXPECT_EQ(composition.WireWeight, 1.3);
    EXPECT_EQ(composition.Occurrence, 1);

    span.SetLength(100);
    EXPECT_EQ(SegmentRows(span.Segments), (Rows { { 0, 99, 0, 100 } }));
}

TEST(SegmentPoints, AreNamedStartEndOrBySignal)
{
    EXPECT_EQ(SegmentPointName(0), "Start");
    EXPECT_EQ(SegmentPointName(99), "End");
    EXPECT_EQ(SegmentPointName(3), "Signal 3");
}

TEST(SegmentWeight, SumsOccurrenceTimesWeightOverTheLength)
{
    TBaseSegment segment;
    segment.Length = 20;
    segment.Compositions.Add(MakeComposition("A", 1.5, 2));
    segment.Compositions.Add(MakeComposition("B", 0.8, 1));
    EXPECT_DOUBLE_EQ(segment.UnitWeight(), 3.8);
    EXPECT_DOUBLE_EQ(segment.Weight(), 76);
}

// A 100 ft span with signals at 30 and 70; each segment carries a marker
// composition so that the tests can tell which piece kept which wires.
void LoadTwoSignals(TBaseWire &span)
{
    span.SetUniformWeight(false);
    span.SetLength(100);
    span.AddSignal(MakeSignal(30));
    span.AddSignal(MakeSignal(70));
    int marker = 0;
    for (TBaseSegment *segment : span.Segments)
        segment->Compositions.Add(MakeComposition("M" + std::to_string(marker++), 0.1, 1));
}

// The invariants every edit keeps.
void ExpectConsistentChain(const TBaseWire &span)
{
    const int n = span.Signals.Count();
    ASSERT_EQ(span.Segments.Count(), n + 1);
    double total = 0;
    for (int i = 0; i <= n; ++i) {
        const TBaseSegment *segment = span.Segments.Objects(i);
        EXPECT_EQ(segment->StartPoint, i);
        EXPECT_EQ(segment->EndPoint, i == n ? 99 : i + 1);
        const double start = i == 0 ? 0 : span.Signals.FindByNumber(i)->Distance;
        const double end = i == n ? span.Length : span.Signals.FindByNumber(i + 1)->Distance;
        EXPECT_DOUBLE_EQ(segment->StartDistance, start);
        EXPECT_DOUBLE_EQ(segment->Length, end - start);
        total += segment->Length;
    }
    EXPECT_DOUBLE_EQ(total, span.Length);
}

class TwoSignalSpan : public ::testing::Test
{
protected:
    TBaseWire Span { 1 };

    void SetUp() override { LoadTwoSignals(Span); }

    std::vector<std::string> Markers() const
    {
        std::vector<std::string> markers;
        for (const TBaseSegment *segment : Span.Segments)
            markers.push_back(segment->Compositions.Last()->WireCode);
        return markers;
    }
};

TEST_F(TwoSignalSpan, IsCutAtEachSignal)
{
    EXPECT_EQ(SegmentRows(Span.Segments), (Rows { { 0, 1, 0, 30 }, { 1, 2, 30, 40 }, { 2, 99, 70, 30 } }));
}

TEST_F(TwoSignalSpan, AddingASignalSplitsTheSegmentItFallsIn)
{
    Span.AddSignal(MakeSignal(50));
    EXPECT_EQ(
        SegmentRows(Span.Segments), (Rows { { 0, 1, 0, 30 }, { 1, 2, 30, 20 }, { 2, 3, 50, 20 }, { 3, 99, 70, 30 } }));
    EXPECT_EQ(Markers(), (std::vector<std::string> { "M0", "M1", "M1", "M2" }));
    ExpectConsistentChain(Span);
}

TEST_F(TwoSignalSpan, RemovingASignalMergesIntoTheSegmentBeforeIt)
{
    ASSERT_TRUE(Span.RemoveSignal(Span.Signals.FindByNumber(1)));
    EXPECT_EQ(SegmentRows(Span.Segments), (Rows { { 0, 1, 0, 70 }, { 1, 99, 70, 30 } }));
    EXPECT_EQ(Markers(), (std::vector<std::string> { "M0", "M2" }));

    ASSERT_TRUE(Span.RemoveSignal(Span.Signals.FindByNumber(1)));
    EXPECT_EQ(SegmentRows(Span.Segments), (Rows { { 0, 99, 0, 100 } }));
    EXPECT_EQ(Markers(), (std::vector<std::string> { "M0" }));

    const TBaseSignal stranger;
    EXPECT_FALSE(Span.RemoveSignal(&stranger));
}

TEST_F(TwoSignalSpan, MovingWithinTheNeighboursKeepsBothCompositions)
{
    TBaseSignal &signal = *Span.Signals.FindByNumber(1);
    signal.SetDistance(40);
    Span.UpdateSignal(signal);
    EXPECT_EQ(SegmentRows(Span.Segments), (Rows { { 0, 1, 0, 40 }, { 1, 2, 40, 30 }, { 2, 99, 70, 30 } }));
    EXPECT_EQ(Markers(), (std::vector<std::string> { "M0", "M1", "M2" }));
}

TEST_F(TwoSignalSpan, MovingPastANeighbourMergesAndSplits)
{
    TBaseSignal &signal = *Span.Signals.FindByNumber(1);
    signal.SetDistance(80);
    Span.UpdateSignal(signal);
    EXPECT_EQ(signal.Number, 2);
    EXPECT_EQ(SegmentRows(Span.Segments), (Rows { { 0, 1, 0, 70 }, { 1, 2, 70, 10 }, { 2, 99, 80, 20 } }));
    ExpectConsistentChain(Span);
}

TEST(SpanLength, ShorteningCutsTheSegments)
{
    struct Case {
        double Length;
        Rows Expected;
    };
    const Case cases[] = {
        { 60, { { 0, 1, 0, 30 }, { 1, 99, 30, 30 } } },
        { 70, { { 0, 1, 0, 30 }, { 1, 99, 30, 40 } } }, // the signal at 70 goes, and its segment with it
        { 90, { { 0, 1, 0, 30 }, { 1, 2, 30, 40 }, { 2, 99, 70, 20 } } },
        { 0, { { 0, 99, 0, 0 } } },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.Length);
        TBaseWire span(1);
        LoadTwoSignals(span);
        span.SetLength(c.Length);
        EXPECT_EQ(SegmentRows(span.Segments), c.Expected);
        ExpectConsistentChain(span);
    }
}

TEST_F(TwoSignalSpan, ChainStaysConsistentThroughAnyEdits)
{
    const double distances[] = { 12, 88, 50, 5, 95, 61, 61, 33 };
    for (double d : distances) {
        Span.AddSignal(MakeSignal(d));
        ExpectConsistentChain(Span);
    }
    const double moves[] = { 1, 99, 45, 46, 2, 70 };
    for (int i = 0; i < 6; ++i) {
        TBaseSignal *signal = Span.Signals.FindByNumber(i * 3 % Span.Signals.Count() + 1);
        ASSERT_NE(signal, nullptr);
        signal->SetDistance(moves[i]);
        Span.UpdateSignal(*signal);
        ExpectConsistentChain(Span);
    }
    while (!Span.Signals.Empty()) {
        Span.RemoveSignal(Span.Signals.FindByNumber((Span.Signals.Count() + 1) / 2));
        ExpectConsistentChain(Span);
    }
}

TEST_F(TwoSignalSpan, UniformWireMomentIsHalfWeightTimesLength)
{
    Span.SetUniformWeight(true);
    EXPECT_DOUBLE_EQ(Span.Segments.SumWeights(), 100);
    EXPECT_DOUBLE_EQ(Span.Segments.SumMoments(), 1.0 * 100 * 100 / 2);
}

TEST_F(TwoSignalSpan, BecomingUniformLeavesOneDefaultCompositionPerSegment)
{
    Span.SetWireWeight(2);
    EXPECT_EQ(Markers(), (std::vector<std::string> { "M0", "M1", "M2" }));
    Span.SetUniformWeight(true);
    for (const TBaseSegment *segment : Span.Segments) {
        ASSERT_EQ(segment->Compositions.Count(), 1);
        EXPECT_EQ(segment->Compositions.First()->WireCode, "FIX");
        EXPECT_EQ(segment->UnitWeight(), 2);
    }
}

// A rebuild reuses the segments it finds; each must come out as if new.
TEST_F(TwoSignalSpan, RebuildingLeavesOnlyFreshDefaultSegments)
{
    const auto expectFresh = [this] {
        ExpectConsistentChain(Span);
        for (const TBaseSegment *segment : Span.Segments) {
            ASSERT_EQ(segment->Compositions.Count(), 1);
            const TSegmentComposition &composition = *segment->Compositions.First();
            EXPECT_EQ(composition.WireCode, "FIX");
            EXPECT_EQ(composition.WireType, "FIXED");
            EXPECT_EQ(composition.Description, "");
            EXPECT_EQ(composition.WireWeight, 1);
            EXPECT_EQ(composition.Occurrence, 1);
            EXPECT_EQ(composition.SegmentNumber, segment->StartPoint);
        }
        EXPECT_FALSE(Span.Segments.IsModified());
    };
    for (TBaseSegment *segment : Span.Segments) {
        segment->Compositions.First()->SetDescription("painted");
        segment->Compositions.First()->SetOccurrence(3);
        segment->SetModified(true);
    }

    Span.Signals.Delete(0); // fewer signals than segments
    Span.RebuildSegments();
    expectFresh();

    Span.Signals.Add(MakeSignal(10));
    Span.Signals.Add(MakeSignal(90)); // more signals than segments
    Span.RebuildSegments();
    expectFresh();
}

TEST(SegmentRobustness, ResetGivesASegmentWithoutCompositionsTheDefault)
{
    TSegmentList segments;
    segments.DefaultWireWeight = 1.7;
    segments.AddSegment(0, 10, 0)->Compositions.FreeAll();
    segments.ResetCompositions();
    ASSERT_EQ(segments.First()->Compositions.Count(), 1);
    EXPECT_EQ(segments.First()->Compositions.First()->WireWeight, 1.7);
}

TEST(SegmentRobustness, OperationsOnABrokenChainChangeNothingAndSayNo)
{
    TSegmentList segments;
    segments.SpanLength = 50;
    segments.AddSegment(0, 50, 0);
    const Rows before = SegmentRows(segments);
    TBaseSignal signal;
    signal.Number = 4;
    signal.Distance = 20;

    EXPECT_FALSE(segments.MergeAtPoint(4));
    EXPECT_FALSE(segments.MergeAtPoint(0));
    EXPECT_FALSE(segments.MoveSignal(signal));
    EXPECT_EQ(SegmentRows(segments), before);

    TSegmentList empty;
    EXPECT_FALSE(empty.SplitAtSignal(signal));
    EXPECT_FALSE(empty.Truncate());
}

TEST(SegmentRobustness, SpanRebuildsWhenItsSegmentsDoNotMatchItsSignals)
{
    TBaseWire span(1);
    span.SetLength(100);
    span.AddSignal(MakeSignal(30));
    span.AddSignal(MakeSignal(70));
    span.Segments.FreeAll(); // as if a file had lost them

    span.RemoveSignal(span.Signals.FindByNumber(1));
    EXPECT_EQ(SegmentRows(span.Segments), (Rows { { 0, 1, 0, 70 }, { 1, 99, 70, 30 } }));

    span.Segments.FreeAll();
    span.AddSignal(MakeSignal(20));
    EXPECT_EQ(SegmentRows(span.Segments), (Rows { { 0, 1, 0, 20 }, { 1, 2, 20, 50 }, { 2, 99, 70, 30 } }));

    span.Segments.FreeAll();
    span.SetLength(60);
    EXPECT_EQ(SegmentRows(span.Segments), (Rows { { 0, 1, 0, 20 }, { 1, 99, 20, 40 } }));
}

TEST(SegmentCopy, CopiesGeometryDirectlyAndCompositionsThroughSetters)
{
    TBaseSegment source;
    source.StartPoint = 2;
    source.EndPoint = 3;
    source.StartDistance = 12;
    source.Length = 8;
    auto composition = MakeComposition("W", 0.4, 3);
    composition->SegmentNumber = 2;
    source.Compositions.Add(std::move(composition));

    const TBaseSegment copy(source);
    EXPECT_EQ(copy.StartPoint, 2);
    EXPECT_EQ(copy.EndPoint, 3);
    EXPECT_EQ(copy.StartDistance, 12);
    EXPECT_EQ(copy.Length, 8);
    EXPECT_TRUE(copy.IsModified()) << "the copied composition differs from a blank one";
    EXPECT_EQ(copy.Compositions.First()->SegmentNumber, 2);
    EXPECT_DOUBLE_EQ(copy.UnitWeight(), 1.2);
}

// Shortening a span to exactly a signal's distance removes that signal, so
// a zero-length segment starting there would name a signal that no longer
// exists, and the next edits would build on it (a segment ending at a
// signal 3 of a two-signal span). The chain stays whole instead.
TEST(SpanLength, ShorteningToASignalsDistanceKeepsTheChainWholeThroughLaterEdits)
{
    TBaseWire span(1);
    LoadTwoSignals(span);
    span.SetLength(70);
    EXPECT_EQ(span.Signals.Count(), 1);
    ExpectConsistentChain(span);
    span.AddSignal(MakeSignal(50));
    ExpectConsistentChain(span);
    span.SetLength(100);
    ExpectConsistentChain(span);
    EXPECT_EQ(SegmentRows(span.Segments), (Rows { { 0, 1, 0, 30 }, { 1, 2, 30, 20 }, { 2, 99, 50, 50 } }));
}

} // namespace
} // namespace corvadel
