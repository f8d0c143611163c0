// The full report's tag values, their code page and the filling of the shipped template.
#include "FullReport.h"

#include "QStringPrinter.h"
#include "uDbFreeReporter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TReportFigures typical()
{
    TReportFigures f;
    f.EntityName = u"Villanueva del Campo"_s;
    f.EntityProvince = u"Zamora"_s;
    f.MaxDebtPercentText = u"110"_s;
    f.Capital = u"100.000,00"_s;
    f.Interes = u"5,00"_s;
    f.anios = u"20"_s;
    f.cuotames = u"659,96"_s;
    f.cuotanual = u"7.919,52"_s;
    f.ITOTAL = u"1.000.000,00"_s;
    f.GTOTAL = u"1.100.000,00"_s;
    f.APVTOTAL = u"50.000,00"_s;
    f.APPTOTAL = {u"7.919,52"_s, 7919.52L};
    f.CVTOTAL = u"1.200.000,00"_s;
    f.CFANTERIOR = u"5,00"_s;
    f.CFEUR1 = u"300,51"_s;
    f.CFNUEVO = u"0,79"_s;
    f.CFEUR2 = u"47,48"_s;
    f.CFTOTAL = u"5,79"_s;
    f.CFEUR3 = u"347,99"_s;
    f.AHORROBRUTO = {u"-100.000,00"_s, -100000};
    f.AHORRONETO = {u"-157.919,52"_s, -157919.52L};
    f.ITOTAL110 = {u"1.100.000,00"_s, 1100000};
    f.CVTOTAL2 = {u"1.250.000,00"_s, 1250000};
    f.Mayormenor = u"Menor Que"_s;
    return f;
}

std::string tagValue(const TReportFigures& f, const std::string& tag)
{
    std::string value = "unchanged";
    EXPECT_TRUE(InvoiceTagValue(f, tag, value)) << tag;
    return value;
}

TEST(CodePage1252, oneBytePerCharacterAndQuestionMarksForTheRest)
{
    EXPECT_EQ(ToCodePage1252(u"Sí, años"_s), QByteArray("S\xed, a\xf1os"));
    EXPECT_EQ(ToCodePage1252(u"€ – “x”"_s), QByteArray("\x80 \x96 \x93x\x94"));
    EXPECT_EQ(ToCodePage1252(u"中😀\u0081"_s), QByteArray("???"));
}

TEST(InvoiceTags, everyTagOfATypicalRun)
{
    const TReportFigures f = typical();
    const std::pair<const char*, const char*> expected[] = {
        {"Entidad", "Villanueva del Campo"},
        {"Provincia", "Zamora"},
        {"prestamosolicitado", "100.000,00"},
        {"tipointeres", "5,00"},
        {"plazoamortizacion", "20 a\xf1os"},
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
        {"sinoahorrobruto", "S\xed"},
        {"sinoahorroneto", "S\xed"},
        {"signoahorrobruto", "negativo"},
        {"signoahorroneto", "negativo"},
        {"porcientoderechos", "1.100.000,00"},
        {"tantoporciento", "110"},
        {"mayoromenor", "Menor Que"},
        {"sinoporciento", "S\xed"},
    };
    for (const auto& [tag, value] : expected)
        EXPECT_EQ(tagValue(f, tag), value) << tag;
}

TEST(InvoiceTags, zeroSavingsAndAnEqualLimitNeedNoAuthorisation)
{
    TReportFigures f = typical();
    f.AHORROBRUTO = {u"0,00"_s, 0};
    f.AHORRONETO = {u"0,00"_s, -0.0L};
    f.ITOTAL110 = {u"1.250.000,00"_s, 1250000};
    f.Mayormenor = u"Igual Que"_s;
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
        std::string value = "unchanged";
        EXPECT_FALSE(InvoiceTagValue(typical(), tag, value)) << tag;
        EXPECT_EQ(value, "unchanged");
    }
}

TEST(InvoiceTags, anUnusedCalculatorAnswersWithItsDisplayedTexts)
{
    TReportFigures f = typical();
    f.LoanAccepted = false;
    f.Capital = f.cuotames = f.cuotanual = u"0,00"_s;
    f.Interes = u"0,00"_s;
    f.anios = u"0"_s;
    EXPECT_EQ(tagValue(f, "prestamosolicitado"), "0,00");
    EXPECT_EQ(tagValue(f, "plazoamortizacion"), "0 a\xf1os");
}

class ShippedTemplate : public testing::Test
{
protected:
    QTemporaryDir folder;
    QString templatePath = QStringLiteral(REPORT_TEMPLATE_PATH);
    QString output = folder.filePath(u"Informerelleno.rtf"_s);
    QStringList opened;

    void run(const TTagValueSource& values)
    {
        RunFullReport(templatePath, output, values,
                      [this](const QString& path) { opened << path; });
    }
};

TEST_F(ShippedTemplate, holdsEveryValueWithAccentsEscaped)
{
    const TReportFigures f = typical();
    run([&](const std::string& tag, std::string& value) { return InvoiceTagValue(f, tag, value); });
    EXPECT_EQ(opened, QStringList{output});
    QFile file(output);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray rtf = file.readAll();
    for (const char* text : {"Villanueva del Campo", "Zamora", "20 a\\'F1os", "S\\'ED", "Menor Que",
                             "-157.919,52", "negativo", "1.100.000,00"})
        EXPECT_TRUE(rtf.contains(text)) << text;
    EXPECT_FALSE(rtf.contains("\\{")) << "a tag was left unfilled";
}

TEST_F(ShippedTemplate, anUnknownTagStopsTheReportAndOpensNothing)
{
    QFile earlier(output);
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("earlier report");
    earlier.close();
    try {
        run([](const std::string& tag, std::string& value) {
            if (tag == "Provincia")
                return false;
            value = "x";
            return true;
        });
        FAIL() << "no error";
    } catch (const TDbReporterException& e) {
        EXPECT_STREQ(e.what(), "Can't evaluate tag \"Provincia\".\rCheck template!");
    }
    EXPECT_TRUE(opened.isEmpty());
    ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
    EXPECT_EQ(earlier.readAll(), QByteArray("earlier report"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 1);
}

} // namespace
