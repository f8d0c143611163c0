// LoansModel: the register of existing loans as a table, with each loan's annuity and a
// totals row.
#include "LoansModel.h"

#include "Checks.h"
#include "LocaleSeparators.h"
#include "Wording.h"

#include <QFont>

#include <algorithm>

namespace calculator {

LoansModel::LoansModel(QObject* parent) : QAbstractTableModel(parent) {}

void LoansModel::setLoans(std::vector<borrowing::Loan> loans)
{
    beginResetModel();
    m_loans = std::move(loans);
    endResetModel();
}

void LoansModel::appendLoans(const std::vector<borrowing::Loan>& loans)
{
    if (loans.empty())
        return;
    const int first = static_cast<int>(m_loans.size());
    beginInsertRows({}, first, first + static_cast<int>(loans.size()) - 1);
    m_loans.insert(m_loans.end(), loans.begin(), loans.end());
    endInsertRows();
}

int LoansModel::appendEmptyLoan()
{
    appendLoans({borrowing::Loan{}});
    return static_cast<int>(m_loans.size()) - 1;
}

void LoansModel::removeLoans(QList<int> rows)
{
    std::sort(rows.begin(), rows.end(), std::greater<>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (const int row : rows) {
        if (row < 0 || isTotalsRow(row) || row > static_cast<int>(m_loans.size()))
            continue;
        beginRemoveRows({}, row, row);
        m_loans.erase(m_loans.begin() + row);
        endRemoveRows();
    }
}

Amount LoansModel::figure(const QModelIndex& index) const
{
    const borrowing::Loan& loan = m_loans.at(static_cast<std::size_t>(index.row()));
    switch (index.column()) {
    case Capital:
        return loan.capital;
    case Rate:
        return loan.rate;
    case Years:
        return loan.years;
    default:
        return borrowing::theoreticalAnnuity(loan);
    }
}

void LoansModel::setFigure(const QModelIndex& index, Amount value)
{
    static constexpr Amount borrowing::Loan::*Members[] = {
        nullptr, &borrowing::Loan::capital, &borrowing::Loan::rate, &borrowing::Loan::years};
    const int column = index.column();
    const auto row = static_cast<std::size_t>(index.row());
    if (column < Capital || column > Years || m_loans.at(row).*Members[column] == value)
        return;
    checkFigure(index.row(), column, value);
    // The register's totals must still stand in their fields.
    std::vector<borrowing::Loan> changed = m_loans;
    changed[row].*Members[column] = value;
    checkTotals(changed);
    m_loans = std::move(changed);
    // The annuity of the row and the totals follow.
    emit dataChanged(index, this->index(index.row(), Annuity));
    const int totals = static_cast<int>(m_loans.size());
    emit dataChanged(this->index(totals, Capital), this->index(totals, Annuity));
}

void LoansModel::checkFigure(int row, int column, Amount value) const
{
    static constexpr borrowing::LoanFigure Figures[] = {
        borrowing::LoanFigure::Capital, borrowing::LoanFigure::Capital, borrowing::LoanFigure::Rate,
        borrowing::LoanFigure::Years};
    const QString problem = borrowing::loanFigureProblem(Figures[column], value);
    if (!problem.isEmpty()) {
        throw borrowing::InvalidInput(
            QStringLiteral("Préstamo %1, \"%2\": %3.")
                .arg(row + 1)
                .arg(headerData(column, Qt::Horizontal, Qt::DisplayRole).toString(), problem)
                .toStdString());
    }
}

void LoansModel::checkLoans() const
{
    for (int row = 0; row < static_cast<int>(m_loans.size()); ++row) {
        for (const int column : {Capital, Rate, Years})
            checkFigure(row, column, figure(index(row, column)));
    }
    checkTotals(m_loans);
}

void LoansModel::checkTotals(const std::vector<borrowing::Loan>& loans)
{
    if (const QString problem = borrowing::registerTotalsProblem(loans); !problem.isEmpty())
        throw borrowing::InvalidInput(problem.toStdString());
}

int LoansModel::decimalsOf(int column)
{
    return column == Years ? 0 : 2;
}

QString LoansModel::shownText(int row, int column) const
{
    const amount::Separators separators = amount::currentSeparators();
    if (!isTotalsRow(row))
        return reports::loanRow(m_loans.at(static_cast<std::size_t>(row)), separators)
            .value(column);
    switch (column) {
    case Bank:
        return QStringLiteral("Total");
    case Capital:
    case Annuity: {
        const QStringList totals =
            reports::registerTotalsRow(borrowing::registerTotals(m_loans), separators);
        return totals.value(column == Capital ? 0 : 1);
    }
    default:
        return {};
    }
}

int LoansModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_loans.size()) + 1;
}

int LoansModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant LoansModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return shownText(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return index.column() == Bank ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                      : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::FontRole:
        if (isTotalsRow(index.row())) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    default:
        return {};
    }
}

bool LoansModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || index.column() != Bank || isTotalsRow(index.row()))
        return false;
    m_loans.at(static_cast<std::size_t>(index.row())).lender = value.toString();
    emit dataChanged(index, index);
    return true;
}

QVariant LoansModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return isTotalsRow(section) ? QString() : QString::number(section + 1);
    static const QStringList headings{
        QStringLiteral("Entidad financiera"), QStringLiteral("Capital pendiente"),
        QStringLiteral("Interés (%)"), QStringLiteral("Años pendientes"),
        QStringLiteral("Anualidad teórica")};
    return headings.value(section);
}

Qt::ItemFlags LoansModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (isTotalsRow(index.row()))
        return Qt::ItemIsEnabled;
    if (index.column() == Annuity)
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

} // namespace calculator
