// The Ministry's inventory of local entities (tb_inventario), the entities a settlement's table
// offers by it, and the provinces by their INE code.
#include "Inventory.h"

#include "Checks.h"
#include "CsvBytes.h"

#include <QHash>

#include <algorithm>
#include <array>

namespace imports {

namespace {

using borrowing::ChoiceWord;

constexpr ChoiceWord EntityHeadings[] = {{"idente"}};
constexpr ChoiceWord NameHeadings[] = {{"nombreente"}};
constexpr ChoiceWord CodeHeadings[] = {{"codbdgel"}};
constexpr ChoiceWord PopulationHeadings[] = {{"poblacion"}};

// The provinces as the INE names them, by their code from 01.
constexpr std::array<const char*, 52> Provinces{"Araba/Álava",
                                                "Albacete",
                                                "Alicante/Alacant",
                                                "Almería",
                                                "Ávila",
                                                "Badajoz",
                                                "Balears, Illes",
                                                "Barcelona",
                                                "Burgos",
                                                "Cáceres",
                                                "Cádiz",
                                                "Castellón/Castelló",
                                                "Ciudad Real",
                                                "Córdoba",
                                                "Coruña, A",
                                                "Cuenca",
                                                "Girona",
                                                "Granada",
                                                "Guadalajara",
                                                "Gipuzkoa",
                                                "Huelva",
                                                "Huesca",
                                                "Jaén",
                                                "León",
                                                "Lleida",
                                                "Rioja, La",
                                                "Lugo",
                                                "Madrid",
                                                "Málaga",
                                                "Murcia",
                                                "Navarra",
                                                "Ourense",
                                                "Asturias",
                                                "Palencia",
                                                "Palmas, Las",
                                                "Pontevedra",
                                                "Salamanca",
                                                "Santa Cruz de Tenerife",
                                                "Cantabria",
                                                "Segovia",
                                                "Sevilla",
                                                "Soria",
                                                "Tarragona",
                                                "Teruel",
                                                "Toledo",
                                                "Valencia/València",
                                                "Valladolid",
                                                "Bizkaia",
                                                "Zamora",
                                                "Zaragoza",
                                                "Ceuta",
                                                "Melilla"};

bool isTwoDigits(QStringView text)
{
    return text.size() == 2 &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

std::vector<InventoryEntity> readInventory(const QByteArray& bytes)
{
    const csv::Format format = csv::formatOf(bytes);
    csv::Records records(bytes, format.separator, format.start);
    const QStringList keys = csv::headingKeys(records, format.utf8);
    const csv::Column id = csv::requiredColumn(keys, EntityHeadings);
    const csv::Column name = csv::requiredColumn(keys, NameHeadings);
    const csv::Column code = csv::column(keys, CodeHeadings);
    const csv::Column population = csv::column(keys, PopulationHeadings);
    std::vector<InventoryEntity> entities;
    while (records.next()) {
        if (records.isBlank())
            continue;
        records.requireFields(keys.size());
        const auto textOf = [&](const csv::Column& column) {
            return column.place < 0 ? QString()
                                    : csv::text(records.fields()[column.place], format.utf8);
        };
        entities.push_back({textOf(id), textOf(name), textOf(code), textOf(population)});
    }
    return entities;
}

std::vector<InventoryEntity> listedEntities(const QStringList& ids,
                                            const std::vector<InventoryEntity>& inventory)
{
    QHash<QString, const InventoryEntity*> named;
    for (const InventoryEntity& entity : inventory)
        named.insert(entity.id, &entity);
    std::vector<std::pair<QString, InventoryEntity>> known;
    std::vector<InventoryEntity> unknown;
    for (const QString& id : ids) {
        if (const InventoryEntity* entity = named.value(id))
            known.emplace_back(borrowing::comparableName(entity->name), *entity);
        else
            unknown.push_back({.id = id});
    }
    std::stable_sort(known.begin(), known.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<InventoryEntity> listed;
    listed.reserve(ids.size());
    for (auto& [key, entity] : known)
        listed.push_back(std::move(entity));
    listed.insert(listed.end(), unknown.begin(), unknown.end());
    return listed;
}

QString provinceOfCode(const QString& code)
{
    const QString written = code.trimmed();
    const QStringList groups = written.split(u'-');
    const QStringView digits =
        groups.size() == 5 && isTwoDigits(groups[0]) && isTwoDigits(groups[1])
            ? QStringView(groups[1])
            : QStringView(written).first(std::min<qsizetype>(2, written.size()));
    if (!isTwoDigits(digits))
        return {};
    const int number = digits.toInt();
    return number >= 1 && number <= static_cast<int>(Provinces.size())
               ? QString::fromUtf8(Provinces[static_cast<std::size_t>(number - 1)])
               : QString();
}

} // namespace imports
