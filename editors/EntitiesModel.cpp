// EntitiesModel: the dependent entities as a table, with the register's loans that follow their
// names.
#include "EntitiesModel.h"

#include "Checks.h"
#include "LocaleSeparators.h"
#include "Refusals.h"
#include "Wording.h"

#include <algorithm>

namespace editors {

namespace {

// The entity's field a column shows: the columns are the fields, in their table's order.
const borrowing::EntityField& fieldOf(int column)
{
    return borrowing::EntityFields.at(static_cast<std::size_t>(column));
}

// The entity's figure an amount column shows and edits.
Amount borrowing::DependentEntity::*memberOf(int column)
{
    return column >= 0 && column < EntitiesModel::ColumnCount && fieldOf(column).isNumber()
               ? fieldOf(column).amount
               : nullptr;
}

bool hasName(const borrowing::DependentEntity& entity)
{
    return !entity.name.trimmed().isEmpty();
}

[[noreturn]] void refuse(const borrowing::Refusal& refusal)
{
    throw borrowing::InvalidInput(reports::cellRefusalText(refusal).toStdString());
}

} // namespace

EntitiesModel::EntitiesModel(QObject* parent) : QAbstractTableModel(parent) {}

void EntitiesModel::setCase(std::vector<borrowing::DependentEntity> entities,
                            std::vector<borrowing::Loan> loans)
{
    beginResetModel();
    m_entities = std::move(entities);
    m_loans = std::move(loans);
    endResetModel();
}

int EntitiesModel::appendEmptyEntity()
{
    // A second row without a name would only be refused.
    const auto unnamed = std::find_if_not(m_entities.begin(), m_entities.end(), hasName);
    if (unnamed != m_entities.end())
        return static_cast<int>(unnamed - m_entities.begin());
    const int row = static_cast<int>(m_entities.size());
    beginInsertRows({}, row, row);
    m_entities.emplace_back();
    endInsertRows();
    return row;
}

int EntitiesModel::loanCount(int row) const
{
    const QString& name = m_entities.at(static_cast<std::size_t>(row)).name;
    // An entity without a name holds nothing: the loans without a holder are the entity's own.
    if (name.isEmpty())
        return 0;
    return static_cast<int>(
        std::count_if(m_loans.begin(), m_loans.end(),
                      [&](const borrowing::Loan& l) { return l.holder == name; }));
}

void EntitiesModel::removeEntity(int row)
{
    if (row < 0 || row >= static_cast<int>(m_entities.size()))
        return;
    if (const QString& name = m_entities[static_cast<std::size_t>(row)].name; !name.isEmpty())
        std::erase_if(m_loans, [&](const borrowing::Loan& l) { return l.holder == name; });
    beginRemoveRows({}, row, row);
    m_entities.erase(m_entities.begin() + row);
    endRemoveRows();
}

Amount EntitiesModel::figure(const QModelIndex& index) const
{
    const auto member = memberOf(index.column());
    return member ? m_entities.at(static_cast<std::size_t>(index.row())).*member : Amount{};
}

void EntitiesModel::setFigure(const QModelIndex& index, Amount value)
{
    const auto member = memberOf(index.column());
    if (!member || !isEditable(index.row(), index.column()))
        return;
    borrowing::DependentEntity changed = m_entities.at(static_cast<std::size_t>(index.row()));
    if (changed.*member == value)
        return;
    changed.*member = value;
    replaceEntity(index.row(), changed);
}

void EntitiesModel::setKind(int row, borrowing::EntityKind kind)
{
    borrowing::DependentEntity changed = m_entities.at(static_cast<std::size_t>(row));
    if (changed.kind == kind)
        return;
    changed.kind = kind;
    // The table shows only the figure the kind counts: no entity keeps one it cannot show.
    if (kind == borrowing::EntityKind::Market)
        changed.expenditure = 0;
    else
        changed.result = 0;
    replaceEntity(row, changed);
}

void EntitiesModel::setName(int row, const QString& name)
{
    borrowing::DependentEntity changed = m_entities.at(static_cast<std::size_t>(row));
    // The loans name their holder exactly; spaces around a name are no part of it.
    if (changed.name == name.trimmed())
        return;
    changed.name = name.trimmed();
    replaceEntity(row, changed);
}

void EntitiesModel::replaceEntity(int row, const borrowing::DependentEntity& entity)
{
    // The other entities not yet named are left out: they cannot repeat a name, and "Aceptar"
    // refuses them.
    std::vector<borrowing::DependentEntity> checked;
    for (int other = 0; other < static_cast<int>(m_entities.size()); ++other) {
        const borrowing::DependentEntity& current = m_entities[static_cast<std::size_t>(other)];
        if (other == row)
            checked.push_back(entity);
        else if (hasName(current))
            checked.push_back(current);
    }
    if (const auto refusal = borrowing::entitiesProblem(checked))
        refuse(*refusal);
    borrowing::DependentEntity& current = m_entities.at(static_cast<std::size_t>(row));
    if (!current.name.isEmpty()) {
        for (borrowing::Loan& loan : m_loans) {
            if (loan.holder == current.name)
                loan.holder = entity.name;
        }
    }
    current = entity;
    emit dataChanged(index(row, Name), index(row, Transfers));
}

void EntitiesModel::checkEntities() const
{
    if (const auto refusal = borrowing::entitiesProblem(m_entities))
        refuse(*refusal);
}

int EntitiesModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_entities.size());
}

int EntitiesModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant EntitiesModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const borrowing::DependentEntity& entity = m_entities.at(static_cast<std::size_t>(index.row()));
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        // The figure the kind does not count shows nothing.
        if (!isEditable(index.row(), index.column()))
            return QString();
        return reports::fieldText(fieldOf(index.column()), entity, amount::currentSeparators());
    case Qt::TextAlignmentRole:
        return index.column() == Name || index.column() == Kind
                   ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                   : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant EntitiesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return QString::number(section + 1);
    if (section < 0 || section >= ColumnCount)
        return {};
    return QString::fromUtf8(fieldOf(section).label);
}

Qt::ItemFlags EntitiesModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (!isEditable(index.row(), index.column()))
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

bool EntitiesModel::isEditable(int row, int column) const
{
    return fieldOf(column).appliesTo(m_entities.at(static_cast<std::size_t>(row)));
}

} // namespace editors
