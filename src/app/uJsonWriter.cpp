#include "uJsonWriter.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace corvadel {

namespace {

// Length of the valid UTF-8 sequence starting at text[i], 0 when invalid.
size_t Utf8Length(std::string_view text, size_t i)
{
    const auto byte = [&](size_t k) { return k < text.size() ? static_cast<unsigned char>(text[k]) : 0u; };
    const auto continuation = [&](size_t k, unsigned low = 0x80, unsigned high = 0xBF) {
        return byte(k) >= low && byte(k) <= high;
    };
    const unsigned lead = byte(i);
    if (lead >= 0xC2 && lead <= 0xDF)
        return continuation(i + 1) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        const unsigned low = lead == 0xE0 ? 0xA0 : 0x80, high = lead == 0xED ? 0x9F : 0xBF;
        return continuation(i + 1, low, high) && continuation(i + 2) ? 3 : 0;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const unsigned low = lead == 0xF0 ? 0x90 : 0x80, high = lead == 0xF4 ? 0x8F : 0xBF;
        return continuation(i + 1, low, high) && continuation(i + 2) && continuation(i + 3) ? 4 : 0;
    }
    return 0;
}

std::string Unicode(unsigned code)
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "\\u%04x", code);
    return buffer;
}

} // namespace

std::string TJsonWriter::Quote(std::string_view text)
{
    std::string out = "\"";
    for (size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            const size_t length = Utf8Length(text, i);
            if (length == 0) {
                out += Unicode(c);
                ++i;
            } else {
                out.append(text.substr(i, length));
                i += length;
            }
            continue;
        }
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        default:
            if (c < 0x20 || c == 0x7F)
                out += Unicode(c);
            else
                out += static_cast<char>(c);
        }
        ++i;
    }
    return out + "\"";
}

void TJsonWriter::BeforeValue()
{
    if (AfterKey) {
        AfterKey = false;
        return;
    }
    if (!Filled.empty()) {
        if (Filled.back())
            Out += ", ";
        Filled.back() = true;
    }
}

TJsonWriter &TJsonWriter::BeginObject()
{
    BeforeValue();
    Out += '{';
    Filled.push_back(false);
    return *this;
}

TJsonWriter &TJsonWriter::EndObject()
{
    Filled.pop_back();
    Out += '}';
    return *this;
}

TJsonWriter &TJsonWriter::BeginArray()
{
    BeforeValue();
    Out += '[';
    Filled.push_back(false);
    return *this;
}

TJsonWriter &TJsonWriter::EndArray()
{
    Filled.pop_back();
    Out += ']';
    return *this;
}

TJsonWriter &TJsonWriter::Key(std::string_view name)
{
    BeforeValue();
    Out += Quote(name);
    Out += ": ";
    AfterKey = true;
    return *this;
}

TJsonWriter &TJsonWriter::String(std::string_view text)
{
    BeforeValue();
    Out += Quote(text);
    return *this;
}

TJsonWriter &TJsonWriter::Number(double value)
{
    if (!std::isfinite(value))
        return Null();
    BeforeValue();
    // Locale-independent: the desktop toolkit may have set a comma locale.
    char buffer[40];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 17);
    Out.append(buffer, written.ptr);
    return *this;
}

TJsonWriter &TJsonWriter::Integer(long long value)
{
    BeforeValue();
    Out += std::to_string(value);
    return *this;
}

TJsonWriter &TJsonWriter::Boolean(bool value)
{
    BeforeValue();
    Out += value ? "true" : "false";
    return *this;
}

TJsonWriter &TJsonWriter::Null()
{
    BeforeValue();
    Out += "null";
    return *this;
}

} // namespace corvadel
