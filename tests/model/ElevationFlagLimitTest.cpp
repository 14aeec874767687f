// Which junction flags a type lets the user enter at once in the window.
#include "uTopology.h"

#include <gtest/gtest.h>

using namespace corvadel;

namespace {

struct TFlagCase {
    int Type;
    std::string Flags; // TUVYCDG
    std::string Message;
};

class FlagLimit : public ::testing::TestWithParam<TFlagCase> {};

TEST_P(FlagLimit, RefusesWhatTheTypeCannotTake)
{
    const auto &c = GetParam();
    EXPECT_EQ(Topology(c.Type).FlagLimitBroken(c.Flags), c.Message);
}

const std::string Cannot = "In this configuration you cannot enter ";

INSTANTIATE_TEST_SUITE_P(Table, FlagLimit, ::testing::Values(
    TFlagCase{stSimple, "YYYYYYY", ""},
    TFlagCase{stWYE, "YYYYYYY", ""},
    TFlagCase{stH, "YYYNNNN", ""},
    TFlagCase{stH, "NYNNYNN", Cannot + "both U and C elevations"},
    TFlagCase{stDelta, "NNNNYYN", ""},
    // Points a Delta does not show count too.
    TFlagCase{stDelta, "YNNNYYN", Cannot + "more than 2 elevations."},
    TFlagCase{stHybrid, "YNNYYYN", ""},
    TFlagCase{stHybrid, "NYNNYYN", Cannot + "more than 2 elevations of (U, V, C, D)."},
    TFlagCase{stBox, "NNNNYYY", ""},
    TFlagCase{stBox, "YNNNYYY", Cannot + "more than 3 elevations."}));

TEST(FlagLimit, EditableBoxesFollowTheType)
{
    EXPECT_EQ(Topology(stSimple).EditableFlags, "CDG");
    EXPECT_EQ(Topology(stH).EditableFlags, "UCDG");
    EXPECT_EQ(Topology(stHybrid).EditableFlags.find('Y'), std::string::npos);
    EXPECT_EQ(Topology(stBox).EditableFlags, "TUVCDG");
}

} // namespace
