// What a settlement is imported from: the economic table of the file the user chose and the
// inventory that names its entities, read from a CSV file with tb_inventario.csv beside it or
// from the Ministry's Access database through mdb-export.
#include "SettlementSource.h"

#include "Messages.h"
#include "Refusals.h"
#include "UserFile.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <optional>
#include <stdexcept>

namespace app {

namespace {

using imports::ReadingProgress;

// The Ministry's table of every council is about 60 MB.
constexpr qint64 SizeLimit = qint64{1} << 30;
// How often a running mdb-export is asked after, and the user's cancelling heard.
constexpr int ExportPollMs = 100;

const QString EconomicTable = QStringLiteral("tb_economica");
const QString InventoryTable = QStringLiteral("tb_inventario");

[[noreturn]] void refuse(const QString& fileName, const QString& reason)
{
    throw std::runtime_error(reports::cannotImportText(fileName, reason).toStdString());
}

QByteArray readFile(const QString& path)
{
    try {
        return userfile::readUserFile(path, SizeLimit);
    } catch (const userfile::FileError& e) {
        refuse(QFileInfo(path).fileName(), QString::fromUtf8(e.what()));
    }
}

// A table that names no entity is one settlement: its rows are refused now rather than in the
// dialog.
imports::SettlementTable economicTable(QByteArray bytes, const QString& fileName,
                                       const ReadingProgress& progress)
{
    try {
        imports::SettlementTable table(std::move(bytes), progress);
        if (!table.namesEntities())
            table.settlementOf({});
        return table;
    } catch (const borrowing::Refused& e) {
        refuse(fileName, reports::refusalText(e.refusal()));
    }
}

std::vector<imports::InventoryEntity> inventory(const QByteArray& bytes, const QString& fileName)
{
    try {
        return imports::readInventory(bytes);
    } catch (const borrowing::Refused& e) {
        refuse(fileName, reports::refusalText(e.refusal()));
    }
}

// What `mdb-export DATABASE TABLE` writes; nothing when it fails.
std::optional<QByteArray> exportedTable(const QString& reader, const QString& database,
                                        const QString& table, const ReadingProgress& progress)
{
    QProcess process;
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(reader, {database, table});
    while (!process.waitForFinished(ExportPollMs) && process.state() != QProcess::NotRunning) {
        if (progress && !progress(process.bytesAvailable(), 0)) {
            process.kill();
            process.waitForFinished();
            throw imports::ReadingCancelled();
        }
    }
    if (process.error() == QProcess::FailedToStart ||
        process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    return process.readAllStandardOutput();
}

} // namespace

bool isAccessDatabase(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix();
    return suffix.compare(u"accdb", Qt::CaseInsensitive) == 0 ||
           suffix.compare(u"mdb", Qt::CaseInsensitive) == 0;
}

SettlementSource readSettlementSource(const QString& path, const ReadingProgress& progress)
{
    const QString fileName = QFileInfo(path).fileName();
    if (!isAccessDatabase(path)) {
        SettlementSource source{economicTable(readFile(path), fileName, progress), {}};
        const QString beside =
            QFileInfo(path).dir().filePath(QString::fromLatin1(InventoryFileName));
        if (source.table.namesEntities() && QFileInfo::exists(beside))
            source.inventory = inventory(readFile(beside), QString::fromLatin1(InventoryFileName));
        return source;
    }

    const QString reader = QStandardPaths::findExecutable(QStringLiteral("mdb-export"));
    if (reader.isEmpty())
        throw std::runtime_error(reports::noAccessReaderText().toStdString());
    std::optional<QByteArray> economic = exportedTable(reader, path, EconomicTable, progress);
    if (!economic)
        refuse(fileName, reports::accessTableUnreadText(EconomicTable));
    SettlementSource source{economicTable(std::move(*economic), fileName, progress), {}};
    if (source.table.namesEntities()) {
        if (const std::optional<QByteArray> entities =
                exportedTable(reader, path, InventoryTable, progress))
            source.inventory = inventory(*entities, fileName);
    }
    return source;
}

} // namespace app
