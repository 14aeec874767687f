#include "../support/ScratchFolder.h"
#include "uFileReplacement.h"
#include "uFormats.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

using namespace corvadel;
namespace fs = std::filesystem;

namespace {

class FileReplacement : public ::testing::Test
{
protected:
    void Replace(const std::string &name, const std::string &bytes)
    {
        TFileReplacement file(Folder.Path(name));
        file.Write(bytes);
        file.Commit();
    }

    std::vector<std::string> Names(const std::string &folder = ".") const
    {
        std::vector<std::string> names;
        for (const auto &entry : fs::directory_iterator(Folder.Dir / folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    test::ScratchFolder Folder;
};

// Saving over a link writes the file the link leads to, as editors do: the
// link stays a link, and no copy takes its place.
TEST_F(FileReplacement, ALinkKeepsLeadingToTheFileItNames)
{
    fs::create_directory(Folder.Dir / "real");
    Folder.Write("real/job.xml", "before");
    fs::create_symlink("real/job.xml", Folder.Dir / "relative.xml");
    fs::create_symlink(Folder.Path("relative.xml"), Folder.Dir / "chain.xml");
    fs::create_symlink("real/new.xml", Folder.Dir / "dangling.xml");

    const struct {
        const char *Link;
        const char *Target;
    } cases[] = {
        { "relative.xml", "real/job.xml" }, { "chain.xml", "real/job.xml" },
        { "dangling.xml", "real/new.xml" }, // the file the link names is made
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Link);
        Replace(c.Link, std::string("through ") + c.Link);
        EXPECT_TRUE(fs::is_symlink(Folder.Dir / c.Link));
        EXPECT_EQ(Folder.Read(c.Target), std::string("through ") + c.Link);
        EXPECT_EQ(LinkTarget(Folder.Path(c.Link)), (Folder.Dir / c.Target).string());
    }
    EXPECT_EQ(Names("real"), (std::vector<std::string> { "job.xml", "new.xml" })) << "no temporary file is left";
    EXPECT_EQ(LinkTarget(Folder.Path("real/job.xml")), Folder.Path("real/job.xml"));
}

TEST_F(FileReplacement, ALoopOfLinksIsRefusedNamingThePath)
{
    fs::create_symlink("b.xml", Folder.Dir / "a.xml");
    fs::create_symlink("a.xml", Folder.Dir / "b.xml");
    try {
        Replace("a.xml", "x");
        FAIL() << "a loop of links was written";
    } catch (const EFileError &error) {
        EXPECT_NE(std::string(error.what()).find(Folder.Path("a.xml")), std::string::npos) << error.what();
    }
    EXPECT_EQ(Names(), (std::vector<std::string> { "a.xml", "b.xml" }));
}

// While a write runs its temporary file is named after the file it replaces;
// a write that is given up removes it.
TEST_F(FileReplacement, TheTemporaryFileIsNamedAfterItsDestination)
{
    {
        TFileReplacement file(Folder.Path("job.xml"));
        file.Write("half");
        const std::vector<std::string> names = Names();
        ASSERT_EQ(names.size(), 1u);
        EXPECT_EQ(names[0].rfind(".job.xml.corvadel-tmp.", 0), 0u) << names[0];
        EXPECT_EQ(names[0].size(), std::string(".job.xml.corvadel-tmp.").size() + 6) << names[0];
    }
    EXPECT_TRUE(Names().empty());
}

// A write killed half way leaves its temporary file; the next successful
// write of the same file removes it, and nothing else.
TEST_F(FileReplacement, TheNextWriteRemovesTemporariesOfKilledWritesOfTheSameFile)
{
    const std::vector<std::string> abandoned = { ".job.xml.corvadel-tmp.a1B2c3", ".job.xml.corvadel-tmp.ZZZZZZ" };
    const std::vector<std::string> kept = {
        ".job.xml.corvadel-tmp.abc", // not what the system makes
        ".job.xml.corvadel-tmp.abcdefg",
        ".job.xml.corvadel-tmp.ab-def",
        ".job.corvadel-tmp.abcdef", // another file's: "job"
        ".job.xml.old.corvadel-tmp.abcdef",
        "job.xml.tmp.abcdef",
        "notes.txt",
    };
    for (const std::string &name : abandoned)
        Folder.Write(name, "killed");
    for (const std::string &name : kept)
        Folder.Write(name, "someone's");
    fs::create_directory(Folder.Dir / ".job.xml.corvadel-tmp.folder");
    fs::create_symlink("notes.txt", Folder.Dir / ".job.xml.corvadel-tmp.linked");

    // A write of the same file still running holds its temporary file.
    TFileReplacement running(Folder.Path("job.xml"));
    running.Write("running");
    std::vector<std::string> before = Names();

    Replace("job.xml", "done");

    std::vector<std::string> expected = before;
    std::erase_if(expected, [&](const std::string &name) {
        return std::find(abandoned.begin(), abandoned.end(), name) != abandoned.end();
    });
    expected.push_back("job.xml");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Names(), expected);
    EXPECT_EQ(Folder.Read("job.xml"), "done");

    running.Commit();
    EXPECT_EQ(Folder.Read("job.xml"), "running");
}

TEST_F(FileReplacement, AFolderThatCannotBeWrittenNamesTheDestination)
{
    try {
        Replace("no/such/folder/job.xml", "x");
        FAIL() << "nothing was refused";
    } catch (const EFileError &error) {
        EXPECT_NE(std::string(error.what()).find("no/such/folder/job.xml"), std::string::npos) << error.what();
    }
}

} // namespace
