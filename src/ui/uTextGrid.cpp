#include "uTextGrid.h"

#include <QHeaderView>
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

} // namespace corvadel
