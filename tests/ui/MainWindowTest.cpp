// The main window driven through its real widgets with a scripted user.
#include "KorvelEditComp.h"
#include "MainFRM.h"
#include "../support/Examples.h"
#include "../support/ScratchFolder.h"
#include "../support/ScriptedAsk.h"
#include "uGlobalSettings.h"
#include "uIniFile.h"
#include "uProjectDocument.h"
#include "uWires.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QUrl>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace corvadel;
using corvadel::test::Example;
using corvadel::test::TScriptedAsk;

namespace {

const QString SaveQuestion = QStringLiteral("The project has been modified. Do you want to save your changes?");

class MainWindow : public ::testing::Test {
protected:
    MainWindow()
        : Window(Settings, Ask, {[this](QWidget *, const TWireConfigurationList &, const TGlobalSetting &, int) { ++ResultShown; },
                                 [this](QWidget *, const QString &listing) { ErrorListings << listing; }})
    {
        Window.show();
        QApplication::setActiveWindow(&Window);
    }

    TWireConfigurationList &Project() { return Window.Document().Project(); }
    TWireConfiguration &Shown() { return *Project().FindByNumber(Window.CurrentSequence()); }
    TKorvelEdit *Field(const char *name) { return Window.findChild<TKorvelEdit *>(QLatin1String(name)); }
    QCheckBox *Box(const char *name) { return Window.findChild<QCheckBox *>(QLatin1String(name)); }
    QString Panel(int i) { return Window.findChild<QLabel *>(QStringLiteral("sbPanel%1").arg(i))->text(); }
    void Trigger(const char *action) { Window.findChild<QAction *>(QLatin1String(action))->trigger(); }
    void Open(const char *example) { ASSERT_TRUE(Window.OpenFile(Example(example))); }

    // Types into the field as a user does, leaving the focus in it.
    void TypeInto(TKorvelEdit *field, const QString &text)
    {
        field->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), field);
        // Emptied first, as a user would: the filter looks at the whole text.
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, text);
    }
    // Types and leaves the field for the next one.
    void Enter(TKorvelEdit *field, const QString &text)
    {
        TypeInto(field, text);
        Window.findChild<QWidget *>("tvSpanWireList")->setFocus();
    }
    QTreeWidgetItem *Root() { return Window.findChild<QTreeWidget *>("tvSpanWireList")->topLevelItem(0); }

    TGlobalSetting Settings;
    TScriptedAsk Ask;
    int ResultShown = 0;
    QStringList ErrorListings;
    TfrmMain Window;
};

TEST_F(MainWindow, NewProjectShowsNewInTheCaptionAndNoDetailPages)
{
    EXPECT_EQ(Window.windowTitle(), "TARVO - Corvadel  [<new>]");
    EXPECT_EQ(Panel(3), "<new>");
    EXPECT_TRUE(Window.findChild<QWidget *>("pgDetail")->isHidden());
    EXPECT_FALSE(Window.findChild<QAction *>("calculate")->isEnabled());
    EXPECT_FALSE(Window.findChild<QAction *>("print")->isEnabled()); // nothing to print
}

struct TTypeCase {
    int Type;
    int Lengths;
    int Angles;
    QStringList Distances;
    QString BasePoles; // pole numbers with a base elevation field
    QString Boxes;     // junction check boxes shown
    QString Enabled;   // of those, the ones that can be clicked
};

class MainWindowTypes : public MainWindow, public ::testing::WithParamInterface<TTypeCase> {};

TEST_P(MainWindowTypes, ShowsTheFieldsOfItsType)
{
    const TTypeCase &c = GetParam();
    const char *adds[] = {"", "add_simple", "add_wye", "add_h", "add_delta", "add_hybrid", "add_box"};
    Trigger(adds[c.Type]);
    for (int n = 1; n <= 8; ++n) {
        EXPECT_EQ(!Field(qPrintable(QStringLiteral("edtL%1").arg(n)))->isHidden(), n <= c.Lengths) << n;
        EXPECT_EQ(!Field(qPrintable(QStringLiteral("edtA%1").arg(n)))->isHidden(), n <= c.Angles) << n;
    }
    int shownDistances = 0;
    for (const char *name : {"edtPD1", "edtPD2", "edtPD3", "edtPD4", "edtPDX", "edtPDY", "edtPDZ"})
        shownDistances += !Field(name)->isHidden();
    EXPECT_EQ(shownDistances, c.Distances.size());
    QStringList labels;
    for (QLabel *label : Window.findChild<QWidget *>("pgDetail")->findChildren<QLabel *>())
        if (!label->isHidden() && label->text().startsWith("Pole ") && label->text().contains(" - "))
            labels << label->text();
    for (const QString &label : c.Distances)
        EXPECT_TRUE(labels.contains(label)) << label.toStdString();
    QString poles;
    for (int p = 1; p <= 5; ++p)
        if (!Field(qPrintable(QStringLiteral("edtElPole%1").arg(p)))->isHidden())
            poles += QString::number(p);
    EXPECT_EQ(poles, c.BasePoles);
    QString shown, enabled;
    for (const QChar letter : QStringLiteral("TUVYCDG")) {
        QCheckBox *box = Box(qPrintable(QStringLiteral("cb") + letter));
        if (box->isHidden())
            continue;
        shown += letter;
        if (box->isEnabled())
            enabled += letter;
        EXPECT_EQ(Field(qPrintable(QStringLiteral("edt") + letter))->isHidden(), !box->isChecked()) << letter.toLatin1();
    }
    EXPECT_EQ(shown, c.Boxes);
    EXPECT_EQ(enabled, c.Enabled);
    EXPECT_EQ(Box("cbWarp")->isHidden(), c.Type != stBox);
}

INSTANTIATE_TEST_SUITE_P(Table, MainWindowTypes, ::testing::Values(
    TTypeCase{stSimple, 1, 0, {"Pole 1 - 2"}, "12", "T", ""},
    TTypeCase{stWYE, 3, 2, {"Pole 1 - 2", "Pole 1 - 3", "Pole 2 - 3"}, "123", "TU", ""},
    TTypeCase{stH, 5, 4, {"Pole 1 - 2", "Pole 1 - 3", "Pole 3 - 4", "Pole 2 - 4", "Pole 1 - 4", "Pole 2 - 3"}, "1234",
              "TUVC", "UC"},
    TTypeCase{stDelta, 6, 6, {"Pole 1 - 2", "Pole 1 - 3", "Pole 2 - 3"}, "123", "UVCD", "UVCD"},
    TTypeCase{stHybrid, 7, 6,
              {"Pole 1 - 2", "Pole 1 - 3", "Pole 3 - 4", "Pole 4 - 5", "Pole 2 - 5", "Pole 1 - 4", "Pole 2 - 3"},
              "12345", "TUVYCD", "UVCD"},
    TTypeCase{stBox, 8, 8, {"Pole 1 - 2", "Pole 1 - 3", "Pole 3 - 4", "Pole 2 - 4", "Pole 1 - 4", "Pole 2 - 3"}, "1234",
              "TUVCDG", "TUVCDG"}));

struct TCommitCase {
    const char *Field;
    QString Typed;
    double (*Read)(const TWireConfiguration &);
    double Expected;
};

class MainWindowCommit : public MainWindow, public ::testing::WithParamInterface<TCommitCase> {};

TEST_P(MainWindowCommit, LeavingAFieldStoresItAndMarksTheProject)
{
    const TCommitCase &c = GetParam();
    Open("box.xml");
    EXPECT_EQ(Panel(4), "");
    Enter(Field(c.Field), c.Typed);
    EXPECT_DOUBLE_EQ(c.Read(Shown()), c.Expected);
    EXPECT_TRUE(Window.Document().IsModified());
    EXPECT_EQ(Panel(4), "Modified");
}

INSTANTIATE_TEST_SUITE_P(Table, MainWindowCommit, ::testing::Values(
    TCommitCase{"edtL3", "60", [](const TWireConfiguration &s) { return s.Spans.FindByNumber(3)->Length; }, 60},
    TCommitCase{"edtA1", "50.5", [](const TWireConfiguration &s) { return s.Spans.FindByNumber(1)->Angle; }, 50.5},
    TCommitCase{"edtElPole1", "101.25", [](const TWireConfiguration &s) { return s.Elevations.ValueOf("P1"); }, 101.25},
    TCommitCase{"edtElPavement", "99", [](const TWireConfiguration &s) { return s.Elevations.ValueOf("PV"); }, 99},
    TCommitCase{"edtC", "-1.5", [](const TWireConfiguration &s) { return s.Elevations.ValueOf("C"); }, -1.5},
    TCommitCase{"edtMaxSAG", "12", [](const TWireConfiguration &s) { return s.MaxSAG; }, 12},
    TCommitCase{"edtMinimumSAG", "2", [](const TWireConfiguration &s) { return s.MinSAG; }, 2},
    TCommitCase{"edtMinClearance", "17", [](const TWireConfiguration &s) { return s.MinClearance; }, 17},
    TCommitCase{"edtWireWeight", "0.6", [](const TWireConfiguration &s) { return s.WireWeight; }, 0.6}));

TEST_F(MainWindow, IdentificationRenamesTheTreeNode)
{
    Open("box.xml");
    Enter(Window.findChild<TKorvelEdit *>("edtID"), "Main St-2_b/");
    EXPECT_EQ(Shown().Identification, "Main St-2_b");
    EXPECT_EQ(Root()->child(0)->text(0), "1 - Main St-2_b");
}

TEST_F(MainWindow, CheckBoxesAndRemoveMarkTheProject)
{
    Open("box.xml");
    Box("cbWarp")->click();
    EXPECT_TRUE(Shown().BoxWarp);
    EXPECT_TRUE(Window.Document().IsModified());
    Window.Document().UndoStack().undo();
    EXPECT_FALSE(Window.Document().IsModified());

    Ask.Answers = {QMessageBox::Yes};
    Trigger("remove_sequence");
    EXPECT_TRUE(Project().Empty());
    EXPECT_TRUE(Window.Document().IsModified());
}

TEST_F(MainWindow, UntouchedFieldKeepsAllItsDecimals)
{
    Open("box.xml");
    Window.Document().Edit("weight", TStepScope::OfSequence(1),
                           [](TWireConfigurationList &p) { p.First()->SetWireWeight(0.273); });
    Window.Document().UndoStack().setClean();
    EXPECT_EQ(Field("edtWireWeight")->text(), "0.27");
    Field("edtWireWeight")->setFocus();
    Window.findChild<QWidget *>("tvSpanWireList")->setFocus();
    EXPECT_TRUE(Window.CommitFocused());
    EXPECT_DOUBLE_EQ(Shown().WireWeight, 0.273);
    EXPECT_FALSE(Window.Document().IsModified());
}

class MainWindowBadText : public MainWindow, public ::testing::WithParamInterface<QString> {};

TEST_P(MainWindowBadText, IsReportedAndTheModelKeepsItsValue)
{
    Open("box.xml");
    Enter(Field("edtL3"), GetParam());
    EXPECT_TRUE(Ask.LastText().contains("'" + GetParam() + "'")) << Ask.LastText().toStdString();
    EXPECT_DOUBLE_EQ(Shown().Spans.FindByNumber(3)->Length, 50);
    EXPECT_EQ(Field("edtL3")->text(), "50.00");
    EXPECT_FALSE(Window.Document().IsModified());
}

INSTANTIATE_TEST_SUITE_P(Table, MainWindowBadText, ::testing::Values("1-2", ".", "-"));

struct TNamedFailure {
    const char *Field;
    QString Typed;
    QString Message;
};

class MainWindowNamedFailure : public MainWindow, public ::testing::WithParamInterface<TNamedFailure> {};

TEST_P(MainWindowNamedFailure, NamesTheFieldAndTheText)
{
    const TNamedFailure &c = GetParam();
    Open("box.xml");
    Enter(Field(c.Field), c.Typed);
    EXPECT_EQ(Ask.LastText(), c.Message);
    EXPECT_FALSE(Window.Document().IsModified());
}

INSTANTIATE_TEST_SUITE_P(Table, MainWindowNamedFailure, ::testing::Values(
    TNamedFailure{"edtMaxSAG", "1-2", "Max. SAG: '1-2' is not a valid floating point value"},
    TNamedFailure{"edtMinClearance", ".", "Min. clearance ground to wire: '.' is not a valid floating point value"},
    TNamedFailure{"edtL3", "-", "L3: '-' is not a valid floating point value"},
    TNamedFailure{"edtElPole1", "5-", "Pole 1: '5-' is not a valid floating point value"},
    TNamedFailure{"edtC", "-", "C: '-' is not a valid floating point value"}));

// Said when the field is left; the value is kept, as the user may be about
// to change the other one.
TEST_F(MainWindow, MinimumSAGAboveTheMaximumIsSaidWhenTheFieldIsLeft)
{
    Open("box.xml"); // SAGs 3.5 and 6
    Enter(Field("edtMinimumSAG"), "7");
    EXPECT_EQ(Ask.LastText(), "Min. SAG 7 ft is above Max. SAG 6 ft: the sequence cannot be calculated until the "
                              "maximum is at least the minimum.");
    EXPECT_EQ(Ask.Asked.back().Kind, TMessageKind::Warning);
    EXPECT_DOUBLE_EQ(Shown().MinSAG, 7);
    Enter(Field("edtMaxSAG"), "5.5");
    EXPECT_EQ(Ask.Asked.size(), 2u);
    EXPECT_TRUE(Ask.LastText().startsWith("Min. SAG 7 ft is above Max. SAG 5.5 ft")) << Ask.LastText().toStdString();
    Enter(Field("edtMaxSAG"), "8");
    Enter(Field("edtMinimumSAG"), "8");
    EXPECT_EQ(Ask.Asked.size(), 2u) << "equal SAGs are calculated once";

    Trigger("add_box"); // no maximum yet: the minimum comes first
    Enter(Field("edtMinimumSAG"), "3");
    EXPECT_EQ(Ask.Asked.size(), 2u);
}

TEST_F(MainWindow, WiresPageHeadsTheSegmentWeightInPounds)
{
    auto *grid = Window.findChild<QTableWidget *>("sgCompositionList");
    EXPECT_EQ(grid->horizontalHeaderItem(4)->text(), "Weight (lbs)");
}

TEST_F(MainWindow, LengthOfZeroOrLessIsRefused)
{
    Open("box.xml");
    for (const QString typed : {"", "0", "-5"}) {
        Enter(Field("edtL1"), typed);
        EXPECT_EQ(Ask.LastText(), "The length of span 1 must be greater than 0.");
        EXPECT_EQ(Shown().Spans.FindByNumber(1)->Signals.Count(), 1);
        EXPECT_DOUBLE_EQ(Shown().Spans.FindByNumber(1)->Length, 100);
    }
}

TEST_F(MainWindow, ShorterLengthAsksBeforeDroppingSignals)
{
    Open("box.xml");
    Ask.Answers = {QMessageBox::Cancel, QMessageBox::Yes};
    Enter(Field("edtL1"), "40");
    EXPECT_TRUE(Ask.LastText().startsWith("1 signal(s) or sign(s) of span 1")) << Ask.LastText().toStdString();
    EXPECT_DOUBLE_EQ(Shown().Spans.FindByNumber(1)->Length, 100);
    Enter(Field("edtL1"), "40");
    EXPECT_DOUBLE_EQ(Shown().Spans.FindByNumber(1)->Length, 40);
    EXPECT_EQ(Shown().Spans.FindByNumber(1)->Signals.Count(), 0);
}

struct TRefusalCase {
    const char *Add;
    const char *Box;
    QString Message;
};

class MainWindowElevations : public MainWindow, public ::testing::WithParamInterface<TRefusalCase> {};

TEST_P(MainWindowElevations, RefusedClickIsReportedAndUndoneOnScreen)
{
    const TRefusalCase &c = GetParam();
    Trigger(c.Add);
    const std::string flags = Shown().Elevations.EnteredFlags;
    Box(c.Box)->click();
    EXPECT_EQ(Ask.LastText(), "In this configuration you cannot enter " + c.Message);
    EXPECT_EQ(Shown().Elevations.EnteredFlags, flags);
    EXPECT_FALSE(Box(c.Box)->isChecked());
}

INSTANTIATE_TEST_SUITE_P(Table, MainWindowElevations, ::testing::Values(
    TRefusalCase{"add_h", "cbU", "both U and C elevations"},
    TRefusalCase{"add_delta", "cbU", "more than 2 elevations."},
    TRefusalCase{"add_hybrid", "cbU", "more than 2 elevations of (U, V, C, D)."},
    TRefusalCase{"add_box", "cbT", "more than 3 elevations."}));

TEST_F(MainWindow, AcceptedElevationClickShowsTheFieldAndMarks)
{
    Trigger("add_box");
    Window.Document().UndoStack().setClean();
    Box("cbC")->click(); // unchecks C
    EXPECT_EQ(Shown().Elevations.EnteredFlags, "NNNNNYY");
    EXPECT_TRUE(Field("edtC")->isHidden());
    EXPECT_TRUE(Window.Document().IsModified());
}

TEST_F(MainWindow, RemoveSequenceTwoOfThreeRenumbersAndRebuildsTheTree)
{
    Trigger("add_simple");
    Trigger("add_wye");
    Trigger("add_h");
    Window.findChild<QTreeWidget *>("tvSpanWireList")->setCurrentItem(Root()->child(1));
    EXPECT_EQ(Window.CurrentSequence(), 2);
    Ask.Answers = {QMessageBox::Yes};
    Trigger("remove_sequence");
    EXPECT_EQ(Ask.LastText(), "Do you really want to delete the sequence identified by 2 - WYE?");
    ASSERT_EQ(Root()->childCount(), 2);
    EXPECT_EQ(Root()->child(0)->text(0), "1 - Simple");
    EXPECT_EQ(Root()->child(1)->text(0), "2 - H");
    EXPECT_EQ(Window.CurrentSequence(), 1);
}

TEST_F(MainWindow, ShowingASequenceFromCodeSelectsItsNode)
{
    Open("intersection.xml");
    auto *tree = Window.findChild<QTreeWidget *>("tvSpanWireList");
    Window.ShowSequence(3);
    EXPECT_EQ(Window.CurrentSequence(), 3);
    ASSERT_NE(tree->currentItem(), nullptr);
    EXPECT_EQ(tree->currentItem()->text(0), Root()->child(2)->text(0));
}

TEST_F(MainWindow, DuplicateNamesTheCopyAndLaysOutItsPlan)
{
    Open("box.xml");
    Trigger("duplicate_sequence");
    ASSERT_EQ(Project().Count(), 2);
    const TWireConfiguration &copy = *Project().FindByNumber(2);
    EXPECT_EQ(copy.Identification, "Copy of Civic Center box");
    EXPECT_EQ(Window.CurrentSequence(), 2);
    ASSERT_GT(copy.PoleDistances.Count(), 0);
    EXPECT_GT(copy.PoleDistances.Objects(0)->Distance, 0);
    EXPECT_EQ(Root()->child(1)->text(0), "2 - Copy of Civic Center box");
}

TEST_F(MainWindow, CalculateOpensTheResultOrTheErrorWindow)
{
    Open("box.xml");
    Trigger("calculate");
    EXPECT_EQ(ResultShown, 1);
    EXPECT_TRUE(ErrorListings.isEmpty());
    Trigger("add_simple"); // no length: cannot be calculated
    Trigger("calculate");
    EXPECT_EQ(ResultShown, 1);
    ASSERT_EQ(ErrorListings.size(), 1);
    EXPECT_TRUE(ErrorListings.front().contains("No errors"));
}

TEST_F(MainWindow, CloseQuestionOnlyWhenSomethingChanged)
{
    Open("box.xml");
    Window.close();
    EXPECT_TRUE(Ask.Asked.empty());
    Window.show();
    QApplication::setActiveWindow(&Window);
    Enter(Field("edtA1"), "50");
    Ask.Answers = {QMessageBox::Cancel};
    EXPECT_FALSE(Window.close());
    ASSERT_EQ(Ask.Asked.size(), 1u);
    EXPECT_EQ(Ask.LastText(), SaveQuestion);
    EXPECT_EQ(Ask.Asked[0].Buttons, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    EXPECT_EQ(Ask.Asked[0].Default, QMessageBox::Save);
    EXPECT_EQ(Project().Count(), 1);
}

TEST_F(MainWindow, SaveAndExitCommitTheFocusedFieldFirst)
{
    test::ScratchFolder folder;
    Open("box.xml");
    const QString path = QString::fromStdString(folder.Path("saved.xml"));
    Ask.FileNames = {path};
    Project().FileName.clear();
    TypeInto(Field("edtMaxSAG"), "12");
    Trigger("save");
    EXPECT_DOUBLE_EQ(Shown().MaxSAG, 12);
    EXPECT_FALSE(Window.Document().IsModified());
    EXPECT_NE(ReadFileText(path.toStdString()).find("<SEQUENCE_MAX_SAG>12</SEQUENCE_MAX_SAG>"), std::string::npos);

    TypeInto(Field("edtMaxSAG"), "8");
    Ask.Answers = {QMessageBox::Cancel};
    EXPECT_FALSE(Window.close());
    EXPECT_DOUBLE_EQ(Shown().MaxSAG, 8);
    EXPECT_EQ(Ask.LastText(), SaveQuestion);
}

TEST_F(MainWindow, FailedOpenKeepsTheOpenProject)
{
    test::ScratchFolder folder;
    Open("box.xml");
    Enter(Field("edtA1"), "50");
    const std::string bad = folder.Path("bad.xml");
    folder.Write("bad.xml", "<XML><TARVO_CONFIGURATIONS><BOX_SEQUENCE><SEQUENCE_MIN_SAG>x</SEQUENCE_MIN_SAG>");
    Ask.FileNames = {QString::fromStdString(bad)};
    Ask.Answers = {QMessageBox::Discard};
    Trigger("open");
    EXPECT_TRUE(Ask.LastText().startsWith("Cannot open <" + QString::fromStdString(bad)
                                          + ">. The file is not a TARVO file or it is corrupted."))
        << Ask.LastText().toStdString();
    EXPECT_TRUE(Ask.LastText().contains("the file is damaged or cut short")) << "the reader's reason follows";
    EXPECT_EQ(Project().FileName, Example("box.xml").toStdString());
    EXPECT_DOUBLE_EQ(Shown().Spans.FindByNumber(1)->Angle, 50);
    EXPECT_TRUE(Window.Document().IsModified());
}

TEST_F(MainWindow, OpenNamesWhatTheFileHeldWithoutAPlace)
{
    test::ScratchFolder folder;
    folder.Write("stray.xml", "<XML><TARVO_CONFIGURATIONS><WYE_SEQUENCE><SEQUENCE_NUMBER>1</SEQUENCE_NUMBER>"
                              "<WIRE><WIRE_NUMBER>4</WIRE_NUMBER><SIGNAL></SIGNAL></WIRE>"
                              "</WYE_SEQUENCE></TARVO_CONFIGURATIONS></XML>");
    Ask.FileNames = {QString::fromStdString(folder.Path("stray.xml"))};
    Trigger("open");
    ASSERT_EQ(Project().Count(), 1);
    EXPECT_TRUE(Ask.LastText().contains("WIRE_NUMBER 4 names no span (spans 1 to 3); the element was skipped, "
                                        "with its 1 signal"))
        << Ask.LastText().toStdString();
    EXPECT_TRUE(Ask.LastText().endsWith("Saving the project writes it without them."));
    EXPECT_FALSE(Window.Document().IsModified());
}

// Sequences numbered with a gap or a repeat open numbered 1 to n, every one
// in the tree, with one warning under no heading of the elements left out.
TEST_F(MainWindow, OpenRenumbersTheSequencesAndSaysSo)
{
    test::ScratchFolder folder;
    const auto wye = [](int number, const char *id) {
        return QStringLiteral("<WYE_SEQUENCE><SEQUENCE_NUMBER>%1</SEQUENCE_NUMBER><SEQUENCE_ID>%2</SEQUENCE_ID>"
                              "</WYE_SEQUENCE>")
            .arg(number)
            .arg(QLatin1String(id))
            .toStdString();
    };
    const struct {
        const char *Name;
        int Second;
        const char *Said;
    } cases[] = {
        {"gap.xml", 5, "were numbered 1, 5 and are now numbered 1, 2, in the order they stand"},
        {"repeat.xml", 1, "were numbered 1, 1 and are now numbered 1, 2, in the order they stand"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Name);
        folder.Write(c.Name, "<XML><TARVO_CONFIGURATIONS>" + wye(1, "North") + wye(c.Second, "South")
                                 + "</TARVO_CONFIGURATIONS></XML>");
        Ask.FileNames = {QString::fromStdString(folder.Path(c.Name))};
        Ask.Answers = {QMessageBox::Yes};
        QTest::keyClick(&Window, Qt::Key_O, Qt::ControlModifier);

        ASSERT_EQ(Project().Count(), 2);
        EXPECT_TRUE(Ask.LastText().startsWith(QString::fromStdString(folder.Path(c.Name)) + ": the sequences "))
            << Ask.LastText().toStdString();
        EXPECT_TRUE(Ask.LastText().contains(QLatin1String(c.Said))) << Ask.LastText().toStdString();
        EXPECT_TRUE(Ask.LastText().endsWith("Saving the project writes them renumbered."));
        EXPECT_FALSE(Ask.LastText().contains("left out")) << Ask.LastText().toStdString();
        ASSERT_EQ(Root()->childCount(), 2);
        EXPECT_EQ(Root()->child(0)->text(0), "1 - North");
        EXPECT_EQ(Root()->child(1)->text(0), "2 - South");
        EXPECT_FALSE(Window.Document().IsModified());
    }
}

TEST_F(MainWindow, CancelledOpenDialogAsksNothing)
{
    Open("box.xml");
    Enter(Field("edtA1"), "50");
    Ask.FileNames = {""};
    Trigger("open");
    EXPECT_TRUE(Ask.Asked.empty());
    EXPECT_EQ(Project().Count(), 1);
}

TEST_F(MainWindow, FailedSaveNamesThePathAndStaysModified)
{
    Open("box.xml");
    Enter(Field("edtA1"), "50");
    const QString path = QStringLiteral("/nonexistent-folder/x.xml");
    Ask.FileNames = {path};
    Trigger("save_as");
    EXPECT_TRUE(Ask.LastText().contains(path)) << Ask.LastText().toStdString();
    EXPECT_TRUE(Window.Document().IsModified());
    EXPECT_EQ(Panel(4), "Modified");
}

TEST_F(MainWindow, EditsUndoneGiveTheOpenedFileByteForByte)
{
    Open("box.xml");
    const std::string original = ReadFileText(Example("box.xml").toStdString());
    ASSERT_EQ(Window.Document().Text(), original);
    Enter(Field("edtL3"), "60");
    EXPECT_EQ(Window.findChild<QAction *>("undo")->text(), "Undo Change L3");
    Enter(Field("edtA1"), "50");
    Box("cbWarp")->click();
    Trigger("add_delta");
    Trigger("duplicate_sequence");
    const std::string edited = Window.Document().Text();
    QUndoStack &stack = Window.Document().UndoStack();
    EXPECT_EQ(stack.undoText(), "Duplicate Sequence");
    while (stack.canUndo())
        stack.undo();
    EXPECT_EQ(Window.Document().Text(), original);
    EXPECT_FALSE(Window.Document().IsModified());
    EXPECT_EQ(Root()->childCount(), 1);
    EXPECT_EQ(Field("edtL3")->text(), "50.00");
    while (stack.canRedo())
        stack.redo();
    EXPECT_EQ(Window.Document().Text(), edited);
    EXPECT_EQ(Root()->childCount(), 3);
}

TEST_F(MainWindow, RecentFilesListTheLastProjectsOpened)
{
    for (const char *name : {"simple.xml", "wye.xml", "h.xml", "delta.xml", "hybrid.xml", "box.xml"})
        Open(name);
    const QList<QAction *> recent = Window.findChild<QMenu *>("recent_files")->actions();
    ASSERT_EQ(recent.size(), 5);
    EXPECT_EQ(recent.front()->text(), "box.xml");
    EXPECT_EQ(recent.back()->text(), "wye.xml");
}

} // namespace

namespace {

TEST_F(MainWindow, ArrowKeysInTheTreeShowTheSequence)
{
    Trigger("add_simple");
    Trigger("add_box");
    auto *tree = Window.findChild<QTreeWidget *>("tvSpanWireList");
    tree->setFocus();
    tree->setCurrentItem(Root()->child(1));
    QTest::keyClick(tree, Qt::Key_Up);
    EXPECT_EQ(Window.CurrentSequence(), 1);
    EXPECT_EQ(Window.findChild<QLineEdit *>("edtType")->text(), "Simple");
    QTest::keyClick(tree, Qt::Key_Up); // the root node changes nothing shown
    EXPECT_EQ(Window.CurrentSequence(), 1);
}

TEST_F(MainWindow, SaveAsAsksBeforeOverwritingAndDoesNothingWithoutSequences)
{
    test::ScratchFolder folder;
    Trigger("save_as"); // no sequence: no dialog
    EXPECT_EQ(Ask.FileDialogsShown, 0);
    Open("box.xml");
    Enter(Field("edtA1"), "50");
    folder.Write("old.xml", "keep");
    const QString path = QString::fromStdString(folder.Path("old.xml"));
    Ask.FileNames = {path};
    Ask.Answers = {QMessageBox::No};
    Trigger("save_as");
    EXPECT_EQ(Ask.LastText(), "A file <" + path + "> already exists. Do you want overwrite it?");
    EXPECT_EQ(folder.Read("old.xml"), "keep");
    EXPECT_TRUE(Window.Document().IsModified());
}

TEST_F(MainWindow, DroppedProjectFileIsOpened)
{
    auto *data = new QMimeData;
    data->setUrls({QUrl::fromLocalFile(Example("wye.xml"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Window, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Window, &drop);
    delete data;
    EXPECT_EQ(Project().FileName, Example("wye.xml").toStdString());
    EXPECT_EQ(Window.findChild<QLineEdit *>("edtType")->text(), "WYE");
}

TEST(MainWindowSettings, RecentFilesAndGeometryAreKeptInTheirOwnSection)
{
    test::ScratchFolder folder;
    const std::string program = folder.Path("corvadel");
    TScriptedAsk ask;
    {
        TGlobalSetting settings(program);
        TfrmMain window(settings, ask, {});
        window.show();
        ASSERT_TRUE(window.OpenFile(Example("h.xml")));
        // Above the smallest size at which every detail page shows whole.
        window.resize(1100, 700);
        EXPECT_TRUE(window.close());
    }
    const TIniFile ini(TGlobalSetting(program).SettingsPath());
    EXPECT_EQ(ini.ReadString("MAIN WINDOW", "Recent1", ""), Example("h.xml").toStdString());
    TGlobalSetting settings(program);
    TfrmMain again(settings, ask, {});
    EXPECT_EQ(again.size(), QSize(1100, 700));
    ASSERT_EQ(again.findChild<QMenu *>("recent_files")->actions().size(), 1);
    again.findChild<QMenu *>("recent_files")->actions().front()->trigger();
    EXPECT_EQ(again.Document().Project().FileName, Example("h.xml").toStdString());
}

} // namespace

namespace {

TEST_F(MainWindow, OldProjectIsImportedAndCountsAsUnsaved)
{
    Open("legacy.sws");
    EXPECT_FALSE(Project().Empty());
    EXPECT_EQ(Project().FileName, Example("legacy.xml").toStdString());
    EXPECT_TRUE(Window.Document().IsModified());
}

TEST_F(MainWindow, DisablingVariableWiresAsksFirst)
{
    Open("box.xml");
    QCheckBox *wires = Box("cbEnableWires");
    wires->click();
    EXPECT_TRUE(Shown().VariableWires);
    Ask.Answers = {QMessageBox::Cancel, QMessageBox::Ok};
    wires->click();
    EXPECT_EQ(Ask.LastText(), "Disabling variable wire weight, the segments will be reset to 0.517 lbs/ft.");
    EXPECT_TRUE(Shown().VariableWires);
    EXPECT_TRUE(wires->isChecked());
    wires->click();
    EXPECT_FALSE(Shown().VariableWires);
    EXPECT_EQ(Window.Document().UndoStack().count(), 2);
}

} // namespace

namespace {

// A picture named after the program lies beside it: a new project shows it
// in the drawing area until a sequence is drawn.
TEST(MainWindowStart, PictureBesideTheProgramGreetsANewProject)
{
    test::ScratchFolder folder;
    const std::string program = folder.Path("corvadel");
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(QColor(10, 200, 30));
    ASSERT_TRUE(picture.save(QString::fromStdString(folder.Path("corvadel.bmp")), "BMP"));
    TScriptedAsk ask;
    TGlobalSetting settings(program);
    TfrmMain window(settings, ask, {});
    window.resize(800, 600);
    window.show();
    auto *drawing = window.findChild<QWidget *>("imgSpanWire");
    const auto centre = [drawing] {
        return drawing->grab().toImage().pixelColor(drawing->width() / 2, drawing->height() / 2);
    };
    EXPECT_EQ(centre(), QColor(10, 200, 30));

    ASSERT_TRUE(window.OpenFile(Example("simple.xml")));
    EXPECT_NE(centre(), QColor(10, 200, 30)) << "the sequence's drawing replaces it";
    window.findChild<QAction *>("new")->trigger();
    EXPECT_EQ(centre(), QColor(10, 200, 30));
}

} // namespace
