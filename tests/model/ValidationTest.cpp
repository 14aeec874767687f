#include "../support/SampleSignals.h"
#include "ModelTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace corvadel {
namespace {

std::vector<std::string> Messages(const TWireConfiguration &sequence)
{
    std::vector<std::string> messages;
    for (const TTARVOError *error : sequence.Errors) {
        EXPECT_TRUE(error->IsError);
        messages.push_back(error->Message);
    }
    return messages;
}

std::string LengthMessage(int n)
{
    return "The length of the span [L" + std::to_string(n) + "] should be greater than 0";
}

std::string AngleMessage(int n)
{
    return "The value of the angle [A" + std::to_string(n) + "]is not valid for this configuration.";
}

class ValidationTest : public ::testing::Test
{
protected:
    TTARVOParameters Parameters;

    // A sequence of the type that passes every check.
    std::unique_ptr<TWireConfiguration> ValidSequence(int type)
    {
        auto sequence = std::make_unique<TWireConfiguration>(type, Parameters);
        sequence->SetMaxSAG(4);
        sequence->SetMinSAG(2);
        for (TBaseWire *span : sequence->Spans) {
            span->SetLength(100);
            span->SetAngle(60);
        }
        return sequence;
    }
};

TEST_F(ValidationTest, NewSequenceReportsSAGsLengthsAndCheckedAngles)
{
    const int checkedAngles[] = { 0, 0, 2, 4, 6, 6, 8 };
    for (int type = stSimple; type <= stBox; ++type) {
        SCOPED_TRACE(type);
        TWireConfiguration sequence(type, Parameters);
        std::vector<std::string> expected
            = { "The maximum SAG should be greater than 0", "The minimum SAG should be greater than 0" };
        for (int n = 1; n <= sequence.Spans.Count(); ++n)
            expected.push_back(LengthMessage(n));
        for (int n = 1; n <= checkedAngles[type]; ++n)
            expected.push_back(AngleMessage(n));

        EXPECT_FALSE(Validate(sequence));
        EXPECT_EQ(Messages(sequence), expected);
    }
}

TEST_F(ValidationTest, ValidSequencePassesAndAddsNothing)
{
    for (int type = stSimple; type <= stBox; ++type) {
        SCOPED_TRACE(type);
        auto sequence = ValidSequence(type);
        EXPECT_TRUE(Validate(*sequence));
        EXPECT_TRUE(sequence->Errors.Empty());
    }
}

TEST_F(ValidationTest, SAGRules)
{
    struct Case {
        double MinSAG, MaxSAG;
        std::vector<std::string> Expected;
    };
    const Case cases[] = {
        { 2, 2, {} }, { 3, 2, { "Maximum SAG should be greater than minimum SAG" } },
        { -1, 2, { "The minimum SAG should be greater than 0" } },
        { 1, -1,
            { "The maximum SAG should be greater than 0", "Maximum SAG should be greater than minimum SAG",
                "The MaxSAG should be greater than the elevation difference T" } }, // even |0| exceeds it
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.MinSAG);
        auto sequence = ValidSequence(stSimple);
        sequence->SetMinSAG(c.MinSAG);
        sequence->SetMaxSAG(c.MaxSAG);
        EXPECT_EQ(Validate(*sequence), c.Expected.empty());
        EXPECT_EQ(Messages(*sequence), c.Expected);
    }
}

TEST_F(ValidationTest, AngleRulesOfEachType)
{
    struct Case {
        int Type;
        std::vector<std::pair<int, double>> Angles; // span number, angle
        std::vector<int> Failing;
    };
    const Case cases[] = {
        { stSimple, { { 1, 0 } }, {} },
        { stWYE, { { 1, 90 }, { 2, 89.9 }, { 3, 0 } }, { 1 } }, // A3 of a WYE is not checked
        { stWYE, { { 1, -10 } }, { 1 } }, { stH, { { 4, 90 }, { 5, 200 } }, { 4 } },
        { stDelta, { { 1, 80 }, { 2, 100 } }, { 1 } }, // sum 180 is not < 180
        { stDelta, { { 1, 80 }, { 2, 99.9 } }, {} },
        { stDelta, { { 1, 20 }, { 2, 150 }, { 3, 90 }, { 4, 10 } }, { 3 } }, // A2 alone is not limited to 90
        { stDelta, { { 5, 80 }, { 6, 0 } }, { 6 } },
        { stHybrid, { { 6, 90 }, { 7, 0 } }, { 6 } }, // A7 of a Hybrid is not checked
        { stBox, { { 8, 90 } }, { 8 } }, { stBox, { { 7, 95 }, { 8, 80 } }, {} },
        { stBox, { { 7, 95 }, { 8, 85 } }, { 7 } },
        { stBox, { { 1, 95 }, { 2, 100 } }, { 1 } }, // the sum is tested only after A1 passed
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(::testing::Message() << "type " << c.Type << " first angle " << c.Angles.front().second);
        auto sequence = ValidSequence(c.Type);
        for (const auto &[span, angle] : c.Angles)
            sequence->Spans.SetAngleOf(span, angle);
        std::vector<std::string> expected;
        for (int n : c.Failing)
            expected.push_back(AngleMessage(n));
        EXPECT_EQ(Validate(*sequence), expected.empty());
        EXPECT_EQ(Messages(*sequence), expected);
    }
}

TEST_F(ValidationTest, EnteredElevationRulesOfEachType)
{
    const std::string UorC = "In this configuration you should enter U or C elevation.";
    const std::string TwoOf = "In this configuration you should enter at least 2 of U, V, C and D elevation.";
    const std::string ThreeOf = "In this configuration you should enter at least 3 of T, U, V, C, D and G elevation.";
    struct Case {
        int Type;
        std::string Flags;
        std::string Expected; // empty: passes
    };
    const Case cases[] = {
        { stSimple, "NNNNNNN", "" }, { stWYE, "NNNNNNN", "" }, { stH, "NNNNNNN", UorC }, { stH, "NYNNNNN", "" },
        { stH, "NNNNYNN", "" }, { stDelta, "NNNNYNN", TwoOf }, { stDelta, "NYYNNNN", "" },
        { stDelta, "YNNYNNY", TwoOf }, { stHybrid, "YNNYYNN", TwoOf }, { stHybrid, "NNYNNYN", "" },
        { stBox, "NNNNYYN", ThreeOf }, { stBox, "YNNNYYN", "" },
        { stBox, "NNNYYYN", ThreeOf }, // Y does not count for a Box
        // H is worded "U and C must not both be N": any other letter passes,
        // while the others count letters that are "Y".
        { stH, "NyNNNNN", "" }, { stH, "NNNNyNN", "" }, { stH, "NNNNNNN", UorC }, { stH, "NN", UorC },
        { stDelta, "NyYNNNN", TwoOf }, { stBox, "yNNNYYN", ThreeOf },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(::testing::Message() << "type " << c.Type << " flags " << c.Flags);
        auto sequence = ValidSequence(c.Type);
        sequence->Elevations.SetEnteredFlags(c.Flags);
        EXPECT_EQ(Validate(*sequence), c.Expected.empty());
        EXPECT_EQ(Messages(*sequence),
            c.Expected.empty() ? std::vector<std::string> {} : std::vector<std::string> { c.Expected });
    }
}

TEST_F(ValidationTest, ElevationDifferencesMustNotExceedTheMaximumSAG)
{
    auto sequence = ValidSequence(stWYE);
    sequence->Elevations.SetValueOf("U", -5);
    sequence->Elevations.SetValueOf("PV", 500); // base elevations are not differences
    sequence->Elevations.SetValueOf("P3", 500);
    EXPECT_FALSE(Validate(*sequence));
    EXPECT_EQ(Messages(*sequence),
        (std::vector<std::string> { "The MaxSAG should be greater than the elevation difference U" }));

    sequence->Errors.ClearErrors();
    sequence->SetMaxSAG(5);
    EXPECT_TRUE(Validate(*sequence));

    sequence->Elevations.SetValueOf("T", 5.01); // computed points are checked too
    EXPECT_FALSE(Validate(*sequence));
}

TEST_F(ValidationTest, MessagesFollowTheOrderOfTheChecksAndAddToTheList)
{
    auto sequence = ValidSequence(stH);
    sequence->Errors.AddError("earlier");
    sequence->SetMaxSAG(1);
    sequence->SetMinSAG(2);
    sequence->Spans.SetLengthOf(2, 0);
    sequence->Spans.SetAngleOf(3, 0);
    sequence->Elevations.SetValueOf("C", 3);
    sequence->Elevations.SetEnteredFlags("NNNNNNN");

    EXPECT_FALSE(Validate(*sequence));
    EXPECT_EQ(Messages(*sequence),
        (std::vector<std::string> {
            "earlier",
            "Maximum SAG should be greater than minimum SAG",
            LengthMessage(2),
            "The MaxSAG should be greater than the elevation difference C",
            AngleMessage(3),
            "In this configuration you should enter U or C elevation.",
        }));
}

// The statics hold for a SAG small beside its span: half the longest span or
// more is refused, for either SAG, whatever the shorter spans are.
TEST_F(ValidationTest, SAGsMustStayBelowHalfTheLongestSpan)
{
    const std::string maxAt55 = "The maximum SAG should be less than half the longest span (55 ft), not ";
    const std::string minAt55 = "The minimum SAG should be less than half the longest span (55 ft), not ";
    struct Case {
        double MinSAG, MaxSAG;
        std::vector<std::string> Expected;
    };
    const Case cases[] = {
        {3, 54.99, {}},
        {3, 55, {maxAt55 + "55"}},
        {3, 1e308, {maxAt55 + FloatToStr(1e308)}},
        {3, INFINITY, {maxAt55 + FloatToStr(INFINITY)}},
        {60, 60, {maxAt55 + "60", minAt55 + "60"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.MaxSAG);
        auto sequence = ValidSequence(stWYE);
        sequence->Spans.SetLengthOf(2, 110);
        sequence->Spans.SetLengthOf(3, 20);
        sequence->SetMinSAG(c.MinSAG);
        sequence->SetMaxSAG(c.MaxSAG);
        EXPECT_EQ(Validate(*sequence), c.Expected.empty());
        EXPECT_EQ(Messages(*sequence), c.Expected);
    }

    TWireConfiguration lengthless(stSimple, Parameters);
    lengthless.SetMinSAG(2);
    lengthless.SetMaxSAG(4);
    EXPECT_FALSE(Validate(lengthless));
    EXPECT_EQ(Messages(lengthless), std::vector<std::string>{LengthMessage(1)}) << "the length alone is named";
}

// A signal or sign must hang on its span, the ends included; one outside is
// named with its span and distance.
TEST_F(ValidationTest, SignalsAndSignsMustHangOnTheirSpan)
{
    struct Case {
        double Distance;
        bool IsSignal;
        std::string Expected; // empty: passes
    };
    const Case cases[] = {
        {0, true, ""},
        {50, true, ""},
        {100, false, ""},
        {-3, true, "The distance of the signal 1 on the span [L3] should be between 0 and 100 ft, not -3"},
        {100.5, false, "The distance of the sign 1 on the span [L3] should be between 0 and 100 ft, not 100.5"},
        {NAN, true, "The distance of the signal 1 on the span [L3] should be between 0 and 100 ft, not " + FloatToStr(NAN)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.Distance);
        auto sequence = ValidSequence(stH);
        auto item = test::SignalHead(c.Distance);
        item->SetIsSignal(c.IsSignal);
        sequence->Spans.FindByNumber(3)->Signals.Add(std::move(item))->SetNumber(1);
        EXPECT_EQ(Validate(*sequence), c.Expected.empty());
        EXPECT_EQ(Messages(*sequence), c.Expected.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.Expected});
    }
}

} // namespace
} // namespace corvadel
