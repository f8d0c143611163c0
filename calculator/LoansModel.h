// LoansModel: the register of existing loans as a table, with each loan's annuity and a
// totals row.
#pragma once

#include "LoanRegister.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <vector>

namespace calculator {

using amount::Amount;

class LoansModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column
    {
        Bank,
        Capital,
        Rate,
        Years,
        Annuity,
        ColumnCount
    };

    explicit LoansModel(QObject* parent = nullptr);

    const std::vector<borrowing::Loan>& loans() const { return m_loans; }
    void setLoans(std::vector<borrowing::Loan> loans);
    void appendLoans(const std::vector<borrowing::Loan>& loans);
    // Appends an empty loan; returns its row.
    int appendEmptyLoan();
    void removeLoans(QList<int> rows);

    // The figure of an amount column, and setting it from an amount field; a figure no loan
    // can have is refused with InvalidInput naming the row and the column, and one that would
    // take the register's totals past their fields' digits with its own message.
    Amount figure(const QModelIndex& index) const;
    void setFigure(const QModelIndex& index, Amount value);
    // Throws InvalidInput naming the first row and column that no loan can have, or saying
    // that the register's totals would not stand in their fields.
    void checkLoans() const;
    // Throws InvalidInput when these loans' totals would not stand in their fields.
    static void checkTotals(const std::vector<borrowing::Loan>& loans);
    // The decimals an amount column shows.
    static int decimalsOf(int column);
    bool isTotalsRow(int row) const { return row == static_cast<int>(m_loans.size()); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    QString shownText(int row, int column) const;
    void checkFigure(int row, int column, Amount value) const;

    std::vector<borrowing::Loan> m_loans;
};

} // namespace calculator
