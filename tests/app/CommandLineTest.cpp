// The command lines of the headless commands, run as the built executable:
// every wrong argument is named on one line with exit status 2, --help
// shows a command's options, and no command overwrites its own input.
#include "../support/ScratchFolder.h"
#include "CorvadelProcess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace corvadel {
namespace {

namespace fs = std::filesystem;

using corvadel::test::Examples;
using corvadel::test::Quoted;

// The lines of stderr the command wrote itself, settings warnings aside.
std::vector<std::string> CommandLines(const std::string &errors, const std::string &command)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = errors.find('\n', start)) != std::string::npos; start = end + 1) {
        const std::string line = errors.substr(start, end - start);
        if (line.rfind("corvadel " + command + ": ", 0) == 0 && line.find(": warning: ") == std::string::npos)
            lines.push_back(line);
    }
    return lines;
}

struct TArgumentCase {
    std::string Arguments;
    std::string Said; // in the one line the command writes
};

class CommandLine : public ::testing::Test
{
protected:
    // Each case exits with 2 and one line naming what is wrong.
    void ExpectRefused(const std::string &command, const std::vector<TArgumentCase> &cases)
    {
        const int files = Folder.FileCount();
        for (const TArgumentCase &c : cases) {
            SCOPED_TRACE(command + " " + c.Arguments);
            const test::TCorvadelRun run = test::RunCorvadel(command + " " + c.Arguments);
            EXPECT_EQ(run.Status, 2);
            const auto lines = CommandLines(run.Errors, command);
            ASSERT_EQ(lines.size(), 1u) << run.Errors;
            EXPECT_NE(lines[0].find(c.Said), std::string::npos) << lines[0];
            EXPECT_TRUE(run.Output.empty()) << run.Output;
        }
        EXPECT_EQ(Folder.FileCount(), files) << "nothing is written";
    }

    test::ScratchFolder Folder;
    const std::string Wye = Quoted(Examples + "wye.xml");
    const std::string Out = Quoted(Folder.Path("out.png"));
};

TEST_F(CommandLine, ConvertNamesEveryWrongArgument)
{
    const std::string out = Quoted(Folder.Path("out.xml"));
    ExpectRefused("convert", {
                                 {"", "IN is missing"},
                                 {Wye, "-o OUT.xml is missing"},
                                 {"-o " + out, "IN is missing"},
                                 {Wye + " -o", "-o: the value OUT.xml is missing"},
                                 {Wye + " b.xml -o " + out, "only one IN can be given, and 'b.xml' is a second one"},
                                 {Wye + " -x b.xml", "unknown option -x"},
                                 {Wye + " --bogus -o " + out, "unknown option --bogus"},
                                 {Wye + " -o " + out + " -o " + out, "-o is given twice"},
                                 {Wye + " -o " + Quoted(Folder.Path("out.sws")), "the extension \".sws\" is not one of .xml"},
                                 {Wye + " -o " + Quoted(Folder.Path("out")), "the file name has no extension; give it one of .xml"},
                             });
}

TEST_F(CommandLine, CalcNamesEveryWrongArgument)
{
    Folder.Write("settings.ini", "[DESIGN DATA]\r\n");
    ExpectRefused("calc", {
                              {"", "FILE is missing"},
                              {"--json", "FILE is missing"},
                              {Wye + " --frobnicate", "unknown option --frobnicate"},
                              {Wye + " --bogus --json", "unknown option --bogus"},
                              {Wye + " --settings", "--settings: the value FILE.def is missing"},
                              {Wye + " --settings --json", "--settings: the value FILE.def is missing"},
                              {Wye + " --json --json", "--json is given twice"},
                              {Wye + " " + Wye, "only one FILE can be given"},
                              {Wye + " --settings " + Quoted(Folder.Path("settings.ini")), "is not a settings file (.def)"},
                          });
}

TEST_F(CommandLine, DrawNamesEveryWrongArgument)
{
    const std::string drawOne = Wye + " --sequence 1 ";
    ExpectRefused("draw", {
                              {"", "FILE is missing"},
                              {Wye + " -o " + Out, "--sequence N is missing"},
                              {Wye + " --sequence", "--sequence: the value N is missing"},
                              {Wye + " --sequence -o " + Out, "--sequence: the value N is missing"},
                              {Wye + " --sequence one -o " + Out, "--sequence: 'one' is not a whole number"},
                              {Wye + " --sequence 9 -o " + Out, "there is no sequence 9"},
                              {drawOne, "-o OUT.png is missing"},
                              {drawOne + "--bogus -o " + Out, "unknown option --bogus"},
                              {drawOne + "--span x -o " + Out, "--span: 'x' is not a whole number"},
                              {drawOne + "--span 7 -o " + Out, "sequence 1 has no span 7"},
                              {drawOne + "--mode 5 -o " + Out, "--mode: '5' is not one of 0, 1, 2, 99"},
                              {drawOne + "--rotation x -o " + Out, "--rotation: 'x' is not a number"},
                              {drawOne + "--rotation inf -o " + Out, "--rotation: 'inf' is not a"},
                              {drawOne + "--size 10001x10 -o " + Out, "--size: '10001x10' must be between 1x1 and 10000x10000"},
                              {drawOne + "--size 20000x20000 -o " + Out, "must be between"},
                              {drawOne + "--size big -o " + Out, "--size: 'big' is not WIDTHxHEIGHT"},
                              {drawOne + "--standard --values -o " + Out, "--standard and --values exclude each other"},
                              {drawOne + "--standard --to-scale -o " + Out, "--standard and --to-scale exclude each other"},
                              {drawOne + "--no-labels --values -o " + Out, "--no-labels and --values exclude each other"},
                              {drawOne + "--settings " + Quoted(Folder.Path("none.def")) + " -o " + Out, "does not exist"},
                              {drawOne + "-o " + Quoted(Folder.Path("out.gif")), "the extension \".gif\" is not one of .png, .jpg, .bmp"},
                              {drawOne + "-o " + Quoted(Folder.Path("out")), "the file name has no extension; give it one of .png, .jpg, .bmp"},
                          });
}

TEST(CommandHelp, EachCommandShowsItsUsageAndOptions)
{
    const struct {
        const char *Command;
        std::vector<const char *> Options;
    } commands[] = {
        {"convert", {"-o OUT.xml"}},
        {"calc", {"--json", "--settings FILE.def"}},
        {"draw",
         {"--sequence N", "--mode 0|1|2|99", "--span K", "--rotation RAD", "--values", "--to-scale", "--standard",
          "--no-labels", "--size WxH", "--settings FILE.def", "-o OUT.png", "Enable Display Label",
          "Enable Dynamic Display"}},
    };
    for (const auto &c : commands) {
        for (const std::string arguments : {" --help", " file.xml --bogus --help"}) {
            SCOPED_TRACE(c.Command + arguments);
            const test::TCorvadelRun run = test::RunCorvadel(c.Command + arguments);
            EXPECT_EQ(run.Status, 0);
            EXPECT_EQ(run.Output.rfind(std::string("Usage: corvadel ") + c.Command + " ", 0), 0u) << run.Output;
            for (const char *option : c.Options)
                EXPECT_NE(run.Output.find(option), std::string::npos) << option;
            EXPECT_NE(run.Output.find("--help"), std::string::npos);
            EXPECT_TRUE(CommandLines(run.Errors, c.Command).empty()) << run.Errors;
        }
    }
}

// A writing command, with how to ask it to write `output` from `input`.
struct TWriter {
    const char *Command;
    std::string (*Arguments)(const std::string &input, const std::string &output);
    const char *Extension;
};

const TWriter Writers[] = {
    {"draw", [](const std::string &in, const std::string &out) { return Quoted(in) + " --sequence 1 -o " + Quoted(out); },
     ".png"},
    {"convert", [](const std::string &in, const std::string &out) { return Quoted(in) + " -o " + Quoted(out); }, ".xml"},
    {"report", [](const std::string &in, const std::string &out) { return Quoted(in) + " -o " + Quoted(out); }, ".pdf"},
};

class WritingCommands : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Original = test::ScratchFolder::ReadBytes(Examples + "wye.xml");
        fs::create_directory(Folder.Dir / "in");
        Folder.Write("in/v.xml", Original);
    }

    test::TCorvadelRun Run(const TWriter &writer, const std::string &output, const std::string &before = {})
    {
        return test::RunCorvadel(std::string(writer.Command) + " " + writer.Arguments(Input, output), before);
    }

    std::vector<std::string> Files(const std::string &folder) const
    {
        std::vector<std::string> names;
        for (const auto &entry : fs::directory_iterator(Folder.Dir / folder))
            names.push_back(entry.path().filename().string());
        return names;
    }

    test::ScratchFolder Folder;
    std::string Original;
    const std::string Input = Folder.Path("in/v.xml");
};

TEST_F(WritingCommands, RefuseToWriteOverTheirInputHoweverItIsSpelled)
{
    fs::create_symlink(Input, Folder.Dir / "link.xml");
    const std::string spellings[] = {
        Input,
        Folder.Path("link.xml"),
        Folder.Path("in/./v.xml"),
        Folder.Path("in/../in/v.xml"),
    };
    for (const TWriter &writer : Writers) {
        for (const std::string &output : spellings) {
            SCOPED_TRACE(std::string(writer.Command) + " -o " + output);
            const test::TCorvadelRun run = Run(writer, output);
            EXPECT_EQ(run.Status, 2);
            const auto lines = CommandLines(run.Errors, writer.Command);
            ASSERT_EQ(lines.size(), 1u) << run.Errors;
            EXPECT_NE(lines[0].find("is the input file"), std::string::npos) << lines[0];
            EXPECT_EQ(test::ScratchFolder::ReadBytes(Input), Original);
            EXPECT_EQ(Files("in"), std::vector<std::string> {"v.xml"});
        }
    }
}

TEST_F(WritingCommands, RefuseAnOutputNameThatNothingWouldRead)
{
    for (const TWriter &writer : Writers) {
        for (const char *name : {"out.sws", "out.gif", "out", "out.xml.txt"}) {
            if (std::string(name).ends_with(writer.Extension))
                continue;
            SCOPED_TRACE(std::string(writer.Command) + " -o " + name);
            const test::TCorvadelRun run = Run(writer, Folder.Path(name));
            EXPECT_EQ(run.Status, 2);
            ASSERT_EQ(CommandLines(run.Errors, writer.Command).size(), 1u) << run.Errors;
            EXPECT_NE(run.Errors.find(name), std::string::npos) << run.Errors;
            EXPECT_FALSE(fs::exists(Folder.Path(name)));
        }
    }
}

// A folder nobody but its owner may write to; root writes anyway, so the
// command then runs as the unprivileged user.
TEST_F(WritingCommands, AWriteIntoAReadOnlyFolderLeavesNothingBehind)
{
    fs::create_directory(Folder.Dir / "locked");
    fs::permissions(Folder.Dir / "locked", fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read
                        | fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    const std::string asOtherUser = ::geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups" : "";
    for (const TWriter &writer : Writers) {
        SCOPED_TRACE(writer.Command);
        const std::string output = Folder.Path(std::string("locked/out") + writer.Extension);
        const test::TCorvadelRun run = Run(writer, output, asOtherUser);
        EXPECT_EQ(run.Status, 2);
        const auto lines = CommandLines(run.Errors, writer.Command);
        ASSERT_EQ(lines.size(), 1u) << run.Errors;
        EXPECT_NE(lines[0].find(output), std::string::npos) << lines[0];
        EXPECT_TRUE(Files("locked").empty());
    }
    fs::permissions(Folder.Dir / "locked", fs::perms::owner_all);
}

// A write that fails half way (here past the file size limit) leaves the
// previous output as it was, and no temporary file.
TEST_F(WritingCommands, AWriteThatFailsHalfWayKeepsThePreviousOutput)
{
    for (const TWriter &writer : Writers) {
        SCOPED_TRACE(writer.Command);
        fs::create_directory(Folder.Dir / "out");
        const std::string output = Folder.Path(std::string("out/previous") + writer.Extension);
        Folder.Write(std::string("out/previous") + writer.Extension, "previous");
        const test::TCorvadelRun run = Run(writer, output, "ulimit -f 1; trap '' XFSZ;");
        EXPECT_EQ(run.Status, 2);
        ASSERT_EQ(CommandLines(run.Errors, writer.Command).size(), 1u) << run.Errors;
        EXPECT_EQ(test::ScratchFolder::ReadBytes(output), "previous");
        EXPECT_EQ(Files("out"), std::vector<std::string>{std::string("previous") + writer.Extension})
            << "no temporary file is left";
        fs::remove_all(Folder.Dir / "out");
    }
}

// An output that is a link keeps leading to its file, which takes the new
// content; what a killed write of that file left beside it goes.
TEST_F(WritingCommands, AnOutputLinkKeepsItsLinkAndTheKilledWritesLeftoversGo)
{
    for (const TWriter &writer : Writers) {
        SCOPED_TRACE(writer.Command);
        fs::create_directories(Folder.Dir / "out/real");
        const std::string file = std::string("job") + writer.Extension;
        const std::string leftover = "." + file + ".corvadel-tmp.k1LLed";
        Folder.Write("out/real/" + file, "previous");
        Folder.Write("out/real/" + leftover, "half");
        fs::create_symlink("real/" + file, Folder.Dir / "out" / file);

        const test::TCorvadelRun run = Run(writer, Folder.Path("out/" + file));
        ASSERT_EQ(run.Status, 0) << run.Errors;
        EXPECT_TRUE(fs::is_symlink(Folder.Dir / "out" / file));
        const std::string written = test::ScratchFolder::ReadBytes(Folder.Path("out/real/" + file));
        EXPECT_NE(written, "previous");
        EXPECT_FALSE(written.empty());
        std::vector<std::string> expected = {file};
        if (std::string(writer.Command) == "convert")
            expected.push_back("job.old"); // a project's backup stays beside its file
        std::vector<std::string> names = Files("out/real");
        std::sort(names.begin(), names.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(names, expected);
        fs::remove_all(Folder.Dir / "out");
    }
}

// The project cut short as a copy or a download might leave it: no command
// takes it for whole, and none writes anything from it.
TEST_F(CommandLine, CutShortProjectIsRefusedByEveryCommand)
{
    Folder.Write("cut.xml", test::ScratchFolder::ReadBytes(Examples + "intersection.xml").substr(0, 9000));
    const std::string cut = Quoted(Folder.Path("cut.xml"));
    const std::string said = Folder.Path("cut.xml") + ", line ";
    ExpectRefused("calc", {{cut, said}, {cut + " --json", "the file is damaged or cut short"}});
    ExpectRefused("convert", {{cut + " -o " + Quoted(Folder.Path("whole.xml")), said}});
    ExpectRefused("draw", {{cut + " --sequence 1 -o " + Out, "the file is damaged or cut short"}});
    ExpectRefused("report", {{cut + " -o " + Quoted(Folder.Path("out.pdf")), said}});
}

TEST_F(CommandLine, ReportAndSheetNameEveryWrongArgument)
{
    const std::string pdf = Quoted(Folder.Path("out.pdf"));
    ExpectRefused("report", {{Wye, "-o OUT.pdf is missing"},
                             {Wye + " -o " + Out, "out.png"},
                             {Quoted(Folder.Path("none.xml")) + " -o " + pdf, "none.xml"}});
    ExpectRefused("sheet", {{"-o " + pdf, "is missing"},
                            {"triangle -o " + pdf, "'triangle' is not a sequence type"},
                            {"box -o " + Out, "out.png"},
                            {"box -o " + Quoted(Folder.Path("no/such/folder/out.pdf")), "no/such/folder/out.pdf"}});
}

// Fontconfig complains about a missing configuration as soon as anything
// loads fonts: calc and convert must not, draw shows that the probe works.
TEST_F(CommandLine, OnlyCommandsThatPaintTextLoadFonts)
{
    const std::string intersection = Quoted(Examples + "intersection.xml");
    const struct {
        std::string Arguments;
        bool LoadsFonts;
    } cases[] = {
        {"calc " + intersection, false},
        {"calc " + intersection + " --json", false},
        {"convert " + intersection + " -o " + Quoted(Folder.Path("copy.xml")), false},
        {"draw " + intersection + " --sequence 1 -o " + Out, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Arguments);
        const test::TCorvadelRun run = test::RunCorvadel(c.Arguments, "FONTCONFIG_FILE=/nonexistent/fonts.conf");
        EXPECT_EQ(run.Status, 0) << run.Errors;
        EXPECT_EQ(run.Errors.find("Fontconfig") != std::string::npos, c.LoadsFonts) << run.Errors;
    }
}

} // namespace
} // namespace corvadel
