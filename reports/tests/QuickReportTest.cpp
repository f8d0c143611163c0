// The complete text of the quick report, line by line and character by character.
#include "QuickReport.h"

#include "QStringPrinter.h"
#include "SampleCases.h"
#include "TestSeparators.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace reports;

namespace {

const QStringList LoanBlock{
    u"CALCULOS PARA FORMALIZACION DE OPERACION DE CREDITO"_s,
    u"--------------------------------------------------- "_s,
    u" "_s,
    u"PRESTAMO SOLICITADO: 100.000,00"_s,
    u"INTERES DE: 5,00%"_s,
    u"PLAZO DE AMORTIZACION: 10 años."_s,
    u"Cuota Mensual de : 1.060,66 Capital + Intereses."_s,
    u"Cuota Anual de : 12.727,92 Capital + Intereses."_s,
    u" "_s,
};

const QStringList LoanRunReport =
    QStringList{u"Villa(Soria)"_s, u" "_s} + LoanBlock +
    QStringList{
        u"D E R E C H O S  Y  O B L I G A C I O N E S"_s,
        u"-------------------------------------------"_s,
        u"Derechos Reconocidos Netos (Cap. I al V) = 1.000.000,00"_s,
        u"Obligaciones Reconocidos Netas (Cap. I, II y IV) = 800.000,00"_s,
        u" "_s,
        u"D E U D A   A C T U A L"_s,
        u"------------------------ "_s,
        u"Anualidad de préstamos actuales = 50.000,00"_s,
        u" "_s,
        u"D E U D A    A    C O N T R A E R"_s,
        u"--------------------------------- "_s,
        u"Anualidad de la Nueva Operación = 12.727,92"_s,
        u" "_s,
        u"D E U D A    T O T A L"_s,
        u"----------------------- "_s,
        u"Total de Capitales Vivos en Préstamos = 400.000,00"_s,
        u"Incluida la nueva Operación"_s,
        u" "_s,
        u"------------- R E S U L T A D O S -------------"_s,
        u" "_s,
        u"CARGA FINANCIERA ACUMULADA ANTERIOR: 5,00%"_s,
        u"--------------------------------------------------- "_s,
        u"Es decir, 300,51 Euros de cada 6.010,12 de ingresos se destinan"_s,
        u"a pagar los costes de las operaciones de préstamos vigentes."_s,
        u" "_s,
        u"CARGA FINANCIERA NUEVO PRESTAMO: 1,27%"_s,
        u"--------------------------------------------------- "_s,
        u"Es decir, 76,33 Euros de cada 6.010,12 de ingresos se destinan"_s,
        u"a pagar los costes de la nueva operación de préstamo."_s,
        u" "_s,
        u"CARGA FINANCIERA ACUMULADA TOTAL: 6,27%"_s,
        u"--------------------------------------------------- "_s,
        u"Es decir, 376,83 Euros de cada 6.010,12 de ingresos se destinan"_s,
        u"a pagar los costes del total de las operaciones de préstamos vigentes y proyectadas."_s,
        u" "_s,
        u"--------------------------------------------------- "_s,
        u"AHORRO BRUTO: 200.000,00"_s,
        u"Ingresos Reconocidos Netos - Pagos Reconocidos Netos"_s,
        u" "_s,
        u"--------------------------------------------------- "_s,
        u"AHORRO NETO: 137.272,08"_s,
        u"Ahorro Bruto - Anualidad total de los Préstamos.(vigentes y nuevos)"_s,
        u" "_s,
        u"SOLICITUD DE AUTORIZACIONES (Art. 53. TRLHL)"_s,
        u"--------------------------------------------- "_s,
        u" "_s,
        u"* Como el Ahorro Bruto es Positivo, en principio no es necesaria autorización,"_s,
        u"para este punto del Art. 53 del TRLHL"_s,
        u"* Como el Ahorro Neto es Positivo, en principio no es necesaria autorización,"_s,
        u"para este punto del Art. 53 del TRLHL"_s,
        u" "_s,
        u"Como 1.100.000,00 Correspondiente al 110% de los Derechos Reconocidos Netos "_s,
        u"Es Mayor Que"_s,
        u"450.000,00 Correspondiente al total de capitales vivos pendientes"_s,
        u"incluidas todas la operaciones de préstamos vigentes y proyectadas."_s,
        u"No será necesaria la autorización del órgano competente,"_s,
        u"para este punto del Art. 53 del TRLHL"_s,
    };

void expectLines(const QStringList& actual, const QStringList& expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (qsizetype i = 0; i < actual.size(); ++i)
        EXPECT_EQ(actual[i], expected[i]) << "line " << i + 1;
}

QStringList withLine(QStringList lines, const QString& from, const QStringList& to)
{
    const auto at = lines.indexOf(from);
    EXPECT_GE(at, 0) << from.toStdString();
    lines.remove(at);
    for (qsizetype i = 0; i < to.size(); ++i)
        lines.insert(at + i, to[i]);
    return lines;
}

QStringList linesOf(const borrowing::Case& c)
{
    const borrowing::Assessment assessment = samples::assessed(c);
    return quickReportLines(ReportValues(assessment, testsupport::Spanish));
}

TEST(QuickReport, withTheLoanBlockAndPositiveSavings)
{
    expectLines(linesOf(samples::surplusCase()), LoanRunReport);
    EXPECT_EQ(LoanRunReport.size(), 68);
}

TEST(QuickReport, withoutTheLoanBlockAndWithNegativeSavings)
{
    // A euro more of obligations than of revenue, and more capital than the limit allows.
    borrowing::Case c = samples::surplusCase();
    c.figures.expenditureI = 1000001;
    c.figures.existingCapital = 1200000;

    QStringList expected = LoanRunReport.mid(0, 2) + LoanRunReport.mid(2 + LoanBlock.size());
    expected =
        withLine(expected, u"Obligaciones Reconocidos Netas (Cap. I, II y IV) = 800.000,00"_s,
                 {u"Obligaciones Reconocidos Netas (Cap. I, II y IV) = 1.000.001,00"_s});
    expected = withLine(expected, u"Total de Capitales Vivos en Préstamos = 400.000,00"_s,
                        {u"Total de Capitales Vivos en Préstamos = 1.300.000,00"_s});
    expected = withLine(expected, u"AHORRO BRUTO: 200.000,00"_s, {u"AHORRO BRUTO: -1,00"_s});
    expected = withLine(expected, u"AHORRO NETO: 137.272,08"_s, {u"AHORRO NETO: -62.728,92"_s});
    const QStringList continuation{
        u"de autorización del préstamo por parte del órgano competente,de un plan "_s,
        u"de saneamiento de la entidad para un periodo no superior a 3 años,"_s};
    expected = withLine(
        expected,
        u"* Como el Ahorro Bruto es Positivo, en principio no es necesaria autorización,"_s,
        QStringList{
            u"* Como el Ahorro Bruto es Negativo, será necesario acompañar la solicitud "_s} +
            continuation);
    expected = withLine(
        expected,
        u"* Como el Ahorro Neto es Positivo, en principio no es necesaria autorización,"_s,
        QStringList{
            u"* Como el Ahorro Neto es Negativo, será necesario acompañar la solicitud "_s} +
            continuation);
    expected = withLine(expected, u"Es Mayor Que"_s, {u"Es Menor Que"_s});
    expected =
        withLine(expected, u"450.000,00 Correspondiente al total de capitales vivos pendientes"_s,
                 {u"1.350.000,00 Correspondiente al total de capitales vivos pendientes"_s});
    expected = withLine(expected, u"No será necesaria la autorización del órgano competente,"_s,
                        {u"Será necesaria la autorización del órgano competente,"_s});
    // Negative net savings ask for a plan: three years of revenue of 1.000.000 against spending
    // of 1.000.001 and 50.000 of loans in force leave 50.001 to find in year 3.
    expected << u" "_s << u"Plan de saneamiento financiero: 3 años."_s
             << u"El plan no ajusta a cero el ahorro neto en 3 años: faltan 50.001,00 € de "
                u"medidas en el año 3."_s
             << u"Con la nueva operación, el ahorro neto del año 3 es de -62.728,92 €."_s;

    c.plannedLoan.accepted = false; // the calculator never accepted
    expectLines(linesOf(c), expected);

    // Accepted, but the annuity set back to 0: no loan block, and no burden of a new loan.
    c.plannedLoan.accepted = true;
    c.figures.plannedAnnuity = 0;
    for (const auto& [from, to] : std::initializer_list<std::pair<QString, QString>>{
             {u"Anualidad de la Nueva Operación = 12.727,92"_s,
              u"Anualidad de la Nueva Operación = 0,00"_s},
             {u"CARGA FINANCIERA NUEVO PRESTAMO: 1,27%"_s,
              u"CARGA FINANCIERA NUEVO PRESTAMO: 0,00%"_s},
             {u"Es decir, 76,33 Euros de cada 6.010,12 de ingresos se destinan"_s,
              u"Es decir, 0,00 Euros de cada 6.010,12 de ingresos se destinan"_s},
             {u"CARGA FINANCIERA ACUMULADA TOTAL: 6,27%"_s,
              u"CARGA FINANCIERA ACUMULADA TOTAL: 5,00%"_s},
             {u"Es decir, 376,83 Euros de cada 6.010,12 de ingresos se destinan"_s,
              u"Es decir, 300,51 Euros de cada 6.010,12 de ingresos se destinan"_s},
             {u"AHORRO NETO: -62.728,92"_s, u"AHORRO NETO: -50.001,00"_s}})
        expected = withLine(expected, from, {to});
    // The typed annuity no longer is the one of the calculator's terms, and the report says so.
    expected = withLine(expected, u"Anualidad de la Nueva Operación = 0,00"_s,
                        {u"Anualidad de la Nueva Operación = 0,00"_s,
                         u"La anualidad de la nueva operación (0,00 €) no coincide con la de sus "
                         u"condiciones (12.727,92 €)."_s});
    expectLines(linesOf(c), expected);
}

TEST(QuickReport, equalLimitAndZeroSavingsNeedNoAuthorisation)
{
    borrowing::Case c = samples::surplusCase();
    c.entityName.clear();
    c.limitText = u"45"_s;
    c.figures.expenditureI = 1000000;
    c.figures.existingAnnuity = 0;
    c.figures.plannedAnnuity = 0;
    c.plannedLoan = {};
    const QStringList lines = linesOf(c);
    EXPECT_EQ(lines[0], u"(Soria)");
    EXPECT_EQ(lines.size(), 59);
    EXPECT_TRUE(lines.contains(
        u"* Como el Ahorro Bruto es Positivo, en principio no es necesaria autorización,"_s));
    EXPECT_TRUE(lines.contains(
        u"* Como el Ahorro Neto es Positivo, en principio no es necesaria autorización,"_s));
    EXPECT_EQ(lines[53],
              u"Como 450.000,00 Correspondiente al 45% de los Derechos Reconocidos Netos ");
    EXPECT_EQ(lines[54], u"Es Igual Que");
    EXPECT_EQ(lines[57], u"No será necesaria la autorización del órgano competente,");
}

} // namespace
