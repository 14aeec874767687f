#include "uWires.h"

#include "uGlobalSettings.h"

#include <QImage>
#include <QImageReader>
#include <QString>

#include "../support/ScratchFolder.h"
#include "CorvadelProcess.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace corvadel {
namespace {

namespace fs = std::filesystem;

struct TDrawRun {
    int Status = -1;
    std::string Errors;
};

TDrawRun RunDraw(const std::string &arguments)
{
    const auto run = test::RunCorvadel("draw " + arguments);
    return {run.Status, run.Errors};
}

std::string Quoted(const fs::path &path)
{
    return test::Quoted(path.string());
}

// A project of one WYE with a signal on span 1, saved in a folder of its own.
class DrawCommand : public ::testing::Test
{
protected:
    test::ScratchFolder Scratch;
    const fs::path &Folder = Scratch.Dir;
    fs::path ProjectFile = Folder / "project.xml";

    void SetUp() override
    {
        TGlobalSetting settings;
        TWireConfigurationList project(settings.Parameters);
        TWireConfiguration &wye = *project.AddSequence(stWYE);
        const double lengths[] = {120, 80, 200};
        for (int span = 1; span <= 3; ++span)
            wye.Spans.SetLengthOf(span, lengths[span - 1]);
        wye.Spans.SetAngleOf(1, 20);
        wye.Spans.SetAngleOf(2, 70);
        auto signal = std::make_unique<TBaseSignal>();
        signal->SetIsSignal(true);
        signal->SetDistance(40);
        wye.Spans.FindByNumber(1)->AddSignal(std::move(signal));
        ASSERT_TRUE(project.Save(ProjectFile.string()));
    }
};

TEST_F(DrawCommand, WritesAPictureOfTheRequestedSize)
{
    const struct {
        const char *Options;
        int Width, Height;
    } cases[] = {
        {"--sequence 1", 586, 240},
        {"--sequence 1 --mode 99 --standard --size 800x600", 800, 600},
        {"--sequence 1 --mode 1 --no-labels --rotation 1.5707963267948966", 586, 240},
        {"--sequence 1 --span 1 --size 400x300", 400, 300},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Options);
        const fs::path out = Folder / "out.png";
        fs::remove(out);
        const TDrawRun run = RunDraw(Quoted(ProjectFile) + " " + c.Options + " -o " + Quoted(out));
        EXPECT_EQ(run.Status, 0) << run.Errors;
        const QImage picture(QString::fromStdString(out.string()));
        EXPECT_EQ(picture.width(), c.Width);
        EXPECT_EQ(picture.height(), c.Height);
    }
}

TEST_F(DrawCommand, RefusesWithStatusTwoAndSaysWhy)
{
    const std::string out = " -o " + Quoted(Folder / "out.png");
    const struct {
        std::string Arguments;
        std::string Named; // what the one-line message must name
    } cases[] = {
        {Quoted(ProjectFile) + " --sequence 4" + out, "no sequence 4"},
        {Quoted(ProjectFile) + " --sequence 1 --span 6" + out, "no span 6"},
        {Quoted(Folder / "missing.xml") + " --sequence 1" + out, "missing.xml"},
        {Quoted(Folder / "notes.txt") + " --sequence 1" + out, "notes.txt"},
        {Quoted(ProjectFile) + " --sequence one" + out, "'one'"},
        {Quoted(ProjectFile) + " --sequence 1 --mode 3" + out, "--mode"},
        {Quoted(ProjectFile) + " --sequence 1 --size 0x10" + out, "--size"},
        {Quoted(ProjectFile) + " --sequence 1 --rotation nan" + out, "--rotation"},
        {Quoted(ProjectFile) + " --sequence 1 --frobnicate" + out, "--frobnicate"},
        {Quoted(ProjectFile) + " --sequence 1", "-o"},
        {Quoted(ProjectFile) + out, "--sequence"},
        {Quoted(ProjectFile) + " --sequence 1 -o " + Quoted(Folder / "no" / "such" / "out.png"), "out.png"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Arguments);
        const TDrawRun run = RunDraw(c.Arguments);
        EXPECT_EQ(run.Status, 2);
        EXPECT_NE(run.Errors.find("corvadel draw: "), std::string::npos) << run.Errors;
        EXPECT_NE(run.Errors.find(c.Named), std::string::npos) << run.Errors;
    }
    EXPECT_FALSE(fs::exists(Folder / "out.png"));
}

// --values and --to-scale stand for the two display settings: each changes
// the picture, each as the settings file would, and --standard overrides a
// settings file that asks for either.
TEST_F(DrawCommand, DisplayOptionsActAsTheSettingsDo)
{
    std::ofstream(Folder / "both.def") << "[APPLICATION SETTING]\r\nEnable Display Label=Y\r\n"
                                          "Enable Dynamic Display=Y\r\n";
    std::ofstream(Folder / "values.def") << "[APPLICATION SETTING]\r\nEnable Display Label=Y\r\n";
    std::ofstream(Folder / "scale.def") << "[APPLICATION SETTING]\r\nEnable Dynamic Display=Y\r\n";
    const auto picture = [&](const std::string &options) {
        const fs::path out = Folder / "out.png";
        fs::remove(out);
        const TDrawRun run = RunDraw(Quoted(ProjectFile) + " --sequence 1 " + options + " -o " + Quoted(out));
        EXPECT_EQ(run.Status, 0) << options << ": " << run.Errors;
        return QImage(QString::fromStdString(out.string()));
    };
    const auto settings = [&](const char *name) { return "--settings " + Quoted(Folder / name); };
    const QImage plain = picture("");
    const QImage values = picture("--values");
    const QImage scale = picture("--to-scale");
    EXPECT_NE(values, plain);
    EXPECT_NE(scale, plain);
    EXPECT_NE(scale, values);
    EXPECT_EQ(picture(settings("values.def")), values);
    EXPECT_EQ(picture(settings("scale.def")), scale);
    EXPECT_EQ(picture("--values --to-scale"), picture(settings("both.def")));
    EXPECT_EQ(picture("--standard"), plain);
    EXPECT_EQ(picture(settings("both.def") + " --standard"), plain);
}

TEST_F(DrawCommand, WritesTheFormatItsExtensionNames)
{
    const struct {
        const char *Name;
        const char *Format;
    } cases[] = {{"out.png", "png"}, {"out.jpg", "jpeg"}, {"out.bmp", "bmp"}, {"OUT.PNG", "png"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Name);
        const fs::path out = Folder / c.Name;
        const TDrawRun run = RunDraw(Quoted(ProjectFile) + " --sequence 1 -o " + Quoted(out));
        EXPECT_EQ(run.Status, 0) << run.Errors;
        QImageReader reader(QString::fromStdString(out.string()));
        EXPECT_EQ(reader.format().toStdString(), c.Format);
        EXPECT_EQ(reader.size(), QSize(586, 240));
        fs::remove(out);
    }
}

// Every sequence of every example project draws in every mode.
TEST_F(DrawCommand, DrawsEveryExample)
{
    const fs::path examples = fs::path(CORVADEL_SOURCE_DIR) / "examples";
    if (!fs::exists(examples))
        GTEST_SKIP() << "no examples folder";
    int drawn = 0;
    for (const auto &entry : fs::directory_iterator(examples)) {
        const fs::path file = entry.path();
        if (file.extension() != ".xml" && file.extension() != ".sws")
            continue;
        TGlobalSetting settings;
        TWireConfigurationList project(settings.Parameters);
        ASSERT_TRUE(file.extension() == ".xml" ? project.Open(file.string()) : project.Import(file.string()))
            << file;
        for (const TWireConfiguration *sequence : project) {
            for (int mode : {0, 1, 2, 99}) {
                SCOPED_TRACE(file.filename().string() + " sequence " + std::to_string(sequence->Number) + " mode " +
                             std::to_string(mode));
                const fs::path out = Folder / "example.png";
                const TDrawRun run = RunDraw(Quoted(file) + " --sequence " + std::to_string(sequence->Number) +
                                             " --mode " + std::to_string(mode) + " -o " + Quoted(out));
                EXPECT_EQ(run.Status, 0) << run.Errors;
                EXPECT_TRUE(fs::exists(out));
                fs::remove(out);
                ++drawn;
            }
        }
    }
    EXPECT_GT(drawn, 0);
}

} // namespace
} // namespace corvadel
