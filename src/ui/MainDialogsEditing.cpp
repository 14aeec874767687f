// The main window's commands that open the signals and combinations dialogs.
#include "MainFRM.h"

#include "CombinationFRM.h"
#include "SignalsFRM.h"
#include "uDetailPages.h"
#include "uProjectDocument.h"
#include "uWires.h"

namespace corvadel {

int TfrmMain::CurrentSpan() const
{
    return pgDetail->Span();
}

int TfrmMain::SequenceCount() const
{
    return FDocument->Project().Count();
}

void TfrmMain::EditSignals()
{
    const int sequence = CurrentSequence();
    const int span = CurrentSpan();
    if (!sequence || !span)
        return;
    TfrmSignals dialog(*FDocument, Settings, Ask, sequence, span, this);
    dialog.exec();
}

void TfrmMain::EditCombinations()
{
    if (SequenceCount() < 2)
        return;
    TfrmCombination dialog(*FDocument, Settings, Ask, this);
    dialog.exec();
}

} // namespace corvadel
