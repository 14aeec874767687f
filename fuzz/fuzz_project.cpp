// The project reader: any element tree reads without crashing, and a project
// file as the program writes it reads back and writes the same bytes.
#include "FuzzReaders.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (!corvadel::fuzz::ProjectStable(std::string_view(reinterpret_cast<const char *>(data), size)))
        std::abort();
    return 0;
}
