#include "EngineTestSupport.h"
#include "uCalculationRun.h"
#include "uCodes.h"
#include "uResultQuantities.h"
#include "uSagStudy.h"

#include <gtest/gtest.h>

namespace corvadel {
namespace {

using test::AddSimple;
using test::MakeLoad;

// The figures of the sequence calculated on its own at `sag`.
TSagStudyPoint Separately(const TWireConfiguration &sequence, double sag)
{
    TWireConfigurationList project(test::DefaultParameters());
    TWireConfiguration *copy = project.Add(std::make_unique<TWireConfiguration>(sequence));
    copy->SetNumber(1);
    copy->SetMaxSAG(sag);
    copy->SetMinSAG(sag);
    TSagStudyPoint point;
    point.SAG = sag;
    point.Calculated = TCalculationRun::RunCalculation(project);
    if (!point.Calculated)
        return point;
    const TWireConfigurationResult &result = *copy->Results.First();
    point.MaxWireLoad = result.MaxWireLoad;
    for (const TBasePoleResult *pole : result.PoleResults) {
        point.MaxBaseMoment = std::max(point.MaxBaseMoment, pole->BaseMoment);
        point.MaxAttachmentHeight = std::max(point.MaxAttachmentHeight, pole->AttachmentHeight);
    }
    return point;
}

TEST(SagStudy, PointsAreSeparateCalculationsFromOneToTenPerCentOfTheLongestSpan)
{
    int studied = test::ForEachExample([](TWireConfigurationList &project) {
        for (const TWireConfiguration *sequence : project) {
            SCOPED_TRACE(sequence->DisplayName());
            const TSagStudy study = TSagStudyRun::Compute(*sequence, nullptr, project.Parameters());
            ASSERT_EQ(study.Points.size(), size_t(TSagStudyRun::DefaultSteps + 1));
            double longest = 0;
            for (const TBaseWire *span : sequence->Spans)
                longest = std::max(longest, span->Length);
            EXPECT_DOUBLE_EQ(study.Points.front().SAG, longest * 0.01);
            EXPECT_DOUBLE_EQ(study.Points.back().SAG, longest * 0.10);
            EXPECT_EQ(study.MaxSAG, sequence->MaxSAG);
            EXPECT_FALSE(study.ChecksSomething());
            for (size_t i : {size_t(0), size_t(17), study.Points.size() - 1}) {
                const TSagStudyPoint &point = study.Points[i];
                const TSagStudyPoint alone = Separately(*sequence, point.SAG);
                EXPECT_EQ(point.Calculated, alone.Calculated) << point.SAG;
                EXPECT_EQ(point.MaxWireLoad, alone.MaxWireLoad) << point.SAG;
                EXPECT_EQ(point.MaxBaseMoment, alone.MaxBaseMoment) << point.SAG;
                EXPECT_EQ(point.MaxAttachmentHeight, alone.MaxAttachmentHeight) << point.SAG;
                EXPECT_EQ(point.Passes, alone.Calculated) << "nothing to check: every calculated SAG passes";
            }
        }
    });
    EXPECT_GE(studied, 6);
}

TEST(SagStudy, BandEndsWhereTheChecksChange)
{
    TWireConfigurationList project(test::DefaultParameters(), &test::StrandCatalogue());
    TWireConfiguration &sequence = AddSimple(project, 150, 0.273, 4, 3);
    sequence.SetSpanWire("EHS-3/8");
    sequence.Spans.FindByNumber(1)->AddSignal(MakeLoad(75, 700));
    const TWireConfiguration before(sequence);

    const auto bandOf = [&](double allowable1) {
        sequence.Poles.FindByNumber(1)->SetAllowableMoment(allowable1);
        return TSagStudyRun::Compute(sequence, &test::StrandCatalogue(), project.Parameters());
    };
    // The wire alone: a small SAG overloads it, a large one holds.
    TSagStudy study = bandOf(0);
    ASSERT_TRUE(study.HasBand);
    EXPECT_EQ(study.BreakingStrength, 15400);
    EXPECT_EQ(study.StrandName, "3/8\" EHS");
    EXPECT_EQ(study.BandTo, study.Points.back().SAG);
    size_t from = 0;
    while (study.Points[from].SAG < study.BandFrom)
        ++from;
    ASSERT_GT(from, 0u);
    EXPECT_GT(study.Points[from - 1].MaxWireLoad, 15400) << "the point before the band fails";
    EXPECT_LE(study.Points[from].MaxWireLoad, 15400) << "the band's first point holds";
    // Between the two, the band starts where the load passes the strength.
    EXPECT_GT(study.BandFrom, study.Points[from - 1].SAG);
    EXPECT_LE(Separately(sequence, study.BandFrom).MaxWireLoad, 15400);
    EXPECT_GT(Separately(sequence, study.BandFrom - 0.01).MaxWireLoad, 15400);
    EXPECT_EQ(study.Sentence(), "Every check passes for SAGs from " + FixedText(study.BandFrom, 15, 2) + " ft to " +
                                    FixedText(study.BandTo, 15, 2) + " ft");

    // An allowable moment passed only by the larger SAGs (the tension falls
    // faster than the attachments rise) moves the band's start up to where
    // both checks hold, and every point passes exactly when both hold.
    const double allowable = study.Points[from + 5].MaxBaseMoment;
    study = bandOf(allowable);
    ASSERT_TRUE(study.HasBand);
    EXPECT_EQ(study.SmallestAllowable, allowable);
    size_t first = study.Points.size();
    for (size_t i = 0; i < study.Points.size(); ++i) {
        const TSagStudyPoint &point = study.Points[i];
        const bool holds = point.MaxWireLoad <= 15400 && point.MaxBaseMoment <= allowable;
        EXPECT_EQ(point.Passes, holds) << point.SAG;
        if (holds && first == study.Points.size())
            first = i;
    }
    ASSERT_GE(first, from + 5);
    EXPECT_FALSE(study.Points[first - 1].Passes);
    EXPECT_GT(study.BandFrom, study.Points[first - 1].SAG);
    EXPECT_LE(study.BandFrom, study.Points[first].SAG);
    EXPECT_LE(Separately(sequence, study.BandFrom).MaxBaseMoment, allowable);
    EXPECT_GT(Separately(sequence, study.BandFrom - 0.01).MaxBaseMoment, allowable);
    EXPECT_EQ(study.BandTo, study.Points.back().SAG);

    // Nothing passes: said so.
    study = bandOf(1);
    EXPECT_FALSE(study.HasBand);
    EXPECT_EQ(study.Sentence().rfind("No SAG from ", 0), 0u) << study.Sentence();

    sequence.Poles.FindByNumber(1)->SetAllowableMoment(0);
    EXPECT_EQ(sequence.MaxSAG, before.MaxSAG) << "the study runs on a copy";
    EXPECT_TRUE(sequence.Results.Empty());
}

TEST(SagStudy, NothingToStudyWithoutALength)
{
    TWireConfigurationList project(test::DefaultParameters());
    TWireConfiguration &sequence = AddSimple(project, 0, 0.273, 3, 2);
    const TSagStudy study = TSagStudyRun::Compute(sequence, nullptr, project.Parameters());
    EXPECT_TRUE(study.Points.empty());
    EXPECT_FALSE(study.HasBand);
    EXPECT_NE(study.Sentence().find("cannot be studied"), std::string::npos);
}

} // namespace
} // namespace corvadel
