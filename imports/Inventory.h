// The Ministry's inventory of local entities (tb_inventario), the entities a settlement's table
// offers by it, and the provinces by their INE code.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace imports {

// An entity as the inventory names it: its idente, name, code in the Ministry's database of
// local entities (codbdgel) and population, the last two as the file writes them.
struct InventoryEntity
{
    QString id;
    QString name = {};
    QString code = {};
    QString population = {};

    friend bool operator==(const InventoryEntity&, const InventoryEntity&) = default;
};

// The inventory's entities in its order: a header naming idente and nombreente, and optionally
// codbdgel and poblacion, read as a settlement's table is. Refuses a column missing, a line
// with another number of fields than the header, a quote left open.
std::vector<InventoryEntity> readInventory(const QByteArray& bytes);

// The entities of `ids` as the inventory names them, sorted by name in any case, with or
// without accents; those it lacks, by their idente alone, after them in their order.
std::vector<InventoryEntity> listedEntities(const QStringList& ids,
                                            const std::vector<InventoryEntity>& inventory);

// The province of an entity's code, by the INE's name ("Soria"): the first two digits are its
// INE code ("42-173-AA-000", "42173AA000"), except in the dashed form of region, province,
// municipality, kind and number ("07-42-173-AA-000"), where the second group is. Empty when
// they name no province.
QString provinceOfCode(const QString& code);

} // namespace imports
