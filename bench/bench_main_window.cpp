// The main window: start-up to its first painting with a project open,
// against an empty QMainWindow, and leaving a length field of a Box (commit,
// refreshes and redraw) at 1200 x 800. Start-up is measured twice: the window
// alone inside a running application, and a whole process from exec to the
// first painted window, as the user sees it; a window with one label shows
// what text alone costs, and a window with one of each widget kind this one
// is built of shows what Qt charges before any of its content.
#include "KorvelEditComp.h"
#include "MainFRM.h"
#include "ProcessRuns.h"
#include "SteadyHeap.h"
#include "uAsk.h"
#include "uGlobalSettings.h"
#include "uProjectDocument.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBar>
#include <QTreeWidget>

#include <cstring>

namespace {

using namespace corvadel;

const QString BoxExample = QStringLiteral(CORVADEL_SOURCE_DIR "/examples/box.xml");

void Settle(QWidget &window)
{
    window.show();
    window.repaint();
    QCoreApplication::processEvents();
}

// The two start-ups compared, inside a running application.
void StartEmptyWindow()
{
    QMainWindow window;
    window.resize(1200, 800);
    Settle(window);
}

// The floor of any window that shows text: one label makes Qt load the
// font database, which the empty window never does.
void StartLabelWindow()
{
    QMainWindow window;
    window.setCentralWidget(new QLabel(QStringLiteral("Corvadel")));
    window.resize(1200, 800);
    Settle(window);
}

// The floor of any window built of the widget kinds this one needs: one of
// each, holding almost nothing. Qt pays once per kind (style set-up, header
// sections, tool bar buttons), however few of them a window has.
void StartWidgetKindsWindow()
{
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("&Open..."));
    window.addToolBar(QStringLiteral("Tools"))->addAction(QStringLiteral("Open"));
    auto *splitter = new QSplitter;
    auto *tree = new QTreeWidget;
    new QTreeWidgetItem(tree, {QStringLiteral("Sequence 1")});
    splitter->addWidget(tree);
    auto *pages = new QTabWidget;
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    auto *group = new QGroupBox(QStringLiteral("Group"));
    new QVBoxLayout(group);
    group->layout()->addWidget(new QCheckBox(QStringLiteral("Check")));
    form->addRow(QStringLiteral("Length"), new QLineEdit(QStringLiteral("50.00")));
    form->addRow(QStringLiteral("Span"), new QComboBox);
    form->addRow(group);
    auto *table = new QTableWidget(1, 2);
    table->setHorizontalHeaderLabels({QStringLiteral("A"), QStringLiteral("B")});
    form->addRow(table);
    pages->addTab(page, QStringLiteral("Page"));
    splitter->addWidget(pages);
    window.setCentralWidget(splitter);
    window.statusBar()->showMessage(QStringLiteral("Ready"));
    window.resize(1200, 800);
    Settle(window);
}

// The main window with the Box example open, painted at 1200 x 800.
struct TBoxWindow {
    TQtAsk Ask;
    TGlobalSetting Settings;
    TfrmMain Window{Settings, Ask, {}};

    TBoxWindow()
    {
        Window.resize(1200, 800);
        Window.OpenFile(BoxExample);
        Settle(Window);
    }
};

void StartWithProject()
{
    TBoxWindow box;
}

void BM_StartEmptyWindow(benchmark::State &state)
{
    for (auto _ : state)
        StartEmptyWindow();
}

void BM_StartWithProject(benchmark::State &state)
{
    for (auto _ : state)
        StartWithProject();
}

void BM_CommitBoxLength(benchmark::State &state)
{
    TBoxWindow box;
    TfrmMain &window = box.Window;
    QApplication::setActiveWindow(&window);
    auto *field = window.findChild<TKorvelEdit *>("edtL3");
    auto *drawing = window.findChild<QWidget *>("imgSpanWire");
    field->setFocus();
    int i = 0;
    for (auto _ : state) {
        field->setText(++i % 2 ? QStringLiteral("60") : QStringLiteral("50"));
        field->setModified(true);
        window.CommitFocused();
        drawing->repaint();
    }
    window.Document().UndoStack().clear();
    window.Document().UndoStack().setClean();
}

// Runs this program again as a child that starts one window and exits once
// it has painted; the child's whole life is the start-up a user waits for.
const char *SelfPath = nullptr;

void StartProcess(benchmark::State &state, const char *what)
{
    RunProcesses(state, {SelfPath, "--start-child", what});
}

void BM_ProcessEmptyWindow(benchmark::State &state)
{
    StartProcess(state, "empty");
}

void BM_ProcessLabelWindow(benchmark::State &state)
{
    StartProcess(state, "label");
}

void BM_ProcessWidgetKindsWindow(benchmark::State &state)
{
    StartProcess(state, "kinds");
}

void BM_ProcessWithProject(benchmark::State &state)
{
    StartProcess(state, "project");
}

int RunChild(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (std::strcmp(argv[2], "empty") == 0)
        StartEmptyWindow();
    else if (std::strcmp(argv[2], "label") == 0)
        StartLabelWindow();
    else if (std::strcmp(argv[2], "kinds") == 0)
        StartWidgetKindsWindow();
    else
        StartWithProject();
    return 0;
}

BENCHMARK(BM_ProcessEmptyWindow)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ProcessLabelWindow)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ProcessWidgetKindsWindow)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ProcessWithProject)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_StartEmptyWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartWithProject)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CommitBoxLength)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3 && std::strcmp(argv[1], "--start-child") == 0)
        return RunChild(argc, argv);
    SelfPath = argv[0];
    QApplication app(argc, argv);
    return RunOnSteadyHeap(argc, argv);
}
