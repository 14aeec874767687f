// The main window's commands that open the editing dialogs, and Import.
#include "MainFRM.h"

#include "AutomaticCalculationFRM.h"
#include "WiresFRM.h"
#include "uAsk.h"
#include "uDetailPages.h"
#include "uFormats.h"
#include "uGlobalSettings.h"
#include "uProjectDocument.h"
#include "uTopology.h"
#include "uWires.h"

namespace corvadel {

bool TfrmMain::ShowsRingSequence() const
{
    const TWireConfiguration *sequence = FDocument->Project().FindByNumber(CurrentSequence());
    return sequence && (sequence->SequenceType == stDelta || sequence->SequenceType == stBox);
}

void TfrmMain::EditVariableWires()
{
    const int number = CurrentSequence(), span = CurrentSpan();
    const TWireConfiguration *sequence = FDocument->Project().FindByNumber(number);
    if (!sequence || !sequence->Spans.FindByNumber(span))
        return;
    if (!sequence->VariableWires) {
        if (Ask.Message(this, TMessageKind::Information,
                        QStringLiteral("Variable wire is not enabled. Do you want to enable it?"),
                        QMessageBox::Yes | QMessageBox::No)
            != QMessageBox::Yes)
            return;
        FDocument->Edit(QStringLiteral("Variable Wire Weight"), TStepScope::OfSequence(number),
                        [number](TWireConfigurationList &project) {
                            project.FindByNumber(number)->SetVariableWires(true);
                        });
    }
    TfrmWires dialog(*FDocument, Ask, Settings.CodeList, number, span, this);
    dialog.exec();
}

void TfrmMain::AutomaticCalculation()
{
    const int number = CurrentSequence();
    const TWireConfiguration *sequence = FDocument->Project().FindByNumber(number);
    if (!sequence || !ShowsRingSequence())
        return;
    TfrmAutomaticCalculation dialog(*sequence, Ask, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const TPlanValues values = dialog.Values();
    FDocument->Edit(QStringLiteral("Automatic Calculation"), TStepScope::OfSequence(number),
                    [number, &values](TWireConfigurationList &project) {
                        TWireConfiguration &target = *project.FindByNumber(number);
                        for (size_t i = 0; i < values.Lengths.size(); ++i) {
                            const int span = int(i) + 1;
                            target.Spans.SetLengthOf(span, values.Lengths[i]);
                            target.Spans.SetAngleOf(span, values.Angles[i] * 180 / Pi);
                        }
                    });
}

void TfrmMain::Import()
{
    // The dialog first: Cancel must leave the open project as it is.
    const QString path = Ask.OpenFileName(this, QStringLiteral("Import"),
                                          QStringLiteral("TARVO Old Format (*.sws);;All Files (*.*)"));
    if (path.isEmpty() || !MayCloseProject())
        return;
    ReadProject(path, &TProjectDocument::Import);
}

} // namespace corvadel
