// The full report: filling its template with the values of an assessed case.
#include "FullReport.h"

#include "DataTemplateEngine.h"
#include "Picture.h"
#include "PlanTable.h"
#include "ProjectionTable.h"
#include "Refusals.h"
#include "UserFile.h"
#include "Wording.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <memory>
#include <stdexcept>
#include <system_error>
#include <vector>

namespace reports {

namespace {

// A row for each kind of loan the register holds: the kind, its capital, what it counts for in
// live debt and its annuity as it counts.
QList<QStringList> kindTotalsRows(const borrowing::RegisterTotals& totals,
                                  amount::Separators separators)
{
    QList<QStringList> rows;
    for (std::size_t k = 0; k < totals.kinds.size(); ++k) {
        const borrowing::KindTotals& kind = totals.kinds[k];
        if (kind.count == 0)
            continue;
        rows << QStringList{loanKindText(static_cast<borrowing::LoanKind>(k)),
                            amountText(kind.capital, separators), amountText(kind.debt, separators),
                            amountText(kind.annuity, separators)};
    }
    return rows;
}

// Answers the tags that the data sources leave to the report.
class ReportEngine final : public templating::DataTemplateEngine
{
public:
    ReportEngine(const ReportValues& values, const ReportPictures& pictures)
        : m_values(values), m_pictures(pictures)
    {
    }

protected:
    std::optional<std::string> customTagValue(std::string_view tag) override
    {
        return m_values.tagValue(tag);
    }
    std::optional<templating::Picture> tagPicture(std::string_view tag) override
    {
        const auto found = m_pictures.find(std::string(tag));
        if (found == m_pictures.end())
            return std::nullopt;
        return templating::pictureFromPng(found->second.toStdString());
    }

private:
    const ReportValues& m_values;
    const ReportPictures& m_pictures;
};

// A data source of texts as the windows show them.
std::unique_ptr<templating::MemoryDataSet> textSource(const std::string& name,
                                                      const std::vector<const char*>& fields,
                                                      const QList<QStringList>& rows)
{
    auto source = std::make_unique<templating::MemoryDataSet>(name);
    for (const char* field : fields)
        source->addField(field, templating::FieldType::String);
    for (const QStringList& row : rows) {
        std::vector<templating::Variant> values;
        for (const QString& text : row)
            values.push_back(templating::Variant::fromText(text.toStdString()));
        source->appendRow(std::move(values));
    }
    return source;
}

// A data source of sentences, "linea" each: a row for each that is not empty, so that a
// template's paragraph for it is there only when it says something.
std::unique_ptr<templating::MemoryDataSet> lineSource(const std::string& name,
                                                      const QStringList& lines)
{
    QList<QStringList> rows;
    for (const QString& line : lines) {
        if (!line.isEmpty())
            rows << QStringList{line};
    }
    return textSource(name, {"linea"}, rows);
}

// Why the engine could not read or write a file, in the words that follow "No se puede guardar
// "NAME": ": the engine's own message is English and names the whole path.
QString fileReason(const std::system_error& error)
{
    return userfile::systemReason(error.code().value()) + u'.';
}

// The template read and scanned; its syntax errors keep the engine's own words.
templating::ParsedTemplate readTemplate(const QString& path)
{
    try {
        return templating::ParsedTemplate(QFile::encodeName(path).toStdString(),
                                          templating::TemplateFormat::Auto);
    } catch (const std::system_error& e) {
        const QString reason =
            e.code().value() == ENOENT ? QStringLiteral("el archivo no existe.") : fileReason(e);
        throw std::runtime_error(cannotOpenText(QFileInfo(path).fileName(), reason).toStdString());
    }
}

} // namespace

FullReportFiles fullReportFiles(const QString& programFolder, const QString& documentsFolder)
{
    return reportFiles(programFolder, documentsFolder, QStringLiteral("PlantillaInformeP.rtf"),
                       QStringLiteral("Informerelleno.rtf"));
}

FullReportFiles interventionReportFiles(const QString& programFolder,
                                        const QString& documentsFolder)
{
    return reportFiles(programFolder, documentsFolder,
                       QStringLiteral("PlantillaInformeIntervencion.rtf"),
                       QStringLiteral("InformeIntervencion.rtf"));
}

FullReportFiles reportFiles(const QString& programFolder, const QString& documentsFolder,
                            const QString& templateName, const QString& outputName)
{
    const QDir program(programFolder);
    const QFileInfo folder(program.absolutePath());
    // The permission bits decide for root too, for whom every folder is writable.
    const bool writable =
        folder.isWritable() &&
        (folder.permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther));
    if (program.exists(templateName) && writable)
        return {program.filePath(templateName), program.filePath(outputName)};

    const QString installed = QDir::cleanPath(
        program.filePath(QStringLiteral("../share/endeudamiento/")) + u'/' + templateName);
    QDir().mkpath(documentsFolder);
    // Without a template anywhere, the failure names the first place it was looked for.
    return {QFileInfo::exists(installed) ? installed : program.filePath(templateName),
            QDir(documentsFolder).filePath(outputName)};
}

void runFullReport(const QString& templatePath, const QString& outputPath,
                   const ReportValues& values, const ReportPictures& pictures,
                   const std::function<void(const QString&)>& openDocument)
{
    fillFullReport(templatePath, outputPath, values, pictures);
    openDocument(outputPath);
}

void fillFullReport(const QString& templatePath, const QString& outputPath,
                    const ReportValues& values, const ReportPictures& pictures)
{
    const borrowing::Assessment& a = values.assessment();
    const amount::Separators separators = values.separators();
    // Every loan of the register with its holder; the totals are the entity's own loans', as
    // its debt figures count them.
    QList<QStringList> loanRows;
    for (std::size_t i = 0; i < a.shown.loans.size(); ++i) {
        loanRows << loanRow(a.shown.loans[i], a.registerSummary.counted[i], a.shown.entityName,
                            separators);
    }
    std::vector<const char*> loanFields;
    for (const borrowing::LoanField& field : borrowing::LoanFields)
        loanFields.push_back(field.key);
    loanFields.push_back("anualidad");
    const auto loans = textSource("prestamos", loanFields, loanRows);
    const borrowing::RegisterTotals& own = a.registerSummary.of({});
    const auto totals =
        textSource("prestamos_totales", {"capital", "anualidad"},
                   loanRows.isEmpty() ? QList<QStringList>{}
                                      : QList<QStringList>{registerTotalsRow(own, separators)});
    const auto kinds = textSource("prestamos_tipos", {"tipo", "capital", "computable", "anualidad"},
                                  kindTotalsRows(own, separators));
    // What is shown only without dependent entities ("grupo" holds what is shown with them).
    const auto alone = textSource(
        "sin_grupo", {}, a.group.hasDependents() ? QList<QStringList>{} : QList<QStringList>{{}});
    const auto conclusionRows = lineSource("conclusion", opinionLines(a));
    const auto annuityWarning = lineSource(
        "aviso_anualidad",
        {a.annuityMismatch ? annuityMismatchText(*a.annuityMismatch, separators) : QString()});
    const borrowing::Dossier& d = a.shown.dossier;
    const auto budget = lineSource(
        "presupuesto_prorrogado",
        {d.budget == borrowing::BudgetState::Extended ? extendedBudgetText() : QString()});
    const auto prudence = lineSource("prudencia", {prudenceText(a.prudent)});
    const auto refinancing = lineSource("refinanciacion", {refinancingText(d.purpose)});
    const auto subject = lineSource("objeto_operacion", {d.subject.trimmed()});
    const auto stability = lineSource(
        "estabilidad_avisos", stabilityLines(a.stability, a.group.hasDependents(), separators));
    const auto worked =
        textSource("estabilidad_calculada", {},
                   a.stability.capacityGiven ? QList<QStringList>{} : QList<QStringList>{{}});
    // The recovery plan's section, its table and whether it is needed, when the reports state it.
    const bool planned = a.plan.reported;
    const auto planSection =
        textSource("plan_saneamiento", {}, planned ? QList<QStringList>{{}} : QList<QStringList>{});
    const auto plan = textSource("plan",
                                 {"ano", "ingresos", "gastos", "ahorrobruto", "anualidadvigentes",
                                  "ahorroneto", "ahorronetonueva"},
                                 planned ? planRows(a.plan, separators) : QList<QStringList>{});
    const auto planNotNeeded = lineSource(
        "plan_noprecisa", {planned && a.plan.notNeeded ? planNotNeededText() : QString()});
    const auto evolution = textSource("evolucion",
                                      {"ano", "anualidadvigentes", "anualidadnueva", "capitalvivo",
                                       "ingresos", "endeudamiento", "cargafinanciera"},
                                      projectionRows(a.projection, separators));

    const QList<QStringList> groupTable =
        groupRows(a.group, a.shown.entityName, a.indicators, separators);
    const auto group = textSource(
        "grupo", {"titulo"},
        groupTable.isEmpty() ? QList<QStringList>{}
                             : QList<QStringList>{{groupCaption(a.shown.entities.size())}});
    const auto entities = textSource("entidades",
                                     {"entidad", "tipo", "ingresos", "transferencias", "gastos",
                                      "anualidad", "ahorroneto", "capitalvivo"},
                                     groupTable);
    QList<QStringList> warnings;
    for (const QString& warning : groupWarnings(a.group, a.shown.entityName))
        warnings << QStringList{warning};
    const auto warningRows = textSource("avisos", {"aviso"}, warnings);

    const templating::ParsedTemplate parsed = readTemplate(templatePath);
    ReportEngine engine(values, pictures);
    engine.dataSets = {
        loans.get(),          totals.get(),         kinds.get(),        alone.get(),
        evolution.get(),      group.get(),          entities.get(),     warningRows.get(),
        conclusionRows.get(), annuityWarning.get(), budget.get(),       prudence.get(),
        refinancing.get(),    subject.get(),        stability.get(),    worked.get(),
        planSection.get(),    plan.get(),           planNotNeeded.get()};
    try {
        engine.fill(parsed, QFile::encodeName(outputPath).toStdString());
    } catch (const std::system_error& e) {
        throw std::runtime_error(
            cannotSaveText(QFileInfo(outputPath).fileName(), fileReason(e)).toStdString());
    }
}

} // namespace reports
