#include "uResultGrid.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>

#include <set>

namespace corvadel {

TResultGrid::TResultGrid(const QString &name, QWidget *parent)
    : QTableWidget(parent)
{
    setObjectName(name);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void TResultGrid::SetSize(int rows, int columns)
{
    setRowCount(rows);
    setColumnCount(columns);
}

void TResultGrid::SetColumnHeaders(const QStringList &headers)
{
    setColumnCount(static_cast<int>(headers.size()));
    setHorizontalHeaderLabels(headers);
}

void TResultGrid::SetRowHeaders(const QStringList &headers)
{
    setRowCount(static_cast<int>(headers.size()));
    setVerticalHeaderLabels(headers);
}

void TResultGrid::SetRowHeader(int row, const QString &header)
{
    setVerticalHeaderItem(row, new QTableWidgetItem(header));
}

void TResultGrid::SetCell(int row, int column, const QString &text)
{
    auto *cell = new QTableWidgetItem(text);
    cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setItem(row, column, cell);
}

QString TResultGrid::Cell(int row, int column) const
{
    const QTableWidgetItem *cell = item(row, column);
    return cell ? cell->text() : QString();
}

void TResultGrid::ClearCells()
{
    clearContents();
}

void TResultGrid::FitColumns(int width)
{
    horizontalHeader()->setMinimumSectionSize(width);
    resizeColumnsToContents();
}

void TResultGrid::FitHeight()
{
    // Computed from the sizes the rows will take: the grid may not be shown yet.
    int height = 2 * frameWidth() + verticalHeader()->defaultSectionSize() * rowCount();
    if (!horizontalHeader()->isHidden())
        height += horizontalHeader()->sizeHint().height();
    // Room for a horizontal scroll bar when the columns do not fit.
    height += horizontalScrollBar()->sizeHint().height();
    setFixedHeight(height);
}

QString TResultGrid::CopyText() const
{
    std::set<int> rows;
    for (const QModelIndex &index : selectionModel()->selectedIndexes())
        rows.insert(index.row());
    if (rows.empty())
        for (int row = 0; row < rowCount(); ++row)
            rows.insert(row);
    const bool rowHeaders = verticalHeader()->isVisible();
    QStringList lines;
    // A grid whose captions stand above it keeps them as hidden headers.
    bool headed = false;
    for (int column = 0; column < columnCount(); ++column)
        headed = headed || horizontalHeaderItem(column);
    if (headed) {
        QStringList headers;
        if (rowHeaders)
            headers << QString();
        for (int column = 0; column < columnCount(); ++column) {
            const QTableWidgetItem *header = horizontalHeaderItem(column);
            headers << (header ? header->text() : QString());
        }
        lines << headers.join('\t');
    }
    for (int row : rows) {
        QStringList cells;
        if (rowHeaders) {
            const QTableWidgetItem *header = verticalHeaderItem(row);
            cells << (header ? header->text() : QString());
        }
        for (int column = 0; column < columnCount(); ++column)
            cells << Cell(row, column);
        lines << cells.join('\t');
    }
    return lines.join('\n') + '\n';
}

void TResultGrid::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Copy)) {
        QApplication::clipboard()->setText(CopyText());
        return;
    }
    QTableWidget::keyPressEvent(event);
}

} // namespace corvadel
