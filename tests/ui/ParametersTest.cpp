// The parameters dialog through the main window's command, with a scripted
// user and a settings file in a scratch folder.
#include "KorvelEditComp.h"
#include "MainFRM.h"
#include "ParametersFRM.h"
#include "../support/ScratchFolder.h"
#include "../support/ScriptedAsk.h"
#include "../support/WhenModal.h"
#include "uGlobalSettings.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace corvadel;
using corvadel::test::ScratchFolder;
using corvadel::test::TScriptedAsk;
using corvadel::test::TWhenModal;

namespace {

class ParametersDialog : public ::testing::Test {
protected:
    ParametersDialog()
        : Window(Settings, Ask, {})
    {
        Settings.Locations.Settings = Folder.Path("corvadel.def");
        Window.show();
        QApplication::setActiveWindow(&Window);
    }

    // Runs the Parameters command with `act` working the dialog.
    void Parameters(const std::function<void(QDialog &)> &act)
    {
        TWhenModal when(act);
        Window.findChild<QAction *>("parameters")->trigger();
    }

    static void Type(QDialog &dialog, const char *field, const QString &text)
    {
        auto *edit = dialog.findChild<TKorvelEdit *>(QLatin1String(field));
        ASSERT_NE(edit, nullptr) << field;
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }
    static QString Text(QDialog &dialog, const char *field)
    {
        return dialog.findChild<TKorvelEdit *>(QLatin1String(field))->text();
    }
    static void Click(QDialog &dialog, const char *button)
    {
        QTest::mouseClick(dialog.findChild<QPushButton *>(QLatin1String(button)), Qt::LeftButton);
    }
    static void Press(QDialog &dialog, QDialogButtonBox::StandardButton which)
    {
        QTest::mouseClick(dialog.findChild<QDialogButtonBox *>()->button(which), Qt::LeftButton);
    }
    std::string SettingsFile() const { return ScratchFolder::ReadBytes(Folder.Path("corvadel.def")); }
    // Everything the settings hold that a file would keep.
    std::string SettingsText()
    {
        const std::string path = Folder.Path("snapshot.def");
        Settings.Save(path);
        return ScratchFolder::ReadBytes(path);
    }

    ScratchFolder Folder;
    TGlobalSetting Settings;
    TScriptedAsk Ask;
    TfrmMain Window;
};

QStringList Lines(const std::string &text)
{
    return QString::fromStdString(text).split(QStringLiteral("\r\n"));
}

TEST_F(ParametersDialog, ShowsEverySettingInItsControl)
{
    Settings.Parameters.WindPressure = 35.5;
    Settings.Parameters.MinSignalClearance = 16;
    Settings.PrintLoadedProfiles = true;
    Parameters([](QDialog &dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Parameters");
        EXPECT_EQ(Text(dialog, "edtWindPressure"), "35.50");
        EXPECT_EQ(Text(dialog, "edtMinClearance"), "20.60");
        EXPECT_EQ(Text(dialog, "edtMinSignalClearance"), "16.00");
        EXPECT_EQ(Text(dialog, "edtDefaultDesignFactor"), "1.80");
        EXPECT_TRUE(dialog.findChild<QCheckBox *>("cbResizeForm")->isChecked());
        EXPECT_TRUE(dialog.findChild<QCheckBox *>("cbEnableRelativeHeight")->isChecked());
        EXPECT_TRUE(dialog.findChild<QCheckBox *>("cbPrintLoadedProfiles")->isChecked());
        EXPECT_FALSE(dialog.findChild<QCheckBox *>("cbWarp")->isChecked());
    });
}

TEST_F(ParametersDialog, TypedValuesSurviveAColourAndAFontChoiceAndAreStoredOnOk)
{
    Ask.Colors.push_back(QColor(0, 0, 255));
    QFont courier(QStringLiteral("Courier New"), 9);
    courier.setBold(true);
    Ask.Fonts.push_back(courier);
    Parameters([](QDialog &dialog) {
        Type(dialog, "edtWindPressure", "30");
        dialog.findChild<QCheckBox *>("cbDynamicDisplay")->setChecked(true);
        Click(dialog, "btnPoleColor");
        Click(dialog, "btnWireFont");
        EXPECT_EQ(Text(dialog, "edtWindPressure"), "30");
        EXPECT_TRUE(dialog.findChild<QCheckBox *>("cbDynamicDisplay")->isChecked());
        Press(dialog, QDialogButtonBox::Ok);
    });
    EXPECT_EQ(Settings.Parameters.WindPressure, 30);
    EXPECT_TRUE(Settings.EnableDynamicDisplay);
    EXPECT_EQ(Settings.Colors.PoleColor, 0xFF0000); // blue as 0x00BBGGRR
    EXPECT_EQ(Settings.Colors.WireFont.ToText(), "Courier New,9,1,32768"); // keeps its colour
    const QStringList file = Lines(SettingsFile());
    EXPECT_TRUE(file.contains("Wind Pressure=30"));
    EXPECT_TRUE(file.contains("Pole Color=16711680"));
    // The window follows at once: its check mark.
    EXPECT_TRUE(Window.findChild<QAction *>("dynamic_graphic")->isChecked());
}

TEST_F(ParametersDialog, OkWritesExactlyTheChangedKeys)
{
    Settings.Save(Settings.SettingsPath());
    const QStringList before = Lines(SettingsFile());
    Ask.Colors.push_back(QColor(0, 128, 0));
    Parameters([](QDialog &dialog) {
        Type(dialog, "edtMinSignalClearance", "17.5");
        dialog.findChild<QCheckBox *>("cbResizeForm")->setChecked(false);
        dialog.findChild<QCheckBox *>("cbPrintLoadedProfiles")->setChecked(true);
        Click(dialog, "btnRingColor");
        Press(dialog, QDialogButtonBox::Ok);
    });
    const QStringList after = Lines(SettingsFile());
    ASSERT_EQ(after.size(), before.size());
    QStringList changed;
    for (int i = 0; i < after.size(); ++i)
        if (after[i] != before[i])
            changed << after[i];
    EXPECT_EQ(changed, QStringList({"Resize Form=N", "Print Loaded Profiles=Y", "Min Signal Clearance=17.5",
                                    "Ring Color=32768"}));
}

TEST_F(ParametersDialog, CancelLeavesSettingsAndFileByteForByte)
{
    Settings.Save(Settings.SettingsPath());
    const std::string file = SettingsFile();
    const std::string settings = SettingsText();
    Ask.Colors.push_back(QColor(1, 2, 3));
    Ask.Fonts.push_back(QFont(QStringLiteral("Courier New"), 12));
    Parameters([](QDialog &dialog) {
        Type(dialog, "edtWireWeight", "3");
        dialog.findChild<QCheckBox *>("cbWarp")->setChecked(true);
        Click(dialog, "btnBackgroundColor");
        Click(dialog, "btnAngleFont");
        Press(dialog, QDialogButtonBox::Cancel);
    });
    EXPECT_EQ(SettingsFile(), file);
    EXPECT_EQ(SettingsText(), settings);
}

TEST_F(ParametersDialog, ABadNumberChangesNothingAndKeepsTheDialogOpen)
{
    Parameters([this](QDialog &dialog) {
        Type(dialog, "edtMinClearance", "25");
        Type(dialog, "edtWireWeight", "1-2"); // the key filter lets it through
        Press(dialog, QDialogButtonBox::Ok);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(Ask.LastText(), "Weight of Wire (lbs/ft): '1-2' is not a valid floating point value");
        EXPECT_EQ(Settings.Parameters.MinClearance, 20.6); // the field before the bad one too
        EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(Settings.SettingsPath())));

        Type(dialog, "edtWireWeight", "2");
        Press(dialog, QDialogButtonBox::Ok);
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_EQ(Settings.Parameters.MinClearance, 25);
    EXPECT_EQ(Settings.Parameters.WireWeight, 2);
    EXPECT_TRUE(Lines(SettingsFile()).contains("Wire Weight=2"));
}

// Numbers out of range are refused like numbers that do not convert.
TEST_F(ParametersDialog, ANegativeValueOrADesignFactorOfZeroIsRefused)
{
    const struct {
        const char *Field;
        const char *Text;
        const char *Message;
    } cases[] = {
        {"edtWireWeight", "-1", "Weight of Wire (lbs/ft): -1 cannot be negative."},
        {"edtMinSignalClearance", "-0.5", "Min. clearance pavement to signal bottom (ft): -0.5 cannot be negative."},
        {"edtDefaultDesignFactor", "0", "Default Design Factor;: 0 must be greater than 0."},
        {"edtDefaultDesignFactor", "", "Default Design Factor;: 0 must be greater than 0."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.Field) + " '" + c.Text + "'");
        Parameters([&](QDialog &dialog) {
            Type(dialog, c.Field, c.Text);
            Press(dialog, QDialogButtonBox::Ok);
            EXPECT_TRUE(dialog.isVisible());
            EXPECT_EQ(Ask.LastText(), QLatin1String(c.Message));
            Press(dialog, QDialogButtonBox::Cancel);
        });
        EXPECT_EQ(Settings.Parameters.WireWeight, 1);
        EXPECT_EQ(Settings.Parameters.DesignFactor, 1.8);
        EXPECT_EQ(Settings.Parameters.MinSignalClearance, 15);
        EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(Settings.SettingsPath())));
    }
    Parameters([](QDialog &dialog) {
        Type(dialog, "edtWindPressure", "0"); // no wind is a value
        Press(dialog, QDialogButtonBox::Ok);
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_EQ(Settings.Parameters.WindPressure, 0);
}

TEST_F(ParametersDialog, AnUnwritableFileIsNamedAndTheSettingsStayForTheSession)
{
    Folder.Write("plain-file", "not a folder");
    Settings.Locations.Settings = Folder.Path("plain-file/corvadel.def");
    Parameters([](QDialog &dialog) {
        Type(dialog, "edtWindPressure", "50");
        Press(dialog, QDialogButtonBox::Ok);
    });
    ASSERT_EQ(Ask.Asked.size(), 1u);
    EXPECT_EQ(Ask.Asked[0].Kind, TMessageKind::Error);
    EXPECT_TRUE(Ask.LastText().contains(QString::fromStdString(Settings.SettingsPath()))) << Ask.LastText().toStdString();
    EXPECT_EQ(Settings.Parameters.WindPressure, 50);
}

TEST_F(ParametersDialog, TheMainWindowShowsTheNewWindPressureAndDisplayOptions)
{
    Window.findChild<QAction *>("add_simple")->trigger();
    Settings.EnableDisplayLabel = true;
    Window.findChild<QAction *>("labels")->setChecked(true);
    Parameters([](QDialog &dialog) {
        Type(dialog, "edtWindPressure", "28.5");
        dialog.findChild<QCheckBox *>("cbDisplayLabel")->setChecked(false);
        Press(dialog, QDialogButtonBox::Ok);
    });
    EXPECT_EQ(Window.findChild<TKorvelEdit *>("edtWindPressure")->text(), "28.50");
    EXPECT_FALSE(Window.findChild<QAction *>("labels")->isChecked());
    EXPECT_FALSE(Settings.EnableDisplayLabel);
}

TEST(ParametersSamples, FontSamplesShowTheirFontOnTheirGround)
{
    TGlobalSetting settings;
    TScriptedAsk ask;
    TfrmParameters dialog(settings, ask);
    const auto *pole = dialog.findChild<QLabel *>("lblPoleFont");
    ASSERT_NE(pole, nullptr);
    EXPECT_EQ(pole->text(), "abcABC");
    EXPECT_EQ(pole->font().family(), "Arial");
    EXPECT_TRUE(pole->styleSheet().contains("background-color: #ff0000")); // on the pole colour
    EXPECT_TRUE(dialog.findChild<QLabel *>("lblRingFont")->styleSheet().contains("background-color: #ffffff"));
}

} // namespace
