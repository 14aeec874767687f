// A small writer of JSON text: objects, arrays, strings, numbers, booleans.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvadel {

class TJsonWriter
{
public:
    TJsonWriter &BeginObject();
    TJsonWriter &EndObject();
    TJsonWriter &BeginArray();
    TJsonWriter &EndArray();
    // The name of the next member of the current object.
    TJsonWriter &Key(std::string_view name);

    TJsonWriter &String(std::string_view text);
    // Full double precision; a value that is not finite is written as null.
    TJsonWriter &Number(double value);
    TJsonWriter &Integer(long long value);
    TJsonWriter &Boolean(bool value);
    TJsonWriter &Null();

    const std::string &Text() const { return Out; }

    // A JSON string literal: quotes, backslash and control characters
    // escaped; valid UTF-8 passed through, any other byte taken as Latin-1.
    static std::string Quote(std::string_view text);

private:
    void BeforeValue();

    std::string Out;
    // Per open container: whether it already holds an element.
    std::vector<bool> Filled;
    bool AfterKey = false;
};

} // namespace corvadel
