#include "uCombinationGrid.h"

#include "uCombination.h"
#include "uFormats.h"
#include "uTextGrid.h"

#include <QGridLayout>
#include <QLabel>
#include <QTableWidget>

namespace corvadel {

QWidget *NewCombinationsPane(const char *angleCaption, const std::vector<int> &widths, QTableWidget *&grid)
{
    auto *pane = new QWidget;
    auto *layout = new QGridLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("Combinations")), 0, 0, 1, 5);
    layout->addWidget(new QLabel(QStringLiteral("First Pole")), 1, 0, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("Second Pole ")), 1, 2, 1, 2);
    const char *const captions[] = {"Pole No.", "Seq.", "Pole No.", "Seq.", angleCaption};
    for (int c = 0; c < 5; ++c)
        layout->addWidget(new QLabel(QLatin1String(captions[c])), 2, c);
    grid = NewTextGrid("sgCombinations", {}, widths);
    layout->addWidget(grid, 3, 0, 1, 5);
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
