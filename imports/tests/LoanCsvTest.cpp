// Loans read from CSV files that accounting programs export.
#include "LoanCsv.h"

#include "QStringPrinter.h"
#include "Refusals.h"

#include <gtest/gtest.h>

using namespace borrowing;
using namespace imports;
using namespace Qt::StringLiterals;

namespace {

std::vector<Loan> read(const QByteArray& csv)
{
    return readLoansCsv(csv);
}

TEST(LoanCsv, readsBothSeparatorsEncodingsAndQuotes)
{
    const std::vector<Loan> expected{{u"Caja Rural, S.C.C."_s, 1234567.89L, 3.25L, 12},
                                     {u"Banco \"Núñez\""_s, 500000, 0, 3}};
    const QByteArray spanish = "Anios;ENTIDAD;capital;Interes;notas\r\n"
                               "12;\"Caja Rural, S.C.C.\";1.234.567,89;3,25;x\r\n"
                               "\r\n"
                               "3;\"Banco \"\"N\xc3\xba\xc3\xb1"
                               "ez\"\"\";500000;0;\"dos\nl\xc3\xadneas\"\r\n";
    EXPECT_EQ(read(spanish), expected);
    QByteArray windows1252 = spanish;
    windows1252.replace("\xc3\xba", "\xfa").replace("\xc3\xb1", "\xf1").replace("\xc3\xad", "\xed");
    EXPECT_EQ(read(windows1252), expected);
    const QByteArray plain = "\xef\xbb\xbf"
                             "entidad,capital,interes,anios\n"
                             "\"Caja Rural, S.C.C.\",1234567.89,3.25,12\n"
                             "\"Banco \"\"N\xc3\xba\xc3\xb1"
                             "ez\"\"\",500000,0,3";
    EXPECT_EQ(read(plain), expected);
    EXPECT_EQ(read("entidad;capital;interes;anios\n"), std::vector<Loan>{});
    // Figures are rounded as the register shows them, a term to the hundredth of a year.
    EXPECT_EQ(read("entidad,capital,interes,anios\nX,10.005,2.999,9.505\n"),
              (std::vector<Loan>{{u"X"_s, 10.01L, 3, 9.51L}}));
}

TEST(LoanCsv, readsTheKindTheShareAndTheMortgage)
{
    const auto loan = [](LoanKind kind, Amount share, Amount mortgaged) {
        return Loan{u"A"_s, 1000, 2, 3, kind, share, mortgaged};
    };
    const std::pair<QByteArray, std::vector<Loan>> files[] = {
        {"entidad;capital;interes;anios;Tipo;AVAL;Hipoteca\n"
         "A;1.000;2;3;propio;;250,5\n"
         "A;1.000;2;3;Avalado a terceros;33,333;\n"
         "A;1.000;2;3;AVALADO;;1.000\n"
         "A;1.000;2;3; Corto Plazo ;;0\n"
         "A;1.000;2;3;corto;;\n"
         "A;1.000;2;3;;;\n",
         {loan(LoanKind::Own, 100, 250.5L), loan(LoanKind::Guaranteed, 33.33L, 0),
          loan(LoanKind::Guaranteed, 100, 1000), loan(LoanKind::ShortTerm, 100, 0),
          loan(LoanKind::ShortTerm, 100, 0), loan(LoanKind::Own, 100, 0)}},
        // A share means nothing but for a guaranteed loan; a mortgage is checked once rounded.
        {"hipoteca,aval,tipo,entidad,capital,interes,anios\n"
         "1000.004,0,propio,A,1000,2,3\n"
         "0.5,50,avalado,A,1000,2,3\n",
         {loan(LoanKind::Own, 100, 1000), loan(LoanKind::Guaranteed, 50, 0.5L)}},
        {"entidad,capital,interes,anios,tipo\nA,1000,2,3,corto\n",
         {loan(LoanKind::ShortTerm, 100, 0)}},
        {"entidad,capital,interes,anios\nA,1000,2,3\n", {loan(LoanKind::Own, 100, 0)}},
    };
    for (const auto& [csv, loans] : files)
        EXPECT_EQ(read(csv), loans) << csv.toStdString();
}

TEST(LoanCsv, aBadLineIsRefusedWhole)
{
    const std::pair<QByteArray, QString> files[] = {
        {"", u"Línea 1: falta la cabecera con las columnas entidad, capital, interes y anios."_s},
        {"entidad;capital;interes\nA;1;2\n", u"Línea 1: falta la columna \"anios\"."_s},
        {"entidad;capital;interes;anios\nA;1;2;3\nB;1.234,5;2\n",
         u"Línea 3: tiene 3 campos y la cabecera 4."_s},
        {"entidad;capital;interes;anios\nA;1;2;3\nB;1234.5;2;3\n",
         u"Línea 3: \"1234.5\" no es un número válido en la columna capital."_s},
        {"entidad;capital;interes;anios\nB;12.34,5;2;3\n",
         u"Línea 2: \"12.34,5\" no es un número válido en la columna capital."_s},
        {"entidad,capital,interes,anios\nB,\"1,5\",2,3\n",
         u"Línea 2: \"1,5\" no es un número válido en la columna capital."_s},
        {"entidad,capital,interes,anios\nB,1,,3\n",
         u"Línea 2: \"\" no es un número válido en la columna interes."_s},
        {"entidad,capital,interes,anios\n\"B,1,2,3\n", u"Línea 2: unas comillas no se cierran."_s},
        {"entidad;capital;interes;anios\nA;-1;2;3\n",
         u"Línea 2: en la columna capital, -1 no puede ser negativo."_s},
        {"entidad;capital;interes;anios\nA;1;100,01;3\n",
         u"Línea 2: en la columna interes, 100,01 debe estar entre 0 y 100."_s},
        {"entidad;capital;interes;anios\nA;1;2;1.000.000\n",
         u"Línea 2: en la columna anios, 1.000.000 debe ser mayor que 0 y no mayor que 100."_s},
        // A term counts in whole months: 0,02 of a year is less than half of one.
        {"entidad,capital,interes,anios\nA,1,2,0.02\n",
         u"Línea 2: en la columna anios, 0.02 debe ser mayor que 0 y no mayor que 100."_s},
        {"entidad,capital,interes,anios\nA,10000000000000,2,3\n",
         u"Línea 2: en la columna capital, 10000000000000 pasa de 13 cifras enteras."_s},
        {"entidad;capital;interes;anios;tipo\nA;1;2;3;x\n",
         u"Línea 2: en la columna tipo, \"x\" no es propio, avalado ni corto."_s},
        {"entidad;capital;interes;anios;tipo;aval\nA;1;2;3;avalado;0\n",
         u"Línea 2: en la columna aval, 0 debe ser mayor que 0 y no mayor que 100."_s},
        {"entidad;capital;interes;anios;tipo;aval\nA;1;2;3;avalado;100,01\n",
         u"Línea 2: en la columna aval, 100,01 debe ser mayor que 0 y no mayor que 100."_s},
        {"entidad;capital;interes;anios;tipo;aval\nA;1;2;3;avalado;50%\n",
         u"Línea 2: \"50%\" no es un número válido en la columna aval."_s},
        {"entidad;capital;interes;anios;hipoteca\nA;1;2;3;1.5\n",
         u"Línea 2: \"1.5\" no es un número válido en la columna hipoteca."_s},
        {"entidad;capital;interes;anios;hipoteca\nA;1;2;3;-0,01\n",
         u"Línea 2: la garantía hipotecaria no puede ser negativa."_s},
        {"entidad;capital;interes;anios;hipoteca\nA;1.000;2;3;1.000,01\n",
         u"Línea 2: la garantía hipotecaria no puede pasar del capital pendiente."_s},
        {"entidad;capital;interes;anios;tipo;hipoteca\nA;1.000;2;3;corto plazo;1\n",
         u"Línea 2: una operación a corto plazo no lleva garantía hipotecaria."_s},
    };
    for (const auto& [csv, message] : files) {
        try {
            read(csv);
            ADD_FAILURE() << "read: " << csv.toStdString();
        } catch (const borrowing::Refused& e) {
            EXPECT_EQ(reports::refusalText(e.refusal()), message) << csv.toStdString();
        }
    }
}

TEST(LoanCsv, aLongReadingReportsItsProgressAndCanBeStopped)
{
    QByteArray csv = "entidad,capital,interes,anios\n";
    for (int i = 0; i < 10000; ++i)
        csv += "Caja,1000,2,3\n";
    std::vector<qint64> reports;
    const auto loans = readLoansCsv(csv, [&](qint64 done, qint64 total) {
        EXPECT_EQ(total, csv.size());
        reports.push_back(done);
        return true;
    });
    EXPECT_EQ(loans.size(), 10000u);
    ASSERT_EQ(reports.size(), 2u); // every 4096 records
    EXPECT_LT(reports[0], reports[1]);
    EXPECT_THROW(readLoansCsv(csv, [](qint64, qint64) { return false; }), ReadingCancelled);
}

} // namespace
