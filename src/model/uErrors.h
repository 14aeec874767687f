// Problems found in a sequence's input or met by its calculation.
#pragma once

#include "uBaseObject.h"

#include <string>
#include <vector>

namespace corvadel {

class TWireConfiguration;
class TWireConfigurationList;

class TTARVOError : public TBaseObject
{
public:
    bool IsError = false;
    std::string Message;
};

class TTARVOErrorList : public TBaseList<TTARVOError>
{
public:
    TTARVOError *AddError(const std::string &message);
    void ClearErrors() { FreeAll(); }
};

// Appends one entry per problem to the sequence's errors (without emptying
// them first); true when nothing was found.
bool Validate(TWireConfiguration &sequence);

// One message for each side of a combination that names a sequence the
// project lacks or a pole its sequence lacks, in list order; empty when
// every combination can be analysed.
std::vector<std::string> ValidateCombinations(const TWireConfigurationList &project);

} // namespace corvadel
