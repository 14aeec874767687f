#include "WiresFRM.h"

#include "KorvelEditComp.h"
#include "uAsk.h"
#include "uBaseWire.h"
#include "uCodes.h"
#include "uFormats.h"
#include "uFormParts.h"
#include "uHelpContext.h"
#include "uProjectDocument.h"
#include "uSegment.h"
#include "uTextGrid.h"
#include "uWires.h"
#include "uQtText.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace corvadel {

namespace {

const QString CustomType = QStringLiteral("CUSTOM");

TBaseSegment *FindSegment(const TWireConfigurationList &project, int sequence, int span, int startPoint)
{
    const TWireConfiguration *owner = project.FindByNumber(sequence);
    const TBaseWire *wire = owner ? owner->Spans.FindByNumber(span) : nullptr;
    return wire ? wire->Segments.FindByStartPoint(startPoint) : nullptr;
}

} // namespace

TfrmWires::TfrmWires(TProjectDocument &document, TAsk &ask, const TCodeList &codes, int sequence, int span,
                     QWidget *parent)
    : QDialog(parent)
    , Document(document)
    , Ask(ask)
    , FSequence(sequence)
    , FSpan(span)
{
    setObjectName(QStringLiteral("frmWires"));
    setWindowTitle(QStringLiteral("Wire Weights Calculation for Span #%1").arg(span));
    SetHelpContext(this, hcWires);

    sgSegments = NewTextGrid("sgSegments", SegmentHeaders(), {62, 99, 107, 141, 154});
    sgCompositionList = NewTextGrid("sgCompositionList",
                                 {"#", "Wire", "Type", "Qty", "Weight (lbs/ft)", "Composite Weight (lbs/ft)"},
                                 {44, 80, 84, 47, 116, 195});

    cbWireType = new QComboBox;
    cbWireType->setObjectName(QStringLiteral("cbWireType"));
    cbWireType->setEditable(true);
    cbWireType->setInsertPolicy(QComboBox::NoInsert);
    cbWireType->setMinimumWidth(180);
    const TCodeList::WireView view = codes.TypicalWires();
    for (const auto &row : view.Rows) {
        Kinds.push_back({Text(row.Entry->Code), Text(row.Entry->Category), Text(row.Entry->Section), row.Entry->Weight});
        cbWireType->addItem(Text(row.Key));
    }
    edtWeight = new TKorvelEdit;
    edtWeight->setObjectName(QStringLiteral("edtWeight"));
    edtWeight->SetEditType(etFloat);
    edtWeight->SetMaxLength(7);
    edtWeight->setMinimumWidth(70);
    seOccurrence = new QSpinBox;
    seOccurrence->setObjectName(QStringLiteral("seOccurrence"));
    // 0 can be typed, so that Add can say why it is refused.
    seOccurrence->setRange(0, 999);
    seOccurrence->setValue(1);
    btnAdd = new QPushButton(QStringLiteral("&Add"));
    btnAdd->setObjectName(QStringLiteral("btnAdd"));
    btnUpdate = new QPushButton(QStringLiteral("&Update"));
    btnUpdate->setObjectName(QStringLiteral("btnUpdate"));
    btnRemove = new QPushButton(QStringLiteral("&Remove"));
    btnRemove->setObjectName(QStringLiteral("btnRemove"));
    auto *btnClose = new QPushButton(QStringLiteral("Close"));
    btnClose->setObjectName(QStringLiteral("btnClose"));
    auto *btnHelp = new QPushButton(QStringLiteral("&Help"));
    btnHelp->setObjectName(QStringLiteral("btnHelp"));
    for (QPushButton *button : {btnAdd, btnUpdate, btnRemove, btnClose, btnHelp})
        button->setAutoDefault(false);

    auto *editor = new QHBoxLayout;
    AddLabelledFields(editor, {{"Type:", cbWireType}, {"Weight (lbs/ft ):", edtWeight}, {"Occurrence:", seOccurrence}});
    for (QPushButton *button : {btnAdd, btnUpdate, btnRemove})
        editor->addWidget(button);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(btnHelp);
    bottom->addStretch();
    bottom->addWidget(btnClose);
    auto *column = new QVBoxLayout(this);
    column->addWidget(sgSegments);
    column->addWidget(new QLabel(QStringLiteral("Wire Composition")));
    column->addLayout(editor);
    column->addWidget(sgCompositionList);
    column->addLayout(bottom);
    resize(640, 480);

    connect(sgSegments, &QTableWidget::currentCellChanged, this, [this](int row) { SelectSegment(row); });
    connect(sgCompositionList, &QTableWidget::cellClicked, this, [this](int row) { LoadComposition(row); });
    connect(cbWireType, &QComboBox::activated, this, &TfrmWires::PickWireKind);
    connect(btnAdd, &QPushButton::clicked, this, &TfrmWires::Add);
    connect(btnUpdate, &QPushButton::clicked, this, &TfrmWires::Update);
    connect(btnRemove, &QPushButton::clicked, this, &TfrmWires::Remove);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnHelp, &QPushButton::clicked, this, [this] { RequestHelp(this); });

    PickWireKind(0);
    RefreshSegments();
}

TBaseWire *TfrmWires::Span() const
{
    const TWireConfiguration *sequence = Document.Project().FindByNumber(FSequence);
    return sequence ? sequence->Spans.FindByNumber(FSpan) : nullptr;
}

TBaseSegment *TfrmWires::Segment() const
{
    const TBaseWire *span = Span();
    if (!span || FSegmentRow < 0 || FSegmentRow >= span->Segments.Count())
        return nullptr;
    return span->Segments.Objects(FSegmentRow);
}

void TfrmWires::RefreshSegments()
{
    const int row = FSegmentRow >= 0 ? FSegmentRow : 0;
    const QSignalBlocker quiet(sgSegments);
    FillTextGrid(sgSegments, SegmentRows(Span()));
    sgSegments->setCurrentCell(row, 0);
    SelectSegment(row);
}

void TfrmWires::SelectSegment(int row)
{
    const TBaseWire *span = Span();
    if (!span || row < 0 || row >= span->Segments.Count())
        return;
    FSegmentRow = row;
    RefreshCompositions();
}

void TfrmWires::RefreshCompositions()
{
    const TBaseSegment *segment = Segment();
    std::vector<QStringList> rows;
    if (segment) {
        int position = 0;
        for (const TSegmentComposition *c : segment->Compositions)
            rows.push_back({QString::number(position++), Text(c->WireType), Text(c->Description),
                            QString::number(c->Occurrence), GeneralText(c->WireWeight), GeneralText(c->UnitWeight())});
    }
    FillTextGrid(sgCompositionList, rows);
    btnRemove->setEnabled(segment && segment->Compositions.Count() > 1);
    if (rows.empty())
        return;
    sgCompositionList->setCurrentCell(0, 0);
    LoadComposition(0);
}

void TfrmWires::PickWireKind(int index)
{
    if (index < 0 || index >= int(Kinds.size()))
        return; // typed text that names no kind
    Edited = Kinds[size_t(index)];
    edtWeight->SetNumericOutput(Edited.Weight);
    ShowWeightEditable(Edited.Type == CustomType);
}

void TfrmWires::LoadComposition(int row)
{
    const TBaseSegment *segment = Segment();
    if (!segment || row < 0 || row >= segment->Compositions.Count())
        return;
    const TSegmentComposition &c = *segment->Compositions.Objects(row);
    cbWireType->setCurrentText(c.Description.empty() ? Text(c.WireType)
                                                     : Text(c.WireType) + QStringLiteral(" - ") + Text(c.Description));
    Edited = {Text(c.WireCode), Text(c.WireType), Text(c.Description), c.WireWeight};
    edtWeight->SetNumericOutput(c.WireWeight);
    ShowWeightEditable(Edited.Type == CustomType);
    seOccurrence->setValue(c.Occurrence);
}

void TfrmWires::ShowWeightEditable(bool editable)
{
    edtWeight->setReadOnly(!editable);
    QPalette palette = edtWeight->palette();
    palette.setColor(QPalette::Base, editable ? QColor(Qt::white) : palette.color(QPalette::Window));
    edtWeight->setPalette(palette);
}

bool TfrmWires::ReadEntered(TEntered &entered)
{
    // The field shows two decimals: only a typed weight is read back from it.
    double weight = Edited.Weight;
    try {
        if (!edtWeight->isReadOnly() && edtWeight->isModified())
            weight = edtWeight->NumericOutput();
    } catch (const EConvertError &error) {
        Ask.Tell(this, TMessageKind::Error, Text(error.what()));
        return false;
    }
    const int occurrence = seOccurrence->value();
    if (occurrence == 0 || weight == 0) {
        Ask.Tell(this, TMessageKind::Error, QStringLiteral("Occurrence and Weight cannot be 0"));
        return false;
    }
    // The tension search finds nothing for a wire that pulls upward.
    if (weight < 0) {
        Ask.Tell(this, TMessageKind::Error, QStringLiteral("The wire weight cannot be negative."));
        return false;
    }
    entered = {Edited, occurrence};
    entered.Kind.Weight = weight;
    return true;
}

int TfrmWires::SelectedComposition() const
{
    const TBaseSegment *segment = Segment();
    const int row = sgCompositionList->currentRow();
    return segment && row >= 0 && row < segment->Compositions.Count() ? row : -1;
}

void TfrmWires::Write(TSegmentComposition &composition, const TEntered &entered)
{
    composition.SetWireCode(entered.Kind.Code.toStdString());
    composition.SetWireType(entered.Kind.Type.toStdString());
    composition.SetDescription(entered.Kind.Description.toStdString());
    composition.SetWireWeight(entered.Kind.Weight);
    composition.SetOccurrence(entered.Occurrence);
}

void TfrmWires::Add()
{
    TEntered e;
    const TBaseSegment *segment = Segment();
    if (!segment || !ReadEntered(e))
        return;
    const int startPoint = segment->StartPoint;
    Document.Edit(QStringLiteral("Add Wire Composition"), TStepScope::OfSequence(FSequence),
                  [this, startPoint, e](TWireConfigurationList &project) {
                      TBaseSegment *target = FindSegment(project, FSequence, FSpan, startPoint);
                      auto composition = std::make_unique<TSegmentComposition>();
                      composition->SegmentNumber = startPoint;
                      Write(*composition, e);
                      target->Compositions.Add(std::move(composition));
                  });
    RefreshSegments();
}

void TfrmWires::Update()
{
    TEntered e;
    if (!ReadEntered(e))
        return;
    const int row = SelectedComposition();
    if (row < 0)
        return;
    const int startPoint = Segment()->StartPoint;
    Document.Edit(QStringLiteral("Update Wire Composition"), TStepScope::OfSequence(FSequence),
                  [this, startPoint, row, e](TWireConfigurationList &project) {
        TSegmentComposition &composition = *FindSegment(project, FSequence, FSpan, startPoint)->Compositions.Objects(row);
        Write(composition, e);
    });
    RefreshSegments();
}

void TfrmWires::Remove()
{
    const int row = SelectedComposition();
    // The last composition of a segment stays.
    if (row < 0 || Segment()->Compositions.Count() <= 1)
        return;
    const int startPoint = Segment()->StartPoint;
    Document.Edit(QStringLiteral("Remove Wire Composition"), TStepScope::OfSequence(FSequence),
                  [this, startPoint, row](TWireConfigurationList &project) {
        FindSegment(project, FSequence, FSpan, startPoint)->Compositions.Delete(row);
    });
    RefreshSegments();
}

} // namespace corvadel
