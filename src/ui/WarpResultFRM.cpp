#include "WarpResultFRM.h"

#include "KorvelEditComp.h"
#include "uDialogButtons.h"
#include "uHelpContext.h"
#include "uQtText.h"
#include "uResultQuantities.h"
#include "uResults.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <array>

namespace corvadel {

namespace {

TKorvelEdit *AddField(QFormLayout &form, const QString &label, const QString &name)
{
    auto *field = new TKorvelEdit;
    field->setObjectName(name);
    field->SetEditType(etFloat);
    field->setReadOnly(true);
    form.addRow(label, field);
    return field;
}

// A group of one field per span, "A 1".. or "L 1".., named edtA1.. or edtL1..
std::array<TKorvelEdit *, 8> AddSpanGroup(QHBoxLayout &groups, const TSpanQuantity &quantity, const QString &letter)
{
    auto *group = new QGroupBox(Text(quantity.PrintCaption));
    group->setObjectName("gb" + Text(quantity.PrintCaption).remove(' '));
    auto *form = new QFormLayout(group);
    std::array<TKorvelEdit *, 8> fields {};
    for (int n = 1; n <= 8; ++n)
        fields[static_cast<size_t>(n - 1)] =
            AddField(*form, QStringLiteral("%1 %2").arg(letter).arg(n), QStringLiteral("edt%1%2").arg(letter).arg(n));
    groups.addWidget(group);
    return fields;
}

} // namespace

TfrmWarpResult::TfrmWarpResult(const TWireConfigurationResult &result, QWidget *parent)
    : QDialog(parent)
{
    setObjectName("frmWarpResult");
    SetHelpContext(this, hcWarpResult);
    setWindowTitle("Warp Results");
    auto *layout = new QVBoxLayout(this);
    auto *groups = new QHBoxLayout;

    auto *rotations = new QGroupBox("Span Rotations");
    rotations->setObjectName("gbSpanRotations");
    auto *rotationForm = new QFormLayout(rotations);
    rotationForm->addRow(new QLabel("around the Poles"));
    // Pole numbers in the order of the spans they turn: L 1, L 4, L 6, L 8.
    const std::pair<const char *, int> poles[4] = {{"L 1", 1}, {"L 4", 3}, {"L 6", 4}, {"L 8", 2}};
    TKorvelEdit *rotation[4] = {};
    for (const auto &[label, pole] : poles)
        rotation[pole - 1] = AddField(*rotationForm, label, QStringLiteral("edtRotPole%1").arg(pole));
    groups->addWidget(rotations, 0, Qt::AlignTop);

    const auto angle = AddSpanGroup(*groups, PlanDirectionQuantity(), "A");
    // The lengths the balanced plan gives the spans, beside its angles.
    const auto length = AddSpanGroup(*groups, PlanLengthQuantity(), "L");
    layout->addLayout(groups);

    for (const TBaseWireResult *span : result.SpanResults) {
        if (span->SpanNumber < 1 || span->SpanNumber > 8)
            continue;
        const auto k = static_cast<size_t>(span->SpanNumber - 1);
        angle[k]->SetNumericOutput(span->PlanDirection);
        length[k]->SetAlphaOutput(Text(PlanLengthQuantity().Text(*span)));
    }
    for (const TBasePoleResult *pole : result.PoleResults)
        if (pole->PoleNumber >= 1 && pole->PoleNumber <= 4)
            rotation[pole->PoleNumber - 1]->SetNumericOutput(pole->CalculatedPlanAngle - pole->PlanAngle);

    layout->addLayout(NewCloseRow(this));
}

} // namespace corvadel
