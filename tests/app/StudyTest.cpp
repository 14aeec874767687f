// `corvadel study`: the SAG study of a sequence as a chart or as JSON.
#include "../support/ScratchFolder.h"
#include "CorvadelProcess.h"
#include "JsonReader.h"

#include "uCodes.h"
#include "uGlobalSettings.h"
#include "uSagStudy.h"
#include "uWires.h"

#include <QImage>

#include <gtest/gtest.h>

#include <filesystem>

namespace corvadel {
namespace {

namespace fs = std::filesystem;
using test::Examples;
using test::Json;
using test::JsonReader;
using test::Quoted;

// box.xml with the strand and an allowable moment on every pole.
std::string CheckedBox(const test::ScratchFolder &scratch)
{
    TGlobalSetting settings;
    TWireConfigurationList project(settings.Parameters);
    EXPECT_TRUE(project.Open(Examples + "box.xml"));
    TWireConfiguration &box = *project.First();
    box.SetSpanWire("EHS-3/8");
    for (TBasePole *pole : box.Poles)
        if (!pole->IsRing)
            pole->SetAllowableMoment(60000);
    const std::string path = scratch.Path("checked.xml");
    EXPECT_TRUE(project.Save(path));
    return path;
}

TEST(Study, JsonGivesThePointsAndTheBandOfTheEngine)
{
    test::ScratchFolder scratch;
    const std::string file = CheckedBox(scratch);
    const auto run = test::RunCorvadel("study " + Quoted(file) + " --sequence 1 --json");
    ASSERT_EQ(run.Status, 0) << run.Errors;
    const Json report = JsonReader::Parse(run.Output);

    TGlobalSetting settings;
    TCodeList catalogue;
    catalogue.Load(CORVADEL_SOURCE_DIR "/data/CodeList.xml");
    TWireConfigurationList project(settings.Parameters, &catalogue);
    ASSERT_TRUE(project.Open(file));
    const TSagStudy study = TSagStudyRun::Compute(*project.First(), &catalogue, settings.Parameters);
    ASSERT_EQ(report["points"].Items().size(), study.Points.size());
    for (size_t i = 0; i < study.Points.size(); ++i) {
        const Json &point = report["points"].Items()[i];
        EXPECT_NEAR(point["sag"].Number(), study.Points[i].SAG, 1e-9);
        EXPECT_EQ(point["passes"].Bool(), study.Points[i].Passes);
        for (const auto &[key, value] : {std::pair {"maxWireLoad", study.Points[i].MaxWireLoad},
                                         {"maxBaseMoment", study.Points[i].MaxBaseMoment},
                                         {"maxAttachmentHeight", study.Points[i].MaxAttachmentHeight}})
            EXPECT_NEAR(point[key].Number(), value, 1e-9 * std::max(1.0, value)) << key;
    }
    ASSERT_EQ(study.HasBand, !report["band"].IsNull());
    if (study.HasBand) {
        EXPECT_NEAR(report["band"].Items()[0].Number(), study.BandFrom, 1e-9);
        EXPECT_NEAR(report["band"].Items()[1].Number(), study.BandTo, 1e-9);
    }
    EXPECT_EQ(report["sentence"].String(), study.Sentence());
}

TEST(Study, WritesEachChartFormatAndRefusesWrongArguments)
{
    test::ScratchFolder scratch;
    const std::string file = CheckedBox(scratch);
    const std::string base = "study " + Quoted(file) + " --sequence 1 -o ";
    auto run = test::RunCorvadel(base + Quoted(scratch.Path("chart.png")) + " --size 900x700");
    ASSERT_EQ(run.Status, 0) << run.Errors;
    EXPECT_EQ(QImage(QString::fromStdString(scratch.Path("chart.png"))).size(), QSize(900, 700));
    run = test::RunCorvadel(base + Quoted(scratch.Path("chart.svg")));
    ASSERT_EQ(run.Status, 0) << run.Errors;
    const std::string svg = test::ScratchFolder::ReadBytes(scratch.Path("chart.svg"));
    EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
    EXPECT_NE(svg.find("width=\"1200\" height=\"900\""), std::string::npos);
    EXPECT_NE(svg.find("Max. Wire Load (lbs)"), std::string::npos);
    EXPECT_NE(svg.find("breaking strength of 3/8&quot; EHS 15,400"), std::string::npos);
    EXPECT_NE(svg.find("</svg>"), std::string::npos);
    run = test::RunCorvadel(base + Quoted(scratch.Path("chart.pdf")));
    ASSERT_EQ(run.Status, 0) << run.Errors;
    EXPECT_EQ(test::ScratchFolder::ReadBytes(scratch.Path("chart.pdf")).rfind("%PDF", 0), 0u);

    const struct {
        std::string Arguments;
        const char *Error;
    } cases[] = {
        {"study " + Quoted(file) + " --sequence 1", "-o OUT.png|.svg|.pdf or --json is missing"},
        {"study " + Quoted(file) + " --json", "--sequence N is missing"},
        {"study " + Quoted(file) + " --sequence 7 --json", "there is no sequence 7"},
        {"study " + Quoted(file) + " --sequence x --json", "--sequence: 'x' is not a whole number"},
        {base + Quoted(scratch.Path("chart.gif")), ".gif"},
        {base + Quoted(file), "input"},
        {base + Quoted(scratch.Path("c.pdf")) + " --size 10x10", "--size is for a .png or .svg picture"},
        {base + Quoted(scratch.Path("c.png")) + " --size 10x10", "--size: '10x10' must be between"},
        {"study " + Quoted(file) + " --sequence 1 --json --bogus", "unknown option --bogus"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Arguments);
        run = test::RunCorvadel(c.Arguments);
        EXPECT_EQ(run.Status, 2);
        EXPECT_NE(run.Errors.find(c.Error), std::string::npos) << run.Errors;
        EXPECT_EQ(std::count(run.Errors.begin(), run.Errors.end(), '\n'), 1) << run.Errors;
    }
    EXPECT_FALSE(fs::exists(scratch.Path("c.png")));
    EXPECT_NE(test::RunCorvadel("study --help").Output.find("Usage: corvadel study FILE --sequence N"), std::string::npos);
}

TEST(Study, ASequenceThatCannotBeStudiedExitsOne)
{
    test::ScratchFolder scratch;
    TGlobalSetting settings;
    TWireConfigurationList project(settings.Parameters);
    project.AddSequence(stSimple); // no length
    const std::string file = scratch.Path("empty.xml");
    ASSERT_TRUE(project.Save(file));
    const auto run = test::RunCorvadel("study " + Quoted(file) + " --sequence 1 --json");
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Errors.find("cannot be studied"), std::string::npos) << run.Errors;
    EXPECT_TRUE(run.Output.empty());
}

} // namespace
} // namespace corvadel
