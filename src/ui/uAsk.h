// Everything the windows ask the user goes through this interface, so tests
// can answer in place of a person and no modal loop waits for a key.
#pragma once

#include <QColor>
#include <QFont>
#include <QMessageBox>
#include <QString>

#include <optional>

class QPrinter;
class QWidget;

namespace corvadel {

enum class TMessageKind { Information, Warning, Error };

class TAsk {
public:
    virtual ~TAsk() = default;

    // A message box with the given buttons; returns the button pressed.
    // Without a default button the platform picks one.
    virtual QMessageBox::StandardButton Message(QWidget *parent, TMessageKind kind, const QString &text,
                                                QMessageBox::StandardButtons buttons,
                                                QMessageBox::StandardButton defaultButton = QMessageBox::NoButton) = 0;
    // A file to read; empty when cancelled.
    virtual QString OpenFileName(QWidget *parent, const QString &caption, const QString &filter) = 0;
    // A file to write; empty when cancelled. The caller asks its own
    // overwrite question.
    virtual QString SaveFileName(QWidget *parent, const QString &caption, const QString &filter,
                                 const QString &defaultSuffix) = 0;
    virtual std::optional<QColor> Color(QWidget *parent, const QColor &initial) = 0;
    virtual std::optional<QFont> Font(QWidget *parent, const QFont &initial) = 0;
    // The printer dialog; false when cancelled.
    virtual bool Printer(QWidget *parent, QPrinter &printer) = 0;

    // An information message with only an OK button.
    void Tell(QWidget *parent, TMessageKind kind, const QString &text)
    {
        Message(parent, kind, text, QMessageBox::Ok);
    }
};

// The real dialogs of the platform.
class TQtAsk : public TAsk {
public:
    QMessageBox::StandardButton Message(QWidget *parent, TMessageKind kind, const QString &text,
                                        QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton) override;
    QString OpenFileName(QWidget *parent, const QString &caption, const QString &filter) override;
    QString SaveFileName(QWidget *parent, const QString &caption, const QString &filter,
                         const QString &defaultSuffix) override;
    std::optional<QColor> Color(QWidget *parent, const QColor &initial) override;
    std::optional<QFont> Font(QWidget *parent, const QFont &initial) override;
    bool Printer(QWidget *parent, QPrinter &printer) override;
};

} // namespace corvadel
