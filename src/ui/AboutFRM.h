// The about box: the logo, the product's names, its version and its maker.
#pragma once

#include <QDialog>

namespace corvadel {

class TfrmAbout : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAbout(QWidget *parent = nullptr);
};

} // namespace corvadel
