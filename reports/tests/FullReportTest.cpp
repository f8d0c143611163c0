// The full report's tag values and the filling of the shipped template.
#include "FullReport.h"

#include "DataTemplateEngine.h"
#include "QStringPrinter.h"
#include "SampleCases.h"
#include "SamplePictures.h"
#include "TestSeparators.h"
#include "Wording.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <stdexcept>

#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace reports;

namespace {

// Every tag of an assessed case, each text worked out by hand from the case's figures.
TEST(ReportTags, everyTagOfTwoCases)
{
    struct Expected
    {
        const char* tag;
        const char* deficit;
        const char* surplus;
    };
    const Expected expected[] = {
        {"Entidad", "Villanueva del Campo", "Villa"},
        {"Provincia", "Zamora", "Soria"},
        {"prestamosolicitado", "100.000,00", "100.000,00"},
        {"tipointeres", "5,00", "5,00"},
        {"plazoamortizacion", "20 a\xc3\xb1os", "10 a\xc3\xb1os"},
        {"cuotamensual", "659,96", "1.060,66"},
        {"cuotaanual", "7.919,52", "12.727,92"},
        {"derechosnetos", "1.000.000,00", "1.000.000,00"},
        {"obligacionesnetas", "1.100.000,00", "800.000,00"},
        {"deudaactual", "50.000,00", "50.000,00"},
        {"deudaacontraer", "7.919,52", "12.727,92"},
        {"deudatotal", "1.200.000,00", "400.000,00"},
        {"cargafanterior", "5,00", "5,00"},
        {"euroscfanterior", "300,51", "300,51"},
        {"cargafnueva", "0,79", "1,27"},
        {"euroscfnueva", "47,48", "76,33"},
        {"cargaftotal", "5,79", "6,27"},
        {"euroscftotal", "347,99", "376,83"},
        {"ahorrobruto", "-100.000,00", "200.000,00"},
        {"ahorroneto", "-157.919,52", "137.272,08"},
        {"sinoahorrobruto", "S\xc3\xad", "No"},
        {"sinoahorroneto", "S\xc3\xad", "No"},
        {"signoahorrobruto", "negativo", "positivo"},
        {"signoahorroneto", "negativo", "positivo"},
        {"porcientoderechos", "1.100.000,00", "1.100.000,00"},
        {"tantoporciento", "110", "110"},
        {"mayoromenor", "Menor Que", "Mayor Que"},
        {"sinoporciento", "S\xc3\xad", "No"},
        {"ratioendeudamiento", "131,63 %", "45,00 %"},
        {"regimenvigente",
         "No puede concertarse: ahorro neto negativo y endeudamiento superior al 110 %",
         "No precisa autorizaci\xc3\xb3n"},
        {"ajusteingresos", "20.000,00", "0,00"},
        {"ajustegastos", "5.000,00", "0,00"},
        {"ajusteavales", "30.000,00", "0,00"},
        {"ajustenodispuestos", "10.000,00", "0,00"},
        {"ingresoscomputables", "980.000,00", "1.000.000,00"},
        {"ahorronetocomputable", "-172.919,52", "137.272,08"},
        {"capitalvivocomputable", "1.290.000,00", "450.000,00"},
        // 75 % and 110 % of revenue less the 350.000 of debt the surplus has already.
        {"capacidadlibre", "0,00", "400.000,00"},
        {"capacidadmaxima", "0,00", "750.000,00"},
        {"vidamedia", "11,68", "5,46"},
        {"prudenciafinanciera", "",
         "No cumple el principio de prudencia financiera: el tipo supera "
         "el m\xc3\xa1ximo"},
        // Without a register only the planned loan and the debt held constant are projected.
        {"evolucion75",
         "Sin el registro de los pr\xc3\xa9stamos vigentes solo se proyecta la nueva "
         "operaci\xc3\xb3n: no se estima la evoluci\xc3\xb3n del endeudamiento.",
         "Sin el registro de los pr\xc3\xa9stamos vigentes solo se proyecta la nueva "
         "operaci\xc3\xb3n: no se estima la evoluci\xc3\xb3n del endeudamiento."},
    };
    borrowing::Case surplus = samples::surplusCase();
    surplus.plannedLoan.maximumRate = 4;
    const borrowing::Assessment deficitAssessment = samples::assessed(samples::deficitCase());
    const borrowing::Assessment surplusAssessment = samples::assessed(surplus);
    const ReportValues deficit(deficitAssessment, testsupport::Spanish);
    const ReportValues surplusValues(surplusAssessment, testsupport::Spanish);
    for (const Expected& e : expected) {
        EXPECT_EQ(deficit.tagValue(e.tag).value_or("(none)"), e.deficit) << e.tag;
        EXPECT_EQ(surplusValues.tagValue(e.tag).value_or("(none)"), e.surplus) << e.tag;
    }
    EXPECT_EQ(std::size(expected), 42u);
}

TEST(ReportTags, namesMatchExactly)
{
    const borrowing::Assessment assessment = samples::assessed(samples::deficitCase());
    const ReportValues values(assessment, testsupport::Spanish);
    for (const char* tag :
         {"entidad", " Entidad", "Entidad ", "", "date", "ENTIDAD", "Provincia.", "version"})
        EXPECT_FALSE(values.tagValue(tag)) << tag;
}

TEST(ReportTags, anUnusedCalculatorAnswersWithWhatItShows)
{
    borrowing::Case c = samples::deficitCase();
    c.plannedLoan = {};
    const borrowing::Assessment assessment = borrowing::assess(c);
    const ReportValues values(assessment, testsupport::Spanish);
    for (const auto& [tag, text] : {std::pair{"prestamosolicitado", "0,00"},
                                    {"cuotamensual", "0,00"},
                                    {"plazoamortizacion", "0 a\xc3\xb1os"},
                                    {"vidamedia", "0,00"},
                                    {"capacidadlibre", "\xe2\x80\x94"}})
        EXPECT_EQ(values.tagValue(tag), text) << tag;
}

// The register's data sources: every loan with its holder and its annuity as it counts, and
// the totals of the entity's own loans, as its debt figures count them, whole and by kind.
// Interest-free loans: each annuity is the counted capital over the years.
TEST(ReportRegister, everyLoanWithItsHolderAndTheEntitysOwnTotals)
{
    borrowing::Case c = samples::surplusCase();
    c.entities = {{u"Aguas"_s, borrowing::EntityKind::Market, 3000000, 0, 10000, 0}};
    c.loans = {{u"A"_s, 100000, 0, 10},
               {u"B"_s, 300000, 0, 6, borrowing::LoanKind::Guaranteed, 50},
               {u"C"_s, 40000, 2, 1, borrowing::LoanKind::ShortTerm},
               {u"D"_s, 500000, 0, 5, borrowing::LoanKind::Own, 100, 0, u"Aguas"_s}};
    QTemporaryDir folder;
    const QString templatePath = folder.filePath(u"registro.txt"_s);
    QFile file(templatePath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\\{for prestamos\\}\\{prestamos.entidad\\}|\\{prestamos.titular\\}|"
               "\\{prestamos.tipo\\}|\\{prestamos.aval\\}|\\{prestamos.anualidad\\}\n"
               "\\{end\\}\\{for prestamos_totales\\}T|\\{prestamos_totales.capital\\}|"
               "\\{prestamos_totales.anualidad\\}\n\\{end\\}\\{for prestamos_tipos\\}K|"
               "\\{prestamos_tipos.tipo\\}|\\{prestamos_tipos.capital\\}|"
               "\\{prestamos_tipos.computable\\}|\\{prestamos_tipos.anualidad\\}\n\\{end\\}");
    file.close();
    const QString output = folder.filePath(u"registro-relleno.txt"_s);
    const borrowing::Assessment a = borrowing::assess(c);
    fillFullReport(templatePath, output, ReportValues(a, testsupport::Spanish));
    QFile filled(output);
    ASSERT_TRUE(filled.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(filled.readAll()), u"A|Villa|Propio||10.000,00\n"
                                                   u"B|Villa|Avalado|50,00|25.000,00\n"
                                                   u"C|Villa|Corto plazo||0,00\n"
                                                   u"D|Aguas|Propio||100.000,00\n"
                                                   u"T|440.000,00|35.000,00\n"
                                                   u"K|Propio|100.000,00|100.000,00|10.000,00\n"
                                                   u"K|Avalado|300.000,00|150.000,00|25.000,00\n"
                                                   u"K|Corto plazo|40.000,00|40.000,00|0,00\n"_s);
}

class ShippedTemplate : public testing::Test
{
protected:
    QTemporaryDir folder;
    QString templatePath = QStringLiteral(REPORT_TEMPLATE_PATH);
    QString output = folder.filePath(u"Informerelleno.rtf"_s);
    QStringList opened;

    void run(const borrowing::Case& c)
    {
        const borrowing::Assessment assessment = samples::assessed(c);
        runFullReport(templatePath, output, ReportValues(assessment, testsupport::Spanish),
                      samples::pictures(), [this](const QString& path) { opened << path; });
    }
    QByteArray filled() const
    {
        QFile file(output);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(ShippedTemplate, holdsEveryValueWithAccentsEscaped)
{
    run(samples::deficitCase());
    EXPECT_EQ(opened, QStringList{output});
    const QByteArray rtf = filled();
    for (const char* text :
         {"Villanueva del Campo", "Zamora", "20 a\\'F1os", "S\\'ED", "Menor Que", "-157.919,52",
          "negativo", "1.100.000,00", "131,63 %",
          "No puede concertarse: ahorro neto negativo y endeudamiento superior al 110 %",
          "7. R\\'e9gimen vigente", "Riesgo por avales", "1.290.000,00",
          "Capacidad de endeudamiento"})
        EXPECT_TRUE(rtf.contains(text)) << text;
    EXPECT_FALSE(rtf.contains("\\{")) << "a tag was left unfilled";
    // Without a prudence maximum its line is not there, not even empty.
    EXPECT_FALSE(rtf.contains("\\sa60 \\b \\b0\\par"));
    // The gauge in section 7 and the chart in section 8.
    EXPECT_EQ(rtf.count("{\\pict\\pngblip\\picw2\\pich1\\picwgoal10\\pichgoal5"), 2);
}

TEST_F(ShippedTemplate, theRegisterIsATableOnlyWhenItHoldsLoans)
{
    borrowing::Case c = samples::deficitCase();
    run(c);
    EXPECT_FALSE(filled().contains("Entidad financiera"));

    c.loans = {{u"Caja Rural de Soria"_s, 1234567.89L, 3.25L, 12},
               {u"Ibercaja"_s, 75000.25L, 5, 3},
               {u"Tesorería"_s, 50000, 2, 1, borrowing::LoanKind::ShortTerm}};
    run(c);
    const QByteArray rtf = filled();
    EXPECT_TRUE(rtf.contains("Entidad financiera"));
    // Each loan with its kind, the totals of all and of each kind, and how each counts.
    for (const char* text :
         {"Caja Rural de Soria", "1.234.567,89", "124.380,60", "Ibercaja", "26.973,84",
          "Corto plazo", "1.359.568,14", "151.354,44", "Propio\\cell", "1.309.568,14",
          "Computable en deuda", "hipoteca sobre bienes inmuebles (art. 53.1 TRLHL)"})
        EXPECT_TRUE(rtf.contains(text)) << text;
    EXPECT_LT(rtf.indexOf("Caja Rural"), rtf.indexOf("Ibercaja"));
    EXPECT_FALSE(rtf.contains("\\{"));
}

TEST_F(ShippedTemplate, theGroupIsATableOnlyWhenThereAreDependentEntities)
{
    borrowing::Case c = samples::deficitCase();
    run(c);
    EXPECT_FALSE(filled().contains("Grupo:"));

    c.entities = {{u"Aguas SA"_s, borrowing::EntityKind::Market, 3000000, 0, -50000, 100000}};
    run(c);
    const QByteArray rtf = filled();
    // The entity's own net savings, the company's result, and the consolidated figures.
    for (const char* text : {"Grupo: 1 entidad dependiente", "Villanueva del Campo", "Aguas SA",
                             "Contabilidad empresarial", "-50.000,00", "-172.919,52", "Consolidado",
                             "3.880.000,00", "-222.919,52",
                             "Ahorro neto negativo en Aguas SA: precisa un plan de saneamiento "
                             "financiero (art. 53.1 TRLHL)."})
        EXPECT_TRUE(rtf.contains(text)) << text;
    EXPECT_FALSE(rtf.contains("\\{"));
}

// The Intervención's report of a case whose verdict bars the loan, for resources at and around
// the 10 % that decides who approves it.
TEST_F(ShippedTemplate, theInterventionReportSaysWhoDecidesAndWhy)
{
    templatePath = QFileInfo(templatePath).dir().filePath(u"PlantillaInformeIntervencion.rtf"_s);
    const std::pair<amount::Amount, bool> rows[] = {
        {999999.99L, true}, {1000000, true}, {1000000, false}};
    const char* lines[] = {
        "\\'D3rgano competente: Pleno, por mayor\\'EDa absoluta (art. 47.2.l LBRL)",
        "\\'D3rgano competente: Alcalde-Presidente (art. 21.1.f LBRL y 52.2 TRLHL)",
        "\\'D3rgano competente: Pleno, por mayor\\'EDa simple (art. 22.2.m LBRL)"};
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        borrowing::Case c = samples::deficitCase();
        c.dossier.ordinaryResources = rows[i].first;
        c.dossier.foreseen = rows[i].second;
        c.dossier.controller = u"María López"_s;
        run(c);
        const QByteArray rtf = filled();
        EXPECT_TRUE(rtf.contains(lines[i])) << lines[i];
        for (const char* text :
             {"Conclusi\\'F3n: informe desfavorable.",
              "No puede concertarse: ahorro neto negativo y endeudamiento superior al 110 %.",
              "-172.919,52", "Mar\\'EDa L\\'F3pez", "1.000.000,00"})
            EXPECT_TRUE(rtf.contains(text)) << text;
        EXPECT_EQ(rtf.count("{\\pict\\pngblip"), 2);
        EXPECT_FALSE(rtf.contains("\\{"));
    }
}

// Section 5 of the Intervención's report adds up: the entity's own lines end with its own net
// savings, and the group's follow apart; without a group, as they always were. No sentence
// that says nothing leaves an empty paragraph.
TEST_F(ShippedTemplate, theInterventionReportsSavingsAddUpWithAndWithoutTheGroup)
{
    templatePath = QFileInfo(templatePath).dir().filePath(u"PlantillaInformeIntervencion.rtf"_s);
    struct Row
    {
        const char* name;
        bool grouped;
        std::vector<const char*> present, absent;
    };
    const Row rows[] = {
        {"alone",
         false,
         {"Ahorro neto computable\\tab\\b -172.919,52"},
         {"Ahorro neto de la entidad", "consolidado del grupo", "cuadro siguiente"}},
        // The company's result of -50.000 is its net savings: -172.919,52 - 50.000.
        {"grouped",
         true,
         {"Ahorro neto de la entidad\\tab\\b -172.919,52",
          "Ahorro neto consolidado del grupo\\tab\\b -222.919,52",
          "Las cifras de cada ente del grupo figuran en el cuadro siguiente."},
         {"Ahorro neto computable\\tab"}},
    };
    for (const Row& row : rows) {
        borrowing::Case c = samples::deficitCase();
        if (row.grouped)
            c.entities = {{u"Aguas SA"_s, borrowing::EntityKind::Market, 3000000, 0, -50000, 0}};
        run(c);
        const QByteArray rtf = filled();
        for (const char* text : row.present)
            EXPECT_TRUE(rtf.contains(text)) << row.name << ": " << text;
        for (const char* text : row.absent)
            EXPECT_FALSE(rtf.contains(text)) << row.name << ": " << text;
        // A paragraph with nothing after its formatting.
        for (const char* empty : {"\\qj \\par", "\\sa60 \\b \\b0\\par", "\\li280 \\par"})
            EXPECT_FALSE(rtf.contains(empty)) << row.name << ": " << empty;
    }
}

// A group whose sports board holds a guaranteed loan, an imprudent planned loan that needs
// authorisation and a typed annuity that is not its terms': every figure of both reports
// agrees. Interest-free loans: each annuity is the counted capital over the years.
TEST_F(ShippedTemplate, theGroupsFiguresAgreeAcrossBothReports)
{
    borrowing::Case c;
    c.entityName = u"Villa"_s;
    c.limitText = u"110"_s;
    c.figures.revenueI = 1000000;
    c.figures.expenditureI = 700000;
    c.figures.treasuryOperations = 700000;
    c.figures.plannedCapital = 100000;
    // The terms give 12.727,92 a year.
    c.figures.plannedAnnuity = 12000;
    c.plannedLoan = {.capital = 100000, .rate = 5, .years = 10, .accepted = true, .maximumRate = 4};
    c.entities = {{u"Deportes"_s, borrowing::EntityKind::Administrative, 200000, 150000, 0, 50000}};
    c.loans = {{u"Caja"_s, 100000, 0, 10},
               {u"Aval"_s, 80000, 0, 4, borrowing::LoanKind::Guaranteed, 50, 0, u"Deportes"_s}};
    // Own net savings: 1.000.000 − 700.000 − 10.000 − 12.000; the board's 200.000 − 150.000 −
    // 10.000 (half of 80.000 over 4 years). Debt: 100.000 + 100.000 + 700.000 and 40.000,
    // against 1.000.000 + 150.000 of revenue: 81,74 %.
    const borrowing::Assessment a = samples::assessed(c);
    EXPECT_EQ(a.verdict.outcome, borrowing::Outcome::Authorisation);
    const QList<QStringList> table =
        groupRows(a.group, c.entityName, a.indicators, testsupport::Spanish);
    ASSERT_EQ(table.size(), 3);
    EXPECT_EQ(table[0].mid(5), (QStringList{u"22.000,00"_s, u"278.000,00"_s, u"900.000,00"_s}));
    EXPECT_EQ(table[1].mid(2), (QStringList{u"200.000,00"_s, u"50.000,00"_s, u"150.000,00"_s,
                                            u"10.000,00"_s, u"40.000,00"_s, u"40.000,00"_s}));
    EXPECT_EQ(table[2].mid(2), (QStringList{u"1.150.000,00"_s, u"50.000,00"_s, QString(),
                                            u"32.000,00"_s, u"318.000,00"_s, u"940.000,00"_s}));

    const char* warning = "La anualidad de la nueva operaci\\'F3n (12.000,00 \\'80) no coincide "
                          "con la de sus condiciones (12.727,92 \\'80).";
    run(c);
    QByteArray rtf = filled();
    for (const char* text : {warning, "Villa\\cell", "Deportes\\cell", "Total de la entidad"})
        EXPECT_TRUE(rtf.contains(text)) << text;
    templatePath = QFileInfo(templatePath).dir().filePath(u"PlantillaInformeIntervencion.rtf"_s);
    run(c);
    rtf = filled();
    for (const char* text : {warning, "Ahorro neto de la entidad\\tab\\b 278.000,00",
                             "Ahorro neto consolidado del grupo\\tab\\b 318.000,00",
                             "Conclusi\\'F3n: informe desfavorable.",
                             "No cumple el principio de prudencia financiera: el tipo supera el "
                             "m\\'E1ximo."})
        EXPECT_TRUE(rtf.contains(text)) << text;
    EXPECT_FALSE(rtf.contains("condicionado"));
}

// A sentence whose piece is empty leaves the piece out, never a half sentence.
TEST_F(ShippedTemplate, anEmptyPieceOfASentenceIsLeftOut)
{
    templatePath = QFileInfo(templatePath).dir().filePath(u"PlantillaInformeIntervencion.rtf"_s);
    const QDate signed_(2026, 12, 8);
    EXPECT_EQ(placeAndDateText(u"Soria"_s, signed_), u"En Soria, a 8 de diciembre de 2026"_s);
    EXPECT_EQ(placeAndDateText(u"  "_s, signed_), u"a 8 de diciembre de 2026"_s);
    borrowing::Case c = samples::deficitCase();
    run(c);
    QByteArray rtf = filled();
    EXPECT_TRUE(rtf.contains("\\qr a ")) << "the date alone";
    EXPECT_TRUE(rtf.contains("\\qj Finalidad: Financiar inversiones.")) << "the purpose alone";
    for (const char* half : {"En ,", "Objeto de la operaci\\'f3n: ."})
        EXPECT_FALSE(rtf.contains(half)) << half;
    c.dossier.subject = u"Obras"_s;
    c.dossier.place = u"Zamora"_s;
    run(c);
    rtf = filled();
    EXPECT_TRUE(
        rtf.contains("Objeto de la operaci\\'f3n: Obras. Finalidad: Financiar inversiones."));
    EXPECT_TRUE(rtf.contains("\\qr En Zamora, a "));
}

// Budget stability in both reports: the figures it is worked out from, the capacity or need,
// the rule and what they ask. The deficit case's settlement: 1.000.000 of rights against
// 1.100.000 of obligations, with 40.000 of capital rights and 15.000 of other adjustments.
TEST_F(ShippedTemplate, bothReportsStateBudgetStability)
{
    borrowing::Case c = samples::deficitCase();
    c.figures.revenueVII = 40000;
    c.figures.otherAdjustments = 15000;
    c.figures.cashSurplus = -8000;
    c.stability.rule = borrowing::SpendingRule::Met;
    for (const QString& name :
         {u"PlantillaInformeP.rtf"_s, u"PlantillaInformeIntervencion.rtf"_s}) {
        templatePath = QFileInfo(templatePath).dir().filePath(name);
        run(c);
        const QByteArray rtf = filled();
        for (const char* text :
             {"Ingresos no financieros (cap\\'edtulos I a VII)\\tab\\b 1.040.000,00",
              "Saldo no financiero\\tab\\b -60.000,00",
              "de financiaci\\'f3n\\tab\\b -45.000,00 \\'80\\b0",
              "Regla de gasto\\tab\\b Cumple\\b0",
              "Sin ajuste por recaudaci\\'F3n: no consta la recaudaci\\'F3n de los cap\\'EDtulos I "
              "a III.",
              "Necesidad de financiaci\\'F3n: la entidad debe formular un plan "
              "econ\\'F3mico-financiero (art. 21 LOEPSF).",
              "reducir gastos del nuevo presupuesto en 8.000,00 \\'80 (art. 193 TRLHL)."})
            EXPECT_TRUE(rtf.contains(text)) << name.toStdString() << ": " << text;
        EXPECT_FALSE(rtf.contains("\\{")) << name.toStdString();
    }
}

// Revenue of 980.000 and spending of 1.095.000 with 50.000 of loans in force a year: measures of
// 50.000 and 30.000 in year 1, 100.000 and 45.000 in year 2 leave 20.000 to find; the new loan
// pays 7.919,52 a year. A favourable case states a plan only when it holds one.
TEST_F(ShippedTemplate, bothReportsStateTheRecoveryPlan)
{
    borrowing::Case c = samples::deficitCase();
    c.plan = {.years = 2, .measures = {{50000, 30000}, {100000, 45000}}};
    for (const QString& name :
         {u"PlantillaInformeP.rtf"_s, u"PlantillaInformeIntervencion.rtf"_s}) {
        templatePath = QFileInfo(templatePath).dir().filePath(name);
        run(c);
        const QByteArray rtf = filled();
        for (const char* text :
             {"Plan de saneamiento financiero", "1.030.000,00", "1.065.000,00", "-35.000,00",
              "-85.000,00", "-92.919,52", "1.080.000,00", "1.050.000,00", "-27.919,52",
              "El plan no ajusta a cero el ahorro neto en 2 a\\'F1os: faltan 20.000,00 \\'80 de "
              "medidas en el a\\'F1o 2.",
              "Con la nueva operaci\\'F3n, el ahorro neto del a\\'F1o 2 es de -27.919,52 \\'80."})
            EXPECT_TRUE(rtf.contains(text)) << name.toStdString() << ": " << text;
        EXPECT_FALSE(rtf.contains("\\{")) << name.toStdString();

        borrowing::Case favourable = samples::surplusCase();
        run(favourable);
        EXPECT_FALSE(filled().contains("Plan de saneamiento financiero")) << name.toStdString();
        favourable.plan.years = 1;
        run(favourable);
        EXPECT_TRUE(filled().contains("El ahorro neto no es negativo: no precisa plan de "
                                      "saneamiento."))
            << name.toStdString();
    }
}

TEST_F(ShippedTemplate, anUnknownTagStopsTheReportAndOpensNothing)
{
    QFile earlier(output);
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("earlier report");
    earlier.close();
    templatePath = folder.filePath(u"plantilla.rtf"_s);
    QFile withUnknownTag(templatePath);
    ASSERT_TRUE(withUnknownTag.open(QIODevice::WriteOnly));
    withUnknownTag.write("{\\rtf1 \\{Entidad\\} \\{Provincias\\}}");
    withUnknownTag.close();
    try {
        run(samples::deficitCase());
        FAIL() << "no error";
    } catch (const templating::DataTemplateError& e) {
        EXPECT_STREQ(e.what(), "Can't evaluate tag \"Provincias\".\rCheck template!");
    }
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(filled(), QByteArray("earlier report"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 2);
}

// A template that cannot be read or an output that cannot be written is named in Spanish, by
// its name alone, and nothing is opened.
TEST_F(ShippedTemplate, aFileThatCannotBeReadOrWrittenIsNamedInSpanish)
{
    const QDir scratch(folder.path());
    QFile regular(scratch.filePath(u"file.txt"_s));
    ASSERT_TRUE(regular.open(QIODevice::WriteOnly));
    regular.close();
    scratch.mkpath(u"carpeta/PlantillaInformeP.rtf"_s);
    scratch.mkpath(u"cerrada"_s);
    QFile::setPermissions(scratch.filePath(u"cerrada"_s), QFile::ReadOwner | QFile::ExeOwner);
    const QString shipped = templatePath;
    struct Row
    {
        QString templatePath;
        QString output;
        QString message; // empty: the report is filled
    };
    const Row rows[] = {
        {shipped, scratch.filePath(u"file.txt/Informerelleno.rtf"_s),
         u"No se puede guardar \"Informerelleno.rtf\": una parte de la ruta no es una carpeta."_s},
        {shipped, scratch.filePath(u"falta/Informerelleno.rtf"_s),
         u"No se puede guardar \"Informerelleno.rtf\": la carpeta no existe."_s},
        // Root writes whatever the permissions say.
        {shipped, scratch.filePath(u"cerrada/Informerelleno.rtf"_s),
         geteuid() == 0 ? QString()
                        : u"No se puede guardar \"Informerelleno.rtf\": permiso denegado."_s},
        {scratch.filePath(u"PlantillaInformeP.rtf"_s), output,
         u"No se puede abrir \"PlantillaInformeP.rtf\": el archivo no existe."_s},
        {scratch.filePath(u"carpeta/PlantillaInformeP.rtf"_s), output,
         u"No se puede abrir \"PlantillaInformeP.rtf\": es una carpeta."_s},
    };
    for (const Row& row : rows) {
        templatePath = row.templatePath;
        output = row.output;
        opened.clear();
        QString message;
        try {
            run(samples::deficitCase());
        } catch (const std::runtime_error& e) {
            message = QString::fromUtf8(e.what());
        }
        EXPECT_EQ(message, row.message) << row.output.toStdString();
        EXPECT_EQ(opened.isEmpty(), !row.message.isEmpty()) << row.output.toStdString();
    }
    QFile::setPermissions(scratch.filePath(u"cerrada"_s),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
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
