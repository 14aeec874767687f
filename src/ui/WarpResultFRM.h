// How a box's spans turned around the poles and the angles it ended with.
#pragma once

#include <QDialog>

namespace corvadel {

class TWireConfigurationResult;

class TfrmWarpResult : public QDialog {
    Q_OBJECT
public:
    TfrmWarpResult(const TWireConfigurationResult &result, QWidget *parent = nullptr);
};

} // namespace corvadel
