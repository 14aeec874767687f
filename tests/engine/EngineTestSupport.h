// Builders shared by the engine tests.
#pragma once

#include "uCodes.h"
#include "uFormats.h"
#include "uGlobalSettings.h"
#include "uWires.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace corvadel::test {

// Opens every sample project of examples/ in turn and hands it to `check`
// (with the file's name traced); returns how many there were.
inline int ForEachExample(const std::function<void(TWireConfigurationList &project)> &check)
{
    const std::filesystem::path folder = std::filesystem::path(CORVADEL_SOURCE_DIR) / "examples";
    int examples = 0;
    for (const auto &entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".xml")
            continue;
        SCOPED_TRACE(entry.path().filename().string());
        TTARVOParameters parameters;
        TWireConfigurationList project(parameters);
        if (!project.Open(entry.path().string())) {
            ADD_FAILURE() << "cannot open " << entry.path();
            continue;
        }
        check(project);
        ++examples;
    }
    return examples;
}

inline const TTARVOParameters &DefaultParameters()
{
    static const TTARVOParameters parameters;
    return parameters;
}

inline double Deg(double radians)
{
    return radians * 180 / Pi;
}

inline double Rad(double degrees)
{
    return degrees * Pi / 180;
}

// The lengths and angles (degrees) of a valid, slightly irregular plan of
// each type.
inline const std::pair<std::vector<double>, std::vector<double>> &IrregularPlan(int type)
{
    static const std::map<int, std::pair<std::vector<double>, std::vector<double>>> plans = {
        {stSimple, {{110}, {}}},
        {stWYE, {{90, 110, 100}, {50, 65}}},
        {stH, {{80, 90, 60, 85, 75}, {40, 55, 50, 35}}},
        {stDelta, {{60, 100, 100, 70, 100, 65}, {30, 120, 35, 120, 40, 120}}},
        {stHybrid, {{60, 65, 50, 70, 55, 60, 75}, {40, 45, 35, 50, 42, 38}}},
        {stBox, {{50, 100, 100, 55, 100, 60, 100, 65}, {45, 90, 40, 90, 50, 90, 90, 35}}},
    };
    return plans.at(type);
}

// A sequence of `type` with the given lengths and angles (degrees), spans 1..n.
inline std::unique_ptr<TWireConfiguration> MakeSequence(int type, const std::vector<double> &lengths,
                                                        const std::vector<double> &angles = {})
{
    auto sequence = std::make_unique<TWireConfiguration>(type, DefaultParameters());
    for (size_t i = 0; i < lengths.size(); ++i)
        sequence->Spans.SetLengthOf(static_cast<int>(i) + 1, lengths[i]);
    for (size_t i = 0; i < angles.size(); ++i)
        sequence->Spans.SetAngleOf(static_cast<int>(i) + 1, angles[i]);
    return sequence;
}

// A Simple sequence appended to the project; `t` is the start's height above the end.
inline TWireConfiguration &AddSimple(TWireConfigurationList &project, double length, double weight, double maxSAG,
                                     double minSAG, double t = 0)
{
    TWireConfiguration &sequence = *project.AddSequence(stSimple);
    sequence.Spans.SetLengthOf(1, length);
    sequence.SetWireWeight(weight);
    sequence.SetMaxSAG(maxSAG);
    sequence.SetMinSAG(minSAG);
    sequence.Elevations.SetValueOf("T", t);
    return sequence;
}

inline std::unique_ptr<TBaseSignal> MakeLoad(double distance, double deadLoad, double areaFactor = 0,
                                             bool isSignal = true)
{
    auto signal = std::make_unique<TBaseSignal>();
    signal->SetIsSignal(isSignal);
    signal->SetDistance(distance);
    signal->SetSimpleDeadLoad(deadLoad);
    signal->SetSimpleAreaFactor(areaFactor);
    return signal;
}

// Three EHS sizes and two HS sizes of the A475 table.
inline TCodeList &StrandCatalogue()
{
    static TCodeList *list = [] {
        auto *codes = new TCodeList; // kept for every test of the program
        std::string text = "<XML>\n<WIRE_LIST>\n";
        const struct {
            const char *Code, *Grade, *Section;
            double Weight, Strength;
        } rows[] = {{"EHS-3/8", "EHS", "3/8\"", 0.273, 15400},
                    {"EHS-7/16", "EHS", "7/16\"", 0.399, 20800},
                    {"EHS-1/2", "EHS", "1/2\"", 0.517, 26900},
                    {"HS-3/8", "HS", "3/8\"", 0.273, 10800},
                    {"HS-1/2", "HS", "1/2\"", 0.517, 18800}};
        for (const auto &row : rows)
            text += std::string("<WIRE>\n<CODE>") + row.Code + "</CODE>\n<SECTION>" + row.Section +
                    "</SECTION>\n<WEIGHT>" + FloatToStr(row.Weight) + "</WEIGHT>\n<GRADE>" + row.Grade +
                    "</GRADE>\n<BREAKING_STRENGTH>" + FloatToStr(row.Strength) + "</BREAKING_STRENGTH>\n</WIRE>\n";
        text += "<WIRE>\n<CODE>MSG</CODE>\n<WEIGHT>0.1</WEIGHT>\n</WIRE>\n</WIRE_LIST>\n</XML>\n";
        codes->LoadFromText(text, "strands.xml");
        return codes;
    }();
    return *list;
}

} // namespace corvadel::test
