// Positions in plan of the poles and rings of a sequence, built from its
// span lengths and ring angles.
#pragma once

#include <map>
#include <vector>

namespace corvadel {

class TWireConfiguration;

struct TPlanPoint {
    double X = 0;
    double Y = 0;
};

// One ring: its stem span, and the spans on either side of the stem with
// the angle number An such that the span meets the stem at pi - An.
struct TRingRule {
    int Ring;
    int Stem;
    int CcwSpan;
    int CcwAngle;
    int CwSpan;
    int CwAngle;
};

struct TPlanShape {
    std::vector<TRingRule> Rings; // in construction order
    // Pole whose line the PlanAngle of P1..P5 is measured to (0 = none).
    int AngleNeighbour[5] = {0, 0, 0, 0, 0};
};

const TPlanShape &PlanShape(int type);

class TPlanLayout
{
public:
    // Places every node; the first ring (or the start of a Simple span) at the
    // origin. Lengths in feet, angles read in degrees from the spans.
    explicit TPlanLayout(const TWireConfiguration &sequence);
    // Same, with the angles A1..An given in radians (index 0 = A1).
    TPlanLayout(const TWireConfiguration &sequence, const std::vector<double> &anglesRad);

    bool IsPlaced(int node) const { return Points.count(node) != 0; }
    TPlanPoint Position(int node) const;
    // Puts a node elsewhere; the spans at it follow.
    void Place(int node, TPlanPoint at) { Points[node] = at; }
    double Distance(int nodeA, int nodeB) const;
    // Plan length of span `number`: the distance between its ends as placed.
    double SpanLength(int number) const;
    // The angles A1..An (radians, index 0 = A1) that the spans as placed make
    // at the rings; the inverse of placing them from their angles.
    std::vector<double> RingAngles() const;
    // Angle at `pole` between its span and the line to `other`, 0..pi.
    double PoleAngle(int pole, int other) const;
    // Every node placed at finite coordinates.
    bool IsFinite() const;

private:
    void Build(const std::vector<double> &lengths, const std::vector<double> &anglesRad);

    const TWireConfiguration &Sequence;
    std::map<int, TPlanPoint> Points;
};

} // namespace corvadel
