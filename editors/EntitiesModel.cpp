// EntitiesModel: the dependent entities as a table, with the register's loans that follow their
// names.
#include "EntitiesModel.h"

#include "Checks.h"
#include "LocaleSeparators.h"
#include "Wording.h"

#include <algorithm>

namespace editors {

namespace {

// The entity's figure an amount column shows and edits.
Amount borrowing::DependentEntity::*memberOf(int column)
{
    switch (column) {
    case EntitiesModel::Revenue:
        return &borrowing::DependentEntity::revenue;
    case EntitiesModel::Expenditure:
        return &borrowing::DependentEntity::expenditure;
    case EntitiesModel::Result:
        return &borrowing::DependentEntity::result;
    case EntitiesModel::Transfers:
        return &borrowing::DependentEntity::transfers;
    default:
        return nullptr;
    }
}

bool hasName(const borrowing::DependentEntity& entity)
{
    return !entity.name.trimmed().isEmpty();
}

// The problem as a sentence of the error box.
[[noreturn]] void refuse(const QString& problem)
{
    throw borrowing::InvalidInput(
        (problem.left(1).toUpper() + problem.mid(1) + u'.').toStdString());
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
    if (const QString problem = borrowing::entitiesProblem(checked); !problem.isEmpty())
        refuse(problem);
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
    if (const QString problem = borrowing::entitiesProblem(m_entities); !problem.isEmpty())
        refuse(problem);
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
        if (index.column() == Name)
            return entity.name;
        if (index.column() == Kind)
            return reports::entityKindText(entity.kind);
        // The figure the kind does not count shows nothing.
        if (!isEditable(index.row(), index.column()))
            return QString();
        return reports::amountText(figure(index), amount::currentSeparators());
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
    static const QStringList headings{QStringLiteral("Entidad"),
                                      QStringLiteral("Tipo"),
                                      QStringLiteral("Ingresos corrientes"),
                                      QStringLiteral("Gastos corrientes"),
                                      QStringLiteral("Resultado"),
                                      QStringLiteral("Transferencias internas")};
    return headings.value(section);
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
    switch (column) {
    case Expenditure:
        return kind(row) == borrowing::EntityKind::Administrative;
    case Result:
        return kind(row) == borrowing::EntityKind::Market;
    default:
        return true;
    }
}

} // namespace editors
