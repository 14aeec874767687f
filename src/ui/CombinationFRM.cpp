#include "CombinationFRM.h"

#include "KorvelEditComp.h"
#include "uAsk.h"
#include "uCombinationGrid.h"
#include "uDialogButtons.h"
#include "uGlobalSettings.h"
#include "uGraphics.h"
#include "uHelpContext.h"
#include "uProjectDocument.h"
#include "uQtCanvas.h"
#include "uWires.h"
#include "uQtText.h"
#include "uWaitCursor.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace corvadel {

namespace {

const QSize PictureSize(210, 210); // square: a quarter turn keeps it inside

// The number of a sequence entry: the text before its first blank.
int EntryNumber(const QComboBox *list)
{
    const QString text = list->currentText();
    return StrToInt(text.left(text.indexOf(' ')).toStdString());
}

void SelectEntry(QComboBox *list, const QString &text)
{
    list->setCurrentIndex(list->findText(text));
}

// What the editor holds, every field converted.
struct TEditorValues {
    int Sequence[2];
    int Pole[2];
    double Angle;
};

} // namespace

TfrmCombination::TfrmCombination(TProjectDocument &document, const TGlobalSetting &settings, TAsk &ask,
                                 QWidget *parent)
    : QDialog(parent)
    , Document(document)
    , Settings(settings)
    , Ask(ask)
{
    setObjectName(QStringLiteral("frmCombination"));
    SetHelpContext(this, hcCombinations);
    setWindowTitle(QStringLiteral("Combinations"));
    auto *row = new QHBoxLayout;
    row->addWidget(BuildGridPane());
    row->addWidget(BuildEditor(), 1);
    auto *column = new QVBoxLayout(this);
    column->addLayout(row);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    AddHelpAndClose(this, bottom);
    column->addLayout(bottom);

    for (int side = 0; side < 2; ++side) {
        for (const TWireConfiguration *sequence : Document.Project())
            cbSequence[side]->addItem(Text(sequence->DisplayName()));
        cbSequence[side]->setCurrentIndex(-1);
        cbPole[side]->clear();
    }
    RefreshGrid();
}

QWidget *TfrmCombination::BuildGridPane()
{
    QWidget *pane = NewCombinationsPane("Angle (Degrees)", {30, 28, 33, 32, 67}, Settings.ResizeForm, sgCombinations);
    sgCombinations->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(sgCombinations, &QTableWidget::cellClicked, this, [this](int row) {
        if (row < 0 || row >= Document.Project().Combinations.Count())
            return;
        SetAddMode(false);
        LoadCombination(row);
    });
    pane->setFixedWidth(280);
    return pane;
}

QWidget *TfrmCombination::BuildEditor()
{
    auto *editor = new QWidget;
    auto *column = new QVBoxLayout(editor);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(new QLabel(QStringLiteral("Sequence Editor")));
    auto *sides = new QHBoxLayout;
    for (int side = 1; side <= 2; ++side) {
        auto *sideColumn = new QWidget;
        BuildSide(side, sideColumn);
        sides->addWidget(sideColumn);
    }
    column->addLayout(sides);

    auto *row = new QHBoxLayout;
    edtAngle = new TKorvelEdit;
    edtAngle->setObjectName(QStringLiteral("edtAngle"));
    edtAngle->SetEditType(etFloat);
    edtAngle->SetMaxLength(7);
    auto *angle = new QLabel(QStringLiteral("Angle (Degrees):"));
    angle->setBuddy(edtAngle);
    row->addWidget(angle);
    row->addWidget(edtAngle);
    row->addWidget(new QLabel(QStringLiteral("(click on the images to rotate 90 degrees clockwise)")), 1);
    column->addLayout(row);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    const std::tuple<const char *, const char *, void (TfrmCombination::*)()> commands[] = {
        {"btnAdd", "Add", &TfrmCombination::AddOrUpdateClicked},
        {"btnReset", "Reset", &TfrmCombination::ResetClicked},
        {"btnRemove", "Remove", &TfrmCombination::RemoveClicked},
    };
    for (const auto &[name, caption, handler] : commands) {
        QPushButton *button = NewButton(name, QLatin1String(caption));
        connect(button, &QPushButton::clicked, this, handler);
        buttons->addWidget(button);
        if (!btnAdd)
            btnAdd = button;
    }
    column->addLayout(buttons);
    return editor;
}

void TfrmCombination::BuildSide(int side, QWidget *column)
{
    const int i = side - 1;
    auto *form = new QGridLayout(column);
    form->setContentsMargins(0, 0, 0, 0);
    cbSequence[i] = new QComboBox;
    cbSequence[i]->setObjectName(QStringLiteral("cbSequence%1").arg(side));
    cbPole[i] = new QComboBox;
    cbPole[i]->setObjectName(QStringLiteral("cbPole%1").arg(side));
    connect(cbSequence[i], &QComboBox::currentIndexChanged, this, [this, side] { SequenceChanged(side); });
    form->addWidget(new QLabel(QStringLiteral("Sequence  No:")), 0, 0);
    form->addWidget(cbSequence[i], 0, 1);
    form->addWidget(new QLabel(QStringLiteral("Pole No:")), 1, 0);
    form->addWidget(cbPole[i], 1, 1);
    imgSequence[i] = new QLabel;
    imgSequence[i]->setObjectName(side == 1 ? QStringLiteral("imgSequenceOne") : QStringLiteral("imgSequenceTwo"));
    imgSequence[i]->setFixedSize(PictureSize);
    imgSequence[i]->setFrameShape(QFrame::Box);
    imgSequence[i]->installEventFilter(this);
    form->addWidget(imgSequence[i], 2, 0, 1, 2);
}

bool TfrmCombination::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress)
        for (int side = 1; side <= 2; ++side)
            if (watched == imgSequence[side - 1]) {
                PictureClicked(side);
                return true;
            }
    return QDialog::eventFilter(watched, event);
}

int TfrmCombination::SelectedRow() const
{
    const QList<QTableWidgetItem *> selected = sgCombinations->selectedItems();
    const int row = selected.isEmpty() ? -1 : selected.front()->row();
    return row < Document.Project().Combinations.Count() ? row : -1;
}

void TfrmCombination::SetAddMode(bool add)
{
    AddMode = add;
    btnAdd->setText(add ? QStringLiteral("Add") : QStringLiteral("Update"));
}

void TfrmCombination::RefreshGrid()
{
    FillCombinationGrid(sgCombinations, Document.Project().Combinations);
    if (Document.Project().Combinations.Empty()) {
        SetAddMode(true);
        return;
    }
    sgCombinations->selectRow(0);
    LoadCombination(0);
}

void TfrmCombination::LoadCombination(int row)
{
    const TCombination *c = Document.Project().Combinations.Objects(row);
    const TWireConfigurationList &project = Document.Project();
    Rotations[0] = c->RotationOne;
    Rotations[1] = c->RotationTwo;
    const int sequences[] = {c->SequenceA, c->SequenceB};
    const int poles[] = {c->PoleA, c->PoleB};
    for (int i = 0; i < 2; ++i) {
        const TWireConfiguration *sequence = project.FindByNumber(sequences[i]);
        {
            const QSignalBlocker quiet(cbSequence[i]);
            SelectEntry(cbSequence[i], sequence ? Text(sequence->DisplayName()) : QString());
        }
        SequenceChanged(i + 1);
        SelectEntry(cbPole[i], QString::number(poles[i]));
    }
    edtAngle->setText(Text(FloatToStr(c->ABAngle)));
}

void TfrmCombination::SequenceChanged(int side)
{
    QComboBox *poles = cbPole[side - 1];
    poles->clear();
    const TWireConfiguration *sequence = nullptr;
    try {
        sequence = Document.Project().FindByNumber(EntryNumber(cbSequence[side - 1]));
    } catch (const EConvertError &) {
        // Nothing picked on this side.
    }
    if (sequence)
        for (const TBasePole *pole : sequence->Poles)
            if (!pole->IsRing)
                poles->addItem(QString::number(pole->Number));
    DrawSide(side);
}

void TfrmCombination::DrawSide(int side)
{
    QLabel *picture = imgSequence[side - 1];
    const QComboBox *list = cbSequence[side - 1];
    if (list->currentIndex() < 0) {
        picture->clear();
        return;
    }
    const TWaitCursor busy;
    TQtCanvas canvas(PictureSize.width(), PictureSize.height());
    TGraphics graphics(Settings, canvas);
    graphics.Project = &Document.Project();
    graphics.ShowLabels = false;
    graphics.SmallestFontSize = TGraphics::ScreenFontSize;
    graphics.DrawSequence(dmAngles, EntryNumber(list), Rotations[side - 1]);
    picture->setPixmap(QPixmap::fromImage(canvas.Picture()));
}

void TfrmCombination::PictureClicked(int side)
{
    // The turn belongs to the editor until Add or Update stores it.
    Rotations[side - 1] = TCombination::Turned(Rotations[side - 1]);
    DrawSide(side);
}

void TfrmCombination::AddOrUpdateClicked()
{
    // Pressing Add and seeing nothing happen leaves the user guessing.
    for (int i = 0; i < 2; ++i)
        if (cbSequence[i]->currentIndex() < 0 || cbPole[i]->currentIndex() < 0) {
            Ask.Tell(this, TMessageKind::Warning, QStringLiteral("Pick a sequence and a pole on both sides."));
            return;
        }
    if (cbSequence[0]->currentText() == cbSequence[1]->currentText()) {
        Ask.Tell(this, TMessageKind::Warning,
                 QStringLiteral("A sequence cannot be combined with itself: pick another sequence on one side."));
        return;
    }
    const int row = AddMode ? -1 : SelectedRow();
    if (!AddMode && row < 0)
        return;
    TEditorValues values{};
    try {
        for (int i = 0; i < 2; ++i) {
            values.Sequence[i] = EntryNumber(cbSequence[i]);
            values.Pole[i] = StrToInt(cbPole[i]->currentText().toStdString());
        }
        values.Angle = edtAngle->NumericOutput();
    } catch (const EConvertError &error) {
        Ask.Tell(this, TMessageKind::Error, Text(error.what()));
        return;
    }
    if (TellExisting(values.Sequence[0], values.Pole[0], values.Sequence[1], values.Pole[1], row))
        return;
    const double rotations[] = {Rotations[0], Rotations[1]};
    Document.Edit(AddMode ? QStringLiteral("Add Combination") : QStringLiteral("Update Combination"),
                  TStepScope::OfCombinations(), [&](TWireConfigurationList &project) {
                      TCombinationList &combinations = project.Combinations;
                      TCombination *c = nullptr;
                      if (row < 0) {
                          c = combinations.Add(std::make_unique<TCombination>());
                          c->SetNumber(combinations.Count() - 1);
                      } else {
                          c = combinations.Objects(row);
                      }
                      c->SetSequenceA(values.Sequence[0]);
                      c->SetSequenceB(values.Sequence[1]);
                      c->SetPoleA(values.Pole[0]);
                      c->SetPoleB(values.Pole[1]);
                      c->SetABAngle(values.Angle);
                      c->SetRotationOne(rotations[0]);
                      c->SetRotationTwo(rotations[1]);
                  });
    RefreshGrid();
}

bool TfrmCombination::TellExisting(int sequenceA, int poleA, int sequenceB, int poleB, int skipRow)
{
    // The same tie twice would count its moments twice.
    const TCombinationList &combinations = Document.Project().Combinations;
    for (int row = 0; row < combinations.Count(); ++row) {
        const TCombination *c = combinations.Objects(row);
        if (row == skipRow || !c->Ties(sequenceA, poleA, sequenceB, poleB))
            continue;
        Ask.Tell(this, TMessageKind::Warning,
                 QStringLiteral("Row %1 of the list already combines pole %2 of sequence %3 with pole %4 of "
                                "sequence %5.")
                     .arg(row + 1)
                     .arg(c->PoleA)
                     .arg(c->SequenceA)
                     .arg(c->PoleB)
                     .arg(c->SequenceB));
        return true;
    }
    return false;
}

void TfrmCombination::ResetClicked()
{
    SetAddMode(true);
}

void TfrmCombination::RemoveClicked()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    Document.Edit(QStringLiteral("Remove Combination"), TStepScope::OfCombinations(),
                  [row](TWireConfigurationList &project) { project.Combinations.DeleteCombination(row); });
    RefreshGrid();
}

} // namespace corvadel
