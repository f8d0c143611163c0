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
// opened when filling fails, and the failure reaches the caller: a template that cannot be read
// or an output that cannot be written as a std::runtime_error in Spanish ("No se puede guardar
// "Informerelleno.rtf": permiso denegado."), a malformed template in the engine's words. The
// template's loops run over these data sources:
// - "prestamos", a row per loan of the register (its fields by their keys, and anualidad);
//   "prestamos_totales", one row with the capital and anualidad of the entity's own loans when
//   the register holds loans, none otherwise; "prestamos_tipos", a row per kind of the entity's
//   own loans (tipo, capital, computable, anualidad);
// - "estabilidad_calculada", one row (no fields) when budget stability is worked out from the
//   settlement, none while an older case's given figure stands;
// - "grupo", one row with its titulo ("Grupo: 1 entidad dependiente") when there are dependent
//   entities, and "sin_grupo", one row (no fields) when there are none; "entidades", the group's
//   table (entidad, tipo, ingresos, transferencias, gastos, anualidad, ahorroneto, capitalvivo),
//   and "avisos" (aviso: each entity with negative net savings);
// - "evolucion", a row a year (ano, anualidadvigentes, anualidadnueva, capitalvivo, ingresos,
//   endeudamiento, cargafinanciera);
// - sentences, "linea" each, a row only for one that says something: "conclusion" (the
//   Intervención's conclusion and its reasons), "aviso_anualidad" (the planned loan's typed
//   annuity against its terms'), "presupuesto_prorrogado" (what an extended budget allows),
//   "prudencia" (whether the rate keeps to the prudence rule), "refinanciacion" (what a
//   refinancing asks), "objeto_operacion" (the operation's subject) and "estabilidad_avisos"
//   (what budget stability asks of the entity), "plan_noprecisa" (a plan stated that net
//   savings do not need);
// - "plan_saneamiento", one row (no fields) when the reports state the financial recovery plan
//   (net savings are negative, or the case holds a plan), none otherwise; "plan", its table a
//   row a year (ano, ingresos, gastos, ahorrobruto, anualidadvigentes, ahorroneto,
//   ahorronetonueva).
void runFullReport(const QString& templatePath, const QString& outputPath,
                   const ReportValues& values, const ReportPictures& pictures,
                   const std::function<void(const QString&)>& openDocument);
// The same without opening the output, for a thread of its own, with the pictures.
void fillFullReport(const QString& templatePath, const QString& outputPath,
                    const ReportValues& values, const ReportPictures& pictures = {});

} // namespace reports
