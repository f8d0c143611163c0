// A read-only table of figures a row a year: its headings, its rows in sight without scrolling,
// and every column wide enough for its texts.
#include "FigureTable.h"

#include <QHeaderView>
#include <QTableWidget>

namespace editors {

void prepareFigureTable(QTableWidget* table, const QStringList& headings, int rows)
{
    table->setColumnCount(static_cast<int>(headings.size()));
    table->setHorizontalHeaderLabels(headings);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->verticalHeader()->hide();
    table->setAlternatingRowColors(true);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int rowHeight = table->fontMetrics().height() + 6;
    table->verticalHeader()->setDefaultSectionSize(rowHeight);
    table->setFixedHeight(table->horizontalHeader()->sizeHint().height() + rows * rowHeight +
                          2 * table->frameWidth());
}

void showFigureRows(QTableWidget* table, const QList<QStringList>& rows)
{
    table->setRowCount(static_cast<int>(rows.size()));
    for (int row = 0; row < rows.size(); ++row) {
        for (int column = 0; column < rows[row].size(); ++column) {
            auto* item = new QTableWidgetItem(rows[row][column]);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(row, column, item);
        }
    }
    table->resizeColumnsToContents();
    int width = 2 * table->frameWidth();
    for (int column = 0; column < table->columnCount(); ++column)
        width += table->columnWidth(column);
    table->setMinimumWidth(width);
}

} // namespace editors
