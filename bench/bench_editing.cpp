// Editing at scale: the main window over generated projects of 3, 1,000 and
// 2,000 sequences (the intersection example repeated). Leaving a length field
// (commit, refresh, paint), the memory an undo step keeps, F9 to the painted
// result window against the calculation alone, and switching the shown
// sequence against repainting the window alone.
#include "KorvelEditComp.h"
#include "MainFRM.h"
#include "SteadyHeap.h"
#include "uAsk.h"
#include "uCalculationRun.h"
#include "uGlobalSettings.h"
#include "uProjectDocument.h"
#include "uProjectGenerator.h"
#include "uResultWindows.h"

#include <QAction>
#include <QApplication>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <unistd.h>

namespace {

using namespace corvadel;

// One generated project file per size, written once per run and removed
// at its end.
QString GeneratedProject(int count)
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("generated-%1.xml").arg(count));
    if (QFile::exists(path))
        return path;
    const TTARVOParameters parameters;
    TWireConfigurationList project(parameters);
    bench::GenerateProject(project, count);
    project.Save(path.toStdString());
    return path;
}

// Nobody sits at the keyboard: a question would stop the benchmark for good.
class TNobodyAsks : public TQtAsk
{
public:
    QMessageBox::StandardButton Message(QWidget *, TMessageKind, const QString &text, QMessageBox::StandardButtons,
                                        QMessageBox::StandardButton) override
    {
        std::fprintf(stderr, "unexpected question: %s\n", qPrintable(text));
        std::abort();
    }
};

void Paint(QWidget &window)
{
    window.repaint();
    QCoreApplication::processEvents();
}

// The main window at 1200 x 800 with a generated project open; a successful
// calculation shows the real result window, painted, and returns.
struct TWindowOver {
    TNobodyAsks Ask;
    TGlobalSetting Settings;
    int ResultsPainted = 0;
    TfrmMain Window{Settings, Ask, ResultWindows(Settings, [this](QDialog &dialog) {
                        dialog.show();
                        Paint(dialog);
                        dialog.hide(); // as the person closes it before the next F9
                        ++ResultsPainted;
                    })};

    explicit TWindowOver(int count)
    {
        Window.resize(1200, 800);
        Window.OpenFile(GeneratedProject(count));
        Window.show();
        Paint(Window);
        QApplication::setActiveWindow(&Window);
    }
    ~TWindowOver()
    {
        Window.Document().UndoStack().clear();
        Window.Document().UndoStack().setClean();
    }
};

long ResidentBytes()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

// Types a length into L1 of the shown sequence and leaves the field: the
// commit, the refreshes and the painting of what changed. Lengthening only,
// so no signal is dropped and nothing is asked.
class TLengthTyping
{
public:
    explicit TLengthTyping(TfrmMain &window)
        : Window(window)
        , Field(window.findChild<TKorvelEdit *>("edtL1"))
        , Base(Field->text().toDouble())
    {
        Field->setFocus();
    }
    // One step, never inlined, so callgrind can count it alone
    // (--toggle-collect='*TLengthTyping::Leave*').
    [[gnu::noinline]] void Leave()
    {
        Field->setText(QString::number(Base + 1 + (++Count % 2)));
        Field->setModified(true);
        Window.CommitFocused();
        QCoreApplication::processEvents();
    }

private:
    TfrmMain &Window;
    TKorvelEdit *Field;
    double Base;
    int Count = 0;
};

void BM_LeaveLengthField(benchmark::State &state)
{
    TWindowOver over(int(state.range(0)));
    TLengthTyping typing(over.Window);
    int steps = 0;
    for (auto _ : state) {
        typing.Leave();
        if (++steps % 20 == 0) { // the undo history stays the same size throughout
            state.PauseTiming();
            over.Window.Document().UndoStack().clear();
            state.ResumeTiming();
        }
    }
}

// What 50 field commits keep: the resident memory they add and the undo
// stack's own count, per step.
void BM_UndoStepMemory(benchmark::State &state)
{
    constexpr int Commits = 50;
    TWindowOver over(int(state.range(0)));
    TLengthTyping typing(over.Window);
    for (int i = 0; i < 4; ++i) // buffers of the first commits reach their working size
        typing.Leave();
    TProjectDocument &document = over.Window.Document();
    for (auto _ : state) {
        const long before = ResidentBytes();
        const size_t kept = document.UndoBytes();
        for (int i = 0; i < Commits; ++i)
            typing.Leave();
        state.counters["rss_per_step_kb"] = double(ResidentBytes() - before) / Commits / 1024;
        state.counters["stack_per_step_kb"] = double(document.UndoBytes() - kept) / Commits / 1024;
    }
}

// F9 with the focus in a field: commit, calculation, and the result window
// built and painted.
void BM_CalculateAndShowResults(benchmark::State &state)
{
    TWindowOver over(int(state.range(0)));
    QAction *calculate = over.Window.findChild<QAction *>("calculate");
    for (auto _ : state)
        calculate->trigger();
    if (over.ResultsPainted != int(state.iterations()))
        state.SkipWithError("the result window was not shown");
}

void BM_CalculationAlone(benchmark::State &state)
{
    TWindowOver over(int(state.range(0)));
    TWireConfigurationList &project = over.Window.Document().Project();
    for (auto _ : state)
        benchmark::DoNotOptimize(TCalculationRun::RunCalculation(project));
}

// The user moves to another sequence in the tree; the window paints what
// changed. Never inlined, as the repaint below, for callgrind.
[[gnu::noinline]] void SwitchTo(QTreeWidget &tree, QTreeWidgetItem *node)
{
    tree.setCurrentItem(node);
    QCoreApplication::processEvents();
}

// The whole window painted again, nothing changed.
[[gnu::noinline]] void RepaintWhole(QWidget &window)
{
    window.update();
    QCoreApplication::processEvents();
}

void BM_SwitchSequence(benchmark::State &state)
{
    TWindowOver over(int(state.range(0)));
    auto *tree = over.Window.findChild<QTreeWidget *>("tvSpanWireList");
    QTreeWidgetItem *root = tree->topLevelItem(0);
    int i = 0;
    for (auto _ : state)
        SwitchTo(*tree, root->child(root->childCount() / 2 + (++i % 2)));
}

void BM_RepaintWindow(benchmark::State &state)
{
    TWindowOver over(int(state.range(0)));
    auto *tree = over.Window.findChild<QTreeWidget *>("tvSpanWireList");
    QTreeWidgetItem *root = tree->topLevelItem(0);
    SwitchTo(*tree, root->child(root->childCount() / 2));
    for (auto _ : state)
        RepaintWhole(over.Window);
}

BENCHMARK(BM_LeaveLengthField)->Arg(3)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoStepMemory)->Arg(2000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CalculateAndShowResults)->Arg(3)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CalculationAlone)->Arg(3)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SwitchSequence)->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintWindow)->Arg(2000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return RunOnSteadyHeap(argc, argv);
}
