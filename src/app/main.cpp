#include "Commands.h"
#include "uCommandSupport.h"
#include "uGlobalSettings.h"
#include "HelpFRM.h"
#include "MainFRM.h"
#include "uAsk.h"
#include "uResultWindows.h"
#include "uIniFile.h"
#include "uWires.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTimer>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <memory>
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

// Subcommands never need a display, nor a session's runtime folder.
std::unique_ptr<QCoreApplication> PaintingApplication(int &argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QDir::tempPath() + QStringLiteral("/corvadel-runtime-%1").arg(getuid());
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
    }
    return std::make_unique<QApplication>(argc, argv);
}

int RunHeadless(const TCommand &command, int argc, char **argv)
{
    // A command that paints no text loads no fonts.
    const std::unique_ptr<QCoreApplication> app =
        command.PaintsText ? PaintingApplication(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
    KeepCNumbers();
    return RunCommand(command, std::vector<std::string>(argv + 2, argv + argc));
}

// Qt ends the process when it finds nothing to show windows on; say so first.
// A platform of its own in QT_QPA_PLATFORM (offscreen, vnc, ...) needs no
// display server.
bool DisplayAvailable()
{
    if (!qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return true;
    for (const QString &entry : qEnvironmentVariable("QT_QPA_PLATFORM").split(u';', Qt::SkipEmptyParts)) {
        const QString platform = entry.section(u':', 0, 0);
        if (!platform.isEmpty() && platform != u"xcb" && !platform.startsWith(u"wayland"))
            return true;
    }
    return false;
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

int main(int argc, char **argv)
{
    const std::string first = argc > 1 ? argv[1] : "";
    if (first == "--version") {
        std::printf("%s\n", TGlobalSetting::Version);
        return 0;
    }
    if (first == "--help" || first == "-h") {
        std::printf("%s", HelpText().c_str());
        return 0;
    }
    if (const TCommand *command = FindCommand(first))
        return RunHeadless(*command, argc, argv);
    if (!first.empty() && first[0] == '-') {
        std::fprintf(stderr, "corvadel: unknown option %s (see corvadel --help)\n", first.c_str());
        return 2;
    }
    if (!first.empty() && !FileExists(first)) {
        std::fprintf(stderr, "corvadel: unknown command %s, and no file of that name (see corvadel --help)\n",
                     first.c_str());
        return 2;
    }
    if (!DisplayAvailable()) {
        std::fprintf(stderr, "corvadel: no display found (DISPLAY and WAYLAND_DISPLAY are not set); the commands %s "
                             "need none (see corvadel --help)\n", CommandNames().c_str());
        return 2;
    }
    return RunDesktop(argc, argv);
}
