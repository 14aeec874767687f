// The project as the windows see it: every change goes through Edit as one
// undoable step, kept as the parts of the project it touched before and
// after, and one Changed signal tells the views what to read again.
#pragma once

#include "uProjectStep.h"
#include "uWires.h"

#include <QObject>
#include <QUndoStack>

#include <functional>
#include <memory>

namespace corvadel {

class TProjectDocument : public QObject {
    Q_OBJECT
public:
    // What the undo history may keep before its oldest steps go.
    static constexpr size_t DefaultUndoLimit = size_t(64) << 20;

    // The catalogue names the strands the design checks know.
    explicit TProjectDocument(const TTARVOParameters &parameters, QObject *parent = nullptr,
                              const TCodeList *catalogue = nullptr);
    ~TProjectDocument() override;

    TWireConfigurationList &Project() { return *FProject; }
    const TWireConfigurationList &Project() const { return *FProject; }
    QUndoStack &UndoStack() { return FStack; }

    // Runs `change` on the parts of the project `scope` names, as one
    // undoable step named `name`; no step when they did not change.
    // Afterwards the views show sequence `show` (0 = the one `scope`
    // names, or keep; -1 = the first).
    void Edit(const QString &name, TStepScope scope, const std::function<void(TWireConfigurationList &)> &change,
              int show = 0);
    // Anything changed since the last open, save or new project.
    bool IsModified() const { return !FStack.isClean(); }

    // Calculates the project; true when every sequence was calculated.
    // Results are not part of the file: no step, nothing to save.
    bool Calculate();

    // What the steps of the history keep, and the most they may keep.
    size_t UndoBytes() const { return FUndoBytes; }
    void SetUndoLimit(size_t bytes);

    // A fresh empty project with reset details; the undo history goes.
    void New();
    // Reads a project (".sws" through the import) into a fresh list; on
    // failure throws with the reader's reason and keeps the open project.
    void Open(const std::string &path);
    // Reads a project of the old format whatever the file's extension.
    void Import(const std::string &path);
    // The file name was made from an imported file's and nothing was saved
    // under it yet.
    bool NameFromImport() const { return FNameFromImport; }
    // Throws EFileError naming the path and reason; the project stays
    // modified then.
    void Save(const std::string &path);

    // The project's text as the file would hold it.
    std::string Text() const;

Q_SIGNALS:
    // `parts` (TProjectPart flags) changed; `sequence` is the sequence to
    // show (0 = keep, -1 = the first).
    void Changed(unsigned parts, int sequence);

private:
    class TStepCommand;
    friend class TStepCommand;

    void Take(const TProjectStep &step, bool forward, int show);
    void DropOldestSteps();
    void Read(const std::string &path, bool oldFormat);

    const TTARVOParameters &Parameters;
    const TCodeList *Catalogue;
    std::unique_ptr<TWireConfigurationList> FProject;
    QUndoStack FStack;
    size_t FUndoBytes = 0;
    size_t FUndoLimit = DefaultUndoLimit;
    bool FNameFromImport = false;
};

} // namespace corvadel
