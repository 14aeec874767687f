#include "ModelTestSupport.h"

#include <gtest/gtest.h>

namespace corvadel {
namespace {

using Pair = std::pair<int, int>; // sequence A, sequence B

std::vector<Pair> Pairs(const TCombinationList &list)
{
    std::vector<Pair> pairs;
    for (const TCombination *combination : list)
        pairs.emplace_back(combination->SequenceA, combination->SequenceB);
    return pairs;
}

TEST(CombinationList, FollowsTheRemovalOfASequence)
{
    struct Case {
        std::vector<Pair> Before;
        int Removed;
        std::vector<Pair> After;
    };
    const Case cases[] = {
        { { { 1, 2 }, { 3, 4 } }, 2, { { 2, 3 } } },
        { { { 1, 3 } }, 5, { { 1, 3 } } },
        { { { 5, 6 } }, 3, { { 4, 5 } } },
        { { { 2, 1 }, { 1, 3 }, { 4, 5 }, { 3, 2 } }, 1, { { 3, 4 }, { 2, 1 } } },
        { {}, 1, {} },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.Removed);
        TCombinationList list;
        for (const auto &[a, b] : c.Before) {
            auto combination = std::make_unique<TCombination>();
            combination->SetSequenceA(a);
            combination->SetSequenceB(b);
            list.Add(std::move(combination));
        }
        list.ClearModified();
        list.SequenceRemoved(c.Removed);
        EXPECT_EQ(Pairs(list), c.After);
        EXPECT_EQ(list.IsModified(), c.Before != c.After);
    }
}

TEST(Combination, TiesTheSamePolesEitherWayRound)
{
    TCombination combination;
    combination.SequenceA = 1;
    combination.PoleA = 2;
    combination.SequenceB = 3;
    combination.PoleB = 4;
    struct Case {
        int SequenceA, PoleA, SequenceB, PoleB;
        bool Ties;
    };
    const Case cases[] = {
        { 1, 2, 3, 4, true },
        { 3, 4, 1, 2, true },
        { 1, 4, 3, 2, false }, // the poles swapped between the sequences
        { 1, 2, 3, 1, false },
        { 2, 2, 3, 4, false },
    };
    for (const Case &c : cases)
        EXPECT_EQ(combination.Ties(c.SequenceA, c.PoleA, c.SequenceB, c.PoleB), c.Ties)
            << c.SequenceA << ' ' << c.PoleA << ' ' << c.SequenceB << ' ' << c.PoleB;
}

// A combination that names a sequence the project lacks, or a pole (not a
// ring) its sequence lacks, is named with what it names, one message a side.
TEST(CombinationList, NamesWhatACombinationNamesThatTheProjectLacks)
{
    struct Case {
        int SequenceA, PoleA, SequenceB, PoleB;
        std::vector<std::string> Expected;
    };
    const std::string named = "The combination 3 (pole ";
    const Case cases[] = {
        {1, 2, 2, 1, {}},
        {1, 2, 2, 3, {}},
        {1, 2, 99, 1,
         {named + "2 of sequence 1 with pole 1 of sequence 99) names sequence 99, which does not exist"}},
        {1, 9, 2, 1,
         {named + "9 of sequence 1 with pole 1 of sequence 2) names pole 9 of sequence 1, which has no such pole "
                  "(its poles are 1, 2)"}},
        {1, 2, 2, 100,
         {named + "2 of sequence 1 with pole 100 of sequence 2) names pole 100 of sequence 2, which has no such pole "
                  "(its poles are 1, 2, 3)"}},
        {0, 0, 7, 1,
         {named + "0 of sequence 0 with pole 1 of sequence 7) names sequence 0, which does not exist",
          named + "0 of sequence 0 with pole 1 of sequence 7) names sequence 7, which does not exist"}},
    };
    TTARVOParameters parameters;
    TWireConfigurationList project(parameters);
    project.AddSequence(stSimple);
    project.AddSequence(stWYE);
    for (const Case &c : cases) {
        SCOPED_TRACE(::testing::Message() << c.SequenceA << "/" << c.PoleA << " with " << c.SequenceB << "/" << c.PoleB);
        project.Combinations.FreeAll();
        TCombination *combination = project.Combinations.Add(std::make_unique<TCombination>());
        combination->SetNumber(3);
        combination->SetSequenceA(c.SequenceA);
        combination->SetPoleA(c.PoleA);
        combination->SetSequenceB(c.SequenceB);
        combination->SetPoleB(c.PoleB);
        EXPECT_EQ(ValidateCombinations(project), c.Expected);
    }
}

TEST(Combination, FourTurnsBringTheDrawingBack)
{
    TCombination combination;
    const double expected[] = { Pi / 2, Pi, 3 * Pi / 2, 0 };
    for (double rotation : expected) {
        combination.RotateA();
        EXPECT_DOUBLE_EQ(combination.RotationOne, rotation);
    }
    combination.RotateB();
    EXPECT_DOUBLE_EQ(combination.RotationTwo, Pi / 2);
    EXPECT_EQ(combination.RotationOne, 0);
}

TEST(Combination, IsBornEmpty)
{
    const TCombination combination;
    EXPECT_EQ(combination.Number, 0);
    EXPECT_EQ(combination.SequenceA, 0);
    EXPECT_EQ(combination.PoleB, 0);
    EXPECT_EQ(combination.ABAngle, 0);
    EXPECT_TRUE(combination.Results.Empty());
    EXPECT_FALSE(combination.IsModified());
}

TEST(CombinationList, ClearingResultsKeepsTheCombinations)
{
    TCombinationList list;
    for (int i = 0; i < 2; ++i) {
        auto combination = std::make_unique<TCombination>();
        auto result = std::make_unique<TCombinationResult>();
        result->AtMaxSAG = false;
        result->CombinedMoment = 10 * (i + 1);
        combination->Results.Add(std::move(result));
        list.Add(std::move(combination));
    }
    EXPECT_EQ(list.First()->Results.FindByAtMaxSAG(false)->CombinedMoment, 10);
    EXPECT_EQ(list.First()->Results.FindByAtMaxSAG(true), nullptr);

    list.ClearCombinationResults();
    EXPECT_EQ(list.Count(), 2);
    for (const TCombination *combination : list)
        EXPECT_TRUE(combination->Results.Empty());
}

TEST(CombinationList, DeletingACombinationMarksTheProject)
{
    TTARVOParameters parameters;
    TWireConfigurationList project(parameters);
    project.Combinations.Add(std::make_unique<TCombination>());
    project.ClearModified();
    project.Combinations.DeleteCombination(0);
    EXPECT_TRUE(project.Combinations.Empty());
    EXPECT_TRUE(project.IsModified());
}

TEST(ResultLists, FindTheFirstMatch)
{
    TWireConfigurationResult record;
    for (int pole : { 1, 2, 2 }) {
        auto result = std::make_unique<TBasePoleResult>();
        result->PoleNumber = pole;
        result->BaseMoment = record.PoleResults.Count();
        record.PoleResults.Add(std::move(result));
    }
    auto span = std::make_unique<TBaseWireResult>();
    span->SpanNumber = 3;
    auto signal = std::make_unique<TBaseSignalResult>();
    signal->SignalNumber = 2;
    span->SignalResults.Add(std::move(signal));
    record.SpanResults.Add(std::move(span));

    EXPECT_EQ(record.PoleResults.FindByPoleNumber(2)->BaseMoment, 1);
    EXPECT_EQ(record.PoleResults.FindByPoleNumber(3), nullptr);
    ASSERT_NE(record.SpanResults.FindBySpanNumber(3), nullptr);
    EXPECT_NE(record.SpanResults.FindBySpanNumber(3)->SignalResults.FindBySignalNumber(2), nullptr);
    EXPECT_EQ(record.SpanResults.FindBySpanNumber(1), nullptr);
}

} // namespace
} // namespace corvadel
