#include "WarpResultFRM.h"

#include "KorvelEditComp.h"
#include "uResults.h"
#include "uHelpContext.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

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

    auto *angles = new QGroupBox("New Angles");
    angles->setObjectName("gbNewAngles");
    auto *angleForm = new QFormLayout(angles);
    TKorvelEdit *angle[8] = {};
    for (int n = 1; n <= 8; ++n)
        angle[n - 1] = AddField(*angleForm, QStringLiteral("A %1").arg(n), QStringLiteral("edtA%1").arg(n));
    groups->addWidget(angles);
    layout->addLayout(groups);

    for (const TBaseWireResult *span : result.SpanResults)
        if (span->SpanNumber >= 1 && span->SpanNumber <= 8)
            angle[span->SpanNumber - 1]->SetNumericOutput(span->PlanDirection);
    for (const TBasePoleResult *pole : result.PoleResults)
        if (pole->PoleNumber >= 1 && pole->PoleNumber <= 4)
            rotation[pole->PoleNumber - 1]->SetNumericOutput(pole->CalculatedPlanAngle - pole->PlanAngle);

    auto *close = new QPushButton("Close");
    close->setObjectName("btnClose");
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(close, 0, Qt::AlignRight);
}

} // namespace corvadel
