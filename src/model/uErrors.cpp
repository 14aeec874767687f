#include "uErrors.h"

#include "uFormats.h"
#include "uSequenceIndex.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace corvadel {

TTARVOError *TTARVOErrorList::AddError(const std::string &message)
{
    auto error = std::make_unique<TTARVOError>();
    error->IsError = true;
    error->Message = message;
    return Add(std::move(error));
}

namespace {

// Collects the problems of one sequence in the order they are checked.
class TSequenceValidator
{
public:
    explicit TSequenceValidator(TWireConfiguration &sequence)
        : Sequence(sequence)
        , Shape(Topology(sequence.SequenceType))
    { }

    bool Run()
    {
        CheckSAGs();
        CheckLengths();
        CheckElevationDifferences();
        CheckAngles();
        CheckEnteredPoints();
        CheckSAGsAgainstSpans();
        CheckSignalDistances();
        return Valid;
    }

private:
    void Report(const std::string &message)
    {
        Sequence.Errors.AddError(message);
        Valid = false;
    }

    void CheckSAGs()
    {
        if (!(Sequence.MaxSAG > 0))
            Report("The maximum SAG should be greater than 0");
        if (!(Sequence.MinSAG > 0))
            Report("The minimum SAG should be greater than 0");
        if (!(Sequence.MaxSAG >= Sequence.MinSAG))
            Report("Maximum SAG should be greater than minimum SAG");
    }

    void CheckLengths()
    {
        for (int n = 1; n <= Sequence.Spans.Count(); ++n) {
            const TBaseWire *span = Sequence.Spans.FindByNumber(n);
            if (!span || !(span->Length > 0))
                Report("The length of the span [L" + IntToStr(n) + "] should be greater than 0");
        }
    }

    void CheckElevationDifferences()
    {
        for (int i = 1; i < Sequence.Elevations.Count(); ++i) {
            const TBaseElevation *point = Sequence.Elevations.Objects(i);
            if (point->IsJunction() && !(std::fabs(point->Value) <= Sequence.MaxSAG))
                Report("The MaxSAG should be greater than the elevation difference " + point->Name);
        }
    }

    double AngleOf(int number) const
    {
        const TBaseWire *span = Sequence.Spans.FindByNumber(number);
        return span ? span->Angle : 0;
    }

    void CheckAngles()
    {
        const int last = std::min(Shape.CheckedAngles, Sequence.Spans.Count());
        for (int n = 1; n <= last; ++n)
            if (!Shape.AngleValid(n, [this](int number) { return AngleOf(number); }))
                Report("The value of the angle [A" + IntToStr(n) + "]is not valid for this configuration.");
    }

    void CheckEnteredPoints()
    {
        const TEnteredRule &rule = Shape.EnteredRule;
        if (rule.Letters.empty())
            return;
        const auto entered = std::count_if(rule.Letters.begin(), rule.Letters.end(),
            [this, &rule](char letter) { return rule.Counted(Sequence.Elevations.EnteredFlag(std::string(1, letter))); });
        if (entered < rule.Minimum)
            Report(rule.Message);
    }

    // The span statics take a SAG small beside its span; at half the span or
    // more the wire hangs nothing like the shape they assume.
    void CheckSAGsAgainstSpans()
    {
        const double longest = Sequence.Spans.LongestLength();
        if (!(longest > 0))
            return; // the lengths were reported already
        const std::string bound = "half the longest span (" + FloatToStr(longest / 2) + " ft)";
        if (Sequence.MaxSAG >= longest / 2)
            Report("The maximum SAG should be less than " + bound + ", not " + FloatToStr(Sequence.MaxSAG));
        if (Sequence.MinSAG >= longest / 2)
            Report("The minimum SAG should be less than " + bound + ", not " + FloatToStr(Sequence.MinSAG));
    }

    // A signal or sign off its span would be a load on no wire at all.
    void CheckSignalDistances()
    {
        for (const TBaseWire *span : Sequence.Spans) {
            if (!(span->Length > 0))
                continue; // its length was reported already
            for (const TBaseSignal *signal : span->Signals)
                if (!(signal->Distance >= 0 && signal->Distance <= span->Length))
                    Report("The distance of the " + std::string(signal->IsSignal ? "signal " : "sign ")
                           + IntToStr(signal->Number) + " on the span [L" + IntToStr(span->Number)
                           + "] should be between 0 and " + FloatToStr(span->Length) + " ft, not "
                           + FloatToStr(signal->Distance));
        }
    }

    TWireConfiguration &Sequence;
    const TSequenceTopology &Shape;
    bool Valid = true;
};

} // namespace

bool Validate(TWireConfiguration &sequence)
{
    return TSequenceValidator(sequence).Run();
}

namespace {

// "1, 2, 3": the poles of a sequence a combination may name.
std::string PoleNumbers(const TWireConfiguration &sequence)
{
    std::string list;
    for (const TBasePole *pole : sequence.Poles)
        if (!pole->IsRing)
            list += (list.empty() ? "" : ", ") + IntToStr(pole->Number);
    return list;
}

} // namespace

std::vector<std::string> ValidateCombinations(const TWireConfigurationList &project)
{
    const TSequenceIndex sequences(project);
    std::vector<std::string> problems;
    for (const TCombination *combination : project.Combinations) {
        const std::string name = "The combination " + IntToStr(combination->Number) + " (pole "
                                 + IntToStr(combination->PoleA) + " of sequence " + IntToStr(combination->SequenceA)
                                 + " with pole " + IntToStr(combination->PoleB) + " of sequence "
                                 + IntToStr(combination->SequenceB) + ")";
        const std::pair<int, int> sides[] = {{combination->SequenceA, combination->PoleA},
                                             {combination->SequenceB, combination->PoleB}};
        for (const auto &[sequenceNumber, poleNumber] : sides) {
            const TWireConfiguration *found = sequences.Find(sequenceNumber);
            if (!found) {
                problems.push_back(name + " names sequence " + IntToStr(sequenceNumber) + ", which does not exist");
                continue;
            }
            const TWireConfiguration &sequence = *found;
            const TBasePole *pole = sequence.Poles.FindByNumber(poleNumber);
            if (!pole || pole->IsRing)
                problems.push_back(name + " names pole " + IntToStr(poleNumber) + " of sequence "
                                   + IntToStr(sequenceNumber) + ", which has no such pole (its poles are "
                                   + PoleNumbers(sequence) + ")");
        }
    }
    return problems;
}

} // namespace corvadel
