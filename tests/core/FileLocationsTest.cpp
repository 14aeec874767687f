#include "../support/ScratchFolder.h"
#include "uFileLocations.h"
#include "uGlobalSettings.h"
#include "uIniFile.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace corvadel;
namespace fs = std::filesystem;

namespace {

// A prefix laid out as an installation: bin/corvadel and share/corvadel/,
// with a scratch home.
class Installation : public ::testing::Test
{
protected:
    Installation()
    {
        fs::create_directories(Folder.Dir / "usr/bin");
        fs::create_directories(Folder.Dir / "usr/share/corvadel");
        fs::create_directories(Folder.Dir / "home");
    }
    std::string Program() const { return (Folder.Dir / "usr/bin/corvadel").string(); }
    std::string Home() const { return (Folder.Dir / "home").string(); }

    test::ScratchFolder Folder;
};

TEST_F(Installation, FilesBesideTheExecutableWinOverTheInstalledAndUserOnes)
{
    struct Case {
        const char *Name;
        bool CatalogueBeside, CatalogueInstalled, SettingsBeside;
        const char *ConfigHome; // "" unset, "~" relative (ignored)
        const char *Catalogue, *Settings;
        bool Found;
    };
    const Case cases[] = {
        {"installed", false, true, false, "", "usr/share/corvadel/CodeList.xml", "home/.config/corvadel/corvadel.def",
         true},
        {"portable copy", true, true, true, "", "usr/bin/CodeList.xml", "usr/bin/corvadel.def", true},
        {"XDG_CONFIG_HOME set", false, true, false, "cfg", "usr/share/corvadel/CodeList.xml", "cfg/corvadel/corvadel.def",
         true},
        {"relative XDG_CONFIG_HOME ignored", false, true, false, "~", "usr/share/corvadel/CodeList.xml",
         "home/.config/corvadel/corvadel.def", true},
        {"no catalogue anywhere", false, false, false, "", "usr/bin/CodeList.xml", "home/.config/corvadel/corvadel.def",
         false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.Name);
        fs::remove(Folder.Dir / "usr/bin/CodeList.xml");
        fs::remove(Folder.Dir / "usr/share/corvadel/CodeList.xml");
        fs::remove(Folder.Dir / "usr/bin/corvadel.def");
        if (c.CatalogueBeside)
            Folder.Write("usr/bin/CodeList.xml", "<XML></XML>");
        if (c.CatalogueInstalled)
            Folder.Write("usr/share/corvadel/CodeList.xml", "<XML></XML>");
        if (c.SettingsBeside)
            Folder.Write("usr/bin/corvadel.def", "");
        const std::string configHome = std::string(c.ConfigHome) == "~" ? "relative/cfg"
                                       : *c.ConfigHome                  ? Folder.Path(c.ConfigHome)
                                                                        : "";
        const TFileLocations where = LocateFiles(Program(), configHome, Home());
        EXPECT_EQ(where.Catalogue, Folder.Path(c.Catalogue));
        EXPECT_EQ(where.CatalogueFound, c.Found);
        EXPECT_EQ(where.Settings, Folder.Path(c.Settings));
        EXPECT_EQ(where.PortableSettings, c.SettingsBeside);
    }
}

TEST_F(Installation, WithoutAnyHomeTheSettingsStayBesideTheExecutable)
{
    EXPECT_EQ(LocateFiles(Program(), "", "").Settings, Program() + ".def");
}

// An installed program cannot write beside itself: its settings go to the
// user's folder, made on the first save, and nowhere else.
TEST_F(Installation, SettingsSaveLandsInTheUserFolderOnly)
{
    Folder.Write("usr/share/corvadel/CodeList.xml", "<XML></XML>");
    setenv("XDG_CONFIG_HOME", Folder.Path("cfg").c_str(), 1);
    TGlobalSetting settings(Program());
    unsetenv("XDG_CONFIG_HOME");
    settings.Parameters.WindPressure = 31;
    settings.Save(settings.SettingsPath());

    EXPECT_EQ(settings.SettingsPath(), Folder.Path("cfg/corvadel/corvadel.def"));
    EXPECT_EQ(TIniFile(settings.SettingsPath()).ReadString("DESIGN DATA", "Wind Pressure", ""), "31");
    EXPECT_FALSE(fs::exists(Folder.Dir / "usr/bin/corvadel.def"));
    EXPECT_FALSE(fs::exists(Folder.Dir / "home/.config"));
    EXPECT_TRUE(settings.Warnings.empty()) << settings.Warnings.front();
}

} // namespace
