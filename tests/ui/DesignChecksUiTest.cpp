// The span wire and the allowable moments as the user enters them, and the
// checks and the SAG study in the result window.
#include "CombinationResultFRM.h"
#include "DisplayResultFRM.h"
#include "KorvelEditComp.h"
#include "MainFRM.h"
#include "../support/Examples.h"
#include "../support/ScriptedAsk.h"
#include "uCalculationRun.h"
#include "uDesignChecks.h"
#include "uGlobalSettings.h"
#include "uProjectDocument.h"
#include "uResultGrid.h"
#include "uSagStudyWidget.h"
#include "uWires.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

using namespace corvadel;
using corvadel::test::Example;
using corvadel::test::TScriptedAsk;

namespace {

TGlobalSetting &WithCatalogue(TGlobalSetting &settings)
{
    settings.CodeList.Load(CORVADEL_SOURCE_DIR "/data/CodeList.xml");
    return settings;
}

class DesignEntry : public ::testing::Test {
protected:
    DesignEntry()
        : Window(WithCatalogue(Settings), Ask, {[](QWidget *, const TWireConfigurationList &, const TGlobalSetting &, int) {},
                                                [](QWidget *, const QString &) {}})
    {
        Window.show();
        QApplication::setActiveWindow(&Window);
        EXPECT_TRUE(Window.OpenFile(Example("box.xml")));
    }

    TWireConfiguration &Shown() { return *Window.Document().Project().FindByNumber(Window.CurrentSequence()); }
    template<class Widget>
    Widget *Child(const char *name)
    {
        auto *found = Window.findChild<Widget *>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void Page(int index) { Child<QTabWidget>("pgDetail")->setCurrentIndex(index); }
    void Enter(const char *name, const QString &text)
    {
        auto *field = Child<TKorvelEdit>(name);
        field->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), field);
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, text);
        Child<QWidget>("tvSpanWireList")->setFocus();
    }
    void Trigger(const char *action) { Child<QAction>(action)->trigger(); }

    TGlobalSetting Settings;
    TScriptedAsk Ask;
    TfrmMain Window;
};

TEST_F(DesignEntry, ChoosingASpanWireSetsItsWeightInOneStepAndAnotherWeightClearsIt)
{
    const std::string before = Window.Document().Text();
    const double weight = Shown().WireWeight;
    Page(2);
    auto *combo = Child<QComboBox>("cbSpanWire");
    ASSERT_EQ(combo->count(), 16) << "(not given) and the fifteen strands";
    EXPECT_EQ(combo->currentText(), "(not given)");
    EXPECT_EQ(combo->itemText(3), "3/8\" EHS");

    combo->setFocus();
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(Shown().SpanWire, "EHS-3/8");
    EXPECT_EQ(Shown().WireWeight, 0.273);
    EXPECT_EQ(Child<TKorvelEdit>("edtWireWeight")->text(), "0.27");
    EXPECT_EQ(combo->currentText(), "3/8\" EHS");

    // Three choices on the way, one step each; taken back to the file's bytes.
    Trigger("undo");
    EXPECT_EQ(Shown().SpanWire, "EHS-5/16");
    Trigger("undo");
    Trigger("undo");
    EXPECT_EQ(Shown().SpanWire, "");
    EXPECT_EQ(Shown().WireWeight, weight);
    EXPECT_EQ(Window.Document().Text(), before);
    Trigger("redo");
    Trigger("redo");
    Trigger("redo");
    EXPECT_EQ(Shown().SpanWire, "EHS-3/8");

    // The same weight again keeps the choice; another one clears it.
    Enter("edtWireWeight", "0.273");
    EXPECT_EQ(Shown().SpanWire, "EHS-3/8");
    Enter("edtWireWeight", "0.3");
    EXPECT_EQ(Shown().SpanWire, "");
    EXPECT_EQ(combo->currentText(), "(not given)");
}

TEST_F(DesignEntry, ACodeTheCatalogueLacksIsKeptAndShown)
{
    Window.Document().Edit("test", TStepScope::OfSequence(Shown().Number),
                           [this](TWireConfigurationList &) { Shown().SetSpanWire("OLD-9"); });
    Page(2);
    EXPECT_EQ(Child<QComboBox>("cbSpanWire")->currentText(), "(unknown code OLD-9)");
    EXPECT_EQ(Shown().SpanWire, "OLD-9");
}

TEST_F(DesignEntry, AllowableMomentsAreEnteredBesideTheBaseElevations)
{
    Page(1);
    for (const char *name : {"edtMomentPole1", "edtMomentPole2", "edtMomentPole3", "edtMomentPole4"})
        EXPECT_TRUE(Child<TKorvelEdit>(name)->isVisible()) << name;
    EXPECT_FALSE(Child<TKorvelEdit>("edtMomentPole5")->isVisible()) << "a Box has four poles";
    EXPECT_EQ(Child<TKorvelEdit>("edtMomentPole2")->text(), "") << "not given";

    const int steps = Window.Document().UndoStack().count();
    Enter("edtMomentPole2", "45000");
    EXPECT_EQ(Shown().Poles.FindByNumber(2)->AllowableMoment, 45000);
    EXPECT_EQ(Window.Document().UndoStack().count(), steps + 1);
    EXPECT_NE(Window.Document().Text().find("<POLE_NUMBER>2</POLE_NUMBER>\r\n<ALLOWABLE_MOMENT>45000</ALLOWABLE_MOMENT>"),
              std::string::npos);

    Enter("edtMomentPole2", "-5");
    EXPECT_EQ(Ask.LastText(), "Allowable Base Moment of Pole 2: -5 is below 0; leave the field empty when not given.");
    EXPECT_EQ(Shown().Poles.FindByNumber(2)->AllowableMoment, 45000);
    Enter("edtMomentPole2", "4-5");
    EXPECT_EQ(Ask.LastText(), "Allowable Base Moment of Pole 2: '4-5' is not a valid floating point value");

    Enter("edtMomentPole2", "");
    EXPECT_EQ(Shown().Poles.FindByNumber(2)->AllowableMoment, 0) << "emptied: not given";
    EXPECT_EQ(Child<TKorvelEdit>("edtMomentPole2")->text(), "");
    Trigger("undo");
    EXPECT_EQ(Shown().Poles.FindByNumber(2)->AllowableMoment, 45000);
}

class ResultChecks : public ::testing::Test {
protected:
    TGlobalSetting Settings;
    TWireConfigurationList Project{WithCatalogue(Settings).Parameters, &Settings.CodeList};
};

TEST_F(ResultChecks, PoleRowWireLineAndStudyFollowTheShownSequence)
{
    ASSERT_TRUE(Project.Open(Example("wye.xml").toStdString()));
    TWireConfiguration &wye = *Project.First();
    wye.SetSpanWire("EHS-1/4");
    ASSERT_TRUE(TCalculationRun::RunCalculation(Project));
    {
        TfrmDisplayResult window(Project, Settings);
        auto *poles = window.findChild<TResultGrid *>("sgPoleResults");
        EXPECT_EQ(poles->rowCount(), 4) << "no allowable moment: no usage row";
        EXPECT_EQ(window.findChild<QLabel *>("lblWireCheck")->text().left(26), "Wire: 1/4\" EHS, breaking s");
    }
    const double moment = wye.Results.First()->PoleResults.FindByPoleNumber(2)->BaseMoment;
    wye.Poles.FindByNumber(2)->SetAllowableMoment(moment * 2);
    TfrmDisplayResult window(Project, Settings);
    auto *poles = window.findChild<TResultGrid *>("sgPoleResults");
    ASSERT_EQ(poles->rowCount(), 5);
    EXPECT_EQ(poles->verticalHeaderItem(4)->text(), "Base Moment Used (%)");
    EXPECT_EQ(poles->Cell(4, 0), "");
    EXPECT_EQ(poles->Cell(4, 1), "50.0");

    auto *study = window.findChild<TSagStudyWidget *>("pbSagStudy");
    ASSERT_NE(study, nullptr);
    EXPECT_FALSE(study->Study().has_value()) << "calculated only once the page is open";
    window.findChild<QTabWidget *>("pcResultPages")->setCurrentIndex(2);
    ASSERT_TRUE(study->Study().has_value());
    EXPECT_EQ(study->Study()->Points.size(), 41u);
    EXPECT_EQ(study->Study()->SmallestAllowable, moment * 2);
    window.resize(1000, 800);
    window.grab(); // paints without trouble

    // The window is filled again after the next calculation: so is the study.
    wye.Poles.FindByNumber(2)->SetAllowableMoment(moment * 3);
    ASSERT_TRUE(TCalculationRun::RunCalculation(Project));
    window.ShowProject(1);
    window.findChild<QTabWidget *>("pcResultPages")->setCurrentIndex(2);
    EXPECT_EQ(study->Study()->SmallestAllowable, moment * 3);
}

TEST_F(ResultChecks, CombinationResultsCheckTheSharedPoles)
{
    ASSERT_TRUE(Project.Open(Example("intersection.xml").toStdString()));
    ASSERT_GT(Project.Combinations.Count(), 0);
    ASSERT_TRUE(TCalculationRun::RunCalculation(Project));
    {
        TfrmCombinationResult window(Project, true, Settings);
        EXPECT_FALSE(window.findChild<QLabel *>("lblMomentChecks")->isVisibleTo(&window));
    }
    const TCombination &first = *Project.Combinations.First();
    Project.FindByNumber(first.SequenceA)->Poles.FindByNumber(first.PoleA)->SetAllowableMoment(1);
    TfrmCombinationResult window(Project, true, Settings);
    auto *checks = window.findChild<QLabel *>("lblMomentChecks");
    EXPECT_TRUE(checks->isVisibleTo(&window));
    EXPECT_TRUE(checks->text().startsWith(QStringLiteral("Pole %1 of sequence %2 with pole %3 of sequence %4: ")
                                              .arg(first.PoleA)
                                              .arg(first.SequenceA)
                                              .arg(first.PoleB)
                                              .arg(first.SequenceB)))
        << checks->text().toStdString();
    EXPECT_TRUE(checks->text().endsWith("of the smaller allowable base moment, 1.00 ft-lbs; exceeded"));
}

} // namespace
