// Warnings about designs the calculation accepts but an engineer should look
// at again. They never stop a calculation or its results.
#pragma once

#include <string>
#include <vector>

namespace corvadel {

class TWireConfiguration;
class TWireConfigurationList;

enum class TPlausibility {
    LargeSAG,        // target SAG above a tenth of the longest span
    LowHanger,       // a signal or sign below the minimum signal clearance
    UnreachableSAG,  // the poles' own height difference exceeds the target SAG
    MinSAGFailed,    // the minimum SAG failed while the maximum one succeeded
    PlanNotClosed,   // a Delta or Box calculated on ring angles or a ring triangle that do not close
    WireOverloaded,  // the max. wire load exceeds the chosen strand's breaking strength
    PoleOverloaded,  // a base moment, or a shared pole's resultant, exceeds the allowable one
};

// "largeSAG", "lowHanger", "unreachableSAG", "minSAGFailed", "planNotClosed",
// "wireOverloaded", "poleOverloaded":
// the kind as machine-readable output names it.
const char *PlausibilityName(TPlausibility kind);

struct TPlausibilityWarning {
    TPlausibility Kind;
    int Sequence = 0;
    std::string Text; // one line, naming the sequence
    // The SAG case whose results the warning goes with. A failed minimum SAG
    // goes with the maximum, the only results there are.
    bool AtMaxSAG = true;
};

class TPlausibilityCheck
{
public:
    // Share of the longest span a SAG may reach before the straight-wire
    // model's small-sag assumption no longer holds.
    static constexpr double LargeSAGShare = 0.10;

    // The warnings of every sequence, in project order, from the sequences
    // as the last calculation run left them.
    static std::vector<TPlausibilityWarning> Warnings(const TWireConfigurationList &project);
    static std::vector<TPlausibilityWarning> Warnings(const TWireConfiguration &sequence,
                                                      double signalClearance);
    // Those of one sequence of the project with the design checks': an
    // overloaded strand or pole, and a shared pole it is part of.
    static std::vector<TPlausibilityWarning> Warnings(const TWireConfigurationList &project,
                                                      const TWireConfiguration &sequence);
    // "Warnings" and one line per warning; nothing without warnings.
    static std::vector<std::string> Listing(const TWireConfigurationList &project);
};

} // namespace corvadel
