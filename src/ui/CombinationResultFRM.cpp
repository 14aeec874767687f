#include "CombinationResultFRM.h"

#include "uCombination.h"
#include "uCombinationAnalysis.h"
#include "uGlobalSettings.h"
#include "uDesignChecks.h"
#include "uResultGrid.h"
#include "uResultQuantities.h"
#include "uWires.h"
#include "uDialogButtons.h"
#include "uHelpContext.h"
#include "uTextGrid.h"

#include <QFrame>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace corvadel {

namespace {

constexpr int Columns = 7;
const std::vector<int> DesignWidths = {33, 34, 40, 39, 60, 88, 106};

QLabel *Caption(const QString &text, bool wrap = false)
{
    auto *label = new QLabel(text);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(wrap);
    return label;
}

QString Fixed(double value)
{
    return QString::fromStdString(FixedText(value, 10, 3));
}

// The caption panel above the grid; its column captions sit over the
// grid's columns, and each column is as wide as its caption needs.
QWidget *HeaderPanel(TResultGrid &grid, bool resizeForm)
{
    auto *panel = new QFrame;
    panel->setObjectName("pnlHeader");
    panel->setFrameShape(QFrame::StyledPanel);
    auto *layout = new QGridLayout(panel);
    layout->setContentsMargins(grid.frameWidth(), 4, grid.frameWidth(), 4);
    layout->setHorizontalSpacing(0);
    auto *title = Caption("Combination Result");
    title->setObjectName("lblTitle");
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    layout->addWidget(title, 0, 0, 1, Columns);
    if (resizeForm) {
        auto *rule = new QFrame;
        rule->setFrameShape(QFrame::HLine);
        layout->addWidget(rule, 1, 0, 1, Columns);
    }
    layout->addWidget(Caption("First Pole"), 2, 0, 1, 2);
    layout->addWidget(Caption("Second Pole "), 2, 2, 1, 2);
    const char *poleCaptions[4] = {"Pole No.", "Seq.", "Pole No.", "Seq."};
    for (int column = 0; column < 4; ++column)
        layout->addWidget(Caption(poleCaptions[column]), 3, column);
    layout->addWidget(Caption("Angle"), 2, 4, 2, 1);
    layout->addWidget(Caption("Resultant Base Moment", true), 2, 5, 2, 1);
    layout->addWidget(Caption("Angle of Resultant from Span on 2nd Pole", true), 2, 6, 2, 1);
    AlignCaptionColumns(layout, 3, &grid, DesignWidths, resizeForm);
    return panel;
}

} // namespace

TfrmCombinationResult::TfrmCombinationResult(const TWireConfigurationList &project, bool atMaxSAG,
                                             const TGlobalSetting &settings, QWidget *parent)
    : QDialog(parent)
{
    setObjectName("frmCombinationResult");
    SetHelpContext(this, hcCombinationResult);
    setWindowTitle(atMaxSAG ? "Combination Result [MAX SAG]" : "Combination Result [MIN SAG]");
    setSizeGripEnabled(true);
    auto *layout = new QVBoxLayout(this);

    auto *grid = new TResultGrid("sgCombinationResults");
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->hide();
    grid->horizontalHeader()->setStretchLastSection(true);
    // Hidden, but copied with the rows.
    grid->SetColumnHeaders({"First Pole No.", "First Pole Seq.", "Second Pole No.", "Second Pole Seq.", "Angle",
                            "Resultant Base Moment", "Angle of Resultant from Span on 2nd Pole"});
    grid->setRowCount(project.Combinations.Count());
    int row = 0;
    for (const TCombination *combination : project.Combinations) {
        grid->SetCell(row, 0, QString::number(combination->PoleA));
        grid->SetCell(row, 1, QString::number(combination->SequenceA));
        grid->SetCell(row, 2, QString::number(combination->PoleB));
        grid->SetCell(row, 3, QString::number(combination->SequenceB));
        grid->SetCell(row, 4, Fixed(combination->ABAngle));
        // A combination without a result for this case (a sequence with no
        // minimum-SAG result) shows empty cells.
        if (const TCombinationResult *result = combination->Results.FindByAtMaxSAG(atMaxSAG)) {
            grid->SetCell(row, 5, Fixed(result->CombinedMoment));
            grid->SetCell(row, 6, Fixed(result->ResultantAngle));
        }
        ++row;
    }
    layout->addWidget(HeaderPanel(*grid, settings.ResizeForm));
    layout->addWidget(grid, 1);

    // The shared poles whose allowable base moments are given.
    QStringList checks;
    bool exceeded = false;
    for (const TCombinationCheck &check : TDesignChecks::Combinations(project, atMaxSAG)) {
        checks << QString::fromStdString(TDesignChecks::CombinationLine(check));
        exceeded = exceeded || !check.Holds();
    }
    auto *moments = new QLabel(checks.join('\n'));
    moments->setObjectName("lblMomentChecks");
    moments->setWordWrap(true);
    moments->setTextInteractionFlags(Qt::TextSelectableByMouse);
    if (exceeded)
        moments->setStyleSheet("color: #b00000");
    moments->setVisible(!checks.isEmpty());
    layout->addWidget(moments);

    auto *warning = new QFrame;
    warning->setObjectName("pnlWarning");
    warning->setFrameShape(QFrame::StyledPanel);
    auto *warningLayout = new QVBoxLayout(warning);
    auto *title = new QLabel("Warning:");
    title->setStyleSheet("color: #b00000; font-weight: bold");
    auto *text = new QLabel(TCombinationAnalysis::WarningMessage);
    text->setWordWrap(true);
    warningLayout->addWidget(title);
    warningLayout->addWidget(text);
    warning->setVisible(project.CombinationWarningAt(atMaxSAG));
    layout->addWidget(warning);
    layout->addLayout(NewCloseRow(this));

    int width = 2 * grid->frameWidth() + grid->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < Columns; ++column)
        width += grid->columnWidth(column);
    resize(width + layout->contentsMargins().left() + layout->contentsMargins().right(), 320);
}

} // namespace corvadel
