// Case files: exact round trips, amount texts, the messages of bad files, hand-written cases
// and a save that fails.
#include "CaseFile.h"

#include "Checks.h"
#include "QStringPrinter.h"
#include "Refusals.h"
#include "UserFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <random>
#include <span>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace casefile;
using namespace Qt::StringLiterals;

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Why the file does not open, as the window says it; empty when it opens.
QString openingFailure(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    try {
        readCaseFile(path);
    } catch (const userfile::FileError& e) {
        return reports::cannotOpenText(name, QString::fromUtf8(e.what()));
    } catch (const borrowing::Refused& e) {
        return reports::cannotOpenText(name, reports::refusalText(e.refusal()));
    }
    return {};
}

// Each file refused, as the window says it, for its reason.
void expectRefusedFiles(std::span<const std::pair<QByteArray, QString>> files)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(u"caso.endeudamiento"_s);
    for (const auto& [bytes, reason] : files) {
        writeAll(path, bytes);
        EXPECT_EQ(openingFailure(path), u"No se puede abrir \"caso.endeudamiento\": "_s + reason)
            << bytes.toStdString();
    }
}

Case sample()
{
    Case c;
    c.entityName = u"Sta. Eulalia del Pardillo \"Norte\""_s;
    c.entityProvince = u"Madrid"_s;
    c.limitText = u" 120"_s;
    c.figures.revenueI = 2345678.9L;
    c.figures.plannedCapital = 1250000;
    c.plannedLoan = {1250000, 2.85L, 20, true, 3.1L};
    c.evolution.growth = -2.5L;
    c.loans = {{u"Caja \"Rural\""_s, 1234567.89L, 3.25L, 12},
               {u"BBVA"_s, 0.01L, 0, 1},
               {u"Aguas"_s, 500000, 4, 8, borrowing::LoanKind::Guaranteed, 60, 100000},
               {u"Tesorería"_s, 300000, 2, 1, borrowing::LoanKind::ShortTerm},
               {u"BEI"_s, 80000, 3, 9, borrowing::LoanKind::Own, 100, 0, u"Aguas \"Norte\""_s}};
    c.dossier = {u"Alumbrado \"LED\""_s,
                 borrowing::Purpose::Refinancing,
                 borrowing::BudgetState::Extended,
                 true,
                 9000000.5L,
                 50000,
                 28,
                 u"María López"_s,
                 u"Soria"_s};
    c.stability = {borrowing::SpendingRule::Met, -120000.25L};
    c.plan = {.years = 2, .spendingGrowth = -1.5L, .measures = {{40000, 25000}, {0, 0.01L}}};
    c.entities = {
        {u"Aguas \"Norte\""_s, borrowing::EntityKind::Market, 3000000, 0, -50000.5L, 1E5L},
        {u"Deportes"_s, borrowing::EntityKind::Administrative, 600000, 550000, 0, 0}};
    return c;
}

TEST(CaseFile, savedValuesReadBackExactlyAndSaveToTheSameBytes)
{
    const Amount values[] = {123456789012345678.0L,
                             0.123456789012345678L,
                             -987654321.123456789L,
                             -0.0L,
                             1E+20L,
                             1.45519152283669E-11L,
                             -2.5E-300L,
                             6010.12L,
                             1E4000L};
    for (const Amount value : values) {
        Case c = sample();
        for (const borrowing::FigureField& field : borrowing::FigureFields)
            c.figures.*field.amount = value;
        // A capacity given as one figure does not stand beside the figures it comes from.
        c.stability.givenCapacity = 0;
        c.plannedLoan.rate = value;
        const QByteArray saved = caseToJson(c);
        const Case opened = caseFromJson(saved);
        EXPECT_EQ(opened, c) << saved.toStdString();
        EXPECT_EQ(caseToJson(opened), saved);
        EXPECT_EQ(std::signbit(opened.plannedLoan.rate), std::signbit(value));
    }
}

// Whatever opens, held as the window holds it and saved the way it saves it, opens again equal:
// random cases at and past every bound, with registers whose totals may not fit their fields.
TEST(CaseFile, everyCaseTheWindowHoldsOpensAgainEqual)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(u"caso.endeudamiento"_s);
    std::mt19937_64 random(34);
    const auto pick = [&](std::initializer_list<Amount> values) {
        return *(values.begin() +
                 std::uniform_int_distribution<std::size_t>(0, values.size() - 1)(random));
    };
    const auto amount = [&] {
        return pick({0, 0.005L, 1.005L, 9999999999999.99L, 9999999999999.985L, 123456.785L});
    };
    int opened = 0;
    for (int i = 0; i < 3000; ++i) {
        Case c;
        c.limitText = pick({0, 1}) != 0 ? u"110"_s : u"0"_s;
        for (const borrowing::FigureField& field : borrowing::FigureFields)
            c.figures.*field.amount = amount() * pick({1, 1, 1, -1});
        c.plannedLoan = {amount(), pick({0, 5, 99.999L, 100.004L}), pick({0, 1, 99.6L, 100.4L}),
                         pick({0, 1}) != 0, pick({0, 3.5L})};
        c.evolution.growth = pick({0, -99.995L, 100.004L});
        const int loans = static_cast<int>(pick({0, 1, 3}));
        for (int n = 0; n < loans; ++n)
            c.loans.push_back({u"L"_s, pick({0, 0.01L, 9999999999999.99L, 5E12L}),
                               pick({0, 3, 100}), pick({0.5L, 1.0L / 24, 30, 100})});
        try {
            borrowing::checkCase(c);
        } catch (const borrowing::InvalidInput&) {
            continue;
        }
        ++opened;
        const Case held = borrowing::shownCase(c);
        writeCaseFile(path, held);
        EXPECT_EQ(borrowing::shownCase(readCaseFile(path)), held) << caseToJson(held).toStdString();
    }
    EXPECT_GT(opened, 100);
}

TEST(CaseFile, amountTextsFollowTheGrammar)
{
    const std::pair<const char*, Amount> valid[] = {
        {"0", 0},        {"-12", -12},         {"2345678.9", 2345678.9L}, {"1E+20", 1E20L},
        {"1e5", 1E5L},   {"1E5", 1E5L},        {"2.5E-3", 2.5E-3L},       {"007.50", 7.5L},
        {"-0.0", -0.0L}, {"6010.12", 6010.12L}};
    for (const auto& [text, value] : valid) {
        const std::optional<Amount> read = amountFromText(QString::fromLatin1(text));
        ASSERT_TRUE(read) << text;
        EXPECT_EQ(*read, value) << text;
    }
    for (const char* text : {"", "-", "+1", " 1", "1 ", "1,5", "1.234.567", "1.", ".5", "1E", "1E+",
                             "E5", "0x10", "inf", "nan", "1E99999", "1_000", "١"}) {
        EXPECT_FALSE(amountFromText(QString::fromUtf8(text))) << text;
    }
    EXPECT_EQ(amountToText(1E20L), u"1E+20");
    EXPECT_EQ(amountToText(2345678.9L), u"2345678.9");
}

TEST(CaseFile, badFilesAreRefusedWithTheReason)
{
    QTemporaryDir folder;
    const QString notACase = u"No se puede abrir \"caso.endeudamiento\": no es un caso de "
                             u"endeudamiento."_s;
    const std::pair<QByteArray, QString> files[] = {
        {"", notACase},
        {"{ \"formato\": \"endeudamiento-caso\", ", notACase},
        {"[1, 2]", notACase},
        {"{}", notACase},
        {"{\"formato\": \"otro\", \"version\": 1}", notACase},
        {"{\"formato\": \"endeudamiento-caso\", \"version\": 0}", notACase},
        {"{\"formato\": \"endeudamiento-caso\", \"version\": 2}",
         u"No se puede abrir \"caso.endeudamiento\": lo creó una versión posterior del "
         u"programa."_s},
        {"{\"formato\": \"endeudamiento-caso\", \"importes\": {\"ICAP3\": \"1.234,5\"}}",
         u"No se puede abrir \"caso.endeudamiento\": el importe de ICAP3 no es válido."_s},
        {"{\"formato\": \"endeudamiento-caso\", \"importes\": {\"ICAP3\": 12}}",
         u"No se puede abrir \"caso.endeudamiento\": el importe de ICAP3 no es válido."_s},
        {"{\"formato\": \"endeudamiento-caso\", \"calculadora\": {\"anios\": \"1E99999\"}}",
         u"No se puede abrir \"caso.endeudamiento\": el importe de anios no es válido."_s},
        {"{\"formato\": \"endeudamiento-caso\", \"limite\": \"110,5\"}",
         u"No se puede abrir \"caso.endeudamiento\": el límite de endeudamiento no es "
         u"válido."_s},
        {"{\"formato\": \"endeudamiento-caso\", \"prestamos_vigentes\": [{}, {\"capital\": 5}]}",
         u"No se puede abrir \"caso.endeudamiento\": el importe de capital del préstamo vigente 2 "
         u"no es válido."_s},
        {"{\"formato\": \"endeudamiento-caso\", \"limite\": 110}",
         u"No se puede abrir \"caso.endeudamiento\": el límite de endeudamiento no es "
         u"válido."_s},
        // Figures a field would not take.
        {"{\"formato\": \"endeudamiento-caso\", \"importes\": {\"GCAP4\": \"-1E13\"}}",
         u"No se puede abrir \"caso.endeudamiento\": el importe de GCAP4 pasa de 13 cifras "
         u"enteras."_s},
        {"{\"formato\": \"endeudamiento-caso\", \"evolucion\": {\"crecimiento\": \"101\"}}",
         u"No se puede abrir \"caso.endeudamiento\": el importe de crecimiento de la evolución "
         u"debe estar entre -100 y 100."_s},
        {"{\"formato\": \"endeudamiento-caso\", \"calculadora\": {\"Interes\": \"-1\"}}",
         u"No se puede abrir \"caso.endeudamiento\": el importe de Interes de la calculadora "
         u"debe estar entre 0 y 100."_s},
        {"{\"formato\": \"endeudamiento-caso\", \"prestamos_vigentes\": [{\"capital\": "
         "\"-0.01\", \"anios\": \"1\"}]}",
         u"No se puede abrir \"caso.endeudamiento\": el importe de capital del préstamo vigente "
         u"1 no puede ser negativo."_s},
        {"{\"formato\": \"endeudamiento-caso\", \"prestamos_vigentes\": [{\"anios\": "
         "\"0.01\"}]}",
         u"No se puede abrir \"caso.endeudamiento\": el importe de anios del préstamo vigente "
         u"1 debe ser mayor que 0 y no mayor que 100."_s},
        // How a loan counts.
        {"{\"formato\": \"endeudamiento-caso\", \"prestamos_vigentes\": [{\"anios\": \"1\", "
         "\"tipo\": \"avalado\", \"aval\": \"150\"}]}",
         u"No se puede abrir \"caso.endeudamiento\": Préstamo 1: el aval (%) debe ser mayor que 0 "
         u"y no mayor que 100."_s},
        {"{\"formato\": \"endeudamiento-caso\", \"prestamos_vigentes\": [{\"anios\": \"1\", "
         "\"tipo\": \"hipotecario\"}]}",
         u"No se puede abrir \"caso.endeudamiento\": Préstamo 1: el tipo no es propio, avalado ni "
         u"corto."_s},
        {"{\"formato\": \"endeudamiento-caso\", \"prestamos_vigentes\": [{\"capital\": \"10\", "
         "\"anios\": \"1\", \"hipoteca\": \"10.01\"}]}",
         u"No se puede abrir \"caso.endeudamiento\": Préstamo 1: la garantía hipotecaria no puede "
         u"pasar del capital pendiente."_s},
        {"{\"formato\": \"endeudamiento-caso\", \"prestamos_vigentes\": [{\"capital\": \"10\", "
         "\"anios\": \"1\", \"tipo\": \"corto\", \"hipoteca\": \"1\"}]}",
         u"No se puede abrir \"caso.endeudamiento\": Préstamo 1: una operación a corto plazo no "
         u"lleva garantía hipotecaria."_s},
        // The group: a figure its kind needs, a kind, a name once.
        {"{\"formato\": \"endeudamiento-caso\", \"entidades_dependientes\": [{\"nombre\": \"A\", "
         "\"tipo\": \"administrativa\", \"ingresos\": \"1\", \"transferencias\": \"0\"}]}",
         u"No se puede abrir \"caso.endeudamiento\": la entidad dependiente \"A\": falta "
         u"gastos."_s},
        {"{\"formato\": \"endeudamiento-caso\", \"entidades_dependientes\": [{\"nombre\": \"A\", "
         "\"tipo\": \"empresa\"}]}",
         u"No se puede abrir \"caso.endeudamiento\": la entidad dependiente \"A\": el tipo no es "
         u"administrativa ni mercado."_s},
        {"{\"formato\": \"endeudamiento-caso\", \"entidades_dependientes\": [{\"nombre\": \"A\", "
         "\"tipo\": \"mercado\", \"ingresos\": \"1\", \"resultado\": \"-1\", \"transferencias\": "
         "\"0\"}, {\"nombre\": \"A\", \"tipo\": \"mercado\", \"ingresos\": \"1\", \"resultado\": "
         "\"0\", \"transferencias\": \"0\"}]}",
         u"No se puede abrir \"caso.endeudamiento\": la entidad dependiente \"A\" está "
         u"repetida."_s},
        // What the Intervención's report states.
        {"{\"formato\": \"endeudamiento-caso\", \"expediente\": {\"finalidad\": \"obras\"}}",
         u"No se puede abrir \"caso.endeudamiento\": el expediente: finalidad no es inversiones ni "
         u"sustitucion."_s},
        {"{\"formato\": \"endeudamiento-caso\", \"expediente\": {\"recursos\": \"-1\"}}",
         u"No se puede abrir \"caso.endeudamiento\": el importe de recursos del expediente no "
         u"puede ser negativo."_s},
        // An adjustment only adds to or takes from what it adjusts.
        {"{\"formato\": \"endeudamiento-caso\", \"importes\": {\"AJAVALES\": \"-0.01\"}}",
         u"No se puede abrir \"caso.endeudamiento\": el importe de AJAVALES no puede ser "
         u"negativo."_s},
        // The register's totals stand in the existing debt's fields.
        {"{\"formato\": \"endeudamiento-caso\", \"prestamos_vigentes\": [{\"capital\": "
         "\"9999999999999.99\", \"anios\": \"10\"}, {\"capital\": \"0.01\", \"anios\": \"10\"}]}",
         u"No se puede abrir \"caso.endeudamiento\": el importe de CVPEX (total del registro de "
         u"préstamos vigentes) pasa de 13 cifras enteras."_s},
        // The indicators of the largest figures still fit their fields.
        {"{\"formato\": \"endeudamiento-caso\", \"limite\": \"2147483647\", \"importes\": "
         "{\"ICAP1\": \"9999999999999.99\", \"ICAP2\": \"9999999999999.99\", \"APVTOTAL\": "
         "\"-9999999999999.99\"}}",
         QString()},
    };
    const QString path = folder.filePath(u"caso.endeudamiento"_s);
    for (const auto& [bytes, message] : files) {
        writeAll(path, bytes);
        EXPECT_EQ(openingFailure(path), message) << bytes.toStdString();
    }
}

// A value of another shape than its field's is refused naming the field, and the loan or the
// entity it belongs to.
TEST(CaseFile, aValueOfTheWrongShapeNamesItsField)
{
    const auto inCase = [](const char* members) {
        return QByteArray("{\"formato\": \"endeudamiento-caso\", ") + members + "}";
    };
    const std::pair<QByteArray, QString> files[] = {
        {inCase("\"version\": \"1\""), u"version no es un número."_s},
        {inCase("\"entidad\": \"Villa\""), u"entidad no es un objeto."_s},
        {inCase("\"entidad\": {\"nombre\": 3}"), u"la entidad: nombre no es un texto."_s},
        {inCase("\"calculadora\": {\"aceptada\": 1}"),
         u"la calculadora: aceptada no es true ni false."_s},
        {inCase("\"prestamos_vigentes\": {}"), u"prestamos_vigentes no es una lista."_s},
        {inCase("\"prestamos_vigentes\": [{}, 7]"), u"Préstamo 2 no es un objeto."_s},
        {inCase("\"prestamos_vigentes\": [{\"anios\": \"1\", \"tipo\": 1}]"),
         u"Préstamo 1: el tipo no es propio, avalado ni corto."_s},
        {inCase("\"prestamos_vigentes\": [{\"anios\": \"1\", \"titular\": null}]"),
         u"Préstamo 1: titular no es un texto."_s},
        {inCase("\"entidades_dependientes\": {\"nombre\": \"Aguas\"}"),
         u"entidades_dependientes no es una lista."_s},
        {inCase("\"entidades_dependientes\": [{\"nombre\": 5, \"tipo\": \"mercado\"}]"),
         u"la entidad dependiente 1: nombre no es un texto."_s},
        {inCase("\"expediente\": []"), u"expediente no es un objeto."_s},
        {inCase("\"expediente\": {\"prevista\": \"sí\"}"),
         u"el expediente: prevista no es true ni false."_s},
        {inCase("\"expediente\": {\"interventor\": 12}"),
         u"el expediente: interventor no es un texto."_s},
        {inCase("\"expediente\": {\"finalidad\": \"otra\"}"),
         u"el expediente: finalidad no es inversiones ni sustitucion."_s},
        {inCase("\"entidad\": {\"nombre\": \"Villa \xff\"}"), u"no está en UTF-8."_s},
    };
    expectRefusedFiles(files);
}

TEST(CaseFile, whatIsNotAReadableFileIsRefusedWithWhatItIs)
{
    QTemporaryDir folder;
    const QDir dir(folder.path());
    const QString fifo = dir.filePath(u"tuberia.endeudamiento"_s);
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString device = dir.filePath(u"nulo.endeudamiento"_s);
    ASSERT_TRUE(QFile::link(u"/dev/null"_s, device));
    const QString huge = dir.filePath(u"enorme.endeudamiento"_s);
    QFile hugeFile(huge);
    ASSERT_TRUE(hugeFile.open(QIODevice::WriteOnly) && hugeFile.resize((qint64{1} << 30) + 1));
    hugeFile.close();
    const QString locked = dir.filePath(u"cerrado.endeudamiento"_s);
    writeAll(locked, caseToJson(sample()));
    QFile::setPermissions(locked, QFile::WriteOwner);

    const std::pair<QString, QString> files[] = {
        {dir.filePath(u"falta.endeudamiento"_s),
         u"No se puede abrir \"falta.endeudamiento\": el archivo no existe."_s},
        {dir.filePath(u"otra/falta.endeudamiento"_s),
         u"No se puede abrir \"falta.endeudamiento\": el archivo no existe."_s},
        {folder.path(), u"No se puede abrir \"%1\": es una carpeta, no un archivo."_s.arg(
                            QFileInfo(folder.path()).fileName())},
        {fifo, u"No se puede abrir \"tuberia.endeudamiento\": no es un archivo normal."_s},
        {device, u"No se puede abrir \"nulo.endeudamiento\": no es un archivo normal."_s},
        {huge,
         u"No se puede abrir \"enorme.endeudamiento\": el archivo es demasiado grande (1025 MB)."_s},
        // Root reads whatever the permissions say.
        {locked, geteuid() == 0 ? QString()
                                : u"No se puede abrir \"cerrado.endeudamiento\": no se puede "
                                  u"leer (permiso denegado)."_s},
    };
    for (const auto& [path, message] : files)
        EXPECT_EQ(openingFailure(path), message) << path.toStdString();
}

// A loan's kind reads as the register's import reads it: any case, either word of a kind.
TEST(CaseFile, aLoansKindReadsAsTheImportReadsIt)
{
    const std::pair<const char*, std::optional<borrowing::LoanKind>> words[] = {
        {"Propio", borrowing::LoanKind::Own},
        {"avalado a terceros", borrowing::LoanKind::Guaranteed},
        {" CORTO plazo ", borrowing::LoanKind::ShortTerm},
        {"corto-plazo", std::nullopt},
    };
    for (const auto& [word, kind] : words) {
        const QByteArray json = QByteArray("{\"formato\": \"endeudamiento-caso\", "
                                           "\"prestamos_vigentes\": [{\"anios\": \"1\", "
                                           "\"tipo\": \"") +
                                word + "\"}]}";
        try {
            EXPECT_EQ(caseFromJson(json).loans.at(0).kind, kind) << word;
        } catch (const borrowing::Refused& e) {
            EXPECT_FALSE(kind) << word;
            EXPECT_EQ(reports::refusalText(e.refusal()),
                      u"Préstamo 1: el tipo no es propio, avalado ni corto."_s);
        }
    }
}

// Stability's figures and the expenditure rule are written once given, so that older cases save
// as they did; an older case's true and false, and its typed capacity, still read.
TEST(CaseFile, stabilityIsWrittenOnceGivenAndOlderCasesStillRead)
{
    const QByteArray plain = caseToJson(Case{});
    for (const char* key : {"ICAP6", "RTGG", "expediente", "reglagasto"})
        EXPECT_FALSE(plain.contains(key)) << key;

    Case c;
    c.figures.revenueVI = 1200.5L;
    c.figures.cashSurplus = -300;
    c.stability.rule = borrowing::SpendingRule::Broken;
    const QByteArray saved = caseToJson(c);
    EXPECT_TRUE(saved.contains("\"ICAP6\": \"1200.5\""));
    EXPECT_TRUE(saved.contains("\"RTGG\": \"-300\""));
    EXPECT_TRUE(saved.contains("\"reglagasto\": \"incumple\""));
    EXPECT_EQ(caseFromJson(saved), c);

    struct Row
    {
        const char* dossier;
        const char* figures;
        borrowing::SpendingRule rule;
        Amount capacity;
    };
    const Row rows[] = {
        {"\"reglagasto\": true, \"estabilidad\": \"-1500\"", "", borrowing::SpendingRule::Met,
         -1500},
        {"\"reglagasto\": false", "", borrowing::SpendingRule::Broken, 0},
        {"\"reglagasto\": \"cumple\"", "", borrowing::SpendingRule::Met, 0},
        // The settlement's own figures take the place of a typed capacity.
        {"\"estabilidad\": \"-1500\"", "\"GCAP7\": \"10\"", borrowing::SpendingRule::NoData, 0},
    };
    for (const Row& row : rows) {
        const Case read = caseFromJson(QByteArray("{\"formato\": \"endeudamiento-caso\", "
                                                  "\"importes\": {") +
                                       row.figures + "}, \"expediente\": {" + row.dossier + "}}");
        EXPECT_EQ(read.stability.rule, row.rule) << row.dossier;
        EXPECT_EQ(read.stability.givenCapacity, row.capacity) << row.dossier;
    }
}

// The recovery plan is written once it is not the new case's, with a year of measures for each
// of its years; out of its bounds it is refused naming the key.
TEST(CaseFile, theRecoveryPlanIsWrittenOnceGivenAndRefusedOutOfBounds)
{
    Case c;
    EXPECT_FALSE(caseToJson(c).contains("plan_saneamiento"));
    c.plan.measures = {{0, 0}};
    EXPECT_FALSE(caseToJson(c).contains("plan_saneamiento"));
    c.plan = {.years = 2, .spendingGrowth = 2, .measures = {{40000, 25000}}};
    const QByteArray saved = caseToJson(c);
    EXPECT_TRUE(saved.contains(
        "\"plan_saneamiento\": { \"anios\": \"2\", \"crecimiento_gastos\": \"2\", \"medidas\": "
        "[{ \"ingresos\": \"40000\", \"gastos\": \"25000\" }, { \"ingresos\": \"0\", \"gastos\": "
        "\"0\" }] }"))
        << saved.toStdString();
    EXPECT_EQ(caseFromJson(saved), c);

    const auto withPlan = [](const char* plan) {
        return QByteArray("{\"formato\": \"endeudamiento-caso\", \"plan_saneamiento\": ") + plan +
               "}";
    };
    const std::pair<QByteArray, QString> files[] = {
        {withPlan("{\"anios\": \"4\"}"),
         u"el importe de anios del plan de saneamiento debe estar entre 1 y 3."_s},
        {withPlan("{\"anios\": \"0\"}"),
         u"el importe de anios del plan de saneamiento debe estar entre 1 y 3."_s},
        {withPlan("{\"anios\": \"2.5\"}"),
         u"el importe de anios del plan de saneamiento debe ser un número entero entre 1 y 3."_s},
        {withPlan("{\"crecimiento_gastos\": \"-101\"}"),
         u"el importe de crecimiento_gastos del plan de saneamiento debe estar entre -100 y "
         u"100."_s},
        {withPlan("{\"medidas\": [{\"ingresos\": \"1\"}, {\"gastos\": \"-0.01\"}]}"),
         u"el importe de gastos del año 2 del plan de saneamiento no puede ser negativo."_s},
        {withPlan("{\"medidas\": [{\"ingresos\": \"x\"}]}"),
         u"el importe de ingresos del año 1 del plan de saneamiento no es válido."_s},
        {withPlan("{\"anios\": \"1\", \"medidas\": [{}, {\"ingresos\": \"5\"}]}"),
         u"el plan de saneamiento: medidas tiene 2 años y el plan 1."_s},
        {withPlan("{\"medidas\": {}}"), u"el plan de saneamiento: medidas no es una lista."_s},
        {withPlan("{\"medidas\": [3]}"),
         u"el plan de saneamiento: el año 1 de medidas no es un objeto."_s},
        {withPlan("[]"), u"plan_saneamiento no es un objeto."_s},
    };
    expectRefusedFiles(files);
}

TEST(CaseFile, theRegisterIsWrittenOnlyWhenItHoldsLoans)
{
    Case c = sample();
    const QByteArray json = caseToJson(c);
    EXPECT_TRUE(json.contains("\"prestamos_vigentes\": [\n    { \"entidad\": \"Caja"));
    // How a loan counts is written only where it is not an own loan's, as older cases hold it.
    EXPECT_TRUE(json.contains("\"anios\": \"12\" },"));
    EXPECT_TRUE(json.contains("\"anios\": \"8\", \"tipo\": \"avalado\", \"aval\": \"60\", "
                              "\"hipoteca\": \"1E+05\" }"));
    EXPECT_TRUE(json.contains("\"anios\": \"1\", \"tipo\": \"corto\" }"));
    c.loans.clear();
    const QByteArray withoutLoans = caseToJson(c);
    EXPECT_FALSE(withoutLoans.contains("prestamos_vigentes"));
    EXPECT_TRUE(caseFromJson(withoutLoans).loans.empty());
    EXPECT_EQ(caseToJson(caseFromJson(withoutLoans)), withoutLoans);
}

TEST(CaseFile, aHandWrittenCaseOpens)
{
    const Case c = caseFromJson(R"({
        "calculadora": {"anios": "20", "Interes": "2.85", "futuro": [1, 2]},
        "importes": {"ICAP2": "123456.78", "OTRO": "x", "GCAP1": "-5E+2"},
        "comentario": {"de": "otra versión"},
        "version": 1,
        "entidad": {"provincia": "Madrid"},
        "formato": "endeudamiento-caso"
    })");
    EXPECT_EQ(c.entityName, QString());
    EXPECT_EQ(c.entityProvince, u"Madrid");
    EXPECT_EQ(c.limitText, QString());
    EXPECT_EQ(c.figures.revenueII, 123456.78L);
    EXPECT_EQ(c.figures.expenditureI, -500);
    EXPECT_EQ(c.figures.revenueI, 0);
    EXPECT_EQ(c.plannedLoan, (borrowing::PlannedLoan{0, 2.85L, 20, false}));
}

TEST(CaseFile, aFailedSaveLeavesTheEarlierFileAsItWas)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(u"caso.endeudamiento"_s);
    writeCaseFile(path, sample());
    const QByteArray earlier = readAll(path);

    // A file-size limit below the case's size makes the write fail, even for root.
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = previous;
    small.rlim_cur = 64;
    setrlimit(RLIMIT_FSIZE, &small);
    Case changed = sample();
    changed.entityName = u"Otra"_s;
    try {
        writeCaseFile(path, changed);
        ADD_FAILURE() << "the save did not fail";
    } catch (const userfile::FileError& e) {
        EXPECT_EQ(QString::fromUtf8(e.what()), u"el archivo es demasiado grande."_s);
    }
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(readAll(path), earlier);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(CaseFile, aSaveKeepsThePermissionsAndNamesWhyItFails)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(u"caso.endeudamiento"_s);
    writeCaseFile(path, sample());
    const auto mode = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    QFile::setPermissions(path, mode);
    writeCaseFile(path, sample());
    // The owner's bits as the file has them, not the user's as they apply.
    EXPECT_EQ(QFile::permissions(path) & 0x7077, mode);

    // A case replaced by a folder, and a folder replaced by a file.
    const QDir dir(folder.path());
    ASSERT_TRUE(dir.mkdir(u"carpeta.endeudamiento"_s));
    writeAll(dir.filePath(u"archivo"_s), "x");
    const std::pair<QString, QString> failures[] = {
        {u"ya no/caso.endeudamiento"_s, u"la carpeta no existe."_s},
        {u"carpeta.endeudamiento"_s, u"es una carpeta."_s},
        {u"archivo/caso.endeudamiento"_s, u"una parte de la ruta no es una carpeta."_s},
    };
    for (const auto& [name, reason] : failures) {
        try {
            writeCaseFile(dir.filePath(name), sample());
            ADD_FAILURE() << "saved " << name.toStdString();
        } catch (const userfile::FileError& e) {
            EXPECT_EQ(QString::fromUtf8(e.what()), reason);
        }
    }
}

// Whatever the program writes it reads back: a register far beyond the 16 MB files once read.
TEST(CaseFile, aLargeRegisterReadsBack)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(u"grande.endeudamiento"_s);
    Case c = sample();
    c.loans.assign(200'000, {u"Caja Rural de Zamora, S.C.C."_s, 1234567.89L, 3.25L, 12});
    writeCaseFile(path, c);
    EXPECT_GT(QFileInfo(path).size(), 16 << 20);
    EXPECT_EQ(readCaseFile(path), c);
}

} // namespace
