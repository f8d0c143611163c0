// ScheduleModel: a loan's amortisation schedule as a table of texts under a heading row.
#pragma once

#include "LoanMath.h"

#include <QAbstractTableModel>

#include <stdexcept>
#include <vector>

namespace calculator {

// A table shape its row counts do not allow.
class InvalidGridOperation : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Rows count from 0 and include the heading row, which the view shows as its heading while
// a row remains below it. The model's own rows are those below the heading. Texts are made
// when asked for, in the decimal separator of the moment.
class ScheduleModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int ColumnCount = 4;

    explicit ScheduleModel(QObject* parent = nullptr);

    // Shows the schedule under the column names. A schedule of no months leaves no row below
    // the heading: the heading row stays alone, as an ordinary row, and InvalidGridOperation
    // is thrown.
    void setSchedule(std::vector<borrowing::ScheduleRow> schedule);
    // Back to an empty heading over one empty row.
    void clear();

    int rows() const;
    // 1 while row 0 is the heading, else 0.
    int fixedRows() const { return m_cut ? 0 : 1; }
    QString cell(int column, int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    std::vector<borrowing::ScheduleRow> m_schedule;
    // Row 0 holds the column names once a schedule has been shown, until cleared.
    bool m_named = false;
    bool m_cut = false;
};

} // namespace calculator
