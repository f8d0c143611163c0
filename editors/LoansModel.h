// LoansModel: the register of existing loans as a table, with each loan's holder, kind and annuity
// and a totals row.
#pragma once

#include "LoanRegister.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <vector>

namespace editors {

using amount::Amount;

class LoansModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column
    {
        Bank,
        Holder,
        Capital,
        Rate,
        Years,
        Kind,
        Share,
        Mortgage,
        Annuity,
        ColumnCount
    };

    explicit LoansModel(QObject* parent = nullptr);

    const std::vector<borrowing::Loan>& loans() const { return m_loans; }
    // What each loan counts for, and the totals of the register as it is being edited.
    const borrowing::RegisterSummary& summary() const { return m_summary; }
    void setLoans(std::vector<borrowing::Loan> loans);
    void appendLoans(const std::vector<borrowing::Loan>& loans);
    // Appends an empty loan; returns its row.
    int appendEmptyLoan();
    void removeLoans(const QList<int>& rows);

    // Whose a loan may be: the entity itself (shown by its name) or one of its dependent
    // entities. Without dependent entities every loan is the entity's own and its holder cannot
    // be changed.
    void setHolders(const QString& entityName, const QStringList& dependentNames);
    // The holders to choose from: the entity, then each dependent entity.
    QStringList holderChoices() const;
    const QStringList& dependentNames() const { return m_dependentNames; }
    // The loan's holder among the choices; -1 when it names no dependent entity known here.
    int holderChoice(int row) const;
    void setHolderChoice(int row, int choice);

    // The figure of an amount column, and setting it from an amount field; a figure no loan
    // can have is refused with InvalidInput naming the row and the column (a mortgage-secured
    // part its loan cannot have names "Garantía hipotecaria", whichever figure changed), and one
    // that would take the register's totals past their fields' digits with its own message.
    Amount figure(const QModelIndex& index) const;
    void setFigure(const QModelIndex& index, Amount value);
    // A loan's kind, and changing it, refused as a figure is; a loan that is no longer
    // guaranteed has no share of its own.
    borrowing::LoanKind kind(int row) const
    {
        return m_loans.at(static_cast<std::size_t>(row)).kind;
    }
    void setKind(int row, borrowing::LoanKind kind);
    // Throws InvalidInput naming the first row and column that no loan can have, or saying
    // that the register's totals would not stand in their fields.
    void checkLoans() const;
    // Throws InvalidInput when a register of these totals would not stand in its fields.
    static void checkTotals(const borrowing::RegisterSummary& summary);
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
    bool isEditable(int row, int column) const;
    // Puts the loan in the row once its changed figure (in this column) and its mortgage-secured
    // part have been checked, and the register's totals with it.
    void replaceLoan(int row, int column, const borrowing::Loan& loan);
    void checkFigure(int row, int column, Amount value) const;
    void checkMortgage(int row, const borrowing::Loan& loan) const;
    // Throws InvalidInput with the refusal of the loan in the row.
    [[noreturn]] void refuse(borrowing::Refusal refusal, int row) const;

    std::vector<borrowing::Loan> m_loans;
    // What each loan counts for and the register's totals, as the loans are now.
    borrowing::RegisterSummary m_summary;
    QString m_entityName;
    QStringList m_dependentNames;
};

} // namespace editors
