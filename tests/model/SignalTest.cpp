#include "ModelTestSupport.h"

#include <gtest/gtest.h>

namespace corvadel {
namespace {

using test::MakeSignal;
using test::SignalDistances;

std::vector<std::string> Codes(const TSignalList &signals)
{
    std::vector<std::string> codes;
    for (const TBaseSignal *signal : signals)
        codes.push_back(signal->Code);
    return codes;
}

TEST(SignalList, SortKeepsTiesInListOrderAndNumbersFromOne)
{
    TSignalList signals;
    signals.Add(MakeSignal(50, 40, "A"));
    signals.Add(MakeSignal(20, 40, "B"));
    signals.Add(MakeSignal(50, 40, "C"));
    signals.Add(MakeSignal(10, 40, "D"));
    signals.SortAndRenumber();

    EXPECT_EQ(Codes(signals), (std::vector<std::string> { "D", "B", "A", "C" }));
    for (int i = 0; i < signals.Count(); ++i)
        EXPECT_EQ(signals.Objects(i)->Number, i + 1);
    EXPECT_EQ(signals.FindByNumber(3)->Code, "A");
    EXPECT_EQ(signals.FindByNumber(5), nullptr);
}

TEST(SignalList, ShorteningASpanDropsSignalsAtOrBeyondTheNewLength)
{
    struct Case {
        double NewLength;
        std::vector<double> Remaining;
    };
    const Case cases[] = {
        { 120, { 30, 70 } }, // lengthening removes nothing
        { 71, { 30, 70 } },
        { 70, { 30 } }, // exactly at the signal
        { 30.5, { 30 } },
        { 30, {} },
        { 0, {} },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.NewLength);
        TBaseWire span(1);
        span.SetLength(100);
        span.AddSignal(MakeSignal(30));
        span.AddSignal(MakeSignal(70));
        span.SetLength(c.NewLength);
        EXPECT_EQ(SignalDistances(span.Signals), c.Remaining);
    }
}

TEST(SignalList, RemoveBeyondCopesWithBrokenNumbering)
{
    TSignalList signals;
    signals.Add(MakeSignal(30)); // never renumbered: both carry number 0
    signals.Add(MakeSignal(80));
    signals.RemoveBeyond(50);
    EXPECT_EQ(SignalDistances(signals), (std::vector<double> { 30 }));
    signals.RemoveBeyond(10);
    EXPECT_TRUE(signals.Empty());
}

TEST(SignalList, SumsApplyTheMultipliers)
{
    TTARVOParameters parameters; // "Area Factor" 0.1
    TSignalList signals;
    auto signal = MakeSignal(10, 40);
    signal->SetLoadMultiplier(1.5);
    signal->SetSimpleAreaFactor(6);
    signal->SetAreaMultiplier(2);
    signals.Add(std::move(signal));

    auto sign = std::make_unique<TBaseSignal>();
    sign->SetSignArea(10);
    sign->SetWeight(1.5);
    sign->SetHanger(5);
    sign->SetSimpleDeadLoad(TBaseSignal::SignTotalWeight(sign->SignArea, sign->Weight, sign->Hanger));
    sign->SetSimpleAreaFactor(TBaseSignal::SignAreaFactor(sign->SignArea, parameters));
    sign->SetDistance(30);
    EXPECT_DOUBLE_EQ(sign->SimpleDeadLoad, 20);
    EXPECT_DOUBLE_EQ(sign->WindArea(), 1);
    signals.Add(std::move(sign));

    EXPECT_DOUBLE_EQ(signals.SumDeadLoads(), 60 + 20);
    EXPECT_DOUBLE_EQ(signals.SumWindAreas(), 12 + 1);
    EXPECT_DOUBLE_EQ(signals.SumMoments(), 60 * 10 + 20 * 30);
}

TEST(SignalCopy, CopiesEveryFieldAndMarksWhereItDiffersFromTheDefaults)
{
    const TBaseSignal blank;
    EXPECT_FALSE(TBaseSignal(blank).IsModified());

    TBaseSignal source;
    source.IsSignal = true;
    source.Weight = 41;
    source.SimpleDeadLoad = 41;
    source.Hanger = 2;
    source.Height = 3.5;
    source.SimpleAreaFactor = 7.2;
    source.LensSize = 12;
    source.Distance = 33;
    source.Sections = 3;
    source.Material = "Aluminium";
    source.SignalType = "S3";
    source.Description = "Main";
    source.Code = "X001";
    source.SignArea = 1;
    source.Number = 2;
    source.LoadMultiplier = 1.25;
    source.AreaMultiplier = 0.5;

    const TBaseSignal copy(source);
    EXPECT_TRUE(copy.IsModified());
    EXPECT_EQ(copy.ToXML()->AsText(), source.ToXML()->AsText());

    TBaseSignal multipliersOnly;
    multipliersOnly.LoadMultiplier = 1;
    multipliersOnly.Number = 0;
    EXPECT_FALSE(TBaseSignal(multipliersOnly).IsModified());
}

} // namespace
} // namespace corvadel
