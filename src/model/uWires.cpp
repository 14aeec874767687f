#include "uWires.h"

#include "uElementValue.h"
#include "uGlobalSettings.h"

#include <algorithm>

namespace corvadel {

TBaseWire *TWireList::AddSpan(int number, int fromNode, int toNode, double wireWeight, bool variableWires)
{
    auto span = std::make_unique<TBaseWire>(wireWeight);
    span->SetNumber(number);
    span->SetFromNode(fromNode);
    span->SetToNode(toNode);
    span->SetLength(0);
    span->SetAngle(0);
    span->PlanDirection = 0;
    span->SetUniformWeight(!variableWires);
    return Add(std::move(span));
}

TBaseWire *TWireList::FindByNumber(int number) const
{
    return FindIf([number](const TBaseWire &span) { return span.Number == number; });
}

void TWireList::SetLengthOf(int number, double length)
{
    if (TBaseWire *span = FindByNumber(number))
        span->SetLength(length);
}

void TWireList::SetAngleOf(int number, double angle)
{
    if (TBaseWire *span = FindByNumber(number))
        span->SetAngle(angle);
}

void TWireList::CopyFrom(const TWireList &source, double wireWeight)
{
    FreeAll();
    for (const TBaseWire *span : source)
        Add(std::make_unique<TBaseWire>(*span, wireWeight));
}

void TWireList::SetTension(double tension)
{
    Tension = tension;
    for (TBaseWire *span : *this)
        span->Tension = tension;
}

double TWireList::SumDeadLoads() const
{
    double sum = 0;
    for (const TBaseWire *span : *this)
        sum += span->Signals.SumDeadLoads();
    return sum;
}

double TWireList::SumWindAreas() const
{
    double sum = 0;
    for (const TBaseWire *span : *this)
        sum += span->Signals.SumWindAreas();
    return sum;
}

double TWireList::LongestLength() const
{
    double longest = 0;
    for (const TBaseWire *span : *this)
        longest = std::max(longest, span->Length);
    return longest;
}

TWireConfiguration::TWireConfiguration(int type, const TTARVOParameters &parameters)
    : SequenceType(type)
{
    const TSequenceTopology &shape = corvadel::Topology(type);
    Elevations.EnteredFlags = shape.DefaultEnteredFlags;
    for (const TPoleNode &pole : shape.Poles)
        Poles.AddPole(pole.Number, pole.IsRing);
    for (const std::string &point : shape.ElevationPoints)
        Elevations.AddPoint(point);
    Identification = shape.TypeName;
    for (const TSpanNodes &span : shape.Spans)
        Spans.AddSpan(span.Number, span.FromNode, span.ToNode, WireWeight, VariableWires);
    PoleDistances.Initialise(shape.PoleDistanceCount());

    SetMinSAG(parameters.DefaultMinSAG);
    SetMaxSAG(parameters.DefaultMaxSAG);
    SetMinClearance(parameters.MinClearance);
    SetWireWeight(parameters.WireWeight);
    SetVariableWires(parameters.VariableWire);
    SetBoxWarp(parameters.Warp);
}

TWireConfiguration::TWireConfiguration(const TWireConfiguration &source)
    : TBaseObject()
    , SequenceType(source.SequenceType)
{
    SetMaxSAG(source.MaxSAG);
    SetMinClearance(source.MinClearance);
    SetWireWeight(source.WireWeight);
    SetSpanWire(source.SpanWire);
    SetMinSAG(source.MinSAG);
    SetVariableWires(source.VariableWires);
    SetBoxWarp(source.BoxWarp);
    Poles.CopyFrom(source.Poles);
    Spans.CopyFrom(source.Spans, WireWeight);
    Elevations.CopyFrom(source.Elevations);
    PoleDistances.Initialise(Topology().PoleDistanceCount());
}

void TWireConfiguration::SetWireWeight(double value)
{
    if (WireWeight == value)
        return;
    WireWeight = value;
    SetModified(true);
    for (TBaseWire *span : Spans)
        span->SetWireWeight(value);
}

void TWireConfiguration::SetVariableWires(bool value)
{
    if (VariableWires == value)
        return;
    VariableWires = value;
    SetModified(true);
    for (TBaseWire *span : Spans)
        span->SetUniformWeight(!value);
}

const TSequenceTopology &TWireConfiguration::Topology() const
{
    return corvadel::Topology(SequenceType);
}

std::string TWireConfiguration::DisplayName() const
{
    return IntToStr(Number) + " - " + Identification;
}

bool TWireConfiguration::IsModified() const
{
    return Modified || Poles.IsModified() || Spans.IsModified() || Elevations.IsModified();
}

void TWireConfiguration::ClearModified()
{
    Modified = false;
    Poles.ClearModified();
    Spans.ClearModified();
    Elevations.ClearModified();
}

void TWireConfiguration::WriteXML(TXMLElementWriter &out) const
{
    out.Begin(Topology().ElementName);
    out.Leaf("SEQUENCE_NUMBER", IntToStr(Number));
    out.Leaf("SEQUENCE_TYPE", IntToStr(SequenceType));
    out.Leaf("SEQUENCE_ID", Identification);
    out.Leaf("SEQUENCE_WIRE_WEIGHT", FloatToStr(WireWeight));
    if (!SpanWire.empty())
        out.Leaf("SEQUENCE_SPAN_WIRE", SpanWire);
    out.Leaf("SEQUENCE_MIN_SAG", FloatToStr(MinSAG));
    out.Leaf("SEQUENCE_MAX_SAG", FloatToStr(MaxSAG));
    out.Leaf("SEQUENCE_MIN_CLEARANCE", FloatToStr(MinClearance));
    out.Leaf("SEQUENCE_VARIABLE_WIRES", BoolToStr(VariableWires));
    if (SequenceType == stBox)
        out.Leaf("SEQUENCE_BOX_WARP", BoolToStr(BoxWarp));
    for (const TBaseWire *span : Spans)
        span->WriteXML(out);
    Elevations.WriteXML(out);
    for (const TBasePole *pole : Poles) {
        if (pole->IsRing || pole->AllowableMoment <= 0)
            continue;
        out.Begin("POLE_ALLOWABLE_MOMENT");
        out.Leaf("POLE_NUMBER", IntToStr(pole->Number));
        out.Leaf("ALLOWABLE_MOMENT", FloatToStr(pole->AllowableMoment));
        out.End();
    }
    out.End();
}

namespace {

// ", with its 2 signals", or nothing for an element without any.
std::string WithSignals(const TXMLBaseObject &wire)
{
    const auto signals = std::count_if(wire.Children.begin(), wire.Children.end(),
                                       [](const TXMLBaseObject *child) { return child->Name == "SIGNAL"; });
    if (signals == 0)
        return "";
    return ", with its " + IntToStr(static_cast<int>(signals)) + (signals == 1 ? " signal" : " signals");
}

} // namespace

void TWireConfiguration::ReadSpan(const TXMLBaseObject &wire)
{
    const TXMLBaseObject *number = wire.FindChild("WIRE_NUMBER");
    if (!number) {
        SkippedOnRead.push_back("a WIRE element without WIRE_NUMBER was skipped" + WithSignals(wire));
        return;
    }
    TBaseWire *span = Spans.FindByNumber(ElementInt(*number));
    if (!span) {
        SkippedOnRead.push_back("WIRE_NUMBER " + number->Value + " names no span (spans 1 to "
                                + IntToStr(Spans.Count()) + "); the element was skipped" + WithSignals(wire));
        return;
    }
    span->FromXML(wire);
    for (const std::string &note : span->SkippedOnRead)
        SkippedOnRead.push_back("span " + IntToStr(span->Number) + ": " + note);
}

void TWireConfiguration::ReadAllowableMoment(const TXMLBaseObject &element)
{
    const TXMLBaseObject *number = element.FindChild("POLE_NUMBER");
    const TXMLBaseObject *moment = element.FindChild("ALLOWABLE_MOMENT");
    TBasePole *pole = number ? Poles.FindByNumber(ElementInt(*number)) : nullptr;
    if (!pole || pole->IsRing || !moment) {
        SkippedOnRead.push_back("a POLE_ALLOWABLE_MOMENT element " +
                                (number ? "naming pole " + number->Value + ", which the sequence lacks,"
                                        : std::string("without POLE_NUMBER")) +
                                (moment ? "" : " or ALLOWABLE_MOMENT") + " was skipped");
        return;
    }
    const double value = ElementFloat(*moment);
    // Not given is written as nothing; a moment no pole can carry is no check.
    if (value <= 0) {
        SkippedOnRead.push_back("the allowable moment " + moment->Value + " of pole " + number->Value +
                                " is not above 0; it was skipped");
        return;
    }
    pole->AllowableMoment = value;
}

void TWireConfiguration::FromXML(const TXMLBaseObject &node)
{
    SkippedOnRead.clear();
    for (const auto &child : node.Children) {
        const std::string_view name = child->Name;
        if (name == "SEQUENCE_NUMBER") {
            Number = ElementInt(*child);
        } else if (name == "SEQUENCE_TYPE") {
            // The spans, poles and points were made for the element's type;
            // a different code here would not describe them.
            ElementInt(*child);
        } else if (name == "SEQUENCE_ID") {
            Identification = child->Value;
        } else if (name == "SEQUENCE_WIRE_WEIGHT") {
            SetWireWeight(ElementFloat(*child));
        } else if (name == "SEQUENCE_SPAN_WIRE") {
            SpanWire = child->Value;
        } else if (name == "SEQUENCE_MIN_SAG") {
            MinSAG = ElementFloat(*child);
        } else if (name == "SEQUENCE_MAX_SAG") {
            MaxSAG = ElementFloat(*child);
        } else if (name == "SEQUENCE_MIN_CLEARANCE") {
            MinClearance = ElementFloat(*child);
        } else if (name == "SEQUENCE_VARIABLE_WIRES") {
            SetVariableWires(StrToBool(child->Value));
        } else if (name == "SEQUENCE_BOX_WARP") {
            BoxWarp = StrToBool(child->Value);
        } else if (name == "WIRE") {
            ReadSpan(*child);
        } else if (name == "ELEVATIONS") {
            Elevations.FromXML(*child);
        } else if (name == "POLE_ALLOWABLE_MOMENT") {
            ReadAllowableMoment(*child);
        }
    }
}

TWireConfigurationList::TWireConfigurationList(const TTARVOParameters &parameters, const TCodeList *catalogue)
    : Params(&parameters)
    , Codes(catalogue)
{ }

std::unique_ptr<TWireConfiguration> TWireConfigurationList::CreateSequence(int type) const
{
    return std::make_unique<TWireConfiguration>(type, *Params);
}

int TWireConfigurationList::NextNumber() const
{
    int largest = 0;
    for (const TWireConfiguration *sequence : *this)
        largest = std::max(largest, sequence->Number);
    return largest + 1;
}

TWireConfiguration *TWireConfigurationList::FindByNumber(int number) const
{
    return FindIf([number](const TWireConfiguration &sequence) { return sequence.Number == number; });
}

TWireConfiguration *TWireConfigurationList::FindByDisplayName(const std::string &name) const
{
    return FindIf([&name](const TWireConfiguration &sequence) { return sequence.DisplayName() == name; });
}

TWireConfiguration *TWireConfigurationList::AddSequence(int type)
{
    auto sequence = CreateSequence(type);
    sequence->SetNumber(NextNumber());
    Modified = true;
    return Add(std::move(sequence));
}

TWireConfiguration *TWireConfigurationList::DuplicateSequence(const TWireConfiguration &source)
{
    auto copy = std::make_unique<TWireConfiguration>(source);
    copy->SetNumber(NextNumber());
    copy->SetIdentification("Copy of " + source.Identification);
    Modified = true;
    return Add(std::move(copy));
}

bool TWireConfigurationList::DeleteSequence(int number)
{
    TWireConfiguration *doomed = FindByNumber(number);
    if (doomed) {
        Delete(IndexOf(doomed));
        Modified = true;
    }
    for (TWireConfiguration *sequence : *this)
        if (sequence->Number > number)
            sequence->SetNumber(sequence->Number - 1);
    return doomed != nullptr;
}

bool TWireConfigurationList::RemoveSequence(int number)
{
    const bool removed = DeleteSequence(number);
    Combinations.SequenceRemoved(number);
    return removed;
}

void TWireConfigurationList::Close()
{
    FreeAll();
    FileName.clear();
    // What was discarded can no longer be unsaved.
    Modified = false;
    Combinations.Modified = false;
}

void TWireConfigurationList::ResetDetails()
{
    Comments.clear();
    ProjectName.clear();
    Author.clear();
    ProjectDate = TDateTime::Now();
    LastRevision = ProjectDate;
}

namespace {

template<class V>
void AssignDetail(V &field, const V &value, bool &modified)
{
    if (field == value)
        return;
    field = value;
    modified = true;
}

} // namespace

void TWireConfigurationList::SetAuthor(const std::string &value)
{
    AssignDetail(Author, value, Modified);
}

void TWireConfigurationList::SetComments(const std::string &value)
{
    AssignDetail(Comments, value, Modified);
}

void TWireConfigurationList::SetProjectDate(const TDateTime &value)
{
    AssignDetail(ProjectDate, value, Modified);
}

void TWireConfigurationList::SetProjectName(const std::string &value)
{
    AssignDetail(ProjectName, value, Modified);
}

bool TWireConfigurationList::IsModified() const
{
    return TBaseList::IsModified() || Combinations.IsModified();
}

void TWireConfigurationList::ClearModified()
{
    TBaseList::ClearModified();
    Combinations.ClearModified();
}

void TWireConfigurationList::FreeAll()
{
    TBaseList::FreeAll();
    Combinations.FreeAll();
}

} // namespace corvadel
