// Problems found in a sequence's input or met by its calculation.
#pragma once

#include "uBaseObject.h"

#include <string>

namespace corvadel {

class TWireConfiguration;

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

} // namespace corvadel
