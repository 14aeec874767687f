#include "uElevation.h"

#include "uElementValue.h"
#include "uFormats.h"

#include <array>
#include <string_view>

namespace corvadel {

namespace {

constexpr std::string_view FlagLetters = "TUVYCDG";
constexpr std::array<std::string_view, 6> BasePoints = { "PV", "P1", "P2", "P3", "P4", "P5" };
constexpr std::string_view BasePrefix = "BE_";
constexpr std::string_view JunctionPrefix = "ED_";

bool IsBasePoint(std::string_view name)
{
    for (std::string_view point : BasePoints)
        if (point == name)
            return true;
    return false;
}

} // namespace

TBaseElevation::TBaseElevation(std::string name, double value)
    : Value(value)
    , Name(std::move(name))
{ }

bool TBaseElevation::IsJunction() const
{
    return TElevationList::FlagIndex(Name) >= 0;
}

std::string TBaseElevation::ElementName() const
{
    return std::string(IsJunction() ? JunctionPrefix : BasePrefix) + Name;
}

void TBaseElevation::WriteXML(TXMLElementWriter &out) const
{
    out.Leaf(ElementName(), FloatToStr(Value));
}

void TBaseElevation::FromXML(const TXMLBaseObject &node)
{
    if (node.Name == ElementName())
        Value = ElementFloat(node);
}

void TElevationList::SetEnteredFlags(const std::string &flags)
{
    if (EnteredFlags == flags)
        return;
    EnteredFlags = flags;
    Modified = true;
}

char TElevationList::EnteredFlag(const std::string &name) const
{
    const int index = FlagIndex(name);
    if (index < 0 || index >= static_cast<int>(EnteredFlags.size()))
        return 'N';
    return EnteredFlags[static_cast<size_t>(index)];
}

TBaseElevation *TElevationList::AddPoint(const std::string &name)
{
    return Add(std::make_unique<TBaseElevation>(name, 0));
}

void TElevationList::CopyFrom(const TElevationList &source)
{
    FreeAll();
    EnteredFlags = source.EnteredFlags;
    for (const TBaseElevation *point : source)
        AddPoint(point->Name)->SetValue(point->Value);
}

TBaseElevation *TElevationList::FindByName(const std::string &name) const
{
    return FindIf([&name](const TBaseElevation &point) { return point.Name == name; });
}

double TElevationList::ValueOf(const std::string &name) const
{
    const TBaseElevation *point = FindByName(name);
    return point ? point->Value : 0;
}

void TElevationList::SetValueOf(const std::string &name, double value)
{
    if (TBaseElevation *point = FindByName(name))
        point->SetValue(value);
}

void TElevationList::WriteXML(TXMLElementWriter &out) const
{
    out.Begin("ELEVATIONS");
    for (const TBaseElevation *point : *this) {
        if (point->IsJunction() && UpperCase(std::string(1, EnteredFlag(point->Name))) != "Y")
            continue;
        point->WriteXML(out);
    }
    out.End();
}

void TElevationList::FromXML(const TXMLBaseObject &node)
{
    if (node.Name != "ELEVATIONS")
        return;
    EnteredFlags = "NNNNNNN";
    for (const auto &child : node.Children) {
        const std::string_view element = child->Name;
        if (element.size() < 3)
            continue;
        const std::string name(element.substr(3));
        const std::string_view prefix = element.substr(0, 3);
        if (prefix == JunctionPrefix && FlagIndex(name) >= 0)
            EnteredFlags[static_cast<size_t>(FlagIndex(name))] = 'Y';
        else if (prefix != BasePrefix || !IsBasePoint(name))
            continue;
        if (TBaseElevation *point = FindByName(name))
            point->SetValue(ElementFloat(*child));
    }
}

int TElevationList::FlagIndex(const std::string &name)
{
    if (name.size() != 1)
        return -1;
    const size_t index = FlagLetters.find(name[0]);
    return index == std::string_view::npos ? -1 : static_cast<int>(index);
}

} // namespace corvadel
