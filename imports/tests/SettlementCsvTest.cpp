// Settlements read by economic code from the Ministry's tables and accounting exports, and the
// Ministry's inventory of entities.
#include "SettlementCsv.h"

#include "Inventory.h"
#include "QStringPrinter.h"
#include "Refusals.h"
#include "SampleSettlement.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace imports;
using namespace testsupport;
using namespace Qt::StringLiterals;

namespace imports {

void PrintTo(const Settlement& s, std::ostream* os)
{
    for (const auto* side : {&s.revenue, &s.expenditure}) {
        for (const Amount figure : *side)
            *os << static_cast<double>(figure) << ' ';
        *os << "| ";
    }
    *os << (s.collections ? std::to_string(static_cast<double>(*s.collections)) : "-");
}

} // namespace imports

namespace {

Settlement sample()
{
    Settlement s{SampleRevenue, SampleExpenditure, SampleCollections};
    return s;
}

Settlement onlyChapterOne(Amount revenue, Amount expenditure, std::optional<Amount> collections)
{
    Settlement s;
    s.revenue[0] = revenue;
    s.expenditure[0] = expenditure;
    s.collections = collections;
    return s;
}

Settlement read(const QByteArray& bytes, const QString& entity = {})
{
    return SettlementTable(bytes).settlementOf(entity);
}

// The sample's detailed rows separated by tabs, everything quoted, headings in capitals.
QByteArray tabExport()
{
    QByteArray table = "\"TIPREIG\"\t\"CDCTA\"\t\"Reconocido\"\t\"IMPORTEL\"\t\"IMPORTEC\"\n";
    for (const SampleRow& row : SampleRows) {
        if (row.level == Level::Detail) {
            table += "\"" + QByteArray(row.side) + "\"\t\"  " + row.code + " \"\t\"" +
                     row.recognised + "\"\t\"" + row.yearCollected + "\"\t\"" +
                     row.closedCollected + "\"\n";
        }
    }
    return table;
}

TEST(SettlementCsv, everyLevelChaptersAloneAndDetailsAloneGiveTheSameChapters)
{
    using Levels = std::initializer_list<Level>;
    for (const Levels levels :
         {Levels{Level::Chapter, Level::Between, Level::Detail}, Levels{Level::Chapter},
          Levels{Level::Detail}, Levels{Level::Chapter, Level::Detail}}) {
        const SettlementTable table(mdbEconomicTable("100", levels));
        EXPECT_TRUE(table.namesEntities());
        EXPECT_EQ(table.entities(), (QStringList{u"200"_s, u"100"_s}));
        EXPECT_EQ(table.settlementOf(u"100"_s), sample()) << levels.size();
        EXPECT_EQ(table.settlementOf(u"200"_s),
                  onlyChapterOne(OtherRevenueI, OtherExpenditureI, OtherCollections));
    }
}

TEST(SettlementCsv, readsEachWayOfWritingTheSameSettlement)
{
    const std::pair<const char*, QByteArray> files[] = {
        {"Spanish, UTF-8", SpanishExport},
        {"Spanish, UTF-8 with a byte-order mark", "\xef\xbb\xbf" + SpanishExport},
        {"Spanish, Windows-1252", QString::fromUtf8(SpanishExport).toLatin1()},
        {"tabs and quotes", tabExport()},
    };
    for (const auto& [name, bytes] : files) {
        const SettlementTable table(bytes);
        EXPECT_FALSE(table.namesEntities()) << name;
        EXPECT_EQ(table.entities(), QStringList{QString()}) << name;
        EXPECT_EQ(table.settlementOf({}), sample()) << name;
    }
}

TEST(SettlementCsv, countsEachRowOnceAtItsMostDetailedLevel)
{
    const std::pair<QByteArray, Settlement> files[] = {
        // Rows of one code add up; a rectification is negative; "ingresos" in any case.
        {"tipo;economica;importe\ningresos;113.00;1.000,50\nINGRESOS;113.00;-0,50\nG;1;-3\n",
         onlyChapterOne(1000, -3, std::nullopt)},
        // A code counts only where a longer one starts with all of its digits: "12" does not
        // start with "113", and a revenue code never hides an expenditure one.
        {"tipo,economica,importe\nI,113,100\nI,12,20\nI,1,999\nG,1,7\n",
         onlyChapterOne(120, 7, std::nullopt)},
        // An empty amount is nothing; the rest of a line beyond the columns read is not read.
        {"tipo,economica,importe,nota\nI,1,,x y\nG,1,5,\"a, b\"\n",
         onlyChapterOne(0, 5, std::nullopt)},
        // Totals are rounded to the cent as their fields show them.
        {"tipo,economica,importe\nI,1,9999999999999.994\nG,1,0.005\n",
         onlyChapterOne(9999999999999.99L, 0.01L, std::nullopt)},
    };
    for (const auto& [bytes, expected] : files)
        EXPECT_EQ(read(bytes), expected) << bytes.toStdString();
}

TEST(SettlementCsv, collectsOverTheColumnsTheFileHas)
{
    const std::pair<QByteArray, std::optional<Amount>> files[] = {
        // Revenue of chapters 1 to 3 only.
        {"tipo,economica,importe,importel\nI,11,100,60\nI,4,50,50\nG,1,10,10\n", 60},
        {"tipo,economica,importe,importec\nI,113,100,7.5\nI,1,100,99\n", 7.5L},
        {"tipo,economica,importe,importel,importec\nI,3,10,,\nI,2,5,1,2\n", 3},
        {"tipo,economica,importe\nI,1,100\n", std::nullopt},
    };
    for (const auto& [bytes, collections] : files)
        EXPECT_EQ(read(bytes).collections, collections) << bytes.toStdString();
}

TEST(SettlementCsv, refusesWhatIsNoSettlement)
{
    const std::pair<QByteArray, QString> files[] = {
        {"", u"Línea 1: falta la columna \"tipreig\" o \"tipo\"."_s},
        {"tipreig,importer\n", u"Línea 1: falta la columna \"cdcta\" o \"economica\"."_s},
        {"tipo;económica\n",
         u"Línea 1: falta la columna \"importer\", \"importe\" o \"reconocido\"."_s},
        {"tipo;economica;importe\n", u"no tiene filas de la liquidación."_s},
        {"tipo;economica;importe\n\n  \n", u"no tiene filas de la liquidación."_s},
        {"tipo,economica,importe\nI,1,1\nI,11,\"12,5\"\n",
         u"Línea 3: \"12,5\" no es un número válido en la columna importe."_s},
        {"tipo;economica;importe\nI;1;1234.5\n",
         u"Línea 2: \"1234.5\" no es un número válido en la columna importe."_s},
        {"tipo;economica;importe\nI;1;1e3\n",
         u"Línea 2: \"1e3\" no es un número válido en la columna importe."_s},
        {"tipo,economica,reconocido,importel\nI,1,1,1 €\n",
         u"Línea 2: \"1 €\" no es un número válido en la columna importel."_s},
        {"tipreig,cdcta,importer\nX,1,1\n",
         u"Línea 2: en la columna tipreig, \"X\" no es I ni G."_s},
        {"tipreig,cdcta,importer\n,1,1\n", u"Línea 2: en la columna tipreig, \"\" no es I ni G."_s},
        {"tipo,cdcta,importer\nI,11a,1\n",
         u"Línea 2: en la columna cdcta, \"11a\" no es un código económico."_s},
        {"tipo,cdcta,importer\nI,011,1\n",
         u"Línea 2: en la columna cdcta, \"011\" no es un código económico."_s},
        {"tipo,cdcta,importer\nG,,1\n",
         u"Línea 2: en la columna cdcta, \"\" no es un código económico."_s},
        {"tipo,cdcta,importer,x\nI,1,1\n", u"Línea 2: tiene 3 campos y la cabecera 4."_s},
        {"tipo,cdcta,importer\nI,\"1,1\n", u"Línea 2: unas comillas no se cierran."_s},
        {"tipo,economica,importe\nI,11,9999999999999.99\nI,12,0.01\n",
         u"los derechos reconocidos netos del capítulo I pasan de 13 cifras enteras."_s},
        {"tipo,economica,importe\nG,761,-10000000000000\n",
         u"las obligaciones reconocidas netas del capítulo VII pasan de 13 cifras enteras."_s},
        {"tipo,economica,importe,importel\nI,1,1,9999999999999.99\nI,2,1,0.01\n",
         u"la recaudación de los capítulos I a III pasa de 13 cifras enteras."_s},
    };
    for (const auto& [bytes, message] : files) {
        try {
            read(bytes);
            ADD_FAILURE() << bytes.toStdString();
        } catch (const borrowing::Refused& e) {
            EXPECT_EQ(reports::refusalText(e.refusal()), message) << bytes.toStdString();
        }
    }
    // What a case has no figure for may be as large as it is.
    EXPECT_EQ(read("tipo,economica,importe\nG,9,1e20\nI,8,1e20\n").expenditure[8], 1e20L);
    try {
        SettlementTable(mdbEconomicTable()).settlementOf(u"999"_s);
        ADD_FAILURE();
    } catch (const borrowing::Refused& e) {
        EXPECT_EQ(reports::refusalText(e.refusal()), u"no tiene filas de la liquidación."_s);
    }
}

TEST(SettlementCsv, tellsItsProgressAndStopsWhenTold)
{
    QByteArray bytes = "tipo,economica,importe\n";
    for (int i = 0; i < 40000; ++i)
        bytes += "I,1,1\n";
    qint64 last = 0;
    int reports = 0;
    const SettlementTable table(bytes, [&](qint64 done, qint64 total) {
        EXPECT_GT(done, last);
        EXPECT_EQ(total, bytes.size());
        last = done;
        ++reports;
        return true;
    });
    EXPECT_EQ(reports, 2);
    EXPECT_EQ(table.settlementOf({}).revenue[0], 40000);
    EXPECT_THROW(SettlementTable(bytes, [](qint64, qint64) { return false; }), ReadingCancelled);
}

TEST(SettlementCsv, fillsTheCaseFiguresOfTheChaptersItHas)
{
    borrowing::Figures figures;
    figures.existingCapital = 5;
    figures.collections = 9;
    figures.expenditureIII = 4;
    Settlement settlement = sample();
    settlement.collections.reset();
    const borrowing::Figures filled = withSettlement(figures, settlement);
    EXPECT_EQ(filled.revenueI, 1000);
    EXPECT_EQ(filled.revenueV, 12.34L);
    EXPECT_EQ(filled.revenueVII, 800.8L);
    EXPECT_EQ(filled.expenditureIII, 45.67L);
    EXPECT_EQ(filled.expenditureIV, 880);
    EXPECT_EQ(filled.expenditureVI, 6000);
    EXPECT_EQ(filled.expenditureVII, 77);
    EXPECT_EQ(filled.existingCapital, 5);
    EXPECT_EQ(filled.collections, 9);
    EXPECT_EQ(withSettlement(figures, sample()).collections, SampleCollections);
}

TEST(Inventory, namesTheEntitiesATableHasRowsOf)
{
    const std::vector<InventoryEntity> inventory = readInventory(MdbInventoryTable);
    ASSERT_EQ(inventory.size(), 4U);
    EXPECT_EQ(inventory[1],
              (InventoryEntity{u"100"_s, u"Ágreda"_s, u"42-009-AA-000"_s, u"2931"_s}));
    const std::vector<InventoryEntity> listed =
        listedEntities({u"200"_s, u"999"_s, u"300"_s, u"100"_s, u"998"_s}, inventory);
    QStringList ids;
    for (const InventoryEntity& entity : listed)
        ids << entity.id;
    // Sorted as if without accents; those the inventory lacks last.
    EXPECT_EQ(ids, (QStringList{u"100"_s, u"200"_s, u"300"_s, u"999"_s, u"998"_s}));
    EXPECT_EQ(listed[3], InventoryEntity{u"999"_s});

    const QByteArray windows1252 =
        QString(u"Idente;NombreEnte\n7;\"Ólvega; \"\"la villa\"\"\"\n"_s).toLatin1();
    EXPECT_EQ(readInventory(windows1252),
              (std::vector<InventoryEntity>{{u"7"_s, u"Ólvega; \"la villa\""_s}}));
    try {
        readInventory("idente,nombre\n1,x\n");
        ADD_FAILURE();
    } catch (const borrowing::Refused& e) {
        EXPECT_EQ(reports::refusalText(e.refusal()),
                  u"Línea 1: falta la columna \"nombreente\"."_s);
    }
}

TEST(Inventory, findsTheProvinceOfAnEntitysCode)
{
    const std::pair<QString, QString> codes[] = {
        {u"42-009-AA-000"_s, u"Soria"_s},
        {u"07-42-020-AA-000"_s, u"Soria"_s},
        {u"07-04-020-AA-000"_s, u"Almería"_s},
        {u" 01059AA000"_s, u"Araba/Álava"_s},
        {u"15030AA000"_s, u"Coruña, A"_s},
        {u"52001AA000"_s, u"Melilla"_s},
        {u"53001AA000"_s, QString()},
        {u"00-001"_s, QString()},
        {u"4"_s, QString()},
        {QString(), QString()},
    };
    for (const auto& [code, province] : codes)
        EXPECT_EQ(provinceOfCode(code), province) << code.toStdString();
}

} // namespace
