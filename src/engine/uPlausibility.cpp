#include "uPlausibility.h"

#include "uDesignChecks.h"
#include "uFormats.h"
#include "uGeometry.h"
#include "uGlobalSettings.h"
#include "uLoadedShape.h"
#include "uNodeElevations.h"
#include "uElevationSolver.h"
#include "uResultQuantities.h"
#include "uSequenceIndex.h"
#include "uWires.h"

#include <algorithm>
#include <limits>

namespace corvadel {

namespace {

// Every tension search that gave up says so in these words.
constexpr const char *AbandonedSearch = "The attempted solution was abandoned";
constexpr const char *Degrees = "\xC2\xB0";

std::string Feet(double value)
{
    return NumericText(value) + " ft";
}

std::string CaseName(bool atMaxSAG)
{
    return atMaxSAG ? "maximum SAG" : "minimum SAG";
}

class TSequenceWarnings
{
public:
    TSequenceWarnings(const TWireConfiguration &sequence, double signalClearance)
        : Sequence(sequence)
        , SignalClearance(signalClearance)
    {
    }

    std::vector<TPlausibilityWarning> Collect()
    {
        CheckPlanCloses();
        CheckLargeSAG();
        for (bool atMaxSAG : {true, false})
            if (const TWireConfigurationResult *result = Sequence.Results.FindByAtMaxSAG(atMaxSAG))
                CheckHangers(*result);
        CheckFailedCase();
        return std::move(Found);
    }

private:
    const TWireConfiguration &Sequence;
    const double SignalClearance;
    std::vector<TPlausibilityWarning> Found;

    void Add(TPlausibility kind, const std::string &text, bool atMaxSAG = true)
    {
        Found.push_back({kind, Sequence.Number, "Sequence " + Sequence.DisplayName() + ": " + text, atMaxSAG});
    }

    // The calculation goes on over a ring loop that does not close (its
    // figures are close when the plan misses by little), but says so.
    void CheckPlanCloses()
    {
        if (Sequence.Results.Empty())
            return;
        const TPlanClosure closure = TGeometry::Closure(Sequence);
        if (closure.Closes())
            return;
        std::string facts;
        if (!closure.LoopCloses) {
            std::string names;
            for (int number : closure.LoopAngles)
                names += (names.empty() ? "A" : " + A") + IntToStr(number);
            facts += names + " = " + NumericText(closure.LoopSum) + Degrees + ", 360" + Degrees + " needed; ";
        }
        if (!closure.RingTriangleCloses) {
            const TBaseWire *span5 = Sequence.Spans.FindByNumber(5);
            const double entered = span5 ? span5->Length : 0;
            facts += "L2, L3 and A2 give L5 = " + FeetApart(closure.RingTriangleSide, entered) + ", " +
                     FeetApart(entered, closure.RingTriangleSide) + " entered; ";
        }
        Add(TPlausibility::PlanNotClosed, std::string(closure.LoopCloses ? "the ring triangle" : "the plan") +
                                              " does not close (" + facts +
                                              "pole distances cannot be computed); the results are approximate.");
    }

    void CheckLargeSAG()
    {
        // The spans as calculated: a Box adjusted for balance has its own lengths.
        const TWireConfigurationResult *result = Sequence.Results.FindByAtMaxSAG(true);
        const bool balanced = result && result->AnglesChanged;
        double longest = 0;
        for (const TBaseWire *span : Sequence.Spans) {
            const TBaseWireResult *recorded = balanced ? result->SpanResults.FindBySpanNumber(span->Number) : nullptr;
            longest = std::max(longest, recorded ? recorded->PlanLength : span->Length);
        }
        if (longest > 0 && Sequence.MaxSAG > TPlausibilityCheck::LargeSAGShare * longest)
            Add(TPlausibility::LargeSAG,
                "the maximum SAG of " + Feet(Sequence.MaxSAG) + " is more than 10 % of the longest span (" +
                    Feet(longest) + "); the calculation assumes small sags, so its results are approximate.");
    }

    void CheckHangers(const TWireConfigurationResult &result)
    {
        for (int n = 1; n <= Sequence.Spans.Count(); ++n) {
            const auto shape = TLoadedProfile::Compute(Sequence, result, n, 0, SignalClearance);
            if (!shape)
                continue;
            for (const TLoadedHanger &hanger : shape->Hangers) {
                const double shortfall = shape->ShortfallOf(hanger);
                if (shortfall <= 0)
                    continue;
                Add(TPlausibility::LowHanger,
                    "at the " + CaseName(result.AtMaxSAG) + " the bottom of " + (hanger.IsSignal ? "signal " : "sign ") +
                        IntToStr(hanger.Number) + " of span " + IntToStr(n) + " is " +
                        Feet(shape->ClearanceOf(hanger)) + " above the pavement, " + Feet(shortfall) +
                        " below the minimum signal clearance of " + Feet(SignalClearance) + ".",
                    result.AtMaxSAG);
            }
        }
    }

    bool SearchGaveUp() const
    {
        for (const TTARVOError *error : Sequence.Errors)
            if (error->Message.find(AbandonedSearch) != std::string::npos)
                return true;
        return false;
    }

    // Highest minus lowest pole attachment as the last tension search left
    // the wires: no tension lifts the wire above the lowest attachment.
    double PoleSpread() const
    {
        const TNodeElevations elevations =
            TNodeElevations::FromSpans(Sequence, TElevationSolver::ReferenceNode(Sequence));
        double highest = -std::numeric_limits<double>::infinity();
        double lowest = std::numeric_limits<double>::infinity();
        for (const TBasePole *pole : Sequence.Poles) {
            if (pole->IsRing || !elevations.Has(pole->Number))
                continue;
            highest = std::max(highest, elevations.Of(pole->Number));
            lowest = std::min(lowest, elevations.Of(pole->Number));
        }
        return highest >= lowest ? highest - lowest : 0;
    }

    void CheckFailedCase()
    {
        const bool maxSolved = Sequence.Results.FindByAtMaxSAG(true) != nullptr;
        const bool minWanted = Sequence.MinSAG < Sequence.MaxSAG;
        const bool minSolved = Sequence.Results.FindByAtMaxSAG(false) != nullptr;
        if (maxSolved && (!minWanted || minSolved))
            return;
        const bool atMaxSAG = !maxSolved;
        if (!atMaxSAG)
            Add(TPlausibility::MinSAGFailed,
                "the minimum SAG of " + Feet(Sequence.MinSAG) +
                    " could not be calculated; only the maximum-SAG results are shown. " + LastError());
        if (!SearchGaveUp())
            return;
        const double target = atMaxSAG ? Sequence.MaxSAG : Sequence.MinSAG;
        const double spread = PoleSpread();
        if (spread >= target)
            Add(TPlausibility::UnreachableSAG,
                "the " + CaseName(atMaxSAG) + " of " + Feet(target) +
                    " cannot be reached: the pole attachments alone differ by " + Feet(spread) +
                    " in height, and the wire hangs at least that far below the highest one.",
                atMaxSAG);
    }

    std::string LastError() const
    {
        if (Sequence.Errors.Empty())
            return {};
        std::string text = Sequence.Errors.Objects(Sequence.Errors.Count() - 1)->Message;
        for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n"))
            text.replace(at, 2, " ");
        return text;
    }
};

} // namespace

const char *PlausibilityName(TPlausibility kind)
{
    switch (kind) {
    case TPlausibility::LargeSAG:
        return "largeSAG";
    case TPlausibility::LowHanger:
        return "lowHanger";
    case TPlausibility::UnreachableSAG:
        return "unreachableSAG";
    case TPlausibility::MinSAGFailed:
        return "minSAGFailed";
    case TPlausibility::PlanNotClosed:
        return "planNotClosed";
    case TPlausibility::WireOverloaded:
        return "wireOverloaded";
    case TPlausibility::PoleOverloaded:
        return "poleOverloaded";
    }
    return "";
}

std::vector<TPlausibilityWarning> TPlausibilityCheck::Warnings(const TWireConfiguration &sequence,
                                                               double signalClearance)
{
    return TSequenceWarnings(sequence, signalClearance).Collect();
}

namespace {

// The design checks' warnings of one sequence; with `sharedPoles` those of
// the combinations it is part of too.
void AddCheckWarnings(const TWireConfigurationList &project, const TWireConfiguration &sequence, bool sharedPoles,
                      std::vector<TPlausibilityWarning> &found)
{
    const auto add = [&](TPlausibility kind, const std::string &text, bool atMaxSAG) {
        found.push_back({kind, sequence.Number, "Sequence " + sequence.DisplayName() + ": " + text, atMaxSAG});
    };
    for (const TWireConfigurationResult *result : sequence.Results) {
        const TWireCheck wire = TDesignChecks::Wire(sequence, *result, project.Catalogue(), project.Parameters(),
                                                    TDesignChecks::TSuggest::SameGrade);
        if (!wire.Holds())
            add(TPlausibility::WireOverloaded, TDesignChecks::WireOverloadText(wire, result->AtMaxSAG), result->AtMaxSAG);
        for (const TPoleCheck &pole : TDesignChecks::Poles(sequence, *result))
            if (!pole.Holds())
                add(TPlausibility::PoleOverloaded, TDesignChecks::PoleOverloadText(pole, result->AtMaxSAG),
                    result->AtMaxSAG);
    }
    if (!sharedPoles)
        return;
    const TSequenceIndex sequences(project);
    for (bool atMaxSAG : {true, false})
        for (const TCombination *combination : project.Combinations) {
            if (combination->SequenceA != sequence.Number && combination->SequenceB != sequence.Number)
                continue;
            const auto shared = TDesignChecks::Combination(sequences, *combination, atMaxSAG);
            if (shared && !shared->Holds())
                add(TPlausibility::PoleOverloaded, TDesignChecks::CombinationOverloadText(*shared, atMaxSAG), atMaxSAG);
        }
}

} // namespace

std::vector<TPlausibilityWarning> TPlausibilityCheck::Warnings(const TWireConfigurationList &project,
                                                               const TWireConfiguration &sequence)
{
    auto found = Warnings(sequence, project.Parameters().MinSignalClearance);
    AddCheckWarnings(project, sequence, true, found);
    return found;
}

std::vector<TPlausibilityWarning> TPlausibilityCheck::Warnings(const TWireConfigurationList &project)
{
    std::vector<TPlausibilityWarning> all;
    for (const TWireConfiguration *sequence : project) {
        auto found = Warnings(*sequence, project.Parameters().MinSignalClearance);
        AddCheckWarnings(project, *sequence, false, found);
        all.insert(all.end(), std::make_move_iterator(found.begin()), std::make_move_iterator(found.end()));
    }
    // A shared pole once, under the first sequence that names it.
    for (bool atMaxSAG : {true, false})
        for (const TCombinationCheck &shared : TDesignChecks::Combinations(project, atMaxSAG)) {
            if (shared.Holds())
                continue;
            const TWireConfiguration *first = project.FindByNumber(shared.Combination->SequenceA);
            all.push_back({TPlausibility::PoleOverloaded, shared.Combination->SequenceA,
                           "Sequence " + (first ? first->DisplayName() : IntToStr(shared.Combination->SequenceA)) +
                               ": " + TDesignChecks::CombinationOverloadText(shared, atMaxSAG),
                           atMaxSAG});
        }
    return all;
}

std::vector<std::string> TPlausibilityCheck::Listing(const TWireConfigurationList &project)
{
    std::vector<std::string> lines;
    for (const TPlausibilityWarning &warning : Warnings(project)) {
        if (lines.empty())
            lines.emplace_back("Warnings");
        lines.push_back(warning.Text);
    }
    return lines;
}

} // namespace corvadel
