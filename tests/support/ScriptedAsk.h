// Answers the windows' questions from a script instead of a person, and keeps
// what was asked so tests can check the texts.
#pragma once

#include "uAsk.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <utility>

namespace corvadel::test {

class TScriptedAsk : public TAsk {
public:
    struct TAsked {
        TMessageKind Kind;
        QString Text;
        QMessageBox::StandardButtons Buttons;
        QMessageBox::StandardButton Default;
    };

    std::deque<QMessageBox::StandardButton> Answers; // for Message
    std::deque<QString> FileNames;                   // for Open and Save; "" cancels
    std::deque<std::optional<QColor>> Colors;
    std::deque<std::optional<QFont>> Fonts;
    std::deque<bool> PrinterAnswers;

    std::vector<TAsked> Asked;   // every message shown, in order
    int FileDialogsShown = 0;
    // Runs once, while the next message stands, as events that reach the
    // windows behind a modal message box do.
    std::function<void()> WhileAsking;

    QMessageBox::StandardButton Message(QWidget *, TMessageKind kind, const QString &text,
                                        QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton) override
    {
        Asked.push_back({kind, text, buttons, defaultButton});
        if (const auto act = std::exchange(WhileAsking, {}))
            act();
        if (buttons == QMessageBox::Ok)
            return QMessageBox::Ok;
        if (Answers.empty()) {
            ADD_FAILURE() << "unanswered question: " << text.toStdString();
            return QMessageBox::Cancel;
        }
        const auto answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
    QString OpenFileName(QWidget *, const QString &, const QString &) override { return NextFileName(); }
    QString SaveFileName(QWidget *, const QString &, const QString &, const QString &) override
    {
        return NextFileName();
    }
    std::optional<QColor> Color(QWidget *, const QColor &) override { return Next(Colors, "colour"); }
    std::optional<QFont> Font(QWidget *, const QFont &) override { return Next(Fonts, "font"); }
    bool Printer(QWidget *, QPrinter &) override
    {
        if (PrinterAnswers.empty()) {
            ADD_FAILURE() << "unanswered printer dialog";
            return false;
        }
        const bool answer = PrinterAnswers.front();
        PrinterAnswers.pop_front();
        return answer;
    }

    // The text of the last message shown, or "" when none was.
    QString LastText() const { return Asked.empty() ? QString() : Asked.back().Text; }

private:
    QString NextFileName()
    {
        ++FileDialogsShown;
        if (FileNames.empty()) {
            ADD_FAILURE() << "unanswered file dialog";
            return {};
        }
        const QString name = FileNames.front();
        FileNames.pop_front();
        return name;
    }
    template <typename T>
    std::optional<T> Next(std::deque<std::optional<T>> &answers, const char *what)
    {
        if (answers.empty()) {
            ADD_FAILURE() << "unanswered " << what << " dialog";
            return std::nullopt;
        }
        const auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

} // namespace corvadel::test
