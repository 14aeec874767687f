// `corvadel report` and `corvadel sheet`, read back from the PDF they write.
#include "uCalculationRun.h"
#include "uGlobalSettings.h"
#include "uResultQuantities.h"
#include "uWires.h"

#include "../support/ScratchFolder.h"
#include "CorvadelProcess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>

namespace corvadel {
namespace {

namespace fs = std::filesystem;

using corvadel::test::Examples;
using corvadel::test::Quoted;

// What a program prints for `command`.
std::string Output(const std::string &command)
{
    std::string text;
    if (FILE *pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            text.append(buffer, n);
        ::pclose(pipe);
    }
    return text;
}

// The text of a PDF, through poppler's pdftotext.
std::string PdfText(const std::string &pdf)
{
    return Output("pdftotext -layout " + Quoted(pdf) + " - 2>/dev/null");
}

int PdfPages(const std::string &pdf)
{
    const std::string info = Output("pdfinfo " + Quoted(pdf) + " 2>/dev/null");
    const size_t at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::stoi(info.substr(at + 6));
}

class ReportCommand : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(Output("command -v pdftotext").empty()) << "pdftotext (poppler-utils) is needed: ./dev test installs it";
    }

    test::ScratchFolder Folder;
    const std::string Pdf = Folder.Path("out.pdf");
};

TEST_F(ReportCommand, TheJobOfAProjectHoldsItsCaptionsAndFigures)
{
    const test::TCorvadelRun run = test::RunCorvadel("report " + Quoted(Examples + "intersection.xml") + " -o " + Quoted(Pdf));
    ASSERT_EQ(run.Status, 0) << run.Errors;
    const std::string text = PdfText(Pdf);

    TGlobalSetting settings;
    TWireConfigurationList project(settings.Parameters);
    ASSERT_TRUE(project.Open(Examples + "intersection.xml"));
    ASSERT_TRUE(TCalculationRun::RunCalculation(project));
    const TWireConfigurationResult &result = *project.FindByNumber(1)->Results.FindByAtMaxSAG(true);
    const std::string expected[] = {
        "PROJECT DETAIL",
        project.ProjectName,
        "INPUT VALUES",
        "RESULT OF FINAL CALCULATION [MAX SAG]",
        "RESULT OF FINAL CALCULATION [MIN SAG]",
        "RESULT OF COMBINATION CALCULATION",
        "T A R V O",
        "Version 1.2.3",
        "Base Moment (ft-lbs)",
        "Sum of Areas (sq.ft):",
        "(ft-lbs)",
        FixedText(result.PoleResults.FindByPoleNumber(1)->BaseMoment, 8, 2),
        FixedText(result.SpanResults.FindBySpanNumber(1)->TensionRelation, 8, 5),
        "Page #2",
    };
    for (const std::string &line : expected)
        EXPECT_NE(text.find(line), std::string::npos) << line;
    for (const char *wrong : {"ft/lbs", "ft*lbs", "Sum of Areas (ft)"})
        EXPECT_EQ(text.find(wrong), std::string::npos) << wrong;
}

TEST_F(ReportCommand, LoadedProfilePagesCarryTheirFigureAsVectors)
{
    const test::TCorvadelRun run =
        test::RunCorvadel("report " + Quoted(Examples + "wye.xml") + " --profiles -o " + Quoted(Pdf));
    ASSERT_EQ(run.Status, 0) << run.Errors;
    const std::string text = PdfText(Pdf);
    // Title bar, the figure's own texts and the table under it.
    for (const char *line : {"LOADED PROFILE [MAX SAG] - SPAN 2", "LOADED PROFILE [MIN SAG] - SPAN 3",
                             "Loaded Profile, span", "Min Signal Clearance", "Pavement", "Low ", "Clearance (ft)",
                             "Shortfall (ft)"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
    // Drawn as vectors: the list of raster images holds its two header lines only.
    const std::string images = Output("pdfimages -list " + Quoted(Pdf) + " 2>/dev/null");
    EXPECT_EQ(std::count(images.begin(), images.end(), '\n'), 2) << images;
}

// The setting turns the profile pages on and off for the headless job too.
TEST_F(ReportCommand, TheSettingDecidesOnTheLoadedProfilePages)
{
    const auto pagesWith = [&](const char *flag) {
        const std::string settings = Folder.Path(std::string("profiles-") + flag + ".def");
        std::FILE *file = std::fopen(settings.c_str(), "wb");
        if (!file)
            return std::make_pair(-1, std::string());
        std::fprintf(file, "[APPLICATION SETTING]\r\nPrint Loaded Profiles=%s\r\n", flag);
        std::fclose(file);
        const test::TCorvadelRun run = test::RunCorvadel("report " + Quoted(Examples + "wye.xml") + " --settings "
                                                         + Quoted(settings) + " -o " + Quoted(Pdf));
        EXPECT_EQ(run.Status, 0) << run.Errors;
        return std::make_pair(PdfPages(Pdf), PdfText(Pdf));
    };
    const auto [pagesOn, textOn] = pagesWith("Y");
    const auto [pagesOff, textOff] = pagesWith("N");
    EXPECT_NE(textOn.find("LOADED PROFILE [MIN SAG] - SPAN 3"), std::string::npos);
    EXPECT_EQ(textOff.find("LOADED PROFILE"), std::string::npos);
    EXPECT_NE(textOff.find("RESULT OF FINAL CALCULATION [MIN SAG]"), std::string::npos);
    // Three spans at two SAG cases: six profile pages.
    EXPECT_EQ(pagesOff, pagesOn - 6);
}

// Without the setting or --profiles the job is the reports alone: a Box of
// eight spans prints its detail page, input values and two results, and a
// loaded profile page per span and SAG case only when asked.
TEST_F(ReportCommand, LoadedProfilePagesOnlyWhenAsked)
{
    const auto pages = [&](const std::string &options) {
        const test::TCorvadelRun run =
            test::RunCorvadel("report " + Quoted(Examples + "box.xml") + options + " -o " + Quoted(Pdf));
        EXPECT_EQ(run.Status, 0) << run.Errors;
        return PdfPages(Pdf);
    };
    EXPECT_EQ(pages(""), 4);
    EXPECT_EQ(pages(" --profiles"), 4 + 2 * 8);
}

// A footer field too long for its room keeps its size and ends in an
// ellipsis after a whole word.
TEST_F(ReportCommand, ALongProjectNameIsCutAtAWordInTheFooter)
{
    TGlobalSetting settings;
    TWireConfigurationList project(settings.Parameters);
    ASSERT_TRUE(project.Open(Examples + "simple.xml"));
    const std::string name = "Reconstruction of the Signalised Intersection of Route Nine and Lakeview Drive with "
                             "Pedestrian Crossings on All Four Legs and a Protected Left Turn Phase";
    project.SetProjectName(name);
    ASSERT_TRUE(project.Save(Folder.Path("long.xml")));
    const test::TCorvadelRun run = test::RunCorvadel("report " + Quoted(Folder.Path("long.xml")) + " -o " + Quoted(Pdf));
    ASSERT_EQ(run.Status, 0) << run.Errors;
    const std::string text = PdfText(Pdf);
    const size_t page = text.find("Page #2");
    ASSERT_NE(page, std::string::npos);
    const size_t lineStart = text.rfind('\n', page) + 1;
    const std::string footer = text.substr(lineStart, page - lineStart);
    const size_t ellipsis = footer.find("\u2026");
    ASSERT_NE(ellipsis, std::string::npos) << footer;
    const size_t wordStart = footer.rfind(' ', ellipsis - 1) + 1;
    const std::string lastWord = footer.substr(wordStart, ellipsis - wordStart);
    EXPECT_NE(name.find(" " + lastWord + " "), std::string::npos) << footer;
}

TEST_F(ReportCommand, EveryExamplePrints)
{
    for (const auto &entry : fs::directory_iterator(Examples)) {
        if (entry.path().extension() != ".xml")
            continue;
        SCOPED_TRACE(entry.path().filename().string());
        const test::TCorvadelRun run = test::RunCorvadel("report " + Quoted(entry.path().string()) + " -o " + Quoted(Pdf));
        ASSERT_EQ(run.Status, 0) << run.Errors;
        EXPECT_GE(PdfPages(Pdf), 3);
        fs::remove(Pdf);
    }
}

// A project whose sequence numbers have a gap or a repeat prints every
// sequence, under its new number.
TEST_F(ReportCommand, EverySequencePrintsWhateverTheFileNumberedIt)
{
    for (const char *second : {"5", "1"}) {
        SCOPED_TRACE(second);
        const std::string number = std::string(">") + second + "<";
        Folder.Write("renumbered.xml", test::EditedExample("intersection.xml", {{"<SEQUENCE_NUMBER>2<", "<SEQUENCE_NUMBER" + number},
                                                                               {"<SEQUENCE_B>2<", "<SEQUENCE_B" + number}}));
        const test::TCorvadelRun run = test::RunCorvadel("report " + Quoted(Folder.Path("renumbered.xml")) + " -o " + Quoted(Pdf));
        ASSERT_EQ(run.Status, 0) << run.Errors;
        EXPECT_NE(run.Errors.find("Saving the project writes them renumbered."), std::string::npos) << run.Errors;
        const std::string text = PdfText(Pdf);
        for (const char *sequence : {"North WYE", "South approach", "East approach"})
            EXPECT_NE(text.find(sequence), std::string::npos) << sequence;
        fs::remove(Pdf);
    }
}

TEST_F(ReportCommand, AProjectThatCannotBeCalculatedPrintsNothing)
{
    TGlobalSetting settings;
    TWireConfigurationList project(settings.Parameters);
    ASSERT_TRUE(project.Open(Examples + "simple.xml"));
    project.FindByNumber(1)->Spans.SetLengthOf(1, 0);
    ASSERT_TRUE(project.Save(Folder.Path("bad.xml")));
    ASSERT_FALSE(TCalculationRun::RunCalculation(project));

    const test::TCorvadelRun run = test::RunCorvadel("report " + Quoted(Folder.Path("bad.xml")) + " -o " + Quoted(Pdf));
    EXPECT_EQ(run.Status, 1);
    EXPECT_FALSE(fs::exists(Pdf));
    EXPECT_TRUE(run.Output.empty());
    for (std::string line : TCalculationRun::ErrorListing(project)) {
        std::erase(line, '\r');
        EXPECT_NE(run.Errors.find(line), std::string::npos) << line;
    }
}

TEST_F(ReportCommand, SheetsOfEveryType)
{
    for (const char *type : {"simple", "WYE", "h", "delta", "hybrid", "Box"}) {
        SCOPED_TRACE(type);
        const test::TCorvadelRun run = test::RunCorvadel(std::string("sheet ") + type + " -o " + Quoted(Pdf));
        ASSERT_EQ(run.Status, 0) << run.Errors;
        EXPECT_EQ(PdfPages(Pdf), 1);
        const std::string text = PdfText(Pdf);
        for (const char *caption : {"INPUT VALUES", "Configuration Type:", "Signals and Signs", "Design Data"})
            EXPECT_NE(text.find(caption), std::string::npos) << caption;
        // No footer on a sheet.
        EXPECT_EQ(text.find("Page #"), std::string::npos);
    }
}

} // namespace
} // namespace corvadel
