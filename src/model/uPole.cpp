#include "uPole.h"

namespace corvadel {

TBasePole::TBasePole(int number, bool isRing)
    : IsRing(isRing)
    , Number(number)
{ }

TBasePole *TPoleList::AddPole(int number, bool isRing)
{
    return Add(std::make_unique<TBasePole>(number, isRing));
}

TBasePole *TPoleList::FindByNumber(int number) const
{
    return FindIf([number](const TBasePole &pole) { return pole.Number == number; });
}

void TPoleList::CopyFrom(const TPoleList &source)
{
    FreeAll();
    for (const TBasePole *pole : source)
        AddPole(pole->Number, pole->IsRing)->AllowableMoment = pole->AllowableMoment;
}

bool TPoleList::IsRingNode(int number) const
{
    const TBasePole *pole = FindByNumber(number);
    return pole && pole->IsRing;
}

void TPoleDistanceList::Initialise(int count)
{
    for (int i = 0; i < count; ++i) {
        auto entry = std::make_unique<TPoleDistance>();
        entry->Index = i;
        Add(std::move(entry));
    }
}

} // namespace corvadel
