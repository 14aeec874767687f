#include "CorvadelProcess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

using corvadel::test::RunCorvadel;
using corvadel::test::TCorvadelRun;

TEST(Executable, VersionHelpAndUnknownOptions)
{
    const TCorvadelRun version = RunCorvadel("--version");
    EXPECT_EQ(version.Status, 0);
    EXPECT_EQ(version.Output, "1.2.3\n");

    const TCorvadelRun help = RunCorvadel("--help");
    EXPECT_EQ(help.Status, 0);
    EXPECT_NE(help.Output.find("Usage: corvadel"), std::string::npos);
    EXPECT_NE(help.Output.find("CodeList.xml"), std::string::npos);

    const TCorvadelRun unknown = RunCorvadel("--frobnicate");
    EXPECT_EQ(unknown.Status, 2);
    EXPECT_NE(unknown.Errors.find("--frobnicate"), std::string::npos);
}

// Without a display the desktop program cannot start: it says so and names
// the commands that need none, instead of being ended by the platform.
TEST(Executable, WithoutADisplaySaysSoAndNamesTheHeadlessCommands)
{
    const std::string example = "'" + std::string(CORVADEL_SOURCE_DIR) + "/examples/wye.xml'";
    const struct {
        const char *Environment;
        std::string Arguments;
    } cases[] = {
        {"env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM", ""},
        {"env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM", example},
        {"env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb", example},
        {"env DISPLAY= WAYLAND_DISPLAY= QT_QPA_PLATFORM='wayland;xcb'", example},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.Environment) + " corvadel " + c.Arguments);
        const TCorvadelRun run = RunCorvadel(c.Arguments, std::string("timeout 20 ") + c.Environment);
        EXPECT_EQ(run.Status, 2);
        EXPECT_EQ(std::count(run.Errors.begin(), run.Errors.end(), '\n'), 1) << run.Errors;
        EXPECT_EQ(run.Errors.rfind("corvadel: no display found", 0), 0u) << run.Errors;
        for (const char *command : {"calc", "draw", "convert"})
            EXPECT_NE(run.Errors.find(command), std::string::npos) << command;
    }
}

// A first argument that is neither a command nor a file: no window is tried.
TEST(Executable, UnknownCommandIsNamed)
{
    const struct {
        const char *Arguments;
        const char *Named;
    } cases[] = {{"export x.xml -o y.pdf", "export"}, {"clac", "clac"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Arguments);
        const TCorvadelRun run = RunCorvadel(c.Arguments, "timeout 20");
        EXPECT_EQ(run.Status, 2);
        EXPECT_EQ(run.Errors.rfind(std::string("corvadel: unknown command ") + c.Named + ",", 0), 0u) << run.Errors;
        EXPECT_EQ(std::count(run.Errors.begin(), run.Errors.end(), '\n'), 1) << run.Errors;
    }
}

TEST(Executable, CatalogueLiesBesideIt)
{
    FILE *file = std::fopen((std::string(CORVADEL_BINARY_DIR) + "/CodeList.xml").c_str(), "rb");
    ASSERT_NE(file, nullptr);
    std::fclose(file);
}
