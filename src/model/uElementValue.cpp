#include "uElementValue.h"

#include "uFormats.h"

namespace corvadel {

namespace {

template<class Convert>
auto Converted(const TXMLBaseObject &element, Convert convert)
{
    try {
        return convert(element.Value);
    } catch (const EConvertError &error) {
        throw EConvertError("Element " + element.Name + ": " + error.what());
    }
}

} // namespace

double ElementFloat(const TXMLBaseObject &element)
{
    return Converted(element, [](std::string_view text) { return StrToFloat(text); });
}

int ElementInt(const TXMLBaseObject &element)
{
    return Converted(element, [](std::string_view text) { return StrToInt(text); });
}

} // namespace corvadel
