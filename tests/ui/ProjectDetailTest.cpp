// The project detail dialog on its own and through New and its command.
#include "KorvelEditComp.h"
#include "MainFRM.h"
#include "ProjectDetailFRM.h"
#include "../support/ScriptedAsk.h"
#include "../support/WhenModal.h"
#include "uGlobalSettings.h"
#include "uProjectDocument.h"
#include "uWires.h"

#include <QAction>
#include <QApplication>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QUndoStack>

#include <gtest/gtest.h>

using namespace corvadel;
using corvadel::test::TScriptedAsk;
using corvadel::test::TWhenModal;

namespace {

TEST(ProjectDetail, NameAndAuthorTakeAtMost25TypedCharacters)
{
    TTARVOParameters parameters;
    TWireConfigurationList project(parameters);
    TfrmProjectDetail dialog(project);
    for (const char *name : {"edtProjectName", "edtAuthor"}) {
        SCOPED_TRACE(name);
        auto *edit = dialog.findChild<TKorvelEdit *>(QLatin1String(name));
        ASSERT_NE(edit, nullptr);
        QTest::keyClicks(edit, QStringLiteral("abcdefghijklmnopqrstuvwxyz0123"));
        EXPECT_EQ(edit->text(), "abcdefghijklmnopqrstuvwxy");
    }
}

TEST(ProjectDetail, CommentsRoundTripThroughCrLf)
{
    TTARVOParameters parameters;
    TWireConfigurationList project(parameters);
    project.Comments = "North approach\r\nspan over lane 2\r\n\r\nchecked";
    project.ClearModified();
    TfrmProjectDetail dialog(project);
    auto *memo = dialog.findChild<QPlainTextEdit *>("memComments");
    EXPECT_EQ(memo->toPlainText(), "North approach\nspan over lane 2\n\nchecked");
    dialog.Store(project);
    EXPECT_EQ(project.Comments, "North approach\r\nspan over lane 2\r\n\r\nchecked");
    EXPECT_FALSE(project.IsModified()); // nothing changed

    memo->setPlainText(QStringLiteral("one\ntwo"));
    dialog.Store(project);
    EXPECT_EQ(project.Comments, "one\r\ntwo");
    EXPECT_TRUE(project.IsModified());
}

TEST(ProjectDetail, TheDateKeepsItsTimeOfDayAndTheLastRevisionIsOnlyShown)
{
    TTARVOParameters parameters;
    TWireConfigurationList project(parameters);
    project.ProjectDate = {2026, 3, 14, 15, 9, 26};
    project.LastRevision = {2026, 11, 2, 8, 0, 0};
    TfrmProjectDetail dialog(project);
    auto *revision = dialog.findChild<QLineEdit *>("edtLastRevision");
    EXPECT_EQ(revision->text(), "11/02/2026");
    EXPECT_TRUE(revision->isReadOnly());
    auto *date = dialog.findChild<QDateEdit *>("dtProjectDate");
    EXPECT_TRUE(date->calendarPopup());
    date->setDate(QDate(2026, 4, 1));
    dialog.Store(project);
    EXPECT_EQ(project.ProjectDate, (TDateTime{2026, 4, 1, 15, 9, 26}));
    EXPECT_EQ(project.LastRevision, (TDateTime{2026, 11, 2, 8, 0, 0}));
}

class ProjectDetailCommand : public ::testing::Test {
protected:
    ProjectDetailCommand()
        : Window(Settings, Ask, {})
    {
        Window.show();
        QApplication::setActiveWindow(&Window);
    }
    static void FillAndConfirm(QDialog &dialog)
    {
        dialog.findChild<TKorvelEdit *>("edtProjectName")->setText(QStringLiteral("Elm and 5th"));
        dialog.findChild<TKorvelEdit *>("edtAuthor")->setText(QStringLiteral("R. Ortiz"));
        QTest::mouseClick(dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    }
    QString Panel(int i) { return Window.findChild<QLabel *>(QStringLiteral("sbPanel%1").arg(i))->text(); }

    TGlobalSetting Settings;
    TScriptedAsk Ask;
    TfrmMain Window;
};

TEST_F(ProjectDetailCommand, OkStoresTheDetailsAsOneUndoableStep)
{
    {
        TWhenModal when(FillAndConfirm);
        Window.findChild<QAction *>("project_detail")->trigger();
    }
    EXPECT_EQ(Window.Document().Project().ProjectName, "Elm and 5th");
    EXPECT_EQ(Panel(0), "R. Ortiz");
    EXPECT_EQ(Panel(1), "Elm and 5th");
    EXPECT_EQ(Panel(4), "Modified");
    Window.Document().UndoStack().undo();
    EXPECT_EQ(Window.Document().Project().ProjectName, "");
    EXPECT_EQ(Panel(1), "");
}

TEST_F(ProjectDetailCommand, CancelStoresNothing)
{
    {
        TWhenModal when([](QDialog &dialog) {
            dialog.findChild<TKorvelEdit *>("edtProjectName")->setText(QStringLiteral("Not this"));
            dialog.reject();
        });
        Window.findChild<QAction *>("project_detail")->trigger();
    }
    EXPECT_EQ(Window.Document().Project().ProjectName, "");
    EXPECT_FALSE(Window.Document().IsModified());
}

TEST_F(ProjectDetailCommand, NewAsksForTheDetailsWhenTheSettingSaysSo)
{
    Settings.AutomaticProjectDetail = true;
    {
        TWhenModal when(FillAndConfirm);
        Window.findChild<QAction *>("new")->trigger();
    }
    EXPECT_EQ(Window.Document().Project().Author, "R. Ortiz");
    EXPECT_EQ(Panel(0), "R. Ortiz");
}

} // namespace
