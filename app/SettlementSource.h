// What a settlement is imported from: the economic table of the file the user chose and the
// inventory that names its entities, read from a CSV file with tb_inventario.csv beside it or
// from the Ministry's Access database through mdb-export.
#pragma once

#include "CsvBytes.h"
#include "Inventory.h"
#include "SettlementCsv.h"

#include <QString>

#include <vector>

namespace app {

struct SettlementSource
{
    imports::SettlementTable table;
    // Empty when the table names no entity or nothing names them.
    std::vector<imports::InventoryEntity> inventory;
};

// The inventory read beside a settlement's CSV file.
inline constexpr char InventoryFileName[] = "tb_inventario.csv";

// Whether the file is an Access database (".accdb" or ".mdb", in any case).
bool isAccessDatabase(const QString& path);

// Reads the settlement of the file at `path`, telling `progress` how far it has come (a total
// of 0 while mdb-export runs, whose length is not known). The inventory is read only when the
// table names its entities; a database whose tb_inventario cannot be read has none. Meant for a
// thread of its own: it touches no widget. Throws std::runtime_error with the whole message
// the user reads ("No se puede importar "x.csv": …", "Para leer archivos de Access instale
// mdbtools."), and imports::ReadingCancelled when `progress` stops it.
SettlementSource readSettlementSource(const QString& path,
                                      const imports::ReadingProgress& progress);

} // namespace app
