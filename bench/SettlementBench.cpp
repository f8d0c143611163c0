// Timing of a settlement's import from the Ministry's economic table of every council: 1,200,000
// rows (about 60 MB) read for one entity, and one more entity's chapters once it is read.
#include "SettlementCsv.h"

#include <QFile>
#include <QTemporaryFile>

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <vector>

namespace {

constexpr int Entities = 8000;
constexpr int RowsPerEntity = 150;

// The table as mdb-export writes it, written once into a temporary file: every entity's rows at
// every level of the classification, chapters 1 to 7 and 9 of both sides, random amounts.
const QString& economicTable()
{
    static const std::unique_ptr<QTemporaryFile> file = [] {
        auto table = std::make_unique<QTemporaryFile>();
        if (!table->open())
            return table;
        std::mt19937_64 random(2024);
        std::uniform_int_distribution<long long> cents(0, 500'000'000);
        table->write("id,idente,tipreig,cdcta,importer,imported,importel,importec\n");
        // Each chapter with two articles, three concepts and three subconcepts.
        std::vector<QByteArray> codes;
        for (const QByteArray side : {"\"I\",\"", "\"G\",\""}) {
            for (const char chapter : {'1', '2', '3', '4', '5', '6', '7', '9'}) {
                for (const char* below :
                     {"", "1", "10", "10.00", "10.01", "10.02", "11", "2", "20", "20.00"})
                    codes.push_back(side + chapter + below + "\",");
            }
        }
        codes.resize(RowsPerEntity);
        const auto amount = [&] {
            return QByteArray::number(static_cast<double>(cents(random)) / 100, 'f', 2);
        };
        long long id = 1;
        QByteArray rows;
        for (int entity = 0; entity < Entities; ++entity) {
            rows.clear();
            const QByteArray idente = QByteArray::number(10000 + entity);
            for (const QByteArray& code : codes) {
                rows += QByteArray::number(id++) + ',' + idente + ',' + code + amount() + ",0," +
                        amount() + ',' + amount() + '\n';
            }
            table->write(rows);
        }
        table->close();
        return table;
    }();
    static const QString path = file->fileName();
    return path;
}

QByteArray tableBytes()
{
    QFile file(economicTable());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// From the file to one entity's chapters: read, every row's entity found, the entity's rows
// added up.
void BM_ReadOneEntityOfEveryCouncil(benchmark::State& state)
{
    const qint64 size = QFile(economicTable()).size();
    for (auto _ : state) {
        const imports::SettlementTable table(tableBytes());
        benchmark::DoNotOptimize(table.settlementOf(QStringLiteral("14000")));
    }
    state.counters["rows"] = Entities * RowsPerEntity;
    state.counters["MB"] = static_cast<double>(size) / 1e6;
}
BENCHMARK(BM_ReadOneEntityOfEveryCouncil)->Unit(benchmark::kMillisecond);

// Another entity's chapters once the table is read, as the import's dialog shows them.
void BM_ChaptersOfAnotherEntity(benchmark::State& state)
{
    const imports::SettlementTable table(tableBytes());
    for (auto _ : state)
        benchmark::DoNotOptimize(table.settlementOf(QStringLiteral("17999")));
}
BENCHMARK(BM_ChaptersOfAnotherEntity)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
