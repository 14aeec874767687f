// The five detail pages of the shown sequence: which fields its type shows,
// their values, and each field committed into the project through the
// document when the user leaves it.
#pragma once

#include <QTabWidget>

#include <map>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QTableWidget;

namespace corvadel {

class TAsk;
class TElevationList;
class TGlobalSetting;
class TKorvelEdit;
class TProjectDocument;
class TWireConfiguration;
struct TSequenceTopology;

enum TFieldKind { fkLength, fkAngle, fkPoint, fkMaxSAG, fkMinClearance, fkWireWeight, fkMinSAG, fkAllowableMoment, fkShown };

// What a field of the pages holds.
struct TFieldSpec {
    QString Name;
    QString Caption;
    TFieldKind Kind;
    int Span = 0;           // fkLength, fkAngle; the pole of fkAllowableMoment
    std::string Point = {}; // fkPoint
};

class TDetailPages : public QTabWidget {
    Q_OBJECT
public:
    TDetailPages(TProjectDocument &document, TAsk &ask, const TGlobalSetting &settings, QWidget *parent = nullptr);

    // Shows sequence `number` (0 = none) with span 1, or reads the shown one
    // again when it is the same.
    void ShowSequence(int number);
    void Refresh();
    int Sequence() const { return FSequence; }
    int Span() const { return FSpan; }

    // Commits the field if the user changed its text; false when the commit
    // was refused (the field then shows the model's value again).
    bool Commit(TKorvelEdit *edit);
    // The smallest size at which every page shows whole, whatever the type
    // of the sequence shown and whichever of its points are entered.
    QSize WholeSize();

Q_SIGNALS:
    // The drawing should follow the page or span shown.
    void DrawingChanged();
    // The user asks for the segments' wire compositions.
    void SegmentsDoubleClicked();

private:
    TWireConfiguration *Current() const;
    TKorvelEdit *AddField(const TFieldSpec &field);
    QWidget *BuildLengthsPage();
    QWidget *BuildElevationsPage();
    QWidget *BuildDesignPage();
    QWidget *BuildGridPage(QComboBox *&selector, QTableWidget *&grid, const char *selectorName, const char *gridName,
                           const QStringList &headers, const std::vector<int> &widths);
    void ApplyVisibility(const TSequenceTopology &topology, const TElevationList &points);
    void RefreshFields(const TWireConfiguration &sequence);
    void RefreshPoleDistances(const TWireConfiguration &sequence);
    void RefreshElevationFields(const TSequenceTopology &topology, const TElevationList &points);
    // Says so when a SAG just typed leaves the minimum above the maximum.
    void TellSAGOrder(double minSAG, double maxSAG);
    void RefreshSpanSelectors(const TWireConfiguration &sequence);
    void RefreshSignalGrid();
    void RefreshSegmentGrid();
    void SelectSpan(int index);
    void FlagClicked(int position, bool checked);
    void VariableWiresClicked(bool checked);
    void RefreshSpanWire(const TWireConfiguration &sequence);
    void SpanWireChosen(int index);

    TProjectDocument &Document;
    TAsk &Ask;
    const TGlobalSetting &Settings;
    int FSequence = 0;
    int FSpan = 0;
    std::map<QString, TKorvelEdit *> Fields;
    std::map<QString, QLabel *> Labels;
    std::map<const TKorvelEdit *, TFieldSpec> FieldKinds;
    QCheckBox *Flags[7] = {};
    QCheckBox *cbEnableWires = nullptr;
    QCheckBox *cbWarp = nullptr;
    QComboBox *cbSpanWire = nullptr;
    QComboBox *cbSSpans = nullptr;
    QComboBox *cbWSpans = nullptr;
    QTableWidget *sgSignalList = nullptr;
    QTableWidget *sgCompositionList = nullptr;
};

} // namespace corvadel
