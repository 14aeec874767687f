// The settings file: any text gives settings (with warnings), never a crash.
#include "FuzzReaders.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    corvadel::fuzz::ReadSettings(std::string_view(reinterpret_cast<const char *>(data), size));
    return 0;
}
