// The variable wire weights of one span: its segments and, for the segment
// picked, the wire compositions, each change made at once as one undoable
// step of the project.
#pragma once

#include <QDialog>

class QComboBox;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace corvadel {

class TAsk;
class TBaseSegment;
class TBaseWire;
class TCodeList;
class TKorvelEdit;
class TProjectDocument;
class TSegmentComposition;

class TfrmWires : public QDialog {
    Q_OBJECT
public:
    TfrmWires(TProjectDocument &document, TAsk &ask, const TCodeList &codes, int sequence, int span,
              QWidget *parent = nullptr);

private:
    // The wire kind being edited, as the hidden fields hold it.
    struct TWireKind {
        QString Code, Type, Description;
        double Weight = 0;
    };
    struct TEntered {
        TWireKind Kind;
        int Occurrence = 0;
    };

    TBaseWire *Span() const;
    TBaseSegment *Segment() const;
    void RefreshSegments();
    void SelectSegment(int row);
    void RefreshCompositions();
    void PickWireKind(int index);
    void LoadComposition(int row);
    void ShowWeightEditable(bool editable);
    // The edited values, or nothing after telling the user what is wrong.
    bool ReadEntered(TEntered &entered);
    static void Write(TSegmentComposition &composition, const TEntered &entered);
    void Add();
    void Update();
    void Remove();
    // The composition of the selected row, or -1.
    int SelectedComposition() const;

    TProjectDocument &Document;
    TAsk &Ask;
    const int FSequence;
    const int FSpan;
    int FSegmentRow = -1; // row of the segments grid shown
    std::vector<TWireKind> Kinds;
    TWireKind Edited;
    QTableWidget *sgSegments = nullptr;
    QTableWidget *sgCompositionList = nullptr;
    QComboBox *cbWireType = nullptr;
    TKorvelEdit *edtWeight = nullptr;
    QSpinBox *seOccurrence = nullptr;
    QPushButton *btnAdd = nullptr;
    QPushButton *btnUpdate = nullptr;
    QPushButton *btnRemove = nullptr;
};

} // namespace corvadel
