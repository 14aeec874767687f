#include "uTextGrid.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>

#include <algorithm>

namespace corvadel {

QTableWidget *NewTextGrid(const char *name, const QStringList &headers, const std::vector<int> &widths)
{
    auto *grid = new QTableWidget(1, int(widths.size()));
    grid->setObjectName(QLatin1String(name));
    if (headers.isEmpty())
        grid->horizontalHeader()->hide();
    else
        grid->setHorizontalHeaderLabels(headers);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->verticalHeader()->hide();
    // The design widths are starting sizes; a caption never gets cut.
    for (int c = 0; c < int(widths.size()); ++c) {
        const int caption = headers.isEmpty() ? 0 : grid->horizontalHeader()->sectionSizeHint(c);
        grid->setColumnWidth(c, std::max(widths[size_t(c)], caption));
    }
    grid->horizontalHeader()->setStretchLastSection(true);
    return grid;
}

void FillTextGrid(QTableWidget *grid, const std::vector<QStringList> &rows)
{
    grid->setRowCount(std::max<int>(1, int(rows.size())));
    grid->clearContents();
    for (int r = 0; r < int(rows.size()); ++r)
        for (int c = 0; c < rows[size_t(r)].size(); ++c)
            grid->setItem(r, c, new QTableWidgetItem(rows[size_t(r)][c]));
    grid->setEnabled(!rows.empty());
}

void AlignCaptionColumns(QGridLayout *captions, int row, QTableWidget *grid, const std::vector<int> &widths,
                         bool resizeForm)
{
    captions->setHorizontalSpacing(0);
    for (int column = 0; column < int(widths.size()); ++column) {
        int width = widths[size_t(column)];
        if (const QLayoutItem *item = captions->itemAtPosition(row, column); resizeForm && item)
            if (const auto *label = qobject_cast<const QLabel *>(item->widget()); label && !label->wordWrap())
                width = std::max(width, label->sizeHint().width() + 8);
        const bool last = column + 1 == int(widths.size());
        // The grid's last column fills what is left of it, inside its frame
        // and beside its scroll bar: a width of its own would overflow.
        if (!last)
            grid->setColumnWidth(column, width);
        captions->setColumnMinimumWidth(column, width);
        // Only the last column takes the room left, as the grid's does.
        captions->setColumnStretch(column, last ? 1 : 0);
    }
}

} // namespace corvadel
