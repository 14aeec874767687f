// The undo history of the main window on a large generated project: a run of
// mixed edits taken back gives the opened file byte for byte and taken again
// the edited project; the views show the right sequence after each kind of
// change; the history's memory limit lets the oldest steps go.
#include "../../bench/uProjectGenerator.h"
#include "../support/ScratchFolder.h"
#include "../support/ScriptedAsk.h"
#include "../support/WhenModal.h"
#include "KorvelEditComp.h"
#include "MainFRM.h"
#include "uGlobalSettings.h"
#include "uProjectDocument.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>

using namespace corvadel;

namespace {

constexpr int Sequences = 600;

class UndoHistory : public ::testing::Test {
protected:
    UndoHistory()
        : Window(Settings, Ask, {})
    {
        TWireConfigurationList generated(Settings.Parameters);
        bench::GenerateProject(generated, Sequences);
        generated.Save(Folder.Path("city.xml"));
        Original = test::ScratchFolder::ReadBytes(Folder.Path("city.xml"));
        Window.show();
        QApplication::setActiveWindow(&Window);
        EXPECT_TRUE(Window.OpenFile(QString::fromStdString(Folder.Path("city.xml"))));
    }

    TProjectDocument &Document() { return Window.Document(); }
    void Trigger(const char *action) { Window.findChild<QAction *>(QLatin1String(action))->trigger(); }
    template <class T = QWidget>
    T *Child(const char *name) { return Window.findChild<T *>(QLatin1String(name)); }
    // Types into the field as a user does and leaves it for the tree.
    void Enter(const char *field, const QString &text)
    {
        auto *edit = Child<TKorvelEdit>(field);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
        Child("tvSpanWireList")->setFocus();
    }
    // The sequence the tree, the header and the detail pages show, or -1
    // when they disagree.
    int Shown()
    {
        const QTreeWidgetItem *node = Child<QTreeWidget>("tvSpanWireList")->currentItem();
        const int number = Window.CurrentSequence();
        const bool agree = node && node->data(0, Qt::UserRole).toInt() == number
            && Child<QLineEdit>("edtSequenceNumber")->text() == QString::number(number);
        return agree ? number : -1;
    }
    int TreeRows() { return Child<QTreeWidget>("tvSpanWireList")->topLevelItem(0)->childCount(); }
    int CombinationRows() { return Child<QTableWidget>("sgCombinations")->rowCount(); }

    test::ScratchFolder Folder;
    TGlobalSetting Settings;
    test::TScriptedAsk Ask;
    TfrmMain Window;
    std::string Original;
};

struct TEditCase {
    const char *Name;
    std::function<void()> Edit;
    int Shows; // the sequence shown afterwards
};

TEST_F(UndoHistory, MixedEditsTakenBackGiveTheFileAndTakenAgainTheEdits)
{
    ASSERT_TRUE(Document().Text() == Original);
    // A simple span with uniform wire weight in the middle of the project.
    const int target = 2 + 3 * (Sequences / 6);
    const int combinations = Document().Project().Combinations.Count();
    const TEditCase edits[] = {
        {"length field",
         [&] {
             Window.ShowSequence(target);
             Enter("edtL1", "125");
         },
         target},
        {"identification", [&] { Enter("edtID", "Renamed"); }, target},
        {"check box", [&] { Child<QCheckBox>("cbEnableWires")->click(); }, target},
        {"signals dialog",
         [&] {
             test::TWhenModal dialog([](QDialog &signals) {
                 signals.findChild<QPushButton *>("btnCustomSignal")->click();
                 signals.findChild<TKorvelEdit *>("edtSignalDeadLoad")->setText("40");
                 signals.findChild<TKorvelEdit *>("edtSignalAreaFactor")->setText("3");
                 signals.findChild<TKorvelEdit *>("edtDistance")->setText("35");
                 signals.findChild<QPushButton *>("btnAdd")->click();
             });
             Trigger("signals");
         },
         target},
        {"combination",
         [&] {
             test::TWhenModal dialog([](QDialog &combination) {
                 // Sequences 2 and 3: no combination ties them yet.
                 combination.findChild<QComboBox *>("cbSequence1")->setCurrentIndex(1);
                 combination.findChild<QComboBox *>("cbSequence2")->setCurrentIndex(2);
                 combination.findChild<QPushButton *>("btnAdd")->click();
             });
             Trigger("combinations");
         },
         target},
        {"add sequence", [&] { Trigger("add_box"); }, Sequences + 1},
        {"duplicate sequence", [&] { Trigger("duplicate_sequence"); }, Sequences + 2},
        {"remove sequence",
         [&] {
             Window.ShowSequence(target);
             Ask.Answers = {QMessageBox::Yes};
             Trigger("remove_sequence");
         },
         1},
    };
    for (const TEditCase &edit : edits) {
        SCOPED_TRACE(edit.Name);
        const int steps = Document().UndoStack().count();
        edit.Edit();
        EXPECT_EQ(Document().UndoStack().count(), steps + 1);
        EXPECT_EQ(Shown(), edit.Shows);
    }
    EXPECT_EQ(TreeRows(), Sequences + 1);
    EXPECT_EQ(CombinationRows(), Document().Project().Combinations.Count());
    const std::string edited = Document().Text();

    while (Document().UndoStack().canUndo())
        Trigger("undo");
    EXPECT_TRUE(Document().Text() == Original);
    EXPECT_FALSE(Document().IsModified());
    EXPECT_EQ(Shown(), target); // the last step taken back removed it
    EXPECT_EQ(TreeRows(), Sequences);
    EXPECT_EQ(CombinationRows(), combinations);
    const QTreeWidgetItem *node = Child<QTreeWidget>("tvSpanWireList")->currentItem();
    EXPECT_EQ(node->text(0).toStdString(), Document().Project().FindByNumber(target)->DisplayName());

    while (Document().UndoStack().canRedo())
        Trigger("redo");
    EXPECT_TRUE(Document().Text() == edited);
    EXPECT_EQ(TreeRows(), Sequences + 1);
}

// Each step of a field commit keeps its one sequence, twice: over the limit
// the oldest go first, and what stays still undoes, down to a saved state
// that is still there.
TEST_F(UndoHistory, LimitLetsTheOldestStepsGoAndTheRestStillUndo)
{
    std::vector<std::string> texts{Document().Text()};
    const auto commit = [&](int length) {
        Enter("edtL1", QString::number(length));
        texts.push_back(Document().Text());
    };
    commit(201);
    const size_t step = Document().UndoBytes();
    EXPECT_LT(step, size_t(100) << 10);
    Document().SetUndoLimit(step * 3 + step / 2);
    commit(202);
    commit(203);
    commit(204);
    Document().UndoStack().setClean(); // as a save does
    commit(205);
    commit(206);
    EXPECT_EQ(Document().UndoStack().count(), 3);
    EXPECT_LE(Document().UndoBytes(), step * 3 + step / 2);
    Trigger("undo");
    Trigger("undo");
    EXPECT_TRUE(Document().Text() == texts[4]);
    EXPECT_FALSE(Document().IsModified());
    Trigger("undo");
    EXPECT_FALSE(Document().UndoStack().canUndo());
    EXPECT_TRUE(Document().Text() == texts[3]);
    EXPECT_TRUE(Document().IsModified());
    while (Document().UndoStack().canRedo())
        Trigger("redo");
    EXPECT_TRUE(Document().Text() == texts[6]);
    const auto undoAll = [&] {
        while (Document().UndoStack().canUndo())
            Trigger("undo");
    };
    commit(207); // the saved state is the oldest the history still reaches
    undoAll();
    EXPECT_FALSE(Document().IsModified());
    while (Document().UndoStack().canRedo())
        Trigger("redo");
    commit(208); // and now it went with the dropped steps
    undoAll();
    EXPECT_TRUE(Document().IsModified());
}

} // namespace
