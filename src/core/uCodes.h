// The catalogue of typical signals, signs and wires offered by the dialogs.
#pragma once

#include "uBaseObject.h"

#include <string>
#include <vector>

namespace corvadel {

// What every catalogue entry has: its code, its category and the element it
// was read from (not owned).
class TTypicalItem : public TBaseObject
{
public:
    std::string Category;
    std::string Code;
    const TXMLBaseObject *Element = nullptr;
};

class TTypicalSignal : public TTypicalItem
{
public:
    double Area = 0;     // wind area, square feet
    double Weight = 0;   // pounds
    double Height = 0;   // feet
    double LensSize = 0; // inches
    int Sections = 0;
    std::string Material;
};

class TTypicalSign : public TTypicalItem
{
public:
    double Hanger = 0; // pounds
    double AreaFactor = 0;
    double Weight = 0; // pounds per square foot of face
};

class TTypicalWire : public TTypicalItem
{
public:
    double Weight = 0; // pounds per foot
    std::string Section;
    // A span strand's grade ("EHS") and its minimum breaking strength in
    // pounds; a wire without both (a cable, a messenger) is no strand.
    std::string Grade;
    double BreakingStrength = 0;

    bool IsStrand() const { return !Grade.empty() && BreakingStrength > 0; }
    // "3/8\" EHS", or the code when the entry has no section.
    std::string StrandName() const;
};

// A view row of the typical lists: a key and an entry that the list may or
// may not own (the CUSTOM and FIXED wires are made for each view).
template<class T>
struct TCodeView {
    std::string Key;
    const T *Entry = nullptr;
};

class TCodeList : public TBaseList<TTypicalItem>
{
public:
    std::string CategoryFilter;
    // Problems met while loading (a malformed number names its element;
    // the entry keeps 0 for that field). A damaged or cut-short file is
    // one such problem, and leaves the catalogue empty.
    std::vector<std::string> Warnings;

    // Throws EFileError when the file cannot be read.
    void Load(const std::string &fileName);
    void LoadFromText(const std::string &text, const std::string &sourceName);

    std::vector<TCodeView<TTypicalSignal>> TypicalSignals() const;
    std::vector<TCodeView<TTypicalSign>> TypicalSigns() const;

    // The owning list of typical wires: CUSTOM and FIXED first, then the
    // catalogue's wires (which stay owned by the catalogue).
    struct WireView {
        std::vector<TCodeView<TTypicalWire>> Rows;
        std::vector<std::unique_ptr<TTypicalWire>> Owned;
    };
    WireView TypicalWires() const;

    const TTypicalItem *FindByCode(const std::string &code) const;
    // The wires that are strands, in file order.
    std::vector<const TTypicalWire *> Strands() const;
    // The strand of that code, or none.
    const TTypicalWire *FindStrand(const std::string &code) const;
    std::string NextCustomCode() const;
    void AddCustomSignal(std::unique_ptr<TTypicalSignal> entry);

private:
    TXMLBaseObject Tree;
};

} // namespace corvadel
