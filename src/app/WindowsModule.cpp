// The desktop program and the commands that paint, in a module the executable
// loads only when one of them runs: `corvadel calc` and `convert` never load
// a GUI library, nor the fonts.
#include "Commands.h"
#include "HelpFRM.h"
#include "MainFRM.h"
#include "uAsk.h"
#include "uGlobalSettings.h"
#include "uResultWindows.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTimer>

#include <clocale>
#include <map>
#include <string>
#include <vector>

#include <unistd.h>

using namespace corvadel;

namespace {

// Qt adopts the user's locale; file numbers always use the C conventions.
void KeepCNumbers()
{
    std::setlocale(LC_NUMERIC, "C");
}

// The commands paint without a display, and without a session's runtime folder.
int RunPainting(const TCommand &command, int argc, char **argv)
{
    static const std::map<std::string, int (*)(const TArguments &)> entries = {
        {"draw", RunDraw}, {"report", RunReport}, {"sheet", RunSheet}, {"study", RunStudy}};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QDir::tempPath() + QStringLiteral("/corvadel-runtime-%1").arg(getuid());
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
    }
    QApplication app(argc, argv);
    KeepCNumbers();
    TCommand painting = command;
    painting.Run = entries.at(command.Name);
    return RunCommand(painting, std::vector<std::string>(argv + 2, argv + argc));
}

int RunDesktop(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QLatin1String(TGlobalSetting::ProductAcronym));
    KeepCNumbers();
    TGlobalSetting settings(ProgramPath());
    TQtAsk ask;
    TfrmMain window(settings, ask, ResultWindows(settings));
    THelpDesk help(&window);
    window.show();
    const QString file = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    // Once the window stands: what the settings and catalogue said, then the file.
    QTimer::singleShot(0, &window, [&] {
        if (!settings.Warnings.empty()) {
            QStringList lines;
            for (const auto &warning : settings.Warnings)
                lines << QString::fromStdString(warning);
            ask.Tell(&window, TMessageKind::Warning, lines.join('\n'));
        }
        if (!file.isEmpty())
            window.OpenFile(file);
    });
    return app.exec();
}

} // namespace

// A command that paints when argv[1] names one, otherwise the desktop program.
extern "C" __attribute__((visibility("default"))) int CorvadelWindowsMain(int argc, char **argv)
{
    if (argc > 1)
        if (const TCommand *command = FindCommand(argv[1]); command && command->PaintsText)
            return RunPainting(*command, argc, argv);
    return RunDesktop(argc, argv);
}
