#include "CableModel.h"
#include "EngineTestSupport.h"
#include "uElevationSolver.h"
#include "uTensionRelations.h"

#include <gtest/gtest.h>

#include <map>

namespace corvadel {
namespace {

using test::CableModel;
using test::MakeLoad;
using test::MakeSequence;

// A valid, slightly irregular plan of each type with a few signals hung on it.
std::unique_ptr<TWireConfiguration> Loaded(int type)
{
    const auto &[lengths, angles] = test::IrregularPlan(type);
    auto sequence = MakeSequence(type, lengths, angles);
    sequence->SetWireWeight(1.3);
    sequence->Spans.FindByNumber(1)->AddSignal(MakeLoad(lengths[0] * 0.4, 90));
    if (TBaseWire *span = sequence->Spans.FindByNumber(2)) {
        span->AddSignal(MakeLoad(span->Length * 0.3, 45));
        span->AddSignal(MakeLoad(span->Length * 0.7, 60));
    }
    if (TBaseWire *span = sequence->Spans.FindByNumber(4))
        span->AddSignal(MakeLoad(span->Length * 0.5, 120));
    EXPECT_TRUE(TTensionRelations::ComputeTensionRelations(*sequence));
    sequence->Spans.SetTension(1500);
    return sequence;
}

void Enter(TWireConfiguration &sequence, const std::string &flags, const std::map<char, double> &values)
{
    sequence.Elevations.SetEnteredFlags(flags);
    for (const auto &[name, value] : values)
        sequence.Elevations.SetValueOf(std::string(1, name), value);
}

double Delta(const TWireConfiguration &sequence, int span)
{
    return sequence.Spans.FindByNumber(span)->ElevationDifference;
}

// Junction values implied by the span differences (the relation table).
std::map<char, double> Junctions(const TWireConfiguration &s)
{
    auto d = [&](int k) { return Delta(s, k); };
    switch (s.SequenceType) {
    case stSimple:
        return {{'T', d(1)}};
    case stWYE:
        return {{'T', d(2) - d(1)}, {'U', d(3) - d(1)}};
    case stH:
        return {{'T', d(2) - d(1)}, {'U', d(4) - d(1) + d(3)}, {'V', d(5) - d(4)}, {'C', d(3)}};
    case stDelta:
        return {{'U', d(4) - d(1) + d(3)}, {'V', d(6) - d(4) + d(5)}, {'C', d(3)}, {'D', d(5)}};
    case stHybrid:
        return {{'T', d(2) - d(1)}, {'U', d(4) - d(1) + d(3)}, {'V', d(6) - d(4) + d(5)}, {'Y', d(7) - d(6)},
                {'C', d(3)}, {'D', d(5)}};
    default:
        return {{'T', d(8) - d(1) + d(2)}, {'U', d(4) - d(1) + d(3)}, {'V', d(6) - d(4) + d(5)}, {'C', d(3)},
                {'D', d(5)}, {'G', d(2)}};
    }
}

// The vertical pull of every span meeting a ring, from each span's own cable,
// adds up to zero: a ring carries no load.
void ExpectRingsInBalance(const TWireConfiguration &sequence)
{
    for (const TBasePole *ring : sequence.Poles) {
        if (!ring->IsRing)
            continue;
        double pull = 0, scale = 0;
        for (const TBaseWire *span : sequence.Spans) {
            const CableModel cable(*span, span->TensionRelation * sequence.Spans.Tension, span->ElevationDifference);
            if (span->ToNode == ring->Number)
                pull += cable.PullOnEnd();
            if (span->FromNode == ring->Number)
                pull += cable.PullOnStart();
            scale += std::fabs(cable.PullOnEnd());
        }
        EXPECT_NEAR(pull, 0, 1e-4 * scale) << "ring " << ring->Number;
    }
    // The ring-to-ring loops close.
    if (sequence.SequenceType == stDelta) {
        EXPECT_NEAR(Delta(sequence, 2), Delta(sequence, 3) + Delta(sequence, 5), 1e-9);
    }
    if (sequence.SequenceType == stBox) {
        EXPECT_NEAR(Delta(sequence, 7), Delta(sequence, 2) - Delta(sequence, 3) - Delta(sequence, 5), 1e-9);
    }
}

TEST(ElevationSolver, SimpleSpanTakesTheEnteredT)
{
    auto sequence = Loaded(stSimple);
    Enter(*sequence, "YNNNNNN", {{'T', -2.5}});
    for (double tension : {300.0, 1500.0, 9000.0}) {
        sequence->Spans.SetTension(tension);
        ASSERT_TRUE(TElevationSolver::SolveElevations(*sequence));
        EXPECT_EQ(Delta(*sequence, 1), -2.5);
    }
}

TEST(ElevationSolver, EqualWyeHangsItsRingEquallyBelowThePoles)
{
    auto sequence = MakeSequence(stWYE, {100, 100, 100}, {60, 60});
    sequence->SetWireWeight(2);
    ASSERT_TRUE(TTensionRelations::ComputeTensionRelations(*sequence));
    sequence->Spans.SetTension(1000);
    Enter(*sequence, "YYNNNNN", {{'T', 0}, {'U', 0}});
    ASSERT_TRUE(TElevationSolver::SolveElevations(*sequence));
    // b / a = (w L^2 / 2 / L) / (H / L) = w L^2 / 2H.
    for (int k = 1; k <= 3; ++k)
        EXPECT_NEAR(Delta(*sequence, k), 2 * 100.0 * 100 / 2 / 1000, 1e-9);
}

TEST(ElevationSolver, RingsOfEveryTypeAreInVerticalBalance)
{
    const std::vector<std::pair<int, std::string>> cases = {
        {stWYE, "YYNNNNN"}, {stH, "YYYNNNN"}, {stH, "YNYNYNN"}, {stDelta, "NYYNNNN"},
        {stHybrid, "YNNYYYN"}, {stBox, "NNNNYYY"}, {stBox, "YYYNNNN"},
    };
    for (const auto &[type, flags] : cases) {
        SCOPED_TRACE(Topology(type).TypeName + " " + flags);
        auto sequence = Loaded(type);
        Enter(*sequence, flags, {{'T', 1.2}, {'U', -0.8}, {'V', 0.6}, {'Y', -0.4}, {'C', 0.5}, {'D', -0.3}, {'G', 0.7}});
        ASSERT_TRUE(TElevationSolver::SolveElevations(*sequence));
        ExpectRingsInBalance(*sequence);
        const auto junctions = Junctions(*sequence);
        for (char given : TElevationSolver::GivenJunctions(*sequence))
            EXPECT_NEAR(junctions.at(given), sequence->Elevations.ValueOf(std::string(1, given)), 1e-9) << given;
    }
}

TEST(ElevationSolver, HCalculatesCFromAnEnteredU)
{
    auto sequence = Loaded(stH);
    Enter(*sequence, "YYYNYNN", {{'T', 0.4}, {'U', 1.1}, {'V', -0.2}, {'C', 3}});
    ASSERT_TRUE(TElevationSolver::SolveElevations(*sequence));
    EXPECT_NEAR(Delta(*sequence, 4) - Delta(*sequence, 1) + Delta(*sequence, 3), 1.1, 1e-9);
    EXPECT_NE(Delta(*sequence, 3), 3);

    Enter(*sequence, "YNYNYNN", {});
    ASSERT_TRUE(TElevationSolver::SolveElevations(*sequence));
    EXPECT_EQ(Delta(*sequence, 3), 3);
}

struct JunctionCase {
    int Type;
    std::string Entered; // letters with flag "Y"
    std::string Chosen;  // the members that must come out as entered
};

std::string FlagsOf(const std::string &entered)
{
    std::string flags = "NNNNNNN";
    const std::string order = "TUVYCDG";
    for (char letter : entered)
        flags[order.find(letter)] = 'Y';
    return flags;
}

TEST(ElevationSolver, EveryPairAndTripleReproducesItsEnteredValues)
{
    std::vector<JunctionCase> cases;
    for (const std::string pair : {"UV", "UC", "UD", "VC", "VD"}) {
        cases.push_back({stDelta, pair, pair});
        cases.push_back({stHybrid, "TY" + pair, "TY" + pair});
    }
    cases.push_back({stDelta, "C", "CD"}); // no pair: the entered C and D
    cases.push_back({stHybrid, "TYV", "TYCD"});
    cases.push_back({stDelta, "UVCD", "UV"}); // the first pair wins
    for (const std::string triple : {"TUV", "TUC", "TUD", "TUG", "TVC", "TVD", "TVG", "TCD", "TCG", "TDG",
                                     "UVC", "UVD", "UVG", "UCD", "UCG", "UDG", "VCD", "VCG", "VDG"})
        cases.push_back({stBox, triple, triple});
    cases.push_back({stBox, "TU", "CDG"});
    cases.push_back({stBox, "TUVCDG", "TUV"});

    const std::map<char, double> values = {{'T', 0.9}, {'U', -1.4}, {'V', 0.8}, {'Y', -0.6},
                                           {'C', 1.7}, {'D', -1.1}, {'G', 2.3}};
    for (const JunctionCase &c : cases) {
        SCOPED_TRACE(Topology(c.Type).TypeName + " entered " + c.Entered);
        auto sequence = Loaded(c.Type);
        Enter(*sequence, FlagsOf(c.Entered), values);
        ASSERT_TRUE(TElevationSolver::SolveElevations(*sequence));
        const auto junctions = Junctions(*sequence);
        for (char member : c.Chosen)
            EXPECT_NEAR(junctions.at(member), values.at(member), 1e-9) << member;
        ExpectRingsInBalance(*sequence);
        if (c.Entered.size() > c.Chosen.size() && c.Entered.find(c.Chosen) == 0) {
            // Members beyond the chosen ones are overridden by the solution.
            const char overridden = c.Entered[c.Chosen.size()];
            EXPECT_GT(std::fabs(junctions.at(overridden) - values.at(overridden)), 1e-3) << overridden;
        }
    }
}

TEST(ElevationSolver, BoxSolvedAgainFromItsOwnCGivesTheSameDAndG)
{
    auto sequence = Loaded(stBox);
    Enter(*sequence, FlagsOf("TUV"), {{'T', 0.9}, {'U', -1.4}, {'V', 0.8}});
    ASSERT_TRUE(TElevationSolver::SolveElevations(*sequence));
    const double c = Delta(*sequence, 3), d = Delta(*sequence, 5), g = Delta(*sequence, 2);
    Enter(*sequence, FlagsOf("TUC"), {{'C', c}});
    ASSERT_TRUE(TElevationSolver::SolveElevations(*sequence));
    EXPECT_NEAR(Delta(*sequence, 5), d, 1e-9);
    EXPECT_NEAR(Delta(*sequence, 2), g, 1e-9);
}

TEST(ElevationSolver, SymmetricDeltaCannotSolveDFromUAndC)
{
    auto sequence = MakeSequence(stDelta, {60, 100, 100, 60, 100, 60}, {30, 120, 30, 120, 30, 120});
    ASSERT_TRUE(TTensionRelations::ComputeTensionRelations(*sequence));
    sequence->Spans.SetTension(1000);
    for (TBaseWire *span : sequence->Spans)
        span->ElevationDifference = 7;
    Enter(*sequence, FlagsOf("UC"), {{'U', 1}, {'C', 0.5}});
    EXPECT_FALSE(TElevationSolver::SolveElevations(*sequence));
    ASSERT_EQ(sequence->Errors.Count(), 1);
    EXPECT_EQ(sequence->Errors.First()->Message, "In this symmetrical configuration, elevation C must be calculated.");
    for (const TBaseWire *span : sequence->Spans)
        EXPECT_EQ(span->ElevationDifference, 7);
}

TEST(ElevationSolver, SingularSystemIsAnErrorNotNaN)
{
    // A Box given only C, D and G of which the loop lacks a tension: the
    // relations of spans 6 and 7 vanish, leaving ring 103 without a balance.
    auto sequence = Loaded(stBox);
    sequence->Spans.FindByNumber(6)->TensionRelation = 0;
    sequence->Spans.FindByNumber(7)->TensionRelation = 0;
    sequence->Spans.FindByNumber(5)->TensionRelation = 0;
    Enter(*sequence, FlagsOf("CDG"), {{'C', 0.2}, {'D', 0.1}, {'G', 0.3}});
    EXPECT_FALSE(TElevationSolver::SolveElevations(*sequence));
    ASSERT_EQ(sequence->Errors.Count(), 1);
    EXPECT_EQ(sequence->Errors.First()->Message, TElevationSolver::UndeterminedMessage);
}

} // namespace
} // namespace corvadel
