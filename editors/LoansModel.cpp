// LoansModel: the register of existing loans as a table, with each loan's holder, kind and annuity
// and a totals row.
#include "LoansModel.h"

#include "Checks.h"
#include "LocaleSeparators.h"
#include "Messages.h"
#include "Refusals.h"
#include "Wording.h"

#include <QFont>

#include <algorithm>
#include <optional>

namespace editors {

LoansModel::LoansModel(QObject* parent) : QAbstractTableModel(parent) {}

void LoansModel::setLoans(std::vector<borrowing::Loan> loans)
{
    beginResetModel();
    m_loans = std::move(loans);
    m_summary = borrowing::summarise(m_loans);
    endResetModel();
}

void LoansModel::appendLoans(const std::vector<borrowing::Loan>& loans)
{
    if (loans.empty())
        return;
    const int first = static_cast<int>(m_loans.size());
    beginInsertRows({}, first, first + static_cast<int>(loans.size()) - 1);
    m_loans.insert(m_loans.end(), loans.begin(), loans.end());
    for (const borrowing::Loan& loan : loans)
        m_summary.counted.push_back(borrowing::countOf(loan));
    m_summary.addUp(m_loans);
    endInsertRows();
}

int LoansModel::appendEmptyLoan()
{
    appendLoans({borrowing::Loan{}});
    return static_cast<int>(m_loans.size()) - 1;
}

void LoansModel::removeLoans(const QList<int>& rows)
{
    std::vector<bool> removed(m_loans.size(), false);
    bool any = false;
    for (const int row : rows) {
        if (row >= 0 && row < static_cast<int>(m_loans.size()))
            any = removed[static_cast<std::size_t>(row)] = true;
    }
    if (!any)
        return;
    // However many rows and wherever they are, one change of the model and one adding up.
    beginResetModel();
    std::size_t kept = 0;
    for (std::size_t i = 0; i < m_loans.size(); ++i) {
        if (removed[i])
            continue;
        m_loans[kept] = std::move(m_loans[i]);
        m_summary.counted[kept] = m_summary.counted[i];
        ++kept;
    }
    m_loans.resize(kept);
    m_summary.counted.resize(kept);
    m_summary.addUp(m_loans);
    endResetModel();
}

void LoansModel::setHolders(const QString& entityName, const QStringList& dependentNames)
{
    m_entityName = entityName;
    m_dependentNames = dependentNames;
    if (!m_loans.empty())
        emit dataChanged(index(0, Holder), index(static_cast<int>(m_loans.size()) - 1, Holder));
}

QStringList LoansModel::holderChoices() const
{
    return QStringList{reports::entityNameText(m_entityName)} + m_dependentNames;
}

int LoansModel::holderChoice(int row) const
{
    const QString& holder = m_loans.at(static_cast<std::size_t>(row)).holder;
    if (holder.isEmpty())
        return 0;
    const auto dependent = m_dependentNames.indexOf(holder);
    return dependent < 0 ? -1 : static_cast<int>(dependent) + 1;
}

void LoansModel::setHolderChoice(int row, int choice)
{
    if (choice < 0 || choice > m_dependentNames.size() || !isEditable(row, Holder))
        return;
    // The entity's own loans have no holder.
    m_loans.at(static_cast<std::size_t>(row)).holder =
        choice == 0 ? QString() : m_dependentNames.at(choice - 1);
    m_summary.addUp(m_loans);
    emit dataChanged(index(row, Holder), index(row, Holder));
}

namespace {

// The loan's field each column shows, in the columns' order; none for the annuity, which is
// worked out.
const borrowing::LoanField* fieldOf(int column)
{
    using borrowing::Loan;
    using borrowing::LoanFields;
    static const std::array<const borrowing::LoanField*, LoansModel::ColumnCount> fields{
        &borrowing::fieldOf(LoanFields, &Loan::lender),
        &borrowing::fieldOf(LoanFields, &Loan::holder),
        &borrowing::fieldOf(LoanFields, &Loan::capital),
        &borrowing::fieldOf(LoanFields, &Loan::rate),
        &borrowing::fieldOf(LoanFields, &Loan::years),
        &borrowing::choiceField(LoanFields),
        &borrowing::fieldOf(LoanFields, &Loan::guaranteedShare),
        &borrowing::fieldOf(LoanFields, &Loan::mortgaged),
        nullptr};
    return column >= 0 && column < LoansModel::ColumnCount
               ? fields[static_cast<std::size_t>(column)]
               : nullptr;
}

// The loan's figure an amount column shows and edits.
Amount borrowing::Loan::*memberOf(int column)
{
    const borrowing::LoanField* field = fieldOf(column);
    return field && field->isNumber() ? field->amount : nullptr;
}

} // namespace

Amount LoansModel::figure(const QModelIndex& index) const
{
    const borrowing::Loan& loan = m_loans.at(static_cast<std::size_t>(index.row()));
    const auto member = memberOf(index.column());
    return member ? loan.*member
                  : m_summary.counted.at(static_cast<std::size_t>(index.row())).annuity;
}

void LoansModel::setFigure(const QModelIndex& index, Amount value)
{
    const auto member = memberOf(index.column());
    if (!member || !isEditable(index.row(), index.column()))
        return;
    borrowing::Loan changed = m_loans.at(static_cast<std::size_t>(index.row()));
    if (changed.*member == value)
        return;
    changed.*member = value;
    replaceLoan(index.row(), index.column(), changed);
}

void LoansModel::setKind(int row, borrowing::LoanKind kind)
{
    borrowing::Loan changed = m_loans.at(static_cast<std::size_t>(row));
    if (changed.kind == kind)
        return;
    changed.kind = kind;
    // The table shows a share only for a guaranteed loan: no other keeps one it cannot show.
    if (kind != borrowing::LoanKind::Guaranteed)
        changed.guaranteedShare = borrowing::Loan{}.guaranteedShare;
    replaceLoan(row, Kind, changed);
}

void LoansModel::replaceLoan(int row, int column, const borrowing::Loan& loan)
{
    if (const auto member = memberOf(column))
        checkFigure(row, column, loan.*member);
    checkMortgage(row, loan);
    // The register's totals must still stand in their fields; only this loan is counted again.
    std::vector<borrowing::Loan> loans = m_loans;
    borrowing::RegisterSummary summary = m_summary;
    loans[static_cast<std::size_t>(row)] = loan;
    summary.counted[static_cast<std::size_t>(row)] = borrowing::countOf(loan);
    summary.addUp(loans);
    checkTotals(summary);
    m_loans = std::move(loans);
    m_summary = std::move(summary);
    // What the row shows after its kind, its annuity and the totals follow.
    emit dataChanged(index(row, Capital), index(row, Annuity));
    const int totals = static_cast<int>(m_loans.size());
    emit dataChanged(index(totals, Capital), index(totals, Annuity));
}

void LoansModel::checkFigure(int row, int column, Amount value) const
{
    const borrowing::LoanField* field = fieldOf(column);
    if (!field || !field->isNumber() || field->amount == &borrowing::Loan::mortgaged)
        return;
    if (const auto reason = borrowing::valueProblem(*field, value))
        refuse({.reason = *reason, .key = field->key, .bounds = field->bounds}, row);
}

void LoansModel::checkMortgage(int row, const borrowing::Loan& loan) const
{
    if (const auto reason = borrowing::mortgageProblem(loan))
        refuse({.reason = *reason, .key = fieldOf(Mortgage)->key}, row);
}

void LoansModel::refuse(borrowing::Refusal refusal, int row) const
{
    refusal.record = borrowing::Refusal::Record::Loan;
    refusal.index = row + 1;
    throw borrowing::InvalidInput(reports::cellRefusalText(refusal).toStdString());
}

void LoansModel::checkLoans() const
{
    for (int row = 0; row < static_cast<int>(m_loans.size()); ++row) {
        for (const int column : {Capital, Rate, Years, Share}) {
            if (isEditable(row, column))
                checkFigure(row, column, figure(index(row, column)));
        }
        checkMortgage(row, m_loans[static_cast<std::size_t>(row)]);
    }
    checkTotals(m_summary);
}

void LoansModel::checkTotals(const borrowing::RegisterSummary& summary)
{
    if (const auto refusal = borrowing::registerTotalsProblem(summary.of({})))
        throw borrowing::InvalidInput(reports::cellRefusalText(*refusal).toStdString());
}

int LoansModel::decimalsOf(int column)
{
    const borrowing::LoanField* field = fieldOf(column);
    return field ? field->decimals : borrowing::AmountDecimals;
}

QString LoansModel::shownText(int row, int column) const
{
    const amount::Separators separators = amount::currentSeparators();
    if (!isTotalsRow(row)) {
        const auto at = static_cast<std::size_t>(row);
        const QStringList texts =
            reports::loanRow(m_loans.at(at), m_summary.counted.at(at), m_entityName, separators);
        // The loan's texts are its fields' in their table's order, then its annuity.
        const borrowing::LoanField* field = fieldOf(column);
        return field ? texts.value(field - borrowing::LoanFields.data()) : texts.last();
    }
    switch (column) {
    case Bank:
        return reports::totalLabel();
    case Capital:
    case Annuity:
        return reports::registerTotalsRow(m_summary.all, separators)
            .value(column == Capital ? 0 : 1);
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
        return index.column() == Bank || index.column() == Holder || index.column() == Kind
                   ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
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
    if (const borrowing::LoanField* field = fieldOf(section))
        return QString::fromUtf8(field->label);
    return section == Annuity ? reports::annuityHeading() : QVariant();
}

Qt::ItemFlags LoansModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (isTotalsRow(index.row()))
        return Qt::ItemIsEnabled;
    if (!isEditable(index.row(), index.column()))
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

bool LoansModel::isEditable(int row, int column) const
{
    if (isTotalsRow(row))
        return false;
    if (column == Holder)
        return !m_dependentNames.isEmpty();
    const borrowing::LoanField* field = fieldOf(column);
    return field && field->appliesTo(m_loans.at(static_cast<std::size_t>(row)));
}

} // namespace editors
