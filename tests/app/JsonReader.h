// A strict reader of JSON for the tests of the commands' output.
#pragma once

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <map>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace corvadel::test {

// A parsed JSON value: null, bool, number, string, array or object.
struct Json {
    using Array = std::vector<Json>;
    using Object = std::map<std::string, Json>;
    std::variant<std::nullptr_t, bool, double, std::string, Array, Object> Value;

    bool IsNull() const { return std::holds_alternative<std::nullptr_t>(Value); }
    bool Bool() const { return std::get<bool>(Value); }
    double Number() const { return std::get<double>(Value); }
    const std::string &String() const { return std::get<std::string>(Value); }
    const Array &Items() const { return std::get<Array>(Value); }
    const Json &operator[](const std::string &key) const { return std::get<Object>(Value).at(key); }
    bool Has(const std::string &key) const { return std::get<Object>(Value).count(key) != 0; }
};

// Strict reader of the JSON grammar; throws on any deviation.
class JsonReader
{
public:
    static Json Parse(const std::string &text)
    {
        JsonReader reader(text);
        Json value = reader.Value();
        reader.Space();
        if (reader.At != text.size())
            throw std::runtime_error("text after the value");
        return value;
    }

private:
    explicit JsonReader(const std::string &text)
        : Text(text)
    {
    }

    void Space()
    {
        while (At < Text.size() && std::isspace(static_cast<unsigned char>(Text[At])))
            ++At;
    }
    char Peek()
    {
        Space();
        if (At >= Text.size())
            throw std::runtime_error("unexpected end");
        return Text[At];
    }
    void Expect(char c)
    {
        if (Peek() != c)
            throw std::runtime_error(std::string("expected ") + c + " at " + std::to_string(At));
        ++At;
    }
    bool Word(const char *word)
    {
        if (Text.compare(At, std::strlen(word), word) != 0)
            return false;
        At += std::strlen(word);
        return true;
    }

    Json Value()
    {
        const char c = Peek();
        if (c == '{')
            return ObjectValue();
        if (c == '[')
            return ArrayValue();
        if (c == '"')
            return {StringValue()};
        if (Word("true"))
            return {true};
        if (Word("false"))
            return {false};
        if (Word("null"))
            return {nullptr};
        size_t used = 0;
        const double number = std::stod(Text.substr(At), &used);
        if (used == 0 || Text.substr(At, used).find_first_of("nNiI") != std::string::npos)
            throw std::runtime_error("bad number at " + std::to_string(At));
        At += used;
        return {number};
    }
    Json ObjectValue()
    {
        Expect('{');
        Json::Object object;
        if (Peek() == '}') {
            ++At;
            return {object};
        }
        while (true) {
            Peek();
            const std::string key = StringValue();
            Expect(':');
            object[key] = Value();
            if (Peek() == ',') {
                ++At;
                continue;
            }
            Expect('}');
            return {object};
        }
    }
    Json ArrayValue()
    {
        Expect('[');
        Json::Array array;
        if (Peek() == ']') {
            ++At;
            return {array};
        }
        while (true) {
            array.push_back(Value());
            if (Peek() == ',') {
                ++At;
                continue;
            }
            Expect(']');
            return {array};
        }
    }
    std::string StringValue()
    {
        Expect('"');
        std::string out;
        while (At < Text.size() && Text[At] != '"') {
            const auto c = static_cast<unsigned char>(Text[At++]);
            if (c < 0x20)
                throw std::runtime_error("raw control character in a string");
            if (c != '\\') {
                out += static_cast<char>(c);
                continue;
            }
            const char e = Text.at(At++);
            const std::string simple = "\"\\/bfnrt", meaning = "\"\\/\b\f\n\r\t";
            if (simple.find(e) != std::string::npos) {
                out += meaning[simple.find(e)];
            } else if (e == 'u') {
                const unsigned code = static_cast<unsigned>(std::stoul(Text.substr(At, 4), nullptr, 16));
                At += 4;
                if (code < 0x80) {
                    out += static_cast<char>(code);
                } else {
                    out += static_cast<char>(0xC0 | (code >> 6));
                    out += static_cast<char>(0x80 | (code & 0x3F));
                }
            } else {
                throw std::runtime_error("bad escape");
            }
        }
        Expect('"');
        return out;
    }

    const std::string &Text;
    size_t At = 0;
};

} // namespace corvadel::test
