#include "uElevationSolver.h"

#include "uLinearSystem.h"
#include "uNodeElevations.h"
#include "uSpanStatics.h"
#include "uWires.h"

#include <algorithm>
#include <vector>

namespace corvadel {

namespace {

// Which entered junction values fix the elevations: the ones always used,
// then the first choice whose letters are all entered, else the fallback.
struct TElevationRule {
    std::string Always;
    std::vector<std::string> Choices;
    std::string Fallback;
};

const TElevationRule &RuleOf(int type)
{
    static const std::vector<std::string> pairs = {"UV", "UC", "UD", "VC", "VD"};
    static const std::vector<std::string> triples = {"TUV", "TUC", "TUD", "TUG", "TVC", "TVD", "TVG",
                                                     "TCD", "TCG", "TDG", "UVC", "UVD", "UVG", "UCD",
                                                     "UCG", "UDG", "VCD", "VCG", "VDG"};
    static const std::vector<TElevationRule> rules = {
        {},
        {"T", {}, ""},
        {"TU", {}, ""},
        {"TV", {"U"}, "C"},
        {"", pairs, "CD"},
        {"TY", pairs, "CD"},
        {"", triples, "CDG"},
    };
    return rules[IsSequenceType(type) ? static_cast<size_t>(type) : 0];
}

bool AllEntered(const TElevationList &elevations, const std::string &letters)
{
    return std::all_of(letters.begin(), letters.end(),
                       [&](char letter) { return elevations.IsEntered(std::string(1, letter)); });
}

std::pair<int, int> SpanNodes(const TSequenceTopology &topology, int number)
{
    if (number < 1 || number > topology.SpanCount())
        return {0, 0};
    const TSpanNodes &span = topology.Spans[static_cast<size_t>(number - 1)];
    return {span.FromNode, span.ToNode};
}

bool IsSymmetricDelta(const TWireConfiguration &sequence)
{
    const TBaseWire *span1 = sequence.Spans.FindByNumber(1);
    const TBaseWire *span3 = sequence.Spans.FindByNumber(3);
    const TBaseWire *span4 = sequence.Spans.FindByNumber(4);
    return span1 && span3 && span4 && span1->Length == span4->Length && span1->PlanDirection == span3->PlanDirection;
}

} // namespace

std::string TElevationSolver::GivenJunctions(const TWireConfiguration &sequence)
{
    const TElevationRule &rule = RuleOf(sequence.SequenceType);
    for (const std::string &choice : rule.Choices)
        if (AllEntered(sequence.Elevations, choice))
            return rule.Always + choice;
    return rule.Always + rule.Fallback;
}

int TElevationSolver::ReferenceNode(const TWireConfiguration &sequence)
{
    const TSequenceTopology &topology = sequence.Topology();
    if (topology.LastRing != 0)
        return topology.LastRing;
    return topology.Poles.empty() ? 0 : topology.Poles.front().Number;
}

std::pair<int, int> TElevationSolver::JunctionNodes(int type, char junction)
{
    const TSequenceTopology &topology = Topology(type);
    switch (junction) {
    case 'T':
        return {2, 1};
    case 'U':
        return {3, 1};
    case 'V':
        return type == stDelta ? std::pair{2, 3} : std::pair{4, 3};
    case 'Y':
        return {5, 4};
    case 'C':
        return SpanNodes(topology, topology.SpanC);
    case 'D':
        return SpanNodes(topology, topology.SpanD);
    case 'G':
        return SpanNodes(topology, topology.SpanG);
    default:
        return {0, 0};
    }
}

bool TElevationSolver::SolveElevations(TWireConfiguration &sequence)
{
    const TSequenceTopology &topology = sequence.Topology();
    const std::string given = GivenJunctions(sequence);
    if (sequence.SequenceType == stDelta && given == "UC" && IsSymmetricDelta(sequence)) {
        sequence.Errors.AddError(SymmetricMessage);
        return false;
    }

    // Unknowns: the elevation of every node but the reference one.
    const int reference = ReferenceNode(sequence);
    std::vector<int> unknowns;
    for (const TPoleNode &node : topology.Poles)
        if (node.Number != reference)
            unknowns.push_back(node.Number);
    const int size = static_cast<int>(unknowns.size());
    auto columnOf = [&](int node) {
        const auto it = std::find(unknowns.begin(), unknowns.end(), node);
        return it == unknowns.end() ? -1 : static_cast<int>(it - unknowns.begin());
    };
    if (size < 1 || size > TLinearSystem::MaxSize) {
        sequence.Errors.AddError(UndeterminedMessage);
        return false;
    }

    TLinearSystem system(size);
    // factor x (E(plus) - E(minus)) on the left of `row`.
    auto addDifference = [&](int row, int plus, int minus, double factor) {
        if (const int column = columnOf(plus); column >= 0)
            system.Add(row, column, factor);
        if (const int column = columnOf(minus); column >= 0)
            system.Add(row, column, -factor);
    };

    int row = 0;
    const double tension = sequence.Spans.Tension;
    for (const TPoleNode &ring : topology.Poles) {
        if (!ring.IsRing || row >= size)
            continue;
        // The upward forces the spans need from the ring add up to zero.
        for (const TBaseWire *span : sequence.Spans) {
            if (span->FromNode != ring.Number && span->ToNode != ring.Number)
                continue;
            const TSpanStatics statics(*span);
            const double a = span->TensionRelation * tension / span->Length;
            const double b = statics.StartMoment() / span->Length;
            if (span->ToNode == ring.Number) {
                addDifference(row, span->FromNode, span->ToNode, -a);
                system.AddRight(row, -b);
            }
            if (span->FromNode == ring.Number) {
                addDifference(row, span->FromNode, span->ToNode, a);
                system.AddRight(row, b - statics.TotalLoad());
            }
        }
        ++row;
    }
    for (char junction : given) {
        const auto [plus, minus] = JunctionNodes(sequence.SequenceType, junction);
        if (row >= size || plus == 0)
            break;
        addDifference(row, plus, minus, 1);
        system.AddRight(row, sequence.Elevations.ValueOf(std::string(1, junction)));
        ++row;
    }

    std::array<double, TLinearSystem::MaxSize> solution{};
    if (row != size || !system.Solve(solution)) {
        sequence.Errors.AddError(UndeterminedMessage);
        return false;
    }
    TNodeElevations elevations;
    elevations.Set(reference, 0);
    for (int i = 0; i < size; ++i)
        elevations.Set(unknowns[static_cast<size_t>(i)], solution[static_cast<size_t>(i)]);
    for (TBaseWire *span : sequence.Spans)
        span->ElevationDifference = elevations.Of(span->FromNode) - elevations.Of(span->ToNode);
    return true;
}

} // namespace corvadel
