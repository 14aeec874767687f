#include "../support/NamedCase.h"
#include "EngineTestSupport.h"
#include "uAutomaticCalculation.h"
#include "uTopology.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <complex>
#include <string>
#include <vector>

namespace corvadel {
namespace {

using test::Deg;
using test::Rad;
using Point = std::complex<double>;

// A closed ring figure from its corners in counter-clockwise order, written
// into the working values of a sequence of the type; the spans off the ring
// carry values the completion must leave alone.
TPlanValues FigureFrom(int type, const std::vector<Point> &corners)
{
    TPlanValues values{{11, 12, 13, 14, 15, 16, 17, 18}, {0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8}};
    const auto &lengths = TAutomaticCalculation::LengthSpans(type);
    const auto &angles = TAutomaticCalculation::AngleSpans(type);
    const size_t n = corners.size();
    for (size_t i = 0; i < n; ++i) {
        const Point side = corners[(i + 1) % n] - corners[i];
        const Point next = corners[(i + 2) % n] - corners[(i + 1) % n];
        values.Lengths[size_t(lengths[i] - 1)] = std::abs(side);
        values.Angles[size_t(angles[i] - 1)] = std::arg(next / side); // the turn at the corner
    }
    return values;
}

// Walking the ring side by side, turning by each angle, comes back to the start.
double ClosingGap(int type, const TPlanValues &values)
{
    const auto &lengths = TAutomaticCalculation::LengthSpans(type);
    const auto &angles = TAutomaticCalculation::AngleSpans(type);
    Point at = 0;
    double heading = 0;
    for (size_t i = 0; i < lengths.size(); ++i) {
        at += std::polar(values.Lengths[size_t(lengths[i] - 1)], heading);
        heading += values.Angles[size_t(angles[i] - 1)];
    }
    return std::abs(at) + std::fabs(heading - 2 * Pi);
}

// The figure with only the selected items kept; the others hold rubbish.
TPlanValues Entered(int type, const TPlanValues &figure, int code)
{
    TPlanValues values = figure;
    const auto &lengths = TAutomaticCalculation::LengthSpans(type);
    const auto &angles = TAutomaticCalculation::AngleSpans(type);
    for (size_t i = 0; i < lengths.size(); ++i) {
        if (!((code / 16) & (1 << i)))
            values.Lengths[size_t(lengths[i] - 1)] = 1;
        if (!((code % 16) & (1 << i)))
            values.Angles[size_t(angles[i] - 1)] = 1;
    }
    return values;
}

void ExpectSame(const TPlanValues &expected, const TPlanValues &actual, double tolerance)
{
    for (size_t i = 0; i < expected.Lengths.size(); ++i) {
        EXPECT_NEAR(actual.Lengths[i], expected.Lengths[i], tolerance) << "L" << i + 1;
        EXPECT_NEAR(actual.Angles[i], expected.Angles[i], tolerance / 100) << "A" << i + 1;
    }
}

std::vector<int> ValidCodes(int type)
{
    std::vector<int> codes;
    for (int lengths = 0; lengths < 16; ++lengths)
        for (int angles = 0; angles < 16; ++angles)
            if (const int code = TAutomaticCalculation::SelectionCode(type, lengths, angles))
                codes.push_back(code);
    return codes;
}

bool Matches(const TPlanValues &expected, const TPlanValues &actual, double tolerance)
{
    for (size_t i = 0; i < expected.Lengths.size(); ++i)
        if (std::fabs(actual.Lengths[i] - expected.Lengths[i]) > tolerance
            || std::fabs(actual.Angles[i] - expected.Angles[i]) > tolerance / 100)
            return false;
    return true;
}

TEST(AutomaticCalculation, EveryDeltaSelectionRebuildsItsTriangle)
{
    // One obtuse corner, so the ambiguous cases need the right answer.
    const TPlanValues figure = FigureFrom(stDelta, {{0, 0}, {100, 0}, {-30, 70}});
    const std::vector<int> codes = ValidCodes(stDelta);
    EXPECT_EQ(codes.size(), 1u + 9u + 9u); // 3 lengths; 2 lengths + 1 angle; 1 length + 2 angles
    for (const int code : codes) {
        SCOPED_TRACE("code " + std::to_string(code));
        TPlanValues values = Entered(stDelta, figure, code);
        int asked = 0;
        // Answered from the figure itself, as the engineer who drew it would.
        const auto answer = [&](const std::string &name) {
            ++asked;
            return Deg(figure.Angles[size_t(std::stoi(name.substr(1)) - 1)]) >= 90;
        };
        ASSERT_EQ(TAutomaticCalculation::Complete(stDelta, code, false, answer, values), TCompletion::Solved);
        ExpectSame(figure, values, 1e-9);
        EXPECT_LT(ClosingGap(stDelta, values), 1e-9);
        // Two lengths with an angle not between them fit two triangles.
        const int missing = std::countr_zero(unsigned(~(code / 16) & 7));
        const bool ambiguous = std::popcount(unsigned(code / 16)) == 2 && code % 16 != 1 << ((missing + 1) % 3);
        EXPECT_EQ(asked, ambiguous ? 1 : 0);
    }
}

TEST(AutomaticCalculation, EveryBoxSelectionRebuildsItsQuadrilateral)
{
    const TPlanValues figure = FigureFrom(stBox, {{0, 0}, {120, -10}, {150, 90}, {10, 110}});
    const std::vector<int> codes = ValidCodes(stBox);
    EXPECT_EQ(codes.size(), 4u + 4u * 6u + 6u * 4u); // 4L + 1A; 3L + 2A; 2L + 3A
    const auto never = [](const std::string &) -> bool {
        ADD_FAILURE() << "a Box never asks";
        return false;
    };
    int notSolvable = 0;
    for (const int code : codes) {
        SCOPED_TRACE("code " + std::to_string(code));
        const TPlanValues entered = Entered(stBox, figure, code);
        bool rebuilt = false;
        int solved = 0;
        for (const bool solutionB : {false, true}) {
            TPlanValues values = entered;
            if (TAutomaticCalculation::Complete(stBox, code, solutionB, never, values) != TCompletion::Solved) {
                ExpectSame(entered, values, 0); // a failure leaves the working values alone
                continue;
            }
            ++solved;
            EXPECT_LT(ClosingGap(stBox, values), 0.01);
            rebuilt = rebuilt || Matches(figure, values, 0.01);
        }
        // The entered angles both at the one missing length fix nothing.
        const int lengths = code / 16, angles = code % 16;
        const int missing = std::countr_zero(unsigned(~lengths & 15));
        const bool unsolvable = std::popcount(unsigned(lengths)) == 3
            && angles == ((1 << missing) | (1 << ((missing + 3) % 4)));
        notSolvable += unsolvable;
        EXPECT_EQ(solved > 0, !unsolvable);
        EXPECT_EQ(rebuilt, !unsolvable);
    }
    EXPECT_EQ(notSolvable, 4);
}

TPlanValues Values(const std::vector<double> &lengths, const std::vector<double> &degrees)
{
    TPlanValues values{lengths, {}};
    for (double angle : degrees)
        values.Angles.push_back(Rad(angle));
    values.Lengths.resize(8);
    values.Angles.resize(8);
    return values;
}

const TAngleQuestion NoQuestion = [](const std::string &name) -> bool {
    ADD_FAILURE() << "asked about " << name;
    return false;
};

constexpr int L2 = 1, L3 = 2, L5 = 4, L7 = 8; // length bits
constexpr int A2 = 1, A4 = 2, A6 = 4, A7 = 8; // angle bits

TEST(AutomaticCalculation, DeltaOfEqualSidesHasAnglesOf120Degrees)
{
    TPlanValues three = Values({0, 100, 100, 0, 100, 0}, {});
    ASSERT_EQ(TAutomaticCalculation::Complete(stDelta, (L2 | L3 | L5) * 16, false, NoQuestion, three),
              TCompletion::Solved);
    for (int span : {2, 4, 6})
        EXPECT_NEAR(Deg(three.Angles[size_t(span - 1)]), 120, 1e-9) << span;

    TPlanValues angles = Values({0, 100, 0, 0, 0, 0}, {0, 120, 0, 120, 0, 0});
    ASSERT_EQ(TAutomaticCalculation::Complete(stDelta, L2 * 16 + (A2 | A4), false, NoQuestion, angles),
              TCompletion::Solved);
    EXPECT_NEAR(Deg(angles.Angles[5]), 120, 1e-9);
    EXPECT_NEAR(angles.Lengths[2], 100, 1e-9);
    EXPECT_NEAR(angles.Lengths[4], 100, 1e-9);
}

TEST(AutomaticCalculation, TheAnswerOrTheSolutionPicksTheAcuteOrTheObtuseFigure)
{
    // Delta: L2 = 80 and L3 = 100 with A4 = 140 (interior 40 degrees
    // opposite L2): the interior angle at A6 is 53.5 or 126.5 degrees.
    for (const bool rightOrObtuse : {true, false}) {
        TPlanValues values = Values({0, 80, 100, 0, 0, 0}, {0, 0, 0, 140, 0, 0});
        std::string asked;
        const auto answer = [&](const std::string &name) {
            asked = name;
            return rightOrObtuse;
        };
        ASSERT_EQ(TAutomaticCalculation::Complete(stDelta, (L2 | L3) * 16 + A4, false, answer, values),
                  TCompletion::Solved);
        EXPECT_EQ(asked, "A6");
        const double interior = 180 - Deg(values.Angles[5]);
        EXPECT_EQ(interior < 90, rightOrObtuse) << interior; // A6 >= 90 is an acute corner
        EXPECT_LT(ClosingGap(stDelta, values), 1e-9);
    }
    // Box: L2 = L3 = 100, L5 = 80 with A2 = 90 and A7 = 105: the corner at
    // A6 is acute in Solution A and obtuse in Solution B, and both close.
    ASSERT_TRUE(TAutomaticCalculation::HasTwoSolutions(stBox, (L2 | L3 | L5) * 16 + (A2 | A7)));
    for (const bool solutionB : {false, true}) {
        TPlanValues values = Values({0, 100, 100, 0, 80, 0, 0}, {0, 90, 0, 0, 0, 0, 105});
        ASSERT_EQ(TAutomaticCalculation::Complete(stBox, (L2 | L3 | L5) * 16 + (A2 | A7), solutionB, NoQuestion,
                                                  values),
                  TCompletion::Solved);
        const double interior = 180 - Deg(values.Angles[5]);
        EXPECT_EQ(interior > 90, solutionB) << interior;
        EXPECT_LT(ClosingGap(stBox, values), 1e-9);
    }
}

TEST(AutomaticCalculation, ParallelUnknownSidesAreReportedAndChangeNothing)
{
    // L2 and L5 entered, A2 + A7 = 180 degrees: L3 and L7 never meet.
    const TPlanValues entered = Values({0, 100, 0, 0, 100, 0, 0}, {0, 90, 0, 80, 0, 0, 90});
    TPlanValues values = entered;
    EXPECT_EQ(TAutomaticCalculation::Complete(stBox, (L2 | L5) * 16 + (A2 | A4 | A7), false, NoQuestion, values),
              TCompletion::Parallel);
    ExpectSame(entered, values, 0);
}

struct TRefusedCase : test::TNamedCase {
    int Type;
    int Code;
    std::vector<double> Lengths;
    std::vector<double> Angles; // degrees
};

class AutomaticCalculationRefuses : public ::testing::TestWithParam<TRefusedCase> {};

// Whatever the solvers make of these, the working values stay as entered:
// no half-written figure, no NaN, no zero length, no flat or reflex corner.
TEST_P(AutomaticCalculationRefuses, AndLeavesTheValuesAsTheyWere)
{
    const TRefusedCase &c = GetParam();
    const TPlanValues entered = Values(c.Lengths, c.Angles);
    TPlanValues values = entered;
    EXPECT_EQ(TAutomaticCalculation::Complete(c.Type, c.Code, false, [](const std::string &) { return true; }, values),
              TCompletion::Failed);
    for (size_t i = 0; i < entered.Lengths.size(); ++i) {
        EXPECT_EQ(values.Lengths[i], entered.Lengths[i]) << "L" << i + 1;
        EXPECT_EQ(values.Angles[i], entered.Angles[i]) << "A" << i + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, AutomaticCalculationRefuses, ::testing::Values(
    TRefusedCase{{"DeltaSidesThatDoNotMeet"}, stDelta, (L2 | L3 | L5) * 16, {0, 10, 10, 0, 30, 0}, {}},
    TRefusedCase{{"DeltaWithALengthStillZero"}, stDelta, (L2 | L3 | L5) * 16, {0, 100, 0, 0, 100, 0}, {}},
    TRefusedCase{{"DeltaAnglesLeavingAReflexCorner"}, stDelta, L2 * 16 + (A2 | A4), {0, 100, 0, 0, 0, 0},
                 {0, 60, 0, 60, 0, 0}},
    TRefusedCase{{"DeltaAngleAndSideWithoutATriangle"}, stDelta, (L2 | L3) * 16 + A4, {0, 10, 100, 0, 0, 0},
                 {0, 0, 0, 100, 0, 0}},
    TRefusedCase{{"BoxWithAZeroLength"}, stBox, (L2 | L3 | L5 | L7) * 16 + A2, {0, 100, 100, 0, 100, 0, 0},
                 {0, 90, 0, 0, 0, 0, 0}},
    TRefusedCase{{"BoxAnglesBothAtTheMissingLength"}, stBox, (L2 | L3 | L5) * 16 + (A6 | A7),
                 {0, 100, 100, 0, 100, 0, 0}, {0, 0, 0, 0, 0, 90, 90}},
    TRefusedCase{{"BoxNotConvex"}, stBox, (L2 | L3 | L5) * 16 + (A2 | A4), {0, 100, 100, 0, 300, 0, 0},
                 {0, 170, 0, 170, 0, 0, 0}},
    TRefusedCase{{"BoxFourLengthsNoAngle"}, stBox, (L2 | L3 | L5 | L7) * 16, {0, 100, 100, 0, 100, 0, 100}, {}},
    TRefusedCase{{"NotARingType"}, stWYE, (L2 | L3 | L5) * 16, {100, 100, 100}, {}}),
    test::CaseName());

TEST(AutomaticCalculation, SelectionCodesCountTheEnteredItems)
{
    EXPECT_EQ(TAutomaticCalculation::SelectionCode(stDelta, L2 | L3 | L5, 0), 7 * 16);
    EXPECT_EQ(TAutomaticCalculation::SelectionCode(stDelta, L2 | L5, A4), 5 * 16 + 2);
    EXPECT_EQ(TAutomaticCalculation::SelectionCode(stDelta, L3, A2 | A6), 2 * 16 + 5);
    EXPECT_EQ(TAutomaticCalculation::SelectionCode(stDelta, L2 | L3 | L5, A2), 0);
    EXPECT_EQ(TAutomaticCalculation::SelectionCode(stDelta, 0, A2 | A4 | A6), 0);
    EXPECT_EQ(TAutomaticCalculation::SelectionCode(stDelta, L2 | L3, 0), 0);
    EXPECT_EQ(TAutomaticCalculation::SelectionCode(stDelta, L7, A2 | A4), 0); // no L7 in a Delta
    EXPECT_EQ(TAutomaticCalculation::SelectionCode(stBox, L2 | L3 | L5 | L7, A6), 15 * 16 + 4);
    EXPECT_EQ(TAutomaticCalculation::SelectionCode(stBox, L2 | L3 | L5 | L7, 0), 0);
    EXPECT_EQ(TAutomaticCalculation::SelectionCode(stBox, L2 | L3 | L5, A2 | A4 | A6), 0);
    EXPECT_EQ(TAutomaticCalculation::SelectionCode(stBox, L2, A2 | A4 | A6 | A7), 0);
    EXPECT_EQ(TAutomaticCalculation::SelectionCode(stH, L2 | L3 | L5, 0), 0);
}

TEST(AutomaticCalculation, BoxSelectionsWithTwoSolutions)
{
    // Three lengths and two angles: which pairs fit two figures.
    const std::vector<std::pair<int, std::vector<int>>> twoSolutions = {
        {7, {5, 6, 9, 10}}, {13, {5, 6, 9, 10}}, {11, {3, 5, 10, 12}}, {14, {3, 5, 10, 12}}};
    for (const auto &[lengths, pairs] : twoSolutions)
        for (int angles : {3, 5, 6, 9, 10, 12}) {
            const bool expected = std::find(pairs.begin(), pairs.end(), angles) != pairs.end();
            EXPECT_EQ(TAutomaticCalculation::HasTwoSolutions(stBox, lengths * 16 + angles), expected)
                << lengths << "/" << angles;
        }
    EXPECT_FALSE(TAutomaticCalculation::HasTwoSolutions(stBox, 15 * 16 + 1));
    EXPECT_FALSE(TAutomaticCalculation::HasTwoSolutions(stBox, 3 * 16 + 7));
    EXPECT_FALSE(TAutomaticCalculation::HasTwoSolutions(stDelta, 3 * 16 + 2));
}

} // namespace
} // namespace corvadel
