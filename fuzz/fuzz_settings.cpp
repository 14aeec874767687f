// The settings file: any text gives settings (with warnings), never a crash.
#include "uFormats.h"
#include "uGlobalSettings.h"
#include "uIniFile.h"

#include <cstdint>
#include <string_view>

using namespace corvadel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TIniFile ini("corvadel.def");
    TIniFile::ParseText(std::string_view(reinterpret_cast<const char *>(data), size), ini);
    std::vector<std::string> warnings;
    TTARVOParameters parameters;
    parameters.Load(ini, warnings);
    TCustomColor colors;
    colors.Load(ini, warnings);
    for (const std::string &key : ini.ReadSection("DESIGN DATA"))
        ini.ReadString("DESIGN DATA", key, "");
    return 0;
}
