// The project reader: any element tree reads without crashing, and what was
// read, once written, reads back and writes the same bytes.
#include "uGlobalSettings.h"
#include "uWires.h"

#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string_view>

using namespace corvadel;

namespace {

const TGlobalSetting &Settings()
{
    static const TGlobalSetting settings;
    return settings;
}

// Reads `text` as a project file and writes it again.
std::string Rewritten(std::string_view text)
{
    TXMLBaseObject root;
    if (!root.LoadFromText(text) || root.Children.empty())
        return {};
    TWireConfigurationList project(Settings().Parameters);
    project.ReadProjectElement(*root.Children.front());
    TXMLBaseObject written("XML");
    written.AddChild(project.BuildProjectElement());
    return written.DocumentText();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view input(reinterpret_cast<const char *>(data), size);
    std::string once;
    try {
        once = Rewritten(input);
    } catch (const std::runtime_error &) {
        return 0; // a value that does not convert, or nesting too deep
    }
    if (once.empty())
        return 0;
    if (Rewritten(once) != once)
        std::abort();
    return 0;
}
