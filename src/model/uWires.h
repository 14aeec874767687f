// The project: its sequences (span wire configurations of six types), their
// spans, and the combinations and details of the project.
#pragma once

#include "uBaseWire.h"
#include "uCombination.h"
#include "uElevation.h"
#include "uErrors.h"
#include "uFormats.h"
#include "uPole.h"
#include "uResults.h"
#include "uTopology.h"

#include <any>
#include <memory>
#include <optional>
#include <string>

namespace corvadel {

class TCodeList;
class TTARVOParameters;

// What reading a file did beside reading it, for the reader to be told: an
// element left out for want of a place, or the sequences renumbered. The
// window shows the notes that share a heading and an ending together, under
// the one and above the other; the commands print each text.
struct TReadNote {
    static constexpr const char *LeftOutHeading = "Some elements of the file were left out:";
    static constexpr const char *LeftOutEnding = "Saving the project writes it without them.";

    std::string Text; // names the file
    std::string Heading; // may be empty
    std::string Ending; // may be empty
    bool operator==(const TReadNote &) const = default;
};

// The notes as one message: each run of notes that share a heading and an
// ending under the one and above the other, runs apart by an empty line.
std::string ReadNotesMessage(const std::vector<TReadNote> &notes);

class TWireList : public TBaseList<TBaseWire>
{
public:
    // Working values of the engine, never saved.
    double Tension = 0; // sequence reference tension, pounds
    double Rotation = 0; // degrees of pole two still needed for balance
    double InitialRotation = 0; // degrees needed with the angles as entered

    TBaseWire *AddSpan(int number, int fromNode, int toNode, double wireWeight, bool variableWires);
    TBaseWire *FindByNumber(int number) const;
    void SetLengthOf(int number, double length);
    void SetAngleOf(int number, double angle);
    void CopyFrom(const TWireList &source, double wireWeight);
    // Stores the tension here and on every span.
    void SetTension(double tension);

    double SumDeadLoads() const;
    double SumWindAreas() const;
    // The length of the longest span as entered; 0 without spans.
    double LongestLength() const;
};

class TWireConfiguration : public TBaseObject
{
public:
    TWireConfiguration(int type, const TTARVOParameters &parameters);
    // Everything but number, identification, errors, results and picture.
    TWireConfiguration(const TWireConfiguration &source);

    int Number = 0;
    int SequenceType = 0;
    TElevationList Elevations;
    TPoleList Poles;
    TWireList Spans;
    std::string Identification;
    double WireWeight = 0; // pounds per foot
    // The catalogue code of the span strand chosen for the wire; empty when
    // none was chosen. Kept as read even when the catalogue lacks it.
    std::string SpanWire;
    double MinSAG = 0; // feet
    double MinClearance = 0; // feet
    double MaxSAG = 0; // feet
    bool VariableWires = false;
    bool BoxWarp = false;
    TTARVOErrorList Errors;
    std::any Picture; // the last drawing, kept for printing
    TWireConfigurationResultList Results;
    TPoleDistanceList PoleDistances;

    // Working values of the engine, never saved.
    double SystemSAG = 0;
    double TargetSAG = 0;
    bool AnglesChanged = false;

    void SetNumber(int value) { Assign(Number, value); }
    void SetIdentification(const std::string &value) { Assign(Identification, value); }
    void SetMinSAG(double value) { Assign(MinSAG, value); }
    void SetMaxSAG(double value) { Assign(MaxSAG, value); }
    void SetMinClearance(double value) { Assign(MinClearance, value); }
    void SetBoxWarp(bool value) { Assign(BoxWarp, value); }
    void SetSpanWire(const std::string &value) { Assign(SpanWire, value); }
    // Reaches every span's default compositions.
    void SetWireWeight(double value);
    // Every span's UniformWeight follows.
    void SetVariableWires(bool value);

    const TSequenceTopology &Topology() const;
    // Number, " - ", identification: the label of the project tree.
    std::string DisplayName() const;

    bool IsModified() const override;
    void ClearModified() override;
    void WriteXML(TXMLElementWriter &out) const override;
    void FromXML(const TXMLBaseObject &node) override;
private:
    void ReadSpan(const TXMLBaseObject &wire);
    void ReadAllowableMoment(const TXMLBaseObject &element);

public:
    // What the last FromXML left out because the sequence has no span or
    // segment it could belong to, a sentence each.
    std::vector<std::string> SkippedOnRead;
};

class TWireConfigurationList : public TBaseList<TWireConfiguration>
{
public:
    // The catalogue, when given, names the strands the design checks know.
    explicit TWireConfigurationList(const TTARVOParameters &parameters, const TCodeList *catalogue = nullptr);

    std::string FileName;
    TCombinationList Combinations;
    std::string Comments;
    std::string ProjectName;
    std::string Author;
    TDateTime ProjectDate;
    TDateTime LastRevision;
    bool CombinationWarning = false; // set by the combination analysis, for either SAG case
    // The warning of one SAG case: a warning of the maximum SAG must not
    // show under the minimum SAG, nor the other way round.
    bool CombinationWarningAt(bool atMaxSAG) const { return CaseWarnings[atMaxSAG ? 0 : 1]; }
    void SetCombinationWarning(bool atMaxSAG)
    {
        CaseWarnings[atMaxSAG ? 0 : 1] = true;
        CombinationWarning = true;
    }
    void ClearCombinationWarnings()
    {
        CaseWarnings[0] = CaseWarnings[1] = false;
        CombinationWarning = false;
    }

    // The settings new sequences take their defaults from.
    const TTARVOParameters &Parameters() const { return *Params; }
    // None when the project was made without one.
    const TCodeList *Catalogue() const { return Codes; }
    std::unique_ptr<TWireConfiguration> CreateSequence(int type) const;

    int NextNumber() const;
    TWireConfiguration *FindByNumber(int number) const;
    TWireConfiguration *FindByDisplayName(const std::string &name) const;

    // A new sequence of the type with the next number, appended.
    TWireConfiguration *AddSequence(int type);
    // A copy of the source with the next number, called "Copy of ...", appended.
    TWireConfiguration *DuplicateSequence(const TWireConfiguration &source);
    // Releases the sequence and renumbers those above it; false when there
    // was none (the renumbering still happens).
    bool DeleteSequence(int number);
    // DeleteSequence, then the combinations follow.
    bool RemoveSequence(int number);

    void Close();
    void ResetDetails();
    void SetAuthor(const std::string &value);
    void SetComments(const std::string &value);
    void SetProjectDate(const TDateTime &value);
    void SetProjectName(const std::string &value);

    bool IsModified() const override;
    void ClearModified() override;
    void FreeAll() override;

    // Project file and old format (uWiresFile.cpp, uWiresImport.cpp).
    bool Open(const std::string &path);
    bool Save(const std::string &path);
    // The whole file: the "XML" element around the project element.
    void WriteDocument(TXMLElementWriter &out) const;
    // With `asSaved`, what is read matches the file: each sequence and
    // combination is cleared of its marks once read.
    void ReadProjectElement(const TXMLBaseObject &node, bool asSaved = false);
    // One element of the project element: its details, a sequence or a
    // combination; other elements are passed over.
    void ReadProjectPart(const TXMLBaseObject &element, bool asSaved);
    bool Import(const std::string &path);
    // Why the last Import returned false: the section, the key and the text
    // that stopped it; empty after a complete import.
    std::string ImportProblem;
    // The message for a file that Open or Import refused.
    std::string RefusedFileMessage(const std::string &path) const;
    // What the last Open left out of the file, naming the file, the sequence
    // and the element (the project opens without it, and saving drops it),
    // and how it renumbered the sequences.
    std::vector<TReadNote> ReadNotes;

private:
    // Open for a file that needs the whole tree to be read.
    bool OpenWhole(const std::string &path);
    // Numbers and notes once a file is read; throws `failed` naming the file.
    void FinishRead(const std::string &path, const std::optional<EConvertError> &failed);

    const TTARVOParameters *Params;
    const TCodeList *Codes;
    bool CaseWarnings[2] = {false, false};
};

} // namespace corvadel
