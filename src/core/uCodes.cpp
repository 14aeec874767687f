#include "uCodes.h"

#include "uFormats.h"
#include "uIniFile.h"

#include <cstdio>
#include <functional>
#include <map>
#include <set>

namespace corvadel {

namespace {

// Reads one entry field by field; a number that does not convert is reported
// and leaves the field at 0 so the rest of the catalogue stays usable.
class TEntryReader
{
public:
    TEntryReader(const TXMLBaseObject &element, const std::string &source, std::vector<std::string> &warnings)
        : Element(element)
        , Source(source)
        , Warnings(warnings)
    {
    }

    void Text(const char *name, std::string &field) { Fields[name] = [&field](std::string_view v) { field = v; }; }
    void Real(const char *name, double &field)
    {
        Fields[name] = [&field](std::string_view v) { field = StrToFloat(v); };
    }
    void Integer(const char *name, int &field)
    {
        Fields[name] = [&field](std::string_view v) { field = StrToInt(v); };
    }

    void Read()
    {
        for (const auto &child : Element.Children) {
            const auto field = Fields.find(child->Name);
            if (field == Fields.end())
                continue;
            try {
                field->second(child->Value);
            } catch (const EConvertError &error) {
                Warnings.push_back(Source + ": element " + Element.Name + "/" + child->Name + " (code "
                                   + TXMLBaseObject::ChildValue(Element, "CODE") + "): " + error.what());
            }
        }
    }

private:
    const TXMLBaseObject &Element;
    const std::string &Source;
    std::vector<std::string> &Warnings;
    std::map<std::string, std::function<void(std::string_view)>, std::less<>> Fields;
};

std::unique_ptr<TTypicalItem> ReadSignal(const TXMLBaseObject &e, const std::string &src, std::vector<std::string> &w)
{
    auto item = std::make_unique<TTypicalSignal>();
    TEntryReader reader(e, src, w);
    reader.Text("CODE", item->Code);
    reader.Text("CATEGORY", item->Category);
    reader.Integer("SECTIONS", item->Sections);
    reader.Real("LENS_SIZE", item->LensSize);
    reader.Text("MATERIAL", item->Material);
    reader.Real("WEIGHT", item->Weight);
    reader.Real("HEIGHT", item->Height);
    reader.Real("AREA", item->Area);
    reader.Read();
    return item;
}

std::unique_ptr<TTypicalItem> ReadSign(const TXMLBaseObject &e, const std::string &src, std::vector<std::string> &w)
{
    auto item = std::make_unique<TTypicalSign>();
    TEntryReader reader(e, src, w);
    reader.Text("CODE", item->Code);
    reader.Text("CATEGORY", item->Category);
    reader.Real("WEIGHT", item->Weight);
    reader.Real("HANGER", item->Hanger);
    reader.Real("AREA_FACTOR", item->AreaFactor);
    reader.Read();
    return item;
}

std::unique_ptr<TTypicalItem> ReadWire(const TXMLBaseObject &e, const std::string &src, std::vector<std::string> &w)
{
    auto item = std::make_unique<TTypicalWire>();
    TEntryReader reader(e, src, w);
    reader.Text("CODE", item->Code);
    reader.Text("CATEGORY", item->Category);
    reader.Text("SECTION", item->Section);
    reader.Real("WEIGHT", item->Weight);
    reader.Text("GRADE", item->Grade);
    reader.Real("BREAKING_STRENGTH", item->BreakingStrength);
    reader.Read();
    return item;
}

struct TListKind {
    const char *ListName;
    const char *EntryName;
    TRowKey Key;
    std::unique_ptr<TTypicalItem> (*Read)(const TXMLBaseObject &, const std::string &, std::vector<std::string> &);
};

const TListKind ListKinds[] = {
    {"SIGNAL_LIST", "SIGNAL", "SIGNAL", ReadSignal},
    {"SIGN_LIST", "SIGN", "SIGN", ReadSign},
    {"WIRE_LIST", "WIRE", "WIRE", ReadWire},
};

template<class T>
std::vector<TCodeView<T>> ViewsOf(const TCodeList &list, const char *key, const std::function<bool(const T &)> &keep)
{
    std::vector<TCodeView<T>> views;
    for (int i = 0; i < list.Count(); ++i) {
        if (list.Keys(i) != key)
            continue;
        const auto *entry = dynamic_cast<const T *>(list.Objects(i));
        if (entry && keep(*entry))
            views.push_back({entry->Category, entry});
    }
    return views;
}

} // namespace

void TCodeList::Load(const std::string &fileName)
{
    LoadFromText(ReadFileText(fileName), fileName);
}

void TCodeList::LoadFromText(const std::string &text, const std::string &sourceName)
{
    Tree = TXMLBaseObject();
    try {
        // An empty "XML" element is an empty catalogue; no such element at
        // all is a file of another kind.
        if (!Tree.LoadFromText(text)) {
            if (!TXMLBaseObject::HoldsXMLElement(text))
                Warnings.push_back(sourceName
                                   + ": the file holds no catalogue (no XML element); no typical signals, signs or "
                                     "wires are offered.");
            return;
        }
    } catch (const EXMLUnclosedElement &error) {
        // Half a catalogue would offer a wrong choice without a word.
        Tree = TXMLBaseObject();
        Warnings.push_back(sourceName + ", " + error.what() + "; no typical signals, signs or wires are offered.");
        return;
    }
    for (const auto &list : Tree.Children) {
        for (const TListKind &kind : ListKinds) {
            if (list->Name != kind.ListName)
                continue;
            for (const auto &element : list->Children) {
                if (element->Name != kind.EntryName)
                    continue;
                auto item = kind.Read(*element, sourceName, Warnings);
                item->Element = element;
                Add(std::move(item), kind.Key);
            }
        }
    }
}

std::vector<TCodeView<TTypicalSignal>> TCodeList::TypicalSignals() const
{
    const std::string filter = UpperCase(CategoryFilter);
    return ViewsOf<TTypicalSignal>(*this, "SIGNAL", [&filter](const TTypicalSignal &signal) {
        return filter.empty() || UpperCase(signal.Category) == filter;
    });
}

std::vector<TCodeView<TTypicalSign>> TCodeList::TypicalSigns() const
{
    return ViewsOf<TTypicalSign>(*this, "SIGN", [](const TTypicalSign &) { return true; });
}

TCodeList::WireView TCodeList::TypicalWires() const
{
    WireView view;
    auto fixedEntry = [&view](const char *code, const char *category, double weight) {
        auto wire = std::make_unique<TTypicalWire>();
        wire->Code = code;
        wire->Category = category;
        wire->Weight = weight;
        view.Rows.push_back({category, wire.get()});
        view.Owned.push_back(std::move(wire));
    };
    fixedEntry("WXXX", "CUSTOM", 0);
    fixedEntry("FIX", "FIXED", 1);
    for (auto row : ViewsOf<TTypicalWire>(*this, "WIRE", [](const TTypicalWire &) { return true; })) {
        row.Key = row.Entry->Category + " - " + row.Entry->Section;
        view.Rows.push_back(row);
    }
    return view;
}

const TTypicalItem *TCodeList::FindByCode(const std::string &code) const
{
    return FindIf([&code](const TTypicalItem &item) { return item.Code == code; });
}

std::vector<const TTypicalWire *> TCodeList::Strands() const
{
    std::vector<const TTypicalWire *> strands;
    for (const auto &row : ViewsOf<TTypicalWire>(*this, "WIRE", [](const TTypicalWire &wire) { return wire.IsStrand(); }))
        strands.push_back(row.Entry);
    return strands;
}

const TTypicalWire *TCodeList::FindStrand(const std::string &code) const
{
    for (const TTypicalWire *strand : Strands())
        if (strand->Code == code)
            return strand;
    return nullptr;
}

std::string TTypicalWire::StrandName() const
{
    return (Section.empty() ? Code : Section) + " " + Grade;
}

std::string TCodeList::NextCustomCode() const
{
    std::set<std::string> taken;
    for (const TTypicalItem *item : *this)
        taken.insert(item->Code);
    for (int i = 0; i < 1000; ++i) {
        char code[8];
        std::snprintf(code, sizeof code, "X%03d", i);
        if (!taken.count(code))
            return code;
    }
    return {};
}

void TCodeList::AddCustomSignal(std::unique_ptr<TTypicalSignal> entry)
{
    Add(std::move(entry), "SIGNAL");
}

} // namespace corvadel
