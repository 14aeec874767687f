#include "uProjectDocument.h"

#include "uCalculationRun.h"
#include "uXMLBaseObject.h"

#include <QUndoCommand>

#include <stdexcept>
#include <vector>

namespace corvadel {

// One step of the history; the document counts what it keeps.
class TProjectDocument::TStepCommand : public QUndoCommand {
public:
    TStepCommand(TProjectDocument &document, const QString &name, std::shared_ptr<const TProjectStep> step, int show)
        : QUndoCommand(name)
        , Step(std::move(step))
        , Show(show)
        , Bytes(sizeof(*this) + size_t(name.capacity()) * sizeof(QChar) + Step->Bytes())
        , Document(document)
    {
        Document.FUndoBytes += Bytes;
    }
    ~TStepCommand() override { Document.FUndoBytes -= Bytes; }

    void undo() override { Document.Take(*Step, false, Step->Scope().Sequence); }
    void redo() override
    {
        if (Applied) // the edit itself already ran when it was pushed
            Document.Take(*Step, true, Show);
        Applied = true;
    }

    const std::shared_ptr<const TProjectStep> Step;
    const int Show;
    const size_t Bytes;

private:
    TProjectDocument &Document;
    bool Applied = false;
};

namespace {

bool IsOldFormat(const std::string &path)
{
    return path.size() > 4 && SameText(path.substr(path.size() - 4), ".sws");
}

} // namespace

TProjectDocument::TProjectDocument(const TTARVOParameters &parameters, QObject *parent, const TCodeList *catalogue)
    : QObject(parent)
    , Parameters(parameters)
    , Catalogue(catalogue)
    , FProject(std::make_unique<TWireConfigurationList>(parameters, catalogue))
{
}

TProjectDocument::~TProjectDocument()
{
    FStack.clear(); // its steps count themselves out of this document
}

std::string TProjectDocument::Text() const
{
    TXMLTextWriter writer(true);
    FProject->WriteDocument(writer);
    return std::move(writer.Text());
}

void TProjectDocument::Take(const TProjectStep &step, bool forward, int show)
{
    if (forward)
        step.Redo(*FProject);
    else
        step.Undo(*FProject);
    Q_EMIT Changed(step.Scope().Parts, show);
}

void TProjectDocument::Edit(const QString &name, TStepScope scope,
                            const std::function<void(TWireConfigurationList &)> &change, int show)
{
    if (show == 0)
        show = scope.Sequence;
    auto step = std::make_shared<TProjectStep>(*FProject, scope);
    try {
        change(*FProject);
    } catch (...) {
        // No half-made change outside the history.
        step->Finish(*FProject);
        Take(*step, false, show);
        throw;
    }
    step->Finish(*FProject);
    if (step->Changed()) {
        FStack.push(new TStepCommand(*this, name, std::move(step), show));
        DropOldestSteps();
    }
    Q_EMIT Changed(scope.Parts, show);
}

void TProjectDocument::SetUndoLimit(size_t bytes)
{
    FUndoLimit = bytes; // taken into account from the next step on
}

// QUndoStack cannot let go of single steps: over the limit, the history is
// laid again from the steps that stay. Runs right after a push, when every
// step on the stack is done.
void TProjectDocument::DropOldestSteps()
{
    if (FUndoBytes <= FUndoLimit || FStack.index() != FStack.count())
        return;
    struct TKept {
        QString Name;
        std::shared_ptr<const TProjectStep> Step;
        int Show;
    };
    std::vector<TKept> kept;
    size_t bytes = FUndoBytes;
    int dropped = 0;
    for (int i = 0; i < FStack.count(); ++i) {
        const auto *command = static_cast<const TStepCommand *>(FStack.command(i));
        // The newest step stays, however large.
        if (bytes > FUndoLimit && i + 1 < FStack.count()) {
            bytes -= command->Bytes;
            ++dropped;
            continue;
        }
        kept.push_back({command->text(), command->Step, command->Show});
    }
    const int cleanAt = FStack.cleanIndex() < 0 ? -1 : FStack.cleanIndex() - dropped;
    FStack.clear();
    for (size_t i = 0; i < kept.size(); ++i) {
        if (int(i) == cleanAt)
            FStack.setClean();
        FStack.push(new TStepCommand(*this, kept[i].Name, std::move(kept[i].Step), kept[i].Show));
    }
    if (cleanAt == int(kept.size()))
        FStack.setClean();
    else if (cleanAt < 0)
        FStack.resetClean(); // the saved state went with the dropped steps
}

bool TProjectDocument::Calculate()
{
    const bool solved = TCalculationRun::RunCalculation(*FProject);
    Q_EMIT Changed(ppResults, 0);
    return solved;
}

void TProjectDocument::New()
{
    FProject->Close();
    FProject->ResetDetails();
    FProject->ClearModified();
    FStack.clear();
    FNameFromImport = false;
    Q_EMIT Changed(ppProject, -1);
}

void TProjectDocument::Open(const std::string &path)
{
    Read(path, IsOldFormat(path));
}

void TProjectDocument::Import(const std::string &path)
{
    Read(path, true);
}

void TProjectDocument::Read(const std::string &path, bool oldFormat)
{
    auto read = std::make_unique<TWireConfigurationList>(Parameters, Catalogue);
    bool ok = false;
    try {
        ok = oldFormat ? read->Import(path) : read->Open(path);
    } catch (const std::exception &error) {
        throw std::runtime_error(error.what());
    }
    if (!ok)
        throw std::runtime_error(read->RefusedFileMessage(path));
    FProject = std::move(read);
    FStack.clear();
    FNameFromImport = oldFormat;
    if (oldFormat)
        FStack.resetClean(); // its project file does not exist yet
    Q_EMIT Changed(ppProject, -1);
}

void TProjectDocument::Save(const std::string &path)
{
    FProject->Save(path);
    FNameFromImport = false;
    FStack.setClean();
    Q_EMIT Changed(ppDetails, 0);
}

} // namespace corvadel
