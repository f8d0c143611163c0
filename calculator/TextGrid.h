// TextGrid: a read-only grid of texts whose first row may be a fixed heading.
#pragma once

#include <QTableWidget>

#include <stdexcept>

namespace calculator {

// A grid operation that its row counts do not allow.
class InvalidGridOperation : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Rows count from 0 and include the fixed rows; a fixed row is shown as the grid's heading
// and does not scroll.
class TextGrid final : public QTableWidget
{
    Q_OBJECT

public:
    explicit TextGrid(QWidget* parent = nullptr);

    int rows() const { return m_rowCount; }
    // At least one row; fixed rows that would no longer leave one row below them become
    // ordinary rows.
    void setRows(int rows);
    int fixedRows() const { return m_fixedRows; }
    // Throws InvalidGridOperation unless a row remains below the fixed ones.
    void setFixedRows(int rows);

    // Back to two empty rows, the first of them the heading.
    void clearRows();

    QString cell(int column, int row) const;
    void setCell(int column, int row, const QString& text);

private:
    void layoutRows();
    void showCell(int column, int row);

    int m_rowCount = 2;
    int m_fixedRows = 1;
    // Every row's texts, fixed rows included.
    QList<QStringList> m_cells;
};

} // namespace calculator
