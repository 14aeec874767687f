// The main window: start-up to its first painting with a project open,
// against an empty QMainWindow, and leaving a length field of a Box (commit,
// refreshes and redraw) at 1200 x 800.
#include "KorvelEditComp.h"
#include "MainFRM.h"
#include "SteadyHeap.h"
#include "uAsk.h"
#include "uGlobalSettings.h"
#include "uProjectDocument.h"

#include <QApplication>
#include <QMainWindow>

namespace {

using namespace corvadel;

const QString BoxExample = QStringLiteral(CORVADEL_SOURCE_DIR "/examples/box.xml");

void Settle(QWidget &window)
{
    window.show();
    window.repaint();
    QCoreApplication::processEvents();
}

void BM_StartEmptyWindow(benchmark::State &state)
{
    for (auto _ : state) {
        QMainWindow window;
        window.resize(1200, 800);
        Settle(window);
    }
}

void BM_StartWithProject(benchmark::State &state)
{
    TQtAsk ask;
    for (auto _ : state) {
        TGlobalSetting settings;
        TfrmMain window(settings, ask, {});
        window.resize(1200, 800);
        window.OpenFile(BoxExample);
        Settle(window);
    }
}

void BM_CommitBoxLength(benchmark::State &state)
{
    TQtAsk ask;
    TGlobalSetting settings;
    TfrmMain window(settings, ask, {});
    window.resize(1200, 800);
    window.OpenFile(BoxExample);
    Settle(window);
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

BENCHMARK(BM_StartEmptyWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartWithProject)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CommitBoxLength)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return RunOnSteadyHeap(argc, argv);
}
