// `corvadel draw --loaded`: the loaded wire of a span as a picture.
#include "uCalculationRun.h"
#include "uGlobalSettings.h"
#include "uLoadedProfileView.h"
#include "uWires.h"

#include "../support/ScratchFolder.h"
#include "CorvadelProcess.h"

#include <QImage>

#include <gtest/gtest.h>

#include <filesystem>

namespace corvadel {
namespace {

namespace fs = std::filesystem;

using corvadel::test::Examples;

bool IsWirePixel(QRgb pixel)
{
    return qBlue(pixel) > 120 && qRed(pixel) < 100 && qBlue(pixel) > qGreen(pixel) + 60;
}

// Rows of wire-coloured pixels in column x.
std::vector<int> WireRows(const QImage &picture, int x)
{
    std::vector<int> rows;
    for (int y = 0; y < picture.height(); ++y)
        if (IsWirePixel(picture.pixel(x, y)))
            rows.push_back(y);
    return rows;
}

TEST(DrawLoaded, WirePixelsFollowTheComputedShape)
{
    test::ScratchFolder scratch;
    const struct {
        const char *Example;
        int Span;
        bool AtMaxSAG;
    } cases[] = {{"wye.xml", 1, true}, {"box.xml", 3, false}, {"simple.xml", 1, true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Example + std::string(" span ") + std::to_string(c.Span));
        const fs::path out = scratch.Dir / "loaded.png";
        fs::remove(out);
        const auto run = test::RunCorvadel("draw '" + Examples + c.Example + "' --sequence 1 --span " +
                                           std::to_string(c.Span) + " --loaded" + (c.AtMaxSAG ? "" : " --min-sag") +
                                           " -o '" + out.string() + "'");
        ASSERT_EQ(run.Status, 0) << run.Errors;
        const QImage picture(QString::fromStdString(out.string()));
        ASSERT_EQ(picture.size(), QSize(1200, 800));

        TGlobalSetting settings;
        TWireConfigurationList project(settings.Parameters);
        ASSERT_TRUE(project.Open(Examples + c.Example));
        TCalculationRun::RunCalculation(project);
        const auto scene = LoadedProfileScene(*project.FindByNumber(1), c.AtMaxSAG, c.Span,
                                              settings.Parameters.MinSignalClearance, 1200);
        ASSERT_TRUE(scene.has_value());
        const TLoadedProfileLayout layout(scene->Shape, QRectF(0, 0, 1200, 800));
        for (double share : {0.07, 0.23, 0.61, 0.93}) {
            const double distance = share * scene->Shape.Length;
            const QPointF expected = layout.ToScreen(distance, scene->Shape.ElevationAt(distance));
            const int x = static_cast<int>(std::lround(expected.x()));
            const auto rows = WireRows(picture, x);
            ASSERT_FALSE(rows.empty()) << "no wire in column " << x;
            EXPECT_NEAR(rows.front(), expected.y(), 2.5) << "column " << x;
            EXPECT_NEAR(rows.back(), expected.y(), 2.5) << "column " << x;
        }
    }
}

TEST(DrawLoaded, RefusesWhatItCannotDraw)
{
    test::ScratchFolder scratch;
    const std::string out = " -o '" + (scratch.Dir / "x.png").string() + "'";
    const std::string wye = "'" + Examples + "wye.xml' --sequence 1";
    const struct {
        std::string Arguments;
        const char *Error;
    } cases[] = {
        {wye + " --loaded" + out, "--loaded needs --span K"},
        {wye + " --span 1 --min-sag" + out, "--min-sag is only for --loaded"},
        {wye + " --span 9 --loaded" + out, "has no span 9"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Arguments);
        const auto run = test::RunCorvadel("draw " + c.Arguments);
        EXPECT_EQ(run.Status, 2);
        EXPECT_NE(run.Errors.find(c.Error), std::string::npos) << run.Errors;
        EXPECT_FALSE(fs::exists(scratch.Dir / "x.png"));
    }
}

TEST(DrawLoaded, ACaseThatWasNotCalculatedIsNamedWithItsReason)
{
    test::ScratchFolder scratch;
    TGlobalSetting settings;
    TWireConfigurationList project(settings.Parameters);
    TWireConfiguration &simple = *project.AddSequence(stSimple);
    simple.Spans.SetLengthOf(1, 100);
    simple.SetWireWeight(1);
    simple.SetMaxSAG(3);
    simple.SetMinSAG(1);
    simple.Elevations.SetValueOf("T", 2); // the minimum SAG is out of reach
    const fs::path file = scratch.Dir / "p.xml";
    ASSERT_TRUE(project.Save(file.string()));
    const std::string base = "draw '" + file.string() + "' --sequence 1 --span 1 --loaded -o '" +
                             (scratch.Dir / "x.png").string() + "'";
    EXPECT_EQ(test::RunCorvadel(base).Status, 0);
    const auto run = test::RunCorvadel(base + " --min-sag");
    EXPECT_EQ(run.Status, 2);
    EXPECT_NE(run.Errors.find("sequence 1 has no result at its minimum SAG: Wire tension values for this problem are "
                              "excessive."),
              std::string::npos)
        << run.Errors;
}

} // namespace
} // namespace corvadel
