// What the program refuses, in words: a refusal of a case, a case file, a CSV line or a table's
// cell, and the failures of the files the user chooses.
#pragma once

#include "Refusal.h"

#include <QString>

namespace reports {

// A refusal as a case, a case file or a CSV file's line is refused: what follows "No se puede
// abrir "NAME": " ("el importe de ICAP1 pasa de 13 cifras enteras.", "Línea 2: en la columna
// capital, -1 no puede ser negativo.").
QString refusalText(const borrowing::Refusal& refusal);
// The same as a table's cell or a dialog's field is refused, a sentence of its own ("Préstamo 1,
// "Capital pendiente": no puede ser negativo.", "La entidad dependiente "Aguas": …").
QString cellRefusalText(const borrowing::Refusal& refusal);

// "No se puede abrir "NAME": " and why; the same for saving and importing.
QString cannotOpenText(const QString& fileName, const QString& reason);
QString cannotSaveText(const QString& fileName, const QString& reason);
QString cannotImportText(const QString& fileName, const QString& reason);
// Why an Access database's table was not read: what follows "No se puede importar "NAME": ".
QString accessTableUnreadText(const QString& table);

} // namespace reports
