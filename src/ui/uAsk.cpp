#include "uAsk.h"

#include "uGlobalSettings.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace corvadel {

QMessageBox::StandardButton TQtAsk::Message(QWidget *parent, TMessageKind kind, const QString &text,
                                            QMessageBox::StandardButtons buttons,
                                            QMessageBox::StandardButton defaultButton)
{
    const QString title = TGlobalSetting::ProductTitle;
    switch (kind) {
    case TMessageKind::Information:
        return QMessageBox::information(parent, title, text, buttons, defaultButton);
    case TMessageKind::Warning:
        return QMessageBox::warning(parent, title, text, buttons, defaultButton);
    case TMessageKind::Error:
        break;
    }
    return QMessageBox::critical(parent, title, text, buttons, defaultButton);
}

QString TQtAsk::OpenFileName(QWidget *parent, const QString &caption, const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, caption, QString(), filter);
}

QString TQtAsk::SaveFileName(QWidget *parent, const QString &caption, const QString &filter,
                             const QString &defaultSuffix)
{
    QFileDialog dialog(parent, caption, QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

std::optional<QColor> TQtAsk::Color(QWidget *parent, const QColor &initial)
{
    const QColor chosen = QColorDialog::getColor(initial, parent);
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

std::optional<QFont> TQtAsk::Font(QWidget *parent, const QFont &initial)
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, initial, parent);
    if (!ok)
        return std::nullopt;
    return chosen;
}

bool TQtAsk::Printer(QWidget *parent, QPrinter &printer)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace corvadel
