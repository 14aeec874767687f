#include "EngineTestSupport.h"
#include "uCombinationAnalysis.h"

#include <gtest/gtest.h>

namespace corvadel {
namespace {

// Two sequences whose pole 2 (A) and pole 1 (B) carry the given base moments.
class Combinations : public ::testing::Test
{
protected:
    TTARVOParameters Parameters;
    TWireConfigurationList Project{Parameters};

    void SetUp() override
    {
        Project.AddSequence(stSimple);
        Project.AddSequence(stSimple);
    }

    void Moments(bool atMaxSAG, double ma, double mb)
    {
        for (int number : {1, 2}) {
            auto result = std::make_unique<TWireConfigurationResult>();
            result->AtMaxSAG = atMaxSAG;
            auto pole = std::make_unique<TBasePoleResult>();
            pole->PoleNumber = number == 1 ? 2 : 1;
            pole->BaseMoment = number == 1 ? ma : mb;
            result->PoleResults.Add(std::move(pole));
            Project.FindByNumber(number)->Results.Add(std::move(result));
        }
    }

    TCombination &Combine(double angle, int sequenceB = 2, int poleB = 1)
    {
        auto combination = std::make_unique<TCombination>();
        combination->SetSequenceA(1);
        combination->SetPoleA(2);
        combination->SetSequenceB(sequenceB);
        combination->SetPoleB(poleB);
        combination->SetABAngle(angle);
        return *Project.Combinations.Add(std::move(combination));
    }
};

TEST_F(Combinations, ResultantFollowsTheAngleBetweenTheSpans)
{
    struct Case {
        double Angle, Moment, ResultantAngle;
        bool Warning;
    };
    const double ma = 3000, mb = 4000;
    const std::vector<Case> cases = {
        {0, ma + mb, 0, false},                                    // both pull the same way
        {90, 5000, std::asin(ma / 5000) * 180 / Pi, false},        // at right angles
        {180, mb - ma, 0, true},                                   // opposite
        {120, std::sqrt(ma * ma + mb * mb - ma * mb), 0, true},    // resultant below mb
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.Angle);
        Project.Combinations.FreeAll();
        for (TWireConfiguration *sequence : Project)
            sequence->Results.FreeAll();
        Moments(true, ma, mb);
        TCombination &combination = Combine(c.Angle);
        Project.ClearCombinationWarnings();
        TCombinationAnalysis::CalculateCombinations(Project, true);
        ASSERT_EQ(combination.Results.Count(), 1);
        const TCombinationResult *result = combination.Results.FindByAtMaxSAG(true);
        ASSERT_NE(result, nullptr);
        EXPECT_NEAR(result->CombinedMoment, c.Moment, 1e-6);
        if (c.Angle != 120) {
            EXPECT_NEAR(result->ResultantAngle, c.ResultantAngle, 1e-9);
        }
        EXPECT_EQ(Project.CombinationWarning, c.Warning);
    }
}

TEST_F(Combinations, EqualOppositeMomentsGiveZeroNotNaN)
{
    Moments(true, 2500, 2500);
    TCombination &combination = Combine(180);
    TCombinationAnalysis::CalculateCombinations(Project, true);
    ASSERT_EQ(combination.Results.Count(), 1);
    EXPECT_EQ(combination.Results.First()->CombinedMoment, 0);
    EXPECT_EQ(combination.Results.First()->ResultantAngle, 0);
    EXPECT_TRUE(Project.CombinationWarning);
}

TEST_F(Combinations, NearlyOppositeMomentsKeepAFiniteAngle)
{
    Moments(true, 1e6, 1e6 + 1e-6);
    TCombination &combination = Combine(179.9999999);
    TCombinationAnalysis::CalculateCombinations(Project, true);
    ASSERT_EQ(combination.Results.Count(), 1);
    EXPECT_TRUE(std::isfinite(combination.Results.First()->ResultantAngle));
    EXPECT_LE(std::fabs(combination.Results.First()->ResultantAngle), 90);
}

TEST_F(Combinations, MissingSequenceResultOrPoleIsSkipped)
{
    Moments(true, 100, 200);
    TCombination &missingSequence = Combine(90, 7);
    TCombination &missingPole = Combine(90, 2, 4);
    TCombination &missingCase = Combine(90);
    TCombinationAnalysis::CalculateCombinations(Project, true);
    TCombinationAnalysis::CalculateCombinations(Project, false);
    EXPECT_TRUE(missingSequence.Results.Empty());
    EXPECT_TRUE(missingPole.Results.Empty());
    EXPECT_EQ(missingCase.Results.Count(), 1); // no minimum-SAG results
}

TEST_F(Combinations, ANumberTwoSequencesShareMeansTheFirstOfThem)
{
    Moments(true, 3000, 4000);
    TWireConfiguration *twin = Project.AddSequence(stSimple);
    twin->Number = 2;
    auto result = std::make_unique<TWireConfigurationResult>();
    result->AtMaxSAG = true;
    auto pole = std::make_unique<TBasePoleResult>();
    pole->PoleNumber = 1;
    pole->BaseMoment = 9000;
    result->PoleResults.Add(std::move(pole));
    twin->Results.Add(std::move(result));
    TCombination &combination = Combine(0);
    TCombinationAnalysis::CalculateCombinations(Project, true);
    ASSERT_EQ(combination.Results.Count(), 1);
    EXPECT_NEAR(combination.Results.First()->CombinedMoment, 7000, 1e-9);
}

TEST_F(Combinations, WarningOfTheMaximumSagSurvivesTheMinimumSag)
{
    Moments(true, 1000, 3000);
    Moments(false, 1000, 0); // a resultant of exactly 1000: no warning
    Combine(120);
    Project.ClearCombinationWarnings();
    TCombinationAnalysis::CalculateCombinations(Project, true);
    EXPECT_TRUE(Project.CombinationWarning);
    TCombinationAnalysis::CalculateCombinations(Project, false);
    EXPECT_TRUE(Project.CombinationWarning);
    // Each case keeps its own.
    EXPECT_TRUE(Project.CombinationWarningAt(true));
    EXPECT_FALSE(Project.CombinationWarningAt(false));
}

} // namespace
} // namespace corvadel
