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

std::unique_ptr<TXMLBaseObject> TBaseSignal::ToXML() const
{
    auto node = std::make_unique<TXMLBaseObject>("SIGNAL");
    node->AddChild("SIGNAL_NUMBER", IntToStr(Number));
    node->AddChild("IS_SIGNAL", BoolToStr(IsSignal));
    node->AddChild("SIGNAL_TYPE", SignalType);
    node->AddChild("SIGNAL_CODE", Code);
    node->AddChild("SIGNAL_MATERIAL", Material);
    node->AddChild("SIGNAL_DESCRIPTION", Description);
    node->AddChild("SIGNAL_LENS_SIZE", FloatToStr(LensSize));
    node->AddChild("SIGNAL_SECTIONS", IntToStr(Sections));
    node->AddChild("SIGNAL_SIMPLE_DEAD_LOAD", FloatToStr(SimpleDeadLoad));
    node->AddChild("SIGNAL_HANGER", FloatToStr(Hanger));
    node->AddChild("SIGNAL_HEIGHT", FloatToStr(Height));
    node->AddChild("SIGNAL_SIMPLE_AREA_FACTOR", FloatToStr(SimpleAreaFactor));
    node->AddChild("SIGNAL_SIGN_AREA", FloatToStr(SignArea));
    node->AddChild("SIGNAL_DISTANCE", FloatToStr(Distance));
    node->AddChild("SIGNAL_WEIGHT", FloatToStr(Weight));
    node->AddChild("SIGNAL_AREA_MULTIPLIER", FloatToStr(AreaMultiplier));
    node->AddChild("SIGNAL_LOAD_MULTIPLIER", FloatToStr(LoadMultiplier));
    return node;
}

void TBaseSignal::FromXML(const TXMLBaseObject &node)
{
    if (node.Name != "SIGNAL")
        return;
    for (const auto &child : node.Children) {
        const std::string &name = child->Name;
        const std::string &value = child->Value;
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
    // fast on files with very many signals on one span.
    std::stable_sort(Rows.begin(), Rows.end(),
                     [](const Row &a, const Row &b) { return a.Object->Distance < b.Object->Distance; });
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
