// The element reading rules written out plainly and slowly, step by step as
// the file format states them, to check the codec's one-pass reader against.
#pragma once

#include "uXMLBaseObject.h"

#include <string>
#include <string_view>
#include <vector>

namespace corvadel::test {

struct TReferenceNode {
    std::string Name;
    std::string Value;
    std::vector<TReferenceNode> Children;
};

// Split into lines at CR LF, CR or LF (ending at the first NUL), each joined
// again with CR LF.
inline std::string ReferenceLines(std::string_view text)
{
    text = text.substr(0, text.find('\0'));
    std::string out;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t end = text.find_first_of("\r\n", pos);
        out += text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
        out += "\r\n";
        if (end == std::string_view::npos)
            break;
        pos = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
    return out;
}

inline std::string ReferenceReplace(std::string text, std::string_view from, std::string_view to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from))
        text.replace(at, from.size(), to);
    return text;
}

inline std::string_view ReferenceContent(std::string_view name, std::string_view text)
{
    const std::string start = "<" + std::string(name) + ">";
    const size_t at = text.find(start);
    if (at == std::string_view::npos)
        return {};
    const size_t begin = at + start.size();
    const size_t end = text.find("</" + std::string(name) + ">", begin);
    return end == std::string_view::npos ? text.substr(begin) : text.substr(begin, end - begin);
}

// A start tag whose end tag never comes, with the line it stands on.
struct TReferenceDamage {
    std::string Element;
    int Line;
};

// Line breaks (CR LF, CR or LF) in `text`.
inline int ReferenceLineBreaks(std::string_view text)
{
    int breaks = 0;
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
            ++breaks;
    return breaks;
}

// Every start tag ("<" name ">", the name without "<" or ">") needs an end
// tag of its own ("</" name ">"). Going through the tags in order: a start
// tag opens its element; an end tag closes the innermost open element of its
// name, and if elements opened after that one are still open, those are left
// open for good; an end tag of no open element is ignored. Throws
// TReferenceDamage for the element opened last of those left open.
inline void ReferenceCheckClosed(std::string_view document, int firstLine)
{
    std::vector<size_t> open; // where each open start tag stands
    const auto nameAt = [&](size_t lt) {
        const size_t gt = document.find('>', lt);
        const size_t begin = lt + 1 + (document[lt + 1] == '/');
        return std::string(document.substr(begin, gt - begin));
    };
    const auto leftOpen = [&] {
        throw TReferenceDamage {nameAt(open.back()), firstLine + ReferenceLineBreaks(document.substr(0, open.back()))};
    };
    for (size_t lt = 0; lt < document.size(); ++lt) {
        if (document[lt] != '<')
            continue;
        const size_t gt = document.find('>', lt + 1);
        if (gt == std::string_view::npos || document.substr(lt + 1, gt - lt - 1).find('<') != std::string_view::npos)
            continue;
        const std::string name = nameAt(lt);
        if (name.empty())
            continue;
        if (document[lt + 1] != '/') {
            open.push_back(lt);
            continue;
        }
        for (size_t i = open.size(); i-- > 0;) {
            if (nameAt(open[i]) != name)
                continue;
            if (i + 1 != open.size())
                leftOpen();
            open.pop_back();
            break;
        }
    }
    if (!open.empty())
        leftOpen();
}

inline void ReferenceParse(TReferenceNode &node, std::string_view text)
{
    while (!text.empty()) {
        const size_t open = text.find('<');
        size_t close = std::string_view::npos;
        if (open != std::string_view::npos && open + 1 < text.size() && text[open + 1] != '/')
            close = text.find('>', open + 1);
        if (close == std::string_view::npos || close == open + 1) {
            node.Value = ReferenceReplace(ReferenceReplace(std::string(text), "&lt;", "<"), "&gt;", ">");
            return;
        }
        TReferenceNode child;
        child.Name = std::string(text.substr(open + 1, close - open - 1));
        const std::string_view rest = text.substr(open);
        const std::string_view content = ReferenceContent(child.Name, rest);
        ReferenceParse(child, content);
        node.Children.push_back(std::move(child));
        const size_t end = rest.find("</" + node.Children.back().Name + ">", 2 + node.Children.back().Name.size());
        if (end == std::string_view::npos)
            return;
        text = rest.substr(end + node.Children.back().Name.size() + 3);
        if (text.find('<') == std::string_view::npos)
            return;
    }
}

// Parsing text that is not a file: every element must be closed.
inline void ReferenceParseChecked(TReferenceNode &node, std::string_view text)
{
    ReferenceCheckClosed(text, 1);
    ReferenceParse(node, text);
}

// False when the text holds no non-empty "XML" element; throws
// TReferenceDamage when an element, or the "XML" element, is never closed.
inline bool ReferenceLoad(std::string_view fileText, TReferenceNode &root)
{
    const std::string lines = ReferenceLines(fileText);
    const std::string content = ReferenceLines(ReferenceContent("XML", lines));
    if (content.empty())
        return false;
    const size_t start = lines.find("<XML>");
    const int firstLine = 1 + ReferenceLineBreaks(std::string_view(lines).substr(0, start));
    ReferenceCheckClosed(content, firstLine);
    if (lines.find("</XML>", start + 5) == std::string::npos)
        throw TReferenceDamage {"XML", firstLine};
    root.Name = "XML";
    ReferenceParse(root, content);
    return true;
}

inline bool SameTree(const TXMLBaseObject &node, const TReferenceNode &reference)
{
    if (node.Name != reference.Name || node.Value != reference.Value
        || node.Children.size() != reference.Children.size())
        return false;
    size_t i = 0;
    for (const TXMLBaseObject *child : node.Children)
        if (!SameTree(*child, reference.Children[i++]))
            return false;
    return true;
}

} // namespace corvadel::test
