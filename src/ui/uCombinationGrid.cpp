#include "uCombinationGrid.h"

#include "uCombination.h"
#include "uFormats.h"
#include "uTextGrid.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QTableWidget>

namespace corvadel {

QWidget *NewCombinationsPane(const char *angleCaption, const std::vector<int> &widths, bool resizeForm,
                             QTableWidget *&grid)
{
    auto *pane = new QWidget;
    auto *layout = new QGridLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("Combinations")), 0, 0, 1, 5);
    if (resizeForm) {
        auto *rule = new QFrame;
        rule->setFrameShape(QFrame::HLine);
        layout->addWidget(rule, 1, 0, 1, 5);
    }
    layout->addWidget(new QLabel(QStringLiteral("First Pole")), 2, 0, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("Second Pole ")), 2, 2, 1, 2);
    const char *const captions[] = {"Pole No.", "Seq.", "Pole No.", "Seq.", angleCaption};
    for (int c = 0; c < 5; ++c)
        layout->addWidget(new QLabel(QLatin1String(captions[c])), 3, c);
    grid = NewTextGrid("sgCombinations", {}, widths);
    layout->addWidget(grid, 4, 0, 1, 5);
    AlignCaptionColumns(layout, 3, grid, widths, resizeForm);
    return pane;
}

void FillCombinationGrid(QTableWidget *grid, const TCombinationList &combinations)
{
    std::vector<QStringList> rows;
    for (const TCombination *c : combinations)
        rows.push_back({QString::number(c->PoleA), QString::number(c->SequenceA), QString::number(c->PoleB),
                        QString::number(c->SequenceB), QString::fromStdString(FloatToStr(c->ABAngle))});
    FillTextGrid(grid, rows);
}

} // namespace corvadel
