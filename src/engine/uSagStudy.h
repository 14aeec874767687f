// How a sequence responds to its target SAG: the ordinary calculation run on
// a copy for SAGs from 1 % to 10 % of its longest span, with the design
// checks at each, and the band of SAGs in which every check passes.
#pragma once

#include <string>
#include <vector>

namespace corvadel {

class TCodeList;
class TTARVOParameters;
class TWireConfiguration;

struct TSagStudyPoint {
    double SAG = 0; // feet
    bool Calculated = false; // the values below hold only then
    double MaxWireLoad = 0; // pounds
    double MaxBaseMoment = 0; // pound-feet, the largest of the poles
    double MaxAttachmentHeight = 0; // feet above its pole's base, the highest
    bool Passes = false; // calculated, and every check given holds
};

struct TSagStudy {
    std::vector<TSagStudyPoint> Points; // by rising SAG
    double MinSAG = 0; // the sequence's, marked on the chart
    double MaxSAG = 0;
    double BreakingStrength = 0; // of the chosen strand; 0 = none to check
    std::string StrandName;      // "3/8\" EHS", empty when none
    double SmallestAllowable = 0; // of the poles' allowable moments; 0 = none given
    bool HasBand = false;
    // The longest run of passing points, feet; an end inside the range lies
    // where the checks change, found between the points.
    double BandFrom = 0;
    double BandTo = 0;

    bool ChecksSomething() const { return BreakingStrength > 0 || SmallestAllowable > 0; }
    // The sentence under the chart.
    std::string Sentence() const;
};

class TSagStudyRun
{
public:
    static constexpr double FirstShare = 0.01; // of the longest span
    static constexpr double LastShare = 0.10;
    static constexpr int DefaultSteps = 40;
    static constexpr double BandTolerance = 0.005; // feet

    // No points when the sequence has no span length or does not validate.
    static TSagStudy Compute(const TWireConfiguration &sequence, const TCodeList *catalogue,
                             const TTARVOParameters &parameters, int steps = DefaultSteps);
};

} // namespace corvadel
