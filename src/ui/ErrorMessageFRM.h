// The problems that stopped a calculation, one line each.
#pragma once

#include <QDialog>

namespace corvadel {

class TfrmErrorMessage : public QDialog {
    Q_OBJECT
public:
    TfrmErrorMessage(const QString &listing, bool resizeForm, QWidget *parent = nullptr);
};

} // namespace corvadel
