#include "uBoxWarp.h"

#include "uFormats.h"
#include "uGeometry.h"
#include "uPlanLayout.h"
#include "uWires.h"

#include <cmath>

namespace corvadel {

namespace {

constexpr int PivotPole = 2;
constexpr int MovingRing = 101;
constexpr int Bisections = 100;

// A value the turn did not change keeps its entered figure, free of the
// rounding of placing and measuring it again.
double Kept(double computed, double entered)
{
    return std::fabs(computed - entered) <= 1e-9 * std::fmax(1.0, std::fabs(entered)) ? entered : computed;
}

class TTurnedBox
{
public:
    TTurnedBox(const TWireConfiguration &sequence, const TBoxWarp::TRotationOf &rotationOf)
        : Sequence(sequence)
        , RotationOf(rotationOf)
        , Figure(sequence)
        , Pivot(Figure.Position(PivotPole))
    {
        const TPlanPoint ring = Figure.Position(MovingRing);
        Start = std::atan2(ring.Y - Pivot.Y, ring.X - Pivot.X);
        Radius = std::hypot(ring.X - Pivot.X, ring.Y - Pivot.Y);
    }

    // The rotation still needed with span 8 turned by `turn` radians;
    // nothing when that figure is no Box validation would accept.
    std::optional<double> RotationAt(double turn)
    {
        const TBoxFigure figure = At(turn);
        const TSequenceTopology &topology = Sequence.Topology();
        const auto degrees = [&figure](int number) { return figure.Angles[static_cast<size_t>(number)] * RadToDeg; };
        const auto length = [&figure](int number) { return figure.Lengths[static_cast<size_t>(number)]; };
        for (int n = 1; n <= topology.SpanCount(); ++n)
            if (!(length(n) > 0) || (n <= topology.CheckedAngles && !topology.AngleValid(n, degrees)))
                return std::nullopt;
        if (!TGeometry::Closure(Sequence.SequenceType, length, degrees).Closes())
            return std::nullopt;
        const std::optional<double> rotation = RotationOf(figure.Angles);
        if (!rotation || !std::isfinite(*rotation))
            return std::nullopt;
        return rotation;
    }

    TBoxFigure At(double turn)
    {
        const double direction = Start + turn;
        Figure.Place(MovingRing, {Pivot.X + Radius * std::cos(direction), Pivot.Y + Radius * std::sin(direction)});
        TBoxFigure figure;
        figure.Turn = turn;
        const std::vector<double> angles = Figure.RingAngles();
        for (int n = 1; n <= Sequence.Topology().SpanCount() && n < static_cast<int>(figure.Angles.size()); ++n) {
            const TBaseWire *span = Sequence.Spans.FindByNumber(n);
            const auto k = static_cast<size_t>(n);
            figure.Angles[k] = Kept(angles[k - 1], span ? span->Angle * Pi / 180 : 0);
            figure.Lengths[k] = Kept(Figure.SpanLength(n), span ? span->Length : 0);
        }
        const TPlanShape &plan = PlanShape(Sequence.SequenceType);
        for (int pole = 1; pole < static_cast<int>(figure.PoleAngles.size()); ++pole)
            figure.PoleAngles[static_cast<size_t>(pole)] =
                Figure.PoleAngle(pole, plan.AngleNeighbour[static_cast<size_t>(pole - 1)]);
        return figure;
    }

    // The turn between `from` (a figure needing rotation `atFrom`) and `to`
    // at which the rotation is zero; nothing when the sign change between
    // them is a jump, not a crossing.
    std::optional<double> Root(double from, double atFrom, double to)
    {
        double best = from, bestRotation = atFrom;
        for (int i = 0; i < Bisections; ++i) {
            const double middle = (from + to) / 2;
            const std::optional<double> rotation = RotationAt(middle);
            if (!rotation)
                return std::nullopt;
            if (std::fabs(*rotation) < std::fabs(bestRotation)) {
                best = middle;
                bestRotation = *rotation;
            }
            if ((*rotation < 0) == (atFrom < 0)) {
                from = middle;
                atFrom = *rotation;
            } else {
                to = middle;
            }
        }
        if (!(std::fabs(bestRotation) < TBoxWarp::Balanced))
            return std::nullopt;
        return best;
    }

private:
    const TWireConfiguration &Sequence;
    const TBoxWarp::TRotationOf &RotationOf;
    TPlanLayout Figure;
    TPlanPoint Pivot;
    double Start = 0;
    double Radius = 0;
};

} // namespace

std::optional<TBoxFigure> TBoxWarp::Balance(const TWireConfiguration &sequence, const TRotationOf &rotationOf)
{
    TTurnedBox box(sequence, rotationOf);
    const double step = SearchStep * Pi / 180;
    const int steps = static_cast<int>(std::lround(LargestTurn / SearchStep));
    // The last admissible try on either side, walking outward from the
    // entered plan so that the smallest turn that balances is found first.
    std::optional<double> previous[2];
    previous[0] = previous[1] = box.RotationAt(0);
    for (int k = 1; k <= steps; ++k) {
        std::optional<double> found;
        for (int side = 0; side < 2; ++side) {
            const double sign = side == 0 ? 1 : -1;
            const double turn = sign * k * step;
            const std::optional<double> rotation = box.RotationAt(turn);
            if (rotation && previous[side] && (*rotation < 0) != (*previous[side] < 0)) {
                const std::optional<double> root = box.Root(sign * (k - 1) * step, *previous[side], turn);
                if (root && (!found || std::fabs(*root) < std::fabs(*found)))
                    found = root;
            }
            previous[side] = rotation;
        }
        if (found)
            return box.At(*found);
    }
    return std::nullopt;
}

} // namespace corvadel
