// The full report: filling its template with the values of an assessed case.
#pragma once

#include "ReportValues.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <map>
#include <string>

namespace reports {

// PNG pictures by the tags they answer ("graficoendeudamiento", "graficoevolucion").
using ReportPictures = std::map<std::string, QByteArray>;

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
// The same for the Intervención's report: "PlantillaInformeIntervencion.rtf" into
// "InformeIntervencion.rtf".
FullReportFiles interventionReportFiles(const QString& programFolder,
                                        const QString& documentsFolder);
// The same for any template and output name.
FullReportFiles reportFiles(const QString& programFolder, const QString& documentsFolder,
                            const QString& templateName, const QString& outputName);

// Fills the template into the output with the values' tags, then opens the output; nothing is
// opened when filling fails, and the failure reaches the caller. The template's loops run over
// the data sources "grupo" (one row with its titulo, "Grupo: 1 entidad dependiente", when there
// are dependent entities, none otherwise), "entidades" (the group's table: entidad, tipo, ingresos,
// transferencias, gastos, anualidad, ahorroneto, capitalvivo) and "avisos" (aviso: each entity with
// negative net savings), "conclusion" (linea: the Intervención's conclusion and its reasons),
// "prestamos", a row per existing loan (fields entidad, capital, interes, anios, tipo, aval,
// hipoteca and anualidad), "prestamos_totales", one row with the totals' capital and anualidad when
// there are loans and none otherwise, "prestamos_tipos", a row per kind of loan the register holds
// (tipo, capital, computable, anualidad), and "evolucion", a row a year (fields ano,
// anualidadvigentes, anualidadnueva, capitalvivo, ingresos, endeudamiento, cargafinanciera).
void runFullReport(const QString& templatePath, const QString& outputPath,
                   const ReportValues& values, const ReportPictures& pictures,
                   const std::function<void(const QString&)>& openDocument);
// The same without opening the output, for a thread of its own, with the pictures.
void fillFullReport(const QString& templatePath, const QString& outputPath,
                    const ReportValues& values, const ReportPictures& pictures = {});

} // namespace reports
