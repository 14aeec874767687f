// Elevations of the poles and rings of a sequence, by node number.
#pragma once

#include <array>
#include <functional>

namespace corvadel {

class TBaseWire;
class TWireConfiguration;

class TNodeElevations
{
public:
    // Poles 1..5 and rings 100..103.
    static bool IsNode(int node) { return (node >= 1 && node <= 5) || (node >= 100 && node <= 103); }

    bool Has(int node) const { return IsNode(node) && Known[Index(node)]; }
    double Of(int node) const { return IsNode(node) ? Values[Index(node)] : 0; }
    void Set(int node, double value)
    {
        if (!IsNode(node))
            return;
        Values[Index(node)] = value;
        Known[Index(node)] = true;
    }
    // Every value raised by `offset`.
    void Shift(double offset);

    // The elevations implied by the spans' ElevationDifference, with
    // `reference` at 0.
    static TNodeElevations FromSpans(const TWireConfiguration &sequence, int reference);
    // The known nodes extended along the spans, each span's start lying
    // `difference(span)` above its end.
    static TNodeElevations Spread(const TWireConfiguration &sequence, TNodeElevations known,
                                  const std::function<double(const TBaseWire &)> &difference);

private:
    static int Index(int node) { return node <= 5 ? node - 1 : node - 95; }

    std::array<double, 9> Values{};
    std::array<bool, 9> Known{};
};

} // namespace corvadel
