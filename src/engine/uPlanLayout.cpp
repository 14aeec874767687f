#include "uPlanLayout.h"

#include "uFormats.h"
#include "uWires.h"

#include <cmath>
#include <set>

namespace corvadel {

namespace {

std::vector<TPlanShape> BuildShapes()
{
    std::vector<TPlanShape> shapes(7);
    shapes[stSimple] = {{}, {0, 0, 0, 0, 0}};
    shapes[stWYE] = {{{100, 3, 1, 1, 2, 2}}, {3, 1, 2, 0, 0}};
    shapes[stH] = {{{100, 3, 1, 1, 2, 2}, {101, 3, 5, 4, 4, 3}}, {3, 1, 4, 2, 0}};
    shapes[stDelta] = {{{100, 3, 1, 1, 2, 2}, {102, 3, 5, 4, 4, 3}, {101, 5, 2, 6, 6, 5}}, {3, 1, 2, 0, 0}};
    shapes[stHybrid] = {{{100, 3, 1, 1, 2, 2}, {101, 3, 5, 4, 4, 3}, {102, 5, 7, 6, 6, 5}}, {3, 1, 4, 5, 2}};
    shapes[stBox] = {{{100, 3, 1, 1, 2, 2}, {102, 3, 5, 4, 4, 3}, {103, 5, 7, 6, 6, 5}, {101, 2, 8, 8, 7, 7}},
                     {3, 1, 4, 2, 0}};
    return shapes;
}

double Direction(const TPlanPoint &from, const TPlanPoint &to)
{
    return std::atan2(to.Y - from.Y, to.X - from.X);
}

int OtherEnd(const TSpanNodes &span, int node)
{
    return span.FromNode == node ? span.ToNode : span.FromNode;
}

} // namespace

const TPlanShape &PlanShape(int type)
{
    static const std::vector<TPlanShape> shapes = BuildShapes();
    return shapes[IsSequenceType(type) ? static_cast<size_t>(type) : 0];
}

TPlanLayout::TPlanLayout(const TWireConfiguration &sequence)
    : Sequence(sequence)
{
    const TSequenceTopology &shape = sequence.Topology();
    std::vector<double> lengths, angles;
    for (const TSpanNodes &nodes : shape.Spans) {
        const TBaseWire *span = sequence.Spans.FindByNumber(nodes.Number);
        lengths.push_back(span ? span->Length : 0);
        angles.push_back(span ? span->Angle * Pi / 180 : 0);
    }
    Build(lengths, angles);
}

TPlanLayout::TPlanLayout(const TWireConfiguration &sequence, const std::vector<double> &anglesRad)
    : Sequence(sequence)
{
    std::vector<double> lengths;
    for (const TSpanNodes &nodes : sequence.Topology().Spans) {
        const TBaseWire *span = sequence.Spans.FindByNumber(nodes.Number);
        lengths.push_back(span ? span->Length : 0);
    }
    Build(lengths, anglesRad);
}

void TPlanLayout::Build(const std::vector<double> &lengths, const std::vector<double> &anglesRad)
{
    const TSequenceTopology &topology = Sequence.Topology();
    if (topology.Spans.empty())
        return;
    auto lengthOf = [&](int span) { return span >= 1 && span <= static_cast<int>(lengths.size()) ? lengths[span - 1] : 0; };
    auto angleOf = [&](int number) {
        return number >= 1 && number <= static_cast<int>(anglesRad.size()) ? anglesRad[number - 1] : 0;
    };
    const TPlanShape &plan = PlanShape(Sequence.SequenceType);
    if (plan.Rings.empty()) {
        const TSpanNodes &span = topology.Spans.front();
        Points[span.FromNode] = {0, 0};
        Points[span.ToNode] = {lengthOf(span.Number), 0};
        return;
    }

    Points[plan.Rings.front().Ring] = {0, 0};
    std::set<int> done;
    // Each pass places the spans of every ring whose stem direction is known;
    // a ring is reached through a span placed by an earlier ring.
    for (size_t pass = 0; pass < plan.Rings.size(); ++pass) {
        for (const TRingRule &rule : plan.Rings) {
            if (done.count(rule.Ring) || !IsPlaced(rule.Ring))
                continue;
            const TPlanPoint here = Points[rule.Ring];
            auto farEnd = [&](int span) { return OtherEnd(topology.Spans[static_cast<size_t>(span - 1)], rule.Ring); };
            const double ccwTurn = Pi - angleOf(rule.CcwAngle);
            const double cwTurn = Pi - angleOf(rule.CwAngle);
            double stem = 0;
            if (IsPlaced(farEnd(rule.Stem)))
                stem = Direction(here, Points[farEnd(rule.Stem)]);
            else if (IsPlaced(farEnd(rule.CcwSpan)))
                stem = Direction(here, Points[farEnd(rule.CcwSpan)]) - ccwTurn;
            else if (IsPlaced(farEnd(rule.CwSpan)))
                stem = Direction(here, Points[farEnd(rule.CwSpan)]) + cwTurn;
            else if (rule.Ring != plan.Rings.front().Ring)
                continue;
            const std::pair<int, double> spans[] = {
                {rule.Stem, stem}, {rule.CcwSpan, stem + ccwTurn}, {rule.CwSpan, stem - cwTurn}};
            for (const auto &[span, direction] : spans) {
                const int node = farEnd(span);
                if (IsPlaced(node))
                    continue;
                const double length = lengthOf(span);
                Points[node] = {here.X + length * std::cos(direction), here.Y + length * std::sin(direction)};
            }
            done.insert(rule.Ring);
        }
    }
}

TPlanPoint TPlanLayout::Position(int node) const
{
    const auto it = Points.find(node);
    return it == Points.end() ? TPlanPoint{} : it->second;
}

double TPlanLayout::Distance(int nodeA, int nodeB) const
{
    const TPlanPoint a = Position(nodeA), b = Position(nodeB);
    return std::hypot(a.X - b.X, a.Y - b.Y);
}

double TPlanLayout::SpanLength(int number) const
{
    const TSequenceTopology &topology = Sequence.Topology();
    if (number < 1 || number > topology.SpanCount())
        return 0;
    const TSpanNodes &span = topology.Spans[static_cast<size_t>(number - 1)];
    return Distance(span.FromNode, span.ToNode);
}

std::vector<double> TPlanLayout::RingAngles() const
{
    const TSequenceTopology &topology = Sequence.Topology();
    std::vector<double> angles(static_cast<size_t>(topology.SpanCount()), 0.0);
    auto set = [&](int number, double angle) {
        if (number >= 1 && number <= static_cast<int>(angles.size()))
            angles[static_cast<size_t>(number - 1)] = angle;
    };
    // Turning counterclockwise from `from` to `to`, 0..2 pi.
    auto turn = [](double from, double to) { return std::remainder(to - from - Pi, 2 * Pi) + Pi; };
    for (const TRingRule &rule : PlanShape(Sequence.SequenceType).Rings) {
        const TPlanPoint here = Position(rule.Ring);
        auto towards = [&](int span) {
            return Direction(here, Position(OtherEnd(topology.Spans[static_cast<size_t>(span - 1)], rule.Ring)));
        };
        const double stem = towards(rule.Stem);
        set(rule.CcwAngle, Pi - turn(stem, towards(rule.CcwSpan)));
        set(rule.CwAngle, Pi - turn(towards(rule.CwSpan), stem));
    }
    return angles;
}

double TPlanLayout::PoleAngle(int pole, int other) const
{
    const int spanNumber = Sequence.Topology().SpanOfPole(pole);
    if (spanNumber == 0 || other == 0)
        return 0;
    const TSpanNodes &span = Sequence.Topology().Spans[static_cast<size_t>(spanNumber - 1)];
    const TPlanPoint p = Position(pole), s = Position(OtherEnd(span, pole)), q = Position(other);
    const double ux = s.X - p.X, uy = s.Y - p.Y, vx = q.X - p.X, vy = q.Y - p.Y;
    return std::fabs(std::atan2(ux * vy - uy * vx, ux * vx + uy * vy));
}

bool TPlanLayout::IsFinite() const
{
    for (const auto &[node, point] : Points)
        if (!std::isfinite(point.X) || !std::isfinite(point.Y))
            return false;
    return !Points.empty();
}

} // namespace corvadel
