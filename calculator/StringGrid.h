// TStringGrid: a read-only grid of texts whose first rows may be fixed headings.
#pragma once

#include <QTableWidget>

#include <stdexcept>

// A grid operation that its row counts do not allow.
class EInvalidGridOperation : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Rows count from 0 and include the fixed rows; a fixed row is shown as the grid's heading
// and does not scroll.
class TStringGrid final : public QTableWidget
{
    Q_OBJECT

public:
    explicit TStringGrid(QWidget* parent = nullptr);

    int RowCount() const { return m_rowCount; }
    // At least one row; fixed rows that would no longer leave one row below them become
    // ordinary rows.
    void setRowCount(int rows);
    int FixedRows() const { return m_fixedRows; }
    // Throws EInvalidGridOperation unless a row remains below the fixed ones.
    void setFixedRows(int rows);

    QString Cell(int column, int row) const;
    void setCell(int column, int row, const QString& text);

private:
    void layoutRows();
    void showCell(int column, int row);

    int m_rowCount = 2;
    int m_fixedRows = 1;
    // Every row's texts, fixed rows included.
    QList<QStringList> m_cells;
};
