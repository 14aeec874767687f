#include "uResults.h"

namespace corvadel {

TBaseSignalResult *TBaseSignalResultList::FindBySignalNumber(int number) const
{
    return FindIf([number](const TBaseSignalResult &result) { return result.SignalNumber == number; });
}

TBaseWireResult *TBaseWireResultList::FindBySpanNumber(int number) const
{
    return FindIf([number](const TBaseWireResult &result) { return result.SpanNumber == number; });
}

TBasePoleResult *TBasePoleResultList::FindByPoleNumber(int number) const
{
    return FindIf([number](const TBasePoleResult &result) { return result.PoleNumber == number; });
}

TWireConfigurationResult *TWireConfigurationResultList::FindByAtMaxSAG(bool atMaxSAG) const
{
    return FindIf([atMaxSAG](const TWireConfigurationResult &result) { return result.AtMaxSAG == atMaxSAG; });
}

TCombinationResult *TCombinationResultList::FindByAtMaxSAG(bool atMaxSAG) const
{
    return FindIf([atMaxSAG](const TCombinationResult &result) { return result.AtMaxSAG == atMaxSAG; });
}

} // namespace corvadel
