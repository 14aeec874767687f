#include "Commands.h"
#include "uGlobalSettings.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>

#include <clocale>
#include <cstdio>
#include <cstdlib>
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

int RunHeadless(const TCommand &command, int argc, char **argv)
{
    // Subcommands never need a display, nor a session's runtime folder.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QDir::tempPath() + QStringLiteral("/corvadel-runtime-%1").arg(getuid());
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
    }
    QApplication app(argc, argv);
    KeepCNumbers();
    std::vector<std::string> args(argv + 2, argv + argc);
    return command.Run(args);
}

int RunDesktop(int argc, char **argv)
{
    QApplication app(argc, argv);
    KeepCNumbers();
    TGlobalSetting settings(ProgramPath());
    QMainWindow window;
    window.setWindowTitle(QString::fromStdString(TGlobalSetting::Caption(argc > 1 ? argv[1] : "")));
    window.setCentralWidget(new QLabel(QStringLiteral("%1 %2").arg(TGlobalSetting::ProductTitle, TGlobalSetting::Version)));
    window.resize(800, 600);
    window.show();
    if (!settings.Warnings.empty()) {
        std::string text;
        for (const auto &warning : settings.Warnings)
            text += warning + "\n";
        QMessageBox::warning(&window, TGlobalSetting::ProductTitle, QString::fromStdString(text));
    }
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
    return RunDesktop(argc, argv);
}
