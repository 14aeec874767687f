// A span cut into segments at its signals, each with its wire compositions.
#pragma once

#include "uBaseObject.h"

#include <memory>
#include <string>

namespace corvadel {

class TBaseSignal;
class TSignalList;

inline constexpr int SegmentStartPoint = 0; // "Start" of a span
inline constexpr int SegmentEndPoint = 99; // "End" of a span

// "Start", "End" or "Signal n".
std::string SegmentPointName(int point);

class TSegmentComposition : public TBaseObject
{
public:
    static constexpr const char *DefaultWireCode = "FIX";
    static constexpr const char *DefaultWireType = "FIXED";

    TSegmentComposition() = default;
    TSegmentComposition(const TSegmentComposition &source);

    double WireWeight = 0; // pounds per foot
    int SegmentNumber = 0; // StartPoint of the owning segment when read or copied
    int Occurrence = 0;
    std::string Description;
    std::string WireCode;
    std::string WireType;

    void SetWireWeight(double value) { Assign(WireWeight, value); }
    void SetOccurrence(int value) { Assign(Occurrence, value); }
    void SetDescription(const std::string &value) { Assign(Description, value); }
    void SetWireCode(const std::string &value) { Assign(WireCode, value); }
    void SetWireType(const std::string &value) { Assign(WireType, value); }

    // Through the setters: "FIX", "FIXED", no description, the weight, once.
    void SetDefault(double wireWeight);
    double UnitWeight() const { return Occurrence * WireWeight; }

    void WriteXML(TXMLElementWriter &out) const override;
    void FromXML(const TXMLBaseObject &node) override;
};

class TSegmentCompositionList : public TBaseList<TSegmentComposition>
{
public:
    void CopyFrom(const TSegmentCompositionList &source);
    double UnitWeight() const;
};

class TBaseSegment : public TBaseObject
{
public:
    TBaseSegment() = default;
    TBaseSegment(const TBaseSegment &source);

    double Length = 0;
    int EndPoint = SegmentEndPoint;
    int StartPoint = 0;
    double StartDistance = 0;
    TSegmentCompositionList Compositions;

    void SetLength(double value) { Assign(Length, value); }
    void SetEndPoint(int value) { Assign(EndPoint, value); }
    void SetStartPoint(int value) { Assign(StartPoint, value); }
    void SetStartDistance(double value) { Assign(StartDistance, value); }

    double UnitWeight() const { return Compositions.UnitWeight(); } // pounds per foot
    double Weight() const { return UnitWeight() * Length; } // pounds

    // Releases every composition but the first and makes that one the
    // default; a segment without compositions gets a default one.
    void ResetCompositions(double wireWeight);
    // As a segment is born: from the point to the end of the span, one
    // default composition, nothing marked.
    void MakeDefault(int startPoint, double length, double startDistance, double wireWeight);

    bool IsModified() const override;
    void ClearModified() override;
    void WriteXML(TXMLElementWriter &out) const override;
    // Replaces the compositions with those of a "SEGMENT" element.
    void FromXML(const TXMLBaseObject &node) override;
};

class TSegmentList : public TBaseList<TBaseSegment>
{
public:
    double DefaultWireWeight = 0; // pounds per foot
    double SpanLength = 0; // feet

    // Appends a segment to the end of the span with one default composition.
    TBaseSegment *AddSegment(int startPoint, double length, double startDistance);
    // The signals are numbered by position, as a re-sort leaves them.
    void RebuildFromSignals(const TSignalList &signalList);

    // The operations below keep the chain Start -> signal 1 -> ... -> End.
    // Each returns false, changing nothing, when the chain it expects is not
    // there; the span then rebuilds the segments from its signals.
    bool SplitAtSignal(const TBaseSignal &signal);
    bool MergeAtPoint(int number);
    // False also when the signal's new distance leaves its neighbours.
    bool MoveSignal(const TBaseSignal &signal);
    bool Truncate();
    void ResetCompositions();

    TBaseSegment *FindByStartPoint(int point) const;
    TBaseSegment *FindByEndPoint(int point) const;
    void CopyFrom(const TSegmentList &source);

    double SumWeights() const;
    // Moment of the wire weight about the start of the span.
    double SumMoments() const;
};

} // namespace corvadel
