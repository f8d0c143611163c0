// The full report: the values of its tags and filling the template.
#include "FullReport.h"

#include "DataTemplateEngine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <array>
#include <memory>
#include <vector>

namespace reports {

namespace {

// Answers the tags that the data sources leave to the report.
class ReportEngine final : public templating::DataTemplateEngine
{
public:
    explicit ReportEngine(const TagValueSource& tagValues) : m_tagValues(tagValues) {}

protected:
    std::optional<std::string> customTagValue(std::string_view tag) override
    {
        return m_tagValues(std::string(tag));
    }

private:
    const TagValueSource& m_tagValues;
};

QString yesNo(bool authorisationNeeded)
{
    return authorisationNeeded ? QStringLiteral("Sí") : QStringLiteral("No");
}

QString sign(Amount value)
{
    return value >= 0 ? QStringLiteral("positivo") : QStringLiteral("negativo");
}

} // namespace

std::optional<std::string> reportTagValue(const ReportFigures& f, const std::string& tag)
{
    using Value = std::function<QString(const ReportFigures&)>;
    // The tag names in the order they are tested.
    static const std::array<std::pair<const char*, Value>, 42> table{{
        {"Entidad", [](const auto& f) { return f.entityName; }},
        {"Provincia", [](const auto& f) { return f.entityProvince; }},
        {"prestamosolicitado", [](const auto& f) { return f.loanCapital; }},
        {"tipointeres", [](const auto& f) { return f.loanRate; }},
        {"plazoamortizacion", [](const auto& f) { return f.loanYears + QStringLiteral(" años"); }},
        {"cuotamensual", [](const auto& f) { return f.monthlyPayment; }},
        {"cuotaanual", [](const auto& f) { return f.yearlyPayment; }},
        {"derechosnetos", [](const auto& f) { return f.totalRevenue; }},
        {"obligacionesnetas", [](const auto& f) { return f.totalExpenditure; }},
        {"deudaactual", [](const auto& f) { return f.existingAnnuity; }},
        {"deudaacontraer", [](const auto& f) { return f.plannedAnnuity.text; }},
        {"deudatotal", [](const auto& f) { return f.loansCapital; }},
        {"cargafanterior", [](const auto& f) { return f.existingBurden; }},
        {"euroscfanterior", [](const auto& f) { return f.existingBurdenPerUnit; }},
        {"cargafnueva", [](const auto& f) { return f.plannedBurden; }},
        {"euroscfnueva", [](const auto& f) { return f.plannedBurdenPerUnit; }},
        {"cargaftotal", [](const auto& f) { return f.totalBurden; }},
        {"euroscftotal", [](const auto& f) { return f.totalBurdenPerUnit; }},
        {"ahorrobruto", [](const auto& f) { return f.grossSavings.text; }},
        {"ahorroneto", [](const auto& f) { return f.netSavings.text; }},
        {"sinoahorrobruto", [](const auto& f) { return yesNo(f.grossSavings.value < 0); }},
        {"sinoahorroneto", [](const auto& f) { return yesNo(f.netSavings.value < 0); }},
        {"signoahorrobruto", [](const auto& f) { return sign(f.grossSavings.value); }},
        {"signoahorroneto", [](const auto& f) { return sign(f.netSavings.value); }},
        {"porcientoderechos", [](const auto& f) { return f.debtLimit.text; }},
        {"tantoporciento", [](const auto& f) { return f.maxDebtPercentText; }},
        {"mayoromenor", [](const auto& f) { return f.comparison; }},
        {"sinoporciento",
         [](const auto& f) { return yesNo(!(f.debtLimit.value >= f.totalCapital.value)); }},
        {"ratioendeudamiento", [](const auto& f) { return f.ratioText; }},
        {"regimenvigente", [](const auto& f) { return f.verdictText; }},
        {"ajusteingresos", [](const auto& f) { return f.earmarkedRevenue; }},
        {"ajustegastos", [](const auto& f) { return f.surplusFinancedExpenditure; }},
        {"ajusteavales", [](const auto& f) { return f.guarantees; }},
        {"ajustenodispuestos", [](const auto& f) { return f.undrawnBalances; }},
        {"ingresoscomputables", [](const auto& f) { return f.computableRevenue; }},
        {"ahorronetocomputable", [](const auto& f) { return f.computableNetSavings; }},
        {"capitalvivocomputable", [](const auto& f) { return f.computableDebt; }},
        {"capacidadlibre", [](const auto& f) { return f.freeCapacity; }},
        {"capacidadmaxima", [](const auto& f) { return f.maximumCapacity; }},
        {"vidamedia", [](const auto& f) { return f.averageLife; }},
        {"prudenciafinanciera", [](const auto& f) { return f.prudence; }},
        {"evolucion75", [](const auto& f) { return f.evolutionSentence; }},
    }};
    for (const auto& [name, valueOf] : table) {
        if (tag == name)
            return valueOf(f).toStdString();
    }
    return std::nullopt;
}

FullReportFiles fullReportFiles(const QString& programFolder, const QString& documentsFolder)
{
    const QString templateName = QStringLiteral("PlantillaInformeP.rtf");
    const QString outputName = QStringLiteral("Informerelleno.rtf");
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
                   const TagValueSource& tagValues, const ReportTables& tables,
                   const std::function<void(const QString&)>& openDocument)
{
    const LoanTable& existingLoans = tables.existingLoans;
    // Texts as the dialog shows them.
    const auto textSource = [](const std::string& name, const std::vector<const char*>& fields,
                               const QList<QStringList>& rows) {
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
    };
    const auto loans = textSource(
        "prestamos", {"entidad", "capital", "interes", "anios", "anualidad"}, existingLoans.loans);
    const auto totals =
        textSource("prestamos_totales", {"capital", "anualidad"},
                   existingLoans.loans.isEmpty() ? QList<QStringList>{}
                                                 : QList<QStringList>{existingLoans.totals});

    const auto evolution = textSource("evolucion",
                                      {"ano", "anualidadvigentes", "anualidadnueva", "capitalvivo",
                                       "ingresos", "endeudamiento", "cargafinanciera"},
                                      tables.evolution);

    ReportEngine engine(tagValues);
    engine.dataSets = {loans.get(), totals.get(), evolution.get()};
    engine.processTemplate(QFile::encodeName(templatePath).toStdString(),
                           QFile::encodeName(outputPath).toStdString());
    openDocument(outputPath);
}

} // namespace reports
