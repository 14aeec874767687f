#include "uDetailPages.h"

#include "KorvelEditComp.h"
#include "uAsk.h"
#include "uCodes.h"
#include "uGeometry.h"
#include "uGlobalSettings.h"
#include "uFormParts.h"
#include "uProjectDocument.h"
#include "uSpanLength.h"
#include "uTextGrid.h"
#include "uTopology.h"
#include "uWires.h"
#include "uQtText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace corvadel {

namespace {

const std::string JunctionLetters = "TUVYCDG";
const char *const BasePoints[] = {"PV", "P1", "P2", "P3", "P4", "P5"};
const char *const BaseFields[] = {"edtElPavement", "edtElPole1", "edtElPole2", "edtElPole3", "edtElPole4",
                                  "edtElPole5"};
const char *const BaseCaptions[] = {"Pavement", "Pole 1", "Pole 2", "Pole 3", "Pole 4", "Pole 5"};
const char *const MomentFields[] = {"edtMomentPole1", "edtMomentPole2", "edtMomentPole3", "edtMomentPole4",
                                    "edtMomentPole5"};
constexpr const char *NotGiven = "(not given)";
// Pole distance fields in the order the type's distances fill them.
const char *const DistanceFields[][7] = {
    {"edtPD1"},
    {"edtPD1", "edtPD2", "edtPDX"},
    {"edtPD1", "edtPD2", "edtPD3", "edtPDX", "edtPDY", "edtPDZ"},
    {"edtPD1", "edtPD2", "edtPD3", "edtPD4", "edtPDX", "edtPDY", "edtPDZ"},
};
const char *const AllDistanceFields[] = {"edtPD1", "edtPD2", "edtPD3", "edtPD4", "edtPDX", "edtPDY", "edtPDZ"};

QString General(double value)
{
    return Text(FloatToStr(value));
}

// The field of an elevation point: "edtT" for T, "edtElPole1" for P1.
QString PointField(const std::string &point)
{
    for (int i = 0; i < 6; ++i)
        if (point == BasePoints[i])
            return QLatin1String(BaseFields[i]);
    return QStringLiteral("edt") + QString::fromStdString(point);
}

// How a message names a field: its caption without the colon and unit,
// "Max. SAG" for "Max. SAG (ft.):".
QString FieldName(const QString &caption)
{
    QString name = caption.trimmed();
    if (name.endsWith(u':'))
        name.chop(1);
    if (const qsizetype unit = name.lastIndexOf(QStringLiteral(" (")); unit > 0 && name.endsWith(u')'))
        name.truncate(unit);
    return name.trimmed();
}

const char *const *DistanceFieldsFor(int count)
{
    for (const auto &row : DistanceFields) {
        int n = 0;
        while (n < 7 && row[n])
            ++n;
        if (n == count)
            return row;
    }
    return nullptr;
}

} // namespace

TDetailPages::TDetailPages(TProjectDocument &document, TAsk &ask, const TGlobalSetting &settings, QWidget *parent)
    : QTabWidget(parent)
    , Document(document)
    , Ask(ask)
    , Settings(settings)
{
    setObjectName(QStringLiteral("pgDetail"));
    addTab(BuildLengthsPage(), QStringLiteral("Angles and lengths"));
    addTab(BuildElevationsPage(), QStringLiteral("Elevations"));
    addTab(BuildDesignPage(), QStringLiteral("Design Data"));
    addTab(BuildGridPage(cbSSpans, sgSignalList, "cbSSpans", "sgSignalList",
                         {"#", "Type", "Distance (ft.)", "Area Factor (sq.ft)", "Weight (lbs.)", "Height (ft.)"},
                         {50, 79, 91, 121, 117, 112}),
           QStringLiteral("Signals and Signs"));
    addTab(BuildGridPage(cbWSpans, sgCompositionList, "cbWSpans", "sgCompositionList", SegmentHeaders(),
                         {40, 74, 78, 133, 246}),
           QStringLiteral("Wires"));
    connect(this, &QTabWidget::currentChanged, this, &TDetailPages::DrawingChanged);
    connect(cbSSpans, &QComboBox::activated, this, &TDetailPages::SelectSpan);
    connect(cbWSpans, &QComboBox::activated, this, &TDetailPages::SelectSpan);
    connect(sgCompositionList, &QTableWidget::cellDoubleClicked, this, &TDetailPages::SegmentsDoubleClicked);
}

TKorvelEdit *TDetailPages::AddField(const TFieldSpec &field)
{
    auto *edit = new TKorvelEdit;
    edit->setObjectName(field.Name);
    edit->SetEditType(etFloat);
    edit->SetMaxLength(7);
    edit->setText(QStringLiteral("0.00"));
    // Room for every character the field takes, at any font size.
    edit->setMinimumWidth(FieldWidthFor(*edit, QStringLiteral("-0000.00")));
    edit->setReadOnly(field.Kind == fkShown);
    Fields[field.Name] = edit;
    auto *label = new QLabel(field.Caption);
    label->setBuddy(edit);
    Labels[field.Name] = label;
    if (field.Kind != fkShown) {
        FieldKinds[edit] = field;
        connect(edit, &QLineEdit::editingFinished, this, [this, edit] { Commit(edit); });
    }
    return edit;
}

QWidget *TDetailPages::BuildLengthsPage()
{
    auto *page = new QWidget;
    auto *row = new QHBoxLayout(page);
    const auto pairGroup = [&](const QString &title, TFieldKind kind, const char *prefix, const char *caption) {
        auto *group = new QGroupBox(title);
        auto *grid = new QGridLayout(group);
        for (int n = 1; n <= 8; ++n) {
            TKorvelEdit *edit = AddField({QStringLiteral("%1%2").arg(prefix).arg(n), QStringLiteral("%1%2").arg(caption).arg(n),
                                          kind, n});
            const int column = n <= 4 ? 0 : 2;
            grid->addWidget(Labels[edit->objectName()], (n - 1) % 4, column);
            grid->addWidget(edit, (n - 1) % 4, column + 1);
        }
        row->addWidget(group);
    };
    pairGroup(QStringLiteral("Span length (ft)"), fkLength, "edtL", "L");
    pairGroup(QStringLiteral("Angles (Degrees)"), fkAngle, "edtA", "A");
    auto *group = new QGroupBox(QStringLiteral("Distance between Poles (ft)"));
    auto *grid = new QGridLayout(group);
    const struct { const char *Name; int Row; int Column; } places[] = {
        {"edtPD1", 0, 0}, {"edtPD2", 1, 0}, {"edtPD3", 2, 0}, {"edtPD4", 3, 0},
        {"edtPDX", 0, 2}, {"edtPDY", 2, 2}, {"edtPDZ", 3, 2}};
    for (const auto &place : places) {
        TKorvelEdit *edit = AddField({place.Name, QString(), fkShown});
        grid->addWidget(Labels[place.Name], place.Row, place.Column);
        grid->addWidget(edit, place.Row, place.Column + 1);
    }
    row->addWidget(group);
    return page;
}

QWidget *TDetailPages::BuildElevationsPage()
{
    auto *page = new QWidget;
    auto *row = new QHBoxLayout(page);
    auto *junctions = new QGroupBox(QStringLiteral("Elevation Difference"));
    auto *grid = new QGridLayout(junctions);
    for (int i = 0; i < 7; ++i) {
        const QString letter(QChar(JunctionLetters[size_t(i)]));
        auto *box = new QCheckBox;
        box->setObjectName(QStringLiteral("cb") + letter);
        Flags[i] = box;
        connect(box, &QCheckBox::clicked, this, [this, i](bool checked) { FlagClicked(i, checked); });
        TKorvelEdit *edit = AddField({QStringLiteral("edt") + letter, letter, fkPoint, 0, letter.toStdString()});
        const int r = i < 4 ? i : i - 4;
        const int c = i < 4 ? 0 : 3;
        grid->addWidget(box, r, c);
        grid->addWidget(Labels[edit->objectName()], r, c + 1);
        grid->addWidget(edit, r, c + 2);
    }
    row->addWidget(junctions);
    auto *bases = new QGroupBox(QStringLiteral("Base Elevation"));
    auto *baseGrid = new QGridLayout(bases);
    for (int i = 0; i < 6; ++i) {
        TKorvelEdit *edit = AddField({BaseFields[i], BaseCaptions[i], fkPoint, 0, BasePoints[i]});
        const int r = i < 4 ? i : i - 4;
        const int c = i < 4 ? 0 : 2;
        baseGrid->addWidget(Labels[edit->objectName()], r, c);
        baseGrid->addWidget(edit, r, c + 1);
    }
    row->addWidget(bases);
    // Beside the base elevations, pole for pole; an empty field is not given.
    auto *moments = new QGroupBox(QStringLiteral("Allowable Base Moment (ft-lbs)"));
    moments->setObjectName(QStringLiteral("gbAllowableMoments"));
    auto *momentGrid = new QGridLayout(moments);
    for (int pole = 1; pole <= 5; ++pole) {
        // "P1": the group says what it holds, and the page keeps its width.
        TKorvelEdit *edit = AddField({MomentFields[pole - 1], BasePoints[pole], fkAllowableMoment, pole});
        edit->SetMaxLength(9);
        const int r = pole < 4 ? pole : pole - 4;
        const int c = pole < 4 ? 0 : 2;
        momentGrid->addWidget(Labels[edit->objectName()], r, c);
        momentGrid->addWidget(edit, r, c + 1);
    }
    row->addWidget(moments);
    return page;
}

QWidget *TDetailPages::BuildDesignPage()
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout(page);
    const TFieldSpec first[] = {
        {"edtMinimumSAG", "Min. SAG (ft.):", fkMinSAG},
        {"edtMaxSAG", "Max. SAG (ft.):", fkMaxSAG},
        {"edtMinClearance", "Min. clearance ground to wire (ft):", fkMinClearance},
        {"edtSignalWeights", "Sum of Weights Signals/Signs (lbs):", fkShown},
        {"edtAreas", "Sum of Areas (sq.ft):", fkShown}};
    for (int r = 0; r < 5; ++r) {
        TKorvelEdit *edit = AddField(first[r]);
        grid->addWidget(Labels[edit->objectName()], r, 0);
        grid->addWidget(edit, r, 1);
    }
    const TFieldSpec second[] = {{"edtWireWeight", "Weight of Wire (lbs/ft):", fkWireWeight},
                                 {"edtWindPressure", "Wind Pressure (psf):", fkShown}};
    for (int r = 0; r < 2; ++r) {
        TKorvelEdit *edit = AddField(second[r]);
        grid->addWidget(Labels[edit->objectName()], r, 2);
        grid->addWidget(edit, r, 3);
    }
    cbEnableWires = new QCheckBox(QStringLiteral("Enable Variable Wire Weight"));
    cbEnableWires->setObjectName(QStringLiteral("cbEnableWires"));
    cbWarp = new QCheckBox(QStringLiteral("Enable Adjust Box Angles"));
    cbWarp->setObjectName(QStringLiteral("cbWarp"));
    grid->addWidget(cbEnableWires, 2, 2, 1, 2);
    grid->addWidget(cbWarp, 3, 2, 1, 2);
    cbSpanWire = new QComboBox;
    cbSpanWire->setObjectName(QStringLiteral("cbSpanWire"));
    // As wide as "(not given)": a longer name shows whole in the open list.
    cbSpanWire->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cbSpanWire->setMinimumContentsLength(11);
    auto *spanWireLabel = new QLabel(QStringLiteral("Span Wire:"));
    spanWireLabel->setBuddy(cbSpanWire);
    grid->addWidget(spanWireLabel, 4, 2);
    grid->addWidget(cbSpanWire, 4, 3);
    connect(cbSpanWire, &QComboBox::activated, this, &TDetailPages::SpanWireChosen);
    connect(cbEnableWires, &QCheckBox::clicked, this, &TDetailPages::VariableWiresClicked);
    connect(cbWarp, &QCheckBox::clicked, this, [this](bool checked) {
        if (Current())
            Document.Edit(QStringLiteral("Adjust Box Angles"), TStepScope::OfSequence(FSequence),
                          [this, checked](TWireConfigurationList &) { Current()->SetBoxWarp(checked); });
    });
    return page;
}

QWidget *TDetailPages::BuildGridPage(QComboBox *&selector, QTableWidget *&grid, const char *selectorName,
                                     const char *gridName, const QStringList &headers,
                                     const std::vector<int> &widths)
{
    auto *page = new QWidget;
    auto *column = new QVBoxLayout(page);
    auto *top = new QHBoxLayout;
    selector = new QComboBox;
    selector->setObjectName(selectorName);
    auto *label = new QLabel(QStringLiteral("Span #:"));
    label->setBuddy(selector);
    top->addWidget(label);
    top->addWidget(selector);
    top->addStretch();
    column->addLayout(top);
    grid = NewTextGrid(gridName, headers, widths);
    column->addWidget(grid);
    return page;
}

TWireConfiguration *TDetailPages::Current() const
{
    return FSequence ? Document.Project().FindByNumber(FSequence) : nullptr;
}

void TDetailPages::ShowSequence(int number)
{
    const bool other = number != FSequence;
    FSequence = number;
    const TWireConfiguration *sequence = Current();
    if (!sequence) {
        FSequence = 0;
        FSpan = 0;
        return;
    }
    if (other)
        setCurrentIndex(0);
    ApplyVisibility(sequence->Topology(), sequence->Elevations);
    RefreshFields(*sequence);
    if (other || !sequence->Spans.FindByNumber(FSpan))
        RefreshSpanSelectors(*sequence);
    RefreshSignalGrid();
    RefreshSegmentGrid();
    Q_EMIT DrawingChanged();
}

void TDetailPages::Refresh()
{
    ShowSequence(FSequence);
}

QSize TDetailPages::WholeSize()
{
    TElevationList allEntered;
    allEntered.EnteredFlags = std::string(JunctionLetters.size(), 'Y');
    QSize whole;
    for (int type = 1; IsSequenceType(type); ++type) {
        ApplyVisibility(Topology(type), allEntered);
        ForgetLayoutSizes(*this);
        whole = whole.expandedTo(minimumSizeHint());
    }
    if (const TWireConfiguration *sequence = Current())
        ApplyVisibility(sequence->Topology(), sequence->Elevations);
    return whole;
}

void TDetailPages::ApplyVisibility(const TSequenceTopology &topology, const TElevationList &points)
{
    const auto show = [this](const QString &name, bool shown) {
        Fields[name]->setVisible(shown);
        Labels[name]->setVisible(shown);
    };
    for (int n = 1; n <= 8; ++n) {
        show(QStringLiteral("edtL%1").arg(n), n <= topology.SpanCount());
        show(QStringLiteral("edtA%1").arg(n), n <= topology.CheckedAngles);
    }
    for (const char *name : AllDistanceFields)
        show(name, false);
    if (const char *const *fields = DistanceFieldsFor(topology.PoleDistanceCount()))
        for (int i = 0; i < topology.PoleDistanceCount(); ++i) {
            const TPolePair &pair = topology.PoleDistances[size_t(i)];
            Labels[fields[i]]->setText(QStringLiteral("Pole %1 - %2").arg(pair.PoleA).arg(pair.PoleB));
            show(fields[i], true);
        }
    for (int i = 0; i < 6; ++i)
        show(BaseFields[i], topology.HasPoint(BasePoints[i]));
    for (int pole = 1; pole <= 5; ++pole)
        show(MomentFields[pole - 1], topology.HasPoint(BasePoints[pole]));
    RefreshElevationFields(topology, points);
    cbWarp->setVisible(topology.Type == stBox);
}

void TDetailPages::RefreshElevationFields(const TSequenceTopology &topology, const TElevationList &points)
{
    for (int i = 0; i < 7; ++i) {
        const std::string letter(1, JunctionLetters[size_t(i)]);
        const bool shown = topology.HasPoint(letter);
        Flags[i]->setVisible(shown);
        Flags[i]->setEnabled(topology.EditableFlags.find(letter) != std::string::npos);
        Flags[i]->setChecked(points.IsEntered(letter));
        const QString name = QStringLiteral("edt") + Text(letter);
        Labels[name]->setVisible(shown);
        Fields[name]->setVisible(shown && Flags[i]->isChecked());
    }
}

void TDetailPages::RefreshFields(const TWireConfiguration &sequence)
{
    for (const TBaseWire *span : sequence.Spans) {
        if (span->Number < 1 || span->Number > 8)
            continue;
        Fields[QStringLiteral("edtL%1").arg(span->Number)]->SetNumericOutput(span->Length);
        Fields[QStringLiteral("edtA%1").arg(span->Number)]->SetNumericOutput(span->Angle);
    }
    RefreshPoleDistances(sequence);
    for (const TBaseElevation *point : sequence.Elevations)
        if (const auto found = Fields.find(PointField(point->Name)); found != Fields.end())
            found->second->setText(General(point->Value));
    Fields["edtWireWeight"]->SetNumericOutput(sequence.WireWeight);
    Fields["edtMinimumSAG"]->SetNumericOutput(sequence.MinSAG);
    Fields["edtWindPressure"]->SetNumericOutput(Document.Project().Parameters().WindPressure);
    Fields["edtSignalWeights"]->SetNumericOutput(sequence.Spans.SumDeadLoads());
    Fields["edtMinClearance"]->SetNumericOutput(sequence.MinClearance);
    Fields["edtAreas"]->SetNumericOutput(sequence.Spans.SumWindAreas());
    Fields["edtMaxSAG"]->SetNumericOutput(sequence.MaxSAG);
    cbEnableWires->setChecked(sequence.VariableWires);
    cbWarp->setChecked(sequence.BoxWarp);
    for (int pole = 1; pole <= 5; ++pole) {
        const TBasePole *found = sequence.Poles.FindByNumber(pole);
        Fields[MomentFields[pole - 1]]->setText(found && found->AllowableMoment > 0 ? General(found->AllowableMoment)
                                                                                    : QString());
    }
    RefreshSpanWire(sequence);
}

void TDetailPages::RefreshSpanWire(const TWireConfiguration &sequence)
{
    const QSignalBlocker blocker(cbSpanWire);
    cbSpanWire->clear();
    cbSpanWire->addItem(QLatin1String(NotGiven), QString());
    for (const TTypicalWire *strand : Settings.CodeList.Strands())
        cbSpanWire->addItem(Text(strand->StrandName()), Text(strand->Code));
    if (sequence.SpanWire.empty()) {
        cbSpanWire->setCurrentIndex(0);
        return;
    }
    int at = cbSpanWire->findData(Text(sequence.SpanWire));
    if (at < 0) {
        // Kept as the file has it; the checks take it as not given.
        cbSpanWire->addItem(QStringLiteral("(unknown code %1)").arg(Text(sequence.SpanWire)), Text(sequence.SpanWire));
        at = cbSpanWire->count() - 1;
    }
    cbSpanWire->setCurrentIndex(at);
}

void TDetailPages::SpanWireChosen(int index)
{
    if (!Current() || index < 0)
        return;
    const std::string code = cbSpanWire->itemData(index).toString().toStdString();
    const TTypicalWire *strand = Settings.CodeList.FindStrand(code);
    Document.Edit(QStringLiteral("Span Wire"), TStepScope::OfSequence(FSequence),
                  [this, code, strand](TWireConfigurationList &) {
                      TWireConfiguration &s = *Current();
                      s.SetSpanWire(code);
                      if (strand)
                          s.SetWireWeight(strand->Weight);
                  });
}

void TDetailPages::RefreshPoleDistances(const TWireConfiguration &sequence)
{
    // On a copy: showing the distances must not change the project.
    TWireConfiguration copy(sequence);
    const bool placed = TGeometry::ComputePlanLayout(copy);
    for (const char *name : AllDistanceFields)
        Fields[name]->setText(QStringLiteral("N/A"));
    const char *const *fields = DistanceFieldsFor(copy.PoleDistances.Count());
    if (!placed || !fields)
        return;
    for (int i = 0; i < copy.PoleDistances.Count(); ++i)
        Fields[fields[i]]->setText(Text(FloatToStrF(copy.PoleDistances.Objects(i)->Distance, 15, 2)));
}

void TDetailPages::RefreshSpanSelectors(const TWireConfiguration &sequence)
{
    for (QComboBox *selector : {cbSSpans, cbWSpans}) {
        selector->clear();
        for (const TBaseWire *span : sequence.Spans)
            selector->addItem(QString::number(span->Number));
    }
    FSpan = sequence.Spans.Empty() ? 0 : sequence.Spans.First()->Number;
}

void TDetailPages::SelectSpan(int index)
{
    cbSSpans->setCurrentIndex(index);
    cbWSpans->setCurrentIndex(index);
    FSpan = cbSSpans->currentText().toInt();
    RefreshSignalGrid();
    RefreshSegmentGrid();
    Q_EMIT DrawingChanged();
}

void TDetailPages::RefreshSignalGrid()
{
    const TWireConfiguration *sequence = Current();
    const TBaseWire *span = sequence ? sequence->Spans.FindByNumber(FSpan) : nullptr;
    std::vector<QStringList> rows;
    if (span)
        for (const TBaseSignal *item : span->Signals)
            rows.push_back({QString::number(item->Number), item->IsSignal ? "Signal" : "Sign", General(item->Distance),
                            General(item->WindArea()), General(item->DeadLoad()),
                            item->IsSignal ? General(item->Height) : QString()});
    FillTextGrid(sgSignalList, rows);
}

void TDetailPages::RefreshSegmentGrid()
{
    // Span 0 (none yet) shows one empty, disabled row.
    const TWireConfiguration *sequence = Current();
    const TBaseWire *span = sequence ? sequence->Spans.FindByNumber(FSpan) : nullptr;
    FillTextGrid(sgCompositionList, SegmentRows(span));
}

bool TDetailPages::Commit(TKorvelEdit *edit)
{
    TWireConfiguration *sequence = Current();
    if (!sequence || !edit->isModified())
        return true;
    const auto found = FieldKinds.find(edit);
    if (found == FieldKinds.end())
        return true;
    const TFieldSpec *field = &found->second;
    double value = 0;
    try {
        value = edit->NumericOutput();
    } catch (const EConvertError &error) {
        const QString name = field->Kind == fkAllowableMoment
                                 ? QStringLiteral("Allowable Base Moment of Pole %1").arg(field->Span)
                                 : FieldName(Labels[edit->objectName()]->text());
        Ask.Tell(this, TMessageKind::Error, QStringLiteral("%1: %2").arg(name, Text(error.what())));
        Refresh();
        return false;
    }
    if (field->Kind == fkAllowableMoment && value < 0) {
        Ask.Tell(this, TMessageKind::Error,
                 QStringLiteral("Allowable Base Moment of Pole %1: %2 is below 0; leave the field empty when not given.")
                     .arg(field->Span)
                     .arg(edit->text()));
        Refresh();
        return false;
    }
    if (field->Kind == fkLength && !ConfirmSpanLength(this, Ask, *sequence, field->Span, value)) {
        Refresh();
        return false;
    }
    edit->setModified(false);
    const TFieldSpec kind = *field;
    const double minSAG = kind.Kind == fkMinSAG ? value : sequence->MinSAG;
    const double maxSAG = kind.Kind == fkMaxSAG ? value : sequence->MaxSAG;
    const QString caption = kind.Kind == fkAllowableMoment
                                ? QStringLiteral("Allowable Base Moment of Pole %1").arg(kind.Span)
                                : Labels[edit->objectName()]->text().remove(':');
    Document.Edit(QStringLiteral("Change %1").arg(caption),
                  TStepScope::OfSequence(FSequence), [this, kind, value](TWireConfigurationList &) {
                      TWireConfiguration &s = *Current();
                      switch (kind.Kind) {
                      case fkLength:
                          if (s.Spans.FindByNumber(kind.Span))
                              s.Spans.SetLengthOf(kind.Span, value);
                          break;
                      case fkAngle:
                          if (s.Spans.FindByNumber(kind.Span))
                              s.Spans.SetAngleOf(kind.Span, value);
                          break;
                      case fkPoint:
                          if (TBaseElevation *point = s.Elevations.FindByName(kind.Point))
                              point->SetValue(value);
                          break;
                      case fkMaxSAG: s.SetMaxSAG(value); break;
                      case fkMinClearance: s.SetMinClearance(value); break;
                      case fkWireWeight:
                          // Another weight is no longer the chosen strand's.
                          if (value != s.WireWeight)
                              s.SetSpanWire({});
                          s.SetWireWeight(value);
                          break;
                      case fkAllowableMoment:
                          if (TBasePole *pole = s.Poles.FindByNumber(kind.Span))
                              pole->SetAllowableMoment(value);
                          break;
                      case fkMinSAG: s.SetMinSAG(value); break;
                      case fkShown: break;
                      }
                  });
    if (kind.Kind == fkMinSAG || kind.Kind == fkMaxSAG)
        TellSAGOrder(minSAG, maxSAG);
    return true;
}

void TDetailPages::TellSAGOrder(double minSAG, double maxSAG)
{
    // A maximum of 0 is one not entered yet: the minimum usually comes first.
    if (maxSAG <= 0 || minSAG <= maxSAG)
        return;
    Ask.Tell(this, TMessageKind::Warning,
             QStringLiteral("Min. SAG %1 ft is above Max. SAG %2 ft: the sequence cannot be calculated until the "
                            "maximum is at least the minimum.")
                 .arg(General(minSAG), General(maxSAG)));
}

void TDetailPages::FlagClicked(int position, bool checked)
{
    TWireConfiguration *sequence = Current();
    if (!sequence)
        return;
    std::string flags = sequence->Elevations.EnteredFlags;
    flags[size_t(position)] = checked ? 'Y' : 'N';
    const std::string refused = sequence->Topology().FlagLimitBroken(flags);
    if (!refused.empty()) {
        Ask.Tell(this, TMessageKind::Error, Text(refused));
        RefreshElevationFields(sequence->Topology(), sequence->Elevations);
        return;
    }
    Document.Edit(QStringLiteral("Elevation %1").arg(QChar(JunctionLetters[size_t(position)])),
                  TStepScope::OfSequence(FSequence),
                  [this, flags](TWireConfigurationList &) { Current()->Elevations.SetEnteredFlags(flags); });
}

void TDetailPages::VariableWiresClicked(bool checked)
{
    TWireConfiguration *sequence = Current();
    if (!sequence)
        return;
    if (!checked && sequence->VariableWires
        && Ask.Message(this, TMessageKind::Warning,
                       QStringLiteral("Disabling variable wire weight, the segments will be reset to %1 lbs/ft.")
                           .arg(General(sequence->WireWeight)),
                       QMessageBox::Ok | QMessageBox::Cancel)
            != QMessageBox::Ok) {
        cbEnableWires->setChecked(true);
        return;
    }
    Document.Edit(QStringLiteral("Variable Wire Weight"), TStepScope::OfSequence(FSequence),
                  [this, checked](TWireConfigurationList &) { Current()->SetVariableWires(checked); });
}

} // namespace corvadel
