// The combinations grid under its header captions, as the main window and
// the combinations dialog show it: one row per combination, in list order.
#pragma once

#include <vector>

class QTableWidget;
class QWidget;

namespace corvadel {

class TCombinationList;

// The header "Combinations", "First Pole", "Second Pole " over the grid
// `sgCombinations`; `angleCaption` heads the angle column. With "Resize
// Form" a rule spans the header and the columns follow their captions.
QWidget *NewCombinationsPane(const char *angleCaption, const std::vector<int> &widths, bool resizeForm,
                             QTableWidget *&grid);
void FillCombinationGrid(QTableWidget *grid, const TCombinationList &combinations);

} // namespace corvadel
