// One span of a sequence: its length and angle, the signals it carries and
// the segments its wire weight is cut into.
#pragma once

#include "uSegment.h"
#include "uSignal.h"

#include <memory>

namespace corvadel {

class TBaseWire : public TBaseObject
{
public:
    explicit TBaseWire(double wireWeight = 0);
    TBaseWire(const TBaseWire &source, double wireWeight);

    double Length = 0; // feet
    int FromNode = 0; // where distances along the span start
    int Number = 0; // 1..8
    int ToNode = 0;
    TSignalList Signals;
    TSegmentList Segments;
    bool UniformWeight = true;
    double Angle = 0; // degrees
    double PlanDirection = 0; // degrees, set by the tension relations
    double PlanLength = 0; // feet, set by the tension relations

    // Working values of the engine, never saved.
    double TensionRelation = 0;
    double ElevationDifference = 0; // start attachment minus end attachment
    double Tension = 0;
    double LowPointDistance = 0; // from the end of the span
    double LowPointMoment = 0;
    double EndElevation = 0;
    double LowestElevation = 0;

    void SetNumber(int value) { Assign(Number, value); }
    void SetFromNode(int value) { Assign(FromNode, value); }
    void SetToNode(int value) { Assign(ToNode, value); }
    // Also drops the signals at or beyond the new length and cuts the segments.
    void SetLength(double value);
    // An angle is plan input the engine may revisit; it never marks the span.
    void SetAngle(double value) { Angle = value; }
    // Never marks; becoming uniform resets every segment's compositions.
    void SetUniformWeight(bool value);
    // The sequence's wire weight reaches the default compositions.
    void SetWireWeight(double value);

    // Editing that keeps signals and segments consistent.
    TBaseSignal *AddSignal(std::unique_ptr<TBaseSignal> signal);
    // After the signal's fields were changed through its setters.
    void UpdateSignal(TBaseSignal &signal);
    // Releases the signal; false when it is not on this span.
    bool RemoveSignal(const TBaseSignal *signal);
    // Sorts and renumbers the signals and cuts fresh default segments.
    void RebuildSegments();

    bool IsModified() const override;
    void ClearModified() override;
    void WriteXML(TXMLElementWriter &out) const override;
    // Reads a "WIRE" element into this span (its number already matched).
    void FromXML(const TXMLBaseObject &node) override;
    // What the last FromXML left out because the span has nothing it could
    // belong to, a sentence each.
    std::vector<std::string> SkippedOnRead;
};

} // namespace corvadel
