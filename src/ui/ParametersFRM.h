// The parameters dialog: application flags, design defaults, and the colours
// and fonts of the drawings. It edits copies; the caller stores them on OK.
#pragma once

#include "uGlobalSettings.h"

#include <QDialog>

#include <vector>

class QCheckBox;
class QLabel;

namespace corvadel {

class TAsk;
class TKorvelEdit;

class TfrmParameters : public QDialog {
    Q_OBJECT
public:
    TfrmParameters(const TGlobalSetting &settings, TAsk &ask, QWidget *parent = nullptr);

    // The values confirmed by OK written into `settings`: flags, numbers,
    // colours and fonts.
    void Store(TGlobalSetting &settings) const;

    // OK: every number is checked before anything is taken; a bad one is
    // named with its text and the dialog stays open.
    void accept() override;

private:
    QWidget *BuildApplicationPage();
    QWidget *BuildDesignPage();
    QWidget *BuildGraphicPage();
    void ChooseColor(size_t row);
    void ChooseFont(size_t row);
    void FillFlagsAndNumbers();
    void FillSwatchesAndSamples();

    const TGlobalSetting &Settings;
    TAsk &Ask;
    TCustomColor WorkingColors; // the colours and fonts as chosen so far
    std::vector<QCheckBox *> Flags;      // in the order of the flag table
    std::vector<TKorvelEdit *> Numbers;  // in the order of the number table
    std::vector<double> AcceptedNumbers; // filled by OK
    std::vector<QLabel *> Swatches;
    std::vector<QLabel *> Samples;
};

} // namespace corvadel
