// The catalogue: any file loads (possibly empty), never a crash, and its
// lists and lookups work on whatever was read.
#include "FuzzReaders.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    corvadel::fuzz::ReadCatalogue(std::string_view(reinterpret_cast<const char *>(data), size));
    return 0;
}
