// The element codec of the project file and the catalogue: elements and text
// only, one element per line, CR LF line ends, "<" and ">" escaped in values.
//
// A tree keeps its nodes and their texts in one arena owned by its root, so
// that a project of a million elements is built, read and released without a
// heap allocation per element.
#pragma once

#include "uFormats.h"

#include <cstddef>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace corvadel {

class TXMLBaseObject;
struct TXMLStore;

// A start tag whose end tag never comes: the text was damaged or cut short.
class EXMLUnclosedElement : public EFileError
{
public:
    // `source` names the file when there is one.
    EXMLUnclosedElement(std::string element, int line, const std::string &source = {});

    std::string Element;
    int Line; // where its start tag stands, from 1
};

// Receives a document's text piece by piece.
using TXMLSink = std::function<void(std::string_view)>;

// A node's name or value: a view of text kept by the node's tree. Only the
// tree sets it, so it can never refer to a string that is gone.
class TXMLText : public std::string_view
{
public:
    constexpr TXMLText() = default;

private:
    friend class TXMLBaseObject;
    friend class TXMLReader;
    constexpr explicit TXMLText(std::string_view text)
        : std::string_view(text)
    { }
};

std::string operator+(const std::string &left, const TXMLText &right);
std::string operator+(const char *left, const TXMLText &right);

// The child elements of a node, in document order.
class TXMLChildren
{
public:
    class iterator
    {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = TXMLBaseObject *;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = TXMLBaseObject *;

        iterator() = default;
        explicit iterator(TXMLBaseObject *node)
            : Node(node)
        { }
        TXMLBaseObject *operator*() const { return Node; }
        iterator &operator++();
        iterator operator++(int)
        {
            iterator before = *this;
            ++*this;
            return before;
        }
        bool operator==(const iterator &other) const = default;

    private:
        TXMLBaseObject *Node = nullptr;
    };

    iterator begin() const { return iterator(First); }
    iterator end() const { return {}; }
    bool empty() const { return Count == 0; }
    size_t size() const { return Count; }
    TXMLBaseObject *front() const { return First; }
    TXMLBaseObject *back() const { return Last; }
    // Walks the list: for tests and short lists only.
    TXMLBaseObject *operator[](size_t index) const;

private:
    friend class TXMLBaseObject;
    void Append(TXMLBaseObject *child);

    TXMLBaseObject *First = nullptr;
    TXMLBaseObject *Last = nullptr;
    size_t Count = 0;
};

class TXMLBaseObject
{
public:
    // Deeper nesting is refused so that hostile input cannot exhaust the stack.
    static constexpr int MaxDepth = 256;

    // A root: the owner of a tree. Copies are deep and are roots of their own.
    TXMLBaseObject();
    explicit TXMLBaseObject(std::string_view name, std::string_view value = {});
    TXMLBaseObject(const TXMLBaseObject &other);
    TXMLBaseObject &operator=(const TXMLBaseObject &other);
    TXMLBaseObject(TXMLBaseObject &&other) noexcept;
    TXMLBaseObject &operator=(TXMLBaseObject &&other) noexcept;
    ~TXMLBaseObject();

    TXMLText Name;
    TXMLText Value;
    TXMLChildren Children;

    bool IsLeaf() const { return Children.empty(); }

    // Appends a child and returns it; the texts are copied into the tree.
    TXMLBaseObject *AddChild(std::string_view name, std::string_view value = {});
    // Appends the root of another tree, which this tree then keeps.
    TXMLBaseObject *AddChild(std::unique_ptr<TXMLBaseObject> child);

    std::string AsText() const;
    // The whole document: the "XML" element around AsText, CR LF line ends.
    std::string DocumentText() const;
    // Throws EFileError when the file cannot be written.
    bool SaveToFile(const std::string &fileName) const;
    // Throws EFileError when the file cannot be read, EXMLUnclosedElement
    // (naming the file) when an element or the "XML" element itself is never
    // closed; false without an "XML" element or with an empty one.
    bool LoadFromFile(const std::string &fileName);
    // The same from text already in memory.
    bool LoadFromText(std::string_view fileText);
    // Called with each element two levels into a document and the element
    // above it, as soon as the element is read whole.
    using TElementTaker = std::function<void(const TXMLBaseObject &parent, const TXMLBaseObject &element)>;
    // LoadFromFile for a file as the program writes it, without ever holding
    // the whole tree: each element two levels down is handed to `take` and
    // then let go. False, after handing on what came before, when the text
    // needs more than one linear pass or has no "XML" element: LoadFromFile
    // reads such a file. Throws EFileError when the file cannot be read.
    bool StreamFromFile(const std::string &fileName, const TElementTaker &take);
    // The text, up to its first NUL character, has an "XML" element, even an
    // empty one that LoadFromText reads as nothing.
    static bool HoldsXMLElement(std::string_view fileText);
    // Throws EXMLUnclosedElement when an element is never closed, and
    // std::runtime_error when elements nest deeper than MaxDepth.
    void Parse(std::string_view text);

    // Value of the first child called `name`, or the empty text.
    static std::string ChildValue(const TXMLBaseObject &node, std::string_view name);
    const TXMLBaseObject *FindChild(std::string_view name) const;

private:
    friend class TXMLChildren;
    friend class TXMLReader;

    TXMLBaseObject(TXMLStore *store, std::string_view name, std::string_view value);
    TXMLStore &Store();
    std::string_view Keep(std::string_view text);
    TXMLBaseObject *NewChild(std::string_view name, std::string_view value);
    void CopyChildrenOf(const TXMLBaseObject &other);
    bool LoadText(std::string text, const TElementTaker *take = nullptr);

    // Set on a root only; every node of the tree allocates from it.
    std::unique_ptr<TXMLStore> OwnStore;
    TXMLStore *Arena = nullptr;
    TXMLBaseObject *Next = nullptr;
};

inline TXMLChildren::iterator &TXMLChildren::iterator::operator++()
{
    Node = Node->Next;
    return *this;
}

// Where an object writes its element, child by child: into a tree (ToXML)
// or straight into the text of a file.
class TXMLElementWriter
{
public:
    virtual ~TXMLElementWriter() = default;
    // An element whose children are written until the matching End.
    virtual void Begin(std::string_view name) = 0;
    virtual void End() = 0;
    virtual void Leaf(std::string_view name, std::string_view value) = 0;
    // The node and everything under it.
    void Node(const TXMLBaseObject &node);
};

// Builds the tree of the element written to it.
class TXMLTreeWriter final : public TXMLElementWriter
{
public:
    void Begin(std::string_view name) override;
    void End() override;
    void Leaf(std::string_view name, std::string_view value) override;
    // The element written, or an empty node when there was none.
    std::unique_ptr<TXMLBaseObject> Take();

private:
    std::unique_ptr<TXMLBaseObject> Root;
    std::vector<TXMLBaseObject *> Open;
};

// The tree of what `object.WriteXML` writes.
template<class T>
std::unique_ptr<TXMLBaseObject> BuildXML(const T &object)
{
    TXMLTreeWriter tree;
    object.WriteXML(tree);
    return tree.Take();
}

// Writes the text of the elements written to it. A leaf with an empty value
// and an element without children write no element, but the line end that
// would follow them. For a file, every line end becomes CR LF and NUL
// characters are left out (a NUL would end the file for every reader).
class TXMLTextWriter final : public TXMLElementWriter
{
public:
    // Without a sink the text collects in Text().
    explicit TXMLTextWriter(bool forFile, TXMLSink sink = {});

    void Begin(std::string_view name) override;
    void End() override;
    void Leaf(std::string_view name, std::string_view value) override;

    std::string &Text();
    // Hands what is left to the sink.
    void Flush();

private:
    struct OpenElement {
        std::string Name;
        bool Started = false;
    };

    void Start();
    void LineEnd(bool wrote);
    // Room for `size` more characters, at the end of what is written.
    char *Room(size_t size);
    void Grow(size_t size);
    char *Copy(char *p, std::string_view text, bool escape) const;

    bool ForFile;
    TXMLSink Sink;
    // Written text is Out[0, Used); the rest is room.
    std::string Out;
    size_t Used = 0;
    std::vector<OpenElement> Stack;
    size_t Depth = 0;
};

std::string ElementText(std::string_view name, std::string_view content);

} // namespace corvadel
