// TextGrid: a read-only grid of texts whose first row may be a fixed heading.
#include "TextGrid.h"

#include <QHeaderView>

#include <algorithm>

namespace calculator {

TextGrid::TextGrid(QWidget* parent) : QTableWidget(parent)
{
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    layoutRows();
}

void TextGrid::setRows(int rows)
{
    rows = std::max(rows, 1);
    if (rows <= m_fixedRows)
        m_fixedRows = rows - 1;
    m_rowCount = rows;
    layoutRows();
}

void TextGrid::setFixedRows(int rows)
{
    if (rows >= m_rowCount)
        throw InvalidGridOperation("Fixed row count must be less than row count");
    m_fixedRows = rows;
    layoutRows();
}

void TextGrid::clearRows()
{
    m_cells.clear();
    m_rowCount = 2;
    m_fixedRows = 1;
    layoutRows();
}

QString TextGrid::cell(int column, int row) const
{
    return m_cells.value(row).value(column);
}

void TextGrid::setCell(int column, int row, const QString& text)
{
    if (row < 0 || row >= m_rowCount || column < 0)
        return;
    QStringList& cells = m_cells[row];
    while (cells.size() <= column)
        cells.append(QString());
    cells[column] = text;
    showCell(column, row);
}

void TextGrid::showCell(int column, int row)
{
    const QString& text = m_cells[row][column];
    if (row < m_fixedRows) {
        auto* heading = horizontalHeaderItem(column);
        if (!heading)
            setHorizontalHeaderItem(column, heading = new QTableWidgetItem);
        heading->setText(text);
    } else if (QTableWidgetItem* cell = item(row - m_fixedRows, column)) {
        cell->setText(text);
    } else {
        setItem(row - m_fixedRows, column, new QTableWidgetItem(text));
    }
}

void TextGrid::layoutRows()
{
    // Only the first row can be fixed: it is shown in the heading.
    m_cells.resize(m_rowCount);
    clearContents();
    for (int column = 0; column < columnCount(); ++column) {
        if (QTableWidgetItem* heading = horizontalHeaderItem(column))
            heading->setText(QString());
    }
    horizontalHeader()->setVisible(m_fixedRows > 0);
    QTableWidget::setRowCount(m_rowCount - m_fixedRows);
    for (int row = 0; row < m_rowCount; ++row) {
        for (int column = 0; column < m_cells[row].size(); ++column)
            showCell(column, row);
    }
}

} // namespace calculator
