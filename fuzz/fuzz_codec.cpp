// The element codec: any bytes parse without crashing, and a tree the
// program could write stays the same text once written.
#include "FuzzReaders.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (!corvadel::fuzz::CodecStable(std::string_view(reinterpret_cast<const char *>(data), size)))
        std::abort();
    return 0;
}
