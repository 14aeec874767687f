// `corvadel convert`, run as the built executable.
#include "../support/ScratchFolder.h"
#include "CorvadelProcess.h"

#include "uGlobalSettings.h"
#include "uWires.h"

#include <gtest/gtest.h>


using corvadel::test::ScratchFolder;

namespace {

using corvadel::test::Examples;
using corvadel::test::Quoted;

class Convert : public ::testing::Test
{
protected:
    // Runs `corvadel convert` with the arguments; returns its exit status.
    int Run(const std::string &arguments)
    {
        const auto run = corvadel::test::RunCorvadel("convert " + arguments);
        Errors = run.Errors;
        return run.Status;
    }

    // The command's own lines on stderr, settings warnings aside (the
    // platform layer may add notes of its own).
    std::vector<std::string> Messages() const
    {
        std::vector<std::string> lines;
        size_t start = 0;
        for (size_t end; (end = Errors.find('\n', start)) != std::string::npos; start = end + 1) {
            const std::string line = Errors.substr(start, end - start);
            if (line.rfind("corvadel convert: ", 0) == 0 && line.find("warning:") == std::string::npos)
                lines.push_back(line);
        }
        return lines;
    }

    ScratchFolder Folder;
    std::string Errors;
};

class ConvertExample : public Convert, public ::testing::WithParamInterface<const char *>
{
};

TEST_P(ConvertExample, CanonicalFileComesBackByteForByte)
{
    const std::string input = Examples + GetParam();
    ASSERT_EQ(Run(Quoted(input) + " -o " + Quoted(Folder.Path("out.xml"))), 0) << Errors;
    EXPECT_TRUE(Messages().empty()) << Errors;
    EXPECT_EQ(Folder.Read("out.xml"), ScratchFolder::ReadBytes(input));
}

INSTANTIATE_TEST_SUITE_P(Examples, ConvertExample,
                         ::testing::Values("simple.xml", "wye.xml", "h.xml", "delta.xml", "hybrid.xml", "box.xml",
                                           "intersection.xml"),
                         [](const auto &info) { return std::string(info.param).substr(0, std::string(info.param).find('.')); });

TEST_F(Convert, OldProjectBecomesAProjectFile)
{
    ASSERT_EQ(Run("-o " + Quoted(Folder.Path("legacy.xml")) + " " + Quoted(Examples + "legacy.sws")), 0) << Errors;

    corvadel::TGlobalSetting settings;
    corvadel::TWireConfigurationList project(settings.Parameters);
    ASSERT_TRUE(project.Open(Folder.Path("legacy.xml")));
    ASSERT_EQ(project.Count(), 2);
    EXPECT_EQ(project.Objects(1)->Identification, "Kings Hwy WYE");
    EXPECT_EQ(project.Objects(1)->Spans.FindByNumber(3)->Signals.Count(), 2);
    EXPECT_EQ(project.Combinations.Count(), 1);
    EXPECT_EQ(project.Comments, "Existing span to be restrung.\r\nHeads relocated per revised plan.");
}

struct FailureCase {
    const char *Name;
    const char *InputName; // in the scratch folder
    const char *InputBytes; // nullptr: no such file
    const char *OutputName;
    const char *Expected; // in the one message line
    bool NamesOutput = false;
};

// Test listings show the case's name, not its bytes.
void PrintTo(const FailureCase &failure, std::ostream *out)
{
    *out << failure.Name;
}

class ConvertFailure : public Convert, public ::testing::WithParamInterface<FailureCase>
{
};

TEST_P(ConvertFailure, ExitsWithTwoAndOneLineNamingTheFile)
{
    const FailureCase &failure = GetParam();
    if (failure.InputBytes)
        Folder.Write(failure.InputName, failure.InputBytes);
    const std::string input = Folder.Path(failure.InputName);
    const std::string output = Folder.Path(failure.OutputName);

    EXPECT_EQ(Run(Quoted(input) + " -o " + Quoted(output)), 2);
    const auto messages = Messages();
    ASSERT_EQ(messages.size(), 1u) << Errors;
    EXPECT_NE(messages[0].find(failure.Expected), std::string::npos) << messages[0];
    EXPECT_NE(messages[0].find(failure.NamesOutput ? output : input), std::string::npos) << messages[0];
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, ConvertFailure,
    ::testing::Values(FailureCase{"MissingXml", "none.xml", nullptr, "out.xml", "No such file"},
                      FailureCase{"MissingSws", "none.sws", nullptr, "out.xml", "No such file"},
                      FailureCase{"NotAProject", "notes.xml", "just some notes\n", "out.xml", "not a TARVO file"},
                      FailureCase{"ForeignSws", "other.SWS", "[GENERAL]\nAPPLICATION=OTHER\n", "out.xml",
                                  "not a TARVO file"},
                      FailureCase{"SwsOfUnknownType", "old.sws",
                                  "[GENERAL]\nAPPLICATION=TARVO\nTABLE=WIRES\nSEQUENCES=1\n[SEQUENCE 1]\nNUMBER=1\nTYPE=99\n",
                                  "out.xml", "not a TARVO file or it is corrupted: [SEQUENCE 1] TYPE: '99' is not a sequence type"},
                      FailureCase{"BadNumber", "bad.xml",
                                  "<XML><TARVO_CONFIGURATIONS><SIMPLE_SEQUENCE><SEQUENCE_MIN_SAG>2,5\r\n</SEQUENCE_MIN_SAG>"
                                  "</SIMPLE_SEQUENCE></TARVO_CONFIGURATIONS></XML>",
                                  "out.xml", "SEQUENCE_MIN_SAG"},
                      FailureCase{"OutputFolderMissing", "empty.xml", "<XML><TARVO_CONFIGURATIONS></TARVO_CONFIGURATIONS></XML>",
                                  "missing/out.xml", "No such file", true}),
    [](const auto &info) { return std::string(info.param.Name); });

// Wrong arguments: CommandLineTest.cpp.

} // namespace
