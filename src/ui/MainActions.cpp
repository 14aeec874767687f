// The commands of the main window as one table: where each stands, how it
// reads, what runs it and when it is enabled.
#include "MainFRM.h"

#include "uProjectDocument.h"
#include "uGlobalSettings.h"
#include "uIcons.h"
#include "uTopology.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <QUndoStack>

#include <map>

namespace corvadel {

// One row per command: where it stands, how it reads, what runs it and when
// it is enabled. A row without a name is a separator; a handler of nullptr
// stands for a command whose window comes later (shown disabled).
struct TfrmMain::TCommand {
    const char *Name;
    const char *Caption;
    const char *Menu;
    QKeySequence Shortcut;
    const char *Hint;
    int ToolGroup; // -1: not on the tool bar
    void (TfrmMain::*Handler)();
    bool (*Enabled)(const TfrmMain &);
    bool Checkable = false;
};

namespace {

bool Always(const TfrmMain &)
{
    return true;
}

bool HasSequence(const TfrmMain &window)
{
    return window.CurrentSequence() != 0;
}

bool HasSpan(const TfrmMain &window)
{
    return window.CurrentSequence() != 0 && window.CurrentSpan() != 0;
}

bool HasTwoSequences(const TfrmMain &window)
{
    return window.SequenceCount() >= 2;
}

bool HasRingSequence(const TfrmMain &window)
{
    return window.ShowsRingSequence();
}

} // namespace

void TfrmMain::BuildActions()
{
    using W = TfrmMain;
    static const TCommand commands[] = {
        {"new", "&New", "&File", QKeySequence::New, "New", 0, &W::NewProject, Always},
        {"open", "&Open...", "&File", QKeySequence::Open, "Open", 0, &W::Open, Always},
        {"import", "&Import...", "&File", {}, "Import a project of the TARVO Old Format (*.sws)", -1, &W::Import,
         Always},
        {"save", "&Save", "&File", QKeySequence::Save, "Save", 0, &W::Save, Always},
        // Written out: some platforms give Save As no key of its own.
        {"save_as", "Save &As...", "&File", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), "Save As", -1, &W::SaveAs,
         Always},
        {nullptr, nullptr, "&File", {}, nullptr, -1, nullptr, nullptr},
        {"input_simple", "&Simple", "&File/Print &Input Sheet", {}, nullptr, -1, &W::PrintSheet<stSimple>, Always},
        {"input_wye", "&WYE", "&File/Print &Input Sheet", {}, nullptr, -1, &W::PrintSheet<stWYE>, Always},
        {"input_h", "&H", "&File/Print &Input Sheet", {}, nullptr, -1, &W::PrintSheet<stH>, Always},
        {"input_delta", "&Delta", "&File/Print &Input Sheet", {}, nullptr, -1, &W::PrintSheet<stDelta>, Always},
        {"input_hybrid", "H&ybrid", "&File/Print &Input Sheet", {}, nullptr, -1, &W::PrintSheet<stHybrid>, Always},
        {"input_box", "&Box", "&File/Print &Input Sheet", {}, nullptr, -1, &W::PrintSheet<stBox>, Always},
        {"print_preview", "Print Preview", "&File", {}, "Print Preview", 0, &W::PrintPreview, HasSequence},
        {"print", "&Print...", "&File", QKeySequence::Print, "Print", 0, &W::Print, HasSequence},
        {"print_setup", "P&rint Setup...", "&File", {}, nullptr, -1, &W::PrintSetup, Always},
        {"export_pdf", "Export PDF…", "&File", QKeySequence(Qt::CTRL | Qt::Key_E), nullptr, -1, &W::ExportPdf,
         HasSequence},
        {nullptr, nullptr, "&File", {}, nullptr, -1, nullptr, nullptr},
        {"exit", "E&xit", "&File", QKeySequence(Qt::CTRL | Qt::Key_Q), "Exit", -1, &W::Exit, Always},
        {"project_detail", "Pro&ject Detail", "&Application", {}, nullptr, -1, &W::ShowProjectDetail, Always},
        {nullptr, nullptr, "&Application", {}, nullptr, -1, nullptr, nullptr},
        {"add_simple", "&Simple", "&Application/Add &Sequence", {}, nullptr, -1, &W::AddSimple, Always},
        {"add_wye", "&WYE", "&Application/Add &Sequence", {}, nullptr, -1, &W::AddWye, Always},
        {"add_h", "&H", "&Application/Add &Sequence", {}, nullptr, -1, &W::AddH, Always},
        {"add_delta", "&Delta", "&Application/Add &Sequence", {}, nullptr, -1, &W::AddDelta, Always},
        {"add_hybrid", "H&ybrid", "&Application/Add &Sequence", {}, nullptr, -1, &W::AddHybrid, Always},
        {"add_box", "&Box", "&Application/Add &Sequence", {}, nullptr, -1, &W::AddBox, Always},
        {"duplicate_sequence", "&Duplicate Sequence", "&Application", {}, nullptr, -1, &W::Duplicate, HasSequence},
        {"remove_sequence", "&Remove Sequence", "&Application", {}, "Remove Span Wire", -1, &W::Remove,
         HasSequence},
        {nullptr, nullptr, "&Application", {}, nullptr, -1, nullptr, nullptr},
        {"automatic_calculation", "Automatic Calculation...", "&Application", {}, nullptr, -1,
         &W::AutomaticCalculation, HasRingSequence},
        {nullptr, nullptr, "&Application", {}, nullptr, -1, nullptr, nullptr},
        {"signals", "&Signals and Signs...", "&Application", {}, "Edit Signals and Signs", 1, &W::EditSignals,
         HasSpan},
        {"variable_wires", "Variable Wire Weights..", "&Application", {}, "Edit Variable Wires Weights", 1,
         &W::EditVariableWires, HasSpan},
        {nullptr, nullptr, "&Application", {}, nullptr, -1, nullptr, nullptr},
        {"combinations", "Com&binations...", "&Application", {}, "Edit Combinations", 1, &W::EditCombinations,
         HasTwoSequences},
        {nullptr, nullptr, "&Application", {}, nullptr, -1, nullptr, nullptr},
        {"calculate", "&Calculate Result", "&Application", QKeySequence(Qt::Key_F9), "Display Result", 2,
         &W::Calculate, HasSequence},
        {"dynamic_graphic", "Display Dynamic Graphic", "&Options", {}, "Display Dynamic Graphic", 3,
         &W::ToggleDynamic, HasSequence, true},
        {"labels", "Display &Labels", "&Options", {}, "Display Labels", 3, &W::ToggleLabels, Always, true},
        {nullptr, nullptr, "&Options", {}, nullptr, -1, nullptr, nullptr},
        {"parameters", "Parameters ...", "&Options", {}, nullptr, -1, &W::ShowParameters, Always},
        // F1 asks for the topic of the window it is pressed in, not the contents.
        {"help", "&Contents", "&Help", {}, "Help", 4, &W::ShowHelpContents, Always},
        {"about", "&About...", "&Help", {}, nullptr, -1, &W::ShowAbout, Always},
    };
    std::map<QString, QMenu *> menus;
    const auto menuFor = [&](const QString &path) {
        if (auto found = menus.find(path); found != menus.end())
            return found->second;
        const int slash = path.lastIndexOf('/');
        QMenu *menu = slash < 0 ? menuBar()->addMenu(path) : menus[path.left(slash)]->addMenu(path.mid(slash + 1));
        menus[path] = menu;
        if (path == "&File") {
            // Undo and redo, named after the step they take, right after File.
            QMenu *edit = menuBar()->addMenu(QStringLiteral("&Edit"));
            QAction *undo = FDocument->UndoStack().createUndoAction(this);
            undo->setObjectName(QStringLiteral("undo"));
            undo->setShortcut(QKeySequence::Undo);
            QAction *redo = FDocument->UndoStack().createRedoAction(this);
            redo->setObjectName(QStringLiteral("redo"));
            // Written out: the platform's Redo key may be one of these, and a key
            // given twice is ambiguous and does nothing.
            redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
            edit->addAction(undo);
            edit->addAction(redo);
        }
        return menu;
    };
    QToolBar *tools = addToolBar(QStringLiteral("Tools"));
    tools->setObjectName(QStringLiteral("tbMain"));
    std::vector<std::vector<QAction *>> groups(5);
    for (const TCommand &command : commands) {
        QMenu *menu = menuFor(QLatin1String(command.Menu));
        if (!command.Name) {
            menu->addSeparator();
            continue;
        }
        auto *action = new QAction(QString::fromUtf8(command.Caption), this);
        action->setObjectName(QLatin1String(command.Name));
        action->setShortcut(command.Shortcut);
        action->setIcon(CommandIcon(command.Name));
        if (command.Hint)
            action->setToolTip(QLatin1String(command.Hint));
        action->setCheckable(command.Checkable);
        if (command.Handler) {
            connect(action, &QAction::triggered, this, [this, handler = command.Handler] { Run(handler); });
            Enabling.emplace_back(action, [this, enabled = command.Enabled] { return enabled(*this); });
        } else {
            action->setEnabled(false); // its window comes with a later change
        }
        menu->addAction(action);
        if (command.ToolGroup >= 0)
            groups[size_t(command.ToolGroup)].push_back(action);
        if (QLatin1String(command.Name) == QLatin1String("save_as")) {
            RecentMenu = menu->addMenu(QStringLiteral("Recent &Files"));
            RecentMenu->setObjectName(QStringLiteral("recent_files"));
        }
    }
    findChild<QAction *>("dynamic_graphic")->setChecked(Settings.EnableDynamicDisplay);
    findChild<QAction *>("labels")->setChecked(Settings.EnableDisplayLabel);

    // Each Add command shows the plan of its type.
    for (int type = 1; IsSequenceType(type); ++type)
        if (auto *addType = findChild<QAction *>(
                "add_" + QString::fromStdString(Topology(type).TypeName).toLower()))
            addType->setIcon(TypeIcon(type));

    // The drop-down "Add Span Wire" button opens the six Add commands.
    auto *add = new QToolButton;
    add->setObjectName(QStringLiteral("add_span_wire"));
    add->setText(QStringLiteral("Add &Span Wire"));
    add->setToolTip(QStringLiteral("Add Span Wire Configuration"));
    add->setIcon(CommandIcon("add_span_wire"));
    add->setMenu(menus["&Application/Add &Sequence"]);
    add->setPopupMode(QToolButton::MenuButtonPopup);
    connect(add, &QToolButton::clicked, this,
            [this, add] { add->menu()->popup(mapToGlobal(QPoint(100, 100))); });
    for (size_t g = 0; g < groups.size(); ++g) {
        if (g > 0)
            tools->addSeparator();
        if (g == 1)
            tools->addWidget(add);
        for (QAction *action : groups[g])
            tools->addAction(action);
    }
}

void TfrmMain::Exit()
{
    close();
}
void TfrmMain::AddSimple() { AddSequence(stSimple); }
void TfrmMain::AddWye() { AddSequence(stWYE); }
void TfrmMain::AddH() { AddSequence(stH); }
void TfrmMain::AddDelta() { AddSequence(stDelta); }
void TfrmMain::AddHybrid() { AddSequence(stHybrid); }
void TfrmMain::AddBox() { AddSequence(stBox); }

} // namespace corvadel
