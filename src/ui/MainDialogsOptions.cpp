// The main window's commands for the parameters, the project details, the
// about box and the help contents.
#include "MainFRM.h"

#include "AboutFRM.h"
#include "ParametersFRM.h"
#include "ProjectDetailFRM.h"
#include "uAsk.h"
#include "uGlobalSettings.h"
#include "uHelpContext.h"
#include "uProjectDocument.h"

#include <QAction>

namespace corvadel {

void TfrmMain::ShowParameters()
{
    TfrmParameters dialog(Settings, Ask, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    dialog.Store(Settings);
    try {
        Settings.Save(Settings.SettingsPath());
    } catch (const std::exception &error) {
        // The new values stay in effect: only keeping them for the next run failed.
        Ask.Tell(this, TMessageKind::Error,
                 QStringLiteral("The settings could not be written to <%1>: %2\nThey apply until the program ends.")
                     .arg(QString::fromStdString(Settings.SettingsPath()), QString::fromStdString(error.what())));
    }
    findChild<QAction *>("dynamic_graphic")->setChecked(Settings.EnableDynamicDisplay);
    findChild<QAction *>("labels")->setChecked(Settings.EnableDisplayLabel);
    ShowSequence(CurrentSequence()); // the wind pressure shown comes from the settings
}

void TfrmMain::ShowProjectDetail()
{
    TfrmProjectDetail dialog(FDocument->Project(), this);
    if (dialog.exec() == QDialog::Accepted)
        FDocument->Edit(QStringLiteral("Project Detail"), TStepScope::OfDetails(),
                        [&dialog](TWireConfigurationList &project) { dialog.Store(project); });
    RefreshStatus();
}

void TfrmMain::ShowAbout()
{
    TfrmAbout dialog(this);
    dialog.exec();
}

void TfrmMain::ShowHelpContents()
{
    ShowHelp(this, hcContents);
}

} // namespace corvadel
