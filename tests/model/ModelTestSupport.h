// Small builders shared by the model tests.
#pragma once

#include "uGlobalSettings.h"
#include "uWires.h"

#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace corvadel::test {

inline std::unique_ptr<TBaseSignal> MakeSignal(double distance, double deadLoad = 40, const std::string &code = {})
{
    auto signal = std::make_unique<TBaseSignal>();
    signal->SetIsSignal(true);
    signal->SetDistance(distance);
    signal->SetSimpleDeadLoad(deadLoad);
    signal->SetSimpleAreaFactor(5);
    signal->SetCode(code);
    return signal;
}

// (start point, end point, start distance, length) of each segment in order.
using SegmentRow = std::tuple<int, int, double, double>;

inline std::vector<SegmentRow> SegmentRows(const TSegmentList &segments)
{
    std::vector<SegmentRow> rows;
    for (const TBaseSegment *segment : segments)
        rows.emplace_back(segment->StartPoint, segment->EndPoint, segment->StartDistance, segment->Length);
    return rows;
}

inline std::vector<double> SignalDistances(const TSignalList &signals)
{
    std::vector<double> distances;
    for (const TBaseSignal *signal : signals)
        distances.push_back(signal->Distance);
    return distances;
}

inline std::unique_ptr<TSegmentComposition> MakeComposition(const std::string &code, double weight, int occurrence)
{
    auto composition = std::make_unique<TSegmentComposition>();
    composition->SetWireCode(code);
    composition->SetWireType("STRAND");
    composition->SetWireWeight(weight);
    composition->SetOccurrence(occurrence);
    return composition;
}

// Parses `element` back the way a file would: written out, then read in.
inline std::unique_ptr<TXMLBaseObject> ThroughText(std::unique_ptr<TXMLBaseObject> element)
{
    TXMLBaseObject root("XML");
    root.AddChild(std::move(element));
    TXMLBaseObject read;
    read.LoadFromText(root.DocumentText());
    if (read.Children.empty())
        return std::make_unique<TXMLBaseObject>();
    return std::make_unique<TXMLBaseObject>(*read.Children.front());
}

} // namespace corvadel::test
