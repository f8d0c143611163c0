// ScheduleModel: a loan's amortisation schedule as a table of texts under a heading row.
#include "ScheduleModel.h"

#include "LocaleSeparators.h"
#include "Messages.h"
#include "NumberFormat.h"

#include <algorithm>
#include <utility>

namespace calculator {

ScheduleModel::ScheduleModel(QObject* parent) : QAbstractTableModel(parent) {}

void ScheduleModel::setSchedule(std::vector<borrowing::ScheduleRow> schedule)
{
    beginResetModel();
    m_schedule = std::move(schedule);
    m_cut = m_schedule.empty();
    if (!m_cut)
        m_named = true;
    endResetModel();
    if (m_cut)
        throw InvalidGridOperation("Fixed row count must be less than row count");
}

void ScheduleModel::clear()
{
    beginResetModel();
    m_schedule.clear();
    m_named = false;
    m_cut = false;
    endResetModel();
}

int ScheduleModel::rows() const
{
    // An empty schedule still shows one empty row under its heading.
    return m_cut ? 1 : 1 + std::max<int>(static_cast<int>(m_schedule.size()), 1);
}

QString ScheduleModel::cell(int column, int row) const
{
    if (column < 0 || column >= ColumnCount)
        return {};
    if (row == 0) {
        if (!m_named)
            return {};
        static const QStringList names = reports::scheduleHeadings();
        return names.value(column);
    }
    if (row < 0 || row > static_cast<int>(m_schedule.size()))
        return {};
    const borrowing::ScheduleRow& month = m_schedule[static_cast<std::size_t>(row - 1)];
    if (column == 0)
        return QString::number(month.month);
    const QChar decimal = amount::currentSeparators().decimal;
    const amount::Amount figures[] = {month.amortisation, month.interest, month.pending};
    return amount::formatGeneral(figures[column - 1], decimal);
}

int ScheduleModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows() - fixedRows();
}

int ScheduleModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ScheduleModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return cell(index.column(), index.row() + fixedRows());
}

QVariant ScheduleModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || fixedRows() == 0)
        return {};
    return cell(section, 0);
}

} // namespace calculator
