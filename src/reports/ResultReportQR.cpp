#include "ResultReportQR.h"

#include "uDesignChecks.h"
#include "uFormats.h"
#include "uPageComposer.h"
#include "uPlausibility.h"
#include "uReportText.h"
#include "uResultQuantities.h"
#include "uSequenceCalculation.h"
#include "uWires.h"

namespace corvadel {

namespace {

constexpr double CaptionColumn = 240;
constexpr double SpanLineCaption = 56;

// The columns of the printed spans or poles and, per row of the table of
// displayed quantities, the values under them.
template<class Item, class List>
std::vector<TGridRow> QuantityRows(const std::vector<TResultQuantity<Item>> &quantities, const std::vector<int> &numbers,
                                   const List &results, Item *(List::*find)(int) const)
{
    std::vector<TGridRow> rows;
    for (const TResultQuantity<Item> &quantity : quantities) {
        TGridRow row {quantity.PrintCaption, {}};
        for (int number : numbers) {
            const Item *item = (results.*find)(number);
            row.Cells.push_back(item ? quantity.PrintText(*item) : std::string());
        }
        rows.push_back(row);
    }
    return rows;
}

std::vector<std::string> Headers(const char *name, const std::vector<int> &numbers)
{
    std::vector<std::string> headers;
    for (int number : numbers)
        headers.push_back(Bracketed(std::string(name) + " " + IntToStr(number)));
    return headers;
}

std::string SignalHeights(const TBaseWireResult *span)
{
    std::vector<THangerEntry> entries;
    for (int number = 1; span; ++number) {
        const TBaseSignalResult *signal = span->SignalResults.FindBySignalNumber(number);
        if (!signal)
            break;
        entries.push_back({signal->IsSignal, SignalHeightQuantity().Text(*signal)});
    }
    return HangerLine(entries);
}

class TResultLayout
{
public:
    TResultLayout(TPageSink &sink, const TWireConfigurationList &project, const TWireConfiguration &sequence,
                  const TWireConfigurationResult &result)
        : Page(sink, std::string("RESULT OF FINAL CALCULATION [") + (result.AtMaxSAG ? "MAX SAG" : "MIN SAG") + "]", true),
          Project(project), Sequence(sequence), Result(result)
    {
        for (int n = 1; n <= sequence.Topology().SpanCount(); ++n)
            Spans.push_back(n);
        Poles = PoleNumbers(sequence.Topology());
    }

    void Fill()
    {
        Identification();
        SpanResults();
        PoleResults();
        OtherInformation();
        SignalHeightLines();
        if (Result.AnglesChanged)
            WarpResults();
        Warnings();
        Page.Close();
    }

private:
    TPageComposer Page;
    const TWireConfigurationList &Project;
    const TWireConfiguration &Sequence;
    const TWireConfigurationResult &Result;
    std::vector<int> Spans;
    std::vector<int> Poles;

    double Left() const { return Page.Body().left(); }
    double ColumnWidth() const { return std::min(88.0, (Page.Body().width() - CaptionColumn) / 8); }

    void Identification()
    {
        double x = Page.Inline(Left(), "Sequence #:", CaptionFont) + 4;
        x = Page.Inline(x, IntToStr(Sequence.Number), ValueFont) + 24;
        x = Page.Inline(x, "Configuration Type:", CaptionFont) + 4;
        x = Page.Inline(x, Sequence.Topology().TypeName, ValueFont) + 24;
        Page.CaptionAndValue(x, Page.Body().right() - x, "Problem Identification:", Sequence.Identification);
    }

    void SpanResults()
    {
        Page.Section("Span Results");
        Page.Grid({Left(), CaptionColumn, ColumnWidth()}, Headers("SPAN", Spans),
                  QuantityRows(SpanQuantities(), Spans, Result.SpanResults, &TBaseWireResultList::FindBySpanNumber));
    }

    void PoleResults()
    {
        Page.Section("Pole Results");
        auto rows = QuantityRows(PoleQuantities(), Poles, Result.PoleResults, &TBasePoleResultList::FindByPoleNumber);
        if (TDesignChecks::HasAllowableMoments(Sequence))
            rows.push_back({TDesignChecks::MomentUsedLabel, TDesignChecks::MomentUsedCells(Sequence, Result, Poles)});
        Page.Grid({Left(), CaptionColumn, ColumnWidth()}, Headers("POLE", Poles), rows);
    }

    void OtherInformation()
    {
        const TTARVOParameters &parameters = Project.Parameters();
        const double width = Page.Body().width();
        Page.Section("Other information");
        const double factor = TSequenceCalculation::WindFactor(Sequence, parameters);
        Page.CaptionAndValue(Left(), width, "Calculated Design Factor :", FixedText(factor, 6, 2));
        if (factor < parameters.DesignFactor) {
            Page.Inline(Left() + 12, "Warning: using default " + FloatToStr(parameters.DesignFactor), ValueFont);
            Page.Skip(TPageComposer::RowPitch);
        }
        if (ShowsBalance(Sequence)) {
            Page.Inline(Left(), PrintedBalanceSentence(Result.Rotation, Result.AnglesChanged, Result.InitialRotation),
                        CaptionFont);
            Page.Skip(TPageComposer::RowPitch);
        }
        Page.CaptionAndValue(Left(), width, "Distance between Highest and Lowest Point (ft) :",
                             FixedText(Result.SystemSAG, 6, 2));
        Page.CaptionAndValue(Left(), width, "Max. Wire Load (lbs):", FixedText(Result.MaxWireLoad, 8, 2));
        const TWireCheck wire = TDesignChecks::Wire(Sequence, Result, Project.Catalogue(), parameters);
        Page.Reserve(TPageComposer::RowPitch);
        Page.Skip(Page.Paragraph(Left(), width, TDesignChecks::WireLine(wire), ValueFont));
    }

    void SignalHeightLines()
    {
        Page.Section("Height of each signal or sign attachment point above the lowest (ft)");
        for (int n : Spans) {
            Page.Reserve(TPageComposer::RowPitch);
            Page.Inline(Left(), "Span " + IntToStr(n), CaptionFont);
            const double height = Page.Paragraph(Left() + SpanLineCaption, Page.Body().width() - SpanLineCaption,
                                                 SignalHeights(Result.SpanResults.FindBySpanNumber(n)), ValueFont);
            Page.Skip(height);
        }
    }

    void Warnings()
    {
        // Each case's report carries its own warnings, so none is printed twice.
        auto warnings = TPlausibilityCheck::Warnings(Project, Sequence);
        std::erase_if(warnings, [this](const TPlausibilityWarning &w) { return w.AtMaxSAG != Result.AtMaxSAG; });
        if (warnings.empty())
            return;
        Page.Section("Warnings");
        for (const TPlausibilityWarning &warning : warnings) {
            Page.Reserve(TPageComposer::RowPitch);
            Page.Skip(Page.Paragraph(Left(), Page.Body().width(), warning.Text, ValueFont));
        }
    }

    void WarpResults()
    {
        Page.Reserve(TPageComposer::RowPitch * 8);
        Page.Section("Warp Results");
        const TGridLayout layout {Left(), CaptionColumn, ColumnWidth()};
        std::vector<std::string> spans;
        TGridRow rotations {"Span Rotation", {}};
        // The span that leaves each pole, by pole.
        for (const auto &[span, pole] : {std::pair {1, 1}, {4, 3}, {6, 4}, {8, 2}}) {
            const TBasePoleResult *result = Result.PoleResults.FindByPoleNumber(pole);
            spans.push_back("Span " + IntToStr(span));
            rotations.Cells.push_back(result ? FixedText(result->CalculatedPlanAngle - result->PlanAngle, 8, 2) : "");
        }
        Page.Grid(layout, spans, {rotations});
        // The balanced plan: its angles A 1.. and its lengths L 1..
        for (const auto &[quantity, letter] : {std::pair {&PlanDirectionQuantity(), "A"}, {&PlanLengthQuantity(), "L"}}) {
            std::vector<std::string> names;
            for (int n : Spans)
                names.push_back(std::string(letter) + " " + IntToStr(n));
            Page.Grid(layout, names,
                      QuantityRows({*quantity}, Spans, Result.SpanResults, &TBaseWireResultList::FindBySpanNumber));
        }
    }
};

} // namespace

void TqrResultReportForm::AddPages(TPageSink &sink, const TWireConfigurationList &project, bool atMaxSAG, int number)
{
    const TWireConfiguration *sequence = project.FindByNumber(number);
    const TWireConfigurationResult *result = sequence ? sequence->Results.FindByAtMaxSAG(atMaxSAG) : nullptr;
    if (!result)
        return;
    TResultLayout(sink, project, *sequence, *result).Fill();
}

} // namespace corvadel
