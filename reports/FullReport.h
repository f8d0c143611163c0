// The full report: the values of its tags and filling the template.
#pragma once

#include "ReportFigures.h"

#include <QString>

#include <functional>
#include <optional>
#include <string>

namespace reports {

// The value, in UTF-8, of one of the report's 42 tags, matched exactly; nothing for any other
// tag.
std::optional<std::string> reportTagValue(const ReportFigures& figures, const std::string& tag);

// Answers the tag values of the report; nothing for an unknown tag.
using TagValueSource = std::function<std::optional<std::string>(const std::string& tag)>;

// Where the full report's template is read and its output written.
struct FullReportFiles
{
    QString templatePath;
    QString outputPath;
};

// The template "PlantillaInformeP.rtf" beside the program (a build folder), else in
// ../share/endeudamiento/ from the program's folder (an installed tree, wherever it was moved).
// The output "Informerelleno.rtf" goes beside a template found beside the program when that
// folder is writable, else into the documents folder, which is made when missing.
FullReportFiles fullReportFiles(const QString& programFolder, const QString& documentsFolder);

// The tables the template's loops run over.
struct ReportTables
{
    LoanTable existingLoans;
    // The debt year by year: a row a year, as projectionRows gives it.
    QList<QStringList> evolution;
};

// Fills the template into the output with the tag values, then opens the output; nothing is
// opened when filling fails, and the failure reaches the caller. The template's loops run over
// the data source "prestamos", a row per existing loan (fields entidad, capital, interes, anios
// and anualidad), "prestamos_totales", one row with the totals' capital and anualidad when
// there are loans and none otherwise, and "evolucion", a row a year (fields ano,
// anualidadvigentes, anualidadnueva, capitalvivo, ingresos, endeudamiento, cargafinanciera).
void runFullReport(const QString& templatePath, const QString& outputPath,
                   const TagValueSource& tagValues, const ReportTables& tables,
                   const std::function<void(const QString&)>& openDocument);

} // namespace reports
