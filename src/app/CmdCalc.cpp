// corvadel calc FILE: calculates every sequence of a project and prints the
// results, or the error listing.
#include "Commands.h"
#include "uCalculationRun.h"
#include "uCommandSupport.h"
#include "uCodes.h"
#include "uCombinationAnalysis.h"
#include "uDesignChecks.h"
#include "uGeometry.h"
#include "uGlobalSettings.h"
#include "uJsonWriter.h"
#include "uPlausibility.h"
#include "uResultQuantities.h"
#include "uSequenceCalculation.h"
#include "uSequenceIndex.h"
#include "uSpanStatics.h"
#include "uWires.h"

#include <cmath>
#include <cstdio>
#include <functional>

namespace corvadel {

namespace {

// --- JSON ---

void JsonWireCheck(TJsonWriter &json, const TWireCheck &check)
{
    json.Key("wireCheck").BeginObject();
    json.Key("code").String(check.Code);
    json.Key("breakingStrength");
    check.Checked() ? json.Number(check.BreakingStrength()) : json.Null();
    json.Key("maxWireLoad").Number(check.MaxWireLoad);
    json.Key("usedPercent");
    check.Checked() ? json.Number(check.UsedPercent()) : json.Null();
    if (check.Checked())
        json.Key("holds").Boolean(check.Holds());
    json.Key("suggestions").BeginArray();
    for (const TStrandSuggestion &suggestion : check.Suggestions) {
        json.BeginObject();
        json.Key("code").String(suggestion.Strand->Code);
        json.Key("grade").String(suggestion.Strand->Grade);
        json.Key("breakingStrength").Number(suggestion.Strand->BreakingStrength);
        json.Key("maxWireLoad").Number(suggestion.MaxWireLoad);
        json.EndObject();
    }
    json.EndArray().EndObject();
}

void JsonResult(TJsonWriter &json, const TWireConfigurationList &project, const TWireConfiguration &sequence,
                const TWireConfigurationResult &result)
{
    json.BeginObject();
    json.Key("atMaxSAG").Boolean(result.AtMaxSAG);
    json.Key("targetSAG").Number(result.AtMaxSAG ? sequence.MaxSAG : sequence.MinSAG);
    json.Key("systemSAG").Number(result.SystemSAG);
    json.Key("maxWireLoad").Number(result.MaxWireLoad);
    json.Key("tension").Number(result.Tension);
    json.Key("iterations").Integer(result.Iterations);
    json.Key("rotation").Number(result.Rotation);
    json.Key("initialRotation").Number(result.InitialRotation);
    json.Key("anglesChanged").Boolean(result.AnglesChanged);
    JsonWireCheck(json, TDesignChecks::Wire(sequence, result, project.Catalogue(), project.Parameters()));
    json.Key("spans").BeginArray();
    for (const TBaseWireResult *span : result.SpanResults) {
        json.BeginObject();
        json.Key("number").Integer(span->SpanNumber);
        json.Key("tensionRelation").Number(span->TensionRelation);
        json.Key("elevationDifference").Number(span->ElevationDifference);
        json.Key("endReaction").Number(span->EndReaction);
        json.Key("lowPointDistance").Number(span->LowPointDistance);
        json.Key("sag").Number(span->SAG);
        json.Key("planDirection").Number(span->PlanDirection);
        json.Key("planLength").Number(span->PlanLength);
        json.Key("signals").BeginArray();
        for (const TBaseSignalResult *signal : span->SignalResults) {
            json.BeginObject();
            json.Key("number").Integer(signal->SignalNumber);
            json.Key("isSignal").Boolean(signal->IsSignal);
            json.Key("heightAboveLowest").Number(signal->HeightAboveLowest);
            json.EndObject();
        }
        json.EndArray().EndObject();
    }
    json.EndArray();
    const std::vector<TPoleCheck> poleChecks = TDesignChecks::Poles(sequence, result);
    json.Key("poles").BeginArray();
    for (const TBasePoleResult *pole : result.PoleResults) {
        json.BeginObject();
        json.Key("number").Integer(pole->PoleNumber);
        json.Key("stringingTension").Number(pole->StringingTension);
        json.Key("baseMoment").Number(pole->BaseMoment);
        json.Key("attachmentElevation").Number(pole->AttachmentElevation);
        json.Key("attachmentHeight").Number(pole->AttachmentHeight);
        json.Key("planAngle").Number(pole->PlanAngle);
        json.Key("calculatedPlanAngle").Number(pole->CalculatedPlanAngle);
        const auto check = std::find_if(poleChecks.begin(), poleChecks.end(),
                                        [pole](const TPoleCheck &c) { return c.Pole == pole->PoleNumber; });
        if (check != poleChecks.end()) {
            json.Key("allowableMoment").Number(check->Allowable);
            json.Key("momentUsedPercent").Number(check->UsedPercent());
            json.Key("momentHolds").Boolean(check->Holds());
        }
        json.EndObject();
    }
    json.EndArray().EndObject();
}

void JsonSequence(TJsonWriter &json, const TWireConfigurationList &project, TWireConfiguration &sequence)
{
    const TTARVOParameters &parameters = project.Parameters();
    json.BeginObject();
    json.Key("number").Integer(sequence.Number);
    json.Key("identification").String(sequence.Identification);
    json.Key("type").String(sequence.Topology().TypeName);
    json.Key("typeCode").Integer(sequence.SequenceType);
    json.Key("complete").Boolean(TGeometry::IsComplete(sequence));
    json.Key("valid").Boolean(TGeometry::IsValid(sequence));
    json.Key("poleDistances");
    if (TGeometry::ComputePlanLayout(sequence)) {
        json.BeginArray();
        for (const TPoleDistance *entry : sequence.PoleDistances)
            json.Number(entry->Distance);
        json.EndArray();
    } else {
        json.Null();
    }
    json.Key("windFactor").Number(TSequenceCalculation::WindFactor(sequence, parameters));
    json.Key("governingFactor").Number(TSequenceCalculation::GoverningFactor(sequence, parameters));
    json.Key("errors").BeginArray();
    for (const TTARVOError *error : sequence.Errors)
        if (error->IsError)
            json.String(error->Message);
    json.EndArray();
    json.Key("results").BeginArray();
    for (const TWireConfigurationResult *result : sequence.Results)
        JsonResult(json, project, sequence, *result);
    json.EndArray().EndObject();
}

std::string JsonReport(TWireConfigurationList &project, bool ok)
{
    TJsonWriter json;
    json.BeginObject();
    json.Key("ok").Boolean(ok);
    json.Key("errorListing").BeginArray();
    if (!ok)
        for (const std::string &line : TCalculationRun::ErrorListing(project))
            json.String(line);
    json.EndArray();
    json.Key("combinationErrors").BeginArray();
    for (const std::string &problem : ValidateCombinations(project))
        json.String(problem);
    json.EndArray();
    json.Key("combinationWarning").Boolean(project.CombinationWarning);
    json.Key("combinationWarnings").BeginObject();
    json.Key("maxSAG").Boolean(project.CombinationWarningAt(true));
    json.Key("minSAG").Boolean(project.CombinationWarningAt(false));
    json.EndObject();
    json.Key("warnings").BeginArray();
    for (const TPlausibilityWarning &warning : TPlausibilityCheck::Warnings(project)) {
        json.BeginObject();
        json.Key("sequence").Integer(warning.Sequence);
        json.Key("kind").String(PlausibilityName(warning.Kind));
        json.Key("text").String(warning.Text);
        json.EndObject();
    }
    json.EndArray();
    json.Key("sequences").BeginArray();
    for (TWireConfiguration *sequence : project)
        JsonSequence(json, project, *sequence);
    json.EndArray();
    json.Key("combinations").BeginArray();
    const TSequenceIndex sequences(project);
    for (const TCombination *combination : project.Combinations) {
        json.BeginObject();
        json.Key("poleA").Integer(combination->PoleA);
        json.Key("sequenceA").Integer(combination->SequenceA);
        json.Key("poleB").Integer(combination->PoleB);
        json.Key("sequenceB").Integer(combination->SequenceB);
        json.Key("abAngle").Number(combination->ABAngle);
        json.Key("results").BeginArray();
        for (const TCombinationResult *result : combination->Results) {
            json.BeginObject();
            json.Key("atMaxSAG").Boolean(result->AtMaxSAG);
            json.Key("combinedMoment").Number(result->CombinedMoment);
            json.Key("resultantAngle").Number(result->ResultantAngle);
            if (const auto check = TDesignChecks::Combination(sequences, *combination, result->AtMaxSAG)) {
                json.Key("allowableMoment").Number(check->Allowable);
                json.Key("momentUsedPercent").Number(check->UsedPercent());
                json.Key("momentHolds").Boolean(check->Holds());
            }
            json.EndObject();
        }
        json.EndArray().EndObject();
    }
    json.EndArray().EndObject();
    return json.Text() + "\n";
}

// --- text ---

std::string Pad(const std::string &text, size_t width)
{
    return text.size() >= width ? text + " " : text + std::string(width - text.size(), ' ');
}

std::string Cell(const std::string &text)
{
    constexpr size_t Width = 13;
    return text.size() >= Width ? " " + text : std::string(Width - text.size(), ' ') + text;
}

// A grid of labelled rows with one value column per item.
template<class Item>
std::string Grid(const std::string &caption, const std::vector<const Item *> &items,
                 const std::function<std::string(const Item &)> &heading,
                 const std::vector<std::pair<std::string, std::function<std::string(const Item &)>>> &rows)
{
    constexpr size_t LabelWidth = 42;
    std::string text = "    " + Pad(caption, LabelWidth);
    for (const Item *item : items)
        text += Cell(heading(*item));
    text += "\n";
    for (const auto &[label, value] : rows) {
        text += "    " + Pad(label, LabelWidth);
        for (const Item *item : items)
            text += Cell(value(*item));
        text += "\n";
    }
    return text;
}

template<class List>
auto Items(const List &list)
{
    std::vector<const std::remove_pointer_t<decltype(*list.begin())> *> items;
    for (const auto *item : list)
        items.push_back(item);
    return items;
}

std::string SignalHeights(const TWireConfigurationResult &result)
{
    int rows = 0;
    for (const TBaseWireResult *span : result.SpanResults)
        rows = std::max(rows, span->SignalResults.Count());
    if (rows == 0)
        return {};
    std::vector<std::pair<std::string, std::function<std::string(const TBaseWireResult &)>>> lines;
    for (int k = 1; k <= rows; ++k)
        lines.push_back({"Weight " + IntToStr(k), [k](const TBaseWireResult &span) {
                             const TBaseSignalResult *signal = span.SignalResults.FindBySignalNumber(k);
                             return signal ? SignalHeightQuantity().Text(*signal) : std::string();
                         }});
    return "    " + std::string(SignalHeightTitle) + " (ft)\n" +
           Grid<TBaseWireResult>("", Items(result.SpanResults),
                                 [](const TBaseWireResult &span) { return "Span " + IntToStr(span.SpanNumber); }, lines);
}

template<class Item>
using TRows = std::vector<std::pair<std::string, std::function<std::string(const Item &)>>>;

// The rows the windows show, then any the text adds.
template<class Item>
TRows<Item> Rows(const std::vector<TResultQuantity<Item>> &shown, const std::vector<TResultQuantity<Item>> &extra = {})
{
    TRows<Item> rows;
    for (const auto *list : {&shown, &extra})
        for (const TResultQuantity<Item> &quantity : *list)
            rows.push_back({quantity.Label, [quantity](const Item &item) { return quantity.Text(item); }});
    return rows;
}

std::string TextResult(const TWireConfigurationList &project, const TWireConfiguration &sequence,
                       const TWireConfigurationResult &result)
{
    const TTARVOParameters &parameters = project.Parameters();
    std::string text = std::string("  ") + (result.AtMaxSAG ? "Max. SAG" : "Min. SAG") + " (" +
                       FloatToStr(result.AtMaxSAG ? sequence.MaxSAG : sequence.MinSAG) + " ft)\n";
    const double windFactor = TSequenceCalculation::WindFactor(sequence, parameters);
    text += "    Calculated Design Factor: " + NumericText(windFactor);
    if (windFactor < parameters.DesignFactor)
        text += "   Warning: using default " + FloatToStr(parameters.DesignFactor);
    text += "\n";
    if (ShowsBalance(sequence))
        text += "    " + BalanceSentence(result.Rotation, result.AnglesChanged) + "\n";
    text += "    Tension (lbs): " + NumericText(result.Tension) + " after " + IntToStr(result.Iterations) + " iteration(s)\n";
    text += "    Maximum Wire Load (lbs): " + NumericText(result.MaxWireLoad) + "\n";
    text += "    Distance between Highest and Lowest Points (ft) : " + NumericText(result.SystemSAG) + "\n";
    // The lengths change only with the angles of a Box adjusted for balance.
    std::vector<TSpanQuantity> plan = {PlanDirectionQuantity()};
    if (result.AnglesChanged)
        plan.push_back(PlanLengthQuantity());
    text += Grid<TBaseWireResult>(
        "Span Values", Items(result.SpanResults),
        [](const TBaseWireResult &span) { return "Span " + IntToStr(span.SpanNumber); }, Rows(SpanQuantities(), plan));
    TRows<TBasePoleResult> poleRows = Rows(PoleQuantities());
    if (TDesignChecks::HasAllowableMoments(sequence))
        poleRows.push_back({TDesignChecks::MomentUsedLabel, [&sequence, &result](const TBasePoleResult &pole) {
                                return TDesignChecks::MomentUsedCells(sequence, result, {pole.PoleNumber}).front();
                            }});
    text += Grid<TBasePoleResult>(
        "Pole Values", Items(result.PoleResults),
        [](const TBasePoleResult &pole) { return "Pole " + IntToStr(pole.PoleNumber); }, poleRows);
    text += "    " + TDesignChecks::WireLine(TDesignChecks::Wire(sequence, result, project.Catalogue(), parameters)) + "\n";
    return text + SignalHeights(result);
}

std::string TextCombinations(const TWireConfigurationList &project)
{
    if (project.Combinations.Empty())
        return {};
    std::string text = "Combinations\n";
    for (bool atMaxSAG : {true, false}) {
        text += std::string("  ") + (atMaxSAG ? "Combination Result [MAX SAG]" : "Combination Result [MIN SAG]") + "\n";
        text += "    First Pole (Pole No., Seq.)  Second Pole (Pole No., Seq.)        Angle  Resultant Base Moment  "
                "Angle of Resultant from Span on 2nd Pole\n";
        for (const TCombination *combination : project.Combinations) {
            const TCombinationResult *result = combination->Results.FindByAtMaxSAG(atMaxSAG);
            text += "    " + Pad(IntToStr(combination->PoleA) + ", " + IntToStr(combination->SequenceA), 29) +
                    Pad(IntToStr(combination->PoleB) + ", " + IntToStr(combination->SequenceB), 30) +
                    Cell(FixedText(combination->ABAngle, 10, 3));
            if (result) {
                text += "  " + Cell(FixedText(result->CombinedMoment, 10, 3)) + "          " +
                        Cell(FixedText(result->ResultantAngle, 10, 3));
            } else
                text += "  (no result)";
            text += "\n";
        }
        for (const TCombinationCheck &check : TDesignChecks::Combinations(project, atMaxSAG))
            text += "    " + TDesignChecks::CombinationLine(check) + "\n";
        if (project.CombinationWarningAt(atMaxSAG))
            text += std::string("  Warning:\n  ") + TCombinationAnalysis::WarningMessage + "\n";
    }
    return text;
}

// Never part of the error listing: a design the calculation accepted may
// still deserve a second look.
std::string TextWarnings(const TWireConfigurationList &project)
{
    std::string text;
    for (const std::string &line : TPlausibilityCheck::Listing(project))
        text += (text.empty() ? "" : "  ") + line + "\n";
    return text;
}

std::string TextReport(const TWireConfigurationList &project, bool ok)
{
    std::string text;
    if (!ok) {
        for (const std::string &line : TCalculationRun::ErrorListing(project)) {
            std::string clean = line;
            std::erase(clean, '\r');
            text += clean + "\n";
        }
        return text + TextWarnings(project);
    }
    for (const TWireConfiguration *sequence : project) {
        text += sequence->DisplayName() + " (" + sequence->Topology().TypeName + ")\n";
        for (const TWireConfigurationResult *result : sequence->Results)
            text += TextResult(project, *sequence, *result);
        for (const TTARVOError *error : sequence->Errors)
            if (error->IsError) {
                std::string clean = error->Message;
                std::erase(clean, '\r');
                text += "  " + clean + "\n";
            }
        text += "\n";
    }
    return text + TextCombinations(project) + TextWarnings(project);
}

} // namespace

int RunCalc(const TArguments &arguments)
{
    const auto settings = CommandSettings("calc", arguments);
    TWireConfigurationList project(settings->Parameters, &settings->CodeList);
    ReadProject(arguments.Operand, project);
    // Like the Calculate command without a current sequence: nothing to run.
    if (project.Empty())
        throw EUsage(arguments.Operand + ": the project holds no sequence to calculate");
    const bool ok = TCalculationRun::RunCalculation(project);
    const std::string report = arguments.Has("--json") ? JsonReport(project, ok) : TextReport(project, ok);
    std::fwrite(report.data(), 1, report.size(), stdout);
    return ok ? 0 : 1;
}

} // namespace corvadel
