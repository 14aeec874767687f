#include "uErrors.h"

#include "uFormats.h"
#include "uWires.h"

#include <algorithm>
#include <cmath>

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

    TWireConfiguration &Sequence;
    const TSequenceTopology &Shape;
    bool Valid = true;
};

} // namespace

bool Validate(TWireConfiguration &sequence)
{
    return TSequenceValidator(sequence).Run();
}

} // namespace corvadel
