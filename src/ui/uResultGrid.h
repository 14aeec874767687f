// A read-only grid of results: whole rows selected, and Ctrl+C copies the
// selected rows, or every row when none is selected, as tab-separated text
// with the headers, ready to paste into a spreadsheet.
#pragma once

#include <QTableWidget>

namespace corvadel {

class TResultGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit TResultGrid(const QString &name, QWidget *parent = nullptr);

    // Value rows and columns, without the headers.
    void SetSize(int rows, int columns);
    void SetColumnHeaders(const QStringList &headers);
    void SetRowHeaders(const QStringList &headers);
    void SetRowHeader(int row, const QString &header);
    void SetCell(int row, int column, const QString &text);
    QString Cell(int row, int column) const;
    // Empties every value cell.
    void ClearCells();
    // Columns at least `width` wide and as wide as their text; the grid as
    // high as its rows.
    void FitColumns(int width);
    void FitHeight();
    QString CopyText() const;

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace corvadel
