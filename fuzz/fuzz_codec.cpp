// The element codec: any bytes parse without crashing, and a tree with names
// the program could write, once written and read, stays the same text. (The
// first writing may still drop empty elements, which leave empty lines.)
#include "uXMLBaseObject.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string_view>
#include <vector>

using namespace corvadel;

namespace {

// Plain words, and no element inside one of the same name (which the codec
// does not support).
bool WritableNames(const TXMLBaseObject &node, std::vector<std::string_view> &enclosing)
{
    for (const auto &child : node.Children) {
        const std::string &name = child->Name;
        if (name.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_")
            != std::string::npos)
            return false;
        if (std::find(enclosing.begin(), enclosing.end(), name) != enclosing.end())
            return false;
        enclosing.push_back(name);
        const bool writable = WritableNames(*child, enclosing);
        enclosing.pop_back();
        if (!writable)
            return false;
    }
    return true;
}

// Empty when the text does not load or holds names the program never writes.
std::string Rewritten(std::string_view text)
{
    TXMLBaseObject root;
    std::vector<std::string_view> enclosing;
    if (!root.LoadFromText(text) || !WritableNames(root, enclosing))
        return {};
    return root.DocumentText();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view input(reinterpret_cast<const char *>(data), size);
    std::string once;
    try {
        once = Rewritten(input);
    } catch (const std::runtime_error &) {
        return 0; // nesting deeper than the codec accepts
    }
    if (once.empty())
        return 0;
    const std::string twice = Rewritten(once);
    if (Rewritten(twice) != twice)
        std::abort();
    return 0;
}
