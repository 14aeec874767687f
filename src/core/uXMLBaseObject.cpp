#include "uXMLBaseObject.h"

#include "uFormats.h"
#include "uIniFile.h"

#include <cstdio>
#include <stdexcept>

namespace corvadel {

namespace {

constexpr std::string_view CrLf = "\r\n";

std::string Escape(std::string_view value)
{
    std::string out;
    out.reserve(value.size());
    for (char c : value) {
        if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else
            out += c;
    }
    return out;
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
    return ReplaceAll(ReplaceAll(value, "&lt;", '<'), "&gt;", '>');
}

void AppendText(const TXMLBaseObject &node, std::string &out);

void AppendElement(const TXMLBaseObject &child, std::string &out)
{
    // An empty element is left out entirely; the caller's line end remains.
    if (child.IsLeaf()) {
        if (child.Value.empty())
            return;
        out += '<' + child.Name + '>';
        out += Escape(child.Value);
        out += "</" + child.Name + '>';
        return;
    }
    out += '<' + child.Name + '>';
    AppendText(child, out);
    out += "</" + child.Name + '>';
}

void AppendText(const TXMLBaseObject &node, std::string &out)
{
    if (node.IsLeaf()) {
        out += Escape(node.Value);
        return;
    }
    out += CrLf;
    for (const auto &child : node.Children) {
        AppendElement(*child, out);
        out += CrLf;
    }
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
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            out += CrLf;
        } else if (c == '\n') {
            out += CrLf;
        } else {
            out += c;
        }
    }
    if (!text.empty() && text.back() != '\n' && text.back() != '\r')
        out += CrLf;
    return out;
}

std::string TXMLBaseObject::DocumentText() const
{
    return NormaliseLineEnds(ElementText("XML", AsText()));
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
    const std::string content = NormaliseLineEnds(ElementContent("XML", text));
    if (content.empty())
        return false;
    Name = "XML";
    Parse(content);
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
        const std::string endTag = "</" + std::string(name) + '>';
        const size_t end = text.find(endTag, contentBegin);
        if (end == std::string_view::npos) {
            child->ParseAt(text.substr(contentBegin), depth + 1);
            return;
        }
        child->ParseAt(text.substr(contentBegin, end - contentBegin), depth + 1);
        text = text.substr(end + endTag.size());
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
