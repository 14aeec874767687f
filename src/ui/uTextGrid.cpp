#include "uTextGrid.h"

#include <QHeaderView>
#include <QTableWidget>

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
    for (int c = 0; c < int(widths.size()); ++c)
        grid->setColumnWidth(c, widths[size_t(c)]);
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
