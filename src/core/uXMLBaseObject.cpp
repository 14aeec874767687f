#include "uXMLBaseObject.h"

#include "uFormats.h"
#include "uIniFile.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <forward_list>
#include <new>
#include <stdexcept>
#include <unordered_map>
#include <utility>
#include <vector>

namespace corvadel {

// Everything a tree allocates: nodes and texts in the arena, the roots of
// trees it took in, and the documents its parsed nodes refer to.
struct TXMLStore {
    // Memory handed out in order and only given back with the store, or
    // taken back in whole by Release.
    void *Allocate(size_t size, size_t alignment)
    {
        auto at = (reinterpret_cast<uintptr_t>(Free) + alignment - 1) & ~(alignment - 1);
        if (at + size > reinterpret_cast<uintptr_t>(End)) {
            NewBlock(size + alignment);
            at = (reinterpret_cast<uintptr_t>(Free) + alignment - 1) & ~(alignment - 1);
        }
        Free = reinterpret_cast<char *>(at + size);
        return reinterpret_cast<void *>(at);
    }

    // Blocks grow with the tree, so a large document takes few of them. One
    // given back by Release serves again when it is large enough.
    void NewBlock(size_t least)
    {
        if (InUse < Blocks.size() && Blocks[InUse].Size >= least) {
            Use(InUse);
            return;
        }
        Blocks.resize(InUse);
        const size_t size = std::max(least, 2 * BlockSize);
        Blocks.push_back({ std::make_unique_for_overwrite<char[]>(size), size });
        BlockSize = size;
        Use(InUse);
    }

    void Use(size_t block)
    {
        Free = Blocks[block].Memory.get();
        End = Free + Blocks[block].Size;
        InUse = block + 1;
    }

    // Where allocation stands: everything allocated after it can be taken
    // back at once, the blocks kept for what comes next.
    struct TMark {
        char *Free;
        char *End;
        size_t InUse;
    };
    TMark Mark() const { return { Free, End, InUse }; }
    void Release(const TMark &mark)
    {
        Free = mark.Free;
        End = mark.End;
        InUse = mark.InUse;
    }

    struct TBlock {
        std::unique_ptr<char[]> Memory;
        size_t Size;
    };

    // The first nodes of a tree come with the store, in one allocation: most
    // trees are the few elements of one object.
    alignas(std::max_align_t) char FirstBlock[2048];
    char *Free = FirstBlock;
    char *End = FirstBlock + sizeof FirstBlock;
    size_t BlockSize = sizeof FirstBlock;
    std::vector<TBlock> Blocks;
    // Blocks[0, InUse) hold what is allocated.
    size_t InUse = 0;
    std::vector<std::unique_ptr<TXMLBaseObject>> Adopted;
    std::forward_list<std::string> Documents;
};

namespace {

constexpr std::string_view CrLf = "\r\n";

size_t Find(std::string_view text, std::string_view what, size_t from = 0)
{
    if (from > text.size())
        return std::string_view::npos;
    const void *hit = ::memmem(text.data() + from, text.size() - from, what.data(), what.size());
    return hit ? static_cast<size_t>(static_cast<const char *>(hit) - text.data()) : std::string_view::npos;
}

// Eight characters tested at once. A test flags the top bit of each byte it
// finds; only its lowest flag is sure, which is the one a scan needs.
static_assert(std::endian::native == std::endian::little);
constexpr uint64_t Ones = 0x0101010101010101;
constexpr uint64_t Tops = Ones * 0x80;

constexpr uint64_t BytesBelow(uint64_t eight, unsigned char limit)
{
    return (eight - Ones * limit) & ~eight & Tops;
}

constexpr uint64_t BytesEqual(uint64_t eight, char c)
{
    return BytesBelow(eight ^ (Ones * static_cast<unsigned char>(c)), 1);
}

uint64_t LoadEight(const char *p)
{
    uint64_t eight;
    std::memcpy(&eight, p, 8);
    return eight;
}

// The first character from `p` that `stops` flags, or `end`. The last few
// characters are padded with 0xFF, which no test here flags.
template<class Stops>
const char *ScanTo(const char *p, const char *end, Stops stops)
{
    for (; end - p >= 8; p += 8)
        if (const uint64_t hit = stops(LoadEight(p)))
            return p + std::countr_zero(hit) / 8;
    if (p == end)
        return end;
    uint64_t eight = ~uint64_t {};
    std::memcpy(&eight, p, static_cast<size_t>(end - p));
    const uint64_t hit = stops(eight);
    return hit ? p + std::countr_zero(hit) / 8 : end;
}

// The first character from `p` that `exact` takes, or `end`. `rough` flags
// every such character, and maybe some others, with fewer tests.
template<class Rough, class Exact>
const char *ScanFor(const char *p, const char *end, Rough rough, Exact exact)
{
    for (;; ++p) {
        p = ScanTo(p, end, rough);
        if (p == end || exact(*p))
            return p;
    }
}

// Every line end (CR LF, CR, LF) made CR LF.
std::string WithCrLfBreaks(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    // Whole lines are copied at once; only their ends are rewritten.
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) {
            out.append(text, pos);
            break;
        }
        out.append(text, pos, end - pos);
        out += CrLf;
        pos = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
    return out;
}

// Every line end (CR LF, CR, LF) becomes CR LF, the last line included; the
// text ends at the first NUL character.
std::string NormaliseLineEnds(std::string_view text)
{
    text = text.substr(0, text.find('\0'));
    std::string out = WithCrLfBreaks(text);
    if (!text.empty() && text.back() != '\n' && text.back() != '\r')
        out += CrLf;
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

// Line breaks (CR LF, CR or LF) in `text`.
int LineBreaks(std::string_view text)
{
    int breaks = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
            ++breaks;
    }
    return breaks;
}

} // namespace

// Reads element text into a tree whose store keeps that text. Files as the
// program writes them take one linear pass; anything else (stray tags,
// elements inside elements of the same name) is read again by the general
// rules, which follow the first end tag of each name. A start tag whose end
// tag never comes is refused before that: the text was damaged or cut short,
// and reading it as whole would lose what follows unnoticed.
class TXMLReader
{
public:
    // The text of a file follows its "<XML>" start tag, on line `firstLine`,
    // and may have any line ends: values get CR LF ones.
    TXMLReader(TXMLBaseObject &root, std::string_view text, bool fromFile, int firstLine)
        : Root(root)
        , Text(text)
        , FromFile(fromFile)
        , FirstLine(firstLine)
    { }

    void Read()
    {
        const TXMLChildren before = Root.Children;
        if (ReadWellFormed())
            return;
        Root.Children = before;
        if (TXMLBaseObject *last = before.back())
            last->Next = nullptr;
        Document = Text;
        const size_t end = FromFile ? Find(Text, "</XML>") : std::string_view::npos;
        if (FromFile) {
            std::string content = NormaliseLineEnds(Text.substr(0, end));
            if (content.empty())
                content = CrLf;
            Document = Root.Store().Documents.emplace_front(std::move(content));
        }
        CheckEveryElementClosed();
        if (FromFile && end == std::string_view::npos)
            throw EXMLUnclosedElement("XML", FirstLine);
        ReadGeneral(Root, Document, 0);
    }

    // Only the linear pass, handing each element two levels down to `take`
    // and letting it go: false when the text needs the general rules.
    bool Stream(const TXMLBaseObject::TElementTaker &take)
    {
        Taker = &take;
        return ReadWellFormed();
    }

private:
    // The name of a start tag at `lt` and where its content begins, or null
    // when the tag is not a plain one.
    static const char *StartTag(const char *lt, const char *end, std::string_view &name)
    {
        // Names are mostly capitals and "_", which sort above ">".
        const char *p = ScanFor(
            lt + 1, end, [](uint64_t eight) { return BytesBelow(eight, '>' + 1); },
            [](char c) { return c == '>' || c == '<' || static_cast<unsigned char>(c) < ' '; });
        if (p == end || *p != '>' || p == lt + 1)
            return nullptr;
        name = std::string_view(lt + 1, static_cast<size_t>(p - lt - 1));
        return p + 1;
    }

    static uint64_t LengthBit(std::string_view name) { return uint64_t { 1 } << (name.size() % 64); }

    // Just after "</name>" at `lt`, or null when `lt` holds another tag.
    static const char *EndTag(const char *lt, const char *end, std::string_view name)
    {
        if (static_cast<size_t>(end - lt) < name.size() + 3 || lt[1] != '/' || lt[2 + name.size()] != '>'
            || !SameChars(lt + 2, name.data(), name.size()))
            return nullptr;
        return lt + 3 + name.size();
    }

    // Names are short: compared here, eight at a time, rather than by a call.
    static bool SameChars(const char *a, const char *b, size_t size)
    {
        if (size < 8)
            return std::equal(a, a + size, b);
        for (size_t i = 0; i + 8 < size; i += 8)
            if (LoadEight(a + i) != LoadEight(b + i))
                return false;
        return LoadEight(a + size - 8) == LoadEight(b + size - 8);
    }

    // The next "<", or null. Most are a few characters on, past a line end or
    // a short value, where a call to memchr would cost more than the scan.
    static const char *FindTagStart(const char *p, const char *end)
    {
        p = ScanTo(p, end, [](uint64_t eight) { return BytesEqual(eight, '<'); });
        return p == end ? nullptr : p;
    }

    // The next "<" when the text up to it is a value to take as it stands:
    // no entity and no line break on the way.
    static const char *PlainValueEnd(const char *p, const char *end)
    {
        // Values are mostly digits, which sort between "&" and "<".
        p = ScanFor(
            p, end, [](uint64_t eight) { return BytesBelow(eight, '&' + 1) | BytesEqual(eight, '<'); },
            [](char c) { return c == '<' || c == '&' || c == '\r' || c == '\n'; });
        return p != end && *p == '<' ? p : nullptr;
    }

    // An end tag closes the first open element of its name, so one that an
    // enclosing element shares would close that element instead. The root
    // counts for a file, whose "XML" element it is.
    bool IsOpen(std::string_view name, int depth) const
    {
        // Names of other lengths need no comparing.
        if (!(OpenLengths[depth] & LengthBit(name)))
            return false;
        for (int i = FromFile ? 0 : 1; i <= depth; ++i)
            if (Open[i]->Name == name)
                return true;
        return false;
    }

    bool ReadWellFormed()
    {
        const char *p = Text.data();
        const char *const end = p + Text.size();
        int depth = 0;
        TXMLStore::TMark taken {};
        Open[0] = &Root;
        OpenLengths[0] = FromFile ? LengthBit(Root.Name) : 0;
        bool any = false;
        for (;;) {
            const char *lt = FindTagStart(p, end);
            // A file's document ends with its "</XML>", met below.
            if (!lt)
                return depth == 0 && any && !FromFile;
            if (lt + 1 == end)
                return false;
            if (lt[1] == '/') {
                // In a file the first "</XML>" ends the document.
                if (depth == 0)
                    return FromFile && any && EndTag(lt, end, Root.Name);
                const char *after = EndTag(lt, end, Open[depth]->Name);
                --depth;
                if (!after || IsOpen(Open[depth + 1]->Name, depth))
                    return false;
                if (depth == 1)
                    Hand(*Open[2], taken);
                p = after;
                continue;
            }
            std::string_view name;
            const char *content = StartTag(lt, end, name);
            if (!content || depth + 1 >= TXMLBaseObject::MaxDepth)
                return false;
            const char *plainEnd = PlainValueEnd(content, end);
            const char *next = plainEnd ? plainEnd : FindTagStart(content, end);
            if (!next || next + 1 == end)
                return false;
            if (depth == 1)
                taken = Root.Store().Mark();
            TXMLBaseObject *node = Open[depth]->NewChild(name, {});
            any = true;
            if (next[1] != '/') {
                Open[++depth] = node;
                OpenLengths[depth] = OpenLengths[depth - 1] | LengthBit(name);
                p = next;
                continue;
            }
            const char *after = EndTag(next, end, name);
            if (!after || IsOpen(name, depth))
                return false;
            const std::string_view value(content, static_cast<size_t>(next - content));
            node->Value = TXMLText(plainEnd ? value : ValueOf(value, *node));
            if (depth == 1)
                Hand(*node, taken);
            p = after;
        }
    }

    // When streaming, the element is handed on and then forgotten: its
    // memory serves the next one.
    void Hand(const TXMLBaseObject &element, const TXMLStore::TMark &taken)
    {
        if (!Taker)
            return;
        (*Taker)(*Open[1], element);
        Open[1]->Children = {};
        Root.Store().Release(taken);
    }

    static std::string Unescaped(std::string_view value)
    {
        return ReplaceAll(ReplaceAll(value, "&lt;", '<'), "&gt;", '>');
    }

    // A value as it stands in the text, or, with entities or line breaks to
    // rewrite, its own text in the store.
    std::string_view ValueOf(std::string_view value, TXMLBaseObject &node) const
    {
        bool entities = false;
        bool breaks = false;
        for (const char c : value) {
            entities |= c == '&';
            breaks |= c == '\r' || c == '\n';
        }
        breaks &= FromFile;
        if (!entities && !breaks)
            return value;
        const std::string text = breaks ? WithCrLfBreaks(value) : std::string(value);
        return node.Keep(entities ? Unescaped(text) : text);
    }

    // The first "</name>" at or after `from`, found without building the tag.
    static size_t FindEndTag(std::string_view text, std::string_view name, size_t from)
    {
        for (size_t at = text.find("</", from); at != std::string_view::npos; at = text.find("</", at + 1)) {
            const size_t nameAt = at + 2;
            if (text.compare(nameAt, name.size(), name) == 0 && nameAt + name.size() < text.size()
                && text[nameAt + name.size()] == '>')
                return at;
        }
        return std::string_view::npos;
    }

    void ReadGeneral(TXMLBaseObject &node, std::string_view text, int depth)
    {
        if (depth >= TXMLBaseObject::MaxDepth)
            throw std::runtime_error(
                "XML elements nest deeper than " + std::to_string(TXMLBaseObject::MaxDepth) + " levels");
        while (!text.empty()) {
            // The first tag name: from the first "<" (not "</") up to the next ">".
            const size_t open = text.find('<');
            size_t close = std::string_view::npos;
            if (open != std::string_view::npos && open + 1 < text.size() && text[open + 1] != '/')
                close = text.find('>', open + 1);
            if (close == std::string_view::npos || close == open + 1) {
                node.Value = TXMLText(text.find('&') == std::string_view::npos ? text : node.Keep(Unescaped(text)));
                return;
            }
            const std::string_view name = text.substr(open + 1, close - open - 1);
            TXMLBaseObject *child = node.NewChild(name, {});

            const size_t contentBegin = close + 1;
            const size_t end = FindEndTag(text, name, contentBegin);
            if (end == std::string_view::npos) {
                ReadGeneral(*child, text.substr(contentBegin), depth + 1);
                return;
            }
            ReadGeneral(*child, text.substr(contentBegin, end - contentBegin), depth + 1);
            text = text.substr(end + name.size() + 3);
            // A remainder without any further element is dropped.
            if (text.find('<') == std::string_view::npos)
                return;
        }
    }

    // Every start tag needs an end tag of its own. Tags pair as they nest:
    // an end tag that closes an outer element leaves those inside it open,
    // and one that closes nothing open is ignored. The innermost element left
    // open is named, with the line of its start tag.
    void CheckEveryElementClosed() const
    {
        struct TOpenTag {
            std::string_view Name;
            size_t At;
        };
        std::vector<TOpenTag> open;
        std::unordered_map<std::string_view, int> openByName;
        const std::string_view text = Document;
        for (size_t lt = text.find('<'); lt != std::string_view::npos; lt = text.find('<', lt + 1)) {
            const size_t gt = text.find_first_of("<>", lt + 1);
            if (gt == std::string_view::npos)
                break;
            if (text[gt] == '<')
                continue;
            const bool endTag = text[lt + 1] == '/';
            const std::string_view name = text.substr(lt + 1 + endTag, gt - lt - 1 - endTag);
            if (name.empty())
                continue;
            if (!endTag) {
                open.push_back({name, lt});
                ++openByName[name];
            } else if (openByName[name] > 0) {
                if (open.back().Name != name)
                    break;
                --openByName[name];
                open.pop_back();
            }
        }
        if (!open.empty())
            throw EXMLUnclosedElement(std::string(open.back().Name),
                                      FirstLine + LineBreaks(text.substr(0, open.back().At)));
    }

    TXMLBaseObject &Root;
    std::string_view Text;
    bool FromFile;
    const TXMLBaseObject::TElementTaker *Taker = nullptr;
    int FirstLine;
    // The text the general rules read.
    std::string_view Document;
    TXMLBaseObject *Open[TXMLBaseObject::MaxDepth + 1] = {};
    // For each depth, the lengths of the names open there, a bit each.
    uint64_t OpenLengths[TXMLBaseObject::MaxDepth + 1] = {};
};

std::string operator+(const std::string &left, const TXMLText &right)
{
    std::string out = left;
    out += right;
    return out;
}

std::string operator+(const char *left, const TXMLText &right)
{
    return std::string(left) + right;
}

TXMLBaseObject *TXMLChildren::operator[](size_t index) const
{
    TXMLBaseObject *node = First;
    for (; index > 0 && node; --index)
        node = node->Next;
    return node;
}

void TXMLChildren::Append(TXMLBaseObject *child)
{
    child->Next = nullptr;
    if (Last)
        Last->Next = child;
    else
        First = child;
    Last = child;
    ++Count;
}

TXMLBaseObject::TXMLBaseObject() = default;

TXMLBaseObject::TXMLBaseObject(std::string_view name, std::string_view value)
{
    Name = TXMLText(Keep(name));
    Value = TXMLText(Keep(value));
}

TXMLBaseObject::TXMLBaseObject(TXMLStore *store, std::string_view name, std::string_view value)
    : Name(name)
    , Value(value)
    , Arena(store)
{ }

TXMLBaseObject::TXMLBaseObject(const TXMLBaseObject &other)
    : TXMLBaseObject(other.Name, other.Value)
{
    CopyChildrenOf(other);
}

TXMLBaseObject &TXMLBaseObject::operator=(const TXMLBaseObject &other)
{
    if (this != &other)
        *this = TXMLBaseObject(other);
    return *this;
}

TXMLBaseObject::TXMLBaseObject(TXMLBaseObject &&other) noexcept
{
    *this = std::move(other);
}

TXMLBaseObject &TXMLBaseObject::operator=(TXMLBaseObject &&other) noexcept
{
    if (this == &other)
        return *this;
    // A node inside another tree does not own its texts: it is copied.
    if (other.Arena && !other.OwnStore)
        return *this = TXMLBaseObject(other);
    OwnStore = std::move(other.OwnStore);
    Arena = std::exchange(other.Arena, nullptr);
    Name = std::exchange(other.Name, {});
    Value = std::exchange(other.Value, {});
    Children = std::exchange(other.Children, {});
    return *this;
}

TXMLBaseObject::~TXMLBaseObject() = default;

TXMLStore &TXMLBaseObject::Store()
{
    if (!Arena) {
        OwnStore = std::make_unique<TXMLStore>();
        Arena = OwnStore.get();
    }
    return *Arena;
}

std::string_view TXMLBaseObject::Keep(std::string_view text)
{
    if (text.empty())
        return {};
    char *copy = static_cast<char *>(Store().Allocate(text.size(), 1));
    std::memcpy(copy, text.data(), text.size());
    return { copy, text.size() };
}

TXMLBaseObject *TXMLBaseObject::NewChild(std::string_view name, std::string_view value)
{
    TXMLStore &store = Store();
    void *memory = store.Allocate(sizeof(TXMLBaseObject), alignof(TXMLBaseObject));
    // Nodes in the arena are never destroyed one by one: they own nothing.
    auto *child = new (memory) TXMLBaseObject(&store, name, value);
    Children.Append(child);
    return child;
}

TXMLBaseObject *TXMLBaseObject::AddChild(std::string_view name, std::string_view value)
{
    return NewChild(Keep(name), Keep(value));
}

TXMLBaseObject *TXMLBaseObject::AddChild(std::unique_ptr<TXMLBaseObject> child)
{
    TXMLBaseObject *added = child.get();
    Store().Adopted.push_back(std::move(child));
    Children.Append(added);
    return added;
}

void TXMLBaseObject::CopyChildrenOf(const TXMLBaseObject &other)
{
    for (const TXMLBaseObject *child : other.Children)
        AddChild(child->Name, child->Value)->CopyChildrenOf(*child);
}

void TXMLElementWriter::Node(const TXMLBaseObject &node)
{
    if (node.IsLeaf()) {
        Leaf(node.Name, node.Value);
        return;
    }
    Begin(node.Name);
    for (const TXMLBaseObject *child : node.Children)
        Node(*child);
    End();
}

void TXMLTreeWriter::Begin(std::string_view name)
{
    if (!Root) {
        Root = std::make_unique<TXMLBaseObject>(name);
        Open.push_back(Root.get());
        return;
    }
    if (Open.empty())
        throw std::logic_error("A second outermost XML element was written");
    Open.push_back(Open.back()->AddChild(name));
}

void TXMLTreeWriter::End()
{
    if (Open.empty())
        throw std::logic_error("An XML element was ended that was never begun");
    Open.pop_back();
}

void TXMLTreeWriter::Leaf(std::string_view name, std::string_view value)
{
    if (!Root) {
        Root = std::make_unique<TXMLBaseObject>(name, value);
        return;
    }
    if (Open.empty())
        throw std::logic_error("A second outermost XML element was written");
    Open.back()->AddChild(name, value);
}

std::unique_ptr<TXMLBaseObject> TXMLTreeWriter::Take()
{
    Open.clear();
    return Root ? std::move(Root) : std::make_unique<TXMLBaseObject>();
}

namespace {

constexpr size_t PieceSize = 128 * 1024;

// The whole document: the node's children (or its value) in an "XML" element.
void WriteDocument(const TXMLBaseObject &root, TXMLElementWriter &out)
{
    if (root.IsLeaf()) {
        out.Leaf("XML", root.Value);
        return;
    }
    out.Begin("XML");
    for (const TXMLBaseObject *child : root.Children)
        out.Node(*child);
    out.End();
}

// Characters that need care: escaped in values, or rewritten in a file.
constexpr unsigned char Markup = 1;
constexpr unsigned char FileBreak = 2;

constexpr std::array<unsigned char, 256> CharClasses = [] {
    std::array<unsigned char, 256> classes {};
    classes['<'] = classes['>'] = Markup;
    classes['\r'] = classes['\n'] = classes['\0'] = FileBreak;
    return classes;
}();

// Names and values are short: two overlapping moves of eight characters beat
// a call to memcpy.
char *CopyPlain(char *p, const char *text, size_t size)
{
    if (size < 8 || size > 16) {
        std::memcpy(p, text, size);
        return p + size;
    }
    uint64_t head;
    uint64_t tail;
    std::memcpy(&head, text, 8);
    std::memcpy(&tail, text + size - 8, 8);
    std::memcpy(p, &head, 8);
    std::memcpy(p + size - 8, &tail, 8);
    return p + size;
}

} // namespace

TXMLTextWriter::TXMLTextWriter(bool forFile, TXMLSink sink)
    : ForFile(forFile)
    , Sink(std::move(sink))
{
    Out.resize(Sink ? 2 * PieceSize : 256);
}

inline char *TXMLTextWriter::Room(size_t size)
{
    if (Used + size > Out.size())
        Grow(size);
    return Out.data() + Used;
}

void TXMLTextWriter::Grow(size_t size)
{
    Out.resize(std::max(2 * Out.size(), Used + size));
}

std::string &TXMLTextWriter::Text()
{
    Out.resize(Used);
    return Out;
}

void TXMLTextWriter::Begin(std::string_view name)
{
    Start();
    if (Depth == Stack.size())
        Stack.emplace_back();
    OpenElement &element = Stack[Depth++];
    element.Name.assign(name);
    element.Started = false;
}

// The start tag waits for the first child: an element without children is
// not written at all.
void TXMLTextWriter::Start()
{
    if (Depth == 0 || Stack[Depth - 1].Started)
        return;
    OpenElement &element = Stack[Depth - 1];
    element.Started = true;
    char *p = Room(2 * element.Name.size() + 4);
    *p++ = '<';
    p = Copy(p, element.Name, false);
    *p++ = '>';
    *p++ = '\r';
    *p++ = '\n';
    Used = static_cast<size_t>(p - Out.data());
}

void TXMLTextWriter::End()
{
    if (Depth == 0)
        throw std::logic_error("An XML element was ended that was never begun");
    const OpenElement &element = Stack[--Depth];
    if (element.Started) {
        char *p = Room(2 * element.Name.size() + 3);
        *p++ = '<';
        *p++ = '/';
        p = Copy(p, element.Name, false);
        *p++ = '>';
        Used = static_cast<size_t>(p - Out.data());
    }
    LineEnd(element.Started);
}

void TXMLTextWriter::Leaf(std::string_view name, std::string_view value)
{
    Start();
    if (!value.empty()) {
        // A name may double in length (CR made CR LF), a value grow fourfold
        // ("<" made "&lt;").
        char *p = Room(4 * name.size() + 4 * value.size() + 5);
        *p++ = '<';
        const char *written = p;
        p = Copy(p, name, false);
        const size_t nameSize = static_cast<size_t>(p - written);
        *p++ = '>';
        p = Copy(p, value, true);
        *p++ = '<';
        *p++ = '/';
        // The end tag repeats the name as the start tag has it.
        p = CopyPlain(p, written, nameSize);
        *p++ = '>';
        Used = static_cast<size_t>(p - Out.data());
    }
    LineEnd(!value.empty());
}

// Every child ends its line, written or not; the outermost element only
// when it was written.
void TXMLTextWriter::LineEnd(bool wrote)
{
    if (Depth == 0 && !wrote)
        return;
    char *p = Room(2);
    p[0] = '\r';
    p[1] = '\n';
    Used += 2;
    if (Sink && Used >= PieceSize)
        Flush();
}

char *TXMLTextWriter::Copy(char *p, std::string_view text, bool escape) const
{
    const unsigned char mask = (escape ? Markup : 0) | (ForFile ? FileBreak : 0);
    // Most text needs no care: find the first character that does, eight at
    // a time while none of them sorts at or below ">" (names, mostly).
    const auto allAboveMarkup = [&](size_t at) { return !BytesBelow(LoadEight(text.data() + at), '>' + 1); };
    size_t plain = 0;
    while (plain + 8 <= text.size() && allAboveMarkup(plain))
        plain += 8;
    // The last, partial eight: checked again from the end.
    if (plain < text.size() && text.size() >= 8 && plain + 8 > text.size() && allAboveMarkup(text.size() - 8))
        plain = text.size();
    while (plain < text.size() && !(CharClasses[static_cast<unsigned char>(text[plain])] & mask))
        ++plain;
    p = CopyPlain(p, text.data(), plain);
    for (size_t i = plain; i < text.size(); ++i) {
        const char c = text[i];
        if (!(CharClasses[static_cast<unsigned char>(c)] & mask)) {
            *p++ = c;
        } else if (c == '<' || c == '>') {
            std::memcpy(p, c == '<' ? "&lt;" : "&gt;", 4);
            p += 4;
        } else if (c == '\r' || c == '\n') {
            *p++ = '\r';
            *p++ = '\n';
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        }
    }
    return p;
}

void TXMLTextWriter::Flush()
{
    if (!Sink || Used == 0)
        return;
    Sink(std::string_view(Out.data(), Used));
    Used = 0;
}

std::string TXMLBaseObject::AsText() const
{
    // The node's own element, without its tags and final line end.
    TXMLTextWriter writer(false);
    writer.Node(*this);
    const std::string &text = writer.Text();
    if (text.empty())
        return {};
    const size_t start = Name.size() + 2;
    return text.substr(start, text.size() - start - (Name.size() + 3) - CrLf.size());
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

std::string TXMLBaseObject::DocumentText() const
{
    TXMLTextWriter writer(true);
    WriteDocument(*this, writer);
    return std::move(writer.Text());
}

bool TXMLBaseObject::SaveToFile(const std::string &fileName) const
{
    std::FILE *file = std::fopen(fileName.c_str(), "wb");
    if (!file)
        throw EFileError("Cannot create file \"" + fileName + "\"");
    bool written = true;
    TXMLTextWriter writer(true, [&](std::string_view piece) {
        written = written && std::fwrite(piece.data(), 1, piece.size(), file) == piece.size();
    });
    WriteDocument(*this, writer);
    writer.Flush();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed)
        throw EFileError("Cannot write file \"" + fileName + "\"");
    return true;
}

bool TXMLBaseObject::LoadFromFile(const std::string &fileName)
{
    std::string text = ReadFileText(fileName);
    try {
        return LoadText(std::move(text));
    } catch (const EXMLUnclosedElement &error) {
        throw EXMLUnclosedElement(error.Element, error.Line, fileName);
    }
}

bool TXMLBaseObject::StreamFromFile(const std::string &fileName, const TElementTaker &take)
{
    return LoadText(ReadFileText(fileName), &take);
}

bool TXMLBaseObject::LoadFromText(std::string_view fileText)
{
    return LoadText(std::string(fileText));
}

bool TXMLBaseObject::HoldsXMLElement(std::string_view fileText)
{
    return Find(fileText.substr(0, fileText.find('\0')), "<XML>") != std::string_view::npos;
}

// The text is read where it stands, line ends and all: only values keep
// line breaks, and they are made CR LF as they are read. The reader finds the
// end of the "XML" element on its way.
bool TXMLBaseObject::LoadText(std::string text, const TElementTaker *take)
{
    // The text ends at the first NUL character.
    text.resize(std::min(text.size(), text.find('\0')));
    const size_t start = Find(text, "<XML>");
    if (start == std::string::npos)
        return false;
    const size_t begin = start + 5;
    if (text.compare(begin, 6, "</XML>") == 0)
        return false;
    const int firstLine = 1 + LineBreaks(std::string_view(text).substr(0, start));
    Name = TXMLText("XML");
    const std::string &kept = Store().Documents.emplace_front(std::move(text));
    TXMLReader reader(*this, std::string_view(kept).substr(begin), true, firstLine);
    if (take)
        return reader.Stream(*take);
    reader.Read();
    return true;
}

void TXMLBaseObject::Parse(std::string_view text)
{
    TXMLReader(*this, Keep(text), false, 1).Read();
}

EXMLUnclosedElement::EXMLUnclosedElement(std::string element, int line, const std::string &source)
    : EFileError((source.empty() ? "" : source + ", ") + "line " + std::to_string(line) + ": the element " + element
                 + " has no end tag: the file is damaged or cut short")
    , Element(std::move(element))
    , Line(line)
{ }

const TXMLBaseObject *TXMLBaseObject::FindChild(std::string_view name) const
{
    for (const TXMLBaseObject *child : Children)
        if (child->Name == name)
            return child;
    return nullptr;
}

std::string TXMLBaseObject::ChildValue(const TXMLBaseObject &node, std::string_view name)
{
    const TXMLBaseObject *child = node.FindChild(name);
    return child ? std::string(child->Value) : std::string();
}

} // namespace corvadel
