// An independent model of a loaded cable for the tests: the wire elevation
// along the span sampled from the bending moment of a simply supported beam
// with the same loads, M(x) / H below the chord.
#pragma once

#include "uWires.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace corvadel::test {

class CableModel
{
public:
    // `startAboveEnd` is the elevation of the start attachment minus the end's.
    CableModel(const TBaseWire &span, double horizontal, double startAboveEnd)
        : Length(span.Length)
        , H(horizontal)
        , Delta(startAboveEnd)
    {
        for (const TBaseSignal *signal : span.Signals)
            Points.push_back({signal->Distance, signal->DeadLoad()});
        for (const TBaseSegment *segment : span.Segments)
            Pieces.push_back({segment->StartDistance, segment->StartDistance + segment->Length, segment->UnitWeight()});
        double total = 0, moment = 0;
        for (const auto &p : Points) {
            total += p.Load;
            moment += p.Load * p.At;
        }
        for (const auto &w : Pieces) {
            const double load = w.Weight * (w.To - w.From);
            total += load;
            moment += load * (w.From + w.To) / 2;
        }
        StartSupport = total - moment / Length; // beam reaction at the start
    }

    // Wire elevation at x (from the start) relative to the end attachment.
    double Elevation(double x) const { return Delta * (1 - x / Length) - BeamMoment(x) / H; }

    // Lowest sampled elevation and its distance from the start.
    std::pair<double, double> Lowest(int samples = 200000) const
    {
        double best = std::min(Elevation(0), Elevation(Length)), at = Elevation(0) < Elevation(Length) ? 0 : Length;
        for (int i = 1; i < samples; ++i) {
            const double x = Length * i / samples;
            if (Elevation(x) < best) {
                best = Elevation(x);
                at = x;
            }
        }
        for (const auto &p : Points)
            if (Elevation(p.At) < best) {
                best = Elevation(p.At);
                at = p.At;
            }
        return {best, at};
    }

    // Vertical force the wire exerts on its end support (upward positive).
    double PullOnEnd(double step = 1e-5) const { return H * (Elevation(Length - step) - Elevation(Length)) / step; }
    // Vertical force the wire exerts on its start support (upward positive).
    double PullOnStart(double step = 1e-5) const { return H * (Elevation(step) - Elevation(0)) / step; }

private:
    double BeamMoment(double x) const
    {
        double m = StartSupport * x;
        for (const auto &p : Points)
            if (p.At < x)
                m -= p.Load * (x - p.At);
        for (const auto &w : Pieces) {
            const double to = std::min(w.To, x);
            if (to > w.From)
                m -= w.Weight * (to - w.From) * (x - (w.From + to) / 2);
        }
        return m;
    }

    struct Point {
        double At;
        double Load;
    };
    struct Piece {
        double From;
        double To;
        double Weight;
    };
    double Length;
    double H;
    double Delta;
    double StartSupport = 0;
    std::vector<Point> Points;
    std::vector<Piece> Pieces;
};

} // namespace corvadel::test
