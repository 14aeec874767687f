#include "CorvadelProcess.h"

#include <gtest/gtest.h>

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

TEST(Executable, CatalogueLiesBesideIt)
{
    FILE *file = std::fopen((std::string(CORVADEL_BINARY_DIR) + "/CodeList.xml").c_str(), "rb");
    ASSERT_NE(file, nullptr);
    std::fclose(file);
}
