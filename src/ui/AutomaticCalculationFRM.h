// Completes a Delta's or a Box's ring figure from the lengths and angles the
// user ticks as entered. Works on its own copy of the values; the caller
// writes them back when the dialog is accepted, which it is only once every
// new length is taken.
#pragma once

#include "uAutomaticCalculation.h"

#include <QDialog>

#include <vector>

class QAbstractButton;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace corvadel {

class TAsk;
class TKorvelEdit;
class TWireConfiguration;

class TfrmAutomaticCalculation : public QDialog {
    Q_OBJECT
public:
    TfrmAutomaticCalculation(const TWireConfiguration &sequence, TAsk &ask, QWidget *parent = nullptr);

    // The working lengths (feet) and angles (radians) of spans 1..n.
    const TPlanValues &Values() const { return Working; }

    void accept() override;

private:
    // One ring length or angle: its span, edit, "(*)" mark and check item.
    struct TItem {
        int Span = 0;
        bool IsAngle = false;
        TKorvelEdit *Edit = nullptr;
        QLabel *Mark = nullptr;
    };

    QWidget *BuildPage();
    QGroupBox *BuildValueGroup(const QString &title, const std::vector<int> &spans, bool angles);
    QGroupBox *BuildSelectionGroup();
    int Bits(const QListWidget *list) const;
    int Code() const;
    void SelectionChanged();
    // Every edit of the page into the working values; false (after saying
    // which text) when one is not a number.
    bool CopyEdits();
    // Each changed length refused or declined stops OK, the dialog kept open.
    bool LengthsTaken();
    void ShowValues();
    void Recalculate();
    void Reset();

    TAsk &Ask;
    const TWireConfiguration &Sequence;
    const int Type;
    const TPlanValues Original;
    TPlanValues Working;
    std::vector<TItem> Items;
    QListWidget *clbLengths = nullptr;
    QListWidget *clbAngles = nullptr;
    QGroupBox *rgDoubleSolutions = nullptr;
    QRadioButton *rbSolutionA = nullptr;
    QRadioButton *rbSolutionB = nullptr;
    QPushButton *btnRecalculate = nullptr;
};

} // namespace corvadel
