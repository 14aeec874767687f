// Read-only grids of text cells with whole-row selection, as every window
// lists its rows: an empty list shows one empty, disabled row.
#pragma once

#include <QStringList>

#include <vector>

class QTableWidget;

namespace corvadel {

// A grid with these headers (none when empty) and design column widths.
QTableWidget *NewTextGrid(const char *name, const QStringList &headers, const std::vector<int> &widths);
void FillTextGrid(QTableWidget *grid, const std::vector<QStringList> &rows);

} // namespace corvadel
