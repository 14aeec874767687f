// The variable wire weights dialog driven through its widgets.
#include "KorvelEditComp.h"
#include "WiresFRM.h"
#include "../support/Examples.h"
#include "../support/ScriptedAsk.h"
#include "uCodes.h"
#include "uGlobalSettings.h"
#include "uHelpContext.h"
#include "uProjectDocument.h"
#include "uWires.h"

#include <QComboBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

using namespace corvadel;
using corvadel::test::TScriptedAsk;

namespace {

const char *const Catalogue = "<XML><WIRE_LIST><WIRE><CODE>W1</CODE><CATEGORY>EHS</CATEGORY>"
                              "<SECTION>1/4\"</SECTION><WEIGHT>0.121</WEIGHT></WIRE></WIRE_LIST></XML>";

class WiresDialog : public ::testing::Test {
protected:
    WiresDialog()
    {
        // Span 1 of the simple example carries three signals: four segments.
        Document.Open(test::Example("simple.xml").toStdString());
        Document.Edit("Variable Wire Weight", TStepScope::OfSequence(1),
                      [](TWireConfigurationList &project) { project.FindByNumber(1)->SetVariableWires(true); });
        Document.UndoStack().clear();
        Codes.LoadFromText(Catalogue, "CodeList.xml");
        Dialog = std::make_unique<TfrmWires>(Document, Ask, Codes, 1, 1);
        Dialog->show();
    }

    template <class T>
    T *Child(const char *name) { return Dialog->findChild<T *>(QLatin1String(name)); }
    QTableWidget *Compositions() { return Child<QTableWidget>("sgCompositionList"); }
    QPushButton *Button(const char *name) { return Child<QPushButton>(name); }
    TKorvelEdit *Weight() { return Child<TKorvelEdit>("edtWeight"); }
    QSpinBox *Occurrence() { return Child<QSpinBox>("seOccurrence"); }
    TBaseSegment &Segment(int index)
    {
        return *Document.Project().FindByNumber(1)->Spans.FindByNumber(1)->Segments.Objects(index);
    }
    void Pick(int kind) { Q_EMIT Child<QComboBox>("cbWireType")->activated(kind); }
    void Type(QWidget *field, const QString &text)
    {
        field->setFocus();
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, text);
    }
    void SelectSegment(int row) { Child<QTableWidget>("sgSegments")->setCurrentCell(row, 0); }

    TTARVOParameters Parameters;
    TProjectDocument Document{Parameters};
    TCodeList Codes;
    TScriptedAsk Ask;
    std::unique_ptr<TfrmWires> Dialog;
};

TEST_F(WiresDialog, ShowsTheSpanItsSegmentsAndTheWireKinds)
{
    EXPECT_EQ(Dialog->windowTitle(), "Wire Weights Calculation for Span #1");
    EXPECT_EQ(HelpContextOf(Dialog.get()), hcWires);
    auto *kinds = Child<QComboBox>("cbWireType");
    ASSERT_EQ(kinds->count(), 3);
    EXPECT_EQ(kinds->itemText(0), "CUSTOM");
    EXPECT_EQ(kinds->itemText(1), "FIXED");
    EXPECT_EQ(kinds->itemText(2), "EHS - 1/4\"");
    auto *segments = Child<QTableWidget>("sgSegments");
    EXPECT_EQ(segments->rowCount(), 4);
    EXPECT_EQ(segments->currentRow(), 0);
    EXPECT_EQ(segments->item(0, 1)->text(), "Start");
    EXPECT_EQ(segments->item(3, 2)->text(), "End");
    EXPECT_EQ(Compositions()->item(0, 0)->text(), "0"); // counted from 0
    EXPECT_EQ(Compositions()->item(0, 1)->text(), "FIXED");
}

TEST_F(WiresDialog, FixedIsReadOnlyAtOneAndCustomIsTyped)
{
    Pick(1);
    EXPECT_EQ(Weight()->text(), "1.00");
    EXPECT_TRUE(Weight()->isReadOnly());
    Pick(0);
    EXPECT_EQ(Weight()->text(), "0.00");
    EXPECT_FALSE(Weight()->isReadOnly());
    Pick(2);
    EXPECT_EQ(Weight()->text(), "0.12");
    EXPECT_TRUE(Weight()->isReadOnly());
}

TEST_F(WiresDialog, AddingTwiceHalfAPoundRaisesTheSegmentByItsLength)
{
    SelectSegment(1);
    TBaseSegment &segment = Segment(1);
    const double before = segment.Weight();
    Pick(0);
    Type(Weight(), "0.5");
    Type(Occurrence(), "2");
    Button("btnAdd")->click();
    ASSERT_EQ(Compositions()->rowCount(), 2);
    EXPECT_EQ(Compositions()->item(1, 3)->text(), "2");
    EXPECT_EQ(Compositions()->item(1, 5)->text(), "1");
    EXPECT_NEAR(Segment(1).Weight(), before + Segment(1).Length, 1e-9);
    EXPECT_EQ(Segment(0).Compositions.Count(), 1) << "only the selected segment";
    EXPECT_EQ(Document.UndoStack().count(), 1);
    EXPECT_TRUE(Document.IsModified());
    EXPECT_EQ(Child<QTableWidget>("sgSegments")->currentRow(), 1);
}

TEST_F(WiresDialog, TheLastCompositionStaysAndRemovingIsOneStep)
{
    EXPECT_FALSE(Button("btnRemove")->isEnabled());
    Button("btnRemove")->click();
    EXPECT_EQ(Segment(0).Compositions.Count(), 1);
    Pick(1);
    Button("btnAdd")->click();
    ASSERT_TRUE(Button("btnRemove")->isEnabled());
    Compositions()->setCurrentCell(1, 0);
    Button("btnRemove")->click();
    EXPECT_EQ(Segment(0).Compositions.Count(), 1);
    EXPECT_FALSE(Button("btnRemove")->isEnabled());
    EXPECT_EQ(Document.UndoStack().count(), 2);
    Document.UndoStack().undo();
    EXPECT_EQ(Segment(0).Compositions.Count(), 2) << "the removal is undone";
}

TEST_F(WiresDialog, UpdateRewritesTheSelectedComposition)
{
    Pick(2);
    Type(Occurrence(), "3");
    Button("btnUpdate")->click();
    const TSegmentComposition &c = *Segment(0).Compositions.First();
    EXPECT_EQ(c.WireCode, "W1");
    EXPECT_EQ(c.WireType, "EHS");
    EXPECT_EQ(c.Description, "1/4\"");
    EXPECT_DOUBLE_EQ(c.WireWeight, 0.121);
    EXPECT_EQ(c.Occurrence, 3);
    EXPECT_EQ(Compositions()->item(0, 1)->text(), "EHS");
    EXPECT_EQ(Document.UndoStack().count(), 1);

    // A custom weight shown rounded is kept as stored unless it is typed over.
    Pick(0);
    Type(Weight(), "0.125");
    Button("btnUpdate")->click();
    Compositions()->setCurrentCell(0, 0);
    Q_EMIT Compositions()->cellClicked(0, 0);
    EXPECT_EQ(Weight()->text().size(), 4) << "shown with two decimals";
    Type(Occurrence(), "4");
    Button("btnUpdate")->click();
    EXPECT_DOUBLE_EQ(Segment(0).Compositions.First()->WireWeight, 0.125);
    EXPECT_EQ(Segment(0).Compositions.First()->Occurrence, 4);
}

struct TRefusal {
    const char *Weight;
    const char *Occurrence;
    const char *Message;
};

TEST_F(WiresDialog, BadValuesAreRefusedWithAMessageAndChangeNothing)
{
    const TRefusal refusals[] = {
        {"0", "2", "Occurrence and Weight cannot be 0"},
        {"0.5", "0", "Occurrence and Weight cannot be 0"},
        {"-0.5", "1", "The wire weight cannot be negative."},
        {"-", "1", "-"}, // a text that is no number is named
    };
    const std::string before = Document.Text();
    Pick(0);
    for (const TRefusal &r : refusals)
        for (const char *button : {"btnAdd", "btnUpdate"}) {
            SCOPED_TRACE(std::string(r.Weight) + "/" + r.Occurrence + " " + button);
            Type(Weight(), QLatin1String(r.Weight));
            Type(Occurrence(), QLatin1String(r.Occurrence));
            Ask.Asked.clear();
            Button(button)->click();
            ASSERT_EQ(Ask.Asked.size(), 1u);
            EXPECT_EQ(Ask.Asked[0].Kind, TMessageKind::Error);
            EXPECT_TRUE(Ask.LastText().contains(QLatin1String(r.Message))) << Ask.LastText().toStdString();
        }
    EXPECT_EQ(Document.Text(), before);
    EXPECT_EQ(Document.UndoStack().count(), 0);
}

TEST_F(WiresDialog, OccurrenceStaysWithinOneThousand)
{
    Type(Occurrence(), "1000");
    EXPECT_LE(Occurrence()->value(), 999);
    EXPECT_EQ(Occurrence()->maximum(), 999);
}

} // namespace
