// The shape of each of the six span wire configurations: which spans join
// which poles and rings, which elevation points exist, and the per-type
// rules that validation, the engine and the drawing share.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace corvadel {

enum TSequenceType {
    stSimple = 1,
    stWYE = 2,
    stH = 3,
    stDelta = 4,
    stHybrid = 5,
    stBox = 6,
};

inline constexpr int FirstRingNode = 100;

struct TSpanNodes {
    int Number;
    int FromNode;
    int ToNode;
};

struct TPoleNode {
    int Number;
    bool IsRing;
};

struct TPolePair {
    int PoleA;
    int PoleB;
};

// Two angles whose sum must stay below 180 degrees; a failure is reported
// against the first.
struct TAngleSum {
    int First;
    int Second;
};

// How many of the given junction letters must count as entered: those that
// are "Y", or for a rule worded "must not all be N", those that are not "N".
struct TEnteredRule {
    enum TCounts { LettersY, LettersNotN };
    std::string Letters;
    int Minimum = 0;
    std::string Message;
    TCounts Counts = LettersY;

    bool Counted(char flag) const { return Counts == LettersY ? flag == 'Y' : flag != 'N'; }
};

// At most `Maximum` of the junction letters may be entered ("Y") at once;
// `Message` says so when a click would break it.
struct TFlagLimit {
    std::string Letters;
    int Maximum = 7;
    std::string Message;
};

struct TSequenceTopology {
    int Type = 0;
    std::string TypeName; // initial identification, "Simple"
    std::string ElementName; // project file element, "SIMPLE_SEQUENCE"
    std::vector<TSpanNodes> Spans;
    std::vector<TPoleNode> Poles; // pole list order
    std::vector<std::string> ElevationPoints; // elevation list order
    std::string DefaultEnteredFlags = "NNNNNNN";
    std::vector<TPolePair> PoleDistances; // pole distance entry order
    std::array<int, 5> PoleSpans {}; // span starting at P1..P5, 0 = no such pole
    int SpanC = 0; // span whose difference is C (0 = none)
    int SpanD = 0;
    int SpanG = 0;
    int LastRing = 0; // ring the elevations are referred to (0 = none)
    // Validation: angles A1..A<CheckedAngles> must be > 0; those listed in
    // AnglesBelow90 must be < 90; each pair in AngleSums must add up to < 180.
    int CheckedAngles = 0;
    std::vector<int> AnglesBelow90 {};
    std::vector<TAngleSum> AngleSums {};
    TEnteredRule EnteredRule {}; // Letters empty = no rule
    // Junction letters whose check box the user may click in the window.
    std::string EditableFlags = "CDG";
    TFlagLimit FlagLimit {}; // Letters empty = no limit

    int SpanCount() const { return static_cast<int>(Spans.size()); }
    int PoleDistanceCount() const { return static_cast<int>(PoleDistances.size()); }
    bool HasPoint(const std::string &name) const;
    // The message of FlagLimit when `flags` (in "TUVYCDG" order) break it,
    // "" otherwise.
    std::string FlagLimitBroken(const std::string &flags) const;
    // Span that starts at pole number `pole` (1..5), 0 when there is none.
    int SpanOfPole(int pole) const;
    // Whether angle A<number> passes the angle rules of validation, with
    // `angleOf` giving any angle An in degrees.
    bool AngleValid(int number, const std::function<double(int)> &angleOf) const;
};

bool IsSequenceType(int type);
// The table of a type; an empty topology (no spans, poles or points) for a
// code outside 1 to 6.
const TSequenceTopology &Topology(int type);
// Type whose project file element is `elementName`, 0 when none.
int SequenceTypeOfElement(std::string_view elementName);

} // namespace corvadel
