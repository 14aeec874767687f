#include "../support/ScratchFolder.h"
#include "uFormats.h"
#include "uGlobalSettings.h"
#include "uIniFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace corvadel;
namespace fs = std::filesystem;

namespace {

// A fresh folder standing in for the program's folder.
class ProgramFolder : public ::testing::Test
{
protected:
    std::string Program() const { return Folder.Path("corvadel"); }
    std::string Def() const { return Folder.Path("corvadel.def"); }
    void Write(const std::string &name, const std::string &bytes) const { Folder.Write(name, bytes); }

    test::ScratchFolder Folder;
    const fs::path &Dir = Folder.Dir;
};

} // namespace

TEST(IniFile, WindowsCompatibleReading)
{
    TIniFile ini("unused.ini");
    TIniFile::ParseText("; comment\r\n[Design Data]\r\n  wind pressure =  30  \r\nQuoted=\"a b\"\n[OTHER]\nk=1\nk=2\n"
                        "[design data]\nLate=3\nno equals line\n",
                        ini);
    EXPECT_EQ(ini.ReadString("DESIGN DATA", "Wind Pressure", "x"), "30");
    EXPECT_EQ(ini.ReadString("design data", "QUOTED", "x"), "a b");
    EXPECT_EQ(ini.ReadString("Other", "K", "x"), "1") << "the first of duplicate keys wins";
    EXPECT_EQ(ini.ReadString("DESIGN DATA", "Late", "x"), "3") << "a repeated section continues the first";
    EXPECT_EQ(ini.ReadString("DESIGN DATA", "missing", "dflt"), "dflt");
    EXPECT_EQ(ini.ReadString("missing", "k", "dflt"), "dflt");
}

// Editors on Windows put a byte-order mark before the text; it must not hide
// the first section (an old project's GENERAL, or a settings section).
TEST(IniFile, ByteOrderMarkDoesNotHideTheFirstSection)
{
    TIniFile ini("unused.ini");
    TIniFile::ParseText("\xEF\xBB\xBF[GENERAL]\r\nAPPLICATION=TARVO\r\n", ini);
    EXPECT_EQ(ini.ReadString("GENERAL", "APPLICATION", "x"), "TARVO");
}

// Every file the program reads is small; one far past that, or a device
// that never ends, is refused by name instead of filling the memory.
TEST_F(ProgramFolder, FilesPastTheLargestReadAreRefusedByName)
{
    const std::string sparse = Folder.Path("huge.xml");
    Write("huge.xml", "<XML>");
    fs::resize_file(sparse, uintmax_t(MaxFileTextSize) + 1);
    for (const std::string &path : {sparse, std::string("/dev/zero")}) {
        try {
            ReadFileText(path);
            ADD_FAILURE() << "read " << path;
        } catch (const EFileError &error) {
            EXPECT_NE(std::string(error.what()).find("\"" + path + "\""), std::string::npos) << error.what();
            EXPECT_NE(std::string(error.what()).find("larger than"), std::string::npos) << error.what();
        }
    }
    fs::resize_file(sparse, MaxFileTextSize);
    EXPECT_EQ(ReadFileText(sparse).size(), MaxFileTextSize);
}

TEST_F(ProgramFolder, IniWriteCreatesSectionAndKeyAndKeepsOrder)
{
    Write("a.ini", "[B]\nx=1\n");
    TIniFile ini((Dir / "a.ini").string());
    ini.WriteString("A", "Key", " v ");
    ini.WriteString("b", "X", "2");
    ini.UpdateFile();
    std::ifstream in((Dir / "a.ini").string(), std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "[B]\r\nx=2\r\n[A]\r\nKey=v\r\n");
}

TEST(IniFile, PathHelpers)
{
    EXPECT_EQ(ChangeFileExt("/a/b/corvadel", ".def"), "/a/b/corvadel.def");
    EXPECT_EQ(ChangeFileExt("/a/b.d/job.xml", ".old"), "/a/b.d/job.old");
    EXPECT_EQ(ChangeFileExt("/a/b.d/job", ".old"), "/a/b.d/job.old");
    EXPECT_EQ(ExtractFilePath("/a/b/corvadel"), "/a/b/");
    EXPECT_EQ(ExtractFilePath("corvadel"), "");
}

TEST_F(ProgramFolder, DefaultsWithoutAnyFile)
{
    TGlobalSetting settings(Program());
    EXPECT_TRUE(settings.ResizeForm);
    EXPECT_FALSE(settings.EnableDisplayLabel);
    EXPECT_FALSE(settings.EnableDynamicDisplay);
    EXPECT_FALSE(settings.AutomaticProjectDetail);
    EXPECT_FALSE(settings.PrintLoadedProfiles);
    const TTARVOParameters &p = settings.Parameters;
    EXPECT_DOUBLE_EQ(p.MinClearance, 20.6);
    EXPECT_DOUBLE_EQ(p.MinSignalClearance, 15);
    EXPECT_DOUBLE_EQ(p.WireWeight, 1);
    EXPECT_DOUBLE_EQ(p.WindPressure, 42);
    EXPECT_DOUBLE_EQ(p.Tension, 1000);
    EXPECT_DOUBLE_EQ(p.DesignFactor, 1.8);
    EXPECT_DOUBLE_EQ(p.MaxTension, 100000);
    EXPECT_DOUBLE_EQ(p.AreaFactor, 0.1);
    EXPECT_TRUE(p.RelativeSignal);
    EXPECT_FALSE(p.VariableWire);
    EXPECT_FALSE(p.Warp);
    EXPECT_EQ(settings.Colors.AngleFont.ToText(), "Arial,6,0,8421376");
    EXPECT_EQ(settings.Colors.ImageBackground, 16777215);
    // The missing catalogue is reported once, naming where it was looked for.
    ASSERT_EQ(settings.Warnings.size(), 1u);
    EXPECT_NE(settings.Warnings[0].find((Dir / "CodeList.xml").string()), std::string::npos);
    EXPECT_EQ(settings.CodeList.Count(), 0);
}

TEST_F(ProgramFolder, PartialFileKeepsOtherDefaults)
{
    Write("corvadel.def", "[DESIGN DATA]\r\nWind Pressure=30\r\nRelative Signal=y\r\n");
    Write("CodeList.xml", "<XML>\r\n</XML>\r\n");
    TGlobalSetting settings(Program());
    EXPECT_DOUBLE_EQ(settings.Parameters.WindPressure, 30);
    EXPECT_DOUBLE_EQ(settings.Parameters.MinClearance, 20.6);
    EXPECT_TRUE(settings.Parameters.RelativeSignal);
    EXPECT_TRUE(settings.ResizeForm);
    EXPECT_EQ(settings.Colors.PoleFont.ToText(), "Arial,6,0,16777215");
    EXPECT_TRUE(settings.Warnings.empty());
}

TEST_F(ProgramFolder, ValuesThatDoNotConvertAreReportedAndDefaulted)
{
    Write("corvadel.def", "[DEFAULT VALUES]\nTension=lots\n[GRAPHICS SETTING]\nPole Color=red\nWire Font=Arial,6\n");
    Write("CodeList.xml", "<XML>\r\n</XML>\r\n");
    TGlobalSetting settings(Program());
    EXPECT_DOUBLE_EQ(settings.Parameters.Tension, 1000);
    EXPECT_EQ(settings.Colors.PoleColor, 255);
    EXPECT_EQ(settings.Colors.WireFont.ToText(), "Arial,6,0,32768");
    ASSERT_EQ(settings.Warnings.size(), 3u);
    EXPECT_NE(settings.Warnings[0].find(Def()), std::string::npos);
    EXPECT_NE(settings.Warnings[0].find("[DEFAULT VALUES] Tension=lots"), std::string::npos);
    EXPECT_NE(settings.Warnings[1].find("Pole Color=red"), std::string::npos);
    EXPECT_NE(settings.Warnings[2].find("Wire Font=Arial,6"), std::string::npos);
}

// A number the calculation cannot work with (a tolerance or tension of 0, a
// negative clearance) is reported with file, section, key and text, as the
// Parameters dialog would refuse it, and its default is used.
TEST_F(ProgramFolder, NumbersOutOfTheirRangeAreReportedAndDefaulted)
{
    const struct {
        const char *Line;
        double TTARVOParameters::*Field;
        double Default;
    } cases[] = {
        {"[DEFAULT VALUES]\nSAG_Tollerance=0", &TTARVOParameters::SAGTolerance, 1},
        {"[DEFAULT VALUES]\nSAG_Tollerance=1000", &TTARVOParameters::SAGTolerance, 1},
        {"[DEFAULT VALUES]\nSAG_Tollerance=10.01", &TTARVOParameters::SAGTolerance, 1},
        {"[DEFAULT VALUES]\nTension=-1000", &TTARVOParameters::Tension, 1000},
        {"[DEFAULT VALUES]\nMax Tension=0", &TTARVOParameters::MaxTension, 100000},
        {"[DEFAULT VALUES]\nDesign Factor=0", &TTARVOParameters::DesignFactor, 1.8},
        {"[DEFAULT VALUES]\nArea Factor=-0.1", &TTARVOParameters::AreaFactor, 0.1},
        {"[DESIGN DATA]\nWind Pressure=-42", &TTARVOParameters::WindPressure, 42},
        {"[DESIGN DATA]\nMin Clearance=-1", &TTARVOParameters::MinClearance, 20.6},
        {"[DESIGN DATA]\nMin Signal Clearance=-15", &TTARVOParameters::MinSignalClearance, 15},
        {"[DESIGN DATA]\nWire Weight=-1", &TTARVOParameters::WireWeight, 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Line);
        Write("corvadel.def", c.Line);
        TTARVOParameters parameters;
        std::vector<std::string> warnings;
        parameters.Load(TIniFile(Def()), warnings);
        EXPECT_DOUBLE_EQ(parameters.*c.Field, c.Default);
        ASSERT_EQ(warnings.size(), 1u);
        const std::string line = c.Line;
        for (const std::string &part : {Def(), line.substr(0, line.find('\n')), line.substr(line.find('\n') + 1)})
            EXPECT_NE(warnings[0].find(part), std::string::npos) << warnings[0] << " lacks " << part;
    }
    // The edges the dialog takes are taken from the file as well.
    Write("corvadel.def", "[DEFAULT VALUES]\nArea Factor=0\nSAG_Tollerance=10\n[DESIGN DATA]\nWind Pressure=0\n"
                          "Wire Weight=0\n");
    TTARVOParameters parameters;
    std::vector<std::string> warnings;
    parameters.Load(TIniFile(Def()), warnings);
    EXPECT_TRUE(warnings.empty()) << warnings.front();
    EXPECT_EQ(parameters.WindPressure, 0);
    EXPECT_EQ(parameters.SAGTolerance, 10);
}

// Flags read true exactly for "Y" in any case, whatever else they hold; a
// text other than Y or N is reported with file, section, key and text.
TEST_F(ProgramFolder, FlagsNeitherYNorNReadAsTheRulesSayAndAreReported)
{
    const struct {
        const char *Text;
        bool Value;
        bool Reported;
    } cases[] = {
        {"Y", true, false}, {"y", true, false}, {"N", false, false}, {"n", false, false},
        {"Yes", false, true}, {"true", false, true}, {"1", false, true}, {"", false, true},
    };
    Write("CodeList.xml", "<XML>\r\n</XML>\r\n");
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string("'") + c.Text + "'");
        Write("corvadel.def", std::string("[APPLICATION SETTING]\r\nEnable Display Label=") + c.Text
                                  + "\r\n[DESIGN DATA]\r\nWarp=" + c.Text + "\r\n");
        TGlobalSetting settings(Program());
        EXPECT_EQ(settings.EnableDisplayLabel, c.Value);
        EXPECT_EQ(settings.Parameters.Warp, c.Value);
        if (!c.Reported) {
            EXPECT_TRUE(settings.Warnings.empty());
            continue;
        }
        ASSERT_EQ(settings.Warnings.size(), 2u);
        EXPECT_EQ(settings.Warnings[0], Def() + ": [APPLICATION SETTING] Enable Display Label=" + c.Text + ": '"
                                            + c.Text + "' is neither Y nor N; read as N");
        EXPECT_NE(settings.Warnings[1].find(Def() + ": [DESIGN DATA] Warp=" + c.Text + ": "), std::string::npos);
    }
}

TEST(FontSpec, TextRoundTrip)
{
    const TFontSpec font = TFontSpec::FromText(" Courier New,8,3,255 ");
    EXPECT_EQ(font.Name, "Courier New");
    EXPECT_EQ(font.Size, 8);
    EXPECT_EQ(font.Style, TFontSpec::Bold | TFontSpec::Italic);
    EXPECT_EQ(font.Color, 255);
    EXPECT_EQ(font.ToText(), "Courier New,8,3,255");
    EXPECT_THROW(TFontSpec::FromText("Arial,6,0"), EConvertError);
    EXPECT_THROW(TFontSpec::FromText("Arial,big,0,1"), EConvertError);
}

TEST_F(ProgramFolder, SaveWritesSectionsInOrderAndRestoresRemovedKeys)
{
    Write("corvadel.def", "[DESIGN DATA]\nWind Pressure=30\n");
    TGlobalSetting settings(Program());
    settings.EnableDisplayLabel = true;
    settings.PrintLoadedProfiles = true;
    settings.Parameters.MinSignalClearance = 16.5;
    settings.Colors.RingFont = TFontSpec::FromText("Courier New,8,3,255");
    settings.Save(Program());

    std::ifstream in(Def(), std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t app = text.find("[APPLICATION SETTING]");
    const size_t design = text.find("[DESIGN DATA]");
    const size_t defaults = text.find("[DEFAULT VALUES]");
    const size_t graphics = text.find("[GRAPHICS SETTING]");
    EXPECT_EQ(app, 0u);
    EXPECT_LT(app, design);
    EXPECT_LT(design, defaults);
    EXPECT_LT(defaults, graphics);
    EXPECT_NE(text.find("Enable Display Label=Y\r\n"), std::string::npos);
    EXPECT_NE(text.find("Wind Pressure=30\r\n"), std::string::npos);
    EXPECT_NE(text.find("SAG_Tollerance=1\r\n"), std::string::npos);
    EXPECT_NE(text.find("Min Clearance=20.6\r\n"), std::string::npos);
    EXPECT_NE(text.find("Ring Font=Courier New,8,3,255\r\n"), std::string::npos);

    TGlobalSetting again(Program());
    EXPECT_TRUE(again.EnableDisplayLabel);
    EXPECT_TRUE(again.PrintLoadedProfiles);
    EXPECT_DOUBLE_EQ(again.Parameters.MinSignalClearance, 16.5);
    EXPECT_DOUBLE_EQ(again.Parameters.WindPressure, 30);
    EXPECT_EQ(again.Colors.RingFont, settings.Colors.RingFont);
}

// Sections the settings do not own (the main window keeps its own) survive
// a save, while the owned ones are written afresh without stale keys.
TEST_F(ProgramFolder, SaveKeepsSectionsItDoesNotOwn)
{
    Write("corvadel.def", "[MAIN WINDOW]\nRecent 1=/p/a.xml\n[GRAPHICS SETTING]\nObsolete Key=1\n");
    TGlobalSetting settings(Program());
    settings.Save(Program());

    TIniFile ini(Def());
    EXPECT_EQ(ini.ReadString("MAIN WINDOW", "Recent 1", ""), "/p/a.xml");
    EXPECT_FALSE(ini.ValueExists("GRAPHICS SETTING", "Obsolete Key"));
    EXPECT_TRUE(ini.ValueExists("GRAPHICS SETTING", "Ring Font"));
    EXPECT_EQ(ini.ReadSection("APPLICATION SETTING").front(), "Resize Form");
}

TEST(GlobalSetting, IdentityAndHelpers)
{
    EXPECT_STREQ(TGlobalSetting::Version, "1.2.3");
    EXPECT_EQ(TGlobalSetting::Caption(""), "TARVO - Corvadel  [<new>]");
    EXPECT_EQ(TGlobalSetting::Caption("/p/job.xml"), "TARVO - Corvadel  [/p/job.xml]");
    EXPECT_DOUBLE_EQ(TGlobalSetting::MaxOfEight(1, -2, 8.5, 3, 0, 8.4, -9, 2), 8.5);
    EXPECT_DOUBLE_EQ(TGlobalSetting::MaxOfEight(-5, -2, -8, -3, -1, -8, -9, -2), -1);
}
