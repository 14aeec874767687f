// The combinations dialog driven through its widgets, on a project of a
// Simple, a WYE and a Delta sequence.
#include "CombinationFRM.h"
#include "KorvelEditComp.h"
#include "../support/DialogFixture.h"
#include "uGlobalSettings.h"
#include "uHelpContext.h"
#include "uProjectDocument.h"
#include "uWires.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace corvadel;
using corvadel::test::TScriptedAsk;

namespace {

class CombinationDialog : public test::DialogFixture<TfrmCombination> {
protected:
    CombinationDialog()
    {
        Document.Edit("set up", TStepScope::OfSequenceList(), [](TWireConfigurationList &project) {
            for (int type : {stSimple, stWYE, stDelta})
                project.AddSequence(type);
        });
    }

    struct TPair {
        int SequenceA, PoleA, SequenceB, PoleB;
        double Angle;
    };

    void Open(std::vector<TPair> combinations = {})
    {
        if (!combinations.empty())
            Document.Edit("combine", TStepScope::OfCombinations(), [&](TWireConfigurationList &project) {
                for (const TPair &c : combinations) {
                    TCombination *added = project.Combinations.Add(std::make_unique<TCombination>());
                    added->SetNumber(project.Combinations.Count() - 1);
                    added->SetSequenceA(c.SequenceA);
                    added->SetSequenceB(c.SequenceB);
                    added->SetPoleA(c.PoleA);
                    added->SetPoleB(c.PoleB);
                    added->SetABAngle(c.Angle);
                }
            });
        Show(Document, Settings, Ask);
    }
    static TPair Pair(int sequenceA, int poleA, int sequenceB, int poleB, double angle)
    {
        return {sequenceA, poleA, sequenceB, poleB, angle};
    }

    QComboBox *Sequence(int side) { return Widget<QComboBox>(QStringLiteral("cbSequence%1").arg(side)); }
    QComboBox *Pole(int side) { return Widget<QComboBox>(QStringLiteral("cbPole%1").arg(side)); }
    QLabel *Picture(int side)
    {
        return Widget<QLabel>(side == 1 ? QStringLiteral("imgSequenceOne") : QStringLiteral("imgSequenceTwo"));
    }
    void ClickPicture(int side) { QTest::mouseClick(Picture(side), Qt::LeftButton); }
    void ClickRow(int row)
    {
        auto *grid = Widget<QTableWidget>("sgCombinations");
        grid->selectRow(row);
        Q_EMIT grid->cellClicked(row, 0);
    }
    // Sequences by their list position, poles by their text.
    void Pick(int sequenceA, const char *poleA, int sequenceB, const char *poleB, const char *angle)
    {
        Sequence(1)->setCurrentIndex(sequenceA);
        Sequence(2)->setCurrentIndex(sequenceB);
        Pole(1)->setCurrentText(QLatin1String(poleA));
        Pole(2)->setCurrentText(QLatin1String(poleB));
        Widget<TKorvelEdit>("edtAngle")->setText(QLatin1String(angle));
    }
    TCombinationList &Combinations() { return Document.Project().Combinations; }
};

TEST_F(CombinationDialog, OpensWithEverySequenceAndOnlyPolesOffered)
{
    Open();
    EXPECT_EQ(HelpContextOf(Dialog.get()), hcCombinations);
    ASSERT_EQ(Sequence(1)->count(), 3);
    EXPECT_EQ(Sequence(1)->itemText(1), QString::fromStdString(Document.Project().FindByNumber(2)->DisplayName()));
    EXPECT_EQ(Pole(1)->count(), 0);
    EXPECT_FALSE(Widget<QTableWidget>("sgCombinations")->isEnabled());
    EXPECT_EQ(Widget<QPushButton>("btnAdd")->text(), "Add");
    Sequence(1)->setCurrentIndex(1); // the WYE: three poles around one ring
    QStringList poles;
    for (int i = 0; i < Pole(1)->count(); ++i)
        poles << Pole(1)->itemText(i);
    EXPECT_EQ(poles, QStringList({"1", "2", "3"}));
    EXPECT_FALSE(Picture(1)->pixmap().isNull());
}

TEST_F(CombinationDialog, AddNumbersByCountAndStaysInAddMode)
{
    Open();
    Pick(0, "2", 1, "3", "45.5");
    Click("btnAdd");
    ASSERT_EQ(Combinations().Count(), 1);
    const TCombination &first = *Combinations().First();
    EXPECT_EQ(first.Number, 0);
    EXPECT_EQ(first.SequenceA, 1);
    EXPECT_EQ(first.PoleA, 2);
    EXPECT_EQ(first.SequenceB, 2);
    EXPECT_EQ(first.PoleB, 3);
    EXPECT_DOUBLE_EQ(first.ABAngle, 45.5);
    auto *grid = Widget<QTableWidget>("sgCombinations");
    EXPECT_EQ(grid->item(0, 4)->text(), "45.5");
    EXPECT_EQ(Widget<QPushButton>("btnAdd")->text(), "Add");
    Pick(2, "1", 1, "1", "10");
    Click("btnAdd");
    ASSERT_EQ(Combinations().Count(), 2);
    EXPECT_EQ(Combinations().Last()->Number, 1);
    EXPECT_EQ(Document.UndoStack().count(), Steps + 2);
    EXPECT_TRUE(Document.IsModified());
}

TEST_F(CombinationDialog, SequenceWithItselfIsRefusedWithAMessage)
{
    Open();
    Pick(1, "1", 1, "2", "30");
    Click("btnAdd");
    EXPECT_TRUE(Combinations().Empty());
    ASSERT_EQ(Ask.Asked.size(), 1u);
    EXPECT_TRUE(Ask.LastText().contains("cannot be combined with itself"));
    EXPECT_FALSE(Stepped());
}

TEST_F(CombinationDialog, AnUnpickedSideIsNamedNotConverted)
{
    Open();
    const QString message = QStringLiteral("Pick a sequence and a pole on both sides.");
    Click("btnAdd"); // nothing picked
    EXPECT_EQ(Ask.LastText(), message);
    Sequence(1)->setCurrentIndex(0);
    Pole(1)->setCurrentIndex(0);
    Click("btnAdd"); // the second side unpicked
    EXPECT_EQ(Ask.LastText(), message);
    EXPECT_EQ(Ask.Asked.size(), 2u);
    EXPECT_TRUE(Combinations().Empty());
    EXPECT_FALSE(Stepped());
}

TEST_F(CombinationDialog, TheSameTieTwiceIsRefusedAndNamed)
{
    Open({Pair(1, 2, 2, 3, 45), Pair(1, 1, 3, 1, 10)});
    struct TCase {
        int Row;        // -1: Add
        int SequenceA;  // list positions
        const char *PoleA;
        int SequenceB;
        const char *PoleB;
        QString Refusal; // "" when taken
    };
    const QString first = QStringLiteral("Row 1 of the list already combines pole 2 of sequence 1 with pole 3 of "
                                         "sequence 2.");
    const TCase cases[] = {
        {-1, 0, "2", 1, "3", first},      // pressing Add again after an Add
        {-1, 1, "3", 0, "2", first},      // the same poles the other way round
        {1, 0, "2", 1, "3", first},       // another row updated into it
        {0, 0, "2", 1, "3", QString()},   // a row updated with its own poles
        {-1, 0, "1", 1, "3", QString()},  // another pole
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Row);
        const std::string before = Document.Text();
        Ask.Asked.clear();
        if (c.Row < 0)
            Click("btnReset");
        else
            ClickRow(c.Row);
        Pick(c.SequenceA, c.PoleA, c.SequenceB, c.PoleB, "30");
        Click("btnAdd");
        if (c.Refusal.isEmpty()) {
            EXPECT_TRUE(Ask.Asked.empty()) << Ask.LastText().toStdString();
            EXPECT_NE(Document.Text(), before);
        } else {
            EXPECT_EQ(Ask.LastText(), c.Refusal);
            EXPECT_EQ(Document.Text(), before);
        }
    }
    EXPECT_EQ(Combinations().Count(), 3);
}

TEST_F(CombinationDialog, FourClicksOnAPictureBringItsTurnBack)
{
    Open();
    Sequence(1)->setCurrentIndex(0);
    const QImage upright = Picture(1)->pixmap().toImage();
    const double expected[] = {Pi / 2, Pi, 3 * Pi / 2, 0};
    for (double rotation : expected) {
        ClickPicture(1);
        EXPECT_DOUBLE_EQ(Dialog->Rotation(1), rotation);
    }
    EXPECT_DOUBLE_EQ(Dialog->Rotation(2), 0);
    EXPECT_EQ(Picture(1)->pixmap().toImage(), upright);
    ClickPicture(1);
    EXPECT_NE(Picture(1)->pixmap().toImage(), upright);
}

TEST_F(CombinationDialog, TurnsInAddModeGoToTheNewCombinationOnly)
{
    Open({Pair(1, 1, 2, 1, 0)});
    ClickPicture(2);
    EXPECT_DOUBLE_EQ(Combinations().First()->RotationTwo, 0);
    EXPECT_FALSE(Stepped());
    Pick(1, "2", 2, "1", "90");
    ClickPicture(2); // picking a sequence keeps the editor's turn
    Click("btnAdd");
    ASSERT_EQ(Combinations().Count(), 2);
    EXPECT_DOUBLE_EQ(Combinations().First()->RotationTwo, 0);
    EXPECT_DOUBLE_EQ(Combinations().Last()->RotationTwo, Pi);
}

TEST_F(CombinationDialog, UpdateChangesTheClickedRowOrNothing)
{
    Open({Pair(1, 1, 2, 1, 0), Pair(1, 2, 3, 2, 20)});
    ClickRow(1);
    EXPECT_EQ(Widget<QPushButton>("btnAdd")->text(), "Update");
    EXPECT_EQ(Sequence(2)->currentIndex(), 2);
    EXPECT_EQ(Pole(2)->currentText(), "2");
    EXPECT_EQ(Widget<TKorvelEdit>("edtAngle")->text(), "20");
    ClickPicture(1);
    // A field that does not convert stops the update before anything changes.
    const std::string before = Document.Text();
    Sequence(1)->setCurrentIndex(1);
    Widget<TKorvelEdit>("edtAngle")->setText(".");
    Click("btnAdd");
    EXPECT_EQ(Ask.LastText(), "'.' is not a valid floating point value");
    EXPECT_EQ(Document.Text(), before);
    Widget<TKorvelEdit>("edtAngle")->setText("35");
    Click("btnAdd");
    const TCombination &updated = *Combinations().Objects(1);
    EXPECT_EQ(updated.SequenceA, 2);
    EXPECT_DOUBLE_EQ(updated.ABAngle, 35);
    EXPECT_DOUBLE_EQ(updated.RotationOne, Pi / 2);
    EXPECT_EQ(Combinations().Count(), 2);
    Click("btnReset");
    EXPECT_EQ(Widget<QPushButton>("btnAdd")->text(), "Add");
}

TEST_F(CombinationDialog, RemovingTheLastLeavesAnEditorThatStillAdds)
{
    Open({Pair(1, 1, 2, 1, 0)});
    Document.UndoStack().setClean();
    ClickRow(0);
    Click("btnRemove");
    EXPECT_TRUE(Combinations().Empty());
    EXPECT_TRUE(Document.IsModified());
    EXPECT_EQ(Widget<QPushButton>("btnAdd")->text(), "Add");
    ClickPicture(1); // no combination to reach any more
    Click("btnAdd");
    ASSERT_EQ(Combinations().Count(), 1);
    EXPECT_EQ(Combinations().First()->Number, 0);
    EXPECT_DOUBLE_EQ(Combinations().First()->RotationOne, Pi / 2);
    Document.UndoStack().undo();
    Document.UndoStack().undo();
    EXPECT_EQ(Combinations().Count(), 1);
}

} // namespace
