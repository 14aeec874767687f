#include "uProjectDocument.h"

#include "uXMLBaseObject.h"

#include <QUndoCommand>

#include <stdexcept>

namespace corvadel {

namespace {

// One edit kept as the project's text before and after it.
class TSnapshotCommand : public QUndoCommand {
public:
    TSnapshotCommand(TProjectDocument &document, const QString &name, std::string before, std::string after,
                     int sequence)
        : QUndoCommand(name)
        , Document(document)
        , Before(std::move(before))
        , After(std::move(after))
        , Sequence(sequence)
    {
    }
    void undo() override { Document.Restore(Before, Sequence); }
    void redo() override
    {
        if (Applied) // the edit itself already ran when it was pushed
            Document.Restore(After, Sequence);
        Applied = true;
    }

private:
    TProjectDocument &Document;
    std::string Before;
    std::string After;
    int Sequence;
    bool Applied = false;
};

bool IsOldFormat(const std::string &path)
{
    return path.size() > 4 && SameText(path.substr(path.size() - 4), ".sws");
}

} // namespace

TProjectDocument::TProjectDocument(const TTARVOParameters &parameters, QObject *parent)
    : QObject(parent)
    , Parameters(parameters)
    , FProject(std::make_unique<TWireConfigurationList>(parameters))
{
}

TProjectDocument::~TProjectDocument() = default;

std::string TProjectDocument::Text() const
{
    TXMLTextWriter writer(true);
    FProject->WriteDocument(writer);
    return std::move(writer.Text());
}

void TProjectDocument::Restore(const std::string &text, int sequence)
{
    TXMLBaseObject root;
    root.LoadFromText(text);
    const std::string fileName = FProject->FileName;
    FProject->Close();
    // The text leaves out empty details: what it does not hold was empty.
    FProject->ResetDetails();
    FProject->FileName = fileName;
    if (!root.Children.empty())
        FProject->ReadProjectElement(*root.Children.front());
    Q_EMIT Changed(sequence);
}

void TProjectDocument::Edit(const QString &name, const std::function<void(TWireConfigurationList &)> &change,
                            int sequence)
{
    std::string before = Text();
    try {
        change(*FProject);
    } catch (...) {
        Restore(before, sequence); // no half-made change outside the history
        throw;
    }
    std::string after = Text();
    if (before != after)
        FStack.push(new TSnapshotCommand(*this, name, std::move(before), std::move(after), sequence));
    Q_EMIT Changed(sequence);
}

void TProjectDocument::New()
{
    FProject->Close();
    FProject->ResetDetails();
    FProject->ClearModified();
    FStack.clear();
    FNameFromImport = false;
    Q_EMIT Changed(-1);
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
    auto read = std::make_unique<TWireConfigurationList>(Parameters);
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
    Q_EMIT Changed(-1);
}

void TProjectDocument::Save(const std::string &path)
{
    FProject->Save(path);
    FNameFromImport = false;
    FStack.setClean();
    Q_EMIT Changed(0);
}

} // namespace corvadel
