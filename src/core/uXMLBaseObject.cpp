#include "uXMLBaseObject.h"

#include "uFormats.h"
#include "uIniFile.h"

#include <cstdio>
#include <stdexcept>

namespace corvadel {

namespace {

constexpr std::string_view CrLf = "\r\n";

// Appends the value with "<" and ">" written as "&lt;" and "&gt;".
void AppendEscaped(std::string_view value, std::string &out)
{
    for (;;) {
        const size_t special = value.find_first_of("<>");
        if (special == std::string_view::npos) {
            out += value;
            return;
        }
        out += value.substr(0, special);
        out += value[special] == '<' ? "&lt;" : "&gt;";
        value.remove_prefix(special + 1);
    }
}

// One pass is enough: the "<" or ">" put in can never start a new "&lt;".
std::string ReplaceAll(std::string_view text, std::string_view from, char to)
{
    std::string out;
    out.reserve(text.size());
    size_t pos = 0;
    for (;;) {
        const size_t hit = text.find(from, pos);
        if (hit == std::string_view::npos)
            break;
        out.append(text.substr(pos, hit - pos));
        out += to;
        pos = hit + from.size();
    }
    out.append(text.substr(pos));
    return out;
}

std::string Unescape(std::string_view value)
{
    if (value.find('&') == std::string_view::npos)
        return std::string(value);
    return ReplaceAll(ReplaceAll(value, "&lt;", '<'), "&gt;", '>');
}

void AppendText(const TXMLBaseObject &node, std::string &out);

void AppendTag(std::string_view open, std::string_view name, std::string &out)
{
    out += open;
    out += name;
    out += '>';
}

void AppendElement(const TXMLBaseObject &child, std::string &out)
{
    // An empty element is left out entirely; the caller's line end remains.
    if (child.IsLeaf()) {
        if (child.Value.empty())
            return;
        AppendTag("<", child.Name, out);
        AppendEscaped(child.Value, out);
        AppendTag("</", child.Name, out);
        return;
    }
    AppendTag("<", child.Name, out);
    AppendText(child, out);
    AppendTag("</", child.Name, out);
}

void AppendText(const TXMLBaseObject &node, std::string &out)
{
    if (node.IsLeaf()) {
        AppendEscaped(node.Value, out);
        return;
    }
    out += CrLf;
    for (const auto &child : node.Children) {
        AppendElement(*child, out);
        out += CrLf;
    }
}

// The first CR or LF at or after `from` (a plain loop beats find_first_of).
size_t FindLineEnd(std::string_view text, size_t from)
{
    for (size_t i = from; i < text.size(); ++i)
        if (text[i] == '\r' || text[i] == '\n')
            return i;
    return std::string_view::npos;
}

// The first "</name>" at or after `from`, found without building the tag.
size_t FindEndTag(std::string_view text, std::string_view name, size_t from)
{
    for (size_t at = text.find("</", from); at != std::string_view::npos; at = text.find("</", at + 1)) {
        const size_t nameAt = at + 2;
        if (text.compare(nameAt, name.size(), name) == 0 && nameAt + name.size() < text.size()
            && text[nameAt + name.size()] == '>')
            return at;
    }
    return std::string_view::npos;
}

} // namespace

TXMLBaseObject::TXMLBaseObject(std::string name, std::string value)
    : Name(std::move(name))
    , Value(std::move(value))
{
}

TXMLBaseObject::TXMLBaseObject(const TXMLBaseObject &other)
    : Name(other.Name)
    , Value(other.Value)
{
    Children.reserve(other.Children.size());
    for (const auto &child : other.Children)
        Children.push_back(std::make_unique<TXMLBaseObject>(*child));
}

TXMLBaseObject &TXMLBaseObject::operator=(const TXMLBaseObject &other)
{
    if (this != &other) {
        TXMLBaseObject copy(other);
        *this = std::move(copy);
    }
    return *this;
}

TXMLBaseObject *TXMLBaseObject::AddChild(std::string name, std::string value)
{
    return AddChild(std::make_unique<TXMLBaseObject>(std::move(name), std::move(value)));
}

TXMLBaseObject *TXMLBaseObject::AddChild(std::unique_ptr<TXMLBaseObject> child)
{
    Children.push_back(std::move(child));
    return Children.back().get();
}

std::string TXMLBaseObject::AsText() const
{
    std::string out;
    AppendText(*this, out);
    return out;
}

std::string ElementText(std::string_view name, std::string_view content)
{
    if (content.empty())
        return {};
    std::string out;
    out.reserve(content.size() + 2 * name.size() + 5);
    out += '<';
    out += name;
    out += '>';
    out += content;
    out += "</";
    out += name;
    out += '>';
    return out;
}

std::string NormaliseLineEnds(std::string_view text)
{
    const size_t nul = text.find('\0');
    if (nul != std::string_view::npos)
        text = text.substr(0, nul);
    std::string out;
    out.reserve(text.size() + text.size() / 16 + 2);
    // Whole lines are copied at once; only their ends are rewritten.
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t end = FindLineEnd(text, pos);
        if (end == std::string_view::npos) {
            out += text.substr(pos);
            break;
        }
        out += text.substr(pos, end - pos);
        out += CrLf;
        pos = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
    if (!text.empty() && text.back() != '\n' && text.back() != '\r')
        out += CrLf;
    return out;
}

std::string TXMLBaseObject::DocumentText() const
{
    std::string text = "<XML>";
    const size_t start = text.size();
    AppendText(*this, text);
    if (text.size() == start)
        return {};
    text += "</XML>";
    return NormaliseLineEnds(text);
}

bool TXMLBaseObject::SaveToFile(const std::string &fileName) const
{
    const std::string text = DocumentText();
    std::FILE *file = std::fopen(fileName.c_str(), "wb");
    if (!file)
        throw EFileError("Cannot create file \"" + fileName + "\"");
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed)
        throw EFileError("Cannot write file \"" + fileName + "\"");
    return true;
}

bool TXMLBaseObject::LoadFromFile(const std::string &fileName)
{
    return LoadFromText(ReadFileText(fileName));
}

bool TXMLBaseObject::LoadFromText(std::string_view fileText)
{
    const std::string text = NormaliseLineEnds(fileText);
    // Every line end in `text` is CR LF already; normalising the content
    // again would only end it with one.
    const std::string_view content = ElementContent("XML", text);
    if (content.empty())
        return false;
    Name = "XML";
    if (content.back() == '\n')
        Parse(content);
    else
        Parse(std::string(content) + std::string(CrLf));
    return true;
}

std::string_view ElementContent(std::string_view name, std::string_view text)
{
    const std::string start = '<' + std::string(name) + '>';
    const size_t at = text.find(start);
    if (at == std::string_view::npos)
        return {};
    const size_t begin = at + start.size();
    const size_t end = text.find("</" + std::string(name) + '>', begin);
    if (end == std::string_view::npos)
        return text.substr(begin);
    return text.substr(begin, end - begin);
}

void TXMLBaseObject::Parse(std::string_view text)
{
    ParseAt(text, 0);
}

void TXMLBaseObject::ParseAt(std::string_view text, int depth)
{
    if (depth >= MaxDepth)
        throw std::runtime_error("XML elements nest deeper than " + std::to_string(MaxDepth) + " levels");
    while (!text.empty()) {
        // The first tag name: from the first "<" (not "</") up to the next ">".
        const size_t open = text.find('<');
        size_t close = std::string_view::npos;
        if (open != std::string_view::npos && open + 1 < text.size() && text[open + 1] != '/')
            close = text.find('>', open + 1);
        if (close == std::string_view::npos || close == open + 1) {
            Value = Unescape(text);
            return;
        }
        const std::string_view name = text.substr(open + 1, close - open - 1);
        auto *child = AddChild(std::string(name));

        const size_t contentBegin = close + 1;
        const size_t end = FindEndTag(text, name, contentBegin);
        if (end == std::string_view::npos) {
            child->ParseAt(text.substr(contentBegin), depth + 1);
            return;
        }
        child->ParseAt(text.substr(contentBegin, end - contentBegin), depth + 1);
        text = text.substr(end + name.size() + 3);
        // A remainder without any further element is dropped.
        if (text.find('<') == std::string_view::npos)
            return;
    }
}

const TXMLBaseObject *TXMLBaseObject::FindChild(std::string_view name) const
{
    for (const auto &child : Children)
        if (child->Name == name)
            return child.get();
    return nullptr;
}

std::string TXMLBaseObject::ChildValue(const TXMLBaseObject &node, std::string_view name)
{
    const TXMLBaseObject *child = node.FindChild(name);
    return child ? child->Value : std::string();
}

} // namespace corvadel
