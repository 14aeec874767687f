#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace {

struct TRun {
    int Status = -1;
    std::string Output;
};

// Runs the built executable with the arguments, capturing stdout and stderr.
TRun RunCorvadel(const std::string &arguments)
{
    const std::string command = std::string(CORVADEL_BINARY_DIR) + "/corvadel " + arguments + " 2>&1";
    TRun run;
    FILE *pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    std::array<char, 4096> buffer;
    size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        run.Output.append(buffer.data(), n);
    const int status = pclose(pipe);
    run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

} // namespace

TEST(Executable, VersionHelpAndUnknownOptions)
{
    const TRun version = RunCorvadel("--version");
    EXPECT_EQ(version.Status, 0);
    EXPECT_EQ(version.Output, "1.2.3\n");

    const TRun help = RunCorvadel("--help");
    EXPECT_EQ(help.Status, 0);
    EXPECT_NE(help.Output.find("Usage: corvadel"), std::string::npos);
    EXPECT_NE(help.Output.find("CodeList.xml"), std::string::npos);

    const TRun unknown = RunCorvadel("--frobnicate");
    EXPECT_EQ(unknown.Status, 2);
    EXPECT_NE(unknown.Output.find("--frobnicate"), std::string::npos);
}

TEST(Executable, CatalogueLiesBesideIt)
{
    FILE *file = std::fopen((std::string(CORVADEL_BINARY_DIR) + "/CodeList.xml").c_str(), "rb");
    ASSERT_NE(file, nullptr);
    std::fclose(file);
}
