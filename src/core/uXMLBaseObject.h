// The element codec of the project file and the catalogue: elements and text
// only, one element per line, CR LF line ends, "<" and ">" escaped in values.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace corvadel {

class TXMLBaseObject
{
public:
    // Deeper nesting is refused so that hostile input cannot exhaust the stack.
    static constexpr int MaxDepth = 256;

    TXMLBaseObject() = default;
    explicit TXMLBaseObject(std::string name, std::string value = {});
    TXMLBaseObject(const TXMLBaseObject &other);
    TXMLBaseObject &operator=(const TXMLBaseObject &other);
    TXMLBaseObject(TXMLBaseObject &&) = default;
    TXMLBaseObject &operator=(TXMLBaseObject &&) = default;

    std::string Name;
    std::string Value;
    std::vector<std::unique_ptr<TXMLBaseObject>> Children;

    bool IsLeaf() const { return Children.empty(); }

    // Appends a child and returns it.
    TXMLBaseObject *AddChild(std::string name, std::string value = {});
    TXMLBaseObject *AddChild(std::unique_ptr<TXMLBaseObject> child);

    std::string AsText() const;
    // The whole document: the "XML" element around AsText, CR LF line ends.
    std::string DocumentText() const;
    // Throws EFileError when the file cannot be written.
    bool SaveToFile(const std::string &fileName) const;
    // Throws EFileError when the file cannot be read; false without an
    // "XML" element or with an empty one.
    bool LoadFromFile(const std::string &fileName);
    // The same from text already in memory.
    bool LoadFromText(std::string_view fileText);
    // Throws std::runtime_error when elements nest deeper than MaxDepth.
    void Parse(std::string_view text);

    // Value of the first child called `name`, or the empty text.
    static std::string ChildValue(const TXMLBaseObject &node, std::string_view name);
    const TXMLBaseObject *FindChild(std::string_view name) const;

private:
    void ParseAt(std::string_view text, int depth);
};

std::string ElementText(std::string_view name, std::string_view content);
// Content of the first `name` element in `text` (everything after its start
// tag when it has no end tag); empty when there is no start tag.
std::string_view ElementContent(std::string_view name, std::string_view text);
// Every line end (CR LF, CR, LF) becomes CR LF, the last line included; the
// text ends at the first NUL character.
std::string NormaliseLineEnds(std::string_view text);

} // namespace corvadel
