// The full report's tag values and the filling of the shipped template.
#include "FullReport.h"

#include "DataTemplateEngine.h"
#include "QStringPrinter.h"
#include "SampleFigures.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace reports;

namespace {

std::string tagValue(const ReportFigures& f, const std::string& tag)
{
    const std::optional<std::string> value = reportTagValue(f, tag);
    EXPECT_TRUE(value) << tag;
    return value.value_or("");
}

TEST(InvoiceTags, everyTagOfATypicalRun)
{
    const ReportFigures f = samples::deficitRun();
    const std::pair<const char*, const char*> expected[] = {
        {"Entidad", "Villanueva del Campo"},
        {"Provincia", "Zamora"},
        {"prestamosolicitado", "100.000,00"},
        {"tipointeres", "5,00"},
        {"plazoamortizacion", "20 a\xc3\xb1os"},
        {"cuotamensual", "659,96"},
        {"cuotaanual", "7.919,52"},
        {"derechosnetos", "1.000.000,00"},
        {"obligacionesnetas", "1.100.000,00"},
        {"deudaactual", "50.000,00"},
        {"deudaacontraer", "7.919,52"},
        {"deudatotal", "1.200.000,00"},
        {"cargafanterior", "5,00"},
        {"euroscfanterior", "300,51"},
        {"cargafnueva", "0,79"},
        {"euroscfnueva", "47,48"},
        {"cargaftotal", "5,79"},
        {"euroscftotal", "347,99"},
        {"ahorrobruto", "-100.000,00"},
        {"ahorroneto", "-157.919,52"},
        {"sinoahorrobruto", "S\xc3\xad"},
        {"sinoahorroneto", "S\xc3\xad"},
        {"signoahorrobruto", "negativo"},
        {"signoahorroneto", "negativo"},
        {"porcientoderechos", "1.100.000,00"},
        {"tantoporciento", "110"},
        {"mayoromenor", "Menor Que"},
        {"sinoporciento", "S\xc3\xad"},
        {"ratioendeudamiento", "131,63 %"},
        {"regimenvigente",
         "No puede concertarse: ahorro neto negativo y endeudamiento superior al 110 %"},
        {"ajusteingresos", "20.000,00"},
        {"ajustegastos", "5.000,00"},
        {"ajusteavales", "30.000,00"},
        {"ajustenodispuestos", "10.000,00"},
        {"ingresoscomputables", "980.000,00"},
        {"ahorronetocomputable", "-172.919,52"},
        {"capitalvivocomputable", "1.290.000,00"},
        {"capacidadlibre", "0,00"},
        {"capacidadmaxima", "0,00"},
    };
    for (const auto& [tag, value] : expected)
        EXPECT_EQ(tagValue(f, tag), value) << tag;
}

TEST(InvoiceTags, zeroSavingsAndAnEqualLimitNeedNoAuthorisation)
{
    ReportFigures f = samples::deficitRun();
    f.grossSavings = {u"0,00"_s, 0};
    f.netSavings = {u"0,00"_s, -0.0L};
    f.debtLimit = {u"1.250.000,00"_s, 1250000};
    f.comparison = u"Igual Que"_s;
    EXPECT_EQ(tagValue(f, "sinoahorrobruto"), "No");
    EXPECT_EQ(tagValue(f, "sinoahorroneto"), "No");
    EXPECT_EQ(tagValue(f, "signoahorrobruto"), "positivo");
    EXPECT_EQ(tagValue(f, "signoahorroneto"), "positivo");
    EXPECT_EQ(tagValue(f, "sinoporciento"), "No");
    EXPECT_EQ(tagValue(f, "mayoromenor"), "Igual Que");
}

TEST(InvoiceTags, namesMatchExactly)
{
    for (const char* tag :
         {"entidad", " Entidad", "Entidad ", "", "date", "ENTIDAD", "Provincia.", "version"}) {
        EXPECT_FALSE(reportTagValue(samples::deficitRun(), tag)) << tag;
    }
}

TEST(InvoiceTags, anUnusedCalculatorAnswersWithItsDisplayedTexts)
{
    ReportFigures f = samples::deficitRun();
    f.loanAccepted = false;
    f.loanCapital = f.monthlyPayment = f.yearlyPayment = u"0,00"_s;
    f.loanRate = u"0,00"_s;
    f.loanYears = u"0"_s;
    EXPECT_EQ(tagValue(f, "prestamosolicitado"), "0,00");
    EXPECT_EQ(tagValue(f, "plazoamortizacion"), "0 a\xc3\xb1os");
}

class ShippedTemplate : public testing::Test
{
protected:
    QTemporaryDir folder;
    QString templatePath = QStringLiteral(REPORT_TEMPLATE_PATH);
    QString output = folder.filePath(u"Informerelleno.rtf"_s);
    QStringList opened;
    ReportTables tables;

    void run(const TagValueSource& values)
    {
        runFullReport(templatePath, output, values, tables,
                      [this](const QString& path) { opened << path; });
    }
};

TEST_F(ShippedTemplate, holdsEveryValueWithAccentsEscaped)
{
    const ReportFigures f = samples::deficitRun();
    run([&](const std::string& tag) { return reportTagValue(f, tag); });
    EXPECT_EQ(opened, QStringList{output});
    QFile file(output);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray rtf = file.readAll();
    for (const char* text :
         {"Villanueva del Campo", "Zamora", "20 a\\'F1os", "S\\'ED", "Menor Que", "-157.919,52",
          "negativo", "1.100.000,00", "131,63 %",
          "No puede concertarse: ahorro neto negativo y endeudamiento superior al 110 %",
          "7. R\\'e9gimen vigente", "Riesgo por avales", "1.290.000,00",
          "Capacidad de endeudamiento"})
        EXPECT_TRUE(rtf.contains(text)) << text;
    EXPECT_FALSE(rtf.contains("\\{")) << "a tag was left unfilled";
}

TEST_F(ShippedTemplate, theRegisterIsATableOnlyWhenItHoldsLoans)
{
    const ReportFigures f = samples::deficitRun();
    const auto tags = [&](const std::string& tag) { return reportTagValue(f, tag); };
    const auto filled = [&] {
        QFile file(output);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    run(tags);
    EXPECT_FALSE(filled().contains("Entidad financiera"));

    tables.existingLoans = {
        {{u"Caja Rural de Soria"_s, u"1.234.567,89"_s, u"3,25"_s, u"12"_s, u"127.373,28"_s},
         {u"Ibercaja"_s, u"75.000,25"_s, u"5,00"_s, u"3"_s, u"26.973,84"_s}},
        {u"1.309.568,14"_s, u"154.347,12"_s}};
    run(tags);
    const QByteArray rtf = filled();
    EXPECT_TRUE(rtf.contains("Entidad financiera"));
    for (const char* text : {"Caja Rural de Soria", "1.234.567,89", "127.373,28", "Ibercaja",
                             "26.973,84", "1.309.568,14", "154.347,12"})
        EXPECT_TRUE(rtf.contains(text)) << text;
    EXPECT_LT(rtf.indexOf("Caja Rural"), rtf.indexOf("Ibercaja"));
    EXPECT_FALSE(rtf.contains("\\{"));
}

TEST_F(ShippedTemplate, anUnknownTagStopsTheReportAndOpensNothing)
{
    QFile earlier(output);
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("earlier report");
    earlier.close();
    try {
        run([](const std::string& tag) -> std::optional<std::string> {
            if (tag == "Provincia")
                return std::nullopt;
            return "x";
        });
        FAIL() << "no error";
    } catch (const templating::DataTemplateError& e) {
        EXPECT_STREQ(e.what(), "Can't evaluate tag \"Provincia\".\rCheck template!");
    }
    EXPECT_TRUE(opened.isEmpty());
    ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
    EXPECT_EQ(earlier.readAll(), QByteArray("earlier report"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 1);
}

TEST(FullReportFiles, templateBesideTheProgramOrInstalledAndOutputWhereItCanBeWritten)
{
    QTemporaryDir root;
    const QDir tree(root.path());
    tree.mkpath(u"build"_s);
    tree.mkpath(u"prefix/bin"_s);
    tree.mkpath(u"prefix/share/endeudamiento"_s);
    for (const QString& file : {u"build/PlantillaInformeP.rtf"_s,
                                u"prefix/share/endeudamiento/PlantillaInformeP.rtf"_s}) {
        QFile f(tree.filePath(file));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    const QString documents = tree.filePath(u"home/Documentos"_s);

    FullReportFiles files = fullReportFiles(tree.filePath(u"build"_s), documents);
    EXPECT_EQ(files.templatePath, tree.filePath(u"build/PlantillaInformeP.rtf"_s));
    EXPECT_EQ(files.outputPath, tree.filePath(u"build/Informerelleno.rtf"_s));

    files = fullReportFiles(tree.filePath(u"prefix/bin"_s), documents);
    EXPECT_EQ(files.templatePath,
              tree.filePath(u"prefix/share/endeudamiento/PlantillaInformeP.rtf"_s));
    EXPECT_EQ(files.outputPath, documents + u"/Informerelleno.rtf"_s);
    EXPECT_TRUE(QDir(documents).exists());

    // A build folder that cannot be written to keeps its template and sends the output away.
    QFile::setPermissions(tree.filePath(u"build"_s), QFile::ReadOwner | QFile::ExeOwner);
    files = fullReportFiles(tree.filePath(u"build"_s), documents);
    QFile::setPermissions(tree.filePath(u"build"_s),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(files.templatePath, tree.filePath(u"build/PlantillaInformeP.rtf"_s));
    EXPECT_EQ(files.outputPath, documents + u"/Informerelleno.rtf"_s);

    files = fullReportFiles(tree.filePath(u"elsewhere"_s), documents);
    EXPECT_EQ(files.templatePath, tree.filePath(u"elsewhere/PlantillaInformeP.rtf"_s));
}

} // namespace
