// Import of the old line-oriented project format (".sws", sectioned
// initialisation file). Old projects carry no variable wire weights, so every
// imported span gets default compositions.
#include "uIniFile.h"
#include "uWires.h"

#include <algorithm>
#include <array>
#include <utility>

namespace corvadel {

namespace {

// Comma-separated fields of one value, taken from the left.
class TFieldList
{
public:
    explicit TFieldList(std::string_view text)
        : Rest(text)
    { }

    // The text before the next comma; false when no comma is left.
    bool Next(std::string &field)
    {
        const size_t comma = Rest.find(',');
        if (comma == std::string_view::npos)
            return false;
        field = Rest.substr(0, comma);
        Rest.remove_prefix(comma + 1);
        return true;
    }

    // As Next, but without a further comma the whole remainder is the last
    // field; false once that was taken.
    bool NextOrLast(std::string &field)
    {
        if (Ended)
            return false;
        if (Next(field))
            return true;
        field = Rest;
        Rest = {};
        Ended = true;
        return true;
    }

    std::string_view Remainder() const { return Rest; }

private:
    std::string_view Rest;
    bool Ended = false;
};

// The fields 1 to 16 of a signal line, in order; field 3 is not used.
using TSignalField = void (*)(TBaseSignal &, const std::string &);
const std::array<TSignalField, 16> SignalFields = {
    [](TBaseSignal &s, const std::string &v) { s.SetNumber(StrToInt(v)); },
    [](TBaseSignal &s, const std::string &v) { s.SetIsSignal(StrToBool(v)); },
    nullptr,
    [](TBaseSignal &s, const std::string &v) { s.SetSignalType(v); },
    [](TBaseSignal &s, const std::string &v) { s.SetCode(v); },
    [](TBaseSignal &s, const std::string &v) { s.SetMaterial(v); },
    [](TBaseSignal &s, const std::string &v) { s.SetDescription(v); },
    [](TBaseSignal &s, const std::string &v) { s.SetLensSize(StrToFloat(v)); },
    [](TBaseSignal &s, const std::string &v) { s.SetSections(StrToInt(v)); },
    [](TBaseSignal &s, const std::string &v) { s.SetSimpleDeadLoad(StrToFloat(v)); },
    [](TBaseSignal &s, const std::string &v) { s.SetHanger(StrToFloat(v)); },
    [](TBaseSignal &s, const std::string &v) { s.SetHeight(StrToFloat(v)); },
    [](TBaseSignal &s, const std::string &v) { s.SetSimpleAreaFactor(StrToFloat(v)); },
    [](TBaseSignal &s, const std::string &v) { s.SetSignArea(StrToFloat(v)); },
    [](TBaseSignal &s, const std::string &v) { s.SetDistance(StrToFloat(v)); },
    [](TBaseSignal &s, const std::string &v) { s.SetWeight(StrToFloat(v)); },
};

// After field 16: "area,load" as two integers, or a flag where "Y" doubles
// both multipliers.
void ReadMultipliers(std::string_view rest, TBaseSignal &signal)
{
    const size_t comma = rest.find(',');
    if (comma != std::string_view::npos && comma + 1 < rest.size()) {
        signal.SetAreaMultiplier(StrToInt(rest.substr(0, comma)));
        signal.SetLoadMultiplier(StrToInt(rest.substr(comma + 1)));
        return;
    }
    const double both = !rest.empty() && UpperCase(rest.substr(0, 1)) == "Y" ? 2 : 1;
    signal.SetAreaMultiplier(both);
    signal.SetLoadMultiplier(both);
}

// Nothing when a comma is missing before the multipliers.
std::unique_ptr<TBaseSignal> ReadSignal(const std::string &line)
{
    TFieldList fields(line);
    auto signal = std::make_unique<TBaseSignal>();
    for (TSignalField setField : SignalFields) {
        std::string field;
        if (!fields.Next(field))
            return nullptr;
        if (setField)
            setField(*signal, field);
    }
    ReadMultipliers(fields.Remainder(), *signal);
    return signal;
}

// Nothing when a comma is missing.
std::unique_ptr<TCombination> ReadCombination(const std::string &line)
{
    using TIntField = void (TCombination::*)(int);
    static const std::array<TIntField, 5> intFields = {
        &TCombination::SetNumber,
        &TCombination::SetPoleA,
        &TCombination::SetSequenceA,
        &TCombination::SetPoleB,
        &TCombination::SetSequenceB,
    };
    TFieldList fields(line);
    auto combination = std::make_unique<TCombination>();
    for (TIntField setField : intFields) {
        std::string field;
        if (!fields.Next(field))
            return nullptr;
        (combination.get()->*setField)(StrToInt(field));
    }
    combination->SetABAngle(StrToFloat(fields.Remainder()));
    return combination;
}

// "C " and a decimal index as the writer spelled it, or -1.
long long CombinationIndex(const std::string &key)
{
    if (key.size() < 3 || key.size() > 12 || !SameText(key.substr(0, 2), "C "))
        return -1;
    const std::string digits = key.substr(2);
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return -1;
    if (digits.size() > 1 && digits[0] == '0')
        return -1;
    return std::stoll(digits);
}

std::string WithLineBreaks(const std::string &comments)
{
    std::string text;
    text.reserve(comments.size());
    for (char c : comments) {
        if (c == '\x1f')
            text += "\r\n";
        else
            text += c;
    }
    return text;
}

const std::vector<std::string> DifferencePoints = { "T", "U", "V", "Y", "C", "D", "G", "" }; // the eighth is unused
const std::vector<std::string> BasePoints = { "PV", "P1", "P2", "P3", "P4", "P5" };

class TOldProjectReader
{
public:
    TOldProjectReader(const std::string &path, TWireConfigurationList &project)
        : Path(path)
        , Ini(path)
        , Project(project)
    { }

    bool Read()
    {
        for (const auto &[key, expected] : {std::pair{"APPLICATION", "TARVO"}, std::pair{"TABLE", "WIRES"}}) {
            const std::string value = Text("GENERAL", key, "");
            if (value != expected)
                return Refuse(std::string("[GENERAL] ") + key + ": '" + value + "' is not " + expected);
        }
        const int sequences = Int("GENERAL", "SEQUENCES", "0");
        const int combinations = Int("GENERAL", "COMBINATIONS", "0");
        ReadDetails();
        if (sequences != 0)
            ReadCombinations(combinations);
        // A missing section ends the loop, so a huge count cannot spin.
        for (long long p = 1; p <= sequences; ++p)
            if (!ReadSequence(static_cast<int>(p), sequences))
                return false;
        Project.FileName = ChangeFileExt(Path, ".xml");
        Project.ClearModified();
        return true;
    }

private:
    bool Refuse(std::string problem)
    {
        Project.ImportProblem = std::move(problem);
        return false;
    }

    std::string Text(std::string_view section, std::string_view key, std::string_view defaultValue) const
    {
        return Ini.ReadString(section, key, defaultValue);
    }

    // `convert` applied to the key's value; a conversion error names the
    // file, the section, the key and the text.
    template<class Convert>
    auto Converted(std::string_view section, std::string_view key, std::string_view defaultValue, Convert convert) const
    {
        const std::string value = Text(section, key, defaultValue);
        try {
            return convert(value);
        } catch (const EConvertError &error) {
            throw EConvertError(Path + ": [" + std::string(section) + "] " + std::string(key) + ": " + error.what());
        }
    }

    int Int(std::string_view section, std::string_view key, std::string_view defaultValue) const
    {
        return Converted(section, key, defaultValue, [](const std::string &v) { return StrToInt(v); });
    }

    double Float(std::string_view section, std::string_view key) const
    {
        return Converted(section, key, "0", [](const std::string &v) { return StrToFloat(v); });
    }

    TDateTime Date(std::string_view key) const
    {
        return Converted(
            "GENERAL", key, DateToStr(TDateTime::Now()), [](const std::string &v) { return StrToDate(v); });
    }

    void ReadDetails()
    {
        Project.SetProjectName(Text("GENERAL", "PROJECT NAME", ""));
        Project.SetProjectDate(Date("PROJECT DATE"));
        Project.SetAuthor(Text("GENERAL", "AUTHOR", ""));
        Project.SetComments(WithLineBreaks(Text("GENERAL", "COMMENTS", "")));
        Project.LastRevision = Date("LAST REVISION");
    }

    // Only the keys present are visited, in index order, so the count in
    // the file costs nothing however large it is.
    void ReadCombinations(int highest)
    {
        Project.Combinations.FreeAll();
        std::vector<long long> indexes;
        for (const std::string &key : Ini.ReadSection("COMBINATIONS")) {
            const long long index = CombinationIndex(key);
            if (index >= 0 && index <= highest)
                indexes.push_back(index);
        }
        std::sort(indexes.begin(), indexes.end());
        for (const long long index : indexes) {
            const std::string key = "C " + IntToStr(index);
            if (Text("COMBINATIONS", key, "").empty())
                continue;
            auto combination = Converted("COMBINATIONS", key, "", ReadCombination);
            if (!combination)
                return;
            Project.Combinations.Add(std::move(combination));
        }
    }

    bool ReadSequence(int p, int sequences)
    {
        const std::string section = "SEQUENCE " + IntToStr(p);
        if (!Ini.SectionExists(section))
            return Refuse("[" + section + "]: the section is missing (SEQUENCES is " + IntToStr(sequences) + ")");
        const int number = Int(section, "NUMBER", "0");
        if (number == 0 || number != p)
            return Refuse("[" + section + "] NUMBER: '" + Text(section, "NUMBER", "") + "' is not " + IntToStr(p));
        const int type = Int(section, "TYPE", "0");
        if (!IsSequenceType(type))
            return Refuse("[" + section + "] TYPE: '" + Text(section, "TYPE", "") + "' is not a sequence type 1 to 6");

        auto sequence = Project.CreateSequence(type);
        sequence->SetNumber(number);
        sequence->SetIdentification(Text(section, "IDENTIFICATION", ""));
        sequence->SetWireWeight(Float(section, "WIRE WEIGHT"));
        sequence->SetMinSAG(Float(section, "MIN SAG"));
        sequence->SetMaxSAG(Float(section, "MAX SAG"));
        sequence->SetMinClearance(Float(section, "MIN CLEARANCE G2W"));
        sequence->SetVariableWires(StrToBool(Text(section, "VARIABLE WIRES", "N")));
        sequence->SetBoxWarp(StrToBool(Text(section, "BOX WARP", "N")));
        ReadSpanValues(section, "WIRE LENGTHS", *sequence, &TWireList::SetLengthOf);
        ReadSpanValues(section, "ANGLES", *sequence, &TWireList::SetAngleOf);
        ReadPointValues(section, "ELEVATION DIFFERENCES", "0,0,0,0,0,0,0,0", DifferencePoints, *sequence);
        sequence->Elevations.SetEnteredFlags(Text(section, "ELEVATION ENABLED", "YYYYNNN"));
        ReadPointValues(section, "BASE ELEVATIONS", "0,0,0,0,0", BasePoints, *sequence);
        ReadSignals(section, *sequence);
        Project.Add(std::move(sequence));
        return true;
    }

    // One field per span in span order; a short list leaves the rest as is.
    void ReadSpanValues(const std::string &section, std::string_view key, TWireConfiguration &sequence,
        void (TWireList::*setValue)(int, double)) const
    {
        Converted(section, key, "0,0,0,0,0,0,0,0", [&](const std::string &value) {
            TFieldList fields(value);
            std::string field;
            for (int span = 1; span <= sequence.Topology().SpanCount() && fields.NextOrLast(field); ++span)
                if (!field.empty())
                    (sequence.Spans.*setValue)(span, StrToFloat(field));
        });
    }

    // One field per point name; an empty name marks a field that is skipped.
    void ReadPointValues(const std::string &section, std::string_view key, std::string_view defaultValue,
        const std::vector<std::string> &points, TWireConfiguration &sequence) const
    {
        Converted(section, key, defaultValue, [&](const std::string &value) {
            TFieldList fields(value);
            std::string field;
            for (size_t i = 0; i < points.size() && fields.NextOrLast(field); ++i)
                if (!points[i].empty() && !field.empty())
                    sequence.Elevations.SetValueOf(points[i], StrToFloat(field));
        });
    }

    void ReadSignals(const std::string &section, TWireConfiguration &sequence) const
    {
        int s = 0;
        for (TBaseWire *span : sequence.Spans) {
            ++s;
            for (int k = 1;; ++k) {
                const std::string key = "SIGNAL " + IntToStr(s) + "." + IntToStr(k);
                if (Text(section, key, "").empty())
                    break;
                auto signal = Converted(section, key, "", ReadSignal);
                if (!signal)
                    break;
                span->Signals.Add(std::move(signal));
            }
            span->RebuildSegments();
        }
    }

    const std::string &Path;
    const TIniFile Ini;
    TWireConfigurationList &Project;
};

} // namespace

bool TWireConfigurationList::Import(const std::string &path)
{
    TBaseList<TWireConfiguration>::FreeAll();
    ImportProblem.clear();
    RefuseFolder(path);
    if (!FileExists(path)) {
        ImportProblem = "the file does not exist";
        return false;
    }
    return TOldProjectReader(path, *this).Read();
}

} // namespace corvadel
