// The calculated wire system of every type, checked against cables sampled
// independently span by span: many sequences with random loads, wire weights,
// entered junction differences and pole bases.
#include "CableModel.h"
#include "EngineTestSupport.h"
#include "uBalancedPlan.h"
#include "uCalculationRun.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

namespace corvadel {
namespace {

using test::CableModel;
using test::MakeLoad;

class RandomSequence
{
public:
    explicit RandomSequence(unsigned seed)
        : Random(seed)
    {
    }

    TWireConfiguration &Fill(TWireConfiguration &s)
    {
        const auto &[lengths, angles] = test::IrregularPlan(s.SequenceType);
        for (size_t i = 0; i < lengths.size(); ++i)
            s.Spans.SetLengthOf(static_cast<int>(i) + 1, lengths[i]);
        for (size_t i = 0; i < angles.size(); ++i)
            s.Spans.SetAngleOf(static_cast<int>(i) + 1, angles[i]);
        s.SetWireWeight(0.2 + 2 * Next());
        s.SetMaxSAG(4 + 6 * Next());
        s.SetMinSAG(s.MaxSAG * (0.4 + 0.5 * Next()));
        s.SetMinClearance(17);
        s.SetBoxWarp(Next() < 0.5);
        s.Elevations.SetValueOf("PV", 100);
        for (int pole = 1; pole <= 5; ++pole)
            s.Elevations.SetValueOf("P" + std::to_string(pole), 100 + 3 * Next());
        // Differences the SAG can hold, entered by the type's defaults and at random.
        for (const char *junction : {"T", "U", "V", "Y", "C", "D", "G"})
            s.Elevations.SetValueOf(junction, (Next() - 0.5) * 2);
        std::string flags = s.Elevations.EnteredFlags;
        for (char &flag : flags)
            if (Next() < 0.4)
                flag = 'Y';
        s.Elevations.SetEnteredFlags(flags);
        for (TBaseWire *span : s.Spans) {
            for (int count = static_cast<int>(Next() * 4); count > 0; --count) {
                const double pick = Next();
                // Some at the start of the span, some sharing its middle.
                const double at = pick < 0.1 ? 0 : pick < 0.25 ? span->Length / 2 : span->Length * Next();
                span->AddSignal(MakeLoad(at, 200 * Next(), 10 * Next()))->SetLoadMultiplier(Next() < 0.2 ? 2 : 1);
            }
        }
        if (Next() < 0.5) {
            s.SetVariableWires(true);
            for (TBaseWire *span : s.Spans)
                for (TBaseSegment *segment : span->Segments)
                    segment->Compositions.First()->SetWireWeight(Next() < 0.2 ? 0 : 3 * Next());
        }
        return s;
    }

private:
    double Next() { return Uniform(Random); }

    std::mt19937 Random;
    std::uniform_real_distribution<double> Uniform{0, 1};
};

TEST(HangingSystem, LowestWireAtTheClearanceAndHighestAttachmentSAGAbove)
{
    RandomSequence random(20261211);
    int checked = 0;
    for (int trial = 0; trial < 600; ++trial) {
        const int type = stSimple + trial % 6;
        TTARVOParameters parameters;
        TWireConfigurationList project(parameters);
        TWireConfiguration &s = random.Fill(*project.AddSequence(type));
        // Only sequences solved at both SAGs: the engine values on the spans
        // are those of the minimum-SAG case.
        if (!TCalculationRun::RunCalculation(project) || s.Results.Count() != 2)
            continue;
        ++checked;
        SCOPED_TRACE("trial " + std::to_string(trial) + ", type " + s.Topology().TypeName);
        const TWireConfigurationResult &result = *s.Results.FindByAtMaxSAG(false);
        EXPECT_NEAR(result.SystemSAG, s.MinSAG, parameters.SAGTolerance / 100 + 1e-9);

        std::map<int, double> attachment;
        double highest = -1e300;
        for (const TBasePoleResult *pole : result.PoleResults) {
            attachment[pole->PoleNumber] = pole->AttachmentElevation;
            highest = std::max(highest, pole->AttachmentElevation);
        }
        double lowest = 1e300;
        for (const TBaseWire *span : s.Spans) {
            // A Box adjusted for balance hangs its spans at their balanced lengths.
            const auto balanced = TBalancedPlan::CalculatedSpan(*span, result);
            const CableModel cable(balanced ? *balanced : *span, span->TensionRelation * result.Tension,
                                   span->ElevationDifference);
            lowest = std::min(lowest, span->EndElevation + cable.Lowest(4000).first);
            if (span->FromNode <= 5) {
                EXPECT_NEAR(attachment[span->FromNode], span->EndElevation + span->ElevationDifference, 1e-6);
            }
            for (const TBaseSignal *signal : span->Signals)
                EXPECT_NEAR(signal->Elevation, span->EndElevation + cable.Elevation(signal->Distance), 1e-6)
                    << "span " << span->Number << ", signal " << signal->Number;
        }
        EXPECT_NEAR(lowest, 100 + s.MinClearance, 1e-4);
        EXPECT_NEAR(highest - lowest, result.SystemSAG, 1e-4);
    }
    // Most random sequences are solvable; the rest fail validation or the search.
    EXPECT_GT(checked, 250);
}

} // namespace
} // namespace corvadel
