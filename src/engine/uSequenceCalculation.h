// One sequence solved for one SAG: tension relations, the tension search,
// pole results, signal heights and the result record.
#pragma once

#include <string>

namespace corvadel {

class TTARVOParameters;
class TWireConfiguration;

class TSequenceCalculation
{
public:
    static constexpr int MaxIterations = 10000;
    // Steps of halving between two tried tensions once the proportional
    // search has not settled within MaxIterations.
    static constexpr int MaxHalvings = 100;
    static constexpr const char *RelationsMessage =
        "Error during the calculation of the tension.\r\n"
        "The automatic calculation is not possible for this configuration.\r\n"
        "If \"adjust box angles\" is enabled, try to modify the angles manually.";

    // Appends one result record to the sequence's Results on success; on
    // failure its Errors say why.
    static bool CalculateSequence(TWireConfiguration &sequence, const TTARVOParameters &parameters, bool atMaxSAG,
                                  double targetSAG);
    // The sequence tension whose system SAG meets TargetSAG within the
    // tolerance; `iterations` counts the passes made.
    static bool SearchTension(TWireConfiguration &sequence, const TTARVOParameters &parameters, int &iterations);

    // The design factor from the signals' weight and wind area; 0 without load.
    static double WindFactor(const TWireConfiguration &sequence, const TTARVOParameters &parameters);
    // The wind factor when larger than the DesignFactor parameter, else that.
    static double GoverningFactor(const TWireConfiguration &sequence, const TTARVOParameters &parameters);
    // Largest span-end tension times the governing factor.
    static double MaxWireLoad(const TWireConfiguration &sequence, const TTARVOParameters &parameters);

    static std::string ExcessiveMessage(double tension, double sag);
    static std::string NotConvergedMessage(double tension, double sag);
    static std::string UnreachableMessage(double tension, double sag);
};

} // namespace corvadel
