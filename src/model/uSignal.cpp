#include "uSignal.h"

#include "uElementValue.h"
#include "uFormats.h"
#include "uGlobalSettings.h"

#include <algorithm>
#include <vector>

namespace corvadel {

TBaseSignal::TBaseSignal(const TBaseSignal &source)
    : TBaseObject()
{
    SetNumber(source.Number);
    SetCode(source.Code);
    SetIsSignal(source.IsSignal);
    SetAreaMultiplier(source.AreaMultiplier);
    SetLoadMultiplier(source.LoadMultiplier);
    SetSignalType(source.SignalType);
    SetDescription(source.Description);
    SetSections(source.Sections);
    SetMaterial(source.Material);
    SetLensSize(source.LensSize);
    SetSignArea(source.SignArea);
    SetSimpleDeadLoad(source.SimpleDeadLoad);
    SetHeight(source.Height);
    SetSimpleAreaFactor(source.SimpleAreaFactor);
    SetHanger(source.Hanger);
    SetDistance(source.Distance);
    SetWeight(source.Weight);
}

double TBaseSignal::SignTotalWeight(double signArea, double unitWeight, double hanger)
{
    return unitWeight * signArea + hanger;
}

double TBaseSignal::SignAreaFactor(double signArea, const TTARVOParameters &parameters)
{
    return signArea * parameters.AreaFactor;
}

void TBaseSignal::WriteXML(TXMLElementWriter &out) const
{
    out.Begin("SIGNAL");
    out.Leaf("SIGNAL_NUMBER", IntToStr(Number));
    out.Leaf("IS_SIGNAL", BoolToStr(IsSignal));
    out.Leaf("SIGNAL_TYPE", SignalType);
    out.Leaf("SIGNAL_CODE", Code);
    out.Leaf("SIGNAL_MATERIAL", Material);
    out.Leaf("SIGNAL_DESCRIPTION", Description);
    out.Leaf("SIGNAL_LENS_SIZE", FloatToStr(LensSize));
    out.Leaf("SIGNAL_SECTIONS", IntToStr(Sections));
    out.Leaf("SIGNAL_SIMPLE_DEAD_LOAD", FloatToStr(SimpleDeadLoad));
    out.Leaf("SIGNAL_HANGER", FloatToStr(Hanger));
    out.Leaf("SIGNAL_HEIGHT", FloatToStr(Height));
    out.Leaf("SIGNAL_SIMPLE_AREA_FACTOR", FloatToStr(SimpleAreaFactor));
    out.Leaf("SIGNAL_SIGN_AREA", FloatToStr(SignArea));
    out.Leaf("SIGNAL_DISTANCE", FloatToStr(Distance));
    out.Leaf("SIGNAL_WEIGHT", FloatToStr(Weight));
    out.Leaf("SIGNAL_AREA_MULTIPLIER", FloatToStr(AreaMultiplier));
    out.Leaf("SIGNAL_LOAD_MULTIPLIER", FloatToStr(LoadMultiplier));
    out.End();
}

void TBaseSignal::FromXML(const TXMLBaseObject &node)
{
    if (node.Name != "SIGNAL")
        return;
    for (const auto &child : node.Children) {
        const std::string_view name = child->Name;
        const std::string_view value = child->Value;
        if (name == "SIGNAL_NUMBER")
            Number = ElementInt(*child);
        else if (name == "IS_SIGNAL")
            IsSignal = StrToBool(value);
        else if (name == "SIGNAL_TYPE")
            SignalType = value;
        else if (name == "SIGNAL_CODE")
            Code = value;
        else if (name == "SIGNAL_MATERIAL")
            Material = value;
        else if (name == "SIGNAL_DESCRIPTION")
            Description = value;
        else if (name == "SIGNAL_LENS_SIZE")
            LensSize = ElementFloat(*child);
        else if (name == "SIGNAL_SECTIONS")
            Sections = ElementInt(*child);
        else if (name == "SIGNAL_SIMPLE_DEAD_LOAD")
            SimpleDeadLoad = ElementFloat(*child);
        else if (name == "SIGNAL_HANGER")
            Hanger = ElementFloat(*child);
        else if (name == "SIGNAL_HEIGHT")
            Height = ElementFloat(*child);
        else if (name == "SIGNAL_SIMPLE_AREA_FACTOR")
            SimpleAreaFactor = ElementFloat(*child);
        else if (name == "SIGNAL_SIGN_AREA")
            SignArea = ElementFloat(*child);
        else if (name == "SIGNAL_DISTANCE")
            Distance = ElementFloat(*child);
        else if (name == "SIGNAL_WEIGHT")
            Weight = ElementFloat(*child);
        else if (name == "SIGNAL_AREA_MULTIPLIER")
            AreaMultiplier = ElementFloat(*child);
        else if (name == "SIGNAL_LOAD_MULTIPLIER")
            LoadMultiplier = ElementFloat(*child);
    }
}

void TSignalList::SortAndRenumber()
{
    // A stable sort keeps items of equal distance in their order; it stays
    // fast on files with very many signals on one span. Lists read from a
    // file are in order already and skip its scratch buffer.
    const auto nearer = [](const Row &a, const Row &b) { return a.Object->Distance < b.Object->Distance; };
    if (!std::is_sorted(Rows.begin(), Rows.end(), nearer))
        std::stable_sort(Rows.begin(), Rows.end(), nearer);
    int number = 0;
    for (const Row &row : Rows)
        row.Object->SetNumber(++number);
}

TBaseSignal *TSignalList::FindByNumber(int number) const
{
    return FindIf([number](const TBaseSignal &signal) { return signal.Number == number; });
}

void TSignalList::RemoveBeyond(double length)
{
    // Numbered 1..n in list order after every edit, so the item numbered as
    // the count is the last row; taking the last row directly also keeps
    // broken numbering (from a hand-edited file) from costing a scan per item.
    while (!Empty()) {
        if (Last()->Distance < length)
            return;
        Delete(Count() - 1);
    }
}

void TSignalList::CopyFrom(const TSignalList &source)
{
    FreeAll();
    for (const TBaseSignal *signal : source)
        Add(std::make_unique<TBaseSignal>(*signal));
}

double TSignalList::SumDeadLoads() const
{
    double sum = 0;
    for (const TBaseSignal *signal : *this)
        sum += signal->DeadLoad();
    return sum;
}

double TSignalList::SumWindAreas() const
{
    double sum = 0;
    for (const TBaseSignal *signal : *this)
        sum += signal->WindArea();
    return sum;
}

double TSignalList::SumMoments() const
{
    double sum = 0;
    for (const TBaseSignal *signal : *this)
        sum += signal->DeadLoad() * signal->Distance;
    return sum;
}

} // namespace corvadel
