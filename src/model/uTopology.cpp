#include "uTopology.h"

#include <algorithm>

namespace corvadel {

namespace {

const std::string UorC = "In this configuration you should enter U or C elevation.";
const std::string TwoOfUVCD = "In this configuration you should enter at least 2 of U, V, C and D elevation.";
const std::string CannotEnter = "In this configuration you cannot enter ";
const std::string ThreeOfTUVCDG = "In this configuration you should enter at least 3 of T, U, V, C, D and G elevation.";

std::vector<TSequenceTopology> BuildTopologies()
{
    std::vector<TSequenceTopology> table(7); // index 0: unknown codes
    table[stSimple] = {
        .Type = stSimple,
        .TypeName = "Simple",
        .ElementName = "SIMPLE_SEQUENCE",
        .Spans = { { 1, 2, 1 } },
        .Poles = { { 1, false }, { 2, false } },
        .ElevationPoints = { "PV", "P1", "P2", "T" },
        .DefaultEnteredFlags = "YNNNNNN",
        .PoleDistances = { { 1, 2 } },
        .PoleSpans = { 1, 1, 0, 0, 0 },
    };
    table[stWYE] = {
        .Type = stWYE,
        .TypeName = "WYE",
        .ElementName = "WYE_SEQUENCE",
        .Spans = { { 1, 1, 100 }, { 2, 2, 100 }, { 3, 3, 100 } },
        .Poles = { { 1, false }, { 2, false }, { 3, false }, { 100, true } },
        .ElevationPoints = { "PV", "P1", "P2", "T", "P3", "U" },
        .DefaultEnteredFlags = "YYNNNNN",
        .PoleDistances = { { 1, 2 }, { 1, 3 }, { 2, 3 } },
        .PoleSpans = { 1, 2, 3, 0, 0 },
        .LastRing = 100,
        .CheckedAngles = 2,
        .AnglesBelow90 = { 1, 2 },
    };
    table[stH] = {
        .Type = stH,
        .TypeName = "H",
        .ElementName = "H_SEQUENCE",
        .Spans = { { 1, 1, 100 }, { 2, 2, 100 }, { 3, 101, 100 }, { 4, 3, 101 }, { 5, 4, 101 } },
        .Poles = { { 1, false }, { 2, false }, { 3, false }, { 100, true }, { 101, true }, { 4, false } },
        .ElevationPoints = { "PV", "P1", "P2", "T", "P3", "U", "C", "P4", "V" },
        .DefaultEnteredFlags = "YNYNYNN",
        .PoleDistances = { { 1, 2 }, { 1, 3 }, { 3, 4 }, { 2, 4 }, { 1, 4 }, { 2, 3 } },
        .PoleSpans = { 1, 2, 4, 5, 0 },
        .SpanC = 3,
        .LastRing = 101,
        .CheckedAngles = 4,
        .AnglesBelow90 = { 1, 2, 3, 4 },
        .EnteredRule = { "UC", 1, UorC, TEnteredRule::LettersNotN },
        .EditableFlags = "UCDG",
        .FlagLimit = { "UC", 1, CannotEnter + "both U and C elevations" },
    };
    table[stDelta] = {
        .Type = stDelta,
        .TypeName = "Delta",
        .ElementName = "DELTA_SEQUENCE",
        .Spans = { { 1, 1, 100 }, { 2, 101, 100 }, { 3, 102, 100 }, { 4, 3, 102 }, { 5, 101, 102 }, { 6, 2, 101 } },
        .Poles = { { 1, false }, { 2, false }, { 3, false }, { 100, true }, { 101, true }, { 102, true } },
        .ElevationPoints = { "PV", "P1", "P2", "P3", "U", "C", "V", "D" },
        .DefaultEnteredFlags = "NNNNYYN",
        .PoleDistances = { { 1, 2 }, { 1, 3 }, { 2, 3 } },
        .PoleSpans = { 1, 6, 4, 0, 0 },
        .SpanC = 3,
        .SpanD = 5,
        .LastRing = 101,
        .CheckedAngles = 6,
        .AnglesBelow90 = { 1, 3, 5 },
        .AngleSums = { { 1, 2 }, { 3, 4 }, { 5, 6 } },
        .EnteredRule = { "UVCD", 2, TwoOfUVCD },
        .EditableFlags = "UVCDG",
        .FlagLimit = { "TUVYCDG", 2, CannotEnter + "more than 2 elevations." },
    };
    table[stHybrid] = {
        .Type = stHybrid,
        .TypeName = "Hybrid",
        .ElementName = "HYBRID_SEQUENCE",
        .Spans = { { 1, 1, 100 }, { 2, 2, 100 }, { 3, 101, 100 }, { 4, 3, 101 }, { 5, 102, 101 }, { 6, 4, 102 },
            { 7, 5, 102 } },
        .Poles = { { 1, false }, { 2, false }, { 3, false }, { 100, true }, { 101, true }, { 4, false }, { 102, true },
            { 5, false } },
        .ElevationPoints = { "PV", "P1", "P2", "T", "P3", "U", "C", "P4", "V", "D", "P5", "Y" },
        .DefaultEnteredFlags = "YNNYYYN",
        .PoleDistances = { { 1, 2 }, { 1, 3 }, { 3, 4 }, { 4, 5 }, { 2, 5 }, { 1, 4 }, { 2, 3 } },
        .PoleSpans = { 1, 2, 4, 6, 7 },
        .SpanC = 3,
        .SpanD = 5,
        .LastRing = 102,
        .CheckedAngles = 6,
        .AnglesBelow90 = { 1, 2, 3, 4, 5, 6 },
        .EnteredRule = { "UVCD", 2, TwoOfUVCD },
        .EditableFlags = "UVCDG",
        .FlagLimit = { "UVCD", 2, CannotEnter + "more than 2 elevations of (U, V, C, D)." },
    };
    table[stBox] = {
        .Type = stBox,
        .TypeName = "Box",
        .ElementName = "BOX_SEQUENCE",
        .Spans = { { 1, 1, 100 }, { 2, 101, 100 }, { 3, 102, 100 }, { 4, 3, 102 }, { 5, 103, 102 }, { 6, 4, 103 },
            { 7, 101, 103 }, { 8, 2, 101 } },
        .Poles = { { 1, false }, { 2, false }, { 3, false }, { 100, true }, { 101, true }, { 4, false }, { 102, true },
            { 103, true } },
        .ElevationPoints = { "PV", "P1", "P2", "T", "P3", "U", "C", "P4", "V", "D", "G" },
        .DefaultEnteredFlags = "NNNNYYY",
        .PoleDistances = { { 1, 2 }, { 1, 3 }, { 3, 4 }, { 2, 4 }, { 1, 4 }, { 2, 3 } },
        .PoleSpans = { 1, 8, 4, 6, 0 },
        .SpanC = 3,
        .SpanD = 5,
        .SpanG = 2,
        .LastRing = 101,
        .CheckedAngles = 8,
        .AnglesBelow90 = { 1, 3, 5, 8 },
        .AngleSums = { { 1, 2 }, { 3, 4 }, { 5, 6 }, { 7, 8 } },
        .EnteredRule = { "TUVCDG", 3, ThreeOfTUVCDG },
        .EditableFlags = "TUVCDG",
        .FlagLimit = { "TUVYCDG", 3, CannotEnter + "more than 3 elevations." },
    };
    return table;
}

const std::vector<TSequenceTopology> &Topologies()
{
    static const std::vector<TSequenceTopology> table = BuildTopologies();
    return table;
}

} // namespace

bool TSequenceTopology::HasPoint(const std::string &name) const
{
    return std::find(ElevationPoints.begin(), ElevationPoints.end(), name) != ElevationPoints.end();
}

std::string TSequenceTopology::FlagLimitBroken(const std::string &flags) const
{
    static const std::string order = "TUVYCDG";
    int entered = 0;
    for (const char letter : FlagLimit.Letters) {
        const size_t at = order.find(letter);
        entered += at < flags.size() && flags[at] == 'Y';
    }
    return entered > FlagLimit.Maximum ? FlagLimit.Message : std::string();
}

int TSequenceTopology::SpanOfPole(int pole) const
{
    if (pole < 1 || pole > static_cast<int>(PoleSpans.size()))
        return 0;
    return PoleSpans[static_cast<size_t>(pole - 1)];
}

bool TSequenceTopology::AngleValid(int number, const std::function<double(int)> &angleOf) const
{
    const double angle = angleOf(number);
    if (!(angle > 0))
        return false;
    if (std::find(AnglesBelow90.begin(), AnglesBelow90.end(), number) != AnglesBelow90.end() && !(angle < 90))
        return false;
    for (const TAngleSum &sum : AngleSums)
        if (sum.First == number && !(angle + angleOf(sum.Second) < 180))
            return false;
    return true;
}

bool IsSequenceType(int type)
{
    return type >= stSimple && type <= stBox;
}

const TSequenceTopology &Topology(int type)
{
    return Topologies()[IsSequenceType(type) ? static_cast<size_t>(type) : 0];
}

int SequenceTypeOfElement(std::string_view elementName)
{
    for (int type = stSimple; type <= stBox; ++type)
        if (Topology(type).ElementName == elementName)
            return type;
    return 0;
}

} // namespace corvadel
