// A dialog over a project document, driven through its widgets by name.
#pragma once

#include "ScriptedAsk.h"
#include "uGlobalSettings.h"
#include "uProjectDocument.h"

#include <QPushButton>
#include <QString>

#include <gtest/gtest.h>

#include <memory>
#include <utility>

namespace corvadel::test {

template <class TDialog>
class DialogFixture : public ::testing::Test {
protected:
    DialogFixture()
        : Document(Settings.Parameters)
    {
    }

    // Opens the dialog, counting the steps taken so far as the start.
    template <class... TArguments>
    void Show(TArguments &&...arguments)
    {
        Steps = Document.UndoStack().count();
        Dialog = std::make_unique<TDialog>(std::forward<TArguments>(arguments)...);
        Dialog->show();
    }

    template <typename T = QWidget>
    T *Widget(const QString &name) { return Dialog->template findChild<T *>(name); }
    void Click(const char *button) { Widget<QPushButton>(QLatin1String(button))->click(); }
    // The dialog took an undoable step since it opened.
    bool Stepped() { return Document.UndoStack().count() > Steps; }

    TGlobalSetting Settings;
    TProjectDocument Document;
    TScriptedAsk Ask;
    std::unique_ptr<TDialog> Dialog;
    int Steps = 0;
};

} // namespace corvadel::test
