// The element codec: any bytes parse without crashing, as the plain reading
// rules say, and a tree the program could write stays the same text once
// written.
#include "FuzzReaders.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view input(reinterpret_cast<const char *>(data), size);
    if (!corvadel::fuzz::CodecFollowsTheRules(input) || !corvadel::fuzz::CodecStable(input))
        std::abort();
    return 0;
}
