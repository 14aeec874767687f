// The catalogue: any file loads (possibly empty), never a crash, and its
// lists and lookups work on whatever was read.
#include "uCodes.h"

#include <cstdint>
#include <stdexcept>
#include <string>

using namespace corvadel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TCodeList catalogue;
    try {
        catalogue.LoadFromText(std::string(reinterpret_cast<const char *>(data), size), "CodeList.xml");
    } catch (const std::runtime_error &) {
        return 0; // nesting too deep
    }
    catalogue.TypicalSignals();
    catalogue.TypicalSigns();
    catalogue.TypicalWires();
    catalogue.NextCustomCode();
    catalogue.FindByCode("S3A-12AL");
    return 0;
}
