// The project's combinations: a grid of them and an editor of two sequences,
// a pole of each and the angle between them, with each sequence's plan
// turned by a click. Every Add, Update and Remove is one undoable step.
#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace corvadel {

class TAsk;
class TCombination;
class TGlobalSetting;
class TKorvelEdit;
class TProjectDocument;

class TfrmCombination : public QDialog {
    Q_OBJECT
public:
    TfrmCombination(TProjectDocument &document, const TGlobalSetting &settings, TAsk &ask,
                    QWidget *parent = nullptr);

    // The editor's quarter turns of side 1 or 2, in radians: they reach a
    // combination only with Add or Update.
    double Rotation(int side) const { return Rotations[side - 1]; }
    bool IsAddMode() const { return AddMode; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *BuildGridPane();
    QWidget *BuildEditor();
    void BuildSide(int side, QWidget *column);

    void RefreshGrid();
    void LoadCombination(int row);
    void SequenceChanged(int side);
    void DrawSide(int side);
    void PictureClicked(int side);
    void AddOrUpdateClicked();
    // Names the combination of another row that ties the same two poles;
    // false when there is none.
    bool TellExisting(int sequenceA, int poleA, int sequenceB, int poleB, int skipRow);
    void ResetClicked();
    void RemoveClicked();
    void SetAddMode(bool add);
    int SelectedRow() const;

    TProjectDocument &Document;
    const TGlobalSetting &Settings;
    TAsk &Ask;
    bool AddMode = true;
    double Rotations[2] = {0, 0};

    QTableWidget *sgCombinations = nullptr;
    QComboBox *cbSequence[2] = {};
    QComboBox *cbPole[2] = {};
    QLabel *imgSequence[2] = {};
    TKorvelEdit *edtAngle = nullptr;
    QPushButton *btnAdd = nullptr;
};

} // namespace corvadel
