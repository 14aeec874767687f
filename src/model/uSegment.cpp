#include "uSegment.h"

#include "uElementValue.h"
#include "uFormats.h"
#include "uSignal.h"
namespace corvadel {

namespace {

// A composition as a segment is born with, set without marking it.
void MakeDefaultComposition(TSegmentComposition &composition, int segmentNumber, double wireWeight)
{
    composition.SegmentNumber = segmentNumber;
    composition.WireCode = TSegmentComposition::DefaultWireCode;
    composition.WireType = TSegmentComposition::DefaultWireType;
    composition.Description.clear();
    composition.WireWeight = wireWeight;
    composition.Occurrence = 1;
}

} // namespace

std::string SegmentPointName(int point)
{
    if (point == SegmentStartPoint)
        return "Start";
    if (point == SegmentEndPoint)
        return "End";
    return "Signal " + IntToStr(point);
}

TSegmentComposition::TSegmentComposition(const TSegmentComposition &source)
    : TBaseObject()
    , SegmentNumber(source.SegmentNumber)
{
    SetWireCode(source.WireCode);
    SetWireType(source.WireType);
    SetDescription(source.Description);
    SetWireWeight(source.WireWeight);
    SetOccurrence(source.Occurrence);
}

void TSegmentComposition::SetDefault(double wireWeight)
{
    SetWireCode(DefaultWireCode);
    SetWireType(DefaultWireType);
    SetDescription("");
    SetWireWeight(wireWeight);
    SetOccurrence(1);
}

void TSegmentComposition::WriteXML(TXMLElementWriter &out) const
{
    out.Begin("COMPOSITION");
    out.Leaf("WIRE_CODE", WireCode);
    out.Leaf("WIRE_TYPE", WireType);
    out.Leaf("WIRE_DESCRIPTION", Description);
    out.Leaf("WIRE_WEIGHT", FloatToStr(WireWeight));
    out.Leaf("WIRE_OCCURRENCE", IntToStr(Occurrence));
    out.End();
}

void TSegmentComposition::FromXML(const TXMLBaseObject &node)
{
    if (node.Name != "COMPOSITION")
        return;
    for (const auto &child : node.Children) {
        if (child->Name == "WIRE_CODE")
            WireCode = child->Value;
        else if (child->Name == "WIRE_TYPE")
            WireType = child->Value;
        else if (child->Name == "WIRE_DESCRIPTION")
            Description = child->Value;
        else if (child->Name == "WIRE_WEIGHT")
            WireWeight = ElementFloat(*child);
        else if (child->Name == "WIRE_OCCURRENCE")
            Occurrence = ElementInt(*child);
    }
}

void TSegmentCompositionList::CopyFrom(const TSegmentCompositionList &source)
{
    FreeAll();
    for (const TSegmentComposition *composition : source)
        Add(std::make_unique<TSegmentComposition>(*composition));
}

double TSegmentCompositionList::UnitWeight() const
{
    double sum = 0;
    for (const TSegmentComposition *composition : *this)
        sum += composition->UnitWeight();
    return sum;
}

TBaseSegment::TBaseSegment(const TBaseSegment &source)
    : TBaseObject()
    , Length(source.Length)
    , EndPoint(source.EndPoint)
    , StartPoint(source.StartPoint)
    , StartDistance(source.StartDistance)
{
    Compositions.CopyFrom(source.Compositions);
}

void TBaseSegment::ResetCompositions(double wireWeight)
{
    while (Compositions.Count() > 1)
        Compositions.Delete(Compositions.Count() - 1);
    if (Compositions.Empty()) {
        // A segment read without compositions would otherwise weigh nothing.
        MakeDefaultComposition(*Compositions.Add(std::make_unique<TSegmentComposition>()), StartPoint, wireWeight);
        SetModified(true);
        return;
    }
    Compositions.First()->SetDefault(wireWeight);
}

void TBaseSegment::MakeDefault(int startPoint, double length, double startDistance, double wireWeight)
{
    StartPoint = startPoint;
    EndPoint = SegmentEndPoint;
    StartDistance = startDistance;
    Length = length;
    while (Compositions.Count() > 1)
        Compositions.Delete(Compositions.Count() - 1);
    if (Compositions.Empty())
        Compositions.Add(std::make_unique<TSegmentComposition>());
    MakeDefaultComposition(*Compositions.First(), startPoint, wireWeight);
    ClearModified();
}

bool TBaseSegment::IsModified() const
{
    return Modified || Compositions.IsModified();
}

void TBaseSegment::ClearModified()
{
    Modified = false;
    Compositions.ClearModified();
}

void TBaseSegment::WriteXML(TXMLElementWriter &out) const
{
    out.Begin("SEGMENT");
    out.Leaf("SEGMENT_NUMBER", IntToStr(StartPoint));
    for (const TSegmentComposition *composition : Compositions)
        composition->WriteXML(out);
    out.End();
}

void TBaseSegment::FromXML(const TXMLBaseObject &node)
{
    if (node.Name != "SEGMENT")
        return;
    Compositions.FreeAll();
    for (const auto &child : node.Children) {
        if (child->Name != "COMPOSITION")
            continue;
        auto composition = std::make_unique<TSegmentComposition>();
        composition->SegmentNumber = StartPoint;
        composition->FromXML(*child);
        Compositions.Add(std::move(composition));
    }
}

TBaseSegment *TSegmentList::AddSegment(int startPoint, double length, double startDistance)
{
    TBaseSegment *segment = Add(std::make_unique<TBaseSegment>());
    segment->MakeDefault(startPoint, length, startDistance, DefaultWireWeight);
    return segment;
}

void TSegmentList::RebuildFromSignals(const TSignalList &signalList)
{
    // The segments there are made default again rather than released and
    // allocated anew: a span read from a file rebuilds the one it was
    // created with.
    int made = 0;
    const auto makeSegment = [&](int startPoint, double length, double startDistance) {
        if (made == Count())
            AddSegment(startPoint, length, startDistance);
        else
            Objects(made)->MakeDefault(startPoint, length, startDistance, DefaultWireWeight);
        return Objects(made++);
    };
    Reserve(signalList.Count() + 1);
    TBaseSegment *last = makeSegment(SegmentStartPoint, SpanLength, 0);
    for (int i = 1; i <= signalList.Count(); ++i) {
        const TBaseSignal *signal = signalList.Objects(i - 1);
        last->EndPoint = i;
        last->Length = signal->Distance - last->StartDistance;
        last = makeSegment(i, SpanLength - signal->Distance, signal->Distance);
    }
    Rows.erase(Rows.begin() + made, Rows.end());
}

bool TSegmentList::SplitAtSignal(const TBaseSignal &signal)
{
    const int number = signal.Number;
    TBaseSegment *cut = FindByEndPoint(number);
    if (!cut)
        cut = FindByEndPoint(SegmentEndPoint);
    if (!cut)
        return false;

    const int oldEnd = cut->EndPoint;
    const double oldLength = cut->Length;
    cut->SetEndPoint(number);
    cut->SetLength(signal.Distance - cut->StartDistance);

    auto piece = std::make_unique<TBaseSegment>();
    piece->StartPoint = number;
    piece->EndPoint = oldEnd == SegmentEndPoint ? SegmentEndPoint : oldEnd + 1;
    piece->StartDistance = signal.Distance;
    piece->Length = oldLength - cut->Length;
    piece->Compositions.CopyFrom(cut->Compositions);
    piece->SetModified(true);

    int position = Count();
    for (int i = 0; i < Count(); ++i) {
        TBaseSegment *segment = Objects(i);
        if (segment->StartPoint < number)
            continue;
        if (segment->StartPoint == number)
            position = i;
        segment->SetStartPoint(segment->StartPoint + 1);
        if (segment->EndPoint != SegmentEndPoint)
            segment->SetEndPoint(segment->EndPoint + 1);
    }
    Insert(position, std::move(piece));
    return true;
}

bool TSegmentList::MergeAtPoint(int number)
{
    TBaseSegment *after = FindByStartPoint(number);
    TBaseSegment *before = FindByEndPoint(number);
    if (!after || !before || after == before)
        return false;

    if (after->EndPoint == SegmentEndPoint)
        before->SetEndPoint(SegmentEndPoint);
    before->SetLength(before->Length + after->Length);
    Delete(IndexOf(after));

    for (TBaseSegment *segment : *this) {
        if (segment->StartPoint <= number)
            continue;
        segment->SetStartPoint(segment->StartPoint - 1);
        if (segment->EndPoint != SegmentEndPoint)
            segment->SetEndPoint(segment->EndPoint - 1);
    }
    return true;
}

bool TSegmentList::MoveSignal(const TBaseSignal &signal)
{
    TBaseSegment *after = FindByStartPoint(signal.Number);
    TBaseSegment *before = FindByEndPoint(signal.Number);
    if (!after || !before || after == before)
        return false;
    const double distance = signal.Distance;
    if (!(distance > before->StartDistance) || !(distance < after->StartDistance + after->Length))
        return false;

    const double total = before->Length + after->Length;
    after->SetStartDistance(distance);
    before->SetLength(distance - before->StartDistance);
    after->SetLength(total - before->Length);
    return true;
}

bool TSegmentList::Truncate()
{
    TBaseSegment *segment = FindByEndPoint(SegmentEndPoint);
    // Signals at or beyond the new length are gone, so are the segments that
    // start at them; the segment from the start of the span always stays.
    while (segment && segment->StartPoint != SegmentStartPoint && segment->StartDistance >= SpanLength) {
        const int start = segment->StartPoint;
        Delete(IndexOf(segment));
        segment = FindByEndPoint(start);
    }
    if (!segment)
        return false;
    segment->SetEndPoint(SegmentEndPoint);
    segment->SetLength(SpanLength - segment->StartDistance);
    return true;
}

void TSegmentList::ResetCompositions()
{
    for (TBaseSegment *segment : *this)
        segment->ResetCompositions(DefaultWireWeight);
}

TBaseSegment *TSegmentList::FindByStartPoint(int point) const
{
    return FindIf([point](const TBaseSegment &segment) { return segment.StartPoint == point; });
}

TBaseSegment *TSegmentList::FindByEndPoint(int point) const
{
    return FindIf([point](const TBaseSegment &segment) { return segment.EndPoint == point; });
}

void TSegmentList::CopyFrom(const TSegmentList &source)
{
    FreeAll();
    for (const TBaseSegment *segment : source)
        Add(std::make_unique<TBaseSegment>(*segment));
}

double TSegmentList::SumWeights() const
{
    double sum = 0;
    for (const TBaseSegment *segment : *this)
        sum += segment->Weight();
    return sum;
}

double TSegmentList::SumMoments() const
{
    double sum = 0;
    for (const TBaseSegment *segment : *this)
        sum += segment->Weight() * (segment->Length / 2 + segment->StartDistance);
    return sum;
}

} // namespace corvadel
