// The resultant base moments of the project's combinations for one SAG case.
#pragma once

#include <QDialog>

namespace corvadel {

class TGlobalSetting;
class TWireConfigurationList;

class TfrmCombinationResult : public QDialog {
    Q_OBJECT
public:
    TfrmCombinationResult(const TWireConfigurationList &project, bool atMaxSAG, const TGlobalSetting &settings,
                          QWidget *parent = nullptr);
};

} // namespace corvadel
