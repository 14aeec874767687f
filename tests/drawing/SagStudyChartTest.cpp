// The SAG study chart, checked call by call on the recording canvas.
#include "uRecordingCanvas.h"
#include "uSagStudyChart.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace corvadel;

namespace {

// Loads falling and moments falling with the SAG, heights rising; the
// fourth point failed to calculate.
TSagStudy Study(double strength, double allowable)
{
    TSagStudy study;
    study.MinSAG = 3;
    study.MaxSAG = 4.5;
    study.BreakingStrength = strength;
    study.StrandName = strength > 0 ? "3/8\" EHS" : "";
    study.SmallestAllowable = allowable;
    for (int i = 0; i <= 10; ++i) {
        TSagStudyPoint point;
        point.SAG = 1 + 0.9 * i;
        point.Calculated = i != 3;
        point.MaxWireLoad = 40000 / point.SAG;
        point.MaxBaseMoment = 500000 / point.SAG;
        point.MaxAttachmentHeight = 20 + point.SAG;
        point.Passes = point.Calculated && (strength <= 0 || point.MaxWireLoad <= strength);
        study.Points.push_back(point);
    }
    study.HasBand = true;
    study.BandFrom = study.Points[4].SAG;
    study.BandTo = study.Points.back().SAG;
    return study;
}

std::vector<TCanvasCall> With(const TRecordingCanvas &canvas, TCallKind kind, int color)
{
    std::vector<TCanvasCall> found;
    for (const TCanvasCall &call : canvas.CallsOf(kind))
        if ((kind == TCallKind::FillRect ? call.Brush : call.Pen.Color) == color)
            found.push_back(call);
    return found;
}

TEST(SagStudyChart, DrawsTheCurvesTheLimitsTheBandAndTheSentence)
{
    const struct {
        const char *Name;
        double Strength, Allowable;
        size_t Limits;
    } cases[] = {{"nothing given", 0, 0, 0}, {"strand only", 15400, 0, 1}, {"strand and moment", 15400, 90000, 2}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Name);
        const TSagStudy study = Study(c.Strength, c.Allowable);
        TRecordingCanvas canvas(1200, 900);
        PaintSagStudy(canvas, study, "Sequence 1 - Main St: SAG Study");

        EXPECT_NE(canvas.FindText("Sequence 1 - Main St: SAG Study"), nullptr);
        EXPECT_NE(canvas.FindText(study.Sentence()), nullptr) << study.Sentence();
        for (const char *caption : {"Max. Wire Load (lbs)", "Largest Base Moment (ft-lbs)",
                                    "Highest Attachment Height above Pole Base (ft)", "Target SAG (ft)",
                                    "Min. SAG 3.00 ft", "Max. SAG 4.50 ft"})
            EXPECT_NE(canvas.FindText(caption), nullptr) << caption;
        // Each panel's curve breaks where a point was not calculated.
        EXPECT_EQ(With(canvas, TCallKind::Polyline, StudyCurveColor).size(), 6u);
        const auto limits = With(canvas, TCallKind::Line, StudyLimitColor);
        EXPECT_EQ(limits.size(), c.Limits);
        for (const TCanvasCall &line : limits)
            EXPECT_EQ(line.Pen.Style, TPenStyle::Dashed);
        EXPECT_EQ(canvas.FindText("breaking strength of 3/8\" EHS 15,400") != nullptr, c.Strength > 0);

        // The band is shaded from its first SAG to its last in every panel,
        // and every drawn point stays on the canvas.
        const auto band = With(canvas, TCallKind::FillRect, StudyBandColor);
        ASSERT_EQ(band.size(), 3u);
        const auto curves = With(canvas, TCallKind::Polyline, StudyCurveColor);
        int firstBandX = band[0].Points[0].X;
        int lastX = 0;
        for (const TCanvasCall &curve : curves)
            for (const TPoint &p : curve.Points) {
                EXPECT_GE(p.X, 0);
                EXPECT_LT(p.X, 1200);
                EXPECT_GE(p.Y, 0);
                EXPECT_LT(p.Y, 900);
                lastX = std::max(lastX, p.X);
            }
        EXPECT_EQ(band[0].Points[1].X, lastX) << "the band reaches the last SAG";
        EXPECT_GT(firstBandX, curves[0].Points.front().X);
    }
}

TEST(SagStudyChart, WithoutPointsSaysWhy)
{
    TRecordingCanvas canvas(600, 400);
    PaintSagStudy(canvas, TSagStudy {}, "title");
    EXPECT_NE(canvas.FindText(TSagStudy {}.Sentence()), nullptr);
    EXPECT_TRUE(canvas.CallsOf(TCallKind::Polyline).empty());
}

} // namespace
