// The result, combination, warp and error windows on calculated examples.
#include "CombinationResultFRM.h"
#include "DisplayResultFRM.h"
#include "ErrorMessageFRM.h"
#include "KorvelEditComp.h"
#include "MainFRM.h"
#include "WarpResultFRM.h"
#include "../support/NamedCase.h"
#include "../support/ScriptedAsk.h"
#include "uCalculationRun.h"
#include "uCombination.h"
#include "uGlobalSettings.h"
#include "uResultGrid.h"
#include "uResultQuantities.h"
#include "uResultWindows.h"
#include "uWires.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>
#include <map>

using namespace corvadel;
using corvadel::test::TNamedCase;

namespace {

std::string Example(const char *name)
{
    return std::string(CORVADEL_SOURCE_DIR "/examples/") + name;
}

class ResultWindow : public ::testing::Test {
protected:
    // Opens and calculates an example; `before` may change it first.
    void Calculate(const char *example, const std::function<void(TWireConfigurationList &)> &before = {})
    {
        ASSERT_TRUE(Project.Open(Example(example)));
        if (before)
            before(Project);
        ASSERT_TRUE(TCalculationRun::RunCalculation(Project));
    }
    TfrmDisplayResult &Window()
    {
        if (!Shown)
            Shown = std::make_unique<TfrmDisplayResult>(Project, Settings);
        return *Shown;
    }
    template<class Widget = QWidget>
    Widget *Child(const char *name)
    {
        Widget *found = Window().findChild<Widget *>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QString Panel(int i) { return Child<QLabel>(QStringLiteral("stPanel%1").arg(i).toLatin1())->text(); }
    TResultGrid *Grid(const char *name) { return Child<TResultGrid>(name); }
    QStringList Tabs()
    {
        QStringList tabs;
        auto *bar = Child<QTabBar>("tbSAG");
        for (int i = 0; i < bar->count(); ++i)
            tabs << bar->tabText(i);
        return tabs;
    }

    TGlobalSetting Settings;
    TWireConfigurationList Project {Settings.Parameters};
    std::unique_ptr<TfrmDisplayResult> Shown;
};

struct BalanceCase : TNamedCase {
    const char *Example;
    double Rotation;
    bool AnglesChanged;
    const char *Sentence;
};

class ResultWindowBalance : public ResultWindow, public ::testing::WithParamInterface<BalanceCase> {};

TEST_P(ResultWindowBalance, StatusPanelSaysHowToBalance)
{
    const BalanceCase &c = GetParam();
    Calculate(c.Example);
    TWireConfigurationResult &result = *Project.Objects(0)->Results.FindByAtMaxSAG(true);
    result.Rotation = c.Rotation;
    result.AnglesChanged = c.AnglesChanged;
    EXPECT_EQ(Panel(1), c.Sentence);
    EXPECT_EQ(Panel(3), "OK");
    EXPECT_EQ(Child<QPushButton>("btnWarpResult")->isHidden(), !c.AnglesChanged);
}

INSTANTIATE_TEST_SUITE_P(Table, ResultWindowBalance, ::testing::Values(
    BalanceCase{{"BoxWithinOneDegree"}, "box.xml", 0.5, false, "System is in balance"},
    BalanceCase{{"BoxAtOneDegree"}, "box.xml", -1, false, "System is in balance"},
    BalanceCase{{"BoxAnglesChanged"}, "box.xml", 0.2, true, "System is in balance (Input Angles Changed)"},
    BalanceCase{{"BoxCounterclockwise"}, "box.xml", -2.25, false,
                "For system balance rotate pole two 2.25 degree(s) counterclockwise"},
    BalanceCase{{"BoxJustPastOneDegree"}, "box.xml", -1.004, false,
                "For system balance rotate pole two 1.00 degree(s) counterclockwise"},
    BalanceCase{{"DeltaClockwise"}, "delta.xml", 3, false,
                "For system balance rotate pole two 3.00 degree(s) clockwise"},
    BalanceCase{{"WyeSaysNothing"}, "wye.xml", 5, false, ""},
    BalanceCase{{"SimpleSaysNothing"}, "simple.xml", -7, false, ""}),
    corvadel::test::CaseName());

struct FormatCase : TNamedCase {
    double Value;
    int Width, Digits;
    const char *Text;
};

class ResultFormats : public ::testing::TestWithParam<FormatCase> {};

TEST_P(ResultFormats, FixedTextKeepsItsDecimals)
{
    const FormatCase &c = GetParam();
    EXPECT_EQ(FixedText(c.Value, c.Width, c.Digits), c.Text);
}

INSTANTIATE_TEST_SUITE_P(Table, ResultFormats, ::testing::Values(
    FormatCase{{"RelationOfOne"}, 1, 8, 5, "1.00000"},
    FormatCase{{"Relation"}, 0.4321987, 8, 5, "0.43220"},
    FormatCase{{"NegativeDifference"}, -3.456, 8, 2, "-3.46"},
    FormatCase{{"Tension"}, 1234.5678, 8, 3, "1234.568"},
    FormatCase{{"Moment"}, 350248.627, 10, 2, "350248.63"},
    FormatCase{{"Zero"}, 0, 8, 2, "0.00"}),
    corvadel::test::CaseName());

TEST_F(ResultWindow, GridsCarryTheirHeadersAndFormats)
{
    Calculate("box.xml");
    TResultGrid *spans = Grid("sgSpanResults");
    QAbstractItemModelTester spanModel(spans->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    const TWireConfigurationResult &result = *Project.Objects(0)->Results.FindByAtMaxSAG(true);
    ASSERT_EQ(spans->rowCount(), 5);
    ASSERT_EQ(spans->columnCount(), 8);
    EXPECT_EQ(spans->horizontalHeaderItem(7)->text(), "Span 8");
    EXPECT_EQ(spans->verticalHeaderItem(0)->text(), "Tension Relations");
    EXPECT_EQ(spans->verticalHeaderItem(4)->text(), "SAG below End of Span (ft)");
    const QRegularExpression fiveDecimals("^-?\\d+\\.\\d{5}$"), twoDecimals("^-?\\d+\\.\\d{2}$"),
        threeDecimals("^-?\\d+\\.\\d{3}$");
    for (int column = 0; column < 8; ++column) {
        EXPECT_TRUE(fiveDecimals.match(spans->Cell(0, column)).hasMatch()) << spans->Cell(0, column).toStdString();
        for (int row = 1; row < 5; ++row)
            EXPECT_TRUE(twoDecimals.match(spans->Cell(row, column)).hasMatch()) << spans->Cell(row, column).toStdString();
    }
    EXPECT_EQ(spans->Cell(4, 2).toDouble(), std::round(result.SpanResults.FindBySpanNumber(3)->SAG * 100) / 100);

    TResultGrid *poles = Grid("sgPoleResults");
    ASSERT_EQ(poles->rowCount(), 4);
    ASSERT_EQ(poles->columnCount(), 4); // the box's ring has no column
    EXPECT_EQ(poles->horizontalHeaderItem(0)->text(), "Pole 1");
    EXPECT_EQ(poles->verticalHeaderItem(3)->text(), "Base Moment (ft-lbs)");
    EXPECT_TRUE(threeDecimals.match(poles->Cell(0, 0)).hasMatch()) << poles->Cell(0, 0).toStdString();
    EXPECT_TRUE(twoDecimals.match(poles->Cell(3, 3)).hasMatch()) << poles->Cell(3, 3).toStdString();
    EXPECT_NEAR(poles->Cell(3, 1).toDouble(), result.PoleResults.FindByPoleNumber(2)->BaseMoment, 0.006);

    EXPECT_EQ(Child<QLineEdit>("edtMaxWireLoad")->text().toStdString(), NumericText(result.MaxWireLoad));
    EXPECT_EQ(Child<QLineEdit>("edtHLDistance")->text().toStdString(), NumericText(result.SystemSAG));
    EXPECT_EQ(Window().windowTitle(), "Results");
}

TEST_F(ResultWindow, SignalHeightsLeaveSpansWithoutSignalsEmpty)
{
    Calculate("box.xml"); // spans 4 and 6 carry nothing
    TResultGrid *signals = Grid("sgSignalResults");
    EXPECT_FALSE(Child("pnlSignalHeight")->isHidden());
    ASSERT_EQ(signals->rowCount(), 2);
    EXPECT_EQ(signals->verticalHeaderItem(0)->text(), "Weight 1");
    EXPECT_EQ(signals->verticalHeaderItem(1)->text(), "Weight 2");
    EXPECT_FALSE(signals->Cell(0, 0).isEmpty());
    EXPECT_FALSE(signals->Cell(1, 1).isEmpty());
    EXPECT_TRUE(signals->Cell(1, 0).isEmpty());
    for (int row = 0; row < 2; ++row) {
        EXPECT_TRUE(signals->Cell(row, 3).isEmpty());
        EXPECT_TRUE(signals->Cell(row, 5).isEmpty());
    }
}

TEST_F(ResultWindow, SignalPanelHiddenAndUnfilledWithoutRelativeSignal)
{
    Settings.Parameters.RelativeSignal = false;
    Calculate("box.xml");
    EXPECT_TRUE(Child("pnlSignalHeight")->isHidden());
    TResultGrid *signals = Grid("sgSignalResults");
    for (int row = 0; row < signals->rowCount(); ++row)
        for (int column = 0; column < signals->columnCount(); ++column)
            EXPECT_TRUE(signals->Cell(row, column).isEmpty());
}

TEST_F(ResultWindow, OneTabWhenBothSagsAreEqual)
{
    Calculate("intersection.xml", [](TWireConfigurationList &project) {
        project.Objects(1)->MinSAG = project.Objects(1)->MaxSAG;
    });
    EXPECT_EQ(Tabs(), QStringList({"Max. SAG", "Min. SAG"}));
    auto *sequences = Child<QComboBox>("cbSequenceList");
    ASSERT_EQ(sequences->count(), 3);
    EXPECT_EQ(sequences->itemText(1).toStdString(), Project.Objects(1)->DisplayName());
    sequences->setCurrentIndex(1);
    EXPECT_EQ(Tabs(), QStringList({"Max. SAG"}));
    EXPECT_EQ(Window().ShownSequence(), Project.Objects(1));
    EXPECT_EQ(Grid("sgSpanResults")->columnCount(), 1);
}

// A project of many long names: the selector is not as wide as the longest,
// and the name shown whole in its tool tip.
TEST_F(ResultWindow, SequenceSelectorIsNotSizedByItsLongestName)
{
    const std::string longName(200, 'W');
    Calculate("intersection.xml",
              [&](TWireConfigurationList &project) { project.Objects(2)->Identification = longName; });
    auto *sequences = Child<QComboBox>("cbSequenceList");
    const QString shown = QString::fromStdString(Project.Objects(2)->DisplayName());
    EXPECT_LT(sequences->sizeHint().width(), sequences->fontMetrics().horizontalAdvance(shown) / 2);
    sequences->setCurrentIndex(2);
    EXPECT_EQ(sequences->toolTip(), shown);
}

TEST_F(ResultWindow, MinSagTabShowsTheMinimumResult)
{
    Calculate("box.xml");
    Child<QTabBar>("tbSAG")->setCurrentIndex(1);
    const TWireConfigurationResult *shown = Window().ShownResult();
    ASSERT_NE(shown, nullptr);
    EXPECT_FALSE(shown->AtMaxSAG);
    EXPECT_EQ(Child<QLineEdit>("edtHLDistance")->text().toStdString(), NumericText(shown->SystemSAG));
}

TEST_F(ResultWindow, WarningShowsTheDesignFactorOnlyWhenTheCalculatedOneIsBelow)
{
    for (double designFactor : {100.0, 0.5}) {
        SCOPED_TRACE(designFactor);
        Shown.reset();
        Project.FreeAll();
        Settings.Parameters.DesignFactor = designFactor;
        Calculate("box.xml");
        auto *warning = Child<QLabel>("lblWarning");
        EXPECT_EQ(warning->isHidden(), designFactor < 1);
        EXPECT_EQ(warning->text(), "Warning: using default " + QString::number(designFactor));
    }
}

TEST_F(ResultWindow, CombinationButtonOnlyWithCombinations)
{
    Calculate("box.xml");
    EXPECT_TRUE(Child("btnCombinations")->isHidden());
    Shown.reset();
    Project.FreeAll();
    Calculate("intersection.xml");
    EXPECT_FALSE(Child("btnCombinations")->isHidden());
}

TEST_F(ResultWindow, ButtonsOpenTheCombinationAndWarpWindows)
{
    Calculate("intersection.xml");
    QStringList opened;
    Window().ShowModal = [&](QDialog &dialog) { opened << dialog.windowTitle(); };
    Child<QPushButton>("btnCombinations")->click();
    Child<QTabBar>("tbSAG")->setCurrentIndex(1);
    Child<QPushButton>("btnCombinations")->click();
    Child<QPushButton>("btnWarpResult")->click();
    EXPECT_EQ(opened, QStringList({"Combination Result [MAX SAG]", "Combination Result [MIN SAG]", "Warp Results"}));
}

// examples/box.xml with A1 = 20 and the adjustment on: the button opens the
// balanced plan, span 8 turned about pole two and spans 2 and 7 resized.
TEST_F(ResultWindow, WarpResultsShowTheBalancedPlan)
{
    Calculate("box.xml", [](TWireConfigurationList &project) {
        project.Objects(0)->Spans.SetAngleOf(1, 20);
        project.Objects(0)->SetBoxWarp(true);
    });
    Window().show();
    EXPECT_EQ(Panel(1), "System is in balance (Input Angles Changed)");
    std::map<QString, QString> fields;
    Window().ShowModal = [&](QDialog &dialog) {
        for (const QLineEdit *field : dialog.findChildren<QLineEdit *>())
            fields[field->objectName()] = field->text();
    };
    QTest::mouseClick(Child<QPushButton>("btnWarpResult"), Qt::LeftButton);
    const std::map<QString, QString> expected = {
        {"edtA1", "20.00"}, {"edtA2", "97.95"}, {"edtA7", "95.00"}, {"edtA8", "61.04"},
        {"edtL1", "100.00"}, {"edtL2", "60.16"}, {"edtL7", "42.77"}, {"edtL8", "90.00"},
        {"edtRotPole1", "0.00"}, {"edtRotPole2", "8.09"}};
    for (const auto &[name, text] : expected)
        EXPECT_EQ(fields[name], text) << name.toStdString();
}

// Ring angles of 362 degrees close no plan: the balance sentence alone would
// pass the results as exact.
TEST_F(ResultWindow, APlanThatDoesNotCloseIsSaidUnderTheResults)
{
    Calculate("box.xml", [](TWireConfigurationList &project) { project.Objects(0)->Spans.SetAngleOf(7, 92); });
    Window().show();
    auto *warnings = Child<QPlainTextEdit>("memPlausibility");
    EXPECT_TRUE(warnings->isVisible());
    EXPECT_TRUE(warnings->toPlainText().contains(QString::fromUtf8(
        "the plan does not close (A2 + A4 + A6 + A7 = 362.00\u00B0, 360\u00B0 needed; pole distances cannot be "
        "computed); the results are approximate.")))
        << warnings->toPlainText().toStdString();
}

TEST_F(ResultWindow, CombinationWithoutAResultForTheCaseShowsEmptyCells)
{
    // The first combination joins sequences 1 and 2: without a minimum-SAG
    // result for 2 it has none for that case.
    Calculate("intersection.xml", [](TWireConfigurationList &project) {
        project.FindByNumber(project.Combinations.Objects(0)->SequenceB)->MinSAG =
            project.FindByNumber(project.Combinations.Objects(0)->SequenceB)->MaxSAG;
    });
    for (bool atMaxSAG : {true, false}) {
        SCOPED_TRACE(atMaxSAG);
        TfrmCombinationResult window(Project, atMaxSAG, Settings);
        auto *grid = window.findChild<TResultGrid *>("sgCombinationResults");
        ASSERT_NE(grid, nullptr);
        QAbstractItemModelTester model(grid->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        ASSERT_EQ(grid->rowCount(), Project.Combinations.Count());
        ASSERT_EQ(grid->columnCount(), 7);
        const TCombination &first = *Project.Combinations.Objects(0);
        EXPECT_EQ(grid->Cell(0, 0), QString::number(first.PoleA));
        EXPECT_EQ(grid->Cell(0, 3), QString::number(first.SequenceB));
        EXPECT_EQ(grid->Cell(0, 4).toStdString(), FixedText(first.ABAngle, 10, 3));
        EXPECT_EQ(grid->Cell(0, 5).isEmpty(), !atMaxSAG);
        EXPECT_EQ(grid->Cell(0, 6).isEmpty(), !atMaxSAG);
        if (atMaxSAG) {
            EXPECT_EQ(grid->Cell(0, 5).toStdString(),
                      FixedText(first.Results.FindByAtMaxSAG(true)->CombinedMoment, 10, 3));
        }
    }
}

TEST_F(ResultWindow, CombinationWarningIsTheOneOfTheCaseShown)
{
    Calculate("intersection.xml");
    Project.ClearCombinationWarnings();
    Project.SetCombinationWarning(true);
    for (bool atMaxSAG : {true, false}) {
        TfrmCombinationResult window(Project, atMaxSAG, Settings);
        EXPECT_EQ(window.findChild<QWidget *>("pnlWarning")->isHidden(), !atMaxSAG) << atMaxSAG;
    }
}

TEST(WarpResult, AnglesLengthsAndRotationsGoToTheFieldsOfTheirNumbers)
{
    TWireConfigurationResult result;
    for (int n = 8; n >= 1; --n) {
        auto span = std::make_unique<TBaseWireResult>();
        span->SpanNumber = n;
        span->PlanDirection = 10 * n + 0.126;
        span->PlanLength = 100 * n + 0.004;
        result.SpanResults.Add(std::move(span));
    }
    for (int n = 1; n <= 4; ++n) {
        auto pole = std::make_unique<TBasePoleResult>();
        pole->PoleNumber = n;
        pole->CalculatedPlanAngle = 90 + n;
        pole->PlanAngle = 90;
        result.PoleResults.Add(std::move(pole));
    }
    TfrmWarpResult window(result);
    EXPECT_EQ(window.windowTitle(), "Warp Results");
    for (int n = 1; n <= 8; ++n) {
        EXPECT_EQ(window.findChild<QLineEdit *>(QStringLiteral("edtA%1").arg(n))->text(),
                  QString::number(10 * n) + ".13");
        EXPECT_EQ(window.findChild<QLineEdit *>(QStringLiteral("edtL%1").arg(n))->text(),
                  QString::number(100 * n) + ".00");
    }
    EXPECT_EQ(window.findChild<QGroupBox *>("gbNewLengths")->title(), "New Lengths");
    for (int n = 1; n <= 4; ++n)
        EXPECT_EQ(window.findChild<QLineEdit *>(QStringLiteral("edtRotPole%1").arg(n))->text(),
                  QString::number(n) + ".00");
}

// The windows that only show close by a button of their own, by Return as
// by Esc.
TEST_F(ResultWindow, EachWindowClosesByItsButtonReturnOrEsc)
{
    Calculate("intersection.xml");
    const TWireConfigurationResult &result = *Project.First()->Results.FindByAtMaxSAG(true);
    const std::function<std::unique_ptr<QDialog>()> windows[] = {
        [&] { return std::make_unique<TfrmDisplayResult>(Project, Settings); },
        [&] { return std::make_unique<TfrmCombinationResult>(Project, true, Settings); },
        [&] { return std::make_unique<TfrmWarpResult>(result); },
    };
    for (const auto &open : windows) {
        for (const auto key : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_unknown}) {
            const std::unique_ptr<QDialog> window = open();
            SCOPED_TRACE(window->objectName().toStdString());
            window->show();
            QApplication::setActiveWindow(window.get());
            auto *close = window->findChild<QPushButton *>("btnClose");
            ASSERT_NE(close, nullptr);
            EXPECT_EQ(close->text(), "Close");
            EXPECT_TRUE(close->isDefault());
            if (key == Qt::Key_unknown)
                close->click();
            else
                QTest::keyClick(window.get(), key);
            EXPECT_FALSE(window->isVisible()) << key;
        }
    }
    EXPECT_EQ(Panel(3), "OK");
    EXPECT_EQ(Child<QLabel>("stPanel3")->frameShadow(), QFrame::Sunken) << "a status, not a button";
}

TEST(ErrorMessage, ShowsTheListingReadOnly)
{
    TfrmErrorMessage window("Sequence 1\n\nNo length", true);
    EXPECT_EQ(window.windowTitle(), "Error Message");
    auto *errors = window.findChild<QPlainTextEdit *>("mmErrors");
    ASSERT_NE(errors, nullptr);
    EXPECT_TRUE(errors->isReadOnly());
    EXPECT_EQ(errors->toPlainText(), "Sequence 1\n\nNo length");
}

TEST_F(ResultWindow, CtrlCCopiesSelectedRowsOrTheWholeGridWithHeaders)
{
    Calculate("intersection.xml");
    Window().show();
    TResultGrid *poles = Grid("sgPoleResults");
    QApplication::clipboard()->clear();
    QTest::keyClick(poles, Qt::Key_C, Qt::ControlModifier);
    QStringList lines = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0], "\tPole 1\tPole 2\tPole 3");
    EXPECT_EQ(lines[4], "Base Moment (ft-lbs)\t" + poles->Cell(3, 0) + '\t' + poles->Cell(3, 1) + '\t' + poles->Cell(3, 2));

    poles->selectRow(1);
    QTest::keyClick(poles, Qt::Key_C, Qt::ControlModifier);
    lines = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[1].startsWith("Attachment Height above Pole Base (ft)\t"));
}

TEST(ResultGrid, CopyOfAGridWithHiddenHeadersStillNamesItsColumns)
{
    TResultGrid grid("sgTest");
    grid.horizontalHeader()->hide();
    grid.verticalHeader()->hide();
    grid.SetColumnHeaders({"A", "B"});
    grid.setRowCount(2);
    grid.SetCell(0, 0, "1");
    grid.SetCell(1, 1, "2");
    EXPECT_EQ(grid.CopyText(), "A\tB\n1\t\n\t2\n");
}

class MainWindowResults : public ::testing::Test {
protected:
    MainWindowResults()
        : Window(Settings, Ask, ResultWindows(Settings, [this](QDialog &dialog) {
              Opened << dialog.objectName();
              if (auto *errors = dialog.findChild<QPlainTextEdit *>("mmErrors"))
                  Listing = errors->toPlainText();
              if (auto *sequences = dialog.findChild<QComboBox *>("cbSequenceList"))
                  Sequences = sequences->count();
              if (auto *results = qobject_cast<TfrmDisplayResult *>(&dialog))
                  ShownSequence = results->ShownSequence()->Number;
          }))
    {
        Window.show();
        QApplication::setActiveWindow(&Window);
    }

    TGlobalSetting Settings;
    corvadel::test::TScriptedAsk Ask;
    QStringList Opened;
    QString Listing;
    int Sequences = 0;
    int ShownSequence = 0;
    TfrmMain Window;
};

TEST_F(MainWindowResults, F9OpensTheResultsOnTheSequenceShown)
{
    ASSERT_TRUE(Window.OpenFile(QString::fromStdString(Example("intersection.xml"))));
    auto *tree = Window.findChild<QTreeWidget *>("tvSpanWireList");
    tree->setFocus();
    tree->setCurrentItem(tree->topLevelItem(0)->child(0));
    for (int shown : {1, 2, 3}) {
        QTest::keyClick(&Window, Qt::Key_F9);
        EXPECT_EQ(ShownSequence, shown);
        QTest::keyClick(tree, Qt::Key_Down);
    }
}

TEST_F(MainWindowResults, F9OpensTheResultWindowOrTheErrorWindow)
{
    ASSERT_TRUE(Window.OpenFile(QString::fromStdString(Example("intersection.xml"))));
    QTest::keyClick(&Window, Qt::Key_F9);
    EXPECT_EQ(Opened, QStringList({"frmDisplayResult"}));
    EXPECT_EQ(Sequences, 3);
    Window.findChild<QAction *>("add_simple")->trigger(); // no length: cannot be calculated
    Window.findChild<QAction *>("calculate")->trigger();
    EXPECT_EQ(Opened, QStringList({"frmDisplayResult", "frmErrorMessage"}));
    EXPECT_TRUE(Listing.contains("No errors"));
}

TEST_F(MainWindowResults, ErrorWindowExplainsASagThePolesPutOutOfReach)
{
    // Poles 2 and 3 lie 2.9 ft above and below pole 1: no wire hangs only 3 ft deep.
    TWireConfigurationList project(Settings.Parameters);
    TWireConfiguration &wye = *project.AddSequence(stWYE);
    for (int span = 1; span <= 3; ++span) {
        wye.Spans.SetLengthOf(span, 100);
        wye.Spans.SetAngleOf(span, 60);
    }
    wye.SetWireWeight(1);
    wye.SetMaxSAG(3);
    wye.SetMinSAG(2);
    wye.Elevations.SetValueOf("T", 2.9);
    wye.Elevations.SetValueOf("U", -2.9);
    QTemporaryDir folder;
    const QString file = folder.filePath("reach.xml");
    ASSERT_TRUE(project.Save(file.toStdString()));
    ASSERT_TRUE(Window.OpenFile(file));
    QTest::keyClick(&Window, Qt::Key_F9);
    EXPECT_EQ(Opened, QStringList({"frmErrorMessage"}));
    const qsizetype excessive = Listing.indexOf("Wire tension values for this problem are excessive.");
    const qsizetype explained = Listing.indexOf("\nWarnings\nSequence 1 - WYE: the maximum SAG of 3.00 ft cannot be "
                                                "reached: the pole attachments alone differ by 5.80 ft in height");
    EXPECT_GE(excessive, 0) << Listing.toStdString();
    EXPECT_GT(explained, excessive) << Listing.toStdString();
}

} // namespace

// The result window is kept between calculations: shown again, it must be
// the window a fresh one would be for the project as it is then.
TEST(ResultWindowAgain, StartsOverOnTheProjectAsItIsNow)
{
    TGlobalSetting settings;
    corvadel::test::TScriptedAsk ask;
    const QDialog *first = nullptr;
    int opened = 0;
    TfrmMain window(settings, ask, ResultWindows(settings, [&](QDialog &dialog) {
                        auto &results = static_cast<TfrmDisplayResult &>(dialog);
                        ++opened;
                        if (opened == 1) {
                            // The person looks at the profile of the Min. SAG case, then closes.
                            first = &dialog;
                            dialog.show();
                            auto *pages = dialog.findChild<QTabWidget *>("pcResultPages");
                            QTest::mouseClick(pages->tabBar(), Qt::LeftButton, {},
                                              pages->tabBar()->tabRect(1).center());
                            auto *sag = dialog.findChild<QTabBar *>("tbSAG");
                            QTest::mouseClick(sag, Qt::LeftButton, {}, sag->tabRect(1).center());
                            ASSERT_EQ(pages->currentIndex(), 1);
                            ASSERT_EQ(sag->currentIndex(), 1);
                            QTest::keyClick(&dialog, Qt::Key_Escape);
                            return;
                        }
                        EXPECT_EQ(&dialog, first) << "built again instead of kept";
                        TfrmDisplayResult fresh(results.ShownProject(), results.ShownSettings(),
                                                results.ShownSequence()->Number);
                        EXPECT_EQ(results.ShownSequence(), fresh.ShownSequence());
                        EXPECT_EQ(results.ShownResult(), fresh.ShownResult());
                        for (const char *name : {"pcResultPages"})
                            EXPECT_EQ(dialog.findChild<QTabWidget *>(name)->currentIndex(),
                                      fresh.findChild<QTabWidget *>(name)->currentIndex());
                        EXPECT_EQ(dialog.findChild<QTabBar *>("tbSAG")->tabText(
                                      dialog.findChild<QTabBar *>("tbSAG")->currentIndex()),
                                  "Max. SAG");
                        const auto *list = dialog.findChild<QComboBox *>("cbSequenceList");
                        const auto *freshList = fresh.findChild<QComboBox *>("cbSequenceList");
                        ASSERT_EQ(list->count(), freshList->count());
                        for (int i = 0; i < list->count(); ++i)
                            EXPECT_EQ(list->itemText(i), freshList->itemText(i));
                        EXPECT_EQ(list->currentIndex(), freshList->currentIndex());
                        for (const char *grid : {"sgSpanResults", "sgPoleResults", "sgSignalResults"})
                            EXPECT_EQ(dialog.findChild<TResultGrid *>(grid)->CopyText(),
                                      fresh.findChild<TResultGrid *>(grid)->CopyText())
                                << grid;
                    }));
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(window.OpenFile(QString::fromStdString(Example("intersection.xml"))));
    QTest::keyClick(&window, Qt::Key_F9);
    ASSERT_EQ(opened, 1);
    window.findChild<QAction *>("duplicate_sequence")->trigger(); // a fourth sequence, shown
    QTest::keyClick(&window, Qt::Key_F9);
    EXPECT_EQ(opened, 2);
}
