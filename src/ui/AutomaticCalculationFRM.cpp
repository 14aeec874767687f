#include "AutomaticCalculationFRM.h"

#include "KorvelEditComp.h"
#include "uAsk.h"
#include "uFormats.h"
#include "uHelpContext.h"
#include "uSpanLength.h"
#include "uTopology.h"
#include "uWires.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace corvadel {

namespace {

TPlanValues PlanValuesOf(const TWireConfiguration &sequence)
{
    TPlanValues values;
    for (int number = 1; number <= sequence.Topology().SpanCount(); ++number) {
        const TBaseWire *span = sequence.Spans.FindByNumber(number);
        values.Lengths.push_back(span ? span->Length : 0);
        values.Angles.push_back(span ? span->Angle * Pi / 180 : 0);
    }
    return values;
}

QString Name(bool angle, int span)
{
    return QStringLiteral("%1%2").arg(angle ? 'A' : 'L').arg(span);
}

} // namespace

TfrmAutomaticCalculation::TfrmAutomaticCalculation(const TWireConfiguration &sequence, TAsk &ask, QWidget *parent)
    : QDialog(parent)
    , Ask(ask)
    , Sequence(sequence)
    , Type(sequence.SequenceType)
    , Original(PlanValuesOf(sequence))
    , Working(Original)
{
    setObjectName(QStringLiteral("frmAutomaticCalculation"));
    setWindowTitle(QStringLiteral("Automatic Calculation"));
    SetHelpContext(this, hcAutomaticCalculation);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help);
    buttons->setObjectName(QStringLiteral("bbButtons"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this] { RequestHelp(this); });
    auto *column = new QVBoxLayout(this);
    column->addWidget(BuildPage());
    column->addWidget(buttons);
    ShowValues();
    SelectionChanged();
}

QWidget *TfrmAutomaticCalculation::BuildPage()
{
    auto *page = new QWidget;
    page->setObjectName(Type == stDelta ? QStringLiteral("tsDelta") : QStringLiteral("tsBox"));
    auto *grid = new QGridLayout(page);
    grid->addWidget(BuildValueGroup(QStringLiteral(" Wire Lengths "), TAutomaticCalculation::LengthSpans(Type), false),
                    0, 0);
    grid->addWidget(BuildValueGroup(QStringLiteral(" Angles "), TAutomaticCalculation::AngleSpans(Type), true), 1, 0);
    grid->addWidget(BuildSelectionGroup(), 0, 1, 2, 1);
    auto *actions = new QHBoxLayout;
    if (Type == stBox) {
        rgDoubleSolutions = new QGroupBox(QStringLiteral(" Double solutions "));
        rgDoubleSolutions->setObjectName(QStringLiteral("rgDoubleSolutions"));
        auto *choices = new QHBoxLayout(rgDoubleSolutions);
        rbSolutionA = new QRadioButton(QStringLiteral("Solution A"));
        rbSolutionA->setObjectName(QStringLiteral("rbSolutionA"));
        rbSolutionB = new QRadioButton(QStringLiteral("Solution B"));
        rbSolutionB->setObjectName(QStringLiteral("rbSolutionB"));
        choices->addWidget(rbSolutionA);
        choices->addWidget(rbSolutionB);
        rbSolutionA->setChecked(true);
        QSizePolicy keepPlace = rgDoubleSolutions->sizePolicy();
        keepPlace.setRetainSizeWhenHidden(true); // the page does not jump as it comes and goes
        rgDoubleSolutions->setSizePolicy(keepPlace);
        actions->addWidget(rgDoubleSolutions);
    }
    actions->addStretch();
    btnRecalculate = new QPushButton(QStringLiteral("Recalculate"));
    btnRecalculate->setObjectName(QStringLiteral("btnRecalculate"));
    auto *btnReset = new QPushButton(QStringLiteral("Reset"));
    btnReset->setObjectName(QStringLiteral("btnReset"));
    for (QPushButton *button : {btnRecalculate, btnReset}) {
        button->setAutoDefault(false);
        actions->addWidget(button);
    }
    connect(btnRecalculate, &QPushButton::clicked, this, &TfrmAutomaticCalculation::Recalculate);
    connect(btnReset, &QPushButton::clicked, this, &TfrmAutomaticCalculation::Reset);
    grid->addLayout(actions, 2, 0, 1, 2);
    return page;
}

QGroupBox *TfrmAutomaticCalculation::BuildValueGroup(const QString &title, const std::vector<int> &spans, bool angles)
{
    auto *group = new QGroupBox(title);
    auto *grid = new QGridLayout(group);
    int row = 0;
    for (const int span : spans) {
        TItem item{span, angles, new TKorvelEdit, new QLabel(QStringLiteral("(*)"))};
        item.Edit->setObjectName(QStringLiteral("edt") + Name(angles, span));
        item.Edit->SetEditType(etFloat);
        item.Edit->SetMaxLength(10);
        item.Mark->setObjectName(QStringLiteral("lbl") + Name(angles, span) + QStringLiteral("Entered"));
        auto *label = new QLabel(Name(angles, span));
        label->setBuddy(item.Edit);
        grid->addWidget(label, row, 0);
        grid->addWidget(item.Edit, row, 1);
        grid->addWidget(item.Mark, row, 2);
        connect(item.Edit, &QLineEdit::editingFinished, this, &TfrmAutomaticCalculation::CopyEdits);
        Items.push_back(item);
        ++row;
    }
    return group;
}

QGroupBox *TfrmAutomaticCalculation::BuildSelectionGroup()
{
    auto *group = new QGroupBox(QStringLiteral(" Select a Combination (Entered):"));
    auto *grid = new QGridLayout(group);
    grid->addWidget(new QLabel(QStringLiteral("The following combinations are valid: ")), 0, 0, 1, 2);
    const QStringList combinations = Type == stDelta
        ? QStringList{"Three Lengths", "Two Lengths + One Angle", "One Length + Two Angles"}
        : QStringList{"Four Lengths + One Angle", "Three Lengths + Two Angles", "Two Lengths + Three Angles"};
    for (int i = 0; i < combinations.size(); ++i)
        grid->addWidget(new QLabel(combinations[i]), i + 1, 0, 1, 2);
    const auto checkList = [this](const char *name, const std::vector<int> &spans, bool angles) {
        auto *list = new QListWidget;
        list->setObjectName(QLatin1String(name));
        for (const int span : spans) {
            auto *item = new QListWidgetItem(Name(angles, span), list);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Unchecked);
        }
        list->setMaximumWidth(80);
        list->setFixedHeight(list->sizeHintForRow(0) * list->count() + 2 * list->frameWidth() + 4);
        connect(list, &QListWidget::itemChanged, this, &TfrmAutomaticCalculation::SelectionChanged);
        return list;
    };
    clbLengths = checkList("clbLengths", TAutomaticCalculation::LengthSpans(Type), false);
    clbAngles = checkList("clbAngles", TAutomaticCalculation::AngleSpans(Type), true);
    grid->addWidget(new QLabel(QStringLiteral("Lengths")), 4, 0);
    grid->addWidget(new QLabel(QStringLiteral("Angles")), 4, 1);
    grid->addWidget(clbLengths, 5, 0);
    grid->addWidget(clbAngles, 5, 1);
    return group;
}

int TfrmAutomaticCalculation::Bits(const QListWidget *list) const
{
    int bits = 0;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->checkState() == Qt::Checked)
            bits |= 1 << i;
    return bits;
}

int TfrmAutomaticCalculation::Code() const
{
    return TAutomaticCalculation::SelectionCode(Type, Bits(clbLengths), Bits(clbAngles));
}

void TfrmAutomaticCalculation::SelectionChanged()
{
    const int code = Code();
    btnRecalculate->setEnabled(code != 0);
    const int lengths = Bits(clbLengths), angles = Bits(clbAngles);
    int lengthIndex = 0, angleIndex = 0;
    for (TItem &item : Items) {
        const int bit = 1 << (item.IsAngle ? angleIndex++ : lengthIndex++);
        const bool entered = code != 0 && ((item.IsAngle ? angles : lengths) & bit);
        item.Edit->setEnabled(entered);
        item.Mark->setVisible(entered);
    }
    if (!rgDoubleSolutions)
        return;
    const bool twoSolutions = TAutomaticCalculation::HasTwoSolutions(Type, code);
    if (twoSolutions && rgDoubleSolutions->isHidden())
        rbSolutionA->setChecked(true);
    rgDoubleSolutions->setVisible(twoSolutions);
}

bool TfrmAutomaticCalculation::CopyEdits()
{
    // Only typed text is taken: a shown value is rounded to two decimals,
    // and reading it back would spoil a figure the solver closed exactly.
    TPlanValues copied = Working;
    for (const TItem &item : Items) {
        if (!item.Edit->isModified())
            continue;
        try {
            const double value = item.Edit->NumericOutput();
            (item.IsAngle ? copied.Angles : copied.Lengths)[size_t(item.Span - 1)] =
                item.IsAngle ? value * Pi / 180 : value;
        } catch (const EConvertError &error) {
            Ask.Tell(this, TMessageKind::Error, QString::fromStdString(error.what()));
            return false;
        }
    }
    Working = copied;
    for (const TItem &item : Items)
        item.Edit->setModified(false);
    return true;
}

void TfrmAutomaticCalculation::ShowValues()
{
    for (const TItem &item : Items) {
        const size_t index = size_t(item.Span - 1);
        item.Edit->SetNumericOutput(item.IsAngle ? Working.Angles[index] * 180 / Pi : Working.Lengths[index]);
    }
}

void TfrmAutomaticCalculation::Recalculate()
{
    if (!CopyEdits())
        return;
    const auto isRightOrObtuse = [this](const std::string &angle) {
        return Ask.Message(this, TMessageKind::Information,
                           QStringLiteral("Is the angle [%1] greater or equal than 90 degrees?")
                               .arg(QString::fromStdString(angle)),
                           QMessageBox::Yes | QMessageBox::No)
            == QMessageBox::Yes;
    };
    const bool solutionB = rbSolutionB && rbSolutionB->isChecked() && !rgDoubleSolutions->isHidden();
    // The engine leaves the working values alone unless it solved.
    switch (TAutomaticCalculation::Complete(Type, Code(), solutionB, isRightOrObtuse, Working)) {
    case TCompletion::Solved:
        ShowValues();
        return;
    case TCompletion::Parallel:
        Ask.Tell(this, TMessageKind::Information,
                 QStringLiteral("This configuration can't be calculated because the two unknown sides are parallel."));
        break;
    case TCompletion::Failed:
        break;
    }
    Ask.Tell(this, TMessageKind::Error, QStringLiteral("Incorrect Data. Calculation not valid."));
}

void TfrmAutomaticCalculation::Reset()
{
    Working = Original;
    ShowValues();
}

bool TfrmAutomaticCalculation::LengthsTaken()
{
    for (size_t i = 0; i < Working.Lengths.size(); ++i) {
        const int span = int(i) + 1;
        const TBaseWire *wire = Sequence.Spans.FindByNumber(span);
        if (wire && wire->Length != Working.Lengths[i]
            && !ConfirmSpanLength(this, Ask, Sequence, span, Working.Lengths[i]))
            return false;
    }
    return true;
}

void TfrmAutomaticCalculation::accept()
{
    if (CopyEdits() && LengthsTaken())
        QDialog::accept();
}

} // namespace corvadel
