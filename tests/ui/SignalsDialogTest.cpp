// The signals and signs dialog driven through its widgets, on a 100 ft span.
#include "KorvelEditComp.h"
#include "SignalsFRM.h"
#include "../support/SampleSignals.h"
#include "../support/DialogFixture.h"
#include "uGlobalSettings.h"
#include "uHelpContext.h"
#include "uProjectDocument.h"
#include "uWires.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace corvadel;
using corvadel::test::TScriptedAsk;

namespace {

const char *const DistanceMessage = "Distance cannot be 0 or greater than the span length.";
const char *const SignalMessage = "Signal Dead Load and Area Factor should be greater than 0.";
const char *const SignMessage = "Sign Area and Weight cannot be 0.";

class SignalsDialog : public test::DialogFixture<TfrmSignals> {
protected:
    SignalsDialog()
    {
        Settings.CodeList.Load(CORVADEL_SOURCE_DIR "/data/CodeList.xml");
        Document.Edit("set up", TStepScope::OfSequenceList(), [](TWireConfigurationList &project) {
            project.AddSequence(stSimple)->Spans.SetLengthOf(1, 100);
        });
    }

    // Items hung before the dialog opens, then the dialog.
    void Open(std::vector<std::unique_ptr<TBaseSignal>> items = {})
    {
        if (!items.empty())
            Document.Edit("hang", TStepScope::OfSequence(1), [&](TWireConfigurationList &project) {
                for (auto &item : items)
                    project.First()->Spans.First()->AddSignal(std::move(item));
            });
        Show(Document, Settings, Ask, 1, 1);
    }

    TBaseWire &Span() { return *Document.Project().First()->Spans.First(); }
    TBaseSignal &Item(int number) { return *Span().Signals.FindByNumber(number); }
    TKorvelEdit *Field(const char *name) { return Widget<TKorvelEdit>(QLatin1String(name)); }
    void Set(const char *field, const QString &text) { Field(field)->setText(text); }
    void ClickItem(int row) { Q_EMIT Widget<QTableWidget>("sgSignalList")->cellClicked(row, 0); }
    void PickSignType(int index)
    {
        auto *types = Widget<QComboBox>("cbSignType");
        types->setCurrentIndex(index);
        Q_EMIT types->activated(index);
    }
    // A custom signal of 30 lbs and 2 sq ft at the distance.
    void FillCustomSignal(const QString &distance)
    {
        Click("btnCustomSignal");
        Set("edtSignalSections", "3");
        Set("edtSignalLensSize", "12");
        Set("edtSignalMaterial", "Steel");
        Set("edtSignalDeadLoad", "30");
        Set("edtSignalHeight", "3");
        Set("edtSignalAreaFactor", "2");
        Set("edtDistance", distance);
    }
    std::vector<std::pair<int, double>> Segments()
    {
        std::vector<std::pair<int, double>> lengths;
        for (const TBaseSegment *segment : Span().Segments)
            lengths.emplace_back(segment->StartPoint, segment->Length);
        return lengths;
    }
};

TEST_F(SignalsDialog, OpensOnTheSpanWithItsCaptionsAndFirstItemLoaded)
{
    Open([] {
        std::vector<std::unique_ptr<TBaseSignal>> items;
        items.push_back(test::SignalHead(40));
        return items;
    }());
    EXPECT_EQ(Dialog->windowTitle(), "Signals and  Signs Distribution in the Span #1");
    EXPECT_EQ(Widget<QLabel>("lblPercent")->text(), "(10.00%):");
    std::vector<int> asked;
    SetHelpService([&asked](QWidget *, int context) { asked.push_back(context); });
    Click("btnHelp");
    SetHelpService(nullptr);
    EXPECT_EQ(asked, std::vector<int>{hcSignals});
    auto *list = Widget<QTableWidget>("sgSignalList");
    ASSERT_EQ(list->columnCount(), 13);
    EXPECT_EQ(list->horizontalHeaderItem(11)->text(), "Dead Load");
    EXPECT_EQ(list->item(0, 1)->text(), "Signal");
    EXPECT_EQ(list->item(0, 8)->text(), "40");
    EXPECT_TRUE(list->item(0, 0)->isSelected());
    EXPECT_EQ(Field("edtDistance")->text(), "40");
    auto *types = Widget<QComboBox>("cbSignType");
    EXPECT_EQ(types->itemText(0), "Custom Sign");
    EXPECT_EQ(types->itemText(1), "Street Name");
    EXPECT_EQ(Field("edtAreaMulti")->text(), "1");
}

TEST_F(SignalsDialog, EmptySpanShowsOneDisabledRowAndTheCustomCategory)
{
    Open();
    auto *list = Widget<QTableWidget>("sgSignalList");
    EXPECT_EQ(list->rowCount(), 1);
    EXPECT_FALSE(list->isEnabled());
    EXPECT_EQ(Settings.CodeList.CategoryFilter, "SCX");
    EXPECT_TRUE(Widget<QPushButton>("btnCustomSignal")->isVisibleTo(Dialog.get()));
    EXPECT_EQ(Field("edtAreaMulti")->text(), "1.00");
    // Category 3 lists the three-section heads of the catalogue, code last.
    Widget<QListWidget>("lvCategories")->setCurrentRow(2);
    EXPECT_EQ(Settings.CodeList.CategoryFilter, "S3A");
    EXPECT_FALSE(Widget<QPushButton>("btnCustomSignal")->isVisibleTo(Dialog.get()));
    EXPECT_TRUE(Widget<QListWidget>("lvCategories")->item(2)->isSelected());
    auto *typical = Widget<QTableWidget>("sgTypicalSignals");
    EXPECT_EQ(typical->item(0, 6)->text(), "S3A-8AL");
    Q_EMIT typical->cellClicked(0, 2);
    EXPECT_EQ(Field("edtSignalDeadLoad")->text(), "30");
    EXPECT_EQ(Field("edtSignalCode")->text(), "S3A-8AL");
    EXPECT_EQ(Field("edtSignalCategory")->text(), "S3A");
}

TEST_F(SignalsDialog, EachFieldTakesItsKindAndLength)
{
    Open();
    struct TFieldCase {
        const char *Name;
        TEditType Type;
        int MaxLength; // 0: no limit
    };
    const TFieldCase cases[] = {
        {"edtSignalSections", etInteger, 7},   {"edtSignalLensSize", etFloat, 7},
        {"edtSignalMaterial", etFree, 7},      {"edtSignalDeadLoad", etFloat, 7},
        {"edtSignalHeight", etFloat, 7},       {"edtSignalAreaFactor", etFloat, 7},
        {"edtSignalCode", etFree, 0},          {"edtSignalCategory", etFree, 0},
        {"edtSignArea", etFloat, 7},           {"edtSignWeight", etFloat, 7},
        {"edtSignHanger", etFloat, 7},         {"edtSignTotalWeight", etFloat, 7},
        {"edtSignAreaFactor", etFloat, 7},     {"edtSignCode", etAlphaNumeric, 4},
        {"edtDistance", etFloat, 7},           {"edtAreaMulti", etFloat, 5},
        {"edtLoadMulti", etFloat, 5},
    };
    for (const TFieldCase &c : cases) {
        SCOPED_TRACE(c.Name);
        TKorvelEdit *field = Field(c.Name);
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(field->EditType(), c.Type);
        EXPECT_EQ(field->MaxLength(), c.MaxLength);
        if (field->isReadOnly())
            continue;
        field->clear();
        QTest::keyClicks(field, "1234567890");
        EXPECT_EQ(field->text().size(), c.MaxLength ? c.MaxLength : 10);
    }
}

TEST_F(SignalsDialog, DistanceOfZeroOrFromTheSpanLengthOnIsRefused)
{
    Open();
    for (const char *distance : {"0", "", "100", "100.5"}) {
        SCOPED_TRACE(distance);
        Ask.Asked.clear();
        FillCustomSignal(distance);
        Click("btnAdd");
        EXPECT_EQ(Ask.LastText(), DistanceMessage);
        EXPECT_TRUE(Span().Signals.Empty());
        EXPECT_FALSE(Stepped());
    }
}

TEST_F(SignalsDialog, ItemsAtTheSameDistanceKeepTheOrderTheyWereAddedIn)
{
    Open();
    FillCustomSignal("50");
    Click("btnAdd");
    Widget<QTabWidget>("pcSignals")->setCurrentIndex(1);
    PickSignType(0);
    Set("edtSignArea", "4");
    Set("edtSignWeight", "3");
    Set("edtDistance", "50");
    Click("btnAdd");
    Widget<QTabWidget>("pcSignals")->setCurrentIndex(0);
    Set("edtDistance", "20");
    Click("btnAdd");
    ASSERT_EQ(Span().Signals.Count(), 3);
    EXPECT_DOUBLE_EQ(Item(1).Distance, 20);
    EXPECT_TRUE(Item(2).IsSignal);
    EXPECT_FALSE(Item(3).IsSignal);
    EXPECT_EQ(Item(3).Number, 3);
    const std::vector<std::pair<int, double>> expected{{0, 20}, {1, 30}, {2, 0}, {3, 50}};
    EXPECT_EQ(Segments(), expected);
    EXPECT_EQ(Widget<QTableWidget>("sgSignalList")->item(2, 1)->text(), "Sign");
    // Each Add is one step of the project.
    EXPECT_EQ(Document.UndoStack().count(), Steps + 3);
    EXPECT_TRUE(Document.IsModified());
}

TEST_F(SignalsDialog, CustomSignTotalsFollowTheTypedFace)
{
    Open();
    Widget<QTabWidget>("pcSignals")->setCurrentIndex(1);
    PickSignType(0);
    EXPECT_EQ(Field("edtSignCode")->text(), "X000");
    EXPECT_FALSE(Field("edtSignWeight")->isReadOnly());
    EXPECT_FALSE(Field("edtSignHanger")->isReadOnly());
    for (const auto &[field, text] : {std::pair{"edtSignArea", "4"}, {"edtSignWeight", "3"}, {"edtSignHanger", "2"}}) {
        Field(field)->clear();
        QTest::keyClicks(Field(field), QLatin1String(text));
    }
    EXPECT_DOUBLE_EQ(Field("edtSignTotalWeight")->NumericOutput(), 14);
    EXPECT_DOUBLE_EQ(Field("edtSignAreaFactor")->NumericOutput(), 0.4);
    // An emptied field counts as 0 at once.
    Field("edtSignHanger")->clear();
    EXPECT_EQ(Field("edtSignHanger")->text(), "0");
    EXPECT_DOUBLE_EQ(Field("edtSignTotalWeight")->NumericOutput(), 12);
    Set("edtSignHanger", "2");
    Set("edtDistance", "25");
    Click("btnAdd");
    ASSERT_EQ(Span().Signals.Count(), 1);
    EXPECT_FALSE(Item(1).IsSignal);
    EXPECT_EQ(Item(1).Code, "X000");
    EXPECT_EQ(Item(1).SignalType, "Custom Sign");
    EXPECT_DOUBLE_EQ(Item(1).SimpleDeadLoad, 14);
    EXPECT_DOUBLE_EQ(Item(1).Weight, 3);
    EXPECT_DOUBLE_EQ(Item(1).SimpleAreaFactor, 0.4);
}

TEST_F(SignalsDialog, CatalogueSignTypeFixesWeightAndHangerUntilAnAreaIsTyped)
{
    Open();
    Widget<QTabWidget>("pcSignals")->setCurrentIndex(1);
    PickSignType(2); // Street Name (Large Overhead): 3 lbs/sq ft, hanger 15, factor 0.12
    EXPECT_EQ(Field("edtSignCode")->text(), "G-STN-L");
    EXPECT_TRUE(Field("edtSignWeight")->isReadOnly());
    EXPECT_DOUBLE_EQ(Field("edtSignArea")->NumericOutput(), 0);
    EXPECT_DOUBLE_EQ(Field("edtSignTotalWeight")->NumericOutput(), 0);
    EXPECT_DOUBLE_EQ(Field("edtSignAreaFactor")->NumericOutput(), 0.12);
    Set("edtSignArea", "4");
    EXPECT_DOUBLE_EQ(Field("edtSignTotalWeight")->NumericOutput(), 27);
    EXPECT_DOUBLE_EQ(Field("edtSignAreaFactor")->NumericOutput(), 0.4);
    // A typed type that is no entry leaves weight and hanger read-only.
    Widget<QComboBox>("cbSignType")->setEditText("Custom Sig");
    EXPECT_TRUE(Field("edtSignHanger")->isReadOnly());
    Widget<QComboBox>("cbSignType")->setEditText("Custom Sign");
    EXPECT_FALSE(Field("edtSignHanger")->isReadOnly());
}

TEST_F(SignalsDialog, RefusedItemsChangeNothing)
{
    struct Case {
        const char *Name;
        const char *Field;
        const char *Text;
        QString Message;
    };
    const Case cases[] = {
        {"no dead load", "edtSignalDeadLoad", "0", SignalMessage},
        {"no area factor", "edtSignalAreaFactor", "", SignalMessage},
        {"no load multiplier", "edtLoadMulti", "0", "Multipliers must be greater than 0."},
        {"negative area multiplier", "edtAreaMulti", "-1", "Multipliers must be greater than 0."},
        {"empty multiplier", "edtLoadMulti", "", "'' is not a valid floating point value"},
        {"text that is no number", "edtSignalHeight", ".", "'.' is not a valid floating point value"},
    };
    Open();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.Name);
        Ask.Asked.clear();
        FillCustomSignal("30");
        Set("edtAreaMulti", "1");
        Set("edtLoadMulti", "1");
        Set(c.Field, QLatin1String(c.Text));
        Click("btnAdd");
        ASSERT_EQ(Ask.Asked.size(), 1u);
        EXPECT_EQ(Ask.Asked.front().Kind, TMessageKind::Error);
        EXPECT_EQ(Ask.LastText(), c.Message);
        EXPECT_TRUE(Span().Signals.Empty());
        EXPECT_FALSE(Stepped());
    }
    Widget<QTabWidget>("pcSignals")->setCurrentIndex(1);
    PickSignType(1);
    Set("edtDistance", "30");
    Click("btnAdd");
    EXPECT_EQ(Ask.LastText(), SignMessage);
    EXPECT_TRUE(Span().Signals.Empty());
}

TEST_F(SignalsDialog, ListedCatalogueSignalLoadsItsOwnValues)
{
    auto head = test::SignalHead(40);
    head->SetSimpleDeadLoad(52); // heavier than the catalogue's 45
    head->SetLoadMultiplier(1.5);
    std::vector<std::unique_ptr<TBaseSignal>> items;
    items.push_back(std::move(head));
    Open(std::move(items));
    ClickItem(0);
    EXPECT_EQ(Settings.CodeList.CategoryFilter, "S3A");
    EXPECT_EQ(Widget<QStackedWidget>("pnSignalDetail")->currentWidget()->objectName(), "pnTypical");
    auto *typical = Widget<QTableWidget>("sgTypicalSignals");
    EXPECT_EQ(typical->item(typical->currentRow(), 6)->text(), "S3A-12AL");
    EXPECT_EQ(Field("edtSignalDeadLoad")->text(), "52");
    EXPECT_EQ(Field("edtLoadMulti")->text(), "1.5");
    // Moved, it keeps its own dead load.
    Set("edtDistance", "60");
    Click("btnUpdate");
    EXPECT_TRUE(Ask.Asked.empty());
    EXPECT_DOUBLE_EQ(Item(1).Distance, 60);
    EXPECT_DOUBLE_EQ(Item(1).SimpleDeadLoad, 52);
    EXPECT_DOUBLE_EQ(Item(1).Weight, 78);
    EXPECT_EQ(Item(1).Code, "S3A-12AL");
}

TEST_F(SignalsDialog, UpdateChecksEveryFieldBeforeWritingAny)
{
    std::vector<std::unique_ptr<TBaseSignal>> items;
    items.push_back(test::SignalHead(40));
    Open(std::move(items));
    const std::string before = Document.Text();
    for (const auto &[field, text, message] :
         {std::tuple{"edtSignalDeadLoad", "0", SignalMessage},
          {"edtSignalAreaFactor", ".", "'.' is not a valid floating point value"},
          {"edtDistance", "100", DistanceMessage}}) {
        SCOPED_TRACE(field);
        ClickItem(0);
        Set("edtDistance", "70");
        Set(field, QLatin1String(text));
        Click("btnUpdate");
        EXPECT_EQ(Ask.LastText(), QLatin1String(message));
        EXPECT_EQ(Document.Text(), before);
        EXPECT_FALSE(Stepped());
    }
}

TEST_F(SignalsDialog, MovedPastItsNeighbourTheSegmentsFollow)
{
    std::vector<std::unique_ptr<TBaseSignal>> items;
    items.push_back(test::SignalHead(30));
    items.push_back(test::SignalHead(70));
    Open(std::move(items));
    const std::string before = Document.Text();
    ClickItem(0);
    Set("edtDistance", "40"); // between its neighbours: only the boundary moves
    Click("btnUpdate");
    EXPECT_EQ(Segments(), (std::vector<std::pair<int, double>>{{0, 40}, {1, 30}, {2, 30}}));
    ClickItem(0);
    Set("edtDistance", "80");
    Click("btnUpdate");
    EXPECT_DOUBLE_EQ(Item(1).Distance, 70);
    EXPECT_DOUBLE_EQ(Item(2).Distance, 80);
    EXPECT_EQ(Segments(), (std::vector<std::pair<int, double>>{{0, 70}, {1, 10}, {2, 20}}));
    // The moved item stays selected at its new place.
    EXPECT_EQ(Widget<QTableWidget>("sgSignalList")->currentRow(), 1);
    Document.UndoStack().undo();
    Document.UndoStack().undo();
    EXPECT_EQ(Document.Text(), before);
}

TEST_F(SignalsDialog, RemoveMarksTheProjectAndLoadsTheNextItem)
{
    std::vector<std::unique_ptr<TBaseSignal>> items;
    items.push_back(test::SignalHead(30));
    items.push_back(test::SignalHead(70));
    Open(std::move(items));
    Document.UndoStack().setClean();
    ClickItem(0);
    Click("btnRemove");
    ASSERT_EQ(Span().Signals.Count(), 1);
    EXPECT_DOUBLE_EQ(Item(1).Distance, 70);
    EXPECT_EQ(Segments(), (std::vector<std::pair<int, double>>{{0, 70}, {1, 30}}));
    EXPECT_EQ(Field("edtDistance")->text(), "70");
    EXPECT_TRUE(Document.IsModified());
    Document.UndoStack().undo();
    EXPECT_EQ(Span().Signals.Count(), 2);
}

TEST_F(SignalsDialog, ClickOnTheSelectedCategoryShowsItsTypicalPaneAgain)
{
    Open();
    Click("btnCustomSignal");
    auto *icons = Widget<QListWidget>("lvCategories");
    const QRect custom = icons->visualItemRect(icons->item(0));
    QTest::mouseClick(icons->viewport(), Qt::LeftButton, {}, custom.center());
    EXPECT_EQ(Widget<QStackedWidget>("pnSignalDetail")->currentWidget()->objectName(), "pnTypical");
}

TEST_F(SignalsDialog, ListedCustomSignalShowsTheCustomPaneFromTheSignsPage)
{
    Open();
    FillCustomSignal("30");
    Click("btnAdd");
    Widget<QTabWidget>("pcSignals")->setCurrentIndex(1);
    ClickItem(0);
    EXPECT_EQ(Widget<QTabWidget>("pcSignals")->currentIndex(), 0);
    EXPECT_EQ(Widget<QStackedWidget>("pnSignalDetail")->currentWidget()->objectName(), "pnCustom");
    EXPECT_EQ(Field("edtSignalCode")->text(), "X000");
    EXPECT_EQ(Field("edtSignalMaterial")->text(), "Steel");
}

TEST_F(SignalsDialog, AddToListKeepsACustomSignalInTheCatalogueInMemory)
{
    Open();
    FillCustomSignal("30");
    Click("btnAddToList");
    Click("btnAddToList"); // the code is taken now: the second gets the next one
    const auto listed = Settings.CodeList.TypicalSignals();
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0].Entry->Code, "X000");
    EXPECT_EQ(listed[1].Entry->Code, "X001");
    EXPECT_DOUBLE_EQ(listed[0].Entry->Weight, 30);
    EXPECT_EQ(Widget<QTableWidget>("sgTypicalSignals")->rowCount(), 2);
    EXPECT_EQ(Widget<QStackedWidget>("pnSignalDetail")->currentWidget()->objectName(), "pnTypical");
    EXPECT_FALSE(Stepped()); // the project did not change
}

} // namespace
