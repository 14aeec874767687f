#include "uBaseWire.h"

#include "uElementValue.h"
#include "uFormats.h"

#include <algorithm>

namespace corvadel {

TBaseWire::TBaseWire(double wireWeight)
{
    Segments.DefaultWireWeight = wireWeight;
    Segments.SpanLength = 0;
    Segments.RebuildFromSignals(Signals);
}

TBaseWire::TBaseWire(const TBaseWire &source, double wireWeight)
    : TBaseWire(wireWeight)
{
    SetNumber(source.Number);
    SetFromNode(source.FromNode);
    SetToNode(source.ToNode);
    SetLength(source.Length);
    Angle = source.Angle;
    PlanDirection = source.PlanDirection;
    PlanLength = source.PlanLength;
    SetUniformWeight(source.UniformWeight);
    Signals.CopyFrom(source.Signals);
    Segments.CopyFrom(source.Segments);
}

void TBaseWire::SetLength(double value)
{
    if (Length == value)
        return;
    Length = value;
    SetModified(true);
    Signals.RemoveBeyond(value);
    Segments.SpanLength = value;
    if (!Segments.Truncate())
        RebuildSegments();
}

void TBaseWire::SetUniformWeight(bool value)
{
    UniformWeight = value;
    if (value)
        Segments.ResetCompositions();
}

void TBaseWire::SetWireWeight(double value)
{
    Segments.DefaultWireWeight = value;
    if (UniformWeight)
        Segments.ResetCompositions();
}

TBaseSignal *TBaseWire::AddSignal(std::unique_ptr<TBaseSignal> signal)
{
    TBaseSignal *added = Signals.Add(std::move(signal));
    Signals.SortAndRenumber();
    SetModified(true);
    if (!Segments.SplitAtSignal(*added))
        RebuildSegments();
    return added;
}

void TBaseWire::UpdateSignal(TBaseSignal &signal)
{
    if (Segments.MoveSignal(signal))
        return;
    const int oldNumber = signal.Number;
    Signals.SortAndRenumber();
    if (!Segments.MergeAtPoint(oldNumber) || !Segments.SplitAtSignal(signal))
        RebuildSegments();
}

bool TBaseWire::RemoveSignal(const TBaseSignal *signal)
{
    const int index = Signals.IndexOf(signal);
    if (index < 0)
        return false;
    const int oldNumber = signal->Number;
    Signals.Delete(index);
    Signals.SortAndRenumber();
    SetModified(true);
    if (!Segments.MergeAtPoint(oldNumber))
        RebuildSegments();
    return true;
}

void TBaseWire::RebuildSegments()
{
    Signals.SortAndRenumber();
    Segments.RebuildFromSignals(Signals);
}

bool TBaseWire::IsModified() const
{
    return Modified || Signals.IsModified() || Segments.IsModified();
}

void TBaseWire::ClearModified()
{
    Modified = false;
    Signals.ClearModified();
    Segments.ClearModified();
}

void TBaseWire::WriteXML(TXMLElementWriter &out) const
{
    out.Begin("WIRE");
    out.Leaf("WIRE_NUMBER", IntToStr(Number));
    out.Leaf("WIRE_LENGTH", FloatToStr(Length));
    out.Leaf("WIRE_ANGLE", FloatToStr(Angle));
    for (const TBaseSignal *signal : Signals)
        signal->WriteXML(out);
    if (!UniformWeight)
        for (const TBaseSegment *segment : Segments)
            segment->WriteXML(out);
    out.End();
}

void TBaseWire::FromXML(const TXMLBaseObject &node)
{
    SkippedOnRead.clear();
    if (node.Name != "WIRE")
        return;
    Signals.Reserve(Signals.Count()
        + static_cast<int>(std::count_if(node.Children.begin(), node.Children.end(),
            [](const TXMLBaseObject *child) { return child->Name == "SIGNAL"; })));
    for (const auto &child : node.Children) {
        const std::string_view name = child->Name;
        if (name == "WIRE_NUMBER") {
            Number = ElementInt(*child);
        } else if (name == "WIRE_LENGTH") {
            SetLength(ElementFloat(*child));
        } else if (name == "WIRE_ANGLE") {
            Angle = ElementFloat(*child);
        } else if (name == "SIGNAL") {
            auto signal = std::make_unique<TBaseSignal>();
            signal->FromXML(*child);
            Signals.Add(std::move(signal));
        }
    }
    // The chain is cut from all signals before any stored segment gives its
    // compositions, whatever order a hand-edited file lists them in.
    RebuildSegments();
    // Just rebuilt, the chain has the segment from the span's start and one
    // from each signal, in order: the k-th starts at point k.
    for (const auto &child : node.Children) {
        if (child->Name != "SEGMENT")
            continue;
        const TXMLBaseObject *number = child->FindChild("SEGMENT_NUMBER");
        if (!number) {
            SkippedOnRead.push_back("a SEGMENT element without SEGMENT_NUMBER was skipped, with its wire weights");
            continue;
        }
        const int startPoint = ElementInt(*number);
        if (startPoint >= 0 && startPoint < Segments.Count())
            Segments.Objects(startPoint)->FromXML(*child);
        else
            SkippedOnRead.push_back("SEGMENT_NUMBER " + number->Value + " names no segment (segments 0 to "
                                    + IntToStr(Segments.Count() - 1) + "); its wire weights were skipped");
    }
}

} // namespace corvadel
