// Every way a modified project is closed asks the one question, and the keys
// of the command table reach their commands.
#include "KorvelEditComp.h"
#include "MainFRM.h"
#include "../support/Examples.h"
#include "../support/ScratchFolder.h"
#include "../support/ScriptedAsk.h"
#include "uGlobalSettings.h"
#include "uProjectDocument.h"
#include "uWires.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <QWindow>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <functional>

using namespace corvadel;
using corvadel::test::Example;
using corvadel::test::TScriptedAsk;

namespace {

const QString SaveQuestion = QStringLiteral("The project has been modified. Do you want to save your changes?");
const std::string SavedSAG = "<SEQUENCE_MAX_SAG>12</SEQUENCE_MAX_SAG>";

// A copy of box.xml opened after a copy of wye.xml (so the WYE stands second
// in the recent files), with its maximum SAG typed as 12.
class ClosingWindow : public ::testing::Test {
public: // the table of close paths works on it
    ClosingWindow()
        : Window(Settings, Ask, {})
    {
        for (const char *name : {"wye.xml", "box.xml", "legacy.sws"})
            std::filesystem::copy_file(Example(name).toStdString(), Folder.Path(name));
        Window.show();
        QApplication::setActiveWindow(&Window);
        EXPECT_TRUE(Window.OpenFile(Path("wye.xml")));
        EXPECT_TRUE(Window.OpenFile(Path("box.xml")));
    }

    QString Path(const char *name) const { return QString::fromStdString(Folder.Path(name)); }
    TWireConfigurationList &Project() { return Window.Document().Project(); }
    void Trigger(const char *action) { Window.findChild<QAction *>(QLatin1String(action))->trigger(); }
    // Types into a field and leaves it, as a user does.
    void Enter(const char *field, const QString &text)
    {
        auto *edit = Window.findChild<TKorvelEdit *>(QLatin1String(field));
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
        Window.findChild<QWidget *>("tvSpanWireList")->setFocus();
    }
    // What the title bar's close button sends; true when the window took it.
    bool CloseButton()
    {
        QCloseEvent close;
        QApplication::sendEvent(Window.windowHandle(), &close);
        return close.isAccepted();
    }
    bool SavedOnDisk() const { return Folder.Read("box.xml").find(SavedSAG) != std::string::npos; }

    test::ScratchFolder Folder;
    TGlobalSetting Settings;
    TScriptedAsk Ask;
    TfrmMain Window;
};

struct TClosePath {
    const char *Name;
    std::function<void(ClosingWindow &)> Request;
    // The request went through: the project closed or was replaced, or the window closed.
    std::function<bool(ClosingWindow &)> Done;
};

const TClosePath ClosePaths[] = {
    {"Close", [](ClosingWindow &w) { w.Window.CloseProject(); }, [](ClosingWindow &w) { return w.Project().Empty(); }},
    {"New", [](ClosingWindow &w) { w.Trigger("new"); }, [](ClosingWindow &w) { return w.Project().Empty(); }},
    {"Open",
     [](ClosingWindow &w) {
         w.Ask.FileNames = {w.Path("wye.xml")};
         w.Trigger("open");
     },
     [](ClosingWindow &w) { return w.Project().FileName == w.Folder.Path("wye.xml"); }},
    {"Import",
     [](ClosingWindow &w) {
         w.Ask.FileNames = {w.Path("legacy.sws")};
         w.Trigger("import");
     },
     [](ClosingWindow &w) { return w.Project().FileName == w.Folder.Path("legacy.xml"); }},
    {"Exit", [](ClosingWindow &w) { QTest::keyClick(&w.Window, Qt::Key_Q, Qt::ControlModifier); },
     [](ClosingWindow &w) { return !w.Window.isVisible(); }},
    {"CloseButton", [](ClosingWindow &w) { w.CloseButton(); }, [](ClosingWindow &w) { return !w.Window.isVisible(); }},
    {"Drop",
     [](ClosingWindow &w) {
         QMimeData data;
         data.setUrls({QUrl::fromLocalFile(w.Path("wye.xml"))});
         QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
         QApplication::sendEvent(&w.Window, &enter);
         QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
         QApplication::sendEvent(&w.Window, &drop);
     },
     [](ClosingWindow &w) { return w.Project().FileName == w.Folder.Path("wye.xml"); }},
    {"RecentFile", [](ClosingWindow &w) { w.Window.findChild<QMenu *>("recent_files")->actions().at(1)->trigger(); },
     [](ClosingWindow &w) { return w.Project().FileName == w.Folder.Path("wye.xml"); }},
};

class ClosePathAnswers
    : public ClosingWindow,
      public ::testing::WithParamInterface<std::tuple<TClosePath, QMessageBox::StandardButton>> {};

TEST_P(ClosePathAnswers, AskToSaveAndDoAsAnswered)
{
    const auto &[path, answer] = GetParam();
    Enter("edtMaxSAG", "12");
    ASSERT_TRUE(Window.Document().IsModified());
    Ask.Answers = {answer};
    path.Request(*this);
    ASSERT_EQ(Ask.Asked.size(), 1u);
    EXPECT_EQ(Ask.Asked[0].Text, SaveQuestion);
    EXPECT_EQ(Ask.Asked[0].Buttons, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    EXPECT_EQ(Ask.Asked[0].Default, QMessageBox::Save);
    EXPECT_EQ(SavedOnDisk(), answer == QMessageBox::Save);
    EXPECT_EQ(path.Done(*this), answer != QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel) {
        EXPECT_TRUE(Window.isVisible());
        EXPECT_EQ(Project().FileName, Folder.Path("box.xml"));
        EXPECT_DOUBLE_EQ(Project().First()->MaxSAG, 12);
        EXPECT_TRUE(Window.Document().IsModified());
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ClosePathAnswers,
                         ::testing::Combine(::testing::ValuesIn(ClosePaths),
                                            ::testing::Values(QMessageBox::Save, QMessageBox::Discard,
                                                              QMessageBox::Cancel)),
                         [](const auto &info) {
                             const QMessageBox::StandardButton answer = std::get<1>(info.param);
                             return std::string(std::get<0>(info.param).Name) + "_"
                                 + (answer == QMessageBox::Save      ? "Save"
                                        : answer == QMessageBox::Discard ? "Discard"
                                                                         : "Cancel");
                         });

TEST_F(ClosingWindow, AFieldLeftTypedInIsCommittedAndOfferedForSaving)
{
    auto *edit = Window.findChild<TKorvelEdit *>("edtMaxSAG");
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, "12");
    ASSERT_FALSE(Window.Document().IsModified());
    Ask.Answers = {QMessageBox::Save};
    EXPECT_TRUE(Window.close());
    EXPECT_EQ(Ask.LastText(), SaveQuestion);
    EXPECT_TRUE(SavedOnDisk());
}

TEST_F(ClosingWindow, ASaveThatDoesNotHappenKeepsTheProjectOpen)
{
    Trigger("new");
    Trigger("add_simple"); // a project without a name: Save asks for one
    Ask.Answers = {QMessageBox::Save};
    Ask.FileNames = {""};
    EXPECT_FALSE(Window.close());
    EXPECT_EQ(Ask.FileDialogsShown, 1);
    EXPECT_TRUE(Window.isVisible());
    EXPECT_EQ(Project().Count(), 1);

    Ask.Answers = {QMessageBox::Save};
    Ask.FileNames = {QStringLiteral("/nonexistent-folder/x.xml")};
    EXPECT_FALSE(Window.close());
    EXPECT_TRUE(Ask.LastText().contains("/nonexistent-folder/x.xml")) << Ask.LastText().toStdString();
    EXPECT_TRUE(Window.isVisible());
    EXPECT_TRUE(Window.Document().IsModified());
}

TEST_F(ClosingWindow, CloseRequestsWhileTheQuestionStandsAreRefused)
{
    Enter("edtMaxSAG", "12");
    bool taken = true;
    Ask.WhileAsking = [&] { taken = CloseButton(); };
    Ask.Answers = {QMessageBox::Cancel};
    QTest::keyClick(&Window, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(taken);
    EXPECT_EQ(Ask.Asked.size(), 1u) << "the second request asks nothing";
    EXPECT_TRUE(Window.isVisible());
    EXPECT_DOUBLE_EQ(Project().First()->MaxSAG, 12);

    // Refused also when the first request came from the button itself, and
    // the answer to the question still holds.
    taken = true;
    Ask.WhileAsking = [&] { taken = CloseButton(); };
    Ask.Answers = {QMessageBox::Discard};
    EXPECT_TRUE(CloseButton());
    EXPECT_FALSE(taken);
    EXPECT_EQ(Ask.Asked.size(), 2u);
    EXPECT_FALSE(Window.isVisible());
    EXPECT_FALSE(SavedOnDisk());
}

TEST_F(ClosingWindow, AnEmptiedProjectHasNothingToSaveAndIsAskedAbout)
{
    Ask.Answers = {QMessageBox::Yes};
    Trigger("remove_sequence");
    ASSERT_TRUE(Project().Empty());
    Ask.Answers = {QMessageBox::Cancel};
    EXPECT_FALSE(Window.close());
    EXPECT_EQ(Ask.LastText(), "Project has not been saved, do you want to close it anyway?");
    EXPECT_EQ(Ask.Asked.back().Buttons, QMessageBox::Yes | QMessageBox::Cancel);
    Ask.Answers = {QMessageBox::Yes};
    EXPECT_TRUE(Window.close());
}

// Every key of the command table, as the user presses it.
struct TShortcut {
    const char *Action;
    QKeyCombination Keys;
};

const TShortcut Shortcuts[] = {
    {"new", Qt::CTRL | Qt::Key_N},
    {"open", Qt::CTRL | Qt::Key_O},
    {"save", Qt::CTRL | Qt::Key_S},
    {"save_as", Qt::CTRL | Qt::SHIFT | Qt::Key_S},
    {"print", Qt::CTRL | Qt::Key_P},
    {"export_pdf", Qt::CTRL | Qt::Key_E},
    {"exit", Qt::CTRL | Qt::Key_Q},
    {"undo", Qt::CTRL | Qt::Key_Z},
    {"redo", Qt::CTRL | Qt::SHIFT | Qt::Key_Z},
    {"redo", Qt::CTRL | Qt::Key_Y},
    {"calculate", Qt::Key_F9},
};

TEST_F(ClosingWindow, TheKeysOfTheCommandTableAreTheseEachOnce)
{
    QStringList expected, given;
    for (const TShortcut &shortcut : Shortcuts)
        expected << QLatin1String(shortcut.Action) + ' ' + QKeySequence(shortcut.Keys).toString();
    for (const QAction *action : Window.findChildren<QAction *>())
        for (const QKeySequence &keys : action->shortcuts())
            given << action->objectName() + ' ' + keys.toString();
    expected.sort();
    given.sort();
    EXPECT_EQ(given.join(", ").toStdString(), expected.join(", ").toStdString());
}

class ShortcutKeys : public ClosingWindow, public ::testing::WithParamInterface<TShortcut> {};

TEST_P(ShortcutKeys, PressedInTheWindowRunTheirCommand)
{
    const TShortcut &shortcut = GetParam();
    Enter("edtMaxSAG", "12"); // a step to undo
    if (QLatin1String(shortcut.Action) == QLatin1String("redo"))
        Trigger("undo");
    auto *action = Window.findChild<QAction *>(QLatin1String(shortcut.Action));
    ASSERT_TRUE(action->isEnabled());
    // Whatever the command asks is declined.
    Ask.Answers = {QMessageBox::Cancel};
    Ask.FileNames = {"", ""};
    Ask.PrinterAnswers = {false};
    QSignalSpy triggered(action, &QAction::triggered);
    QTest::keyClick(&Window, shortcut.Keys.key(), shortcut.Keys.keyboardModifiers());
    EXPECT_EQ(triggered.count(), 1) << "an ambiguous key runs nothing";
}

INSTANTIATE_TEST_SUITE_P(Table, ShortcutKeys, ::testing::ValuesIn(Shortcuts), [](const auto &info) {
    std::string name = std::string(info.param.Action) + "_" + QKeySequence(info.param.Keys).toString().toStdString();
    std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name;
});

} // namespace
