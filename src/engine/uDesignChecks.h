// Checks an engineer would otherwise make by hand on a calculated sequence:
// whether the chosen strand holds the max. wire load, and whether each pole
// and each shared pole holds its base moment. They only read the results;
// what they recalculate (the load with another strand) runs on copies.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace corvadel {

class TCombination;
class TCodeList;
class TSequenceIndex;
class TTARVOParameters;
class TTypicalWire;
class TWireConfiguration;
class TWireConfigurationList;
class TWireConfigurationResult;

// The lightest strand of a grade that holds the load it brings itself.
struct TStrandSuggestion {
    const TTypicalWire *Strand = nullptr;
    double MaxWireLoad = 0; // pounds, the sequence recalculated with the strand's weight
};

// A grade none of whose strands holds.
struct TGradeWithout {
    std::string Grade;
    double StrongestBreakingStrength = 0;
};

struct TWireCheck {
    std::string Code; // the sequence's chosen strand; empty when none is chosen
    const TTypicalWire *Strand = nullptr; // none when not chosen or not in the catalogue
    double MaxWireLoad = 0; // pounds, as calculated
    std::vector<TStrandSuggestion> Suggestions; // in the catalogue's order of grades
    std::vector<TGradeWithout> GradesWithout;

    bool Checked() const { return Strand != nullptr; }
    double BreakingStrength() const;
    double UsedPercent() const; // 0 when not checked
    bool Holds() const; // true when not checked
    // The suggestion of the chosen strand's grade, or none.
    const TStrandSuggestion *SameGrade() const;
};

struct TMomentCheck {
    double Moment = 0;    // pound-feet
    double Allowable = 0; // pound-feet
    double UsedPercent() const { return Moment / Allowable * 100; }
    bool Holds() const { return Moment <= Allowable; }
};

struct TPoleCheck : TMomentCheck {
    int Pole = 0;
};

struct TCombinationCheck : TMomentCheck {
    const TCombination *Combination = nullptr;
};

class TDesignChecks
{
public:
    // Which grades to suggest a strand of: the chosen strand's only, or all.
    enum class TSuggest { SameGrade, EveryGrade };

    static TWireCheck Wire(const TWireConfiguration &sequence, const TWireConfigurationResult &result,
                           const TCodeList *catalogue, const TTARVOParameters &parameters,
                           TSuggest suggest = TSuggest::EveryGrade);
    // The max. wire load of the sequence calculated again at the result's
    // SAG with a uniform wire of `weight` lbs/ft (on a copy); infinity when
    // it cannot be calculated so.
    static double LoadWithWeight(const TWireConfiguration &sequence, const TWireConfigurationResult &result,
                                 double weight, const TTARVOParameters &parameters);

    // Every pole of the result whose allowable moment is given.
    static std::vector<TPoleCheck> Poles(const TWireConfiguration &sequence, const TWireConfigurationResult &result);
    static bool HasAllowableMoments(const TWireConfiguration &sequence);
    static constexpr const char *MomentUsedLabel = "Base Moment Used (%)";
    // The row under the poles `numbers`: each used share with one decimal,
    // empty for a pole without an allowable moment.
    static std::vector<std::string> MomentUsedCells(const TWireConfiguration &sequence,
                                                    const TWireConfigurationResult &result,
                                                    const std::vector<int> &numbers);
    // Every combination with a result of the SAG case whose poles give an
    // allowable moment, checked against the smaller one given.
    static std::vector<TCombinationCheck> Combinations(const TWireConfigurationList &project, bool atMaxSAG);
    // The same for one combination; none when it has no result of the case or
    // neither pole gives an allowable moment.
    static std::optional<TCombinationCheck> Combination(const TSequenceIndex &sequences,
                                                        const TCombination &combination, bool atMaxSAG);

    // "Wire: 3/8" EHS, breaking strength 15,400 lbs; max. wire load 14,572.11 lbs (94.6 %)", and what holds.
    static std::string WireLine(const TWireCheck &check);
    // The sentence of an overloaded strand (without the sequence).
    static std::string WireOverloadText(const TWireCheck &check, bool atMaxSAG);
    static std::string PoleOverloadText(const TPoleCheck &check, bool atMaxSAG);
    static std::string CombinationOverloadText(const TCombinationCheck &check, bool atMaxSAG);
    // "Pole 2 of sequence 1 with pole 1 of sequence 2: 62.5 % of the smaller
    // allowable base moment, 40,000.00 ft-lbs", and whether it is exceeded.
    static std::string CombinationLine(const TCombinationCheck &check);
};

// The number with thousands separators and `digits` decimals ("15,400").
std::string GroupedText(double value, int digits);
// "94.6 %"
std::string PercentText(double percent);

} // namespace corvadel
