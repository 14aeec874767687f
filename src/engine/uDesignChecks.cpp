#include "uDesignChecks.h"

#include "uCodes.h"
#include "uErrors.h"
#include "uFormats.h"
#include "uGlobalSettings.h"
#include "uResultQuantities.h"
#include "uSequenceCalculation.h"
#include "uSequenceIndex.h"
#include "uWires.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <map>

namespace corvadel {

namespace {

std::string Pounds(double value, int digits = 2)
{
    return GroupedText(value, digits) + " lbs";
}

std::string FootPounds(double value)
{
    return GroupedText(value, 2) + " ft-lbs";
}

std::string CaseName(bool atMaxSAG)
{
    return atMaxSAG ? "maximum SAG" : "minimum SAG";
}

std::string SuggestionText(const TStrandSuggestion &suggestion)
{
    return suggestion.Strand->StrandName() + " (breaking strength " + Pounds(suggestion.Strand->BreakingStrength, 0) +
           ", max. wire load " + Pounds(suggestion.MaxWireLoad) + ")";
}

std::string WithoutText(const TGradeWithout &grade)
{
    return "no " + grade.Grade + " strand of the catalogue holds it (the strongest breaks at " +
           Pounds(grade.StrongestBreakingStrength, 0) + ")";
}

std::vector<std::string> GradesInOrder(const std::vector<const TTypicalWire *> &strands)
{
    std::vector<std::string> grades;
    for (const TTypicalWire *strand : strands)
        if (std::find(grades.begin(), grades.end(), strand->Grade) == grades.end())
            grades.push_back(strand->Grade);
    return grades;
}

} // namespace

std::string GroupedText(double value, int digits)
{
    std::string text = FixedText(std::fabs(value), 30, digits);
    const size_t point = std::min(text.find('.'), text.size());
    for (size_t at = point; at > 3; at -= 3)
        text.insert(at - 3, ",");
    return (value < 0 && text.find_first_not_of("0.,") != std::string::npos ? "-" : "") + text;
}

std::string PercentText(double percent)
{
    return FixedText(percent, 15, 1) + " %";
}

double TWireCheck::BreakingStrength() const
{
    return Strand ? Strand->BreakingStrength : 0;
}

double TWireCheck::UsedPercent() const
{
    return Strand ? MaxWireLoad / Strand->BreakingStrength * 100 : 0;
}

bool TWireCheck::Holds() const
{
    return !Strand || MaxWireLoad <= Strand->BreakingStrength;
}

const TStrandSuggestion *TWireCheck::SameGrade() const
{
    if (!Strand)
        return nullptr;
    for (const TStrandSuggestion &suggestion : Suggestions)
        if (suggestion.Strand->Grade == Strand->Grade)
            return &suggestion;
    return nullptr;
}

double TDesignChecks::LoadWithWeight(const TWireConfiguration &sequence, const TWireConfigurationResult &result,
                                     double weight, const TTARVOParameters &parameters)
{
    if (weight == sequence.WireWeight)
        return result.MaxWireLoad;
    TWireConfiguration copy(sequence);
    copy.SetWireWeight(weight);
    // Variable weights keep their compositions: the span wire among them,
    // the chosen strand or the default composition of the sequence's
    // weight, takes the other strand's weight.
    if (copy.VariableWires)
        for (TBaseWire *span : copy.Spans)
            for (TBaseSegment *segment : span->Segments)
                for (TSegmentComposition *composition : segment->Compositions)
                    if ((!sequence.SpanWire.empty() && composition->WireCode == sequence.SpanWire) ||
                        (composition->WireCode == TSegmentComposition::DefaultWireCode &&
                         composition->WireWeight == sequence.WireWeight))
                        composition->WireWeight = weight;
    const double target = result.AtMaxSAG ? sequence.MaxSAG : sequence.MinSAG;
    if (!Validate(copy) || !TSequenceCalculation::CalculateSequence(copy, parameters, result.AtMaxSAG, target))
        return std::numeric_limits<double>::infinity();
    return copy.Results.Objects(copy.Results.Count() - 1)->MaxWireLoad;
}

TWireCheck TDesignChecks::Wire(const TWireConfiguration &sequence, const TWireConfigurationResult &result,
                               const TCodeList *catalogue, const TTARVOParameters &parameters, TSuggest suggest)
{
    TWireCheck check;
    check.Code = sequence.SpanWire;
    check.MaxWireLoad = result.MaxWireLoad;
    if (!catalogue)
        return check;
    check.Strand = check.Code.empty() ? nullptr : catalogue->FindStrand(check.Code);
    if (suggest == TSuggest::SameGrade && (!check.Strand || check.Holds()))
        return check;
    std::vector<const TTypicalWire *> strands = catalogue->Strands();
    std::stable_sort(strands.begin(), strands.end(),
                     [](const TTypicalWire *a, const TTypicalWire *b) { return a->Weight < b->Weight; });
    std::vector<std::string> grades = GradesInOrder(catalogue->Strands());
    if (suggest == TSuggest::SameGrade)
        grades = {check.Strand->Grade};
    // Strands of one size share a weight across grades: one calculation each.
    std::map<double, double> loads;
    const auto loadAt = [&](double weight) {
        const auto known = loads.find(weight);
        if (known != loads.end())
            return known->second;
        return loads[weight] = LoadWithWeight(sequence, result, weight, parameters);
    };
    for (const std::string &grade : grades) {
        double strongest = 0;
        bool found = false;
        for (const TTypicalWire *strand : strands) {
            if (strand->Grade != grade)
                continue;
            strongest = std::max(strongest, strand->BreakingStrength);
            const double load = loadAt(strand->Weight);
            if (strand->BreakingStrength >= load) {
                check.Suggestions.push_back({strand, load});
                found = true;
                break;
            }
        }
        if (!found)
            check.GradesWithout.push_back({grade, strongest});
    }
    return check;
}

std::vector<TPoleCheck> TDesignChecks::Poles(const TWireConfiguration &sequence, const TWireConfigurationResult &result)
{
    std::vector<TPoleCheck> checks;
    for (const TBasePoleResult *poleResult : result.PoleResults) {
        const TBasePole *pole = sequence.Poles.FindByNumber(poleResult->PoleNumber);
        if (!pole || pole->AllowableMoment <= 0)
            continue;
        TPoleCheck check;
        check.Moment = poleResult->BaseMoment;
        check.Allowable = pole->AllowableMoment;
        check.Pole = poleResult->PoleNumber;
        checks.push_back(check);
    }
    return checks;
}

bool TDesignChecks::HasAllowableMoments(const TWireConfiguration &sequence)
{
    for (const TBasePole *pole : sequence.Poles)
        if (!pole->IsRing && pole->AllowableMoment > 0)
            return true;
    return false;
}

std::vector<std::string> TDesignChecks::MomentUsedCells(const TWireConfiguration &sequence,
                                                       const TWireConfigurationResult &result,
                                                       const std::vector<int> &numbers)
{
    const std::vector<TPoleCheck> checks = Poles(sequence, result);
    std::vector<std::string> cells;
    for (int number : numbers) {
        const auto check = std::find_if(checks.begin(), checks.end(),
                                        [number](const TPoleCheck &c) { return c.Pole == number; });
        cells.push_back(check == checks.end() ? std::string() : FixedText(check->UsedPercent(), 8, 1));
    }
    return cells;
}

std::optional<TCombinationCheck> TDesignChecks::Combination(const TSequenceIndex &sequences,
                                                            const TCombination &combination, bool atMaxSAG)
{
    const auto allowableOf = [&sequences](int sequenceNumber, int poleNumber) {
        const TWireConfiguration *sequence = sequences.Find(sequenceNumber);
        const TBasePole *pole = sequence ? sequence->Poles.FindByNumber(poleNumber) : nullptr;
        return pole && !pole->IsRing ? pole->AllowableMoment : 0.0;
    };
    const TCombinationResult *result = combination.Results.FindByAtMaxSAG(atMaxSAG);
    const double a = allowableOf(combination.SequenceA, combination.PoleA);
    const double b = allowableOf(combination.SequenceB, combination.PoleB);
    if (!result || (a <= 0 && b <= 0))
        return std::nullopt;
    TCombinationCheck check;
    check.Moment = result->CombinedMoment;
    check.Allowable = a <= 0 ? b : b <= 0 ? a : std::min(a, b);
    check.Combination = &combination;
    return check;
}

std::vector<TCombinationCheck> TDesignChecks::Combinations(const TWireConfigurationList &project, bool atMaxSAG)
{
    const TSequenceIndex sequences(project);
    std::vector<TCombinationCheck> checks;
    for (const TCombination *combination : project.Combinations)
        if (auto check = Combination(sequences, *combination, atMaxSAG))
            checks.push_back(*check);
    return checks;
}

std::string TDesignChecks::WireLine(const TWireCheck &check)
{
    std::string line = "Wire: ";
    if (check.Strand)
        line += check.Strand->StrandName() + ", breaking strength " + Pounds(check.Strand->BreakingStrength, 0) +
                "; max. wire load " + Pounds(check.MaxWireLoad) + " (" + PercentText(check.UsedPercent()) + ")";
    else
        line += (check.Code.empty() ? std::string("not given") : "(unknown code " + check.Code + ")") +
                "; max. wire load " + Pounds(check.MaxWireLoad);
    if (check.Strand && check.Holds())
        return line;
    std::vector<std::string> parts;
    for (const TStrandSuggestion &suggestion : check.Suggestions)
        parts.push_back(SuggestionText(suggestion));
    for (const TGradeWithout &grade : check.GradesWithout)
        parts.push_back(WithoutText(grade));
    if (parts.empty())
        return line;
    line += check.Strand ? "; does not hold. " : ". ";
    if (check.Suggestions.empty())
        parts.front()[0] = char(std::toupper(static_cast<unsigned char>(parts.front()[0]))); // opens the sentence
    else
        line += "Lightest strands that hold: ";
    for (size_t i = 0; i < parts.size(); ++i)
        line += (i == 0 ? "" : "; ") + parts[i];
    return line + ".";
}

std::string TDesignChecks::WireOverloadText(const TWireCheck &check, bool atMaxSAG)
{
    std::string text = "at the " + CaseName(atMaxSAG) + " the max. wire load of " + Pounds(check.MaxWireLoad) +
                       " exceeds the breaking strength of the " + check.Strand->StrandName() + " strand (" +
                       Pounds(check.Strand->BreakingStrength, 0) + ", " + PercentText(check.UsedPercent()) + "); ";
    if (const TStrandSuggestion *same = check.SameGrade())
        return text + "the lightest " + check.Strand->Grade + " strand that holds it is " + SuggestionText(*same) + ".";
    for (const TGradeWithout &grade : check.GradesWithout)
        if (grade.Grade == check.Strand->Grade)
            return text + WithoutText(grade) + ".";
    return text + "no strand of its grade holds it.";
}

std::string TDesignChecks::PoleOverloadText(const TPoleCheck &check, bool atMaxSAG)
{
    return "at the " + CaseName(atMaxSAG) + " the base moment of pole " + IntToStr(check.Pole) + " (" +
           FootPounds(check.Moment) + ") exceeds its allowable base moment of " + FootPounds(check.Allowable) + " (" +
           PercentText(check.UsedPercent()) + ").";
}

std::string TDesignChecks::CombinationOverloadText(const TCombinationCheck &check, bool atMaxSAG)
{
    const TCombination &c = *check.Combination;
    return "at the " + CaseName(atMaxSAG) + " the resultant base moment of pole " + IntToStr(c.PoleA) +
           " of sequence " + IntToStr(c.SequenceA) + " shared with pole " + IntToStr(c.PoleB) + " of sequence " +
           IntToStr(c.SequenceB) + " (" + FootPounds(check.Moment) + ") exceeds the smaller allowable base moment of " +
           FootPounds(check.Allowable) + " (" + PercentText(check.UsedPercent()) + ").";
}

std::string TDesignChecks::CombinationLine(const TCombinationCheck &check)
{
    const TCombination &c = *check.Combination;
    return "Pole " + IntToStr(c.PoleA) + " of sequence " + IntToStr(c.SequenceA) + " with pole " + IntToStr(c.PoleB) +
           " of sequence " + IntToStr(c.SequenceB) + ": " + PercentText(check.UsedPercent()) +
           " of the smaller allowable base moment, " + FootPounds(check.Allowable) +
           (check.Holds() ? "" : "; exceeded");
}

} // namespace corvadel
