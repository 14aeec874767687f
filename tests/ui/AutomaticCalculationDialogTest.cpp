// The automatic calculation dialog and the main window's commands that open
// the editing dialogs, with a scripted user.
#include "AutomaticCalculationFRM.h"
#include "KorvelEditComp.h"
#include "MainFRM.h"
#include "WiresFRM.h"
#include "../support/Examples.h"
#include "../support/ScratchFolder.h"
#include "../support/ScriptedAsk.h"
#include "uFormats.h"
#include "uGeometry.h"
#include "uGlobalSettings.h"
#include "uHelpContext.h"
#include "uProjectDocument.h"
#include "uTopology.h"
#include "uWires.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>

using namespace corvadel;
using corvadel::test::Example;
using corvadel::test::TScriptedAsk;

namespace {

// Text as a user types it: marked modified, unlike a value the dialog shows.
void Type(TKorvelEdit *edit, const char *text)
{
    edit->setText(QLatin1String(text));
    edit->setModified(true);
}

class AutomaticCalculationDialog : public ::testing::Test {
protected:
    void OpenDialog(const char *example)
    {
        Document.Open(Example(example).toStdString());
        Dialog = std::make_unique<TfrmAutomaticCalculation>(*Document.Project().First(), Ask);
        Dialog->show();
    }
    TKorvelEdit *Edit(const char *name) { return Dialog->findChild<TKorvelEdit *>(QLatin1String(name)); }
    QLabel *Mark(const char *name) { return Dialog->findChild<QLabel *>(QStringLiteral("lbl%1Entered").arg(QLatin1String(name))); }
    // Ticks the named items ("L2", "A6") in the check lists.
    void Tick(const QStringList &names)
    {
        for (const char *list : {"clbLengths", "clbAngles"}) {
            auto *checks = Dialog->findChild<QListWidget *>(QLatin1String(list));
            for (int i = 0; i < checks->count(); ++i)
                checks->item(i)->setCheckState(names.contains(checks->item(i)->text()) ? Qt::Checked : Qt::Unchecked);
        }
    }
    void Enter(const std::vector<std::pair<const char *, const char *>> &values)
    {
        for (const auto &[name, text] : values)
            Type(Edit(name), text);
    }
    QPushButton *Recalculate() { return Dialog->findChild<QPushButton *>("btnRecalculate"); }
    double Angle(int span) { return Dialog->Values().Angles[size_t(span - 1)] * 180 / Pi; }
    double Length(int span) { return Dialog->Values().Lengths[size_t(span - 1)]; }

    TTARVOParameters Parameters;
    TProjectDocument Document{Parameters};
    TScriptedAsk Ask;
    std::unique_ptr<TfrmAutomaticCalculation> Dialog;
};

TEST_F(AutomaticCalculationDialog, DeltaOfThreeEqualLengthsGetsAnglesOf120)
{
    OpenDialog("delta.xml");
    EXPECT_EQ(Dialog->windowTitle(), "Automatic Calculation");
    EXPECT_EQ(HelpContextOf(Dialog.get()), hcAutomaticCalculation);
    EXPECT_NE(Dialog->findChild<QWidget *>("tsDelta"), nullptr);
    EXPECT_EQ(Dialog->findChild<QWidget *>("rgDoubleSolutions"), nullptr);
    EXPECT_EQ(Edit("edtL2")->text(), "60.00");
    EXPECT_FALSE(Recalculate()->isEnabled());
    EXPECT_FALSE(Edit("edtL2")->isEnabled());

    Tick({"L2", "L3", "L5"});
    EXPECT_TRUE(Recalculate()->isEnabled());
    for (const char *name : {"edtL2", "edtL3", "edtL5"})
        EXPECT_TRUE(Edit(name)->isEnabled()) << name;
    EXPECT_FALSE(Edit("edtA2")->isEnabled());
    EXPECT_FALSE(Mark("L2")->isHidden());
    EXPECT_TRUE(Mark("A2")->isHidden());
    Enter({{"edtL2", "100"}, {"edtL3", "100"}, {"edtL5", "100"}});
    Recalculate()->click();
    EXPECT_TRUE(Ask.Asked.empty());
    for (const char *name : {"edtA2", "edtA4", "edtA6"})
        EXPECT_EQ(Edit(name)->text(), "120.00") << name;
    EXPECT_NEAR(Angle(4), 120, 1e-9);
    EXPECT_DOUBLE_EQ(Length(1), 100) << "spans off the ring keep their values";
}

TEST_F(AutomaticCalculationDialog, AmbiguousDeltaAsksAboutTheOtherAngle)
{
    OpenDialog("delta.xml");
    Tick({"L2", "L3", "A4"});
    Enter({{"edtL2", "80"}, {"edtL3", "100"}, {"edtA4", "140"}});
    Ask.Answers = {QMessageBox::No};
    Recalculate()->click();
    ASSERT_EQ(Ask.Asked.size(), 1u);
    EXPECT_EQ(Ask.Asked[0].Text, "Is the angle [A6] greater or equal than 90 degrees?");
    EXPECT_EQ(Ask.Asked[0].Buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_LT(Angle(6), 90) << "No: the corner at A6 is obtuse";
}

TEST_F(AutomaticCalculationDialog, FailedSolveSaysSoAndKeepsWhatWasEntered)
{
    OpenDialog("delta.xml");
    Tick({"L2", "L3", "L5"});
    Enter({{"edtL2", "10"}, {"edtL3", "10"}, {"edtL5", "30"}});
    Recalculate()->click();
    EXPECT_EQ(Ask.LastText(), "Incorrect Data. Calculation not valid.");
    EXPECT_EQ(Ask.Asked.back().Kind, TMessageKind::Error);
    EXPECT_DOUBLE_EQ(Length(5), 30);
    EXPECT_DOUBLE_EQ(Angle(2), 120) << "the angles stay as loaded";

    // A length still 0 gives no NaN angles counted as success.
    Ask.Asked.clear();
    Enter({{"edtL5", "0"}});
    Recalculate()->click();
    EXPECT_EQ(Ask.LastText(), "Incorrect Data. Calculation not valid.");
    EXPECT_DOUBLE_EQ(Angle(2), 120);
    EXPECT_EQ(Edit("edtA2")->text(), "120.00");

    // Reset brings back the sequence's values.
    Dialog->findChild<QPushButton *>("btnReset")->click();
    EXPECT_EQ(Edit("edtL5")->text(), "60.00");
}

TEST_F(AutomaticCalculationDialog, BoxShowsTheSolutionsOnlyWhenTwoFiguresFit)
{
    OpenDialog("box.xml");
    EXPECT_NE(Dialog->findChild<QWidget *>("tsBox"), nullptr);
    auto *solutions = Dialog->findChild<QGroupBox *>("rgDoubleSolutions");
    EXPECT_TRUE(solutions->isHidden());
    Tick({"L2", "L3", "L5", "L7"});
    EXPECT_FALSE(Recalculate()->isEnabled());
    for (const char *name : {"edtL2", "edtL3", "edtL5", "edtL7", "edtA2", "edtA4", "edtA6", "edtA7"})
        EXPECT_FALSE(Edit(name)->isEnabled()) << name;
    Dialog->findChild<QRadioButton *>("rbSolutionB")->setChecked(true);
    Tick({"L2", "L3", "L5", "A2", "A7"});
    EXPECT_FALSE(solutions->isHidden());
    EXPECT_TRUE(Dialog->findChild<QRadioButton *>("rbSolutionA")->isChecked()) << "A when it appears";
    Tick({"L2", "L3", "L5", "A2", "A4"});
    EXPECT_TRUE(solutions->isHidden());

    // Solution B takes the obtuse corner at A6.
    Tick({"L2", "L3", "L5", "A2", "A7"});
    Enter({{"edtL2", "100"}, {"edtL3", "100"}, {"edtL5", "80"}, {"edtA2", "90"}, {"edtA7", "105"}});
    Recalculate()->click();
    EXPECT_GT(Angle(6), 90);
    Dialog->findChild<QRadioButton *>("rbSolutionB")->setChecked(true);
    Recalculate()->click();
    EXPECT_LT(Angle(6), 90);
    EXPECT_TRUE(Ask.Asked.empty());
}

TEST_F(AutomaticCalculationDialog, ParallelSidesAreNamedBeforeTheError)
{
    OpenDialog("box.xml");
    Tick({"L2", "L5", "A2", "A4", "A7"});
    Enter({{"edtA2", "90"}, {"edtA4", "90"}, {"edtA7", "90"}});
    Recalculate()->click();
    ASSERT_EQ(Ask.Asked.size(), 2u);
    EXPECT_EQ(Ask.Asked[0].Kind, TMessageKind::Information);
    EXPECT_EQ(Ask.Asked[0].Text, "This configuration can't be calculated because the two unknown sides are parallel.");
    EXPECT_EQ(Ask.Asked[1].Text, "Incorrect Data. Calculation not valid.");
}

TEST_F(AutomaticCalculationDialog, ANumberThatIsNoneIsNamedAndStopsOk)
{
    OpenDialog("delta.xml");
    Enter({{"edtL3", "-"}});
    Dialog->accept();
    EXPECT_TRUE(Ask.LastText().contains("-"));
    EXPECT_TRUE(Dialog->isVisible());
}

struct TRefusedLength {
    const char *Field;
    const char *Typed;
    QString Message; // how it begins
    QMessageBox::StandardButton Answer;
};

class AutomaticCalculationRefusal : public AutomaticCalculationDialog,
                                    public ::testing::WithParamInterface<TRefusedLength> {};

// OK checks the new lengths with the dialog still open: a refusal keeps
// every tick and value, and OK may be pressed again.
TEST_P(AutomaticCalculationRefusal, KeepsTheDialogOpenWithWhatWasEntered)
{
    const TRefusedLength &c = GetParam();
    OpenDialog("delta.xml");
    Tick({"L2", "L3", "L5"});
    Enter({{"edtL2", "100"}, {"edtL3", "100"}, {"edtL5", "100"}, {c.Field, c.Typed}});
    Ask.Answers = {c.Answer};
    QPushButton *ok = Dialog->findChild<QDialogButtonBox *>("bbButtons")->button(QDialogButtonBox::Ok);
    ok->click();
    EXPECT_TRUE(Ask.LastText().startsWith(c.Message)) << Ask.LastText().toStdString();
    EXPECT_TRUE(Dialog->isVisible());
    EXPECT_NE(Dialog->result(), QDialog::Accepted);
    EXPECT_EQ(Edit("edtL3")->text(), "100");
    EXPECT_EQ(Edit(c.Field)->text(), QLatin1String(c.Typed));
    EXPECT_EQ(Dialog->findChild<QListWidget *>("clbLengths")->item(2)->checkState(), Qt::Checked);
    EXPECT_TRUE(Recalculate()->isEnabled());

    Enter({{c.Field, "100"}});
    ok->click();
    EXPECT_FALSE(Dialog->isVisible());
    EXPECT_EQ(Dialog->result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(Length(2), 100);
}

INSTANTIATE_TEST_SUITE_P(Table, AutomaticCalculationRefusal, ::testing::Values(
    TRefusedLength{"edtL5", "0", "The length of span 5 must be greater than 0.", QMessageBox::NoButton},
    TRefusedLength{"edtL5", "-3", "The length of span 5 must be greater than 0.", QMessageBox::NoButton},
    // Span 2 carries a signal at 30 ft.
    TRefusedLength{"edtL2", "20", "1 signal(s) or sign(s) of span 2 lie at or beyond 20 ft", QMessageBox::Cancel}));

// The main window with a scripted user; a modal dialog a command opens is
// handed to `inDialog` and closed.
class DialogCommands : public ::testing::Test {
protected:
    DialogCommands() : Window(Settings, Ask, {}) { Window.show(); }

    TWireConfigurationList &Project() { return Window.Document().Project(); }
    TWireConfiguration &Shown() { return *Project().FindByNumber(Window.CurrentSequence()); }
    QAction *Command(const char *name) { return Window.findChild<QAction *>(QLatin1String(name)); }
    void TriggerWithDialog(const char *name, const std::function<void(QDialog &)> &inDialog)
    {
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            ++DialogsOpened;
            inDialog(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        Command(name)->trigger();
        QApplication::processEvents(); // the timer must not outlive the command
    }

    TGlobalSetting Settings;
    TScriptedAsk Ask;
    TfrmMain Window;
    int DialogsOpened = 0;
};

TEST_F(DialogCommands, VariableWiresAskFirstAndNoChangesNothing)
{
    ASSERT_TRUE(Window.OpenFile(Example("simple.xml")));
    ASSERT_TRUE(Command("variable_wires")->isEnabled());
    Ask.Answers = {QMessageBox::No};
    TriggerWithDialog("variable_wires", [](QDialog &) {});
    EXPECT_EQ(Ask.LastText(), "Variable wire is not enabled. Do you want to enable it?");
    EXPECT_EQ(Ask.Asked.back().Buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(DialogsOpened, 0);
    EXPECT_FALSE(Shown().VariableWires);
    EXPECT_FALSE(Window.Document().IsModified());

    // A double click on the detail pages' segments asks the same.
    Ask.Answers = {QMessageBox::No};
    Q_EMIT Window.findChild<QTableWidget *>("sgCompositionList")->cellDoubleClicked(0, 0);
    EXPECT_EQ(Ask.Asked.size(), 2u);
    EXPECT_EQ(Ask.LastText(), "Variable wire is not enabled. Do you want to enable it?");

    Ask.Answers = {QMessageBox::Yes};
    QString caption;
    TriggerWithDialog("variable_wires", [&](QDialog &dialog) { caption = dialog.windowTitle(); });
    EXPECT_EQ(DialogsOpened, 1);
    EXPECT_EQ(caption, "Wire Weights Calculation for Span #1");
    EXPECT_TRUE(Shown().VariableWires);
    EXPECT_TRUE(Window.findChild<QCheckBox *>("cbEnableWires")->isChecked());
}

TEST_F(DialogCommands, AutomaticCalculationOnlyForDeltaAndBox)
{
    const char *adds[] = {"", "add_simple", "add_wye", "add_h", "add_delta", "add_hybrid", "add_box"};
    for (int type = stSimple; IsSequenceType(type); ++type) {
        Command(adds[type])->trigger();
        EXPECT_EQ(Command("automatic_calculation")->isEnabled(), type == stDelta || type == stBox) << type;
    }
}

TEST_F(DialogCommands, AutomaticCalculationOkWritesOneUndoableStepAndCancelNothing)
{
    ASSERT_TRUE(Window.OpenFile(Example("delta.xml")));
    const std::string before = Window.Document().Text();
    const auto solveEqualSides = [](QDialog &dialog) {
        for (const char *list : {"clbLengths"}) {
            auto *checks = dialog.findChild<QListWidget *>(QLatin1String(list));
            for (int i = 0; i < checks->count(); ++i)
                checks->item(i)->setCheckState(Qt::Checked);
        }
        for (const char *name : {"edtL2", "edtL3", "edtL5"})
            Type(dialog.findChild<TKorvelEdit *>(QLatin1String(name)), "100");
        dialog.findChild<QPushButton *>("btnRecalculate")->click();
    };
    TriggerWithDialog("automatic_calculation", solveEqualSides); // closed with Cancel
    EXPECT_EQ(Window.Document().Text(), before);

    TriggerWithDialog("automatic_calculation", [&](QDialog &dialog) {
        solveEqualSides(dialog);
        dialog.accept();
    });
    EXPECT_EQ(DialogsOpened, 2);
    EXPECT_DOUBLE_EQ(Shown().Spans.FindByNumber(3)->Length, 100);
    EXPECT_NEAR(Shown().Spans.FindByNumber(6)->Angle, 120, 1e-9);
    EXPECT_EQ(Window.findChild<TKorvelEdit *>("edtL3")->text(), "100.00");
    EXPECT_EQ(Window.Document().UndoStack().count(), 1);
    Window.Document().UndoStack().undo();
    EXPECT_EQ(Window.Document().Text(), before);
}

TEST_F(DialogCommands, AutomaticCalculationOkRefusesALengthOfZero)
{
    ASSERT_TRUE(Window.OpenFile(Example("delta.xml")));
    const std::string before = Window.Document().Text();
    TriggerWithDialog("automatic_calculation", [](QDialog &dialog) {
        Type(dialog.findChild<TKorvelEdit *>("edtL5"), "0");
        dialog.accept();
        EXPECT_TRUE(dialog.isVisible());
    });
    EXPECT_EQ(Ask.LastText(), "The length of span 5 must be greater than 0.");
    EXPECT_EQ(Window.Document().Text(), before);
    EXPECT_EQ(Window.Document().UndoStack().count(), 0);
}

// The solved angles are stored as the solver closed them, not as the two
// decimals the dialog shows: rounded, the figure would no longer close.
TEST_F(DialogCommands, AutomaticCalculationOkKeepsTheSolvedFigureExact)
{
    ASSERT_TRUE(Window.OpenFile(Example("delta.xml")));
    TriggerWithDialog("automatic_calculation", [](QDialog &dialog) {
        auto *checks = dialog.findChild<QListWidget *>("clbLengths");
        for (int i = 0; i < checks->count(); ++i)
            checks->item(i)->setCheckState(Qt::Checked);
        Type(dialog.findChild<TKorvelEdit *>("edtL2"), "100");
        Type(dialog.findChild<TKorvelEdit *>("edtL3"), "110");
        Type(dialog.findChild<TKorvelEdit *>("edtL5"), "120");
        dialog.findChild<QPushButton *>("btnRecalculate")->click();
        dialog.accept();
    });
    const double a2 = Shown().Spans.FindByNumber(2)->Angle;
    EXPECT_GT(std::abs(a2 - std::round(a2 * 100) / 100), 1e-6) << "stored rounded: " << a2;
    EXPECT_TRUE(TGeometry::IsValid(Shown()));
}

TEST_F(DialogCommands, ImportStandsInTheFileMenuAndItsFirstSaveAsksForAName)
{
    QAction *import = Command("import");
    ASSERT_NE(import, nullptr);
    EXPECT_EQ(import->text(), "&Import...");
    EXPECT_TRUE(import->toolTip().contains("*.sws"));
    QMenu *file = Window.menuBar()->findChildren<QMenu *>().front();
    EXPECT_TRUE(file->actions().contains(import));

    test::ScratchFolder folder;
    std::filesystem::copy_file(Example("legacy.sws").toStdString(), folder.Path("legacy.sws"));
    folder.Write("legacy.xml", "an earlier project");
    Ask.FileNames = {QString::fromStdString(folder.Path("legacy.sws"))};
    import->trigger();
    ASSERT_FALSE(Project().Empty());
    EXPECT_EQ(Project().FileName, folder.Path("legacy.xml"));

    // Save offers the file dialog; the name already there is not overwritten unasked.
    Ask.FileNames = {QString::fromStdString(folder.Path("legacy.xml"))};
    Ask.Answers = {QMessageBox::No};
    Command("save")->trigger();
    EXPECT_EQ(Ask.FileDialogsShown, 2);
    EXPECT_TRUE(Ask.LastText().startsWith("A file <"));
    EXPECT_EQ(folder.Read("legacy.xml"), "an earlier project");

    Ask.FileNames = {QString::fromStdString(folder.Path("legacy.xml"))};
    Ask.Answers = {QMessageBox::Yes};
    Command("save")->trigger();
    EXPECT_NE(folder.Read("legacy.xml"), "an earlier project");
    EXPECT_FALSE(Window.Document().IsModified());
    Command("save")->trigger(); // now saved under its name: no dialog
    EXPECT_EQ(Ask.FileDialogsShown, 3);
}

TEST_F(DialogCommands, ImportOfADamagedFileSaysSoAndKeepsTheProject)
{
    ASSERT_TRUE(Window.OpenFile(Example("h.xml")));
    test::ScratchFolder folder;
    folder.Write("broken.sws", "not a project\n");
    Ask.FileNames = {QString::fromStdString(folder.Path("broken.sws"))};
    Command("import")->trigger();
    EXPECT_TRUE(Ask.LastText().startsWith(QStringLiteral("Cannot open <%1>. The file is not a TARVO file or it is corrupted.")
                                              .arg(QString::fromStdString(folder.Path("broken.sws")))));
    EXPECT_EQ(Project().FileName, Example("h.xml").toStdString());
}

} // namespace
