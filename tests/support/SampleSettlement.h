// A council's settlement at every level of the economic classification, as the Ministry's
// tables (written by mdb-export) and as a Spanish accounting export, with its chapters worked
// out by hand; and a stand-in for mdb-export.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <algorithm>
#include <array>
#include <initializer_list>

namespace testsupport {

// Where a row stands: a chapter, a level between, or the most detailed level given.
enum class Level
{
    Chapter,
    Between,
    Detail
};

struct SampleRow
{
    const char* side;
    const char* code;
    const char* recognised;
    const char* yearCollected;
    const char* closedCollected;
    Level level;
};

// Consistent at every level: each row sums those below it.
inline constexpr SampleRow SampleRows[] = {
    {"I", "1", "1000", "850", "30.25", Level::Chapter},
    {"I", "11", "600", "500", "20.25", Level::Between},
    {"I", "113", "600", "500", "20.25", Level::Between},
    {"I", "113.00", "450.25", "400", "20.25", Level::Detail},
    {"I", "113.01", "149.75", "100", "0", Level::Detail},
    {"I", "13", "400", "350", "10", Level::Between},
    {"I", "130", "400", "350", "10", Level::Between},
    {"I", "130.00", "400", "350", "10", Level::Detail},
    {"I", "2", "250.5", "200.5", "", Level::Chapter},
    {"I", "29", "250.5", "200.5", "", Level::Between},
    {"I", "290", "250.5", "200.5", "", Level::Detail},
    {"I", "3", "333.33", "280", "5", Level::Chapter},
    {"I", "31", "333.33", "280", "5", Level::Between},
    {"I", "311", "300", "250", "5", Level::Detail},
    {"I", "312", "33.33", "30", "0", Level::Detail},
    {"I", "4", "5000", "5000", "0", Level::Chapter},
    {"I", "42", "5000", "5000", "0", Level::Between},
    {"I", "420", "5000", "5000", "0", Level::Between},
    {"I", "420.00", "5000", "5000", "0", Level::Detail},
    {"I", "5", "12.34", "12.34", "0", Level::Chapter},
    {"I", "52", "12.34", "12.34", "0", Level::Between},
    {"I", "520", "12.34", "12.34", "0", Level::Detail},
    {"I", "6", "700", "0", "0", Level::Chapter},
    {"I", "60", "700", "0", "0", Level::Between},
    {"I", "600", "700", "0", "0", Level::Detail},
    {"I", "7", "800.8", "800.8", "0", Level::Chapter},
    {"I", "75", "800.8", "800.8", "0", Level::Between},
    {"I", "750", "800.8", "800.8", "0", Level::Between},
    {"I", "750.80", "800.8", "800.8", "0", Level::Detail},
    {"I", "9", "90000", "90000", "0", Level::Chapter},
    {"I", "91", "90000", "90000", "0", Level::Between},
    {"I", "913", "90000", "90000", "0", Level::Detail},
    {"G", "1", "1200", "1100", "", Level::Chapter},
    {"G", "12", "700", "700", "", Level::Between},
    {"G", "120", "700", "700", "", Level::Between},
    {"G", "120.00", "700", "700", "", Level::Detail},
    {"G", "13", "500", "400", "", Level::Between},
    {"G", "130", "500", "400", "", Level::Detail},
    {"G", "2", "300.3", "300.3", "", Level::Chapter},
    {"G", "22", "300.3", "300.3", "", Level::Between},
    {"G", "221", "300.3", "300.3", "", Level::Detail},
    {"G", "3", "45.67", "45.67", "", Level::Chapter},
    {"G", "31", "45.67", "45.67", "", Level::Between},
    {"G", "310", "45.67", "45.67", "", Level::Detail},
    {"G", "4", "880", "880", "", Level::Chapter},
    {"G", "48", "880", "880", "", Level::Between},
    {"G", "480", "880", "880", "", Level::Detail},
    {"G", "5", "55", "55", "", Level::Chapter},
    {"G", "50", "55", "55", "", Level::Between},
    {"G", "500", "55", "55", "", Level::Detail},
    {"G", "6", "6000", "6000", "", Level::Chapter},
    {"G", "61", "6000", "6000", "", Level::Between},
    {"G", "619", "6000", "6000", "", Level::Detail},
    {"G", "7", "77", "77", "", Level::Chapter},
    {"G", "76", "77", "77", "", Level::Between},
    {"G", "761", "77", "77", "", Level::Detail},
    {"G", "9", "1500", "1500", "", Level::Chapter},
    {"G", "91", "1500", "1500", "", Level::Between},
    {"G", "913", "1500", "1500", "", Level::Detail},
};

// The sample's chapters 1 to 9, and the collections of revenue chapters 1 to 3: 880.25 + 200.5
// + 285.
inline constexpr std::array<long double, 9> SampleRevenue{1000, 250.5L, 333.33L, 5000, 12.34L,
                                                          700,  800.8L, 0,       90000};
inline constexpr std::array<long double, 9> SampleExpenditure{1200, 300.3L, 45.67L, 880, 55,
                                                              6000, 77,     0,      1500};
inline constexpr long double SampleCollections = 1365.75L;

// The sample as mdb-export writes tb_economica: "," between fields, text quoted, numbers with
// a decimal point, an empty field for a null; the codes of chapters padded with spaces, as a
// fixed-width text column holds them. `idente` is the sample's entity, with entity 200's rows
// before and after it; only the rows at `levels` are written.
inline QByteArray mdbEconomicTable(const QByteArray& idente = "100",
                                   std::initializer_list<Level> levels = {
                                       Level::Chapter, Level::Between, Level::Detail})
{
    QByteArray table = "id,idente,tipreig,cdcta,importer,imported,importel,importec\n"
                       "1,200,\"I\",\"1     \",999,0,0,0\n"
                       "2,200,\"I\",\"11\",1.2345e+03,0,1000,0\n"
                       "3,200,\"I\",\"12\",10,0,5,\n";
    int id = 4;
    for (const SampleRow& row : SampleRows) {
        if (std::find(levels.begin(), levels.end(), row.level) == levels.end())
            continue;
        const QByteArray code = row.level == Level::Chapter ? QByteArray(row.code).leftJustified(6)
                                                            : QByteArray(row.code);
        table += QByteArray::number(id++) + ',' + idente + ",\"" + row.side + "\",\"" + code +
                 "\"," + row.recognised + ",0," + row.yearCollected + ',' + row.closedCollected +
                 '\n';
    }
    table += QByteArray::number(id) + ",200,\"G\",\"1\",300,0,300,0\n";
    return table;
}

// Entity 200's figures in mdbEconomicTable(): revenue chapter 1 of 1234.5 + 10 (the chapter's
// own row counts not), expenditure chapter 1 of 300, collections of 1000 + 5.
inline constexpr long double OtherRevenueI = 1244.5L;
inline constexpr long double OtherExpenditureI = 300;
inline constexpr long double OtherCollections = 1005;

// tb_inventario as mdb-export writes it, in UTF-8: the sample's entity 100, entity 200, a
// province's council, and one without rows in the economic table.
inline const QByteArray MdbInventoryTable =
    "idente,codbdgel,nombreente,poblacion,tipoente\n"
    "200,\"07-42-020-AA-000\",\"Almazán\",5545,\"AY\"\n"
    "100,\"42-009-AA-000\",\"Ágreda\",2931,\"AY\"\n"
    "300,\"42-000-DD-000\",\"Diputación Provincial de Soria\",88600,\"DI\"\n"
    "400,\"42-139-AA-000\",\"Ólvega\",3795,\"AY\"\n";

// The sample as a Spanish accounting program exports it, in UTF-8: ";" between fields, decimal
// comma and "." grouping thousands, no idente, the chapters' rows of some chapters and the
// detailed rows of others (chapter 4 both), a description and empty collections.
inline const QByteArray SpanishExport =
    "Tipo;Económica;Descripción;Importe;Importe L;Importe C\r\n"
    "Ingresos;113.00;Impuesto sobre bienes inmuebles, urbana;450,25;400,00;20,25\r\n"
    "Ingresos;113.01;Impuesto sobre bienes inmuebles, rústica;149,75;100;0\r\n"
    "Ingresos;130.00;Impuesto sobre actividades económicas;400;350;10\r\n"
    "Ingresos;2;Impuestos indirectos;250,50;200,50;\r\n"
    "Ingresos;3;Tasas, precios públicos y otros ingresos;333,33;285;0\r\n"
    "Ingresos;4;Transferencias corrientes;5.000,00;;\r\n"
    "Ingresos;420.00;Participación en los tributos del Estado;5.000;5.000;\r\n"
    "Ingresos;5;Ingresos patrimoniales;12,34;;\r\n"
    "Ingresos;600.00;Venta de solares;700;;\r\n"
    "Ingresos;7;Transferencias de capital;800,80;;\r\n"
    "Ingresos;913.00;Préstamos recibidos a largo plazo;90.000;;\r\n"
    "Gastos;120.00;Sueldos del grupo A1;700;;\r\n"
    "Gastos;130.00;Laboral fijo;500;;\r\n"
    "Gastos;2;Gastos en bienes corrientes y servicios;300,30;;\r\n"
    "Gastos;310.00;Intereses de préstamos;45,67;;\r\n"
    "Gastos;4;Transferencias corrientes;880;;\r\n"
    "Gastos;5;Fondo de contingencia;55;;\r\n"
    "Gastos;619.00;Otras inversiones de reposición;6.000;;\r\n"
    "Gastos;7;Transferencias de capital;77;;\r\n"
    "Gastos;913.00;Amortización de préstamos;1.500;;\r\n";

// Writes into `folder` a program called as mdb-export is (FILE TABLE), which writes
// `folder`/TABLE.csv to its output and ends with 0, or ends with 1 when there is no such file.
// It appends its arguments to `folder`/log.
inline QString writeFakeMdbExport(const QString& folder)
{
    const QString path = folder + QStringLiteral("/mdb-export");
    QFile script(path);
    if (!script.open(QIODevice::WriteOnly))
        return {};
    const QByteArray dir = folder.toUtf8();
    script.write("#!/bin/sh\necho \"$1 $2\" >> \"" + dir + "/log\"\nexec cat \"" + dir +
                 "/$2.csv\" 2>/dev/null\n");
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

} // namespace testsupport
