// Read-only grids of text cells with whole-row selection, as every window
// lists its rows: an empty list shows one empty, disabled row.
#pragma once

#include <QStringList>

#include <vector>

class QGridLayout;
class QTableWidget;

namespace corvadel {

// A grid with these headers (none when empty) and design column widths.
QTableWidget *NewTextGrid(const char *name, const QStringList &headers, const std::vector<int> &widths);
void FillTextGrid(QTableWidget *grid, const std::vector<QStringList> &rows);
// Lays the caption columns of `captions` over the grid's columns, each of
// its design width; with "Resize Form" a column is at least as wide as the
// caption over it in `row` (wrapping captions aside), so the captions line
// up with their columns at any font size.
void AlignCaptionColumns(QGridLayout *captions, int row, QTableWidget *grid, const std::vector<int> &widths,
                         bool resizeForm);

} // namespace corvadel
