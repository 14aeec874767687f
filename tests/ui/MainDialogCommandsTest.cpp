// The main window's Signals and Combinations commands: when they are
// available, the dialog they open and what the window shows afterwards.
#include "CombinationFRM.h"
#include "KorvelEditComp.h"
#include "MainFRM.h"
#include "SignalsFRM.h"
#include "../support/ScriptedAsk.h"
#include "uGlobalSettings.h"
#include "uProjectDocument.h"
#include "uWires.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using namespace corvadel;
using corvadel::test::TScriptedAsk;

namespace {

class MainDialogCommands : public ::testing::Test {
protected:
    MainDialogCommands()
        : Window(Settings, Ask, {})
    {
        Window.show();
    }

    QAction *Action(const char *name) { return Window.findChild<QAction *>(QLatin1String(name)); }
    void AddSequence(int type, double spanLength)
    {
        Window.Document().Edit("add", TStepScope::OfSequenceList(), [=](TWireConfigurationList &project) {
            project.AddSequence(type)->Spans.SetLengthOf(1, spanLength);
        }, Window.Document().Project().NextNumber());
    }

    // Triggers the command and works the dialog it opens with `work`;
    // returns the dialog's object name ("" when none opened).
    template <typename Dialog>
    QString RunDialog(const char *command, const std::function<void(Dialog &)> &work)
    {
        QString opened;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
            if (dialog) {
                opened = dialog->objectName();
                work(*dialog);
            }
            if (QWidget *modal = QApplication::activeModalWidget())
                modal->close();
        });
        Action(command)->trigger();
        return opened;
    }

    TGlobalSetting Settings;
    TScriptedAsk Ask;
    TfrmMain Window;
};

TEST_F(MainDialogCommands, SignalsNeedASpanAndTheirItemsReachThePages)
{
    EXPECT_FALSE(Action("signals")->isEnabled());
    AddSequence(stSimple, 100);
    ASSERT_TRUE(Action("signals")->isEnabled());
    const QString opened = RunDialog<TfrmSignals>("signals", [](TfrmSignals &dialog) {
        dialog.findChild<QPushButton *>("btnCustomSignal")->click();
        dialog.findChild<TKorvelEdit *>("edtSignalDeadLoad")->setText("40");
        dialog.findChild<TKorvelEdit *>("edtSignalAreaFactor")->setText("3");
        dialog.findChild<TKorvelEdit *>("edtDistance")->setText("35");
        dialog.findChild<QPushButton *>("btnAdd")->click();
    });
    EXPECT_EQ(opened, "frmSignals");
    auto *signalGrid = Window.findChild<QTableWidget *>("sgSignalList");
    ASSERT_TRUE(signalGrid->item(0, 2));
    EXPECT_EQ(signalGrid->item(0, 2)->text(), "35");
    EXPECT_EQ(Window.findChild<QTableWidget *>("sgCompositionList")->rowCount(), 2);
    EXPECT_EQ(Window.findChild<TKorvelEdit *>("edtSignalWeights")->NumericOutput(), 40);
    EXPECT_TRUE(Window.Document().IsModified());
    Window.findChild<QAction *>("undo")->trigger();
    EXPECT_TRUE(Window.Document().Project().First()->Spans.First()->Signals.Empty());
    EXPECT_FALSE(signalGrid->isEnabled());
}

TEST_F(MainDialogCommands, CombinationsNeedTwoSequences)
{
    AddSequence(stSimple, 100);
    EXPECT_FALSE(Action("combinations")->isEnabled());
    AddSequence(stWYE, 100);
    ASSERT_TRUE(Action("combinations")->isEnabled());
    const QString opened = RunDialog<TfrmCombination>("combinations", [](TfrmCombination &dialog) {
        dialog.findChild<QComboBox *>("cbSequence1")->setCurrentIndex(0);
        dialog.findChild<QComboBox *>("cbSequence2")->setCurrentIndex(1);
        dialog.findChild<QPushButton *>("btnAdd")->click();
    });
    EXPECT_EQ(opened, "frmCombination");
    auto *grid = Window.findChild<QTableWidget *>("sgCombinations");
    ASSERT_TRUE(grid->item(0, 3));
    EXPECT_EQ(grid->item(0, 3)->text(), "2");
    EXPECT_TRUE(grid->isEnabled());
    // A double click on the grid opens the dialog as well.
    QString again;
    QTimer::singleShot(0, [&again] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            again = modal->objectName();
            modal->close();
        }
    });
    Q_EMIT grid->cellDoubleClicked(0, 0);
    EXPECT_EQ(again, "frmCombination");
}

} // namespace
