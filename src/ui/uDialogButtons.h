// The buttons the editing dialogs share.
#pragma once

#include <QString>

class QBoxLayout;
class QDialog;
class QPushButton;

namespace corvadel {

// A button that Enter in a field does not press.
QPushButton *NewButton(const char *name, const QString &caption);
// "Help", asking for the dialog's help topic, and "Close", appended to `row`.
void AddHelpAndClose(QDialog *dialog, QBoxLayout *row);
// A row ending in "Close", the default button of a window that only shows:
// Return closes it as Esc does.
QBoxLayout *NewCloseRow(QDialog *dialog);

} // namespace corvadel
