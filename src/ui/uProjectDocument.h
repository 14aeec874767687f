// The project as the windows see it: every change goes through Edit as one
// undoable step, kept as the project's text before and after, and one
// Changed signal tells the views to read the model again.
#pragma once

#include "uWires.h"

#include <QObject>
#include <QUndoStack>

#include <functional>
#include <memory>

namespace corvadel {

class TProjectDocument : public QObject {
    Q_OBJECT
public:
    explicit TProjectDocument(const TTARVOParameters &parameters, QObject *parent = nullptr);
    ~TProjectDocument() override;

    TWireConfigurationList &Project() { return *FProject; }
    const TWireConfigurationList &Project() const { return *FProject; }
    QUndoStack &UndoStack() { return FStack; }

    // Runs `change` on the project as one undoable step named `name`; no
    // step when the project's text did not change. `sequence` is the number
    // of the sequence the views should show afterwards (0 = keep).
    void Edit(const QString &name, const std::function<void(TWireConfigurationList &)> &change, int sequence = 0);
    // Anything changed since the last open, save or new project.
    bool IsModified() const { return !FStack.isClean(); }

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
    // Replaces the project's content by what `text` holds; the file name stays.
    void Restore(const std::string &text, int sequence);

Q_SIGNALS:
    // The project changed; `sequence` is the sequence to show (0 = keep,
    // -1 = the project was replaced).
    void Changed(int sequence);

private:
    const TTARVOParameters &Parameters;
    std::unique_ptr<TWireConfigurationList> FProject;
    QUndoStack FStack;
    bool FNameFromImport = false;

    void Read(const std::string &path, bool oldFormat);
};

} // namespace corvadel
