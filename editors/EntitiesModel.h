// EntitiesModel: the dependent entities as a table, with the register's loans that follow their
// names.
#pragma once

#include "CaseFields.h"

#include <QAbstractTableModel>

#include <vector>

namespace editors {

using amount::Amount;

class EntitiesModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    // The entity's fields, in their table's order.
    enum Column
    {
        Name,
        Kind,
        Revenue,
        Expenditure,
        Result,
        Transfers,
        ColumnCount
    };

    explicit EntitiesModel(QObject* parent = nullptr);

    const std::vector<borrowing::DependentEntity>& entities() const { return m_entities; }
    // The register's loans, whose holders follow the entities' names.
    const std::vector<borrowing::Loan>& loans() const { return m_loans; }
    void setCase(std::vector<borrowing::DependentEntity> entities,
                 std::vector<borrowing::Loan> loans);
    // Appends an entity without a name, unless one is still without a name; returns its row.
    int appendEmptyEntity();
    // How many of the register's loans the entity in the row holds.
    int loanCount(int row) const;
    // Removes the entity in the row and the loans it holds.
    void removeEntity(int row);

    // A figure of an amount column, and setting it from an amount field; a figure no entity can
    // have is refused with InvalidInput naming the entity.
    Amount figure(const QModelIndex& index) const;
    void setFigure(const QModelIndex& index, Amount value);
    borrowing::EntityKind kind(int row) const
    {
        return m_entities.at(static_cast<std::size_t>(row)).kind;
    }
    // Changing the kind drops the figure the new kind does not count.
    void setKind(int row, borrowing::EntityKind kind);
    // Renames the entity and the loans it holds; an empty or repeated name is refused.
    void setName(int row, const QString& name);
    // Throws InvalidInput with the first problem of the whole list.
    void checkEntities() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    bool isEditable(int row, int column) const;
    // Puts the entity in the row once the list with it has been checked; a new name goes to
    // the loans the entity holds.
    void replaceEntity(int row, const borrowing::DependentEntity& entity);

    std::vector<borrowing::DependentEntity> m_entities;
    std::vector<borrowing::Loan> m_loans;
};

} // namespace editors
